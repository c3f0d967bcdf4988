// The line writer: clearances at the mark outlines against a ray cast coded
// here, the texts' angles and distances against the worked examples, and lines
// written into a drawing: cut at plotted marks, asked about once per menu pass,
// labelled by layer, and left out where nothing of them would show.
#include "dxf/line_writer.h"

#include <gtest/gtest.h>

#include <cmath>
#include <vector>

#include "dxf/drawing_fixture.h"
#include "runtime/events.h"
#include "support/u8.h"

namespace {

using dxf::MarkOutline;
using drawing_entities::Entity;

constexpr double kDeg = M_PI / 180;

// The distance from the centre to the outline along the paper direction phi
// (degrees from +y towards +x), by cutting the ray with each side.
double RayToOutline(const std::vector<std::pair<double, double>>& corners, double phi) {
  const double ux = std::sin(phi * kDeg), uy = std::cos(phi * kDeg);
  double best = 1e300;
  for (size_t k = 0; k < corners.size(); ++k) {
    const auto [ax, ay] = corners[k];
    const auto [bx, by] = corners[(k + 1) % corners.size()];
    const double ex = bx - ax, ey = by - ay;
    const double det = ux * (-ey) - uy * (-ex);
    if (std::fabs(det) < 1e-15) continue;
    const double t = (ax * (-ey) - ay * (-ex)) / det;     // along the ray
    const double s = (ux * ay - uy * ax) / det;           // along the side
    if (t > 0 && s >= -1e-12 && s <= 1 + 1e-12) best = std::min(best, t);
  }
  return best;
}

std::vector<std::pair<double, double>> CornersOf(MarkOutline o, double size) {
  const double h = size / 2, c = 0.4330127 * size, q = size / 4;
  switch (o) {
    case MarkOutline::Square: return {{h, h}, {h, -h}, {-h, -h}, {-h, h}};
    case MarkOutline::Diamond: return {{0, h}, {h, 0}, {0, -h}, {-h, 0}};
    case MarkOutline::TriangleUp: return {{0, h}, {c, -q}, {-c, -q}};
    case MarkOutline::TriangleDown: return {{c, q}, {0, -h}, {-c, q}};
    default: return {};
  }
}

TEST(MarkClearance, TheWorkedExamplesAtMarkSizeOneAndAHalf) {
  struct Case {
    MarkOutline outline;
    double theta;
    bool atStart;
    double expected;
  };
  const Case cases[] = {
      {MarkOutline::Circle, 123, false, 0.75},      {MarkOutline::Square, 0, false, 0.75},
      {MarkOutline::Square, 45, false, 1.0606602},  {MarkOutline::Diamond, 0, false, 0.75},
      {MarkOutline::Diamond, 45, false, 0.5303301}, {MarkOutline::TriangleUp, 180, false, 0.375},
      {MarkOutline::TriangleUp, 0, false, 0.75},    {MarkOutline::TriangleUp, 0, true, 0.375},
      {MarkOutline::TriangleDown, 180, false, 0.75}, {MarkOutline::None, 30, false, 0},
  };
  for (const Case& c : cases) {
    EXPECT_NEAR(dxf::MarkClearanceOf(c.outline, 1.5, c.theta, 0, c.atStart), c.expected, 1e-6)
        << static_cast<int>(c.outline) << " at " << c.theta;
  }
}

TEST(MarkClearance, ReachesTheOutlineAlongTheLineForAnyRotation) {
  // Rotations far outside 0-360 included: a rotation of -90 once gave a cut of
  // metres for a line straight up.
  for (MarkOutline o : {MarkOutline::Square, MarkOutline::Diamond, MarkOutline::TriangleUp,
                        MarkOutline::TriangleDown}) {
    for (double t : {0.0, 30.0, -90.0, -200.0, 390.0}) {
      for (double theta = 0; theta <= 360; theta += 7.5) {
        for (bool atStart : {false, true}) {
          const double phi = theta - t + (atStart ? 180 : 0);  // where the line leaves the point
          EXPECT_NEAR(dxf::MarkClearanceOf(o, 1.5, theta, t, atStart), RayToOutline(CornersOf(o, 1.5), phi), 1e-6)
              << static_cast<int>(o) << " theta " << theta << " rotation " << t << " start " << atStart;
        }
      }
    }
  }
}

TEST(MarkOutlineOf, OwnDigitsOrTheGeneralMark) {
  EXPECT_EQ(dxf::OutlineOf("10", "05ABC", "＋"), MarkOutline::Circle);
  EXPECT_EQ(dxf::OutlineOf("10", "03", ""), MarkOutline::Square);
  EXPECT_EQ(dxf::OutlineOf("10", "02", ""), MarkOutline::Diamond);
  EXPECT_EQ(dxf::OutlineOf("10", "04", ""), MarkOutline::TriangleUp);
  EXPECT_EQ(dxf::OutlineOf("10", "0", "○"), MarkOutline::None);  // no mark digit
  EXPECT_EQ(dxf::OutlineOf("10", "06", ""), MarkOutline::None);
  EXPECT_EQ(dxf::OutlineOf("1", "05", "◎"), MarkOutline::Circle);
  EXPECT_EQ(dxf::OutlineOf("1", "05", "▽"), MarkOutline::TriangleDown);
  EXPECT_EQ(dxf::OutlineOf("1", "05", "□＋"), MarkOutline::Square);
  EXPECT_EQ(dxf::OutlineOf("1", "05", "＋"), MarkOutline::None);
}

TEST(LineTexts, AnglesReadUprightAlongTheLine) {
  EXPECT_DOUBLE_EQ(dxf::LineTextAngle(0, 0), 270);    // south to north
  EXPECT_DOUBLE_EQ(dxf::LineTextAngle(180, 0), 90);   // north to south
  EXPECT_DOUBLE_EQ(dxf::LineTextAngle(90, 0), 360);   // west to east
  EXPECT_DOUBLE_EQ(dxf::LineTextAngle(270, 0), 0);    // east to west
  EXPECT_DOUBLE_EQ(dxf::LineTextAngle(90, 30), 30);
}

TEST(LineTexts, DistancesRoundToTheSettingsStep) {
  struct Case {
    double distance, t;
    const char* text;
  };
  const Case cases[] = {
      {12.3456, 100, "12.35"}, {40, 1000, "40.000"},  {12.34, 20, "12.35"}, {12.32, 20, "12.30"},
      {12.34, 5, "12.4"},      {12.34, 2, "12.5"},    {12.34, 4, "12.25"},  {12.3456, 10, "12.3"},
      {12.34, 50, "12.34"},    {12.35, 1, "12."},
  };
  for (const Case& c : cases) {
    EXPECT_EQ(dxf::DistanceTextOf(c.distance, std::log10(c.t)), c.text) << c.distance << " T " << c.t;
  }
}

class LineWriterTest : public DrawingFixture {
 protected:
  LineWriterTest() {
    // A at paper (20, 20), B (100, 20), C (100, 80), D (20, 80).
    AddPoint(1, "A", 1010, 2010, 10, "05");
    AddPoint(2, "B", 1010, 2050, 12, "03");
    AddPoint(3, "C", 1040, 2050, 14, "02");
    AddPoint(4, "D", 1040, 2010, 16, "04");
    app.dxf.CurrentLineLayer = 1;
    app.dxf.DxfLineTypeNumber = 0;
    app.dxf.DxfLineTypeName = "CONTINUOUS";
  }
  void Line(int a, int b, double layer = 1) {
    app.dxf.CurrentLineLayer = layer;
    SetPaperLineFromPoints(app, a, b);
    WriteDxfLine(app);
  }
  std::vector<Entity> Lines(const std::string& layer = "1") {
    return drawing_entities::Of(Entities(), "LINE", layer);
  }
};

TEST_F(LineWriterTest, EndsStopOnTheOutlinesOfPlottedMarks) {
  Plotted({1, 2, 3, 4});
  app.lines.DrawingRotation = 30;
  rt::LoadScript("\n");
  Line(1, 3);  // circle to diamond, on the diagonal
  Line(2, 4);  // square to triangle
  Line(3, 1);
  const std::vector<Entity> lines = Lines();
  ASSERT_EQ(lines.size(), 3u);
  const double t = 30 * kDeg;
  // The written ends as offsets from their points turned with the drawing: the
  // outlines keep to the paper's axes.
  auto offset = [&](const Entity& e, int x, int y, double px, double py) {
    return std::pair{e.Number(x) - (px * std::cos(t) - py * std::sin(t)),
                     e.Number(y) - (px * std::sin(t) + py * std::cos(t))};
  };
  const auto [ax, ay] = offset(lines[0], 10, 20, 20, 20);
  EXPECT_NEAR(std::hypot(ax, ay), 0.5, 1e-5);
  const auto [cx, cy] = offset(lines[0], 11, 21, 100, 80);
  EXPECT_NEAR(std::fabs(cx) + std::fabs(cy), 0.5, 1e-5);
  const auto [bx, by] = offset(lines[1], 10, 20, 100, 20);
  EXPECT_NEAR(std::max(std::fabs(bx), std::fabs(by)), 0.5, 1e-5);
  // The triangle's corners 0.5 from D: the end lies on its lower side or on one
  // of the slanted sides (a ray cast from the centre finds it).
  const auto [dx, dy] = offset(lines[1], 11, 21, 20, 80);
  EXPECT_NEAR(std::hypot(dx, dy), RayToOutline(CornersOf(MarkOutline::TriangleUp, 1), std::atan2(dx, dy) / kDeg),
              1e-5);
  EXPECT_EQ(TimesShown(U8(u8"マーク内の線を抜く[Y,N]Y")), 1);
}

TEST_F(LineWriterTest, NoKeepsEveryLineOfThePassWhole) {
  Plotted({1, 2});
  rt::LoadScript("N\n");
  Line(1, 2);
  Line(2, 1);
  const std::vector<Entity> lines = Lines();
  ASSERT_EQ(lines.size(), 2u);
  EXPECT_DOUBLE_EQ(lines[0].Number(10), 20);
  EXPECT_DOUBLE_EQ(lines[0].Number(11), 100);
  EXPECT_DOUBLE_EQ(lines[1].Number(11), 20);
  EXPECT_EQ(TimesShown(U8(u8"マーク内の線を抜く[Y,N]Y")), 1);
  // The next menu pass asks again.
  app.dxf.LineWriterAsked = app.dxf.LineWriterKeepInside = 0;
  rt::LoadScript("n\n");  // lower case keeps cutting
  Line(1, 2);
  EXPECT_DOUBLE_EQ(Lines()[2].Number(10), 20.5);
  EXPECT_EQ(TimesShown(U8(u8"マーク内の線を抜く[Y,N]Y")), 2);
}

TEST_F(LineWriterTest, NothingIsWrittenWhereNothingWouldShow) {
  Plotted({1, 2, 5, 6});
  AddPoint(5, "E", 1010, 2010.2, 0, "05");  // 0.4 mm from A: the two circles cover it
  AddPoint(6, "F", 1010, 2010, 0, "05");    // on A itself
  rt::LoadScript("\n");
  Line(1, 5, 8);
  Line(1, 6, 8);
  app.dxf.DxfLineTypeNumber = 9;
  Line(1, 2, 8);
  EXPECT_TRUE(Entities().empty());
  EXPECT_EQ(TimesShown(U8(u8"マーク内の線を抜く[Y,N]Y")), 1);
}

TEST_F(LineWriterTest, TextsByLayerAndDistanceSetting) {
  struct Case {
    double layer, decimals;
    size_t distances, directions;
  };
  const Case cases[] = {{5, 3, 0, 0}, {6, 3, 1, 0}, {8, 3, 1, 1}, {6, 0, 0, 0}, {8, 0, 0, 1}};
  for (const Case& c : cases) {
    app.shell.DistanceDecimals = c.decimals;
    const size_t before = Entities().size();
    Line(1, 2, c.layer);
    const std::vector<Entity> all = Entities();
    const std::vector<Entity> added(all.begin() + static_cast<long>(before), all.end());
    EXPECT_EQ(drawing_entities::Of(added, "LINE", dxf::LayerNameOf(c.layer)).size(), 1u) << c.layer;
    EXPECT_EQ(drawing_entities::Of(added, "TEXT", "距離").size(), c.distances) << c.layer << " " << c.decimals;
    EXPECT_EQ(drawing_entities::Of(added, "TEXT", "方向角").size(), c.directions) << c.layer << " " << c.decimals;
  }
}

TEST_F(LineWriterTest, DistanceAndDirectionStandCentredOnTheLine) {
  app.dxf.Output3D = 1;
  Line(1, 2, 8);  // west to east, 40 m: the texts read at 360
  const std::vector<Entity> all = Entities();
  const Entity line = drawing_entities::Of(all, "LINE", "8").at(0);
  EXPECT_DOUBLE_EQ(line.Number(30), 20);  // 10 m at 1:500
  EXPECT_DOUBLE_EQ(line.Number(31), 24);
  const Entity distance = drawing_entities::Of(all, "TEXT", "距離").at(0);
  const Entity direction = drawing_entities::Of(all, "TEXT", "方向角").at(0);
  EXPECT_EQ(distance.Value(1), "４０．０００");
  EXPECT_EQ(direction.Value(1), "９０－００－００");
  const double shift = 6 * 1.8 * double(0.3f);
  EXPECT_NEAR(distance.Number(10), 60 - shift, 1e-6);
  EXPECT_NEAR(distance.Number(20), 20, 1e-6);
  EXPECT_NEAR(direction.Number(10), 60 - 8 * 1.8 * double(0.3f), 1e-6);
  EXPECT_NEAR(direction.Number(20), 20 - 1.8, 1e-6);
  EXPECT_DOUBLE_EQ(distance.Number(50), 360);
  EXPECT_DOUBLE_EQ(distance.Number(30), 22);
}

TEST_F(LineWriterTest, OlderLayerSixSegmentsKeepTheirDistanceOutOfAFreshWork) {
  app.output.ResultsPlaced = 0;
  app.lines.LineVertexCountBeforeCalc = 20;
  struct Case {
    double vertex;
    size_t distances;
  };
  // 0: an added line, which is no connection segment.
  for (const Case& c : {Case{19, 0}, Case{20, 1}, Case{0, 1}}) {
    const size_t before = Entities().size();
    app.dxf.DxfLineVertex = c.vertex;
    Line(1, 2, 6);
    const std::vector<Entity> all = Entities();
    const std::vector<Entity> added(all.begin() + static_cast<long>(before), all.end());
    EXPECT_EQ(drawing_entities::Of(added, "TEXT", "距離").size(), c.distances) << c.vertex;
  }
}

}  // namespace
