// The SIMA file: its menu, the writer of points and parcels, and the reader
// that takes a SIMA job (or a section file) back as points and parcels.
#include "files/sima_file.h"

#include <cmath>
#include <string>
#include <unordered_map>
#include <vector>

#include "core/app.h"
#include "core/constants.h"
#include "core/routines.h"
#include "files/coordinate_file_menu.h"
#include "files/coordinate_management.h"
#include "files/file_dialogs.h"
#include "files/line_file.h"
#include "files/result.h"
#include "points/selection.h"
#include "runtime/console.h"
#include "runtime/errors.h"
#include "runtime/files.h"
#include "runtime/folders.h"
#include "runtime/numtext.h"
#include "runtime/text.h"
#include "ui/input.h"

namespace files {
namespace {

constexpr int kNameBytes = 16;
constexpr int kNameRestBytes = 99;  // what a longer name keeps behind its field
constexpr int kKeptParcelBytes = 50;
constexpr char kEndOfData = '\x12';  // DC2

std::string WithoutLeadingBlanks(std::string_view name) {
  for (;;) {
    if (name.starts_with(' ')) {
      name.remove_prefix(1);
    } else if (name.starts_with("\x81\x40")) {
      name.remove_prefix(2);
    } else {
      return std::string(name);
    }
  }
}

// A number in a template field; empty when it does not fit (the runtime would
// write "%" and the number, which no reader takes as a coordinate).
std::string NumberField(std::string_view tmpl, double value) {
  std::string text = RtFormatUsing(tmpl, {value});
  return text.starts_with('%') ? std::string() : text;
}

// The first point, in number order, that bears each name (blanks at both ends
// removed).
class PointsByName {
 public:
  explicit PointsByName(const std::vector<std::string>& names) {
    for (size_t i = 0; i < names.size(); ++i) numbers_.try_emplace(RtTrim(names[i]), static_cast<int>(i + 1));
  }
  // 0 when no point bears the name.
  int Find(const std::string& trimmedName) const {
    const auto found = numbers_.find(trimmedName);
    return found == numbers_.end() ? 0 : found->second;
  }

 private:
  std::unordered_map<std::string, int> numbers_;
};

// The rewriting of "K.D" into the parcel section: line mode between parcels,
// record mode inside one.
class ParcelRewriter {
 public:
  explicit ParcelRewriter(const std::vector<std::string>& pointNames) : points_(pointNames) {}

  SimaParcelSection Rewrite(const std::vector<std::string>& lines) {
    for (size_t i = 0; i < lines.size() && out_.badLine == 0; ++i) {
      if (inParcel_) {
        RecordLine(lines[i], static_cast<int>(i + 1));
      } else {
        TextLine(lines[i], static_cast<int>(i + 1));
      }
    }
    if (inParcel_ && out_.badLine == 0) CloseParcel();
    return std::move(out_);
  }

 private:
  enum class Last { Start, Empty, ParcelEnd, Text };

  void TextLine(const std::string& line, int lineNumber) {
    if (line.empty()) {
      // Only an empty line between two lines of text is kept.
      if (last_ == Last::Text) out_.lines.emplace_back();
      last_ = Last::Empty;
      return;
    }
    if (line.starts_with("D00")) {
      OpenParcel(line, lineNumber);
      return;
    }
    out_.lines.push_back(line);
    last_ = Last::Text;
  }

  void OpenParcel(const std::string& line, int lineNumber) {
    const size_t comma = line.find(',', 4);
    if (comma == std::string::npos) {
      out_.badLine = lineNumber;
      return;
    }
    parcelText_ = rt::CutBytes(std::string_view(line).substr(comma), kKeptParcelBytes);
    out_.lines.push_back("D00," + RtNumText(serial_) + parcelText_);
    serial_ += 1;
    vertexCount_ = 0;
    first_.clear();
    previous_.clear();
    beforePrevious_.clear();
    inParcel_ = true;
    last_ = Last::Text;
  }

  void CloseParcel() {
    out_.lines.emplace_back("D99,");
    inParcel_ = false;
    last_ = Last::ParcelEnd;
  }

