// The report column table of the column reports: the print-mode question, the
// column sets of the reverse traverses and of the traverse calculation, the
// screen on which the user switches columns by their titles, the header line
// built from the titles, and the scale-factor question of the "球面距離" column.
#pragma once

#include <string>
#include <string_view>

struct App;

namespace traverse {

// The header field of one column: the title padded with ten blanks on each
// side, the `width` (rounded half away from zero) bytes of it that begin at byte
// INT((L + 20) / 2 - width / 2), L the title's bytes; for a width of at least
// L + 2 the title stands one place right of the centre. A width too narrow for
// the title cuts it at a character boundary (a blank in place of a split
// double-byte character), so the field stays `width` bytes wide.
std::string HeaderFieldOf(std::string_view title, double width);

// The byte length of the longest name among points 1 to PointCount (point 1
// even in an empty job), at least 8 and at most 16.
int ReverseNameWidthOf(const App& app);

// Columns 0 to `last` of the table that are on, each by HeaderFieldOf.
std::string ReportHeaderOf(const App& app, int last);

}  // namespace traverse

// An empty line, " 印刷ﾓｰﾄﾞ選択   1:簡易   2:標準   3:項目変更  1" (guide 365);
// an answer above 1 becomes ReverseTraversePrintMode and sets up the columns
// (SetUpReverseTraverseColumns); anything else keeps the simple layout.
void AskReverseTraversePrintMode(App& app);

// The same question for the traverse calculation: CalculationPrintMode := 0,
// and an answer above 1 becomes it and sets up the calculation's columns
// (SetUpTraverseReportColumns).
void AskCalculationPrintMode(App& app);

// The 18 columns of the reverse traverses (0 to 17) with their defaults (ZE 3
// adds Ｚ, 斜距離 and 斜角); the selection screen unless the print mode is exactly
// 2; ReportHeaderLine from the columns on; with any of ｚ, 追加距離, 斜距離,
// 斜追距, 斜角, 勾配％ on, VV 90 and ZE 3 for the rest of the command (put back by
// the next status header); with 球面距離 on the zone and scale-factor questions
// and the line "縮尺係数＝" in the print buffer; then the header line.
void SetUpReverseTraverseColumns(App& app);

// The 23 columns of the traverse calculation (0 to 22): ReportTitle by
// TraverseKind, the defaults by the kind, by the station's instrument height
// StationInstrumentHeight and by a horizontal sight ("90.0000" in the vertical
// field of an observation record) in the book; the selection screen unless
// CalculationPrintMode is exactly 2 (ea, ex, ey, ez hidden for the kinds 0 to
// 2); ReportHeaderLine, which the calculation writes under each station; with
// 球面距離 on the zone and scale-factor questions and the line "縮尺係数＝" in the
// print buffer.
void SetUpTraverseReportColumns(App& app);

// The echo of the field-book record FieldBookRecordIndex in the main window
// while the calculation walks the book, for station records only: a traverse
// station ("*") under "ｷｼﾞｭﾝﾃﾝ   ﾊﾞｯｸ    ｷｶｲﾀﾞｶ" (after ParseStationRecord), a
// levelling route ("*_") after an empty line and "路線名＝" in colour 5; then an
// empty line and colour 7.
void ShowStationRecord(App& app);

// The station record at FieldBookRecordIndex: the long form (more than 40 bytes
// trimmed) has the station in bytes 2-17, the back-sight in 19-34 and the
// instrument height in 36-42; the short form 2-9, 11-18 and 20-26. Leaves
// ParsedStationName, ParsedBacksightName, and the instrument height (0 for a
// blank field) as both StationInstrumentHeight and ObservationInstrumentHeight.
void ParseStationRecord(App& app);
