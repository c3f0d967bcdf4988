// Message boxes and file dialogs of the desktop backend: GTK message dialogs and
// file choosers, modal, over the window that owns them.
#pragma once

#include <string>
#include <string_view>
#include <vector>

#include "runtime/window_id.h"

namespace rt {

// One entry of a dialog's type list: its label as written (UTF-8) and the glob
// patterns of its files, matching the letters in either case.
struct DesktopFileType {
  std::string label;
  std::vector<std::string> patterns;
};

// The entries of a type list ("entry;entry", each entry's patterns
// comma-separated between its parentheses; CP932). An empty pattern offers
// nothing, and "*.*" offers every file, as on the system the lists were made for.
std::vector<DesktopFileType> ParseTypeList(std::string_view typeList);

// A glob that matches `pattern` with its ASCII letters in either case.
std::string CaseInsensitiveGlob(std::string_view pattern);

// RtMessageBox on the desktop (arguments already checked): 0 OK, 1 Cancel.
int DesktopMessageBox(std::string_view text, std::string_view caption, int buttons, int icon,
                      RtWindowId owner);

// RtFileOpenDialog / RtFileSaveDialog on the desktop: the chosen path (CP932) or
// kDialogCancelled. A name without a Shift-JIS form is refused with a message
// and the dialog is shown again.
enum class DesktopDialogKind { Open, Save };
std::string DesktopFileDialog(DesktopDialogKind kind, std::string_view title,
                              std::string_view proposedName, std::string_view typeList,
                              RtWindowId owner);

}  // namespace rt
