// Kinds 3 to 5 of the coordinate calculations, which cross straight lines, and
// the routines they share with the continuous parallel.
//
// The lines of an intersection: the first from A (the from-point) towards B
// (SecondLineEndX/Y), the second from C (FirstLineStartX/Y) towards D
// (FirstLineEndX/Y). Every kind repeats until its first point is abandoned
// (back to the menu) or a point question is answered "Q" (the result menu).
#pragma once

#include "core/control.h"

struct App;

// Kind 3: the foot of the perpendicular from C to the line A-B, reported as
// "A -> 5 C -> +3" (the distance along A→B, then C's offset with "+" right of
// A→B, "-" left, "±" on it) and registered; C after C for the same A and B.
Jump FootOfPerpendicular(App& app);
// Kind 4: the crossing of A-B and C-D with both signed distances, registered;
// C and D after C and D for the same A and B. An abandoned D is C moved by the
// D - C of the last crossing (guide 285 says so when one is remembered).
Jump FourPointIntersection(App& app);
// Kind 5: two lines, each a base point with its direction and a width "W=",
// shifted sideways by their widths; their crossing is registered with height 0.
Jump FourPointParallel(App& app);

// The second line as the perpendicular to A-B through C (D := C plus B - A
// turned a right angle), and PointCZ := DesignatedPointZ, the height of C.
void ComputePerpendicularSlope(App& app);

// The crossing of the two lines into the work point, SignedDistanceAP and
// SignedDistanceCP := the distances from A and from C, rounded to 1/T and
// negative behind their start. Two parallel lines, or a line whose two points
// coincide, have none: the user is told so ("chord.wav"), nothing changes and
// the result is false.
bool ComputeLineIntersection(App& app);

// With ZE 3, WorkPointZ := the height along C→D at the crossing: from PointCZ
// at C to DesignatedPointZ at D (the point designated last); else nothing.
void InterpolateIntersectionHeight(App& app);

// The line "A -> dist C -> dist" in the main window and the report, then the
// crossing registered (StorePoint). For kind 3 (an answer of the menu that
// selects it) C's distance is its offset with the side sign.
void ReportIntersectionAndStore(App& app);
