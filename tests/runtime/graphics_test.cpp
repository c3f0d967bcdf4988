#include "runtime/graphics_target.h"
#include "runtime/graphics.h"

#include <cairo.h>
#include <gtest/gtest.h>

#include <cmath>
#include <cstdint>
#include <limits>
#include <string>
#include <vector>

#include "runtime/errors.h"
#include "runtime/runtime.h"
#include "runtime/windows.h"
#include "runtime/windows_state.h"
#include "temp_folder.h"

namespace {

constexpr uint32_t kBlack = 0x000000;
constexpr uint32_t kWhite = 0xFFFFFF;

cairo_surface_t* Picture(RtWindowId id) {
  cairo_surface_t* s = rt::WindowSurface(id);
  cairo_surface_flush(s);
  return s;
}

uint32_t Pixel(RtWindowId id, int x, int y) {
  cairo_surface_t* s = Picture(id);
  const unsigned char* row =
      cairo_image_surface_get_data(s) + y * cairo_image_surface_get_stride(s);
  return reinterpret_cast<const uint32_t*>(row)[x] & 0xFFFFFF;
}

std::string Snapshot(RtWindowId id) {
  cairo_surface_t* s = Picture(id);
  const char* data = reinterpret_cast<const char*>(cairo_image_surface_get_data(s));
  return std::string(data, cairo_image_surface_get_stride(s) * cairo_image_surface_get_height(s));
}

// Pixels of the rectangle [x0, x1) x [y0, y1) that are not `colour`.
int CountOther(RtWindowId id, int x0, int y0, int x1, int y1, uint32_t colour) {
  int n = 0;
  for (int y = y0; y < y1; ++y)
    for (int x = x0; x < x1; ++x) n += Pixel(id, x, y) != colour;
  return n;
}

// True when a pixel within one pixel of (x, y) is `colour`.
bool NearPixel(RtWindowId id, int x, int y, uint32_t colour) {
  for (int dy = -1; dy <= 1; ++dy)
    for (int dx = -1; dx <= 1; ++dx)
      if (Pixel(id, x + dx, y + dy) == colour) return true;
  return false;
}

// The dynamic view in pixels on black, the navigator in pixels on white, both
// with a client area of 400 x 300 pixels.
class GraphicsTest : public ::testing::Test {
 protected:
  void SetUp() override {
    for (RtWindowId id : {RtWindowId::View, RtWindowId::Nav}) {
      RtSetScaleMode(id, 1);
      RtSetWindowSize(id, 400 + rt::kFrameWidth, 300 + rt::kFrameHeight);
    }
    rt::ClearWindowGraphics(RtWindowId::View);
    rt::ClearWindowGraphics(RtWindowId::Nav);
  }

