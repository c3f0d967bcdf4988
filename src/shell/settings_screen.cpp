#include "shell/settings_screen.h"

#include <algorithm>
#include <cmath>
#include <string>
#include <string_view>
#include <vector>

#include "core/app.h"
#include "core/constants.h"
#include "files/file_dialogs.h"
#include "runtime/console.h"
#include "runtime/errors.h"
#include "runtime/files.h"
#include "runtime/folders.h"
#include "runtime/text.h"
#include "runtime/windows.h"
#include "shell/settings_file.h"
#include "ui/input.h"
#include "ui/layout.h"
#include "ui/navigator.h"

namespace {

using core::kSettingsFile;
// Rows of SettingsListText: the settings file's lines without the "MOX=" line.
constexpr std::size_t kRowCount = 19;
constexpr char kRowSeparator = '/';
constexpr std::size_t kValueLength = 100;
constexpr int kEditColumn = 30;
// Rows above this one are the command row: a click there is a command.
constexpr int kLastSettingsRow = 20;
constexpr int kLargestCommand = 32767;

constexpr int kRowColour = 7;
constexpr int kValueColour = 13;
constexpr int kEntryColour = 15;

enum Command { kSave = 1, kLoad = 2, kLeave = 3 };

// The rows whose value is typed, chosen as a program file, or clicked.
constexpr int kJobNameRow = 1;
constexpr int kZoneRow = 9;
constexpr int kLayoutRow = 10;
constexpr int kEditorRow = 18;
constexpr int kCadRow = 19;

// A clicked row's setting and whether a click that gives 0 (a label or a
// bracket) leaves it alone.
struct ClickedSetting {
  double* setting = nullptr;
  bool nonZeroOnly = false;
};

ClickedSetting SettingOfRow(App& app, int row) {
  shell::Settings& s = app.settings;
  switch (row) {
    case 3: return {&s.ZD, true};
    case 4: return {&s.ZE, false};
    case 5: return {&s.TN, true};
    case 6: return {&s.TZ, true};
    case 7: return {&s.T, true};
    case 8: return {&s.VV, false};
    case 11: return {&s.RG, false};
    case 12: return {&s.ZEH, true};
    case 13: return {&s.ZEE, true};
    case 14: return {&s.ZEI, true};
    case 15: return {&s.ZEG, true};
    case 16: return {&s.ZEF, true};
    case 17: return {&s.COX, true};
    default: return {};
  }
}

// The text area as the input routine sets it: from row 0, as many rows as the
// main window shows.
void ResetTextArea(App& app) {
  const int rows = MainWindowTextAreaRows();
  RtConsole(0, rows);
  app.input.TextAreaRows = rows;
}

// A row's value: the text after its first "=", blanks trimmed, at most 100
// characters; a row without "=" has none.
std::string RowValue(std::string_view row) {
  const int equals = RtInstr(row, "=");
  if (equals == 0) return {};
  return RtLeft(RtTrim(row.substr(equals)), kValueLength);
}

// The row in colour 7, the first place where its value occurs in colour 13: a
// value among the bracketed choices shows that choice highlighted.
void PrintRow(std::string_view row) {
  const std::string value = RowValue(row);
  const int at = value.empty() ? 0 : RtInstr(row, value);
  RtColor(kRowColour);
  if (at == 0) {
    RtPrintStr(row, true);
    return;
  }
  RtPrintStr(row.substr(0, at - 1), false);
  RtColor(kValueColour);
  RtPrintStr(value, false);
  RtColor(kRowColour);
  RtPrintStr(row.substr(at - 1 + value.size()), true);
}

// The screen's rows: the settings file's lines without the "MOX=" line.
std::vector<std::string> SettingsRows(const App& app) {
  std::vector<std::string> rows = SettingsLines(app);
  rows.resize(std::min(kRowCount, rows.size()));
  return rows;
}

// Shows the rows and asks for a command or a click on a row.
void ShowAndAsk(App& app) {
  ResetTextArea(app);
  RtCls(RtWindowId::Main);
  BuildSettingsList(app);
  RtPrintStr("", true);
  // Row by row, not split at the "/" of SettingsListText: a program's path holds
  // "/" as its folder separator, and splitting there would push the command row
  // down and away from where the clicks expect it.
  for (const std::string& row : SettingsRows(app)) PrintRow(row);
  RtPrintStr("", true);
  RtPrintStr(" 1:設定保存  2:設定読込  3:終了 ", false);
  app.input.GuideNumber = 120;
  InputMenuChoice(app);
}

// The command of the answer: the clicked number on the command row (or any
// typed answer in the plain line input); 0 for a click on a settings row.
int CommandOfAnswer(const App& app) {
  const ui::InputState& in = app.input;
  if (in.Answer.empty()) return 0;
  if (in.ClickRow <= kLastSettingsRow && in.InputStyle != -1) return 0;
  const double command = std::round(in.AnswerValue);
  if (command < 0) RtRaise(kErrIllegalArgument);
  if (command > kLargestCommand) RtRaise(kErrOverflow);
  return static_cast<int>(command);
}

// The file dialogs replace the job name: it is kept aside while they run.
class JobNameKeeper {
 public:
  JobNameKeeper(App& app, std::string during) : app_(app), kept_(app.settings.ZA) {
    app.settings.ZA = std::move(during);
  }
  ~JobNameKeeper() { app_.settings.ZA = kept_; }
  JobNameKeeper(const JobNameKeeper&) = delete;
  JobNameKeeper& operator=(const JobNameKeeper&) = delete;

