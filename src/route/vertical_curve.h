// The vertical-curve menu: the change points of the vertical alignment typed in
// (TD, Z, VCL), the plan height at typed chainages with the cross-section tool,
// and clearing the table.
#pragma once

#include "core/control.h"

struct App;

// " 1:データ入力  2:計算  3:クリア ": rounded half away from zero; any other
// answer goes back to the menu of the last main-menu command.
Jump VerticalCurveMenu(App& app);
// From change point 0: its number (Q, S insert, K delete, a number 0-332 to go
// there, Enter to edit it), TD, Z and (from change point 1 on) VCL, each with
// its report line. A VCL above 9998 is stored as 9999 and ends the input.
Jump InputChangePoints(App& app);
// The plan height at each typed chainage, then the offset and height tool;
// Enter alone at the chainage goes back to the menu.
Jump CalculatePlanHeights(App& app);
// "メモリーをクリアします[Y,N]Y ": N keeps the vertical alignment, any other
// answer empties it; the route table stays either way.
Jump ClearVerticalTable(App& app);
