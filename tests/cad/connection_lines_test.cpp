// The connection-line commands on the line table: the arc texts of a typed
// radius and of a third point, the append that replaces a segment over the
// same points, the layer and line-type prompts, the bulk change and deletion,
// the removal of repeated segments and the editor menu's exits.
#include <gtest/gtest.h>

#include <cmath>
#include <string>
#include <tuple>
#include <vector>

#include "cad/connect_points.h"
#include "cad/line_drawing.h"
#include "cad/line_editor.h"
#include "cad/line_prompts.h"
#include "core/routines.h"
#include "files/result.h"
#include "points/point_question.h"
#include "support/u8.h"
#include "ui/transform.h"
#include "ui/view.h"

namespace {

class ConnectionLinesTest : public PointQuestionTest {
 protected:
  void SetUp() override {
    PointQuestionTest::SetUp();
    for (int layer = 0; layer <= 14; ++layer) app.lines.LayerVisible(layer) = 1;
    app.view.ViewScale = 0.05;
    app.view.ViewOriginX = -50;
    app.view.ViewOriginY = -50;
    app.view.VerticalRatio = 1;
    SetPoint(1, 0, 0, "A");
    SetPoint(2, 0, 10, "B");
    SetPoint(3, 10, 10, "C");
  }

  void AddVertex(int number, int type, int layer, const std::string& arc = "") {
    cad::Lines& l = app.lines;
    const int n = static_cast<int>(++l.LineVertexCount);
    l.LinePointNumber(n) = static_cast<int16_t>(number);
    l.LinePointName(n) = app.points.PointName(number);
    l.LineType(n) = static_cast<int16_t>(type);
    l.LineLayer(n) = static_cast<int16_t>(layer);
    l.LineArc(n) = arc;
  }

  // Connects to `point` as ConnectPoints does after a polyline's first point.
  bool ConnectTo(int point) {
    app.points.LineConnectMode = 1;
    app.points.CurrentPointNumber = point;
    return AppendLineVertex(app);
  }

  // Runs ConnectPoints on the answers; the entry it leaves for.
  Entry RunConnect(const std::string& script) {
    Answers(script);
    try {
      return ConnectPoints(app).next;
    } catch (const JumpException& jump) {
      return jump.target;
    }
  }

