#include "runtime/graphics.h"

#include <pango/pangocairo.h>

#include <algorithm>
#include <array>
#include <bit>
#include <cfloat>
#include <cmath>
#include <cstring>
#include <span>
#include <list>
#include <numbers>
#include <string>
#include <unordered_map>
#include <vector>

#include "runtime/console.h"
#include "runtime/desktop_hooks.h"
#include "runtime/errors.h"
#include "runtime/graphics_target.h"
#include "runtime/printer_state.h"
#include "runtime/runtime.h"
#include "runtime/text.h"
#include "runtime/windows.h"
#include "runtime/windows_state.h"

// For the leak checker of the sanitizer builds: fontconfig, under Pango, keeps
// caches for the life of the process that the checker takes for leaks.
extern "C" const char* __lsan_default_suppressions() { return "leak:libfontconfig.so\n"; }

namespace rt {

double InchesPerUnit(ScaleMode mode, double dotsPerInch) {
  switch (mode) {
    case ScaleMode::Dots:
      return 1.0 / dotsPerInch;
    case ScaleMode::TenthMm:
      return 1.0 / 254.0;
    case ScaleMode::HundredthMm:
      return 1.0 / 2540.0;
    case ScaleMode::HundredthInch:
      return 1.0 / 100.0;
    case ScaleMode::ThousandthInch:
      return 1.0 / 1000.0;
    case ScaleMode::Twips:
      return 1.0 / 1440.0;
  }
  return 1.0 / dotsPerInch;
}

DrawTarget SettingsTargetFor(RtWindowId id, std::source_location where) {
  if (id == RtWindowId::Main) RtRaise(kErrIllegalArgument, where);
  if (id == RtWindowId::Printer) return PrinterTarget();
  WindowRecord& w = CurrentRuntime().windows->windows.at(static_cast<size_t>(id));
  DrawTarget t;
  t.id = id;
  t.gfx = &w.gfx;
  t.surface = w.surface.get();
  t.pixels = true;
  t.deviceDpi = kScreenDpi;
  t.unit = kScreenDpi * InchesPerUnit(w.gfx.scaleMode, kScreenDpi);
  return t;
}

DrawTarget TargetFor(RtWindowId id, std::source_location where) {
  DrawTarget t = SettingsTargetFor(id, where);
  if (id == RtWindowId::Printer) return t;
  t.surface = WindowSurface(id);
  DesktopPictureChanged(id);  // a real window shows the picture again
  return t;
}

uint32_t TargetColour(const DrawTarget& target, int colour) {
  if (colour == -1) colour = target.gfx->foreground;
  return target.printer ? PrinterPaletteRgb(colour) : PaletteRgb(colour);
}

std::string HostFontFamily(std::string_view programFontName) {
  struct Face {
    std::string_view program;
    const char* host;
  };
  static constexpr Face kFaces[] = {
      {"ＭＳ ゴシック", "IPAGothic"}, {"ＭＳ 明朝", "IPAMincho"}, {"ＭＳ Ｐゴシック", "IPAPGothic"},
      {"ＭＳ Ｐ明朝", "IPAPMincho"},  {"FixedSys", "IPAGothic"},  {"", "IPAGothic"},
  };
  for (const Face& f : kFaces)
    if (f.program == programFontName) return f.host;
  return Cp932ToUtf8(programFontName);
}

SurfacePtr WindowPicture(RtWindowId id) {
  if (id == RtWindowId::Printer) return PrinterPagePicture();
  if (id == RtWindowId::Main) {
    SurfacePtr image(cairo_image_surface_create(CAIRO_FORMAT_RGB24, kConsoleColumns * kCellWidth,
                                                kConsoleRows * kCellHeight));
    cairo_t* cr = cairo_create(image.get());
    DrawConsole(cr);
    cairo_destroy(cr);
    return image;
  }
  // The client area of the picture behind the window (which may be larger).
  cairo_surface_t* picture = WindowSurface(id);
  cairo_surface_flush(picture);
  SurfacePtr image(
      cairo_image_surface_create(CAIRO_FORMAT_RGB24, ClientPixelWidth(id), ClientPixelHeight(id)));
  cairo_t* cr = cairo_create(image.get());
  cairo_set_source_surface(cr, picture, 0, 0);
  cairo_paint(cr);
  cairo_destroy(cr);
  return image;
}

}  // namespace rt

