// Smoke tests of the desktop backend on a virtual X server (Xvfb, through
// xvfb-run): the program in its three real windows, and the file dialogs and a
// message box, driven with xdotool like a user and judged on screenshots.
//
// Each test runs itself again inside xvfb-run; that inner run starts the
// program in a child process and drives it: krn itself on a copy of the sample
// job named on its command line, or a small program of dialogs.
//
// The screenshots are kept in desktop-screenshots/ under the test's working
// folder (build/check/tests) for a look by eye.
#include <cairo.h>
#include <dlfcn.h>
#include <gtest/gtest.h>
#include <signal.h>
#include <sys/wait.h>
#include <time.h>
#include <unistd.h>

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <functional>
#include <optional>
#include <set>
#include <sstream>
#include <string>
#include <utility>
#include <vector>

#include "runtime/desktop.h"
#include "runtime/dialogs.h"
#include "runtime/temp_folder.h"
#include "support/u8.h"

namespace {

namespace fs = std::filesystem;

// Set (to the folder of the screenshots) for the run inside xvfb-run.
constexpr const char* kInsideXvfb = "KRN_DESKTOP_SMOKE_SCREENSHOTS";

// How long the program may take to show what is expected (seconds).
constexpr double kPatience = 20;

// Colours of the console and view palette as they reach the screen.
constexpr uint32_t kMenuColour = 0x00FFFF;       // console colour 13: the menu lines
constexpr uint32_t kPointNameColour = 0x000080;  // view colour 1: the point names
constexpr uint32_t kLineColour = 0x800080;       // view colour 3: the sample job's lines
constexpr uint32_t kOfferColour = 0x008000;      // console colour 4: " OK?" after a point pick
constexpr uint32_t kGuideColour = 0xFFFF00;      // the navigator's guide text area
constexpr uint32_t kBlack = 0x000000;

// ---- Programs and commands ----

std::string FindProgram(const std::string& name) {
  const char* path = std::getenv("PATH");
  std::istringstream folders(path ? path : "");
  for (std::string folder; std::getline(folders, folder, ':');) {
    const fs::path candidate = fs::path(folder) / name;
    if (!folder.empty() && access(candidate.c_str(), X_OK) == 0) return candidate.string();
  }
  return {};
}

// Standard output of a shell command.
std::string Output(const std::string& command) {
  std::string out;
  if (FILE* pipe = popen(command.c_str(), "r")) {
    char buffer[4096];
    size_t got = 0;
    while ((got = std::fread(buffer, 1, sizeof buffer, pipe)) > 0) out.append(buffer, got);
    pclose(pipe);
  }
  return out;
}

int Run(const std::string& command) { return std::system(command.c_str()); }

void Pause(int ms) { usleep(static_cast<useconds_t>(ms) * 1000); }

double Seconds() {
  timespec now{};
  clock_gettime(CLOCK_MONOTONIC, &now);
  return static_cast<double>(now.tv_sec) + now.tv_nsec / 1e9;
}

// Polls `condition` until it holds or the patience runs out.
bool WaitFor(const std::function<bool()>& condition) {
  const double end = Seconds() + kPatience;
  while (Seconds() < end) {
    if (condition()) return true;
    Pause(150);
  }
  return condition();
}

std::vector<std::string> Words(const std::string& text) {
  std::istringstream in(text);
  std::vector<std::string> words;
  for (std::string word; in >> word;) words.push_back(word);
  return words;
}

// ---- Windows ----

using WindowIds = std::set<std::string>;

// The visible window of class name "krn-main", "krn-view" or "krn-nav".
std::string ProgramWindow(const std::string& name) {
  const std::vector<std::string> ids =
      Words(Output("xdotool search --onlyvisible --classname '^krn-" + name + "$' 2>/dev/null"));
  return ids.size() == 1 ? ids[0] : std::string();
}

WindowIds VisibleWindowsOf(pid_t pid) {
  const std::vector<std::string> ids = Words(
      Output("xdotool search --onlyvisible --pid " + std::to_string(pid) + " 2>/dev/null"));
  return {ids.begin(), ids.end()};
}

std::string WindowName(const std::string& id) {
  std::string name = Output("xdotool getwindowname " + id + " 2>/dev/null");
  while (!name.empty() && name.back() == '\n') name.pop_back();
  return name;
}

// "x,y" of a window on the screen.
std::string WindowPosition(const std::string& id) {
  const std::string geometry = Output("xdotool getwindowgeometry " + id + " 2>/dev/null");
  const size_t at = geometry.find("Position: ");
  if (at == std::string::npos) return {};
  return geometry.substr(at + 10, geometry.find(' ', at + 10) - at - 10);
}

// Keys to a window, as typed on the keyboard while it has the focus.
void TypeKeys(const std::string& window, const std::string& keys) {
  Run("xdotool windowfocus --sync " + window + " >/dev/null 2>&1");
  Run("xdotool key --delay 60 " + keys);
}

// What the window manager sends when the user closes a window: a
// WM_DELETE_WINDOW message. Xvfb has no window manager, so the test sends it
// itself through Xlib (loaded at run time: the test links no X library).
class CloseRequests {
 public:
  CloseRequests() {
    library_ = dlopen("libX11.so.6", RTLD_NOW | RTLD_LOCAL);
    if (!library_) return;
    open_ = reinterpret_cast<OpenDisplay>(dlsym(library_, "XOpenDisplay"));
    intern_ = reinterpret_cast<InternAtom>(dlsym(library_, "XInternAtom"));
    send_ = reinterpret_cast<SendEvent>(dlsym(library_, "XSendEvent"));
    flush_ = reinterpret_cast<Flush>(dlsym(library_, "XFlush"));
    close_ = reinterpret_cast<CloseDisplay>(dlsym(library_, "XCloseDisplay"));
    if (open_ && intern_ && send_ && flush_ && close_) display_ = open_(nullptr);
  }
  ~CloseRequests() {
    if (display_) close_(display_);
    if (library_) dlclose(library_);
  }
  CloseRequests(const CloseRequests&) = delete;
  CloseRequests& operator=(const CloseRequests&) = delete;

