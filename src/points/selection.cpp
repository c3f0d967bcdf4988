// The selection question and its commands. Every append goes through one
// routine that takes only numbers of the point table and refuses to write past
// the list's last entry, so no answer can put a number into the list that
// indexes outside the table later, nor fail half-way with a run-time error.
#include "points/selection.h"

#include <cmath>
#include <optional>
#include <string>
#include <string_view>

#include "core/app.h"
#include "core/point_names.h"
#include "core/routines.h"
#include "core/sound.h"
#include "points/resolver.h"
#include "points/sorting.h"
#include "runtime/console.h"
#include "runtime/dialogs.h"
#include "runtime/files.h"
#include "runtime/numtext.h"
#include "runtime/text.h"
#include "ui/input.h"
#include "ui/view.h"

namespace {

// The bound a window side left open stands at: nine to the ninth power metres,
// beyond any coordinate of a job.
constexpr double kUnboundedCoordinate = 387420489;
// The result point list is file 6, read here as the result menu writes it.
constexpr int kListFile = 6;
constexpr std::string_view kOpenTitle = "ﾌｧｲﾙ読込";

// ---- Appending ----

// True for a number of the point table, 1 to PointCapacity (a fraction rounded).
bool IsTableNumber(const App& app, double n) {
  const double rounded = std::round(n);
  return rounded >= 1 && rounded <= app.points.PointCapacity;
}

// Appends n to the list. A full list is said (once per command that runs into
// it) and false comes back: the caller stops, and what was chosen stays.
bool AppendEntry(App& app, double n) {
  points::Store& p = app.points;
  if (p.SelectionLast >= p.SelectionList.Bound()) {
    RtPrintStr("", true);
    RtPrintStr(" 選択できるのは" + rt::Digits(p.SelectionList.Bound() + 1.0) +
                   "点までです。これ以上は追加しません", true);
    PlaySound(app, "chord.wav");
    return false;
  }
  p.SelectionLast += 1;
  p.SelectionList(p.SelectionLast) = RtInt16(n);
  return true;
}

// Appends the point, draws it highlighted and prints its name and ",".
bool AppendAndShow(App& app, int n) {
  if (!AppendEntry(app, n)) return false;
  app.view.PointToDraw = n;
  DrawPointHighlighted(app);
  RtPrintStr(app.points.PointName(n) + ",", false);
  return true;
}

// Resolves Answer; the number of the point it names, or nothing. A number
// outside the table (the resolver's Epsilon for "P" at a question it asked
// again) names no point here.
std::optional<int> ResolveAnswer(App& app) {
  points::Store& p = app.points;
  ResolvePointNumberOrName(app);
  if (p.PointNotFound == app.shell.Epsilon || !IsTableNumber(app, p.WorkPointY)) return {};
  return static_cast<int>(std::round(p.WorkPointY));
}

// Resolves the answer and appends the point when it names one.
void AppendPointReference(App& app) {
  const std::optional<int> n = ResolveAnswer(app);
  if (n) AppendEntry(app, *n);
}

// ---- Range ----

// The end of a range: the point the answer names, else the current point.
int AskRangeEnd(App& app) {
  const points::Store& p = app.points;
  RtPrintTab(35);
  RtPrintStr("END=", false);
  RtPrintNum(p.PointCount, false);
  RtLocate(0, RtCsrlin());
  RtPrintStr("   ~ no.", false);
  app.input.GuideNumber = 129;
  InputText(app);
  const std::optional<int> end = ResolveAnswer(app);
  return end ? *end : static_cast<int>(std::round(p.CurrentPointNumber));
}

void AppendRange(App& app, int start, int end) {
  const int step = end >= start ? 1 : -1;
  for (int n = start;; n += step) {
    if (!AppendAndShow(app, n) || n == end) break;
  }
  RtPrintStr("", true);
}

// ---- Boxes ----

struct Box {
  double lowX = 0;
  double highX = 0;
  double lowY = 0;
  double highY = 0;
};

// Appends every point 1 to PointCount inside the box (bounds included), in
// number order, leaving out `excluded`.
void SelectPointsInBox(App& app, const Box& box, int excluded) {
  const points::Store& p = app.points;
  const int count = RtWhole(p.PointCount);
  for (int n = 1; n <= count; ++n) {
    if (n == excluded) continue;
    if (p.PointX(n) < box.lowX || p.PointX(n) > box.highX) continue;
    if (p.PointY(n) < box.lowY || p.PointY(n) > box.highY) continue;
    if (!AppendAndShow(app, n)) break;
  }
  RtPrintStr("", true);
}

// One corner of a window: X, then Y, or both picked in the view ("F"). A value
// left empty is no limit on its side.
struct Corner {
  std::optional<double> x;
  std::optional<double> y;
};

std::optional<double> TypedBound(const App& app) {
  if (app.input.Answer.empty()) return {};
  return app.input.AnswerValue;
}

Corner AskCorner(App& app, std::string_view title, double guideX, double guideY) {
  ui::InputState& in = app.input;
  Corner corner;
  RtPrintStr(title, true);
  RtPrintStr("X=", false);
  in.GuideNumber = guideX;
  InputCoordinatePick(app);
  if (in.Answer == "F") {
    corner.x = in.PointerX;
    corner.y = in.PointerY;
    return corner;
  }
  corner.x = TypedBound(app);
  RtPrintStr("Y=", false);
  in.GuideNumber = guideY;
  InputPointName(app);
  corner.y = TypedBound(app);
  return corner;
}

void SelectWindow(App& app) {
  app.points.WorkPointY = 0;  // no point is left out of the box
  app.points.CoordinateLabelX = "X=";
  app.points.CoordinateLabelY = "Y=";
  const Corner first = AskCorner(app, "領域１点目", 197, 199);
  const Corner diagonal = AskCorner(app, "領域対角", 198, 200);
  // The first corner stands for the low side and the diagonal one for the high
  // side where a value is missing; given values may come in any order.
  Box box{first.x.value_or(-kUnboundedCoordinate), diagonal.x.value_or(kUnboundedCoordinate),
          first.y.value_or(-kUnboundedCoordinate), diagonal.y.value_or(kUnboundedCoordinate)};
  if (box.highX < box.lowX) std::swap(box.lowX, box.highX);
  if (box.lowY > box.highY) std::swap(box.lowY, box.highY);
  SelectPointsInBox(app, box, 0);
}

void SelectSquare(App& app) {
  points::Store& p = app.points;
  StripLastCharOfAnswer(app);
  // A centre that names no point is the current point, which is not appended.
  const std::optional<int> named = ResolveAnswer(app);
  if (named && !AppendEntry(app, *named)) return;
  const int centre = named ? *named : static_cast<int>(std::round(p.CurrentPointNumber));
  RtPrintStr("[10,20,30,40,50,70,100]ﾊﾝｲ=", false);
  app.input.GuideNumber = 201;
  InputPointName(app);
  const double d = app.input.AnswerValue;
  p.WorkPointY = centre;
  const Box box{p.PointX(centre) - d, p.PointX(centre) + d, p.PointY(centre) - d,
                p.PointY(centre) + d};
  SelectPointsInBox(app, box, centre);
}

// ---- The list as a whole ----

void DrawPointsNormally(App& app) {
  const int count = RtWhole(app.points.PointCount);
  for (int n = 1; n <= count; ++n) {
    app.view.PointToDraw = n;
    DrawPoint(app);
  }
}

// The list starts anew: empty, with the current point as the resolver's fallback.
void StartSelection(App& app) {
  points::Store& p = app.points;
  p.SelectionLast = -1;
  p.WorkPointY = p.CurrentPointNumber;
  p.PointReaskFlag = 0;
}

// The points 1 to PointCount that are not in the list, in number order. The
// marks live in NewPointList from index PointCapacity on, one per point.
void ComplementSelection(App& app) {
  points::Store& p = app.points;
  const int count = RtWhole(p.PointCount);
  const int marks = RtWhole(p.PointCapacity);
  for (int n = 0; n <= count; ++n) p.NewPointList(marks + n) = 0;
  for (int k = 0; k <= p.SelectionLast; ++k) {
    const int n = p.SelectionList(k);
    p.NewPointList(marks + n) = 1;
    app.view.PointToDraw = n;
    DrawPoint(app);
  }
  p.SelectionLast = -1;
  for (int n = 1; n <= count; ++n) {
    if (p.NewPointList(marks + n) == 0 && !AppendAndShow(app, n)) break;
  }
  RtPrintStr("", true);
}

// A single digit is a mark: the points whose mark digit (attribute character 2)
// is it. Any other text is a name prefix; the empty one takes every point.
void SelectPointsByPrefixOrMark(App& app, const std::string& t) {
  const points::Store& p = app.points;
  // Texts from "0" to "9" in byte order: a digit, or a longer text beginning
  // with "0" to "8", which no one-character mark equals.
  const bool isMark = t >= "0" && t <= "9";
  const int count = RtWhole(p.PointCount);
  for (int n = 1; n <= count; ++n) {
    const bool match = isMark ? RtMid(p.PointAttribute(n), 2, 1) == t
                              : p.PointName(n).compare(0, t.size(), t) == 0;
    if (match && !AppendAndShow(app, n)) break;
  }
  RtPrintStr("", true);
}

// Closes the list file however the reading ends.
struct ListFileCloser {
  ~ListFileCloser() { RtClose(kListFile); }
};

// The selection replaced by the numbers of a result point list: the first field
// of each line (up to a comma or the line end). The chosen file is read; the job
// folder, the job name and the working folder stay as they were. Values that
// are no point number are skipped and counted.
void ReadSelectionListFile(App& app) {
  const std::string chosen =
      RtFileOpenDialog(kOpenTitle, app.settings.ZA + ".DD", "(*.DD);(*.*)");
  if (chosen == kDialogCancelled) JumpTo(EntryOf(Routines().RepeatLastCommand));
  if (!RtOpen(kListFile, chosen, RtFileMode::Input)) {
    RtPrintStr(" ファイルが見つかりません。選択は元のままです", true);
    PlaySound(app, "chord.wav");
    return;
  }
  const ListFileCloser closer;
  app.points.SelectionLast = -1;
  int skipped = 0;
  while (!RtEof(kListFile)) {
    std::string field;
    RtInputVars(kListFile, field);
    if (field.empty()) continue;
    const double value = RtVal(field);
    if (!IsTableNumber(app, value)) {
      ++skipped;
      continue;
    }
    if (!AppendAndShow(app, std::round(value))) break;
  }
  RtPrintStr("", true);
  if (skipped > 0) {
    RtPrintStr(" 点番(1～" + rt::Digits(app.points.PointCapacity) + ")でない値 " +
                   rt::Digits(skipped) + " 個を読み飛ばしました", true);
  }
}

// ---- The answer ----

bool IsLetter(const std::string& answer, std::string_view letter) {
  return RtUcase(answer) == letter;
}

bool EndsWith(const std::string& answer, char c) { return !answer.empty() && answer.back() == c; }

void CarryOut(App& app, bool rangeAllowed);

// A range from the point the answer less its "-" names; when it names none the
// shortened answer goes on as if typed so.
void SelectRange(App& app) {
  StripLastCharOfAnswer(app);
  const std::optional<int> start = ResolveAnswer(app);
  if (!start) {
    CarryOut(app, false);
    return;
  }
  AppendRange(app, *start, AskRangeEnd(app));
}

// Carries out the answer in Answer; returns after the command.
void CarryOut(App& app, bool rangeAllowed) {
  const std::string& answer = app.input.Answer;
  if (rangeAllowed && EndsWith(answer, '-')) {
    SelectRange(app);
  } else if (answer == "/") {
    SelectWindow(app);
  } else if (EndsWith(answer, '+')) {
    SelectSquare(app);
  } else if (answer == "*") {
    DrawPointsNormally(app);
    StartSelection(app);
  } else if (IsLetter(answer, "H")) {
    ComplementSelection(app);
  } else if (IsLetter(answer, "S")) {
    SortPoints(app);
  } else if (EndsWith(answer, '=')) {
    StripLastCharOfAnswer(app);
    SelectPointsByPrefixOrMark(app, app.area.LastStrippedAnswer);
  } else if (IsLetter(answer, "F")) {
    ReadSelectionListFile(app);
  } else {
    AppendPointReference(app);
  }
}

// The option line, the count of entries so far, at column 26 of the current row.
void ShowSelectionOptionLine(const App& app) {
  RtPrintTab(26);
  RtColor(3);
  RtPrintStr("[[-,+,=],*,/,H,M,L,J,I,S,F,Q]", false);
  RtColor(5);
  RtPrintNum(app.points.SelectionLast + 1, false);
  RtColor(7);
  RtLocate(0, RtCsrlin());
}

}  // namespace

void SelectPoints(App& app) {
  ui::InputState& in = app.input;
  StartSelection(app);
  for (;;) {
    ShowSelectionOptionLine(app);
    RtColor(7);
    RtPrintStr("no.", false);
    in.GuideNumber = 15;
    InputText(app);
    if (in.Answer.empty()) {
      app.points.SelectionIndex = 0;
      return;
    }
    CaretToSpaceInAnswer(app);
    CarryOut(app, true);
  }
}

void SelectAllPoints(App& app) {
  points::Store& p = app.points;
  const int count = RtWhole(p.PointCount);
  // Entry 0 is cleared first: loops that look at it even in an empty selection
  // find no point there.
  p.SelectionList(0) = 0;
  for (int i = 0; i < count; ++i) p.SelectionList(i) = static_cast<int16_t>(i + 1);
  p.SelectionLast = count - 1;
}
