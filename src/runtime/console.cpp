#include "runtime/console.h"

#include <pango/pangocairo.h>

#include <charconv>
#include <optional>
#include <vector>

#include "runtime/console_state.h"
#include "runtime/errors.h"
#include "runtime/events.h"
#include "runtime/graphics.h"
#include "runtime/palette.h"
#include "runtime/runtime.h"
#include "runtime/text.h"

namespace {

constexpr int kColumns = ConsoleState::kColumns;
constexpr int kRows = ConsoleState::kRows;
constexpr int kZoneWidth = 14;

ConsoleState& State() { return *CurrentRuntime().console; }

bool IsControl(unsigned char c) { return c < 0x20 || c == 0x7F; }

// Byte length of the character at `pos` of CP932 text: 2 for a lead byte with a
// valid trail byte after it, else 1.
size_t CharacterLength(std::string_view text, size_t pos) {
  const auto c = static_cast<unsigned char>(text[pos]);
  if (rt::IsLeadByte(c) && pos + 1 < text.size() &&
      rt::IsTrailByte(static_cast<unsigned char>(text[pos + 1]))) {
    return 2;
  }
  return 1;
}

std::string RowText(const ConsoleState& s, int row) {
  std::string cp932;
  cp932.reserve(kColumns);
  for (int col = 0; col < kColumns; ++col) {
    const ConsoleCell& cell = s.at(col, row);
    const bool control = cell.part == ConsoleCell::Part::Single && IsControl(cell.byte);
    cp932 += control ? '?' : static_cast<char>(cell.byte);
  }
  const size_t end = cp932.find_last_not_of(' ');
  cp932.resize(end == std::string::npos ? 0 : end + 1);
  return rt::Cp932ToUtf8(cp932);
}

void Emit(const ConsoleState& s, std::string_view line) {
  if (s.transcript) s.transcript(line);
}

// The transcript gets the cursor's row when something was printed on it; the
// cursor is leaving the row.
void WriteRow(ConsoleState& s) {
  s.rowFlushed = false;
  if (!s.rowWritten) return;
  s.rowWritten = false;
  Emit(s, RowText(s, s.row));
}

// The transcript gets the cursor's row when something was printed on it, while
// the cursor stays there (before a line of another kind).
void FlushRow(ConsoleState& s) {
  if (!s.rowWritten) return;
  s.rowWritten = false;
  s.rowFlushed = true;
  Emit(s, RowText(s, s.row));
}

void Blank(ConsoleCell& cell, const ConsoleState& s) {
  cell = ConsoleCell{};
  cell.foreground = s.foreground;
  cell.background = s.background;
}

// Before a cell is written: a double-byte character it is half of loses its
// other half, which becomes a blank.
void BreakPair(ConsoleState& s, int col, int row) {
  ConsoleCell& cell = s.at(col, row);
  if (cell.part == ConsoleCell::Part::Lead && col + 1 < kColumns) {
    s.at(col + 1, row).byte = ' ';
    s.at(col + 1, row).part = ConsoleCell::Part::Single;
  } else if (cell.part == ConsoleCell::Part::Trail && col > 0) {
    s.at(col - 1, row).byte = ' ';
    s.at(col - 1, row).part = ConsoleCell::Part::Single;
  }
  cell.part = ConsoleCell::Part::Single;
}

void ScrollArea(ConsoleState& s) {
  const int last = s.areaTop + s.areaRows - 1;
  for (int row = s.areaTop; row < last; ++row) {
    for (int col = 0; col < kColumns; ++col) s.at(col, row) = s.at(col, row + 1);
  }
  for (int col = 0; col < kColumns; ++col) Blank(s.at(col, last), s);
}

// The cursor goes to the start of the next row, scrolling the text area when it
// is on the area's last row.
void NewLine(ConsoleState& s) {
  WriteRow(s);
  s.column = 0;
  if (s.row == s.areaTop + s.areaRows - 1) {
    ScrollArea(s);
  } else if (s.row < kRows - 1) {
    ++s.row;
  }
}

// A line end is a line of the transcript of its own, even on an empty row;
// only a row the transcript has just had is not written again.
void LineEnd(ConsoleState& s) {
  if (!s.rowFlushed) s.rowWritten = true;
  NewLine(s);
}

void PutCharacter(ConsoleState& s, std::string_view bytes) {
  const int width = static_cast<int>(bytes.size());
  if (s.column + width > kColumns) NewLine(s);
  for (int i = 0; i < width; ++i) {
    BreakPair(s, s.column + i, s.row);
    ConsoleCell& cell = s.at(s.column + i, s.row);
    cell.byte = static_cast<uint8_t>(bytes[static_cast<size_t>(i)]);
    cell.foreground = s.foreground;
    cell.background = s.background;
    cell.reverse = s.reverse;
    cell.part = width == 1 ? ConsoleCell::Part::Single
                : i == 0   ? ConsoleCell::Part::Lead
                           : ConsoleCell::Part::Trail;
  }
  s.rowWritten = true;
  s.column += width;
  if (s.column >= kColumns) NewLine(s);
}

void Print(ConsoleState& s, std::string_view text) {
  for (size_t pos = 0; pos < text.size();) {
    const size_t length = CharacterLength(text, pos);
    PutCharacter(s, text.substr(pos, length));
    pos += length;
  }
}

void Blanks(ConsoleState& s, int count) {
  for (int i = 0; i < count; ++i) PutCharacter(s, " ");
}

// Line input: one cell back, blanking it (to the end of the row above at the
// start of a row).
void EraseBack(ConsoleState& s) {
  if (s.column > 0) {
    --s.column;
  } else if (s.row > 0) {
    WriteRow(s);
    --s.row;
    s.column = kColumns - 1;
  } else {
    return;
  }
  BreakPair(s, s.column, s.row);
  Blank(s.at(s.column, s.row), s);
  s.rowWritten = true;
}

bool IsKey(const std::string& key, int code) {
  return key.size() == 1 && static_cast<unsigned char>(key[0]) == code;
}

std::string ReadLine() {
  std::string line;
  std::vector<size_t> lengths;  // of the typed characters, for Backspace
  for (;;) {
    const std::string key = rt::WaitForKey();
    ConsoleState& s = State();
    if (key.empty()) continue;
    if (IsKey(key, 13)) {
      LineEnd(s);
      return line;
    }
    if (IsKey(key, 8)) {
      if (lengths.empty()) continue;
      const size_t length = lengths.back();
      lengths.pop_back();
      line.resize(line.size() - length);
      for (size_t i = 0; i < length; ++i) EraseBack(s);
      continue;
    }
    if (key.size() == 1 && IsControl(static_cast<unsigned char>(key[0]))) continue;
    line += key;
    lengths.push_back(key.size());
    Print(s, key);
  }
}

// The whole of `text` as a number: sign, digits with one point, an exponent
// with E or D. Empty when it is no number.
std::optional<std::string> NumberSyntax(std::string_view text) {
  std::string out;
  size_t pos = 0;
  auto digits = [&] {
    const size_t start = pos;
    while (pos < text.size() && text[pos] >= '0' && text[pos] <= '9') out += text[pos++];
    return pos - start;
  };
  if (pos < text.size() && (text[pos] == '+' || text[pos] == '-')) {
    if (text[pos] == '-') out += '-';
    ++pos;
  }
  size_t mantissa = digits();
  if (pos < text.size() && text[pos] == '.') {
    out += text[pos++];
    mantissa += digits();
  }
  if (mantissa == 0) return std::nullopt;
  if (pos < text.size() && std::string_view("EeDd").find(text[pos]) != std::string_view::npos) {
    out += 'e';
    ++pos;
    if (pos < text.size() && (text[pos] == '+' || text[pos] == '-')) out += text[pos++];
    if (digits() == 0) return std::nullopt;
  }
  if (pos != text.size()) return std::nullopt;
  return out;
}

double ReadNumber(std::string_view line, const std::source_location& where) {
  const std::string text = RtTrim(line);
  if (text.empty()) return 0;
  const auto syntax = NumberSyntax(text);
  if (!syntax) RtRaise(kErrTypeMismatch, where);
  double value = 0;
  const auto result = std::from_chars(syntax->data(), syntax->data() + syntax->size(), value);
  if (result.ec == std::errc::result_out_of_range) {
    // Underflow reads as 0; overflow is an error.
    const bool tooSmall = syntax->find("e-") != std::string::npos;
    if (!tooSmall) RtRaise(kErrOverflow, where);
    return 0;
  }
  if (result.ec != std::errc()) RtRaise(kErrTypeMismatch, where);
  return value;
}

void CheckColour(int colour, const std::source_location& where) {
  if (colour < -1 || colour > 15) RtRaise(kErrIllegalArgument, where);
}

// ---- Painting ----

void SetColour(cairo_t* cr, int colour) {
  const rt::RgbFractions rgb = rt::Fractions(rt::PaletteRgb(colour));
  cairo_set_source_rgb(cr, rgb.red, rgb.green, rgb.blue);
}

void PaintBackgrounds(cairo_t* cr, const ConsoleState& s) {
  for (int row = 0; row < kRows; ++row) {
    for (int col = 0; col < kColumns; ++col) {
      const ConsoleCell& cell = s.at(col, row);
      SetColour(cr, cell.reverse ? cell.foreground : cell.background);
      cairo_rectangle(cr, col * rt::kCellWidth, row * rt::kCellHeight, rt::kCellWidth,
                      rt::kCellHeight);
      cairo_fill(cr);
    }
  }
}

void PaintCharacters(cairo_t* cr, const ConsoleState& s) {
  PangoLayout* layout = pango_cairo_create_layout(cr);
  PangoFontDescription* font = pango_font_description_from_string("IPAGothic, monospace");
  pango_font_description_set_absolute_size(font, 16 * PANGO_SCALE);
  pango_layout_set_font_description(layout, font);
  for (int row = 0; row < kRows; ++row) {
    for (int col = 0; col < kColumns; ++col) {
      const ConsoleCell& cell = s.at(col, row);
      if (cell.part == ConsoleCell::Part::Trail || cell.byte == ' ') continue;
      if (cell.part == ConsoleCell::Part::Single && IsControl(cell.byte)) continue;
      std::string bytes(1, static_cast<char>(cell.byte));
      if (cell.part == ConsoleCell::Part::Lead) bytes += static_cast<char>(s.at(col + 1, row).byte);
      const std::string utf8 = rt::Cp932ToUtf8(bytes);
      pango_layout_set_text(layout, utf8.c_str(), static_cast<int>(utf8.size()));
      SetColour(cr, cell.reverse ? cell.background : cell.foreground);
      cairo_move_to(cr, col * rt::kCellWidth, row * rt::kCellHeight + 1);
      pango_cairo_show_layout(cr, layout);
    }
  }
  pango_font_description_free(font);
  g_object_unref(layout);
}

}  // namespace

