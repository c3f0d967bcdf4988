#include "ui/navigator.h"

#include <cairo.h>
#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <cstdlib>
#include <filesystem>
#include <memory>
#include <string>
#include <vector>

#include "core/app.h"
#include "runtime/errors.h"
#include "runtime/folders.h"
#include "runtime/graphics.h"
#include "runtime/graphics_target.h"
#include "runtime/palette.h"
#include "runtime/temp_folder.h"
#include "runtime/windows.h"
#include "runtime/windows_state.h"

namespace {

constexpr RtWindowId kNav = RtWindowId::Nav;

// Runs the test in a fresh current folder and goes back afterwards.
class NavigatorTest : public ::testing::Test {
 protected:
  void SetUp() override { RtChdir(folder.path()); }
  void TearDown() override { RtChdir(previous); }

  std::string MainCaption() const { return app.rt.windows->windows[0].caption; }

  App app;
  TempFolder folder;
  std::string previous = RtCurDir();
};

TEST_F(NavigatorTest, GuideTextFileIsSplitAtItsMarkerLines) {
  WriteHostFile(folder / "KRN2000.lst",
                "footer\r\n"
                "/5\r\n"
                "title five\r\n"
                "second\r\n"
                "/ 10  tail\r\n"
                "ten\r\n"
                "\r\n"
                "/5\r\n"
                "more\r\n"
                "/2000\r\n"
                "beyond the table\r\n"
                "/-1\r\n"
                "below the table\r\n"
                "/1100\r\n"
                "last");
  LoadGuideTexts(app);
  const auto& text = app.navigator.GuideText;
  EXPECT_EQ(app.navigator.NavigatorOff, 0);
  EXPECT_EQ(text(0), "footer\n\r");
  EXPECT_EQ(text(5), "title five\n\rsecond\n\rmore\n\r");  // a repeated number appends
  EXPECT_EQ(text(10), "ten\n\r\n\r");  // characters 2-6 only; empty lines kept
  EXPECT_EQ(text(1100), "last\n\r");
  EXPECT_EQ(text(1), "");
  EXPECT_EQ(text.Bound(), 1100);
}

TEST_F(NavigatorTest, MissingGuideTextFileSwitchesTheNavigatorOff) {
  LoadGuideTexts(app);
  EXPECT_EQ(app.navigator.NavigatorOff, 1);
  EXPECT_EQ(RtErr(), kErrFileNotFound);

  app.input.GuideNumber = 1;
  app.navigator.GuideCountdown = 2;
  const std::string caption = MainCaption();
  ShowGuideNext(app);
  EXPECT_EQ(MainCaption(), caption);
  EXPECT_EQ(app.navigator.GuideCountdown, 2);
}

TEST_F(NavigatorTest, GuidesStackWhileTheCountdownLastsAndTheCaptionNamesThem) {
  auto& text = app.navigator.GuideText;
  text(10) = "Ten\n\rbody ten\n\r";
  text(11) = "Eleven\n\rbody eleven\n\r";
  text(12) = "Twelve\n\r";
  const std::string pad(28, ' ');
  app.navigator.GuideCountdown = 2;  // as a preceding stacked display leaves it
  app.navigator.PreviousGuideTitle = "Nine\n";

  app.input.GuideNumber = 10;
  ShowGuideNext(app);
  EXPECT_EQ(MainCaption(), "Nine\n   Ten" + pad + " 10");
  EXPECT_EQ(app.navigator.PreviousGuideTitle, "Ten\n");
  EXPECT_EQ(app.navigator.GuideCountdown, 1);

  app.input.GuideNumber = 11;
  ShowGuideNext(app);
  EXPECT_EQ(MainCaption(), "Ten\n   Eleven" + pad + " 11");
  EXPECT_EQ(app.navigator.GuideCountdown, 0);

  // The countdown has run out: the area is cleared and the caption starts afresh.
  app.input.GuideNumber = 12;
  ShowGuideNext(app);
  EXPECT_EQ(MainCaption(), "   Twelve" + pad + " 12");
  EXPECT_EQ(app.navigator.PreviousGuideTitle, "Twelve\n");

  // A number without a text shows an empty title.
  app.input.GuideNumber = 13;
  ShowGuideNext(app);
  EXPECT_EQ(MainCaption(), "   " + pad + " 13");
  EXPECT_EQ(app.navigator.PreviousGuideTitle, "");
}

// ---- The menu picture and its magnified cells ----

// The picture the program ships (data/ at the top of the source tree).
std::string ShippedPicture() {
  return (std::filesystem::path(KRN_TEST_DATA).parent_path().parent_path() / "data" / "krn2000.svg")
      .string();
}

// A picture in screen pixels: a PNG file or a bitmap's copy.
class Pixels {
 public:
  explicit Pixels(const std::string& pngPath)
      : surface_(cairo_image_surface_create_from_png(pngPath.c_str()), cairo_surface_destroy) {}
  explicit Pixels(cairo_surface_t* surface)
      : surface_(cairo_surface_reference(surface), cairo_surface_destroy) {}

