#include "ui/layout.h"

#include <gtest/gtest.h>

#include <cmath>
#include <cstdlib>
#include <string>
#include <vector>

#include "core/app.h"
#include "core/control.h"
#include "files/result.h"
#include "runtime/console.h"
#include "runtime/events.h"
#include "runtime/graphics.h"
#include "runtime/palette.h"
#include "runtime/printer.h"
#include "runtime/temp_folder.h"
#include "runtime/windows.h"
#include "runtime/windows_state.h"
#include "support/u8.h"
#include "ui/input.h"
#include "view_pixel.h"

namespace {

constexpr RtWindowId kMain = RtWindowId::Main;
constexpr RtWindowId kView = RtWindowId::View;
constexpr RtWindowId kNav = RtWindowId::Nav;

class LayoutTest : public ::testing::Test {
 protected:
  LayoutTest() {
    app.navigator.NavigatorOff = 0;
    app.view.ViewMaxWidth = 3000;
    app.view.ViewMaxHeight = 2000;
  }

  const rt::WindowRecord& Window(RtWindowId id) const {
    return app.rt.windows->windows.at(static_cast<size_t>(id));
  }

  // The window stands at (left, top) with the outer size width x height, all in
  // its own unit, as the runtime keeps it (whole screen pixels).
  void ExpectPlaced(RtWindowId id, double left, double top, double width, double height) const {
    const rt::PixelRect& r = Window(id).outer;
    const auto px = [id](double units) { return std::lround(rt::UnitsToPixels(id, units)); };
    EXPECT_EQ(r.left, px(left)) << RtWindowName(id);
    EXPECT_EQ(r.top, px(top)) << RtWindowName(id);
    EXPECT_EQ(r.width, px(width)) << RtWindowName(id);
    EXPECT_EQ(r.height, px(height)) << RtWindowName(id);
  }

  // Where the three windows stand, in screen pixels.
  std::vector<std::string> WindowPlaces() const {
    std::vector<std::string> places;
    for (RtWindowId id : {kMain, kView, kNav}) {
      const rt::PixelRect& r = Window(id).outer;
      places.push_back(std::to_string(r.left) + "," + std::to_string(r.top) + " " +
                       std::to_string(r.width) + "x" + std::to_string(r.height));
    }
    return places;
  }

  std::vector<std::string> WindowLines() const {
    return {rt::WindowStateLine(kMain), rt::WindowStateLine(kView), rt::WindowStateLine(kNav)};
  }

