// Area menu choice 4: the area of a figure from the coordinates of its vertices,
// reported as a simple list, a right-angle table or a double-meridian table
// (with or without the edge lengths), one parcel after another.
#pragma once

#include <span>
#include <vector>

#include "core/control.h"

struct App;

// Asks the report style (0 to 4) and goes on at ChooseAreaParcel.
Jump CoordinateAreaReport(App& app);
// The parcel-chooser entry: the report title, the parcel chooser, and the
// figure (CollectAreaFigure). Each finished figure comes back here.
Jump ChooseAreaParcel(App& app);
// The point-by-point entry: takes the vertices (a registered parcel's from the
// selection, else asked until the escape answer), keeps the area S of their
// rounded coordinates, shows "S=", prints the report, adds the outline to the
// area lines and goes back to the chooser.
Jump CollectAreaFigure(App& app);

// The report tables over the SelectionIndex vertices of SelectionList, in the
// style AreaReportStyle (2 and 4 with the edge lengths), with their totals.
void PrintRightAngleAreaTable(App& app);
void PrintDoubleMeridianAreaTable(App& app);

// One "B01," record of the vertex CurrentPointNumber on the parcel file while a
// new parcel is registered (ParcelSource 1); nothing otherwise.
void WriteBoundaryPointRecord(App& app);

namespace area {

struct Vertex {
  double x, y;  // X north, Y east
};

// The rows of the right-angle table: d = Y(i+1) - Y(i-1), p = X(i) d (cyclic),
// and the edge length from the vertex before.
struct RightAngleRow {
  double d, p, edge;
};
std::vector<RightAngleRow> RightAngleRowsOf(std::span<const Vertex> vertices);

// The rows of the double-meridian table: the latitude dx = X(i) - X(i-1) of the
// edge arriving at i, the double meridian distance of that edge (the reference
// meridian through the last vertex), p = dmd dx, and the edge length.
struct DoubleMeridianRow {
  double dx, dmd, p, edge;
};
std::vector<DoubleMeridianRow> DoubleMeridianRowsOf(std::span<const Vertex> vertices);

// The area S of the figure after vertex n joins it behind the last vertex p:
// `sum` holds the cross terms of the vertices that have both neighbours, `first`
// the first vertex, `second_x` the X of the second, `before` the vertex before
// p. S = |sum + closing terms| / 2, whatever the direction of the figure.
struct FigureArea {
  double sum, s;
};
FigureArea FigureAreaAfter(double sum, Vertex first, double second_x, Vertex before, Vertex p, Vertex n);

}  // namespace area