  void Warn(const std::string& name) { out_.warnings.push_back({parcelText_, name}); }

  void RecordLine(const std::string& line, int lineNumber) {
    const std::vector<std::string> fields = rt::CommaFieldsOfLine(line);
    const std::string& code = fields.front();
    if (code == "B01") {
      Boundary(fields.size() > 2 ? fields[2] : std::string());
      return;
    }
    if (code == "E01") {
      Triangle(fields);
      return;
    }
    if (code == "D00") {
      // A parcel that never got its "D99": closed before the next one opens.
      CloseParcel();
      TextLine(line, lineNumber);
      return;
    }
    std::string open;
    bool isOpen = false;
    for (size_t k = 0; k < fields.size(); ++k) {
      if (fields[k].empty()) {
        out_.lines.push_back(open);
        open.clear();
        isOpen = false;
        continue;
      }
      open += fields[k] + ",";
      isOpen = true;
      if (fields[k] == "D99") {
        out_.lines.push_back(open);
        inParcel_ = false;
        last_ = Last::ParcelEnd;
        // What stands behind "D99," on its line is read as a line of its own.
        std::string rest;
        for (size_t r = k + 1; r < fields.size(); ++r) rest += (r > k + 1 ? "," : "") + fields[r];
        TextLine(rest, lineNumber);
        return;
      }
    }
    // A record line without its closing comma still ends here.
    if (isOpen) out_.lines.push_back(open);
  }

  void Boundary(const std::string& field) {
    const std::string name = RtTrim(field);
    vertexCount_ += 1;
    if (name == previous_ || name == first_ || name == beforePrevious_) {
      Warn(name);
      return;
    }
    if (vertexCount_ == 1) first_ = name;
    beforePrevious_ = previous_;
    previous_ = name;
    const int number = points_.Find(name);
    if (number == 0) {
      Warn(name);
      return;
    }
    out_.lines.push_back("B01," + RtNumText(number) + "," + name + ",");
  }

  void Triangle(const std::vector<std::string>& fields) {
    std::string record = "E01,";
    for (size_t k = 2; k <= 6; k += 2) {
      const std::string name = k < fields.size() ? fields[k] : std::string();
      const int number = points_.Find(RtTrim(name));
      if (number == 0) {
        Warn(RtTrim(name));
        return;
      }
      record += RtNumText(number) + "," + name + ",";
    }
    out_.lines.push_back(record);
  }

