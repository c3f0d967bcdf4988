// The connection-line file: its writer and its reader.
//
// Records, one a line: "*" point attribute, "'" line vertex, "/" route row,
// "^" vertical row, "~1" to "~5" longitudinal-section settings, and last a line
// holding the character with code 3. The reader never interprets the last field
// of a file; that end line is there so that no real record is in its place.
#include "files/line_file.h"

#include <algorithm>
#include <cmath>
#include <optional>
#include <string>
#include <string_view>
#include <unordered_map>
#include <utility>
#include <vector>

#include "core/app.h"
#include "core/numeric.h"
#include "core/routines.h"
#include "files/file_dialogs.h"
#include "points/state.h"
#include "runtime/console.h"
#include "runtime/errors.h"
#include "runtime/files.h"
#include "runtime/numtext.h"
#include "runtime/text.h"

namespace {

constexpr int kFile = 1;
constexpr int kRouteRows = 1000;  // rows 0 to 999 of the route tables
const std::string kEndLine = "\x03";

std::string ConnectionFilePath(const App& app) { return files::JobFilePath(app, ".SEN"); }

// ---- Writing ----

bool JoinSameNames(const cad::Lines& l, int i, int j) {
  const std::string& a0 = l.LinePointName(i - 1);
  const std::string& a1 = l.LinePointName(i);
  const std::string& b0 = l.LinePointName(j - 1);
  const std::string& b1 = l.LinePointName(j);
  return (b0 == a0 && b1 == a1) || (b0 == a1 && b1 == a0);
}

// A segment added since the file was read that repeats a loaded one (same
// layer, same type, same two names in either direction) gets type 9, so that
// saving a job twice does not write its lines twice.
void MarkRepeatedSegments(App& app) {
  cad::Lines& l = app.lines;
  if (l.LineVertexCount == l.LoadedVertexCount) return;
  RtPrintStr("", true);
  RtPrintStr("　保存中　しばらくお待ちください。", true);
  const int loaded = static_cast<int>(l.LoadedVertexCount);
  const int count = static_cast<int>(l.LineVertexCount);
  for (int i = 1; i <= loaded; ++i) {
    for (int j = loaded + 1; j <= count; ++j) {
      if (l.LineLayer(j) == l.LineLayer(i) && l.LineType(j) == l.LineType(i) &&
          JoinSameNames(l, i, j)) {
        l.LineType(j) = 9;
      }
    }
  }
}

void WritePointAttributeRecords(App& app) {
  const points::Store& p = app.points;
  for (int k = RtWhole(app.job.FirstPointToSave); k <= p.PointCount; ++k) {
    RtPrintToFile(kFile, "*" + p.PointAttribute(k));
  }
}

// A vertex of type 9 followed by another type 9 (or ending the table) starts
// no segment and ends none: it belongs to no line and is left out.
bool BelongsToNoSegment(const cad::Lines& l, int k) {
  const bool nextHasNoSegment = k >= l.LineVertexCount || l.LineType(k + 1) == 9;
  return l.LineType(k) == 9 && nextHasNoSegment;
}

void WriteLineVertexRecords(App& app) {
  const cad::Lines& l = app.lines;
  if (l.LineVertexCount < 2) return;
  for (int k = RtWhole(app.job.FirstVertexToSave); k <= l.LineVertexCount; ++k) {
    if (BelongsToNoSegment(l, k)) continue;
    RtPrintToFile(kFile, files::LineVertexRecord(app, k));
  }
}

// The route value in its 16-character field: the number text, padded or cut.
std::string RouteValueField(double value) {
  std::string text = RtStr(value) + std::string(14, ' ');
  text.resize(16, ' ');
  return text;
}

double RouteValueOrZero(const route::State& r, int k) {
  return k < kRouteRows ? r.RouteValue(k) : 0;
}

void WriteRouteRows(const route::State& r) {
  for (int k = 0; k < kRouteRows; ++k) {
    bool endOfTable = true;
    for (int m = k; m <= k + 3; ++m) endOfTable = endOfTable && RouteValueOrZero(r, m) == 0;
    if (endOfTable) return;
    RtPrintToFile(kFile, "/" + RouteValueField(r.RouteValue(k)) + r.RouteLabel(k));
  }
}

// How many vertical values make the alignment: up to and including the closing
// change point (VCL 9999, change point 1 or later); without one, up to the last
// change point holding anything. A grade line from TD 0, Z 0 and a change point
// with Z 0 and VCL 0 are written whole.
int VerticalValuesInUse(const route::State& r) {
  constexpr int kChangePoints = kRouteRows / 3;  // 0 to 332; index 999 is in none
  constexpr double kClosingVcl = 9999;
  int inUse = 0;
  for (int j = 0; j < kChangePoints; ++j) {
    const bool holdsSome = r.VerticalTable(3 * j) != 0 || r.VerticalTable(3 * j + 1) != 0 ||
                           r.VerticalTable(3 * j + 2) != 0;
    if (holdsSome) inUse = 3 * (j + 1);
    if (j >= 1 && r.VerticalTable(3 * j + 2) == kClosingVcl) return 3 * (j + 1);
  }
  return inUse;
}

void WriteVerticalRows(const route::State& r) {
  const int count = VerticalValuesInUse(r);
  for (int k = 0; k < count; ++k) RtPrintToFile(kFile, "^" + RtNumText(r.VerticalTable(k)));
}

std::string NumberList(std::initializer_list<double> values) {
  std::string text;
  for (double v : values) text += "," + RtNumText(v);
  return text;
}

// Entries 0 to 16 as they have always been written, then the rest of the
// table (17 to 32), which older readers pass over: the item editor reaches rows
// up to 20 and the line-type items 17 to 25 have decimals of their own.
std::string RowTableList(const RtTable<int16_t>& table) {
  std::string text;
  for (int k = 0; k <= table.Bound(); ++k) text += "," + RtNumText(table(k));
  return text;
}

void WriteProfileSettingsRecords(App& app) {
  const profile::State& s = app.profile;
  RtPrintToFile(kFile, "~1" +
                           NumberList({s.ProfileDatumLevel, s.ProfileDatumY, s.ProfileTickFactor,
                                       s.ProfileFreeHeight, 0, s.BandCentreY, s.BandOffset,
                                       s.BandStationX}) +
                           "," + s.ProfileTypeName +
                           NumberList({s.ProfileVerticalScale, s.ProfileHorizontalScale,
                                       app.view.VerticalRatio, s.ProfileMode,
                                       s.ProfileStartMargin, s.ProfileEndMargin,
                                       s.ProfileLastRow}));
  RtPrintToFile(kFile, "~2" + NumberList({s.ProfileSettingsInitialised, s.ProfileStartChainage,
                                          s.ProfileEndChainage, 0, s.ProfileDatumGap,
                                          s.ProfileRowSpacing, s.ProfileReservedValue,
                                          s.ProfileValueTextSize, s.ProfileValueTextWidth,
                                          s.ProfileScaleTop, s.GradeLineEnd,
                                          s.ProfileLeaderLength, s.ProfileAuxPointInterval,
                                          s.OrdinateInterval, s.ProfilePlusStakeNames,
                                          s.ProfileFlagNumbers}));
  RtPrintToFile(kFile, "~3" + RowTableList(s.ProfileItemDigits));
  RtPrintToFile(kFile, "~4" + RowTableList(s.ProfileRowHeight));
  RtPrintToFile(kFile, "~5" + RowTableList(s.ProfileRowItem));
}

// ---- Reading ----

// What a read replaces: copies of the tables, filled while the file is read and
// put in place only when it was read to its end.
struct LoadedTables {
  explicit LoadedTables(const App& app)
      : PointAttribute(app.points.PointAttribute),
        LinePointNumber(app.lines.LinePointNumber),
        LinePointName(app.lines.LinePointName),
        LineLayer(app.lines.LineLayer),
        LineType(app.lines.LineType),
        LineArc(app.lines.LineArc),
        RouteValue(app.route.RouteValue),
        RouteLabel(app.route.RouteLabel),
        VerticalTable(app.route.VerticalTable),
        profile(app.profile),
        VerticalRatio(app.view.VerticalRatio) {}

