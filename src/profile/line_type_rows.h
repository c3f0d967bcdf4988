// Table rows that read the height or gradient of a registered line of one
// line type at a station.
#pragma once

#include <optional>

#include "profile/section_plot.h"

struct App;

namespace profile {

// The row kinds 16 to 25; the line type each looks for.
bool IsLineTypeRowKind(int kind);
int LineTypeOfRowKind(int kind);

// RowValueText for row `row` at station `station` (empty: nothing there),
// for the line type in WantedLineType.
void FindLineTypeHeight(SectionPlot& plot, int station, int row);
void FindLineTypeGradient(SectionPlot& plot, int station, int row);

// The first segment in line-table order on the section's line layer, of line
// type `type`, whose ends' chainages hold `chainage` (both ends included).
struct LineTypeSegment {
  int vertex = 0;        // the vertex the segment ends at
  double height = 0;     // the height read on it at the chainage
  double gradient = 0;   // its rise per metre of chainage (0 when its ends share a chainage)
  bool level = false;    // its ends share a chainage: no gradient
};
std::optional<LineTypeSegment> FindLineTypeSegment(const App& app, int type, double chainage);

}  // namespace profile
