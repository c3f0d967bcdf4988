// Inside the desktop backend only: the real windows standing for the program's
// three windows, and what the backend's files share.
#pragma once

#include <gtk/gtk.h>

#include <array>
#include <string>
#include <string_view>

#include "runtime/console_state.h"
#include "runtime/runtime.h"
#include "runtime/window_id.h"
#include "runtime/windows_state.h"

namespace rt {

// A UTF-8 literal (u8"...") for GTK.
inline const char* Utf8(const char8_t* text) { return reinterpret_cast<const char*>(text); }

// What was last given to a real window, so that only changes are applied.
struct AppliedWindow {
  bool valid = false;
  std::string caption;  // CP932
  PixelRect outer;
  bool shown = false;
  bool minimised = false;
  bool maximised = false;
  bool topmost = false;
  int pointer = -1;  // -1: not applied yet
};

// One real window: a top-level GTK window whose client area is a drawing area.
struct DesktopWindow {
  RtWindowId id = RtWindowId::Main;
  GtkWidget* window = nullptr;
  GtkWidget* area = nullptr;
  AppliedWindow applied;
  // The picture was drawn on since it was last shown.
  bool pictureChanged = true;
  // A client size the program asked for that the window system has not
  // reported yet; meanwhile its reports of other sizes are out of date.
  bool sizePending = false;
  int pendingWidth = 0;
  int pendingHeight = 0;
  gint64 pendingSince = 0;
};

struct Desktop {
  explicit Desktop(Runtime& runtime);
  ~Desktop();
  Desktop(const Desktop&) = delete;
  Desktop& operator=(const Desktop&) = delete;

  Runtime& runtime;
  std::array<DesktopWindow, 3> windows;  // Main, View, Nav
  GtkIMContext* im = nullptr;
  std::string preedit;  // text being composed in the input method (UTF-8)
  // The console as last shown, with its cursor.
  std::array<ConsoleCell, ConsoleState::kColumns * ConsoleState::kRows> shownCells{};
  int shownColumn = -1;
  int shownRow = -1;
  RtWindowId shownActive = RtWindowId::Main;
};

// The desktop backend while it runs, else nullptr.
Desktop* TheDesktop();

// The real window of a program window; nullptr when the desktop is not active
// or for the printer.
GtkWindow* DesktopWindowOf(RtWindowId id);

// Makes the three real windows (not shown yet) with their event handlers, and
// takes them down again.
void BuildDesktopWindows(Desktop& desktop);
void DestroyDesktopWindows(Desktop& desktop);

// Applies the program's window record to the real window: caption, size and
// place, maximised, minimised, on top, shown, pointer shape.
void ApplyWindowRecord(Desktop& desktop, DesktopWindow& window, const WindowRecord& record);

// Raises the windows that stay on top above the others where no window manager
// keeps them there.
void RaiseTopmostWindows(Desktop& desktop);

// Gives the program's changes to the real windows: the records, the console,
// the pictures.
void ShowChanges(Desktop& desktop);

}  // namespace rt