  void PutRouteTablesInPlace(App& app) {
    app.route.RouteValue = std::move(RouteValue);
    app.route.RouteLabel = std::move(RouteLabel);
    app.route.VerticalTable = std::move(VerticalTable);
  }

  void PutInPlace(App& app) {
    app.points.PointAttribute = std::move(PointAttribute);
    app.lines.LinePointNumber = std::move(LinePointNumber);
    app.lines.LinePointName = std::move(LinePointName);
    app.lines.LineLayer = std::move(LineLayer);
    app.lines.LineType = std::move(LineType);
    app.lines.LineArc = std::move(LineArc);
    app.lines.LineVertexCount = vertices;
    app.lines.LoadedVertexCount = vertices;
    app.route.RouteValue = std::move(RouteValue);
    app.route.RouteLabel = std::move(RouteLabel);
    app.route.VerticalTable = std::move(VerticalTable);
    app.profile = std::move(profile);
    app.view.VerticalRatio = VerticalRatio;
  }

  RtTable<std::string> PointAttribute;
  RtTable<int16_t> LinePointNumber;
  RtTable<std::string> LinePointName;
  RtTable<int16_t> LineLayer;
  RtTable<int16_t> LineType;
  RtTable<std::string> LineArc;
  RtTable<double> RouteValue;
  RtTable<std::string> RouteLabel;
  RtTable<double> VerticalTable;
  profile::State profile;
  double VerticalRatio;
  // The counters of one read.
  int attributes = 0;
  int vertices = 0;
  int routeRows = 0;
  int verticalRows = 0;
};

// A field of a line: where it begins and how long it is.
struct FieldSpan {
  std::size_t begin;
  std::size_t length;
};

// The comma fields of one line, as the comma-field input delivers them: blanks
// before a field skipped, blanks after it dropped, a field that begins with a
// double quote running to the next one (what follows it up to the comma is
// dropped). A line gives one field more than it has commas. Each field is a
// part of the line, handed to `take` as a FieldSpan.
template <typename Take>
void ForEachCommaField(std::string_view line, Take take) {
  std::size_t at = 0;
  for (;;) {
    while (at < line.size() && line[at] == ' ') ++at;
    if (at < line.size() && line[at] == '"') {
      const std::size_t close = std::min(line.find('"', at + 1), line.size());
      take(FieldSpan{at + 1, close - at - 1});
      at = std::min(line.find(',', std::min(close + 1, line.size())), line.size());
    } else {
      const std::size_t comma = std::min(line.find(',', at), line.size());
      const std::string_view field = line.substr(at, comma - at);
      const std::size_t kept = field.find_last_not_of(' ') + 1;  // 0 when all blanks
      take(FieldSpan{at, kept});
      at = comma;
    }
    if (at >= line.size()) return;
    ++at;  // the comma
  }
}

bool HoldsControlCharacter(std::string_view text) {
  return std::any_of(text.begin(), text.end(), [](char c) {
    const auto code = static_cast<unsigned char>(c);
    return (code < 0x20 && c != '\t') || code == 0x7F;
  });
}

// The file's fields one after the other, with the line each stands on. The
// lines are kept one after the other in one text, the fields as parts of it.
class FieldStream {
 public:
  void AddLine(std::string_view line) {
    const std::size_t start = text_.size();
    const int lineNumber = static_cast<int>(lineCount_) + 1;
    text_.append(line);
    ForEachCommaField(line, [&](FieldSpan field) {
      fields_.push_back({start + field.begin, field.length, lineNumber});
    });
    ++lineCount_;
  }

