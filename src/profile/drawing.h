// The longitudinal section on the dynamic view: a preview of the drawn section
// with its datum line, item table frame and row names, height scale, scale
// triangle, station flags, station verticals and the straight grade line.
#pragma once

#include <string>

struct App;

namespace profile {

// Where the preview goes: the dynamic view, or a recorder in the tests.
class ViewCanvas {
 public:
  virtual ~ViewCanvas() = default;
  // A line in view units in a palette colour, with the current pen style.
  virtual void Line(double x1, double y1, double x2, double y2, int colour) = 0;
  // A graphic text with its top-left corner at (x, y), magnified by `size`,
  // turned by quarter turns.
  virtual void Symbol(double x, double y, const std::string& text, double size, int quarterTurns,
                      int colour) = 0;
  virtual void LineStyle(int style) = 0;
  // The foreground colour of the window's own text output.
  virtual void Colour(int colour) = 0;
  // A line of the window's own text output.
  virtual void PrintLine(const std::string& text) = 0;
};

// The size factor of the section's texts at this many view units per paper
// millimetre: 1 + INT(0.2 x units), 0.2 single precision.
double ProfileTextSize(double unitsPerMm);

// Draws the section while ProfileMode is 1. Writes ProfileTickFactor, and
// StationInterval when it is 0 (20 is used and kept). A zero or negative scale,
// ratio or view scale draws nothing.
void DrawProfileViewOn(App& app, ViewCanvas& canvas);

}  // namespace profile

// DrawProfileViewOn the dynamic view; a step of every full redraw.
void DrawProfileView(App& app);