  bool ok() const { return cairo_surface_status(surface_.get()) == CAIRO_STATUS_SUCCESS; }
  int width() const { return cairo_image_surface_get_width(surface_.get()); }
  int height() const { return cairo_image_surface_get_height(surface_.get()); }
  // The colour at (x, y); kOutside outside the picture.
  static constexpr uint32_t kOutside = 0x1000000;
  uint32_t at(int x, int y) const {
    if (x < 0 || y < 0 || x >= width() || y >= height()) return kOutside;
    cairo_surface_flush(surface_.get());
    const unsigned char* row = cairo_image_surface_get_data(surface_.get()) +
                               y * cairo_image_surface_get_stride(surface_.get());
    return reinterpret_cast<const uint32_t*>(row)[x] & 0xFFFFFF;
  }
  // True when the square of `radius` around (x, y) lies inside and is one colour.
  bool flatAround(int x, int y, int radius) const {
    if (x - radius < 0 || y - radius < 0 || x + radius >= width() || y + radius >= height())
      return false;
    for (int dy = -radius; dy <= radius; ++dy)
      for (int dx = -radius; dx <= radius; ++dx)
        if (at(x + dx, y + dy) != at(x, y)) return false;
    return true;
  }

 private:
  std::unique_ptr<cairo_surface_t, void (*)(cairo_surface_t*)> surface_;
};

bool CloseColours(uint32_t a, uint32_t b) {
  for (int shift : {0, 8, 16}) {
    if (std::abs(static_cast<int>((a >> shift) & 0xFF) - static_cast<int>((b >> shift) & 0xFF)) > 2)
      return false;
  }
  return true;
}

int Px(double navigatorUnits) { return static_cast<int>(rt::UnitsToPixels(kNav, navigatorUnits)); }

// A cell of the picture as the program finds it, in navigator units before the
// size factors.
struct Cell {
  double left;
  double top;
};
Cell CellAt(double column, double row) {
  return {std::floor(230 + double(136.79f) * column), std::floor(22 + double(136.79f) * row)};
}

// The navigator made as start-up makes it: the picture drawn into the maximised
// window and copied, then a window as wide as the third layout gives it.
class NavigatorPictureTest : public NavigatorTest {
 protected:
  void MakeNavigator(double scale = 1, double mouseRatio = 1) {
    std::filesystem::copy_file(ShippedPicture(), folder / "krn2000.svg");
    ui::NavigatorState& nav = app.navigator;
    nav.NavigatorScale = scale;
    app.view.MouseScaleRatio = mouseRatio;
    RtSetScaleMode(kNav, 4);
    RtMaximizeWindow(kNav);
    nav.NavigatorMaxWidth = RtWindowWidth(kNav);
    nav.NavigatorMaxHeight = RtWindowHeight(kNav);
    ASSERT_TRUE(RtLoadPicture(nav.NavigatorPicture, "krn2000.svg"));
    RtDrawBitmap(kNav, nav.NavigatorPicture, 0, 0);
    nav.NavigatorBitmap =
        RtCopyWindowToBitmap(kNav, 0, 0, nav.NavigatorMaxWidth, nav.NavigatorMaxHeight);
    RtRestoreWindow(kNav);
    RtSetWindowSize(kNav, 817, 185);
  }

