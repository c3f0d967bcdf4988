// The return of operations that several menus share to the menu that started
// them.
#pragma once

#include "core/control.h"

struct App;

// Goes to the menu numbered by ReturnMenu: 2 the parcel division menu, 3 the
// traverse kinds menu, 4 (and any value not below) the menu of the last
// main-menu command (RepeatLastCommand).
// TEMPORARY: 1, the cross-section placement, is not built yet: it says so and
// goes to the result menu.
Jump ReturnToCallingMenu(App& app);
