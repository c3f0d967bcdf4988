// Key commands of the key loop that act on the dynamic view, the screen pick
// mode, and the word tests.
#include "ui/key_commands.h"

#include <algorithm>
#include <array>
#include <string>

#include "core/app.h"
#include "runtime/clock.h"
#include "runtime/console.h"
#include "runtime/events.h"
#include "runtime/graphics.h"
#include "ui/transform.h"

namespace {

struct ViewCommandKey {
  int code;
  char text;  // 0: the command has no character key
  ViewCommand command;
};

// In the order they are tested.
constexpr std::array<ViewCommandKey, 10> kViewCommandKeys = {{
    {kKeyTab, '\\', ViewCommand::CycleLabelSize},
    {kKeyInsert, 0, ViewCommand::CentreOnLastPoint},
    {kKeyHome, ':', ViewCommand::CentreOnPointer},
    {kKeyPageUp, '[', ViewCommand::ZoomIn},
    {kKeyPageDown, ']', ViewCommand::ZoomOut},
    {kKeyEnd, ';', ViewCommand::ZoomAll},
    {kKeyRight, 0, ViewCommand::PanEast},
    {kKeyLeft, 0, ViewCommand::PanWest},
    {kKeyUp, 0, ViewCommand::PanNorth},
    {kKeyDown, 0, ViewCommand::PanSouth},
}};

bool InRange(int code, int low, int high) { return code >= low && code <= high; }

// ---- View commands ----

constexpr double kLargestFontStep = 4;

void CycleLabelSize(ui::ViewState& v) {
  v.ViewFontStep = v.ViewFontStep == kLargestFontStep ? 0 : v.ViewFontStep + 1;
  RtSetFontSize(RtWindowId::View, v.ViewFontSize + v.ViewFontStep);
}

// Ground metres from the centre of the view to its bottom edge and to its left edge.
double HalfHeightOnGround(const ui::ViewState& v) {
  return v.ViewHalfHeight * v.ViewScale * v.VerticalRatio;
}
double HalfWidthOnGround(const ui::ViewState& v) { return v.ViewHalfWidth * v.ViewScale; }

void CentreOnLastPoint(App& app) {
  ui::ViewState& v = app.view;
  v.ViewOriginX = app.points.LastPointX - HalfHeightOnGround(v);
  v.ViewOriginY = app.points.LastPointY - HalfWidthOnGround(v);
}

// Zooming in halves the scale and centres the view on the pointer; doubling the
// scale first leaves only the centring.
void CentreOnPointer(App& app) {
  app.view.ViewScale = app.view.ViewScale / 0.5;
  ZoomIn(app);
}

// ---- Screen pick mode ----

// The console's columns run 0 to 62; the mark stays within 0 to 61.
constexpr int kLastColumn = rt::kConsoleColumns - 1;
constexpr int kMarkColour = 14;
constexpr int kTextColour = 7;
constexpr int kBlank = ' ';

// Marks the cell left of the cursor: its character in the mark colour, the
// cursor back on the cell. A double-byte character is marked whole, so that the
// mark passes over it without breaking it.
void MarkCell(ui::InputState& in) {
  in.CursorColumn = RtPos();
  in.CursorRow = RtCsrlin();
  const int marked = in.CursorColumn - 1;
  const rt::ScreenCharacter character = rt::ScreenCharacterAt(marked, in.CursorRow);
  in.CursorCharacter = character.bytes;
  rt::PrintScreenCharacter(character, in.CursorRow, kMarkColour);
  RtLocate(marked, in.CursorRow);
  RtColor(kTextColour);
}

// The marked character in the text colour again.
void Unmark(const ui::InputState& in) {
  const int start = rt::ScreenCharacterAt(in.CursorColumn - 1, in.CursorRow).column;
  rt::PrintScreenCharacter({start, in.CursorCharacter}, in.CursorRow, kTextColour);
}

// Writes `text` over the marked cell in the text colour (a character it breaks
// loses its other half), then marks the cell left of `column`.
void OverwriteAndMark(ui::InputState& in, const std::string& text, int column) {
  RtColor(kTextColour);
  RtLocate(in.CursorColumn - 1, in.CursorRow);
  RtPrintStr(text, false);
  RtLocate(column, in.CursorRow);
  MarkCell(in);
}

void MoveMark(ui::InputState& in, int column) {
  Unmark(in);
  RtLocate(column, in.CursorRow);
  MarkCell(in);
}

// Wipes the "? " left of the cursor and marks the cell before it.
void EnterScreenPick(ui::InputState& in) {
  const int column = RtPos() - 2;
  const int row = RtCsrlin();
  RtLocate(column, row);
  RtPrintStr("  ", false);
  RtLocate(column, row);
  MarkCell(in);
}

int KeyCodeOf(const std::string& key) {
  return key.size() == 1 ? static_cast<unsigned char>(key[0]) : -1;
}

// A typed character overwrites the marked cell when it fits before the last
// column: a double-byte one on column 61 would move the console on to the next row.
bool FitsOverMark(const ui::InputState& in) {
  return in.CursorColumn - 1 + static_cast<int>(in.LastKey.size()) <= kLastColumn;
}

// Overtyping moves the mark past the typed character, up to column 61.
void Overtype(ui::InputState& in) {
  const int next = std::min(in.CursorColumn + static_cast<int>(in.LastKey.size()), kLastColumn);
  OverwriteAndMark(in, in.LastKey, next);
}

// One key of the pick mode; true when Enter takes the word.
bool HandlePickKey(ui::InputState& in) {
  const int code = KeyCodeOf(in.LastKey);
  if (code == kKeyRight && in.CursorColumn < kLastColumn) {
    MoveMark(in, in.CursorColumn + 1);
  } else if (code == kKeyLeft && in.CursorColumn > 1) {
    MoveMark(in, in.CursorColumn - 1);
  } else if (code == kKeyBackspace && in.CursorColumn > 1) {
    OverwriteAndMark(in, " ", in.CursorColumn - 1);
  } else if (code == kKeyEnter) {
    return true;
  } else if (in.LastKey >= " " && FitsOverMark(in)) {
    Overtype(in);
  }
  return false;
}

int ReadScreenChar(ui::InputState& in, int column, int row) {
  in.ScreenCharCode = RtScreenChar(column, row);
  return static_cast<int>(in.ScreenCharCode);
}

// The run of non-blank characters that holds the cell right of the mark (or,
// when that cell is blank, the nearest run left of it), cut on its left at its
// last "=".
std::string WordAtMark(ui::InputState& in) {
  const int row = in.CursorRow;
  int start = in.CursorColumn;
  while (start >= 0 && ReadScreenChar(in, start, row) == kBlank) --start;
  if (start < 0) return {};
  int end = start;
  while (end <= kLastColumn) {
    const int code = ReadScreenChar(in, end, row);
    if (code == kBlank || code == 0) break;
    ++end;
  }
  std::string word;
  for (int column = end - 1; column >= 0; --column) {
    const int code = ReadScreenChar(in, column, row);
    if (code == kBlank || code == '=') break;
    word.insert(word.begin(), static_cast<char>(code));
  }
  return word;
}

}  // namespace