  std::vector<int> Types() const {
    std::vector<int> types;
    for (int i = 1; i <= app.lines.LineVertexCount; ++i) types.push_back(app.lines.LineType(i));
    return types;
  }
  std::vector<int> Layers() const {
    std::vector<int> layers;
    for (int i = 1; i <= app.lines.LineVertexCount; ++i) layers.push_back(app.lines.LineLayer(i));
    return layers;
  }
};

using Ints = std::vector<int>;

// ---- Arc texts ----

TEST(ArcTextTest, TypedRadiusGivesSignedRadiusAndSideDigit) {
  EXPECT_EQ(cad::RadiusArcText(20, 0), " 20 0");
  EXPECT_EQ(cad::RadiusArcText(20, 1), "-20 1");
  EXPECT_EQ(cad::RadiusArcText(-7.5, 0), "-7.5 0");
  EXPECT_EQ(cad::RadiusArcText(12.34567891, 0), " 12.345679 0");
}

TEST(ArcTextTest, RadiusMustReachAcrossTheChord) {
  // Chord 10 from (0, 0) to (0, 10).
  EXPECT_TRUE(cad::RadiusFitsChord(5, 0, 0, 0, 10));
  EXPECT_TRUE(cad::RadiusFitsChord(-5, 0, 0, 0, 10));
  EXPECT_FALSE(cad::RadiusFitsChord(4.99, 0, 0, 0, 10));
  EXPECT_FALSE(cad::RadiusFitsChord(0, 0, 0, 0, 10));
  EXPECT_TRUE(cad::RadiusFitsChord(5, 3, 3, 3, 3));  // a circle about one point
}

// Heron's area of the triangle with sides a, b, c.
double HeronArea(double a, double b, double c) {
  const double s = (a + b + c) / 2;
  return std::sqrt(s * (s - a) * (s - b) * (s - c));
}

TEST_F(ConnectionLinesTest, ThreePointArcIsTheCircumcircleAndPassesThroughTheThirdPoint) {
  struct Case {
    double sx, sy, ex, ey, tx, ty;
  };
  const Case cases[] = {
      {0, 0, 0, 10, 2, 5},       // just north of the chord: short arc, left turn
      {0, 0, 0, 10, -2, 5},      // south of it: right turn
      {0, 0, 0, 10, 3, -4},      // beyond the start: long arc
      {100, 200, 130, 190, 150, 260},
      {-35120.5, 12040.25, -35080.0, 12110.75, -35010.25, 12060.5},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(::testing::Message() << c.tx << "," << c.ty);
    const auto text = cad::ThreePointArcText(c.sx, c.sy, c.ex, c.ey, c.tx, c.ty);
    ASSERT_TRUE(text.has_value());
    const double a = std::hypot(c.ex - c.sx, c.ey - c.sy);
    const double b = std::hypot(c.tx - c.ex, c.ty - c.ey);
    const double d = std::hypot(c.tx - c.sx, c.ty - c.sy);
    const double circumradius = a * b * d / (4 * HeronArea(a, b, d));
    const double radius = RadiusOfArcText(*text);
    EXPECT_NEAR(std::fabs(radius), circumradius, 1e-6 * circumradius);
    // Left (anticlockwise on the map, X north and Y east) is positive.
    const double cross = (c.ey - c.sy) * (c.tx - c.ex) - (c.ex - c.sx) * (c.ty - c.ey);
    EXPECT_EQ(radius > 0, cross > 0);
    // The side digit: the long arc exactly when T lies outside the circle on the
    // chord as diameter.
    const double mx = (c.sx + c.ex) / 2, my = (c.sy + c.ey) / 2;
    EXPECT_EQ(text->back() == '1', std::hypot(c.tx - mx, c.ty - my) >= a / 2);

    // The arc drawn from the text runs through T.
    SetPoint(1, c.sx, c.sy, "S");
    SetPoint(2, c.ex, c.ey, "E");
    app.lines.LineVertexCount = 0;
    AddVertex(1, 9, 1);
    AddVertex(2, 0, 1, *text);
    cad::Lines& l = app.lines;
    l.SegmentVertex = 2;
    l.ArcRadius = radius;
    ComputeArcFromRadius(app);
    EXPECT_NEAR(std::hypot(c.tx - l.ArcCentreX, c.ty - l.ArcCentreY), circumradius,
                1e-6 * circumradius);
    double t = std::acos(std::clamp((c.ty - l.ArcCentreY) / circumradius, -1.0, 1.0)) * 180 /
               M_PI;
    if (c.tx - l.ArcCentreX > 0) t = 360 - t;
    const auto span = [](double from, double to) { return std::fmod(to - from + 720, 360); };
    EXPECT_LE(span(l.ArcStartAngle, t), span(l.ArcStartAngle, l.ArcEndAngle) + 1e-6);
  }
}

TEST(ArcTextTest, ThreePointsOnOneLineOrCoincidingMakeNoArc) {
  EXPECT_FALSE(cad::ThreePointArcText(0, 0, 0, 10, 0, 20).has_value());   // beyond the end
  EXPECT_FALSE(cad::ThreePointArcText(0, 0, 0, 10, 0, 5).has_value());    // on the chord
  EXPECT_FALSE(cad::ThreePointArcText(0, 0, 0, 10, 0, 10).has_value());   // T on E
  EXPECT_FALSE(cad::ThreePointArcText(0, 0, 0, 10, 0, 0).has_value());    // T on S
  EXPECT_FALSE(cad::ThreePointArcText(5, 5, 5, 5, 0, 0).has_value());     // no chord
}

// ---- AppendLineVertex ----

TEST_F(ConnectionLinesTest, GoingBackAlongTheLastSegmentReplacesIt) {
  app.lines.CurrentLayer = 1;
  app.lines.CurrentLineType = 0;
  AddVertex(1, 9, 1);
  ASSERT_TRUE(ConnectTo(2));
  ASSERT_TRUE(ConnectTo(1));
  EXPECT_EQ(Types(), (Ints{9, 9, 0}));
}

TEST_F(ConnectionLinesTest, ASegmentOnAnotherLayerStaysUnlessTheEraseModeIsOn) {
  for (const double erase : {-1.0, 1.0}) {
    SCOPED_TRACE(erase);
    app.lines.LineVertexCount = 0;
    app.lines.LineEraseMode = erase;
    AddVertex(1, 9, 1);
    AddVertex(2, 0, 1);
    AddVertex(1, 9, 2);
    app.lines.CurrentLayer = 2;
    app.lines.CurrentLineType = 3;
    ASSERT_TRUE(ConnectTo(2));
    EXPECT_EQ(Types(), (Ints{9, erase == 1 ? 9 : 0, 9, 3}));
    EXPECT_EQ(Layers(), (Ints{1, 1, 2, 2}));
  }
}

TEST_F(ConnectionLinesTest, AReplacedArcLosesItsTextAndTheNewSegmentIsStraight) {
  AddVertex(1, 9, 1);
  AddVertex(2, 0, 1, " 20 0");
  AddVertex(2, 9, 1);
  app.lines.LineArc(4) = "-5 1";  // left above the count by an earlier, longer table
  app.lines.CurrentLayer = 1;
  ASSERT_TRUE(ConnectTo(1));
  EXPECT_EQ(app.lines.LineArc(2), "");
  EXPECT_EQ(app.lines.LineType(2), 9);
  EXPECT_EQ(app.lines.LineArc(4), "");
}

TEST_F(ConnectionLinesTest, NothingIsAppendedWhileLinesAreHiddenOrTheTableIsFull) {
  AddVertex(1, 9, 1);
  app.settings.ZEF = -1;
  EXPECT_FALSE(ConnectTo(2));
  app.settings.ZEF = 1;
  app.points.LineConnectMode = 2;
  app.points.CurrentPointNumber = 2;
  EXPECT_FALSE(AppendLineVertex(app));
  EXPECT_EQ(app.lines.LineVertexCount, 1);

  app.lines.LineVertexCount = cad::kLineCapacity;
  EXPECT_FALSE(ConnectTo(2));
  EXPECT_EQ(app.lines.LineVertexCount, cad::kLineCapacity);
  EXPECT_EQ(TimesPlayed("chord.wav"), 1);
  EXPECT_FALSE(cad::AppendVertex(app.lines, 2, "B", 0, 1));
}

// ---- Prompts ----

TEST_F(ConnectionLinesTest, LayerPromptKeepsTheDefaultTakesZeroAsOneAndAsksAgainOutsideOneToFifteen) {
  struct Case {
    double preset;
    const char* answers;
    double layer;
  };
  for (const Case c : {Case{4, "\n", 4}, Case{4, "0\n", 1}, Case{4, "15\n", 15},
                       Case{4, "16\n7\n", 7}, Case{4, "-2\n\n", 4}, Case{0, "\n3\n", 3}}) {
    SCOPED_TRACE(c.answers);
    app.lines.ChosenLayer = c.preset;
    Answers(c.answers);
    InputLayer(app);
    EXPECT_EQ(app.lines.ChosenLayer, c.layer);
  }
  EXPECT_EQ(CountContaining(U8(u8"レイヤーは1～15です")), 3);
}

TEST_F(ConnectionLinesTest, LineTypePromptGivesTenForEnterAlone) {
  app.lines.LineTypeAllText = "同線";
  Answers("\n3\n");
  InputLineType(app);
  EXPECT_EQ(app.lines.ChosenLineType, 10);
  InputLineType(app);
  EXPECT_EQ(app.lines.ChosenLineType, 3);
  EXPECT_EQ(CountContaining(U8(u8"10:同線 ] 10")), 2);
}

// ---- Bulk change and deletion ----

TEST_F(ConnectionLinesTest, BulkChangeFollowsItsDecisionTable) {
  struct Row {
    double oldType;
    int entryType;
    double newType;
    int layer, type;  // the entry's layer and type afterwards (it starts on 1)
  };
  const Row rows[] = {
      {0, 0, 3, 2, 3},     // one type to another
      {0, 0, 10, 2, 0},    // one type, kept
      {0, 5, 3, 1, 5},     // another type: untouched
      {10, 4, 3, 2, 3},    // every type to one type
      {10, 9, 10, 2, 9},   // every type kept: polyline starts move too
      {10, 4, 10, 2, 4},
      {10, 9, 3, 1, 9},    // a polyline start does not take a segment type
      {10, 4, 9, 1, 4},    // a new type other than 0-8 and 10
      {9, 9, 3, 1, 9},     // an old type other than 0-8 and 10
      {11, 4, 10, 1, 4},
  };
  for (const Row& r : rows) {
    SCOPED_TRACE(::testing::Message() << r.oldType << " " << r.entryType << " " << r.newType);
    app.lines.LineVertexCount = 0;
    AddVertex(1, r.entryType, 1);
    AddVertex(2, r.entryType, 3);  // another layer: never touched
    cad::BulkChange(app.lines, 1, r.oldType, 2, r.newType);
    EXPECT_EQ(Layers(), (Ints{r.layer, 3}));
    EXPECT_EQ(Types(), (Ints{r.type, r.entryType}));
  }
}

TEST_F(ConnectionLinesTest, BulkDeletionOfEveryTypeOrOneType) {
  AddVertex(1, 9, 4);
  AddVertex(2, 0, 4);
  AddVertex(3, 3, 4);
  AddVertex(1, 3, 5);
  cad::BulkDelete(app.lines, 4, 3);
  EXPECT_EQ(Types(), (Ints{9, 0, 9, 3}));
  cad::BulkDelete(app.lines, 4, 10);
  EXPECT_EQ(Types(), (Ints{9, 9, 9, 3}));
}

// ---- Repeated segments ----

TEST_F(ConnectionLinesTest, TheLaterOfTwoRepeatedSegmentsGoes) {
  // Two polylines A-B on one layer and type; B-A on layer 2 differs.
  AddVertex(1, 9, 1);
  AddVertex(2, 0, 1);
  AddVertex(1, 9, 1);
  AddVertex(2, 0, 1);
  AddVertex(2, 9, 2);
  AddVertex(1, 0, 2);
  AddVertex(3, 9, 1);  // C-B-A-B: B-A repeats A-B, A-B repeats it again
  AddVertex(2, 0, 1);
  AddVertex(1, 0, 1);
  AddVertex(2, 0, 1);
  std::vector<std::tuple<int, int, int>> reports;
  const int found = cad::RemoveRepeatedSegments(
      app.lines, [&](int i, int j, int n) { reports.emplace_back(i, j, n); });
  EXPECT_EQ(found, 3);
  EXPECT_EQ(reports, (std::vector<std::tuple<int, int, int>>{{2, 4, 0}, {2, 9, 1}, {2, 10, 2}}));
  EXPECT_EQ(Types(), (Ints{9, 0, 9, 9, 9, 0, 9, 0, 9, 9}));
}

// ---- ConnectPoints ----

TEST_F(ConnectionLinesTest, ARadiusOfZeroOrBelowHalfTheChordAndAThirdPointInLineMakeNoArc) {
  SetPoint(4, 0, 20, "D");
  // A, B; "３点円" with Enter: R 4 (below half of 10), then Enter (0); then
  // "３点円" and D, in line with A-B; Enter ends the polyline, Enter leaves.
  const Entry next = RunConnect("A\nB\n!click view 40 470\n\n4\n!click view 40 470\n\n\n"
                                "!click view 40 470\nD\n\n\n");
  EXPECT_EQ(next, Routines().RepeatLastCommand);
  EXPECT_EQ(app.lines.LineVertexCount, 2);
  EXPECT_EQ(app.lines.LineArc(2), "");
  EXPECT_EQ(app.lines.LineType(2), 0);
  EXPECT_EQ(CountContaining(U8(u8"半径が弦の半分より小さい")), 1);
  EXPECT_EQ(CountContaining(U8(u8"円弧は取り消しました")), 1);
  EXPECT_EQ(CountContaining(U8(u8"一直線上")), 1);
}

TEST_F(ConnectionLinesTest, NothingIsConnectedWhileConnectionLinesAreHidden) {
  app.settings.ZEF = -1;
  EXPECT_EQ(RunConnect("A\n"), Entry{ShowResultMenu});
  EXPECT_EQ(app.lines.LineVertexCount, 0);
  EXPECT_EQ(CountContaining(U8(u8"結線が非表示です")), 1);
  EXPECT_EQ(PrintBuffer().find(" 9 \r\n"), std::string::npos);  // no polyline started
}

// ---- The editor menu ----

TEST_F(ConnectionLinesTest, EnterAloneLeavesByTheWayTheEditorWasEntered) {
  struct Case {
    double flag, lastCommand;
    Entry next;
  };
  for (const Case c : {Case{1, 13, ShowResultMenu}, Case{0, 9, Routines().RepeatLastCommand},
                       Case{0, 13, ShowResultMenu}}) {  // 13 typed: not this menu again
    SCOPED_TRACE(c.lastCommand);
    app.shell.MainMenuEnterFlag = c.flag;
    app.shell.LastMainMenuChoice = c.lastCommand;
    Answers("\n");
    EXPECT_EQ(ConnectionLineEditor(app).next, c.next);
  }
  Answers("3\n");
  EXPECT_EQ(ConnectionLineEditor(app).next, Entry{BulkChangeLines});
  EXPECT_EQ(app.lines.CurrentLayer, 1);
  EXPECT_EQ(app.lines.LineTypeAllText, "全て");
}

}  // namespace
