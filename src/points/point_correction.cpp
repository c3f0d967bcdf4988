// The point correction (coordinate input mode 6) and the simple input (mode 10).
#include "points/point_correction.h"

#include <cmath>
#include <optional>
#include <string>
#include <string_view>

#include "core/app.h"
#include "core/numeric.h"
#include "core/point_names.h"
#include "core/sound.h"
#include "points/coordinate_input.h"
#include "points/point_input.h"
#include "points/registration.h"
#include "points/resolver.h"
#include "runtime/console.h"
#include "runtime/errors.h"
#include "runtime/numtext.h"
#include "runtime/text.h"
#include "ui/input.h"

namespace {

constexpr int kGuideKind = 339;
constexpr int kGuidePoint = 109;
constexpr int kGuideName = 110;
constexpr int kGuideX = 106;
constexpr int kGuideY = 107;
constexpr int kGuideZ = 108;
constexpr int kGuideMark = 337;
constexpr int kGuideCode = 338;
constexpr int kGuideHeightQuestion = 17;

constexpr double kKindName = 2;
constexpr double kKindNameXYZ = 3;
constexpr double kKindMarkCode = 4;

// The line type of a point that is not joined, and mark 0: the attribute shown
// for a point that has none.
constexpr std::string_view kUnjoinedAttribute = "90";

// The last word of a value shown behind a prompt: in the full input style Enter
// hands back exactly this, so an answer equal to it keeps the value.
std::string LastWordOf(std::string_view shown) {
  const std::string trimmed = RtTrim(shown);
  const size_t blank = trimmed.rfind(' ');
  return blank == std::string::npos ? trimmed : trimmed.substr(blank + 1);
}

// True when the answer changes the value shown: not Enter alone and not the
// shown value handed back.
bool Changes(const std::string& answer, std::string_view shown) {
  return !answer.empty() && answer != LastWordOf(shown);
}

// The value of a text that is a number and nothing else.
std::optional<double> NumberOf(std::string_view text) {
  const std::string trimmed = RtTrim(text);
  try {
    const rt::NumberScan scan = rt::ScanNumber(trimmed, true);
    if (scan.found && scan.end == trimmed.size()) return scan.value;
  } catch (const RtError&) {
    // A number beyond the range of a double is no coordinate either.
  }
  return std::nullopt;
}

// Reads the answer behind `prompt` + `shown`.
const std::string& Ask(App& app, std::string_view prompt, std::string_view shown, int guide) {
  RtPrintStr(std::string(prompt) + std::string(shown), false);
  app.input.GuideNumber = guide;
  InputPointName(app);
  return app.input.Answer;
}

void AskKindWhileUnset(App& app) {
  points::Store& p = app.points;
  if (p.CorrectionKind != 0) return;
  RtPrintStr("", true);
  RtPrintStr(" 訂正  1:全部  2:点名  3:名XYZ  4:ﾏｰｸ,ｺｰﾄﾞ 1", false);
  app.input.GuideNumber = kGuideKind;
  InputMenuChoice(app);
  if (!app.input.Answer.empty()) p.CorrectionKind = app.input.AnswerValue;
}

// The number after the one corrected last; point 1 when WorkPointY holds no
// number of the table below its last one.
int SuggestedPoint(const App& app) {
  const double last = app.points.WorkPointY;
  if (last >= 0 && last < app.points.PointCapacity && last == std::floor(last)) {
    return static_cast<int>(last) + 1;
  }
  return 1;
}

// The point to correct, or nothing when the answer named no point.
std::optional<int> AskPoint(App& app) {
  points::Store& p = app.points;
  ui::InputState& in = app.input;
  const int suggested = SuggestedPoint(app);
  RtColor(5);
  RtPrintStr(p.PointName(suggested) + "   ", false);
  RtColor(7);
  const std::string digits = RtLeft(rt::Digits(suggested), 6);
  RtPrintStr(" ｲﾝ NO. " + digits, false);
  in.GuideNumber = kGuidePoint;
  InputText(app);
  if (in.Answer.empty()) in.Answer = digits;
  const double last = p.WorkPointY;
  ResolvePointNumberOrName(app);
  if (p.PointNotFound != 0) {
    // The suggestion stays; the correction never falls back on another point.
    p.WorkPointY = last;
    return std::nullopt;
  }
  return static_cast<int>(p.WorkPointY);
}

void CorrectName(App& app, int n) {
  points::Store& p = app.points;
  RtPrintStr(" NO.", false);
  RtPrintNum(n, true);
  const std::string& answer = Ask(app, " ﾃﾝﾒｲ= ", p.PointName(n), kGuideName);
  if (Changes(answer, p.PointName(n))) p.PointName(n) = answer;
}

// One coordinate: Enter or the value shown keeps it; a number is stored as
// typed; anything else is asked again.
void CorrectCoordinate(App& app, double& value, std::string_view prompt, double shown, int guide) {
  const std::string shownText = RtNumText(shown);
  for (;;) {
    const std::string& answer = Ask(app, prompt, shownText, guide);
    if (!Changes(answer, shownText)) return;
    if (const std::optional<double> typed = NumberOf(answer)) {
      value = *typed;
      return;
    }
    RtPrintStr(" 数値を入力してください", true);
  }
}

void CorrectCoordinates(App& app, int n) {
  points::Store& p = app.points;
  CorrectCoordinate(app, p.PointX(n), " X= ", RoundCoordinate(app, p.PointX(n)), kGuideX);
  CorrectCoordinate(app, p.PointY(n), " Y= ", RoundCoordinate(app, p.PointY(n)), kGuideY);
  CorrectCoordinate(app, p.PointZ(n), " Z= ", RoundHeight(app, p.PointZ(n)), kGuideZ);
}

bool IsMarkDigit(const std::string& answer) {
  return answer.size() == 1 && answer[0] >= '0' && answer[0] <= '9';
}

// The mark and the code. The attribute is shown with mark 0 when it is empty
// and with mark 8 when its mark is no digit, but it is rewritten only when the
// user changes the mark or the code.
void CorrectMarkAndCode(App& app, int n) {
  points::Store& p = app.points;
  const std::string stored = p.PointAttribute(n);
  const std::string shown = stored.empty() ? std::string(kUnjoinedAttribute) : stored;
  const std::string lineType = RtLeft(shown, 1);
  std::string mark = RtMid(shown, 2, 1);
  std::string code = RtMid(shown, 3, 99);
  const std::string shownMark = mark > "9" ? "8" : mark;
  bool changed = false;
  for (;;) {
    RtPrintTab(34);
    RtPrintStr("[0,1,2,3,4,5,6,7,8,9]", false);
    RtLocate(0, RtCsrlin());
    const std::string& answer = Ask(app, " マークNO= ", shownMark, kGuideMark);
    if (!Changes(answer, shownMark)) break;
    if (IsMarkDigit(answer)) {
      mark = answer;
      changed = true;
      break;
    }
    RtPrintStr(" マークは 0 から 9 の数字です", true);
  }
  const std::string& answer = Ask(app, " コード= ", code, kGuideCode);
  if (Changes(answer, code)) {
    code = answer;
    changed = true;
  }
  if (!changed) return;
  if (mark.empty()) mark = "0";
  p.PointAttribute(n) = lineType + mark + code;
}

Jump Corrected(App& app, int n) {
  PlaySound(app, "ding.wav");
  app.points.WorkPointY = n;
  return {AskCoordinateInputNumber};
}

}  // namespace