  // Room for the lines of a file of `bytes` bytes.
  void Reserve(long bytes) { text_.reserve(static_cast<std::size_t>(std::max(bytes, 0L))); }

  bool AtEnd() const { return next_ >= fields_.size(); }
  bool Empty() const { return lineCount_ == 0; }
  // The line of the field read last; while the file is still being read, the
  // line being read.
  int LineOfLast() const {
    return next_ == 0 ? static_cast<int>(lineCount_) + 1 : fields_[next_ - 1].line;
  }

  // The next field. One that holds a control character (a TAB aside) is no text
  // of ours: binary garbage is refused, never taken as a name or an attribute.
  // The end line and an end-of-file mark of an editor are passed on.
  std::string_view Next() {
    if (AtEnd()) RtRaise(kErrReadPastEnd);
    const Field& field = fields_[next_++];
    const std::string_view text = std::string_view(text_).substr(field.begin, field.length);
    if (text != "\x03" && text != "\x1a" && HoldsControlCharacter(text)) RtRaise(kErrTypeMismatch);
    return text;
  }

  // True when the line of the field read last holds another field.
  bool MoreOnLine() const {
    return next_ > 0 && !AtEnd() && fields_[next_].line == fields_[next_ - 1].line;
  }

  // Passes over the fields left on the line of the field read last.
  void SkipRestOfLine() {
    if (next_ == 0) return;
    const int line = fields_[next_ - 1].line;
    while (!AtEnd() && fields_[next_].line == line) ++next_;
  }

