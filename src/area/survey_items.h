// The land survey table's part in the parcel commands: the display switch of
// the survey items (which scenes show them, which parcels give them), the items
// of a parcel in the parcel list, and the measured area stored in the table.
#pragma once

#include <string>
#include <vector>

#include "core/control.h"

struct App;

// "地番以外項目有効場面選択": 1, 2, 3 toggle the scenes (screen, drawing, list)
// until 0 or Enter; then " 標示する画地" and the filter (0 none to 5 用残地).
// The view is drawn again; the area menu follows.
Jump SurveyTableDisplaySwitch(App& app);

// The parcel's line(s) of the list: " 地番  " + SurveyLotNumber, or, with a table
// read, a filter and the list scene on, the items that row 2 marks (columns 0
// to 7 on one line, 8 to 16 on the next) of the parcel's row.
void OutputSurveyItemsOfParcel(App& app);
// ParcelArea (cut to hundredths) as 実測面積 of the row of SurveyLotNumber
// (without "@"); nothing with filter 0 or no current land number.
void StoreMeasuredAreaInSurveyTable(App& app);

namespace area {

// The item lines of a parcel for the list: `rows` the table's rows in use, `lot`
// the land number. Empty when the parcel gives no items (the caller writes the
// land-number line then).
std::vector<std::string> SurveyItemLines(const std::vector<std::vector<std::string>>& rows, const std::string& lot,
                                         int filter);

}  // namespace area