std::optional<ViewCommand> MatchViewCommand(int keyCode, std::string_view keyText) {
  for (const ViewCommandKey& key : kViewCommandKeys) {
    const bool textMatches = key.text != 0 && keyText.size() == 1 && keyText[0] == key.text;
    if (keyCode == key.code || textMatches) return key.command;
  }
  return std::nullopt;
}

void RunViewCommand(App& app, ViewCommand command) {
  ui::ViewState& v = app.view;
  switch (command) {
    case ViewCommand::CycleLabelSize:
      CycleLabelSize(v);
      break;
    case ViewCommand::CentreOnLastPoint:
      CentreOnLastPoint(app);
      break;
    case ViewCommand::CentreOnPointer:
      CentreOnPointer(app);
      break;
    case ViewCommand::ZoomIn:
      ZoomIn(app);
      break;
    case ViewCommand::ZoomOut:
      ZoomOut(app);
      break;
    case ViewCommand::ZoomAll:
      ZoomAll(app);
      break;
    case ViewCommand::PanEast:
      v.ViewOriginY += HalfWidthOnGround(v) / 2;
      break;
    case ViewCommand::PanWest:
      v.ViewOriginY -= HalfWidthOnGround(v) / 2;
      break;
    case ViewCommand::PanNorth:
      v.ViewOriginX += HalfHeightOnGround(v) / 2;
      break;
    case ViewCommand::PanSouth:
      v.ViewOriginX -= HalfHeightOnGround(v) / 2;
      break;
  }
  // Zooming in withdraws the request; every command ends with the redraw.
  app.input.ViewRedrawPending = 1;
}

// The mode ends only with Enter; the function keys and the question's mouse
// events stay active meanwhile (they are delivered while the keys are polled).
void ScreenPickMode(App& app) {
  ui::InputState& in = app.input;
  EnterScreenPick(in);
  for (;;) {
    RtWait(1);
    in.LastKey = RtInkey();
    if (HandlePickKey(in)) break;
  }
  in.Answer = WordAtMark(in);
  in.AnswerCopy = in.Answer;
  in.TypedText = in.Answer;
  in.PickAnswered = 1;
}

void TestAnswerWord(App& app) {
  const std::string& answer = app.input.Answer;
  const int first = answer.empty() ? 0 : static_cast<unsigned char>(answer[0]);
  app.input.WordTestResult = InRange(first, 35, 90) || InRange(first, 94, 122) ? 1 : 0;
}

void TestWordCharacter(App& app) {
  const double code = app.input.ScreenCharCode;
  const bool word = (code >= 35 && code <= 90 && code != 44) || (code >= 94 && code <= 122);
  app.input.WordTestResult = word ? 1 : 0;
}
