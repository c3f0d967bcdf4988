// The coordinate input menu and its keyed input loop (modes 0 to 5).
#include "points/coordinate_input.h"

#include <algorithm>
#include <cmath>
#include <string>

#include "core/app.h"
#include "core/point_names.h"
#include "core/routines.h"
#include "core/sound.h"
#include "points/coordinate_list.h"
#include "points/name_replacement.h"
#include "points/point_correction.h"
#include "points/point_input.h"
#include "points/resolver.h"
#include "points/same_points.h"
#include "points/spreadsheet_input.h"
#include "points/table.h"
#include "runtime/console.h"
#include "runtime/numtext.h"
#include "ui/input.h"
#include "ui/view.h"

namespace {

constexpr int kGuideMenu = 247;
constexpr int kGuideNumber = 104;
constexpr int kGuideName = 105;
constexpr int kGuideX = 106;
constexpr int kGuideY = 107;
constexpr int kGuideZ = 108;
constexpr int kGuideAutoName = 249;
// The value of the menu's answer before it is read: Enter alone leaves it.
constexpr double kNoMode = 12;

enum Mode {
  kNameXY = 0,
  kName = 1,
  kAutoNameXY = 2,
  kHeight = 3,
  kAutoNameXYZ = 4,
  kNameXYZ = 5,
  kCorrection = 6,
  kMarks = 7,
  kNameReplacement = 8,
  kSamePoints = 9,
  kSimpleInput = 10,
  kSpreadsheet = 11,
};

int CurrentMode(const App& app) { return points::CoordinateInputModeOf(app.points.CoordinateInputMode); }

void PrintMenu() {
  RtPrintStr("", true);
  RtPrintStr(" 0:名XY      1:名       2:A名XY    3:Z         4:A名XYZ", true);
  RtPrintStr(" 5:名XYZ     6:訂正     7:ﾏｰｸ変更  8:点名置換  9:同点編集", true);
  RtPrintStr("10:簡易入力 11:ｴｸｾﾙ入力", false);
}

// The answer of one of the loop's questions: `prompt` printed, the answer read.
// False for Enter alone.
bool Ask(App& app, const char* prompt, int guide) {
  RtPrintStr(prompt, false);
  app.input.GuideNumber = guide;
  InputPointName(app);
  return !app.input.Answer.empty();
}

enum class Asked { Done, BackToPrompt };

// The name question of modes 0, 1 and 5.
Asked AskName(App& app) {
  points::Store& p = app.points;
  p.PendingInputName.clear();
  if (!Ask(app, " ﾃﾝﾒｲ=", kGuideName)) return Asked::BackToPrompt;
  p.PendingInputName = app.input.Answer;
  return Asked::Done;
}

// The automatic name of modes 2 and 4: offered once, then generated without a
// question for every following point.
void TakeAutomaticName(App& app) {
  points::Store& p = app.points;
  ui::InputState& in = app.input;
  if (p.AutoNameRunning == 0) {
    p.AutoNameRunning = 1;
    NextPointName(app);
    RtPrintStr(" ｵｰﾄﾃﾝﾒｲ= " + in.Answer, false);
    in.GuideNumber = kGuideAutoName;
    InputPointName(app);
    if (!in.Answer.empty()) {
      p.PendingInputName = in.Answer;
      SplitPointName(app);  // the typed name starts the series anew
      return;
    }
  }
  NextPointName(app);
  RtPrintStr(" ﾃﾝﾒｲ=" + in.Answer, true);
  p.PendingInputName = in.Answer;
}

// X and Y into the work point; Enter alone at Y asks X again.
Asked AskPlaneCoordinates(App& app) {
  points::Store& p = app.points;
  for (;;) {
    if (!Ask(app, " X=", kGuideX)) {
      p.WorkPointX = app.shell.Epsilon;
      p.AutoNameRunning = 0;
      return Asked::BackToPrompt;
    }
    p.WorkPointX = app.input.AnswerValue;
    if (Ask(app, " Y=", kGuideY)) {
      p.WorkPointY = app.input.AnswerValue;
      return Asked::Done;
    }
  }
}

// The height into the work point. Enter alone: nothing in mode 3, height 0 in
// modes 4 and 5 (a point typed without a height has none).
Asked AskHeight(App& app, int mode) {
  points::Store& p = app.points;
  if (Ask(app, " Z=", kGuideZ)) {
    p.WorkPointZ = app.input.AnswerValue;
    return Asked::Done;
  }
  if (mode == kHeight) return Asked::BackToPrompt;
  p.WorkPointZ = 0;
  return Asked::Done;
}

Asked AskByMode(App& app, int mode) {
  points::Store& p = app.points;
  const bool automatic = mode == kAutoNameXY || mode == kAutoNameXYZ;
  if (automatic) {
    TakeAutomaticName(app);
  } else if (mode != kHeight && AskName(app) == Asked::BackToPrompt) {
    return Asked::BackToPrompt;
  }
  if (mode == kName) return Asked::Done;
  if (mode != kHeight && AskPlaneCoordinates(app) == Asked::BackToPrompt) return Asked::BackToPrompt;
  if (mode == kNameXY || mode == kAutoNameXY) {
    p.WorkPointZ = 0;
    return Asked::Done;
  }
  return AskHeight(app, mode);
}

// The point's label in the view: the old name painted over in the background's
// colour, then the cross and the new name.
void RedrawLabel(App& app, const std::string& oldName, const std::string& newLabel) {
  ui::ViewState& v = app.view;
  ui::InputState& in = app.input;
  in.Answer = oldName;
  v.PointDrawColour = app.settings.RG == 15 ? 7 : 0;
  DrawCrossWithNameNoErase(app);
  in.Answer = newLabel;
  v.PointDrawColour = 2;
  DrawCrossWithNameNoErase(app);
}

void StoreInputPoint(App& app, int n, int mode) {
  points::Store& p = app.points;
  ui::InputState& in = app.input;
  if (mode != kName) {
    p.PointX(n) = p.WorkPointX;
    p.PointY(n) = p.WorkPointY;
    p.PointZ(n) = p.WorkPointZ;
  }
  const std::string oldName = p.PointName(n);
  // The name exactly as typed; it is the base of the automatic names that follow.
  p.PointName(n) = p.PendingInputName;
  in.Answer = p.PendingInputName;
  in.AnswerValue = RtVal(in.Answer);
  SplitPointName(app);
  p.WorkPointX = p.PointX(n);
  p.WorkPointY = p.PointY(n);
  RedrawLabel(app, oldName, in.Answer);
  p.PointInputMode = 0;
  PlaySound(app, "ding.wav");
  if (n > p.PointCount) p.PointCount = n;
}

}  // namespace