namespace {

using rt::DrawTarget;
using rt::GraphicsState;
using rt::SurfacePtr;

// Device coordinates beyond this are not drawn (lines are cut at it), which keeps
// cairo's fixed-point arithmetic in range.
constexpr double kGuard = 1 << 21;

template <typename T>
struct ObjectDeleter {
  void operator()(T* object) const { g_object_unref(object); }
};
template <typename T>
using ObjectPtr = std::unique_ptr<T, ObjectDeleter<T>>;

struct AttrListDeleter {
  void operator()(PangoAttrList* list) const { pango_attr_list_unref(list); }
};
using AttrListPtr = std::unique_ptr<PangoAttrList, AttrListDeleter>;

using LayoutPtr = ObjectPtr<PangoLayout>;

struct CairoDeleter {
  void operator()(cairo_t* cr) const { cairo_destroy(cr); }
};
using CairoPtr = std::unique_ptr<cairo_t, CairoDeleter>;

// ---- argument checks ----

void CheckColour(int colour, std::source_location where) {
  if (colour < -1 || colour > 15) RtRaise(kErrIllegalArgument, where);
}

// A size that is no number or beyond single precision (pen widths, copies of
// a window) is error 6.
void CheckCoordinate(double v, std::source_location where) {
  if (!std::isfinite(v) || std::fabs(v) > FLT_MAX) RtRaise(kErrOverflow, where);
}

// Positions and sizes of shapes, texts and pictures may be of any size: what lies
// beyond the guard is cut off or left out. A shape one of whose values is no
// finite number cannot be placed at all and is left out.
bool AllFinite(std::initializer_list<double> values) {
  return std::all_of(values.begin(), values.end(), [](double v) { return std::isfinite(v); });
}

int ResolveStyle(const GraphicsState& g, int style, std::source_location where) {
  if (style == -1) return g.penStyle;
  if (style < rt::kPenSolid || style > rt::kPenInsideFrame) RtRaise(kErrIllegalArgument, where);
  return style;
}

bool IsDrawMode(int mode) {
  return mode == rt::kDrawCopy || mode == rt::kDrawAnd || mode == rt::kDrawOr ||
         mode == rt::kDrawXor || mode == rt::kDrawNot;
}

int ResolveMode(const GraphicsState& g, int mode, std::source_location where) {
  if (mode == -1) return g.drawMode;
  if (!IsDrawMode(mode)) RtRaise(kErrIllegalArgument, where);
  return mode;
}

// ---- painting ----

void SetSource(cairo_t* cr, uint32_t rgb) {
  const rt::RgbFractions f = rt::Fractions(rgb);
  cairo_set_source_rgb(cr, f.red, f.green, f.blue);
}

uint32_t Combine(uint32_t pixel, uint32_t rgb, int mode) {
  const uint32_t high = pixel & 0xFF000000u;
  const uint32_t low = pixel & 0x00FFFFFFu;
  switch (mode) {
    case rt::kDrawAnd:
      return high | (low & rgb);
    case rt::kDrawOr:
      return high | (low | rgb);
    case rt::kDrawXor:
      return high | (low ^ rgb);
    case rt::kDrawNot:
      return high | (~low & 0x00FFFFFFu);
    default:
      return high | rgb;
  }
}

// The pixels a shape covers, as a bitmap: bit b of word k of row r stands for
// the pixel (left + 64 k + b, top + r) relative to the shape's anchor pixel.
struct PixelMask {
  int32_t left = 0;
  int32_t top = 0;
  int32_t width = 0;  // pixels of a row
  int32_t height = 0;
  int32_t words = 0;  // words of a row
  std::vector<uint64_t> bits;
};

// The pixels of a mask that are at least half covered, relative to the anchor
// pixel that lies at (-left, -top) on the mask. The mask is an A8 surface, or an
// ARGB32 one whose alpha holds the coverage; with `blank` its pixels are left 0.
static_assert(std::endian::native == std::endian::little, "masks are read a word at a time");

void CollectMask(cairo_surface_t* mask, int left, int top, PixelMask& out, bool blank = false) {
  cairo_surface_flush(mask);
  unsigned char* data = cairo_image_surface_get_data(mask);
  const int stride = cairo_image_surface_get_stride(mask);
  const int width = cairo_image_surface_get_width(mask);
  const int height = cairo_image_surface_get_height(mask);
  const bool alpha8 = cairo_image_surface_get_format(mask) == CAIRO_FORMAT_A8;
  // Eight bytes at a time: their high bits are those of eight A8 pixels or of
  // two ARGB32 alphas (little-endian).
  const int bytesPerPixel = alpha8 ? 1 : 4;
  const uint64_t high = alpha8 ? 0x8080808080808080u : 0x8000000080000000u;
  const int shift = alpha8 ? 3 : 5;  // bit index to pixel
  const int perWord = 8 / bytesPerPixel;
  // The covered pixels of the whole mask, a row of bits per row.
  const int rowWords = (width + 63) / 64;
  thread_local std::vector<uint64_t> rows;
  rows.assign(static_cast<size_t>(rowWords) * static_cast<size_t>(height), 0);
  int x0 = width, x1 = -1, y0 = height, y1 = -1;
  for (int y = 0; y < height; ++y) {
    unsigned char* row = data + static_cast<ptrdiff_t>(y) * stride;
    uint64_t* bits = rows.data() + static_cast<ptrdiff_t>(y) * rowWords;
    const auto take = [&](int x) {
      bits[x / 64] |= uint64_t{1} << (x % 64);
      x0 = std::min(x0, x);
      x1 = std::max(x1, x);
      y0 = std::min(y0, y);
      y1 = y;
    };
    int x = 0;
    for (; x + perWord <= width; x += perWord) {
      uint64_t word;
      std::memcpy(&word, row + x * bytesPerPixel, sizeof word);
      if (word == 0) continue;
      if (blank) std::memset(row + x * bytesPerPixel, 0, sizeof word);
      for (uint64_t set = word & high; set != 0; set &= set - 1) {
        take(x + (std::countr_zero(set) >> shift));
      }
    }
    for (; x < width; ++x) {
      unsigned char* pixel = row + x * bytesPerPixel;
      if (pixel[bytesPerPixel - 1] >= 0x80) take(x);  // alpha is the last byte (little-endian)
      if (blank) std::memset(pixel, 0, static_cast<size_t>(bytesPerPixel));
    }
  }
  if (blank) cairo_surface_mark_dirty(mask);
  out = PixelMask();
  if (x1 < 0) return;
  out.left = left + x0;
  out.top = top + y0;
  out.width = x1 - x0 + 1;
  out.height = y1 - y0 + 1;
  out.words = (out.width + 63) / 64;
  out.bits.assign(static_cast<size_t>(out.words) * static_cast<size_t>(out.height), 0);
  // The rows of the covered rectangle, moved to start at its left column.
  const int skip = x0 / 64, offset = x0 % 64;
  for (int y = y0; y <= y1; ++y) {
    const uint64_t* from = rows.data() + static_cast<ptrdiff_t>(y) * rowWords + skip;
    uint64_t* to = out.bits.data() + static_cast<ptrdiff_t>(y - y0) * out.words;
    const int available = rowWords - skip;
    for (int k = 0; k < out.words; ++k) {
      uint64_t word = from[k] >> offset;
      if (offset != 0 && k + 1 < available) word |= from[k + 1] << (64 - offset);
      to[k] = word;
    }
    const int tail = out.width % 64;
    if (tail != 0) to[out.words - 1] &= (uint64_t{1} << tail) - 1;
  }
}

// The bits of a mask word whose pixels, from device column `first` on, lie in
// the columns [0, width).
uint64_t ColumnsOnPicture(int first, int width) {
  const int from = std::max(0, -first);
  const int to = std::min(64, width - first);
  if (from >= to) return 0;
  const uint64_t upTo = to == 64 ? ~uint64_t{0} : (uint64_t{1} << to) - 1;
  return upTo & ~((uint64_t{1} << from) - 1);
}

template <int Mode>
void PaintMaskRows(const PixelMask& m, unsigned char* data, int stride, int width, int x0, int y0,
                   int firstRow, int lastRow, uint32_t rgb) {
  const bool allColumns = x0 >= 0 && x0 + m.width <= width;
  for (int r = firstRow; r < lastRow; ++r) {
    auto* pixels = reinterpret_cast<uint32_t*>(data + static_cast<ptrdiff_t>(y0 + r) * stride) + x0;
    const uint64_t* row = m.bits.data() + static_cast<ptrdiff_t>(r) * m.words;
    for (int k = 0; k < m.words; ++k) {
      uint64_t word = row[k];
      if (!allColumns) word &= ColumnsOnPicture(x0 + 64 * k, width);
      uint32_t* base = pixels + 64 * k;
      while (word) {
        uint32_t& pixel = base[std::countr_zero(word)];
        pixel = Combine(pixel, rgb, Mode);
        word &= word - 1;
      }
    }
  }
}

// Combines `rgb` by `mode` with the picture's pixels that the mask covers when
// its anchor lies on the device pixel (x, y).
void PaintMask(const DrawTarget& t, const PixelMask& m, int x, int y, uint32_t rgb, int mode) {
  t.MarkDrawn();
  if (m.height == 0) return;
  cairo_surface_flush(t.surface);
  unsigned char* data = cairo_image_surface_get_data(t.surface);
  const int stride = cairo_image_surface_get_stride(t.surface);
  const int width = cairo_image_surface_get_width(t.surface);
  const int height = cairo_image_surface_get_height(t.surface);
  const int x0 = x + m.left, y0 = y + m.top;
  const int firstRow = std::max(0, -y0), lastRow = std::min(m.height, height - y0);
  if (firstRow >= lastRow || x0 >= width || x0 + m.width <= 0) return;
  switch (mode) {
    case rt::kDrawAnd:
      PaintMaskRows<rt::kDrawAnd>(m, data, stride, width, x0, y0, firstRow, lastRow, rgb);
      break;
    case rt::kDrawOr:
      PaintMaskRows<rt::kDrawOr>(m, data, stride, width, x0, y0, firstRow, lastRow, rgb);
      break;
    case rt::kDrawXor:
      PaintMaskRows<rt::kDrawXor>(m, data, stride, width, x0, y0, firstRow, lastRow, rgb);
      break;
    case rt::kDrawNot:
      PaintMaskRows<rt::kDrawNot>(m, data, stride, width, x0, y0, firstRow, lastRow, rgb);
      break;
    default:
      PaintMaskRows<rt::kDrawCopy>(m, data, stride, width, x0, y0, firstRow, lastRow, rgb);
      break;
  }
  cairo_surface_mark_dirty(t.surface);
}

// Renders the shape into a coverage mask (no smoothing) and combines the colour
// with every pixel the mask covers, so the modes act on the pixel values.
template <typename Render>
void PaintPixelsThroughMask(const DrawTarget& t, uint32_t rgb, int mode, const Render& render) {
  const int width = cairo_image_surface_get_width(t.surface);
  const int height = cairo_image_surface_get_height(t.surface);
  SurfacePtr mask(cairo_image_surface_create(CAIRO_FORMAT_A8, width, height));
  {
    CairoPtr cr(cairo_create(mask.get()));
    cairo_set_antialias(cr.get(), CAIRO_ANTIALIAS_NONE);
    cairo_set_source_rgba(cr.get(), 0, 0, 0, 1);
    render(cr.get());
  }
  cairo_surface_flush(mask.get());
  cairo_surface_flush(t.surface);
  const unsigned char* maskData = cairo_image_surface_get_data(mask.get());
  const int maskStride = cairo_image_surface_get_stride(mask.get());
  unsigned char* data = cairo_image_surface_get_data(t.surface);
  const int stride = cairo_image_surface_get_stride(t.surface);
  for (int y = 0; y < height; ++y) {
    const unsigned char* m = maskData + static_cast<ptrdiff_t>(y) * maskStride;
    auto* row = reinterpret_cast<uint32_t*>(data + static_cast<ptrdiff_t>(y) * stride);
    for (int x = 0; x < width; ++x)
      if (m[x] >= 0x80) row[x] = Combine(row[x], rgb, mode);
  }
  cairo_surface_mark_dirty(t.surface);
}

cairo_operator_t VectorOperator(int mode) {
  switch (mode) {
    case rt::kDrawAnd:
      return CAIRO_OPERATOR_MULTIPLY;
    case rt::kDrawOr:
      return CAIRO_OPERATOR_LIGHTEN;
    case rt::kDrawXor:
    case rt::kDrawNot:
      return CAIRO_OPERATOR_DIFFERENCE;
    default:
      return CAIRO_OPERATOR_OVER;
  }
}

// Draws a shape on the target in colour `rgb` with drawing mode `mode`. `render`
// builds the shape on the context it gets, whose source is already set, and
// fills, strokes or shows it.
template <typename Render>
void Paint(const DrawTarget& t, uint32_t rgb, int mode, const Render& render) {
  if (!t.surface) return;
  t.MarkDrawn();
  if (t.pixels && mode != rt::kDrawCopy) {
    PaintPixelsThroughMask(t, rgb, mode, render);
    return;
  }
  CairoPtr cr(cairo_create(t.surface));
  if (t.pixels) cairo_set_antialias(cr.get(), CAIRO_ANTIALIAS_NONE);
  cairo_set_operator(cr.get(), VectorOperator(mode));
  SetSource(cr.get(), mode == rt::kDrawNot ? 0xFFFFFFu : rgb);
  render(cr.get());
}

// ---- device geometry ----

// The pen as it is drawn: device width, pixel-centre offset, style.
struct Pen {
  double width = 1;
  double offset = 0;
  int style = rt::kPenSolid;
};

Pen PenOf(const DrawTarget& t, int style) {
  Pen pen;
  pen.style = style;
  const double w = t.gfx->penWidth * t.unit;
  if (t.pixels) {
    pen.width = std::max(1.0, std::round(w));
    pen.offset = std::fmod(pen.width, 2.0) == 1.0 ? 0.5 : 0.0;
  } else {
    pen.width = std::max(t.deviceDpi / rt::kPrinterDpi, w);
  }
  return pen;
}

// Device position of a logical point; on a picture snapped to whole pixels.
double SnapX(const DrawTarget& t, double x) {
  const double d = t.DeviceX(x);
  return t.pixels ? std::round(d) : d;
}
double SnapY(const DrawTarget& t, double y) {
  const double d = t.DeviceY(y);
  return t.pixels ? std::round(d) : d;
}

// Dash patterns of the pen styles, in screen pixels at a pen of one pixel.
std::vector<double> DashPattern(int style) {
  switch (style) {
    case rt::kPenDash:
      return {18, 6};
    case rt::kPenDot:
      return {3, 3};
    case rt::kPenDashDot:
      return {9, 6, 3, 6};
    case rt::kPenDashDotDot:
      return {9, 3, 3, 3, 3, 3};
    default:
      return {};
  }
}

void ApplyPen(cairo_t* cr, const DrawTarget& t, const Pen& pen) {
  cairo_set_line_width(cr, pen.width);
  cairo_set_line_join(cr, CAIRO_LINE_JOIN_MITER);
  std::vector<double> dashes = DashPattern(pen.style);
  if (dashes.empty()) {
    cairo_set_line_cap(cr, CAIRO_LINE_CAP_SQUARE);
    return;
  }
  const double scale = std::max(t.PerScreenPixel(), pen.width);
  for (double& d : dashes) d *= scale;
  cairo_set_line_cap(cr, CAIRO_LINE_CAP_BUTT);
  cairo_set_dash(cr, dashes.data(), static_cast<int>(dashes.size()), 0);
}

struct Segment {
  double x1, y1, x2, y2;
};

// Cuts a device segment to the guard square; false when nothing of it is inside
// (or an end is no finite number).
bool ClipToGuard(Segment& s) {
  if (!AllFinite({s.x1, s.y1, s.x2, s.y2})) return false;
  double t0 = 0, t1 = 1;
  const double dx = s.x2 - s.x1;
  const double dy = s.y2 - s.y1;
  const double p[4] = {-dx, dx, -dy, dy};
  const double q[4] = {s.x1 + kGuard, kGuard - s.x1, s.y1 + kGuard, kGuard - s.y1};
  for (int i = 0; i < 4; ++i) {
    if (p[i] == 0) {
      if (q[i] < 0) return false;
      continue;
    }
    const double r = q[i] / p[i];
    if (p[i] < 0)
      t0 = std::max(t0, r);
    else
      t1 = std::min(t1, r);
    if (t0 > t1) return false;
  }
  s = {s.x1 + t0 * dx, s.y1 + t0 * dy, s.x1 + t1 * dx, s.y1 + t1 * dy};
  return true;
}

Segment DeviceSegment(const DrawTarget& t, const Pen& pen, double x1, double y1, double x2,
                      double y2) {
  return {SnapX(t, x1) + pen.offset, SnapY(t, y1) + pen.offset, SnapX(t, x2) + pen.offset,
          SnapY(t, y2) + pen.offset};
}

double Guarded(double v) { return std::clamp(v, -kGuard, kGuard); }

// ---- one-segment lines on pictures ----
//
// A redraw strokes tens of thousands of short segments, and a cairo stroke costs
// far more than the few pixels it sets. On a picture both ends of a segment lie
// on whole pixels and the pen sits at a fixed place within its pixel, so a
// segment covers the same pixels relative to its first end wherever it is drawn:
// the pixels of each shape (the step from the first end to the second, the pen)
// are stroked once and kept.

class LineShapes {
 public:
  // Longest step, in pixels across or down, of a shape that is kept.
  static constexpr int kMaxStep = 128;

