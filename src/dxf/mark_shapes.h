// The marks of plotted points: each character of a point's mark text drawn
// upright about the point on the layer "マ-ク", as circles, an outline, a
// filled outline, or, for a character without a drawing, the character itself.
#pragma once

#include <string_view>

#include "dxf/records.h"

struct App;

namespace dxf {

// The drawing of a mark character in tenths of the mark size: "R" circles by
// radius, "L" an outline and "P" a filled outline by their vertices "x,y",
// items separated by "/". Empty for a character drawn as text.
std::string_view MarkShapeCode(std::string_view character);

// Writes the mark text's characters at the paper point (x, y), height z, one
// shape after the other, each `markSize` millimetres across.
void WriteMarkShapes(Sink& out, std::string_view markString, double x, double y, Height z,
                     double markSize);

}  // namespace dxf

// The mark MarkString of the point in hand at WorkPointX, WorkPointY (and
// WorkPointZ when Output3D is 1), MarkSize across, into the gathered records.
void WriteMarkShapes(App& app, dxf::Sink& out);
