// The coordinate table screen polls the keyboard itself, every 10 ms, in two
// modes: browsing prints one row per step at the cursor and lets the console
// scroll; editing moves a marked cell over what the console shows and, on
// Enter, reads a whole row back from the console cells.
//
// A row is read back only when this screen printed it: the screen keeps which
// console row shows which point, and with which name overflow, so that a report
// or prompt line the edit cursor can also reach is never taken for a point, and
// a row whose number the user changed is read by the layout it was printed with.
// Fields the user left as printed keep the stored values whole (a name longer
// than the row shows, an attribute and its exact length, every decimal).
#include "points/table_screen.h"

#include <algorithm>
#include <cmath>
#include <exception>
#include <map>
#include <string>
#include <string_view>

#include "core/app.h"
#include "core/point_names.h"
#include "core/sound.h"
#include "points/resolver.h"
#include "runtime/clock.h"
#include "runtime/console.h"
#include "runtime/events.h"
#include "runtime/numtext.h"
#include "runtime/text.h"
#include "runtime/windows.h"
#include "ui/input.h"
#include "ui/navigator.h"
#include "ui/view.h"

namespace {

constexpr double kBrowseGuide = 236;
constexpr double kEditGuide = 238;
constexpr double kJumpGuide = 102;

constexpr int kTextColour = 7;
constexpr int kBackwardColour = 2;  // rows printed going back
constexpr int kCountColour = 5;
constexpr int kMarkColour = 14;

constexpr int kLastColumn = rt::kConsoleColumns - 1;
constexpr int kLastEditColumn = kLastColumn - 1;
constexpr int kJumpOptionColumn = 48;
constexpr int kEditStartColumn = 6;  // the first character of the name field

// The row: number, blank, the name section, X, Y, Z and the attribute. The name
// section holds the name's first 12 + k bytes (k the name overflow), cut on a
// character boundary and padded with blanks, so that the later fields start
// where the read-back looks for them.
constexpr std::string_view kCoordinateTableRowFormat =
    "##### @ #######.### #######.### #####.### @";
constexpr int kNameFieldWidth = 12;
constexpr int kMaxNameOverflow = 4;
constexpr int kAttributeWidth = 9;
constexpr int kAttributeColumn = 53;

// Rows shorter than this without their trailing blanks are no table rows.
constexpr size_t kShortestTableRow = 40;

// Where a row read back holds each field, for a name overflow k.
struct Field {
  int column;
  int width;
};
Field NameField(int k) { return {5, 13 + k}; }
Field XField(int k) { return {18 + k, 12}; }
Field YField(int k) { return {30 + k, 12}; }
Field ZField(int k) { return {42 + k, 10}; }
// The attribute as the row shows it (to column 61), and as it is read (to 62).
Field ShownAttributeField(int k) { return {kAttributeColumn + k, kAttributeWidth - k}; }
Field AttributeField(int k) { return {kAttributeColumn + k, kAttributeWidth + 1 - k}; }

std::string FieldText(const std::string& row, Field field) {
  return row.substr(static_cast<size_t>(field.column), static_cast<size_t>(field.width));
}

// Text read from console cells without a lead byte whose other half was cut off.
std::string WholeCharacters(std::string text) {
  size_t pos = 0;
  while (pos < text.size()) {
    const bool lead = rt::IsLeadByte(static_cast<unsigned char>(text[pos]));
    if (lead && pos + 1 == text.size()) {
      text.pop_back();
      break;
    }
    pos += lead ? 2 : 1;
  }
  return text;
}

// The 63 bytes of a console row (a cell never written reads as a blank).
std::string ConsoleRow(int row) {
  std::string text;
  text.reserve(rt::kConsoleColumns);
  for (int column = 0; column < rt::kConsoleColumns; ++column) {
    text += static_cast<char>(RtScreenChar(column, row));
  }
  return text;
}

// How many bytes of a name lie beyond the name field: its length without
// trailing blanks, less 12, within 0 to 4.
int NameOverflowOf(const std::string& name) {
  const size_t end = name.find_last_not_of(' ');
  const int length = end == std::string::npos ? 0 : static_cast<int>(end) + 1;
  return std::clamp(length - kNameFieldWidth, 0, kMaxNameOverflow);
}

// Prompt lines, menu lines and short lines are not rows of the table.
bool LooksLikeTableRow(const std::string& row) {
  const bool marked = RtInstr(row, "?") > 0 || RtInstr(row, ":") > 0 || RtInstr(row, "：") > 0;
  return !marked && TrimTrailingBlanks(row).size() >= kShortestTableRow;
}

// A number the table has a row for: whole, 1 to PointCapacity.
bool IsTableNumber(const App& app, double number) {
  return number >= 1 && number <= app.points.PointCapacity && number == std::floor(number);
}

int KeyCode(const std::string& key) {
  return key.size() == 1 ? static_cast<unsigned char>(key[0]) : -1;
}

// A character that can be typed into a cell (not a control code).
bool IsPrintable(const std::string& key) {
  if (key.empty()) return false;
  const auto first = static_cast<unsigned char>(key[0]);
  return first >= ' ' && first != 0x7F;
}

// What the screen printed on a console row.
struct PrintedRow {
  int point;
  int nameOverflow;
  std::string text;  // the row's 63 cells right after printing
};

enum class Step { Restart, ShowRow, Leave };

class TableScreen {
 public:
  explicit TableScreen(App& app) : app_(app), p_(app.points), in_(app.input) {}

