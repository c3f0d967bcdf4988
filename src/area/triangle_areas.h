// The two area methods from measured triangles: Heron's formula on three sides
// (area menu choice 1) and base times height (choice 2), each reported per land
// number; and their building blocks, which the coordinate triangles share.
#pragma once

#include "core/control.h"

struct App;

// "ﾍﾛﾝ面積計算": land number, rows of three sides, the running 合計; "Q" at the
// land number ends in the result menu.
Jump HeronArea(App& app);
// "三斜面積計算": the rounding T, then per land number rows of base and height
// and the 倍面積 and 面積 totals; "Q" at the land number ends in the result menu.
Jump TriangleArea(App& app);

// "[Q] 地番＝": a page break before every land number but one that follows no
// rows, the answer into CurrentLotNumber and the line " 地番  " + answer into
// the report. "Q" jumps to the result menu.
void InputLotNumber(App& app);
// "a=", "b=", "c=" into SideA, SideB, SideC; Enter at "b=" or "c=" asks the
// side before again. False when "a=" was answered with Enter alone.
bool InputHeronSides(App& app);
// "  三斜丸め[ 10 20 100 1000 ] T=100" into TriangleRounding; 0 gives 100.
void InputTriangleRounding(App& app);
// Adds TriangleBase x TriangleHeight to DoubleAreaSum, shows the product in the
// window and ends the report row with base, height and product in the decimals
// of TriangleRounding; ParcelArea := DoubleAreaSum / 2.
void AddBaseHeightTriangle(App& app);
// The 倍面積 and 面積 lines from column TotalsIndent of the report, and both in
// one window line.
void PrintTriangleAreaTotals(App& app);
