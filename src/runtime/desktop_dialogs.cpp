#include "runtime/desktop_dialogs.h"

#include <gtk/gtk.h>

#include <cctype>
#include <memory>

#include "runtime/desktop.h"
#include "runtime/desktop_internal.h"
#include "runtime/dialogs.h"
#include "runtime/text.h"

namespace rt {

namespace {

// Frees GLib strings.
struct GFreeDeleter {
  void operator()(char* p) const { g_free(p); }
};
using GText = std::unique_ptr<char, GFreeDeleter>;

std::string Trimmed(std::string_view s) {
  const size_t start = s.find_first_not_of(' ');
  if (start == std::string_view::npos) return {};
  const size_t end = s.find_last_not_of(' ');
  return std::string(s.substr(start, end - start + 1));
}

// The patterns of an entry: the comma-separated list between its parentheses.
std::vector<std::string> EntryPatterns(std::string_view entry) {
  std::vector<std::string> patterns;
  const size_t open = entry.find('(');
  const size_t close = entry.rfind(')');
  if (open == std::string_view::npos || close == std::string_view::npos || close < open) {
    return patterns;
  }
  std::string_view list = entry.substr(open + 1, close - open - 1);
  for (;;) {
    const size_t comma = list.find(',');
    const std::string pattern = Trimmed(list.substr(0, comma));
    if (!pattern.empty()) patterns.push_back(CaseInsensitiveGlob(pattern));
    if (comma == std::string_view::npos) break;
    list.remove_prefix(comma + 1);
  }
  return patterns;
}

GtkWindow* Owner(RtWindowId owner) {
  GtkWindow* window = DesktopWindowOf(owner);
  return window ? window : DesktopMainWindow();
}

// A modal dialog over the program's windows, which may stay on top of others.
void MakeModal(GtkWidget* dialog, RtWindowId owner) {
  gtk_window_set_transient_for(GTK_WINDOW(dialog), Owner(owner));
  gtk_window_set_modal(GTK_WINDOW(dialog), TRUE);
  gtk_window_set_keep_above(GTK_WINDOW(dialog), TRUE);
  gtk_window_set_position(GTK_WINDOW(dialog), GTK_WIN_POS_CENTER_ON_PARENT);
}

// Runs a dialog to its answer. What the program changed is shown first.
int RunDialog(GtkWidget* dialog) {
  DesktopPumpEvents();
  return gtk_dialog_run(GTK_DIALOG(dialog));
}

GtkMessageType MessageType(int icon) {
  switch (icon) {
    case kIconQuestion: return GTK_MESSAGE_QUESTION;
    case kIconInformation: return GTK_MESSAGE_INFO;
    case kIconWarning: return GTK_MESSAGE_WARNING;
    default: return GTK_MESSAGE_OTHER;
  }
}

void ShowRefusal(GtkWidget* parent, const char* utf8Text) {
  GtkWidget* box = gtk_message_dialog_new(GTK_WINDOW(parent), GTK_DIALOG_MODAL,
                                          GTK_MESSAGE_WARNING, GTK_BUTTONS_OK, "%s", utf8Text);
  gtk_window_set_keep_above(GTK_WINDOW(box), TRUE);
  gtk_dialog_run(GTK_DIALOG(box));
  gtk_widget_destroy(box);
}

void AddFilters(GtkFileChooser* chooser, std::string_view typeList) {
  bool first = true;
  for (const DesktopFileType& type : ParseTypeList(typeList)) {
    GtkFileFilter* filter = gtk_file_filter_new();
    gtk_file_filter_set_name(filter, type.label.c_str());
    for (const std::string& pattern : type.patterns) {
      gtk_file_filter_add_pattern(filter, pattern.c_str());
    }
    gtk_file_chooser_add_filter(chooser, filter);  // the chooser owns it
    if (first) gtk_file_chooser_set_filter(chooser, filter);
    first = false;
  }
}

// Opens the dialog in the current folder with the proposed name.
void Propose(GtkFileChooser* chooser, DesktopDialogKind kind, std::string_view proposedName) {
  GText folder(g_get_current_dir());
  gtk_file_chooser_set_current_folder(chooser, folder.get());
  const std::string name = Cp932ToUtf8(proposedName);
  if (name.empty()) return;
  if (kind == DesktopDialogKind::Save) {
    gtk_file_chooser_set_current_name(chooser, name.c_str());
    return;
  }
  GText path(g_build_filename(folder.get(), name.c_str(), nullptr));
  if (g_file_test(path.get(), G_FILE_TEST_IS_REGULAR)) {
    gtk_file_chooser_set_filename(chooser, path.get());
  }
}

// The chosen file as UTF-8; empty when the chooser gives none.
std::string ChosenUtf8(GtkFileChooser* chooser) {
  GText path(gtk_file_chooser_get_filename(chooser));
  if (!path) return {};
  GText utf8(g_filename_to_utf8(path.get(), -1, nullptr, nullptr, nullptr));
  return utf8 ? std::string(utf8.get()) : std::string();
}

}  // namespace

std::string CaseInsensitiveGlob(std::string_view pattern) {
  if (pattern == "*.*") return "*";
  std::string glob;
  for (const char c : pattern) {
    const auto u = static_cast<unsigned char>(c);
    if (std::isalpha(u) && u < 0x80) {
      glob += '[';
      glob += static_cast<char>(std::toupper(u));
      glob += static_cast<char>(std::tolower(u));
      glob += ']';
    } else {
      glob += c;
    }
  }
  return glob;
}

std::vector<DesktopFileType> ParseTypeList(std::string_view typeList) {
  std::vector<DesktopFileType> types;
  for (;;) {
    const size_t semicolon = typeList.find(';');
    const std::string_view entry = typeList.substr(0, semicolon);
    if (!Trimmed(entry).empty()) types.push_back({Cp932ToUtf8(entry), EntryPatterns(entry)});
    if (semicolon == std::string_view::npos) break;
    typeList.remove_prefix(semicolon + 1);
  }
  return types;
}

int DesktopMessageBox(std::string_view text, std::string_view caption, int buttons, int icon,
                      RtWindowId owner) {
  const std::string utf8Text = Cp932ToUtf8(text);
  GtkWidget* box = gtk_message_dialog_new(nullptr, GTK_DIALOG_MODAL, MessageType(icon),
                                          GTK_BUTTONS_NONE, "%s", utf8Text.c_str());
  MakeModal(box, owner);
  gtk_window_set_title(GTK_WINDOW(box), Cp932ToUtf8(caption).c_str());
  gtk_dialog_add_button(GTK_DIALOG(box), "OK", GTK_RESPONSE_OK);
  if (buttons == kButtonsOkCancel) {
    gtk_dialog_add_button(GTK_DIALOG(box), Utf8(u8"キャンセル"), GTK_RESPONSE_CANCEL);
  }
  gtk_dialog_set_default_response(GTK_DIALOG(box), GTK_RESPONSE_OK);
  const int response = RunDialog(box);
  gtk_widget_destroy(box);
  // Closing the box is its Cancel; a box with OK alone can only be OK.
  return buttons == kButtonsOkCancel && response != GTK_RESPONSE_OK ? 1 : 0;
}

std::string DesktopFileDialog(DesktopDialogKind kind, std::string_view title,
                              std::string_view proposedName, std::string_view typeList,
                              RtWindowId owner) {
  const bool save = kind == DesktopDialogKind::Save;
  GtkWidget* dialog = gtk_file_chooser_dialog_new(
      Cp932ToUtf8(title).c_str(), nullptr,
      save ? GTK_FILE_CHOOSER_ACTION_SAVE : GTK_FILE_CHOOSER_ACTION_OPEN, Utf8(u8"キャンセル"),
      GTK_RESPONSE_CANCEL, save ? Utf8(u8"保存") : Utf8(u8"開く"), GTK_RESPONSE_ACCEPT, nullptr);
  MakeModal(dialog, owner);
  GtkFileChooser* chooser = GTK_FILE_CHOOSER(dialog);
  gtk_file_chooser_set_local_only(chooser, TRUE);
  gtk_file_chooser_set_do_overwrite_confirmation(chooser, save);
  gtk_dialog_set_default_response(GTK_DIALOG(dialog), GTK_RESPONSE_ACCEPT);
  AddFilters(chooser, typeList);
  Propose(chooser, kind, proposedName);
  std::string chosen(kDialogCancelled);
  while (RunDialog(dialog) == GTK_RESPONSE_ACCEPT) {
    const std::string utf8 = ChosenUtf8(chooser);
    const std::string cp932 = Utf8ToCp932(utf8);
    if (!utf8.empty() && Cp932ToUtf8(cp932) == utf8) {
      chosen = cp932;
      break;
    }
    ShowRefusal(dialog, Utf8(u8"このファイル名は使えません。別の名前にしてください。"));
  }
  gtk_widget_destroy(dialog);
  return chosen;
}

}  // namespace rt
