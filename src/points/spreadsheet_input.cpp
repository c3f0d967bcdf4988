// The spreadsheet round trip of the point table through "x.csv".
#include "points/spreadsheet_input.h"

#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "core/app.h"
#include "core/constants.h"
#include "core/point_names.h"
#include "core/routines.h"
#include "runtime/console.h"
#include "runtime/errors.h"
#include "runtime/files.h"
#include "runtime/numtext.h"
#include "runtime/programs.h"
#include "runtime/text.h"
#include "ui/input.h"
#include "ui/layout.h"
#include "ui/navigator.h"

namespace {

using core::kJobFile;

constexpr int kGuideSpreadsheet = 305;
constexpr int kGuideBackToMenu = 318;
constexpr size_t kLongestAttribute = 50;

// ---- Reading the saved file ----

// One row of cells and the file line it began on.
struct Row {
  std::vector<std::string> cells;
  int line = 1;
};

// Splits the bytes into rows of cells as a spreadsheet writes CSV: a cell that
// begins with a double quote runs to the closing quote (doubled quotes stand for
// one; commas and line ends inside belong to the cell); CR LF, LF and CR end a
// row outside quotes.
class CsvRows {
 public:
  explicit CsvRows(std::string_view bytes) : bytes_(bytes) {}

  std::optional<Row> Next() {
    if (at_ >= bytes_.size()) return std::nullopt;
    Row row;
    row.line = line_;
    for (;;) {
      row.cells.push_back(Cell());
      if (at_ >= bytes_.size()) return row;
      const char separator = bytes_[at_++];
      if (separator == ',') continue;
      EndLine(separator);
      return row;
    }
  }

 private:
  // A line end just taken: CR LF counts once.
  void EndLine(char taken) {
    if (taken == '\r' && at_ < bytes_.size() && bytes_[at_] == '\n') ++at_;
    ++line_;
  }

  bool AtCellEnd() const {
    return at_ >= bytes_.size() || bytes_[at_] == ',' || bytes_[at_] == '\r' || bytes_[at_] == '\n';
  }

  std::string Cell() {
    std::string cell;
    if (at_ < bytes_.size() && bytes_[at_] == '"') {
      ++at_;
      QuotedText(cell);
    }
    // Text after a closing quote (or a cell without quotes) up to the separator.
    while (!AtCellEnd()) cell += bytes_[at_++];
    return cell;
  }

  void QuotedText(std::string& cell) {
    while (at_ < bytes_.size()) {
      const char c = bytes_[at_++];
      if (c == '"') {
        if (at_ < bytes_.size() && bytes_[at_] == '"') {
          cell += '"';
          ++at_;
          continue;
        }
        return;
      }
      if (c == '\n' || (c == '\r' && !(at_ < bytes_.size() && bytes_[at_] == '\n'))) ++line_;
      cell += c;
    }
  }

