// Changing many points at once: a text replaced in their names, and their marks.
#pragma once

#include "core/control.h"

struct App;

// Coordinate input mode 8: replaces a text in the names of chosen points.
Jump ReplacePointNameText(App& app);
// Coordinate input mode 7 (and the connection-line editor's bulk change):
// changes the marks of chosen points.
Jump ChangeMarks(App& app);
// The line table's copies of the point names follow the points' names.
void RefreshLineVertexNames(App& app);
