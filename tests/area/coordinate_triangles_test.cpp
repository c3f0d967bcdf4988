// The coordinate triangles: base and height against Heron's formula coded here,
// the triangle block a new parcel stores, and a stored parcel recomputed.
#include "area/coordinate_triangles.h"

#include <gtest/gtest.h>

#include <cmath>
#include <fstream>
#include <sstream>

#include "area/area_fixture.h"
#include "area/area_menu.h"

namespace {

struct P {
  double x, y;
};

TEST(CoordinateTriangle, BaseIsTheLongestSideRoundedAndHeightFollowsFromIt) {
  const struct {
    P a, b, c;
    double t;
  } cases[] = {
      {{0, 0}, {10, 0}, {10, 10}, 100},
      {{0, 0}, {12.345, 3.21}, {4.5, 9.876}, 20},
      {{100.001, -50.5}, {130.25, -20.75}, {90.5, 5.125}, 1000},
      {{0, 0}, {3, 4}, {6, 8}, 100},  // on one line: no height
      {{5, 5}, {5, 5}, {5, 5}, 100},  // one point: no base
  };
  for (const auto& c : cases) {
    const double ab = std::hypot(c.a.x - c.b.x, c.a.y - c.b.y), bc = std::hypot(c.b.x - c.c.x, c.b.y - c.c.y),
                 ca = std::hypot(c.c.x - c.a.x, c.c.y - c.a.y);
    const double s = (ab + bc + ca) / 2;
    const double heron = std::sqrt(std::max(0.0, s * (s - ab) * (s - bc) * (s - ca)));
    const double base = std::floor(std::max({ab, bc, ca}) * c.t + 0.5) / c.t;
    const double height = base > 0 ? std::floor(2 * heron * c.t / base + 0.5) / c.t : 0;
    const area::CoordinateTriangle r = area::CoordinateTriangleOf(ab, bc, ca, c.t);
    EXPECT_DOUBLE_EQ(r.base, base);
    EXPECT_DOUBLE_EQ(r.height, height);
    EXPECT_DOUBLE_EQ(r.product, base * height);
  }
  EXPECT_EQ(area::CoordinateTriangleOf(5, 5, 10, 100).height, 0);
  EXPECT_EQ(area::CoordinateTriangleOf(0, 0, 0, 100).product, 0);
}

class CoordinateTrianglesTest : public AreaTest {
 protected:
  void SetUp() override {
    AreaTest::SetUp();
    SetSquare();
    area::State& a = app.area;
    a.LabelX.Dimension(2000);
    a.LabelY.Dimension(2000);
    a.LabelText.Dimension(4000);
    std::ofstream(Kd(), std::ios::binary);
  }
  std::string Kd() { return app.shell.DataFolder + "K.D"; }
  std::string ReadKd() {
    std::ifstream in(Kd(), std::ios::binary);
    std::stringstream s;
    s << in.rdbuf();
    return s.str();
  }
};

const std::string kBlock =
    "D00, 1 ,T1,1,\r\nB01, 1 ,A1,\r\nB01, 2 ,A2,\r\nB01, 3 ,A3,\r\nB01, 4 ,A4,\r\n"
    "E00,\r\nE01, 1 ,A1, 2 ,A2, 3 ,A3,\r\nE01, 1 ,A1, 3 ,A3, 4 ,A4,\r\nE99,\r\nD99,\r\n";

TEST_F(CoordinateTrianglesTest, ANewParcelStoresItsPerimeterAndTriangles) {
  EXPECT_EQ(RunUntil(CoordinateTriangleArea, "100\n1\nT1\nY\nA1\nA2\nA3\nA4\n\nA1\nA2\nA3\nA1\nA3\nA4\n\nQ\n",
                     AreaMenu, 100),
            AreaMenu);
  EXPECT_EQ(ReadKd(), kBlock);
  // Two triangles of base 14.14 and height INT(2 x 50 x 100 / 14.14 + 0.5) / 100.
  const double height = std::floor(2 * 50 * 100 / 14.14 + 0.5) / 100;
  const auto lines = ReportLines();
  EXPECT_TRUE(Holds(lines, std::string(55, ' ') + RtFormatUsing("倍面積              ##########.####",
                                                                 {2 * 14.14 * height})));
  // Each side a two-vertex area line of type 6.
  int sides = 0;
  for (int k = 1; k <= app.lines.LineVertexCount; ++k) sides += app.lines.LineType(k) == 6;
  EXPECT_EQ(sides, 6);
  // The land number labelled once the walk has read the parcel.
  EXPECT_EQ(app.area.LabelText(0), "T1");
}

TEST_F(CoordinateTrianglesTest, AStoredParcelIsRecomputedWithoutWriting) {
  std::ofstream(Kd(), std::ios::binary) << kBlock << "D00, 2 ,U,1,\r\nB01, 1 ,A1,\r\nE00,\r\nE99,\r\nD99,\r\n";
  app.area.ParcelLabelsLoaded = 0;
  EXPECT_EQ(RunUntil(CoordinateTriangleArea, "100\n2\nT1\nU\nQ\n", AreaMenu, 100), AreaMenu);
  EXPECT_EQ(ReadKd().substr(0, kBlock.size()), kBlock);
  const double height = std::floor(2 * 50 * 100 / 14.14 + 0.5) / 100;
  const auto lines = ReportLines();
  EXPECT_TRUE(Holds(lines, RtFormatUsing("#### ", {1.0}) + RtFormatUsing("####.##　####.##　#######.####",
                                                                        {14.14, height, 14.14 * height})));
  EXPECT_TRUE(Holds(lines, RtFormatUsing("倍面積              ##########.####", {2 * 14.14 * height})));
  // The empty triangle block of U counts as no triangle data.
  EXPECT_EQ(CountContaining(U8(u8"三斜データはありません")), 1);
  const area::State& a = app.area;
  ASSERT_GE(a.LabelCount, 4);
  EXPECT_EQ(a.LabelText(2), "^1");
  EXPECT_EQ(a.LabelText(3), "^2");
}

}  // namespace