  bool ready() const { return display_ != nullptr; }

  void Send(const std::string& window) {
    // The layout of an X ClientMessage event (XClientMessageEvent, format 32).
    struct ClientMessage {
      int type;
      unsigned long serial;
      int sendEvent;
      void* display;
      unsigned long window;
      unsigned long messageType;
      int format;
      long data[5];
    };
    union Event {
      ClientMessage message;
      long pad[24];
    } event{};
    constexpr int kClientMessage = 33;
    const unsigned long id = std::stoul(window);
    event.message.type = kClientMessage;
    event.message.display = display_;
    event.message.window = id;
    event.message.messageType = intern_(display_, "WM_PROTOCOLS", 0);
    event.message.format = 32;
    event.message.data[0] = static_cast<long>(intern_(display_, "WM_DELETE_WINDOW", 0));
    event.message.data[1] = 0;  // CurrentTime
    send_(display_, id, 0, 0, &event);
    flush_(display_);
  }

 private:
  using OpenDisplay = void* (*)(const char*);
  using InternAtom = unsigned long (*)(void*, const char*, int);
  using SendEvent = int (*)(void*, unsigned long, int, long, void*);
  using Flush = int (*)(void*);
  using CloseDisplay = int (*)(void*);
  void* library_ = nullptr;
  void* display_ = nullptr;
  OpenDisplay open_ = nullptr;
  InternAtom intern_ = nullptr;
  SendEvent send_ = nullptr;
  Flush flush_ = nullptr;
  CloseDisplay close_ = nullptr;
};

// ---- Screenshots ----

struct Picture {
  cairo_surface_t* surface = nullptr;
  Picture() = default;
  explicit Picture(cairo_surface_t* s) : surface(s) {}
  Picture(Picture&& other) noexcept : surface(std::exchange(other.surface, nullptr)) {}
  Picture& operator=(Picture&& other) noexcept {
    std::swap(surface, other.surface);
    return *this;
  }
  ~Picture() {
    if (surface) cairo_surface_destroy(surface);
  }
  bool valid() const {
    return surface && cairo_surface_status(surface) == CAIRO_STATUS_SUCCESS &&
           cairo_image_surface_get_width(surface) > 0;
  }
  int width() const { return cairo_image_surface_get_width(surface); }
  int height() const { return cairo_image_surface_get_height(surface); }
  uint32_t At(int x, int y) const {
    const unsigned char* row =
        cairo_image_surface_get_data(surface) + y * cairo_image_surface_get_stride(surface);
    return reinterpret_cast<const uint32_t*>(row)[x] & 0xFFFFFF;
  }
};

// A screenshot of a window (ImageMagick's import), kept as `file`.
Picture Screenshot(const std::string& window, const fs::path& file) {
  Run("import -silent -window " + window + " png24:" + file.string() + " 2>/dev/null");
  Picture picture(cairo_image_surface_create_from_png(file.c_str()));
  if (picture.valid()) cairo_surface_flush(picture.surface);
  return picture;
}

int CountColour(const Picture& picture, uint32_t rgb) {
  int count = 0;
  for (int y = 0; y < picture.height(); ++y) {
    for (int x = 0; x < picture.width(); ++x) count += picture.At(x, y) == rgb;
  }
  return count;
}

// Pixels of `rgb` drawn on black, with the shades its smoothed edges take
// (the colour scaled by a factor from a quarter to one).
int CountShades(const Picture& picture, uint32_t rgb) {
  const double top = std::max({(rgb >> 16) & 0xFF, (rgb >> 8) & 0xFF, rgb & 0xFF});
  int count = 0;
  for (int y = 0; y < picture.height(); ++y) {
    for (int x = 0; x < picture.width(); ++x) {
      const uint32_t pixel = picture.At(x, y);
      const double factor =
          std::max({(pixel >> 16) & 0xFF, (pixel >> 8) & 0xFF, pixel & 0xFF}) / top;
      bool shade = factor >= 0.25 && factor <= 1.01;
      for (int shift : {16, 8, 0}) {
        const double wanted = ((rgb >> shift) & 0xFF) * factor;
        shade = shade && std::abs(((pixel >> shift) & 0xFF) - wanted) <= 8;
      }
      count += shade;
    }
  }
  return count;
}

// A dialog as GTK draws it: mostly its light face, with dark text on it. A
// dialog that is mapped but not drawn yet (under load) shows black, or only part
// of its face.
bool LooksLikeADrawnDialog(const Picture& picture) {
  if (!picture.valid()) return false;
  int light = 0, dark = 0;
  for (int y = 0; y < picture.height(); ++y) {
    for (int x = 0; x < picture.width(); ++x) {
      const uint32_t pixel = picture.At(x, y);
      const uint32_t parts[] = {pixel >> 16, (pixel >> 8) & 0xFF, pixel & 0xFF};
      light += *std::min_element(std::begin(parts), std::end(parts)) >= 0xD0;
      dark += *std::max_element(std::begin(parts), std::end(parts)) <= 0x60;
    }
  }
  return light * 10 >= picture.width() * picture.height() * 6 && dark >= 50;
}

bool Differ(const Picture& a, const Picture& b) {
  if (!a.valid() || !b.valid() || a.width() != b.width() || a.height() != b.height()) return true;
  for (int y = 0; y < a.height(); ++y) {
    for (int x = 0; x < a.width(); ++x) {
      if (a.At(x, y) != b.At(x, y)) return true;
    }
  }
  return false;
}

// Takes screenshots of a dialog until one shows it drawn and the same as the one
// before (so no longer being drawn), and keeps that one as `file`.
bool ScreenshotOfDrawnDialog(const std::string& dialog, const fs::path& file) {
  Picture before;
  return WaitFor([&] {
    Picture now = Screenshot(dialog, file);
    const bool drawn = LooksLikeADrawnDialog(now) && before.valid() && !Differ(now, before);
    before = std::move(now);
    return drawn;
  });
}

// ---- The program under test, in the child ----

// The child: `program` on the desktop backend in `dataFolder`.
// Its folders: the data folder current, the Windows folder and GTK's own
// files (recently used files, caches) in the test's folder.
bool EnterFolders(const std::string& dataFolder, const std::string& windowsFolder) {
  for (const char* variable : {"KRN_WINDOWS_DIR", "XDG_DATA_HOME", "XDG_CONFIG_HOME",
                               "XDG_CACHE_HOME"}) {
    setenv(variable, windowsFolder.c_str(), 1);
  }
  return chdir(dataFolder.c_str()) == 0;
}

[[noreturn]] void RunInChild(int (*program)(Runtime&), const std::string& dataFolder,
                             const std::string& windowsFolder) {
  int status = 3;
  if (EnterFolders(dataFolder, windowsFolder) && rt::DesktopAvailable()) {
    status = rt::RunDesktop(program);
  }
  std::fflush(nullptr);
  _exit(status);
}

// The child: krn itself, as a user starts it on a job ("krn ./SAMPLE.PRN").
// The desktop libraries (GLib, D-Bus) keep some memory until the process ends,
// which the leak checker of a sanitised build would count against krn; the
// program's own memory is checked in the headless sessions.
[[noreturn]] void RunKrnInChild(const std::string& job, const std::string& dataFolder,
                                const std::string& windowsFolder) {
  if (EnterFolders(dataFolder, windowsFolder)) {
    setenv("ASAN_OPTIONS", "detect_leaks=0", 1);
    execl(KRN_BINARY, KRN_BINARY, job.c_str(), static_cast<char*>(nullptr));
  }
  _exit(127);
}

// Ends the child when the test stops early; otherwise collects its status.
class Child {
 public:
  explicit Child(pid_t pid) : pid_(pid) {}
  ~Child() {
    if (pid_ <= 0) return;
    kill(pid_, SIGKILL);
    waitpid(pid_, nullptr, 0);
  }
  Child(const Child&) = delete;
  Child& operator=(const Child&) = delete;

