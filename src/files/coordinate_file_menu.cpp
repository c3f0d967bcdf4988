// The coordinate-file menu: saving the job as a point-list file with its
// connection-line file, and loading a job from them.
#include "core/point_names.h"
#include "files/coordinate_file_menu.h"

#include <cmath>
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "core/app.h"
#include "core/constants.h"
#include "core/routines.h"
#include "files/coordinate_management.h"
#include "files/file_dialogs.h"
#include "files/line_file.h"
#include "files/point_list.h"
#include "files/result.h"
#include "points/selection.h"
#include "points/table.h"
#include "runtime/console.h"
#include "runtime/errors.h"
#include "runtime/files.h"
#include "runtime/numtext.h"
#include "runtime/text.h"
#include "ui/input.h"

namespace {

using core::kJobFile;
constexpr int kParcelFile = 4;
constexpr std::string_view kParcelWorkFileName = "K.D";
constexpr int kGuideFileMenu = 113;

constexpr double kChoiceWrite = 1;
constexpr double kChoiceBlockWrite = 2;
constexpr double kChoiceRead = 3;

// ---- Loading ----

// A job file that cannot be read: said in the main window with the file's name
// and the reason, then the file-not-open error that the error handler reports;
// nothing was changed.
[[noreturn]] void ReportUnreadableJobFile(const App& app, std::string_view reason) {
  std::string name = app.settings.ZA + app.job.FileExtension;
  if (name.empty()) name = app.shell.JobFolder;  // a folder named as the file
  RtPrintStr("", true);
  RtColor(10);
  RtPrintStr(" " + name + std::string(reason), true);
  RtPrintStr(" 読込を中止しました。データは元のままです。", true);
  RtColor(7);
  RtRaise(kErrFileNotOpen);
}

}  // namespace

void files::OpenJobFileToRead(const App& app) {
  const std::string path = files::JobFilePath(app);
  if (RtFolderExists(path)) ReportUnreadableJobFile(app, " はフォルダです。");
  try {
    if (RtOpen(kJobFile, path, RtFileMode::Input)) return;
  } catch (const RtError& error) {
    if (error.number() != kErrAccessDenied) throw;
    ReportUnreadableJobFile(app, " を読む権限がありません。");
  }
  ReportUnreadableJobFile(app, " が見つかりません。");
}

