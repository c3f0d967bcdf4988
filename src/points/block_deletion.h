// Deleting a block of points: the chosen points are marked deleted ("NULL"),
// the connection-line segments that touch them go, and the table is packed.
#pragma once

#include <vector>

#include "core/control.h"

struct App;

// Coordinate management choice 6. Asks the points with SelectPoints; nothing
// chosen goes straight to RepeatLastCommand. Otherwise every chosen point is
// marked "NULL", every segment with an end point among them gets line type 9
// on every layer, hidden ones too (ApplyLineChangeToSelectedPoints with
// EndPointMode 2, LineEditChoice 6 and LineChangeOnEveryLayer 1), the
// selection is emptied so that no point question takes the deleted numbers,
// KeptPointCount := 0, and CompactDeletedPoints packs the table.
Jump DeletePointBlock(App& app);

// Packs the point table: the points 1 to PointCount not marked "NULL" move down
// in their order to the numbers KeptPointCount + 1 on, the numbers freed at the
// top become empty points with their default names, and PointCount := the
// count kept. The connection lines go with their points: a vertex of a moved
// point gets its new number; a vertex of a deleted point is removed from the
// line table, together with the segments that end or start at it. Plays
// "recycle.wav" and goes on to RepeatLastCommand.
//
// The parcel work file is not touched: its records name points by number and
// name, and after a packing a number there may belong to another point.
Jump CompactDeletedPoints(App& app);

namespace points {

// The new number of each old number 1 to `marked.size() - 1` (index 0 unused)
// after packing from `kept` on: 0 for a deleted number (`marked[n]` true), else
// kept + the count of kept numbers up to it.
std::vector<int> PackedNumbers(const std::vector<bool>& marked, int kept);

}  // namespace points
