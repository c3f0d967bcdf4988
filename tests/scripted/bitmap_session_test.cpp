// The bitmap point reading in a whole session: a scanned plan (an 8-bit
// palette bitmap) shown behind the view at its top left in its proportions,
// and two clicks on it stored as points at the positions the pick showed.
#include <cairo.h>
#include <gtest/gtest.h>

#include <cstdio>
#include <string>
#include <vector>

#include "scripted/job_lines.h"
#include "scripted/session.h"
#include "support/bmp_file.h"
#include "support/u8.h"

namespace {

using scripted::JobLines;
using scripted::Krn;
using scripted::SessionResult;

// A red plan of 400 x 200 pixels.
std::string RedPlan() {
  return bmp_file::Bytes({400, 200, 8, {0xFF0000}, 1, 0,
                          std::vector<std::string>(200, std::string(400, '\0'))});
}

struct Box {
  int left = -1, top = -1, right = -1, bottom = -1;  // inclusive; -1: none
};

// The box around the pure red pixels of a PNG picture.
Box RedBox(const std::string& path) {
  cairo_surface_t* s = cairo_image_surface_create_from_png(path.c_str());
  Box box;
  if (cairo_surface_status(s) == CAIRO_STATUS_SUCCESS) {
    for (int y = 0; y < cairo_image_surface_get_height(s); ++y) {
      const auto* row = reinterpret_cast<const uint32_t*>(cairo_image_surface_get_data(s) +
                                                          y * cairo_image_surface_get_stride(s));
      for (int x = 0; x < cairo_image_surface_get_width(s); ++x) {
        if ((row[x] & 0xFFFFFF) != 0xFF0000) continue;
        if (box.left < 0 || x < box.left) box.left = x;
        if (box.top < 0) box.top = y;
        if (x > box.right) box.right = x;
        box.bottom = y;
      }
    }
  }
  cairo_surface_destroy(s);
  return box;
}

// The number after `label` in the last transcript line that holds it.
double ShownAfter(const SessionResult& session, const std::string& label) {
  double value = 0;
  for (const std::string& line : session.Lines()) {
    const size_t at = line.find(label);
    if (at != std::string::npos) value = std::stod(line.substr(at + label.size()));
  }
  return value;
}

// A number of the "!state view" line: the one after `key`.
double StateValue(const SessionResult& session, const std::string& key) {
  for (const std::string& line : session.Lines()) {
    if (!line.starts_with("view caption=")) continue;
    const size_t at = line.find(key);
    if (at != std::string::npos) return std::stod(line.substr(at + key.size()));
  }
  return 0;
}

TEST(BitmapSession, TwoClicksStoreTwoPointsOnThePictureShownAtTheTopLeft) {
  // Transfer menu, the bitmap reading of SCAN.BMP; first name P1 at 101; the
  // view's size and picture taken; two clicks; Enter and "Q"; then the job saved.
  const SessionResult session =
      Krn("8\n8\n!file SCAN.BMP\nP1\n101\n!state view\n!png view view.png\n"
          "!click view 300 400\n!click view 900 250\n\nQ\n"
          "5\n4\n1\n!file JOB.PRN\n",
          {"./JOB.PRN"}, {{"JOB.PRN", "A1 100 200 0 \r\n\x1a\r\n"}, {"SCAN.BMP", RedPlan()}});
  ASSERT_EQ(session.status, 0) << session.errors << session.transcript;

  const Box box = RedBox(*session.dataFolder / "view.png");
  EXPECT_EQ(box.left, 0);
  EXPECT_EQ(box.top, 0);
  const int width = box.right + 1;
  const int height = box.bottom + 1;
  EXPECT_NEAR(width, 2 * height, 2) << width << " x " << height;
  // It fills the view's outer size (0.1 mm units) less 30 x 100 on its tighter
  // side: here, wider in shape than that area, its width; 96 pixels an inch.
  const double areaWidth = StateValue(session, " width=") - 30;
  const double areaHeight = StateValue(session, " height=") - 100;
  ASSERT_LT(200.0 / 400, areaHeight / areaWidth);
  EXPECT_NEAR(width, areaWidth / 254 * 96, 1.5);

  // Each point stands where its pick said: "X=" and "Y=" with 3 decimals.
  const std::vector<std::string> job = JobLines(session.File("JOB.PRN"));
  ASSERT_EQ(job.size(), 103u) << session.File("JOB.PRN");
  EXPECT_EQ(job[100].rfind("P1 ", 0), 0u) << job[100];
  EXPECT_EQ(job[101].rfind("P2 ", 0), 0u) << job[101];
  double x = 0, y = 0, z = -1;
  ASSERT_EQ(std::sscanf(job[101].c_str() + 2, "%lf %lf %lf", &x, &y, &z), 3);
  EXPECT_NEAR(x, ShownAfter(session, "X="), 0.0005);
  EXPECT_NEAR(y, ShownAfter(session, "Y="), 0.0005);
  EXPECT_EQ(z, 0);
  EXPECT_TRUE(scripted::HasLineContaining(session, U8(u8"読取り自動点名[Q]= P3")));
}

}  // namespace
