#include "ui/picks.h"

#include <gtest/gtest.h>

#include <cmath>
#include <numbers>
#include <string>
#include <vector>

#include "core/app.h"
#include "core/numeric.h"
#include "runtime/console.h"
#include "runtime/events.h"
#include "runtime/events_state.h"
#include "runtime/palette.h"
#include "runtime/windows.h"
#include "support/u8.h"
#include "ui/input.h"
#include "ui/view.h"
#include "view_ink.h"

namespace {

constexpr RtWindowId kView = RtWindowId::View;

// Questions and handlers with the view measured, scale 0.5, origin (1000, 2000)
// and vertical ratio 0.25, so that every factor of the transform shows.
class PickTest : public ::testing::Test {
 protected:
  PickTest() {
    view_ink::SetTestTransform(app.view);
    app.settings.ZEF = 0;  // no tool palette unless a test wants it
  }

  // Ground position of a view position.
  double GroundX(double y) const {
    const ui::ViewState& v = app.view;
    return v.ViewOriginX + (v.ViewHeight - y) * v.ViewScale * v.VerticalRatio;
  }
  double GroundY(double x) const { return app.view.ViewOriginY + x * app.view.ViewScale; }
  // View position of a ground point.
  double ViewX(double groundY) const { return (groundY - app.view.ViewOriginY) / app.view.ViewScale; }
  double ViewY(double groundX) const {
    const ui::ViewState& v = app.view;
    return v.ViewHeight - (groundX - v.ViewOriginX) / (v.ViewScale * v.VerticalRatio);
  }

  // Puts the mouse over the view at (x, y), with the pointer's ground position
  // where the key loop keeps it, and the view as the window last moved over.
  void MoveOverView(double x, double y) {
    Deliver("!move view " + std::to_string(x) + " " + std::to_string(y) + "\n");
    app.input.PointerX = GroundX(y);
    app.input.PointerY = GroundY(x);
    app.input.ViewPointerMovedTime = 2;
    app.input.ConsolePointerMovedTime = 1;
  }
  std::string ClickViewAt(double groundX, double groundY) {
    MoveOverView(ViewX(groundY), ViewY(groundX));
    return "!click view " + std::to_string(ViewX(groundY)) + " " + std::to_string(ViewY(groundX)) +
           "\n";
  }

  // Carries out a script's mouse actions at once, as between two key polls.
  void Deliver(const std::string& script) {
    rt::LoadScript(script);
    do app.rt.events->quiet = false;
    while (!app.rt.events->script.empty() && (RtDoEvents(), true));
  }

  void AddPoint(int i, const std::string& name, double x, double y) {
    app.points.PointName(i) = name;
    app.points.PointX(i) = x;
    app.points.PointY(i) = y;
    app.points.PointCount = std::max(app.points.PointCount, double(i));
  }

  // Prints `prompt` at (0, 10), queues the script (UTF-8) and asks.
  void Ask(const std::string& script, void (*entry)(App&), const std::string& prompt = "NO=") {
    RtLocate(0, 10);
    RtPrintStr(prompt, false);
    rt::LoadScript(script);
    entry(app);
  }

  // A handler called with the prompt "NO=? " open at (0, 10).
  void OpenPrompt() {
    RtLocate(0, 10);
    RtPrintStr("NO=? ", false);
    app.input.PromptColumn = 3;
    app.input.PromptRow = 10;
  }

  static std::string Row(int row) { return rt::ConsoleRowText(row); }

