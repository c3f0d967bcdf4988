// The land survey table extract (土地調査表　抽出): the records of "K.csv" whose
// chosen column holds a chosen value, one line each on the main window and in
// the report, or (item 16) the table's rows in the order of the parcel file.
#pragma once

#include <string>
#include <vector>

#include "core/control.h"

struct App;

namespace area {

// The text after a field: separator 1 a blank, 2 a tab (a blank on the main
// window), 3 a comma, any other nothing.
std::string SurveySeparatorText(double separator, bool onWindow);

// The records of the file's fields as the extract sees them: every field up to
// the heading "備考２" and the one after it skipped, then 17 fields a record,
// the marker (column 16) last; a last record short of fields is kept.
std::vector<std::vector<std::string>> ExtractRecordsOf(const std::vector<std::string>& fields);

// The line of a matching record: columns 0 to 15, the land number with a blank
// before it, 公簿面積 in two decimals when below 10 (empty counts 0) or when
// 公簿地目 is "宅地" (a text that is no number kept), each field followed by
// the separator (separator 2 pads a field to 10 bytes, a longer one gets 2
// blanks); with any other separator no field is written.
std::string ExtractLine(const std::vector<std::string>& record, double separator, bool onWindow);

}  // namespace area

// Land survey table menu choice 5.
Jump ExtractSurveyTable(App& app);
