// Smoke tests of the desktop backend on a virtual X server (Xvfb, through
// xvfb-run): the program in its three real windows, and the file dialogs and a
// message box, driven with xdotool like a user and judged on screenshots.
//
// Each test runs itself again inside xvfb-run; that inner run starts the
// program in a child process and drives it. There is no sample job yet, so the child
// runs the program's own start-up and then puts a few points in place before
// the main menu draws the view (StartWithFixturePoints), which is all a loaded
// job would add for the view.
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
#include "shell/app.h"
#include "shell/control.h"
#include "shell/program.h"
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

// ---- The program under test, in the child ----

// A few points of a small job, well inside the view as start-up sets it.
void PlaceFixturePoints(App& app) {
  struct FixturePoint {
    const char* name;
    double x, y;
  };
  constexpr FixturePoint kPoints[] = {
      {"A1", 300, 250},   {"A2", 700, 500},   {"A3", 1100, 400}, {"A4", 1300, 900},
      {"A5", 1000, 1500}, {"A6", 600, 1800},  {"A7", 250, 1300}, {"A8", 500, 900},
  };
  int number = 0;
  for (const FixturePoint& point : kPoints) {
    ++number;
    app.points.PointName(number) = point.name;
    app.points.PointX(number) = point.x;
    app.points.PointY(number) = point.y;
  }
}

Jump StartWithFixturePoints(App& app) {
  const Jump next = ProgramStart(app);
  PlaceFixturePoints(app);
  return next;
}

int RunFixtureProgram(Runtime& runtime) {
  App app(runtime);
  return RunTrampoline(app, StartWithFixturePoints);
}

// The child: `program` on the desktop backend in `dataFolder`.
[[noreturn]] void RunInChild(int (*program)(Runtime&), const std::string& dataFolder,
                             const std::string& windowsFolder) {
  int status = 3;
  // GTK's own files (recently used files, caches) go to the test's folder too.
  for (const char* variable : {"KRN_WINDOWS_DIR", "XDG_DATA_HOME", "XDG_CONFIG_HOME",
                               "XDG_CACHE_HOME"}) {
    setenv(variable, windowsFolder.c_str(), 1);
  }
  if (chdir(dataFolder.c_str()) == 0 && rt::DesktopAvailable()) {
    status = rt::RunDesktop(program);
  }
  std::fflush(nullptr);
  _exit(status);
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
  bool WaitForPoints(const char* file) {
    return WaitFor([&] {
      const Picture points = Screenshot(view, shots / file);
      return points.valid() && CountColour(points, kPointNameColour) >= 8 * 10;
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
  Screenshot(dialog, s.shots / "end-message.png");
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
  Screenshot(dialog, s.shots / "close-question.png");
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
  std::fflush(nullptr);
  const pid_t pid = fork();
  ASSERT_GE(pid, 0);
  if (pid == 0) RunInChild(RunFixtureProgram, data.path(), windowsFolder.path());
  Child child(pid);
  Session session{child, shots, {}, {}, {}};
  CloseRequests close;
  ASSERT_TRUE(close.ready()) << "cannot talk to the X server";

  ASSERT_NO_FATAL_FAILURE(ExpectTheThreeWindows(session));
  ASSERT_NO_FATAL_FAILURE(ExpectF3ChangesTheLayout(session));
  ASSERT_NO_FATAL_FAILURE(ExpectMenuChoiceAsksToEnd(session));
  ASSERT_NO_FATAL_FAILURE(ExpectRightClickInTheViewAnswers(session));
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
  Screenshot(dialog, shots / "save-dialog.png");
  Answer(child, programWindows, dialog, "Return");
  // The open dialog proposes the existing job file: Enter opens it.
  dialog = NextDialog(child, programWindows, U8(u8"ﾌｧｲﾙ読込"));
  ASSERT_FALSE(dialog.empty());
  Screenshot(dialog, shots / "open-dialog.png");
  Answer(child, programWindows, dialog, "Return");
  // Escape cancels.
  dialog = NextDialog(child, programWindows, U8(u8"ﾌｧｲﾙ読込"));
  ASSERT_FALSE(dialog.empty());
  Answer(child, programWindows, dialog, "Escape");
  // The message box: Enter is OK.
  dialog = NextDialog(child, programWindows, U8(u8"ダイナミックビュー"));
  ASSERT_FALSE(dialog.empty());
  Screenshot(dialog, shots / "message-box.png");
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
