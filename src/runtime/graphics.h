// Drawing on the graphics windows (the dynamic view and the navigator) and on the
// printer page. Every target draws in its own logical unit (its scale mode), x to
// the right and y downwards from the top-left corner of the client area (of the
// printable area on the printer page).
//
// Colours are palette numbers 0-15 (-1: the target's foreground colour); the
// printer page gives the numbers its own colours (palette.h). A colour outside
// -1..15 is error 5. Positions and sizes of shapes, texts and pictures may be
// of any size: what lies far beyond the target is left out, and lines running
// there are cut, so that their part on the target is drawn. A shape with a
// value that is no finite number is left out. Neither is an error: a view
// transform that puts a point out of all reach still draws the rest.
//
// On the windows, lines, shapes and texts are drawn without smoothing, so that a
// shape drawn again in the background colour removes it without a trace, and the
// drawing modes act on the pixel values: AND, OR and XOR combine the colour with
// every pixel the shape covers, NOT inverts them; XOR twice restores the picture.
// On the printer page (vector output) the modes are approximated by blending.
//
// Drawing on the console window is error 5: its picture is the console.
#pragma once

#include <cstdint>
#include <memory>
#include <source_location>
#include <span>
#include <string_view>

#include "runtime/window_id.h"

// ---- Units, pen, colours and font of a target ----

// Scale mode (unit): 1 device dots (screen pixels, printer dots of 1/600 inch),
// 2 0.1 mm, 3 0.01 mm, 4 0.01 inch, 5 0.001 inch, 6 1/1440 inch. Others: error 5.
void RtSetScaleMode(RtWindowId id, int mode,
                    std::source_location where = std::source_location::current());

// Pen style of later lines and outlines: 0 solid, 1 dashed, 2 dotted, 3 dash-dot,
// 4 dash-dot-dot, 5 null (nothing is drawn), 6 inside frame (solid, kept inside
// the outline of boxes and circles); -1 keeps the current one, others are error 5.
void RtSetLineStyle(RtWindowId id, int style,
                    std::source_location where = std::source_location::current());
// Pen width in logical units (never thinner than one device dot); negative: error 5,
// no number or beyond single precision: error 6.
void RtSetWindowAttr(RtWindowId id, double penWidth,
                     std::source_location where = std::source_location::current());
// Drawing mode of later drawing calls that pass -1: 0 copy, 2 AND, 3 OR, 4 XOR,
// 5 NOT. Others: error 5.
void RtSetDrawMode(RtWindowId id, int mode,
                   std::source_location where = std::source_location::current());

// Foreground and background palette colours (-1 keeps one) and the text
// attribute: mode 1 reverse (texts on a box of the foreground colour, in the
// background colour), 4 normal, -1 keeps it; other modes: error 5. The new
// background is used by the next clear; it does not repaint the window. On the
// main window this is the console's RtColor.
void RtColor(RtWindowId id, int foreground, int background = -1, int mode = -1,
             std::source_location where = std::source_location::current());
// An RGB value 0xRRGGBB; each part is taken modulo 256.
uint32_t RtRgb(int red, int green, int blue);
// Background colour as an RGB value (used by the next clear).
void RtSetColorRgb(RtWindowId id, uint32_t rgb,
                   std::source_location where = std::source_location::current());

// Font of texts: a face name (CP932; "ＭＳ ゴシック" and "ＭＳ 明朝" are drawn with the
// IPA fonts that stand in for them), a size in points, bold and italic. A size
// not above 0 or above 10000 is error 5.
void RtSetFontName(RtWindowId id, std::string_view name,
                   std::source_location where = std::source_location::current());
void RtSetFontSize(RtWindowId id, double points,
                   std::source_location where = std::source_location::current());
void RtSetFontBold(RtWindowId id, bool on,
                   std::source_location where = std::source_location::current());
void RtSetFontItalic(RtWindowId id, bool on,
                     std::source_location where = std::source_location::current());

// ---- Graphics position ----

void RtGraphMove(RtWindowId id, double x, double y,
                 std::source_location where = std::source_location::current());
// Selector 0: x, 1: y of the graphics position; others: error 5.
double RtGraphPoint(RtWindowId id, int selector,
                    std::source_location where = std::source_location::current());
// Puts the graphics position at a text cell: column x the width of "0", row x the
// line height of the current font.
void RtLocateWindow(RtWindowId id, double column, double row,
                    std::source_location where = std::source_location::current());

// ---- Primitives ----

struct RtPoint {
  double x;
  double y;
};

enum class RtLineShape { Line, Box, FilledBox };

// Moves the graphics position to (x, y) without drawing.
void RtPset(RtWindowId id, double x, double y,
            std::source_location where = std::source_location::current());
// Sets one dot in `colour` at (x, y), which becomes the graphics position.
void RtPset(RtWindowId id, double x, double y, int colour,
            std::source_location where = std::source_location::current());

// A line from (x1, y1) to (x2, y2), an outline box or a filled box with those
// corners (both corners included). `style` -1 and `mode` -1 use the target's
// current pen style and drawing mode; other values apply to this call only. A
// filled box is filled whatever the pen style. (x2, y2) becomes the graphics position.
void RtLine(RtWindowId id, double x1, double y1, double x2, double y2, int colour = -1,
            RtLineShape shape = RtLineShape::Line, int style = -1, int mode = -1,
            std::source_location where = std::source_location::current());
