// The scale factor of the plane rectangular zones: the worked factors, the
// zones of each radius group, and PROJ's own scale factor of each zone's
// transverse Mercator (JGD2011, EPSG:6669-6687) at the same easting.
#include "traverse/zone_scale_factor.h"

#include <gtest/gtest.h>
#include <stdio.h>

#include <cmath>
#include <memory>
#include <string>

#include "core/app.h"
#include "runtime/events.h"
#include "shell/program.h"

namespace {

struct Case {
  double zone, easting, factor;
};
// Worked by hand from m0 (1 + Y² / (2 R² m0²)) with the single-precision m0.
const Case kCases[] = {{9, 0, 0.9999},         {9, 50000, 0.999931},     {9, 100000, 1.000023},
                       {9, -100000, 1.000023}, {9, 6400, 0.9999},        {18, 20000, 0.999905},
                       {1, 30000, 0.999911},   {11, 150000, 1.000177},   {14, 80000, 0.999979},
                       {10, 120000, 1.000077}, {19, -60000, 0.999944}};

TEST(ZoneScaleFactor, TheWorkedFactors) {
  for (const Case& c : kCases) {
    const std::optional<double> radius = traverse::ZoneEarthRadiusOf(c.zone);
    ASSERT_TRUE(radius) << c.zone;
    EXPECT_DOUBLE_EQ(traverse::ScaleFactorAt(c.easting, *radius), c.factor) << c.zone << " " << c.easting;
  }
  // The double nearest to 0.9999 would round 6400 m up to 0.999901.
  const double r = *traverse::ZoneEarthRadiusOf(9), m0 = 0.9999;
  EXPECT_EQ(std::floor(m0 * (1 + 6400.0 * 6400 / 2 / (r * r) / (m0 * m0)) * 1e6 + 0.5) / 1e6, 0.999901);
}

TEST(ZoneScaleFactor, RadiusGroups) {
  EXPECT_EQ(traverse::ZoneEarthRadiusOf(2), 6368687.889);
  EXPECT_EQ(traverse::ZoneEarthRadiusOf(7.5), 6370769.563);  // inside 5-9
  EXPECT_EQ(traverse::ZoneEarthRadiusOf(16.2), 6364241.795);  // inside 14-17
  for (const double zone : {-1.0, 0.0, 0.5, 4.5, 10.5, 13.5, 18.5, 20.0})
    EXPECT_FALSE(traverse::ZoneEarthRadiusOf(zone)) << zone;
}

// PROJ's parallel scale k at the point of the zone with the easting `easting`
// on the zone's origin parallel.
double ProjScaleFactor(int zone, double easting) {
  const std::string crs = "EPSG:" + std::to_string(6668 + zone);
  const std::string command =
      "ll=$(echo '0 " + std::to_string(easting) + "' | cs2cs -f %.12f " + crs +
      " EPSG:6668 | awk '{print $1, $2}') && def=$(projinfo -o PROJ -q " + crs +
      " | sed 's/ +type=crs//') && echo \"$ll\" | proj -V -r $def | awk -F: '/Parallel scale/ {print $2}'";
  std::unique_ptr<FILE, int (*)(FILE*)> pipe(popen(command.c_str(), "r"), pclose);
  if (!pipe) return -1;
  double k = -1;
  if (fscanf(pipe.get(), "%lf", &k) != 1) return -1;
  return k;
}

TEST(ZoneScaleFactor, AgreesWithProjToTheMillionth) {
  for (const Case& c : kCases) {
    const double k = ProjScaleFactor(static_cast<int>(c.zone), c.easting);
    ASSERT_GT(k, 0) << "PROJ (cs2cs, projinfo, proj from proj-bin) gave no factor for zone " << c.zone;
    EXPECT_NEAR(traverse::ScaleFactorAt(c.easting, *traverse::ZoneEarthRadiusOf(c.zone)), k, 1e-6)
        << c.zone << " " << c.easting;
  }
}

TEST(ZoneScaleFactor, TheQuestionTakesTheViewsQuarterAndAsksAgainForNoZone) {
  InstallProgramRoutines();
  auto app = std::make_unique<App>();
  ui::ViewState& v = app->view;
  v.ViewOriginY = 40000;
  v.ViewHalfWidth = 500;
  v.ViewScale = 80;  // a quarter of the view in: 40000 + 500 x 80 / 2 = 60000
  app->settings.ZAKE = 9;
  rt::LoadScript("25\n-3\n\n");  // no zone, no zone, Enter keeps 9
  InputZoneAndScaleFactor(*app);
  EXPECT_EQ(app->settings.ZAKE, 9);
  EXPECT_EQ(app->shell.ScaleFactor, traverse::ScaleFactorAt(60000, 6370769.563));
  EXPECT_EQ(app->traverse.ZoneEarthRadius, 6370769.563);
  rt::LoadScript("0\n");
  InputZoneAndScaleFactor(*app);
  EXPECT_EQ(app->shell.ScaleFactor, 1);
  EXPECT_EQ(app->settings.ZAKE, 0);
}

}  // namespace