  Runtime runtime;
  RuntimeScope scope{runtime};
  static constexpr RtWindowId kView = RtWindowId::View;
  static constexpr RtWindowId kNav = RtWindowId::Nav;
};

TEST_F(GraphicsTest, LineCoversItsPixelsAndNothingElse) {
  RtLine(kView, 10, 10, 50, 10, 15);
  for (int x = 10; x <= 50; ++x) EXPECT_EQ(Pixel(kView, x, 10), kWhite) << x;
  EXPECT_EQ(Pixel(kView, 9, 10), kBlack);
  EXPECT_EQ(Pixel(kView, 51, 10), kBlack);
  EXPECT_EQ(CountOther(kView, 0, 0, 100, 100, kBlack), 41);
  EXPECT_EQ(RtGraphPoint(kView, 0), 50);
  EXPECT_EQ(RtGraphPoint(kView, 1), 10);

  // From the graphics position on, diagonally.
  RtLineTo(kView, 70, 30, 12);
  for (int i = 0; i <= 20; ++i) EXPECT_EQ(Pixel(kView, 50 + i, 10 + i), rt::PaletteRgb(12)) << i;
}

TEST_F(GraphicsTest, BoxesIncludeBothCorners) {
  RtLine(kView, 20, 20, 40, 30, 12, RtLineShape::Box);
  const uint32_t green = rt::PaletteRgb(12);
  for (auto [x, y] : {std::pair{20, 20}, {40, 20}, {20, 30}, {40, 30}, {30, 20}, {20, 25}})
    EXPECT_EQ(Pixel(kView, x, y), green) << x << "," << y;
  EXPECT_EQ(CountOther(kView, 21, 21, 40, 30, kBlack), 0);  // hollow
  EXPECT_EQ(CountOther(kView, 0, 0, 100, 100, kBlack), 2 * 21 + 2 * 9);

  RtLine(kView, 50, 50, 59, 54, 9, RtLineShape::FilledBox);
  EXPECT_EQ(CountOther(kView, 50, 50, 60, 55, rt::PaletteRgb(9)), 0);
  EXPECT_EQ(CountOther(kView, 45, 45, 65, 60, kBlack), 50);
  // A filled box is filled even with the null pen.
  RtLine(kView, 70, 70, 71, 71, 15, RtLineShape::FilledBox, 5);
  EXPECT_EQ(Pixel(kView, 71, 71), kWhite);
}

TEST_F(GraphicsTest, ArcRunsClockwiseFromStartToEnd) {
  // A quarter from the right (0) down to the bottom (0.25).
  RtCircle(kView, 100, 100, 40, 15, 0, 0.25);
  EXPECT_TRUE(NearPixel(kView, 140, 100, kWhite));
  EXPECT_TRUE(NearPixel(kView, 100, 140, kWhite));
  EXPECT_TRUE(NearPixel(kView, 128, 128, kWhite));
  EXPECT_FALSE(NearPixel(kView, 100, 60, kWhite));
  EXPECT_FALSE(NearPixel(kView, 60, 100, kWhite));
  EXPECT_FALSE(NearPixel(kView, 72, 72, kWhite));
  EXPECT_EQ(Pixel(kView, 100, 100), kBlack);

  // From 0.75 (the top) over the right to 0.25: the start lies after the end.
  rt::ClearWindowGraphics(kView);
  RtCircle(kView, 100, 100, 40, 15, 0.75, 0.25);
  EXPECT_TRUE(NearPixel(kView, 100, 60, kWhite));
  EXPECT_TRUE(NearPixel(kView, 140, 100, kWhite));
  EXPECT_FALSE(NearPixel(kView, 60, 100, kWhite));
}

TEST_F(GraphicsTest, EqualStartAndEndDrawTheWholeCircleWithItsAspect) {
  RtCircle(kView, 100, 100, 40, 15);
  for (auto [x, y] : {std::pair{140, 100}, {100, 140}, {60, 100}, {100, 60}})
    EXPECT_TRUE(NearPixel(kView, x, y, kWhite)) << x << "," << y;
  rt::ClearWindowGraphics(kView);
  RtCircle(kView, 100, 100, 40, 15, 0.5, 0.5, 0.5);
  EXPECT_TRUE(NearPixel(kView, 140, 100, kWhite));
  EXPECT_TRUE(NearPixel(kView, 100, 120, kWhite));
  EXPECT_FALSE(NearPixel(kView, 100, 140, kWhite));
}

TEST_F(GraphicsTest, JapaneseTextDrawsInsideItsBoxAndMovesThePosition) {
  RtPset(kNav, 20, 30);  // no colour: only the position
  EXPECT_EQ(CountOther(kNav, 0, 0, 300, 200, kWhite), 0);
  const std::string text = "測量ケルノ君";
  const double width = RtTextWidth(kNav, text);
  const double height = RtTextHeight(kNav, text);
  ASSERT_GT(width, 40);
  ASSERT_GT(height, 8);
  RtPrintToWindow(kNav, text, false);
  const int x1 = 20 + static_cast<int>(std::ceil(width));
  const int y1 = 30 + static_cast<int>(std::ceil(height));
  EXPECT_GT(CountOther(kNav, 20, 30, x1, y1, kWhite), 40);
  EXPECT_EQ(CountOther(kNav, 0, 0, 300, 200, kWhite), CountOther(kNav, 20, 30, x1, y1, kWhite));
  EXPECT_NEAR(RtGraphPoint(kNav, 0), 20 + width, 1e-9);
  EXPECT_EQ(RtGraphPoint(kNav, 1), 30);
}

TEST_F(GraphicsTest, JapaneseGlyphsAreRealGlyphs) {
  // A missing glyph is drawn as a box of about the same ink whatever the
  // character; real glyphs of one stroke and of many differ a lot.
  const auto ink = [](const std::string& s) {
    rt::ClearWindowGraphics(kNav);
    RtPrintToWindow(kNav, s, false);
    return CountOther(kNav, 0, 0, 100, 60, kWhite);
  };
  RtSetFontSize(kNav, 24);
  const int one = ink("一");
  const int many = ink("量");
  EXPECT_GT(one, 0);
  EXPECT_GT(many, 3 * one);
}

TEST_F(GraphicsTest, TextLineEndsAndLineFeeds) {
  const double lineHeight = RtTextHeight(kNav, "");
  RtPrintToWindow(kNav, "AB", true);
  EXPECT_EQ(RtGraphPoint(kNav, 0), 0);
  EXPECT_NEAR(RtGraphPoint(kNav, 1), lineHeight, 1e-9);
  // Guide texts break their lines with a line feed and a carriage return.
  RtPrintToWindow(kNav, "one\n\rtwo", false);
  EXPECT_NEAR(RtGraphPoint(kNav, 1), 2 * lineHeight, 1e-9);
  EXPECT_NEAR(RtGraphPoint(kNav, 0), RtTextWidth(kNav, "two"), 1e-9);
  RtLocateWindow(kNav, 0, 27);
  EXPECT_NEAR(RtGraphPoint(kNav, 1), 27 * lineHeight, 1e-9);
}

TEST_F(GraphicsTest, ReverseTextPaintsTheCellInTheForegroundColour) {
  RtColor(kNav, 4, -1, 1);
  RtPrintToWindow(kNav, "    ", false);
  const int width = static_cast<int>(RtTextWidth(kNav, "    "));
  const int height = static_cast<int>(RtTextHeight(kNav, "    "));
  EXPECT_EQ(CountOther(kNav, 0, 0, width, height, rt::PaletteRgb(4)), 0);
  RtColor(kNav, 0, -1, 4);
  const int before = CountOther(kNav, 0, 0, 300, 100, kWhite);
  RtPrintToWindow(kNav, "    ", false);
  EXPECT_EQ(CountOther(kNav, 0, 0, 300, 100, kWhite), before);
}

struct XorShape {
  const char* name;
  void (*draw)();
};

const XorShape kXorShapes[] = {
    {"line", [] { RtLine(RtWindowId::View, 5, 7, 180, 93, 14, RtLineShape::Line, -1, 4); }},
    {"box", [] { RtLine(RtWindowId::View, 30, 20, 150, 80, 11, RtLineShape::Box, -1, 4); }},
    {"filled box",
     [] { RtLine(RtWindowId::View, 30, 20, 150, 80, 11, RtLineShape::FilledBox, -1, 4); }},
    {"dashed thick line",
     [] {
       RtSetWindowAttr(RtWindowId::View, 3);
       RtLine(RtWindowId::View, 0, 50, 199, 60, 10, RtLineShape::Line, 3, 4);
     }},
    {"circle",
     [] {
       RtSetDrawMode(RtWindowId::View, 4);
       RtCircle(RtWindowId::View, 100, 50, 30, 13, 0.1, 0.6);
     }},
    {"text",
     [] {
       RtSetDrawMode(RtWindowId::View, 4);
       RtGraphMove(RtWindowId::View, 40, 40);
       RtPrintToWindow(RtWindowId::View, "測量 XOR", false);
     }},
    {"not", [] { RtLine(RtWindowId::View, 10, 10, 120, 90, 3, RtLineShape::Line, -1, 5); }},
};

TEST_F(GraphicsTest, XorTwiceRestoresEveryPixel) {
  for (const XorShape& shape : kXorShapes) {
    SCOPED_TRACE(shape.name);
    rt::ClearWindowGraphics(kView);
    RtLine(kView, 40, 30, 120, 70, 9, RtLineShape::FilledBox);
    RtLine(kView, 0, 0, 199, 99, 12);
    RtGraphMove(kView, 60, 45);
    RtPrintToWindow(kView, "下地", false);
    const std::string before = Snapshot(kView);
    shape.draw();
    EXPECT_NE(Snapshot(kView), before);
    shape.draw();
    EXPECT_EQ(Snapshot(kView), before);
    RtSetDrawMode(kView, 0);
    RtSetWindowAttr(kView, 1);
  }
}

TEST_F(GraphicsTest, DrawingModesActOnPixelValues) {
  struct Case {
    int mode;
    int colour;
    uint32_t expected;
  };
  // Under a box of colour 9 (0x0000FF).
  const Case cases[] = {
      {0, 12, 0x00FF00}, {2, 13, 0x0000FF}, {2, 12, 0x000000},
      {3, 12, 0x00FFFF}, {4, 9, 0x000000},  {5, 0, 0xFFFF00},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.mode);
    RtLine(kView, 0, 0, 20, 20, 9, RtLineShape::FilledBox);
    RtLine(kView, 5, 5, 15, 15, c.colour, RtLineShape::FilledBox, -1, c.mode);
    EXPECT_EQ(Pixel(kView, 10, 10), c.expected);
    EXPECT_EQ(Pixel(kView, 2, 2), 0x0000FFu);
  }
}

