// The navigator in whole sessions: the guide text of each question in the main
// window's caption and the navigator's text area, the menu picture beside it, and
// no navigator at all without the guide-text file.
#include <cairo.h>
#include <gtest/gtest.h>

#include <cstdint>
#include <cstdlib>
#include <filesystem>
#include <memory>
#include <sstream>
#include <string>
#include <vector>

#include "runtime/palette.h"
#include "runtime/temp_folder.h"
#include "runtime/text.h"
#include "scripted/session.h"
#include "support/u8.h"

namespace {

using scripted::Krn;
using scripted::SessionResult;
using scripted::ShippedFile;

// The title of text `number` in a guide-text file, in UTF-8: the line after the
// marker line that names the number.
std::string GuideTitle(const std::string& guideTexts, int number) {
  std::istringstream lines(guideTexts);
  for (std::string line; std::getline(lines, line);) {
    if (!line.starts_with('/') || std::atoi(line.substr(1, 5).c_str()) != number) continue;
    std::string title;
    std::getline(lines, title);
    if (title.ends_with('\r')) title.pop_back();
    return rt::Cp932ToUtf8(title);
  }
  return {};
}

// The script: the main menu's question, then command 12 (search), Enter for the
// current point, and the range question; the main window's caption and the
// navigator's picture at each of the two questions.
const std::string kScript =
    "!state main\n!png nav menu.png\n"
    "12\n\n"
    "!state main\n!png nav range.png\n";

// The caption in each "!state main" line, in order (UTF-8, escapes as written).
std::vector<std::string> MainCaptions(const SessionResult& session) {
  std::vector<std::string> captions;
  const std::string start = "main caption=\"";
  for (const std::string& line : session.Lines()) {
    if (!line.starts_with(start)) continue;
    const size_t end = line.find("\" left=");
    captions.push_back(line.substr(start.size(), end - start.size()));
  }
  return captions;
}

class Png {
 public:
  explicit Png(const std::string& path)
      : surface_(cairo_image_surface_create_from_png(path.c_str()), cairo_surface_destroy) {}
  bool ok() const { return cairo_surface_status(surface_.get()) == CAIRO_STATUS_SUCCESS; }
  int width() const { return cairo_image_surface_get_width(surface_.get()); }
  int height() const { return cairo_image_surface_get_height(surface_.get()); }
  uint32_t at(int x, int y) const {
    const unsigned char* row = cairo_image_surface_get_data(surface_.get()) +
                               y * cairo_image_surface_get_stride(surface_.get());
    return reinterpret_cast<const uint32_t*>(row)[x] & 0xFFFFFF;
  }
  // The pixel rows holding `colour` left of x = `right`, top to bottom.
  std::vector<int> rowsWith(uint32_t colour, int right) const {
    std::vector<int> rows;
    for (int y = 0; y < height(); ++y) {
      for (int x = 0; x < right && x < width(); ++x) {
        if (at(x, y) != colour) continue;
        rows.push_back(y);
        break;
      }
    }
    return rows;
  }

 private:
  std::unique_ptr<cairo_surface_t, void (*)(cairo_surface_t*)> surface_;
};

// The guide text area is 223 navigator units (0.01 inch) wide at these screens'
// size factor, a little over 214 pixels.
constexpr int kTextAreaRight = 214;

TEST(NavigatorSession, EachQuestionShowsItsGuideTextBesideTheMenuPicture) {
  const std::string guideTexts = ShippedFile("KRN2000.lst");
  const SessionResult session =
      Krn(kScript, {}, {{"KRN2000.lst", guideTexts}, {"krn2000.svg", ShippedFile("krn2000.svg")}});
  ASSERT_EQ(session.status, 0) << session.errors;

  // The caption: the title, 28 blanks and the number with its leading blank.
  const std::string pad(28, ' ');
  const std::string menuTitle = GuideTitle(guideTexts, 2);
  const std::string rangeTitle = GuideTitle(guideTexts, 101);
  ASSERT_FALSE(menuTitle.empty());
  ASSERT_FALSE(rangeTitle.empty());
  EXPECT_EQ(MainCaptions(session), (std::vector<std::string>{"   " + menuTitle + pad + " 2",
                                                             "   " + rangeTitle + pad + " 101"}));

  for (const char* name : {"menu.png", "range.png"}) {
    SCOPED_TRACE(name);
    const Png nav(*session.dataFolder / name);
    ASSERT_TRUE(nav.ok());
    // The text area in its colour; the title, then the body below it.
    EXPECT_EQ(nav.at(kTextAreaRight - 10, 100), rt::PaletteRgb(14));
    const std::vector<int> title = nav.rowsWith(rt::PaletteRgb(10), kTextAreaRight);
    const std::vector<int> body = nav.rowsWith(rt::PaletteRgb(1), kTextAreaRight);
    ASSERT_FALSE(title.empty());
    ASSERT_FALSE(body.empty());
    EXPECT_EQ(title.front(), 0);
    EXPECT_LT(title.back(), body.front());
    // Beside it, the edge of the menu picture that start-up drew at its own size:
    // the first cell (the open traverse), its name band and its fill.
    EXPECT_EQ(nav.at(kTextAreaRight + 10, 33), 0x2A62A8u);
    EXPECT_EQ(nav.at(kTextAreaRight + 10, 80), 0xD9EAFFu);
  }
  // The footer follows the main menu's text directly; after any other text it
  // stands on row 27, below the navigator's lower edge in this layout.
  const Png menu(*session.dataFolder / "menu.png");
  const std::vector<int> menuFooter = menu.rowsWith(rt::PaletteRgb(0), kTextAreaRight);
  ASSERT_FALSE(menuFooter.empty());
  EXPECT_GT(menuFooter.front(), menu.rowsWith(rt::PaletteRgb(1), kTextAreaRight).back());
  const Png range(*session.dataFolder / "range.png");
  EXPECT_TRUE(range.rowsWith(rt::PaletteRgb(0), kTextAreaRight).empty());
}

TEST(NavigatorSession, WithoutGuideTextsThereIsNoNavigatorAndTheRestWorks) {
  const SessionResult session = Krn(kScript, {}, {{"krn2000.svg", ShippedFile("krn2000.svg")}});
  ASSERT_EQ(session.status, 0) << session.errors;
  // The questions are asked all the same; the caption stays as the main menu set it.
  EXPECT_TRUE(scripted::HasLineStartingWith(session, U8(u8" 範囲 ＝"))) << session.transcript;
  for (const std::string& caption : MainCaptions(session))
    EXPECT_EQ(caption, U8(u8"測量ケルノ君プロジェクトウインドウ []"));
  // Nothing was ever drawn into the navigator.
  const Png nav(*session.dataFolder / "range.png");
  ASSERT_TRUE(nav.ok());
  for (int y = 0; y < nav.height(); ++y)
    for (int x = 0; x < nav.width(); ++x) ASSERT_EQ(nav.at(x, y), 0xFFFFFFu) << x << "," << y;
}

}  // namespace
