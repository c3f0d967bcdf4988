// Kinds 1 and 2 of the coordinate calculations: a point from one side and one
// angle, and the resection from three points and two angles. Each registers
// its point with height 0 and starts again with new points; "%" at the first
// point goes back to the menu, "Q" at a point question to the result menu.
#pragma once

#include "core/control.h"

struct App;

// Kind 1: A and B ("Aﾃﾝ", "Bﾃﾝ" by its inverse from A), the side "A-C L=" and
// the angle at C "<ACB H=" (dd.mmss, from C→A clockwise to C→B): the point C,
// after the report line "A-C L=    50.000   <ACB H=   97-07-30". A B not given
// starts again; a side too long for the base (no triangle) is refused.
Jump OneSideOneAngle(App& app);

// Kind 2: A, B and C (the three-point input) and the angles "<ADB H=" and
// "<ADC H=" observed at the new point D (dd.mmss, from D→A clockwise), reported
// as one line. A C not given starts again; an angle ADB of 0 or 180, or
// coinciding points, are refused.
Jump ThreePointsTwoAngles(App& app);