  // The pixels, relative to its first end, of a segment from a pixel to the
  // pixel (dx, dy) from it.
  const PixelMask& Find(const DrawTarget& t, const Pen& pen, int dx, int dy) {
    const Shape shape{dx, dy, static_cast<int>(pen.width), pen.style};
    auto found = shapes_.find(shape);
    if (found != shapes_.end()) return found->second;
    if (shapes_.size() >= kMaxEntries) shapes_.clear();
    PixelMask& pixels = shapes_[shape];
    Stroke(t, pen, dx, dy, pixels);
    return pixels;
  }

 private:
  static constexpr size_t kMaxEntries = 1 << 15;

  struct Shape {
    int dx, dy, width, style;
    bool operator==(const Shape&) const = default;
  };
  struct ShapeHash {
    size_t operator()(const Shape& s) const {
      const uint64_t a = static_cast<uint32_t>(s.dx) | uint64_t{static_cast<uint32_t>(s.dy)} << 32;
      const uint64_t b = static_cast<uint32_t>(s.width) | uint64_t{static_cast<uint32_t>(s.style)} << 32;
      return std::hash<uint64_t>()(a * 0x9E3779B97F4A7C15u ^ b);
    }
  };

  // Strokes the segment as a pixel stroke does, into a mask with room around it
  // for the widest reach that cairo allows for the pen (the miter limit), so
  // that nothing of the shape is cut.
  static void Stroke(const DrawTarget& t, const Pen& pen, int dx, int dy,
                     PixelMask& pixels) {
    const int margin = static_cast<int>(std::ceil(15 * pen.width)) + 2;
    const int left = std::min(0, dx) - margin, top = std::min(0, dy) - margin;
    const int width = std::abs(dx) + 2 * margin + 1, height = std::abs(dy) + 2 * margin + 1;
    SurfacePtr mask(cairo_image_surface_create(CAIRO_FORMAT_A8, width, height));
    {
      CairoPtr cr(cairo_create(mask.get()));
      cairo_set_antialias(cr.get(), CAIRO_ANTIALIAS_NONE);
      cairo_set_source_rgba(cr.get(), 0, 0, 0, 1);
      ApplyPen(cr.get(), t, pen);
      cairo_move_to(cr.get(), -left + pen.offset, -top + pen.offset);
      cairo_line_to(cr.get(), -left + dx + pen.offset, -top + dy + pen.offset);
      cairo_stroke(cr.get());
    }
    CollectMask(mask.get(), left, top, pixels);
  }

