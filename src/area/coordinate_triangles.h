// Area menu choice 3: a parcel's area by triangles whose corners are stored
// points, the sides from the coordinates, base and height rounded to 1/T. A new
// parcel's perimeter and triangles are stored in "K.D"; a stored parcel's
// triangles are computed again without writing.
#pragma once

#include <string>

#include "core/control.h"

struct App;

namespace area {

// Base (the longest side rounded to 1/t), height INT(2 Heron t / base + 0.5) / t
// and their product, from the three unrounded sides. A flat triangle has no
// height; three equal points have no base and no height.
struct CoordinateTriangle {
  double base, height, product;
};
CoordinateTriangle CoordinateTriangleOf(double ab, double bc, double ca, double t);

// The "E01," record of the corners A, B, C (point numbers and stored names).
std::string TriangleRecord(const int (&corners)[3], const std::string (&storedNames)[3]);

}  // namespace area

// Title, rounding and style, then the parcels one after another.
Jump CoordinateTriangleArea(App& app);
// The next parcel: the chooser, then the perimeter or the stored triangles.
Jump NextTriangleParcel(App& app);
// " 三斜の３点を入力してください", then the triangles typed corner by corner.
Jump StartTriangleInput(App& app);
// The triangle loop (typed, or the stored ones from StoredTriangleIndex).
Jump InputTriangles(App& app);