void RtCls(RtWindowId window, std::source_location where) {
  if (window == RtWindowId::Printer) RtRaise(kErrIllegalArgument, where);
  if (window != RtWindowId::Main) {
    rt::ClearWindowGraphics(window);
    return;
  }
  ConsoleState& s = State();
  WriteRow(s);
  for (ConsoleCell& cell : s.cells) {
    Blank(cell, s);
  }
  s.column = 0;
  s.row = s.areaTop;
}

void RtLocate(int column, int row, std::source_location where) {
  if (column < 0 || column >= kColumns || row < 0 || row >= kRows) {
    RtRaise(kErrIllegalArgument, where);
  }
  ConsoleState& s = State();
  if (row != s.row) WriteRow(s);
  s.column = column;
  s.row = row;
}

int RtPos() { return State().column; }
int RtCsrlin() { return State().row; }

void RtColor(int foreground, int background, int mode, std::source_location where) {
  CheckColour(foreground, where);
  CheckColour(background, where);
  if (mode != -1 && mode != 1 && mode != 4) RtRaise(kErrIllegalArgument, where);
  ConsoleState& s = State();
  if (foreground >= 0) s.foreground = static_cast<uint8_t>(foreground);
  if (background >= 0) s.background = static_cast<uint8_t>(background);
  if (mode != -1) s.reverse = mode == 1;
}