namespace {

using files::OpenJobFileToRead;

// The job loading. The file is read whole before anything of the job in memory
// changes, so a missing or bad file leaves the points, the lines and the parcel
// work file as they were; only then are the parcels dropped, the tables cleared
// (when the read replaces the job) and the points stored.
Jump LoadJob(App& app, bool clearFirst, bool emptyParcels) {
  OpenJobFileToRead(app);
  const std::string path = files::JobFilePath(app);
  files::JobFiles& job = app.job;
  const double firstNumber = job.FileMenuChoice == kChoiceRead ? 1 : app.points.PointCount + 1;
  const double vertexCountBefore = clearFirst ? 0 : app.lines.LineVertexCount;
  files::PointListRead read;
  try {
    read = files::ReadPointListEntries(app);
    files::CheckPointListFits(app, read, firstNumber, vertexCountBefore,
                              job.ConnectionFileFound == 0);
  } catch (const RtError&) {
    // The job in memory stays, and did not come from this file.
    files::RememberUnreadFile(app, path);
    throw;
  }
  files::ForgetUnreadFile(app, path);

  if (emptyParcels) files::EmptyParcelWorkFile(app);
  if (clearFirst) ClearAllData(app);
  job.ListPointNumber = firstNumber;
  app.shell.ScaleFactor = 1;
  files::StorePointList(app, read);
  ShowLoadingMessage(app);
  LoadConnectionLineFileUnlessAppending(app);
  return {EntryOf(Routines().NormalizeNamesThenPlot)};
}

// ---- Writing ----

// The file name of a path, without its folder.
std::string FileNameOf(const std::string& path) {
  const files::JobPath parts = files::SplitJobPath(path);
  return parts.name + parts.extension;
}

// The save dialog until the chosen point file can be saved with its
// connection-line file: a read-only .SEN beside it, which a full save would
// rewrite too, is refused before either file is written, like a read-only point
// file. False when the dialog was cancelled.
bool ChooseFileToSave(App& app) {
  for (;;) {
    ShowSaveFileDialog(app);
    if (app.job.ChosenFilePath.empty()) return false;
    if (!files::SavesConnectionLineFile(app) || !RtIsReadOnly(files::JobFilePath(app, ".SEN"))) {
      return true;
    }
    files::ReportRefusedFile(files::ReadOnlyMessage(app.settings.ZA + ".SEN "));
  }
}

// A save about to overwrite a job file whose read was refused says so and asks:
// the job in memory did not come from that file, and what the file holds beyond
// it would be lost. Only "Y" lets the save go on.
bool MayOverwriteUnreadFiles(App& app, const std::vector<std::string>& targets) {
  std::vector<std::string> unread;
  for (const std::string& target : targets) {
    if (files::IsUnreadFile(app, target)) unread.push_back(target);
  }
  if (unread.empty()) return true;
  RtPrintStr("", true);
  RtColor(10);
  for (const std::string& path : unread) {
    RtPrintStr(" " + FileNameOf(path) + " は読込のとき読めなかったファイルです。", true);
  }
  RtPrintStr(" いまのデータはそのファイルから読んだものではありません。", true);
  RtPrintStr(" 上書きすると、読めなかった内容は失われます。", true);
  RtColor(7);
  RtPrintStr("上書きしますか[Y,N] N ", false);
  InputPointName(app);
  if (RtUcase(RtTrim(app.input.Answer)) == "Y") return true;
  RtPrintStr(" 保存を中止しました。ファイルは元のままです。", true);
  return false;
}

// Errors of a save that the system refused: the files stay as they were and the
// job in memory is kept, so the user hears why and goes on.
bool IsRefusedSave(int errorNumber) {
  return errorNumber == kErrDiskFull || errorNumber == kErrAccessDenied ||
         errorNumber == kErrPathNotFound || errorNumber == kErrBadFileName ||
         errorNumber == kErrOverflow;
}

std::string WriteFailureReason(int errorNumber) {
  switch (errorNumber) {
    case kErrDiskFull:
      return "ディスクがいっぱいか、ファイルの大きさの上限を超えました。";
    case kErrPathNotFound:
      return "フォルダがありません。";
    default:
      return "書込みが許されていません。";
  }
}

// Says which file could not be written and why (a coordinate too wide for the
// file was named where it was found), and waits for Enter.
void ReportRefusedSave(App& app, int errorNumber, const std::string& path) {
  RtPrintStr("", true);
  RtColor(10);
  if (errorNumber != kErrOverflow) {
    RtPrintStr(" " + FileNameOf(path) + " を書き込めませんでした。", true);
    RtPrintStr(" " + WriteFailureReason(errorNumber), true);
  }
  RtPrintStr(" 保存を中止しました。ファイルは元のままです。", true);
  RtColor(7);
  RtPrintStr(" メニューに戻ります", false);
  InputPointName(app);  // waits for Enter; the answer is ignored
}

Jump DispatchFileMenu(double choice) {
  switch (RtWhole(choice)) {
    case 1:
    case 2:
      return {WriteCoordinateFile};
    case 3:
      return {OpenCoordinateFile};
    case 4:
      return {AppendCoordinateFile};
    case 5:
      return {EditFileWithEditor};
    default:
      return {CoordinateManagementMenu};
  }
}

}  // namespace

