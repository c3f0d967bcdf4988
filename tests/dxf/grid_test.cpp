// The drawing's grid: the worked example of a 250 x 125 mm paper at 1:400,
// the label angles under rotation, labels without digit tails, intervals that
// give no grid, and the cut to the paper against a Liang-Barsky clip coded here,
// lines through the paper's corners included.
#include "dxf/grid.h"

#include <gtest/gtest.h>

#include <cmath>
#include <random>
#include <vector>

#include "dxf/drawing_fixture.h"
#include "dxf/paper_clip.h"

namespace {

using drawing_entities::Entity;

class GridTest : public DrawingFixture {
 protected:
  GridTest() {
    app.lines.PaperWidth = 0.25;
    app.lines.PaperHeight = 0.125;
    app.lines.ScaleDenominator = 400;
    app.lines.GridInterval = 10;
  }
  std::vector<Entity> Grid(const std::string& kind) {
    PlotGridToDxf(app);
    return drawing_entities::Of(Entities(), kind, "方眼");
  }
};

TEST_F(GridTest, TheWorkedExample) {
  const std::vector<Entity> lines = Grid("LINE");
  ASSERT_EQ(lines.size(), 4u + 9u);
  // X 1010 to 1040 across the paper, 25 mm apart; Y 2010 to 2090 up it.
  for (int k = 0; k < 4; ++k) {
    EXPECT_DOUBLE_EQ(lines[k].Number(10), 0);
    EXPECT_DOUBLE_EQ(lines[k].Number(20), 25 * (k + 1));
    EXPECT_DOUBLE_EQ(lines[k].Number(11), 250);
    EXPECT_EQ(lines[k].Value(30), " 0 ");
  }
  for (int k = 0; k < 9; ++k) {
    EXPECT_DOUBLE_EQ(lines[4 + k].Number(10), 25 * (k + 1));
    EXPECT_DOUBLE_EQ(lines[4 + k].Number(20), 125);
    EXPECT_DOUBLE_EQ(lines[4 + k].Number(21), 0);
  }
  const std::vector<Entity> texts = drawing_entities::Of(Entities(), "TEXT", "方眼");
  ASSERT_EQ(texts.size(), 26u);
  struct Label {
    double x, y, angle;
    const char* text;
  };
  const Label expected[] = {{0, 25, -360, "　Ｘ＝　１０１０"},
                            {240.2, 25, -360, "　Ｘ＝　１０１０"},
                            {25, 115.2, -270, "　Ｙ＝　２０１０"},
                            {25, 0, -270, "　Ｙ＝　２０１０"}};
  const Entity* at[] = {&texts[0], &texts[1], &texts[8], &texts[9]};
  for (size_t k = 0; k < 4; ++k) {
    EXPECT_DOUBLE_EQ(at[k]->Number(10), expected[k].x) << k;
    EXPECT_DOUBLE_EQ(at[k]->Number(20), expected[k].y) << k;
    EXPECT_DOUBLE_EQ(at[k]->Number(50), expected[k].angle) << k;
    EXPECT_EQ(at[k]->Value(1), expected[k].text) << k;
    EXPECT_EQ(at[k]->Value(41), ".7");
    EXPECT_FALSE(at[k]->Has(30));
  }
}

TEST_F(GridTest, LabelAnglesUnderRotation) {
  struct Case {
    double rotation, xAngle, yAngle;
  };
  for (const Case& c : {Case{30, -330, -60}, Case{200, -340, -70}}) {
    app.lines.DrawingRotation = c.rotation;
    const size_t before = drawing_entities::Of(Entities(), "TEXT", "方眼").size();
    const std::vector<Entity> texts = Grid("TEXT");
    ASSERT_GT(texts.size(), before);
    for (const Entity& t : std::vector<Entity>(texts.begin() + static_cast<long>(before), texts.end())) {
      const bool isX = t.Value(1).find("Ｘ") != std::string::npos;
      EXPECT_DOUBLE_EQ(t.Number(50), isX ? c.xAngle : c.yAngle) << c.rotation << " " << t.Value(1);
    }
    EXPECT_DOUBLE_EQ(dxf::NormalizeTextAngle(360 - c.rotation), -c.xAngle);
  }
}

TEST_F(GridTest, LabelsCarryTheIntervalsDecimalsOnly) {
  // The interval of scales below 1:5, 0.1 held in single precision, on a
  // paper of 0.25 x 0.125 m at 1:1.
  app.lines.ScaleDenominator = 1;
  app.lines.GridInterval = double(0.1f);
  std::vector<std::string> labels;
  for (const Entity& t : Grid("TEXT")) labels.push_back(t.Value(1));
  EXPECT_EQ(labels, (std::vector<std::string>{"　Ｘ＝　１０００．１", "　Ｘ＝　１０００．１", "　Ｙ＝　２０００．１",
                                              "　Ｙ＝　２０００．１", "　Ｙ＝　２０００．２", "　Ｙ＝　２０００．２"}));
  EXPECT_EQ(dxf::GridValuesOf(-0.35, 0.05, double(0.1f)), (std::vector<double>{-0.3, -0.2, -0.1, 0}));
}

TEST_F(GridTest, IntervalsThatGiveNoGridOrABoundedOne) {
  for (double g : {0.0, -10.0}) {
    app.lines.GridInterval = g;
    EXPECT_TRUE(Grid("LINE").empty()) << g;
    EXPECT_TRUE(dxf::GridValuesOf(0, 100, g).empty());
  }
  EXPECT_EQ(dxf::GridValuesOf(0, 1e6, 1e-6).size(), static_cast<size_t>(dxf::kMostGridLines));
  // An interval beyond the range still tries its first value.
  EXPECT_EQ(dxf::GridValuesOf(0, 10, 1000), std::vector<double>{1000});
}

// Liang-Barsky: the part of the segment p -> q inside 0..w x 0..h; false when
// none is.
bool LiangBarsky(double px, double py, double qx, double qy, double w, double h, dxf::PaperLine& out) {
  double t0 = 0, t1 = 1;
  const double dx = qx - px, dy = qy - py;
  const double p[] = {-dx, dx, -dy, dy}, q[] = {px, w - px, py, h - py};
  for (int k = 0; k < 4; ++k) {
    if (p[k] == 0) {
      if (q[k] < 0) return false;
      continue;
    }
    const double r = q[k] / p[k];
    if (p[k] < 0) t0 = std::max(t0, r);
    else t1 = std::min(t1, r);
  }
  if (t0 > t1) return false;
  out = {px + t0 * dx, py + t0 * dy, px + t1 * dx, py + t1 * dy};
  return true;
}

TEST(ClipLineToPaperAgainstLiangBarsky, LinesAnywhereAndThroughCorners) {
  constexpr double w = 250, h = 125;
  std::mt19937 random(40);
  std::uniform_real_distribution<double> angle(0, 360), along(-300, 550);
  const double corners[4][2] = {{0, 0}, {0, h}, {w, 0}, {w, h}};
  int drawn = 0;
  for (int n = 0; n < 4000; ++n) {
    const double t = n % 3 == 0 ? 0 : angle(random);
    // A line in turned paper coordinates: through a corner every other time.
    double cx = along(random), cy = along(random) / 2;
    if (n % 2 == 0) {
      cx = corners[n / 2 % 4][0];
      cy = corners[n / 2 % 4][1];
    }
    const double phi = (n % 8 == 0 ? 45.0 * (n / 8 % 8) : angle(random)) * M_PI / 180;
    const double px = cx - 2000 * std::cos(phi), py = cy - 2000 * std::sin(phi);
    const double qx = cx + 2000 * std::cos(phi), qy = cy + 2000 * std::sin(phi);
    // Its ends before the rotation.
    const double r = -t * M_PI / 180;
    const dxf::PaperLine input{px * std::cos(r) - py * std::sin(r), px * std::sin(r) + py * std::cos(r),
                               qx * std::cos(r) - qy * std::sin(r), qx * std::sin(r) + qy * std::cos(r)};
    const dxf::PaperClip clip = dxf::ClipToPaper(input, t, w, h);
    dxf::PaperLine expected;
    const bool inside = LiangBarsky(px, py, qx, qy, w, h, expected);
    const double length = inside ? std::hypot(expected.endX - expected.startX, expected.endY - expected.startY) : 0;
    const bool alongEdge = inside && ((std::fabs(expected.startX - expected.endX) < 1e-9 &&
                                       (std::fabs(expected.startX) < 1e-9 || std::fabs(expected.startX - w) < 1e-9)) ||
                                      (std::fabs(expected.startY - expected.endY) < 1e-9 &&
                                       (std::fabs(expected.startY) < 1e-9 || std::fabs(expected.startY - h) < 1e-9)));
    // Along an edge the rounding decides which side a line lies on (the
    // worked example has the exact lines on the edges, which are not drawn).
    if (alongEdge) continue;
    if (length < 1e-6) {
      // Nothing of it lies on the sheet: nothing, or nothing visible, is drawn.
      if (clip.result != 0) {
        EXPECT_LT(std::hypot(clip.line.endX - clip.line.startX, clip.line.endY - clip.line.startY), 1e-6) << n;
      }
      continue;
    }
    ++drawn;
    ASSERT_NE(clip.result, 0) << n;
    const dxf::PaperLine& got = clip.line;
    const bool same = std::hypot(got.startX - expected.startX, got.startY - expected.startY) < 1e-6 &&
                      std::hypot(got.endX - expected.endX, got.endY - expected.endY) < 1e-6;
    const bool swapped = std::hypot(got.startX - expected.endX, got.startY - expected.endY) < 1e-6 &&
                         std::hypot(got.endX - expected.startX, got.endY - expected.startY) < 1e-6;
    EXPECT_TRUE(same || swapped) << n << ": (" << got.startX << ", " << got.startY << ") - (" << got.endX << ", "
                                 << got.endY << ") for (" << expected.startX << ", " << expected.startY << ") - ("
                                 << expected.endX << ", " << expected.endY << ")";
  }
  EXPECT_GT(drawn, 1000);
}

}  // namespace