  PointsByName points_;
  SimaParcelSection out_;
  Last last_ = Last::Start;
  bool inParcel_ = false;
  double serial_ = 1;
  std::string parcelText_;
  int vertexCount_ = 0;
  std::string first_, previous_, beforePrevious_;
};

}  // namespace

std::string SimaJobRecord(std::string_view jobName) { return "G00,1," + std::string(jobName) + ","; }

std::string SimaPointRecord(int sequence, std::string_view name, double x, double y, double z) {
  const std::string fx = NumberField("########.######", x);
  const std::string fy = NumberField("########.######", y);
  const std::string fz = NumberField("#######.####", z);
  if (fx.empty() || fy.empty() || fz.empty()) return {};
  std::string nameField = rt::CutBytes(WithoutLeadingBlanks(name), kNameBytes + kNameRestBytes);
  if (nameField.size() < kNameBytes) nameField.resize(kNameBytes, ' ');
  return "A01," + RtFormatUsing("##### ,", {double(sequence)}) + nameField + "," + fx + " ," + fy +
         " ," + fz + " ,";
}

SimaParcelSection SimaParcelSectionOf(const std::vector<std::string>& parcelFileLines,
                                      const std::vector<std::string>& pointNames) {
  return ParcelRewriter(pointNames).Rewrite(parcelFileLines);
}

SimaRead ParseSimaLines(const std::vector<std::string>& lines) {
  SimaRead read;
  bool inPoints = false;  // between "A00" and "A99"
  size_t i = 0;
  for (; i < lines.size(); ++i) {
    const int lineNumber = static_cast<int>(i + 1);
    std::vector<std::string> fields = rt::CommaFieldsOfLine(lines[i]);
    // A DC2 field ends the data; a record cut by it is not taken.
    bool endOfData = false;
    for (size_t k = 0; k < fields.size(); ++k) {
      if (fields[k] == std::string(1, kEndOfData)) {
        fields.resize(k);
        endOfData = true;
        break;
      }
    }
    const std::string code = fields.empty() ? std::string() : fields.front();
    auto field = [&fields](size_t k) { return k < fields.size() ? fields[k] : std::string(); };
    auto take = [&](const std::string& name, double x, double y, double z) {
      read.points.points.push_back({name, x, y, z, ""});
      read.points.lineNumbers.push_back(lineNumber);
    };
    if (code == "A01") {
      if (fields.size() < 6) {
        if (endOfData) return read;
        read.badLine = lineNumber;
        return read;
      }
      take(fields[2], RtVal(fields[3]), RtVal(fields[4]), RtVal(fields[5]));
    } else if (code == "H01" || code == "I02") {
      // Section points give Y before X; an I02 has no Z (its last field is empty).
      const size_t needed = code == "H01" ? 5 : 4;
      if (fields.size() < needed) {
        if (endOfData) return read;
        read.badLine = lineNumber;
        return read;
      }
      take(fields[1], RtVal(fields[3]), RtVal(fields[2]), RtVal(field(4)));
    } else if (code == "A00") {
      inPoints = true;
    } else if (code == "A99" || code == "I99") {
      inPoints = false;
      if (!endOfData) break;
    }
    if (endOfData) return read;
  }
  if (i < lines.size()) {
    read.parcelLines.assign(lines.begin() + static_cast<long>(i) + 1, lines.end());
  } else if (inPoints) {
    // The file ends inside its points: it was cut short.
    read.badLine = static_cast<int>(lines.size());
  }
  return read;
}

}  // namespace files

// ---- The menu, the writer and the reader ----

namespace {

using core::kJobFile;
constexpr int kParcelFile = 4;
constexpr int kGuideSimaMenu = 114;

std::string DataFile(const App& app, std::string_view name) {
  return app.shell.DataFolder + std::string(name);
}

// Every file closed, the print buffer open again for the next command's report.
void CloseAllAndReopenPrintBuffer(const App& app) {
  RtCloseAll();
  RtOpen(core::kPrintBuffer, PrintBufferPath(app), RtFileMode::Append);
}

// The lines of a file as they stand (none when it is missing).
std::vector<std::string> FileLines(int number, const std::string& path) {
  std::vector<std::string> lines;
  if (!RtFileExists(path)) return lines;
  RtOpen(number, path, RtFileMode::Input);
  std::string line;
  while (!RtEof(number)) {
    RtLineInputVar(number, line);
    lines.push_back(line);
  }
  RtClose(number);
  return lines;
}

void ReportDroppedVertices(const std::vector<files::SimaVertexWarning>& warnings) {
  for (const files::SimaVertexWarning& w : warnings) {
    RtColor(7);
    RtPrintStr(w.parcelText + " " + w.name, true);
    RtColor(5);
    RtPrintStr(" 不具合あり修正します", true);
  }
}

// Says which line of "K.D" stopped the write; the files stay as they were.
Jump RefuseParcelFile(App& app, int lineNumber) {
  RtPrintStr("", true);
  RtColor(10);
  RtPrintStr(" " + std::string(core::kParcelWorkFileName) + " の" + RtNumText(lineNumber) +
                 "行目: 画地の行(D00)が読めません",
             true);
  RtPrintStr(" 保存を中止しました。ファイルは元のままです。", true);
  RtColor(7);
  RtPrintStr(" メニューに戻ります", false);
  InputPointName(app);  // waits for Enter
  return {CoordinateManagementMenu};
}

// Names the point whose coordinate does not fit the record; nothing is written.
Jump RefusePoint(App& app, double number) {
  const points::Store& p = app.points;
  RtPrintStr("", true);
  RtColor(10);
  RtPrintStr(" 点 " + RtTrim(p.PointName(number)) + " の座標がSIMAの桁に入りません", true);
  RtPrintStr(" 保存を中止しました。ファイルは元のままです。", true);
  RtColor(7);
  RtPrintStr(" メニューに戻ります", false);
  InputPointName(app);
  return {CoordinateManagementMenu};
}

// Every point 1 to PointCount, or the block chosen for choice 2 (nothing chosen
// goes to the result menu). The old SIMA file stays until the new one is whole.
void ChoosePoints(App& app) {
  if (app.job.SubmenuChoice != 2) {
    SelectAllPoints(app);
    return;
  }
  SelectPoints(app);
  if (app.points.SelectionLast == -1) JumpTo(ShowResultMenu);
}

bool IsCoordinatesOnly(double choice) { return std::floor(choice * 10 + 0.5) == 11; }

}  // namespace