  std::unordered_map<Shape, PixelMask, ShapeHash> shapes_;
};

LineShapes& Lines() {
  static LineShapes shapes;
  return shapes;
}

// Draws the segment from its kept shape when it is one of the shapes kept (a
// picture, ends apart and within reach); false when it must be stroked.
bool PaintKeptLine(const DrawTarget& t, const Pen& pen, uint32_t rgb, int mode, const RtPoint& a,
                   const RtPoint& b) {
  if (!t.pixels || !t.surface) return false;
  const double x1 = SnapX(t, a.x), y1 = SnapY(t, a.y), x2 = SnapX(t, b.x), y2 = SnapY(t, b.y);
  const double reach = LineShapes::kMaxStep;
  if (!(std::fabs(x1) < kGuard && std::fabs(y1) < kGuard)) return false;
  if (!(std::fabs(x2 - x1) <= reach && std::fabs(y2 - y1) <= reach)) return false;
  if (x1 == x2 && y1 == y2) return false;
  const int dx = static_cast<int>(x2 - x1), dy = static_cast<int>(y2 - y1);
  PaintMask(t, Lines().Find(t, pen, dx, dy), static_cast<int>(x1), static_cast<int>(y1), rgb,
            mode);
  return true;
}

// ---- primitives ----

// Lines through `points` in order (one point: a dot of the pen's width).
void StrokeSegments(const DrawTarget& t, int colour, int style, int mode,
                    std::span<const RtPoint> points) {
  const Pen pen = PenOf(t, style);
  if (pen.style == rt::kPenNull || points.empty()) return;
  if (points.size() == 2 &&
      PaintKeptLine(t, pen, rt::TargetColour(t, colour), mode, points[0], points[1])) {
    return;
  }
  std::vector<Segment> lines;
  std::vector<Segment> dots;  // segments of no length
  for (size_t i = 0; i < points.size(); ++i) {
    if (i == 0 && points.size() > 1) continue;
    const RtPoint& a = points[i == 0 ? 0 : i - 1];
    const RtPoint& b = points[i];
    Segment s = DeviceSegment(t, pen, a.x, a.y, b.x, b.y);
    if (!ClipToGuard(s)) continue;
    (s.x1 == s.x2 && s.y1 == s.y2 ? dots : lines).push_back(s);
  }
  if (lines.empty() && dots.empty()) return;
  Paint(t, rt::TargetColour(t, colour), mode, [&](cairo_t* cr) {
    ApplyPen(cr, t, pen);
    for (size_t i = 0; i < lines.size(); ++i) {
      const Segment& s = lines[i];
      const bool joined = i > 0 && lines[i - 1].x2 == s.x1 && lines[i - 1].y2 == s.y1;
      if (!joined) cairo_move_to(cr, s.x1, s.y1);
      cairo_line_to(cr, s.x2, s.y2);
    }
    cairo_stroke(cr);
    for (const Segment& d : dots)
      cairo_rectangle(cr, d.x1 - pen.width / 2, d.y1 - pen.width / 2, pen.width, pen.width);
    cairo_fill(cr);
  });
}

void StrokeBox(const DrawTarget& t, int colour, int style, int mode, double x1, double y1,
               double x2, double y2) {
  const Pen pen = PenOf(t, style);
  if (pen.style == rt::kPenNull || !AllFinite({x1, y1, x2, y2})) return;
  double left = Guarded(std::min(SnapX(t, x1), SnapX(t, x2))) + pen.offset;
  double right = Guarded(std::max(SnapX(t, x1), SnapX(t, x2))) + pen.offset;
  double top = Guarded(std::min(SnapY(t, y1), SnapY(t, y2))) + pen.offset;
  double bottom = Guarded(std::max(SnapY(t, y1), SnapY(t, y2))) + pen.offset;
  if (pen.style == rt::kPenInsideFrame) {
    const double inset = t.pixels ? std::floor(pen.width / 2) : pen.width / 2;
    left = std::min(left + inset, (left + right) / 2);
    right = std::max(right - inset, left);
    top = std::min(top + inset, (top + bottom) / 2);
    bottom = std::max(bottom - inset, top);
  }
  Paint(t, rt::TargetColour(t, colour), mode, [&](cairo_t* cr) {
    ApplyPen(cr, t, pen);
    cairo_rectangle(cr, left, top, right - left, bottom - top);
    cairo_stroke(cr);
  });
}

void FillBox(const DrawTarget& t, int colour, int mode, double x1, double y1, double x2,
             double y2) {
  if (!AllFinite({x1, y1, x2, y2})) return;
  const double extra = t.pixels ? 1 : 0;  // both corner pixels are inside
  const double left = Guarded(std::min(SnapX(t, x1), SnapX(t, x2)));
  const double right = Guarded(std::max(SnapX(t, x1), SnapX(t, x2)) + extra);
  const double top = Guarded(std::min(SnapY(t, y1), SnapY(t, y2)));
  const double bottom = Guarded(std::max(SnapY(t, y1), SnapY(t, y2)) + extra);
  Paint(t, rt::TargetColour(t, colour), mode, [&](cairo_t* cr) {
    cairo_rectangle(cr, left, top, right - left, bottom - top);
    cairo_fill(cr);
  });
}

// Fraction of a turn in [0, 1).
double TurnFraction(double v) { return v - std::floor(v); }

void StrokeEllipse(const DrawTarget& t, int colour, double cx, double cy, double rx, double ry,
                   double start, double end) {
  const GraphicsState& g = *t.gfx;
  const Pen pen = PenOf(t, g.penStyle);
  if (pen.style == rt::kPenNull || !AllFinite({cx, cy, rx, ry, start, end})) return;
  const double dcx = SnapX(t, cx) + pen.offset;
  const double dcy = SnapY(t, cy) + pen.offset;
  double drx = rx * t.unit;
  double dry = ry * t.unit;
  if (pen.style == rt::kPenInsideFrame) {
    drx -= pen.width / 2;
    dry -= pen.width / 2;
  }
  if (drx <= 1e-6 || dry <= 1e-6) return;
  if (std::fabs(dcx) + drx > kGuard || std::fabs(dcy) + dry > kGuard) return;
  double a0 = TurnFraction(start) * 2 * std::numbers::pi;
  double a1 = TurnFraction(end) * 2 * std::numbers::pi;
  if (start == end || a0 == a1) {
    a0 = 0;
    a1 = 2 * std::numbers::pi;
  } else if (a1 < a0) {
    a1 += 2 * std::numbers::pi;
  }
  Paint(t, rt::TargetColour(t, colour), g.drawMode, [&](cairo_t* cr) {
    ApplyPen(cr, t, pen);
    cairo_save(cr);
    cairo_translate(cr, dcx, dcy);
    cairo_scale(cr, drx, dry);
    cairo_new_path(cr);
    cairo_arc(cr, 0, 0, 1, a0, a1);
    cairo_restore(cr);
    cairo_stroke(cr);
  });
}

// One pixel of a picture set to `rgb`, when it lies on the picture.
void SetPixel(const DrawTarget& t, double x, double y, uint32_t rgb) {
  if (!t.surface) return;
  t.MarkDrawn();
  const int width = cairo_image_surface_get_width(t.surface);
  const int height = cairo_image_surface_get_height(t.surface);
  if (x < 0 || y < 0 || x >= width || y >= height) return;
  cairo_surface_flush(t.surface);
  const int px = static_cast<int>(x), py = static_cast<int>(y);
  unsigned char* row = cairo_image_surface_get_data(t.surface) +
                       static_cast<ptrdiff_t>(py) * cairo_image_surface_get_stride(t.surface);
  auto* pixel = reinterpret_cast<uint32_t*>(row) + px;
  *pixel = Combine(*pixel, rgb, rt::kDrawCopy);
  cairo_surface_mark_dirty_rectangle(t.surface, px, py, 1, 1);
}

void SetDot(const DrawTarget& t, int colour, double x, double y) {
  if (!AllFinite({x, y})) return;
  const double size = t.pixels ? 1 : PenOf(t, rt::kPenSolid).width;
  const double dx = t.pixels ? SnapX(t, x) : t.DeviceX(x) - size / 2;
  const double dy = t.pixels ? SnapY(t, y) : t.DeviceY(y) - size / 2;
  if (std::fabs(dx) > kGuard || std::fabs(dy) > kGuard) return;
  if (t.pixels) {
    SetPixel(t, dx, dy, rt::TargetColour(t, colour));
    return;
  }
  Paint(t, rt::TargetColour(t, colour), rt::kDrawCopy, [&](cairo_t* cr) {
    cairo_rectangle(cr, dx, dy, size, size);
    cairo_fill(cr);
  });
}

// ---- text ----

void SetTextOptions(PangoLayout* layout, const DrawTarget& t) {
  PangoContext* context = pango_layout_get_context(layout);
  cairo_font_options_t* options = cairo_font_options_create();
  cairo_font_options_set_antialias(options,
                                   t.pixels ? CAIRO_ANTIALIAS_NONE : CAIRO_ANTIALIAS_DEFAULT);
  cairo_font_options_set_hint_metrics(options, CAIRO_HINT_METRICS_OFF);
  pango_cairo_context_set_font_options(context, options);
  cairo_font_options_destroy(options);
  pango_context_set_round_glyph_positions(context, FALSE);
  pango_layout_context_changed(layout);
}

// A one-line layout of the CP932 text in the target's font.
LayoutPtr MakeLayout(cairo_t* cr, const DrawTarget& t, std::string_view text) {
  LayoutPtr layout(pango_cairo_create_layout(cr));
  SetTextOptions(layout.get(), t);
  const GraphicsState& g = *t.gfx;
  PangoFontDescription* font = pango_font_description_new();
  const std::string family = rt::HostFontFamily(g.fontName);
  pango_font_description_set_family(font, family.c_str());
  pango_font_description_set_absolute_size(font, g.fontSize * t.PerPoint() * PANGO_SCALE);
  pango_font_description_set_weight(font, g.bold ? PANGO_WEIGHT_BOLD : PANGO_WEIGHT_NORMAL);
  pango_font_description_set_style(font, g.italic ? PANGO_STYLE_ITALIC : PANGO_STYLE_NORMAL);
  pango_layout_set_font_description(layout.get(), font);
  pango_font_description_free(font);
  pango_layout_set_single_paragraph_mode(layout.get(), TRUE);
  const std::string utf8 = rt::Cp932ToUtf8(text);
  pango_layout_set_text(layout.get(), utf8.data(), static_cast<int>(utf8.size()));
  return layout;
}

// Pixels of the largest text whose pixels are kept.
constexpr int kMaxMaskPixels = 1 << 20;

// The mask a text or glyph with the `ink` pixels is drawn into: its ink with a
// margin for the rounding of glyphs to pixels.
struct MaskFrame {
  int left, top, width, height;
};
MaskFrame MaskFrameOf(const PangoRectangle& ink) {
  const int margin = 2 + ink.height / 4;
  return {ink.x - margin, ink.y - margin, ink.width + 2 * margin, ink.height + 2 * margin};
}

bool FitsMask(const PangoRectangle& ink) {
  const MaskFrame f = MaskFrameOf(ink);
  return static_cast<double>(f.width) * f.height <= kMaxMaskPixels;
}

// Draws the text once through `draw`, from a whole-pixel origin, into its
// mask and keeps the covered pixels in `pixels`. False for a text too large to keep.
template <typename Draw>
bool CoveredPixels(const PangoRectangle& ink, PixelMask& pixels, const Draw& draw) {
  pixels = PixelMask();
  if (ink.width <= 0 || ink.height <= 0) return true;
  if (!FitsMask(ink)) return false;
  const auto [left, top, width, height] = MaskFrameOf(ink);
  // The mask's memory is kept from text to text, blanked for each. Glyphs are
  // drawn into 32-bit pixels: into 8-bit ones pixman takes a slow way for
  // every glyph, and the pixels covered are the same.
  static std::vector<unsigned char> memory;  // all 0 between texts
  const int stride = cairo_format_stride_for_width(CAIRO_FORMAT_ARGB32, width);
  const size_t bytes = static_cast<size_t>(stride) * static_cast<size_t>(height);
  if (memory.size() < bytes) memory.resize(bytes, 0);
  SurfacePtr mask(cairo_image_surface_create_for_data(memory.data(), CAIRO_FORMAT_ARGB32, width,
                                                      height, stride));
  if (cairo_surface_status(mask.get()) != CAIRO_STATUS_SUCCESS) return false;
  {
    CairoPtr cr(cairo_create(mask.get()));
    cairo_set_antialias(cr.get(), CAIRO_ANTIALIAS_NONE);
    cairo_set_source_rgba(cr.get(), 0, 0, 0, 1);
    cairo_move_to(cr.get(), -left, -top);
    draw(cr.get());
  }
  CollectMask(mask.get(), left, top, pixels, true);
  return true;
}

// The pixels each glyph of a font covers, drawn from a whole-pixel origin as
// cairo draws it within a text: its picture is drawn once and put at the pixel
// its position rounds to. A text's pixels are then the union of its glyphs'.
class GlyphPixels {
 public:
  // The pixels of `glyph` of `font` relative to the pixel its origin rounds
  // to; null for a glyph too large to keep.
  const PixelMask* Of(PangoFont* font, PangoGlyph glyph) {
    if (!last_ || last_->font.get() != font) last_ = &Font(font);
    auto [found, added] = last_->glyphs.try_emplace(glyph);
    if (added) found->second.kept = Draw(font, glyph, found->second.pixels);
    return found->second.kept ? &found->second.pixels : nullptr;
  }

