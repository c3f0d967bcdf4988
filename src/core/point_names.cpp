#include "core/point_names.h"

#include <string>
#include <string_view>

#include "core/app.h"
#include "runtime/numtext.h"
#include "runtime/text.h"

namespace {

// How many characters of a name the split looks at, from its start.
constexpr int kScannedLength = 16;
constexpr std::string_view kFullWidthBlank = "\x81\x40";

// The digits, and ":" and ";" (codes 48 to 59), count as digits of a trailing number.
bool CountsAsDigit(char c) { return c >= 48 && c <= 59; }

}  // namespace

std::string DefaultPointName(int number) { return " " + std::to_string(number); }

bool IsFreePoint(const App& app, int number) {
  return app.points.PointX(number) == 0 && app.points.PointName(number) == DefaultPointName(number);
}

std::string NormalizedPointName(const std::string& name) {
  size_t start = 0;
  while (start < name.size() && (name[start] == ' ' || name[start] == '0')) ++start;
  std::string result = TrimTrailingBlanks(std::string_view(name).substr(start));
  if (RtVal(result) != 0) result.insert(0, " ");
  return result;
}

void NormalizePointNames(App& app) {
  points::Store& p = app.points;
  const int capacity = RtWhole(p.PointCapacity);
  for (int i = 1; i <= capacity; ++i) p.PointName(i) = NormalizedPointName(p.PointName(i));
}

void CaretToSpaceInAnswer(App& app) {
  std::string& answer = app.input.Answer;
  if (answer.empty() || answer[0] != '^') return;
  answer[0] = ' ';
}

void StripLastCharOfAnswer(App& app) {
  std::string& answer = app.input.Answer;
  if (!answer.empty()) answer.pop_back();
  app.area.LastStrippedAnswer = answer;
}

std::string TrimTrailingBlanks(std::string_view text) {
  // Walk the characters from the start, so that a trail byte is never taken for
  // a blank; remember where the last character that is not a blank ends.
  size_t end = 0;
  size_t i = 0;
  while (i < text.size()) {
    const bool doubleByte =
        rt::IsLeadByte(static_cast<unsigned char>(text[i])) && i + 1 < text.size();
    const size_t width = doubleByte ? 2 : 1;
    const std::string_view character = text.substr(i, width);
    i += width;
    if (character != " " && character != kFullWidthBlank) end = i;
  }
  return std::string(text.substr(0, end));
}

void SplitPointName(App& app) {
  ui::InputState& in = app.input;
  if (!in.Answer.empty() && in.Answer[0] >= '1' && in.Answer[0] <= '9') {
    app.shell.PointNamePrefix = " ";
    // The number the name begins with, read from the name itself: a caller that
    // sets Answer without asking leaves AnswerValue belonging to another answer.
    app.shell.PointNameNumber = RtVal(in.Answer);
    in.Answer.insert(0, " ");
  }
  SplitPointNameTail(app);
}

void SplitPointNameTail(App& app) {
  std::string& answer = app.input.Answer;
  answer = TrimTrailingBlanks(answer);
  if (answer.empty() || !rt::IsDigit(answer.back())) return;
  // Padded with "8"s, a name shorter than the scan is scanned from its last character.
  const std::string padded = answer + std::string(kScannedLength, '8');
  for (int p = kScannedLength; p >= 1; --p) {
    if (!CountsAsDigit(padded[p - 1])) {
      app.shell.PointNamePrefix = answer.substr(0, p);
      app.shell.PointNameNumber = RtVal(RtMid(answer, p + 1, kScannedLength));
      return;
    }
  }
  // Sixteen digits and more: the series goes on as it was.
}

void NextPointName(App& app) {
  const shell::ShellState& s = app.shell;
  // The number text without its sign position, at most eight characters.
  app.input.Answer = s.PointNamePrefix + RtMid(RtStr(s.PointNameNumber + 1), 2, 8);
}