TEST_F(GraphicsTest, PenStylesAndWidths) {
  RtSetLineStyle(kView, 1);
  RtLine(kView, 0, 10, 199, 10, 15);
  const int dashed = CountOther(kView, 0, 10, 200, 11, kBlack);
  EXPECT_GT(dashed, 100);
  EXPECT_LT(dashed, 190);

  RtSetLineStyle(kView, 5);
  RtLine(kView, 0, 20, 199, 20, 15);
  EXPECT_EQ(CountOther(kView, 0, 20, 200, 21, kBlack), 0);

  // -1 keeps the current style, a given style applies to its call only.
  RtLine(kView, 0, 30, 199, 30, 15, RtLineShape::Line, 0);
  EXPECT_EQ(CountOther(kView, 0, 30, 200, 31, kBlack), 200);
  RtLine(kView, 0, 40, 199, 40, 15, RtLineShape::Line, -1);
  EXPECT_EQ(CountOther(kView, 0, 40, 200, 41, kBlack), 0);

  RtSetLineStyle(kView, 0);
  RtSetWindowAttr(kView, 3);
  RtLine(kView, 10, 60, 100, 60, 15);
  for (int y : {59, 60, 61}) EXPECT_EQ(Pixel(kView, 50, y), kWhite) << y;
  EXPECT_EQ(Pixel(kView, 50, 58), kBlack);
  EXPECT_EQ(Pixel(kView, 50, 62), kBlack);
}