Jump CorrectPoint(App& app) {
  points::Store& p = app.points;
  AskKindWhileUnset(app);
  const std::optional<int> point = AskPoint(app);
  if (!point) return {AskCoordinateInputNumber};
  const int n = *point;
  if (p.CorrectionKind != kKindMarkCode) {
    CorrectName(app, n);
    if (p.CorrectionKind == kKindName) return Corrected(app, n);
    CorrectCoordinates(app, n);
    if (p.CorrectionKind == kKindNameXYZ) return Corrected(app, n);
  }
  CorrectMarkAndCode(app, n);
  return Corrected(app, n);
}

Jump SimpleCoordinateInput(App& app) {
  shell::ShellState& s = app.shell;
  shell::Settings& settings = app.settings;
  points::Store& p = app.points;
  s.SimpleInputActive = 1;
  s.SimpleInputSavedZD = settings.ZD;
  s.SimpleInputSavedZE = settings.ZE;
  settings.ZD = 3;
  settings.ZE = 0;
  app.lines.CurrentLineType = 9;  // new points are not joined
  p.SelectionLast = -1;
  RtPrintStr(" Z 入力なし[Y,N]Y", false);
  app.input.GuideNumber = kGuideHeightQuestion;
  InputPointName(app);
  if (app.input.Answer == "N") settings.ZE = 3;
  for (;;) {
    p.WorkPointZ = 0;
    InputNewPointByCoordinates(app);
    if (app.input.RawAnswer == "%") break;
    NextPointName(app);
    StorePoint(app);
    p.WorkPointY = p.StoredPointNumber;
  }
  s.SimpleInputActive = 0;
  settings.ZD = s.SimpleInputSavedZD;
  settings.ZE = s.SimpleInputSavedZE;
  return {CoordinateInputMenu};
}
