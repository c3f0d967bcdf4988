// Deleting points: a block chosen with the point selection, and the packing of
// the table that closes the gaps the deleted points ("NULL") leave.
#pragma once

#include "core/control.h"

struct App;

// Coordinate management choice 6: the points chosen are deleted, with the
// connection-line segments that end on them; then CompactDeletedPoints.
Jump DeletePointBlock(App& app);
// Packs the points not marked "NULL" down in their order, resets the freed
// numbers, sets PointCount and goes on to RepeatLastCommand. The caller sets
// KeptPointCount to 0 first.
Jump CompactDeletedPoints(App& app);
