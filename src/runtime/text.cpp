#include "runtime/text.h"

#include <iconv.h>

#include <algorithm>
#include <cerrno>
#include <cmath>
#include <cstddef>
#include <cstring>

#include "runtime/errors.h"

namespace {

// ---------------------------------------------------------------------------
// CP932 <-> UTF-8 through iconv. One pair of descriptors per thread, opened on
// first use and closed when the thread ends.

constexpr std::string_view kUtf8Replacement = "\xEF\xBF\xBD";  // U+FFFD

class Converter {
 public:
  Converter(const char* to, const char* from) : cd_(iconv_open(to, from)) {}
  ~Converter() {
    if (valid()) iconv_close(cd_);
  }
  Converter(const Converter&) = delete;
  Converter& operator=(const Converter&) = delete;

  bool valid() const { return cd_ != reinterpret_cast<iconv_t>(-1); }

  // Converts `in`; at a byte sequence it cannot take, appends `replacement` and
  // skips `skip(rest)` bytes of the input.
  template <typename Skip>
  std::string Convert(std::string_view in, std::string_view replacement, Skip skip) {
    std::string out;
    out.reserve(in.size() * 3 / 2 + 16);
    iconv(cd_, nullptr, nullptr, nullptr, nullptr);  // initial state
    char* src = const_cast<char*>(in.data());
    std::size_t srcLeft = in.size();
    char buffer[1024];
    while (srcLeft > 0) {
      char* dst = buffer;
      std::size_t dstLeft = sizeof buffer;
      std::size_t rc = iconv(cd_, &src, &srcLeft, &dst, &dstLeft);
      out.append(buffer, static_cast<std::size_t>(dst - buffer));
      if (rc != static_cast<std::size_t>(-1) || errno == E2BIG) continue;
      // EILSEQ or EINVAL: an invalid, unmappable or cut-off sequence.
      out.append(replacement);
      std::size_t n = skip(std::string_view(src, srcLeft));
      src += n;
      srcLeft -= n;
      iconv(cd_, nullptr, nullptr, nullptr, nullptr);
    }
    return out;
  }

