// The round trip of the point table through a spreadsheet program (coordinate
// input mode 11): the table is written to "x.csv" in the data folder, the
// spreadsheet program edits it, and the file saved comes back as the table.
//
// x.csv is CP932 with CR LF: the header line "  点名,   X,   Y,   Z,  属性,,※ 終了
// は必ず[X][はい][保存][はい][はい]" (70 bytes), then one line per number 1 to
// PointCount: the name as stored, ", ", X and Y right-aligned in 13 bytes with 5
// decimals, Z in 10 with 4, each after " , ", then " , '" and the attribute.
#pragma once

#include <string>
#include <string_view>
#include <vector>

#include "core/control.h"

struct App;

// Writes x.csv, runs the spreadsheet program on it and waits, then reads the
// file whole into a fresh table and only then replaces the points (the line
// table is left as it is: its vertices follow their points by name) and deletes
// the file; on to NormalizeNamesThenPlot. A file that vanished or cannot be read
// (a coordinate that is no number, more rows than the table holds) is reported
// with its line; the job stays as it was and x.csv is kept.
Jump InputPointsBySpreadsheet(App& app);

namespace points {

inline constexpr std::string_view kSpreadsheetFileName = "x.csv";

// The header line and the line of one point (without the line end).
std::string SpreadsheetHeaderLine();
std::string SpreadsheetPointLine(const std::string& name, double x, double y, double z,
                                 const std::string& attribute);

// One point read back.
struct SpreadsheetPoint {
  std::string name;
  double x = 0;
  double y = 0;
  double z = 0;
  std::string attribute;
  bool operator==(const SpreadsheetPoint&) const = default;
};

// The points of a saved file, or why it cannot be read.
struct SpreadsheetRead {
  std::vector<SpreadsheetPoint> points;
  std::string error;  // empty when the file was read whole
  int errorLine = 0;  // the file's line (from 1) the error was found on
};

// Reads the bytes of x.csv as a spreadsheet saves it: cells taken by their
// commas (a cell in double quotes may hold commas, line ends and doubled quotes),
// rows by their line ends. Passed over: the header row (its first cell "点名"),
// rows without any text, rows whose first byte is a control character. A row's
// cells are name, X, Y, Z and attribute: an empty cell is an empty name (the
// number's default name then), a coordinate 0 or an empty attribute, so nothing
// moves; a coordinate must be a number (the "%" of a field too wide for its
// template is passed over); an attribute loses a leading "'" and keeps at most
// 50 bytes after it. At most `capacity` rows.
SpreadsheetRead ReadSpreadsheetPoints(std::string_view bytes, int capacity);

}  // namespace points
