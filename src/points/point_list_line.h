// The point list line: how a designated or registered point is written into the
// print buffer (file 5) while a command runs. Its form follows the report in
// progress: the reverse-traverse columns, the traverse-calculation columns, or
// the plain labelled coordinate line.
#pragma once

#include <array>
#include <string_view>

struct App;

// The ten point-mark texts by mark digit: the digit, a blank and a double-byte
// symbol (four CP932 bytes each).
inline constexpr std::array<std::string_view, 10> MarkSymbolTable = {
    "0 　", "1 ・", "2 ◇", "3 □", "4 △", "5 ○", "6 §", "7 ×", "8 ＋", "9 ＊"};

// Nothing while a coordinate area table is collected (AreaTableMode 1).
// Otherwise the numbered prefix "#### &      &@ " (CurrentPointNumber, Answer)
// when the report in progress takes it, then all that PrintPointListLine does.
void CheckPointListMode(App& app);
// Sets the standard coordinate labels (SetCoordinateLabels), then all that
// PrintPointListLineSameLabels does.
void PrintPointListLine(App& app);
// The list line with the labels the caller put into CoordinateLabelX/Y:
// ListedPointName := Answer; then the reverse-traverse form (ReportLine started
// with columns 0-6, the first point's line written), the traverse form
// (ReportLine completed with columns 7-22 and written) or the plain line.
void PrintPointListLineSameLabels(App& app);
