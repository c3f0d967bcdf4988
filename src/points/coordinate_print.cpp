// The coordinate print: the item screen and the list lines.
#include "points/coordinate_print.h"

#include <array>
#include <cmath>
#include <string>

#include "core/app.h"
#include "core/constants.h"
#include "core/numeric.h"
#include "core/routines.h"
#include "points/point_list_line.h"
#include "points/selection.h"
#include "runtime/console.h"
#include "runtime/errors.h"
#include "runtime/files.h"
#include "runtime/numtext.h"
#include "runtime/text.h"
#include "ui/input.h"

namespace {

using core::kPrintBuffer;

constexpr int kGuideItems = 179;
constexpr double kShortestNameColumn = 8;
constexpr double kLongestNameColumn = 16;

enum Item { kNumber = 0, kName, kX, kY, kZ, kMark, kCode, kItemCount };

struct ItemDefault {
  const char* title;
  double on;
};
constexpr std::array<ItemDefault, kItemCount> kItems = {{
    {"点番", -1},
    {"点名", 1},
    {"Ｘ", 1},
    {"Ｙ", 1},
    {"Ｚ", 1},
    {"ﾏｰｸ", -1},
    {"ｺｰﾄﾞ", -1},
}};

// The number of decimals a rounding setting stands for (1000 gives 3). A step
// of zero or less has none: error 11 for zero, 5 below.
double DecimalsOf(double setting) {
  if (setting == 0) RtRaise(kErrDivisionByZero);
  if (setting < 0) RtRaise(kErrIllegalArgument);
  return std::log(setting) / std::log(10.0);
}

bool IsOn(const App& app, int item) { return app.traverse.ReportColumnOn(item) == 1; }
double WidthOf(const App& app, int item) { return app.traverse.ReportColumnWidth(item); }

void SetNameWidth(App& app) {
  points::Store& p = app.points;
  double width = kShortestNameColumn;
  for (double k = p.SelectionIndex; k <= p.SelectionLast; ++k) {
    const double length = static_cast<double>(p.PointName(p.SelectionList(k)).size());
    if (length > width) width = length;
  }
  p.NameWidth = width > kLongestNameColumn ? kLongestNameColumn : width;
}

void SetItems(App& app) {
  traverse::State& t = app.traverse;
  const double coordinateWidth = 9 + DecimalsOf(app.settings.TN);
  const double heightWidth = 7 + DecimalsOf(app.settings.TZ);
  const std::array<double, kItemCount> widths = {
      7, app.points.NameWidth + 2, coordinateWidth, coordinateWidth, heightWidth, 8, 8};
  for (int item = 0; item < kItemCount; ++item) {
    t.ReportColumnTitle(item) = kItems[item].title;
    t.ReportColumnOn(item) = kItems[item].on;
    t.ReportColumnWidth(item) = widths[item];
  }
}

void ShowItemScreen(const App& app) {
  RtCls(RtWindowId::Main);
  RtPrintStr("ﾌﾟﾘﾝﾄ出力項目選択", true);
  RtPrintStr("", true);
  for (int item = 0; item < kItemCount; ++item) {
    RtPrintStr(" ", false);
    RtColor(IsOn(app, item) ? 13 : 7);
    RtPrintStr(app.traverse.ReportColumnTitle(item), false);
    RtColor(7);
    RtPrintStr(" ", false);
  }
}

// The item screen until Enter alone: an answer equal to a title switches it.
void ChooseItems(App& app) {
  traverse::State& t = app.traverse;
  for (;;) {
    ShowItemScreen(app);
    app.input.GuideNumber = kGuideItems;
    InputMenuChoice(app);
    if (app.input.Answer.empty()) return;
    for (int item = 0; item < kItemCount; ++item) {
      if (app.input.AnswerCopy == t.ReportColumnTitle(item)) t.ReportColumnOn(item) = -t.ReportColumnOn(item);
    }
  }
}

void WriteHeading(App& app) {
  std::string heading;
  for (int item = 0; item < kItemCount; ++item) {
    if (IsOn(app, item)) heading += points::PrintItemHeading(app.traverse.ReportColumnTitle(item), WidthOf(app, item));
  }
  app.output.ReportHeaderLine = heading;
  RtPrintToFile(kPrintBuffer, heading);
}

// The mark column's text: the symbol of the mark digit, empty when the
// attribute's second character is no digit.
std::string MarkTextOf(const std::string& attribute) {
  const std::string digit = RtMid(attribute, 2, 1);
  if (digit.size() != 1 || digit[0] < '0' || digit[0] > '9') return "";
  return std::string(MarkSymbolTable[digit[0] - '0']);
}

std::string NumberColumn(int n) { return RtRight(std::string(8, ' ') + RtStr(n), 7); }

// The name column; a name longer than the column gets a line of its own, and
// the point's other columns follow on the next line under their headings.
void AppendName(App& app, std::string& line, const std::string& name) {
  const int width = RtWhole(app.points.NameWidth);
  if (name.size() <= kLongestNameColumn) {
    line += "  " + RtLeft(name + std::string(16, ' '), width);
    return;
  }
  RtPrintToFile(kPrintBuffer, line + "  " + name);
  line = IsOn(app, kNumber) ? std::string(7, ' ') : "";
  line += "  " + std::string(width, ' ');
}

void WritePointLine(App& app, int n) {
  const points::Store& p = app.points;
  std::string line;
  if (IsOn(app, kNumber)) line = NumberColumn(n);
  if (IsOn(app, kName)) AppendName(app, line, p.PointName(n));
  if (IsOn(app, kX)) line += FormatDecimalsRight(p.PointX(n), WidthOf(app, kX) - 9, WidthOf(app, kX));
  if (IsOn(app, kY)) line += FormatDecimalsRight(p.PointY(n), WidthOf(app, kY) - 9, WidthOf(app, kY));
  if (IsOn(app, kZ)) line += FormatDecimalsRight(p.PointZ(n), WidthOf(app, kZ) - 7, WidthOf(app, kZ));
  const std::string& attribute = p.PointAttribute(n);
  const std::string mark = MarkTextOf(attribute);
  if (IsOn(app, kMark)) line += RtLeft("  " + mark + std::string(8, ' '), 8);
  if (IsOn(app, kCode)) line += "  " + RtMid(attribute, mark.empty() ? 2 : 3, 99);
  RtPrintToFile(kPrintBuffer, line);
}

}  // namespace

