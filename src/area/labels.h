// The parcel and triangle labels on the dynamic view.
#pragma once

#include <string>

struct App;

namespace area {

// The land survey table's columns that the labels read.
inline constexpr int kSurveyColumnOutputFlag = 0;
inline constexpr int kSurveyColumnLotNumber = 4;
inline constexpr int kSurveyColumnUse = 9;
inline constexpr int kSurveyColumnMarker = 16;
inline constexpr int kSurveyRowScreenScene = 0;
// Rows 0 to 3 of a loaded table are its scene and heading rows.
inline constexpr int kSurveyFirstDataRow = 4;

// Whether a row of the land survey table passes the label filter (1 every
// row, 2 designated rows, 3 元地, 4 用地, 5 残地 or 用地).
bool PassesLabelFilter(int filter, const std::string& outputFlag, const std::string& use);

}  // namespace area

// Draws every label of the label table on the dynamic view over what is there:
// triangle numbers in a circle, land numbers centred on their anchor with the
// survey items the screen scene marks below them. A land number with no row in
// a loaded survey table gets one (a part "12(A)" a copy of its base's row as
// 用地, any other a new 元地 row). Nothing while LabelCount is 0.
void DrawParcelLabels(App& app);
