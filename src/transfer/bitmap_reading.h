// Points clicked on a scanned plan: a picture shown behind the dynamic view,
// and every click on it a point at the ground position under the pointer
// (transfer menu choice 8).
#pragma once

#include "core/routines.h"

struct App;

namespace transfer {

// The factor that fits a picture of `width` x `height` into an area of
// `areaWidth` x `areaHeight` keeping its proportions: the area's width over
// the picture's when the picture is wider in shape than the area, else the
// heights' ratio. 2000 x 1000 in 1000 x 800 gives 0.5; 1000 x 2000 gives 0.4.
double BackgroundPictureFit(double areaWidth, double areaHeight, double width, double height);

}  // namespace transfer

// Chooses a picture (".BMP" proposed; PNG read too) without renaming the job,
// shows it fitted at the view's top left, asks the first name and the start
// number, and stores each click on the view as a point with height 0. Enter or
// any answer but a click at the pick prompt goes back to the name prompt, "Q"
// there to the result menu; the picture stays (F5 hides it).
Jump BitmapPointReading(App& app);
