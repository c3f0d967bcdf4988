// Staking along a line and along a circular arc, with offsets square to the
// line or along the radius. Both are entries that menus jump to with nothing
// prepared (the coordinate calculations' kinds 12 and 11, the area menu, the
// route menus, the connection-line editor); they end only through Q or "%" at
// their first point, both of which go to RepeatLastCommand. Every answer at
// their distance questions goes through the traverse-line commands.
#pragma once

#include <optional>

#include "core/control.h"
#include "core/plane.h"

struct App;

namespace cogo {

// The signed radius of the circle through A, B and C: positive when its centre
// lies to the right of A→B (the arc A→B runs clockwise), negative to the left.
// Nothing for three points on one straight line (or two that coincide).
std::optional<double> SignedRadiusThrough(plane::Point a, plane::Point b, plane::Point c);

// The circle of signed radius R through A and B (|R| at least |AB| / 2): its
// centre (right of A→B for R > 0) and the length of the shorter arc A→B.
struct CircleThroughTwo {
  plane::Point centre;
  double arcLength = 0;
};
CircleThroughTwo CircleThrough(plane::Point a, plane::Point b, double radius);

}  // namespace cogo

// Kind 12 "直線延長": a base point and a back-sight (or a direction), then
// distances along the line from the base point ("L=", guide 188), each staked
// and registered; with offsets on ("W" after C) "W=" offsets square to the line
// from the point staked last. Enter at "L=" moves the start to an existing
// point on the same direction.
Jump LineExtension(App& app);

// Kind 11 "円の延長": A and B on the circle and a third point C or a radius
// ("(ﾁｭｳｼﾝ= ENT) R="; Enter: A is the centre, B on the circle), then arc
// lengths from the start point ("L=", guide 47), each staked and registered;
// with offsets on, "W=" offsets along the radius, positive to the right of the
// direction of travel. Enter at "L=" moves the start to an existing point on
// the concentric circle through it. Three points on a line, a radius shorter
// than |AB| / 2 and A at B are refused.
Jump CircleExtension(App& app);

// The header before each distance question: "(" [gradient "%," with ZE 3]
// direction "ﾟ)"; LineGradePercent := ExtensionGradePercent, LineRunningHeight
// := FromPointZ, PromptText := OffsetPromptMode + "L=".
void ShowExtensionHeader(App& app);

// When the answer was a value: the point CommandDistance from OffsetOriginX/Y
// along BaseAzimuth, registered (StorePoint).
void StoreLineOffsetPoint(App& app);
// When the answer was a value: the point at CircleArcRadius + CommandDistance ×
// sgn(-CircleRadius) from the centre (the from-point) in the direction
// LegDirection + CircleSweptAngle, registered (StorePoint).
void StoreArcOffsetPoint(App& app);
