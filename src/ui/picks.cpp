// Mouse handlers of the input routine. A left-button press answers the question
// with a word clicked in the console text, or types a value taken from the view
// (a point, a distance, a direction, a station, a label), or answers "F" for a
// picked position; drags, the middle button and the wheel move the view.
//
// A handler that types a value leaves the question open (Enter or the right
// button takes it); one that sets PickAnswered ends it at the key loop's next pass.
#include "ui/picks.h"

#include <algorithm>
#include <cmath>
#include <string>

#include "core/app.h"
#include "core/numeric.h"
#include "core/plane.h"
#include "runtime/console.h"
#include "runtime/events.h"
#include "runtime/graphics.h"
#include "runtime/numtext.h"
#include "runtime/sound.h"
#include "runtime/window_id.h"
#include "ui/key_commands.h"
#include "ui/layout.h"
#include "ui/navigator.h"
#include "ui/tool_palette.h"
#include "ui/view.h"

namespace {

constexpr RtWindowId kView = RtWindowId::View;
constexpr RtWindowId kMain = RtWindowId::Main;

// The view's scale limits; a drag or wheel zoom beyond them resets the view.
constexpr double kMinViewScale = 0.00001;
constexpr double kMaxViewScale = 10000;

// Guides shown by the picks.
constexpr double kGuideThreePointCircle = 28;
constexpr double kGuidePointOffered = 270;
constexpr double kGuideIntersectionMode = 287;
constexpr double kGuideLabelOffered = 336;

// The last console column a further candidate of a point pick starts before.
constexpr int kCandidateListEnd = 54;

// ---- Positions ----

double ViewPointerX() { return RtMouse(0, kView); }
double ViewPointerY(const App& app) { return RtMouse(1, kView) * app.view.MouseScaleRatio; }

// The console column where answers are echoed (the last column when the prompt
// ends at the right edge).
int AnswerColumn(const ui::InputState& in) {
  return std::min(in.PromptColumn + 2, rt::kConsoleColumns - 1);
}

// Cursor to P: two columns after the prompt on the prompt's row.
void LocateAnswer(const ui::InputState& in) { RtLocate(AnswerColumn(in), in.PromptRow); }
// Cursor to the answer column of the cursor's row.
void LocateAnswerColumn(const ui::InputState& in) { RtLocate(AnswerColumn(in), RtCsrlin()); }

void ClickSound(const App& app) { RtMciCommand(app.shell.StartSoundCommand); }

// Types a value: the answer and the edit buffer both hold it.
void Type(ui::InputState& in, const std::string& text) {
  in.Answer = text;
  in.TypedText = text;
}

// Blanks the nine columns of the answer in the pick colour, the cursor at their start.
void BlankAnswerField(const ui::InputState& in) {
  RtColor(6);
  LocateAnswer(in);
  RtPrintStr(std::string(9, ' '), false);
}

// ---- Console words ----

bool IsWordCharacter(int code) {
  return (code >= 35 && code <= 90 && code != 44) || (code >= 94 && code <= 122);
}

// The console cell under the main window's pointer.
void TakeClickCell(ui::InputState& in) {
  in.ClickColumn = std::floor(RtMouse(0, kMain) / rt::kCellWidth + 0.1);
  in.ClickRow = std::floor(RtMouse(1, kMain) / rt::kCellHeight + 0.1);
}

int ClickColumn(const ui::InputState& in) { return static_cast<int>(in.ClickColumn); }
int ClickRow(const ui::InputState& in) { return static_cast<int>(in.ClickRow); }

// The word around the clicked cell, cells passing `belongs`; `first` gets the
// column of its first character. Clicking on a cell that does not belong picks
// the word that ends just left of it.
template <typename Belongs>
std::string WordAtClick(const ui::InputState& in, Belongs belongs, int& first) {
  const int row = ClickRow(in);
  int column = ClickColumn(in);
  while (column < rt::kConsoleColumns && belongs(RtScreenChar(column, row))) ++column;
  --column;
  std::string word;
  while (column >= 0 && belongs(RtScreenChar(column, row))) {
    word.insert(word.begin(), static_cast<char>(RtScreenChar(column, row)));
    --column;
  }
  first = column + 1;
  return word;
}

// True when the pointer moved over the view more recently than over the console:
// the press was meant for the view.
bool PressMeantForView(const ui::InputState& in) {
  return in.ConsolePointerMovedTime < in.ViewPointerMovedTime;
}

// The clicked word again at its place in colour 12, then a line end in colour 4.
void HighlightWord(const std::string& word, int column, int row) {
  RtLocate(std::clamp(column, 0, rt::kConsoleColumns - 1), row);
  RtColor(12);
  RtPrintStr(word, false);
  RtColor(4);
  RtPrintStr("", true);
}

}  // namespace

