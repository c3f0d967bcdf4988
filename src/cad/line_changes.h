// Changing or deleting the connection-line segments at selected points: the
// connection-line editor's partial layer change and partial deletion, and the
// point block deletion, which deletes the lines of the points it deletes.
#pragma once

#include <vector>

struct App;

namespace cad {
struct Lines;
}

// Takes SelectionList entries 0 to SelectionLast and, from cad::Lines,
// LineEditChoice, EndPointMode, ChosenLayer, LayerVisible and
// LineChangeOnEveryLayer. Every segment (the one ending at vertex i runs from
// vertex i - 1) whose end points are selected as EndPointMode asks, on a layer
// that counts, gets line type 9 (choice 6) or the layer ChosenLayer (choice 5);
// vertices are neither removed nor renumbered. Then LineChangeOnEveryLayer := 0
// and ViewRedrawPending := 1.
void ApplyLineChangeToSelectedPoints(App& app);

namespace cad {

// A layer is shown when its LayerVisible entry is 1; layer 1 is looked up at
// entry 0, and a layer outside the table is not shown.
bool LayerShown(const Lines& lines, int layer);

// The change itself on the line table. `selected[n]` tells whether point n is
// selected (numbers outside it are not). With `everyLayer` hidden layers count.
void ChangeLinesAtPoints(Lines& lines, const std::vector<bool>& selected, int endPointMode,
                         int choice, int layer, bool everyLayer);

}  // namespace cad
