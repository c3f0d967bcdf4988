#include "cogo/offset_height_tool.h"

#include <cmath>
#include <string>

#include "cogo/reverse_traverse.h"
#include "cogo/traverse_commands.h"
#include "core/app.h"
#include "core/numeric.h"
#include "core/routines.h"
#include "points/point_input.h"
#include "runtime/console.h"
#include "runtime/numtext.h"
#include "runtime/text.h"
#include "ui/navigator.h"

namespace cogo {

ToolPosition AlongGradient(ToolPosition from, double gradePercent, double length) {
  return {from.offset + length, from.height + std::fabs(length) * gradePercent / 100};
}

ToolPosition AlongSlope(ToolPosition from, double angleDms, double slopeDistance) {
  const double a = DmsToDegrees(angleDms);
  return {from.offset + slopeDistance * CosDegrees(a), from.height + std::fabs(slopeDistance) * SinDegrees(a)};
}

ToolPosition AlongRatio(ToolPosition from, double height, double ratio) {
  return {from.offset + std::fabs(from.height - height) * ratio, height};
}

}  // namespace cogo

namespace {

// A whole answer that reads as a number (blanks around it allowed), or empty.
bool IsNumberText(const std::string& text) {
  const std::string trimmed = RtTrim(text);
  if (trimmed.empty()) return true;
  const rt::NumberScan scan = rt::ScanNumber(trimmed, true);
  return scan.found && scan.end == trimmed.size();
}

std::string InputPlainText(std::string_view prompt) {
  std::string text;
  RtInputFromWindow(prompt);
  RtInputVars(text);
  return text;
}

// A text answer that must be a number when it is not empty; asked again else.
std::string InputNumberOrEmpty(std::string_view prompt) {
  for (;;) {
    std::string text = InputPlainText(prompt);
    if (IsNumberText(text)) return RtTrim(text);
    RtPrintStr(" 数値を入力してください", true);
  }
}

double Guided(App& app, double guide, std::string_view prompt) {
  app.input.GuideNumber = guide;
  ShowGuideNext(app);
  return InputPlainNumber(prompt);
}

cogo::ToolPosition Position(const App& app) { return {app.cogo.ToolOffset, app.points.WorkPointZ}; }

void SetPosition(App& app, cogo::ToolPosition at) {
  app.cogo.ToolOffset = at.offset;
  app.points.WorkPointZ = at.height;
}

// F: a levelling turning point: its height from the fore-sight, then the new
// line of sight from the back-sight.
void TurningPoint(App& app) {
  cogo::State& c = app.cogo;
  c.InstrumentAxisHeight -= Guided(app, 60, "FS=");
  RtPrintStr("Z=", false);
  RtPrintNum(RoundHeight(app, c.InstrumentAxisHeight), true);
  c.InstrumentAxisHeight += Guided(app, 62, "BS=");
}

// One command of the tool, c the answer's character and v its number.
void RunToolCommand(App& app, const std::string& c, double v) {
  cogo::State& s = app.cogo;
  points::Store& p = app.points;
  if (c == "+") {
    p.WorkPointZ += v;
  } else if (c == "-") {
    p.WorkPointZ -= v;
  } else if (c == "Q") {
    JumpTo(EntryOf(Routines().RepeatLastCommand));
  } else if (c == "H") {
    s.ToolLevelDisplay = -s.ToolLevelDisplay;
  } else if (c == "W") {
    ApplySlopeRatio(app);
  } else if (c == "%" || c == "/") {
    const double g = Guided(app, 52, "%=");
    const double l = Guided(app, 53, "L=");
    SetPosition(app, cogo::AlongGradient(Position(app), g, l));
  } else if (c == "A") {
    const double slope = Guided(app, 51, "S=");
    SetPosition(app, cogo::AlongSlope(Position(app), v, slope));
  } else if (c == "Z") {
    InputToolHeight(app);
    s.LineRunningHeight = p.WorkPointZ;
  } else if (c == "R") {
    s.ToolOffset = 0;
    p.WorkPointZ = s.LineRunningHeight;
  } else if (c == "T") {
    s.ToolOffsetMark = s.ToolOffset;
  } else if (c == "F") {
    TurningPoint(app);
  } else {
    s.ToolOffset += v;
  }
}

}  // namespace