void RtPrintStr(std::string_view text, bool lineEnd) {
  ConsoleState& s = State();
  Print(s, text);
  if (lineEnd) LineEnd(s);
}

void RtPrintNum(double value, bool lineEnd) { RtPrintStr(RtNumText(value), lineEnd); }

void RtPrintZone() {
  ConsoleState& s = State();
  const int next = (s.column / kZoneWidth + 1) * kZoneWidth;
  if (next >= kColumns) {
    LineEnd(s);
    return;
  }
  Blanks(s, next - s.column);
}

void RtPrintTab(int column, std::source_location where) {
  if (column < 0 || column >= kColumns) RtRaise(kErrIllegalArgument, where);
  ConsoleState& s = State();
  if (s.column > column) LineEnd(s);
  Blanks(s, column - s.column);
}

void RtPrintUsingNum(std::string_view tmpl, std::span<const RtUsingItem> items, bool lineEnd,
                     std::source_location where) {
  RtPrintStr(RtFormatUsing(tmpl, items, where), lineEnd);
}

void RtPrintUsingNum(std::string_view tmpl, std::initializer_list<RtUsingItem> items,
                     bool lineEnd, std::source_location where) {
  RtPrintStr(RtFormatUsing(tmpl, items, where), lineEnd);
}

void RtConsole(int firstRow, int rowCount, std::source_location where) {
  if (firstRow < 0 || rowCount < 1 || firstRow + rowCount > kRows) {
    RtRaise(kErrIllegalArgument, where);
  }
  ConsoleState& s = State();
  WriteRow(s);
  s.areaTop = firstRow;
  s.areaRows = rowCount;
  s.column = 0;
  s.row = firstRow;
}

