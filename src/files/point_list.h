// The point-list file: one text line per point with name, X, Y, Z and attribute
// (CP932, CR LF, ended by a line holding the character with code 26). The writer
// has a second layout with short names and three decimals for the transfer port.
// The reader also takes comma-, TAB- and blank-separated lists.
#pragma once

#include <string>
#include <string_view>
#include <vector>

struct App;

// Writes the points SelectionList(0..SelectionLast) to file 1, which the caller
// opened for output, then the end line; file 1 stays open. InstrumentListFormat
// 0 writes the file layout, 1 the port layout (names cut to 8 bytes are counted,
// reported in the print buffer and announced in the main window). A coordinate
// too wide for its field (8 places before the point in the file layout, 7 in the
// port layout, a minus sign counting as one) is refused before the first line:
// the point and the value are named in the main window and the write is error 6.
void WriteSelectedPoints(App& app);

// Reads file 1, open for input, to its end and stores the points from
// ListPointNumber on; closes every open file and sets PointCount to the last
// number stored. With ConnectionFileFound 0 the attributes give line vertices.
// The whole file is read before anything is stored: a bad line is reported in
// the main window with the file and the line number and raised as its run-time
// error, and the tables stay as they were.
void ReadPointList(App& app);

// " " + ZA + FileExtension + " データ読込中  しばらくお待ちください。" after an empty line.
void ShowLoadingMessage(App& app);

namespace files {

// Tells in the main window which line of the job file in hand stopped its read
// and why (by the error: 5, 6, 9, 13, 54 a file cut short), and that the job
// was left as it was; closes every file and raises the error.
[[noreturn]] void RaiseBadJobFileLine(const App& app, int lineNumber, int errorNumber);

// One point of a point-list file.
struct PointListEntry {
  std::string name;
  double x = 0;
  double y = 0;
  double z = 0;
  std::string attribute;

  bool operator==(const PointListEntry&) const = default;
};

// How the fields of the lines are separated, decided by the first data line.
enum class PointListDelimiter { Undecided = 0, Blanks = 1, CommasAndTabs = 2 };

// A line the reader passes over: a "  点名" header, an empty line, a line of one
// byte, or one whose first byte is a control character.
bool IsSkippedPointListLine(std::string_view line);

// The separator mode a first data line decides.
PointListDelimiter DelimiterOfFirstDataLine(std::string_view line);

// One data line read in the given mode, however long. A line without a
// separator after the name is error 5 (illegal argument); an X, Y or Z field
// that is not a number ("nan", "0x10", "1,5", "12abc") is error 13, and a number
// beyond the range of a double ("1e400") error 6.
PointListEntry ParsePointListLine(std::string_view line, PointListDelimiter mode);

// A name longer than 8 bytes cut for the port: the print-buffer line "##### の
// &              & は &      & で送りました。" with the point's position in the
// selection, the name and the name as sent (`fullStop` false leaves off "。").
void ReportCutPortName(int position, const std::string& name, bool fullStop = true);
// After a port write that cut names (TruncatedNameCount of them): a line of
// blanks in the print buffer (it brings the buffer past the size below which
// the result menu offers no report), the count in the main window and a pause
// for Enter.
void AnnounceCutPortNames(App& app);

// The line of the file layout and of the port layout (without the line end).
std::string PointListFileLine(const PointListEntry& point);
std::string PortCoordinateRecord(const App& app, const PointListEntry& point);

// The whole-number value a connection line takes from an attribute's first
// character: its digit 0-9, anything else 0.
int LineTypeOfAttribute(std::string_view attribute);

// The data lines of a file, read before anything is stored, with the line
// number of each in the file.
struct PointListRead {
  std::vector<PointListEntry> points;
  std::vector<int> lineNumbers;
};

// The first stage of ReadPointList: reads file 1 to its end and closes every
// open file. A bad line is reported (file name and line number) and raised;
// nothing is stored.
PointListRead ReadPointListEntries(App& app);

// The second stage: raises error 9, after reporting the line, when the points
// from ListPointNumber on or their line vertices would not fit, before anything
// is stored; else stores them and sets PointCount.
void StorePointList(App& app, const PointListRead& read);

// The check of StorePointList alone, for points stored from `firstNumber` on
// after `vertexCountBefore` line vertices, `withVertices` when the attributes
// give vertices.
void CheckPointListFits(App& app, const PointListRead& read, double firstNumber,
                        double vertexCountBefore, bool withVertices);

}  // namespace files
