// The grade line of a longitudinal section: plan segments, vertical curves
// with their ordinates, the gradient diagram and the columns of the change
// points.
#pragma once

#include <string>
#include <vector>

#include "profile/section_marks.h"
#include "profile/section_plot.h"

namespace profile {

void WriteProfileGradeLine(SectionPlot& plot);

// What WriteProfileGradeLine writes, in order. The vertical table must hold at
// least two change points and its closing VCL 9999.
SectionMarks GradeLineMarks(const App& app);

// The row the gradient diagram is drawn in: the last row of the gradient item,
// whose circles the change points' columns write. A table without one gets no
// diagram.
struct GradientRow {
  bool found = false;
  double halfHeight = 0;  // half the row's height: the circles' radius + 0.7
  double baseY = 0;       // paper y the circles stand on (0.7 above the row with no spacing)
};
GradientRow GradientRowOf(const App& app);

// A chainage of a vertical curve where the curve is drawn to: every whole
// metre from its start, its end, its middle and its auxiliary points.
struct CurveSample {
  double offset = 0;       // from the curve's start (m)
  bool auxiliary = false;  // an auxiliary point: ordinate line and text
  bool middle = false;     // the change point
  bool end = false;        // the curve's start or end
};
// The samples of a curve of length `length` (> 0), auxiliary points every
// `interval` m from its start (half the curve when `interval` is 0 or less).
std::vector<CurveSample> VerticalCurveSamples(double length, double interval);

// The curve's height less the tangent's on the same side of the change point
// (td, z): negative under a crest.
double CurveOrdinate(double curveHeight, double chainage, double td, double z, double gradeIn,
                     double gradeOut);
// "y=-0.40", "y=+0.10", "y=±0.00".
std::string OrdinateText(double ordinate, double digits);
// "i=2.50%", "i=-2.00%", "Level".
std::string GradeText(double rise, double length, double digits);
// "VCR= 2000": the curve's radius in whole metres.
std::string CurveRadiusText(double length, double gradeIn, double gradeOut);
// The angle in degrees of the slope (dx, dy); 0 for a slope of no length.
double SlopeAngle(double dx, double dy);

}  // namespace profile
