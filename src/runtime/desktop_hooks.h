// Inside the runtime only: where the other parts of the runtime hand over to the
// desktop backend. Each does nothing (or gives the headless value) when the
// desktop backend is not active.
#pragma once

#include <cstdint>

#include "runtime/window_id.h"
#include "runtime/windows_state.h"

namespace rt {

// The picture of a graphics window is being drawn on: show it again.
void DesktopPictureChanged(RtWindowId id);

// Blocks until the window system has delivered something (a key, a click, a
// redraw), showing the program's changes first.
void DesktopWaitForEvents();

// Pauses `microseconds` while the windows stay alive (drawn, taking input).
void DesktopWait(int64_t microseconds);

// The part of the screen that maximised windows cover, in pixels: the desktop's
// work area, or the fixed headless screen.
PixelRect ScreenWorkArea();

}  // namespace rt
