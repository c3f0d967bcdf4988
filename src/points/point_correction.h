// Two modes of the coordinate input menu: the correction of existing points one
// after another (mode 6) and the simple input of new points (mode 10).
#pragma once

#include "core/control.h"

struct App;

// One correction: the kind (" 訂正  1:全部  2:点名  3:名XYZ  4:ﾏｰｸ,ｺｰﾄﾞ 1", asked
// while CorrectionKind is 0), the point (the one after WorkPointY suggested;
// a number or name), then as the kind says its name, X, Y, Z, mark and code.
// Enter keeps a value, and so does an answer that repeats the value shown; a
// coordinate that is not a number and a mark other than one digit 0-9 are asked
// again, and so is a point no number or name designates. Plays "ding.wav",
// WorkPointY := the point, then back to the number prompt of the loop.
Jump CorrectPoint(App& app);
// Registers new points typed by their coordinates (ZD 3, ZE 0, or ZE 3 after
// " Z 入力なし[Y,N]Y" answered "N") until the first coordinate is answered with
// Enter alone; then ZD and ZE as they were and the coordinate input menu.
Jump SimpleCoordinateInput(App& app);