void MouseToWorld(App& app) {
  ui::InputState& in = app.input;
  const ui::ViewState& v = app.view;
  in.LeftButtonHeld = 1;
  in.PressViewX = ViewPointerX();
  in.PressViewY = ViewPointerY(app);
  in.PressGroundY = in.PressViewX * v.ViewScale + v.ViewOriginY;
  in.PressGroundX = v.ViewOriginX + (v.ViewHeight - in.PressViewY) * v.ViewScale * v.VerticalRatio;
}

void PickConsoleWord(App& app) {
  ui::InputState& in = app.input;
  in.Answer.clear();
  in.PickAnswered = 1;
  TakeClickCell(in);
  if (PressMeantForView(in)) return;
  const int row = ClickRow(in);
  if (row < 0 || row >= rt::kConsoleRows) {  // below the console text: no word
    in.PickAnswered = 0;
    return;
  }
  int first = 0;
  in.Answer = WordAtClick(in, IsWordCharacter, first);
  if (in.Answer.empty()) {
    in.PickAnswered = 0;
    return;
  }
  HighlightWord(in.Answer, first, row);
  in.TypedText = in.Answer;
  LocateAnswer(in);
  RtPrintStr(std::string(8, ' '), false);
  LocateAnswer(in);
  RtPrintStr(in.Answer, false);
  RtColor(7);
}

