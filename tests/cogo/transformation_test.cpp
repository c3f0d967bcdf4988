// The coordinate transformations: the similarity of two base lines and its
// mirror against the complex-number form, the proposed scale and the height;
// the menu's dispatch and title; the normal transformation point by point and
// continuously (with "U", a start number and the end of the table); the axis
// swap and the height shift; the polygon section's set-up.
#include "cogo/normal_transformation.h"

#include <gtest/gtest.h>

#include <cmath>
#include <complex>

#include "cogo/axis_swap.h"
#include "cogo/coordinate_menu.h"
#include "cogo/kind_fixture.h"
#include "cogo/sima_sections.h"
#include "cogo/transformation_menu.h"
#include "core/routines.h"
#include "runtime/console.h"
#include "support/u8.h"

namespace {

using Complex = std::complex<double>;

double DirectionOf(Complex d) {
  double a = std::atan2(d.imag(), d.real()) * 180 / M_PI;
  return a < 0 ? a + 360 : a;
}

// The frame of the two base lines B1 -> B2 and A1 -> A2, directions and scale
// worked out here, independently of the program.
cogo::TransformFrame FrameOf(Complex b1, Complex b2, Complex a1, Complex a2, bool mirror) {
  return {{b1.real(), b1.imag()}, DirectionOf(b2 - b1), {a1.real(), a1.imag()}, DirectionOf(a2 - a1),
          std::abs(a2 - a1) / std::abs(b2 - b1), mirror};
}

// z' = A1 + (z - B1)(A2 - A1)/(B2 - B1), or with the conjugate of the ratio of
// z - B1 to the base for the reflection.
Complex Similarity(Complex z, Complex b1, Complex b2, Complex a1, Complex a2, bool mirror) {
  Complex w = (z - b1) / (b2 - b1);
  if (mirror) w = std::conj(w);
  return a1 + w * (a2 - a1);
}

TEST(TransformationMaths, WorkedExamples) {
  struct Case {
    double a2x, a2y;
    bool mirror;
    double x, y;
  } cases[] = {
      {110, 100, false, 100, 95},
      {110, 100, true, 100, 105},
      {120, 100, false, 100, 90},
  };
  for (const Case& c : cases) {
    const auto frame = FrameOf({0, 0}, {0, 10}, {100, 100}, {c.a2x, c.a2y}, c.mirror);
    const plane::Point p = cogo::TransformedPointOf(frame, {5, 0});
    EXPECT_NEAR(p.x, c.x, 5e-4) << c.a2x << " " << c.mirror;
    EXPECT_NEAR(p.y, c.y, 5e-4) << c.a2x << " " << c.mirror;
  }
}

// A rotated, scaled frame at public-coordinate magnitudes, both forms, to a
// tenth of a millimetre against the complex similarity.
TEST(TransformationMaths, RotatedScaledPublicFrameMatchesTheComplexSimilarity) {
  const Complex b1(-145678.123, -35012.345), b2(-145601.234, -34950.789);
  const Complex a1(12345.678, 23456.789), a2(12400.512, 23530.254);
  const Complex points[] = {{-145650.5, -35000.25}, {-145700.75, -34980.125}, {-145590.0, -35050.0}, b2};
  for (bool mirror : {false, true}) {
    const auto frame = FrameOf(b1, b2, a1, a2, mirror);
    for (Complex z : points) {
      const Complex expected = Similarity(z, b1, b2, a1, a2, mirror);
      const plane::Point p = cogo::TransformedPointOf(frame, {z.real(), z.imag()});
      EXPECT_NEAR(p.x, expected.real(), 1e-4) << z << " mirror " << mirror;
      EXPECT_NEAR(p.y, expected.imag(), 1e-4) << z << " mirror " << mirror;
    }
  }
}

TEST(TransformationMaths, ProposedScaleAndHeight) {
  EXPECT_DOUBLE_EQ(cogo::ProposedScaleOf(10, 20), 2);
  EXPECT_DOUBLE_EQ(cogo::ProposedScaleOf(10, 10), 1);
  // A typed direction has no length: 1, never 0 (which would put every point on A1).
  EXPECT_DOUBLE_EQ(cogo::ProposedScaleOf(0, 10), 1);
  EXPECT_DOUBLE_EQ(cogo::ProposedScaleOf(10, 0), 1);
  EXPECT_DOUBLE_EQ(cogo::ProposedScaleOf(0, 0), 1);
  EXPECT_NEAR(cogo::TransformedHeightOf(3.2, 10, 12.5, true), 5.7, 1e-12);
  EXPECT_DOUBLE_EQ(cogo::TransformedHeightOf(3.2, 10, 12.5, false), 3.2);
}

TEST(TransformationMaths, AxisSwapAndHeightShift) {
  const cogo::Coordinates two = cogo::SwappedAxesOf({10, 20, 3}, false);
  EXPECT_EQ((std::array{two.x, two.y, two.z}), (std::array{3.0, 10.0, 0.0}));
  const cogo::Coordinates three = cogo::SwappedAxesOf({10, 20, 3}, true);
  EXPECT_EQ((std::array{three.x, three.y, three.z}), (std::array{3.0, 10.0, 20.0}));
  EXPECT_NEAR(cogo::ShiftedHeightOf(3.2, 10, 12.5), 5.7, 1e-12);
}

class TransformationTest : public KindTest {
 protected:
  // B1 (0, 0) -> (0, 10), A1 (100, 100) -> (110, 100) or (120, 100), and S (5, 0).
  void PlaceBases() {
    Place({{"B1", 0, 0, 10}, {"B2", 0, 10, 0}, {"A1", 100, 100, 12.5}, {"A2", 110, 100, 0},
           {"A3", 120, 100, 0}, {"S", 5, 0, 3.2}, {"R", 0, 5, 1}});
    app.points.PointAttribute(6) = "91";
  }
  Entry RepeatLast() const { return Routines().RepeatLastCommand; }
};

// Single mode: S is registered at (100, 95) under the proposed number; then
// the mirror (SubmenuChoice exactly 6) at (100, 105), and 6.4 runs the normal form.
TEST_F(TransformationTest, SingleModeNormalMirrorAndAFractionOfSix) {
  PlaceBases();
  const struct {
    double choice;
    double y;
  } cases[] = {{1, 95}, {6, 105}, {6.4, 95}};
  int k = 0;
  for (const auto& c : cases) {
    app.job.SubmenuChoice = c.choice;
    // A fraction adds the eccentric reduction to both base points: with .4
    // only the instrument height is asked (the instrument stands on the base
    // point).
    const std::string e = c.choice != std::floor(c.choice) ? "\n" : "";
    EXPECT_EQ(Run(NormalTransformation, "B1\nB2\n" + e + "A1\nA2\n" + e + "\n3\nS\n\n\n\n\n"), RepeatLast()) << c.choice;
    ExpectRegistered(k++, 100, c.y, 3.2);  // the height carried over
  }
  EXPECT_EQ(RegisteredCount(), 3);
  EXPECT_EQ(CountContaining(U8(u8"ﾊﾞｲﾘﾂ= 1 ")), 3);
}

// The after line twice as long proposes k = 2; a typed direction after a
// measured before length proposes 1; a typed scale replaces the proposal.
TEST_F(TransformationTest, ScaleProposedAndTyped) {
  PlaceBases();
  app.job.SubmenuChoice = 1;
  EXPECT_EQ(Run(NormalTransformation, "B1\nB2\nA1\nA3\n\n3\nS\n\n\n\n\n"), RepeatLast());
  ExpectRegistered(0, 100, 90, 3.2);
  EXPECT_EQ(Run(NormalTransformation, "B1\nB2\nA1\n\n0\n\n3\nS\n\n\n\n\n"), RepeatLast());
  ExpectRegistered(1, 100, 95, 3.2);
  EXPECT_EQ(Run(NormalTransformation, "B1\nB2\nA1\nA2\n3\n3\nS\n\n\n\n\n"), RepeatLast());
  ExpectRegistered(2, 100, 85, 3.2);
}

// Continuous mode with "U": the selected points keep their numbers, names and
// attributes and change their coordinates; heights follow Z2 - Z1 with ZE 3;
// the next run proposes PointCount + 1 and registers S and R from there.
TEST_F(TransformationTest, ContinuousModeInPlaceThenFromTheProposal) {
  PlaceBases();
  app.settings.ZE = 3;
  app.job.SubmenuChoice = 1;
  EXPECT_EQ(Run(NormalTransformation, "B1\nB2\nA1\nA2\n\n1\nU\n6\n7\n\n1\n\n6\n7\n\n\n"), RepeatLast());
  const points::Store& p = app.points;
  EXPECT_NEAR(p.PointX(6), 100, 5e-4);
  EXPECT_NEAR(p.PointY(6), 95, 5e-4);
  EXPECT_NEAR(p.PointZ(6), 5.7, 1e-9);
  EXPECT_EQ(p.PointName(6), "S");
  EXPECT_EQ(p.PointAttribute(6), "91");
  EXPECT_NEAR(p.PointX(7), 105, 5e-4);  // R (0, 5) lies 5 along the base: A1 + 5 along θ2
  EXPECT_NEAR(p.PointY(7), 100, 5e-4);
  // The second run started at PointCount + 1 = 8 with the moved S and R.
  EXPECT_EQ(p.PointCount, 9);
  EXPECT_EQ(p.PointName(8), "S");
  EXPECT_EQ(p.PointName(9), "R");
  EXPECT_EQ(p.PointAttribute(8), "91");
  const Complex again = Similarity({100, 95}, {0, 0}, {0, 10}, {100, 100}, {110, 100}, false);
  EXPECT_NEAR(p.PointX(8), again.real(), 5e-4);
  EXPECT_NEAR(p.PointY(8), again.imag(), 5e-4);
  EXPECT_NEAR(p.PointZ(8), 8.2, 1e-9);
  EXPECT_EQ(app.cogo.TransformStartAnswer, "");
}

// A typed start number over points in use is warned about; a run that reaches
// the table's last number stops there with a message instead of writing every
// further point over it.
TEST_F(TransformationTest, StartNumberWarningsAndTheEndOfTheTable) {
  PlaceBases();
  app.job.SubmenuChoice = 1;
  EXPECT_EQ(Run(NormalTransformation, "B1\nB2\nA1\nA2\n\n1\n7\n6\n\n\n"), RepeatLast());
  EXPECT_TRUE(Printed(U8(u8" No.7 から先の登録済みの点に上書きします")));
  EXPECT_NEAR(app.points.PointX(7), 100, 5e-4);
  EXPECT_EQ(app.points.PointName(7), "S");

  EXPECT_EQ(Run(NormalTransformation, "B1\nB2\nA1\nA2\n\n1\n9998\n6\n4\n5\n\n\n"), RepeatLast());
  EXPECT_EQ(app.points.PointName(9998), "S");
  EXPECT_EQ(app.points.PointName(9999), "A2");
  EXPECT_TRUE(Printed(U8(u8" No.9999 まで登録しました。残りの点は登録しません")));
  EXPECT_EQ(app.points.PointCount, 9999);
}

// "U" over the table's last point rewrites it (it is the point itself).
TEST_F(TransformationTest, InPlaceRewritesTheLastNumberOfTheTable) {
  PlaceBases();
  SetPoint(9999, 5, 0, "LAST");
  app.job.SubmenuChoice = 1;
  EXPECT_EQ(Run(NormalTransformation, "B1\nB2\nA1\nA2\n\n1\nU\n9999\n\n\n"), RepeatLast());
  EXPECT_NEAR(app.points.PointY(9999), 95, 5e-4);
  EXPECT_EQ(app.points.PointName(9999), "LAST");
}

TEST_F(TransformationTest, MenuTitleAndDispatch) {
  PlaceBases();
  // Enter alone and 12 go to the result menu; 6.5 rounds to kind 7.
  EXPECT_EQ(Run(CoordinateTransformationMenu, "\n"), ShowResultMenu);
  EXPECT_EQ(Run(CoordinateTransformationMenu, "12\n"), ShowResultMenu);
  EXPECT_EQ(Run(CoordinateTransformationMenu, "6.5\n"), ExportSimaLongitudinal);
  EXPECT_DOUBLE_EQ(app.job.SubmenuChoice, 6.5);
  EXPECT_EQ(Run(CoordinateTransformationMenu, "2.6\n"), SwapCoordinateAxes);
  app.output.ReportTitle = "before";
  EXPECT_EQ(Run(CoordinateTransformationMenu, "6\n"), NormalTransformation);
  EXPECT_EQ(app.output.ReportTitle, "");
}

// A click on "6:ﾐﾗｰ変換" in the menu runs the mirror under the title "ﾐﾗｰ変換";
// a click on "10:横断配置" keeps the colon in the title.
TEST_F(TransformationTest, ClickedKindGivesTheTitle) {
  PlaceBases();
  RtLocate(0, 20);
  ASSERT_EQ(Run(CoordinateTransformationMenu, "\n"), ShowResultMenu);
  int row = -1;
  for (int r = 0; r < 39 && row < 0; ++r) {
    if (rt::ConsoleRowText(r).starts_with(" 6:")) row = r;
  }
  ASSERT_GE(row, 0);
  const struct {
    int column;
    Entry kind;
    std::string title;
  } cases[] = {{3, NormalTransformation, "ﾐﾗｰ変換"}, {57, nullptr, ":横断配置"}};
  for (const auto& c : cases) {
    RtLocate(0, 20);
    const Entry next = Run(CoordinateTransformationMenu,
                           "!click main " + std::to_string(c.column * 8 + 4) + " " + std::to_string(row * 18 + 9) + "\n");
    if (c.kind) {
      EXPECT_EQ(next, c.kind);
    }
    EXPECT_EQ(app.output.ReportTitle, c.title);
  }
  EXPECT_EQ(app.job.SubmenuChoice, 10);
}

// Kind 2 drops the old Y, kind 3 keeps it as the height; 2.6 is kind 2.
TEST_F(TransformationTest, AxisSwapInTheTable) {
  for (double choice : {2.0, 3.0, 2.6}) {
    SetPoint(1, 10, 20, "P", 3);
    SetPoint(2, 1, 2, "Q", 3);
    app.job.SubmenuChoice = choice;
    EXPECT_EQ(Run(SwapCoordinateAxes, "1\n\n"), CoordinateTransformationMenu);
    const points::Store& p = app.points;
    EXPECT_EQ(p.PointX(1), 3);
    EXPECT_EQ(p.PointY(1), 10);
    EXPECT_EQ(p.PointZ(1), choice == 3 ? 20 : 0) << choice;
    EXPECT_EQ(p.PointX(2), 1);  // not chosen
  }
}

// The reference 10.000 typed as 12.5: 3.200 ---> 5.700 in the report, the
// reference kept; Enter alone cancels the pass and text is asked again; with
// ZD 1 the report is written and the table kept.
TEST_F(TransformationTest, HeightShift) {
  SetPoint(1, 0, 0, "REF", 10);
  SetPoint(2, 0, 0, "ABCDEFGHIJKLMN", 3.2);
  SetPoint(3, 0, 0, "C", 1);
  EXPECT_EQ(Run(ZTransformation, "REF\nABCDEFGHIJKLMN\n\nx\n12.5\nREF\nC\n\n\n\n"), RepeatLast());
  const points::Store& p = app.points;
  EXPECT_NEAR(p.PointZ(2), 5.7, 1e-9);
  EXPECT_EQ(p.PointZ(1), 10);
  EXPECT_EQ(p.PointZ(3), 1);  // its pass was cancelled
  EXPECT_TRUE(Printed(U8(u8" 数値を入力してください (ENT:中止)")));
  app.settings.ZD = 1;
  EXPECT_EQ(Run(ZTransformation, "REF\nC\n\n12.5\n\n"), RepeatLast());
  EXPECT_EQ(p.PointZ(3), 1);
  const std::vector<std::string> lines = BufferLines();
  EXPECT_TRUE(Holds(lines, "    2  ABCDEFGHIJKLMN      3.200  --->       5.700")) << lines.size();
  EXPECT_TRUE(Holds(lines, "    3  C                 1.000  --->       3.500"));
}

// The polygon section forces ZE 3, takes the start number, and its profile's
// connection lines start after the last vertex in the table; "N" at the start
// number leaves, and the menu on its next entry gives ZE back.
TEST_F(TransformationTest, PolygonSectionSetUpAndItsEnd) {
  PlaceBases();
  app.settings.ZE = 1;
  app.lines.LineVertexCount = 4;
  EXPECT_EQ(Run(PolygonSection, "20\n"), Routines().RunOpenReverseTraverse);
  EXPECT_EQ(app.settings.ZE, 3);
  EXPECT_EQ(app.traverse.ProfilePointNumber, 20);
  EXPECT_EQ(app.job.FirstPointToSave, 20);
  EXPECT_EQ(app.job.FirstVertexToSave, 5);
  EXPECT_EQ(Run(CoordinateTransformationMenu, "\n"), ShowResultMenu);
  EXPECT_EQ(app.settings.ZE, 1);
  EXPECT_EQ(Run(PolygonSection, "n\n"), RepeatLast());
  EXPECT_EQ(app.settings.ZE, 1);  // nothing is forced before the number is given
  EXPECT_EQ(app.traverse.PolygonSectionMode, 0);

  // "ＳＴ計算" after a section left unfinished is a plain open reverse traverse.
  EXPECT_EQ(Run(PolygonSection, "20\n"), Routines().RunOpenReverseTraverse);
  const Entry kind = Run(VariousCoordinateMenu, "10\n");
  EXPECT_EQ(Run(kind, ""), Routines().RunOpenReverseTraverse);
  EXPECT_EQ(app.settings.ZE, 1);
  EXPECT_EQ(app.traverse.PolygonSectionMode, 0);
}

}  // namespace
