// The connection-line editor: the menu of the line commands and the commands
// that change or delete lines over the whole table or at selected points, and
// the removal of repeated segments.
#pragma once

#include <functional>

#include "core/control.h"

struct App;

namespace cad {

struct Lines;

// The bulk change on the table: the segments of `oldLayer` whose type is
// `oldType` (10: every type) move to `newLayer` and take `newType` (10: keep
// their type). Under "every type" the entries of type 9 (no segment ends there)
// move only when the type is kept. A type other than 0 to 8 or 10 changes
// nothing.
void BulkChange(Lines& lines, int oldLayer, double oldType, int newLayer, double newType);

// The bulk deletion: the entries of `layer` whose type is `type` (10: every
// type) get type 9.
void BulkDelete(Lines& lines, int layer, double type);

// Gives every segment that repeats an earlier one (the same two point names in
// either direction, the same layer and type) type 9, the later one going; an
// entry of type 9 draws no segment and repeats nothing. `report(i, j, count)`
// hears of each, with the number of those found before it. Returns the count.
int RemoveRepeatedSegments(Lines& lines, const std::function<void(int, int, int)>& report);

}  // namespace cad

// The menu: Enter alone (or a choice above 9) goes to the result menu when the
// editor was entered from the main menu (Enter alone or command 13), else to the
// menu of the last main-menu command (the CAD menu).
Jump ConnectionLineEditor(App& app);

Jump BulkChangeLines(App& app);
Jump BulkDeleteLines(App& app);
// Choices 5 (layer change) and 6 (deletion) at selected points, until nothing
// is selected.
Jump ChangeLinesAtSelectedPoints(App& app);
Jump RemoveDuplicateLines(App& app);
