// The area menu's dispatch and tables, and the deletion of the area lines.
#include "area/area_menu.h"

#include <gtest/gtest.h>

#include "area/area_fixture.h"
#include "area/coordinate_area_report.h"
#include "area/coordinate_triangles.h"
#include "area/parcel_division.h"
#include "area/survey_table.h"
#include "area/triangle_areas.h"
#include "cad/connect_points.h"
#include "cogo/extensions.h"
#include "runtime/numtext.h"
#include "shell/program.h"

namespace {

using AreaMenuTest = AreaTest;

constexpr double kNoCell = -7;

TEST_F(AreaMenuTest, ChoicesGoToTheirCommandsRoundedHalfAwayFromZero) {
  const struct {
    const char* answer;
    Entry next;  // through the routine table: followed to where it leads
    double column, row;
  } cases[] = {
      {"", ShowResultMenu, kNoCell, kNoCell},     {"10", ShowResultMenu, kNoCell, kNoCell},
      {"99", ShowResultMenu, kNoCell, kNoCell},   {"-0.4", ShowResultMenu, kNoCell, kNoCell},
      {"1", HeronArea, kNoCell, kNoCell},         {"1.4", HeronArea, kNoCell, kNoCell},
      {"2", TriangleArea, kNoCell, kNoCell},      {"4", CoordinateAreaReport, kNoCell, kNoCell},
      {"4.6", SelectParcelToDivide, kNoCell, kNoCell},  // choice 5, the cell of 4.6 is none
      {"7", DeleteAreaLines, kNoCell, kNoCell},   {"3", CoordinateTriangleArea, 0, 4},
      {"5", SelectParcelToDivide, 1, 4},           {"6", ConnectPoints, kNoCell, kNoCell},
      {"8", LineExtension, kNoCell, kNoCell}, {"9", SurveyTableMenu, kNoCell, kNoCell},
      {"-1", AreaMenu, kNoCell, kNoCell},  // no command: the menu again
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.answer);
    app.navigator.MenuCellColumn = app.navigator.MenuCellRow = kNoCell;
    Answers(std::string(c.answer) + "\n");
    Entry e = AreaMenu(app).next;
    // Choices not built yet go to the placeholder, some by way of a slot.
    for (int hop = 0; hop < 3 && e != c.next && e != ShowResultMenu && e != AreaMenu; ++hop) {
      if (e == HeronArea || e == TriangleArea || e == CoordinateAreaReport || e == DeleteAreaLines ||
          e == LineExtension || e == CoordinateTriangleArea || e == SelectParcelToDivide || e == SurveyTableMenu) {
        break;
      }
      e = e(app).next;
    }
    EXPECT_EQ(e, c.next);
    EXPECT_EQ(app.navigator.MenuCellColumn, c.column);
    EXPECT_EQ(app.navigator.MenuCellRow, c.row);
  }
  EXPECT_EQ(CountContaining(U8(u8" 1:ﾍﾛﾝ  2:三斜  3:座標三斜  4:座標面積  5:分割編集  6:結線")), 16);
}

TEST_F(AreaMenuTest, EveryEntryClearsTheSharedStateAndTheTablesAreMadeOnce) {
  area::State& a = app.area;
  a.DivisionPending = 1;
  a.CumulativeParcelArea = 5;
  a.CumulativeParcelCount = 2;
  a.ParcelArea = 3;
  a.AreaReportStyle = 3;
  a.RunningArea = 8;
  Answers("\n");
  AreaMenu(app);
  EXPECT_EQ(app.lines.CurrentLayer, 6);
  EXPECT_EQ(a.DivisionPending, 0);
  EXPECT_EQ(a.CumulativeParcelArea, 0);
  EXPECT_EQ(a.CumulativeParcelCount, 0);
  EXPECT_EQ(a.ParcelArea, 0);
  EXPECT_EQ(a.AreaReportStyle, 0);
  EXPECT_EQ(a.RunningArea, 0);
  ASSERT_EQ(a.LabelX.Bound(), 2000);
  EXPECT_EQ(a.LabelText.Bound(), 4000);
  ASSERT_EQ(a.SurveyTable.Bound(), 2000);
  EXPECT_EQ(a.SurveyTable(2000).Bound(), 16);
  a.LabelText(7) = "12-3";
  a.SurveyTable(4)(16) = "x";
  Answers("\n");
  AreaMenu(app);
  EXPECT_EQ(a.LabelText(7), "12-3");
  EXPECT_EQ(a.SurveyTable(4)(16), "x");
}

TEST_F(AreaMenuTest, DeletingTheAreaLinesTakesOnlyTheAreaLayer) {
  cad::Lines& l = app.lines;
  const auto fill = [&] {
    l.LineVertexCount = 12;
    for (int k = 1; k <= 12; ++k) {
      l.LineLayer(k) = k >= 5 && k <= 9 ? 6 : 2;
      l.LineType(k) = 0;
    }
  };
  const struct {
    const char* answer;
    bool deletes;
  } cases[] = {{"n", false}, {"N", false}, {"Y", true}, {"", true}, {"x", true}};
  for (const auto& c : cases) {
    SCOPED_TRACE(c.answer);
    fill();
    app.lines.CurrentLayer = 6;
    app.input.ViewRedrawPending = 0;
    const int played = TimesPlayed("recycle.wav");
    Answers(std::string(c.answer) + "\n");
    EXPECT_EQ(DeleteAreaLines(app).next, AreaMenu);
    for (int k = 1; k <= 12; ++k) {
      const bool areaLine = k >= 5 && k <= 9;
      EXPECT_EQ(l.LineType(k), c.deletes && areaLine ? 9 : 0) << k;
    }
    EXPECT_EQ(app.input.ViewRedrawPending, c.deletes ? 1 : 0);
    EXPECT_EQ(TimesPlayed("recycle.wav"), played + (c.deletes ? 1 : 0));
  }
}

}  // namespace