  double NextNumber() { return RtStrictVal(Next()); }
  std::string NextText() { return RtTrim(Next()); }
  int16_t NextInteger() { return RtInt16(NextNumber()); }

 private:
  struct Field {
    std::size_t begin;
    std::size_t length;
    int line;
  };

  std::string text_;
  std::vector<Field> fields_;
  std::size_t next_ = 0;
  std::size_t lineCount_ = 0;
};

// The lowest point number bearing each name, built on first use.
class PointNameIndex {
 public:
  explicit PointNameIndex(const points::Store& p) : p_(p) {}

  std::optional<int> Find(const std::string& name) {
    if (!built_) Build();
    const auto it = numbers_.find(name);
    if (it == numbers_.end()) return std::nullopt;
    return it->second;
  }

 private:
  void Build() {
    for (int k = 1; k <= p_.PointCount; ++k) numbers_.try_emplace(p_.PointName(k), k);
    built_ = true;
  }

  const points::Store& p_;
  std::unordered_map<std::string, int> numbers_;
  bool built_ = false;
};

class ConnectionLineReader {
 public:
  ConnectionLineReader(App& app, FieldStream& in)
      : app_(app), in_(in), t_(app), names_(app.points) {}

  // Interprets every field but the last one of the file.
  void Run() {
    for (;;) {
      const std::string_view record = in_.Next();
      if (in_.AtEnd()) return;
      Interpret(record);
    }
  }

  // A route file: every field is read, the last one too; only the route and
  // vertical records count, into tables made empty first.
  void RunRouteFile() {
    t_.RouteValue = RtTable<double>(kRouteRows - 1);
    t_.RouteLabel = RtTable<std::string>(kRouteRows - 1);
    t_.VerticalTable = RtTable<double>(kRouteRows - 1);
    while (!in_.AtEnd()) {
      const std::string_view record = in_.Next();
      if (record.empty()) continue;
      if (record[0] == '/') ReadRouteRow(record);
      if (record[0] == '^') ReadVerticalRow(record);
      if (record[0] == '~') in_.SkipRestOfLine();  // the longitudinal section's settings
    }
  }

  LoadedTables& Tables() { return t_; }