namespace points {

std::string PrintItemHeading(std::string_view title, double width) {
  const std::string padded = std::string(10, ' ') + std::string(title) + std::string(10, ' ');
  const double start = std::floor((static_cast<double>(title.size()) + 20) / 2 - width / 2);
  return RtMid(padded, static_cast<int>(start), RtWhole(width));
}

}  // namespace points

Jump PrintCoordinateListCommand(App& app) {
  app.output.ReportTitle = "座標リスト";
  SelectPoints(app);
  PrintCoordinateList(app);
  return {EntryOf(Routines().ShowResultMenu)};
}

void PrintCoordinateList(App& app) {
  points::Store& p = app.points;
  if (p.SelectionLast < 0) return;
  SetNameWidth(app);
  SetItems(app);
  const double style = app.input.InputStyle;
  app.input.InputStyle = 1;
  ChooseItems(app);
  app.input.InputStyle = style;
  WriteHeading(app);
  for (; p.SelectionIndex <= p.SelectionLast; ++p.SelectionIndex) {
    const int n = p.SelectionList(p.SelectionIndex);
    WritePointLine(app, n);
    p.CurrentPointNumber = n;
    p.NewPointList(p.SelectionIndex) = static_cast<int16_t>(n);
  }
  p.NewPointCount = p.SelectionIndex;
}
