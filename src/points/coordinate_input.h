// The coordinate input menu (coordinate management choice 1): twelve ways of
// entering or editing the job's points by hand. Modes 0 to 5 are the keyed input
// loop here: the user names a point number, sees what the table holds for it,
// types its name, its plane coordinates and/or its height, and the loop writes
// them straight into the table (no registration: no attribute, no connection
// line, no new-point list) and moves on to the next number.
#pragma once

#include "core/control.h"

struct App;

// Shows the menu (" 0:名XY ... 11:ｴｸｾﾙ入力") and dispatches the choice, rounded
// half away from zero: 0 to 6 the number prompt, 7 mark change, 8 name
// replacement, 9 same-point editing, 10 simple input, 11 spreadsheet input;
// Enter alone and any other value the coordinate management menu.
Jump CoordinateInputMenu(App& app);
// The number prompt: "[ENT =ﾘｽﾄ,M,J,Q]" with PointCount at column 39, then (mode 6
// goes to CorrectPoint instead) " ｲﾝ NO. ", offering PointCount + 1 before the
// run's first number. A number or name goes to the per-point step; Enter alone
// takes the offer the first time and opens the coordinate list at the current
// point afterwards; "Q" leaves through RepeatLastCommand.
Jump AskCoordinateInputNumber(App& app);
// The per-point step for InputPointNumber: shows the point, asks by mode (name;
// automatic name; X and Y; Z), stores it and goes on with the next number. An
// empty name, an empty X and an empty Z in mode 3 go back to the number prompt;
// an empty Y asks X again; an empty Z in modes 4 and 5 stores height 0. The loop
// stops after point PointCapacity with a message.
Jump EditCoordinateInputPoint(App& app);

namespace points {
// The mode a CoordinateInputMode value stands for: rounded half away from zero
// (2.5 from the menu's 2.45 is mode 5; 5.7 is mode 6); -1 for a value that is
// no mode of the menu (below 0, 12 and above, not a number).
int CoordinateInputModeOf(double mode);
}  // namespace points