 private:
  App& app_;
  std::string kept_;
};

// Rows 1 and 9: a typed job name or coordinate system; Enter alone keeps it.
void TypeRowValue(App& app, int row) {
  RtColor(kEntryColour);
  RtPrintStr(std::string(16, ' '), false);
  RtLocate(kEditColumn, RtCsrlin());
  app.input.GuideNumber = row == kJobNameRow ? 115 : 117;
  InputPointName(app);
  if (app.input.Answer.empty()) return;
  if (row == kJobNameRow) {
    app.settings.ZA = app.input.Answer;
  } else {
    app.settings.ZAKE = app.input.AnswerValue;
  }
}

// Rows 18 and 19: the editor or CAD program, chosen as a file; cancelling keeps it.
void ChooseProgram(App& app, int row) {
  app.input.GuideNumber = row == kEditorRow ? 118 : 119;
  ShowGuideNext(app);
  {
    const JobNameKeeper keeper(app, "");
    app.job.FileExtension = ".EXE";
    ShowOpenFileDialog(app);
  }
  const std::string& chosen = app.job.ChosenFilePath;
  if (chosen.empty()) return;
  (row == kEditorRow ? app.settings.VZ : app.settings.VX) = chosen;
}

void EditRow(App& app, int row) {
  RtLocate(kEditColumn, std::clamp(row, 0, rt::kConsoleRows - 1));
  const double value = app.input.AnswerValue;
  if (row == kJobNameRow || row == kZoneRow) return TypeRowValue(app, row);
  if (row == kEditorRow || row == kCadRow) return ChooseProgram(app, row);
  if (row == kLayoutRow) {
    app.settings.GAMEN = value;
    app.shell.SavedLayout = value;
    return;
  }
  const ClickedSetting clicked = SettingOfRow(app, row);
  if (clicked.setting == nullptr) return;
  if (clicked.nonZeroOnly && std::round(value) == 0) return;
  *clicked.setting = value;
}

// The dialogs of the save and the load look for ".DEF" files in the data folder.
void PrepareSettingsDialog(App& app) {
  app.job.FileExtension = ".DEF";
  RtChdir(app.shell.DataFolder);
}

void SaveSettings(App& app) {
  const JobNameKeeper keeper(app, "KRN2000");
  PrepareSettingsDialog(app);
  ShowSaveFileDialog(app);
  if (app.job.ChosenFilePath.empty()) return;
  // The dialog has set the job name to the chosen file's base name, which the
  // job-name line carries. The file is replaced only once it is written whole.
  BuildSettingsList(app);
  RtOpen(kSettingsFile, app.job.ChosenFilePath, RtFileMode::Output);
  WriteSettingsLines(app);
  RtClose(kSettingsFile);
  RtChdir(app.shell.JobFolder);
}

void LoadSettings(App& app) {
  const JobNameKeeper keeper(app, "");
  PrepareSettingsDialog(app);
  ShowOpenFileDialog(app);
  if (app.job.ChosenFilePath.empty()) return;
  const std::string path = app.job.ChosenFilePath;
  RtOpen(kSettingsFile, path, RtFileMode::Input);
  const std::vector<std::string> refused = ReadSettings(app);
  RtClose(kSettingsFile);
  RtChdir(app.shell.JobFolder);
  ReportRefusedSettings(path.substr(path.rfind('/') + 1), refused);
}

// Back to the layout in force when the screen was opened (or the one clicked in
// row 10); the view is redrawn with the display settings as they now are.
void LeaveSettingsScreen(App& app) {
  app.input.Answer.clear();
  app.settings.GAMEN = app.shell.SavedLayout - 1;
  RtCls(RtWindowId::Main);
  RtLocate(0, 0);
  NextWindowLayout(app);
}

}  // namespace

void BuildSettingsList(App& app) {
  std::string& list = app.shell.SettingsListText;
  list.clear();
  for (const std::string& row : SettingsRows(app)) {
    list += row;
    list += kRowSeparator;
  }
}

void SettingsScreen(App& app) {
  app.shell.SavedLayout = app.settings.GAMEN;
  app.settings.GAMEN = 2;
  NextWindowLayout(app);
  for (;;) {
    ShowAndAsk(app);
    switch (CommandOfAnswer(app)) {
      case kSave: SaveSettings(app); break;
      case kLoad: LoadSettings(app); break;
      case kLeave: return LeaveSettingsScreen(app);
      default: EditRow(app, static_cast<int>(app.input.ClickRow)); break;
    }
  }
}
