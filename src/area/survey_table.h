// The land survey table (土地調査表): the file "K.csv" in the data folder that
// the user keeps in a spreadsheet program, its template, its reading into
// SurveyTable with the area rule, its writing and its sort by land number, and
// the menu of area-menu choice 9.
//
// The file: CP932, CR LF, 17 comma-separated fields a row (columns A to Q): the
// three scene rows, the heading row, then one data row per land number. Rows
// are counted by fields, not by lines.
#pragma once

#include <string>
#include <string_view>
#include <vector>

#include "core/control.h"

struct App;

namespace area {

inline constexpr int kSurveyColumnCount = 17;
inline constexpr int kSurveyRowCapacity = 2001;  // rows 0 to 2000
inline constexpr int kSurveyColumnRegisteredCategory = 5;
inline constexpr int kSurveyColumnRegisteredArea = 7;
inline constexpr int kSurveyColumnMeasuredArea = 8;
inline constexpr int kSurveyRowListScene = 2;
inline constexpr int kSurveyRowHeading = 3;

using SurveyRow = std::vector<std::string>;

// The full path of "K.csv" in the data folder.
std::string SurveyTablePath(const App& app);

// The fields of "K.csv" in file order, as the runtime's comma input reads them
// (none when the file is missing).
std::vector<std::string> SurveyFileFields(App& app);

// The 23 lines of the template, line 19 naming `path`.
std::vector<std::string> SurveyTemplateLines(std::string_view path);

// Whether a text (blanks around it aside) is a number, so that the area rule
// may rewrite it: a text such as 不明 is kept as the user wrote it.
bool IsNumberText(std::string_view text);

// The area rule of a data row as read: 公簿面積 (column 7) in two decimals when
// below 10 or when 公簿地目 is "宅地", 実測面積 (column 8) always; empty and
// non-numeric texts stay.
void ApplyAreaRule(SurveyRow& row);

// The rows of a stream of fields, 17 to a row; a last row short of fields is
// kept, filled with empty texts. At most `capacity` rows; `overflow` tells
// whether fields were left over.
struct SurveyRows {
  std::vector<SurveyRow> rows;
  bool overflow = false;
};
SurveyRows SurveyRowsOf(const std::vector<std::string>& fields, size_t capacity = kSurveyRowCapacity);

// A row as a line of the file: its 17 texts joined by commas, the land number
// with one blank before it; a text holding a comma is written in double quotes
// (its own double quotes become single ones) so that it reads back as one field.
std::string SurveyFileLine(const SurveyRow& row);

// The sort key of a land number: each part between "-" right-aligned in 20 bytes.
std::string LotSortKey(std::string_view lot);
// The key of a row: 用途, 町村, 大字, 字 and the LotSortKey of its land number.
std::string SurveyRowKey(const SurveyRow& row);
// Sorts the data rows (from row 4) by their keys, byte by byte.
void SortSurveyRows(std::vector<SurveyRow>& rows);

}  // namespace area

// Area menu choice 9: " 1:新規   2:編集  3:読込&書込  4:標示切替  5:抽出印刷 ".
Jump SurveyTableMenu(App& app);
// The template written (after "前のデータがあります。削除しますか [Y,N]Y" when the
// file exists), then the spreadsheet.
Jump WriteSurveyTableTemplate(App& app);
// The spreadsheet program on "K.csv", waited for, then the read.
Jump EditSurveyTableInSpreadsheet(App& app);
// " 1:土地調査を読込  2:土地調査へ書込  3:ソート ".
Jump SurveyTableReadWriteMenu(App& app);
// Reads "K.csv" into SurveyTable, walks the parcel file again (labels with the
// new table) and goes on to the display switch. A missing file is said so.
Jump ReadSurveyTable(App& app);
// Writes SurveyTable to "K.csv"; a table not read is refused with
// "土地調査表が読込まれていません".
Jump WriteSurveyTable(App& app);
// Sorts the data rows of SurveyTable (the file stays until written).
Jump SortSurveyTable(App& app);

// The table row of RecordLotNumber into the report while the extract runs in
// parcel-file order (SurveyExtractInParcelOrder 1), each column followed by the
// extract's separator.
void WriteSurveyRowOfParcel(App& app);

// The table's rows in use as rows of texts, and back.
std::vector<area::SurveyRow> SurveyTableRows(const App& app);
void SetSurveyTableRows(App& app, const std::vector<area::SurveyRow>& rows);
