// Connection lines drawn by naming their points one after another, with
// straight segments or circular arcs.
#pragma once

#include <optional>
#include <string>

#include "core/control.h"

struct App;

namespace cad {

// The arc text of a typed radius: the radius rounded to six decimals, negated
// when `longArc` is not 0, followed by the side digit ("0" or "1"), each as
// number text: 20 with 0 gives " 20 0", with 1 "-20 1".
std::string RadiusArcText(double radius, double longArc);

// Whether a typed radius can make the chord from (sx, sy) to (ex, ey) an arc: not
// 0 and at least half the chord (any radius for a chord of length 0, the circle
// about the point).
bool RadiusFitsChord(double radius, double sx, double sy, double ex, double ey);

// The arc text of the circle through S, E and T for the segment from S to E: the
// signed radius (positive when the way S, E, T turns left) and the side digit
// " 0" when T lies on the short arc, " 1" on the long one. Nothing when the three
// points do not make a circle (two of them coincide, or all lie on one line).
std::optional<std::string> ThreePointArcText(double sx, double sy, double ex, double ey,
                                             double tx, double ty);

}  // namespace cad

// 結線: polylines of the points named one after another on CurrentLayer, each
// segment of CurrentLineType; "%" ends a polyline, "%" at its first point leaves
// through RepeatLastCommand. With the palette's "３点円" armed, "%" makes the last
// segment an arc of a typed radius and a point the arc through that point. Each
// step is reported in the print buffer (" 9 " at a polyline's start, the line
// type after each segment, an empty line at its end). Nothing is connected while
// connection lines are hidden (ZEF -1) or when the line table is full.
Jump ConnectPoints(App& app);
