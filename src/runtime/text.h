// Text operations on CP932 (Shift-JIS) byte strings. Lengths, positions and
// counts are bytes: a double-byte character counts two, as the program's column
// arithmetic expects. A double-byte character is a lead byte followed by a byte
// that can be its second one; a stray lead byte (before a blank, a control
// character or the end of the text) counts as a character of one byte.
// Conversion to and from UTF-8 for the host lives here too.
#pragma once

#include <source_location>
#include <string>
#include <string_view>

namespace rt {

// True for the ASCII digits 0-9.
constexpr bool IsDigit(char c) { return c >= '0' && c <= '9'; }

// True for the first byte of a double-byte character (0x81-0x9F, 0xE0-0xFC).
constexpr bool IsLeadByte(unsigned char c) { return (c >= 0x81 && c <= 0x9F) || (c >= 0xE0 && c <= 0xFC); }
// True for a byte that can follow a lead byte as the second byte of a
// double-byte character (0x40-0xFC except 0x7F).
constexpr bool IsTrailByte(unsigned char c) { return c >= 0x40 && c <= 0xFC && c != 0x7F; }

// Equal texts when ASCII letters are taken without their case; every other byte
// must match exactly. Byte by byte, so meant for ASCII and host (UTF-8) names:
// in CP932 a trail byte can look like an ASCII letter.
bool EqualsIgnoringCase(std::string_view a, std::string_view b);

// CP932 text to UTF-8 for the host. Bytes that are no CP932 character become
// U+FFFD; the conversion never fails.
std::string Cp932ToUtf8(std::string_view cp932);
// UTF-8 text from the host to CP932. Invalid UTF-8 and characters CP932 cannot
// hold become "?"; the conversion never fails.
std::string Utf8ToCp932(std::string_view utf8);

// The first n bytes of s, one byte fewer when the cut would split a double-byte
// character. n <= 0 gives "".
std::string CutBytes(std::string_view s, int n);

}  // namespace rt

// Counts and positions are rounded half away from zero; a negative count, a start
// below 1 or a count that is no number is error 5. Counts past the end of the
// text take what there is.

// The first n bytes.
std::string RtLeft(std::string_view s, double n,
                   std::source_location where = std::source_location::current());
// From byte `start` (1-based) on: `length` bytes, or the rest of the text.
std::string RtMid(std::string_view s, double start, double length,
                  std::source_location where = std::source_location::current());
std::string RtMid(std::string_view s, double start,
                  std::source_location where = std::source_location::current());
// The last n bytes.
std::string RtRight(std::string_view s, double n,
                    std::source_location where = std::source_location::current());

// ASCII letters only; double-byte characters (both bytes) and half-width kana stay.
std::string RtUcase(std::string_view s);
std::string RtLcase(std::string_view s);

// Removes leading and trailing half-width blanks and full-width blanks (0x81 0x40).
std::string RtTrim(std::string_view s);

namespace rt {

// The part of s that RtTrim keeps.
std::string_view TrimmedView(std::string_view s);
// s without its leading half-width and full-width blanks.
std::string_view LeadingBlanksSkipped(std::string_view s);

}  // namespace rt

// Byte position (1-based) of the first occurrence of `sub` in `s` at or after
// `start`, 0 when there is none. Only occurrences that begin on a character
// boundary count: the trail byte of a double-byte character is never a match.
// An empty `sub` is found at `start` when start <= length of s.
int RtInstr(double start, std::string_view s, std::string_view sub,
            std::source_location where = std::source_location::current());
int RtInstr(std::string_view s, std::string_view sub);

// Half-width characters to full width: ASCII 0x20-0x7E to their full-width forms,
// half-width katakana to full-width katakana (a following voiced or semi-voiced
// mark joins the character before it where such a character exists), 0x7F and
// 0xA0 to the full-width blank; double-byte characters stay; every other byte
// (control characters, stray bytes, a lead byte without its trail) becomes "■".
std::string RtToFullWidth(std::string_view s);

// The one-byte text of a code 0-255; other codes are error 5.
std::string RtChr(int code, std::source_location where = std::source_location::current());
// The code of the first byte; an empty text is error 5.
int RtAsc(std::string_view s, std::source_location where = std::source_location::current());
// n blanks; n below 0 or above 32767 is error 5.
std::string RtSpace(double n, std::source_location where = std::source_location::current());
