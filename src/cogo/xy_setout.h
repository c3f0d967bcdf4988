// The base line of the stake-out's set-out in local coordinates: a chainage
// along a straight line or an arc and an offset across it.
#pragma once

#include "core/control.h"

struct App;

namespace cogo {

// The base line after it has been moved to a point at `station` along and
// `angle` (degrees, from the base direction, as the conversion gives them) of
// the base line: a straight line takes the point as its base point with its
// station as chainage, direction and radius kept; an arc keeps its centre and
// turns its direction onto the point's radius, where the chainage is the
// point's station.
struct MovedBaseLine {
  double x = 0;
  double y = 0;
  double azimuth = 0;
  double chainage = 0;
};
MovedBaseLine MovedBaseLineOf(double baseX, double baseY, double azimuth, double radius, double pointX,
                              double pointY, double station, double angle);

}  // namespace cogo

// Kind 5: "ｷｼﾞｭﾝﾃﾝ" with its back-sight, "[ 0:直線, 1:円右曲, -1:円左曲] 0  "
// (the radius is the distance to the back-sight times the answer, 0 after a
// typed direction), the rotation and the chainage; then the stake-out menu.
// An abandoned base point changes nothing.
Jump XySetOut(App& app);
// Kind 6: the base line moved to an existing point, "ｸｶﾝ L=" its offset from
// the line before (positive on the left), then the chainage proposed as the
// point's station. On an arc the centre stays.
Jump XyMove(App& app);
// Kind 7: the base line along the bisector of the angle A-B-C at B, pointing
// away from its opening ("H/2=" the half angle), straight; the rotation and
// the chainage follow. An abandoned B or C changes nothing.
Jump ComputeHalfAngle(App& app);

// "ｶｲﾃﾝｶｸ= 0 " (dd.mmss, clockwise): BaseAzimuth := LegDirection + the
// rotation; the from-point becomes the base point, its height BaseHeight and
// DesignatedPointZ; BaseChainage 0; WorkPointY 0.
void InputRotationAngle(App& app);
// "ﾆｹﾞ W=" with the rounded chainage at the base point, asked with the base
// line's marker; Enter alone keeps it.
void InputBaseChainage(App& app);