  pid_t pid() const { return pid_; }
  // The exit status once the child has ended; nullopt while it runs.
  std::optional<int> Ended() {
    int status = 0;
    if (pid_ <= 0 || waitpid(pid_, &status, WNOHANG) != pid_) return std::nullopt;
    pid_ = 0;
    return WIFEXITED(status) ? WEXITSTATUS(status) : 128 + WTERMSIG(status);
  }

 private:
  pid_t pid_;
};

// The test's source tree: data/ holds the files the program ships.
std::string ShippedFile(const std::string& name) {
  const fs::path top = fs::path(KRN_TEST_DATA).parent_path().parent_path();
  return ReadHostFile((top / "data" / name).string());
}

// The one visible window of the child besides its three: a dialog.
std::string DialogOf(Child& child, const WindowIds& programWindows) {
  std::string dialog;
  for (const std::string& id : VisibleWindowsOf(child.pid())) {
    if (!programWindows.contains(id)) dialog = id;
  }
  return dialog;
}

// ---- The run inside xvfb-run ----

// The program running in a child, with its three windows.
struct Session {
  Child& child;
  fs::path shots;
  std::string main, view, nav;

  WindowIds ProgramWindows() const { return {main, view, nav}; }
  std::string Dialog() { return DialogOf(child, ProgramWindows()); }

