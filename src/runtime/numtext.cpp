#include "runtime/numtext.h"

#include <algorithm>
#include <array>
#include <bit>
#include <charconv>
#include <cmath>
#include <cstring>

#include "runtime/errors.h"
#include "runtime/text.h"

namespace {

// ---------------------------------------------------------------------------
// Exact decimal digits of a double

// A finite double ≥ 0 as mantissa × 2^exponent, read from its bits: the
// mantissa is a whole number below 2^53 (0 for zero).
struct BinaryParts {
  uint64_t mantissa;
  int exponent;
};

BinaryParts PartsOf(double ax) {
  constexpr uint64_t kFractionBits = (uint64_t{1} << 52) - 1;
  const auto bits = std::bit_cast<uint64_t>(ax);
  const auto biased = static_cast<int>(bits >> 52);
  if (biased == 0) return {bits & kFractionBits, -1074};  // zero and subnormals
  return {(bits & kFractionBits) | (uint64_t{1} << 52), biased - 1075};
}

// The exponent q of the lowest set bit of ax (finite, > 0): ax = odd × 2^q.
// The exact decimal expansion of ax has max(0, -q) digits after the point.
int LowestBitExponent(double ax) {
  const BinaryParts parts = PartsOf(ax);
  return parts.exponent + std::countr_zero(parts.mantissa);
}

// Reads "d.ddd...e±XX" as std::to_chars writes it in scientific form: copies the
// first `count` mantissa digits (zeros past the end) and returns the exponent.
int ReadScientific(const char* first, const char* last, char* digits, int count) {
  int n = 0;
  const char* p = first;
  for (; p != last && *p != 'e'; ++p) {
    if (*p != '.' && n < count) digits[n++] = *p;
  }
  std::fill(digits + n, digits + count, '0');
  int exponent = 0;
  if (p != last) {
    ++p;
    if (p != last && *p == '+') ++p;
    std::from_chars(p, last, exponent);
  }
  return exponent;
}

constexpr int kCutDigits = 16;   // digits read from the exact expansion
constexpr int kKeptDigits = 15;  // significant digits written

// The first 16 significant digits of the exact decimal expansion of ax (finite,
// > 0), truncated, and the decimal exponent of the first. A probe rounded at the
// 21st digit gives them unless a run of nines after the 16th digit was rounded
// up into it; only then (the probe's digits 17-21 read zero) is the whole exact
// expansion written out.
int ExactLeadingDigits(double ax, char (&digits)[kCutDigits]) {
  constexpr int kProbePrecision = 20;
  char buf[48];
  auto written = std::to_chars(buf, buf + sizeof buf, ax, std::chars_format::scientific,
                               kProbePrecision);
  char probe[kProbePrecision + 1];
  int exponent = ReadScientific(buf, written.ptr, probe, kProbePrecision + 1);
  std::memcpy(digits, probe, kCutDigits);
  const bool tailZero =
      std::all_of(probe + kCutDigits, probe + kProbePrecision + 1, [](char c) { return c == '0'; });
  if (!tailZero) return exponent;
  const int exactPrecision = exponent - LowestBitExponent(ax);
  if (exactPrecision <= kProbePrecision) return exponent;  // the probe was exact
  // At most 767 significant digits for any double (one more after a carry).
  char exact[1100];
  written = std::to_chars(exact, exact + sizeof exact, ax, std::chars_format::scientific,
                          exactPrecision);
  return ReadScientific(exact, written.ptr, digits, kCutDigits);
}

// At most 15 significant digits of ax, rounded half up at the 16th, without
// trailing zeros.
struct Significand {
  char digits[kCutDigits];
  int count;     // digits kept (at least 1)
  int exponent;  // decimal exponent of the first digit
};

Significand RoundedSignificand(double ax) {
  Significand s{};
  s.exponent = ExactLeadingDigits(ax, s.digits);
  if (s.digits[kKeptDigits] >= '5') {
    int i = kKeptDigits - 1;
    while (i >= 0 && s.digits[i] == '9') s.digits[i--] = '0';
    if (i >= 0) {
      ++s.digits[i];
    } else {  // all nines: 10^(e+1)
      s.digits[0] = '1';
      ++s.exponent;
    }
  }
  s.count = kKeptDigits;
  while (s.count > 1 && s.digits[s.count - 1] == '0') --s.count;
  return s;
}

bool UsesFixedForm(const Significand& s) {
  if (s.exponent >= 0) return s.exponent <= 14;
  return (-s.exponent - 1) + s.count <= kKeptDigits;
}

// Appends the digits of s (no sign) to out; returns the new end.
char* WriteSignificand(const Significand& s, char* out) {
  const int e = s.exponent;
  if (!UsesFixedForm(s)) {
    *out++ = s.digits[0];
    if (s.count > 1) {
      *out++ = '.';
      out = std::copy(s.digits + 1, s.digits + s.count, out);
    }
    *out++ = 'D';
    *out++ = e < 0 ? '-' : '+';
    const int magnitude = std::abs(e);
    *out++ = static_cast<char>('0' + magnitude / 100);
    *out++ = static_cast<char>('0' + magnitude / 10 % 10);
    *out++ = static_cast<char>('0' + magnitude % 10);
    return out;
  }
  if (e < 0) {
    *out++ = '.';
    out = std::fill_n(out, -e - 1, '0');
    return std::copy(s.digits, s.digits + s.count, out);
  }
  for (int i = 0; i <= e; ++i) *out++ = i < s.count ? s.digits[i] : '0';
  if (s.count > e + 1) {
    *out++ = '.';
    out = std::copy(s.digits + e + 1, s.digits + s.count, out);
  }
  return out;
}

// ---------------------------------------------------------------------------
// Rounded fixed-point digits for template fields

// Decimals up to this many take the whole-number way below.
constexpr int kShortDecimals = 9;
constexpr uint64_t kPowersOfTen[kShortDecimals + 1] = {
    1, 10, 100, 1000, 10000, 100000, 1000000, 10000000, 100000000, 1000000000};
// Scaled values below this are written from one 64-bit whole number.
constexpr uint64_t kShortScaledLimit = 1000000000000000000;

// The digits of a short fixed-point number: at most 18 whole digits, the point
// and 9 decimals.
using ShortDigits = std::array<char, 32>;

// ax (finite, ≥ 0) with `decimals` places rounded half away from zero, when
// both are small: the exact value scaled by 10^decimals is a quotient of whole
// numbers, whose remainder decides the rounding. Returns the end of the digits
// written into `text`, or nullptr when ax or its decimals are beyond what that
// arithmetic holds.
char* ShortFixed(double ax, int decimals, ShortDigits& text) {
  if (decimals > kShortDecimals) return nullptr;
  const BinaryParts parts = PartsOf(ax);
  constexpr int kLargestShift = 120;  // mantissa × 10^9 stays below 2^83
  if (parts.mantissa != 0 && (parts.exponent > 10 || parts.exponent < -kLargestShift)) {
    return nullptr;
  }
  const uint64_t power = kPowersOfTen[decimals];
  unsigned __int128 scaled = static_cast<unsigned __int128>(parts.mantissa) * power;
  if (parts.mantissa == 0) {
    // zero: nothing to shift
  } else if (parts.exponent >= 0) {
    scaled <<= parts.exponent;
  } else {
    const int shift = -parts.exponent;
    const unsigned __int128 one = 1;
    const unsigned __int128 remainder = scaled & ((one << shift) - 1);
    scaled >>= shift;
    if (remainder >= one << (shift - 1)) ++scaled;  // a half rounds away from zero
  }
  if (scaled >= kShortScaledLimit) return nullptr;
  const auto whole = static_cast<uint64_t>(scaled);
  char* end = std::to_chars(text.data(), text.data() + text.size(), whole / power).ptr;
  if (decimals > 0) {
    *end++ = '.';
    uint64_t fraction = whole % power;
    for (int i = decimals; i-- > 0; fraction /= 10) end[i] = static_cast<char>('0' + fraction % 10);
    end += decimals;
  }
  return end;
}

// Adds one to the last digit of a digit string that may hold a point.
void IncrementLastDigit(std::string& digits) {
  for (auto i = digits.size(); i-- > 0;) {
    if (digits[i] == '.') continue;
    if (digits[i] != '9') {
      ++digits[i];
      return;
    }
    digits[i] = '0';
  }
  digits.insert(digits.begin(), '1');
}

// |x| with `decimals` places, from to_chars's digits; a tie needs an exact
// expansion of exactly decimals + 1 places, which to_chars alone would round to
// even.
std::string LongFixed(double ax, int decimals) {
  const bool tie = ax > 0 && -LowestBitExponent(ax) == decimals + 1;
  const int precision = tie ? decimals + 1 : decimals;
  // 309 integer digits at most; the decimals asked for are few but not bounded.
  char buffer[400];
  std::string large;
  char* first = buffer;
  char* last = buffer + sizeof buffer;
  if (320 + precision > static_cast<int>(sizeof buffer)) {
    large.resize(static_cast<size_t>(320 + precision));
    first = large.data();
    last = first + large.size();
  }
  const auto written = std::to_chars(first, last, ax, std::chars_format::fixed, precision);
  std::string text(first, written.ptr);
  if (tie) {
    text.pop_back();  // the final 5
    if (text.back() == '.') text.pop_back();
    IncrementLastDigit(text);
  }
  return text;
}

// ---------------------------------------------------------------------------
// Templates

// Bytes of the CP932 character at i (a lead byte at the very end counts alone).
size_t CharLength(std::string_view s, size_t i) {
  return rt::IsLeadByte(static_cast<unsigned char>(s[i])) && i + 1 < s.size() ? 2 : 1;
}

enum class FieldKind { kNumber, kFixedText, kWholeText };

struct Field {
  FieldKind kind = FieldKind::kNumber;
  size_t begin = 0;
  size_t end = 0;
  size_t width = 0;
  int decimals = 0;
  bool point = false;
  bool plus = false;
};

bool At(std::string_view t, size_t i, char c) { return i < t.size() && t[i] == c; }

bool StartsNumber(std::string_view t, size_t i) {
  return At(t, i, '#') || (At(t, i, '.') && At(t, i + 1, '#'));
}

Field NumberField(std::string_view t, size_t begin) {
  Field f;
  f.kind = FieldKind::kNumber;
  f.begin = begin;
  size_t i = begin;
  if (At(t, i, '+')) {
    f.plus = true;
    ++i;
  }
  while (At(t, i, '#')) ++i;
  if (At(t, i, '.')) {
    f.point = true;
    ++i;
    while (At(t, i, '#')) {
      ++i;
      ++f.decimals;
    }
  }
  f.end = i;
  f.width = f.end - f.begin;
  return f;
}

// The "&" closing a text field opened at `open`, or npos.
size_t ClosingAmpersand(std::string_view t, size_t open) {
  for (size_t i = open + 1; i < t.size(); i += CharLength(t, i)) {
    if (t[i] == '&') return i;
  }
  return std::string_view::npos;
}

// Finds the first field at or after pos.
bool FindField(std::string_view t, size_t pos, Field& field) {
  for (size_t i = pos; i < t.size(); i += CharLength(t, i)) {
    const char c = t[i];
    if (StartsNumber(t, i) || (c == '+' && StartsNumber(t, i + 1))) {
      field = NumberField(t, i);
      return true;
    }
    if (c == '@') {
      field = Field{FieldKind::kWholeText, i, i + 1, 0, 0, false, false};
      return true;
    }
    if (c == '&') {
      const size_t close = ClosingAmpersand(t, i);
      if (close != std::string_view::npos) {
        field = Field{FieldKind::kFixedText, i, close + 1, close + 1 - i, 0, false, false};
        return true;
      }
    }
  }
  return false;
}

// The digits of rt::RoundedFixed(x, decimals): in `text` when they are short,
// else in `longText`.
std::string_view FixedDigits(double x, int decimals, ShortDigits& text, std::string& longText) {
  const double ax = std::fabs(x);
  decimals = std::max(decimals, 0);
  if (std::isfinite(ax)) {
    if (const char* end = ShortFixed(ax, decimals, text)) return {text.data(), end};
  }
  longText = LongFixed(ax, decimals);
  return longText;
}

// Appends the number in its field: right-aligned in the field's width, or "%"
// and the number when it does not fit.
void AppendNumberField(std::string& out, double x, const Field& f) {
  const std::string_view sign = x < 0 ? "-" : (f.plus ? "+" : "");
  if (!std::isfinite(x)) {
    out.append("%").append(sign).append(std::isnan(x) ? "NAN" : "INF");
    return;
  }
  ShortDigits shortText;
  std::string longText;
  std::string_view digits = FixedDigits(x, f.decimals, shortText, longText);
  const std::string_view point = f.point && f.decimals == 0 ? "." : "";
  if (sign.size() + digits.size() + point.size() > f.width && f.decimals > 0 &&
      digits.starts_with("0.")) {
    digits.remove_prefix(1);
  }
  const size_t length = sign.size() + digits.size() + point.size();
  if (length > f.width) {
    out += '%';
  } else {
    out.append(f.width - length, ' ');
  }
  out.append(sign).append(digits).append(point);
}

// The text cut or padded to `width` bytes, never splitting a double-byte character.
void AppendFixedText(std::string& out, std::string_view text, size_t width) {
  size_t used = 0;
  while (used < text.size()) {
    const size_t length = CharLength(text, used);
    if (used + length > width) break;
    used += length;
  }
  out.append(text.substr(0, used));
  out.append(width - used, ' ');
}

void AppendField(std::string& out, const Field& f, const RtUsingItem& item,
                 const std::source_location& where) {
  if (f.kind == FieldKind::kNumber) {
    const double* number = std::get_if<double>(&item);
    if (!number) RtRaise(kErrTypeMismatch, where);
    AppendNumberField(out, *number, f);
    return;
  }
  const std::string* text = std::get_if<std::string>(&item);
  if (!text) RtRaise(kErrTypeMismatch, where);
  if (f.kind == FieldKind::kWholeText) {
    out += *text;
  } else {
    AppendFixedText(out, *text, f.width);
  }
}

// The power of ten of the first significant digit of a mantissa (digits with at
// most one point): 2 for "123.4", -2 for "0.05", 0 when every digit is 0.
long LeadingPower(std::string_view mantissa) {
  const size_t point = std::min(mantissa.find('.'), mantissa.size());
  for (size_t k = 0; k < mantissa.size(); ++k) {
    if (mantissa[k] < '1' || mantissa[k] > '9') continue;
    return k < point ? static_cast<long>(point - k - 1) : -static_cast<long>(k - point);
  }
  return 0;
}

// Reads digits with at most one point, times 10^power, into `value` as
// from_chars does, and gives its error code; only a number with an exponent is
// put together in a copy.
std::errc ReadDecimal(std::string_view mantissa, long power, double& value) {
  if (power == 0) return std::from_chars(mantissa.data(), mantissa.data() + mantissa.size(), value).ec;
  const std::string number = std::string(mantissa) + "e" + std::to_string(power);
  return std::from_chars(number.data(), number.data() + number.size(), value).ec;
}

}  // namespace

