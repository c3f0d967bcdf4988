// Kinds 6 and 7 of the coordinate calculations: where two circles meet, and
// where a circle meets a straight line.
#pragma once

#include <optional>

#include "core/control.h"
#include "core/plane.h"

struct App;

namespace cogo {

// The circle of signed radius R about C and the line A-B moved W to the right
// of A→B. `offsetOfC` is C's signed distance from A-B (+ right of A→B),
// `reach` the distance d' from C to the moved line; the circle meets it when
// |R| >= d'. A positive R takes the crossing on A's side of the foot of C, a
// negative one the far crossing; `along` is its signed distance from A along
// A→B (negative behind A). Nothing when A and B coincide.
struct CircleLineCrossing {
  plane::Point foot;
  double offsetOfC = 0;
  double reach = 0;
  bool meets = false;
  double along = 0;
  plane::Point point;
};
std::optional<CircleLineCrossing> CircleLineCrossingOf(plane::Point a, plane::Point b, plane::Point c, double w,
                                                       double r);

// The crossing of the circle of signed radius AR about `start` with the circle
// of radius BR about `end`: right of start→end for AR > 0, left for AR < 0, at
// |AR| from start. The caller has checked that the circles meet (the
// semi-perimeter test), that AR is not 0 and that the two centres differ.
plane::Point CircleCircleCrossingOf(plane::Point start, plane::Point end, double ar, double br);

}  // namespace cogo

// Kind 7 "円と直線": A, B and the centre C, then "W=" (guide 284) and "R="
// (guide 43); the crossing is registered with "L=" along A→B, and the change
// menu (guide 378) offers a new line, all new, new W and R, or the end. A
// circle that does not reach the moved line is refused ("  距離が足りません").
Jump CircleLineIntersection(App& app);

// Kind 6 "円と円": the base A→B, then "AR=" (guide 36, + right of the base,
// - left) and "BR=" (guide 37); the crossing is registered and "ﾍﾝ A B C ="
// (guide 38, either case) chooses the next base: B new point→B, C A→B again,
// anything else A→new point. Circles that do not meet ("データミス!"), AR = 0
// and A at B are refused; Enter at "AR=" or at the side starts anew at A.
Jump CircleCircleIntersection(App& app);
