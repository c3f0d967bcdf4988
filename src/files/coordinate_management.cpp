// The coordinate management menu and its small commands: the editor and the file
// manager, a saved report loaded back into the print buffer, the settings, a new
// job.
#include "files/coordinate_management.h"

#include <cmath>
#include <string>

#include "core/app.h"
#include "core/routines.h"
#include "core/sound.h"
#include "files/coordinate_file_menu.h"
#include "files/file_dialogs.h"
#include "files/result.h"
#include "files/sima_file.h"
#include "points/block_deletion.h"
#include "points/coordinate_input.h"
#include "points/coordinate_list.h"
#include "points/coordinate_print.h"
#include "runtime/console.h"
#include "runtime/files.h"
#include "runtime/folders.h"
#include "runtime/programs.h"
#include "runtime/text.h"
#include "ui/input.h"
#include "ui/layout.h"

namespace {

constexpr int kGuideMenu = 103;
constexpr int kGuideClearMemory = 318;
// Choices from 0 to this are commands or point numbers of the list.
constexpr double kLastChoice = 9999;

// The job's file in hand and the working folder, as a command that lets the
// user choose some other file finds them and leaves them: the editor, the
// report loading and the file manager never change the job.
class KeepJobPath {
 public:
  explicit KeepJobPath(App& app)
      : app_(app),
        name_(app.settings.ZA),
        folder_(app.shell.JobFolder),
        extension_(app.job.FileExtension),
        workingFolder_(RtCurDir()) {}
  KeepJobPath(const KeepJobPath&) = delete;
  KeepJobPath& operator=(const KeepJobPath&) = delete;
  ~KeepJobPath() {
    app_.settings.ZA = name_;
    app_.shell.JobFolder = folder_;
    app_.job.FileExtension = extension_;
    try {
      RtChdir(workingFolder_);
    } catch (const RtError&) {
      // A working folder removed meanwhile: the job's path still names the job.
    }
  }

 private:
  App& app_;
  std::string name_;
  std::string folder_;
  std::string extension_;
  std::string workingFolder_;
};

void PrintMenu(const App& app) {
  RtPrintStr(" 1:座標入力  2:座標ﾘｽﾄ  3:座標ﾌﾟﾘﾝﾄ  4:ﾌｧｲﾙ(PRN)  5:ﾌｧｲﾙ(SIMA)", true);
  RtPrintStr(" 6:ﾃﾞｰﾀ削除  7:ｴﾃﾞｨﾀ    8:TXT読込    9:ｴｸｽﾌﾟﾛｰﾗ  10:設定 ", true);
  // Item 12 is dispatched either way; only its text depends on the system.
  RtPrintStr(app.shell.OldWindowsFlag == 1 ? "11:新規 " : "11:新規     12:ﾏｳｽ調整 ", false);
}

// The chosen file in the editor VZ, waiting for it or not; nothing for a
// cancelled dialog. False when the dialog was cancelled.
bool ChooseFileAndEdit(App& app, bool wait) {
  ShowOpenFileDialog(app);
  if (app.job.ChosenFilePath.empty()) return false;
  ReleaseTopmost(app);
  RtShell(app.settings.VZ, files::JobFilePath(app), wait, 8, rt::ProgramRole::kEditor);
  return true;
}

// The editor on a chosen file (among every file with `everyFile`, else among
// those of FileExtension), the job's path kept, then the menu. The windows stay
// released from staying on top until the main menu.
Jump EditAndComeBack(App& app, bool everyFile) {
  const KeepJobPath keep(app);
  if (everyFile) app.job.FileExtension = "";
  ChooseFileAndEdit(app, false);
  return {CoordinateManagementMenu};
}

}  // namespace

Jump CoordinateManagementMenu(App& app) {
  Call(Routines().ShowStatusHeader, app);
  app.area.ParcelLabelsLoaded = 0;
  PrintMenu(app);
  app.input.GuideNumber = kGuideMenu;
  InputMenuChoice(app);
  if (app.input.Answer.empty()) return {ShowResultMenu};
  return DispatchCoordinateManagement(app, app.input.AnswerValue);
}

Jump DispatchCoordinateManagement(App& app, double choice) {
  // A choice outside the menu and the table is asked again, never an error.
  if (!(choice >= 0 && choice < kLastChoice + 1)) return {CoordinateManagementMenu};
  points::Store& p = app.points;
  p.WorkPointY = 0;
  const double command = std::floor(choice);
  // The single-precision 0.1 keeps a digit such as 2.5 - 2 = 0.4999... from
  // falling below its mode.
  p.CoordinateInputMode = (choice - command) * 10 + double(0.1f);
  switch (static_cast<int>(command)) {
    case 1:
      return {CoordinateInputMenu};
    case 2:
      return {ListCoordinates};
    case 3:
      return {PrintCoordinateListCommand};
    case 4:
      return {CoordinateFileMenu};
    case 5:
      return {SimaFileMenu};
    case 6:
      return {DeletePointBlock};
    case 7:
      return {EditChosenFile};
    case 8:
      return {LoadTextIntoPrintBuffer};
    case 9:
      return {OpenJobFolderInExplorer};
    case 10:
      return {OpenSettingsScreen};
    case 11:
      return {ClearMemory};
    case 12:
      return {EntryOf(Routines().CalibrateMouse)};
    default:
      // A point number: the list from that point; 0 lists from point 1.
      p.ListPointNumber = command < 1 ? 1 : command;
      return {ListCoordinatesFrom};
  }
}

Jump EditChosenFile(App& app) { return EditAndComeBack(app, true); }

Jump EditFileWithEditor(App& app) { return EditAndComeBack(app, false); }

void OpenFileInEditor(App& app) {
  if (ChooseFileAndEdit(app, true)) RestoreTopmost(app);
}

Jump OpenJobFolderInExplorer(App& app) {
  ReleaseTopmost(app);
  RtShell("EXPLORER.EXE", "/n,/e," + app.shell.JobFolder, false, 8);
  return {CoordinateManagementMenu};
}

Jump LoadTextIntoPrintBuffer(App& app) {
  std::string chosen;
  {
    const KeepJobPath keep(app);
    app.job.FileExtension = ".TXT";
    ShowOpenFileDialog(app);
    chosen = app.job.ChosenFilePath;
  }
  // Cancelled: the print buffer stays open for the next command.
  if (chosen.empty()) return {EntryOf(Routines().RepeatLastCommand)};
  RtCloseAll();
  // The file the user chose, whatever its name: never a sibling of the same name.
  RtFileCopy(chosen, PrintBufferPath(app));
  app.output.ReportTitle = "";
  return {ShowResultMenu};
}

Jump OpenSettingsScreen(App& app) {
  Call(Routines().SettingsScreen, app);
  return {CoordinateManagementMenu};
}

Jump ClearMemory(App& app) {
  RtPrintStr("メモリーをクリアします [Y,N] N", false);
  app.input.GuideNumber = kGuideClearMemory;
  InputPointName(app);
  if (RtUcase(app.input.Answer) != "Y") return {EntryOf(Routines().RepeatLastCommand)};
  files::EmptyParcelWorkFile(app);
  ClearAllData(app);
  app.settings.ZA = "";
  PlaySound(app, "recycle.wav");
  return {ShowResultMenu};
}
