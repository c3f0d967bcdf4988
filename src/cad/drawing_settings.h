// The drawing settings: the paper, scale, origin and rotation of the plan and
// the separator that shortens its point names, with the paper frame shown on
// the view while they are edited.
#pragma once

#include "core/control.h"

struct App;

// CAD-menu choice 4: draws the frame and asks 1 refit to the paper, 2 paper
// size, 3 scale, 4 move the origin, 5 rotation, 6 point-name omission; any
// other answer goes back to the CAD menu.
Jump DrawingSettingsMenu(App& app);

// The paper from the printer's page or typed ("ﾀﾃ=", "ﾖｺ="). A cancelled print
// dialog keeps the A1 sheet and binds the default printer again
// (PrinterSelected 0); a size not above 0 is refused and the size kept.
void InputPaperSize(App& app);
// The scale ("縮尺=": Enter or 0 keeps the offered one, a scale below 1 is
// refused), the origin centring the extent (PlotOriginX/Y minima, ExtentMaxX/Y
// maxima) on the paper, then "X0=" ("F" picks the origin on the view) and
// "Y0=".
void InputDrawingScale(App& app);
// Moves the origin: by a typed step, to typed coordinates, or to a picked
// position ("F"); Enter at "原点 Y=" keeps the Y.
void MoveDrawingOrigin(App& app);
// "回転角＝", measured from the origin on the view; Enter keeps the rotation.
void InputDrawingRotation(App& app);

namespace cad {
// The drawing's extent: the points of the selection the drawing was fitted to
// (PlotSelectionLast), or, when it is empty, the paper as it lies now, so that
// a new scale centres on the same place.
void ComputeDrawingExtent(App& app);
}  // namespace cad