namespace {

// Every handler but the menu, coordinate and label picks starts so: a console
// word under the pointer ends the question with that word. Returns true then.
bool AnsweredByConsoleWord(App& app) {
  ui::InputState& in = app.input;
  MouseToWorld(app);
  PickConsoleWord(app);
  in.PickAnswered = 0;
  TestAnswerWord(app);
  if (in.WordTestResult != 1) return false;
  in.PickAnswered = 1;
  return true;
}

// ---- The tool palette ----

bool ToolPaletteShown(const App& app) {
  return app.settings.ZEF == 1 && app.input.DefaultPickState >= 1 &&
         app.points.LineConnectMode >= 1;
}

bool Between(double low, double value, double high) { return low < value && value < high; }

// Decodes a press on the palette's cells; returns true when a cell took it.
bool PickToolCell(App& app, double x, double y) {
  cad::Lines& lines = app.lines;
  if (Between(0, x, 80) && Between(50, y, 450)) {
    lines.CurrentLineType = std::floor((y - 10) / 40) - 1;
    DrawToolPalette(app);
  } else if (Between(0, x, 80) && Between(450, y, 490)) {
    app.input.ArcInputMode = 1;
    app.input.GuideNumber = kGuideThreePointCircle;
    ShowGuide(app);
    RtLine(kView, 0, 450, 80, 490, RtWhole(app.view.PaletteHighlightColour), RtLineShape::Box);
  } else if (Between(0, x, 80) && Between(490, y, 530)) {
    RemoveLastConnectionLine(app);
  } else if (Between(0, x, 80) && Between(530, y, 570)) {
    lines.LineEraseMode = -lines.LineEraseMode;
    DrawToolPalette(app);
  } else if (Between(0, x, 60) && Between(570, y, 890)) {
    lines.CurrentLayer = 2 * std::floor((y - 570) / 40);
    DrawToolPalette(app);
  } else if (Between(60, x, 80) && Between(570, y, 890)) {
    const int index = 2 * static_cast<int>(std::floor((y - 570) / 40));
    lines.LayerVisible(index) = static_cast<int16_t>(-lines.LayerVisible(index));
    app.input.ViewRedrawPending = 1;
  } else if (Between(80, x, 120) && Between(50, y, 450)) {
    app.points.CurrentMark = std::floor((y - 10) / 40) - 1;
    DrawToolPalette(app);
  } else {
    return false;
  }
  return true;
}

// ---- Point searches ----

// The box around the pointer in which a press looks for points: eight view
// units, stretched in X by the vertical exaggeration.
struct Box {
  double minX, maxX, minY, maxY;
  bool Contains(double x, double y) const {  // edges inside
    return minX <= x && x <= maxX && minY <= y && y <= maxY;
  }
  bool StrictlyContains(double x, double y) const {
    return minX < x && x < maxX && minY < y && y < maxY;
  }
};

Box PointSearchBox(const App& app) {
  const ui::ViewState& v = app.view;
  const double h = 8 * v.ViewScale;
  const double px = app.input.PointerX;
  const double py = app.input.PointerY;
  return {px - h * v.VerticalRatio, px + h * v.VerticalRatio, py - h, py + h};
}

// A counted search over the points 1 to PointCount (point 1 even when there are
// none); PointToDraw is the counter, left at the point found or past the end.
int SearchEnd(const App& app) { return std::max(1, static_cast<int>(app.points.PointCount)); }

bool PointInBox(const App& app, int i, const Box& box) {
  return box.Contains(app.points.PointX(i), app.points.PointY(i));
}

void DrawPointNumber(App& app, double number, void (*draw)(App&)) {
  app.view.PointToDraw = number;
  draw(app);
}

// The points after the offered one that also lie in the box, listed after it:
// by name, or by number when the name is the offered one.
void ListFurtherCandidates(App& app, int offered, const Box& box) {
  ui::InputState& in = app.input;
  const int count = static_cast<int>(app.points.PointCount);
  for (int j = offered + 1; j <= count; ++j) {
    if (!box.StrictlyContains(app.points.PointX(j), app.points.PointY(j))) continue;
    if (RtPos() > kCandidateListEnd) continue;
    RtColor(1);
    const std::string& name = app.points.PointName(j);
    RtPrintStr((name == in.Answer ? RtStr(j) : name) + ",", false);
  }
  if (RtPos() < in.PickListWidth) {
    RtPrintStr(std::string(static_cast<size_t>(in.PickListWidth - RtPos()), ' '), false);
  }
  in.PickListWidth = RtPos();
}

// Offers point i with " OK?" and highlights it.
void OfferPoint(App& app, int i, const Box& box) {
  ui::InputState& in = app.input;
  in.DragTextShown = 0;
  ClickSound(app);
  DrawPointNumber(app, i, DrawPointHighlighted);
  RtColor(6);
  LocateAnswer(in);
  in.GuideNumber = kGuidePointOffered;
  ShowGuideNext(app);
  RtPrintStr(app.points.PointName(i), false);
  RtColor(4);
  RtPrintStr(" OK?    ", false);
  Type(in, app.points.PointName(i));
  const double earlier = in.HighlightedPickPoint;
  if (earlier != app.points.PointCapacity && earlier != i) DrawPointNumber(app, earlier, DrawPoint);
  in.HighlightedPickPoint = i;
  in.PickedPointNumber = i;
  app.view.PointToDraw = i;
  in.DefaultPickState = 1;
  ListFurtherCandidates(app, i, box);
}

// The station and offset of a ground point along the base line, or along the
// base arc when BaseRadius is not 0 (the base point is then its centre); the
// chainage is not added.
plane::AlongBase AlongBase(const App& app, double x, double y) {
  const cogo::State& c = app.cogo;
  return plane::AlongBaseOf(x - c.BasePointX, y - c.BasePointY, c.BaseAzimuth, c.BaseRadius);
}

double RelativeStation(const App& app, double station) {
  return app.route.RelativeStationMode == 1 ? RoundTo4Decimals(station - app.route.ProfileChainage)
                                            : station;
}

// Prints the station or the offset (by PickOffsetMode) as a number and makes
// its number text the answer; false for any other mode.
bool TypeStationOrOffset(ui::InputState& in) {
  if (in.PickOffsetMode != 0 && in.PickOffsetMode != 1) return false;
  const double value = in.PickOffsetMode == 0 ? in.BaseStation : in.BaseOffset;
  RtPrintNum(value, false);
  in.Answer = RtStr(value);
  return true;
}

void DrawPointInColours(App& app, double number, double pointColour, double nameColour) {
  app.view.PointDrawColour = pointColour;
  app.view.PointNameColour = nameColour;
  DrawPointNumber(app, number, DrawPointInCallerColours);
}

// The first point in the box gives its own station or offset; returns it, or 0.
int TypePointStation(App& app, const Box& box) {
  ui::InputState& in = app.input;
  const int end = SearchEnd(app);
  for (int i = 1; i <= end; ++i) {
    if (!PointInBox(app, i, box)) continue;
    Type(in, "");
    RtPrintStr(std::string(9, ' '), false);
    ClickSound(app);
    RtColor(4);
    LocateAnswerColumn(in);
    DrawPointInColours(app, i, 9, 4);
    const plane::AlongBase so = AlongBase(app, app.points.PointX(i), app.points.PointY(i));
    in.BaseStation = RelativeStation(app, RoundTo4Decimals(so.station + app.cogo.BaseChainage));
    in.BaseOffset = RoundTo4Decimals(so.offset);
    if (TypeStationOrOffset(in)) return i;
  }
  return 0;
}

bool IsIntersectionGuide(double guide) { return guide == 187 || guide == 188 || guide == 207; }

}  // namespace

