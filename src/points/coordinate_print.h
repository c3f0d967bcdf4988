// The coordinate print (coordinate management choice 3): a list of chosen points
// written into the print buffer as fixed-column lines, with the items chosen on
// one screen among point number, name, X, Y, Z, mark and code.
#pragma once

#include <string>
#include <string_view>

#include "core/control.h"

struct App;

// ReportTitle := "座標リスト", the point selection, PrintCoordinateList, then
// the result menu.
Jump PrintCoordinateListCommand(App& app);
// For the selection from SelectionIndex to SelectionLast (nothing when it is
// empty): the item screen ("ﾌﾟﾘﾝﾄ出力項目選択"; typing or clicking a title
// switches its item, Enter confirms; asked in the full input style), then the
// heading line and one line per point into the print buffer. Leaves the item
// rows 0 to 6 of the report column table, ReportHeaderLine, CurrentPointNumber,
// NewPointList and NewPointCount := the printed points, SelectionIndex :=
// SelectionLast + 1 and InputStyle as it was.
void PrintCoordinateList(App& app);

namespace points {
// The heading of one item: `width` bytes (rounded half away from zero) of ten
// blanks, the title and ten blanks, from the position floor((title length + 20)
// / 2 - width / 2) on (counted from 1), so the title stands near the middle.
std::string PrintItemHeading(std::string_view title, double width);
}  // namespace points
