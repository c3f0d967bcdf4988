// The resolver's steps are taken in a fixed order: number, name prefix, the
// coordinate table, the names by hundreds, the exits, a new point, and last the
// name search, so that command letters and trailing "=" win over names.
#include "points/resolver.h"

#include <algorithm>
#include <cmath>
#include <string>
#include <string_view>

#include "core/app.h"
#include "core/point_names.h"
#include "core/routines.h"
#include "points/point_input.h"
#include "points/registration.h"
#include "points/table.h"
#include "points/table_screen.h"
#include "runtime/console.h"
#include "runtime/numtext.h"
#include "runtime/text.h"
#include "runtime/windows.h"
#include "ui/input.h"
#include "ui/view.h"

namespace {

// Where the resolver goes on after a step.
enum class Next {
  Found,      // a number is in WorkPointY: the answer-P test, then the final step
  Return,     // back to the caller as things stand
  StartOver,  // the full entry again with the answer in hand
};

enum class Start { Full, NumberOrName, FromList };

// Below this many rows of 18 pixels in the main window's outer height, the names
// by hundreds are listed one blank apart instead of in columns.
constexpr double kColumnListRows = 17;
constexpr double kRowPixels = 18;

// The guide a click on a point in the view shows: the answer was picked there.
constexpr double kGuidePointClicked = 270;

bool IsCommand(std::string_view answer, std::string_view letter) {
  return RtUcase(answer) == letter;
}

// ---- Number and name prefix ----

// An answer that begins with a digit 1 to 9 and whose value lies within the table.
bool IsPointNumberAnswer(const App& app, const std::string& answer) {
  return !answer.empty() && answer[0] >= '1' && answer[0] <= '9' &&
         RtVal(answer) <= app.points.PointCapacity;
}

bool EndsWithEquals(const std::string& answer) { return !answer.empty() && answer.back() == '='; }

// Draws highlighted and lists every point whose name begins with the answer less
// its "=", then the count of them; the answer becomes empty.
void ListNamesWithPrefix(App& app) {
  points::Store& p = app.points;
  std::string& answer = app.input.Answer;
  const std::string prefix = answer.substr(0, answer.size() - 1);
  const int count = RtWhole(p.PointCount);
  double matches = 0;
  RtColor(3);
  for (int n = 1; n <= count; ++n) {
    const std::string& name = p.PointName(n);
    if (name.compare(0, prefix.size(), prefix) != 0) continue;
    app.view.PointToDraw = n;
    DrawPointHighlighted(app);
    RtPrintStr(name + ",", false);
    matches += 1;
  }
  RtColor(7);
  answer.clear();
  RtPrintStr("(", false);
  RtPrintNum(matches, false);
  RtPrintStr(")", true);
}

// ---- The coordinate table and the names by hundreds ----

void PickFromCoordinateTable(App& app) {
  points::Store& p = app.points;
  const double callersNumber = p.TablePointNumber;
  p.TablePointNumber = p.WorkPointY;
  ShowCoordinateTable(app);
  p.WorkPointY = p.TablePointNumber;
  p.TablePointNumber = callersNumber;
}

void PrintBrowsedName(App& app, double k, bool compact) {
  const std::string& name = app.points.PointName(k);
  if (compact) {
    RtPrintStr(name + " ", false);
  } else {
    RtPrintUsingNum("&      &@ ", {name, RtMid(name, 9, 8)}, false);
  }
}

// "( 201 ～ 300 )", then the block numbers and the block of k: "[ 0  1  2  ]*100  3 ".
void PrintBlockPrompt(const App& app, double k) {
  const double first = std::floor((k - double(0.1f)) / 100) * 100 + 1;
  RtPrintStr("(", false);
  RtPrintNum(first, false);
  RtPrintStr("～", false);
  RtPrintNum(k, false);
  RtPrintStr(")", true);
  RtPrintStr("[", false);
  const double lastBlock = std::floor((app.points.PointCount - 1) / 100);
  for (double block = 0; block <= lastBlock; ++block) RtPrintNum(block, false);
  RtPrintStr(" ]*100 ", false);
  RtPrintNum(std::floor(k / 100), false);
}

// Lists the names by hundreds from the hundred of CurrentPointNumber and asks at
// the end of each hundred where to go on. True when an answer there is to be
// resolved from the start; false when the listing ran past PointCount, with its
// last answer (or "J" when nothing was listed) in Answer.
bool BrowseNamesByHundreds(App& app) {
  points::Store& p = app.points;
  ui::InputState& in = app.input;
  const double count = p.PointCount;
  double start = std::floor(p.CurrentPointNumber / 100) * 100;
  if (start + 1 > count) start -= 100;
  // Numbers below 1 are no points: with none in use nothing is listed.
  double k = std::max(start + 1, 1.0);
  const bool compact = RtWindowOuterHeight(RtWindowId::Main) / kRowPixels < kColumnListRows;
  while (k <= count) {
    PrintBrowsedName(app, k, compact);
    if (std::fmod(k, 100) != 0 && k != count) {
      k += 1;
      continue;
    }
    PrintBlockPrompt(app, k);
    in.GuideNumber = 205;
    InputText(app);
    if (in.Answer.empty()) {
      k += 1;
    } else if (in.Answer == "0") {
      k = 1;
    } else if (in.AnswerValue == 0) {
      return true;
    } else {
      // A block is a whole number; a block below the first lists from the first.
      k = std::max(std::floor(in.AnswerValue) * 100 + 1, 1.0);
    }
  }
  return false;
}

// ---- Exits and a new point ----

void LeaveOnExitCommand(const std::string& answer) {
  if (IsCommand(answer, "Q")) JumpTo(EntryOf(Routines().RepeatLastCommand));
  if (IsCommand(answer, "W")) JumpTo(EntryOf(Routines().SearchPointArea));
  if (IsCommand(answer, "Z")) JumpTo(EntryOf(Routines().PlotAllPoints));
}

// The settings the new point is registered with, put back however the
// registration ends: also when it leaves by a jump, so that a "Q" there does not
// leave the user's ZD changed for the rest of the run.
class NewPointSettings {
 public:
  explicit NewPointSettings(App& app)
      : app_(app),
        lineConnectMode_(app.points.LineConnectMode),
        zef_(app.settings.ZEF),
        lineType_(app.lines.CurrentLineType),
        zd_(app.settings.ZD) {
    app.lines.CurrentLineType = 9;  // the new point is not joined
    app.settings.ZD = 3;            // registered without a report line
  }
  ~NewPointSettings() {
    app_.points.LineConnectMode = lineConnectMode_;
    app_.settings.ZEF = zef_;
    app_.lines.CurrentLineType = lineType_;
    app_.settings.ZD = zd_;
  }
  NewPointSettings(const NewPointSettings&) = delete;
  NewPointSettings& operator=(const NewPointSettings&) = delete;