Jump SimaFileMenu(App& app) {
  files::JobFiles& job = app.job;
  job.FileExtension = ".SIM";
  job.FirstPointToSave = 1;
  job.FirstVertexToSave = 1;
  RtPrintStr(" 1:座標+画地ｶｷｺﾐ  1.1:座標ｶｷｺﾐ  2:1ﾌﾞｶｷｺﾐ  3:ﾖﾐｺﾐ  4:ﾂｲｶﾖﾐｺﾐ", true);
  RtPrintStr(" 5:ｴﾃﾞｨﾀ ", false);
  app.input.GuideNumber = kGuideSimaMenu;
  InputMenuChoice(app);
  job.FileMenuChoice = app.input.AnswerValue;
  job.SubmenuChoice = app.input.AnswerValue;
  if (app.input.Answer.empty()) return {CoordinateManagementMenu};
  switch (RtWhole(job.FileMenuChoice)) {
    case 1:
    case 2:
      return {WriteSimaFile};
    case 3:
    case 4:
      return {ChooseAndReadSimaFile};
    case 5:
      return {EditFileWithEditor};
    default:
      return {CoordinateManagementMenu};
  }
}

Jump WriteSimaFile(App& app) {
  ShowSaveFileDialog(app);
  if (app.job.ChosenFilePath.empty()) return {CoordinateManagementMenu};
  return WriteSimaJobFiles(app);
}

Jump WriteSimaJobFiles(App& app) {
  const double choice = app.job.SubmenuChoice;
  const bool withParcels = !IsCoordinatesOnly(choice) && choice != 2;
  const points::Store& p = app.points;

  // The parcels are rewritten before anything is written: a "K.D" that cannot
  // be read leaves every file as it was.
  files::SimaParcelSection parcels;
  if (withParcels) {
    RtClose(kParcelFile);
    std::vector<std::string> names;
    for (int n = 1; n <= static_cast<int>(p.PointCount); ++n) names.push_back(p.PointName(n));
    parcels = files::SimaParcelSectionOf(FileLines(kParcelFile, DataFile(app, core::kParcelWorkFileName)),
                                         names);
    if (parcels.badLine != 0) return RefuseParcelFile(app, parcels.badLine);
  }

  {
    // The SIMA file and its connection-line file replace the old ones together.
    RtFileGroup together;
    SaveConnectionLineFile(app);
    ChoosePoints(app);
    std::vector<std::string> records = {files::SimaJobRecord(app.settings.ZA), "A00,"};
    const int last = RtWhole(p.SelectionLast);
    for (int k = 0; k <= last; ++k) {
      const double n = p.SelectionList(k);
      std::string record = files::SimaPointRecord(k + 1, p.PointName(n), p.PointX(n), p.PointY(n), p.PointZ(n));
      if (record.empty()) return RefusePoint(app, n);  // the group drops the .SEN
      records.push_back(std::move(record));
    }
    records.emplace_back("A99,");
    // Written beside the old file, which it replaces at the commit.
    RtOpen(kJobFile, files::JobFilePath(app), RtFileMode::Output);
    for (const std::string& record : records) RtPrintToFile(kJobFile, record);
    for (const std::string& line : parcels.lines) RtPrintToFile(kJobFile, line);
    RtClose(kJobFile);
    together.Commit();
  }
  ReportDroppedVertices(parcels.warnings);
  RtCloseAll();
  // The land survey table beside the SIMA file (a missing table is passed over).
  RtFileCopy(DataFile(app, core::kSurveyCsvName), files::JobFilePath(app, ".csv"));
  files::ForgetUnreadFile(app, files::JobFilePath(app));
  CloseAllAndReopenPrintBuffer(app);
  return {CoordinateManagementMenu};
}

