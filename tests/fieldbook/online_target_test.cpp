// The target placed from the station and the guidance to a design point,
// against values worked out by hand.
#include "fieldbook/online_target.h"

#include <gtest/gtest.h>

#include <cmath>
#include <memory>
#include <string>

#include "core/app.h"
#include "core/numeric.h"

namespace {

TEST(OnlineTarget, PlacesTheTargetAlongTheSightWithTheScaleFactor) {
  // Reading 30-00-00 from an orientation of 60: azimuth 90, straight along +Y.
  const fieldbook::PlacedTarget t = fieldbook::PlaceTarget(100, 200, 60, 30.0, 100, 0.9999);
  EXPECT_NEAR(t.x, 100, 1e-9);
  EXPECT_NEAR(t.y, 200 + 99.99, 1e-9);
  EXPECT_DOUBLE_EQ(t.azimuth, 90);
  // 45-30-00 is 45.5 degrees; the distance is taken as it is with factor 1.
  const fieldbook::PlacedTarget u = fieldbook::PlaceTarget(0, 0, 0, 45.3, 10, 1);
  EXPECT_NEAR(u.x, 10 * std::cos(45.5 * M_PI / 180), 1e-9);
  EXPECT_NEAR(u.y, 10 * std::sin(45.5 * M_PI / 180), 1e-9);
}

TEST(Guidance, FromTheStationAtTheOriginToTheDesignPointTenMetresNorth) {
  auto app = std::make_unique<App>();
  struct Case {
    double x, y;
    const char* h;
    double l;
  };
  // Instrument at (0, 0), orientation 0, design point (10, 0).
  for (const Case& c : {Case{9, 0, "  180-00-00", 1.0}, Case{10, 10, "   45-00-00", 10.0},
                        Case{11, 0, "  359-59-59", 1.0}, Case{10, 0, "  270-00-00", 0.0}}) {
    const fieldbook::PlacedTarget sight{c.x, c.y, std::atan2(c.y, c.x) * 180 / M_PI};
    const fieldbook::GuidanceMove m = fieldbook::GuideTargetToPoint(sight.x, sight.y, 10, 0, sight.azimuth);
    EXPECT_EQ(FormatAngleOf(*app, m.direction), c.h) << c.x << "," << c.y;
    EXPECT_NEAR(m.distance, c.l, 1e-9);
    EXPECT_GE(m.direction, 0);
    EXPECT_LT(m.direction, 360);
  }
}

}  // namespace