  void Run() {
    Step step = Step::Restart;
    for (;;) {
      switch (step) {
        case Step::Restart:
          Restart();
          step = Step::ShowRow;
          break;
        case Step::ShowRow:
          ShowCurrentRow();
          step = Browse();
          break;
        case Step::Leave:
          RtColor(kTextColour);
          RtLocate(0, RtWhole(p_.TableBottomRow));
          return;
      }
    }
  }

 private:
  // ---- Start and rows ----

  void Restart() {
    in_.GuideNumber = kBrowseGuide;
    ShowGuideNext(app_);
    p_.TableBottomRow = 0;
    BindMouse(kMouseLeftDown, "+");
    BindMouse(kMouseRightDown, std::string(1, static_cast<char>(kKeyEnter)));
  }

  // A press stands for a key: the browse loop finds it in Answer.
  void BindMouse(int event, const std::string& key) {
    ui::InputState& in = in_;
    RtOnMouseGosub(event, [&in, key] { in.Answer = key; });
    RtMouseOnOff(event, true);
  }

  void ShowCurrentRow() {
    if (p_.TablePointNumber <= 1) p_.TablePointNumber = 1;
    p_.TableBottomRow = std::max<double>(p_.TableBottomRow, RtCsrlin());
    DrawPreviousPoint();
    p_.TablePointNumber = RtWhole(std::min(p_.TablePointNumber, p_.PointCapacity));
    app_.view.PointToDraw = p_.TablePointNumber;
    DrawPointHighlighted(app_);
    PrintRow(RtWhole(p_.TablePointNumber));
  }

  // The point highlighted before, in its normal colours again.
  void DrawPreviousPoint() {
    const double previous = app_.view.PointToDraw;
    if (IsTableNumber(app_, std::round(previous))) DrawPoint(app_);
  }

  std::string ShownAttribute(int n, int k) const {
    return rt::CutBytes(p_.PointAttribute(n), kAttributeWidth - k);
  }

  std::string FormatRow(int n, int k) const {
    std::string nameSection = rt::CutBytes(p_.PointName(n), kNameFieldWidth + k);
    nameSection.resize(static_cast<size_t>(kNameFieldWidth + k), ' ');
    return RtFormatUsing(
        kCoordinateTableRowFormat,
        {double(n), nameSection, p_.PointX(n), p_.PointY(n), p_.PointZ(n), ShownAttribute(n, k)});
  }

  // Prints the row of point n at the cursor. A row in its layout, printed from
  // column 0, is written over the whole console row (the blanks clear what an
  // earlier line left there) and ends by running past the last column.
  void PrintRow(int n) {
    const int k = NameOverflowOf(p_.PointName(n));
    p_.NameOverflow = k;
    const std::string text = FormatRow(n, k);
    const size_t layoutWidth =
        static_cast<size_t>(kAttributeColumn + k) + ShownAttribute(n, k).size();
    const int startRow = RtCsrlin();
    const bool laidOut = RtPos() == 0 && text.size() == layoutWidth;
    if (laidOut) {
      RtPrintStr(text + std::string(rt::kConsoleColumns - text.size(), ' '), false);
    } else {
      RtPrintStr(text, true);  // a value too wide for its field: shown, never read back
    }
    NoteRowPrinted(startRow, laidOut, n, k);
  }

  // Keeps which console row shows which point. The console scrolled when the row
  // was printed on the last row of its text area.
  void NoteRowPrinted(int startRow, bool laidOut, int n, int k) {
    const int now = RtCsrlin();
    int printedOn = -1;
    if (laidOut && now == startRow + 1) {
      printedOn = startRow;
    } else if (laidOut && now == startRow && startRow == in_.TextAreaRows - 1 && startRow > 0) {
      ScrollRowsUp(startRow);
      printedOn = startRow - 1;
    }
    if (printedOn < 0) {
      rows_.clear();  // where the rows went is not known
      return;
    }
    rows_[printedOn] = {n, k, ConsoleRow(printedOn)};
  }

