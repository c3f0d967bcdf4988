// The return of operations that several menus share to the menu that started
// them.
#pragma once

#include "core/control.h"

struct App;

// Goes to the menu numbered by ReturnMenu: 1 the cross-section conversion
// menu, 2 the parcel division menu, 3 the traverse kinds menu, 4 (and any
// other value) the menu of the last main-menu command (RepeatLastCommand).
Jump ReturnToCallingMenu(App& app);
