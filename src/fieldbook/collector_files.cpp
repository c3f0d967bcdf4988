#include "fieldbook/collector_files.h"

#include <cmath>

#include "core/app.h"
#include "core/columns.h"
#include "core/routines.h"
#include "fieldbook/book.h"
#include "fieldbook/book_file.h"
#include "fieldbook/records.h"
#include "fieldbook/running_height.h"
#include "files/file_dialogs.h"
#include "runtime/clock.h"
#include "runtime/console.h"
#include "runtime/errors.h"
#include "runtime/files.h"
#include "runtime/numtext.h"
#include "runtime/text.h"
#include "ui/input.h"
#include "ui/navigator.h"

using columns::Columns;
using columns::PadTo;
using columns::RightAlign;

namespace {

constexpr int kCollectorFile = 1;
constexpr int kGuideMenu = 258;
constexpr int kGuideSdWrite = 274;
constexpr int kGuideSdRead = 275;
constexpr int kGuideConnections = 295;
constexpr int kGuideSdr3pWrite = 259;
constexpr int kGuideSdr3pRead = 256;
// A station record longer than this, trimmed, is of the long form.
constexpr size_t kShortStationLimit = 40;
const std::string kEtx = std::string(1, '\x03') + "00000";

// `text` cut to at most `n` bytes, never inside a double-byte character, and
// never padded.
std::string CutTo(const std::string& text, int n) {
  return PadTo(text, std::min(n, static_cast<int>(text.size())));
}

// The station of a "*" record: the short form's windows as they stand (station
// 9 bytes, back-sight 8, the instrument height 6, completed with blanks when the
// record is short, so that a height such as "15" never reads as "1500"); of the
// long form, its own fields trimmed, the height placed to the right of its 6
// bytes.
struct StationWindows {
  std::string name, backsight, height;
};
StationWindows StationWindowsOf(const std::string& record) {
  if (RtTrim(record).size() > kShortStationLimit)
    return {RtTrim(Columns(record, 2, 17)), RtTrim(Columns(record, 19, 34)),
            RightAlign(RtTrim(Columns(record, 36, 42)), 6)};
  return {PadTo(Columns(record, 2, 10), 9), PadTo(Columns(record, 11, 18), 8), PadTo(Columns(record, 20, 25), 6)};
}

// The windows of a sight record: slope distance 2-10, vertical angle 11-19,
// horizontal angle 20-28, target height 29-34, point name 36-43.
struct SightWindows {
  std::string distance, vertical, horizontal, targetHeight, name;
};
SightWindows SightWindowsOf(const std::string& record) {
  return {PadTo(Columns(record, 2, 10), 9), PadTo(Columns(record, 11, 19), 9), PadTo(Columns(record, 20, 28), 9),
          PadTo(Columns(record, 29, 34), 6), PadTo(Columns(record + std::string(8, ' '), 36, 43), 8)};
}

// The face of a sight: left when the vertical reading passes 180 degrees.
bool LeftFace(const SightWindows& sight) { return RtVal(RtTrim(sight.vertical)) > 180; }

bool IsStation(const std::string& record) { return fieldbook::KindOf(record) == "*"; }
bool IsSight(const std::string& record) { return fieldbook::KindOf(record) == "'"; }

std::string Joined(const std::vector<std::string>& fields) {
  std::string line;
  for (size_t i = 0; i < fields.size(); ++i) line += (i == 0 ? "" : ",") + fields[i];
  return line;
}

// The fields of an SD file as one stream: each line split at its commas, a
// line ending in a comma giving one more, empty field; each field trimmed.
std::vector<std::string> SdFields(const std::vector<std::string>& lines) {
  std::vector<std::string> fields;
  for (const std::string& line : lines) {
    size_t start = 0;
    for (size_t comma; (comma = line.find(',', start)) != std::string::npos; start = comma + 1)
      fields.push_back(RtTrim(line.substr(start, comma - start)));
    fields.push_back(RtTrim(line.substr(start)));
  }
  return fields;
}

[[noreturn]] void RepeatLastCommandJump() { JumpTo(EntryOf(Routines().RepeatLastCommand)); }

// The dialog of a conversion: the extension and guide set, the dialog shown;
// a cancelled one goes to RepeatLastCommand.
void ChooseCollectorFile(App& app, const char* extension, int guide, bool save) {
  app.job.FileExtension = extension;
  app.input.GuideNumber = guide;
  ShowGuideNext(app);
  if (save)
    ShowSaveFileDialog(app);
  else
    ShowOpenFileDialog(app);
  if (app.job.ChosenFilePath.empty()) RepeatLastCommandJump();
}

// True when the book holds records to write; otherwise says so.
bool BookToWrite(const App& app) {
  if (app.fieldbook.FieldBookCount > 0) return true;
  RtColor(2);
  RtPrintStr(" 野帳にデータがありません。ファイルは書きません", true);
  RtColor(7);
  return false;
}

// Writes `lines` as the job's file with the chosen extension, in one safe step:
// a file that cannot be written stays as it was.
Jump WriteCollectorFile(App& app, const std::vector<std::string>& lines) {
  const std::string path = files::JobFilePath(app);
  RtClose(kCollectorFile);
  try {
    RtOpen(kCollectorFile, path, RtFileMode::Output);
    for (const std::string& line : lines) RtPrintToFile(kCollectorFile, line);
    RtClose(kCollectorFile);
  } catch (const RtError&) {
    RtClose(kCollectorFile);
    fieldbook::SayFileRefused(path, " に書けません。ファイルはそのままです");
  }
  return {FieldBookMenu};
}

fieldbook::CollectorClock ClockNow() { return {RtFormatDate("yy/mm/dd"), RtTime()}; }

}  // namespace

