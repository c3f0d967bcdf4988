// Number text: the conversions between numbers and text that every report,
// prompt and file of the program relies on, and the output templates.
//
// Number text (RtStr): one blank before a number that is not negative, "-" before
// a negative one; at most 15 significant digits, taken from the exact decimal
// expansion of the double cut after its 16th digit and rounded half up at that
// 16th digit; trailing zeros after the point dropped, and the point when nothing
// follows it; no "0" before the point below 1 (".5"); plain digits while the
// decimal exponent e of the first digit is 0..14, or e < 0 and the fraction needs
// at most 15 places; otherwise the exponent form "1.5D+015", "5.1D-015". Zero is
// " 0". Infinities and NaN, which the program never prints on purpose, come out
// as " INF", "-INF" and " NAN".
//
// Output templates (RtFormatUsing):
//   "#"     a digit position. A run of "#" with at most one "." is a numeric field
//           whose width counts every "#" and the "." ("###." writes " 13." for
//           12.6); the number is rounded half away from zero to the decimals
//           shown and right-aligned. A minus sign
//           takes a position; a "0" stands before the point when there is room.
//           The sign is that of the value before rounding: -0.0004 gives
//           "-0.000" in "##.###" and "-.000" in "#.###".
//           A "+" directly before the field is part of it (and of its width)
//           and shows the sign of every number ("+" or "-") in front of its
//           digits: "+#####.###" writes "   +12.500" and "    -3.250".
//           A number too wide for its field is written as "%" followed by the
//           number with the field's decimals (the field grows; nothing is cut).
//   "&...&" a text field from one "&" to the next, as wide as both "&" and what
//           lies between ("&&" is 2 wide). The text is padded with blanks or cut,
//           counted in CP932 bytes; a cut never splits a double-byte character:
//           the byte left over becomes a blank.
//   "@"     the whole text.
//   Anything else (double-byte characters included) is copied as it stands; a
//   lone "&" without a partner is copied too.
// The items fill the fields in order. When the items run out, the output stops
// at the next field; when there are more items than fields, the template starts
// again from its beginning. A text in a numeric field or a number in a text field
// is run-time error 13; items for a template without any field are error 5.
#pragma once

#include <cstdint>
#include <initializer_list>
#include <source_location>
#include <span>
#include <string>
#include <string_view>
#include <variant>

// The number text of x (without a trailing blank).
std::string RtStr(double x);

// The print form of a number: the number text followed by one blank (" 5 ", "-.25 ").
std::string RtNumText(double x);

// The number at the start of s: leading blanks skipped, an optional sign, digits
// with at most one decimal point; reading stops at the first character that does
// not continue the number, and text that does not begin like a number gives 0.
// There is no exponent form. A number beyond the range of a double is run-time
// error 6.
double RtVal(std::string_view s, std::source_location where = std::source_location::current());

// A text that must be a number and nothing else, as a file's number field: half-
// width blanks around it are skipped and an empty text is 0; otherwise an
// optional sign, digits with at most one decimal point (at least one digit), and
// optionally an exponent written with "E" or "D", an optional sign and digits.
// Anything else ("nan", "inf", "0x10", "1,5", "12abc", "%1234.5") is run-time
// error 13. A number beyond the range of a double is error 6; one too small for
// it is 0.
double RtStrictVal(std::string_view s, std::source_location where = std::source_location::current());

// Whole-number arguments (counts, widths, subscripts, choices): rounded half away
// from zero. Error 6 when the result does not fit (or x is NaN).
int RtWhole(double x, std::source_location where = std::source_location::current());
int16_t RtInt16(double x, std::source_location where = std::source_location::current());

// One value for a template: a number or a text. Numbers must be doubles
// (write 5.0, or double(n) for an integer variable).
using RtUsingItem = std::variant<double, std::string>;

// The template filled with the items, as one string (no line end).
std::string RtFormatUsing(std::string_view tmpl, std::span<const RtUsingItem> items,
                          std::source_location where = std::source_location::current());
std::string RtFormatUsing(std::string_view tmpl, std::initializer_list<RtUsingItem> items,
                          std::source_location where = std::source_location::current());

namespace rt {

// |x| (finite) with `decimals` digits after the point, rounded half away from zero
// on the exact value of the double ("12.346", "0.500"); no point when decimals is
// 0. The digits of the numeric template fields.
std::string RoundedFixed(double x, int decimals);

// The number text of RtStr without the blank a non-negative number begins with
// ("12", "-3"): a count as its digits alone.
std::string Digits(double x);

// The one number scanner behind RtVal, RtStrictVal and the number fields of
// files. From the start of `s`: blanks skipped, an optional sign, digits with at
// most one decimal point and, when `exponent` is true, an exponent written with
// "E" or "D" (either case), an optional sign and at least one digit (without a
// digit the exponent is not read). `found` tells whether any digit was read,
// `end` where reading stopped. A number beyond the range of a double is run-time
// error 6; one too small for it, and every zero, is 0.
struct NumberScan {
  bool found = false;
  size_t end = 0;
  double value = 0;
};
NumberScan ScanNumber(std::string_view s, bool exponent,
                      std::source_location where = std::source_location::current());

}  // namespace rt
