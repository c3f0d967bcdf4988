// The program's three windows: the console (form MAINFORM, unit pixels), the
// dynamic view (FORM2, unit 0.1 mm) and the navigator (FORM3, unit 0.01 inch).
//
// Sizes and positions are given and read in the window's own unit (its scale
// mode, see RtSetScaleMode in graphics.h) and kept in screen pixels at 96 dpi.
// The frame of every window is 4 pixels on the left, right and bottom and 30 on
// top (border and caption bar), so the outer size is the client size plus 8 x 34
// pixels. The headless backend has a fixed screen of 1280 x 1024 pixels: a
// maximised window covers it with its border pushed off the screen edges
// (client 1280 x 998 pixels); on the desktop the screen is the display's work
// area. Outer sizes are kept between 9 x 35 pixels and twice the screen.
//
// The window operations refuse the printer page (error 5).
#pragma once

#include <source_location>
#include <string>
#include <string_view>

#include "runtime/window_id.h"

// Outer size (frame included) in the window's unit. A maximised window takes the
// new size but stays maximised: a restore puts back the size it had before.
void RtSetWindowSize(RtWindowId id, double width, double height,
                     std::source_location where = std::source_location::current());
// Moves the window's top-left corner (outer) to (left, top), in the window's unit.
void RtMoveWindow(RtWindowId id, double left, double top,
                  std::source_location where = std::source_location::current());
// Undoes a minimise, else a maximise.
void RtRestoreWindow(RtWindowId id, std::source_location where = std::source_location::current());
void RtMaximizeWindow(RtWindowId id, std::source_location where = std::source_location::current());
void RtMinimizeWindow(RtWindowId id, std::source_location where = std::source_location::current());
bool RtIsMinimized(RtWindowId id, std::source_location where = std::source_location::current());
// Always on top of other windows, or not.
void RtSetWindowOrder(RtWindowId id, bool alwaysOnTop,
                      std::source_location where = std::source_location::current());
// Caption (CP932).
void RtSetWindowTitle(RtWindowId id, std::string_view caption,
                      std::source_location where = std::source_location::current());
void RtActivateWindow(RtWindowId id, std::source_location where = std::source_location::current());
void RtShowWindow(RtWindowId id, std::source_location where = std::source_location::current());
void RtHideWindow(RtWindowId id, std::source_location where = std::source_location::current());

// Client width and height in the window's unit, as whole numbers. A minimised
// window reports the size it will have again when restored.
double RtWindowWidth(RtWindowId id, std::source_location where = std::source_location::current());
double RtWindowHeight(RtWindowId id, std::source_location where = std::source_location::current());

// Outer width and height (frame included), in the window's unit or in screen pixels.
enum class RtSizeUnit { Window, ScreenPixels };
double RtWindowOuterWidth(RtWindowId id, RtSizeUnit unit = RtSizeUnit::Window,
                          std::source_location where = std::source_location::current());
double RtWindowOuterHeight(RtWindowId id, RtSizeUnit unit = RtSizeUnit::Window,
                           std::source_location where = std::source_location::current());

// Pointer shape over the window: 0 arrow, 2 hourglass, 3 cross (0-15 accepted,
// others are error 5).
void RtSetMouseCursor(RtWindowId id, int shape,
                      std::source_location where = std::source_location::current());
enum RtPointerShape : int { kPointerArrow = 0, kPointerBusy = 2, kPointerCross = 3 };

namespace rt {

inline constexpr int kScreenWidth = 1280;
inline constexpr int kScreenHeight = 1024;
inline constexpr int kFrameLeft = 4;
inline constexpr int kFrameTop = 30;
inline constexpr int kFrameWidth = 8;
inline constexpr int kFrameHeight = 34;
// The console's client area: 63 x 39 cells of 8 x 18 pixels.
inline constexpr int kConsolePixelWidth = 504;
inline constexpr int kConsolePixelHeight = 702;

// Screen pixels of `units` of the window's unit, and back.
// The client area in pixels.
int ClientPixelWidth(RtWindowId id);
int ClientPixelHeight(RtWindowId id);
double UnitsToPixels(RtWindowId id, double units);
double PixelsToUnits(RtWindowId id, double pixels);

// One line describing the window for transcripts and tests, in the window's unit:
//   view caption="ダイナミックビュー" left=0 top=0 width=2096 height=2790 shown=1 minimised=0
//   maximised=0 topmost=0
// The caption is UTF-8; a double quote, a backslash and control characters in it
// are written as \", \\, \n, \r or \xNN. For the printer:
//   printer document=1 page=0 pages=2
// (a document open, no page open, two pages ended in it).
std::string WindowStateLine(RtWindowId id);

// Writes the window's client picture as a PNG file at the host path `path`
// (through a temporary file, so a failed write leaves no half-written file). The
// console window is painted from the console cells (504 x 702 pixels). Returns
// false when the file cannot be written.
bool WriteWindowPng(RtWindowId id, std::string_view path);

}  // namespace rt
