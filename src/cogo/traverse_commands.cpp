#include "cogo/traverse_commands.h"

#include <cmath>

#include "cogo/base_inputs.h"
#include "cogo/offset_height_tool.h"
#include "cogo/reverse_traverse.h"
#include "core/app.h"
#include "core/numeric.h"
#include "core/routines.h"
#include "points/local_public.h"
#include "points/point_input.h"
#include "points/relative_entry.h"
#include "points/registration.h"
#include "runtime/console.h"
#include "runtime/numtext.h"
#include "runtime/text.h"
#include "ui/input.h"
#include "ui/navigator.h"

namespace cogo {

ParsedTraverseCommand ParseTraverseCommandText(std::string_view text) {
  ParsedTraverseCommand parsed;
  parsed.value = RtVal(text);
  // Walk the characters so that a trail byte that looks like a letter is never
  // taken for a command on its own.
  size_t last = 0;
  for (size_t i = 0; i < text.size();) {
    last = i;
    const bool pair = rt::IsLeadByte(static_cast<unsigned char>(text[i])) && i + 1 < text.size() &&
                      rt::IsTrailByte(static_cast<unsigned char>(text[i + 1]));
    i += pair ? 2 : 1;
  }
  if (!text.empty()) parsed.command = RtUcase(text.substr(last));
  return parsed;
}

bool CarriesHeight(double ze, std::string_view command) {
  if (ze == 3) return true;
  const int code = command.empty() ? 0 : static_cast<unsigned char>(command[0]);
  return code < 47 || code > 58;
}

double HorizontalOfSlope(double slopeDistance, double gradePercent) {
  return slopeDistance * std::cos(std::atan(gradePercent / 100));
}

double TurnedDirection(double direction, double turnDms) {
  double d = direction + DmsToDegrees(turnDms == 0 ? 90 : turnDms);
  while (d >= 360) d -= 360;
  while (d < 0) d += 360;
  return d;
}

}  // namespace cogo

namespace {

void PrintLine(std::string_view text) { RtPrintStr(text, true); }

// B: a new back-sight from the from-point; the line takes its gradient and its
// length becomes the one V divides.
void NewBacksight(App& app) {
  InputBacksight(app);
  app.cogo.ExtensionGradePercent = app.traverse.InverseGradient;
  app.cogo.ReferenceLength = app.points.HorizontalDistance;
}

// H: the line turned onto the bisector of the angle from it to a second point.
void Bisect(App& app) {
  points::Store& p = app.points;
  traverse::State& t = app.traverse;
  const double d0 = p.LegDirection;
  const double kept = t.IncludedAngle;
  RtPrintStr("H/2 ", false);
  InputBacksight(app);
  t.IncludedAngle = p.LegDirection - d0;
  Call(Routines().NormalizeAngleToDms, app);
  const double half = DmsToDegrees(t.IncludedAngle) / 2;
  RtPrintStr("H/2=" + FormatAngleOf(app, half), false);
  p.LegDirection = d0 + half;
  t.IncludedAngle = kept;
}

void ReverseTraverse(App& app, std::string_view name, double guidance) {
  PrintLine(name);
  InputExistingPoint(app);
  app.view.GuidanceMode = guidance;
  ReverseTraverseToPoint(app);
}

// V: a part of ReferenceLength: half for V alone (or 0V), else length / n × k
// with the factor k asked.
void Divide(App& app) {
  cogo::State& c = app.cogo;
  if (c.CommandDistance == 0) {
    c.CommandDistance = c.ReferenceLength / 2;
  } else {
    const double n = c.CommandDistance;
    RtPrintNum(n, false);
    RtPrintStr("ﾌﾞﾝﾉ ", false);
    app.input.GuideNumber = 48;
    ShowGuideNext(app);
    c.TraverseCommandValue = InputPlainNumber("");
    c.CommandDistance = c.ReferenceLength / n * c.TraverseCommandValue;
  }
  RtPrintStr("L=", false);
  RtPrintNum(c.CommandDistance, true);
}

// "*": points entered relative to the base line, in along/offset labels.
void RadialCrossSection(App& app) {
  app.points.CoordinateDisplayMode = -1;
  PrintLine("ﾎｳｼｬｵｳﾀﾞﾝ");
  RelativeEntryLoop(app);
  app.points.CoordinateDisplayMode = 1;
  PrintLine("ﾓﾄﾞﾘﾏｼﾀ");
}

// The commands; false when the answer is a value (after S or V, or no command).
bool RunCommand(App& app) {
  cogo::State& c = app.cogo;
  const std::string& k = c.TraverseCommand;
  if (k == "B") {
    NewBacksight(app);
  } else if (k == "H") {
    Bisect(app);
  } else if (k == "/") {
    ReverseTraverse(app, "ﾜﾘｺﾐｷﾞｬｸﾄﾗ", -1);
  } else if (k == "K") {
    PrintLine("ｺｳｶｲ");
    Call(Routines().InputTargetHeight, app);
    Call(Routines().ObserveIntersection, app);
    if (!app.fieldbook.IntersectionAnswer.empty()) StorePoint(app);
  } else if (k == "+") {
    SwitchToLocalCoordinates(app);
  } else if (k == "C") {
    c.OffsetPromptMode = c.OffsetPromptMode.empty() ? "W" : "";
  } else if (k == "-") {
    PrintLine("x,y-->X,Y");
    app.input.GuideNumber = 289;
    ShowGuide(app);
    SwitchToPublicCoordinates(app);
  } else if (k == "=") {
    ReverseTraverse(app, "ﾕｳﾄﾞｳｷﾞｬｸﾄﾗ", 1);
  } else if (k == "V") {
    Divide(app);
    return false;
  } else if (k == "*") {
    RadialCrossSection(app);
  } else if (k == "S") {
    c.CommandDistance = cogo::HorizontalOfSlope(c.TraverseCommandValue, c.ExtensionGradePercent);
    return false;
  } else if (k == "%") {
    c.ExtensionGradePercent = c.CommandDistance;
    app.settings.ZE = 3;
  } else if (k == "A") {
    app.points.LegDirection =
        cogo::TurnedDirection(app.points.LegDirection, c.TraverseCommandValue);
  } else {
    return false;
  }
  return true;
}

}  // namespace