  std::string_view bytes_;
  size_t at_ = 0;
  int line_ = 1;
};

std::string CellOf(const Row& row, size_t k) { return k < row.cells.size() ? row.cells[k] : ""; }

bool IsPassedOver(const Row& row) {
  if (RtTrim(CellOf(row, 0)) == "点名") return true;  // the header
  const std::string& first = row.cells.front();
  if (!first.empty() && static_cast<unsigned char>(first[0]) < 32) return true;
  for (const std::string& cell : row.cells) {
    if (!RtTrim(cell).empty()) return false;
  }
  return true;
}

// A coordinate cell: blanks around it and the overflow mark "%" of a field too
// wide for its template are passed over; empty is 0; anything but a number is
// refused.
std::optional<double> CoordinateOf(const std::string& cell) {
  std::string text = RtTrim(cell);
  if (!text.empty() && text[0] == '%') text.erase(0, 1);
  if (text.empty()) return 0.0;
  try {
    const rt::NumberScan scan = rt::ScanNumber(text, true);
    if (scan.found && scan.end == text.size()) return scan.value;
  } catch (const RtError&) {
    // Beyond the range of a double: no coordinate.
  }
  return std::nullopt;
}

std::string AttributeOf(const std::string& cell) {
  std::string attribute = RtTrim(cell);
  if (!attribute.empty() && attribute[0] == '\'') attribute = RtLeft(attribute.substr(1), kLongestAttribute);
  return attribute;
}

// ---- Writing the file ----

std::string SpreadsheetPath(const App& app) {
  return app.shell.DataFolder + std::string(points::kSpreadsheetFileName);
}

void WriteSpreadsheetFile(App& app, const std::string& path) {
  const points::Store& p = app.points;
  RtClose(kJobFile);
  RtKill(path);
  RtOpen(kJobFile, path, RtFileMode::Output);
  RtPrintToFile(kJobFile, points::SpreadsheetHeaderLine());
  for (int i = 1; i <= p.PointCount; ++i) {
    RtPrintToFile(kJobFile, points::SpreadsheetPointLine(p.PointName(i), p.PointX(i), p.PointY(i),
                                                         p.PointZ(i), p.PointAttribute(i)));
  }
  RtClose(kJobFile);
}

void RunSpreadsheet(App& app, const std::string& path) {
  ReleaseTopmost(app);
  app.input.GuideNumber = kGuideSpreadsheet;
  ShowGuideNext(app);
  RtShell("EXCEL.EXE", path, true, 8, rt::ProgramRole::kSpreadsheet);
  RestoreTopmost(app);
}

// The whole file, or nothing when it is gone.
std::optional<std::string> ReadWholeFile(const std::string& path) {
  RtClose(kJobFile);
  if (!RtOpen(kJobFile, path, RtFileMode::Input)) return std::nullopt;
  std::string bytes = RtInputChars(kJobFile, static_cast<int>(RtLof(kJobFile)));
  RtClose(kJobFile);
  return bytes;
}

// The refused round trip: why, that nothing changed, and a wait for Enter.
Jump RefuseRoundTrip(App& app, const std::string& why) {
  RtPrintStr("", true);
  RtColor(10);
  RtPrintStr(" " + std::string(points::kSpreadsheetFileName) + " " + why, true);
  RtPrintStr(" 読込を中止しました。データは元のままです。", true);
  RtColor(7);
  RtPrintStr(" メニューに戻ります", false);
  app.input.GuideNumber = kGuideBackToMenu;
  InputPointName(app);  // waits for Enter; the answer is ignored
  return {EntryOf(Routines().RepeatLastCommand)};
}

// The five point columns anew, every number with its default name, then the
// points read.
void ReplacePoints(App& app, const std::vector<points::SpreadsheetPoint>& read) {
  points::Store& p = app.points;
  const int capacity = static_cast<int>(p.PointCapacity);
  p.PointName.Dimension(capacity);
  p.PointX.Dimension(capacity);
  p.PointY.Dimension(capacity);
  p.PointZ.Dimension(capacity);
  p.PointAttribute.Dimension(capacity);
  for (int i = 1; i <= capacity; ++i) p.PointName(i) = DefaultPointName(i);
  int n = 0;
  for (const points::SpreadsheetPoint& point : read) {
    ++n;
    if (!point.name.empty()) p.PointName(n) = point.name;
    p.PointX(n) = point.x;
    p.PointY(n) = point.y;
    p.PointZ(n) = point.z;
    p.PointAttribute(n) = point.attribute;
  }
  p.PointCount = n;
}

// A vertex whose number no longer carries its name takes the first point that
// does, so lines stay with their points when rows were deleted or moved.
void ReattachLineVertices(App& app) {
  const points::Store& p = app.points;
  cad::Lines& lines = app.lines;
  for (int k = 1; k <= lines.LineVertexCount; ++k) {
    const double number = lines.LinePointNumber(k);
    const std::string& name = lines.LinePointName(k);
    if (number >= 1 && number <= p.PointCapacity && p.PointName(number) == name) continue;
    for (int i = 1; i <= p.PointCount; ++i) {
      if (p.PointName(i) == name) {
        lines.LinePointNumber(k) = i;
        break;
      }
    }
  }
}

}  // namespace

namespace points {

std::string SpreadsheetHeaderLine() {
  return "  点名,   X,   Y,   Z,  属性,,※ 終了は必ず[X][はい][保存][はい][はい]";
}

std::string SpreadsheetPointLine(const std::string& name, double x, double y, double z,
                                 const std::string& attribute) {
  return RtFormatUsing("@, #######.##### , #######.##### , #####.####", {name, x, y, z}) + " , '" +
         attribute;
}

SpreadsheetRead ReadSpreadsheetPoints(std::string_view bytes, int capacity) {
  SpreadsheetRead read;
  CsvRows rows(bytes);
  while (const std::optional<Row> row = rows.Next()) {
    if (IsPassedOver(*row)) continue;
    if (static_cast<int>(read.points.size()) >= capacity) {
      read.error = "の行が多すぎます。" + rt::Digits(capacity) + " 点までです。";
      read.errorLine = row->line;
      return read;
    }
    SpreadsheetPoint point;
    point.name = TrimTrailingBlanks(CellOf(*row, 0));
    const std::optional<double> x = CoordinateOf(CellOf(*row, 1));
    const std::optional<double> y = CoordinateOf(CellOf(*row, 2));
    const std::optional<double> z = CoordinateOf(CellOf(*row, 3));
    if (!x || !y || !z) {
      read.error = "の" + rt::Digits(row->line) + "行目の座標が数値ではありません。";
      read.errorLine = row->line;
      return read;
    }
    point.x = *x;
    point.y = *y;
    point.z = *z;
    point.attribute = AttributeOf(CellOf(*row, 4));
    read.points.push_back(std::move(point));
  }
  return read;
}

}  // namespace points

Jump InputPointsBySpreadsheet(App& app) {
  const std::string path = SpreadsheetPath(app);
  WriteSpreadsheetFile(app, path);
  RunSpreadsheet(app, path);
  const std::optional<std::string> bytes = ReadWholeFile(path);
  if (!bytes) return RefuseRoundTrip(app, "が見つかりません。");
  const points::SpreadsheetRead read =
      points::ReadSpreadsheetPoints(*bytes, static_cast<int>(app.points.PointCapacity));
  if (!read.error.empty()) return RefuseRoundTrip(app, read.error);
  ReplacePoints(app, read.points);
  ReattachLineVertices(app);
  RtKill(path);
  return {EntryOf(Routines().NormalizeNamesThenPlot)};
}
