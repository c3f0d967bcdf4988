// Kinds 2, 3 and 5 of the coordinate transformations: the axes of chosen
// points swapped in place, and their heights shifted into another datum.
#pragma once

#include "core/control.h"

struct App;

namespace cogo {

struct Coordinates {
  double x = 0;
  double y = 0;
  double z = 0;
};

// A point recorded with its height as X: the old Z becomes X, the old X
// becomes Y, and the height is 0 or, with `yAsHeight`, the old Y.
Coordinates SwappedAxesOf(Coordinates point, bool yAsHeight);

// A height moved by the shift that takes the reference's old height to its new one.
double ShiftedHeightOf(double height, double referenceOld, double referenceNew);

}  // namespace cogo

// The selected points swapped in the table (SubmenuChoice exactly 3 keeps the
// old Y as the height), each named on the console; then the menu again.
Jump SwapCoordinateAxes(App& app);

// "ﾍﾝｶﾝﾏｴﾉﾃﾝ+ｿｸﾃﾝ IN": the reference point and the points to shift, the
// reference's new height (a plain line input: Enter cancels the pass, a text
// that is no number is asked again), then every other selected point shifted
// by the same difference, with a report line each (the table kept as it was
// with ZD 1). Again until the selection is empty, then RepeatLastCommand.
Jump ZTransformation(App& app);