  Pixels NavigatorPng(const std::string& name) {
    const std::string path = folder / name;
    EXPECT_TRUE(rt::WriteWindowPng(kNav, path));
    return Pixels(path);
  }

  Pixels Copy() const { return Pixels(rt::BitmapSurface(app.navigator.NavigatorBitmap)); }

  void Magnify(double column, double row) {
    app.navigator.MenuCellColumn = column;
    app.navigator.MenuCellRow = row;
    ShowMenuPosition(app);
  }
};

TEST(NavigatorPicture, ShippedPictureIsAnSvgWithItsCellsOnTheGrid) {
  App app;
  RtBitmap picture;
  ASSERT_TRUE(RtLoadPicture(picture, ShippedPicture()));
  // Drawn at its own size: 13.25 x 10.25 inches, which fits the maximised navigator.
  EXPECT_EQ(picture.pixelWidth(), 1272);
  EXPECT_EQ(picture.pixelHeight(), 984);
  const Pixels pixels(rt::BitmapSurface(picture));

  struct GridCell {
    int column;
    int row;
    uint32_t fill;
    uint32_t band;
  };
  constexpr uint32_t kTraverse = 0xD9EAFF, kTraverseBand = 0x2A62A8;
  constexpr uint32_t kCoordinates = 0xDCF2D4, kCoordinatesBand = 0x33802A;
  constexpr uint32_t kRoute = 0xFFE6C7, kRouteBand = 0xB35F00;
  constexpr uint32_t kMachine = 0xECE0F6, kMachineBand = 0x74479B;
  constexpr uint32_t kArea = 0xFFF3BF, kAreaBand = 0x8A7400;
  std::vector<GridCell> cells;
  for (int column = 0; column < 6; ++column) {
    cells.push_back({column, 0, kTraverse, kTraverseBand});
    cells.push_back({column, 1, kCoordinates, kCoordinatesBand});
    const bool clothoid = column == 5;
    cells.push_back(
        {column, 2, clothoid ? kRoute : kCoordinates, clothoid ? kRouteBand : kCoordinatesBand});
    const bool machine = column >= 3;
    cells.push_back({column, 3, machine ? kMachine : kRoute, machine ? kMachineBand : kRouteBand});
  }
  cells.push_back({0, 4, kArea, kAreaBand});
  cells.push_back({1, 4, kArea, kAreaBand});

  for (const GridCell& c : cells) {
    SCOPED_TRACE("cell " + std::to_string(c.column) + "," + std::to_string(c.row));
    const Cell cell = CellAt(c.column, c.row);
    // Just inside the frame at both corners, in the name band, and just below the cell.
    EXPECT_EQ(pixels.at(Px(cell.left + 6), Px(cell.top + 30)), c.fill);
    EXPECT_EQ(pixels.at(Px(cell.left + 131), Px(cell.top + 108)), c.fill);
    EXPECT_EQ(pixels.at(Px(cell.left + 128), Px(cell.top + 6)), c.band);
    EXPECT_EQ(pixels.at(Px(cell.left + 130), Px(cell.top + 117)), 0xFFFFFFu);
  }
}

// The magnified cell is the picture's cell stretched: every point of it shows the
// picture at the matching point of the cell, wherever the picture is plain.
void ExpectMagnifiedCell(const Pixels& shown, const Pixels& copy, double column, double row,
                         double s, double m) {
  const Cell cell = CellAt(column, row);
  const double sourceLeft = cell.left * s, sourceTop = cell.top * s * m;
  const double sourceWidth = 137 * s, sourceHeight = 114 * s * m;
  const double shownLeft = 225 * s, shownWidth = 180 * s, shownHeight = 157 * s * m;
  int compared = 0;
  // The window may be lower than the magnified cell: its bottom is cut off.
  const int bottom = std::min(Px(shownHeight) - 2, shown.height());
  for (int y = 2; y < bottom; y += 3) {
    for (int x = Px(shownLeft) + 2; x < Px(shownLeft + shownWidth) - 2; x += 3) {
      const double u = (rt::PixelsToUnits(kNav, x + 0.5) - shownLeft) / shownWidth;
      const double v = rt::PixelsToUnits(kNav, y + 0.5) / shownHeight;
      const int sx = Px(sourceLeft + u * sourceWidth);
      const int sy = Px(sourceTop + v * sourceHeight);
      if (!copy.flatAround(sx, sy, 2)) continue;
      ++compared;
      ASSERT_TRUE(CloseColours(shown.at(x, y), copy.at(sx, sy)))
          << "shown (" << x << "," << y << ") picture (" << sx << "," << sy << ")";
    }
  }
  EXPECT_GT(compared, 500);
  // The rest of the cell area is cleared.
  for (int x = Px((225 + 180) * s) + 2; x < Px(501 * s) - 1; x += 4)
    ASSERT_EQ(shown.at(x, Px(100 * s * m)), 0xFFFFFFu) << x;
}

TEST_F(NavigatorPictureTest, MenuChoicesMagnifyTheirCells) {
  MakeNavigator();
  // The cells the menus give their choices.
  struct Choice {
    const char* what;
    double column;
    double row;
  };
  const Choice choices[] = {
      {"1 traverse, 1 open traverse", 0, 0},
      {"1 traverse, 5 radiation reverse traverse", 5, 0},
      {"2 various coordinates, 3 foot of perpendicular", 2, 1},
      {"2 various coordinates, 2.5 (column 1.5)", 1.5, 1},
      {"2 various coordinates, 12 line extension", 4, 2},
      {"3 route, 4 curve elements", 0, 3},
      {"4 machine point, 4 stake-out guidance", 5, 3},
      {"6 area, 5 division", 1, 4},
  };
  const Pixels copy = Copy();
  for (const Choice& choice : choices) {
    SCOPED_TRACE(choice.what);
    Magnify(choice.column, choice.row);
    EXPECT_EQ(app.navigator.NavigatorPictureDirty, 1);
    ExpectMagnifiedCell(NavigatorPng("nav.png"), copy, choice.column, choice.row, 1, 1);
  }
}

TEST_F(NavigatorPictureTest, MagnifiedCellShowsTheCellsColours) {
  MakeNavigator();
  Magnify(2, 1);  // various coordinates, kind 3
  const Pixels shown = NavigatorPng("nav.png");
  // Its name band along the top and its fill below the name.
  EXPECT_EQ(shown.at(Px(225 + 170), Px(10)), 0x33802Au);
  EXPECT_EQ(shown.at(Px(225 + 10), Px(140)), 0xDCF2D4u);
  Magnify(0, 0);  // traverse, open
  EXPECT_EQ(NavigatorPng("nav.png").at(Px(225 + 10), Px(140)), 0xD9EAFFu);
}

TEST_F(NavigatorPictureTest, CellsFollowTheSizeFactors) {
  struct Factors {
    double s;
    double m;
  };
  for (const Factors f :
       {Factors{1.0121, 0.9375}, Factors{1.18, 1}, Factors{1300.0 / 1050, 1.06066}}) {
    SCOPED_TRACE(std::to_string(f.s) + " x " + std::to_string(f.m));
    MakeNavigator(f.s, f.m);
    std::filesystem::remove(folder / "krn2000.svg");
    Magnify(3, 2);
    ExpectMagnifiedCell(NavigatorPng("nav.png"), Copy(), 3, 2, f.s, f.m);
  }
}

TEST_F(NavigatorPictureTest, RestoreDrawsThePictureAgainOnce) {
  MakeNavigator();
  Magnify(4, 0);
  RestoreNavigatorPicture(app);
  EXPECT_EQ(app.navigator.NavigatorPictureDirty, 0);
  const Pixels shown = NavigatorPng("nav.png");
  const Pixels picture(rt::BitmapSurface(app.navigator.NavigatorPicture));
  const int width = std::min(shown.width(), picture.width());
  const int height = std::min(shown.height(), picture.height());
  for (int y = 0; y < height; ++y)
    for (int x = 0; x < width; ++x) ASSERT_EQ(shown.at(x, y), picture.at(x, y)) << x << "," << y;

  // Nothing covers the picture now: a second call leaves the navigator alone.
  RtLine(kNav, 300, 20, 320, 40, 4, RtLineShape::FilledBox);
  RestoreNavigatorPicture(app);
  EXPECT_EQ(NavigatorPng("nav.png").at(Px(310), Px(30)), rt::PaletteRgb(4));
}

TEST_F(NavigatorPictureTest, NarrowNavigatorShowsNoCells) {
  MakeNavigator();
  RtSetWindowSize(kNav, rt::PixelsToUnits(kNav, 270), 185);  // outer width 270 pixels
  const Pixels before = NavigatorPng("before.png");
  Magnify(1, 1);
  EXPECT_EQ(app.navigator.NavigatorPictureDirty, 0);
  app.navigator.NavigatorPictureDirty = 1;
  RestoreNavigatorPicture(app);
  EXPECT_EQ(app.navigator.NavigatorPictureDirty, 1);
  const Pixels after = NavigatorPng("after.png");
  for (int y = 0; y < before.height(); ++y)
    for (int x = 0; x < before.width(); ++x) ASSERT_EQ(after.at(x, y), before.at(x, y));

  // One pixel wider is enough.
  RtSetWindowSize(kNav, rt::PixelsToUnits(kNav, 271), 185);
  Magnify(1, 1);
  EXPECT_EQ(app.navigator.NavigatorPictureDirty, 1);
  RestoreNavigatorPicture(app);
  EXPECT_EQ(app.navigator.NavigatorPictureDirty, 0);
}

TEST_F(NavigatorPictureTest, WithoutGuideTextsEveryOperationDoesNothing) {
  MakeNavigator();
  ui::NavigatorState& nav = app.navigator;
  nav.NavigatorOff = 1;
  nav.GuideText(3) = "Three\n\rbody\n\r";
  nav.GuideCountdown = 1;
  nav.PreviousGuideTitle = "Two\n";
  nav.NavigatorPictureDirty = 1;
  const std::string caption = MainCaption();
  const Pixels before = NavigatorPng("before.png");

  app.input.GuideNumber = 3;
  ShowGuide(app);
  ShowGuideNext(app);
  Magnify(2, 2);
  RestoreNavigatorPicture(app);

  EXPECT_EQ(MainCaption(), caption);
  EXPECT_EQ(nav.GuideCountdown, 1);
  EXPECT_EQ(nav.PreviousGuideTitle, "Two\n");
  EXPECT_EQ(nav.NavigatorPictureDirty, 1);
  const Pixels after = NavigatorPng("after.png");
  for (int y = 0; y < before.height(); ++y)
    for (int x = 0; x < before.width(); ++x) ASSERT_EQ(after.at(x, y), before.at(x, y));
}

// ---- Guide texts in the text area ----

// Rows of the navigator's text area (pixels) that hold a pixel of `colour`.
std::vector<int> RowsWith(const Pixels& shown, uint32_t colour) {
  std::vector<int> rows;
  for (int y = 0; y < shown.height(); ++y)
    for (int x = 0; x < Px(223); ++x)
      if (shown.at(x, y) == colour) {
        rows.push_back(y);
        break;
      }
  return rows;
}

class GuideAreaTest : public NavigatorPictureTest {
 protected:
  void SetUp() override {
    NavigatorPictureTest::SetUp();
    RtSetScaleMode(kNav, 4);
    RtSetWindowSize(kNav, 817, 1000);
    auto& text = app.navigator.GuideText;
    text(0) = "footer\n\r";
    text(2) = "Menu\n\rmenu body\n\r";
    text(10) = "Ten\n\rbody ten\n\r";
    text(11) = "Eleven\n\rbody eleven\n\r";
    text(12) = "Twelve\n\rbody twelve\n\r";
  }
  void Show(void (*display)(App&), double number) {
    app.input.GuideNumber = number;
    display(app);
  }
  // The pixel row where text row `row` of the navigator begins.
  int TextRow(int row) { return Px(row * RtTextHeight(kNav, "0")); }

