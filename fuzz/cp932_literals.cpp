// cp932_literals IN OUT: copies a C++ source, writing every plain string and
// character literal's non-ASCII characters (and universal character names) as
// the octal escapes of their CP932 bytes.
//
// The program's literals are CP932 bytes: GCC compiles them with
// -fexec-charset=CP932. Clang knows no execution character set but UTF-8, so the
// fuzz build compiles copies of the sources made by this tool, whose literals
// hold exactly the bytes GCC would put there. Literals with an encoding prefix
// (u8, u, U, L) are left as they are, as GCC leaves them. Octal escapes never
// take more than three digits, so a digit after one stays a character of its own.
//
// A literal that cannot be converted (no CP932 form, a raw literal holding
// non-ASCII text) stops the tool with a message naming the file and line.
#include <iconv.h>

#include <cctype>
#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <iterator>
#include <string>
#include <string_view>

namespace {

std::string g_file;
int g_line = 1;

[[noreturn]] void Fail(const std::string& message) {
  std::fprintf(stderr, "%s:%d: %s\n", g_file.c_str(), g_line, message.c_str());
  std::exit(1);
}

std::string Utf8ToCp932(std::string_view utf8) {
  iconv_t cd = iconv_open("CP932", "UTF-8");
  if (cd == reinterpret_cast<iconv_t>(-1)) Fail("iconv has no CP932");
  std::string in(utf8);
  std::string out(in.size() * 2 + 4, '\0');
  char* inPtr = in.data();
  size_t inLeft = in.size();
  char* outPtr = out.data();
  size_t outLeft = out.size();
  const size_t result = iconv(cd, &inPtr, &inLeft, &outPtr, &outLeft);
  iconv_close(cd);
  if (result == static_cast<size_t>(-1)) Fail("no CP932 form for \"" + in + "\"");
  out.resize(out.size() - outLeft);
  return out;
}

std::string Utf8OfCodePoint(unsigned long c) {
  std::string s;
  if (c < 0x80) {
    s += static_cast<char>(c);
  } else if (c < 0x800) {
    s += static_cast<char>(0xC0 | (c >> 6));
    s += static_cast<char>(0x80 | (c & 0x3F));
  } else if (c < 0x10000) {
    s += static_cast<char>(0xE0 | (c >> 12));
    s += static_cast<char>(0x80 | ((c >> 6) & 0x3F));
    s += static_cast<char>(0x80 | (c & 0x3F));
  } else {
    s += static_cast<char>(0xF0 | (c >> 18));
    s += static_cast<char>(0x80 | ((c >> 12) & 0x3F));
    s += static_cast<char>(0x80 | ((c >> 6) & 0x3F));
    s += static_cast<char>(0x80 | (c & 0x3F));
  }
  return s;
}

std::string OctalEscapes(std::string_view bytes) {
  std::string out;
  for (const char c : bytes) {
    char escape[8];
    std::snprintf(escape, sizeof escape, "\\%03o", static_cast<unsigned char>(c));
    out += escape;
  }
  return out;
}

bool IsIdentifierChar(char c) {
  return std::isalnum(static_cast<unsigned char>(c)) || c == '_';
}

class Converter {
 public:
  explicit Converter(std::string text) : in_(std::move(text)) {}

  std::string Run() {
    while (at_ < in_.size()) {
      const char c = in_[at_];
      if (c == '/' && Peek(1) == '/') {
        CopyLineComment();
      } else if (c == '/' && Peek(1) == '*') {
        CopyBlockComment();
      } else if (c == '"' || c == '\'') {
        Literal(c);
      } else {
        Copy(1);
      }
    }
    return out_;
  }

 private:
  char Peek(size_t ahead) const { return at_ + ahead < in_.size() ? in_[at_ + ahead] : '\0'; }

  void Copy(size_t count) {
    for (size_t i = 0; i < count && at_ < in_.size(); ++i) {
      if (in_[at_] == '\n') ++g_line;
      out_ += in_[at_++];
    }
  }

  void CopyLineComment() {
    while (at_ < in_.size() && in_[at_] != '\n') Copy(1);
  }

  void CopyBlockComment() {
    Copy(2);
    while (at_ < in_.size() && !(in_[at_] == '*' && Peek(1) == '/')) Copy(1);
    Copy(2);
  }

  // The identifier just before the quote (already copied): an encoding or raw
  // prefix, or the digits before a digit separator.
  std::string_view PrefixBefore() const {
    size_t start = out_.size();
    while (start > 0 && IsIdentifierChar(out_[start - 1])) --start;
    return std::string_view(out_).substr(start);
  }

  void Literal(char quote) {
    const std::string_view prefix = PrefixBefore();
    if (quote == '\'' && !prefix.empty() && prefix != "u8" && prefix != "u" && prefix != "U" &&
        prefix != "L") {
      Copy(1);  // a digit separator
      return;
    }
    if (quote == '"' && !prefix.empty() && prefix.back() == 'R') return RawLiteral(prefix);
    const bool plain = prefix.empty();
    Copy(1);
    std::string pending;  // UTF-8 text still to convert
    auto flush = [&] {
      if (pending.empty()) return;
      out_ += OctalEscapes(Utf8ToCp932(pending));
      pending.clear();
    };
    while (at_ < in_.size() && in_[at_] != quote) {
      const char c = in_[at_];
      if (c == '\n') Fail("a literal runs past the end of its line");
      if (c == '\\' && plain && (Peek(1) == 'u' || Peek(1) == 'U')) {
        const size_t digits = Peek(1) == 'u' ? 4 : 8;
        const std::string hex = in_.substr(at_ + 2, digits);
        pending += Utf8OfCodePoint(std::strtoul(hex.c_str(), nullptr, 16));
        at_ += 2 + digits;
      } else if (c == '\\') {
        flush();
        Copy(2);
      } else if (plain && static_cast<unsigned char>(c) >= 0x80) {
        pending += c;
        ++at_;
      } else {
        flush();
        Copy(1);
      }
    }
    flush();
    Copy(1);
  }

  // R"delimiter( ... )delimiter", copied as it is: non-ASCII text in a plain
  // raw literal is not supported.
  void RawLiteral(std::string_view prefix) {
    const bool plain = prefix == "R";
    Copy(1);
    std::string delimiter;
    while (at_ < in_.size() && in_[at_] != '(') {
      delimiter += in_[at_];
      Copy(1);
    }
    const std::string end = ")" + delimiter + "\"";
    const size_t close = in_.find(end, at_);
    if (close == std::string::npos) Fail("a raw literal without its end");
    for (size_t i = at_; i < close; ++i) {
      if (plain && static_cast<unsigned char>(in_[i]) >= 0x80) {
        Fail("non-ASCII text in a raw literal: write it as a plain literal");
      }
    }
    Copy(close + end.size() - at_);
  }

  std::string in_;
  std::string out_;
  size_t at_ = 0;
};

}  // namespace

int main(int argc, char** argv) {
  if (argc != 3) {
    std::fprintf(stderr, "usage: cp932_literals IN OUT\n");
    return 2;
  }
  g_file = argv[1];
  std::ifstream in(argv[1], std::ios::binary);
  if (!in) Fail("cannot be read");
  std::string text{std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
  const std::string converted = Converter(std::move(text)).Run();
  const std::string temporary = std::string(argv[2]) + ".tmp";
  {
    std::ofstream out(temporary, std::ios::binary);
    out << converted;
    if (!out) Fail("cannot write " + temporary);
  }
  if (std::rename(temporary.c_str(), argv[2]) != 0) Fail(std::string("cannot write ") + argv[2]);
  return 0;
}