 private:
  App& app_;
  double lineConnectMode_;
  double zef_;
  double lineType_;
  double zd_;
};

Next NothingFound(App& app);

// The answer "I": a point typed (or clicked) by its coordinates is registered on
// the spot, and its number is the answer.
Next RegisterNewPoint(App& app) {
  points::Store& p = app.points;
  double height = 0;
  bool abandoned = false;
  {
    const NewPointSettings settings(app);
    InputNewPointByCoordinates(app);
    abandoned = app.input.RawAnswer == "%";
    if (!abandoned) {
      p.WorkPointZ = p.DesignatedPointZ;
      height = p.WorkPointZ;
      NextPointName(app);
      StorePoint(app);
    }
  }
  if (abandoned) {
    // Enter alone at "X=": nothing is registered, and the question counts as
    // unanswered.
    app.input.Answer.clear();
    return NothingFound(app);
  }
  p.WorkPointZ = height;
  p.WorkPointY = p.StoredPointNumber;
  p.RunningPointNumber += 1;
  return Next::Return;
}

// ---- Name search ----

// The point a click in the view designated when the answer is the name that
// click typed, else 0: among points of that name it is the one meant.
int ClickedPoint(const App& app) {
  const ui::InputState& in = app.input;
  if (in.GuideNumber != kGuidePointClicked) return 0;
  const double n = in.PickedPointNumber;
  if (n < 1 || n > app.points.PointCount) return 0;
  return app.points.PointName(n) == in.Answer ? static_cast<int>(n) : 0;
}

void PrintMatchNumber(int n) {
  RtColor(1);
  RtPrintStr(RtStr(n), false);
  RtColor(7);
}

// The choice among points of the same name: Enter takes the offered number, a
// number takes that number, a text whose value is 0 takes none (false). A number
// outside the table is refused and the choice asked again.
bool ChooseAmongSameNamed(App& app, double offered, double& chosen) {
  ui::InputState& in = app.input;
  const std::string name = in.Answer;
  for (;;) {
    RtPrintStr(" の点番に " + name + " あり No." + rt::Digits(offered), false);
    in.GuideNumber = 283;
    InputMenuChoice(app);
    if (in.Answer.empty()) {
      chosen = offered;
      return true;
    }
    if (in.AnswerValue == 0) return false;
    const double rounded = std::round(in.AnswerValue);
    if (rounded >= 1 && rounded <= app.points.PointCapacity) {
      chosen = in.AnswerValue;
      return true;
    }
    ReportPointNumberOutOfRange(app);
  }
}

// The points 1 to PointCount named exactly as the answer; the number taken, or
// false when none is.
bool SearchName(App& app, double& taken) {
  const points::Store& p = app.points;
  const std::string& answer = app.input.Answer;
  const int clicked = ClickedPoint(app);
  const int count = RtWhole(p.PointCount);
  int matches = 0;
  int first = 0;
  int offered = 0;
  for (int n = 1; n <= count; ++n) {
    if (p.PointName(n) != answer) continue;
    ++matches;
    if (matches == 1) first = offered = n;
    if (matches == 2) PrintMatchNumber(first);
    if (matches >= 2) PrintMatchNumber(n);
    if (n == clicked) offered = n;
  }
  if (matches == 0) return false;
  if (matches == 1) {
    taken = first;
    return true;
  }
  return ChooseAmongSameNamed(app, offered, taken);
}

// The question of the resolver itself: the option line and "NO. ".
void AskAgain(App& app, void (*ask)(App&)) {
  ShowPointOptionLine(app);
  RtPrintStr("NO. ", false);
  app.input.GuideNumber = 206;
  ask(app);
}

Next NothingFound(App& app) {
  points::Store& p = app.points;
  if (!app.input.Answer.empty()) RtPrintStr("ｱﾘﾏｾﾝ", true);
  p.WorkPointY = p.CurrentPointNumber;
  p.PointNotFound = app.shell.Epsilon;
  if (p.PointReaskFlag == 0) return Next::Return;
  AskAgain(app, InputText);
  return Next::StartOver;
}

// ---- The steps ----

// From the coordinate table on (the entry of ResolvePointFromList).
Next StepsFromTable(App& app) {
  ui::InputState& in = app.input;
  if (IsCommand(in.Answer, "L")) {
    PickFromCoordinateTable(app);
    return Next::Found;
  }
  if (IsCommand(in.Answer, "J") && BrowseNamesByHundreds(app)) return Next::StartOver;
  LeaveOnExitCommand(in.Answer);
  if (IsCommand(in.Answer, "I")) return RegisterNewPoint(app);
  CaretToSpaceInAnswer(app);
  double taken = 0;
  if (!SearchName(app, taken)) return NothingFound(app);
  app.points.WorkPointY = taken;
  return Next::Found;
}

Next StepsOfNumberOrName(App& app) {
  points::Store& p = app.points;
  ui::InputState& in = app.input;
  p.PointNotFound = 0;
  if (IsPointNumberAnswer(app, in.Answer)) {
    p.WorkPointY = RtVal(in.Answer);
    return Next::Found;
  }
  if (EndsWithEquals(in.Answer)) {
    ListNamesWithPrefix(app);
    return Next::StartOver;
  }
  return StepsFromTable(app);
}

void TakeFoundPoint(App& app) {
  points::Store& p = app.points;
  ui::InputState& in = app.input;
  const double n = p.WorkPointY;
  p.LastPointAnswer = in.Answer;
  in.Answer = p.PointName(n);
  app.view.PointToDraw = n;
  p.LastPointX = p.PointX(n);
  p.LastPointY = p.PointY(n);
  if (in.BrowseKey != "\r") DrawPointHighlighted(app);
}

void Resolve(App& app, Start start) {
  points::Store& p = app.points;
  ui::InputState& in = app.input;
  for (;;) {
    if (start == Start::Full && IsCommand(in.Answer, "P")) {
      p.WorkPointY = app.shell.Epsilon;
      return;
    }
    const Next next = start == Start::FromList ? StepsFromTable(app) : StepsOfNumberOrName(app);
    if (next == Next::Return) return;
    if (next == Next::Found) {
      // A point found by the answer P (a point so named) is not taken: P has its
      // meaning at the full entry only.
      if (!IsCommand(in.Answer, "P")) {
        TakeFoundPoint(app);
        return;
      }
      AskAgain(app, InputPointName);
    }
    start = Start::Full;
  }
}

}  // namespace

void ResolvePointReference(App& app) { Resolve(app, Start::Full); }

void ResolvePointNumberOrName(App& app) { Resolve(app, Start::NumberOrName); }

void ResolvePointFromList(App& app) { Resolve(app, Start::FromList); }
