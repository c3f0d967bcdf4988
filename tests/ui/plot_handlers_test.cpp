// The plot view's pan by a left-button drag in both orientations, and a release
// without a press.
#include "ui/plot_handlers.h"

#include <gtest/gtest.h>

#include "core/app.h"

namespace {

TEST(PlotHandlersTest, ADragMovesTheOriginsByItsComponentsInEitherOrientation) {
  for (const double orientation : {-1.0, 1.0}) {
    SCOPED_TRACE(orientation);
    App app;
    ui::ViewState& v = app.view;
    ui::InputState& in = app.input;
    v.PlotOrientation = orientation;
    v.PlotOriginX = 1000;
    v.PlotOriginY = 2000;
    v.PlotIndex = 7;
    in.PointerX = 1010;
    in.PointerY = 2030;
    StartPanDrag(app);
    in.PointerX = 1050;  // a second press before the redraw keeps the first start
    StartPanDrag(app);
    in.PointerX = 1004;
    in.PointerY = 2020;
    EndPanDrag(app);
    // The drag's X component (+6) and Y component (+10).
    if (orientation == -1) {
      EXPECT_EQ(v.PlotOriginX, 1006);
      EXPECT_EQ(v.PlotOriginY, 2010);
    } else {
      EXPECT_EQ(v.PlotOriginY, 2006);
      EXPECT_EQ(v.PlotOriginX, 1010);
    }
    EXPECT_EQ(in.ViewRedrawPending, 1);
    EXPECT_EQ(v.PlotResumeIndex, 7);
  }
}

TEST(PlotHandlersTest, AReleaseWithoutAPressOnlyResumesTheBrowsePosition) {
  App app;
  ui::ViewState& v = app.view;
  v.PlotOriginX = 1000;
  v.PlotOriginY = 2000;
  v.PlotIndex = 3;
  app.input.PickAnswered = 0;
  app.input.PointerX = 1500;
  EndPanDrag(app);
  EXPECT_EQ(v.PlotOriginX, 1000);
  EXPECT_EQ(v.PlotOriginY, 2000);
  EXPECT_EQ(v.PlotResumeIndex, 3);
  EXPECT_EQ(app.input.ViewRedrawPending, 0);
}

}  // namespace
