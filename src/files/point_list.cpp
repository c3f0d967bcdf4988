// The point-list file: the writer of both layouts and the reader.
#include "files/point_list.h"

#include <cstddef>
#include <string>
#include <string_view>
#include <utility>

#include "core/app.h"
#include "core/constants.h"
#include "core/numeric.h"
#include "runtime/console.h"
#include "runtime/errors.h"
#include "runtime/files.h"
#include "runtime/numtext.h"
#include "runtime/text.h"
#include "ui/input.h"

namespace {

using core::kJobFile;
using core::kPrintBuffer;

constexpr char kEndOfList = 26;
constexpr std::string_view kHeaderStart = "  点名";

// A name field of the file layout; a longer name is written whole up to this.
constexpr size_t kNameField = 16;
constexpr int kLongestName = 115;
// How much of an attribute that begins with "'" is kept.
constexpr int kQuotedAttributeLength = 50;
// The name length the port layout sends whole.
constexpr size_t kPortNameLength = 8;

constexpr std::string_view kFileNumbers = " ########.#### ########.#### ########.####";
constexpr std::string_view kPortTemplate = "&      & #######.### #######.### #######.###";
// One coordinate field of each layout.
constexpr std::string_view kFileCoordinate = "########.####";
constexpr std::string_view kPortCoordinate = "#######.###";
constexpr std::string_view kCutNameReport = "##### の &              & は &      & で送りました。";

// ---- Text helpers ----

std::string WithoutLeadingBlanks(std::string_view text) { return std::string(rt::LeadingBlanksSkipped(text)); }

// 0-based index of the first half-width blank of `text` that is a character of
// its own; npos when there is none.
size_t FirstBlank(std::string_view text) {
  const int position = RtInstr(text, " ");
  return position == 0 ? std::string_view::npos : static_cast<size_t>(position - 1);
}

// The rest of `text` (a trimmed line, or a rest of one) from its blank at
// `blank`, without leading blanks: it ends where the trimmed line ends, in no
// blank. The whole rest is kept: a field far to the right is still read.
std::string_view RestFrom(std::string_view text, size_t blank) {
  return rt::LeadingBlanksSkipped(text.substr(blank));
}

// The text of `rest` up to its first blank (all of it when it has none); `rest`
// becomes what follows that blank, without its leading blanks.
std::string_view TakeField(std::string_view& rest) {
  const size_t blank = FirstBlank(rest);
  const std::string_view field = rest.substr(0, blank);
  rest = blank == std::string_view::npos ? std::string_view() : RestFrom(rest, blank);
  return field;
}

// A coordinate text as a number; a missing field is 0. A text that is not a
// number is error 13 and one beyond the range of a double error 6: the line is
// refused rather than read as some other number.
double CoordinateOfText(std::string_view text) { return RtStrictVal(text); }

std::string AttributeOfText(std::string_view text) {
  if (text.starts_with('\'')) return rt::CutBytes(text.substr(1), kQuotedAttributeLength);
  return std::string(text);
}

files::PointListEntry EntryOfPoint(const App& app, int number) {
  const points::Store& p = app.points;
  return {p.PointName(number), p.PointX(number), p.PointY(number), p.PointZ(number),
          p.PointAttribute(number)};
}

// ---- Reporting a file that cannot be read ----

std::string FileNameInHand(const App& app) { return app.settings.ZA + app.job.FileExtension; }

std::string ReasonOf(int errorNumber) {
  switch (errorNumber) {
    case kErrIllegalArgument:
      return "点名のあとに座標がありません";
    case kErrTypeMismatch:
      return "座標が数値ではありません";
    case kErrOverflow:
      return "数値が大きすぎます";
    case kErrSubscript:
      return "点数または結線数が上限を超えます";
    case kErrReadPastEnd:
      return "ファイルが途中で切れています";
    default:
      return "読めない行です";
  }
}

// Tells in the main window which line of which file stopped the read, and that
// the job in memory was left as it was.
void ReportBadLine(const App& app, int lineNumber, int errorNumber) {
  RtPrintStr("", true);
  RtColor(10);
  RtPrintStr(" " + FileNameInHand(app) + " の" + RtNumText(lineNumber) + "行目: " +
                 ReasonOf(errorNumber),
             true);
  RtPrintStr(" 読込を中止しました。データは元のままです。", true);
  RtColor(7);
}

}  // namespace

[[noreturn]] void files::RaiseBadJobFileLine(const App& app, int lineNumber, int errorNumber) {
  ReportBadLine(app, lineNumber, errorNumber);
  RtCloseAll();
  RtRaise(errorNumber);
}

