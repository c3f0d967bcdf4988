// The CAD menu's first drawing of a job (the points in use fitted to the default
// paper, checked by hand arithmetic), its choices, and the paper fit.
#include "cad/cad_menu.h"

#include <gtest/gtest.h>

#include "cad/drawing.h"
#include "cad/drawing_settings.h"
#include "cad/print_menu.h"
#include "cad/line_editor.h"
#include "core/routines.h"
#include "files/result.h"
#include "points/point_question.h"
#include "ui/plot_browser.h"

namespace {

class CadMenuTest : public PointQuestionTest {
 protected:
  void SetUp() override {
    PointQuestionTest::SetUp();
    SetPoint(1, 100, 200, "P1");
    SetPoint(2, 150.5, 260, "P2");
    // Number 3 is free; 4 was deleted where it stood.
    SetPoint(4, 3000, -500, "P4", 0, "NULL");
    SetPoint(5, 120, 230, "P5");
  }
};

TEST_F(CadMenuTest, FirstDisplayFitsThePointsInUseToTheDefaultPaper) {
  Answers("\n");
  EXPECT_EQ(CadMenu(app).next, Entry{ShowResultMenu});
  const points::Store& p = app.points;
  ASSERT_EQ(p.SelectionLast, 2);
  EXPECT_EQ(p.SelectionList(0), 1);
  EXPECT_EQ(p.SelectionList(1), 2);
  EXPECT_EQ(p.SelectionList(2), 5);
  // Extent 50.5 m north by 60 m east on 0.279 x 0.198 m of paper:
  // a = 50.5 / 0.279 = 181.0, b = 60 / 0.198 = 303.03; INT(303.03 x 1.1) = 333.
  EXPECT_EQ(app.lines.ScaleDenominator, 333);
  // X: INT(100 - (0.279 x 333 - 50.5) / 2) = INT(78.80); Y: INT(200 - (0.198 x 333 - 60) / 2)
  // = INT(197.03).
  EXPECT_EQ(app.view.PlotOriginX, 78);
  EXPECT_EQ(app.view.PlotOriginY, 197);
  EXPECT_EQ(app.lines.PaperHeight, 0.279);
  EXPECT_EQ(app.lines.PaperWidth, 0.198);
  EXPECT_EQ(app.lines.CadInitialised, 1);
  EXPECT_EQ(app.lines.PaperFrameOn, 1);
  EXPECT_EQ(app.output.ResultsPlaced, 1);

  // Later displays keep the drawing as the tasks left it.
  app.lines.ScaleDenominator = 500;
  Answers("\n");
  CadMenu(app);
  EXPECT_EQ(app.lines.ScaleDenominator, 500);
}

TEST_F(CadMenuTest, ChoicesGoToTheirTasks) {
  app.lines.CadInitialised = 1;
  struct Case {
    const char* answer;
    Entry next;
  };
  for (const Case c : {Case{"1", ConnectionLineEditor}, Case{"3", PlotView},
                       Case{"2", Routines().ShowProfileSettingsMenu},
                       Case{"4", DrawingSettingsMenu}, Case{"5", PrintMenu},
                       Case{"6", Routines().ShowDxfMenu}, Case{"7", ShowResultMenu}}) {
    SCOPED_TRACE(c.answer);
    Answers(std::string(c.answer) + "\n");
    app.lines.CurrentLayer = 6;
    EXPECT_EQ(CadMenu(app).next, c.next);
    EXPECT_EQ(app.lines.CurrentLayer, 1);
  }
}

TEST(PaperFitTest, ScaleIsNeverBelowOneAndOriginsRoundDown) {
  EXPECT_EQ(cad::FittedScale(0, 0, 0.279, 0.198), 1);  // one point
  EXPECT_EQ(cad::FittedScale(10, 0, 0.25, 0.198), 44);
  EXPECT_EQ(cad::CentredOrigin(-12.3, -12.3, 0), -13);
  EXPECT_EQ(cad::CentredOrigin(10, 20, 30), 0);   // 10 - (30 - 10) / 2
  EXPECT_EQ(cad::CentredOrigin(-5, 5, 11), -6);   // -5 - 0.5
}

TEST_F(CadMenuTest, AJobWithoutPointsLaysThePaperAtTheOrigin) {
  for (const int n : {1, 2, 4, 5}) SetPoint(n, 0, 0, DefaultPointName(n));
  app.points.PointCount = 0;
  Answers("\n");
  CadMenu(app);
  EXPECT_EQ(app.points.SelectionLast, -1);
  EXPECT_EQ(app.lines.ScaleDenominator, 1);
  EXPECT_EQ(app.view.PlotOriginX, -1);  // INT(-0.279 / 2)
  EXPECT_EQ(app.view.PlotOriginY, -1);
}

}  // namespace