TEST_F(GraphicsTest, ClearUsesTheBackgroundColour) {
  RtLine(kView, 0, 0, 10, 10, 15);
  RtSetColorRgb(kView, RtRgb(34, 34, 34));
  EXPECT_EQ(Pixel(kView, 5, 5), kWhite);  // the new background waits for the clear
  rt::ClearWindowGraphics(kView);
  EXPECT_EQ(CountOther(kView, 0, 0, 50, 50, 0x222222), 0);
  EXPECT_EQ(RtGraphPoint(kView, 0), 0);
  RtColor(kView, -1, 15);
  rt::ClearWindowGraphics(kView);
  EXPECT_EQ(Pixel(kView, 5, 5), kWhite);
}

TEST_F(GraphicsTest, LogicalUnitsOfTheView) {
  RtSetScaleMode(kView, 2);  // 0.1 mm: 254 units are 96 pixels
  RtLine(kView, 254, 0, 254, 254, 15);
  EXPECT_EQ(Pixel(kView, 96, 0), kWhite);
  EXPECT_EQ(Pixel(kView, 96, 96), kWhite);
  EXPECT_EQ(Pixel(kView, 96, 97), kBlack);
  EXPECT_EQ(Pixel(kView, 95, 50), kBlack);
}

TEST_F(GraphicsTest, BadArgumentsAreErrors) {
  struct Case {
    const char* name;
    void (*call)();
    int error;
  };
  const Case cases[] = {
      {"colour 16", [] { RtLine(RtWindowId::View, 0, 0, 1, 1, 16); }, 5},
      {"colour -2", [] { RtPset(RtWindowId::View, 0, 0, -2); }, 5},
      {"style 7", [] { RtSetLineStyle(RtWindowId::View, 7); }, 5},
      {"mode 1", [] { RtLine(RtWindowId::View, 0, 0, 1, 1, 0, RtLineShape::Line, -1, 1); }, 5},
      {"aspect 0", [] { RtCircle(RtWindowId::View, 5, 5, 3, 1, 0, 0, 0); }, 5},
      {"console window", [] { RtLine(RtWindowId::Main, 0, 0, 1, 1); }, 5},
      {"scale mode 7", [] { RtSetScaleMode(RtWindowId::Nav, 7); }, 5},
      {"font size 0", [] { RtSetFontSize(RtWindowId::Nav, 0); }, 5},
      {"negative pen", [] { RtSetWindowAttr(RtWindowId::Nav, -1); }, 5},
      {"pen beyond single precision", [] { RtSetWindowAttr(RtWindowId::Nav, 1e39); }, 6},
  };
  for (const Case& c : cases) EXPECT_EQ(RaisedError(c.call), c.error) << c.name;
}

