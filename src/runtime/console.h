// The console of the main window: 63 columns (0-62) by 39 rows (0-38) of text
// cells, 8 x 18 pixels each. Every cell holds one byte of CP932 text with its
// foreground and background colour (palette.h) and the reverse attribute; a
// double-byte character takes two cells, its lead byte in the left one.
//
// Printing writes at the cursor and moves it on; past column 62 it goes on at
// the start of the next row. A line end, or the wrap, on the last row of the
// scrolling text area (RtConsole; all 39 rows at first) scrolls that area up by
// one row. A double-byte character that would not fit on the row starts the next
// one. Writing over one half of a double-byte character blanks its other half.
// Bytes are stored as they stand: control codes are not interpreted.
//
// Transcript: the console also writes a transcript of what it shows, one UTF-8
// line for each row the cursor leaves (by a line end, the wrap, scrolling, a
// move to another row or a clear) after something was printed on it: the row as
// it stands then, without trailing blanks. Control codes appear as "?". The
// bracketed lines of RtNote come in between, in order.
#pragma once

#include <cairo.h>

#include <functional>
#include <initializer_list>
#include <source_location>
#include <span>
#include <string>
#include <string_view>

#include "runtime/numtext.h"
#include "runtime/window_id.h"

// Clears a window: the console for the main window (every cell a blank in the
// current colours, the cursor to column 0 of the text area's first row), the
// picture of the dynamic view and the navigator. The printer is error 5.
void RtCls(RtWindowId window = RtWindowId::Main,
           std::source_location where = std::source_location::current());

// Moves the cursor to (column, row); outside 0-62 / 0-38 is error 5.
void RtLocate(int column, int row, std::source_location where = std::source_location::current());
// Cursor column (0-62) and row (0-38).
int RtPos();
int RtCsrlin();

// Text colours of what is printed next: foreground and background 0-15 (-1 keeps
// one) and the mode (1 reverse, 4 normal, -1 keeps it). Anything else is error 5.
void RtColor(int foreground, int background = -1, int mode = -1,
             std::source_location where = std::source_location::current());

// Prints CP932 text at the cursor, with a line end after it when `lineEnd`.
void RtPrintStr(std::string_view text, bool lineEnd);
// Prints a number in its print form (RtNumText: " 5 ", "-.25 ").
void RtPrintNum(double value, bool lineEnd);
// Moves to the start of the next 14-column print zone (columns 0, 14, 28, 42,
// 56), writing blanks; from column 56 on, to the start of the next row.
void RtPrintZone();
// Moves to `column` of the row, writing blanks; when the cursor is already past
// it, first to the next row. A column outside 0-62 is error 5.
void RtPrintTab(int column, std::source_location where = std::source_location::current());
// Prints the template filled with the items (RtFormatUsing).
void RtPrintUsingNum(std::string_view tmpl, std::span<const RtUsingItem> items, bool lineEnd,
                     std::source_location where = std::source_location::current());
void RtPrintUsingNum(std::string_view tmpl, std::initializer_list<RtUsingItem> items,
                     bool lineEnd, std::source_location where = std::source_location::current());

// Sets the scrolling text area to `rowCount` rows from row `firstRow` and puts the
// cursor at its first row, column 0. An area that does not fit in rows 0-38
// (more than 39 rows) or has no rows is error 5.
void RtConsole(int firstRow, int rowCount,
               std::source_location where = std::source_location::current());

// The byte stored at a cell (a blank where nothing was written), 0 outside the
// 63 x 39 cells.
int RtScreenChar(int column, int row);

// Line input on the console at the cursor. RtInputFromWindow prints the prompt
// (no "?" is added); RtInputVars then reads one line: typed characters are echoed,
// Backspace removes the last character (both bytes of a double-byte one), other
// control keys are ignored, Enter ends the line and the cursor goes to the next
// row. Events are delivered meanwhile.
// A text field takes the line as typed. A number field takes the number the line
// holds, blanks around it allowed (an exponent with E or D is understood); an
// empty line gives 0, anything else is error 13 and a number beyond the range of
// a double error 6.
void RtInputFromWindow(std::string_view prompt = {});
void RtInputVars(std::string& field);
void RtInputVars(double& value, std::source_location where = std::source_location::current());

namespace rt {

inline constexpr int kConsoleColumns = 63;
inline constexpr int kConsoleRows = 39;
inline constexpr int kCellWidth = 8;
inline constexpr int kCellHeight = 18;

// Where the transcript goes (one UTF-8 line per call, without line end). Also
// routes RtNote lines of the current runtime through it. Without a sink the
// transcript is dropped.
void SetTranscriptSink(std::function<void(std::string_view)> sink);
// Writes one line (UTF-8) into the transcript, after the row the cursor is on
// when something was printed on it since it was last written.
void TranscriptLine(std::string_view utf8Line);
// Writes the cursor's row when something was printed on it since it was last
// written (the end of a session).
void FlushTranscript();
// Writes the whole screen into the transcript: "[screen]", then the 39 rows,
// each as "|" and the row without trailing blanks.
void WriteScreenToTranscript();
// One row of the console as UTF-8, without trailing blanks.
std::string ConsoleRowText(int row);

// The character of the console that a cell of a row (column 0-62) belongs to: one
// byte, or the two of a double-byte character that the cell is either half of.
struct ScreenCharacter {
  int column;  // where it starts
  std::string bytes;
};
ScreenCharacter ScreenCharacterAt(int column, int row);
// Prints a character back at its place on `row` in foreground `colour`, which
// stays the current colour, and leaves the cursor after it. One that ends on the
// last column is left as it stands (colour and cursor too): printing it would
// move the console on to the next row.
void PrintScreenCharacter(const ScreenCharacter& character, int row, int colour,
                          std::source_location where = std::source_location::current());

// Paints the console cells into `cr` at its origin: 504 x 702 units, 8 x 18 per
// cell, in the palette's colours, with a monospace Japanese font.
void DrawConsole(cairo_t* cr);

}  // namespace rt
