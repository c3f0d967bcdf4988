#include "fieldbook/book_file.h"

#include <cmath>

#include "core/app.h"
#include "core/columns.h"
#include "core/routines.h"
#include "core/sound.h"
#include "fieldbook/book.h"
#include "fieldbook/records.h"
#include "files/coordinate_management.h"
#include "files/file_dialogs.h"
#include "runtime/console.h"
#include "runtime/errors.h"
#include "runtime/files.h"
#include "runtime/programs.h"
#include "runtime/text.h"
#include "ui/input.h"
#include "ui/layout.h"
#include "ui/navigator.h"

using columns::Columns;

namespace {

constexpr int kBookFile = 1;
constexpr int kGuideFileMenu = 24;
constexpr int kGuideEditor = 251;
// A "'" line's attribute: bytes 45 to 74.
constexpr int kAttributeStart = 45;
constexpr int kAttributeLength = 30;

bool IsEditorCopy(const App& app, const std::string& path) { return path == app.shell.DataFolder + "T.D"; }

// The reference number of a radiation record ending in "=": the digits before it.
int ReferenceOf(const std::string& record, size_t& start) {
  start = record.size() - 1;
  while (start > 0 && rt::IsDigit(record[start - 1])) --start;
  return static_cast<int>(std::lround(RtVal(record.substr(start, record.size() - 1 - start))));
}

[[noreturn]] void RepeatLastCommandJump() { JumpTo(EntryOf(Routines().RepeatLastCommand)); }

void SaveFieldBookAs(App& app) {
  ShowSaveFileDialog(app);
  if (app.job.ChosenFilePath.empty()) RepeatLastCommandJump();
  try {
    WriteFieldBookFile(app);
  } catch (const RtError&) {
    fieldbook::SayFileRefused(app.job.ChosenFilePath, " に書けません。ファイルはそのままです");
  }
}

void ReadChosenFieldBook(App& app, bool append) {
  ShowOpenFileDialog(app);
  if (app.job.ChosenFilePath.empty()) RepeatLastCommandJump();
  ReadFieldBookFile(app, append);
}

}  // namespace

void fieldbook::SayFileRefused(const std::string& path, const char* why) {
  RtColor(2);
  RtPrintStr(" " + path + why, true);
  RtColor(7);
}

bool fieldbook::ReadAllLines(const std::string& path, std::vector<std::string>& lines) {
  if (!RtFileExists(path)) {
    fieldbook::SayFileRefused(path, " が見つかりません。野帳はそのままです");
    return false;
  }
  try {
    RtOpen(kBookFile, path, RtFileMode::Input);
    for (std::string line; !RtEof(kBookFile);) {
      RtLineInputVar(kBookFile, line);
      lines.push_back(line);
    }
    RtClose(kBookFile);
  } catch (const RtError&) {
    RtClose(kBookFile);
    fieldbook::SayFileRefused(path, " を読めません。野帳はそのままです");
    return false;
  }
  if (lines.empty()) {
    fieldbook::SayFileRefused(path, " は空です。野帳はそのままです");
    return false;
  }
  return true;
}

bool fieldbook::IsTraverseLayout(const std::string& record) {
  const std::string kind = KindOf(record);
  return (kind == "'" || kind == "T") && record.size() >= 28 && record[22] == '.';
}

std::string fieldbook::ToEditorOrder(const std::string& line) {
  return line.substr(0, 1) + Columns(line, 19, 27) + Columns(line, 2, 18) + RtMid(line, 28);
}

std::string fieldbook::FromEditorOrder(const std::string& line) {
  return line.substr(0, 1) + Columns(line, 11, 27) + Columns(line, 2, 10) + RtMid(line, 28);
}

std::vector<std::string> fieldbook::OrdinaryFileLines(const RtTable<std::string>& records,
                                                      const RtTable<std::string>& attributes, int count,
                                                      bool editorCopy) {
  std::vector<std::string> lines;
  lines.reserve(static_cast<size_t>(count));
  for (int i = 1; i <= count; ++i) {
    const std::string& record = records(i);
    std::string line = record.size() < 45 ? RtLeft(record + "        ", 44) + attributes(i) : record;
    if (editorCopy && IsTraverseLayout(line)) line = ToEditorOrder(line);
    lines.push_back(std::move(line));
  }
  return lines;
}

