// Texts shaped below Pango's layout must come out exactly as the layout lays
// them out: the same extents to the last Pango unit and the same pixels, in
// every font, size and style the program draws in, and for the texts the fast
// way leaves to the layout.
#include <cairo.h>
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "runtime/graphics.h"
#include "runtime/graphics_target.h"
#include "runtime/runtime.h"
#include "runtime/windows.h"

namespace {

constexpr RtWindowId kView = RtWindowId::View;
constexpr RtWindowId kPrinter = RtWindowId::Printer;

struct Font {
  const char* name;  // the program's name (CP932)
  double points;
  bool bold;
  bool italic;
};

// The view's label sizes (whole and a thousandth off, as a zoom gives them),
// the four Japanese faces, and faces without Japanese glyphs, whose texts
// fall back to another font part-way.
const Font kFonts[] = {
    {"ＭＳ ゴシック", 9, false, false},   {"ＭＳ ゴシック", 7.001, false, false},
    {"ＭＳ 明朝", 11.5, true, false},     {"ＭＳ Ｐゴシック", 5, false, true},
    {"ＭＳ Ｐ明朝", 24.003, true, true}, {"DejaVu Sans", 10, false, false},
    {"DejaVu Serif", 8.25, true, true},
};

// Point names, codes and heights as a job holds them, and the texts at the
// edges of the fast way (empty, blanks, control characters).
const char* const kTexts[] = {
    "",
    " ",
    "   ",
    "0",
    "T.1234",
    "123.456",
    "-0.125",
    "1D+015",
    "12境界杭",
    "07BL-37",
    "測量ケルノ君",
    "ｿｸﾘｮｳﾃﾝ",
    "ﾃﾞｰﾀ ｶﾞ ﾅｲ",
    "ＡＢＣ１２３",
    "mixed 測量 ｶﾅ 9.87 end",
    "  blanks around  ",
    "ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghij",
    "No.12-3(A)/B*C",
    "①②※〒≒∵",
    "tab\there",
};

// What one way of laying out gives: the extents of every text in every font
// on the view and on the printer page, and the view's picture of each text.
struct Result {
  std::vector<double> extents;
  std::vector<std::string> pictures;
  size_t shapedBelowLayout = 0;  // texts that did not go through the layout
};

std::string ViewPicture() {
  cairo_surface_t* s = rt::WindowSurface(kView);
  cairo_surface_flush(s);
  const char* data = reinterpret_cast<const char*>(cairo_image_surface_get_data(s));
  return std::string(data, static_cast<size_t>(cairo_image_surface_get_stride(s)) *
                               static_cast<size_t>(cairo_image_surface_get_height(s)));
}

Result LayOutEveryText(bool belowLayout) {
  rt::ShapeTextsBelowLayout(belowLayout);
  Result result;
  for (const Font& font : kFonts) {
    for (RtWindowId id : {kView, kPrinter}) {
      RtSetFontName(id, font.name);
      RtSetFontSize(id, font.points);
      RtSetFontBold(id, font.bold);
      RtSetFontItalic(id, font.italic);
    }
    for (const char* text : kTexts) {
      for (RtWindowId id : {kView, kPrinter}) {
        result.extents.push_back(RtTextWidth(id, text));
        result.extents.push_back(RtTextHeight(id, text));
      }
      rt::ClearWindowGraphics(kView);
      RtGraphMove(kView, 13, 17);
      RtPrintToWindow(kView, text, false);
      RtSymbol(kView, 31, 120, text, 1, 1, 0, 14);
      result.pictures.push_back(ViewPicture());
    }
  }
  result.shapedBelowLayout = rt::ShapeTextsBelowLayout(true);
  return result;
}

TEST(TextShapingTest, ShapedTextsHaveTheLayoutsExtentsAndPixels) {
  Runtime runtime;
  RuntimeScope scope{runtime};
  RtSetScaleMode(kView, 1);
  RtSetWindowSize(kView, 600 + rt::kFrameWidth, 200 + rt::kFrameHeight);
  RtSetScaleMode(kPrinter, 2);
  RtColor(kView, 15, 0);
  const Result layout = LayOutEveryText(false);
  const Result shaped = LayOutEveryText(true);
  ASSERT_EQ(shaped.extents.size(), layout.extents.size());
  ASSERT_EQ(shaped.pictures.size(), layout.pictures.size());
  const size_t texts = std::size(kTexts);
  for (size_t k = 0; k < layout.pictures.size(); ++k) {
    const Font& font = kFonts[k / texts];
    SCOPED_TRACE(std::string(font.name) + " " + std::to_string(font.points) +
                 (font.bold ? " bold" : "") + (font.italic ? " italic" : "") + ": \"" +
                 kTexts[k % texts] + "\"");
    for (size_t e = 4 * k; e < 4 * k + 4; ++e) EXPECT_EQ(shaped.extents[e], layout.extents[e]);
    EXPECT_TRUE(shaped.pictures[k] == layout.pictures[k]) << "the pixels differ";
  }
  // The texts were drawn at all, and most of them below the layout (each
  // text is laid out for the view's extent, its pixels, and the printer's).
  EXPECT_NE(layout.pictures[texts + 4], layout.pictures[texts]);
  EXPECT_EQ(layout.shapedBelowLayout, 0u);
  EXPECT_GT(shaped.shapedBelowLayout, 2 * layout.pictures.size());
}

}  // namespace