  App app;
};

// ---- The default pick ----

TEST_F(PickTest, APointPickedInTheViewIsOfferedWithOkAndEnterTakesIt) {
  AddPoint(1, "A1", 1100, 2100);
  AddPoint(2, "B7", 1300, 2300);
  Ask(ClickViewAt(1300.5, 2300.5) + "\n", InputText);
  EXPECT_EQ(app.input.Answer, "B7");
  EXPECT_EQ(Row(10), "NO=? B7 OK?");
  EXPECT_EQ(app.view.PointToDraw, 2);
}

TEST_F(PickTest, TheClickedPointStaysTheAnswersPointUntilTheAnswerIsTypedOrPickedElse) {
  AddPoint(1, "A1", 1100, 2100);
  AddPoint(2, "A1", 1300, 2300);
  struct Case {
    std::string after;  // script after the click on point 2
    std::string answer;
    double picked;
  };
  const std::vector<Case> cases = {
      {"\n", "A1", 2},
      {"{BS}1\n", "A1", 0},  // edited by hand: typed, even if to the same name
      {"{ESC}A1\n", "A1", 0},
      {"!click view 1 1\nA1\n", "A1", 0},  // a press near no point, then typed
  };
  for (const Case& c : cases) {
    Ask(ClickViewAt(1300, 2300) + c.after, InputText);
    EXPECT_EQ(app.input.Answer, c.answer) << c.after;
    EXPECT_EQ(app.input.GuideNumber, 270) << c.after;
    EXPECT_EQ(app.input.PickedPointNumber, c.picked) << c.after;
  }
  // The next question starts without a picked point.
  Ask("A1\n", InputText);
  EXPECT_EQ(app.input.PickedPointNumber, 0);
}

TEST_F(PickTest, APressNearNoPointPrintsOutAndTypesNothing) {
  AddPoint(1, "A1", 1100, 2100);
  OpenPrompt();
  app.input.TypedText = "XX";
  MoveOverView(ViewX(2200), ViewY(1200));
  PickPointOrTool(app);
  EXPECT_EQ(Row(10), U8(u8"NO=? ｱｳﾄ"));
  EXPECT_EQ(app.input.TypedText, "");
  EXPECT_EQ(app.input.PickAnswered, 0);
}

TEST_F(PickTest, APointNamedLikeTheOfferedOneIsListedByNumber) {
  // The box: eight view units (4 m) around the pointer, X stretched by the
  // vertical ratio (1 m).
  AddPoint(1, "A1", 1100, 2100);
  AddPoint(2, "A1", 1100.2, 2100.2);
  AddPoint(3, "C3", 1099.9, 2099.9);
  AddPoint(4, "D4", 1101.5, 2100);  // beyond the box in X
  AddPoint(5, "E5", 1100, 2103.5);
  OpenPrompt();
  MoveOverView(ViewX(2100), ViewY(1100));
  PickPointOrTool(app);
  EXPECT_EQ(Row(10), "NO=? A1 OK?     2,C3,E5,");
  EXPECT_EQ(app.input.TypedText, "A1");
  EXPECT_EQ(app.input.DefaultPickState, 1);
  // The offered point is the one the click designates.
  EXPECT_EQ(app.input.PickedPointNumber, 1);
}

TEST_F(PickTest, APaletteCellTakesThePressBeforeThePointSearch) {
  app.settings.ZEF = 1;
  app.points.LineConnectMode = 2;
  OpenPrompt();
  struct Case {
    double x, y, lineType, layer, mark;
  };
  const std::vector<Case> cases = {
      {40, 51, 0, 1, 0},  {40, 449, 9, 1, 0},  // line types
      {30, 575, 9, 1, 0},                      // the first layer box selects layer 1
      {30, 885, 9, 14, 0},  {100, 130, 9, 14, 2},
  };
  for (const Case& c : cases) {
    MoveOverView(c.x, c.y);
    PickPointOrTool(app);
    EXPECT_EQ(app.lines.CurrentLineType, c.lineType) << c.x << "," << c.y;
    const double shownLayer = app.lines.CurrentLayer == 0 ? 1 : app.lines.CurrentLayer;
    EXPECT_EQ(shownLayer, c.layer) << c.x << "," << c.y;
    EXPECT_EQ(app.points.CurrentMark, c.mark) << c.x << "," << c.y;
  }
  app.lines.LayerVisible(2) = 1;
  MoveOverView(70, 615);  // the visibility mark of the second box
  PickPointOrTool(app);
  EXPECT_EQ(app.lines.LayerVisible(2), -1);
  EXPECT_EQ(app.input.ViewRedrawPending, 1);
}

// ---- Console words and menus ----

TEST_F(PickTest, AMenuNumberClickedInTheConsoleAnswersAtOnce) {
  RtLocate(0, 5);
  RtPrintStr("1:追加  2:削除  Q", false);
  struct Case {
    int column;
    std::string answer;
  };
  for (const Case& c : std::vector<Case>{{10, " 2"}, {16, "Q"}, {1, " 1"}}) {
    Ask("!click main " + std::to_string(c.column * 8 + 4) + " 99\n", InputMenuChoice, "NO.");
    EXPECT_EQ(app.input.Answer, c.answer) << c.column;
    EXPECT_EQ(Row(10).substr(3, c.answer.size()), c.answer);  // over the "? "
  }
}

TEST_F(PickTest, AConsoleWordEndsAnyQuestionWithTheWord) {
  RtLocate(0, 5);
  RtPrintStr("P12, 34.5 測量", false);
  struct Case {
    int column;
    std::string answer;
  };
  // On the word, on the "," right after it, and on the blank after a number.
  for (const Case& c : std::vector<Case>{{1, "P12"}, {3, "P12"}, {9, "34.5"}}) {
    Ask("!click main " + std::to_string(c.column * 8 + 4) + " 99\n", InputDistance);
    EXPECT_EQ(app.input.Answer, c.answer) << c.column;
  }
}

// ---- Values from the readouts ----

TEST_F(PickTest, ADistancePressTypesTheReadoutInCentimetres) {
  for (const auto& [readout, typed] :
       std::vector<std::pair<double, std::string>>{{12.3449, " 12.34"}, {12.3451, " 12.35"}}) {
    OpenPrompt();
    MoveOverView(500, 500);
    app.input.ReadoutDistance = readout;
    PickDistance(app);
    EXPECT_EQ(app.input.TypedText, typed);
    EXPECT_EQ(app.input.PickAnswered, 0);
    EXPECT_EQ(Row(10), "NO=? " + typed);
  }
}

TEST_F(PickTest, ADirectionPressTypesDmsRoundedToWholeSeconds) {
  OpenPrompt();
  MoveOverView(500, 500);
  app.numbers.AngleToFormat = 12 + 34.0 / 60 + 59.6 / 3600;
  PickDirection(app);
  EXPECT_EQ(app.input.TypedText, " 12.346");
  EXPECT_EQ(Row(10), "NO=?  12.346");
}

// Station and offset of a ground point along the base, by projecting on the
// base direction.
struct Projection {
  double station, offset;
};
Projection Project(double bx, double by, double azimuth, double x, double y) {
  const double a = azimuth * std::numbers::pi / 180;
  return {(x - bx) * std::cos(a) + (y - by) * std::sin(a),
          (y - by) * std::cos(a) - (x - bx) * std::sin(a)};
}

TEST_F(PickTest, AStationPressOnAPointTypesItsStationOrOffsetAlongTheBaseLine) {
  cogo::State& c = app.cogo;
  c.BasePointX = 1050;
  c.BasePointY = 2080;
  c.BaseAzimuth = 30;
  c.BaseChainage = 100;
  AddPoint(1, "S", 1200.1234, 2150.5678);
  const Projection p = Project(1050, 2080, 30, 1200.1234, 2150.5678);
  for (const double mode : {0.0, 1.0}) {
    OpenPrompt();
    app.input.PickOffsetMode = mode;
    MoveOverView(ViewX(2150.5678), ViewY(1200.1234));
    PickStationOffset(app);
    const double expected = mode == 0 ? p.station + 100 : p.offset;
    EXPECT_NEAR(RtVal(app.input.TypedText), expected, 0.00005) << mode;
    EXPECT_EQ(app.input.TypedText, app.input.Answer);
  }
}

TEST_F(PickTest, AStationPressNearNoPointTypesThePointersStation) {
  OpenPrompt();
  MoveOverView(500, 500);
  app.input.BaseStation = 123.45678;
  PickStationOffset(app);
  EXPECT_EQ(app.input.TypedText, RtStr(RoundDistance(app, 123.45678)));
}

TEST_F(PickTest, PickingThePointTwiceStartsTheIntersectionOfTheNextPickWithTheBase) {
  cogo::State& c = app.cogo;
  c.BasePointX = 1000;
  c.BasePointY = 2000;
  c.BaseAzimuth = 45;
  AddPoint(1, "P", 1150, 2060);
  AddPoint(2, "Q", 1080, 2190);
  app.input.GuideNumber = 187;
  for (int pick = 0; pick < 2; ++pick) {
    OpenPrompt();
    MoveOverView(ViewX(2060), ViewY(1150));
    PickStationOffset(app);
  }
  EXPECT_EQ(app.input.IntersectionMode, 1);
  EXPECT_NE(Row(10).find(U8(u8"ｺｳﾃﾝﾓｰﾄﾞ")), std::string::npos);
  OpenPrompt();
  MoveOverView(ViewX(2190), ViewY(1080));
  PickStationOffset(app);
  const Projection p = Project(1000, 2000, 45, 1150, 2060);
  const Projection q = Project(1000, 2000, 45, 1080, 2190);
  const double crossing = p.station - p.offset * (q.station - p.station) / (q.offset - p.offset);
  EXPECT_NEAR(RtVal(app.input.TypedText), crossing, 0.0002);
  EXPECT_EQ(app.input.IntersectionMode, 0);
}

// ---- Coordinates ----

TEST_F(PickTest, ACoordinatePickAnswersFAndShowsTheCoordinates) {
  Ask(ClickViewAt(1234.5678, 2345.25), InputCoordinatePick, "ZAHYO");
  EXPECT_EQ(app.input.Answer, "F");
  const std::string x = RtFormatUsing("########.###", {app.input.PointerX});
  const std::string y = RtFormatUsing("########.###", {app.input.PointerY});
  bool xShown = false, yShown = false;
  for (int row = 0; row < rt::kConsoleRows; ++row) {
    xShown = xShown || Row(row) == "X=" + x;
    yShown = yShown || Row(row) == "Y=" + y;
  }
  EXPECT_TRUE(xShown);
  EXPECT_TRUE(yShown);
}

// ---- Drag, pan and wheel ----

struct Transform {
  double scale, originX, originY;
};

TEST_F(PickTest, ALeftDragCentresOrZoomsAboutThePressedPoint) {
  const double hh = app.view.ViewHalfHeight, hw = app.view.ViewHalfWidth;
  const double px = 1000, py = 1000;  // the press, view units
  struct Case {
    double dx, dy;
    Transform after;
  };
  const double gx = GroundX(py), gy = GroundY(px);
  const std::vector<Case> cases = {
      {20, 0, {0.5, 1000, 2000}},                                   // a click
      {0, 40, {0.5, gx - hh * 0.5 * 0.25, gy - hw * 0.5}},          // centre
      {0, -100, {0.25, gx - hh * 0.25 * 0.25, gy - hw * 0.25}},     // up: in by 2
      {0, 100, {1, gx - hh * 1 * 0.25, gy - hw * 1}},               // down: out by 2
      {100, 0, {0.5, 1000, 2000}},                                  // sideways
  };
  for (const Case& c : cases) {
    app.view.ViewScale = 0.5;
    app.view.ViewOriginX = 1000;
    app.view.ViewOriginY = 2000;
    MoveOverView(px, py);
    MouseToWorld(app);
    MoveOverView(px + c.dx, py + c.dy);
    FinishLeftDrag(app);
    EXPECT_DOUBLE_EQ(app.view.ViewScale, c.after.scale) << c.dx << "," << c.dy;
    EXPECT_DOUBLE_EQ(app.view.ViewOriginX, c.after.originX) << c.dx << "," << c.dy;
    EXPECT_DOUBLE_EQ(app.view.ViewOriginY, c.after.originY) << c.dx << "," << c.dy;
    EXPECT_EQ(app.input.LeftButtonHeld, 0);
  }
}

TEST_F(PickTest, ADragBeyondTheScaleLimitsResetsTheView) {
  for (const auto& [scale, dy] : std::vector<std::pair<double, double>>{{8000, 100}, {0.000015, -100}}) {
    app.view.ViewScale = scale;
    MoveOverView(1000, 1000);
    MouseToWorld(app);
    MoveOverView(1000, 1000 + dy);
    FinishLeftDrag(app);
    EXPECT_EQ(app.view.ViewScale, 1) << scale;
    EXPECT_EQ(app.view.ViewOriginX, 0);
    EXPECT_EQ(app.view.ViewOriginY, 0);
    EXPECT_EQ(app.input.PointerX, 0);
  }
}

TEST_F(PickTest, TheReleaseAfterACoordinatePickChangesNothing) {
  OpenPrompt();
  MoveOverView(1000, 1000);
  PickCoordinates(app);
  MoveOverView(1000, 1100);
  FinishLeftDrag(app);
  EXPECT_EQ(app.view.ViewScale, 0.5);
  EXPECT_EQ(app.view.ViewOriginX, 1000);
  EXPECT_EQ(app.input.ViewRedrawPending, 0);
}

TEST_F(PickTest, AMiddleDragBringsTheGroundPointFromAToB) {
  MoveOverView(300, 400);
  const double ax = app.input.PointerX, ay = app.input.PointerY;
  StartMiddlePan(app);
  MoveOverView(700, 900);
  EndMiddlePan(app);
  EXPECT_NEAR(GroundX(900), ax, 1e-9);
  EXPECT_NEAR(GroundY(700), ay, 1e-9);
  EXPECT_EQ(app.input.ViewRedrawPending, 1);
}

TEST_F(PickTest, TheWheelZoomsAboutThePointerWithinTheLimits) {
  const double hh = app.view.ViewHalfHeight, hw = app.view.ViewHalfWidth;
  struct Case {
    double scale;
    int notches;
    Transform after;  // origin for the pointer at ground (gx, gy)
    bool reset;
  };
  const std::vector<Case> cases = {
      {0.5, -1, {0.5 / 1.6, 0, 0}, false},  // towards the user: in
      {0.5, 1, {0.5 * 2.5, 0, 0}, false},   // away: out
      {5000, 1, {1, 0, 0}, true},            // beyond 10000
      {0.5, 2, {1, 0, 0}, true},             // 240 units away at once
  };
  for (const Case& c : cases) {
    app.view.ViewScale = c.scale;
    app.view.ViewOriginX = 1000;
    app.view.ViewOriginY = 2000;
    Deliver("!wheel view 600 700 " + std::to_string(c.notches) + "\n");
    app.input.PointerX = GroundX(700);
    app.input.PointerY = GroundY(600);
    const double gx = c.reset ? 0 : app.input.PointerX, gy = c.reset ? 0 : app.input.PointerY;
    ZoomByWheel(app);
    EXPECT_DOUBLE_EQ(app.view.ViewScale, c.after.scale) << c.notches;
    EXPECT_DOUBLE_EQ(app.view.ViewOriginX, gx - hh * c.after.scale * 0.25) << c.notches;
    EXPECT_DOUBLE_EQ(app.view.ViewOriginY, gy - hw * c.after.scale) << c.notches;
    EXPECT_EQ(app.input.ViewRedrawPending, 1);
  }
}

// ---- The station marker ----

// The marker's colour on one of the pixels around the view position (x, y).
bool MarkerNear(double x, double y) {
  const int px = view_ink::ToPixel(x), py = view_ink::ToPixel(y);
  for (int dx = -1; dx <= 1; ++dx) {
    for (int dy = -1; dy <= 1; ++dy) {
      if (view_ink::RgbAt(px + dx, py + dy) == rt::PaletteRgb(10)) return true;
    }
  }
  return false;
}

TEST_F(PickTest, TheStationMarkerIsALineOrACircleAndErasesTheOldOne) {
  cogo::State& c = app.cogo;
  c.BasePointX = GroundX(1000);
  c.BasePointY = GroundY(1000);
  c.BaseAzimuth = 90;  // to the right
  DrawStationMarker(app);
  EXPECT_TRUE(MarkerNear(1150, 1000));
  EXPECT_FALSE(MarkerNear(1000, 850));
  c.BaseRadius = -25;  // a circle of 25 m: 50 units across, 200 up and down
  DrawStationMarker(app);
  EXPECT_FALSE(MarkerNear(1150, 1000));  // the line is gone
  EXPECT_TRUE(MarkerNear(1050, 1000));
  EXPECT_TRUE(MarkerNear(1000, 800));
  EXPECT_EQ(app.view.LastMarker.BaseRadius, -25);
}

}  // namespace
