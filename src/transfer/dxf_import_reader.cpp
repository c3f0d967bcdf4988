#include "transfer/dxf_import_reader.h"

#include <iconv.h>

#include <algorithm>
#include <cerrno>
#include <charconv>
#include <cmath>
#include <limits>
#include <map>

#include "runtime/text.h"

namespace transfer {

namespace {

constexpr std::string_view kUtf8 = "UTF-8";
constexpr std::string_view kCp932 = "CP932";
// The first version whose texts are UTF-8.
constexpr int kFirstUtf8Version = 1021;

std::string_view TrimBlanks(std::string_view s) {
  const std::size_t first = s.find_first_not_of(" \t");
  if (first == std::string_view::npos) return {};
  const std::size_t last = s.find_last_not_of(" \t");
  return s.substr(first, last - first + 1);
}

// The lines of a drawing, CR LF or LF at their ends.
class Lines {
 public:
  explicit Lines(std::string_view bytes) : bytes_(bytes) {
    if (bytes_.starts_with("\xEF\xBB\xBF")) bytes_.remove_prefix(3);
  }
  bool Next(std::string_view& line) {
    if (pos_ >= bytes_.size()) return false;
    const std::size_t end = bytes_.find('\n', pos_);
    const std::size_t stop = end == std::string_view::npos ? bytes_.size() : end;
    line = bytes_.substr(pos_, stop - pos_);
    if (line.ends_with('\r')) line.remove_suffix(1);
    pos_ = stop + 1;
    ++number_;
    return true;
  }
  int Number() const { return number_; }

