// The item table below the section: the six preset layouts (types) and the
// row-by-row editor.
#pragma once

#include "core/control.h"

struct App;

namespace profile {

struct State;

// Loads preset type 1 to 6 into the row table (last row, rows, heights, row
// spacing and the decimals it names). Type 1 first sets the decimals of items
// 0 to 20 to 3 and the heights of rows 0 to 20 to 15; the others change only
// what they list. Any other type changes nothing.
void LoadProfilePreset(State& s, int type);

// The highest item number a row may show.
inline constexpr int kLastProfileItem = 27;

}  // namespace profile

// Type 1, the road layout.
void LoadRoadProfileType(App& app);
// " 1:道路  2:道路mm  3:簡易  4:渓流  5:山腹  6:多線種  7:修正 ": names the type
// after the clicked item, loads a preset or starts the editor; then the free
// height and the item menu.
Jump ChooseProfileType(App& app);
// The row editor, rows 0 to 20 from the top: the item (Q ends, E ends the table
// above the row), its height and its item's decimals. Items outside 0 to 27 are
// refused before anything is stored.
Jump EditProfileItems(App& app);
