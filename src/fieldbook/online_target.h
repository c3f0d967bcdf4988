// The target sighted from the instrument station of the stake-out set-up, and
// the direction and distance in which it must move to reach a design point.
#pragma once

namespace fieldbook {

// A target placed from the station: its position and the azimuth of the sight
// (decimal degrees, not brought into 0-360).
struct PlacedTarget {
  double x = 0;
  double y = 0;
  double azimuth = 0;
};

// The target at the horizontal circle reading `readingDms` (ddd.mmss) of a
// station whose circle zero points to `orientation` (degrees), `distance`
// metres away before the scale factor.
PlacedTarget PlaceTarget(double stationX, double stationY, double orientation, double readingDms,
                         double distance, double scaleFactor);

// Where the target must move to reach the design point: the direction H
// (degrees, 0 <= H < 360, clockwise from the direction pointing from the target
// back to the instrument) and the distance. A target on the design point gives
// the distance 0 and H of a zero move counted as the azimuth 90.
struct GuidanceMove {
  double direction = 0;
  double distance = 0;
};
GuidanceMove GuideTargetToPoint(double targetX, double targetY, double designX, double designY,
                                double sightAzimuth);

}  // namespace fieldbook
