// The byte columns of fixed-width record texts: every writer and reader of the
// field book's records (and of the logs other subsystems keep in it) places and
// takes its fields with these. Columns are bytes of CP932 text: a double-byte
// character takes two, and a field never ends or starts inside one.
#pragma once

#include <string>
#include <string_view>

namespace columns {

// `text` with blanks added on the right, cut to `n` bytes. A double-byte
// character that the cut would split is replaced by a blank, so the field is
// always exactly n bytes wide.
std::string PadTo(std::string_view text, int n);

// `text` with blanks put before it, keeping its last `n` bytes. A double-byte
// character that the cut would split is replaced by a blank.
std::string RightAlign(std::string_view text, int n);

// The window of a number placed by its decimal point: the value written with
// four decimals (Format4Decimals: a sign character, the whole part, ".", four
// decimals) behind three blanks, cut to `width` characters that start `before`
// characters ahead of the decimal point (the sign counting among them). Digits
// that do not fit are lost from the left, so a distance window (4, 8) shows
// 12345.678 as 2345.678 and -1234.5 as 1234.500.
std::string DecimalWindow(double value, int before, int width);

// True when the window (before, width) shows every digit of the whole part and
// the sign of `value`: nothing but blanks is cut off on the left.
bool DecimalWindowFits(double value, int before, int width);

// The bytes `first` to `last` (1-based, inclusive) of `text`; what lies past
// its end is missing, so the result may be shorter.
std::string Columns(std::string_view text, int first, int last);

// The value of the bytes `first` to `last`, trimmed of blanks, as the program
// reads numbers (RtVal: 0 for no number).
double ColumnValue(std::string_view text, int first, int last);

}  // namespace columns
