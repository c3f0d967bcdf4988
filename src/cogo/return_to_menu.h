// The return of operations that several menus share to the menu that started
// them.
#pragma once

#include "core/control.h"

struct App;

// Goes to the menu numbered by ReturnMenu: 2 the parcel division menu, 4 (and
// any value not below) the menu of the last main-menu command
// (RepeatLastCommand).
// TEMPORARY: 1 the cross-section placement and 3 the traverse kinds menu are not
// built yet: they say so and go to the result menu.
Jump ReturnToCallingMenu(App& app);