 private:
  struct Kept {
    bool kept = false;
    PixelMask pixels;
  };
  struct FontGlyphs {
    ObjectPtr<PangoFont> font;  // held, so that its address names it
    std::unordered_map<PangoGlyph, Kept> glyphs;
  };

  FontGlyphs& Font(PangoFont* font) {
    for (FontGlyphs& f : fonts_)
      if (f.font.get() == font) return f;
    return fonts_.emplace_back(
        FontGlyphs{ObjectPtr<PangoFont>(static_cast<PangoFont*>(g_object_ref(font))), {}});
  }

  static bool Draw(PangoFont* font, PangoGlyph glyph, PixelMask& pixels) {
    PangoRectangle ink;
    pango_font_get_glyph_extents(font, glyph, &ink, nullptr);
    pango_extents_to_pixels(&ink, nullptr);
    PangoGlyphInfo info{};
    info.glyph = glyph;
    info.attr.is_cluster_start = 1;
    int cluster = 0;
    PangoGlyphString one{1, &info, &cluster, 0};
    return CoveredPixels(ink, pixels,
                         [&](cairo_t* cr) { pango_cairo_show_glyph_string(cr, font, &one); });
  }

  std::list<FontGlyphs> fonts_;
  FontGlyphs* last_ = nullptr;
};

// Whether cairo draws every glyph of a text from the whole pixel its position
// rounds to, as the glyph pixels above assume: its versions from 1.17 on may
// place glyphs between pixels, and texts then take their pixels from the layout.
bool GlyphsOnWholePixels() {
  static const bool whole = cairo_version() < CAIRO_VERSION_ENCODE(1, 17, 0);
  return whole;
}

// A mask placed with its anchor at (x, y).
struct PlacedMask {
  const PixelMask* mask;
  int x;
  int y;
};

// The pixels that any of the placed masks covers.
void UnionOf(std::span<const PlacedMask> parts, PixelMask& out) {
  out = PixelMask();
  int x0 = INT32_MAX, y0 = INT32_MAX, x1 = INT32_MIN, y1 = INT32_MIN;
  for (const PlacedMask& p : parts) {
    const PixelMask& m = *p.mask;
    if (m.height == 0) continue;
    x0 = std::min(x0, p.x + m.left);
    y0 = std::min(y0, p.y + m.top);
    x1 = std::max(x1, p.x + m.left + m.width);
    y1 = std::max(y1, p.y + m.top + m.height);
  }
  if (x1 == INT32_MIN) return;
  out.left = x0;
  out.top = y0;
  out.width = x1 - x0;
  out.height = y1 - y0;
  out.words = (out.width + 63) / 64;
  out.bits.assign(static_cast<size_t>(out.words) * static_cast<size_t>(out.height), 0);
  for (const PlacedMask& p : parts) {
    const PixelMask& m = *p.mask;
    const int shift = p.x + m.left - x0;
    const int skip = shift / 64, offset = shift % 64;
    for (int r = 0; r < m.height; ++r) {
      const uint64_t* from = m.bits.data() + static_cast<ptrdiff_t>(r) * m.words;
      const ptrdiff_t row = p.y + m.top - y0 + r;
      uint64_t* to = out.bits.data() + row * out.words + skip;
      for (int k = 0; k < m.words; ++k) {
        to[k] |= from[k] << offset;
        if (offset != 0 && skip + k + 1 < out.words) to[k + 1] |= from[k] >> (64 - offset);
      }
    }
  }
}

// A one-line text itemized and shaped below the layout, as a single-paragraph
// layout of no width lays it out: one run per item, left to right, on one
// baseline. Laying out through PangoLayout costs about as much again for its
// line breaking and bookkeeping, which a one-line text does not need. Texts
// that the layout may treat otherwise are left to it: empty ones, which take
// the font's height; tabs and other control characters; right-to-left runs;
// runs in more than one font (a face without the text's glyphs), whose
// baselines the layout aligns by the fonts' baseline tables; and characters
// that no font has.
class ShapedLine {
 public:
  ShapedLine() = default;
  ShapedLine(const ShapedLine&) = delete;
  ShapedLine& operator=(const ShapedLine&) = delete;
  ~ShapedLine() {
    for (const Run& run : runs_) {
      pango_glyph_string_free(run.glyphs);
      pango_item_free(run.item);
    }
  }

  // Itemizes `utf8` in `context` with `attrs` and shapes its items; false when
  // the text is left to the layout.
  bool Shape(PangoContext* context, PangoAttrList* attrs, const std::string& utf8) {
    if (utf8.empty()) return false;
    for (const unsigned char c : utf8)
      if (c < 0x20 || c == 0x7F) return false;
    GList* items = pango_itemize(context, utf8.data(), 0, static_cast<int>(utf8.size()), attrs,
                                 nullptr);
    bool simple = true;
    for (GList* l = items; l; l = l->next) {
      auto* item = static_cast<PangoItem*>(l->data);
      if (item->analysis.level % 2 != 0) simple = false;
      if (!runs_.empty() && item->analysis.font != runs_.front().item->analysis.font)
        simple = false;
      PangoGlyphString* glyphs = pango_glyph_string_new();
      runs_.push_back({item, glyphs});
      if (!simple) continue;
      pango_shape_full(utf8.data() + item->offset, item->length, utf8.data(),
                       static_cast<int>(utf8.size()), &item->analysis, glyphs);
    }
    g_list_free(items);
    if (!simple || runs_.empty()) return false;
    // A character no font has is drawn as a box with its code, not a glyph.
    for (const Run& run : runs_)
      for (int i = 0; i < run.glyphs->num_glyphs; ++i)
        if (run.glyphs->glyphs[i].glyph & PANGO_GLYPH_UNKNOWN_FLAG) return false;
    Measure();
    return true;
  }

  // The logical extents (Pango units) and the ink (whole pixels, inclusive)
  // as the layout gives them: the origin at the top-left of its logical box.
  const PangoRectangle& Logical() const { return logical_; }
  PangoRectangle PixelInk() const {
    PangoRectangle ink = ink_;
    pango_extents_to_pixels(&ink, nullptr);
    return ink;
  }

  // The pixels the line covers, relative to the top-left of its logical box,
  // from the pixels of its glyphs, placed where cairo puts them when the
  // layout draws the line; false when a glyph is too large to keep.
  bool Cover(GlyphPixels& glyphPixels, PixelMask& pixels) const {
    thread_local std::vector<PlacedMask> placed;
    placed.clear();
    int x = 0;
    for (const Run& run : runs_) {
      for (int i = 0; i < run.glyphs->num_glyphs; ++i) {
        const PangoGlyphInfo& g = run.glyphs->glyphs[i];
        if (g.glyph != PANGO_GLYPH_EMPTY) {
          const PixelMask* glyph = glyphPixels.Of(run.item->analysis.font, g.glyph);
          if (!glyph) return false;
          placed.push_back(
              {glyph, Whole(x + g.geometry.x_offset), Whole(baseline_ + g.geometry.y_offset)});
        }
        x += g.geometry.width;
      }
    }
    UnionOf(placed, pixels);
    return true;
  }

 private:
  struct Run {
    PangoItem* item;
    PangoGlyphString* glyphs;
  };

  // The pixel that cairo puts a glyph at, from its position in Pango units
  // (from a whole-pixel origin): rounded half up, as cairo rounds it.
  static int Whole(int units) {
    return static_cast<int>(std::floor(static_cast<double>(units) / PANGO_SCALE + 0.5));
  }

  // The line's extents as the union of its runs', each placed after the one
  // before, as the layout takes them; then moved down onto the baseline.
  void Measure() {
    PangoRectangle ink{0, 0, 0, 0}, logical{0, 0, 0, 0};
    int x = 0;
    for (const Run& run : runs_) {
      PangoRectangle runInk, runLogical;
      pango_glyph_string_extents(run.glyphs, run.item->analysis.font, &runInk, &runLogical);
      if (ink.width == 0 || ink.height == 0) {
        ink = runInk;
        ink.x += x;
      } else if (runInk.width != 0 && runInk.height != 0) {
        const int left = std::min(ink.x, x + runInk.x);
        ink.width = std::max(ink.x + ink.width, x + runInk.x + runInk.width) - left;
        ink.x = left;
        const int top = std::min(ink.y, runInk.y);
        ink.height = std::max(ink.y + ink.height, runInk.y + runInk.height) - top;
        ink.y = top;
      }
      const int left = std::min(logical.x, x + runLogical.x);
      logical.width =
          std::max(logical.x + logical.width, x + runLogical.x + runLogical.width) - left;
      logical.x = left;
      const int top = std::min(logical.y, runLogical.y);
      logical.height = std::max(logical.y + logical.height, runLogical.y + runLogical.height) - top;
      logical.y = top;
      x += runLogical.width;
    }
    baseline_ = -logical.y;
    logical_ = {logical.x, 0, logical.width, logical.height};
    ink_ = {ink.x, ink.y + baseline_, ink.width, ink.height};
  }