 private:
  iconv_t cd_;
};

// Bytes to skip at a UTF-8 sequence that cannot be converted: the sequence, or as
// much of it as is there and well formed (so a cut-off or broken sequence gives
// one replacement), at least 1.
std::size_t Utf8SequenceLength(std::string_view s) {
  auto c = static_cast<unsigned char>(s[0]);
  std::size_t n = c < 0x80 ? 1 : (c >> 5) == 0x6 ? 2 : (c >> 4) == 0xE ? 3 : (c >> 3) == 0x1E ? 4 : 1;
  std::size_t i = 1;
  while (i < n && i < s.size() && (static_cast<unsigned char>(s[i]) & 0xC0) == 0x80) ++i;
  return i;
}

// A CP932 character that iconv refused: skip the whole double-byte character
// when the lead byte has a proper trail byte, else the one byte.
std::size_t Cp932SequenceLength(std::string_view s) {
  return s.size() >= 2 && rt::IsLeadByte(static_cast<unsigned char>(s[0])) &&
                 rt::IsTrailByte(static_cast<unsigned char>(s[1]))
             ? 2
             : 1;
}

// Without a converter (no CP932 support installed) ASCII still passes through.
std::string AsciiOnly(std::string_view in, std::string_view replacement) {
  std::string out;
  for (char c : in) {
    if (static_cast<unsigned char>(c) < 0x80) {
      out += c;
    } else {
      out.append(replacement);
    }
  }
  return out;
}

struct Converters {
  Converter toUtf8{"UTF-8", "CP932"};
  Converter toCp932{"CP932", "UTF-8"};
};

Converters& ThreadConverters() {
  thread_local Converters converters;
  return converters;
}

// ---------------------------------------------------------------------------
// Counts.

constexpr double kMaxSpace = 32767;

// A count or position rounded half away from zero, as a byte count. Raises error
// 5 below `minimum` or when the value is no number; large values are capped at
// the text length + 1, which every caller treats as "past the end".
std::size_t RoundedCount(double value, double minimum, std::size_t textLength,
                         const std::source_location& where) {
  double r = std::round(value);
  if (std::isnan(r) || r < minimum) RtRaise(kErrIllegalArgument, where);
  double cap = static_cast<double>(textLength) + 1;
  return static_cast<std::size_t>(r > cap ? cap : r);
}

// Length of the character at byte i: 2 for a lead byte followed by a byte that
// can end a double-byte character. A stray lead byte is one byte of its own, so
// it never takes the blank or the character after it with it.
std::size_t CharLength(std::string_view s, std::size_t i) {
  return rt::IsLeadByte(static_cast<unsigned char>(s[i])) && i + 1 < s.size() &&
                 rt::IsTrailByte(static_cast<unsigned char>(s[i + 1]))
             ? 2
             : 1;
}

char AsciiUpper(char c) { return c >= 'a' && c <= 'z' ? static_cast<char>(c - 'a' + 'A') : c; }
char AsciiLower(char c) { return c >= 'A' && c <= 'Z' ? static_cast<char>(c - 'A' + 'a') : c; }

template <typename Map>
std::string MapAsciiLetters(std::string_view s, Map map) {
  std::string out(s);
  for (std::size_t i = 0; i < out.size(); i += CharLength(out, i)) {
    out[i] = map(out[i]);
  }
  return out;
}

// Length of the blank (half-width, or full-width 0x81 0x40) at byte i, 0 if none.
std::size_t BlankLength(std::string_view s, std::size_t i) {
  if (s[i] == ' ') return 1;
  if (s[i] == '\x81' && i + 1 < s.size() && s[i + 1] == '\x40') return 2;
  return 0;
}

// ---------------------------------------------------------------------------
// Full width. The tables are CP932 literals: two bytes per character.

// 0x20 to 0x7E, in code order.
constexpr char kFullAscii[] =
    "　！”＃＄％＆’（）＊＋，－．／０１２３４５６７８９：；＜＝＞？"
    "＠ＡＢＣＤＥＦＧＨＩＪＫＬＭＮＯＰＱＲＳＴＵＶＷＸＹＺ［￥］＾＿"
    "｀ａｂｃｄｅｆｇｈｉｊｋｌｍｎｏｐｑｒｓｔｕｖｗｘｙｚ｛｜｝￣";
static_assert(sizeof kFullAscii == 2 * (0x7E - 0x20 + 1) + 1);

// 0xA1 to 0xDD, in code order.
constexpr char kFullKana[] =
    "。「」、・ヲァィゥェォャュョッー"
    "アイウエオカキクケコサシスセソタチツテトナニヌネノハヒフヘホマミムメモヤユヨラリルレロワン";
static_assert(sizeof kFullKana == 2 * (0xDD - 0xA1 + 1) + 1);

constexpr std::string_view kFullBlank = "　";
constexpr std::string_view kVoicedMark = "゛";
constexpr std::string_view kSemiVoicedMark = "゜";
constexpr std::string_view kBlackSquare = "■";

// What a following voiced or semi-voiced mark can do to the character written last.
enum class Voicing { None, Voiced, VoicedAndSemiVoiced };

Voicing VoicingOf(unsigned char halfWidthKana) {
  if (halfWidthKana >= 0xB6 && halfWidthKana <= 0xC4) return Voicing::Voiced;  // ｶ to ﾄ
  if (halfWidthKana >= 0xCA && halfWidthKana <= 0xCE) return Voicing::VoicedAndSemiVoiced;  // ﾊ to ﾎ
  return Voicing::None;
}

}  // namespace

namespace rt {

bool EqualsIgnoringCase(std::string_view a, std::string_view b) {
  return std::equal(a.begin(), a.end(), b.begin(), b.end(),
                    [](char x, char y) { return AsciiLower(x) == AsciiLower(y); });
}

std::string Cp932ToUtf8(std::string_view cp932) {
  Converter& c = ThreadConverters().toUtf8;
  if (!c.valid()) return AsciiOnly(cp932, kUtf8Replacement);
  return c.Convert(cp932, kUtf8Replacement, Cp932SequenceLength);
}

std::string Utf8ToCp932(std::string_view utf8) {
  Converter& c = ThreadConverters().toCp932;
  if (!c.valid()) return AsciiOnly(utf8, "?");
  return c.Convert(utf8, "?", Utf8SequenceLength);
}

std::string CutBytes(std::string_view s, int n) {
  if (n <= 0) return {};
  auto limit = static_cast<std::size_t>(n);
  if (limit >= s.size()) return std::string(s);
  std::size_t end = 0;
  while (end < limit) {
    std::size_t len = CharLength(s, end);
    if (end + len > limit) break;
    end += len;
  }
  return std::string(s.substr(0, end));
}

}  // namespace rt

std::string RtLeft(std::string_view s, double n, std::source_location where) {
  return std::string(s.substr(0, RoundedCount(n, 0, s.size(), where)));
}

