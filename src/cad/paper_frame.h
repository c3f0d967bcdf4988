// The outline of the drawing's paper on the dynamic view.
#pragma once

#include <array>

#include "runtime/graphics.h"

struct App;

// Draws the paper's outline at the drawing's origin, scale and rotation in
// PaperFrameColour with its two labels (the paper size in millimetres at the
// origin; the rotation and scale at the far end of the left edge) and
// remembers it in SavedPaperFrame.
void DrawPaperFrame(App& app);
// Draws the frame last drawn again in the view's background colour, at the
// current rotation (PaperFrameColour := RG).
void ErasePaperFrame(App& app);

namespace cad {
// The four corners of the frame on the view, from its origin (sx, sy): the
// origin, the far end of the left edge, the far corner, the far end of the
// bottom edge. The height side leaves the origin towards azimuth t (degrees,
// north turned clockwise) and the width side towards t + 90, each paper side
// times the scale s divided by the view's metres per unit.
std::array<RtPoint, 4> PaperFrameCorners(double sx, double sy, double widthM, double heightM,
                                         double scale, double viewScale, double rotationDegrees);
}  // namespace cad