namespace fieldbook {

std::vector<std::string> SdFileLines(const RtTable<std::string>& records, const RtTable<std::string>& attributes,
                                     int count, const std::string& jobName, const CollectorClock& clock) {
  if (count <= 0) return {};
  const std::string stamp = "G00TS," + clock.date + "," + clock.time;
  std::vector<std::string> lines = {
      Joined({"A00NM", "1", "SET3000 Ver 01-10", clock.date, clock.time, "11311", std::to_string(count + 100)}),
      Joined({"B00NM", jobName, "3", "2111", ""}),
      "B10NM,1.00000000,0",
      stamp,
      "B20NM,:,SET3000,022222,1,0",
  };
  std::string station;
  for (int i = 1; i <= count; ++i) {
    const std::string& record = records(i);
    if (IsStation(record)) {
      const StationWindows s = StationWindowsOf(record);
      station = RtTrim(s.name);
      const std::string backsight = RtTrim(s.backsight);
      lines.push_back(Joined({"C00TP", station, "0.000", "0.000", "0.000", s.height, ""}));
      lines.push_back("C10NM,,,,0");
      lines.push_back("C20NM,1,1,");
      lines.push_back(stamp);
      lines.push_back(stamp);
      lines.push_back(Joined({"E10NM", station, backsight, "", "", ""}));
      lines.push_back(Joined({"D00TP", station, backsight, "0.0000", "0.0000"}));
    } else if (IsSight(record)) {
      const SightWindows s = SightWindowsOf(record);
      lines.push_back(Joined({"E00TP", station, RtTrim(s.name), LeftFace(s) ? "L" : "R", RtTrim(s.horizontal),
                              RtTrim(s.vertical), RtTrim(s.distance), RtTrim(s.targetHeight), RtTrim(attributes(i)),
                              ""}));
    }
  }
  lines.push_back(kEtx);
  return lines;
}

std::vector<std::string> Sdr3pFileLines(const RtTable<std::string>& records, int count, const std::string& jobName,
                                        const CollectorClock& clock) {
  if (count <= 0) return {};
  const std::string blanks3(3, ' ');
  std::vector<std::string> lines = {
      "H01        SET3000    Ver 01-10  " + clock.date + blanks3 + clock.time + blanks3,
      "J01        " + PadTo(jobName, 11),
      "J02        00                    ",
      "J03                    ",
  };
  const auto sequence = [](int i) {
    const std::string digits = std::to_string(i);
    return std::string(4 - std::min<size_t>(4, digits.size()), '0') + digits;
  };
  for (int i = 1; i <= count; ++i) {
    const std::string& record = records(i);
    if (IsStation(record)) {
      const StationWindows s = StationWindowsOf(record);
      lines.push_back("K01        " + PadTo(s.name, 9) + std::string(7, ' ') + PadTo(s.height, 6) +
                      " B=P=C" + std::string(16, ' '));
      lines.push_back("K02        SET3000    014406     ");
      lines.push_back("K03                  0      0 . 0  0 . 0 . 0          1");
      lines.push_back("K04        " + clock.date + std::string(25, ' '));
      lines.push_back("K05        ﾊﾚ         ﾑﾌｳ               15.0       1013          0");
      lines.push_back("K06        00:00:00   00:00:00   00:00:00   " + clock.time + blanks3);
      lines.push_back("K07        00:00:00   00:00:00   00:00:00   " + clock.time + blanks3);
      lines.push_back("K08                    ");
      lines.push_back("K09                  0          0          0          0          0");
      lines.push_back("D27R" + sequence(i) + blanks3 + PadTo(s.backsight, 8) +
                      "         0.000     0.0000    90.0000      0.000" + std::string(13, ' '));
    } else if (IsSight(record)) {
      const SightWindows s = SightWindowsOf(record);
      lines.push_back((LeftFace(s) ? "D27L" : "D27R") + sequence(i) + blanks3 + s.name + std::string(8, ' ') +
                      s.targetHeight + blanks3 + s.horizontal + "  " + s.vertical + "  " + s.distance +
                      std::string(12, ' '));
    }
    if (i < count && IsStation(records(i + 1))) lines.push_back("D00        000");
  }
  lines.push_back("D00        000");
  lines.push_back(kEtx);
  return lines;
}

SdRead ParseSdFile(const std::vector<std::string>& lines, const std::string& path, bool withConnections) {
  const std::vector<std::string> fields = SdFields(lines);
  SdRead read{{""}, {""}, ""};
  std::string stationName, height;
  size_t openStation = 0;  // the record of a station block awaiting its "D00TP"
  const auto newRecord = [&](const std::string& record, const std::string& attribute) {
    read.records.push_back(record);
    read.attributes.push_back(attribute);
    return read.records.size() - 1;
  };
  const auto stationRecord = [&](const std::string& backsight) {
    return "*" + PadTo(stationName, 9) + CutTo(backsight + std::string(9, ' '), 10) + PadTo(height, 7);
  };
  for (size_t i = 0; i < fields.size();) {
    const std::string& code = fields[i++];
    const size_t needed = code == "C00TP" ? 5 : code == "D00TP" ? 2 : code == "E00TP" ? 8 : 0;
    if (i + needed > fields.size()) {
      read.refusal = " の " + code + " が途中で切れています。野帳はそのままです";
      return read;
    }
    if (code == "A00NM") {
      read.records[0] = path;
    } else if (code == "C00TP") {
      stationName = fields[i];
      height = fields[i + 4];
      openStation = newRecord(stationRecord(""), "");
    } else if (code == "D00TP" && openStation == 0) {
      ++read.dropped;  // no station block to close
    } else if (code == "D00TP") {
      read.records[openStation] = stationRecord(fields[i + 1]);
      openStation = 0;
    } else if (code == "E00TP" && RtVal(fields[i + 5]) == 0) {
      ++read.dropped;  // no slope distance
    } else if (code == "E00TP") {
      const std::string& name = fields[i + 1];
      const std::string record = "'" + RightAlign(fields[i + 5], 8) + RightAlign(fields[i + 4], 9) +
                                 RightAlign(fields[i + 3], 9) + RightAlign(fields[i + 6], 7) + " " +
                                 CutTo(name + std::string(8, ' '), 9);
      newRecord(record, withConnections ? fields[i + 7] : "9" + fields[i + 7]);
    }
    i += needed;
    if (read.records.size() - 1 > static_cast<size_t>(kRecordCapacity)) {
      read.refusal = " は野帳に入りきりません (9999件まで)。野帳はそのままです";
      return read;
    }
  }
  return read;
}

}  // namespace fieldbook

