// The parcel and triangle labels: the triangle number in its circle against the
// same text and circle drawn where the rule puts them, and the survey rows a
// parcel label makes.
#include "area/labels.h"

#include <gtest/gtest.h>

#include "area/area_fixture.h"
#include "area/area_menu.h"
#include "runtime/graphics.h"
#include "ui/transform.h"
#include "ui/view_ink.h"

namespace {

class LabelsTest : public AreaTest {
 protected:
  void SetUp() override {
    AreaTest::SetUp();
    view_ink::SetTestTransform(app.view);
    area::State& a = app.area;
    area::DimensionAreaTables(a);
  }
  void Label(const std::string& text, double x, double y) {
    area::State& a = app.area;
    a.LabelX(a.LabelCount) = x;
    a.LabelY(a.LabelCount) = y;
    a.LabelText(a.LabelCount) = text;
    a.LabelCount += 1;
  }
  // A loaded table: scene and heading rows 0-3, then the rows given.
  void Table(std::initializer_list<std::pair<const char*, const char*>> rows) {
    area::State& a = app.area;
    a.SurveyTableRowCount = 4;
    for (const auto& [lot, use] : rows) {
      a.SurveyTable(a.SurveyTableRowCount)(area::kSurveyColumnLotNumber) = lot;
      a.SurveyTable(a.SurveyTableRowCount)(area::kSurveyColumnUse) = use;
      a.SurveyTable(a.SurveyTableRowCount)(7) = std::string("item of ") + lot;
      a.SurveyTableRowCount += 1;
    }
  }
};

TEST_F(LabelsTest, ATriangleNumberStandsInItsCircle) {
  Label("^12", 1100, 2050);
  rt::ClearWindowGraphics(view_ink::kView);
  DrawParcelLabels(app);
  const auto drawn = view_ink::InkOf(8);
  ASSERT_FALSE(drawn.empty());
  const double x = ViewUnitX(app, 2050), y = ViewUnitY(app, 1100);
  rt::ClearWindowGraphics(view_ink::kView);
  RtSymbol(view_ink::kView, x - 10, y - 9, "12", 1, 1, 0, 8);
  RtCircle(view_ink::kView, x, y, 15, 8);
  EXPECT_EQ(drawn, view_ink::InkOf(8));
  EXPECT_EQ(app.area.SurveyTableRowCount, 0);  // a triangle makes no row
}

TEST_F(LabelsTest, ALandNumberWithoutARowGetsOne) {
  struct Case {
    const char* label;
    std::initializer_list<std::pair<const char*, const char*>> rows;
    const char* use;
    const char* marker;
  };
  const Case cases[] = {
      {"34", {{"30", "元地"}}, "元地", "aa1"},
      {"34(B)", {{"34", "元地"}}, "用地", ""},
      {"34", {{"34", "元地"}}, nullptr, nullptr},  // has its row: none made
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.label);
    app.area.LabelCount = 0;
    Table(c.rows);
    Label(c.label, 1100, 2050);
    DrawParcelLabels(app);
    const area::State& a = app.area;
    if (!c.use) {
      EXPECT_EQ(a.SurveyTableRowCount, 5);
      continue;
    }
    ASSERT_EQ(a.SurveyTableRowCount, 6);
    EXPECT_EQ(a.SurveyTable(5)(area::kSurveyColumnLotNumber), c.label);
    EXPECT_EQ(a.SurveyTable(5)(area::kSurveyColumnUse), c.use);
    if (*c.marker) {
      EXPECT_EQ(a.SurveyTable(5)(area::kSurveyColumnMarker), c.marker);
    }
    if (!*c.marker) {
      EXPECT_EQ(a.SurveyTable(5)(7), "item of 34");  // copied from its base
    }
  }
}

TEST_F(LabelsTest, TheFilterChoosesWhichRowsShowTheirItems) {
  area::State& a = app.area;
  app.view.LabelOffset = 6;
  Table({{"34", "元地"}});
  a.SurveyTable(area::kSurveyRowScreenScene)(7) = "*";
  Label("34(B)", 1100, 2050);
  a.ParcelLabelFilter = 3;
  DrawParcelLabels(app);
  EXPECT_EQ(a.LabelItemOffset, 0);  // 34(B) is 用地
  a.ParcelLabelFilter = 4;
  DrawParcelLabels(app);
  EXPECT_EQ(a.LabelItemOffset, 12);
  a.SurveyItemsOnScreen = -9;
  a.LabelItemOffset = 0;
  DrawParcelLabels(app);
  EXPECT_EQ(a.LabelItemOffset, 0);
}

TEST_F(LabelsTest, NoTableLoadedTakesNoRows) {
  Label("34", 1100, 2050);
  DrawParcelLabels(app);
  EXPECT_EQ(app.area.SurveyTableRowCount, 0);
  EXPECT_EQ(app.area.SurveyTable(0)(area::kSurveyColumnLotNumber), "");
}

TEST(LabelFilter, Rows) {
  EXPECT_TRUE(area::PassesLabelFilter(1, "", ""));
  EXPECT_TRUE(area::PassesLabelFilter(2, "*", ""));
  EXPECT_FALSE(area::PassesLabelFilter(2, "", ""));
  EXPECT_TRUE(area::PassesLabelFilter(3, "", " 元地 "));
  EXPECT_FALSE(area::PassesLabelFilter(4, "", "元地"));
  EXPECT_TRUE(area::PassesLabelFilter(5, "", "残地"));
  EXPECT_TRUE(area::PassesLabelFilter(5, "", "用地"));
  EXPECT_FALSE(area::PassesLabelFilter(0, "*", "用地"));
}

}  // namespace
