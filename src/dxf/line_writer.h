// One straight line of the drawing: cut back at the outlines of the marks of
// plotted points, written as a LINE on its numbered layer, and labelled with
// its ground distance (layers 6 and 8) and direction (layer 8).
#pragma once

#include <string>
#include <string_view>

struct App;

namespace dxf {

// The outline a line stops at: the mark's circle, square, diamond or triangle,
// all centred on the point and kept along the paper axes.
enum class MarkOutline { None, Circle, Square, Diamond, TriangleUp, TriangleDown };

// The outline of a plotted point: with the mark answer "10" by the point's own
// mark digit (character 2 of its attribute: 5 circle, 3 square, 2 diamond, 4
// triangle), else by the first character of the plot's mark text.
MarkOutline OutlineOf(std::string_view markAnswer, std::string_view attribute, std::string_view markString);

// The distance in paper millimetres from the mark's centre to its outline along
// a line whose paper direction is `theta` (degrees from +y towards +x, pointing
// from the line's end towards its start), for a mark of size `size` on a
// drawing turned by `rotationDegrees`. `atStart`: the point is the line's start
// (the line leaves it in the direction theta + 180). Every angle is brought
// into 0-360 first, so any rotation gives the outline's true distance.
double MarkClearanceOf(MarkOutline outline, double size, double theta, double rotationDegrees, bool atStart);

// The paper direction of the line from (ex, ey) back to (sx, sy), as above.
double PaperDirection(double sx, double sy, double ex, double ey);

// The angle of a line's texts, which read upright along it: 270 - the ground
// direction + the drawing rotation, brought into 0-360.
double LineTextAngle(double groundDirection, double rotationDegrees);

// The distance text (half width, no blanks) of a ground distance with
// `decimals` = log10 of the distance rounding T: a whole count of decimals
// rounds half up to them; any other value (T = 20, 5, 2, 50 ...) rounds to
// steps of 1/T and prints the decimals that step needs (T 20: 0.05, "12.35").
std::string DistanceTextOf(double distance, double decimals);

// Point `number` was written by the latest plot run (its plotted-point flag is
// 1; a number beyond the flags was not).
bool IsPlotted(const App& app, double number);

// The name of a numbered layer: its number without blanks ("6", "2.5").
std::string LayerNameOf(double layer);

}  // namespace dxf

// Writes the line of the shared values (PaperLineStart/End X, Y, Z, the two
// point numbers, DxfLineTypeNumber, DxfLineTypeName, CurrentLineLayer and, for
// a connection segment, DxfLineVertex) into the open drawing. Type 9 writes
// nothing. The first line of a menu pass that would be cut asks once whether
// lines stop at marks ("N": none is cut until the menu is shown again). A line
// of no length, or one whose clearances at its marks reach its length, is not
// written.
void WriteDxfLine(App& app);

// The line's shared values from two points of the job: their paper positions
// before rotation, their heights at the scale, and their numbers.
void SetPaperLineFromPoints(App& app, int start, int end);
