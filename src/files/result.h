// The result menu that ends every command, and the print buffer "PRINTR.DAT"
// (file 5, open for writing while a command runs).
#pragma once

#include <string>
#include <vector>

#include "core/control.h"

struct App;

Jump ShowResultMenu(App& app);
// Closes file 5, recreates "PRINTR.DAT" empty and leaves it open as file 5.
void ResetPrintBuffer(App& app);
// DataFolder + "PRINTR.DAT".
std::string PrintBufferPath(const App& app);

// Result-menu choices.
Jump PrintReport(App& app);
Jump SaveReport(App& app);
Jump EditReport(App& app);
Jump PlotRun(App& app);
Jump DeleteRun(App& app);
// The last step of the result menu: the choice exactly 7 keeps the report and
// appends a separator line "_", anything else empties the print buffer; then
// the main menu.
Jump ContinueOrResetReport(App& app, double choice);

// The steps of the paged print. MeasureLinesPerPage prints empty lines on the
// printer object (no page open) until they pass PageHeightMm and sets
// LinesPerPage. BuildPagedCopy reads the print buffer, open for input as file 5,
// and writes "P.D" in the data folder page by page: an empty line (four in
// landscape), the page header line, an empty line, the repeated column heading
// where a table runs on, the report lines after the left margin, a form-feed
// line. PrintPagedCopy sends "P.D" to the printer object, one printer page per
// form-feed line, and ends the print job.
void MeasureLinesPerPage(App& app);
void BuildPagedCopy(App& app);
void PrintPagedCopy(App& app);

namespace files {

// The print buffer's lines (CR LF removed), read as file 5 from its first line
// to its end; file 5 stays open for reading.
std::vector<std::string> PrintBufferLines(App& app);

// Body lines per page for `measuredLines`, the first count of empty printer
// lines that passes the page height: 4 fewer, down to a multiple of 5.
double LinesPerPageFor(double measuredLines);
// The left margin of the paged copy: 78 / font size blanks, rounded.
std::string LeftMargin(double fontSize);
// The page header of the current page (without margin): ReportTitle, the job
// name, ReportDate and PageNumber in fields of 22, 22, 10 and 3 bytes.
std::string PageHeaderLine(const App& app);

}  // namespace files
