// The CAD menu, main-menu command 9 and the place every drawing task returns to.
#pragma once

#include "core/control.h"

struct App;

// Clears the main window, turns the paper frame on, lays out the first drawing
// of the job (default paper, the points in use fitted to it) and asks for a
// drawing task: 1 the connection-line editor, 3 the plot view; Enter alone (or
// any choice without a task) leaves through the result menu.
Jump CadMenu(App& app);

namespace cad {
// A menu answer as a choice: rounded half away from zero; an answer beyond any
// choice (negative or huge) is no choice, -1.
int ChoiceOf(double answer);
}  // namespace cad

// SelectionList := the numbers 1 to PointCount that hold a point (neither free
// nor deleted); SelectionLast -1 when there is none.
void SelectPointsInUse(App& app);