TEST_F(GraphicsTest, FarAwayShapesAreCutNotMisdrawn) {
  // A line to a point far off the window still shows its part on the window.
  RtLine(kView, 0, 50, 3e30, 50, 15);
  EXPECT_EQ(CountOther(kView, 0, 50, 200, 51, kBlack), 200);
  RtCircle(kView, 1e30, 1e30, 1e31, 15);
  RtSymbol(kView, 1e20, 0, "X", 1, 1, 0, 15);
  EXPECT_EQ(CountOther(kView, 0, 0, 200, 50, kBlack), 0);
}

TEST_F(GraphicsTest, PositionsOutOfAllReachAreLeftOutNotErrors) {
  // Beyond single precision: the line's part on the window is drawn all the same.
  RtLine(kView, 0, 50, 1e39, 50, 15);
  EXPECT_EQ(CountOther(kView, 0, 50, 200, 51, kBlack), 200);
  // What no number can place draws nothing, and raises nothing.
  const double inf = std::numeric_limits<double>::infinity();
  const double nan = std::nan("");
  RtLine(kView, inf, 0, 10, 10, 15);
  RtLine(kView, 0, 0, nan, 10, 15, RtLineShape::FilledBox);
  RtLine(kView, 0, 0, 10, -inf, 15, RtLineShape::Box);
  RtPset(kView, 0, 1e39, 15);
  RtPset(kView, nan, 10, 15);
  RtGraphMove(kView, nan, 0);
  RtPrintToWindow(kView, "XX", false);
  RtLocateWindow(kView, inf, 0);
  RtPrintToWindow(kView, "XX", false);
  RtCircle(kView, 20, 20, nan, 15);
  RtCircle(kView, 20, 20, 10, 15, 0, inf);
  RtSymbol(kView, nan, 0, "X", 1, 1, 0, 15);
  RtSymbol(kView, 10, 10, "X", 1, 1, inf, 15);
  const RtPoint broken[] = {{0, 40}, {nan, 40}, {200, 40}};
  RtPolyline(kView, broken, 15);
  EXPECT_EQ(CountOther(kView, 0, 0, 200, 50, kBlack), 0);
  // The window draws on as before.
  RtLine(kView, 0, 30, 99, 30, 15);
  EXPECT_EQ(CountOther(kView, 0, 0, 200, 50, kBlack), 100);
}

TEST_F(GraphicsTest, SymbolMagnifiesAndTurns) {
  const auto inkBox = [](double turns, double magnify) {
    rt::ClearWindowGraphics(kNav);
    RtSymbol(kNav, 150, 150, "ABCDEF", magnify, magnify, turns, 0);
    int left = 1000, right = -1, top = 1000, bottom = -1;
    for (int y = 0; y < 300; ++y)
      for (int x = 0; x < 300; ++x)
        if (Pixel(kNav, x, y) != kWhite) {
          left = std::min(left, x), right = std::max(right, x);
          top = std::min(top, y), bottom = std::max(bottom, y);
        }
    return std::vector<int>{left, top, right, bottom};
  };
  const std::vector<int> upright = inkBox(0, 1);
  EXPECT_GE(upright[0], 150);
  EXPECT_GE(upright[1], 150);
  EXPECT_GT(upright[2] - upright[0], upright[3] - upright[1]);  // wider than high
  const std::vector<int> turned = inkBox(1, 1);
  EXPECT_LT(turned[3], 151);  // reads upwards from the anchor
  EXPECT_GT(turned[3] - turned[1], turned[2] - turned[0]);
  const std::vector<int> twice = inkBox(0, 2);
  EXPECT_NEAR(twice[2] - twice[0], 2 * (upright[2] - upright[0]), 4);
  EXPECT_EQ(RtGraphPoint(kNav, 0), 0);  // the position stays
}

