// Points that share a name (coordinate input mode 9): later ones renamed with a
// "*" before their name, exact duplicates deleted.
#pragma once

#include "core/control.h"

struct App;

// "1:同点削除  2:同名変更  3:１＋２ ": for every pair of points i < j <=
// PointCount, in that nested order, whose names are equal: with an answer of 2
// or more point j gets "*" before its name (printed followed by ","); with an
// answer other than 2 point j is marked "NULL" when its X, Y and Z equal point
// i's exactly (point i's name printed followed by ","). Enter alone deletes.
// Renames work on the names as already changed, so three points named N end as
// N, *N and **N. No selection is left pending; KeptPointCount := 0 and on to
// CompactDeletedPoints, which packs the table.
Jump EditSamePoints(App& app);

namespace points {
// The pass itself, without the question and the packing: `rename` and `remove`
// as the answer says. Returns the number of points marked "NULL".
int MarkSamePoints(App& app, bool rename, bool remove);
}  // namespace points
