#include "runtime/windows.h"

#include <algorithm>
#include <cmath>
#include <cstdio>

#include "runtime/desktop_hooks.h"
#include "runtime/errors.h"
#include "runtime/graphics_target.h"
#include "runtime/printer_state.h"
#include "runtime/runtime.h"
#include "runtime/text.h"
#include "runtime/windows_state.h"

namespace {

using rt::PixelRect;
using rt::WindowRecord;

// Maximised: the border off the edges of the screen's work area (the whole
// screen headless), the caption bar at the top.
PixelRect MaximisedRect() {
  const PixelRect area = rt::ScreenWorkArea();
  return {area.left - rt::kFrameLeft, area.top - rt::kFrameLeft, area.width + 2 * rt::kFrameLeft,
          area.height + 2 * rt::kFrameLeft};
}
constexpr int kMinOuterWidth = rt::kFrameWidth + 1;
constexpr int kMinOuterHeight = rt::kFrameHeight + 1;
constexpr int kMaxOuterWidth = 2 * rt::kScreenWidth;
constexpr int kMaxOuterHeight = 2 * rt::kScreenHeight;

// Form descriptions: unit, font and colours of each window, and where it first
// stands (the first window layout moves them anyway).
struct FormDescription {
  const char* form;
  rt::ScaleMode unit;
  const char* font;
  double fontSize;
  int foreground;
  int background;
  PixelRect outer;
  bool shown;
};

const FormDescription kForms[] = {
    {"MAINFORM",
     rt::ScaleMode::Dots,
     "FixedSys",
     9,
     7,
     0,
     {0, 0, rt::kConsolePixelWidth + rt::kFrameWidth, rt::kConsolePixelHeight + rt::kFrameHeight},
     true},
    {"FORM2", rt::ScaleMode::TenthMm, "ＭＳ ゴシック", 7, 7, 0, {520, 0, 808, 634}, false},
    {"FORM3", rt::ScaleMode::HundredthInch, "ＭＳ ゴシック", 9, 0, 15, {520, 640, 328, 274}, false},
};

WindowRecord MakeWindow(const FormDescription& form) {
  WindowRecord w;
  w.form = form.form;
  w.caption = form.form;
  w.outer = form.outer;
  w.normal = form.outer;
  w.shown = form.shown;
  w.gfx.scaleMode = form.unit;
  w.gfx.fontName = form.font;
  w.gfx.fontSize = form.fontSize;
  w.gfx.foreground = form.foreground;
  w.gfx.background = rt::PaletteRgb(form.background);
  return w;
}

WindowRecord& Record(RtWindowId id, std::source_location where) {
  if (id == RtWindowId::Printer) RtRaise(kErrIllegalArgument, where);
  return CurrentRuntime().windows->windows.at(static_cast<size_t>(id));
}

bool HasPicture(RtWindowId id) { return id == RtWindowId::View || id == RtWindowId::Nav; }

int ClientWidth(const PixelRect& r) { return std::max(1, r.width - rt::kFrameWidth); }
int ClientHeight(const PixelRect& r) { return std::max(1, r.height - rt::kFrameHeight); }

// Whole screen pixels of a length in the window's unit; error 6 beyond reason.
int ToPixels(RtWindowId id, double units, std::source_location where) {
  const double px = units / rt::WindowUnitsPerPixel(id);
  if (!std::isfinite(px) || std::fabs(px) > 1e9) RtRaise(kErrOverflow, where);
  return static_cast<int>(std::lround(px));
}

double ToUnits(RtWindowId id, int pixels) {
  return std::round(pixels * rt::WindowUnitsPerPixel(id));
}

// Puts the window at `rect`, making its picture anew when the client size changed.
void Place(RtWindowId id, WindowRecord& w, const PixelRect& rect) {
  const bool resized =
      ClientWidth(rect) != ClientWidth(w.outer) || ClientHeight(rect) != ClientHeight(w.outer);
  w.outer = rect;
  if (!w.maximised) w.normal = rect;
  if (resized && HasPicture(id)) rt::ResizeWindowSurface(id);
}

std::string Escaped(std::string_view utf8) {
  std::string out;
  for (unsigned char c : utf8) {
    if (c == '"' || c == '\\') {
      out += '\\';
      out += static_cast<char>(c);
    } else if (c == '\n') {
      out += "\\n";
    } else if (c == '\r') {
      out += "\\r";
    } else if (c < 0x20 || c == 0x7F) {
      char buf[8];
      std::snprintf(buf, sizeof buf, "\\x%02X", c);
      out += buf;
    } else {
      out += static_cast<char>(c);
    }
  }
  return out;
}

}  // namespace

