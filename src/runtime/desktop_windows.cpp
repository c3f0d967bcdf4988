// The real windows of the desktop backend: the console window drawn from the
// console's cells, the two graphics windows showing their pictures, and what
// the user does in them turned into the program's keys and events.
#include <gtk/gtk.h>
#ifdef GDK_WINDOWING_X11
#include <gdk/gdkx.h>
#endif

#include <algorithm>
#include <cmath>
#include <memory>
#include <string>

#include "runtime/console.h"
#include "runtime/desktop_internal.h"
#include "runtime/desktop_keys.h"
#include "runtime/events.h"
#include "runtime/events_state.h"
#include "runtime/graphics_target.h"
#include "runtime/palette.h"
#include "runtime/text.h"
#include "runtime/windows.h"

namespace rt {

namespace {

using Kind = ScriptItem::Kind;

// A size the program asked for counts as refused by the window system when no
// report of it came within this time (microseconds).
constexpr gint64 kSizeAnswerTime = 1000000;

// The console font as the console itself draws it.
constexpr const char* kConsoleFont = "IPAGothic, monospace";
constexpr int kConsoleFontPixels = 16;

// ---- The program's side ----

EventState& Events() { return *TheDesktop()->runtime.events; }

WindowRecord& RecordOf(const DesktopWindow& window) {
  return TheDesktop()->runtime.windows->windows[static_cast<size_t>(window.id)];
}

size_t Index(RtWindowId id) { return static_cast<size_t>(id); }

ScriptItem Item(Kind kind, RtWindowId window) {
  ScriptItem item;
  item.kind = kind;
  item.window = window;
  return item;
}

void Queue(ScriptItem item) { Events().script.push_back(std::move(item)); }

void QueueKey(std::string bytes) {
  ScriptItem item = Item(Kind::Key, RtWindowId::Main);
  item.text = std::move(bytes);
  Queue(std::move(item));
}

// Typed text (UTF-8) as keys, one for each character. A character that has no
// Shift-JIS form cannot be typed into the program and is dropped.
void QueueText(const char* utf8) {
  for (const char* p = utf8; *p; p = g_utf8_next_char(p)) {
    const std::string character(p, static_cast<size_t>(g_utf8_next_char(p) - p));
    const gunichar c = g_utf8_get_char(p);
    if (c < 0x20 || c == 0x7F) continue;
    const std::string bytes = Utf8ToCp932(character);
    if (bytes == "?" && character != "?") continue;
    QueueKey(bytes);
  }
}

// The pointer over a window, from the window's pixels into its units.
void SetPointer(const DesktopWindow& window, double px, double py) {
  PointerState& pointer = Events().pointer[Index(window.id)];
  pointer.x = PixelsToUnits(window.id, std::floor(px));
  pointer.y = PixelsToUnits(window.id, std::floor(py));
}

// A pointer event at the pointer's place: a move, or a double-click, which
// changes no button.
void QueuePointerEvent(const DesktopWindow& window, Kind kind, int number) {
  const PointerState& pointer = Events().pointer[Index(window.id)];
  ScriptItem item = Item(kind, window.id);
  item.number = number;
  item.x = pointer.x;
  item.y = pointer.y;
  Queue(std::move(item));
}

// Moves are events only while a handler wants them; a move not yet delivered
// is updated instead of queueing another.
void QueueMove(const DesktopWindow& window) {
  const BoundEvent& bound = Events().mouse[kMouseMove];
  if (!bound.handler || !bound.on) return;
  auto& script = Events().script;
  if (!script.empty() && script.back().kind == Kind::Move && script.back().window == window.id &&
      script.back().number == kMouseMove) {
    script.pop_back();
  }
  QueuePointerEvent(window, Kind::Move, kMouseMove);
}

// Mouse event of pressing a GDK button (release: + 1); 0 for other buttons.
int PressEvent(guint button) {
  switch (button) {
    case GDK_BUTTON_PRIMARY: return kMouseLeftDown;
    case GDK_BUTTON_SECONDARY: return kMouseRightDown;
    case GDK_BUTTON_MIDDLE: return kMouseMiddleDown;
    default: return 0;
  }
}

int DoubleClickEvent(int pressEvent) {
  switch (pressEvent) {
    case kMouseLeftDown: return kMouseLeftDouble;
    case kMouseRightDown: return kMouseRightDouble;
    default: return kMouseMiddleDouble;
  }
}

// ---- Event handlers of the real windows ----

DesktopWindow& Window(gpointer data) { return *static_cast<DesktopWindow*>(data); }

gboolean OnDelete(GtkWidget*, GdkEvent*, gpointer data) {
  // The program answers the close request between its steps; the window
  // closes only through the program.
  if (TheDesktop()) Queue(Item(Kind::Close, Window(data).id));
  return TRUE;
}

gboolean OnKey(GtkWidget*, GdkEventKey* event, gpointer) {
  Desktop* desktop = TheDesktop();
  if (!desktop) return FALSE;
  if (gtk_im_context_filter_keypress(desktop->im, event)) return TRUE;
  if (event->type != GDK_KEY_PRESS) return FALSE;
  const DesktopKey key = DesktopKeyFor(event->keyval, (event->state & GDK_SHIFT_MASK) != 0);
  if (key.kind == DesktopKey::Kind::Code) {
    QueueKey(std::string(1, static_cast<char>(key.value)));
    return TRUE;
  }
  if (key.kind == DesktopKey::Kind::FunctionKey) {
    ScriptItem item = Item(Kind::FunctionKey, RtWindowId::Main);
    item.number = key.value;
    Queue(std::move(item));
    return TRUE;
  }
  // A character the input method did not take (with Control, for example).
  const gunichar c = gdk_keyval_to_unicode(event->keyval);
  if (c == 0 || (event->state & (GDK_CONTROL_MASK | GDK_MOD1_MASK)) != 0) return FALSE;
  char utf8[8] = {};
  g_unichar_to_utf8(c, utf8);
  QueueText(utf8);
  return TRUE;
}

gboolean OnFocusIn(GtkWidget*, GdkEventFocus*, gpointer) {
  if (TheDesktop()) gtk_im_context_focus_in(TheDesktop()->im);
  return FALSE;
}

gboolean OnFocusOut(GtkWidget*, GdkEventFocus*, gpointer) {
  if (TheDesktop()) gtk_im_context_focus_out(TheDesktop()->im);
  return FALSE;
}

void OnCommit(GtkIMContext*, const char* text, gpointer) {
  if (TheDesktop()) QueueText(text);
}

void OnPreeditChanged(GtkIMContext* im, gpointer) {
  Desktop* desktop = TheDesktop();
  if (!desktop) return;
  char* text = nullptr;
  gtk_im_context_get_preedit_string(im, &text, nullptr, nullptr);
  desktop->preedit = text ? text : "";
  g_free(text);
  gtk_widget_queue_draw(desktop->windows[0].area);
}

gboolean OnMotion(GtkWidget*, GdkEventMotion* event, gpointer data) {
  if (!TheDesktop()) return FALSE;
  SetPointer(Window(data), event->x, event->y);
  QueueMove(Window(data));
  return TRUE;
}

gboolean OnButtonPress(GtkWidget*, GdkEventButton* event, gpointer data) {
  if (!TheDesktop()) return FALSE;
  const DesktopWindow& window = Window(data);
  const int press = PressEvent(event->button);
  if (press == 0) return FALSE;
  SetPointer(window, event->x, event->y);
  if (event->type == GDK_2BUTTON_PRESS) {
    QueuePointerEvent(window, Kind::Move, DoubleClickEvent(press));
  } else if (event->type == GDK_BUTTON_PRESS) {
    QueuePointerEvent(window, Kind::Press, press);
  }
  return TRUE;
}

gboolean OnButtonRelease(GtkWidget*, GdkEventButton* event, gpointer data) {
  if (!TheDesktop()) return FALSE;
  const DesktopWindow& window = Window(data);
  const int press = PressEvent(event->button);
  if (press == 0) return FALSE;
  SetPointer(window, event->x, event->y);
  QueuePointerEvent(window, Kind::Release, press + 1);
  return TRUE;
}

// One notch away from the user is +1; the program counts 120 per notch.
gboolean OnScroll(GtkWidget*, GdkEventScroll* event, gpointer data) {
  if (!TheDesktop()) return FALSE;
  int notches = 0;
  if (event->direction == GDK_SCROLL_UP) notches = 1;
  if (event->direction == GDK_SCROLL_DOWN) notches = -1;
  if (notches == 0) return FALSE;
  const DesktopWindow& window = Window(data);
  SetPointer(window, event->x, event->y);
  QueuePointerEvent(window, Kind::Wheel, notches);
  return TRUE;
}

// A size the user (or the window manager) gave the window becomes the program's
// window size; reports that only lag behind the program's own requests do not.
gboolean OnConfigure(GtkWidget*, GdkEventConfigure* event, gpointer data) {
  if (!TheDesktop()) return FALSE;
  DesktopWindow& window = Window(data);
  if (window.sizePending) {
    const bool answered = event->width == window.pendingWidth &&
                          event->height == window.pendingHeight;
    const bool late = g_get_monotonic_time() - window.pendingSince > kSizeAnswerTime;
    if (!answered && !late) return FALSE;
    window.sizePending = false;
  }
  WindowRecord& record = RecordOf(window);
  const bool sameSize =
      event->width == ClientPixelWidth(window.id) && event->height == ClientPixelHeight(window.id);
  if (sameSize) return FALSE;
  record.outer.width = event->width + kFrameWidth;
  record.outer.height = event->height + kFrameHeight;
  if (!record.maximised) record.normal = record.outer;
  window.applied.outer = record.outer;
  if (window.id != RtWindowId::Main) ResizeWindowSurface(window.id);
  window.pictureChanged = true;
  return FALSE;
}

gboolean OnWindowState(GtkWidget*, GdkEventWindowState* event, gpointer data) {
  if (!TheDesktop()) return FALSE;
  DesktopWindow& window = Window(data);
  WindowRecord& record = RecordOf(window);
  if (event->changed_mask & GDK_WINDOW_STATE_ICONIFIED) {
    record.minimised = (event->new_window_state & GDK_WINDOW_STATE_ICONIFIED) != 0;
    window.applied.minimised = record.minimised;
  }
  if (event->changed_mask & GDK_WINDOW_STATE_MAXIMIZED) {
    record.maximised = (event->new_window_state & GDK_WINDOW_STATE_MAXIMIZED) != 0;
    window.applied.maximised = record.maximised;
  }
  return FALSE;
}

// ---- Drawing ----

void SetColour(cairo_t* cr, uint32_t rgb) {
  const RgbFractions f = Fractions(rgb);
  cairo_set_source_rgb(cr, f.red, f.green, f.blue);
}

// The text cursor: a bar under the cursor's cell in the colour of what is
// printed next.
void DrawTextCursor(cairo_t* cr, const ConsoleState& console) {
  SetColour(cr, PaletteRgb(console.foreground));
  cairo_rectangle(cr, console.column * kCellWidth, (console.row + 1) * kCellHeight - 2, kCellWidth,
                  2);
  cairo_fill(cr);
}

// Text being composed in the input method, at the cursor, underlined.
void DrawPreedit(cairo_t* cr, const ConsoleState& console, const std::string& preedit) {
  if (preedit.empty()) return;
  PangoLayout* layout = pango_cairo_create_layout(cr);
  PangoFontDescription* font = pango_font_description_from_string(kConsoleFont);
  pango_font_description_set_absolute_size(font, kConsoleFontPixels * PANGO_SCALE);
  pango_layout_set_font_description(layout, font);
  pango_layout_set_text(layout, preedit.c_str(), static_cast<int>(preedit.size()));
  int width = 0;
  int height = 0;
  pango_layout_get_pixel_size(layout, &width, &height);
  const double x = console.column * kCellWidth;
  const double y = console.row * kCellHeight;
  SetColour(cr, PaletteRgb(15));
  cairo_rectangle(cr, x, y, width, kCellHeight);
  cairo_fill(cr);
  SetColour(cr, PaletteRgb(0));
  cairo_move_to(cr, x, y + 1);
  pango_cairo_show_layout(cr, layout);
  cairo_rectangle(cr, x, y + kCellHeight - 1, width, 1);
  cairo_fill(cr);
  pango_font_description_free(font);
  g_object_unref(layout);
}

gboolean DrawMainWindow(GtkWidget*, cairo_t* cr, gpointer) {
  Desktop* desktop = TheDesktop();
  if (!desktop) return FALSE;
  SetColour(cr, PaletteRgb(0));
  cairo_paint(cr);
  DrawConsole(cr);
  const ConsoleState& console = *desktop->runtime.console;
  DrawTextCursor(cr, console);
  DrawPreedit(cr, console, desktop->preedit);
  return TRUE;
}

gboolean DrawGraphicsWindow(GtkWidget*, cairo_t* cr, gpointer data) {
  if (!TheDesktop()) return FALSE;
  const WindowRecord& record = RecordOf(Window(data));
  SetColour(cr, record.gfx.background);
  cairo_paint(cr);
  if (record.surface) {
    cairo_surface_flush(record.surface.get());
    cairo_set_source_surface(cr, record.surface.get(), 0, 0);
    cairo_paint(cr);
  }
  return TRUE;
}

// ---- Applying the program's window state ----

bool SameRect(const PixelRect& a, const PixelRect& b) {
  return a.left == b.left && a.top == b.top && a.width == b.width && a.height == b.height;
}

// Whether the window manager does what a window state hint asks (maximise,
// keep above). Without a window manager the backend does it itself.
bool WindowManagerSupports(GtkWidget* window, const char* hint) {
#ifdef GDK_WINDOWING_X11
  GdkScreen* screen = gtk_widget_get_screen(window);
  if (GDK_IS_X11_SCREEN(screen)) {
    return gdk_x11_screen_supports_net_wm_hint(screen, gdk_atom_intern_static_string(hint));
  }
#else
  (void)window;
  (void)hint;
#endif
  return true;
}

bool WindowManagerMaximises(GtkWidget* window) {
  return WindowManagerSupports(window, "_NET_WM_STATE_MAXIMIZED_VERT");
}

void PlaceWindow(DesktopWindow& window, const WindowRecord& record) {
  GtkWindow* gtkWindow = GTK_WINDOW(window.window);
  if (record.maximised) {
    gtk_window_maximize(gtkWindow);
    if (WindowManagerMaximises(window.window)) return;
  } else {
    gtk_window_unmaximize(gtkWindow);
  }
  const int width = std::max(1, record.outer.width - kFrameWidth);
  const int height = std::max(1, record.outer.height - kFrameHeight);
  gtk_window_move(gtkWindow, record.outer.left, record.outer.top);
  gtk_window_resize(gtkWindow, width, height);
  window.sizePending = true;
  window.pendingWidth = width;
  window.pendingHeight = height;
  window.pendingSince = g_get_monotonic_time();
}

const char* PointerName(int shape) {
  switch (shape) {
    case kPointerBusy: return "wait";
    case kPointerCross: return "crosshair";
    default: return "default";
  }
}

void SetPointerShape(DesktopWindow& window, int shape) {
  GdkWindow* gdkWindow = gtk_widget_get_window(window.area);
  if (!gdkWindow) return;  // not realised yet: applied later
  GdkCursor* cursor = gdk_cursor_new_from_name(gtk_widget_get_display(window.area),
                                               PointerName(shape));
  gdk_window_set_cursor(gdkWindow, cursor);
  if (cursor) g_object_unref(cursor);
  window.applied.pointer = shape;
}

void ApplyShown(DesktopWindow& window, bool shown) {
  if (shown) {
    gtk_widget_show_all(window.window);
  } else {
    gtk_widget_hide(window.window);
  }
}

void ApplyMinimised(DesktopWindow& window, bool minimised) {
  if (minimised) {
    gtk_window_iconify(GTK_WINDOW(window.window));
  } else {
    gtk_window_deiconify(GTK_WINDOW(window.window));
  }
}

// ---- Building ----

void Connect(gpointer instance, const char* signal, GCallback handler, gpointer data) {
  g_signal_connect(instance, signal, handler, data);
}

void OnMainAreaRealized(GtkWidget* area, gpointer) {
  if (TheDesktop()) gtk_im_context_set_client_window(TheDesktop()->im, gtk_widget_get_window(area));
}

// Each window has a class name of its own ("krn-main", "krn-view", "krn-nav";
// class "Krn"), so that window managers and tools can tell the three apart.
void OnWindowRealized(GtkWidget* widget, gpointer data) {
  GdkWindow* gdkWindow = gtk_widget_get_window(widget);
#ifdef GDK_WINDOWING_X11
  if (!GDK_IS_X11_WINDOW(gdkWindow)) return;
#else
  return;
#endif
  std::string hint = "krn-" + std::string(RtWindowName(Window(data).id));
  hint += '\0';
  hint += "Krn";
  hint += '\0';
  gdk_property_change(gdkWindow, gdk_atom_intern_static_string("WM_CLASS"),
                      gdk_atom_intern_static_string("STRING"), 8, GDK_PROP_MODE_REPLACE,
                      reinterpret_cast<const guchar*>(hint.data()), static_cast<int>(hint.size()));
}

void BuildWindow(DesktopWindow& window) {
  window.window = gtk_window_new(GTK_WINDOW_TOPLEVEL);
  window.area = gtk_drawing_area_new();
  GtkWidget* area = window.area;
  gtk_widget_add_events(area, GDK_BUTTON_PRESS_MASK | GDK_BUTTON_RELEASE_MASK |
                                  GDK_POINTER_MOTION_MASK | GDK_SCROLL_MASK);
  gtk_widget_set_can_focus(area, TRUE);
  gtk_container_add(GTK_CONTAINER(window.window), area);
  gtk_widget_grab_focus(area);
  gtk_window_set_role(GTK_WINDOW(window.window), std::string(RtWindowName(window.id)).c_str());
  gpointer data = &window;
  Connect(window.window, "delete-event", G_CALLBACK(OnDelete), data);
  Connect(window.window, "key-press-event", G_CALLBACK(OnKey), data);
  Connect(window.window, "key-release-event", G_CALLBACK(OnKey), data);
  Connect(window.window, "focus-in-event", G_CALLBACK(OnFocusIn), data);
  Connect(window.window, "focus-out-event", G_CALLBACK(OnFocusOut), data);
  Connect(window.window, "configure-event", G_CALLBACK(OnConfigure), data);
  Connect(window.window, "window-state-event", G_CALLBACK(OnWindowState), data);
  g_signal_connect_after(window.window, "realize", G_CALLBACK(OnWindowRealized), data);
  Connect(area, "button-press-event", G_CALLBACK(OnButtonPress), data);
  Connect(area, "button-release-event", G_CALLBACK(OnButtonRelease), data);
  Connect(area, "motion-notify-event", G_CALLBACK(OnMotion), data);
  Connect(area, "scroll-event", G_CALLBACK(OnScroll), data);
  if (window.id == RtWindowId::Main) {
    Connect(area, "draw", G_CALLBACK(DrawMainWindow), data);
    Connect(area, "realize", G_CALLBACK(OnMainAreaRealized), data);
  } else {
    Connect(area, "draw", G_CALLBACK(DrawGraphicsWindow), data);
  }
}

}  // namespace

void BuildDesktopWindows(Desktop& desktop) {
  desktop.im = gtk_im_multicontext_new();
  Connect(desktop.im, "commit", G_CALLBACK(OnCommit), nullptr);
  Connect(desktop.im, "preedit-changed", G_CALLBACK(OnPreeditChanged), nullptr);
  for (DesktopWindow& window : desktop.windows) BuildWindow(window);
}

void DestroyDesktopWindows(Desktop& desktop) {
  gtk_im_context_set_client_window(desktop.im, nullptr);
  g_object_unref(desktop.im);
  desktop.im = nullptr;
  for (DesktopWindow& window : desktop.windows) {
    gtk_widget_destroy(window.window);
    window.window = nullptr;
    window.area = nullptr;
  }
  while (gtk_events_pending()) gtk_main_iteration_do(FALSE);
}

void RaiseTopmostWindows(Desktop& desktop) {
  for (DesktopWindow& window : desktop.windows) {
    const WindowRecord& record = RecordOf(window);
    if (!record.topmost || !record.shown) continue;
    if (WindowManagerSupports(window.window, "_NET_WM_STATE_ABOVE")) return;
    if (GdkWindow* gdkWindow = gtk_widget_get_window(window.window)) gdk_window_raise(gdkWindow);
  }
}

void ApplyWindowRecord(Desktop&, DesktopWindow& window, const WindowRecord& record) {
  AppliedWindow& applied = window.applied;
  const bool first = !applied.valid;
  if (first || applied.caption != record.caption) {
    gtk_window_set_title(GTK_WINDOW(window.window), Cp932ToUtf8(record.caption).c_str());
  }
  if (first || applied.topmost != record.topmost) {
    gtk_window_set_keep_above(GTK_WINDOW(window.window), record.topmost);
  }
  if (first || !SameRect(applied.outer, record.outer) || applied.maximised != record.maximised) {
    PlaceWindow(window, record);
  }
  if (first || applied.shown != record.shown) ApplyShown(window, record.shown);
  if (first || applied.minimised != record.minimised) ApplyMinimised(window, record.minimised);
  if (applied.pointer != record.pointer) SetPointerShape(window, record.pointer);
  applied.valid = true;
  applied.caption = record.caption;
  applied.outer = record.outer;
  applied.shown = record.shown;
  applied.minimised = record.minimised;
  applied.maximised = record.maximised;
  applied.topmost = record.topmost;
}

}  // namespace rt
