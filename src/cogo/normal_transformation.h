// Kinds 1 and 6 of the coordinate transformations: points carried from one
// plane frame into another by a base line in each (a similarity), or mirrored
// across the base line.
#pragma once

#include "core/control.h"
#include "core/plane.h"

struct App;

namespace cogo {

// The two base lines: B1 and its direction before, A1 and its direction after
// (decimal degrees from +X towards +Y), the scale and the mirror form.
struct TransformFrame {
  plane::Point before;
  double beforeDirection = 0;
  plane::Point after;
  double afterDirection = 0;
  double scale = 1;
  bool mirror = false;
};

// A point of the before frame in the after frame: its distance r and direction
// α from B1, the angle β = α - θ1 against the before base (-β in the mirror
// form), and A1 + k r (cos, sin)(θ2 + β).
plane::Point TransformedPointOf(const TransformFrame& frame, plane::Point point);

// The scale proposed for the lengths of the two base lines: after / before, or
// 1 when either is 0 (a typed direction has no length; 0 would put every point
// on A1).
double ProposedScaleOf(double beforeLength, double afterLength);

// The height after the transformation: carried over, or shifted by the height
// difference of the base points (Z2 - Z1) when heights are carried.
double TransformedHeightOf(double height, double beforeHeight, double afterHeight, bool carryHeights);

}  // namespace cogo

// "ﾍﾝｶﾝﾏｴ " and "ﾍﾝｶﾝｺﾞ " base points (InputBasePoint), the scale "ﾊﾞｲﾘﾂ=",
// then the mode question " 1:ﾚﾝｿﾞｸ  2:ｷﾘｶｴ  3:ﾀﾝﾄﾞｸ  ENT:END " again and again:
// 1 the selected points registered from a start number (or "U": each written
// over itself), 2 new base lines, 3 point by point with the registration's
// questions; anything else leaves through RepeatLastCommand. SubmenuChoice
// exactly 6 is the mirror form.
Jump NormalTransformation(App& app);
