#include "runtime/dialogs.h"

#include <filesystem>
#include <system_error>

#include "runtime/desktop.h"
#include "runtime/desktop_dialogs.h"
#include "runtime/errors.h"
#include "runtime/events.h"
#include "runtime/runtime.h"
#include "runtime/text.h"

namespace {

namespace fs = std::filesystem;
using Answer = rt::ScriptAnswer;

// CP932 text as one transcript line: UTF-8, control characters as blanks.
std::string NoteText(std::string_view cp932) {
  std::string text(cp932);
  for (char& c : text) {
    if (static_cast<unsigned char>(c) < 0x20 || c == 0x7F) c = ' ';
  }
  return rt::Cp932ToUtf8(text);
}

void CheckOwner(RtWindowId owner, const std::source_location& where) {
  if (owner == RtWindowId::Printer) RtRaise(kErrIllegalArgument, where);
}

enum class DialogKind { Open, Save };

[[noreturn]] void Refuse(const Answer& answer, std::string_view what, const std::string& path,
                         std::string_view why) {
  throw rt::ScriptError("script line " + std::to_string(answer.line) + ": the " +
                        std::string(what) + " cannot give \"" + path + "\": " + std::string(why));
}

// The full host path of a dialog's answer, checked as the dialog would.
fs::path ChosenPath(DialogKind kind, const Answer& answer, std::string_view proposedName) {
  const std::string_view what = kind == DialogKind::Open ? "open dialog" : "save dialog";
  const std::string written =
      answer.kind == Answer::Kind::File ? answer.path : rt::Cp932ToUtf8(proposedName);
  if (written.empty()) Refuse(answer, what, written, "no file name");
  std::error_code error;
  const fs::path path = fs::absolute(fs::path(written), error).lexically_normal();
  if (error || !path.has_filename()) Refuse(answer, what, written, "no file name");
  if (fs::is_directory(path, error)) Refuse(answer, what, written, "it is a folder");
  if (!fs::is_directory(path.parent_path(), error)) Refuse(answer, what, written, "no such folder");
  if (kind == DialogKind::Open && !fs::is_regular_file(path, error)) {
    Refuse(answer, what, written, "no such file");
  }
  const std::string utf8 = path.string();
  if (rt::Cp932ToUtf8(rt::Utf8ToCp932(utf8)) != utf8) {
    Refuse(answer, what, written, "the name has no Shift-JIS form");
  }
  return path;
}

// The desktop's file chooser in place of the script's answer.
std::string DesktopChoice(DialogKind kind, std::string_view title, std::string_view proposedName,
                          std::string_view typeList, RtWindowId owner, const std::string& note) {
  const std::string chosen = rt::DesktopFileDialog(
      kind == DialogKind::Open ? rt::DesktopDialogKind::Open : rt::DesktopDialogKind::Save, title,
      proposedName, typeList, owner);
  RtNote(note + (chosen == kDialogCancelled ? std::string("cancel") : rt::Cp932ToUtf8(chosen)));
  return chosen;
}

std::string FileDialog(DialogKind kind, std::string_view title, std::string_view proposedName,
                       std::string_view typeList, RtWindowId owner,
                       const std::source_location& where) {
  CheckOwner(owner, where);
  const bool open = kind == DialogKind::Open;
  const std::string note = std::string(open ? "[open] " : "[save] ") + NoteText(title) + " -> ";
  if (rt::DesktopActive()) return DesktopChoice(kind, title, proposedName, typeList, owner, note);
  const std::string shown = std::string(open ? "[open] " : "[save] ") + NoteText(title);
  const Answer answer = rt::TakeScriptAnswer(open ? "an open dialog" : "a save dialog", shown);
  if (answer.kind == Answer::Kind::Cancel || answer.kind == Answer::Kind::Ended) {
    RtNote(note + "cancel");
    return std::string(kDialogCancelled);
  }
  const std::string chosen = ChosenPath(kind, answer, proposedName).string();
  RtNote(note + chosen);
  return rt::Utf8ToCp932(chosen);
}

}  // namespace

int RtMessageBox(std::string_view text, std::string_view caption, int buttons, int icon,
                 RtWindowId owner, std::source_location where) {
  CheckOwner(owner, where);
  if (buttons != kButtonsOk && buttons != kButtonsOkCancel) RtRaise(kErrIllegalArgument, where);
  if (icon < kIconNone || icon > kIconWarning) RtRaise(kErrIllegalArgument, where);
  bool cancel = false;
  if (rt::DesktopActive()) {
    cancel = rt::DesktopMessageBox(text, caption, buttons, icon, owner) == 1;
  } else {
    const Answer answer = rt::TakeScriptAnswer("a message box", "[message] " + NoteText(text));
    if (answer.kind == Answer::Kind::File) {
      throw rt::ScriptError("script line " + std::to_string(answer.line) +
                            ": !file, but a message box is open: \"" + NoteText(text) + "\"");
    }
    const bool ended = answer.kind == Answer::Kind::Ended && !answer.finalClose;
    cancel = (answer.kind == Answer::Kind::Cancel || ended) && buttons == kButtonsOkCancel;
  }
  RtNote("[message] " + NoteText(text) + (cancel ? " -> Cancel" : " -> OK"));
  return cancel ? 1 : 0;
}

std::string RtFileOpenDialog(std::string_view title, std::string_view proposedName,
                             std::string_view typeList, RtWindowId owner,
                             std::source_location where) {
  return FileDialog(DialogKind::Open, title, proposedName, typeList, owner, where);
}

std::string RtFileSaveDialog(std::string_view title, std::string_view proposedName,
                             std::string_view typeList, RtWindowId owner,
                             std::source_location where) {
  return FileDialog(DialogKind::Save, title, proposedName, typeList, owner, where);
}