std::string RtStr(double x) {
  if (x == 0) return " 0";
  if (std::isnan(x)) return " NAN";
  if (std::isinf(x)) return x < 0 ? "-INF" : " INF";
  char text[40];
  text[0] = x < 0 ? '-' : ' ';
  const double ax = std::fabs(x);
  if (ax < 1e15 && ax == std::floor(ax)) {  // whole numbers: plain digits
    const auto written = std::to_chars(text + 1, text + sizeof text, static_cast<uint64_t>(ax));
    return std::string(text, written.ptr);
  }
  char* end = WriteSignificand(RoundedSignificand(ax), text + 1);
  return std::string(text, end);
}

std::string RtNumText(double x) { return RtStr(x) + ' '; }

rt::NumberScan rt::ScanNumber(std::string_view s, bool exponent, std::source_location where) {
  NumberScan scan;
  size_t i = std::min(s.find_first_not_of(' '), s.size());
  const bool negative = i < s.size() && s[i] == '-';
  if (i < s.size() && (s[i] == '+' || s[i] == '-')) ++i;
  const size_t start = i;
  bool point = false;
  bool digits = false;
  for (; i < s.size() && (rt::IsDigit(s[i]) || (s[i] == '.' && !point)); ++i) {
    point = point || s[i] == '.';
    digits = digits || rt::IsDigit(s[i]);
  }
  scan.end = i;
  if (!digits) return scan;
  scan.found = true;
  const std::string_view mantissa = s.substr(start, i - start);
  long power = 0;
  if (exponent && i < s.size() && std::string_view("EeDd").find(s[i]) != std::string_view::npos) {
    size_t j = i + 1;
    const bool negativePower = j < s.size() && s[j] == '-';
    if (j < s.size() && (s[j] == '+' || s[j] == '-')) ++j;
    if (j < s.size() && rt::IsDigit(s[j])) {
      for (; j < s.size() && rt::IsDigit(s[j]); ++j) {
        if (power < 100000) power = power * 10 + (s[j] - '0');
      }
      if (negativePower) power = -power;
      scan.end = j;
    }
  }
  double value = 0;
  if (ReadDecimal(mantissa, power, value) == std::errc::result_out_of_range) {
    // Too large for a double, or so small that it is 0.
    if (LeadingPower(mantissa) + power > 0) RtRaise(kErrOverflow, where);
    value = 0;
  }
  if (value != 0) scan.value = negative ? -value : value;
  return scan;
}

