// The save and open dialogs and the job path they set.
#include "files/file_dialogs.h"

#include <algorithm>
#include <string>
#include <string_view>
#include <utility>

#include "core/app.h"
#include "core/constants.h"
#include "runtime/clock.h"
#include "runtime/console.h"
#include "runtime/dialogs.h"
#include "runtime/files.h"
#include "runtime/folders.h"
#include "runtime/text.h"

namespace {

using core::kJobFile;
constexpr std::string_view kSaveTitle = "ﾌｧｲﾙ書込";
constexpr std::string_view kOpenTitle = "ﾌｧｲﾙ読込";
// The file types of the system that the open dialog offers after the caller's own.
constexpr std::string_view kOpenDialogTypes =
    ";ケルノ(*.PRN);標準(*.SIM);野帳(*.Y);結線(*.SEN);路線(*.RSN);ﾌﾟﾘﾝﾄ(*.TXT);(*.*);"
    "ソキア(*.SD);(*.CSV);(*.PRT);(*.S3P);(*.DAT);(*.DXF);(*.DD);(*.DEF)";
constexpr int kMessageColour = 10;
constexpr int kNormalColour = 7;
constexpr double kReadOnlyPause = 300;  // 3 seconds, in units of 10 ms

std::string Proposal(const App& app) { return app.settings.ZA + app.job.FileExtension; }

// Creates the chosen file empty when it is new (true then); an existing file
// keeps its content until the caller rewrites it.
bool CreateIfMissing(const std::string& path) {
  if (RtFileExists(path)) return false;
  RtOpen(kJobFile, path, RtFileMode::OutputNew);
  RtClose(kJobFile);
  return true;
}

// Takes the chosen file for the save: creates it empty when it is new (and says
// so in `created`). Returns
// why it cannot be saved, or "" when it can: a read-only file, a folder that
// takes no new file, or a file that cannot be made there. Checked before the
// dialog returns, so that no save fails on it half-way.
std::string TakeChosenFile(const std::string& chosen, bool& created) {
  created = false;
  if (RtIsReadOnly(chosen)) return files::ReadOnlyMessage("このファイル");
  if (RtIsReadOnlyFolder(files::SplitJobPath(chosen).folder)) {
    return "  " + chosen + "\n  このフォルダには書き込めません。場所を変更してください";
  }
  try {
    created = CreateIfMissing(chosen);
  } catch (const RtError&) {
    return "  " + chosen + "\n  このファイルは作れません。名か場所を変更してください";
  }
  return "";
}

}  // namespace

namespace files {

std::size_t LastFolderSeparator(std::string_view path) {
  std::size_t last = std::string_view::npos;
  for (std::size_t i = 0; i < path.size(); ++i) {
    const auto c = static_cast<unsigned char>(path[i]);
    if (rt::IsLeadByte(c) && i + 1 < path.size()) {
      ++i;  // the trail byte may be "\" but is no separator
    } else if (c == '/' || c == '\\') {
      last = i;
    }
  }
  return last;
}

JobPath SplitJobPath(std::string_view path) {
  const std::size_t separator = LastFolderSeparator(path);
  const std::size_t nameStart = separator == std::string_view::npos ? 0 : separator + 1;
  const std::string_view fileName = path.substr(nameStart);
  // No trail byte of a double-byte character is ".", so a plain search is exact.
  const std::size_t dot = fileName.rfind('.');
  const std::size_t nameLength = dot == std::string_view::npos ? fileName.size() : dot;
  return {std::string(path.substr(0, nameStart)), std::string(fileName.substr(0, nameLength)),
          std::string(fileName.substr(nameLength))};
}

std::string JobFilePath(const App& app, std::string_view extension) {
  return app.shell.JobFolder + app.settings.ZA + std::string(extension);
}

std::string JobFilePath(const App& app) { return JobFilePath(app, app.job.FileExtension); }

std::string SaveDialogTypeList(std::string_view extension) {
  // The trailing comma leaves an empty pattern, so the entry offers exactly the extension.
  return "(*" + std::string(extension) + ",);(*.TXT)";
}

std::string OpenDialogTypeList(std::string_view extension) {
  return "(*" + std::string(extension) + ")" + std::string(kOpenDialogTypes);
}

std::string ReadOnlyMessage(std::string_view whichFile) {
  return "  " + std::string(whichFile) + "は読込専用です。名を変更してください";
}

void ReportRefusedFile(const std::string& message) {
  RtColor(kMessageColour);
  RtPrintStr("", true);
  std::string_view rest = message;
  for (std::size_t end = rest.find('\n'); end != std::string_view::npos; end = rest.find('\n')) {
    RtPrintStr(std::string(rest.substr(0, end)), true);
    rest.remove_prefix(end + 1);
  }
  RtPrintStr(std::string(rest), false);
  RtWait(kReadOnlyPause);
  RtColor(kNormalColour);
  RtPrintStr("", true);
}

bool IsUnreadFile(const App& app, const std::string& path) {
  return std::any_of(app.job.UnreadFiles.begin(), app.job.UnreadFiles.end(),
                     [&path](const std::string& unread) { return RtSameFile(unread, path); });
}

void RememberUnreadFile(App& app, const std::string& path) {
  if (!IsUnreadFile(app, path)) app.job.UnreadFiles.push_back(path);
}

void ForgetUnreadFile(App& app, const std::string& path) {
  std::erase_if(app.job.UnreadFiles,
                [&path](const std::string& unread) { return RtSameFile(unread, path); });
}

}  // namespace files

void ShowSaveFileDialog(App& app) {
  const std::string proposal = Proposal(app);
  const std::string types = files::SaveDialogTypeList(app.job.FileExtension);
  std::string chosen;
  app.job.ChosenFileCreated = false;
  for (;;) {
    chosen = RtFileSaveDialog(kSaveTitle, proposal, types);
    if (chosen == kDialogCancelled) {
      app.job.ChosenFilePath = "";
      return;
    }
    if (files::SplitJobPath(chosen).extension.empty()) chosen += app.job.FileExtension;
    const std::string refusal = TakeChosenFile(chosen, app.job.ChosenFileCreated);
    if (refusal.empty()) break;
    files::ReportRefusedFile(refusal);
  }
  app.job.ChosenFilePath = chosen;
  SplitFilePath(app);
}

void ShowOpenFileDialog(App& app) {
  const std::string chosen = RtFileOpenDialog(kOpenTitle, Proposal(app),
                                              files::OpenDialogTypeList(app.job.FileExtension));
  if (chosen == kDialogCancelled) {
    app.job.ChosenFilePath = "";
    return;
  }
  app.job.ChosenFilePath = chosen;
  // A file that cannot be found is passed over here; the caller's own read reports it.
  RtOpen(kJobFile, chosen, RtFileMode::Input);
  RtClose(kJobFile);
  SplitFilePath(app);
}

void SplitFilePath(App& app) {
  files::JobPath path = files::SplitJobPath(app.job.ChosenFilePath);
  if (!path.folder.empty()) {
    app.shell.JobFolder = std::move(path.folder);
    app.settings.ZA = std::move(path.name);
    app.job.FileExtension = std::move(path.extension);
  }
  RtChdir(app.shell.JobFolder);
}

void OpenOutputFileFresh(App& app) {
  RtClose(kJobFile);
  // Output mode writes into a new file that replaces the old one only when file 1
  // is closed complete: the old job survives a write that fails half-way.
  RtOpen(kJobFile, files::JobFilePath(app), RtFileMode::Output);
}
