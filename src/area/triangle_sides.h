// The semi-perimeter test of three sides, shared by the Heron area, the
// coordinate triangles and the crossing of two circles, and Heron's area.
#pragma once

struct App;

namespace area {

struct SemiPerimeterResult {
  double semi_perimeter;
  double longest_side;
};

// s = (|a| + b + c) / 2 and the longest of |a|, b, c. The sides make a triangle
// when s is not less than the longest side (equal: a flat triangle, or two
// circles that touch); a negative b or c always fails.
SemiPerimeterResult SemiPerimeterOf(double a, double b, double c);

// Heron's formula on the semi-perimeter s of the sides |a|, b, c. Sides that
// passed the semi-perimeter test leave no factor below 0; for any others the
// area is 0 rather than the root of a negative number.
double HeronAreaOf(double s, double a, double b, double c);

}  // namespace area

// SemiPerimeter and LongestSide from SideA, SideB and SideC.
void ComputeSemiPerimeter(App& app);
// HeronAreaValue from SemiPerimeter, SideA, SideB and SideC.
void ComputeHeronArea(App& app);