double InputPlainNumber(std::string_view prompt) {
  const std::string text = InputNumberOrEmpty(prompt);
  return text.empty() ? 0 : RtStrictVal(text);
}

void RunOffsetHeightTool(App& app) {
  cogo::State& s = app.cogo;
  for (;;) {
    ShowToolStatus(app);
    s.TraverseCommand.clear();
    const int row = RtCsrlin();
    RtLocate(30, row);
    RtPrintStr("[[+,-,A],W,%,R,Z,H/T,F,Q]", false);
    RtLocate(0, row);
    app.input.GuideNumber = 50;
    ShowGuideNext(app);
    s.TraverseCommand = InputPlainText("Tool=");
    if (s.TraverseCommand.empty()) {
      s.CommandDistance = s.ToolOffset;
      s.LineRunningHeight = app.points.WorkPointZ;
      PrintPromptValue(app);
      return;
    }
    ParseTraverseCommand(app);
    s.HeightBeforeCommand = app.points.WorkPointZ;
    RunToolCommand(app, s.TraverseCommand, s.CommandDistance);
  }
}

void ShowToolStatus(App& app) {
  const cogo::State& s = app.cogo;
  const double z = app.points.WorkPointZ;
  RtColor(3);
  if (s.ToolLevelDisplay == -1) {
    RtPrintStr("IH=" + RtNumText(RoundCoordinate(app, s.InstrumentAxisHeight)) + " FS=" +
                   RtNumText(std::floor((s.InstrumentAxisHeight - z) * 1000 + 0.5) / 1000) + "  tp=" +
                   RtNumText(RoundDistance(app, s.ToolOffset - s.ToolOffsetMark)),
               true);
  }
  RtPrintStr("(Z=" + RtNumText(RoundHeight(app, z)) + "  L=" + RtNumText(RoundDistance(app, s.ToolOffset)) + ")",
             true);
  RtColor(7);
}

void InputToolHeight(App& app) {
  points::Store& p = app.points;
  app.cogo.ToolOffset = 0;
  p.WorkPointZ = 0;
  p.WorkPointZ = Guided(app, 57, "Z=");
  if (p.WorkPointZ != 0) return;
  InputExistingPoint(app);
  p.WorkPointZ = p.DesignatedPointZ;
}

void ApplySlopeRatio(App& app) {
  cogo::State& s = app.cogo;
  points::Store& p = app.points;
  for (;;) {
    RtPrintStr("ﾜﾘ=" + RtNumText(s.SlopeRatio), false);
    app.input.GuideNumber = 55;
    ShowGuideNext(app);
    std::string text = InputPlainText("");
    while (text != "%" && !IsNumberText(text)) {
      RtPrintStr(" 数値を入力してください (%:やめる)", true);
      RtPrintStr("ﾜﾘ=" + RtNumText(s.SlopeRatio), false);
      text = InputPlainText("");
    }
    if (text == "%") return;  // the way back to the tool, nothing changed
    if (!RtTrim(text).empty()) s.SlopeRatio = RtStrictVal(RtTrim(text));

    const auto ask = [&app](double guide, std::string_view prompt) {
      app.input.GuideNumber = guide;
      ShowGuideNext(app);
      return InputNumberOrEmpty(prompt);
    };
    std::string answer = ask(56, "z=");
    if (!answer.empty()) {
      const double dz = RtStrictVal(answer);
      s.ToolOffset += std::fabs(dz) * s.SlopeRatio;
      p.WorkPointZ += dz;
      return;
    }
    double height = 0;
    if (answer = ask(57, "Z="); !answer.empty()) {
      height = RtStrictVal(answer);
    } else if (answer = ask(58, "F.S="); !answer.empty()) {
      height = s.InstrumentAxisHeight - RtStrictVal(answer);
    } else if (answer = ask(59, "Iz="); !answer.empty()) {
      const double iz = RtStrictVal(answer);
      height = s.InstrumentAxisHeight + iz - Guided(app, 61, "f=");
    } else {
      continue;
    }
    SetPosition(app, cogo::AlongRatio({s.ToolOffset, s.HeightBeforeCommand}, height, s.SlopeRatio));
    return;
  }
}