  bool WaitForDialog(std::string& dialog) {
    return WaitFor([&] { return !(dialog = Dialog()).empty(); });
  }
  bool WaitForNoDialog() {
    return WaitFor([&] { return Dialog().empty(); });
  }
  bool WaitForMenu(const char* file) {
    return WaitFor([&] {
      const Picture console = Screenshot(main, shots / file);
      return console.valid() && CountColour(console, kMenuColour) > 400;
    });
  }
  // The sample job in the view: the names of its points and its lines.
  bool WaitForPoints(const char* file) {
    return WaitFor([&] {
      const Picture job = Screenshot(view, shots / file);
      return job.valid() && CountColour(job, kPointNameColour) >= 200 &&
             CountColour(job, kLineColour) >= 100;
    });
  }
  // The navigator with its guide text; `pictureToo`: wide enough to show the
  // menu picture beside it.
  bool WaitForNavigator(const char* file, bool pictureToo) {
    return WaitFor([&] {
      const Picture navigator = Screenshot(nav, shots / file);
      return navigator.valid() && CountColour(navigator, kGuideColour) > 2000 &&
             CountColour(navigator, kBlack) > 100 && (!pictureToo || navigator.width() > 400);
    });
  }
};

void ExpectTheThreeWindows(Session& s) {
  ASSERT_TRUE(WaitFor([&] {
    s.main = ProgramWindow("main");
    s.view = ProgramWindow("view");
    s.nav = ProgramWindow("nav");
    return !s.main.empty() && !s.view.empty() && !s.nav.empty();
  })) << "the three windows did not appear; the program ended with "
      << s.child.Ended().value_or(-1);
  // While the main menu asks, the view's caption shows the pointer's ground position.
  EXPECT_TRUE(WaitFor([&] { return WindowName(s.view).starts_with("X="); }))
      << WindowName(s.view);
  EXPECT_EQ(WindowName(s.nav), U8(u8"ナビゲータ"));
  // The console shows the status header and the main menu, the navigator the
  // guide text, the view the points.
  EXPECT_TRUE(s.WaitForMenu("console-menu.png")) << "no menu on the console";
  EXPECT_TRUE(s.WaitForNavigator("navigator.png", false)) << "no guide text in the navigator";
  EXPECT_TRUE(s.WaitForPoints("view-points.png")) << "no points in the view";
}

// F3: the next window layout moves the console window and widens the navigator.
void ExpectF3ChangesTheLayout(Session& s) {
  const std::string before = WindowPosition(s.main);
  TypeKeys(s.main, "F3");
  EXPECT_TRUE(WaitFor([&] { return WindowPosition(s.main) != before; }))
      << "F3 did not change the window layout";
  EXPECT_TRUE(s.WaitForPoints("view-layout.png")) << "no points after the layout change";
  EXPECT_TRUE(s.WaitForNavigator("navigator-layout.png", true))
      << "the navigator did not widen to show its picture";
}

// Main-menu choice 11 asks in a message box whether to end; Cancel goes on.
void ExpectMenuChoiceAsksToEnd(Session& s) {
  TypeKeys(s.main, "1 1 Return");
  std::string dialog;
  ASSERT_TRUE(s.WaitForDialog(dialog)) << "choice 11 showed no message box";
  EXPECT_EQ(WindowName(dialog), U8(u8"測量ケルノ"));
  EXPECT_TRUE(ScreenshotOfDrawnDialog(dialog, s.shots / "end-message.png"))
      << "the message box was not drawn";
  TypeKeys(dialog, "Escape");
  ASSERT_TRUE(s.WaitForNoDialog());
  EXPECT_TRUE(s.WaitForMenu("console-menu-again.png")) << "no menu after the message box";
}

// A click in the view: the right button answers the typed choice as Enter does.
void ExpectRightClickInTheViewAnswers(Session& s) {
  TypeKeys(s.main, "1 1");
  Run("xdotool mousemove --sync --window " + s.view + " 300 200 click 3");
  std::string dialog;
  ASSERT_TRUE(s.WaitForDialog(dialog)) << "the right button in the view answered nothing";
  TypeKeys(dialog, "Escape");
  ASSERT_TRUE(s.WaitForNoDialog());
}

// ---- Where the ground lies in the view ----

struct Ground {
  double x = 0, y = 0;
};

// The points of the sample job (name, X, Y on each line).
std::vector<std::pair<std::string, Ground>> SamplePoints() {
  std::vector<std::pair<std::string, Ground>> points;
  std::istringstream lines(ShippedFile("SAMPLE.PRN"));
  for (std::string line; std::getline(lines, line);) {
    std::istringstream words(line);
    std::string name;
    Ground g;
    if (words >> name >> g.x >> g.y) points.emplace_back(name, g);
  }
  return points;
}

// The ground position the view's caption shows for the pointer at (x, y) of
// the view window: it moves the pointer there and waits for the caption to
// change from `before` (the caption at another position), then to hold still.
std::optional<Ground> GroundUnderPointer(Session& s, int x, int y, std::string& before) {
  Run("xdotool mousemove --sync --window " + s.view + " " + std::to_string(x) + " " +
      std::to_string(y));
  std::string caption;
  Ground g;
  const bool read = WaitFor([&] {
    caption = WindowName(s.view);
    if (caption == before) return false;
    Pause(300);
    return WindowName(s.view) == caption &&
           std::sscanf(caption.c_str(), "X=%lf Y=%lf", &g.x, &g.y) == 2;
  });
  before = caption;
  if (!read) return std::nullopt;
  return g;
}

// The view's mapping between window pixels and the ground, from the caption
// readings at two positions: ground Y grows to the right, ground X upwards.
struct ViewMap {
  int x0 = 0, y0 = 0;
  Ground at0;
  double perPixelX = 0;  // ground Y per pixel across
  double perPixelY = 0;  // ground X per pixel upwards

