// What a drawing target (a graphics window or the printer page) remembers between
// two drawing operations: its unit, font, colours, pen and graphics position.
#pragma once

#include <cairo.h>

#include <cstdint>
#include <memory>
#include <string>

#include "runtime/palette.h"

namespace rt {

struct SurfaceDeleter {
  void operator()(cairo_surface_t* s) const {
    if (s) cairo_surface_destroy(s);
  }
};
using SurfacePtr = std::unique_ptr<cairo_surface_t, SurfaceDeleter>;

// Logical units of a target (the mapping modes of the forms): 1 device dots
// (screen pixels, or printer dots of 1/600 inch), 2 0.1 mm, 3 0.01 mm,
// 4 0.01 inch, 5 0.001 inch, 6 1/1440 inch.
enum class ScaleMode : int {
  Dots = 1,
  TenthMm = 2,
  HundredthMm = 3,
  HundredthInch = 4,
  ThousandthInch = 5,
  Twips = 6
};

// Inches per logical unit; `dotsPerInch` is the target's device resolution
// (96 for the screen, 600 for the printer).
double InchesPerUnit(ScaleMode mode, double dotsPerInch);

// Pen styles: the Windows pen styles.
enum PenStyle : int {
  kPenSolid = 0,
  kPenDash = 1,
  kPenDot = 2,
  kPenDashDot = 3,
  kPenDashDotDot = 4,
  kPenNull = 5,
  kPenInsideFrame = 6,
};

// Drawing modes: how a drawn pixel combines with the pixel under it.
enum DrawMode : int {
  kDrawCopy = 0,
  kDrawAnd = 2,
  kDrawOr = 3,
  kDrawXor = 4,
  kDrawNot = 5,
};

struct GraphicsState {
  ScaleMode scaleMode = ScaleMode::Dots;
  // Font: name as the program gives it (CP932), size in points.
  std::string fontName;
  double fontSize = 9;
  bool bold = false;
  bool italic = false;
  // Palette numbers 0-15 of the text and line colour; background as 0xRRGGBB.
  int foreground = 7;
  uint32_t background = 0x000000;
  // Text drawn reversed: on a box of the foreground colour, in the background colour.
  bool reverse = false;
  // Pen width in logical units; never thinner than one device dot.
  double penWidth = 1;
  int penStyle = kPenSolid;
  int drawMode = kDrawCopy;
  // Graphics position in logical units, y growing downwards.
  double x = 0;
  double y = 0;
};

}  // namespace rt