  // The text area (rows 0 to `bottom`) moved up by one row.
  void ScrollRowsUp(int bottom) {
    std::map<int, PrintedRow> moved;
    for (auto& [row, printed] : rows_) {
      if (row > bottom) {
        moved.emplace(row, std::move(printed));
      } else if (row > 0) {
        moved.emplace(row - 1, std::move(printed));
      }
    }
    rows_ = std::move(moved);
  }

  // ---- Browse ----

  // Pause, then the next key. A mouse press delivered meanwhile has put its key
  // into Answer already; a key of the keyboard takes its place.
  void PollBrowseKey() {
    in_.Answer.clear();
    RtWait(1);
    std::string key = RtInkey();
    if (!key.empty()) in_.Answer = std::move(key);
    RtActivateWindow(RtWindowId::Main);
  }

  Step Browse() {
    for (;;) {
      PollBrowseKey();
      const std::string& key = in_.Answer;
      const int code = KeyCode(key);
      if (code == kKeyDown || key == "+") {
        p_.TablePointNumber += 1;
        RtColor(kTextColour);
        return Step::ShowRow;
      }
      if (code == kKeyUp || key == "-") {
        p_.TablePointNumber -= 1;
        RtColor(kBackwardColour);
        return Step::ShowRow;
      }
      if (code == kKeyEnter || key == "=" || key == "P" || key == "p") return Step::Leave;
      if (code == kKeyLeft) {
        JumpToPoint();
        return Step::Restart;
      }
      if (code == kKeyRight) return EditRows();
    }
  }

  void JumpToPoint() {
    const int row = RtCsrlin();
    RtLocate(kJumpOptionColumn, row);
    RtPrintStr("[J,M,Q]", false);
    RtColor(kCountColour);
    RtPrintNum(p_.PointCount, false);
    RtColor(kTextColour);
    RtLocate(0, row);
    RtPrintStr("NO.", false);
    in_.GuideNumber = kJumpGuide;
    InputPointName(app_);
    ResolvePointNumberOrName(app_);
    p_.TablePointNumber = p_.WorkPointY;
    rows_.clear();  // the question and the resolver's lists may have scrolled the console
  }

  // ---- Edit mode ----

  Step EditRows() {
    editColumn_ = kEditStartColumn;
    editRow_ = std::max(RtCsrlin() - 1, 0);
    in_.GuideNumber = kEditGuide;
    ShowGuideNext(app_);
    MarkCell();
    for (;;) {
      RtWait(1);
      in_.LastKey = RtInkey();
      RtActivateWindow(RtWindowId::Main);
      const int code = KeyCode(in_.LastKey);
      if (code == kKeyRight && editColumn_ < kLastEditColumn) {
        MoveMark(editColumn_ + 1, editRow_);
      } else if (code == kKeyLeft && editColumn_ > 0) {
        MoveMark(editColumn_ - 1, editRow_);
      } else if (code == kKeyDown && editRow_ < p_.TableBottomRow) {
        MoveMark(editColumn_, editRow_ + 1);
      } else if (code == kKeyUp && editRow_ > 0) {
        MoveMark(editColumn_, editRow_ - 1);
      } else if (code == kKeyEscape) {
        UnmarkCell();
        RtLocate(0, editRow_);
        return Step::Restart;
      } else if (code == kKeyEnter) {
        UnmarkCell();
        return ReadBackRow(editRow_);
      } else if (IsPrintable(in_.LastKey)) {
        TypeIntoCell(in_.LastKey);
      }
    }
  }

  // The cell under the edit cursor in the mark colour, the console's cursor on it.
  void MarkCell() {
    const rt::ScreenCharacter character = rt::ScreenCharacterAt(editColumn_, editRow_);
    p_.CellUnderCursor = character.bytes;
    markStart_ = character.column;
    rt::PrintScreenCharacter(character, editRow_, kMarkColour);
    RtLocate(editColumn_, editRow_);
    RtColor(kTextColour);
  }

  void UnmarkCell() {
    rt::PrintScreenCharacter({markStart_, p_.CellUnderCursor}, editRow_, kTextColour);
    RtLocate(editColumn_, editRow_);
  }

  void MoveMark(int column, int row) {
    UnmarkCell();
    editColumn_ = column;
    editRow_ = row;
    MarkCell();
  }