namespace points {

int CoordinateInputModeOf(double mode) {
  if (!(mode > -0.5 && mode < kNoMode - 0.5)) return -1;
  return static_cast<int>(std::round(mode));
}

}  // namespace points

Jump CoordinateInputMenu(App& app) {
  points::Store& p = app.points;
  p.AutoNameRunning = 0;
  p.InputNumberGiven = 0;
  p.CorrectionKind = 0;
  PrintMenu();
  p.CoordinateInputMode = kNoMode;
  app.input.GuideNumber = kGuideMenu;
  InputMenuChoice(app);
  if (!app.input.Answer.empty()) p.CoordinateInputMode = app.input.AnswerValue;
  switch (CurrentMode(app)) {
    case kMarks:
      return {ChangeMarks};
    case kNameReplacement:
      return {ReplacePointNameText};
    case kSamePoints:
      return {EditSamePoints};
    case kSimpleInput:
      return {SimpleCoordinateInput};
    case kSpreadsheet:
      return {InputPointsBySpreadsheet};
    case -1:
      return {EntryOf(Routines().CoordinateManagementMenu)};
    default:
      return {AskCoordinateInputNumber};
  }
}

Jump AskCoordinateInputNumber(App& app) {
  points::Store& p = app.points;
  ui::InputState& in = app.input;
  ShowOptionLineAt(app, 39, "[ENT =ﾘｽﾄ,M,J,Q]");
  if (CurrentMode(app) == kCorrection) return {CorrectPoint};
  RtPrintStr(" ｲﾝ NO. ", false);
  const double offered = p.PointCount + 1;
  if (p.InputNumberGiven == 0) RtPrintNum(offered, false);
  // The point the coordinate table opens at on "L": the one in hand, or the
  // offered one before the first number.
  const double current = p.InputNumberGiven == 0 ? offered : std::floor(p.InputPointNumber);
  p.WorkPointY = std::clamp(current, 1.0, p.PointCapacity);
  in.GuideNumber = kGuideNumber;
  InputText(app);
  if (in.Answer.empty()) {
    if (p.InputNumberGiven != 0) {
      p.ListPointNumber = p.InputPointNumber;
      return {ListCoordinatesFrom};
    }
    if (offered > p.PointCapacity) {
      ReportPointNumberOutOfRange(app);
      return {AskCoordinateInputNumber};
    }
    in.Answer = rt::Digits(offered);
  }
  ResolvePointNumberOrName(app);
  if (p.PointNotFound != 0) return {AskCoordinateInputNumber};
  p.InputPointNumber = p.WorkPointY;
  p.InputNumberGiven = 1;
  return {EditCoordinateInputPoint};
}

Jump EditCoordinateInputPoint(App& app) {
  points::Store& p = app.points;
  const double number = p.InputPointNumber;
  if (!(number >= 1 && number <= p.PointCapacity) || number != std::floor(number)) {
    // Past the last number of the table: the run stops here.
    ReportPointNumberOutOfRange(app);
    p.InputPointNumber = p.PointCapacity;
    return {AskCoordinateInputNumber};
  }
  const int n = static_cast<int>(number);
  p.ListPointNumber = n;
  PrintCoordinateListEntry(app);
  p.PendingInputName = p.PointName(n);
  int mode = CurrentMode(app);
  if (mode == kCorrection) {
    // The correction suggests the number after the one it corrected last.
    p.WorkPointY = n - 1;
    return {CorrectPoint};
  }
  // Only the keyed modes edit a point handed over by the list.
  if (mode < kNameXY || mode > kNameXYZ) mode = kNameXY;
  if (AskByMode(app, mode) == Asked::BackToPrompt) return {AskCoordinateInputNumber};
  StoreInputPoint(app, n, mode);
  p.InputPointNumber = n + 1;
  return {EditCoordinateInputPoint};
}