TEST_F(GraphicsTest, BitmapsCopyStretchAndBlit) {
  RtLine(kView, 10, 10, 19, 19, 12, RtLineShape::FilledBox);
  RtBitmap copy = RtCopyWindowToBitmap(kView, 10, 10, 10, 10);
  ASSERT_EQ(copy.pixelWidth(), 10);
  EXPECT_EQ(RtBitmapWidth(copy, kView), 10);
  RtDrawBitmap(kView, copy, 100, 50, 20, 20);
  EXPECT_EQ(CountOther(kView, 100, 50, 120, 70, rt::PaletteRgb(12)), 0);
  EXPECT_EQ(Pixel(kView, 120, 70), kBlack);
  // A part of it, 5 x 5, stretched to 15 x 15.
  RtDrawBitmapPart(kView, copy, 150, 10, 15, 15, 0, 0, 5, 5);
  EXPECT_EQ(CountOther(kView, 150, 10, 165, 25, rt::PaletteRgb(12)), 0);
  EXPECT_EQ(Pixel(kView, 166, 10), kBlack);
  // Sizes in the units of another window: 10 pixels are 26.46 units of 0.1 mm.
  RtSetScaleMode(kNav, 2);
  EXPECT_NEAR(RtBitmapHeight(copy, kNav), 10 * 254.0 / 96, 1e-9);
}

// A 24-bit bottom-up BMP of 2 x 2 pixels: bottom row red, white; top row blue, black.
std::string SmallBmp() {
  const unsigned char bytes[] = {
      'B', 'M', 70,  0,   0,    0,    0, 0, 0,    0,    54, 0, 0, 0,  // file header
      40,  0,   0,   0,   2,    0,    0, 0, 2,    0,    0,  0, 1, 0, 24, 0, 0, 0, 0, 0,  // info
                                                                                         // header
      16,  0,   0,   0,   0x13, 0x0B, 0, 0, 0x13, 0x0B, 0,  0, 0, 0, 0,  0, 0, 0, 0, 0, 0,
      0,   255, 255, 255, 255,  0,    0,     // bottom row (BGR), padded to 8 bytes
      255, 0,   0,   0,   0,    0,    0, 0,  // top row
  };
  return std::string(reinterpret_cast<const char*>(bytes), sizeof bytes);
}

TEST_F(GraphicsTest, LoadsBmpAndPngPictures) {
  TempFolder folder;
  WriteHostFile(folder / "pic.bmp", SmallBmp());
  RtBitmap bmp;
  ASSERT_TRUE(RtLoadPicture(bmp, folder / "pic.bmp"));
  ASSERT_EQ(bmp.pixelWidth(), 2);
  RtDrawBitmap(kView, bmp, 0, 0);
  EXPECT_EQ(Pixel(kView, 0, 0), 0x0000FFu);
  EXPECT_EQ(Pixel(kView, 1, 0), kBlack);
  EXPECT_EQ(Pixel(kView, 0, 1), 0xFF0000u);
  EXPECT_EQ(Pixel(kView, 1, 1), kWhite);

  // A PNG, whatever its name says.
  RtLine(kView, 0, 0, 3, 3, 10, RtLineShape::FilledBox);
  ASSERT_TRUE(rt::WriteWindowPng(kView, folder / "view.wmf"));
  RtBitmap png;
  ASSERT_TRUE(RtLoadPicture(png, folder / "view.wmf"));
  EXPECT_EQ(png.pixelWidth(), rt::ClientPixelWidth(kView));
  rt::ClearWindowGraphics(kNav);
  RtDrawBitmap(kNav, png, 0, 0);
  EXPECT_EQ(Pixel(kNav, 3, 3), rt::PaletteRgb(10));
}

TEST_F(GraphicsTest, MissingOrBrokenPictures) {
  TempFolder folder;
  RtBitmap bitmap;
  EXPECT_FALSE(RtLoadPicture(bitmap, folder / "none.png"));
  EXPECT_EQ(RtErr(), kErrFileNotFound);
  EXPECT_TRUE(bitmap.empty());
  RtDrawBitmap(kView, bitmap, 0, 0);  // nothing

  std::string truncated = SmallBmp();
  truncated.resize(60);
  const std::string broken[] = {"not a picture", truncated, std::string("\x89PNG\r\n\x1a\nxx", 10)};
  for (const std::string& bytes : broken) {
    WriteHostFile(folder / "bad", bytes);
    EXPECT_EQ(RaisedError([&] { RtLoadPicture(bitmap, folder / "bad"); }), kErrIllegalArgument);
  }
}