 private:
  void Interpret(std::string_view record) {
    if (record.empty()) return;
    switch (record[0]) {
      case '*': return ReadPointAttribute(record);
      case '\'': return ReadLineVertex(record);
      case '/': return ReadRouteRow(record);
      case '^': return ReadVerticalRow(record);
      case '~': return ReadProfileSettings(record);
      default: return;  // no record of ours
    }
  }

  void ReadPointAttribute(std::string_view record) {
    t_.PointAttribute(++t_.attributes) = record.substr(1);
  }

  // A whole number from 0 to `largest` in a column field (blanks around it, an
  // empty field 0); anything else makes the record one that does not parse.
  static int16_t WholeField(std::string_view text, double largest) {
    const double value = RtStrictVal(text);
    if (value < 0 || value != std::floor(value) || value > largest) RtRaise(kErrTypeMismatch);
    return static_cast<int16_t>(value);
  }

  // A vertex record parses whole or not at all: its point number, the layout
  // mark in column 7 ("=", or a blank for the older layout), a line type 0-9
  // and a layer of at most two digits. The number's own range (the point table,
  // 16 bits) is checked by its use.
  void ReadLineVertex(std::string_view record) {
    const int n = ++t_.vertices;
    const double number = RtStrictVal(RtMid(record, 2, 5));
    if (number < 0 || number != std::floor(number)) RtRaise(kErrTypeMismatch);
    t_.LinePointNumber(n) = RtInt16(number);
    const std::string column7 = RtMid(record, 7, 1);
    if (column7 == "=") {
      ReadVertexColumns(n, record, 8, 16, 24, 27, 30);
    } else if (column7 == " ") {
      ReadVertexColumns(n, record, 8, 8, 16, 19, 22);
    } else {
      RtRaise(kErrTypeMismatch);
    }
    RepairVertexNumber(n);
  }

  void ReadVertexColumns(int n, std::string_view record, int nameAt, int nameWidth, int typeAt,
                         int layerAt, int arcAt) {
    constexpr double kLastLineType = 9;
    constexpr double kLargestLayer = 99;  // what the two-digit field holds
    t_.LinePointName(n) = RtTrim(RtMid(record, nameAt, nameWidth));
    t_.LineType(n) = WholeField(RtMid(record, typeAt, 2), kLastLineType);
    const int16_t layer = WholeField(RtMid(record, layerAt, 3), kLargestLayer);
    t_.LineLayer(n) = layer == 0 ? 1 : layer;
    t_.LineArc(n) = RtMid(record, arcAt);
  }

  // The name wins over the stored number: lines follow their points when the
  // point file was renumbered.
  void RepairVertexNumber(int n) {
    const std::string& name = t_.LinePointName(n);
    if (name == app_.points.PointName(t_.LinePointNumber(n))) return;
    if (const std::optional<int> number = names_.Find(name)) t_.LinePointNumber(n) = *number;
  }

  static double TableValue(std::string_view text) { return RoundTo4Decimals(RtVal(text)); }

  void ReadRouteRow(std::string_view record) {
    const int r = t_.routeRows;
    t_.RouteValue(r) = TableValue(RtMid(record, 2, 16));
    t_.RouteLabel(r) = RtTrim(RtMid(record, 18));
    const std::string& label = t_.RouteLabel(r);
    if (const int dollar = RtInstr(label, "$"); dollar > 0) {
      if (const std::optional<int> number = names_.Find(RtTrim(RtMid(label, dollar + 2, 8)))) {
        t_.RouteValue(r) = *number;
      }
    }
    ++t_.routeRows;
  }

  void ReadVerticalRow(std::string_view record) {
    t_.VerticalTable(t_.verticalRows) = TableValue(RtMid(record, 2));
    ++t_.verticalRows;
  }

