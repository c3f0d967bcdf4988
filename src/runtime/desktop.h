// The desktop backend: the program's three windows, its message boxes and file
// dialogs on a real display through GTK 3, behind the same Rt... operations as
// the headless backend. It is chosen at start when a display is present; the
// rest of the runtime asks DesktopActive() where it must behave differently on
// a desktop (a real print dialog, real sounds, pauses that really wait).
//
// Everything runs on the program's one thread: the window system's events are
// taken in between the program's steps (whenever it polls a key, reads a line,
// pauses or calls RtDoEvents) and become the same keys and events the headless
// backend takes from its script.
#pragma once

#include <functional>

#include "runtime/runtime.h"

// GTK's own declaration of its window type, so that a caller handing a parent
// window to a GTK dialog needs no GTK header here.
typedef struct _GtkWindow GtkWindow;

namespace rt {

// True while the desktop backend drives the program (real windows on a
// display). False headless.
bool DesktopActive();

// The main window (the console), the parent of modal dialogs; nullptr when the
// desktop backend is not active.
GtkWindow* DesktopMainWindow();

// Shows what the program changed (console, pictures, window sizes, captions)
// and takes in the window system's pending events without waiting. Does nothing
// when the desktop backend is not active.
void DesktopPumpEvents();

// True when a display is named (DISPLAY or WAYLAND_DISPLAY) and GTK can open
// it. Initialises GTK on success; the process's locale is left as it is.
bool DesktopAvailable();

// Runs `program` on a runtime driven by the desktop backend: the three windows
// on the display opened by DesktopAvailable(), keys and mouse from the user.
// Returns the program's status, 0 when the main window was let close; a
// failure that reaches here is reported on standard error (status 1).
int RunDesktop(std::function<int(Runtime&)> program);

}  // namespace rt
