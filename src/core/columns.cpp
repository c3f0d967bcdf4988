#include "core/columns.h"

#include <vector>

#include "core/numeric.h"
#include "runtime/numtext.h"
#include "runtime/text.h"

namespace {

// The byte offsets at which the characters of `text` begin.
std::vector<size_t> CharacterStarts(std::string_view text) {
  std::vector<size_t> starts;
  for (size_t i = 0; i < text.size();) {
    starts.push_back(i);
    const auto lead = static_cast<unsigned char>(text[i]);
    const bool pair = rt::IsLeadByte(lead) && i + 1 < text.size() &&
                      rt::IsTrailByte(static_cast<unsigned char>(text[i + 1]));
    i += pair ? 2 : 1;
  }
  return starts;
}

// The text of `value` with the three blanks before it and the place of its point.
std::string WindowSource(double value, size_t& point) {
  const std::string text = "   " + Format4Decimals(value);
  point = text.find('.');
  if (point == std::string::npos) point = text.size();
  return text;
}

}  // namespace

std::string columns::PadTo(std::string_view text, int n) {
  if (n <= 0) return {};
  std::string field = rt::CutBytes(text, n);
  field.resize(static_cast<size_t>(n), ' ');
  return field;
}

std::string columns::RightAlign(std::string_view text, int n) {
  if (n <= 0) return {};
  const size_t width = static_cast<size_t>(n);
  if (text.size() <= width) return std::string(width - text.size(), ' ') + std::string(text);
  const size_t cut = text.size() - width;
  for (size_t start : CharacterStarts(text)) {
    if (start >= cut) return std::string(start - cut, ' ') + std::string(text.substr(start));
  }
  return std::string(width, ' ');
}

std::string columns::DecimalWindow(double value, int before, int width) {
  size_t point = 0;
  const std::string text = WindowSource(value, point);
  const size_t start = point >= static_cast<size_t>(before) ? point - before : 0;
  return text.substr(start, static_cast<size_t>(width));
}

bool columns::DecimalWindowFits(double value, int before, int width) {
  size_t point = 0;
  const std::string text = WindowSource(value, point);
  if (point < static_cast<size_t>(before)) return true;
  const size_t start = point - before;
  for (size_t i = 0; i < start; ++i) {
    if (text[i] != ' ') return false;
  }
  // The decimals the window keeps must include the point itself.
  return start + static_cast<size_t>(width) > point;
}

std::string columns::Columns(std::string_view text, int first, int last) {
  if (first < 1 || last < first || static_cast<size_t>(first) > text.size()) return {};
  return std::string(text.substr(static_cast<size_t>(first - 1), static_cast<size_t>(last - first + 1)));
}

double columns::ColumnValue(std::string_view text, int first, int last) {
  return RtVal(RtTrim(Columns(text, first, last)));
}
