#include "traverse/zone_scale_factor.h"

#include <cmath>

#include "core/app.h"
#include "runtime/console.h"
#include "ui/input.h"

namespace {

constexpr int kGuideZone = 366;
// The origin factor as the single-precision number the factors are computed
// with (0.99989998340606689453125), not the double nearest to 0.9999.
constexpr double kOriginFactor = static_cast<double>(0.9999f);

}  // namespace

namespace traverse {

std::optional<double> ZoneEarthRadiusOf(double zone) {
  if (zone == 1 || zone == 2 || zone == 4) return 6368687.889;
  if (zone == 3 || (zone >= 5 && zone <= 9)) return 6370769.563;
  if (zone == 10) return 6373655.53;
  if (zone == 11 || zone == 12 || zone == 13) return 6376616.253;
  if ((zone >= 14 && zone <= 17) || zone == 19) return 6364241.795;
  if (zone == 18) return 6361045.374;
  return std::nullopt;
}

double ScaleFactorAt(double easting, double radius) {
  const double q = (easting * easting / 2) / (radius * radius) / (kOriginFactor * kOriginFactor);
  const double m = kOriginFactor * (1 + q);
  return std::floor(m * 1000000 + 0.5) / 1000000;
}

}  // namespace traverse

void InputZoneAndScaleFactor(App& app) {
  double& zakeSetting = app.settings.ZAKE;
  double& factor = app.shell.ScaleFactor;
  for (;;) {
    RtPrintStr("座標系＝", false);
    RtPrintNum(zakeSetting, false);
    app.input.GuideNumber = kGuideZone;
    InputPointName(app);
    const double zone = app.input.Answer.empty() ? zakeSetting : app.input.AnswerValue;
    if (zone == 0) {
      zakeSetting = 0;
      factor = 1;
      return;
    }
    if (const std::optional<double> radius = traverse::ZoneEarthRadiusOf(zone)) {
      zakeSetting = zone;
      app.traverse.ZoneEarthRadius = *radius;
      const ui::ViewState& v = app.view;
      factor = traverse::ScaleFactorAt(v.ViewOriginY + v.ViewHalfWidth * v.ViewScale / 2, *radius);
      return;
    }
    RtPrintStr(" 座標系は 1 から 19 です", true);
  }
}