Jump FieldBookConversionMenu(App& app) {
  RtPrintStr("", true);
  RtPrintStr(" 1:Yﾃﾞｰﾀ-->SDﾌｧｲﾙ     2:SDﾌｧｲﾙ-->Yﾃﾞｰﾀ  3:SDﾌｧｲﾙ", true);
  RtPrintStr(" 4:Yﾃﾞｰﾀ-->SDR3Pﾌｧｲﾙ  5:SDR3Pﾌｧｲﾙ計算 ", false);
  app.input.GuideNumber = kGuideMenu;
  InputMenuChoice(app);
  const double choice = app.input.Answer.empty() ? 0 : std::round(app.input.AnswerValue);
  if (choice == 1) return {WriteSdFile};
  if (choice == 2) return {ReadSdFile};
  if (choice == 3) {
    app.job.FileExtension = ".SD";
    FieldBookFileMenuWithExtension(app);
    return {FieldBookConversionMenu};
  }
  if (choice == 4) return {WriteSdr3pFile};
  if (choice == 5) return {ReadS3pFile};
  return {EntryOf(Routines().RepeatLastCommand)};
}

Jump WriteSdFile(App& app) {
  if (!BookToWrite(app)) return {FieldBookMenu};
  ChooseCollectorFile(app, ".SD", kGuideSdWrite, true);
  const fieldbook::State& f = app.fieldbook;
  return WriteCollectorFile(app, fieldbook::SdFileLines(f.FieldBookRecord, f.FieldBookAttribute,
                                                        static_cast<int>(f.FieldBookCount), app.settings.ZA,
                                                        ClockNow()));
}

