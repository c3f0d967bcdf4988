// The printed plan in whole sessions: the drawing settings typed, the print
// settings given, the PDF read back by tools the program did not write
// (pdfinfo, pdftotext, the page rendered by pdftoppm at 10 pixels a
// millimetre); the result menu's print of a calculation with its report in
// columns over two pages; and the paper frame on the view.
#include <gtest/gtest.h>

#include <cmath>
#include <cstdio>
#include <fstream>
#include <string>
#include <vector>

#include "runtime/text.h"
#include "scripted/session.h"
#include "session/fixture_points.h"
#include "support/printed_pages.h"
#include "support/u8.h"

namespace {

using scripted::Krn;
using scripted::SessionResult;

// A vertex record of the connection-line file.
std::string Vertex(int number, const std::string& name, int type, int layer, const std::string& arc = "") {
  char record[64];
  std::snprintf(record, sizeof record, "'%5d=%-16s %d %2d ", number, name.c_str(), type, layer);
  return record + arc + "\r\n";
}

// The job: A1-A2-A3 on layer 3 (blue), 100 m and 60 m long, and the half
// circle of radius 30 m north of A4-A1 on layer 5 (red).
scripted::Files PlanJob() {
  const std::string points =
      "A1 985 2010 10 92\r\nA2 1085 2010 12.5 93\r\nA3 1085 2070 7.5 94\r\nA4 985 2070 0 95\r\n\x1a\r\n";
  const std::string lines = Vertex(1, "A1", 9, 3) + Vertex(2, "A2", 0, 3) + Vertex(3, "A3", 0, 3) +
                            Vertex(4, "A4", 9, 5) + Vertex(1, "A1", 0, 5, "-30 0") + "\x03\r\n";
  return {{"PLAN.PRN", points}, {"PLAN.SEN", lines}};
}

// A picture in the portable pixmap form pdftoppm writes (P6, 8 bits).
struct Pixmap {
  explicit Pixmap(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    std::string magic;
    int depth = 0;
    in >> magic >> width >> height >> depth;
    in.get();
    pixels.resize(size_t(width) * height * 3);
    in.read(reinterpret_cast<char*>(pixels.data()), std::streamsize(pixels.size()));
    if (magic != "P6" || !in) width = height = 0;
  }
  // Pixels of exactly the colour (r, g, b) in [x0, x1) x [y0, y1).
  int Count(int r, int g, int b, int x0, int y0, int x1, int y1) const {
    int n = 0;
    for (int y = std::max(0, y0); y < std::min(height, y1); ++y) {
      for (int x = std::max(0, x0); x < std::min(width, x1); ++x) {
        const unsigned char* p = &pixels[(size_t(y) * width + x) * 3];
        n += p[0] == r && p[1] == g && p[2] == b;
      }
    }
    return n;
  }
  int width = 0, height = 0;
  std::vector<unsigned char> pixels;
};

// Page pixels at 254 dpi of a page position in tenths of a millimetre: the
// printable area starts 5 mm in from the paper's edges.
int Px(double pageUnits) { return static_cast<int>(pageUnits + 50); }

TEST(PrintSession, APlanTypedInTheDrawingSettingsPrintsToScale) {
  const std::string script =
      "9\n"                         // the CAD menu
      "4\n3\n500\n970\n1990\n"      // drawing settings: scale 1:500, origin X 970, Y 1990
      "5\n0\n\n"                    // rotation 0; back to the CAD menu
      "5\n1\n"                      // print menu, settings
      "2\n\n2\n\n\n\n50\n1\n\n"     // layer colours, size 12, heights 2, names, no info,
                                    // marks, grid 50 m, frame, OK
      "1\n"                         // colour ink
      "4\n";                        // output
  const SessionResult session = Krn(script, {"./PLAN.PRN"}, PlanJob());
  ASSERT_EQ(session.status, 0) << session.errors << session.transcript;
  const std::string pdf = *session.dataFolder / "print-001.pdf";
  ASSERT_TRUE(session.HasLine("[print] print-001.pdf")) << session.transcript;

  const std::string info = Squeezed(CommandOutput("pdfinfo '" + pdf + "' 2>&1"));
  EXPECT_NE(info.find("Pages: 1 "), std::string::npos) << info;
  EXPECT_NE(info.find("595.276 x 841.89 pts (A4)"), std::string::npos) << info;
  EXPECT_NE(info.find("Title: PLAN "), std::string::npos) << info;

  const std::vector<std::vector<std::string>> pages =
      PagesOf(CommandOutput("pdftotext -layout '" + pdf + "' - 2>&1"));
  ASSERT_EQ(pages.size(), 1u);
  std::string text;
  for (const std::string& line : pages[0]) text += " " + line;
  for (const char* part : {"A1", "A2", "A3", "A4", "10.00", "12.50", "7.50",
                           "PLAN S=1/ 500 2026/12/10", "Y= 2000", "Y= 2050"}) {
    EXPECT_NE(text.find(part), std::string::npos) << part << "\n" << text;
  }
  EXPECT_EQ(text.find(" 0.00"), std::string::npos) << "A4 has no height\n" << text;

  ASSERT_EQ(std::system(("pdftoppm -r 254 -aa no -aaVector no '" + pdf + "' '" +
                         (*session.dataFolder / "page") + "'").c_str()),
            0);
  const Pixmap page(*session.dataFolder / "page-1.ppm");
  ASSERT_NEAR(page.width, 2100, 1);
  // k = 20 page units a metre. A1 (985, 2010) lies at (400, 2490), A2 (1085,
  // 2010) at (400, 490): 100 m of ground are 200 mm of paper, in blue.
  EXPECT_GT(page.Count(0, 0, 255, Px(400) - 2, Px(600), Px(400) + 3, Px(2300)), 1500);
  EXPECT_EQ(page.Count(0, 0, 255, Px(400) + 20, Px(600), Px(400) + 200, Px(2300)), 0);
  EXPECT_EQ(page.Count(0, 0, 255, Px(400) - 200, Px(600), Px(400) - 20, Px(2300)), 0);
  // A2-A3 along the row of page y 490, from x 400 to 1600.
  EXPECT_GT(page.Count(0, 0, 255, Px(500), Px(490) - 2, Px(1500), Px(490) + 3), 900);
  EXPECT_EQ(page.Count(0, 0, 255, Px(500), Px(490) + 20, Px(1500), Px(490) + 200), 0);
  // The half circle of 30 m (600 units) about (1000, 2490), north of the chord,
  // in red: at its top and at 45 degrees, none inside it nor south of the chord.
  EXPECT_GT(page.Count(255, 0, 0, Px(1000) - 20, Px(1890) - 3, Px(1000) + 20, Px(1890) + 4), 20);
  EXPECT_GT(page.Count(255, 0, 0, Px(1424) - 4, Px(2066) - 4, Px(1424) + 5, Px(2066) + 5), 0);
  EXPECT_EQ(page.Count(255, 0, 0, Px(700), Px(2000), Px(1300), Px(2400)), 0);
  EXPECT_EQ(page.Count(255, 0, 0, 0, Px(2520), page.width, page.height), 0);
  // The frame: the box of the paper, 198 x 279 mm, in black.
  EXPECT_GT(page.Count(0, 0, 0, Px(0) - 1, Px(100), Px(0) + 2, Px(2700)), 2000);
  EXPECT_GT(page.Count(0, 0, 0, Px(1980) - 1, Px(100), Px(1980) + 2, Px(2700)), 2000);
}

TEST(PaperFrameSession, TheFrameIsDrawnAndErasedOnTheViewAtRotationZeroAndThirtyAndAHalf) {
  const std::vector<fixture_points::FixturePoint> square = {
      {1000, 2000, "S1", "11"}, {1000, 2040, "S2", "11"}, {1040, 2040, "S3", "11"}, {1040, 2000, "S4", "11"}};
  const TempFolder data, windows, io;
  const int status = fixture_points::Run(
      "{END}ZE=\n!png view before.png\n"
      "9\n4\n3\n100\n1005\n2005\n!png view flat.png\n"  // 1:100 at X 1005, Y 2005
      "5\n30.3\n!png view turned.png\n",                     // 30 degrees 30 minutes
      square, data, windows, io);
  ASSERT_EQ(status, 0) << ReadHostFile(io / "err") << ReadHostFile(io / "out");
  const fixture_points::Png before(data / "before.png"), flat(data / "flat.png"), turned(data / "turned.png");
  ASSERT_TRUE(before.Ok() && flat.Ok() && turned.Ok());
  const fixture_points::FittedView fit(square, before);
  constexpr int kFrame = 13;
  // The paper at 1:100 is 27.9 m high and 19.8 m wide: a point of the left
  // edge (height side) and of the bottom edge (width side), each at its middle.
  auto count = [&](const fixture_points::Png& png, double x, double y) {
    return png.CountAround(kFrame, fit.PixelX(y), fit.PixelY(x), 2);
  };
  EXPECT_GT(count(flat, 1005 + 14, 2005), 0);
  EXPECT_GT(count(flat, 1005, 2005 + 9.9), 0);
  EXPECT_GT(count(flat, 1005 + 27.9, 2005 + 9.9), 0);  // the top edge
  const double t = 30.5 * M_PI / 180;
  EXPECT_GT(count(turned, 1005 + 14 * std::cos(t), 2005 + 14 * std::sin(t)), 0);
  EXPECT_GT(count(turned, 1005 - 9.9 * std::sin(t), 2005 + 9.9 * std::cos(t)), 0);
  // The frame at rotation 0 was erased.
  EXPECT_EQ(count(turned, 1005 + 14, 2005), 0);
  EXPECT_EQ(count(turned, 1005 + 27.9, 2005 + 9.9), 0);
  EXPECT_EQ(before.Count(kFrame), 0);
  const std::string transcript = ReadHostFile(io / "out");
  EXPECT_NE(transcript.find(U8(u8"回転角＝")), std::string::npos);
}

}  // namespace
