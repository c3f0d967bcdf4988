// The route menus' dispatch, the defaults of a new table and its clearing.
#include "route/route_menu.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <fstream>
#include <iterator>
#include <string>

#include "cogo/extensions.h"
#include "core/routines.h"
#include "files/coordinate_file_menu.h"
#include "runtime/folders.h"
#include "runtime/text.h"
#include "points/point_question.h"
#include "route/alignment_file.h"
#include "route/ip_input.h"
#include "route/clothoid_calculation.h"
#include "route/curve_elements.h"
#include "route/route_computation.h"
#include "route/vertical_curve.h"
#include "shell/program.h"

namespace {

using RouteMenuTest = PointQuestionTest;

constexpr double kNoCell = -7;

TEST_F(RouteMenuTest, RouteMenuChoicesRoundHalfAwayFromZero) {
  const struct {
    const char* answer;
    Entry next;
    double column, row;
  } cases[] = {
      {"1", LineExtension, 4, 2},        {"1.5", CircleExtension, kNoCell, 2},
      {"2", CircleExtension, 3, 2},      {"3", ClothoidCalculation, 5, 2},
      {"4", CurveElements, 0, 3},        {"5", VerticalCurveMenu, 1, 3},
      {"6", SeriesRouteMenu, 2, 3},      {"7", AlignmentFileMenu, kNoCell, 2},
      {"8.4", nullptr, kNoCell, 2},      {"9", ShowResultMenu, kNoCell, 2},
      {"", ShowResultMenu, kNoCell, 2},  {"-1", ShowResultMenu, kNoCell, 2},
      {"0.4", ShowResultMenu, kNoCell, 2},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.answer);
    app.navigator.MenuCellColumn = app.navigator.MenuCellRow = kNoCell;
    Answers(std::string(c.answer) + "\n");
    const Entry e = RouteMenu(app).next;
    // Choice 8 goes on through the routine table to the connecting of points.
    if (c.next == nullptr) {
      EXPECT_EQ(e(app).next, EntryOf(Routines().ConnectPoints));
    } else {
      EXPECT_EQ(e, c.next);
    }
    EXPECT_EQ(app.navigator.MenuCellColumn, c.column);
    EXPECT_EQ(app.navigator.MenuCellRow, c.row);
    EXPECT_EQ(app.lines.CurrentLayer, 4);
  }
}

TEST_F(RouteMenuTest, TextAfterTheChoiceTitlesTheReport) {
  app.route.WidthStakeMode = 1;
  app.route.RouteIpDisplay = 1;
  Answers("5 KAWA LINE\n");
  RouteMenu(app);
  EXPECT_EQ(app.output.ReportTitle, "KAWA LINE");
  EXPECT_EQ(app.shell.HeightLabel, "H=");
  EXPECT_EQ(app.route.WidthStakeMode, 0);
  EXPECT_EQ(app.route.RouteIpDisplay, 0);
}

TEST_F(RouteMenuTest, SeriesRouteMenuDispatchesAndOthersRepeatTheCommand) {
  const struct {
    const char* answer;
    Entry next;
  } cases[] = {
      {"1", InputRouteIps},   {"2", InputRouteSettings}, {"2.5", ComputeRoute}, {"4", ComputeRoute},
      {"5", ComputeRoute},    {"6", ClearRouteTable},    {"", nullptr},          {"7", nullptr},
      {"-2", nullptr},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.answer);
    Answers(std::string(c.answer) + "\n");
    const Entry e = SeriesRouteMenu(app).next;
    EXPECT_EQ(e, c.next ? c.next : EntryOf(Routines().RepeatLastCommand));
  }
}

TEST_F(RouteMenuTest, NewTableGetsDefaultsAndKeepsThem) {
  route::State& r = app.route;
  r.RouteValue(0) = 150;  // a start chainage survives
  r.RouteValue(3) = 1;
  r.ConversionMode = 3;
  Answers("\n");
  SeriesRouteMenu(app);
  EXPECT_EQ(r.RouteValue(1), 20);
  EXPECT_EQ(r.RouteValue(2), 1);
  EXPECT_EQ(r.RouteValue(4), 1000);
  EXPECT_EQ(r.StationInterval, 20);
  EXPECT_EQ(r.FirstIpNumber, 1);
  EXPECT_EQ(r.DistanceRounding, 1000);
  EXPECT_EQ(r.StartChainage, 150);
  EXPECT_EQ(r.CentreGradeFlag, 1);
  EXPECT_EQ(r.ConversionMode, 0);

  // A set interval keeps whatever the other rows hold.
  r.RouteValue(1) = 25;
  r.RouteValue(2) = 5;
  r.RouteValue(4) = 100;
  Answers("\n");
  SeriesRouteMenu(app);
  EXPECT_EQ(r.FirstIpNumber, 5);
  EXPECT_EQ(r.DistanceRounding, 100);
  EXPECT_EQ(r.StationInterval, 25);
}

