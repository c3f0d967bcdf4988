// The section's extent and free height against a float32 recomputation of the
// rounding (Python, struct.pack("f")): the datum line and scale top carry the
// single-precision factors' error.
#include "profile/extent.h"

#include <gtest/gtest.h>

#include <vector>

#include "core/app.h"
#include "profile/item_table.h"
#include "points/point_question.h"

namespace {

using profile::SectionPoint;

TEST(ProfileExtentTest, DatumAndTopFollowTheLowestAndHighestPlanHeights) {
  struct Case {
    const char* what;
    std::vector<SectionPoint> points;
    double datum;
    double top;
  };
  const Case cases[] = {
      {"5 m steps", {{123.45, 40}, {131.2, 0}, {127, 100}}, 114.99999821186069, 139.99999806284907},
      {"10 m steps from a 40 m span", {{100.3, 10}, {125.7, 20}}, 89.99999850988391, 139.99999821186069},
      {"a nominal 30 m stays on 5 m", {{100, 0}, {115, 1}}, 94.99999850988391, 124.99999828636649},
      {"a nominal 35 m switches", {{100, 0}, {120, 1}}, 89.99999850988391, 139.99999821186069},
      {"negative heights round down", {{-3.2, 0}, {4.1, 1}}, -9.999999925494194, 10},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    const auto e = profile::ExtentOf(c.points);
    ASSERT_TRUE(e);
    EXPECT_DOUBLE_EQ(e->datumLevel, c.datum);
    EXPECT_DOUBLE_EQ(e->scaleTop, c.top);
  }
  EXPECT_DOUBLE_EQ(profile::ExtentOf(std::vector<SectionPoint>{{100, 0}, {115, 1}})->scaleTop -
                       profile::ExtentOf(std::vector<SectionPoint>{{100, 0}, {115, 1}})->datumLevel,
                   29.999999776482582);
  const auto window = profile::ExtentOf(std::vector<SectionPoint>{{5, 40}, {6, -12.5}, {7, 260}});
  EXPECT_EQ(window->startChainage, -12.5);
  EXPECT_EQ(window->endChainage, 260);
  EXPECT_FALSE(profile::ExtentOf({}));
}

TEST(ProfileExtentTest, FreeHeightTakesRowZeroEvenOfAnEmptiedTable) {
  const std::vector<int16_t> road = {15, 12, 12, 15, 15, 15, 12, 15, 15};
  EXPECT_EQ(profile::FreeHeightOf(0, road, 8, 5, 1), -149);
  EXPECT_EQ(profile::FreeHeightOf(200, road, 8, 5, 1), 51);
  // Last row -1: row 0 still counts and the spacing term gives one spacing back.
  EXPECT_EQ(profile::FreeHeightOf(0, std::vector<int16_t>{15}, -1, 5, 2), -15 - 5 + 2 - 10);
}

class ProfileExtentStateTest : public PointQuestionTest {};

TEST_F(ProfileExtentStateTest, OnlyPointsCodedFiveCountAndNoneKeepsTheExtent) {
  SetPoint(1, 123.45, 0, "BP", 0, "95");
  SetPoint(2, 90, 10, "G1", 0, "97");      // ground point: not in the extent
  SetPoint(3, 131.2, 80, "EP", 0, "95");
  SetPoint(4, 50, 999, "X", 0, "NULL");    // deleted
  ComputeProfileExtent(app);
  const profile::State& s = app.profile;
  EXPECT_DOUBLE_EQ(s.ProfileDatumLevel, 114.99999821186069);
  EXPECT_DOUBLE_EQ(s.ProfileScaleTop, 139.99999806284907);
  EXPECT_EQ(s.ProfileStartChainage, 0);
  EXPECT_EQ(s.ProfileEndChainage, 80);
  EXPECT_EQ(s.ProfileItemName(3), "追加距離");

  for (int i : {1, 3}) app.points.PointAttribute(i) = "97";
  ComputeProfileExtent(app);
  EXPECT_TRUE(CountContaining(U8(u8"計画点（コード５）がありません")) == 1);
  EXPECT_DOUBLE_EQ(s.ProfileDatumLevel, 114.99999821186069);
  EXPECT_EQ(s.ProfileEndChainage, 80);
}

TEST_F(ProfileExtentStateTest, FreeHeightOfTheRoadTable) {
  LoadRoadProfileType(app);
  app.profile.ProfileDatumGap = 5;
  ComputeProfileFreeHeight(app);
  EXPECT_EQ(app.profile.ProfileFreeHeight, -149);
}

}  // namespace
