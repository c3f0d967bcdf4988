// Modal message boxes and the open and save dialogs.
//
// On the desktop they are GTK dialogs (the type list gives the file filters).
// Headless use answers each from the script: the next line must be !ok, !cancel
// or (for a dialog) !file PATH. A script that has ended cancels a dialog and a
// message box, except that the close question of its final close request is
// answered OK (events.h). Each writes one line into the transcript:
//   [message] 　終了してもいいですか -> OK
//   [open] ﾌｧｲﾙ読込 -> /home/user/job/A.PRN
//   [save] ﾌｧｲﾙ書込 -> cancel
#pragma once

#include <source_location>
#include <string>
#include <string_view>

#include "runtime/window_id.h"

enum RtMessageButtons : int {
  kButtonsOk = 0,        // OK alone
  kButtonsOkCancel = 1,  // OK and Cancel
};

enum RtMessageIcon : int {
  kIconNone = 0,
  kIconQuestion = 1,
  kIconInformation = 2,
  kIconWarning = 3,
};

// Shows `text` (CP932) in a message box captioned `caption`, owned by `owner`,
// and returns the button pressed: 0 OK, 1 Cancel. A box with OK alone always
// gives 0. Unknown buttons or icon, and the printer as owner, are error 5.
int RtMessageBox(std::string_view text, std::string_view caption, int buttons, int icon,
                 RtWindowId owner = RtWindowId::Main,
                 std::source_location where = std::source_location::current());

// The open dialog (an existing file only) and the save dialog (any file name in
// an existing folder; taking an existing file is confirmed): a title, the
// proposed file name and the type list ("entry;entry", each entry's patterns
// comma-separated between its parentheses), in the current folder. Return the
// full path chosen (CP932, "/" between folders), or the one character 27 when
// cancelled. The printer as owner is error 5.
//
// Headless: !file PATH chooses PATH (relative to the current folder), !ok the
// proposed name in the current folder. A path the dialog could not give (a
// missing file to open, a missing folder, a folder, a name that has no Shift-JIS
// form) stops the script with an error.
std::string RtFileOpenDialog(std::string_view title, std::string_view proposedName,
                             std::string_view typeList, RtWindowId owner = RtWindowId::Main,
                             std::source_location where = std::source_location::current());
std::string RtFileSaveDialog(std::string_view title, std::string_view proposedName,
                             std::string_view typeList, RtWindowId owner = RtWindowId::Main,
                             std::source_location where = std::source_location::current());

// What a dialog returns when cancelled.
inline constexpr std::string_view kDialogCancelled = "\x1b";