  void ReadProfileSettings(std::string_view record) {
    const std::string_view mark = record.substr(0, 2);
    profile::State& s = t_.profile;
    if (mark == "~1") {
      s.ProfileDatumLevel = in_.NextNumber();
      s.ProfileDatumY = in_.NextNumber();
      s.ProfileTickFactor = in_.NextNumber();
      s.ProfileFreeHeight = in_.NextNumber();
      for (int k = 5; k <= 8; ++k) in_.NextNumber();  // working values, not restored
      s.ProfileTypeName = in_.NextText();
      s.ProfileVerticalScale = in_.NextNumber();
      s.ProfileHorizontalScale = in_.NextNumber();
      t_.VerticalRatio = in_.NextNumber();
      s.ProfileMode = in_.NextNumber();
      s.ProfileStartMargin = in_.NextNumber();
      s.ProfileEndMargin = in_.NextNumber();
      s.ProfileLastRow = in_.NextNumber();
    } else if (mark == "~2") {
      s.ProfileSettingsInitialised = in_.NextNumber();
      s.ProfileStartChainage = in_.NextNumber();
      s.ProfileEndChainage = in_.NextNumber();
      in_.NextNumber();
      s.ProfileDatumGap = in_.NextNumber();
      s.ProfileRowSpacing = in_.NextNumber();
      in_.NextNumber();
      s.ProfileValueTextSize = in_.NextNumber();
      s.ProfileValueTextWidth = in_.NextNumber();
      s.ProfileScaleTop = in_.NextNumber();
      in_.NextNumber();
      s.ProfileLeaderLength = in_.NextNumber();
      s.ProfileAuxPointInterval = in_.NextNumber();
      in_.NextNumber();
      s.ProfilePlusStakeNames = in_.NextNumber();
      s.ProfileFlagNumbers = in_.NextNumber();
    } else if (mark == "~3") {
      ReadRowTable(s.ProfileItemDigits);
    } else if (mark == "~4") {
      ReadRowTable(s.ProfileRowHeight);
    } else if (mark == "~5") {
      ReadRowTable(s.ProfileRowItem);
      itemNamesDue_ = true;
    }
  }

  // Entries 0 to 16, then those the record carries beyond them on its line.
  void ReadRowTable(RtTable<int16_t>& table) {
    for (int k = 0; k <= 16; ++k) table(k) = in_.NextInteger();
    for (int k = 17; k <= table.Bound() && in_.MoreOnLine(); ++k) table(k) = in_.NextInteger();
  }

 public:
  bool ItemNamesDue() const { return itemNamesDue_; }

 private:
  App& app_;
  FieldStream& in_;
  LoadedTables t_;
  PointNameIndex names_;
  bool itemNamesDue_ = false;
};

// Every line of the open file 1, which is closed afterwards in every case.
void ReadAllFields(FieldStream& fields) {
  try {
    fields.Reserve(RtLof(kFile));
    std::string line;
    while (!RtEof(kFile)) {
      RtLineInputVar(kFile, line);
      fields.AddLine(line);
    }
  } catch (const RtError&) {
    RtClose(kFile);
    throw;
  }
  RtClose(kFile);
}

// `line` 0: the file cannot be opened at all.
void ReportUnreadableFile(const App& app, int line) {
  const std::string where = line > 0 ? " " + RtStr(line).substr(1) + "行目" : " ";
  RtPrintStr(" " + app.settings.ZA + ".SEN" + where + "を読めません。", true);
  RtPrintStr(" 結線データは読込前のままです。", true);
}

// `line` 0: the file cannot be opened at all.
void ReportUnreadableRouteFile(const std::string& path, int line) {
  const files::JobPath parts = files::SplitJobPath(path);
  const std::string where = line > 0 ? " " + RtStr(line).substr(1) + "行目" : " ";
  RtPrintStr(" " + parts.name + parts.extension + where + "を読めません。", true);
  RtPrintStr(" 路線データは読込前のままです。", true);
}

}  // namespace

