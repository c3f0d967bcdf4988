// The station-list row, the name of a typed width-stake chainage and the
// refusals of a run's point numbers.
#include "route/route_computation.h"

#include <gtest/gtest.h>

#include "route/width_stakes.h"

namespace {

TEST(StationList, RowsByRounding) {
  EXPECT_EQ(route::StationListRow("NO.5", 20, 100, 1234.5678, -98.7654, 0, 19.867, 1000, false),
            "NO.5        20.000   100.000    1234.568     -98.765    19.867");
  EXPECT_EQ(route::StationListRow("NO.5", 20, 100, 1, 2, 12.3456, 20, 100, true),
            "NO.5        20.00    100.00        1.000       2.000    12.346    20.00");
  // A long name: its first ten characters, then 11 to 16 straight after.
  EXPECT_EQ(route::StationListRow("ENDPOINT-LONG", 0, 0, 0, 0, 0, 0, 10, false),
            "ENDPOINT-LONG   0.0       0.0         0.000       0.000     0.0");
  EXPECT_EQ(route::StationListRow("NO.5", 0, 0, 0, 0, 0, 0, 5, false), "");
}

TEST(WidthStakes, TypedChainageIsNamedAfterTheRegularStations) {
  EXPECT_EQ(route::PlusChainageName(137.5, 20, 1000), "NO. 6+ 17.5");
  EXPECT_EQ(route::PlusChainageName(40, 20, 1000), "NO. 2+ 0");
}

TEST(RouteRun, PointNumbersPastTheTableOrOverTheRouteAreRefused) {
  EXPECT_EQ(route::RunNumbersRefusal(100, 50, 9999, {1, 2, 3}), "");
  EXPECT_NE(route::RunNumbersRefusal(9990, 20, 9999, {1, 2, 3}), "");
  EXPECT_NE(route::RunNumbersRefusal(0, 5, 9999, {1, 2, 3}), "");
  EXPECT_NE(route::RunNumbersRefusal(2, 5, 9999, {1, 20, 3}), "");
}

}  // namespace
