// Inside the runtime only: how the drawing operations reach a target (a window's
// picture or the printer's open page) and how they map logical units to the
// target's device units.
#pragma once

#include <cairo.h>

#include <cstdint>
#include <source_location>
#include <string>
#include <string_view>

#include "runtime/graphics.h"
#include "runtime/graphics_state.h"
#include "runtime/window_id.h"

namespace rt {

inline constexpr double kScreenDpi = 96;
inline constexpr double kPrinterDpi = 600;
inline constexpr double kPdfDpi = 72;
// The longest side, in pixels, of a picture read from a file (a loaded picture
// or one kept in the picture cache): beyond it a file is taken for damaged
// rather than trusted with gigabytes of pixels.
inline constexpr int kMaxPictureSide = 16384;

// A drawing target for one operation.
struct DrawTarget {
  RtWindowId id = RtWindowId::View;
  GraphicsState* gfx = nullptr;
  // Where the drawing goes; null when there is nothing to draw on (the printer
  // without an open page): then only the state changes.
  cairo_surface_t* surface = nullptr;
  // An RGB24 image: pixel-exact drawing and drawing modes on pixel values.
  bool pixels = false;
  // Colours through the printer's palette.
  bool printer = false;
  double deviceDpi = kScreenDpi;  // device units of `surface` per inch
  double originX = 0;             // device position of logical (0, 0)
  double originY = 0;
  double unit = 1;        // device units per logical unit
  bool* drawn = nullptr;  // set when something is drawn

  double DeviceX(double x) const { return originX + x * unit; }
  double DeviceY(double y) const { return originY + y * unit; }
  // Device units per point (of type) and per screen pixel (1/96 inch).
  double PerPoint() const { return deviceDpi / 72.0; }
  double PerScreenPixel() const { return deviceDpi / kScreenDpi; }
  void MarkDrawn() const {
    if (drawn) *drawn = true;
  }
};

// The drawing state of any target (the console window's too).
GraphicsState& StateFor(RtWindowId id);
// The drawing target of a graphics window or the printer page; the console
// window is error 5. Only what draws needs the window's picture: a setting of
// the pen, font or position takes the target without making one (its surface
// then stays null until something draws).
DrawTarget TargetFor(RtWindowId id, std::source_location where);
DrawTarget SettingsTargetFor(RtWindowId id, std::source_location where);

// Logical units of the target per screen pixel (1/96 inch).
double WindowUnitsPerPixel(RtWindowId id);
// The picture behind the view or the navigator, made at the client size on
// first use.
cairo_surface_t* WindowSurface(RtWindowId id);
// Called when a window's client size changes: the picture is made anew at the
// new size, keeping what fits.
void ResizeWindowSurface(RtWindowId id);

// The printer's open page as a drawing target (surface null without one).
DrawTarget PrinterTarget();
// The printer's open page on white paper in screen pixels; null without one.
SurfacePtr PrinterPagePicture();
// Blanks the printer's open page.
void ClearPrinterPage();

// The picture of a bitmap (null when empty), and a bitmap holding `image`.
cairo_surface_t* BitmapSurface(const RtBitmap& bitmap);
RtBitmap MakeBitmap(SurfacePtr image);

// 0xRRGGBB of palette colour `colour` on the target (-1: its foreground).
uint32_t TargetColour(const DrawTarget& target, int colour);

// A window's current picture as an RGB24 image in screen pixels (the console
// window painted from its cells, the printer's open page on white paper).
SurfacePtr WindowPicture(RtWindowId id);

// Prints an image in screen pixels as a one-page document of its own.
void PrintPicture(cairo_surface_t* image, std::source_location where);

// Writes `bytes` to the host path through a temporary file in the same folder,
// renamed into place. Returns 0, or the error number when it fails (76 missing
// folder, 61 disk full, 75 otherwise).
int WriteFileReplacing(const std::string& hostPath, std::string_view bytes);
// Writes `bytes` as a new file in `hostFolder` named prefix + NNN + suffix, the
// first NNN from `number` on that is not taken; `number` is left at the number
// used. Returns 0 and the name chosen in `name`, or the error number.
int WriteFileNumbered(const std::string& hostFolder, std::string_view prefix,
                      std::string_view suffix, int& number, std::string_view bytes,
                      std::string& name);

// Texts are shaped below Pango's layout where that gives the layout's own
// extents and pixels, and laid out through it otherwise; `false` lays every
// text out through the layout, to compare the two. The texts kept are
// forgotten. Returns how many texts were shaped below the layout since the last call.
size_t ShapeTextsBelowLayout(bool on);

// The host font family standing in for a program font name (CP932).
std::string HostFontFamily(std::string_view programFontName);

}  // namespace rt