  App app;
};

TEST_F(LayoutTest, LayoutNumberAdvancesBeforeItIsApplied) {
  struct Case {
    double before;
    double after;
  };
  for (const Case& c : std::vector<Case>{{2, 0}, {-1, 0}, {0, 1}, {1, 2}}) {
    app.settings.GAMEN = c.before;
    NextWindowLayout(app);
    EXPECT_EQ(app.settings.GAMEN, c.after) << c.before;
  }
}

TEST_F(LayoutTest, NoLayoutMatchesOutsideZeroToTwo) {
  for (double before : {0.5, 3.0, 7.0}) {
    app.settings.GAMEN = before;
    app.input.ViewRedrawPending = 0;
    const std::vector<std::string> windows = WindowLines();
    NextWindowLayout(app);
    EXPECT_EQ(app.settings.GAMEN, before + 1);
    EXPECT_EQ(WindowLines(), windows) << before;
    EXPECT_EQ(app.input.ViewRedrawPending, 1);
    EXPECT_EQ(app.view.ViewWidth, RtWindowWidth(kView));
  }
}

TEST_F(LayoutTest, Layout0ConsoleLeftViewRightNavigatorTopRight) {
  const double n = 1.2, m = 0.9375;
  app.navigator.NavigatorScale = n;
  app.view.MouseScaleRatio = m;
  app.settings.GAMEN = 2;
  NextWindowLayout(app);
  ExpectPlaced(kMain, 0, 0, 512, 2000 * double(0.396f) / n / m);
  ExpectPlaced(kView, 1350 * n, 0, 3000 - 1290 * n, 2000 + 60 * n * m);
  // W = 2500 n exactly: the navigator goes to the top right.
  ExpectPlaced(kNav, 833 * n, 0, 241 * n, 185 * n * m);
  EXPECT_EQ(app.input.ViewRedrawPending, 1);
  EXPECT_EQ(app.view.ViewHeight, RtWindowHeight(kView));
  EXPECT_EQ(app.view.ViewWidth, RtWindowWidth(kView));
  EXPECT_EQ(app.view.ViewHalfHeight, app.view.ViewHeight / 2);
  EXPECT_EQ(app.view.ViewHalfWidth, app.view.ViewWidth / 2);
}

TEST_F(LayoutTest, Layout1ViewOverTheScreenNavigatorOverItsTopEdge) {
  const double n = 1.2, m = 0.9375;
  app.navigator.NavigatorScale = n;
  app.view.MouseScaleRatio = m;
  app.view.ViewMaxWidth = 2000;
  app.settings.GAMEN = 0;
  NextWindowLayout(app);
  ExpectPlaced(kMain, 290, 0, 512, 177);
  ExpectPlaced(kView, 0, 0, 2000 + 100, 2000 + 140 * m);
  ExpectPlaced(kNav, 2000 / double(2.51f) - 220 * n, 183 * n, 241 * n, 185 * n * m);
}

TEST_F(LayoutTest, Layout2RestoresTheViewBelowConsoleAndNavigator) {
  const double n = 1.2, m = 0.9375;
  app.navigator.NavigatorScale = n;
  app.view.MouseScaleRatio = m;
  RtMaximizeWindow(kView);
  app.settings.GAMEN = 1;
  NextWindowLayout(app);
  EXPECT_FALSE(Window(kView).maximised);
  ExpectPlaced(kMain, 0, 0, 512, 177);
  ExpectPlaced(kView, 0, 465 * n * m, 3000 + 100, 2000 - 350 * n * m);
  ExpectPlaced(kNav, 534 * n, 0, 3000 / 2.5 - 532 * n, 185 * n * m);
}

TEST_F(LayoutTest, WithoutProfileFolderTheFactorsAreOne) {
  app.shell.OldWindowsFlag = 1;
  app.navigator.NavigatorScale = 1.2;
  app.view.MouseScaleRatio = 0.9375;
  app.settings.GAMEN = 2;
  NextWindowLayout(app);
  ExpectPlaced(kMain, 0, 0, 512, 2000 * double(0.396f));
  ExpectPlaced(kView, 1350, 0, 3000 - 1290, 2000 + 60);
  ExpectPlaced(kNav, 833, 0, 239, 185);
  app.settings.GAMEN = 1;
  NextWindowLayout(app);
  ExpectPlaced(kNav, 532, 0, 3000 / double(2.48f) - 532, 185);
}

TEST_F(LayoutTest, WithoutNavigatorItIsLeftAlone) {
  app.navigator.NavigatorOff = 1;
  for (double before : {2.0, 0.0, 1.0}) {
    const std::string navigator = rt::WindowStateLine(kNav);
    app.settings.GAMEN = before;
    NextWindowLayout(app);
    EXPECT_EQ(rt::WindowStateLine(kNav), navigator) << before;
  }
  RestoreTopmost(app);
  EXPECT_FALSE(Window(kNav).topmost);
  EXPECT_TRUE(Window(kMain).topmost);
}

TEST_F(LayoutTest, ReleaseAndRestoreTopmost) {
  RestoreTopmost(app);
  EXPECT_TRUE(Window(kMain).topmost);
  EXPECT_TRUE(Window(kNav).topmost);
  ReleaseTopmost(app);
  EXPECT_FALSE(Window(kMain).topmost);
  EXPECT_FALSE(Window(kNav).topmost);
}

TEST_F(LayoutTest, ReleaseTopmostMainKeepsTheNavigatorInFront) {
  RestoreTopmost(app);
  ReleaseTopmostMain(app);
  EXPECT_FALSE(Window(kMain).topmost);
  EXPECT_TRUE(Window(kNav).topmost);
  app.navigator.NavigatorOff = 1;
  ReleaseTopmost(app);
  EXPECT_TRUE(Window(kNav).topmost);  // no navigator: left alone
  RestoreTopmost(app);
  EXPECT_TRUE(Window(kMain).topmost);
}

// Presses a function key during a question with something typed; the question
// ends with what is typed after it.
class FunctionKeyTest : public LayoutTest {
 protected:
  FunctionKeyTest() {
    // The function keys are bound by the first question.
    rt::LoadScript("\n");
    InputText(app);
  }
  void AskWithKey(const std::string& key) {
    RtLine(kView, 1500, 100, 1600, 200, 4, RtLineShape::FilledBox);
    RtLocate(0, 10);
    RtPrintStr("NO=", false);
    rt::LoadScript("12" + key + "34\n");
    InputText(app);
  }
  static bool ViewRedrawn() { return view_pixel::At(kView, 1550, 150) != rt::PaletteRgb(4); }
};

TEST_F(FunctionKeyTest, WindowsCycleThroughTheThreeLayoutsWithF3) {
  app.settings.GAMEN = 0;
  std::vector<std::vector<std::string>> byLayout(3);
  for (double layout : {1.0, 2.0, 0.0}) {
    AskWithKey("{F3}");
    EXPECT_EQ(app.settings.GAMEN, layout);
    EXPECT_EQ(app.input.Answer, "34");
    EXPECT_TRUE(ViewRedrawn());
    byLayout[static_cast<size_t>(layout)] = WindowPlaces();
  }
  EXPECT_NE(byLayout[0], byLayout[1]);
  EXPECT_NE(byLayout[1], byLayout[2]);
  // Layout 0 as the table gives it (n = m = 1, W 3000, H 2000).
  ExpectPlaced(kMain, 0, 0, 512, 2000 * double(0.396f));
  ExpectPlaced(kView, 1350, 0, 3000 - 1290, 2000 + 60);
  ExpectPlaced(kNav, 833, 0, 241, 185);
  AskWithKey("{F3}");
  EXPECT_EQ(WindowPlaces(), byLayout[1]);
}

TEST_F(FunctionKeyTest, SwitchKeysFlipTheirSwitchAndRedrawTheView) {
  struct Switch {
    const char* key;
    double& value;
  };
  const std::vector<Switch> switches = {
      {"{F5}", app.view.BackgroundPictureOn}, {"{F8}", app.settings.ZEH},
      {"{F9}", app.settings.ZEE},             {"{F10}", app.settings.ZEI},
      {"{F11}", app.settings.ZEG},            {"{F12}", app.settings.ZEF},
  };
  for (const Switch& s : switches) {
    s.value = 1;
    for (double after : {-1.0, 1.0}) {
      AskWithKey(s.key);
      EXPECT_EQ(s.value, after) << s.key;
      EXPECT_EQ(app.input.Answer, "34") << s.key;  // the prompt started again
      EXPECT_TRUE(ViewRedrawn()) << s.key;
    }
  }
}

TEST_F(FunctionKeyTest, F7TurnsTheBackgroundWhiteAndBlackWithARedraw) {
  for (double rg : {15.0, 0.0}) {
    AskWithKey("{F7}");
    EXPECT_EQ(app.settings.RG, rg);
    EXPECT_EQ(app.input.Answer, "34");
    EXPECT_TRUE(ViewRedrawn());
  }
}

// A picture of 40 x 30 screen pixels in colour 12, taken from the view.
RtBitmap GreenPicture() {
  RtLine(kView, 0, 0, 500, 500, 12, RtLineShape::FilledBox);
  RtBitmap picture = RtCopyWindowToBitmap(kView, 0, 0, rt::PixelsToUnits(kView, 40),
                                          rt::PixelsToUnits(kView, 30));
  RtCls(kView);
  return picture;
}

TEST_F(LayoutTest, BackgroundPictureIsDrawnStretchedWhileLoadedAndShown) {
  ui::ViewState& v = app.view;
  v.BitmapPicture = GreenPicture();
  v.BackgroundPictureScale = 2.5;  // 100 x 75 pixels on the view
  const auto greenAt = [](double px, double py) {
    return view_pixel::At(kView, rt::PixelsToUnits(kView, px), rt::PixelsToUnits(kView, py)) ==
           rt::PaletteRgb(12);
  };
  struct Case {
    double loaded;
    double on;
    bool drawn;
  };
  for (const Case& c : std::vector<Case>{{0, 1, false}, {1, -1, false}, {1, 1, true}}) {
    RtCls(kView);
    v.BackgroundPictureLoaded = c.loaded;
    v.BackgroundPictureOn = c.on;
    DrawBackgroundPicture(app);
    EXPECT_EQ(greenAt(0.5, 0.5), c.drawn) << c.loaded << " " << c.on;
    EXPECT_EQ(greenAt(98.5, 72.5), c.drawn) << c.loaded << " " << c.on;
    EXPECT_FALSE(greenAt(101.5, 40.5));
    EXPECT_FALSE(greenAt(50.5, 76.5));
  }
}

TEST_F(FunctionKeyTest, F5HidesAndShowsTheBackgroundPictureAtTheRedraw) {
  ui::ViewState& v = app.view;
  v.BitmapPicture = GreenPicture();
  v.BackgroundPictureScale = 1;
  v.BackgroundPictureLoaded = 1;
  v.BackgroundPictureOn = 1;
  app.settings.ZEH = -1;  // no grid line over the spot looked at
  for (bool shown : {false, true}) {
    AskWithKey("{F5}");
    EXPECT_EQ(view_pixel::At(kView, 20, 20) == rt::PaletteRgb(12), shown);
  }
}

TEST_F(LayoutTest, BackRemovesTheLastSegmentAndTheVerticesItLeavesWithoutOne) {
  cad::Lines& l = app.lines;
  const std::vector<std::pair<int, int>> vertices = {{1, 9}, {2, 0}, {3, 9}, {4, 0}};
  for (size_t i = 0; i < vertices.size(); ++i) {
    l.LinePointNumber(i + 1) = static_cast<int16_t>(vertices[i].first);
    l.LineType(i + 1) = static_cast<int16_t>(vertices[i].second);
    l.LineArc(i + 1) = "R";
  }
  l.LineVertexCount = 4;
  RemoveLastConnectionLine(app);
  EXPECT_EQ(l.LineVertexCount, 2);
  EXPECT_EQ(l.LinePointNumber(3), 0);
  EXPECT_EQ(l.LinePointNumber(4), 0);
  EXPECT_EQ(l.LineArc(4), "");
  EXPECT_EQ(l.LineType(4), 0);  // the other columns keep their values
  EXPECT_EQ(l.LineType(3), 9);
  EXPECT_EQ(l.LinePointNumber(2), 2);
  RemoveLastConnectionLine(app);
  EXPECT_EQ(l.LineVertexCount, 0);
  EXPECT_EQ(l.LinePointNumber(1), 0);
}

TEST_F(LayoutTest, BackOnAnEmptyTableStillRedrawsAndOutlinesTheCell) {
  app.input.ViewRedrawPending = 0;
  RemoveLastConnectionLine(app);
  EXPECT_EQ(app.lines.LineVertexCount, 0);
  EXPECT_EQ(app.input.ViewRedrawPending, 1);
  // The outline of the cell from (0, 490) to (80, 530), not its inside.
  const uint32_t blue = rt::PaletteRgb(9);
  EXPECT_EQ(view_pixel::At(kView, 0, 510), blue);
  EXPECT_NE(view_pixel::At(kView, 40, 510), blue);
}

TEST_F(LayoutTest, DisplaySwitchesAreNegated) {
  struct Switch {
    const char* key;
    void (*handler)(App&);
    double& value;
  };
  const std::vector<Switch> switches = {
      {"F5", ToggleBackgroundPicture, app.view.BackgroundPictureOn},
      {"F8", ToggleGridDisplay, app.settings.ZEH},
      {"F9", TogglePointNameDisplay, app.settings.ZEE},
      {"F10", ToggleHeightDisplay, app.settings.ZEI},
      {"F11", ToggleMarkDisplay, app.settings.ZEG},
      {"F12", ToggleLineDisplay, app.settings.ZEF},
  };
  struct Flip {
    double before;
    double after;
  };
  for (const Switch& s : switches) {
    for (const Flip& f : std::vector<Flip>{{1, -1}, {-1, 1}, {0, 0}}) {
      s.value = f.before;
      app.input.ViewRedrawPending = 0;
      s.handler(app);
      EXPECT_EQ(s.value, f.after) << s.key << " from " << f.before;
      EXPECT_EQ(app.input.ViewRedrawPending, 1) << s.key;
    }
  }
}

TEST_F(LayoutTest, BackgroundColourTogglesBlackAndWhite) {
  struct Case {
    double rg;
    double afterRg;
    double shade;
    double heightColour;
  };
  for (const Case& c : std::vector<Case>{{0, 15, 7, 12}, {15, 0, 0, 13}, {7, 0, 0, 13}}) {
    app.settings.RG = c.rg;
    app.input.ViewRedrawPending = 0;
    ToggleBackgroundColour(app);
    EXPECT_EQ(app.settings.RG, c.afterRg) << c.rg;
    EXPECT_EQ(app.view.BackgroundShade, c.shade) << c.rg;
    EXPECT_EQ(app.view.HeightTextColour, c.heightColour) << c.rg;
    EXPECT_EQ(app.input.ViewRedrawPending, 1);
  }
}

TEST_F(LayoutTest, HardCopyPrintsOneCopyPerOk) {
  const TempFolder printed;
  rt::SetPrinterFolder(printed.path());
  rt::LoadScript("!ok\n!ok\n!cancel\n");
  HardCopyView(app);
  int prints = 0, questions = 0;
  for (const std::string& note : app.rt.notes) {
    prints += note.starts_with("[print] ");
    questions += note.starts_with(U8(u8"[message] ハードコピーします"));
  }
  EXPECT_EQ(prints, 2);
  EXPECT_EQ(questions, 3);
}

TEST_F(LayoutTest, HelpTextOpensInTheFileViewerWithoutWaiting) {
  unsetenv("KRN_FILE_VIEWER");
  app.shell.DataFolder = "/data/job/";
  RestoreTopmost(app);
  ShowHelpText(app);
  ASSERT_FALSE(app.rt.notes.empty());
  EXPECT_EQ(app.rt.notes.back(), "[program] EXPLORER.EXE /data/job/KRN2000.TXT");
  EXPECT_FALSE(Window(kMain).topmost);
  EXPECT_FALSE(Window(kNav).topmost);
}

TEST_F(LayoutTest, ForceAbortGoesToTheResultMenu) {
  RtLocate(0, 5);
  Entry target = nullptr;
  try {
    ForceAbort(app);
  } catch (const JumpException& jump) {
    target = jump.target;
  }
  EXPECT_EQ(target, ShowResultMenu);
  EXPECT_EQ(rt::ConsoleRowText(5), "");
  EXPECT_EQ(rt::ConsoleRowText(6), U8(u8" 強制中止しました"));
  EXPECT_EQ(RtCsrlin(), 7);
}

}  // namespace