std::vector<std::string> fieldbook::RadiationFileLines(const RtTable<std::string>& records, int count) {
  std::vector<std::string> lines;
  int lastFull = -1;  // no record written in full yet
  for (int i = 1; i <= count; ++i) {
    const std::string& record = records(i);
    if (record.empty()) continue;
    if (record.ends_with("=")) {
      size_t start = 0;
      const int referred = ReferenceOf(record, start);
      if (referred != lastFull && referred >= 1 && referred <= count) {
        lines.push_back(RtTrim(RtRight(records(referred), 25)));
      }
      lines.push_back(RtTrim(record.substr(0, start)));
      continue;
    }
    lines.push_back(RtTrim(RtRight(record, 25)));
    lines.push_back(RtTrim(RtLeft(record, 43)));
    lastFull = i;
  }
  return lines;
}

fieldbook::BookLine fieldbook::ParseBookLine(const std::string& line, bool editorCopy) {
  const std::string text = editorCopy && IsTraverseLayout(line) ? FromEditorOrder(line) : line;
  if (KindOf(text) == "'") return {RtLeft(text, 44), Columns(text, kAttributeStart, kAttributeStart + kAttributeLength - 1)};
  return {text, ""};
}

void WriteFieldBookFile(App& app) {
  fieldbook::State& f = app.fieldbook;
  if (f.FieldBookCount == 0) return;
  const std::string path = app.job.ChosenFilePath;
  const bool editorCopy = IsEditorCopy(app, path);
  const int count = static_cast<int>(f.FieldBookCount);
  const std::vector<std::string> lines =
      f.ZJ != 0 && !editorCopy ? fieldbook::RadiationFileLines(f.FieldBookRecord, count)
                               : fieldbook::OrdinaryFileLines(f.FieldBookRecord, f.FieldBookAttribute, count, editorCopy);
  RtClose(kBookFile);
  try {
    RtOpen(kBookFile, path, RtFileMode::Output);
    RtPrintToFile(kBookFile, "");
    for (const std::string& line : lines) RtPrintToFile(kBookFile, line);
    RtClose(kBookFile);
  } catch (const RtError&) {
    RtClose(kBookFile);
    throw;
  }
  f.ZJ = 0;
  PlaySound(app, "ding.wav");
}

bool ReadFieldBookFile(App& app, bool append) {
  fieldbook::State& f = app.fieldbook;
  const std::string path = app.job.ChosenFilePath;
  std::vector<std::string> lines;
  if (!fieldbook::ReadAllLines(path, lines)) return false;
  const double first = append ? f.FieldBookCount : 0;
  if (first + static_cast<double>(lines.size() - 1) > fieldbook::kRecordCapacity) {
    fieldbook::SayFileRefused(path, " は野帳に入りきりません (9999件まで)。野帳はそのままです");
    return false;
  }
  if (!append) ClearFieldBook(app);
  const bool editorCopy = IsEditorCopy(app, path);
  for (size_t i = 0; i < lines.size(); ++i) {
    RtPrintStr(lines[i], true);
    const fieldbook::BookLine read = fieldbook::ParseBookLine(lines[i], editorCopy);
    const double index = i == 0 ? 0 : first + static_cast<double>(i);
    f.FieldBookRecord(index) = read.record;
    f.FieldBookAttribute(index) = read.attribute;
  }
  f.FieldBookCount = first + static_cast<double>(lines.size() - 1);
  PlaySound(app, "notify.wav");
  return true;
}

void FieldBookFileMenu(App& app) {
  app.job.FileExtension = ".Y";
  FieldBookFileMenuWithExtension(app);
}

void FieldBookFileMenuWithExtension(App& app) {
  RtPrintStr(" ﾌｧｲﾙ 1:ｶｷｺﾐ  2:ﾖﾐｺﾐ  3:ﾂｲｶ  4:ｴﾃﾞｨﾀ ", false);
  app.input.GuideNumber = kGuideFileMenu;
  InputMenuChoice(app);
  const double choice = std::round(app.input.AnswerValue);
  if (choice == 1) SaveFieldBookAs(app);
  if (choice == 2) ReadChosenFieldBook(app, false);
  if (choice == 3) ReadChosenFieldBook(app, true);
  if (choice == 4) OpenFileInEditor(app);
}

Jump OpenFieldBookFileMenu(App& app) {
  FieldBookFileMenu(app);
  return {FieldBookMenu};
}

Jump TransferFieldBookFile(App& app) {
  FieldBookFileMenu(app);
  return {EntryOf(Routines().TransferMenu)};
}

void EditFieldBookInEditor(App& app) {
  const std::string path = app.shell.DataFolder + "T.D";
  app.job.ChosenFilePath = path;
  WriteFieldBookFile(app);
  app.input.GuideNumber = kGuideEditor;
  ShowGuideNext(app);
  ReleaseTopmost(app);
  RtShell(app.settings.VZ, path, true, 8, rt::ProgramRole::kEditor);
  RestoreTopmost(app);
  ReadFieldBookFile(app, false);
  RtKill(path);
}