  std::vector<Run> runs_;
  PangoRectangle logical_{}, ink_{};
  int baseline_ = 0;
};

// Device width and height of a one-line text in the target's font.
struct TextExtent {
  double width;
  double height;
};

// Shaping a text through Pango costs far more than drawing it, and the view
// draws the same names, marks and codes again on every redraw: a text's extent,
// and on a window's picture the pixels it covers, are kept by font and text.
// Texts on pictures are drawn without smoothing and from a whole-pixel position,
// so their pixels are the same wherever they are drawn.
struct CachedText {
  std::string text;  // the CP932 bytes
  size_t hash = 0;
  TextExtent extent{};
  bool hasPixels = false;  // `pixels` filled (windows only)
  bool tooLarge = false;   // a text too large to keep: drawn through Pango each time
  PixelMask pixels;  // relative to the top-left corner
};

// The texts of one font: entries in the order they were added, found through an
// open-addressing table of their hashes. A redraw looks its texts up in the same
// order every time, so it reads the entries, and their pixels, one after the other.
class TextTable {
 public:
  // The entry of `text` (whose hash is `hash`), or null.
  CachedText* Find(std::string_view text, size_t hash) {
    // The few texts that every point repeats (marks, codes, heights) are found
    // among the recent ones, without a walk through the whole table.
    Recent& recent = recent_[(hash >> 7) % recent_.size()];
    if (recent.entry != 0 && recent.hash == hash && entries_[recent.entry - 1].text == text) {
      return &entries_[recent.entry - 1];
    }
    if (slots_.empty()) return nullptr;
    const size_t mask = slots_.size() - 1;
    for (size_t i = hash & mask;; i = (i + 1) & mask) {
      const Slot slot = slots_[i];
      if (slot.entry == 0) return nullptr;
      CachedText& entry = entries_[slot.entry - 1];
      if (slot.tag == Tag(hash) && entry.text == text) {
        recent = {hash, slot.entry};
        return &entry;
      }
    }
  }

  // A new entry for `text`, which has none. Adding moves the other entries.
  CachedText& Add(std::string_view text, size_t hash) {
    if (entries_.size() == kSmallTable && expected_ > kSmallTable) Reserve(expected_);
    if (2 * (entries_.size() + 1) > slots_.size()) Grow();
    CachedText& entry = entries_.emplace_back();
    entry.text = text;
    entry.hash = hash;
    Place(entries_.size(), hash);
    return entry;
  }

  size_t Size() const { return entries_.size(); }

  // A new font size lays out every text of the view again, and growing one
  // step at a time would move them all several times over: a table that grows
  // past a few hundred entries makes room at once for `count`, the size of the
  // largest table of the other fonts. Small tables stay small.
  void ExpectAsManyAs(size_t count) { expected_ = count; }

 private:
  static constexpr size_t kSmallTable = 512;

  struct Slot {
    uint32_t entry = 0;  // index in entries_ + 1; 0: empty
    uint32_t tag = 0;    // high bits of the hash
  };
  struct Recent {
    size_t hash = 0;
    uint32_t entry = 0;  // as in a slot
  };

  static uint32_t Tag(size_t hash) { return static_cast<uint32_t>(uint64_t{hash} >> 32); }

  void Place(size_t entry, size_t hash) {
    const size_t mask = slots_.size() - 1;
    size_t i = hash & mask;
    while (slots_[i].entry != 0) i = (i + 1) & mask;
    slots_[i] = {static_cast<uint32_t>(entry), Tag(hash)};
  }

  // Slots for at least `count` entries, half of them free.
  void Rehash(size_t count) {
    size_t slots = std::max<size_t>(64, slots_.size());
    while (slots < 2 * count) slots *= 2;
    slots_.assign(slots, Slot{});
    for (size_t k = 0; k < entries_.size(); ++k) Place(k + 1, entries_[k].hash);
  }

  void Grow() { Rehash(slots_.size()); }

  void Reserve(size_t count) {
    entries_.reserve(count);
    if (2 * count > slots_.size()) Rehash(count);
  }

  std::vector<Slot> slots_;
  std::vector<CachedText> entries_;
  std::array<Recent, 64> recent_{};
  size_t expected_ = 0;  // entries to make room for once the table is no longer small
};

class TextCache {
 public:
  // The entry of `text` in the target's font: its extent, and with `pixels`
  // (only on pictures) the pixels it covers. It stays valid until the next call.
  const CachedText& Find(const DrawTarget& t, std::string_view text, bool pixels) {
    FontTexts* font = &ForFont(t);
    const size_t hash = std::hash<std::string_view>()(text);
    CachedText* entry = font->texts.Find(text, hash);
    if (entry && (entry->hasPixels || !pixels)) return *entry;
    if (!entry) {
      if (entries_ >= kMaxEntries) {
        fonts_.clear();
        last_ = nullptr;
        entries_ = 0;
        font = &ForFont(t);
      }
      ++entries_;
      entry = &font->texts.Add(text, hash);
    }
    Lay(t, *font, text, pixels, *entry);
    return *entry;
  }

  // Whether texts may be shaped below the layout; the texts kept are
  // forgotten. Returns how many texts were shaped below it since the last call.
  size_t ShapeBelowLayout(bool on) {
    const size_t shaped = shapedBelowLayout_;
    shapeBelowLayout_ = on;
    shapedBelowLayout_ = 0;
    fonts_.clear();
    last_ = nullptr;
    entries_ = 0;
    return shaped;
  }

 private:
  // Enough for every name, code and height of a full job.
  static constexpr size_t kMaxEntries = 1 << 16;

  // Everything but the text that the look of a layout depends on.
  struct Font {
    std::string name;
    double size;
    int flags;
    bool operator==(const Font&) const = default;
  };
  struct FontTexts {
    Font font;
    TextTable texts;
    // The layout every text of the font is laid out in, one after the other,
    // when it is not shaped below it in `context` with `attrs`.
    LayoutPtr layout;
    ObjectPtr<PangoContext> context;
    AttrListPtr attrs;
    GlyphPixels glyphs;  // of the fonts its texts are shaped in
  };

  FontTexts& ForFont(const DrawTarget& t) {
    const GraphicsState& g = *t.gfx;
    const Font font{g.fontName, g.fontSize * t.PerPoint(), g.bold | g.italic << 1 | t.pixels << 2};
    if (last_ && last_->font == font) return *last_;
    last_ = nullptr;
    for (FontTexts& f : fonts_) {
      if (f.font == font) last_ = &f;
    }
    if (!last_) {
      size_t largest = 0;
      for (const FontTexts& f : fonts_) largest = std::max(largest, f.texts.Size());
      last_ = &fonts_.emplace_back(FontTexts{font, {}, nullptr, nullptr, nullptr, {}});
      last_->texts.ExpectAsManyAs(std::min(largest, kMaxEntries - entries_));
    }
    return *last_;
  }

  // Lays the text out once for its extent and, with `pixels`, its pixels:
  // shaped below the layout where that gives the layout's own result, else
  // through the layout.
  void Lay(const DrawTarget& t, FontTexts& font, std::string_view text, bool pixels,
           CachedText& entry) {
    if (!font.layout) MakeFontLayout(t, font);
    const std::string utf8 = rt::Cp932ToUtf8(text);
    if (shapeBelowLayout_ && LayBelowLayout(font, utf8, pixels, entry)) {
      ++shapedBelowLayout_;
      return;
    }
    PangoLayout* layout = font.layout.get();
    pango_layout_set_text(layout, utf8.data(), static_cast<int>(utf8.size()));
    PangoRectangle ink, logical;
    pango_layout_get_extents(layout, nullptr, &logical);
    entry.extent = ExtentOf(logical);
    if (!pixels) return;
    pango_layout_get_pixel_extents(layout, &ink, nullptr);
    entry.tooLarge = !CoveredPixels(ink, entry.pixels,
                                    [&](cairo_t* cr) { pango_cairo_show_layout(cr, layout); });
    entry.hasPixels = true;
  }

  // Lays the text out shaped below the layout; false when it is left to the layout.
  static bool LayBelowLayout(FontTexts& font, const std::string& utf8, bool pixels,
                             CachedText& entry) {
    ShapedLine line;
    if (!line.Shape(font.context.get(), font.attrs.get(), utf8)) return false;
    entry.extent = ExtentOf(line.Logical());
    if (!pixels) return true;
    entry.tooLarge = !FitsMask(line.PixelInk());
    if (!entry.tooLarge && !(GlyphsOnWholePixels() && line.Cover(font.glyphs, entry.pixels)))
      return false;
    entry.hasPixels = true;
    return true;
  }

  static TextExtent ExtentOf(const PangoRectangle& logical) {
    return {static_cast<double>(logical.width) / PANGO_SCALE,
            static_cast<double>(logical.height) / PANGO_SCALE};
  }

