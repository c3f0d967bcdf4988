// The route file (.RSN): the route table with its labels and the vertical
// alignment, written, read into the job and opened in the text editor.
#pragma once

#include "core/control.h"

struct App;

// " 線形ﾌｧｲﾙ 1:ｶｷｺﾐ  2:ﾖﾐｺﾐ  3:ｴﾃﾞｨﾀ ": write, read, editor; any other answer goes
// back to the route menu. The job name is the same afterwards in every case.
Jump AlignmentFileMenu(App& app);
// The save dialog, then the route and vertical records and the end line.
Jump WriteRouteFile(App& app);
// The open dialog, then JobFolder + the chosen name + ".RSN" replaces the route
// table, its labels and the vertical alignment; a file that cannot be read is
// named and the tables stay as they were.
Jump ReadRouteFile(App& app);
// The text editor on a chosen route file, waiting for it; then the menu again.
Jump EditRouteFile(App& app);