Jump ChooseAndReadSimaFile(App& app) {
  files::JobFiles& job = app.job;
  const std::string jobName = app.settings.ZA;
  const std::string jobFolder = app.shell.JobFolder;
  const std::string extension = job.FileExtension;
  const std::string workingFolder = RtCurDir();
  ShowOpenFileDialog(app);
  if (job.ChosenFilePath.empty()) return {CoordinateManagementMenu};
  // An appending read keeps the job's name: its later saves go to its own files.
  if (RtWhole(job.FileMenuChoice) == 4) job.KeptJobName = jobName;
  try {
    return ReadSimaFile(app);
  } catch (const RtError&) {
    // A file that could not be read leaves the job as it was, its name included.
    app.settings.ZA = jobName;
    app.shell.JobFolder = jobFolder;
    job.FileExtension = extension;
    try {
      RtChdir(workingFolder);
    } catch (const RtError&) {
      // A working folder removed meanwhile: the job's path still names the job.
    }
    throw;
  }
}

Jump ReadSimaFile(App& app) {
  files::JobFiles& job = app.job;
  // The rounded choice: 3.2 reads like 3, so no menu answer reaches the plain
  // read with a ListPointNumber left from some earlier read.
  const double choice = std::isfinite(job.FileMenuChoice) ? std::round(job.FileMenuChoice) : 0;
  const bool fresh = choice == 3;
  const bool appending = choice == 4;
  if (fresh || appending) job.FileMenuChoice = choice;  // the connection-line read agrees
  const std::string path = files::JobFilePath(app);

  // The whole file first: nothing of the job changes before it is read.
  files::OpenJobFileToRead(app);
  std::vector<std::string> lines;
  std::string line;
  while (!RtEof(kJobFile)) {
    RtLineInputVar(kJobFile, line);
    lines.push_back(line);
  }
  RtClose(kJobFile);
  const files::SimaRead read = files::ParseSimaLines(lines);
  if (read.badLine != 0) {
    files::RememberUnreadFile(app, path);
    files::RaiseBadJobFileLine(app, read.badLine, kErrReadPastEnd);
  }
  const double firstNumber = fresh ? 1 : appending ? app.points.PointCount + 1 : job.ListPointNumber;
  try {
    files::CheckPointListFits(app, read.points, firstNumber, 0, false);
  } catch (const RtError&) {
    files::RememberUnreadFile(app, path);
    throw;
  }
  files::ForgetUnreadFile(app, path);

  ShowLoadingMessage(app);
  const std::string parcelPath = DataFile(app, core::kParcelWorkFileName);
  const std::string tablePath = DataFile(app, core::kSurveyCsvName);
  RtClose(kParcelFile);
  if (fresh) {
    ClearAllData(app);
    app.area.LabelCount = 0;
    RtKill(parcelPath);
    RtKill(tablePath);
  }
  if (appending) app.settings.ZA = job.KeptJobName;
  // A fresh or plain read takes the table saved beside the file. An appending
  // read keeps the job's own table: the one beside the file read belongs to
  // another job (or is an older save of this one) and would replace the rows
  // of the job's own parcels.
  if (!appending) RtFileCopy(files::JobFilePath(app, ".csv"), tablePath);
  RtOpen(kParcelFile, parcelPath, RtFileMode::Append);
  for (const std::string& parcelLine : read.parcelLines) RtPrintToFile(kParcelFile, parcelLine);
  RtClose(kParcelFile);

  job.ListPointNumber = firstNumber;
  files::StorePointList(app, read.points);
  app.shell.ScaleFactor = 1;
  CloseAllAndReopenPrintBuffer(app);
  LoadConnectionLineFileUnlessAppending(app);
  return {EntryOf(Routines().NormalizeNamesThenPlot)};
}