  // The layout of the font, and the context and attributes that texts are
  // shaped in below it: a context made as the layout's is, and the layout's
  // font as the one attribute, as the layout itemizes its text.
  static void MakeFontLayout(const DrawTarget& t, FontTexts& font) {
    static SurfacePtr scratch(cairo_image_surface_create(CAIRO_FORMAT_A8, 1, 1));
    CairoPtr cr(cairo_create(scratch.get()));
    font.layout = MakeLayout(cr.get(), t, "");
    LayoutPtr shaping = MakeLayout(cr.get(), t, "");
    PangoContext* context = pango_layout_get_context(shaping.get());
    font.context.reset(static_cast<PangoContext*>(g_object_ref(context)));
    font.attrs.reset(pango_attr_list_new());
    const PangoFontDescription* description = pango_layout_get_font_description(shaping.get());
    pango_attr_list_insert(font.attrs.get(), pango_attr_font_desc_new(description));
  }

  std::list<FontTexts> fonts_;
  FontTexts* last_ = nullptr;
  size_t entries_ = 0;
  bool shapeBelowLayout_ = true;
  size_t shapedBelowLayout_ = 0;
};

TextCache& Texts() {
  static TextCache cache;
  return cache;
}

TextExtent MeasureDevice(const DrawTarget& t, std::string_view text) {
  return Texts().Find(t, text, false).extent;
}

// Draws `text` with its top-left corner at the device position (x, y): on a
// picture from the cache, on the printer page (and a text too large to keep)
// through Pango.
// The cache entry of a text about to be drawn: on a picture with its pixels.
const CachedText& TextToDraw(const DrawTarget& t, std::string_view text) {
  return Texts().Find(t, text, t.pixels && t.surface);
}

// Draws `text`, whose entry `cached` is, with its top-left corner at the device
// position (x, y).
void ShowText(const DrawTarget& t, const CachedText& cached, std::string_view text, double x,
              double y, uint32_t rgb, int mode) {
  if (t.pixels && t.surface && !cached.tooLarge) {
    PaintMask(t, cached.pixels, static_cast<int>(x), static_cast<int>(y), rgb, mode);
    return;
  }
  Paint(t, rgb, mode, [&](cairo_t* cr) {
    LayoutPtr layout = MakeLayout(cr, t, text);
    cairo_move_to(cr, x, y);
    pango_cairo_show_layout(cr, layout.get());
  });
}

double LineHeight(const DrawTarget& t) { return MeasureDevice(t, "").height / t.unit; }

// Draws one run of text (no control bytes) at the graphics position and moves
// the position past it.
void PrintRun(const DrawTarget& t, std::string_view run) {
  if (run.empty()) return;
  GraphicsState& g = *t.gfx;
  const double x = SnapX(t, g.x);
  const double y = SnapY(t, g.y);
  TextExtent extent;
  if (std::fabs(x) < kGuard && std::fabs(y) < kGuard) {
    const CachedText& cached = TextToDraw(t, run);
    extent = cached.extent;
    uint32_t ink = rt::TargetColour(t, -1);
    if (g.reverse) {
      Paint(t, ink, rt::kDrawCopy, [&](cairo_t* cr) {
        cairo_rectangle(cr, x, y, std::ceil(extent.width), std::ceil(extent.height));
        cairo_fill(cr);
      });
      ink = g.background;
    }
    ShowText(t, cached, run, x, y, ink, g.drawMode);
  } else {
    extent = MeasureDevice(t, run);
  }
  g.x += extent.width / t.unit;
}

void NewLine(const DrawTarget& t) {
  t.gfx->x = 0;
  t.gfx->y += LineHeight(t);
}

// ---- bitmaps ----

// What a copy of a window takes its pixels from: the client area of a graphics
// window's picture, read in place; the console window's picture drawn anew.
SurfacePtr ClientPicture(RtWindowId id) {
  if (id != RtWindowId::View && id != RtWindowId::Nav) return rt::WindowPicture(id);
  cairo_surface_t* surface = rt::WindowSurface(id);
  cairo_surface_flush(surface);
  return SurfacePtr(cairo_surface_create_for_rectangle(surface, 0, 0, rt::ClientPixelWidth(id),
                                                       rt::ClientPixelHeight(id)));
}

// Draws the part (sx, sy, sw, sh) of the image, in its pixels, into the device
// rectangle (x, y, w, h).
void PaintImage(const DrawTarget& t, cairo_surface_t* image, double x, double y, double w, double h,
                double sx, double sy, double sw, double sh) {
  if (!t.surface || !AllFinite({x, y, w, h, sx, sy, sw, sh})) return;
  if (w <= 0 || h <= 0 || sw <= 0 || sh <= 0) return;
  if (std::fabs(x) + w > kGuard || std::fabs(y) + h > kGuard) return;
  t.MarkDrawn();
  CairoPtr cr(cairo_create(t.surface));
  cairo_rectangle(cr.get(), x, y, w, h);
  cairo_clip(cr.get());
  cairo_translate(cr.get(), x, y);
  cairo_scale(cr.get(), w / sw, h / sh);
  cairo_set_source_surface(cr.get(), image, -sx, -sy);
  cairo_pattern_set_extend(cairo_get_source(cr.get()), CAIRO_EXTEND_PAD);
  cairo_pattern_set_filter(cairo_get_source(cr.get()), CAIRO_FILTER_GOOD);
  cairo_paint(cr.get());
}

}  // namespace

// ---- units, pen, colours, font ----

void RtSetScaleMode(RtWindowId id, int mode, std::source_location where) {
  const DrawTarget t = rt::SettingsTargetFor(id, where);
  if (mode < 1 || mode > 6) RtRaise(kErrIllegalArgument, where);
  t.gfx->scaleMode = static_cast<rt::ScaleMode>(mode);
}

void RtSetLineStyle(RtWindowId id, int style, std::source_location where) {
  const DrawTarget t = rt::SettingsTargetFor(id, where);
  t.gfx->penStyle = ResolveStyle(*t.gfx, style, where);
}

void RtSetWindowAttr(RtWindowId id, double penWidth, std::source_location where) {
  const DrawTarget t = rt::SettingsTargetFor(id, where);
  if (!(penWidth >= 0)) RtRaise(kErrIllegalArgument, where);
  CheckCoordinate(penWidth, where);
  t.gfx->penWidth = penWidth;
}

void RtSetDrawMode(RtWindowId id, int mode, std::source_location where) {
  const DrawTarget t = rt::SettingsTargetFor(id, where);
  if (!IsDrawMode(mode)) RtRaise(kErrIllegalArgument, where);
  t.gfx->drawMode = mode;
}

void RtColor(RtWindowId id, int foreground, int background, int mode, std::source_location where) {
  // The main window's colours are the console's.
  if (id == RtWindowId::Main) return RtColor(foreground, background, mode, where);
  const DrawTarget t = rt::TargetFor(id, where);
  CheckColour(foreground, where);
  CheckColour(background, where);
  if (mode != -1 && mode != 1 && mode != 4) RtRaise(kErrIllegalArgument, where);
  GraphicsState& g = *t.gfx;
  if (foreground != -1) g.foreground = foreground;
  if (background != -1) g.background = rt::TargetColour(t, background);
  if (mode != -1) g.reverse = mode == 1;
}

uint32_t RtRgb(int red, int green, int blue) {
  const auto part = [](int v) { return static_cast<uint32_t>(v) & 0xFFu; };
  return part(red) << 16 | part(green) << 8 | part(blue);
}

void RtSetColorRgb(RtWindowId id, uint32_t rgb, std::source_location where) {
  rt::TargetFor(id, where).gfx->background = rgb & 0xFFFFFFu;
}

void RtSetFontName(RtWindowId id, std::string_view name, std::source_location where) {
  rt::SettingsTargetFor(id, where).gfx->fontName = name;
}

void RtSetFontSize(RtWindowId id, double points, std::source_location where) {
  const DrawTarget t = rt::SettingsTargetFor(id, where);
  if (!(points > 0) || points > 1e4) RtRaise(kErrIllegalArgument, where);
  t.gfx->fontSize = points;
}

void RtSetFontBold(RtWindowId id, bool on, std::source_location where) {
  rt::SettingsTargetFor(id, where).gfx->bold = on;
}

void RtSetFontItalic(RtWindowId id, bool on, std::source_location where) {
  rt::SettingsTargetFor(id, where).gfx->italic = on;
}

// ---- graphics position ----

void RtGraphMove(RtWindowId id, double x, double y, std::source_location where) {
  const DrawTarget t = rt::SettingsTargetFor(id, where);
  t.gfx->x = x;
  t.gfx->y = y;
}

double RtGraphPoint(RtWindowId id, int selector, std::source_location where) {
  const DrawTarget t = rt::SettingsTargetFor(id, where);
  if (selector == 0) return t.gfx->x;
  if (selector == 1) return t.gfx->y;
  RtRaise(kErrIllegalArgument, where);
}

void RtLocateWindow(RtWindowId id, double column, double row, std::source_location where) {
  const DrawTarget t = rt::TargetFor(id, where);
  t.gfx->x = column * MeasureDevice(t, "0").width / t.unit;
  t.gfx->y = row * LineHeight(t);
}

// ---- primitives ----