void PickPointOrTool(App& app) {
  ui::InputState& in = app.input;
  if (AnsweredByConsoleWord(app)) {
    in.PickedPointNumber = 0;
    return;
  }
  if (ToolPaletteShown(app) && PickToolCell(app, in.PressViewX, in.PressViewY)) return;
  if (app.lines.CurrentLayer == 0) app.lines.CurrentLayer = 1;
  in.PickedPointNumber = 0;
  const Box box = PointSearchBox(app);
  RtColor(10);
  LocateAnswer(in);
  RtPrintStr("ｱｳﾄ", false);
  LocateAnswerColumn(in);
  RtColor(7);
  const int end = SearchEnd(app);
  int i = 1;
  for (; i <= end; ++i) {
    if (PointInBox(app, i, box)) break;
    Type(in, "");
  }
  app.view.PointToDraw = i;
  if (i <= end) OfferPoint(app, i, box);
  RtColor(7);
}

void PickCoordinates(App& app) {
  ui::InputState& in = app.input;
  MouseToWorld(app);
  in.DragIndicatorOff = 1;
  in.LeftButtonHeld = 0;
  PickConsoleWord(app);
  TestAnswerWord(app);
  if (in.WordTestResult == 1) return;
  ClickSound(app);
  RtColor(6);
  RtLocate(0, RtCsrlin());
  RtPrintUsingNum("&&########.###", {app.points.CoordinateLabelX, in.PointerX}, true);
  RtLocate(0, RtCsrlin());
  RtPrintUsingNum("&&########.###", {app.points.CoordinateLabelY, in.PointerY}, false);
  RtColor(7);
  in.PickAnswered = 1;
  in.Answer = "F";
  RtPset(kView, in.PressViewX - 10, in.PressViewY - 10);
  RtColor(kView, 3, RtWhole(app.settings.RG));
  RtPrintToWindow(kView, "×", true);
}

void PickStationOffset(App& app) {
  ui::InputState& in = app.input;
  if (AnsweredByConsoleWord(app)) return;
  const Box box = PointSearchBox(app);
  BlankAnswerField(in);
  const double previous = app.view.PointToDraw;
  if (previous >= 1 && previous <= app.points.PointCount) DrawPointNumber(app, previous, DrawPoint);
  in.BaseStation = RelativeStation(app, in.BaseStation);
  if (in.PickOffsetMode == 0) in.BaseStation = RoundDistance(app, in.BaseStation);
  if (in.PickOffsetMode == 1) in.BaseOffset = RoundDistance(app, in.BaseOffset);
  LocateAnswerColumn(in);
  TypeStationOrOffset(in);
  LocateAnswerColumn(in);
  const int found = TypePointStation(app, box);
  app.view.PointToDraw = found != 0 ? found : SearchEnd(app) + 1;
  if (in.IntersectionMode == 1) {
    const double t = RoundTo4Decimals(
        in.PreviousPickStation - in.PreviousPickOffset * (in.BaseStation - in.PreviousPickStation) /
                                     (in.BaseOffset - in.PreviousPickOffset + 1e-20));
    RtColor(3);
    LocateAnswerColumn(in);
    RtPrintNum(t, false);
    in.Answer = RtStr(t);
    if (found != 0) DrawPointInColours(app, found, 15, 4);
    in.IntersectionMode = 0;
  }
  if (IsIntersectionGuide(in.GuideNumber) && in.BaseStation == in.PreviousPickStation &&
      in.BaseOffset == in.PreviousPickOffset && app.cogo.BaseRadius == 0) {
    in.IntersectionMode = 1;
    RtColor(5);
    LocateAnswerColumn(in);
    RtPrintStr("ｺｳﾃﾝﾓｰﾄﾞ", false);
    in.GuideNumber = kGuideIntersectionMode;
    ShowGuideNext(app);
  }
  in.PreviousPickStation = in.BaseStation;
  in.PreviousPickOffset = in.BaseOffset;
  RtColor(7);
  in.TypedText = in.Answer;
}