TEST_F(GraphicsTest, WritesAnyWindowAsPng) {
  TempFolder folder;
  RtLine(kView, 0, 0, 5, 5, 15, RtLineShape::FilledBox);
  for (RtWindowId id : {RtWindowId::Main, kView, kNav}) {
    const std::string path = folder / (std::string(RtWindowName(id)) + ".png");
    ASSERT_TRUE(rt::WriteWindowPng(id, path));
    cairo_surface_t* png = cairo_image_surface_create_from_png(path.c_str());
    ASSERT_EQ(cairo_surface_status(png), CAIRO_STATUS_SUCCESS);
    if (id == RtWindowId::Main) {
      EXPECT_EQ(cairo_image_surface_get_width(png), 504);
      EXPECT_EQ(cairo_image_surface_get_height(png), 702);
    } else {
      EXPECT_EQ(cairo_image_surface_get_width(png), rt::ClientPixelWidth(id));
    }
    cairo_surface_destroy(png);
  }
  EXPECT_FALSE(rt::WriteWindowPng(RtWindowId::Printer, folder / "printer.png"));  // no page
  EXPECT_FALSE(rt::WriteWindowPng(kView, folder / "missing/view.png"));
}

}  // namespace

namespace {

class WindowTest : public ::testing::Test {
 protected:
  Runtime runtime;
  RuntimeScope scope{runtime};
};

TEST_F(WindowTest, SizesInEachUnit) {
  struct Case {
    RtWindowId id;
    double width, height;         // outer, in the window's unit
    int pixelWidth, pixelHeight;  // outer, in screen pixels
    double clientWidth, clientHeight;
  };
  // 0.1 mm: 254 units are 96 pixels; 0.01 inch: 100 units are 96 pixels. The
  // client area is 8 x 34 pixels smaller than the window.
  const Case cases[] = {
      {RtWindowId::Main, 512, 300, 512, 300, 504, 266},
      {RtWindowId::View, 2540, 1270, 960, 480, 2519, 1180},
      {RtWindowId::Nav, 1000, 500, 960, 480, 992, 465},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(RtWindowName(c.id));
    RtSetWindowSize(c.id, c.width, c.height);
    EXPECT_EQ(RtWindowOuterWidth(c.id, RtSizeUnit::ScreenPixels), c.pixelWidth);
    EXPECT_EQ(RtWindowOuterHeight(c.id, RtSizeUnit::ScreenPixels), c.pixelHeight);
    EXPECT_EQ(RtWindowOuterWidth(c.id), c.width);
    EXPECT_EQ(RtWindowOuterHeight(c.id), c.height);
    EXPECT_EQ(RtWindowWidth(c.id), c.clientWidth);
    EXPECT_EQ(RtWindowHeight(c.id), c.clientHeight);
  }
  // The console's client area as the form describes it.
  Runtime fresh;
  RuntimeScope freshScope{fresh};
  EXPECT_EQ(RtWindowWidth(RtWindowId::Main), 504);
  EXPECT_EQ(RtWindowHeight(RtWindowId::Main), 702);
}

TEST_F(WindowTest, DrawingOutsideAShrunkWindowComesBackWhenItGrows) {
  const RtWindowId nav = RtWindowId::Nav;
  RtMaximizeWindow(nav);
  const int far = rt::ClientPixelWidth(nav) - 10;
  RtLine(nav, rt::PixelsToUnits(nav, far), 0, rt::PixelsToUnits(nav, far + 5),
         rt::PixelsToUnits(nav, 5), 4, RtLineShape::FilledBox);
  RtRestoreWindow(nav);
  ASSERT_LT(rt::ClientPixelWidth(nav), far);
  RtMaximizeWindow(nav);
  EXPECT_EQ(Pixel(nav, far + 2, 2), rt::PaletteRgb(4));
}

TEST_F(WindowTest, MaximiseCoversTheScreenAndRestoreGoesBack) {
  const RtWindowId view = RtWindowId::View;
  RtSetWindowSize(view, 2540, 1270);
  RtMoveWindow(view, 254, 0);
  RtMaximizeWindow(view);
  EXPECT_EQ(RtWindowWidth(view), 3387);   // 1280 pixels
  EXPECT_EQ(RtWindowHeight(view), 2641);  // 998 pixels
  RtMaximizeWindow(RtWindowId::Nav);
  EXPECT_EQ(RtWindowWidth(RtWindowId::Nav), 1333);
  EXPECT_EQ(RtWindowHeight(RtWindowId::Nav), 1040);

  // A maximised window takes a new size and keeps its flag; restoring brings back
  // the size from before the maximise.
  RtSetWindowSize(view, 1000, 1000);
  EXPECT_EQ(RtWindowOuterWidth(view, RtSizeUnit::ScreenPixels), 378);
  RtRestoreWindow(view);
  EXPECT_EQ(RtWindowOuterWidth(view, RtSizeUnit::ScreenPixels), 960);
  EXPECT_NE(rt::WindowStateLine(view).find(" left=254 top=0 width=2540 "), std::string::npos);

  // Minimise and restore: the maximised state survives.
  RtMaximizeWindow(view);
  RtMinimizeWindow(view);
  EXPECT_TRUE(RtIsMinimized(view));
  EXPECT_EQ(RtWindowWidth(view), 3387);
  RtRestoreWindow(view);
  EXPECT_FALSE(RtIsMinimized(view));
  EXPECT_EQ(RtWindowWidth(view), 3387);
  RtRestoreWindow(view);
  EXPECT_EQ(RtWindowOuterWidth(view, RtSizeUnit::ScreenPixels), 960);
}

TEST_F(WindowTest, ResizingKeepsThePicture) {
  const RtWindowId nav = RtWindowId::Nav;
  RtSetScaleMode(nav, 1);
  RtSetWindowSize(nav, 200, 100);
  RtLine(nav, 10, 10, 20, 20, 12, RtLineShape::FilledBox);
  RtSetWindowSize(nav, 600, 400);
  ASSERT_EQ(cairo_image_surface_get_width(Picture(nav)), 592);
  EXPECT_EQ(Pixel(nav, 15, 15), rt::PaletteRgb(12));
  EXPECT_EQ(Pixel(nav, 500, 300), kWhite);  // new area in the background colour
  RtSetWindowSize(nav, -5, 1e6);            // kept within 9 x 35 and twice the screen
  EXPECT_EQ(RtWindowOuterWidth(nav, RtSizeUnit::ScreenPixels), 9);
  EXPECT_EQ(RtWindowOuterHeight(nav, RtSizeUnit::ScreenPixels), 2048);
  EXPECT_EQ(RtWindowWidth(nav), 1);
}

TEST_F(WindowTest, StateLineDescribesTheWindow) {
  const RtWindowId main = RtWindowId::Main;
  RtSetWindowTitle(main, "測量\n\r\"x\"");
  RtSetWindowSize(main, 512, 177);
  RtMoveWindow(main, 290, 0);
  RtSetWindowOrder(main, true);
  EXPECT_EQ(rt::WindowStateLine(main),
            reinterpret_cast<const char*>(
                u8"main caption=\"測量\\n\\r\\\"x\\\"\" left=290 top=0 width=512 height=177 "
                u8"shown=1 minimised=0 maximised=0 topmost=1"));
  RtShowWindow(RtWindowId::View);
  RtSetWindowTitle(RtWindowId::View, "ダイナミックビュー");
  RtMoveWindow(RtWindowId::View, 1350, 0);
  RtSetWindowSize(RtWindowId::View, 2540, 2540);
  EXPECT_EQ(rt::WindowStateLine(RtWindowId::View),
            reinterpret_cast<const char*>(
                u8"view caption=\"ダイナミックビュー\" left=1349 top=0 width=2540 height=2540 "
                u8"shown=1 minimised=0 maximised=0 topmost=0"));
}

TEST_F(WindowTest, BadWindowCallsAreErrors) {
  EXPECT_EQ(RaisedError([] { RtSetWindowSize(RtWindowId::Printer, 10, 10); }), kErrIllegalArgument);
  EXPECT_EQ(RaisedError([] { RtSetMouseCursor(RtWindowId::View, 16); }), kErrIllegalArgument);
  EXPECT_EQ(RaisedError([] { RtMoveWindow(RtWindowId::Nav, std::nan(""), 0); }), kErrOverflow);
  RtSetMouseCursor(RtWindowId::View, 3);
  EXPECT_EQ(CurrentRuntime().windows->windows[1].pointer, 3);
  RtActivateWindow(RtWindowId::Nav);
  EXPECT_EQ(CurrentRuntime().windows->active, RtWindowId::Nav);
}

}  // namespace
