// Choice 9 of the transfer menu: the DXF import. A drawing chosen in the open
// dialog (the job keeps its name) is read whole, its layer table listed, and
// one of four read modes, the scale and the first point name and number asked;
// then its LINE, POINT, CIRCLE and ARC entities become points and connection
// lines of the job (dxf_import_entities.h).
#pragma once

#include <array>
#include <string>
#include <vector>

#include "core/control.h"

struct App;

namespace transfer {

// The layer list of the import filled from the drawing's layer names in file
// order for `mode` (transfer::State::DxfReadMode), as the list shows them:
// modes 3 and 4 (the names are about to be typed) store and show none; mode 5
// drops the names in slots 17 to 32; every other mode stores them from slot 1
// on, the 16th and later all into slot 16. Returns the names shown, in order;
// `overflow` gets the names shown beyond slot 15.
std::vector<std::string> FillDxfLayerList(const std::vector<std::string>& names, double mode,
                                          std::array<std::string, 33>& slots,
                                          std::vector<std::string>& overflow);

}  // namespace transfer

// The import as the transfer menu's choice 9 runs it. Ends in the transfer menu
// (dialog cancelled, a drawing refused, or no valid read mode), the result menu
// ("Q" at the name), or the plot of all points after the entities were read.
Jump DxfImport(App& app);