void PickDistance(App& app) {
  ui::InputState& in = app.input;
  if (AnsweredByConsoleWord(app)) return;
  ClickSound(app);
  BlankAnswerField(in);
  const double d = std::floor(in.ReadoutDistance * 100 + 0.5) / 100;
  LocateAnswerColumn(in);
  RtPrintNum(d, false);
  RtColor(7);
  Type(in, RtStr(d));
}

void PickDirection(App& app) {
  ui::InputState& in = app.input;
  if (AnsweredByConsoleWord(app)) return;
  ClickSound(app);
  BlankAnswerField(in);
  LocateAnswerColumn(in);
  in.Answer = RtStr(std::floor(DegreesToDms(app.numbers.AngleToFormat) * 10000 + 0.5) / 10000);
  RtPrintStr(in.Answer, false);
  RtColor(7);
  in.TypedText = in.Answer;
}

void PickMenuNumber(App& app) {
  ui::InputState& in = app.input;
  MouseToWorld(app);
  in.Answer.clear();
  in.AnswerCopy.clear();
  TakeClickCell(in);
  if (PressMeantForView(in)) return;
  const int row = ClickRow(in);
  int first = 0;
  const auto notBlank = [](int code) { return code != ' ' && code != 0; };
  if (row >= 0 && row < rt::kConsoleRows) in.Answer = WordAtClick(in, notBlank, first);
  in.AnswerCopy = in.Answer;
  if (in.Answer.empty()) {
    in.PickAnswered = 0;
    return;
  }
  HighlightWord(in.Answer, first, row);
  in.TypedText =
      in.Answer == "Q" ? std::string("Q") : RtStr(std::floor(RtVal(in.Answer) * 10000 + 0.5) / 10000);
  in.Answer = in.TypedText;
  in.PickAnswered = 1;
  RtLocate(in.PromptColumn, in.PromptRow);
  RtPrintStr(in.Answer, false);
  RtColor(7);
  ClickSound(app);
}

void PickWordOrLabel(App& app) {
  ui::InputState& in = app.input;
  in.PickAnswered = 1;
  MouseToWorld(app);
  PickConsoleWord(app);
  if (!in.Answer.empty()) return;
  in.PickAnswered = 0;
  if (app.area.LotNumberPickEnabled != 1) return;
  const ui::ViewState& v = app.view;
  const Box box{in.PointerX - 5 * v.ViewScale, in.PointerX + 64 * v.ViewScale * v.VerticalRatio,
                in.PointerY - 20 * v.ViewScale, in.PointerY + 20 * v.ViewScale};
  RtColor(6);
  RtLocate(std::min(in.PromptColumn + 5, rt::kConsoleColumns - 1), in.PromptRow);
  RtPrintStr(std::string(19, ' '), false);
  const area::State& a = app.area;
  const int count = static_cast<int>(a.LabelCount);
  for (int i = 0; i < count; ++i) {
    if (!box.Contains(a.LabelX(i), a.LabelY(i))) {
      Type(in, "");
      continue;
    }
    const std::string& text = a.LabelText(i);
    if (!text.empty() && text[0] == '^') continue;  // a triangle number
    ClickSound(app);
    RtColor(6);
    LocateAnswer(in);
    in.GuideNumber = kGuideLabelOffered;
    ShowGuideNext(app);
    RtPrintStr(text, false);
    RtColor(4);
    RtPrintStr("    OK?    ", false);
    Type(in, text);
    break;
  }
  RtColor(7);
}

void AcceptTypedText(App& app) {
  ui::InputState& in = app.input;
  in.Answer = in.TypedText;
  in.AnswerCopy = in.Answer;
  in.TypedText.clear();
  in.PickAnswered = 1;
}

// ---- Drag, pan and wheel ----