void ParseTraverseCommand(App& app) {
  cogo::State& c = app.cogo;
  const cogo::ParsedTraverseCommand parsed = cogo::ParseTraverseCommandText(c.TraverseCommand);
  c.TraverseCommandValue = parsed.value;
  c.CommandDistance = parsed.value;
  c.TraverseCommand = parsed.command;
}

void RunTraverseCommand(App& app) {
  cogo::State& c = app.cogo;
  c.TraverseCommandHandled = 0;
  c.ToolOffsetMark = 0;
  ParseTraverseCommand(app);
  c.ToolOffset = 0;
  if (c.TraverseCommand == "P") {
    app.points.WorkPointZ = c.LineRunningHeight;
    RunOffsetHeightTool(app);
    return;
  }
  if (c.TraverseCommand == "Q") JumpTo(EntryOf(Routines().RepeatLastCommand));
  if (RunCommand(app)) {
    c.TraverseCommandHandled = 1;
    return;
  }
  if (c.CarryGradeHeight == 1 && cogo::CarriesHeight(app.settings.ZE, c.TraverseCommand)) {
    app.points.WorkPointZ = c.LineRunningHeight + c.CommandDistance * c.LineGradePercent / 100;
    c.LineRunningHeight = app.points.WorkPointZ;
  }
  PrintPromptValue(app);
}

void RunTraverseCommandWithGrade(App& app) {
  app.points.WorkPointZ = 0;
  app.cogo.CarryGradeHeight = 1;
  RunTraverseCommand(app);
}

void PromptTraverseCommand(App& app) {
  cogo::State& c = app.cogo;
  c.BaseRadius = 0;
  c.BaseChainage = 0;
  const int row = RtCsrlin();
  RtLocate(38, row);
  RtPrintStr("[P,*,/,+,-,=,K,Q]", false);
  c.TraverseCommand.clear();
  RtLocate(0, row);
  c.PromptText = "W=";
  RtPrintStr(c.PromptText, false);
  app.input.GuideNumber = 187;
  InputWithMarker(app);
  c.TraverseCommand = app.input.Answer;
}

void PromptTraverseCommandAtPoint(App& app) {
  app.cogo.LineGradePercent = 0;
  app.cogo.LineRunningHeight = app.points.DesignatedPointZ;
  PromptTraverseCommand(app);
}