 private:
  std::string_view bytes_;
  std::size_t pos_ = 0;
  int number_ = 0;
};

bool GroupCode(std::string_view line, int& code) {
  line = TrimBlanks(line);
  if (line.empty()) return false;
  const auto [end, ec] = std::from_chars(line.data(), line.data() + line.size(), code);
  return ec == std::errc() && end == line.data() + line.size();
}

int HexValue(char c) {
  if (c >= '0' && c <= '9') return c - '0';
  if (c >= 'A' && c <= 'F') return c - 'A' + 10;
  if (c >= 'a' && c <= 'f') return c - 'a' + 10;
  return -1;
}

// The code point of a "\U+XXXX" escape at `at`, or -1.
long EscapeAt(std::string_view text, std::size_t at) {
  if (text.size() - at < 7 || text.substr(at, 3) != "\\U+") return -1;
  long cp = 0;
  for (std::size_t i = at + 3; i < at + 7; ++i) {
    const int h = HexValue(text[i]);
    if (h < 0) return -1;
    cp = cp * 16 + h;
  }
  return cp;
}

std::string Utf8Of(long cp) {
  std::string s;
  if (cp < 0x80) {
    s += static_cast<char>(cp);
  } else if (cp < 0x800) {
    s += static_cast<char>(0xC0 | (cp >> 6));
    s += static_cast<char>(0x80 | (cp & 0x3F));
  } else {
    s += static_cast<char>(0xE0 | (cp >> 12));
    s += static_cast<char>(0x80 | ((cp >> 6) & 0x3F));
    s += static_cast<char>(0x80 | (cp & 0x3F));
  }
  return s;
}

long CountOf(std::string_view s, char c) { return std::count(s.begin(), s.end(), c); }

// UTF-8 text (escapes already resolved) as CP932, counting what became "?".
std::string Utf8ToCp932Counted(std::string_view utf8, int& replaced) {
  std::string out = rt::Utf8ToCp932(utf8);
  replaced += static_cast<int>(std::max(0L, CountOf(out, '?') - CountOf(utf8, '?')));
  return out;
}

// Text of a single-byte or other code page as UTF-8; bytes it does not know
// become "?". Empty optional when the system has no such code page.
std::optional<std::string> ToUtf8(std::string_view text, const std::string& coding) {
  iconv_t cd = iconv_open("UTF-8", coding.c_str());
  if (cd == reinterpret_cast<iconv_t>(-1)) return std::nullopt;
  std::string out;
  std::string in(text);
  char* inPtr = in.data();
  std::size_t inLeft = in.size();
  char buffer[256];
  while (inLeft > 0) {
    char* outPtr = buffer;
    std::size_t outLeft = sizeof buffer;
    const std::size_t r = iconv(cd, &inPtr, &inLeft, &outPtr, &outLeft);
    out.append(buffer, static_cast<std::size_t>(outPtr - buffer));
    if (r == static_cast<std::size_t>(-1) && errno != E2BIG) {
      out += '?';
      ++inPtr;
      --inLeft;
    }
  }
  iconv_close(cd);
  return out;
}

std::string ResolveEscapesUtf8(std::string_view text) {
  std::string out;
  for (std::size_t i = 0; i < text.size(); ++i) {
    const long cp = text[i] == '\\' ? EscapeAt(text, i) : -1;
    if (cp < 0) {
      out += text[i];
    } else {
      out += Utf8Of(cp);
      i += 6;
    }
  }
  return out;
}

std::string Cp932WithEscapes(std::string_view text, int& replaced) {
  std::string out;
  for (std::size_t i = 0; i < text.size(); ++i) {
    const auto c = static_cast<unsigned char>(text[i]);
    if (rt::IsLeadByte(c) && i + 1 < text.size()) {
      out.append(text.substr(i, 2));
      ++i;
      continue;
    }
    const long cp = c == '\\' ? EscapeAt(text, i) : -1;
    if (cp < 0) {
      out += text[i];
    } else {
      out += Utf8ToCp932Counted(Utf8Of(cp), replaced);
      i += 6;
    }
  }
  return out;
}

// The coding of a drawing's texts from its header values.
std::string CodingOf(std::string_view version, std::string_view codePage) {
  int number = 0;
  if (version.starts_with("AC") && GroupCode(version.substr(2), number) && number >= kFirstUtf8Version) {
    return std::string(kUtf8);
  }
  std::string page = RtUcase(codePage);
  if (page.starts_with("ANSI_")) page = "CP" + page.substr(5);
  if (page.empty() || page == "CP932" || page == "DOS932") return std::string(kCp932);
  return page;
}

// Raw texts decoded once each, the replaced characters counted once per text.
class Decoder {
 public:
  Decoder(std::string coding, int& replaced) : coding_(std::move(coding)), replaced_(replaced) {}
  const std::string& operator()(const std::string& raw) {
    auto found = done_.find(raw);
    if (found == done_.end()) found = done_.emplace(raw, DxfTextToCp932(raw, coding_, replaced_)).first;
    return found->second;
  }

