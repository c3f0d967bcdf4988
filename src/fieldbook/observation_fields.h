// The fixed-width column texts of a sight, from which every observation record
// of the field book is assembled.
#pragma once

#include <string>

struct App;

namespace fieldbook {
// The window of a column: the value written with four decimals, cut to `width`
// characters that start `before` characters ahead of its decimal point (the sign
// counting among them). Digits that do not fit are lost from the left, so a
// distance of 12345.678 shows as 2345.678 and -1234.5 as 1234.500.
std::string ColumnWindow(double value, int before, int width);
}  // namespace fieldbook

// The sight in hand as column texts: DistanceColumn "'" and 8 characters (4
// before the point, 3 decimals), VerticalColumn and HorizontalColumn 9 (4 before,
// 4 decimals), ObservationHeightField the target height or staff reading, 3
// before the point and 3 decimals (7 characters) in the traverse mode, 4
// decimals (8) in the level modes.
void FormatObservationFields(App& app);
