// Whole sessions of the program on a job whose points a test puts in place.
//
// The session runs the program itself in a child process whose start-up is
// followed by the loading of the test's points straight into the table, as
// reading a point-list file at start would leave them (so a test states its
// points without a file and without the reader's rules); the rest is
// the program as the user drives it: headless, on a script. Also the pixels of
// the PNG pictures such a script writes.
#pragma once

#include <cairo.h>
#include <fcntl.h>
#include <stdlib.h>
#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <cstdint>
#include <memory>
#include <string>
#include <vector>

#include "core/app.h"
#include "core/control.h"
#include "points/table.h"
#include "runtime/headless.h"
#include "runtime/palette.h"
#include "runtime/temp_folder.h"
#include "scripted/session.h"
#include "shell/program.h"

namespace fixture_points {

struct FixturePoint {
  double x, y;
  const char* name;
  const char* attribute;
};

// A small job far from where the view looks at start, so that only a fit or a
// search brings it into sight: points 1 to 5, K1 to K5.
inline const std::vector<FixturePoint> kFarJob = {
    {-35120.5, 12040.25, "K1", "12"}, {-35080.0, 12110.75, "K2", "13"},
    {-35010.25, 12060.5, "K3", "14"}, {-34990.75, 11990.0, "K4", "15"},
    {-35050.0, 12020.0, "K5", "16"},
};

// The points of the session about to start (the child process inherits them).
inline std::vector<FixturePoint>& Points() {
  static std::vector<FixturePoint> points;
  return points;
}

inline Jump StartWithFixturePoints(App& app) {
  const Jump next = ProgramStart(app);
  points::Store& p = app.points;
  for (size_t i = 0; i < Points().size(); ++i) {
    const int number = static_cast<int>(i) + 1;
    p.PointX(number) = Points()[i].x;
    p.PointY(number) = Points()[i].y;
    p.PointName(number) = Points()[i].name;
    p.PointAttribute(number) = Points()[i].attribute;
  }
  FindHighestUsedPoint(app);
  return next;
}

// Runs the program on `script` with `points` as points 1, 2, ... in the data
// folder `data` (its current folder); the exit status, or -1. The transcript is
// left in io / "out", standard error in io / "err".
inline int Run(const std::string& script, const std::vector<FixturePoint>& points,
               const TempFolder& data, const TempFolder& windows, const TempFolder& io) {
  Points() = points;
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

// A PNG picture and the pixels of one palette colour in it.
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
  // The same in the whole picture.
  int Count(int colour) const { return Count(colour, 0, 0, Width(), Height()); }
  // The same in the square of half side `half` around (x, y).
  int CountAround(int colour, int x, int y, int half) const {
    return Count(colour, x - half, y - half, x + half + 1, y + half + 1);
  }

  std::unique_ptr<cairo_surface_t, void (*)(cairo_surface_t*)> surface;
};

// Where End's fit of `points` puts a ground position in a view picture: the
// extent, widened by a tenth, centred in the view (0.1 mm units, 96 pixels an
// inch).
struct FittedView {
  FittedView(const std::vector<FixturePoint>& points, const Png& picture) {
    h = picture.Height() * kUnitsPerPixel;
    w = picture.Width() * kUnitsPerPixel;
    double minX = 1e9, maxX = -1e9, minY = 1e9, maxY = -1e9;
    for (const FixturePoint& p : points) {
      minX = std::min(minX, p.x);
      maxX = std::max(maxX, p.x);
      minY = std::min(minY, p.y);
      maxY = std::max(maxY, p.y);
    }
    scale = std::max((maxX - minX) / h, (maxY - minY) / w) * double(1.1f);
    originX = minX - (h * scale - (maxX - minX)) / 2;
    originY = minY - (w * scale - (maxY - minY)) / 2;
  }
  int PixelX(double y) const { return static_cast<int>((y - originY) / scale / kUnitsPerPixel); }
  int PixelY(double x) const { return static_cast<int>((h - (x - originX) / scale) / kUnitsPerPixel); }

  static constexpr double kUnitsPerPixel = 254.0 / 96.0;
  double h, w, scale, originX, originY;
};

}  // namespace fixture_points
