// The drawing settings' questions: the paper from the printer, the scale kept
// or refused, the origin centred, typed, moved or picked, and the rotation.
#include "cad/drawing_settings.h"

#include <gtest/gtest.h>

#include "cad/cad_menu.h"
#include "cad/drawing.h"
#include "points/point_question.h"

namespace {

class DrawingSettingsTest : public PointQuestionTest {
 protected:
  void SetUp() override {
    PointQuestionTest::SetUp();
    SetPoint(1, 100.2, 500, "P1");
    SetPoint(2, 120.2, 530, "P2");
    app.shell.PlanViewFlag = 1;  // as the CAD menu leaves it
    app.lines.PaperHeight = 0.279;
    app.lines.PaperWidth = 0.198;
    SelectPointsInUse(app);
    FitDrawingToPaper(app);
  }
  double OriginX() const { return app.view.PlotOriginX; }
  double OriginY() const { return app.view.PlotOriginY; }
};

TEST_F(DrawingSettingsTest, TheScaleCentresTheDrawingsPointsOnThePaperRoundingDown) {
  // Extent X 100.2-120.2, Y 500-530 at 1:500 on 0.279 x 0.198 m:
  // X0 = INT(100.2 - (139.5 - 20) / 2) = 40, Y0 = INT(500 - (99 - 30) / 2) = 465.
  Answers("500\n\n\n");
  cad::ComputeDrawingExtent(app);
  InputDrawingScale(app);
  EXPECT_EQ(app.lines.ScaleDenominator, 500);
  EXPECT_EQ(OriginX(), 40);
  EXPECT_EQ(OriginY(), 465);
  // Menu item 3 again with the same scale: the extent of the points again, so
  // the origin stays where it is.
  Answers("3\n\n\n\n");
  EXPECT_EQ(DrawingSettingsMenu(app).next, Entry{DrawingSettingsMenu});
  EXPECT_EQ(app.lines.ScaleDenominator, 500);
  EXPECT_EQ(OriginX(), 40);
  EXPECT_EQ(OriginY(), 465);
}

TEST_F(DrawingSettingsTest, EnterOrZeroKeepsTheScaleAndOneBelowOneIsRefused) {
  for (const char* answer : {"\n", "0\n", "0.5\n", "-200\n"}) {
    SCOPED_TRACE(answer);
    app.lines.ScaleDenominator = 250.1234567;
    Answers(std::string(answer) + "\n\n");
    cad::ComputeDrawingExtent(app);
    InputDrawingScale(app);
    EXPECT_EQ(app.lines.ScaleDenominator, 250.123457);
  }
  EXPECT_EQ(CountContaining(U8(u8"縮尺は１以上で入力してください")), 2);
}

TEST_F(DrawingSettingsTest, TypedOriginAndTheMovesOfItem4) {
  Answers("500\n1000\n2000\n");
  cad::ComputeDrawingExtent(app);
  InputDrawingScale(app);
  EXPECT_EQ(OriginX(), 1000);
  EXPECT_EQ(OriginY(), 2000);

  // A relative move.
  Answers("5\n-7\n");
  MoveDrawingOrigin(app);
  EXPECT_EQ(OriginX(), 1005);
  EXPECT_EQ(OriginY(), 1993);
  // Enter, Enter: the relative question comes back; then the absolute one with
  // Enter at "原点 Y=", which keeps the Y.
  Answers("\n\n\n300\n\n");
  MoveDrawingOrigin(app);
  EXPECT_EQ(OriginX(), 300);
  EXPECT_EQ(OriginY(), 1993);
  EXPECT_EQ(CountContaining(U8(u8"原点 X=")), 2);
}

TEST_F(DrawingSettingsTest, TheRotationAndPaperSize) {
  Answers("30.3\n");
  InputDrawingRotation(app);
  EXPECT_EQ(app.lines.DrawingRotation, 30.3);
  Answers("\n");
  InputDrawingRotation(app);
  EXPECT_EQ(app.lines.DrawingRotation, 30.3);

  // The headless printer's page: 200 x 287 mm printable, less 3 mm; a size of
  // 0 is refused.
  Answers("\n0\n");
  InputPaperSize(app);
  EXPECT_DOUBLE_EQ(app.lines.PaperHeight, 0.284);
  EXPECT_DOUBLE_EQ(app.lines.PaperWidth, 0.197);
  EXPECT_EQ(app.lines.PrinterSelected, 1);
  Answers("0.5\n0.3\n");
  InputPaperSize(app);
  EXPECT_EQ(app.lines.PaperHeight, 0.5);
  EXPECT_EQ(app.lines.PaperWidth, 0.3);
}

TEST_F(DrawingSettingsTest, NameOmissionAndLeavingTheMenu) {
  Answers("6\n-\n");
  EXPECT_EQ(DrawingSettingsMenu(app).next, Entry{DrawingSettingsMenu});
  EXPECT_EQ(app.lines.NameOmitSeparator, "-");
  Answers("6\n\n");
  DrawingSettingsMenu(app);
  EXPECT_EQ(app.lines.NameOmitSeparator, "");
  Answers("\n");
  EXPECT_EQ(DrawingSettingsMenu(app).next, Entry{CadMenu});
}

}  // namespace
