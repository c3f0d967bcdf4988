// What the dynamic view's picture shows, for the tests of the drawing routines:
// the pixels of one palette colour ("ink"), counted in a rectangle or taken
// whole, so that a drawing can be compared with the same text or line drawn at
// the place the test expects.
#pragma once

#include <cairo.h>

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <utility>
#include <vector>

#include "runtime/graphics_target.h"
#include "runtime/palette.h"
#include "runtime/runtime.h"
#include "runtime/windows.h"
#include "runtime/windows_state.h"
#include "ui/state.h"

namespace view_ink {

// The view measured from its window and a transform in which every factor
// shows: scale 0.5, origin (1000, 2000), vertical ratio 0.25.
inline void SetTestTransform(ui::ViewState& v) {
  v.ViewHeight = RtWindowHeight(RtWindowId::View);
  v.ViewWidth = RtWindowWidth(RtWindowId::View);
  v.ViewHalfHeight = v.ViewHeight / 2;
  v.ViewHalfWidth = v.ViewWidth / 2;
  v.ViewScale = 0.5;
  v.ViewOriginX = 1000;
  v.ViewOriginY = 2000;
  v.VerticalRatio = 0.25;
}

inline constexpr RtWindowId kView = RtWindowId::View;

// (column, row) of a pixel.
using Pixel = std::pair<int, int>;

inline cairo_surface_t* Picture() {
  cairo_surface_t* s =
      rt::WindowSurface(kView);
  cairo_surface_flush(s);
  return s;
}

inline int Width() { return cairo_image_surface_get_width(Picture()); }
inline int Height() { return cairo_image_surface_get_height(Picture()); }

// The pixel that covers the view position `units`.
inline int ToPixel(double units) {
  return static_cast<int>(std::floor(rt::UnitsToPixels(kView, units)));
}

// The pixel a line through the view position `units` is drawn on: lines are
// snapped to the nearest pixel.
inline int LinePixel(double units) {
  return static_cast<int>(std::lround(rt::UnitsToPixels(kView, units)));
}

inline uint32_t RgbAt(int px, int py) {
  cairo_surface_t* s = Picture();
  const auto* row = reinterpret_cast<const uint32_t*>(cairo_image_surface_get_data(s) +
                                                      py * cairo_image_surface_get_stride(s));
  return row[px] & 0xFFFFFF;
}

// Palette colour `colour` at the view position (x, y).
inline bool IsColour(double x, double y, int colour) {
  return RgbAt(ToPixel(x), ToPixel(y)) == rt::PaletteRgb(colour);
}

// Pixels of palette colour `colour` in the pixel rectangle [x0, x1) x [y0, y1),
// clipped to the picture.
inline std::vector<Pixel> InkInPixels(int colour, int x0, int y0, int x1, int y1) {
  std::vector<Pixel> ink;
  const uint32_t rgb = rt::PaletteRgb(colour);
  for (int py = std::max(0, y0); py < std::min(Height(), y1); ++py)
    for (int px = std::max(0, x0); px < std::min(Width(), x1); ++px)
      if (RgbAt(px, py) == rgb) ink.emplace_back(px, py);
  return ink;
}

// Every pixel of `colour` in the picture.
inline std::vector<Pixel> InkOf(int colour) { return InkInPixels(colour, 0, 0, Width(), Height()); }

// Pixels of `colour` in the view rectangle (x1, y1) to (x2, y2), in view units.
inline int CountIn(int colour, double x1, double y1, double x2, double y2) {
  return static_cast<int>(
      InkInPixels(colour, ToPixel(x1), ToPixel(y1), ToPixel(x2) + 1, ToPixel(y2) + 1).size());
}

// All pixels of the view rectangle (x1, y1) to (x2, y2) on the picture.
inline int PixelsIn(double x1, double y1, double x2, double y2) {
  const int w = std::min(Width(), ToPixel(x2) + 1) - std::max(0, ToPixel(x1));
  const int h = std::min(Height(), ToPixel(y2) + 1) - std::max(0, ToPixel(y1));
  return std::max(0, w) * std::max(0, h);
}

// Pixels of `colour` within `radius` pixels of the view position (x, y).
inline int CountNear(int colour, double x, double y, int radius = 2) {
  const int px = ToPixel(x), py = ToPixel(y);
  return static_cast<int>(
      InkInPixels(colour, px - radius, py - radius, px + radius + 1, py + radius + 1).size());
}

}  // namespace view_ink
