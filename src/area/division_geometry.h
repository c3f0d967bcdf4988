// The cuts of the parcel division as pure functions of the vertices: a line
// parallel to the base line at an offset, the offset or the direction through
// the base point that cuts off a wanted area (bisection), and the cut through a
// base point that is a vertex. Vertices run clockwise on the plan (X north, Y
// east); the frame of a base line has "along" on its direction and "offset"
// positive to the right of it.
#pragma once

#include <span>
#include <vector>

namespace area {

struct PlanePoint {
  double x = 0, y = 0;
};

struct FramePoint {
  double along = 0, offset = 0;
};

FramePoint ToFrame(PlanePoint p, PlanePoint base, double azimuth);
PlanePoint FromFrame(FramePoint f, PlanePoint base, double azimuth);

// A vertex of the parcel with the point number it stands for (the walk knows
// the largest-offset vertex by its number).
struct DivisionVertex {
  PlanePoint p;
  int number = 0;
};

// One cut of the parcel by the line at `cut` offset: the area on the low-offset
// side and the points where the boundary, walked from a vertex of smallest
// offset in vertex order, first rises through the line and then falls back.
// Fails when the line does not pass strictly between the smallest and largest
// vertex offsets or the walk ends without both crossings.
struct Cut {
  bool ok = false;
  double area = 0;
  FramePoint first, second;
};
Cut CutAtOffset(std::span<const DivisionVertex> vertices, PlanePoint base, double azimuth, double cut);

// True when the measured area meets the target: both cut to thousandths agree.
bool MeetsTarget(double area, double target);

// A division by a wanted area: the trials (the offset or direction tried and the
// area it gave), and the cut found.
struct Trial {
  double value = 0, area = 0;
};
struct AreaDivision {
  bool ok = false;
  double offset = 0;   // of the cut line (choice 5); 0 through the base point
  double azimuth = 0;  // of the cut line (choice 7: the last direction tried)
  Cut cut;
  std::vector<Trial> trials;
};
inline constexpr int kMaxDivisionTrials = 50;
// The cut parallel to the base line whose low-offset side has `target` m2.
AreaDivision DivideParallelByArea(std::span<const DivisionVertex> vertices, PlanePoint base, double azimuth,
                                  double target);
// The direction range of the one-point division: [lower, upper] of the
// directions from the base point to the vertices, taken -180 to 180 unless
// vertices lie both south-east and south-west of the base point.
struct DirectionRange {
  double lower = 0, upper = 0;
};
DirectionRange DirectionRangeOf(std::span<const DivisionVertex> vertices, PlanePoint base);
// The cut through the base point whose left side has `target` m2.
AreaDivision DivideThroughPoint(std::span<const DivisionVertex> vertices, PlanePoint base, double target);

// The division through the base vertex `baseIndex`: the fan from it in vertex
// order first exceeds the target at vertex `to`; the cut point lies on the edge
// from `to` back towards the fan vertex before it, `length` from `to`. Fails when
// that edge is in line with the base vertex.
struct VertexCut {
  bool ok = false;
  int to = 0;
  double length = 0;
  double direction = 0;  // from vertex `to` towards the one before it
  PlanePoint p;
};
VertexCut DivideThroughVertex(std::span<const DivisionVertex> vertices, int baseIndex, double target);

// Signed shoelace area of a closed figure, positive clockwise on the plan.
double SignedArea(std::span<const PlanePoint> figure);

}  // namespace area