double RtVal(std::string_view s, std::source_location where) {
  return rt::ScanNumber(s, false, where).value;
}

double RtStrictVal(std::string_view s, std::source_location where) {
  const size_t first = s.find_first_not_of(' ');
  if (first == std::string_view::npos) return 0;
  s = s.substr(first, s.find_last_not_of(' ') - first + 1);
  const rt::NumberScan scan = rt::ScanNumber(s, true, where);
  if (!scan.found || scan.end != s.size()) RtRaise(kErrTypeMismatch, where);
  return scan.value;
}

int RtWhole(double x, std::source_location where) {
  if (!(x > -2147483648.5 && x < 2147483647.5)) RtRaise(kErrOverflow, where);
  return static_cast<int>(std::round(x));
}

int16_t RtInt16(double x, std::source_location where) {
  if (!(x > -32768.5 && x < 32767.5)) RtRaise(kErrOverflow, where);
  return static_cast<int16_t>(std::round(x));
}

std::string RtFormatUsing(std::string_view tmpl, std::span<const RtUsingItem> items,
                          std::source_location where) {
  std::string out;
  size_t next = 0;
  bool anyField = false;
  for (;;) {
    size_t pos = 0;
    Field field;
    while (FindField(tmpl, pos, field)) {
      out.append(tmpl.substr(pos, field.begin - pos));
      if (next == items.size()) return out;
      anyField = true;
      AppendField(out, field, items[next++], where);
      pos = field.end;
    }
    out.append(tmpl.substr(pos));
    if (next == items.size()) return out;
    if (!anyField) RtRaise(kErrIllegalArgument, where);
  }
}

std::string RtFormatUsing(std::string_view tmpl, std::initializer_list<RtUsingItem> items,
                          std::source_location where) {
  return RtFormatUsing(tmpl, std::span<const RtUsingItem>(items.begin(), items.size()), where);
}

std::string rt::RoundedFixed(double x, int decimals) {
  ShortDigits shortText;
  std::string longText;
  return std::string(FixedDigits(x, decimals, shortText, longText));
}

std::string rt::Digits(double x) { return RtStr(x).substr(x < 0 ? 0 : 1); }