namespace {

// Brings the ground point (x, y) to the centre of the view.
void CentreViewOn(App& app, double x, double y) {
  ui::ViewState& v = app.view;
  v.ViewOriginX = x - v.ViewHalfHeight * v.ViewScale * v.VerticalRatio;
  v.ViewOriginY = y - v.ViewHalfWidth * v.ViewScale;
}

bool ScaleOutOfLimits(double scale) { return scale > kMaxViewScale || scale < kMinViewScale; }

// Scale 1 with the ground origin at the bottom left corner of the view.
void ResetViewScale(App& app) {
  app.view.ViewScale = 1;
  app.view.ViewOriginX = 0;
  app.view.ViewOriginY = 0;
  app.input.PointerX = 0;
  app.input.PointerY = 0;
}

}  // namespace

void FinishLeftDrag(App& app) {
  ui::InputState& in = app.input;
  if (in.LeftButtonHeld == 0) return;
  in.LeftButtonHeld = 0;
  if (in.DragIndicatorOff == 1) {
    in.DragIndicatorOff = 0;
    return;
  }
  const double x = ViewPointerX();
  const double y = ViewPointerY(app);
  in.DragDistance = std::hypot(in.PressViewY - y, in.PressViewX - x) / 50;
  ui::ViewState& v = app.view;
  bool changed = false;
  if (in.DragDistance > 0.5 && in.DragDistance <= 1) {
    changed = true;
  } else if (in.DragDistance > 1 && y > in.PressViewY) {
    v.ViewScale *= in.DragDistance;
    changed = true;
  } else if (in.DragDistance > 1 && y < in.PressViewY) {
    v.ViewScale /= in.DragDistance;
    changed = true;
  }
  if (changed) {
    CentreViewOn(app, in.PressGroundX, in.PressGroundY);
    in.ViewRedrawPending = 1;
  }
  if (ScaleOutOfLimits(v.ViewScale)) ResetViewScale(app);
}

void StartMiddlePan(App& app) {
  ui::InputState& in = app.input;
  if (in.MiddleDragState == 0) {
    in.DragStartX = in.PointerX;
    in.DragStartY = in.PointerY;
  }
  in.MiddleDragState = 1;
}

void EndMiddlePan(App& app) {
  ui::InputState& in = app.input;
  if (in.MiddleDragState != 1) return;
  app.view.ViewOriginX += in.DragStartX - in.PointerX;
  app.view.ViewOriginY += in.DragStartY - in.PointerY;
  in.ViewRedrawPending = 1;
}

void ZoomByWheel(App& app) {
  ui::InputState& in = app.input;
  ui::ViewState& v = app.view;
  for (;;) {
    const double w = -RtMouse(2, kMain);
    const double factor = 1 + w / 200;
    if (factor > 0) v.ViewScale /= factor;
    CentreViewOn(app, in.PointerX, in.PointerY);
    if (factor > 0 && !ScaleOutOfLimits(v.ViewScale)) break;
    ResetViewScale(app);  // then again: the movement now reads 0
  }
  in.ViewRedrawPending = 1;
}

// ---- The station marker ----

void DrawStationMarker(App& app) {
  const ui::ViewState& v = app.view;
  const cogo::State& c = app.cogo;
  ui::ViewState::Marker& last = app.view.LastMarker;
  RtSetLineStyle(kView, ui::kPenSolid);
  const int background = RtWhole(app.settings.RG);
  if (last.BaseRadius != 0) {
    RtCircle(kView, last.CentreX, last.CentreY, last.Radius, background, 0, 0, 1 / v.VerticalRatio);
  } else {
    RtLine(kView, last.LineX, last.LineY, last.LineX + last.LineDX, last.LineY + last.LineDY,
           background);
  }
  const double cx = (c.BasePointY - v.ViewOriginY) / v.ViewScale;
  const double cy = v.ViewHeight - (c.BasePointX - v.ViewOriginX) / (v.ViewScale * v.VerticalRatio);
  const double r = std::abs(c.BaseRadius) / v.ViewScale;
  const double dx = 300 * SinDegrees(c.BaseAzimuth);
  const double dy = -300 * CosDegrees(c.BaseAzimuth) / v.VerticalRatio;
  constexpr int kMarkerColour = 10;
  if (c.BaseRadius != 0) {
    RtCircle(kView, cx, cy, r, kMarkerColour, 0, 0, 1 / v.VerticalRatio);
  } else {
    RtLine(kView, cx, cy, cx + dx, cy + dy, kMarkerColour);
  }
  last = {cx, cy, r, cx, cy, dx, dy, c.BaseRadius};
}