TEST_F(RouteMenuTest, ClearingKeepsTheVerticalAlignment) {
  const struct {
    const char* answer;
    bool clears;
  } cases[] = {{"", true}, {"Y", true}, {"N", false}, {"n", false}};
  for (const auto& c : cases) {
    SCOPED_TRACE(c.answer);
    route::State& r = app.route;
    r.RouteValue(6) = 12;
    r.RouteLabel(6) = "K12";
    r.VerticalTable(1) = 100;
    Answers(std::string(c.answer) + "\n");
    EXPECT_EQ(ClearRouteTable(app).next, SeriesRouteMenu);
    EXPECT_EQ(r.RouteValue(6), c.clears ? 0 : 12);
    EXPECT_EQ(r.RouteLabel(6), c.clears ? "" : "K12");
    EXPECT_EQ(r.RouteValue.Bound(), 999);
    EXPECT_EQ(r.VerticalTable(1), 100);
  }
}

}  // namespace

namespace {

class ConversionReloadTest : public RouteMenuTest {
 protected:
  void SetUp() override {
    RouteMenuTest::SetUp();
    base = app.shell.DataFolder;
    RtChdir(base);
    app.shell.JobFolder = base;
    app.settings.ZA = "JOB";
    UseNumberedPoints(5);
    app.job.FirstPointToSave = 3;
    app.route.NextRoutePointNumber = 6;
  }
  bool Exists(const std::string& name) { return std::ifstream(base + name).good(); }
  std::string base;
};

TEST_F(ConversionReloadTest, CancelledDialogKeepsTheJob) {
  app.route.ConversionMode = 3;
  Answers("N\n!cancel\n");
  Jump next{nullptr};
  EXPECT_FALSE(route::SaveAndReloadConversion(app, next));
  EXPECT_EQ(app.settings.ZA, "JOB");
  EXPECT_EQ(app.route.ConversionMode, 0);
  EXPECT_EQ(app.points.PointCount, 5);
  EXPECT_FALSE(Exists("JOB.PRN"));
}

TEST_F(ConversionReloadTest, SavesTheJobFirstThenTheGeneratedPointsAndReloads) {
  const struct {
    double mode;
    const char8_t* suffix;
    double pending;
  } cases[] = {{1, u8"縦断", 1}, {4, u8"中心", 0}};
  for (const auto& c : cases) {
    SCOPED_TRACE(c.mode);
    app.settings.ZA = "JOB";
    app.profile.ProfileSetupPending = 0;
    app.view.VerticalRatio = 1;
    app.route.ConversionMode = c.mode;
    UseNumberedPoints(5);
    // Enter: the job is saved first (Y); OK takes the proposed name.
    Answers("\n!ok\n");
    Jump next{nullptr};
    EXPECT_TRUE(route::SaveAndReloadConversion(app, next));
    const std::string name = "JOB" + rt::Utf8ToCp932(U8(c.suffix));
    EXPECT_EQ(app.settings.ZA, name);
    EXPECT_EQ(next.next, LoadCoordinateFile);
    EXPECT_EQ(app.job.FileMenuChoice, 3);
    EXPECT_EQ(app.route.ConversionMode, 0);
    EXPECT_EQ(app.profile.ProfileSetupPending, c.pending);
    EXPECT_EQ(app.view.VerticalRatio, c.pending ? 0.2 : 1);
    EXPECT_TRUE(Exists("JOB.PRN"));
    EXPECT_TRUE(Exists("JOB.SEN"));
    const std::string hostName = "JOB" + U8(c.suffix);  // file names on the host are UTF-8
    EXPECT_TRUE(Exists(hostName + ".SEN"));
    std::ifstream in(base + hostName + ".PRN", std::ios::binary);
    std::string text((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
    // Points 3 to 5, one a line, then the end line.
    EXPECT_EQ(text.substr(0, 2), "3 ") << text;
    EXPECT_EQ(std::count(text.begin(), text.end(), '\n'), 4) << text;
  }
}

}  // namespace
