// The coordinate table screen: the point table on the main console, one row per
// point, stepped through with the keys while the current point is highlighted in
// the dynamic view; a jump to a point by number or name; and an edit mode in
// which the user corrects a point by typing over its row.
//
// Browse keys: cursor down, "+" or a left mouse press: the next point (colour 7);
// cursor up or "-": the previous one (colour 2); cursor left: ask for a point and
// start again there; cursor right: edit mode; Enter, a right mouse press, "=",
// "P" or "p": leave.
//
// Edit mode moves a marked cell (colour 14) over the console, rows 0 to
// TableBottomRow and columns 0 to 61; typed characters overwrite cells; Esc
// starts the screen again; Enter reads the row back and stores it into the
// point whose number it begins with. A row is refused, storing nothing, when it
// is not a table row this screen printed, when its number is not a point number
// (1 to PointCapacity, whole), when it holds "?", ":" or "：", or when it is
// shorter than 40 bytes without its trailing blanks. Fields left as they were
// printed keep the stored values whole; a changed name is trimmed and gets one
// leading blank when it reads as a non-zero number, and the line table's copies
// of the name follow it; a changed X, Y or Z is stored unless it equals the
// stored value rounded to 0.001; a changed attribute is the row's text without
// trailing blanks. A stored edit plays "ding.wav".
#pragma once

struct App;

// Shows the table from point TablePointNumber on. Returns with TablePointNumber
// = the point shown last (1 to PointCapacity), Answer = the key that ended the
// screen (Enter, also for a right mouse press; "="; "P" or "p"), the text colour
// 7 and the cursor at column 0 of TableBottomRow. Its two mouse handlers are
// switched off again when it ends; the input routine binds its own at its next
// question. The resolver's exits during a jump to a point leave the screen too.
void ShowCoordinateTable(App& app);
