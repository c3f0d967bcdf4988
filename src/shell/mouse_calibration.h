// The mouse calibration: measures the ratio by which the view's mouse handling
// multiplies the pointer's vertical position.
#pragma once

#include "core/control.h"

struct App;

// Draws a cross at a known place in the view, lets the user click its centre and
// shows the ratio of the known vertical position to the one the mouse reports.
// Any answer but "N" makes it the live MouseScaleRatio and rewrites the "MOX="
// line of the settings file. A ratio no screen gives (a click beside the cross)
// is said and changes nothing. Ends in RepeatLastCommand.
Jump CalibrateMouse(App& app);
