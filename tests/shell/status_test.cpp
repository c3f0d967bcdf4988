#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "core/app.h"
#include "runtime/clock.h"
#include "runtime/console.h"
#include "runtime/windows.h"
#include "shell/program.h"
#include "support/u8.h"
#include "ui/redraw.h"

namespace {

class StatusTest : public ::testing::Test {
 protected:
  void SetUp() override {
    rt::SetClock("2026-12-10T09:30:00");
    app.settings.ZA = "SITE";
  }
  std::vector<std::string> Rows(int count) const {
    std::vector<std::string> rows;
    for (int r = 0; r < count; ++r) rows.push_back(rt::ConsoleRowText(r));
    return rows;
  }
  App app;
};

TEST_F(StatusTest, PlainHeaderIsTwoLines) {
  RtPrintStr("left from before", true);
  ShowStatusHeader(app);
  EXPECT_EQ(Rows(3), (std::vector<std::string>{
                         "Ver6.061      2026/12/10  09:30:00  [SEN= 0 / 19998 ] 0",
                         U8(u8"仕事名 =SITE                 ZD= 2 ZE= 0 T= 1000 (0/9999)"), ""}));
  EXPECT_EQ(RtCsrlin(), 2);
  EXPECT_EQ(RtPos(), 0);
}

TEST_F(StatusTest, VerticalModeAndScaleFactorAddTwoLines) {
  app.settings.VV = 90;
  app.shell.ScaleFactor = 0.9999;
  app.lines.LineVertexCount = 12;
  app.job.ConnectionFileFound = 1;
  app.points.PointCount = 250;
  ShowStatusHeader(app);
  EXPECT_EQ(Rows(4), (std::vector<std::string>{
                         U8(u8"VV= 90 ﾃﾞｽ"), U8(u8"縮尺係数＝ .9999"),
                         "Ver6.061      2026/12/10  09:30:00  [SEN= 12 / 19998 ] 1",
                         U8(u8"仕事名 =SITE                 ZD= 2 ZE= 0 T= 1000 (250/9999)")}));
  EXPECT_EQ(RtCsrlin(), 4);
}

TEST_F(StatusTest, LongJobNameIsOverwrittenFromColumn29) {
  app.settings.ZA = "ABCDEFGHIJKLMNOPQRSTUVWXYZ";
  ShowStatusHeader(app);
  EXPECT_EQ(rt::ConsoleRowText(1),
            U8(u8"仕事名 =ABCDEFGHIJKLMNOPQRSTUZD= 2 ZE= 0 T= 1000 (0/9999)"));
}

TEST_F(StatusTest, SavedVerticalModeIsRestoredBeforeItIsShown) {
  app.shell.RestoreVVPending = 1;
  app.shell.SavedVV = 90;
  app.shell.SavedZE = 3;
  ShowStatusHeader(app);
  EXPECT_EQ(app.settings.VV, 90);
  EXPECT_EQ(app.settings.ZE, 3);
  EXPECT_EQ(app.shell.RestoreVVPending, 0);
  EXPECT_EQ(rt::ConsoleRowText(0), U8(u8"VV= 90 ﾃﾞｽ"));
  EXPECT_EQ(rt::ConsoleRowText(2),
            U8(u8"仕事名 =SITE                 ZD= 2 ZE= 3 T= 1000 (0/9999)"));
}

TEST_F(StatusTest, HeaderSetsTheModesEveryCommandStartsFrom) {
  app.points.CoordinateDisplayMode = 2;
  app.points.PointReaskFlag = 0;
  app.area.SelectionPolylineOn = 1;
  app.area.ParcelVertexPickMode = 1;
  app.traverse.DistancePromptFlag = 0;
  app.points.CurrentMark = 5;
  app.lines.CurrentLineType = 3;
  app.points.LineConnectMode = 2;
  app.traverse.TraverseInputKind = 4;
  app.output.InstrumentListFormat = 1;
  app.traverse.ObservationRunning = 1;
  app.area.AreaTableMode = 1;
  app.fieldbook.ForwardIntersectionActive = 1;
  app.area.AreaReportStyle = 2;
  app.traverse.ZeroDirectionAngle = 45;
  app.points.PointCount = 41;
  app.route.RouteIpDisplay = 1;
  app.output.ReportHeaderLine = "NO.  X  Y";
  ShowStatusHeader(app);
  EXPECT_EQ(app.points.CoordinateDisplayMode, 1);
  EXPECT_EQ(app.points.PointReaskFlag, 1);
  EXPECT_EQ(app.area.SelectionPolylineOn, 0);
  EXPECT_EQ(app.area.ParcelVertexPickMode, 0);
  EXPECT_EQ(app.traverse.DistancePromptFlag, 1);
  EXPECT_EQ(app.points.CurrentMark, 1);
  EXPECT_EQ(app.lines.CurrentLineType, 9);
  EXPECT_EQ(app.points.LineConnectMode, 0);
  EXPECT_EQ(app.traverse.TraverseInputKind, 0);
  EXPECT_EQ(app.output.InstrumentListFormat, 0);
  EXPECT_EQ(app.traverse.ObservationRunning, 0);
  EXPECT_EQ(app.area.AreaTableMode, 0);
  EXPECT_EQ(app.fieldbook.ForwardIntersectionActive, 0);
  EXPECT_EQ(app.area.AreaReportStyle, 0);
  EXPECT_EQ(app.traverse.ZeroDirectionAngle, 0);
  EXPECT_EQ(app.points.NextPointNumber, 42);
  EXPECT_EQ(app.route.RouteIpDisplay, 0);
  EXPECT_EQ(app.output.ReportHeaderLine, "");
}

TEST_F(StatusTest, ResetRunStateEmptiesTheSelectionFarBelowMinusOne) {
  app.points.SelectionLast = 12;
  app.shell.PlanViewFlag = 1;
  app.traverse.CumulativeSlopeDistance = 1;
  app.traverse.CumulativeDistance = 250;
  app.cogo.SetupInstrumentHeight = 1.5;
  app.cogo.InstrumentStationZ = 20;
  app.points.WorkPointX = 10;
  app.points.WorkPointY = 20;
  app.shell.HeightLabel = "H=";
  app.cogo.ToolLevelDisplay = 0;
  app.cogo.CarryGradeHeight = 1;
  app.traverse.ReverseTraversePrintMode = 2;
  app.traverse.CalculationPrintMode = 1;
  app.output.ResultMenuShown = 1;
  app.route.RelativeStationMode = 1;
  app.points.PointReaskFlag = 0;
  ResetRunState(app);
  EXPECT_EQ(app.points.SelectionLast, double(-1E20f));
  EXPECT_LT(app.points.SelectionLast, -1);
  EXPECT_EQ(app.shell.PlanViewFlag, 0);
  EXPECT_EQ(app.traverse.CumulativeSlopeDistance, 0);
  EXPECT_EQ(app.traverse.CumulativeDistance, 0);
  EXPECT_EQ(app.traverse.TargetHeight, 1.5);
  EXPECT_EQ(app.points.WorkPointX, 0);
  EXPECT_EQ(app.points.WorkPointY, 0);
  EXPECT_EQ(app.shell.HeightLabel, "h=");
  EXPECT_EQ(app.cogo.ToolLevelDisplay, 1);
  EXPECT_EQ(app.cogo.CarryGradeHeight, 0);
  EXPECT_EQ(app.cogo.InstrumentAxisHeight, 21.5);
  EXPECT_EQ(app.traverse.ReverseTraversePrintMode, 0);
  EXPECT_EQ(app.traverse.CalculationPrintMode, 0);
  EXPECT_EQ(app.output.ResultMenuShown, 0);
  EXPECT_EQ(app.route.RelativeStationMode, 0);
  // It goes on into the status header.
  EXPECT_EQ(app.points.PointReaskFlag, 1);
  EXPECT_EQ(rt::ConsoleRowText(0), "Ver6.061      2026/12/10  09:30:00  [SEN= 0 / 19998 ] 0");
}

TEST_F(StatusTest, RedrawViewForgetsTheCrossAndOffersEveryPointOnce) {
  app.view.LastCrossScreenX = 120;
  app.view.LastCrossScreenY = 340;
  RedrawView(app);
  EXPECT_EQ(app.view.LastCrossScreenX, 0);
  EXPECT_EQ(app.view.LastCrossScreenY, 0);
  EXPECT_EQ(app.view.PointToDraw, 2);  // point 1 was offered although none is in use
  app.points.PointCount = 30;
  RedrawView(app);
  EXPECT_EQ(app.view.PointToDraw, 31);
}

}  // namespace