  int PixelX(const Ground& g) const { return static_cast<int>(x0 + (g.y - at0.y) / perPixelX); }
  int PixelY(const Ground& g) const { return static_cast<int>(y0 - (g.x - at0.x) / perPixelY); }
};

std::optional<ViewMap> MeasureTheView(Session& s) {
  constexpr int kX0 = 60, kY0 = 70, kX1 = 260, kY1 = 230;
  std::string caption = WindowName(s.view);
  const std::optional<Ground> first = GroundUnderPointer(s, kX0, kY0, caption);
  const std::optional<Ground> second = GroundUnderPointer(s, kX1, kY1, caption);
  if (!first || !second) return std::nullopt;
  return ViewMap{kX0, kY0, *first, (second->y - first->y) / (kX1 - kX0),
                 (first->x - second->x) / (kY1 - kY0)};
}

// "width height" of a window.
std::pair<int, int> WindowSize(const std::string& id) {
  const std::string geometry = Output("xdotool getwindowgeometry " + id + " 2>/dev/null");
  const size_t at = geometry.find("Geometry: ");
  int width = 0, height = 0;
  if (at != std::string::npos) std::sscanf(geometry.c_str() + at, "Geometry: %dx%d", &width, &height);
  return {width, height};
}

// Command 12 asks for a point: the left button on a point of the view offers
// it with " OK?" at the prompt; Enter takes it, Enter again keeps the range.
void ExpectALeftClickPicksAPoint(Session& s) {
  const std::optional<ViewMap> map = MeasureTheView(s);
  ASSERT_TRUE(map) << "the view's caption showed no ground position";
  ASSERT_GT(map->perPixelX, 0);
  ASSERT_GT(map->perPixelY, 0);
  // The point nearest the middle of the view.
  const auto [width, height] = WindowSize(s.view);
  int bestX = -1, bestY = -1;
  double bestDistance = 1e300;
  for (const auto& [name, g] : SamplePoints()) {
    const int x = map->PixelX(g), y = map->PixelY(g);
    const double distance = std::hypot(x - width / 2.0, y - height / 2.0);
    if (distance < bestDistance) bestDistance = distance, bestX = x, bestY = y;
  }
  ASSERT_TRUE(bestX > 0 && bestX < width && bestY > 0 && bestY < height)
      << "no point of the job in the view (" << width << "x" << height << ")";

  TypeKeys(s.main, "1 2 Return");
  // The question waits with its option line; its colour then holds still.
  int offerBefore = -1;
  EXPECT_TRUE(WaitFor([&] {
    const Picture console = Screenshot(s.main, s.shots / "console-point-question.png");
    const int count = console.valid() ? CountShades(console, kOfferColour) : -1;
    const bool still = count == offerBefore;
    offerBefore = count;
    return still && count >= 0;
  }));
  // As a user does: the pointer rests on the point (the caption shows where)
  // before the button goes down.
  std::string caption = WindowName(s.view);
  ASSERT_TRUE(GroundUnderPointer(s, bestX, bestY, caption)) << "the caption did not follow";
  Run("xdotool click 1");
  EXPECT_TRUE(WaitFor([&] {
    const Picture console = Screenshot(s.main, s.shots / "console-point-offered.png");
    return console.valid() && CountShades(console, kOfferColour) > offerBefore + 20;
  })) << "the left button on a point offered nothing at the prompt";
  TypeKeys(s.main, "Return");
  TypeKeys(s.main, "Return");
  EXPECT_TRUE(s.WaitForMenu("console-menu-after-pick.png")) << "no menu after the point pick";
}

// One step of the wheel over the view zooms it: the ground per pixel changes.
void ExpectAWheelStepZoomsTheView(Session& s) {
  const std::optional<ViewMap> before = MeasureTheView(s);
  ASSERT_TRUE(before) << "the view's caption showed no ground position";
  const Picture shown = Screenshot(s.view, s.shots / "view-before-wheel.png");
  std::string caption = WindowName(s.view);
  ASSERT_TRUE(GroundUnderPointer(s, 200, 150, caption)) << "the caption did not follow";
  Run("xdotool click 4");
  EXPECT_TRUE(WaitFor([&] {
    const Picture now = Screenshot(s.view, s.shots / "view-after-wheel.png");
    return now.valid() && Differ(now, shown);
  })) << "the view did not change after a wheel step";
  const std::optional<ViewMap> after = MeasureTheView(s);
  ASSERT_TRUE(after) << "the view's caption showed no ground position after the wheel";
  EXPECT_GT(std::abs(after->perPixelX / before->perPixelX - 1), 0.05)
      << before->perPixelX << " -> " << after->perPixelX;
  EXPECT_TRUE(s.WaitForMenu("console-menu-after-wheel.png")) << "no menu after the wheel";
}

void ExpectViewAndNavigatorStayOpen(Session& s, CloseRequests& close) {
  close.Send(s.view);
  close.Send(s.nav);
  Pause(1500);
  EXPECT_EQ(ProgramWindow("view"), s.view);
  EXPECT_EQ(ProgramWindow("nav"), s.nav);
  EXPECT_TRUE(s.Dialog().empty());
  EXPECT_FALSE(s.child.Ended());
}

// Closing the main window asks; Cancel keeps the program running, OK ends it
// and removes its work files.
void ExpectClosingTheMainWindowAsks(Session& s, CloseRequests& close, const TempFolder& data) {
  close.Send(s.main);
  std::string dialog;
  ASSERT_TRUE(s.WaitForDialog(dialog)) << "closing the main window asked nothing";
  EXPECT_EQ(WindowName(dialog), U8(u8"測量ケルノ君"));
  EXPECT_TRUE(ScreenshotOfDrawnDialog(dialog, s.shots / "close-question.png"))
      << "the close question was not drawn";
  TypeKeys(dialog, "Escape");
  ASSERT_TRUE(s.WaitForNoDialog());
  Pause(500);
  EXPECT_FALSE(s.child.Ended());
  EXPECT_EQ(ProgramWindow("main"), s.main);

  ASSERT_TRUE(fs::exists(data / "PRINTR.DAT"));
  close.Send(s.main);
  ASSERT_TRUE(s.WaitForDialog(dialog));
  TypeKeys(dialog, "Return");
  std::optional<int> status;
  ASSERT_TRUE(WaitFor([&] { return (status = s.child.Ended()).has_value(); }))
      << "OK did not end the program";
  EXPECT_EQ(*status, 0);
  EXPECT_FALSE(fs::exists(data / "PRINTR.DAT"));
  EXPECT_FALSE(fs::exists(data / "K.D"));
}

void DriveTheProgram(const fs::path& shots) {
  TempFolder data;
  TempFolder windowsFolder;
  WriteHostFile(data / "KRN2000.lst", ShippedFile("KRN2000.lst"));
  WriteHostFile(data / "krn2000.svg", ShippedFile("krn2000.svg"));
  WriteHostFile(data / "SAMPLE.PRN", ShippedFile("SAMPLE.PRN"));
  WriteHostFile(data / "SAMPLE.SEN", ShippedFile("SAMPLE.SEN"));
  std::fflush(nullptr);
  const pid_t pid = fork();
  ASSERT_GE(pid, 0);
  if (pid == 0) RunKrnInChild("./SAMPLE.PRN", data.path(), windowsFolder.path());
  Child child(pid);
  Session session{child, shots, {}, {}, {}};
  CloseRequests close;
  ASSERT_TRUE(close.ready()) << "cannot talk to the X server";

  ASSERT_NO_FATAL_FAILURE(ExpectTheThreeWindows(session));
  ASSERT_NO_FATAL_FAILURE(ExpectF3ChangesTheLayout(session));
  ASSERT_NO_FATAL_FAILURE(ExpectMenuChoiceAsksToEnd(session));
  ASSERT_NO_FATAL_FAILURE(ExpectRightClickInTheViewAnswers(session));
  ASSERT_NO_FATAL_FAILURE(ExpectALeftClickPicksAPoint(session));
  ASSERT_NO_FATAL_FAILURE(ExpectAWheelStepZoomsTheView(session));
  ASSERT_NO_FATAL_FAILURE(ExpectViewAndNavigatorStayOpen(session, close));
  ExpectClosingTheMainWindowAsks(session, close, data);
}

// ---- The dialogs, in a small program of their own ----

// Asks what the file menus ask, and writes the answers (CP932) to
// "answers.txt", one a line.
int AskThroughDialogs(Runtime&) {
  std::string answers;
  answers += RtFileSaveDialog("ﾌｧｲﾙ書込", "NEW.PRN", "(*.PRN,);(*.TXT)") + "\n";
  const std::string types = "(*.PRN);ケルノ(*.PRN);標準(*.SIM);(*.*)";
  answers += RtFileOpenDialog("ﾌｧｲﾙ読込", "JOB.PRN", types) + "\n";
  answers += RtFileOpenDialog("ﾌｧｲﾙ読込", "JOB.PRN", types) + "\n";
  answers += std::to_string(RtMessageBox("ハードコピーします", "ダイナミックビュー",
                                         kButtonsOkCancel, kIconInformation)) +
             "\n";
  WriteHostFile("answers.txt", answers);
  return 0;
}

// Waits for the next dialog of the child and checks its caption (UTF-8).
std::string NextDialog(Child& child, const WindowIds& programWindows, const std::string& caption) {
  std::string dialog;
  const bool shown = WaitFor([&] {
    dialog = DialogOf(child, programWindows);
    return !dialog.empty() && WindowName(dialog) == caption;
  });
  EXPECT_TRUE(shown) << "no dialog \"" << caption << "\"";
  return shown ? dialog : std::string();
}

void Answer(Child& child, const WindowIds& programWindows, const std::string& dialog,
            const std::string& keys) {
  TypeKeys(dialog, keys);
  EXPECT_TRUE(WaitFor([&] { return DialogOf(child, programWindows) != dialog; }));
}

void DriveTheDialogs(const fs::path& shots) {
  TempFolder data;
  TempFolder windowsFolder;
  WriteHostFile(data / "JOB.PRN", "1,A1,300.000,250.000,0.000\r\n");
  std::fflush(nullptr);
  const pid_t pid = fork();
  ASSERT_GE(pid, 0);
  if (pid == 0) RunInChild(AskThroughDialogs, data.path(), windowsFolder.path());
  Child child(pid);
  std::string main;
  ASSERT_TRUE(WaitFor([&] { return !(main = ProgramWindow("main")).empty(); }));
  const WindowIds programWindows{main};

  // The save dialog proposes the job's name: Enter takes it.
  std::string dialog = NextDialog(child, programWindows, U8(u8"ﾌｧｲﾙ書込"));
  ASSERT_FALSE(dialog.empty());
  EXPECT_TRUE(ScreenshotOfDrawnDialog(dialog, shots / "save-dialog.png"))
      << "the save dialog was not drawn";
  Answer(child, programWindows, dialog, "Return");
  // The open dialog proposes the existing job file: Enter opens it.
  dialog = NextDialog(child, programWindows, U8(u8"ﾌｧｲﾙ読込"));
  ASSERT_FALSE(dialog.empty());
  EXPECT_TRUE(ScreenshotOfDrawnDialog(dialog, shots / "open-dialog.png"))
      << "the open dialog was not drawn";
  Answer(child, programWindows, dialog, "Return");
  // Escape cancels.
  dialog = NextDialog(child, programWindows, U8(u8"ﾌｧｲﾙ読込"));
  ASSERT_FALSE(dialog.empty());
  Answer(child, programWindows, dialog, "Escape");
  // The message box: Enter is OK.
  dialog = NextDialog(child, programWindows, U8(u8"ダイナミックビュー"));
  ASSERT_FALSE(dialog.empty());
  EXPECT_TRUE(ScreenshotOfDrawnDialog(dialog, shots / "message-box.png"))
      << "the message box was not drawn";
  Answer(child, programWindows, dialog, "Return");

  std::optional<int> status;
  ASSERT_TRUE(WaitFor([&] { return (status = child.Ended()).has_value(); }));
  EXPECT_EQ(*status, 0);
  const std::string expected =
      data / "NEW.PRN" + "\n" + data / "JOB.PRN" + "\n" + std::string(kDialogCancelled) + "\n0\n";
  EXPECT_EQ(ReadHostFile(data / "answers.txt"), expected);
}

// Runs `drive` inside xvfb-run: the test program runs itself there again with
// only the current test, which then calls `drive`.
void UnderXvfb(void (*drive)(const fs::path& shots)) {
  if (const char* shots = std::getenv(kInsideXvfb)) {
    drive(shots);
    return;
  }
  const std::string xvfbRun = FindProgram("xvfb-run");
  if (xvfbRun.empty()) GTEST_SKIP() << "xvfb-run is not installed";
  for (const char* tool : {"xdotool", "import"}) {
    ASSERT_FALSE(FindProgram(tool).empty()) << tool << " is not installed";
  }
  const ::testing::TestInfo* test = ::testing::UnitTest::GetInstance()->current_test_info();
  const std::string name = std::string(test->test_suite_name()) + "." + test->name();
  const fs::path shots = fs::absolute("desktop-screenshots");
  fs::create_directories(shots);
  const std::string command = "env " + std::string(kInsideXvfb) + "='" + shots.string() + "' " +
                              xvfbRun + " -a -s '-screen 0 1280x1024x24 -nolisten tcp' " +
                              fs::canonical("/proc/self/exe").string() +
                              " --gtest_filter=" + name + " 2>&1";
  const std::string output = Output(command + "; echo \"exit=$?\"");
  EXPECT_NE(output.find("[  PASSED  ] 1 test"), std::string::npos) << output;
  EXPECT_NE(output.find("exit=0"), std::string::npos) << output;
}

TEST(DesktopSmoke, ThreeWindowsUnderXvfb) { UnderXvfb(DriveTheProgram); }

TEST(DesktopSmoke, FileDialogsAndMessageBoxUnderXvfb) { UnderXvfb(DriveTheDialogs); }

}  // namespace