WindowTable::WindowTable() {
  for (size_t i = 0; i < windows.size(); ++i) windows[i] = MakeWindow(kForms[i]);
}

namespace rt {

GraphicsState& StateFor(RtWindowId id) {
  Runtime& runtime = CurrentRuntime();
  if (id == RtWindowId::Printer) return runtime.printer->gfx;
  return runtime.windows->windows.at(static_cast<size_t>(id)).gfx;
}

double WindowUnitsPerPixel(RtWindowId id) {
  const GraphicsState& g = StateFor(id);
  const double deviceDpi = id == RtWindowId::Printer ? kPrinterDpi : kScreenDpi;
  return 1.0 / (kScreenDpi * InchesPerUnit(g.scaleMode, deviceDpi));
}

// The picture behind a window never shrinks: what was drawn outside a smaller
// client area is still there when the window grows again, as a window that keeps
// its own picture behaves. Only the client area is ever shown or written out.
// A picture is made when something first draws in it or reads it, at the client
// size of that moment: start-up moves and maximises the windows several times
// before anything is drawn, and each picture made early would be filled and
// copied at every step.
cairo_surface_t* WindowSurface(RtWindowId id) {
  WindowRecord& w = Record(id, std::source_location::current());
  if (!w.surface) {
    w.surface.reset(
        cairo_image_surface_create(CAIRO_FORMAT_RGB24, ClientWidth(w.outer), ClientHeight(w.outer)));
    const RgbFractions bg = Fractions(w.gfx.background);
    cairo_t* cr = cairo_create(w.surface.get());
    cairo_set_source_rgb(cr, bg.red, bg.green, bg.blue);
    cairo_paint(cr);
    cairo_destroy(cr);
  }
  return w.surface.get();
}

void ResizeWindowSurface(RtWindowId id) {
  WindowRecord& w = Record(id, std::source_location::current());
  if (!w.surface) return;
  int width = ClientWidth(w.outer);
  int height = ClientHeight(w.outer);
  const int oldWidth = cairo_image_surface_get_width(w.surface.get());
  const int oldHeight = cairo_image_surface_get_height(w.surface.get());
  if (oldWidth >= width && oldHeight >= height) return;
  width = std::max(width, oldWidth);
  height = std::max(height, oldHeight);
  SurfacePtr fresh(cairo_image_surface_create(CAIRO_FORMAT_RGB24, width, height));
  cairo_t* cr = cairo_create(fresh.get());
  // The old picture is copied as it is; only the strips it does not cover get
  // the background, so no pixel is written twice.
  cairo_set_operator(cr, CAIRO_OPERATOR_SOURCE);
  cairo_set_source_surface(cr, w.surface.get(), 0, 0);
  cairo_rectangle(cr, 0, 0, oldWidth, oldHeight);
  cairo_fill(cr);
  const RgbFractions bg = Fractions(w.gfx.background);
  cairo_set_source_rgb(cr, bg.red, bg.green, bg.blue);
  cairo_rectangle(cr, oldWidth, 0, width - oldWidth, height);
  cairo_rectangle(cr, 0, oldHeight, oldWidth, height - oldHeight);
  cairo_fill(cr);
  cairo_destroy(cr);
  w.surface = std::move(fresh);
}

int ClientPixelWidth(RtWindowId id) { return ClientWidth(Record(id, std::source_location::current()).outer); }
int ClientPixelHeight(RtWindowId id) {
  return ClientHeight(Record(id, std::source_location::current()).outer);
}

double UnitsToPixels(RtWindowId id, double units) { return units / WindowUnitsPerPixel(id); }
double PixelsToUnits(RtWindowId id, double pixels) { return pixels * WindowUnitsPerPixel(id); }

std::string WindowStateLine(RtWindowId id) {
  char buf[256];
  if (id == RtWindowId::Printer) {
    const PrinterState& p = *CurrentRuntime().printer;
    std::snprintf(buf, sizeof buf, "printer document=%d page=%d pages=%d", p.documentOpen,
                  p.pageOpen, p.pagesWritten);
    return buf;
  }
  const WindowRecord& w = Record(id, std::source_location::current());
  std::snprintf(buf, sizeof buf,
                "\" left=%.0f top=%.0f width=%.0f height=%.0f shown=%d minimised=%d "
                "maximised=%d topmost=%d",
                ToUnits(id, w.outer.left), ToUnits(id, w.outer.top), ToUnits(id, w.outer.width),
                ToUnits(id, w.outer.height), w.shown, w.minimised, w.maximised, w.topmost);
  return std::string(RtWindowName(id)) + " caption=\"" + Escaped(Cp932ToUtf8(w.caption)) + buf;
}

bool WriteWindowPng(RtWindowId id, std::string_view path) {
  SurfacePtr picture = WindowPicture(id);
  if (!picture) return false;
  std::string bytes;
  const auto append = [](void* closure, const unsigned char* data, unsigned int length) {
    static_cast<std::string*>(closure)->append(reinterpret_cast<const char*>(data), length);
    return CAIRO_STATUS_SUCCESS;
  };
  if (cairo_surface_write_to_png_stream(picture.get(), append, &bytes) != CAIRO_STATUS_SUCCESS)
    return false;
  return WriteFileReplacing(std::string(path), bytes) == 0;
}

}  // namespace rt