namespace {

[[noreturn]] void RaiseBadLine(const App& app, int lineNumber, int errorNumber) {
  files::RaiseBadJobFileLine(app, lineNumber, errorNumber);
}

// ---- Writing ----

// Refuses, before anything is written, a selection with a coordinate that the
// layout's fields cannot hold (it would be written as "%" and the number, which
// no reader takes back): the point and the value are named, and the write is
// error 6.
void CheckSelectedPointsFitLayout(const App& app, bool port) {
  const std::string_view field = port ? kPortCoordinate : kFileCoordinate;
  const int last = RtWhole(app.points.SelectionLast);
  for (int i = 0; i <= last; ++i) {
    const files::PointListEntry point = EntryOfPoint(app, app.points.SelectionList(i));
    const std::pair<const char*, double> coordinates[] = {
        {"X", point.x}, {"Y", point.y}, {"Z", point.z}};
    for (const auto& [axis, value] : coordinates) {
      const double written = port ? RoundCoordinate(app, value) : RoundTo4Decimals(value);
      if (RtFormatUsing(field, {written}).find('%') == std::string::npos) continue;
      RtPrintStr("", true);
      RtColor(10);
      RtPrintStr(" 点 " + WithoutLeadingBlanks(point.name) + " の " + axis + "=" + RtStr(value) +
                     " はファイルの桁数に入りません。",
                 true);
      RtColor(7);
      RtRaise(kErrOverflow);
    }
  }
}

}  // namespace

namespace files {

void ReportCutPortName(int position, const std::string& name, bool fullStop) {
  std::string_view report = kCutNameReport;
  if (!fullStop) report.remove_suffix(std::string_view("。").size());
  RtPrintToFile(kPrintBuffer, RtFormatUsing(report, {double(position), name, name}));
}

void AnnounceCutPortNames(App& app) {
  RtPrintToFile(kPrintBuffer, std::string(99, ' '));
  RtPrintStr("", true);
  RtPrintStr("文字数が8桁を超えて,削った測点が ", false);
  RtColor(2);
  RtPrintNum(app.job.TruncatedNameCount, false);
  RtColor(7);
  RtPrintStr(" 点あります。", false);
  RtPrintStr("プリントして点番で呼び出して下さい。", false);
  InputPointName(app);
}

}  // namespace files

namespace {

void WritePortRecord(App& app, int index, const files::PointListEntry& point) {
  RtPrintToFile(kJobFile, files::PortCoordinateRecord(app, point));
  const std::string name = WithoutLeadingBlanks(point.name);
  if (name.size() > kPortNameLength) {
    app.job.TruncatedNameCount += 1;
    files::ReportCutPortName(index + 1, name);
  }
}

}  // namespace