Jump CoordinateFileMenu(App& app) {
  files::JobFiles& job = app.job;
  job.FirstVertexToSave = 1;
  job.FirstPointToSave = 1;
  job.FileExtension = ".PRN";
  RtPrintStr(" ﾌｧｲﾙ 1:ｶｷｺﾐ  2:1ﾌﾞｶｷｺﾐ  3:ﾖﾐｺﾐ  4:ﾂｲｶﾖﾐｺﾐ  5:ｴﾃﾞｨﾀ ", false);
  app.input.GuideNumber = kGuideFileMenu;
  InputMenuChoice(app);
  job.FileMenuChoice = app.input.AnswerValue;
  job.SubmenuChoice = app.input.AnswerValue;
  return DispatchFileMenu(job.FileMenuChoice);
}

Jump WriteCoordinateFile(App& app) {
  if (!ChooseFileToSave(app)) return {CoordinateManagementMenu};
  std::vector<std::string> targets = {files::JobFilePath(app)};
  if (files::SavesConnectionLineFile(app)) targets.push_back(files::JobFilePath(app, ".SEN"));
  if (!MayOverwriteUnreadFiles(app, targets)) return {CoordinateManagementMenu};
  std::string writing = targets.front();
  try {
    // The point file and its connection-line file replace the old ones together,
    // once both are written: never a new point file beside old lines.
    RtFileGroup together;
    ChoosePointsAndOpenOutput(app);
    WriteSelectedPoints(app);
    RtClose(kJobFile);
    writing = targets.back();
    SaveConnectionLineFile(app);
    together.Commit();
  } catch (const RtError& error) {
    if (!IsRefusedSave(error.number())) throw;
    ReportRefusedSave(app, error.number(), writing);
    return {CoordinateManagementMenu};
  }
  for (const std::string& target : targets) files::ForgetUnreadFile(app, target);
  return {ShowResultMenu};
}

void ChoosePointsAndOpenOutput(App& app) {
  if (app.job.SubmenuChoice == kChoiceBlockWrite) {
    SelectBlockAndOpenOutput(app);
    return;
  }
  SelectAllPoints(app);
  OpenOutputFileFresh(app);
}

void SelectBlockAndOpenOutput(App& app) {
  SelectPoints(app);
  if (app.points.SelectionLast == -1) JumpTo(ShowResultMenu);
  OpenOutputFileFresh(app);
}

Jump OpenCoordinateFile(App& app) {
  ShowOpenFileDialog(app);
  if (app.job.ChosenFilePath.empty()) return {CoordinateManagementMenu};
  return LoadJob(app, true, true);
}

Jump AppendCoordinateFile(App& app) {
  ShowOpenFileDialog(app);
  if (app.job.ChosenFilePath.empty()) return {CoordinateManagementMenu};
  return LoadJob(app, false, false);
}

Jump LoadCoordinateFile(App& app) { return LoadJob(app, false, true); }

void ClearAllData(App& app) {
  points::Store& p = app.points;
  const int capacity = RtWhole(p.PointCapacity);
  p.PointX.Dimension(capacity);
  p.PointY.Dimension(capacity);
  p.PointZ.Dimension(capacity);
  p.PointName.Dimension(capacity);
  p.PointAttribute.Dimension(capacity);
  cad::Lines& lines = app.lines;
  lines.LinePointName.Dimension(2 * capacity);
  lines.LinePointNumber.Dimension(2 * capacity);
  lines.LineType.Dimension(2 * capacity);
  lines.LineLayer.Dimension(2 * capacity);
  lines.LineArc.Dimension(2 * capacity);
  app.route.RouteValue.Dimension(999);
  app.route.VerticalTable.Dimension(999);
  lines.LineVertexCount = 0;
  // The next job's lines are all new: the writer's duplicate check compares
  // only vertices above the ones that came from the line file.
  lines.LoadedVertexCount = 0;
  for (int i = 1; i <= capacity; ++i) p.PointName(i) = DefaultPointName(i);
}

namespace files {

void EmptyParcelWorkFile(const App& app) {
  const std::string path = app.shell.DataFolder + std::string(kParcelWorkFileName);
  RtKill(path);
  RtOpen(kParcelFile, path, RtFileMode::Append);
  RtClose(kParcelFile);
}

}  // namespace files