  const uint32_t kTitle = rt::PaletteRgb(10);
  const uint32_t kFooter = rt::PaletteRgb(0);
};

TEST_F(GuideAreaTest, ShowGuideStacksTheNextTextBelowItAndTheFooterAtRow27) {
  app.navigator.PreviousGuideTitle = "Nine\n";
  Show(ShowGuide, 10);
  EXPECT_EQ(MainCaption(), "Nine\n   Ten" + std::string(28, ' ') + " 10");
  EXPECT_EQ(app.navigator.GuideCountdown, 1);
  EXPECT_TRUE(RowsWith(NavigatorPng("nav.png"), kFooter).empty());

  Show(ShowGuideNext, 11);
  EXPECT_EQ(MainCaption(), "Ten\n   Eleven" + std::string(28, ' ') + " 11");
  Pixels shown = NavigatorPng("nav.png");
  // Titles on rows 0 and 2 (text 10 has one body line), none on row 1.
  const std::vector<int> titles = RowsWith(shown, kTitle);
  ASSERT_FALSE(titles.empty());
  EXPECT_LT(titles.front(), TextRow(1));
  EXPECT_GE(titles.back(), TextRow(2));
  EXPECT_LT(titles.back(), TextRow(3));
  EXPECT_TRUE(std::none_of(titles.begin(), titles.end(),
                           [&](int y) { return y >= TextRow(1) && y < TextRow(2); }));
  const std::vector<int> footer = RowsWith(shown, kFooter);
  ASSERT_FALSE(footer.empty());
  EXPECT_GE(footer.front(), TextRow(27));
  EXPECT_LT(footer.back(), TextRow(28));

  // The third display clears the area: text 12 alone on row 0, and the footer.
  Show(ShowGuideNext, 12);
  EXPECT_EQ(MainCaption(), "   Twelve" + std::string(28, ' ') + " 12");
  shown = NavigatorPng("nav.png");
  EXPECT_LT(RowsWith(shown, kTitle).back(), TextRow(1));
  EXPECT_GE(RowsWith(shown, kFooter).front(), TextRow(27));
}

TEST_F(GuideAreaTest, MainMenuFooterFollowsItsText) {
  Show(ShowGuideNext, 2);
  const std::vector<int> footer = RowsWith(NavigatorPng("nav.png"), kFooter);
  ASSERT_FALSE(footer.empty());
  EXPECT_GE(footer.front(), TextRow(2));  // below the title and the body line
  EXPECT_LT(footer.back(), TextRow(3));
}

TEST_F(GuideAreaTest, ShowGuideClearsTheAreaButKeepsThePreviousTitle) {
  Show(ShowGuideNext, 10);
  Show(ShowGuide, 11);
  EXPECT_EQ(MainCaption(), "Ten\n   Eleven" + std::string(28, ' ') + " 11");
  const Pixels shown = NavigatorPng("nav.png");
  EXPECT_LT(RowsWith(shown, kTitle).back(), TextRow(1));  // text 10 is gone
  EXPECT_TRUE(RowsWith(shown, kFooter).empty());
}

}  // namespace