namespace files {

bool IsSkippedPointListLine(std::string_view line) {
  return line.starts_with(kHeaderStart) || line.size() < 2 ||
         static_cast<unsigned char>(line[0]) < 32;
}

PointListDelimiter DelimiterOfFirstDataLine(std::string_view line) {
  return line.find_first_of(",\t") != std::string_view::npos ? PointListDelimiter::CommasAndTabs
                                                              : PointListDelimiter::Blanks;
}

PointListEntry ParsePointListLine(std::string_view line, PointListDelimiter mode) {
  std::string blanked;
  // A comma or a TAB is never the second byte of a double-byte character.
  if (mode == PointListDelimiter::CommasAndTabs) {
    blanked = line;
    for (char& c : blanked) {
      if (c == ',' || c == '\t') c = ' ';
    }
    line = blanked;
  }
  const std::string_view text = rt::TrimmedView(line);
  const size_t nameEnd = FirstBlank(text);
  if (nameEnd == std::string_view::npos) RtRaise(kErrIllegalArgument);

  PointListEntry entry;
  entry.name = text.substr(0, nameEnd);
  std::string_view rest = RestFrom(text, nameEnd);
  const std::string_view x = TakeField(rest);
  const std::string_view y = TakeField(rest);
  const std::string_view z = TakeField(rest);
  entry.x = CoordinateOfText(x);
  entry.y = CoordinateOfText(y);
  entry.z = CoordinateOfText(z);
  entry.attribute = AttributeOfText(rest);
  return entry;
}

std::string PointListFileLine(const PointListEntry& point) {
  std::string name = rt::CutBytes(WithoutLeadingBlanks(point.name), kLongestName);
  if (name.size() < kNameField) name.append(kNameField - name.size(), ' ');
  return name +
         RtFormatUsing(kFileNumbers, {RoundTo4Decimals(point.x), RoundTo4Decimals(point.y),
                                      RoundTo4Decimals(point.z)}) +
         " " + point.attribute;
}

std::string PortCoordinateRecord(const App& app, const PointListEntry& point) {
  return RtFormatUsing(kPortTemplate, {WithoutLeadingBlanks(point.name),
                                       RoundCoordinate(app, point.x), RoundCoordinate(app, point.y),
                                       RoundCoordinate(app, point.z)}) +
         " " + point.attribute;
}

int LineTypeOfAttribute(std::string_view attribute) {
  if (attribute.empty() || attribute[0] < '0' || attribute[0] > '9') return 0;
  return attribute[0] - '0';
}

PointListRead ReadPointListEntries(App& app) {
  app.job.PointListDelimiterMode = 0;
  PointListRead read;
  std::string line;
  int lineNumber = 0;
  while (!RtEof(kJobFile)) {
    RtLineInputVar(kJobFile, line);
    ++lineNumber;
    if (IsSkippedPointListLine(line)) continue;
    if (app.job.PointListDelimiterMode == 0) {
      app.job.PointListDelimiterMode = static_cast<double>(DelimiterOfFirstDataLine(line));
    }
    const auto mode = static_cast<PointListDelimiter>(app.job.PointListDelimiterMode);
    try {
      read.points.push_back(ParsePointListLine(line, mode));
    } catch (const RtError& error) {
      RaiseBadLine(app, lineNumber, error.number());
    }
    read.lineNumbers.push_back(lineNumber);
  }
  RtCloseAll();
  return read;
}

void CheckPointListFits(App& app, const PointListRead& read, double firstNumber,
                        double vertexCountBefore, bool withVertices) {
  const double capacity = app.points.PointCapacity;
  const double vertexCapacity = app.lines.LinePointNumber.Bound();
  double vertices = vertexCountBefore;
  for (size_t i = 0; i < read.points.size(); ++i) {
    const bool pointFits = firstNumber + static_cast<double>(i) <= capacity;
    if (withVertices && !read.points[i].attribute.empty()) vertices += 1;
    if (!pointFits || vertices > vertexCapacity) {
      RaiseBadLine(app, read.lineNumbers[i], kErrSubscript);
    }
  }
}

void StorePointList(App& app, const PointListRead& read) {
  files::JobFiles& job = app.job;
  const bool withVertices = job.ConnectionFileFound == 0;
  CheckPointListFits(app, read, job.ListPointNumber, app.lines.LineVertexCount, withVertices);
  points::Store& p = app.points;
  cad::Lines& lines = app.lines;
  for (const PointListEntry& point : read.points) {
    const double n = job.ListPointNumber;
    p.PointName(n) = point.name;
    p.PointX(n) = point.x;
    p.PointY(n) = point.y;
    p.PointZ(n) = point.z;
    p.PointAttribute(n) = point.attribute;
    if (withVertices && !point.attribute.empty()) {
      lines.LineVertexCount += 1;
      const double k = lines.LineVertexCount;
      lines.LinePointNumber(k) = static_cast<int16_t>(n);
      lines.LinePointName(k) = point.name;
      lines.LineType(k) = static_cast<int16_t>(LineTypeOfAttribute(point.attribute));
      lines.LineLayer(k) = 1;
    }
    job.ListPointNumber += 1;
  }
  p.PointCount = job.ListPointNumber - 1;
}

}  // namespace files

void WriteSelectedPoints(App& app) {
  app.job.TruncatedNameCount = 0;
  const bool port = app.output.InstrumentListFormat == 1;
  CheckSelectedPointsFitLayout(app, port);
  const int last = RtWhole(app.points.SelectionLast);
  for (int i = 0; i <= last; ++i) {
    const files::PointListEntry point = EntryOfPoint(app, app.points.SelectionList(i));
    if (port) {
      WritePortRecord(app, i, point);
    } else {
      RtPrintToFile(kJobFile, files::PointListFileLine(point));
    }
  }
  RtPrintToFile(kJobFile, std::string(1, kEndOfList));
  if (port && app.job.TruncatedNameCount > 0) files::AnnounceCutPortNames(app);
}

void ReadPointList(App& app) {
  const files::PointListRead read = files::ReadPointListEntries(app);
  files::StorePointList(app, read);
}

void ShowLoadingMessage(App& app) {
  RtPrintStr("", true);
  RtPrintStr(" " + FileNameInHand(app) + " データ読込中  しばらくお待ちください。", true);
}