// A line from the graphics position to (x2, y2).
void RtLineTo(RtWindowId id, double x2, double y2, int colour = -1, int style = -1, int mode = -1,
              std::source_location where = std::source_location::current());

// A circle, ellipse or arc around (cx, cy). The horizontal radius is `radius`,
// the vertical one radius x aspect (aspect above 0, else error 5). `start` and
// `end` are fractions of a full turn counted from the right, growing clockwise
// (downwards first); equal values draw the whole circle. The arc runs from
// start to end clockwise. The graphics position becomes the centre.
void RtCircle(RtWindowId id, double cx, double cy, double radius, int colour = -1, double start = 0,
              double end = 0, double aspect = 1,
              std::source_location where = std::source_location::current());

// Lines through the points in order, with the current pen and drawing mode; the
// last point becomes the graphics position.
void RtPolyline(RtWindowId id, std::span<const RtPoint> points, int colour = -1,
                std::source_location where = std::source_location::current());

// A graphic text (CP932) with its top-left corner at (x, y), in the current font
// magnified by whole numbers (rounded, kept within 1-1000), turned by
// `quarterTurns` x 90 degrees anticlockwise about (x, y), in `colour` over what is
// there. The graphics position does not move.
void RtSymbol(RtWindowId id, double x, double y, std::string_view text, double xMagnify,
              double yMagnify, double quarterTurns, int colour = -1,
              std::source_location where = std::source_location::current());

// Prints a text (CP932) with its top-left corner at the graphics position, in the
// foreground colour and the current font; the position moves on past the text. A
// line feed in the text, and `lineEnd` after it, start a new line (x 0, y one line
// height down); a carriage return goes back to x 0; other control bytes are not
// drawn. With no page open on the printer only the position moves.
void RtPrintToWindow(RtWindowId id, std::string_view text, bool lineEnd,
                     std::source_location where = std::source_location::current());

// Width and line height of a one-line text in the current font, in logical units.
double RtTextWidth(RtWindowId id, std::string_view text,
                   std::source_location where = std::source_location::current());
double RtTextHeight(RtWindowId id, std::string_view text,
                    std::source_location where = std::source_location::current());

namespace rt {
// Clears a graphics window to its background colour and puts the graphics
// position at (0, 0); on the printer page it blanks the open page. Nothing for
// the console window (its text is cleared by the console).
void ClearWindowGraphics(RtWindowId id);
}  // namespace rt

// ---- Bitmaps ----

// A picture in screen pixels (1/96 inch): a copy of a window or a loaded file.
// Positions and sizes of bitmap operations are in the units of the target window.
class RtBitmap {
 public:
  RtBitmap();
  ~RtBitmap();
  RtBitmap(RtBitmap&&) noexcept;
  RtBitmap& operator=(RtBitmap&&) noexcept;
  RtBitmap(const RtBitmap&) = delete;
  RtBitmap& operator=(const RtBitmap&) = delete;

  bool empty() const;
  int pixelWidth() const;
  int pixelHeight() const;

  struct Impl;
  Impl& impl() const { return *impl_; }

 private:
  std::unique_ptr<Impl> impl_;
};

// Loads a PNG file, an uncompressed BMP file (1, 4 or 8 bits through its palette,
// or 24 or 32 bits) or an SVG document (by its content, not its name) from the
// program path `path`. An SVG is drawn at its own size (its width and height at 96 pixels an inch; without them its view box
// in pixels), on white, and may not refer to other files. A missing file is error
// 63, passed over (returns false, the bitmap unchanged); one that cannot be read
// (a folder, no access) is error 75; a file that holds no such picture is error 5.
bool RtLoadPicture(RtBitmap& bitmap, std::string_view path,
                   std::source_location where = std::source_location::current());
// A copy of the rectangle (x, y, width, height) of the window's client area, in
// its units; parts outside the window are its background colour. A value that
// is no number or beyond single precision is error 6; a size below one pixel or
// above four screens error 5.
RtBitmap RtCopyWindowToBitmap(RtWindowId id, double x, double y, double width, double height,
                              std::source_location where = std::source_location::current());
// The bitmap's size in the units of window `unitsOf`.
double RtBitmapWidth(const RtBitmap& bitmap, RtWindowId unitsOf);
double RtBitmapHeight(const RtBitmap& bitmap, RtWindowId unitsOf);
// Draws the bitmap at (x, y) at its own size, or stretched to width x height, or
// its part (sx, sy, sw, sh) stretched to (x, y, width, height). Nothing for an
// empty bitmap.
void RtDrawBitmap(RtWindowId id, const RtBitmap& bitmap, double x, double y,
                  std::source_location where = std::source_location::current());
void RtDrawBitmap(RtWindowId id, const RtBitmap& bitmap, double x, double y, double width,
                  double height, std::source_location where = std::source_location::current());
void RtDrawBitmapPart(RtWindowId id, const RtBitmap& bitmap, double x, double y, double width,
                      double height, double sx, double sy, double sw, double sh,
                      std::source_location where = std::source_location::current());

// Prints the window's current picture on the printer as a document of its own
// (the printer's open document, if any, is not disturbed): the picture fills the
// printable width, or height, keeping its proportions. `mode` and `flag` are
// accepted for the program's calls and have no further meaning here.
void RtHardCopy(RtWindowId id, int mode = 2, int flag = 0,
                std::source_location where = std::source_location::current());
