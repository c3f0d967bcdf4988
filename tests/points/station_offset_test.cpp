// The work point along the job's base line: the chainage is added and the
// polar values are left for the registration's commands.
#include "points/station_offset.h"

#include <gtest/gtest.h>

#include <cmath>
#include <memory>

#include "core/app.h"

namespace {

struct Case {
  const char* what;
  double radius, x, y;
  double station, offset;
};

TEST(ConvertToStationOffset, AddsTheChainageAndLeavesTheOffsetAndHeight) {
  const double quarter = 50 * M_PI / 2;
  const Case cases[] = {
      {"10 ahead", 0, 1010, 500, 110, 0},
      {"10 behind", 0, 990, 500, 90, 0},
      {"the base point", 0, 1000, 500, 100, 0},
      {"quarter arc", 50, 1000, 550, 100 + quarter, 0},
      {"inside the arc", 50, 1000, 540, 100 + quarter, 10},
      {"left-hand arc", -50, 1000, 540, 100 - quarter, -10},
      {"the arc's centre", 50, 1000, 500, 100, 50},
  };
  for (const Case& c : cases) {
    auto app = std::make_unique<App>();
    app->cogo.BasePointX = 1000;
    app->cogo.BasePointY = 500;
    app->cogo.BaseChainage = 100;
    app->cogo.BaseRadius = c.radius;
    app->points.WorkPointX = c.x;
    app->points.WorkPointY = c.y;
    app->points.WorkPointZ = 12.5;
    ConvertToStationOffset(*app);
    EXPECT_NEAR(app->points.WorkPointX, c.station, 1e-9) << c.what;
    EXPECT_NEAR(app->points.WorkPointY, c.offset, 1e-9) << c.what;
    EXPECT_EQ(app->points.StationOffset, app->points.WorkPointY) << c.what;
    EXPECT_EQ(app->points.WorkPointZ, 12.5) << c.what;
  }
}

}  // namespace
