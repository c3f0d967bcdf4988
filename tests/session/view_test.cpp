// The dynamic view in a whole session of the program: a job's points, fitted
// with End (ZoomAll) at the main menu, are shown in the view's picture.
//
// The program reads no point list yet, so the session runs the program itself
// in a child process whose start-up is followed by the loading of a few points
// from a fixture, as reading a point-list file at start would leave them; the
// rest is the program as the user drives it: headless, on a script.
#include <cairo.h>
#include <fcntl.h>
#include <gtest/gtest.h>
#include <stdlib.h>
#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <memory>
#include <string>
#include <vector>

#include "points/table.h"
#include "runtime/headless.h"
#include "runtime/palette.h"
#include "runtime/temp_folder.h"
#include "scripted/session.h"
#include "shell/app.h"
#include "shell/control.h"
#include "shell/program.h"

namespace {

struct FixturePoint {
  double x, y;
  const char* name;
  const char* attribute;
};

// A small job far from where the view looks at start, so that only the fit
// brings it into sight.
const std::vector<FixturePoint> kPoints = {
    {-35120.5, 12040.25, "K1", "12"}, {-35080.0, 12110.75, "K2", "13"},
    {-35010.25, 12060.5, "K3", "14"}, {-34990.75, 11990.0, "K4", "15"},
    {-35050.0, 12020.0, "K5", "16"},
};

Jump StartWithFixturePoints(App& app) {
  const Jump next = ProgramStart(app);
  points::Store& p = app.points;
  for (size_t i = 0; i < kPoints.size(); ++i) {
    const int number = static_cast<int>(i) + 1;
    p.PointX(number) = kPoints[i].x;
    p.PointY(number) = kPoints[i].y;
    p.PointName(number) = kPoints[i].name;
    p.PointAttribute(number) = kPoints[i].attribute;
  }
  FindHighestUsedPoint(app);
  return next;
}

// Runs the program in a child process on `script` in a fresh data folder; the
// exit status, or -1.
int RunWithFixture(const std::string& script, const TempFolder& data, const TempFolder& windows,
                   const TempFolder& io) {
  WriteHostFile(io / "script", script);
  const pid_t pid = fork();
  if (pid == 0) {
    const int in = open((io / "script").c_str(), O_RDONLY);
    const int out = open((io / "out").c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0600);
    const int err = open((io / "err").c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0600);
    if (in < 0 || out < 0 || err < 0 || chdir(data.path().c_str()) != 0 || dup2(in, 0) < 0 ||
        dup2(out, 1) < 0 || dup2(err, 2) < 0)
      _exit(126);
    setenv("KRN_WINDOWS_DIR", windows.path().c_str(), 1);
    setenv("KRN_CLOCK", scripted::kSessionClock, 1);
    char program[] = "krn";
    char headless[] = "--headless";
    char* argv[] = {program, headless, nullptr};
    const int status = rt::RunHeadless(2, argv, [](Runtime& runtime) {
      App app(runtime);
      return RunTrampoline(app, StartWithFixturePoints);
    });
    fflush(stdout);
    _exit(status);
  }
  int wstatus = 0;
  if (pid < 0 || waitpid(pid, &wstatus, 0) != pid || !WIFEXITED(wstatus)) return -1;
  return WEXITSTATUS(wstatus);
}

struct Png {
  explicit Png(const std::string& path)
      : surface(cairo_image_surface_create_from_png(path.c_str()), cairo_surface_destroy) {}
  bool Ok() const { return cairo_surface_status(surface.get()) == CAIRO_STATUS_SUCCESS; }
  int Width() const { return cairo_image_surface_get_width(surface.get()); }
  int Height() const { return cairo_image_surface_get_height(surface.get()); }

  // Pixels of palette colour `colour` in the pixel box [x0, x1) x [y0, y1).
  int Count(int colour, int x0, int y0, int x1, int y1) const {
    cairo_surface_t* s = surface.get();
    const unsigned char* data = cairo_image_surface_get_data(s);
    const int stride = cairo_image_surface_get_stride(s);
    int n = 0;
    for (int y = std::max(0, y0); y < std::min(Height(), y1); ++y) {
      const auto* row = reinterpret_cast<const uint32_t*>(data + y * stride);
      for (int x = std::max(0, x0); x < std::min(Width(), x1); ++x)
        n += (row[x] & 0xFFFFFF) == rt::PaletteRgb(colour);
    }
    return n;
  }
  int Count(int colour) const { return Count(colour, 0, 0, Width(), Height()); }

  std::unique_ptr<cairo_surface_t, void (*)(cairo_surface_t*)> surface;
};

TEST(ViewSession, EndFitsTheJobsPointsIntoTheView) {
  const TempFolder data, windows, io;
  // The menu's first question: the view as start-up left it. Then End fits
  // every point, and "ZE=" shows the menu again, which redraws the view.
  const int status =
      RunWithFixture("!png view before.png\n{END}ZE=\n!png view after.png\n", data, windows, io);
  ASSERT_EQ(status, 0) << ReadHostFile(io / "err") << ReadHostFile(io / "out");

  constexpr int kName = 1;    // point names
  constexpr int kSymbol = 5;  // mark symbols on black
  const Png before(data / "before.png");
  ASSERT_TRUE(before.Ok());
  EXPECT_EQ(before.Count(kName), 0);
  EXPECT_EQ(before.Count(kSymbol), 0);

  const Png after(data / "after.png");
  ASSERT_TRUE(after.Ok());
  ASSERT_EQ(after.Width(), before.Width());
  // Where the fit puts each point: the extent, widened by a tenth, centred in
  // the view (0.1 mm units, 96 pixels an inch).
  const double unitsPerPixel = 254.0 / 96.0;
  const double h = after.Height() * unitsPerPixel, w = after.Width() * unitsPerPixel;
  double minX = 1e9, maxX = -1e9, minY = 1e9, maxY = -1e9;
  for (const FixturePoint& p : kPoints) {
    minX = std::min(minX, p.x);
    maxX = std::max(maxX, p.x);
    minY = std::min(minY, p.y);
    maxY = std::max(maxY, p.y);
  }
  const double scale = std::max((maxX - minX) / h, (maxY - minY) / w) * double(1.1f);
  const double originX = minX - (h * scale - (maxX - minX)) / 2;
  const double originY = minY - (w * scale - (maxY - minY)) / 2;
  for (const FixturePoint& p : kPoints) {
    SCOPED_TRACE(p.name);
    const int px = static_cast<int>((p.y - originY) / scale / unitsPerPixel);
    const int py = static_cast<int>((h - (p.x - originX) / scale) / unitsPerPixel);
    // The mark symbol over the point, the name to its upper right.
    EXPECT_GT(after.Count(kSymbol, px - 8, py - 8, px + 12, py + 12), 5);
    EXPECT_GT(after.Count(kName, px, py - 10, px + 30, py + 10), 5);
  }
}

}  // namespace
