#include "fieldbook/online_target.h"

#include <cmath>

#include "core/numeric.h"

namespace fieldbook {

PlacedTarget PlaceTarget(double stationX, double stationY, double orientation, double readingDms,
                         double distance, double scaleFactor) {
  const double azimuth = DmsToDegrees(readingDms) + orientation;
  return {stationX + CosDegrees(azimuth) * distance * scaleFactor,
          stationY + SinDegrees(azimuth) * distance * scaleFactor, azimuth};
}

GuidanceMove GuideTargetToPoint(double targetX, double targetY, double designX, double designY,
                                double sightAzimuth) {
  // The tiny addition keeps a target on the design point from dividing by 0.
  const double d = std::hypot(designX - targetX, designY - targetY) + 1e-20;
  double g = ArcCosDegrees((designX - targetX) / d);
  if (designY - targetY < 0) g = 360 - g;
  // The azimuth from the target to the design point, counted from the way back
  // to the instrument (the sight's azimuth + 180).
  double h = g + 900 - sightAzimuth;
  while (h >= 360) h -= 360;
  while (h < 0) h += 360;
  return {h, d};
}

}  // namespace fieldbook
