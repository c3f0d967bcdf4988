// The colour of one spot of a graphics window's picture, for the tests of what
// the view shows.
#pragma once

#include <cairo.h>

#include <cmath>
#include <cstdint>

#include "runtime/graphics_target.h"
#include "runtime/runtime.h"
#include "runtime/windows.h"
#include "runtime/windows_state.h"

namespace view_pixel {

// 0xRRGGBB of the picture at (x, y) in the window's own units.
inline uint32_t At(RtWindowId id, double x, double y) {
  cairo_surface_t* s = rt::WindowSurface(id);
  cairo_surface_flush(s);
  const int px = static_cast<int>(std::floor(rt::UnitsToPixels(id, x)));
  const int py = static_cast<int>(std::floor(rt::UnitsToPixels(id, y)));
  const auto* row = reinterpret_cast<const uint32_t*>(cairo_image_surface_get_data(s) +
                                                      py * cairo_image_surface_get_stride(s));
  return row[px] & 0xFFFFFF;
}

}  // namespace view_pixel