 private:
  std::string coding_;
  int& replaced_;
  std::map<std::string, std::string> done_;
};

}  // namespace

std::string DxfTextToCp932(std::string_view text, const std::string& coding, int& replaced) {
  const bool plain = std::none_of(text.begin(), text.end(), [](char c) { return c & 0x80; }) &&
                     text.find("\\U+") == std::string_view::npos;
  if (plain) return std::string(text);
  if (coding == kCp932) return Cp932WithEscapes(text, replaced);
  if (coding == kUtf8) return Utf8ToCp932Counted(ResolveEscapesUtf8(text), replaced);
  const std::optional<std::string> utf8 = ToUtf8(text, coding);
  if (!utf8) return Cp932WithEscapes(text, replaced);
  return Utf8ToCp932Counted(ResolveEscapesUtf8(*utf8), replaced);
}

double DxfNumber(std::string_view value) {
  value = TrimBlanks(value);
  if (value.starts_with('+')) value.remove_prefix(1);
  double v = 0;
  const auto [end, ec] = std::from_chars(value.data(), value.data() + value.size(), v);
  if (ec == std::errc::invalid_argument) return 0;
  if (ec == std::errc::result_out_of_range) {
    const std::string_view text = value.substr(0, static_cast<std::size_t>(end - value.data()));
    const std::size_t e = text.find_first_of("eE");
    if (e != std::string_view::npos && text.substr(e + 1).starts_with('-')) return 0;
    return text.starts_with('-') ? -std::numeric_limits<double>::infinity()
                                 : std::numeric_limits<double>::infinity();
  }
  return v;
}

DxfDrawing ReadDxfDrawing(std::string_view bytes) {
  DxfDrawing d;
  if (TrimBlanks(bytes).find_first_not_of("\r\n") == std::string_view::npos) {
    d.refusal = "DXFファイルが空です";
    return d;
  }
  Lines lines(bytes);
  std::string version, codePage, section, variable;
  bool sectionName = false, tableName = false, layerTable = false, layerEntry = false;
  bool inEntity = false, ended = false;
  std::vector<std::string> rawLayers;
  // Raw layer and line-type texts of the entities, decoded at the end.
  std::vector<std::optional<std::string>> rawEntityLayers, rawEntityTypes;
  std::string_view codeLine, value;
  while (lines.Next(codeLine)) {
    const int lineNumber = lines.Number();
    int code = 0;
    if (!GroupCode(codeLine, code)) {
      d.refusal = "DXFファイルの " + std::to_string(lineNumber) + " 行目がグループコードではありません";
      return d;
    }
    if (!lines.Next(value)) break;
    value = TrimBlanks(value);
    if (code == 0) {
      inEntity = false;
      layerEntry = false;
      sectionName = tableName = false;
      if (value == "EOF") {
        ended = true;
        break;
      }
      if (value == "SECTION") {
        sectionName = true;
      } else if (value == "ENDSEC") {
        section.clear();
        layerTable = false;
      } else if (section == "TABLES") {
        if (value == "TABLE") tableName = true;
        if (value == "ENDTAB") layerTable = false;
        layerEntry = layerTable && value == "LAYER";
      } else if (section == "ENTITIES") {
        d.entities.push_back({std::string(value), {}, {}, {}, {}, {}, {}, {}, {}, {}, {}, {}});
        rawEntityLayers.emplace_back();
        rawEntityTypes.emplace_back();
        inEntity = true;
      }
      continue;
    }
    if (sectionName && code == 2) {
      section = value;
      sectionName = false;
    } else if (tableName && code == 2) {
      layerTable = value == "LAYER";
      tableName = false;
    } else if (layerEntry && code == 2) {
      rawLayers.emplace_back(value);
      layerEntry = false;
    } else if (section == "HEADER") {
      if (code == 9) variable = value;
      if (code == 1 && variable == "$ACADVER") version = value;
      if (code == 3 && variable == "$DWGCODEPAGE") codePage = value;
    } else if (inEntity) {
      DxfEntity& e = d.entities.back();
      switch (code) {
        case 8: rawEntityLayers.back() = std::string(value); break;
        case 6: rawEntityTypes.back() = std::string(value); break;
        case 10: e.x1 = DxfNumber(value); break;
        case 20: e.y1 = DxfNumber(value); break;
        case 30: e.z1 = DxfNumber(value); break;
        case 11: e.x2 = DxfNumber(value); break;
        case 21: e.y2 = DxfNumber(value); break;
        case 31: e.z2 = DxfNumber(value); break;
        case 40: e.radius = DxfNumber(value); break;
        case 50: e.startAngle = DxfNumber(value); break;
        case 51: e.endAngle = DxfNumber(value); break;
        default: break;
      }
    }
  }
  if (!ended) {
    d = {};
    d.refusal = "DXFファイルが途中で切れています(EOF がありません)";
    return d;
  }
  Decoder decode(CodingOf(version, codePage), d.replacedCharacters);
  for (const std::string& raw : rawLayers) d.layers.push_back(decode(raw));
  for (std::size_t i = 0; i < d.entities.size(); ++i) {
    if (rawEntityLayers[i]) d.entities[i].layer = decode(*rawEntityLayers[i]);
    if (rawEntityTypes[i]) d.entities[i].lineType = decode(*rawEntityTypes[i]);
  }
  return d;
}

}  // namespace transfer
