// Kinds 8 and 9 of the coordinate calculations, which work along a path of
// points. "%" at the first point goes back to the menu, "Q" at a point
// question to the result menu.
#pragma once

#include "core/control.h"

struct App;

// Kind 9: the corner B of the path A→B→C (InputThreePointAngle), then answer
// after answer to "[直線＝＋L，円＝－L] L= ": a positive L the two cut points on
// the legs L apart, a negative L those where a circle of radius -L touches
// both legs; each pair registered, first the one on B→A. 0 or Enter asks a
// new corner; so does a B or C not given. A path that doubles back at B has
// no cut: the user is told so.
Jump CornerCut(App& app);

// Kind 8: a polyline A, B, C, ... shifted sideways by a width per leg ("W=",
// Enter keeps the width of the leg before): the shifted start, the corner of
// each two shifted legs and, on "%" at a vertex, the shifted end are
// registered (no start or end for width 0). With ZE 3 each takes the height
// of its vertex. Legs in line have no corner: the user is told so.
Jump ContinuousParallel(App& app);