Jump WriteSdr3pFile(App& app) {
  if (!BookToWrite(app)) return {FieldBookMenu};
  ChooseCollectorFile(app, ".S3P", kGuideSdr3pWrite, true);
  const fieldbook::State& f = app.fieldbook;
  return WriteCollectorFile(
      app, fieldbook::Sdr3pFileLines(f.FieldBookRecord, static_cast<int>(f.FieldBookCount), app.settings.ZA,
                                     ClockNow()));
}

Jump ReadSdFile(App& app) {
  ChooseCollectorFile(app, ".SD", kGuideSdRead, false);
  const std::string path = app.job.ChosenFilePath;
  RtPrintStr(" 0:結線データ無し  1:結線データ有り  0", false);
  app.input.GuideNumber = kGuideConnections;
  ShowGuideNext(app);
  InputMenuChoice(app);
  const bool withConnections = !app.input.Answer.empty() && app.input.AnswerValue != 0;
  std::vector<std::string> lines;
  if (!fieldbook::ReadAllLines(path, lines)) RepeatLastCommandJump();
  const fieldbook::SdRead read = fieldbook::ParseSdFile(lines, path, withConnections);
  if (!read.refusal.empty()) {
    fieldbook::SayFileRefused(path, read.refusal.c_str());
    RepeatLastCommandJump();
  }
  for (const std::string& field : SdFields(lines)) RtPrintStr(field, true);
  if (read.dropped > 0) RtPrintStr(" 読み込まなかった記録 " + std::to_string(read.dropped) + " 件", true);
  ClearFieldBook(app);
  fieldbook::State& f = app.fieldbook;
  for (size_t i = 0; i < read.records.size(); ++i) {
    f.FieldBookRecord(static_cast<double>(i)) = read.records[i];
    f.FieldBookAttribute(static_cast<double>(i)) = read.attributes[i];
  }
  f.FieldBookCount = static_cast<double>(read.records.size() - 1);
  RepeatLastCommandJump();
}

Jump ReadS3pFile(App& app) {
  ChooseCollectorFile(app, ".S3P", kGuideSdr3pRead, false);
  const std::string path = app.job.ChosenFilePath;
  std::vector<std::string> lines;
  if (!fieldbook::ReadAllLines(path, lines)) RepeatLastCommandJump();
  if (lines.size() - 1 > static_cast<size_t>(fieldbook::kRecordCapacity)) {
    fieldbook::SayFileRefused(path, " は野帳に入りきりません (9999件まで)。野帳はそのままです");
    RepeatLastCommandJump();
  }
  ClearFieldBook(app);
  fieldbook::State& f = app.fieldbook;
  for (size_t i = 0; i < lines.size(); ++i) {
    f.FieldBookRecord(static_cast<double>(i)) = lines[i];
    RtPrintStr(lines[i], true);
  }
  f.FieldBookCount = static_cast<double>(lines.size() - 1);
  ComputeLevelRunningHeight(app);
  return {FieldBookMenu};
}