std::string RtMid(std::string_view s, double start, double length, std::source_location where) {
  std::size_t first = RoundedCount(start, 1, s.size(), where);
  std::size_t count = RoundedCount(length, 0, s.size(), where);
  if (first > s.size()) return {};
  return std::string(s.substr(first - 1, count));
}

std::string RtMid(std::string_view s, double start, std::source_location where) {
  std::size_t first = RoundedCount(start, 1, s.size(), where);
  if (first > s.size()) return {};
  return std::string(s.substr(first - 1));
}

std::string RtRight(std::string_view s, double n, std::source_location where) {
  std::size_t count = RoundedCount(n, 0, s.size(), where);
  if (count >= s.size()) return std::string(s);
  return std::string(s.substr(s.size() - count));
}

std::string RtUcase(std::string_view s) {
  return MapAsciiLetters(s, AsciiUpper);
}

std::string RtLcase(std::string_view s) {
  return MapAsciiLetters(s, AsciiLower);
}

std::string RtTrim(std::string_view s) { return std::string(rt::TrimmedView(s)); }

std::string_view rt::LeadingBlanksSkipped(std::string_view s) {
  std::size_t begin = 0;
  while (begin < s.size()) {
    std::size_t blank = BlankLength(s, begin);
    if (blank == 0) break;
    begin += blank;
  }
  return s.substr(begin);
}

std::string_view rt::TrimmedView(std::string_view s) {
  s = LeadingBlanksSkipped(s);
  std::size_t end = 0;  // just past the last character that is not a blank
  for (std::size_t i = 0; i < s.size();) {
    std::size_t blank = BlankLength(s, i);
    std::size_t len = blank ? blank : CharLength(s, i);
    i += len;
    if (!blank) end = i;
  }
  return s.substr(0, end);
}

int RtInstr(double start, std::string_view s, std::string_view sub, std::source_location where) {
  std::size_t first = RoundedCount(start, 1, s.size(), where);
  if (first > s.size()) return 0;
  for (std::size_t i = 0; i < s.size(); i += CharLength(s, i)) {
    if (i + 1 < first) continue;
    if (s.substr(i, sub.size()) == sub) return static_cast<int>(i + 1);
  }
  return 0;
}

int RtInstr(std::string_view s, std::string_view sub) { return RtInstr(1, s, sub); }

std::string RtToFullWidth(std::string_view s) {
  std::string out;
  out.reserve(s.size() * 2);
  Voicing last = Voicing::None;  // of the half-width kana written last, if it was one
  for (std::size_t i = 0; i < s.size(); ++i) {
    auto c = static_cast<unsigned char>(s[i]);
    Voicing current = Voicing::None;
    if (rt::IsLeadByte(c) && i + 1 < s.size() && rt::IsTrailByte(static_cast<unsigned char>(s[i + 1]))) {
      out.append(s.substr(i, 2));
      ++i;
    } else if (c >= 0x20 && c <= 0x7E) {
      out.append(kFullAscii + 2 * (c - 0x20), 2);
    } else if (c == 0x7F || c == 0xA0) {
      out.append(kFullBlank);
    } else if (c >= 0xA1 && c <= 0xDD) {
      out.append(kFullKana + 2 * (c - 0xA1), 2);
      current = VoicingOf(c);
    } else if (c == 0xDE) {  // ﾞ: the voiced form is the next code up
      if (last != Voicing::None) {
        ++out.back();
      } else {
        out.append(kVoicedMark);
      }
    } else if (c == 0xDF) {  // ﾟ: the semi-voiced form is two codes up
      if (last == Voicing::VoicedAndSemiVoiced) {
        out.back() = static_cast<char>(out.back() + 2);
      } else {
        out.append(kSemiVoicedMark);
      }
    } else {
      out.append(kBlackSquare);
    }
    last = current;
  }
  return out;
}

std::string RtChr(int code, std::source_location where) {
  if (code < 0 || code > 255) RtRaise(kErrIllegalArgument, where);
  return std::string(1, static_cast<char>(code));
}

int RtAsc(std::string_view s, std::source_location where) {
  if (s.empty()) RtRaise(kErrIllegalArgument, where);
  return static_cast<unsigned char>(s[0]);
}

std::string RtSpace(double n, std::source_location where) {
  double r = std::round(n);
  if (std::isnan(r) || r < 0 || r > kMaxSpace) RtRaise(kErrIllegalArgument, where);
  return std::string(static_cast<std::size_t>(r), ' ');
}
