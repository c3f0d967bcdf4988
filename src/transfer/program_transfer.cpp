#include "transfer/program_transfer.h"

#include <string>
#include <utility>

#include "core/app.h"
#include "core/routines.h"
#include "files/file_dialogs.h"
#include "runtime/clock.h"
#include "runtime/console.h"
#include "runtime/errors.h"
#include "runtime/files.h"
#include "runtime/folders.h"
#include "transfer/link.h"
#include "transfer/transfer_menu.h"
#include "ui/input.h"
#include "ui/navigator.h"

namespace transfer {

std::vector<std::string> ProgramLinesToSend(std::vector<std::string> fileLines) {
  if (!fileLines.empty() && fileLines.back() == "\x1a") fileLines.pop_back();
  return fileLines;
}

}  // namespace transfer

namespace {

constexpr int kPort = transfer::kTransferPort;
constexpr int kProgramFile = 2;
const std::string kEndLine = "\x1a";

// Puts FileExtension back however the command ends.
class KeepFileExtension {
 public:
  explicit KeepFileExtension(App& app) : app_(app), saved_(app.job.FileExtension) {}
  ~KeepFileExtension() { app_.job.FileExtension = saved_; }
  KeepFileExtension(const KeepFileExtension&) = delete;
  KeepFileExtension& operator=(const KeepFileExtension&) = delete;

 private:
  App& app_;
  std::string saved_;
};

// The file the save dialog made for a receive, removed again when the receive
// fails or is left before its end line ("" names none).
class RemoveUnlessReceived {
 public:
  explicit RemoveUnlessReceived(std::string path) : path_(std::move(path)) {}
  RemoveUnlessReceived(const RemoveUnlessReceived&) = delete;
  RemoveUnlessReceived& operator=(const RemoveUnlessReceived&) = delete;
  ~RemoveUnlessReceived() {
    if (path_.empty()) return;
    try {
      RtKill(path_);
    } catch (const RtError&) {
      // Nothing to lose: the file holds nothing.
    }
  }
  void Keep() { path_.clear(); }

 private:
  std::string path_;
};

// A ".BAS" file chosen in the save or the open dialog; "" when cancelled.
std::string ChooseProgramFile(App& app, void (*dialog)(App&)) {
  return ChooseSideFile(app, dialog, ".BAS");
}

Jump ReceiveProgram(App& app) {
  const KeepFileExtension keep(app);
  const std::string path = ChooseProgramFile(app, ShowSaveFileDialog);
  if (path.empty()) return {EntryOf(Routines().RepeatLastCommand)};
  // A new name that receives nothing leaves no empty file behind.
  RemoveUnlessReceived madeByDialog(app.job.ChosenFileCreated ? path : "");
  OpenTransferPort(app);
  RtPrintStr("ｼﾞｭｼﾝOK", true);
  app.input.GuideNumber = 213;
  ShowGuideNext(app);
  // The file is written beside its target and replaces it only when the end
  // line came: a receive cut short leaves the old file as it was.
  RtFileGroup whole;
  RtOpen(kProgramFile, path, RtFileMode::Output);
  std::string line;
  for (;;) {
    ReadLinkLine(app, line);
    CheckCommFailure(app);
    if (line == kEndLine) break;
    RtPrintToFile(kProgramFile, line);
    RtPrintStr(line, true);
  }
  whole.Commit();
  madeByDialog.Keep();
  RtClose(kPort);
  return {EntryOf(Routines().RepeatLastCommand)};
}

Jump SendProgram(App& app) {
  const KeepFileExtension keep(app);
  const std::string path = ChooseProgramFile(app, ShowOpenFileDialog);
  if (path.empty()) return {EntryOf(Routines().RepeatLastCommand)};
  std::vector<std::string> lines;
  RtOpen(kProgramFile, path, RtFileMode::Input);
  while (!RtEof(kProgramFile) && lines.size() <= transfer::kProgramLineCapacity) {
    RtLineInputVar(kProgramFile, lines.emplace_back());
  }
  RtClose(kProgramFile);
  lines = transfer::ProgramLinesToSend(std::move(lines));
  if (lines.size() > transfer::kProgramLineCapacity) {
    RtColor(2);
    RtPrintStr(" 10000 行を超えるファイルは送れません", true);
    RtColor(7);
    return {EntryOf(Routines().RepeatLastCommand)};
  }
  OpenTransferPort(app);
  for (const std::string& line : lines) {
    RtPrintStr(line, true);
    RtWait(transfer::kProgramLinePause);
    RtPrintToFile(kPort, line);
  }
  RtPrintToFile(kPort, kEndLine);
  RtClose(kPort);
  return {EntryOf(Routines().RepeatLastCommand)};
}

}  // namespace

Jump ProgramTransferMenu(App& app) {
  RtPrintStr(" 1:ﾌﾟﾛｸﾞﾗﾑ受信  2:ﾌﾟﾛｸﾞﾗﾑ送信 ", false);
  app.input.GuideNumber = 375;
  InputMenuChoice(app);
  switch (transfer::MenuChoiceOf(app.input.AnswerValue)) {
    case 1: return ReceiveProgram(app);
    case 2: return SendProgram(app);
    default: return {EntryOf(Routines().RepeatLastCommand)};
  }
}
