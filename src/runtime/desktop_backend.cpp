#include <gtk/gtk.h>

#include <cstdio>
#include <cstdlib>
#include <exception>
#include <utility>

#include "runtime/console.h"
#include "runtime/desktop.h"
#include "runtime/desktop_hooks.h"
#include "runtime/desktop_internal.h"
#include "runtime/events.h"
#include "runtime/termination.h"
#include "runtime/windows.h"

namespace rt {

namespace {

Desktop* g_desktop = nullptr;

void Report(const char* message) { std::fprintf(stderr, "krn: %s\n", message); }

bool Named(const char* variable) {
  const char* value = std::getenv(variable);
  return value && *value;
}

bool SameCell(const ConsoleCell& a, const ConsoleCell& b) {
  return a.byte == b.byte && a.foreground == b.foreground && a.background == b.background &&
         a.reverse == b.reverse && a.part == b.part;
}

// Redraws the console window when a cell or the cursor changed since it was
// last shown, and tells the input method where the cursor is.
void ShowConsole(Desktop& desktop) {
  const ConsoleState& console = *desktop.runtime.console;
  bool changed = console.column != desktop.shownColumn || console.row != desktop.shownRow;
  for (size_t i = 0; i < console.cells.size() && !changed; ++i) {
    changed = !SameCell(console.cells[i], desktop.shownCells[i]);
  }
  if (!changed) return;
  desktop.shownCells = console.cells;
  desktop.shownColumn = console.column;
  desktop.shownRow = console.row;
  gtk_widget_queue_draw(desktop.windows[0].area);
  const GdkRectangle cursor{console.column * kCellWidth, console.row * kCellHeight, kCellWidth,
                            kCellHeight};
  gtk_im_context_set_cursor_location(desktop.im, &cursor);
}

// The window the program activated last comes to the front, once: the program
// activates the console on every pass of its key loop, which must not take the
// focus away from other programs again and again.
void ShowActiveWindow(Desktop& desktop) {
  const RtWindowId active = desktop.runtime.windows->active;
  if (active == desktop.shownActive) return;
  desktop.shownActive = active;
  DesktopWindow& window = desktop.windows[static_cast<size_t>(active)];
  if (gtk_widget_get_visible(window.window)) gtk_window_present(GTK_WINDOW(window.window));
}

// Takes in what the window system has pending, without waiting.
void TakePendingEvents() {
  while (gtk_events_pending()) gtk_main_iteration_do(FALSE);
}

gboolean EndPause(gpointer flag) {
  *static_cast<bool*>(flag) = true;
  return G_SOURCE_REMOVE;
}

int RunProgram(Runtime& runtime, const std::function<int(Runtime&)>& program) {
  try {
    return program(runtime);
  } catch (const RtScriptEnded&) {
    return 0;  // the main window was let close
  } catch (const std::exception& e) {
    Report(e.what());
  } catch (...) {
    Report("the program stopped with an unknown failure");
  }
  return 1;
}

}  // namespace

Desktop::Desktop(Runtime& rt) : runtime(rt) {
  for (size_t i = 0; i < windows.size(); ++i) windows[i].id = static_cast<RtWindowId>(i);
  BuildDesktopWindows(*this);
}

Desktop::~Desktop() { DestroyDesktopWindows(*this); }

Desktop* TheDesktop() { return g_desktop; }

bool DesktopActive() { return g_desktop != nullptr; }

GtkWindow* DesktopWindowOf(RtWindowId id) {
  if (!g_desktop || id == RtWindowId::Printer) return nullptr;
  return GTK_WINDOW(g_desktop->windows[static_cast<size_t>(id)].window);
}

GtkWindow* DesktopMainWindow() { return DesktopWindowOf(RtWindowId::Main); }

// Whether applying `record` may change which window lies over which.
bool ChangesStacking(const AppliedWindow& applied, const WindowRecord& record) {
  return !applied.valid || applied.shown != record.shown || applied.topmost != record.topmost ||
         applied.minimised != record.minimised;
}

void ShowChanges(Desktop& desktop) {
  bool stacking = desktop.runtime.windows->active != desktop.shownActive;
  for (DesktopWindow& window : desktop.windows) {
    const WindowRecord& record = desktop.runtime.windows->windows[static_cast<size_t>(window.id)];
    stacking = stacking || ChangesStacking(window.applied, record);
    ApplyWindowRecord(desktop, window, record);
    if (window.pictureChanged) {
      window.pictureChanged = false;
      gtk_widget_queue_draw(window.area);
    }
  }
  ShowConsole(desktop);
  ShowActiveWindow(desktop);
  if (stacking) RaiseTopmostWindows(desktop);
}

void DesktopPumpEvents() {
  if (!g_desktop) return;
  ShowChanges(*g_desktop);
  TakePendingEvents();
}

void DesktopWaitForEvents() {
  if (!g_desktop) return;
  ShowChanges(*g_desktop);
  gtk_main_iteration_do(TRUE);
  TakePendingEvents();
}

void DesktopWait(int64_t microseconds) {
  if (!g_desktop) return;
  ShowChanges(*g_desktop);
  bool over = false;
  const guint ms = static_cast<guint>((microseconds + 999) / 1000);
  g_timeout_add(ms, EndPause, &over);
  while (!over) gtk_main_iteration_do(TRUE);
}

void DesktopPictureChanged(RtWindowId id) {
  if (!g_desktop || id == RtWindowId::Printer || id == RtWindowId::Main) return;
  g_desktop->windows[static_cast<size_t>(id)].pictureChanged = true;
}

PixelRect ScreenWorkArea() {
  if (g_desktop) {
    GdkDisplay* display = gdk_display_get_default();
    GdkMonitor* monitor = gdk_display_get_primary_monitor(display);
    if (!monitor && gdk_display_get_n_monitors(display) > 0) {
      monitor = gdk_display_get_monitor(display, 0);
    }
    if (monitor) {
      GdkRectangle area;
      gdk_monitor_get_workarea(monitor, &area);
      if (area.width > 0 && area.height > 0) return {area.x, area.y, area.width, area.height};
    }
  }
  return {0, 0, kScreenWidth, kScreenHeight};
}

bool DesktopAvailable() {
  if (!Named("DISPLAY") && !Named("WAYLAND_DISPLAY")) return false;
  // The program's texts and numbers do not follow the user's locale.
  gtk_disable_setlocale();
  // The program places its windows and keeps two of them on top, which X11
  // (also under Wayland, through Xwayland) lets it do; Wayland alone does not.
  gdk_set_allowed_backends("x11,*");
  if (gtk_init_check(nullptr, nullptr)) return true;
  Report("the display cannot be opened; running without windows");
  return false;
}

int RunDesktop(std::function<int(Runtime&)> program) {
  InstallTerminationHandlers();
  Runtime runtime;
  RuntimeScope current(runtime);
  runtime.headless = false;
  Desktop desktop(runtime);
  g_desktop = &desktop;
  const int status = RunProgram(runtime, program);
  g_desktop = nullptr;
  return status;
}

}  // namespace rt
