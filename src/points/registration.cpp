#include "points/registration.h"

#include <cmath>
#include <string>

#include "core/app.h"
#include "core/constants.h"
#include "core/point_names.h"
#include "core/routines.h"
#include "core/sound.h"
#include "points/geometry.h"
#include "points/local_public.h"
#include "points/point_input.h"
#include "points/point_list_line.h"
#include "points/table.h"
#include "runtime/console.h"
#include "runtime/files.h"
#include "runtime/numtext.h"
#include "runtime/text.h"
#include "ui/input.h"
#include "ui/view.h"

namespace {

using core::kPrintBuffer;

bool IsDigit1To9(char c) { return c >= '1' && c <= '9'; }

// The command line of the name and number questions.
void ShowCommandLine(const App& app) { ShowOptionLineAt(app, 34, "[[=],P,M,L,/,=,*,+,Q]"); }

// The name question; Enter alone takes the proposal.
void AskName(App& app, const std::string& proposed) {
  ui::InputState& in = app.input;
  RtPrintStr(RtStr(app.points.StoredPointNumber) + " ﾃﾝﾒｲ= " + proposed + " ", false);
  in.GuideNumber = 12;
  InputText(app);
  if (in.Answer.empty()) in.Answer = proposed;
}

// Lists the points that bear the name in Answer; StoredPointNumber := the lowest
// of them, or PointCount + 1 when none does.
void FindSameName(App& app) {
  points::Store& p = app.points;
  const std::string& name = app.input.Answer;
  const int count = RtWhole(p.PointCount);
  double lowest = 0;
  for (int i = 1; i <= count; ++i) {
    if (p.PointName(i) != name) continue;
    RtColor(5);
    RtPrintUsingNum("##### ﾆ &              & #######.### #######.### #####.### ｱﾘ",
                    {double(i), name, p.PointX(i), p.PointY(i), p.PointZ(i)}, false);
    RtColor(7);
    RtPrintStr("", true);
    if (lowest == 0) lowest = i;
  }
  p.StoredPointNumber = lowest != 0 ? lowest : p.PointCount + 1;
}

// The proposed name painted over in the background colour, the answer written there.
void ShowAnswerAtPoint(App& app, const std::string& proposed) {
  ui::InputState& in = app.input;
  ui::ViewState& v = app.view;
  const std::string answer = in.Answer;
  in.Answer = proposed;
  v.PointDrawColour = v.BackgroundShade;
  DrawCrossWithNameNoErase(app);
  in.Answer = answer;
  v.PointDrawColour = 2;
  DrawCrossWithNameNoErase(app);
}

// The number question, asked when the name is not the number's own text. False
// when the text typed is no number: it is then the new answer, to be taken from
// the same-name step again.
bool AskNumber(App& app) {
  points::Store& p = app.points;
  ui::InputState& in = app.input;
  if (RtStr(p.StoredPointNumber) == in.Answer) return true;
  ShowCommandLine(app);
  const std::string name = in.Answer;
  RtPrintStr(name + " ﾃﾝﾊﾞﾝ=" + RtStr(p.StoredPointNumber) + " ", false);
  in.GuideNumber = 13;
  InputText(app);
  const std::string typed = in.Answer;
  const double value = in.AnswerValue;
  in.Answer = name;
  if (!typed.empty()) p.StoredPointNumber = value;
  if (p.StoredPointNumber != 0) return true;
  in.Answer = typed;
  p.StoredPointNumber = p.NextPointNumber;
  return false;
}

bool IsStorableNumber(const App& app, double n) {
  return n >= 0 && n <= app.points.PointCapacity && n == std::floor(n);
}

// Writes the point at NextPointNumber under the name in Answer.
void StoreAtNextNumber(App& app) {
  points::Store& p = app.points;
  const double n = p.NextPointNumber;
  AppendToNewPointList(app, p.StoredPointNumber);
  p.PointName(n) = app.input.Answer;
  p.PointAttribute(n) = p.PendingPointAttribute;
  p.PointZ(n) = p.WorkPointZ;
  p.PointX(n) = p.WorkPointX;
  p.PointY(n) = p.WorkPointY;
  p.WorkPointZ = 0;
  PlaySound(app, "ding.wav");
  if (n > p.PointCount) {
    p.PointCount = n;
    SplitPointNameTail(app);  // the next proposal follows the stored name
  }
}

void ReportAndStore(App& app) {
  points::Store& p = app.points;
  const shell::Settings& s = app.settings;
  PrintPointListByMode(app);
  const double command = app.shell.LastMainMenuChoice;
  if (s.ZD <= 2 && (command == 2 || command == 3)) RtPrintToFile(kPrintBuffer, "");
  if (s.ZD != 1) StoreAtNextNumber(app);
  if (p.NextPointNumber < p.PointCapacity) p.NextPointNumber += 1;
}

void FinishRegistration(App& app) {
  points::Store& p = app.points;
  p.WorkPointX = p.PendingPointX;
  p.WorkPointY = p.PendingPointY;
  p.LineConnectMode = 0;
}

enum class Answered { Store, Pass };

// The answer from the same-name step on, until a number to store under is known
// or the user passes.
Answered TakeName(App& app, const std::string& proposed) {
  points::Store& p = app.points;
  ui::InputState& in = app.input;
  for (;;) {
    FindSameName(app);
    ShowAnswerAtPoint(app, proposed);
    p.PointInputMode = 0;
    if (RtUcase(in.Answer) == "P") return Answered::Pass;
    if (RtUcase(in.Answer) == "Q") JumpTo(EntryOf(Routines().ShowResultMenu));
    if (!in.Answer.empty() && IsDigit1To9(in.Answer[0])) in.Answer.insert(0, " ");
    if (AskNumber(app)) return Answered::Store;
  }
}

}  // namespace

void StorePoint(App& app) {
  points::Store& p = app.points;
  ui::InputState& in = app.input;
  p.PendingPointX = p.LastPointX = p.WorkPointX;
  p.PendingPointY = p.LastPointY = p.WorkPointY;
  NextPointName(app);
  if (app.settings.ZD == 1) {
    PrintPointCoordinates(app);
    PrintPointListLine(app);
    FinishRegistration(app);
    return;
  }
  for (;;) {
    p.StoredPointNumber = p.NextPointNumber;
    DrawAndPrintPointCoordinates(app);
    ShowCommandLine(app);
    p.PointInputMode = 1;
    const std::string proposed = in.Answer;
    AskName(app, proposed);
    CaretToSpaceInAnswer(app);
    if (RtUcase(in.Answer) != "Q" && app.settings.ZD == 4) {
      p.StoredPointNumber = app.shell.Epsilon;
      PrintPointListByMode(app);
      break;
    }
    if (TakeName(app, proposed) == Answered::Pass) {
      PrintPointListByMode(app);
      break;
    }
    if (!IsStorableNumber(app, p.StoredPointNumber)) {
      ReportPointNumberOutOfRange(app);
      continue;  // asked again, the name typed now proposed
    }
    p.CurrentPointNumber = p.NextPointNumber = p.StoredPointNumber;
    ReportAndStore(app);
    break;
  }
  FinishRegistration(app);
}