  // The typed character overwrites the cell; the edit cursor moves past it, but
  // not past column 61. A double-byte character does not fit on column 61.
  void TypeIntoCell(const std::string& key) {
    const int width = static_cast<int>(key.size());
    if (editColumn_ + width - 1 > kLastEditColumn) return;
    RtColor(kTextColour);
    RtLocate(editColumn_, editRow_);
    RtPrintStr(key, false);
    editColumn_ = std::min(editColumn_ + width, kLastEditColumn);
    MarkCell();
  }

  // ---- Read-back ----

  Step ReadBackRow(int row) {
    RtLocate(0, row);
    p_.EditedRowText = ConsoleRow(row);
    const double kept = p_.TablePointNumber;
    p_.TablePointNumber = RtVal(p_.EditedRowText);
    const auto printed = rows_.find(row);
    if (p_.TablePointNumber == 0 || !LooksLikeTableRow(p_.EditedRowText) ||
        !IsTableNumber(app_, p_.TablePointNumber) || printed == rows_.end()) {
      p_.TablePointNumber = kept;
      return Step::ShowRow;  // printed over the refused row
    }
    StoreRow(RtWhole(p_.TablePointNumber), printed->second);
    PlaySound(app_, "ding.wav");
    return Step::Restart;
  }

  bool FieldUnchanged(const PrintedRow& printed, Field field) const {
    return FieldText(p_.EditedRowText, field) == FieldText(printed.text, field);
  }

  // Writes the row into point n, which is the printed point unless the user
  // changed the row's number.
  void StoreRow(int n, const PrintedRow& printed) {
    const int k = printed.nameOverflow;
    p_.NameOverflow = k;
    StoreName(n, printed);
    StoreCoordinate(p_.PointX, n, printed, XField(k));
    StoreCoordinate(p_.PointY, n, printed, YField(k));
    StoreCoordinate(p_.PointZ, n, printed, ZField(k));
    StoreAttribute(n, printed);
  }

  void StoreName(int n, const PrintedRow& printed) {
    const Field field = NameField(printed.nameOverflow);
    const std::string source = FieldUnchanged(printed, field)
                                   ? p_.PointName(printed.point)
                                   : WholeCharacters(FieldText(p_.EditedRowText, field));
    std::string name = RtTrim(source);
    if (RtVal(name) != 0) name = " " + name;
    const std::string old = p_.PointName(n);
    p_.PointName(n) = name;
    if (name != old) RenameLineVertices(n, name);
  }

  void RenameLineVertices(int n, const std::string& name) {
    cad::Lines& lines = app_.lines;
    const int count = RtWhole(lines.LineVertexCount);
    for (int i = 0; i <= count; ++i) {
      if (lines.LinePointNumber(i) == n) lines.LinePointName(i) = name;
    }
  }

  // A changed value is stored unless it equals the stored one rounded to 0.001,
  // which keeps the stored decimals.
  void StoreCoordinate(RtTable<double>& column, int n, const PrintedRow& printed, Field field) {
    if (FieldUnchanged(printed, field)) {
      column(n) = column(printed.point);
      return;
    }
    const double typed = RtVal(FieldText(p_.EditedRowText, field));
    const double shown = std::floor(column(n) * 1000 + 0.5) / 1000;
    if (typed != shown) column(n) = typed;
  }

  void StoreAttribute(int n, const PrintedRow& printed) {
    const int k = printed.nameOverflow;
    if (FieldUnchanged(printed, ShownAttributeField(k))) {
      p_.PointAttribute(n) = p_.PointAttribute(printed.point);
      return;
    }
    p_.PointAttribute(n) =
        TrimTrailingBlanks(WholeCharacters(FieldText(p_.EditedRowText, AttributeField(k))));
  }

  App& app_;
  points::Store& p_;
  ui::InputState& in_;
  std::map<int, PrintedRow> rows_;  // console row -> the row printed there
  int editColumn_ = 0;
  int editRow_ = 0;
  int markStart_ = 0;  // where the marked character starts
};

// The screen's mouse presses are switched off when it ends, however it ends.
class MousePressGuard {
 public:
  MousePressGuard() = default;
  MousePressGuard(const MousePressGuard&) = delete;
  MousePressGuard& operator=(const MousePressGuard&) = delete;
  ~MousePressGuard() {
    RtMouseOnOff(kMouseLeftDown, false);
    RtMouseOnOff(kMouseRightDown, false);
  }
};

}  // namespace

void ShowCoordinateTable(App& app) {
  const MousePressGuard guard;
  TableScreen(app).Run();
}