int RtScreenChar(int column, int row) {
  if (column < 0 || column >= kColumns || row < 0 || row >= kRows) return 0;
  return State().at(column, row).byte;
}

void RtInputFromWindow(std::string_view prompt) { RtPrintStr(prompt, false); }

void RtInputVars(std::string& field) { field = ReadLine(); }

void RtInputVars(double& value, std::source_location where) {
  value = ReadNumber(ReadLine(), where);
}

void rt::SetTranscriptSink(std::function<void(std::string_view)> sink) {
  Runtime& runtime = CurrentRuntime();
  const bool set = static_cast<bool>(sink);
  runtime.console->transcript = std::move(sink);
  if (set) {
    runtime.noteSink = [](const std::string& line) { TranscriptLine(line); };
  } else {
    runtime.noteSink = nullptr;
  }
}

void rt::TranscriptLine(std::string_view utf8Line) {
  ConsoleState& s = State();
  FlushRow(s);
  Emit(s, utf8Line);
}

void rt::FlushTranscript() { FlushRow(State()); }

void rt::WriteScreenToTranscript() {
  ConsoleState& s = State();
  FlushRow(s);
  Emit(s, "[screen]");
  for (int row = 0; row < kRows; ++row) Emit(s, "|" + RowText(s, row));
}

std::string rt::ConsoleRowText(int row) {
  if (row < 0 || row >= kRows) return {};
  return RowText(State(), row);
}

rt::ScreenCharacter rt::ScreenCharacterAt(int column, int row) {
  constexpr int kLastColumn = kColumns - 1;
  int start = 0;
  for (;;) {
    const int code = RtScreenChar(start, row);
    const bool pair = rt::IsLeadByte(static_cast<unsigned char>(code)) && start < kLastColumn &&
                      rt::IsTrailByte(static_cast<unsigned char>(RtScreenChar(start + 1, row)));
    const int width = pair ? 2 : 1;
    if (start + width > column) {
      std::string bytes(1, static_cast<char>(code));
      if (pair) bytes += static_cast<char>(RtScreenChar(start + 1, row));
      return {start, bytes};
    }
    start += width;
  }
}

void rt::PrintScreenCharacter(const ScreenCharacter& character, int row, int colour,
                              std::source_location where) {
  if (character.column + static_cast<int>(character.bytes.size()) > kColumns - 1) return;
  RtColor(colour, -1, -1, where);
  RtLocate(character.column, row, where);
  RtPrintStr(character.bytes, false);
}

void rt::DrawConsole(cairo_t* cr) {
  const ConsoleState& s = State();
  cairo_save(cr);
  PaintBackgrounds(cr, s);
  PaintCharacters(cr, s);
  cairo_restore(cr);
}
