// The three windows of the program (console, dynamic view, navigator) as the
// headless backend keeps them: geometry in screen pixels, flags, caption, the
// drawing state and, for the two graphics windows, the picture of the client area.
#pragma once

#include <array>
#include <string>

#include "runtime/graphics_state.h"
#include "runtime/window_id.h"

namespace rt {

// A window rectangle in screen pixels, frame included.
struct PixelRect {
  int left = 0;
  int top = 0;
  int width = 0;
  int height = 0;
};

struct WindowRecord {
  std::string form;     // "MAINFORM", "FORM2", "FORM3"
  std::string caption;  // CP932
  PixelRect outer;      // where the window is now
  PixelRect normal;     // where a restore from maximised puts it
  bool shown = false;
  bool minimised = false;
  bool maximised = false;
  bool topmost = false;
  int pointer = 0;  // pointer shape: 0 arrow, 2 hourglass, 3 cross
  GraphicsState gfx;
  // Client area picture of the view and the navigator (RGB24, one pixel per
  // screen pixel); the console window has none: its picture is the console.
  SurfacePtr surface;
};

}  // namespace rt

struct WindowTable {
  WindowTable();
  // Indexed by RtWindowId Main, View, Nav.
  std::array<rt::WindowRecord, 3> windows;
  RtWindowId active = RtWindowId::Main;
};