namespace files {

bool SavesConnectionLineFile(const App& app) {
  return std::floor(app.job.FileMenuChoice + 0.1) == 1;
}

std::string LineVertexRecord(const App& app, int k) {
  const cad::Lines& l = app.lines;
  return RtFormatUsing("'#####=&              & # ## ",
                       {double(l.LinePointNumber(k)), l.LinePointName(k), double(l.LineType(k)),
                        double(l.LineLayer(k))}) +
         l.LineArc(k);
}

}  // namespace files

void SaveConnectionLineFile(App& app) {
  if (!files::SavesConnectionLineFile(app)) return;
  MarkRepeatedSegments(app);
  // Output goes to a temporary file that replaces the old one when closed.
  RtOpen(kFile, ConnectionFilePath(app), RtFileMode::Output);
  WritePointAttributeRecords(app);
  WriteLineVertexRecords(app);
  WriteRouteAndProfileRecords(app);
}

void WriteRouteAndProfileRecords(App& app) {
  WriteRouteRows(app.route);
  WriteVerticalRows(app.route);
  if (app.profile.ProfileSetupPending == 1 || app.profile.ProfileMode == 1) {
    WriteProfileSettingsRecords(app);
  }
  RtPrintToFile(kFile, kEndLine);
  RtClose(kFile);
}

void LoadConnectionLineFileUnlessAppending(App& app) {
  if (app.job.FileMenuChoice == 4) {
    app.job.ConnectionFileFound = 0;
    return;
  }
  LoadConnectionLineFile(app);
}

void LoadConnectionLineFile(App& app) {
  app.job.ConnectionFileFound = 0;
  const std::string path = ConnectionFilePath(app);
  try {
    if (!RtOpen(kFile, path, RtFileMode::Input)) return;
  } catch (const RtError&) {
    // There, but not to be read (a folder of that name, no permission).
    ReportUnreadableFile(app, 0);
    files::RememberUnreadFile(app, path);
    return;
  }
  RtPrintStr("", true);
  RtPrintStr(" " + app.settings.ZA + app.job.FileExtension +
                 " 結線データ読込中  しばらくお待ちください。",
             true);
  FieldStream fields;
  try {
    ReadAllFields(fields);
  } catch (const RtError&) {
    ReportUnreadableFile(app, fields.LineOfLast());
    files::RememberUnreadFile(app, path);
    return;
  }
  if (fields.Empty()) {
    // An empty file holds no lines at all.
    app.lines.LineVertexCount = 0;
    app.lines.LoadedVertexCount = 0;
    files::ForgetUnreadFile(app, path);
    return;
  }
  ConnectionLineReader reader(app, fields);
  try {
    reader.Run();
  } catch (const RtError&) {
    ReportUnreadableFile(app, fields.LineOfLast());
    files::RememberUnreadFile(app, path);
    return;
  }
  reader.Tables().PutInPlace(app);
  if (reader.ItemNamesDue()) Call(Routines().SetProfileItemNames, app);
  app.job.ConnectionFileFound = 1;
  files::ForgetUnreadFile(app, path);
}

bool LoadRouteFile(App& app, const std::string& path) {
  try {
    if (!RtOpen(kFile, path, RtFileMode::Input)) {
      const files::JobPath parts = files::SplitJobPath(path);
      RtPrintStr(" " + parts.name + parts.extension + " がありません。", true);
      RtPrintStr(" 路線データは読込前のままです。", true);
      return false;
    }
  } catch (const RtError&) {
    ReportUnreadableRouteFile(path, 0);
    return false;
  }
  FieldStream fields;
  try {
    ReadAllFields(fields);
  } catch (const RtError&) {
    ReportUnreadableRouteFile(path, fields.LineOfLast());
    return false;
  }
  ConnectionLineReader reader(app, fields);
  try {
    reader.RunRouteFile();
  } catch (const RtError&) {
    ReportUnreadableRouteFile(path, fields.LineOfLast());
    return false;
  }
  reader.Tables().PutRouteTablesInPlace(app);
  return true;
}