void RtSetWindowSize(RtWindowId id, double width, double height, std::source_location where) {
  WindowRecord& w = Record(id, where);
  PixelRect rect = w.outer;
  rect.width = std::clamp(ToPixels(id, width, where), kMinOuterWidth, kMaxOuterWidth);
  rect.height = std::clamp(ToPixels(id, height, where), kMinOuterHeight, kMaxOuterHeight);
  Place(id, w, rect);
}

void RtMoveWindow(RtWindowId id, double left, double top, std::source_location where) {
  WindowRecord& w = Record(id, where);
  PixelRect rect = w.outer;
  rect.left = ToPixels(id, left, where);
  rect.top = ToPixels(id, top, where);
  Place(id, w, rect);
}

void RtRestoreWindow(RtWindowId id, std::source_location where) {
  WindowRecord& w = Record(id, where);
  if (w.minimised) {
    w.minimised = false;
  } else if (w.maximised) {
    w.maximised = false;
    Place(id, w, w.normal);
  }
}

void RtMaximizeWindow(RtWindowId id, std::source_location where) {
  WindowRecord& w = Record(id, where);
  w.minimised = false;
  if (w.maximised) return;
  w.maximised = true;  // first, so that the rectangle to restore stays
  Place(id, w, MaximisedRect());
}

void RtMinimizeWindow(RtWindowId id, std::source_location where) {
  Record(id, where).minimised = true;
}

bool RtIsMinimized(RtWindowId id, std::source_location where) {
  return Record(id, where).minimised;
}

void RtSetWindowOrder(RtWindowId id, bool alwaysOnTop, std::source_location where) {
  Record(id, where).topmost = alwaysOnTop;
}

void RtSetWindowTitle(RtWindowId id, std::string_view caption, std::source_location where) {
  Record(id, where).caption = caption;
}

void RtActivateWindow(RtWindowId id, std::source_location where) {
  Record(id, where);
  CurrentRuntime().windows->active = id;
}

void RtShowWindow(RtWindowId id, std::source_location where) { Record(id, where).shown = true; }

void RtHideWindow(RtWindowId id, std::source_location where) { Record(id, where).shown = false; }

double RtWindowWidth(RtWindowId id, std::source_location where) {
  return ToUnits(id, ClientWidth(Record(id, where).outer));
}

double RtWindowHeight(RtWindowId id, std::source_location where) {
  return ToUnits(id, ClientHeight(Record(id, where).outer));
}

double RtWindowOuterWidth(RtWindowId id, RtSizeUnit unit, std::source_location where) {
  const int px = Record(id, where).outer.width;
  return unit == RtSizeUnit::ScreenPixels ? px : ToUnits(id, px);
}

double RtWindowOuterHeight(RtWindowId id, RtSizeUnit unit, std::source_location where) {
  const int px = Record(id, where).outer.height;
  return unit == RtSizeUnit::ScreenPixels ? px : ToUnits(id, px);
}

void RtSetMouseCursor(RtWindowId id, int shape, std::source_location where) {
  WindowRecord& w = Record(id, where);
  if (shape < 0 || shape > 15) RtRaise(kErrIllegalArgument, where);
  w.pointer = shape;
}