void RtPset(RtWindowId id, double x, double y, std::source_location where) {
  RtGraphMove(id, x, y, where);
}

void RtPset(RtWindowId id, double x, double y, int colour, std::source_location where) {
  const DrawTarget t = rt::TargetFor(id, where);
  CheckColour(colour, where);
  SetDot(t, colour, x, y);
  t.gfx->x = x;
  t.gfx->y = y;
}

void RtLine(RtWindowId id, double x1, double y1, double x2, double y2, int colour,
            RtLineShape shape, int style, int mode, std::source_location where) {
  const DrawTarget t = rt::TargetFor(id, where);
  CheckColour(colour, where);
  const int penStyle = ResolveStyle(*t.gfx, style, where);
  const int drawMode = ResolveMode(*t.gfx, mode, where);
  switch (shape) {
    case RtLineShape::Line:
      StrokeSegments(t, colour, penStyle, drawMode, std::array<RtPoint, 2>{{{x1, y1}, {x2, y2}}});
      break;
    case RtLineShape::Box:
      StrokeBox(t, colour, penStyle, drawMode, x1, y1, x2, y2);
      break;
    case RtLineShape::FilledBox:
      FillBox(t, colour, drawMode, x1, y1, x2, y2);
      break;
  }
  t.gfx->x = x2;
  t.gfx->y = y2;
}

void RtLineTo(RtWindowId id, double x2, double y2, int colour, int style, int mode,
              std::source_location where) {
  const DrawTarget t = rt::TargetFor(id, where);
  RtLine(id, t.gfx->x, t.gfx->y, x2, y2, colour, RtLineShape::Line, style, mode, where);
}

void RtCircle(RtWindowId id, double cx, double cy, double radius, int colour, double start,
              double end, double aspect, std::source_location where) {
  const DrawTarget t = rt::TargetFor(id, where);
  CheckColour(colour, where);
  if (!(aspect > 0)) RtRaise(kErrIllegalArgument, where);
  const double r = std::fabs(radius);
  StrokeEllipse(t, colour, cx, cy, r, r * aspect, start, end);
  t.gfx->x = cx;
  t.gfx->y = cy;
}

void RtPolyline(RtWindowId id, std::span<const RtPoint> points, int colour,
                std::source_location where) {
  const DrawTarget t = rt::TargetFor(id, where);
  CheckColour(colour, where);
  if (points.empty()) return;
  StrokeSegments(t, colour, t.gfx->penStyle, t.gfx->drawMode, points);
  t.gfx->x = points.back().x;
  t.gfx->y = points.back().y;
}

void RtSymbol(RtWindowId id, double x, double y, std::string_view text, double xMagnify,
              double yMagnify, double quarterTurns, int colour, std::source_location where) {
  const DrawTarget t = rt::TargetFor(id, where);
  CheckColour(colour, where);
  if (text.empty() || !AllFinite({x, y, xMagnify, yMagnify, quarterTurns})) return;
  const double sx = std::clamp(std::round(xMagnify), 1.0, 1000.0);
  const double sy = std::clamp(std::round(yMagnify), 1.0, 1000.0);
  const double turns = std::fmod(std::round(quarterTurns), 4.0);
  const double dx = SnapX(t, x);
  const double dy = SnapY(t, y);
  if (std::fabs(dx) > kGuard || std::fabs(dy) > kGuard) return;
  if (sx == 1 && sy == 1 && turns == 0) {
    ShowText(t, TextToDraw(t, text), text, dx, dy, rt::TargetColour(t, colour), rt::kDrawCopy);
    return;
  }
  Paint(t, rt::TargetColour(t, colour), rt::kDrawCopy, [&](cairo_t* cr) {
    cairo_translate(cr, dx, dy);
    cairo_rotate(cr, -turns * std::numbers::pi / 2);
    cairo_scale(cr, sx, sy);
    LayoutPtr layout = MakeLayout(cr, t, text);
    cairo_move_to(cr, 0, 0);
    pango_cairo_show_layout(cr, layout.get());
  });
}

void RtPrintToWindow(RtWindowId id, std::string_view text, bool lineEnd,
                     std::source_location where) {
  const DrawTarget t = rt::TargetFor(id, where);
  size_t start = 0;
  for (size_t i = 0; i <= text.size(); ++i) {
    if (i < text.size() && static_cast<unsigned char>(text[i]) >= 0x20) continue;
    PrintRun(t, text.substr(start, i - start));
    if (i < text.size() && text[i] == '\n') NewLine(t);
    if (i < text.size() && text[i] == '\r') t.gfx->x = 0;
    start = i + 1;
  }
  if (lineEnd) NewLine(t);
}

double RtTextWidth(RtWindowId id, std::string_view text, std::source_location where) {
  const DrawTarget t = rt::TargetFor(id, where);
  return MeasureDevice(t, text).width / t.unit;
}

double RtTextHeight(RtWindowId id, std::string_view text, std::source_location where) {
  const DrawTarget t = rt::TargetFor(id, where);
  return MeasureDevice(t, text).height / t.unit;
}

size_t rt::ShapeTextsBelowLayout(bool on) { return Texts().ShapeBelowLayout(on); }

void rt::ClearWindowGraphics(RtWindowId id) {
  if (id == RtWindowId::Main) return;
  if (id == RtWindowId::Printer) {
    ClearPrinterPage();
    return;
  }
  WindowRecord& w = CurrentRuntime().windows->windows.at(static_cast<size_t>(id));
  if (!w.surface) {
    // Nothing drawn yet: the picture is made blank when something is.
    w.gfx.x = 0;
    w.gfx.y = 0;
    DesktopPictureChanged(id);
    return;
  }
  const DrawTarget t = TargetFor(id, std::source_location::current());
  CairoPtr cr(cairo_create(t.surface));
  SetSource(cr.get(), t.gfx->background);
  cairo_paint(cr.get());
  t.gfx->x = 0;
  t.gfx->y = 0;
}

// ---- bitmaps ----

void RtDrawBitmap(RtWindowId id, const RtBitmap& bitmap, double x, double y,
                  std::source_location where) {
  const double perPixel = rt::WindowUnitsPerPixel(id);
  RtDrawBitmap(id, bitmap, x, y, bitmap.pixelWidth() * perPixel, bitmap.pixelHeight() * perPixel,
               where);
}

void RtDrawBitmap(RtWindowId id, const RtBitmap& bitmap, double x, double y, double width,
                  double height, std::source_location where) {
  const double perPixel = rt::WindowUnitsPerPixel(id);
  RtDrawBitmapPart(id, bitmap, x, y, width, height, 0, 0, bitmap.pixelWidth() * perPixel,
                   bitmap.pixelHeight() * perPixel, where);
}

void RtDrawBitmapPart(RtWindowId id, const RtBitmap& bitmap, double x, double y, double width,
                      double height, double sx, double sy, double sw, double sh,
                      std::source_location where) {
  const DrawTarget t = rt::TargetFor(id, where);
  if (bitmap.empty()) return;
  const double perPixel = rt::WindowUnitsPerPixel(id);
  const double left = SnapX(t, x);
  const double top = SnapY(t, y);
  const double w = t.pixels ? std::round(width * t.unit) : width * t.unit;
  const double h = t.pixels ? std::round(height * t.unit) : height * t.unit;
  PaintImage(t, rt::BitmapSurface(bitmap), left, top, w, h, sx / perPixel, sy / perPixel,
             sw / perPixel, sh / perPixel);
}

RtBitmap RtCopyWindowToBitmap(RtWindowId id, double x, double y, double width, double height,
                              std::source_location where) {
  if (id == RtWindowId::Printer) RtRaise(kErrIllegalArgument, where);
  for (double v : {x, y, width, height}) CheckCoordinate(v, where);
  const double perPixel = rt::WindowUnitsPerPixel(id);
  const double w = std::round(width / perPixel);
  const double h = std::round(height / perPixel);
  if (w < 1 || h < 1 || w > 4 * rt::kScreenWidth || h > 4 * rt::kScreenHeight)
    RtRaise(kErrIllegalArgument, where);
  SurfacePtr picture = ClientPicture(id);
  SurfacePtr copy(
      cairo_image_surface_create(CAIRO_FORMAT_RGB24, static_cast<int>(w), static_cast<int>(h)));
  CairoPtr cr(cairo_create(copy.get()));
  SetSource(cr.get(), rt::StateFor(id).background);
  cairo_paint(cr.get());
  cairo_set_source_surface(cr.get(), picture.get(), -std::round(x / perPixel),
                           -std::round(y / perPixel));
  cairo_paint(cr.get());
  cr.reset();
  return rt::MakeBitmap(std::move(copy));
}

double RtBitmapWidth(const RtBitmap& bitmap, RtWindowId unitsOf) {
  return bitmap.pixelWidth() * rt::WindowUnitsPerPixel(unitsOf);
}

double RtBitmapHeight(const RtBitmap& bitmap, RtWindowId unitsOf) {
  return bitmap.pixelHeight() * rt::WindowUnitsPerPixel(unitsOf);
}

void RtHardCopy(RtWindowId id, int /*mode*/, int /*flag*/, std::source_location where) {
  if (id == RtWindowId::Printer) RtRaise(kErrIllegalArgument, where);
  SurfacePtr picture = rt::WindowPicture(id);
  rt::PrintPicture(picture.get(), where);
}
