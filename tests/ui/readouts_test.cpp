// The pass without a key: the pointer on the ground, the caption readouts, the
// drag indicator, the minimised main window and the redraw on request.
#include "ui/readouts.h"

#include <gtest/gtest.h>

#include <cmath>
#include <string>
#include <vector>

#include "core/app.h"
#include "core/numeric.h"
#include "runtime/clock.h"
#include "runtime/console.h"
#include "runtime/events.h"
#include "runtime/graphics.h"
#include "runtime/windows.h"
#include "ui/input.h"
#include "ui/transform.h"
#include "view_ink.h"

namespace {

using view_ink::kView;

class ReadoutsTest : public ::testing::Test {
 protected:
  void SetUp() override {
    MeasureViewSize(app);
    app.view.ViewScale = 0.5;
    app.view.ViewOriginX = 1000;
    app.view.ViewOriginY = 2000;
    app.input.DefaultPickState = 0;  // no "l=" unless a test asks for it
  }

  // Moves the mouse as a user would and lets the program see it.
  static void Move(const std::string& window, double x, double y) {
    rt::LoadScript("!move " + window + " " + std::to_string(x) + " " + std::to_string(y) + "\n");
    RtInkey();      // a key poll lets the next event through...
    RtDoEvents();   // ...which this delivers, unless the poll already did
  }

  // One pass without a key at the ground position (x, y) of the pointer.
  std::string CaptionAt(double x, double y) {
    app.input.PointerX = x;
    app.input.PointerY = y;
    UpdateLiveReadouts(app);
    return app.input.ViewCaptionText;
  }

  // The view's caption as the window shows it (UTF-8).
  static std::string WindowCaption() {
    const std::string line = rt::WindowStateLine(kView);
    const size_t start = line.find("caption=\"") + 9;
    return line.substr(start, line.find('"', start) - start);
  }

  void SetPoint(int n, double x, double y) {
    app.points.PointX(n) = x;
    app.points.PointY(n) = y;
    if (n > app.points.PointCount) app.points.PointCount = n;
  }

  App app;
};

TEST_F(ReadoutsTest, PointerComesFromTheMouseThroughTheInverseTransform) {
  app.view.MouseScaleRatio = 1.25;
  app.view.VerticalRatio = 2;
  Move("view", 400, 600);
  Move("main", 80, 36);
  RefreshPointerPosition(app);
  EXPECT_DOUBLE_EQ(app.input.PointerY, 2000 + 400 * 0.5);
  EXPECT_DOUBLE_EQ(app.input.PointerX, 1000 + (app.view.ViewHeight - 600 * 1.25) * 0.5 * 2);
  EXPECT_EQ(app.input.ConsolePointerX, 80);
  EXPECT_EQ(app.input.ConsolePointerY, 36);
}

TEST_F(ReadoutsTest, CoordinatesArePaddedAndCutToTwelveCharacters) {
  app.settings.TN = 1000;
  EXPECT_EQ(CaptionAt(123.4567, -45.6), "X= 123.457    Y=-45.6       ");
  EXPECT_EQ(WindowCaption(), "X= 123.457    Y=-45.6       ");
  EXPECT_EQ(CaptionAt(1234567890.125, 0), "X= 1234567890.Y= 0         ");
}

TEST_F(ReadoutsTest, DistanceIsMeasuredFromTheReferencePoint) {
  SetPoint(3, 1010, 2020);
  SetPoint(4, 1100, 2100);
  app.input.DefaultPickState = 1;
  app.view.PointToDraw = 3;
  EXPECT_EQ(CaptionAt(1013, 2024), "X= 1013       Y= 2024       l= 5         ");
  EXPECT_EQ(app.input.DefaultPickState, 2);
  EXPECT_EQ(app.input.DistanceReferencePoint, 3);

  // The reference stays until the default pick sets the state back to 1.
  app.view.PointToDraw = 4;
  EXPECT_NE(CaptionAt(1013, 2024).find("l= 5 "), std::string::npos);
  app.input.DefaultPickState = 1;
  EXPECT_NE(CaptionAt(1100, 2112).find("l= 12 "), std::string::npos);
}

TEST_F(ReadoutsTest, WhileANewPointIsEnteredDistanceIsFromTheLastPress) {
  app.points.PointInputMode = 1;
  app.input.DefaultPickState = 2;
  app.input.PressGroundX = 1010;
  app.input.PressGroundY = 2000;
  EXPECT_NE(CaptionAt(1013, 2004).find("l= 5 "), std::string::npos);
}

TEST_F(ReadoutsTest, NoDistanceWithoutTheDefaultPick) {
  EXPECT_EQ(CaptionAt(1013, 2024).find("l="), std::string::npos);
}

// Shoelace area of a polygon of (X, Y) vertices, independent of the running area.
double PolygonArea(const std::vector<std::pair<double, double>>& v) {
  double twice = 0;
  for (size_t i = 0; i < v.size(); ++i) {
    const auto& [x1, y1] = v[i];
    const auto& [x2, y2] = v[(i + 1) % v.size()];
    twice += x1 * y2 - x2 * y1;
  }
  return std::abs(twice) / 2;
}

TEST_F(ReadoutsTest, ParcelAreaFollowsTheMovedVertex) {
  SetPoint(1, 0, 0);
  SetPoint(2, 0, 10);
  SetPoint(3, 10, 10);
  SetPoint(4, 10, 0);
  for (int i = 0; i < 4; ++i) app.points.SelectionList(i) = static_cast<int16_t>(i + 1);
  app.points.SelectionIndex = 3;
  app.points.WorkPointX = 77;
  app.points.WorkPointY = 88;
  app.area.ParcelVertexPickMode = 1;
  app.input.DefaultPickState = 1;
  app.view.PointToDraw = 3;

  const std::string caption = CaptionAt(20, 10.5);
  const double expected = PolygonArea({{0, 0}, {0, 10}, {20, 10.5}, {10, 0}});
  EXPECT_DOUBLE_EQ(std::abs(app.area.RunningArea), expected);
  EXPECT_EQ(expected, 152.5);
  EXPECT_NE(caption.find("S= 152.5   "), std::string::npos) << caption;
  EXPECT_EQ(caption.size(), std::string("X=").size() * 3 + 12 * 3 + 9 + 2);
  EXPECT_EQ(app.input.DefaultPickState, 3);
  EXPECT_EQ(app.area.ParcelVertexFound, 1);
  EXPECT_EQ(app.points.WorkPointX, 77);  // the work point is given back
  EXPECT_EQ(app.points.WorkPointY, 88);
}

TEST_F(ReadoutsTest, NoParcelAreaWhenTheReferenceIsNoVertexOrNoVertexIsAsked) {
  SetPoint(1, 0, 0);
  SetPoint(2, 0, 10);
  SetPoint(3, 10, 10);
  SetPoint(5, 50, 50);
  for (int i = 0; i < 3; ++i) app.points.SelectionList(i) = static_cast<int16_t>(i + 1);
  app.points.SelectionIndex = 2;
  app.input.DefaultPickState = 1;
  app.view.PointToDraw = 5;
  app.area.ParcelVertexPickMode = 1;
  EXPECT_EQ(CaptionAt(20, 10).find("S="), std::string::npos);
  app.area.ParcelVertexPickMode = 0;
  app.input.DefaultPickState = 1;
  app.view.PointToDraw = 3;
  EXPECT_EQ(CaptionAt(20, 10).find("S="), std::string::npos);
}

TEST_F(ReadoutsTest, StationAndOffsetAgreeWithAVectorProjection) {
  app.input.StationMarkerOn = 1;
  cogo::State& base = app.cogo;
  base.BasePointX = 1000;
  base.BasePointY = 2000;
  base.BaseChainage = 100;
  struct Case {
    double azimuth, x, y;
  };
  const std::vector<Case> cases = {
      {30, 1050, 2010}, {0, 1000, 2010}, {0, 1020, 1990}, {135, 990, 2030}, {270, 1000, 1980},
  };
  for (const Case& c : cases) {
    base.BaseAzimuth = c.azimuth;
    CaptionAt(c.x, c.y);
    const double ux = std::cos(c.azimuth * M_PI / 180), uy = std::sin(c.azimuth * M_PI / 180);
    const double dx = c.x - base.BasePointX, dy = c.y - base.BasePointY;
    EXPECT_NEAR(app.input.BaseStation, dx * ux + dy * uy + 100, 1e-8) << c.azimuth;
    EXPECT_NEAR(app.input.BaseOffset, ux * dy - uy * dx, 1e-8) << c.azimuth;
  }
  base.BaseAzimuth = 0;
  const std::string caption = CaptionAt(1000, 2010);
  EXPECT_NE(caption.find("x= 100        y= 10         "), std::string::npos) << caption;
}

TEST_F(ReadoutsTest, OnABaseArcStationIsTheArcLengthAndOffsetTheRadiusLessTheDistance) {
  app.input.StationMarkerOn = 1;
  app.cogo.BaseRadius = 25;
  const double a = 40 * M_PI / 180;
  CaptionAt(30 * std::cos(a), 30 * std::sin(a));
  EXPECT_NEAR(app.input.BaseStation, 25 * a, 1e-8);
  EXPECT_NEAR(app.input.BaseOffset, -5, 1e-8);
}

TEST_F(ReadoutsTest, DistanceAndDirectionFromTheFromPoint) {
  app.input.InputDistanceFlag = 1;
  app.points.FromPointX = 1000;
  app.points.FromPointY = 2000;
  EXPECT_EQ(CaptionAt(1000, 2010), "X= 1000       Y= 2010         L= 10           A=   90-00-00");
  EXPECT_NEAR(app.input.ReadoutDistance, 10, 1e-12);
  app.input.InputDistanceFlag = 0;
  app.input.InputDirectionFlag = 1;
  CaptionAt(990, 1990);
  EXPECT_NEAR(app.numbers.AngleToFormat, 225, 1e-8);
}

TEST_F(ReadoutsTest, HorizontalAngleIsTakenFromTheReferenceDirectionIntoZeroTo360) {
  app.input.InputDirectionFlag = 1;
  app.input.InputDirectionHFlag = 1;
  app.points.FromPointX = 1000;
  app.points.FromPointY = 2000;
  struct Case {
    double reference, x, y, angle;
  };
  const std::vector<Case> cases = {
      {300, 990, 1990, 285},     // 225 - 300
      {-200, 1000, 2010, 290},   // 90 + 200
      {-700, 1000, 2010, 70},    // 790, two turns down
      {90, 1000, 2010, 0},       // exactly the reference
      {1e300, 1000, 2010, -1},   // far outside: still ends, somewhere in the circle
  };
  for (const Case& c : cases) {
    app.points.LegDirection = c.reference;
    const std::string caption = CaptionAt(c.x, c.y);
    EXPECT_NE(caption.find("  H="), std::string::npos);
    const double angle = app.numbers.AngleToFormat;
    EXPECT_GE(angle, 0);
    EXPECT_LT(angle, 360);
    if (c.angle >= 0) {
      EXPECT_NEAR(angle, c.angle, 1e-6) << c.reference;
    }
  }
}

TEST_F(ReadoutsTest, PointerMovementsAreTimedPerWindow) {
  ui::InputState& in = app.input;
  Move("view", 100, 100);
  RefreshPointerPosition(app);
  UpdateLiveReadouts(app);
  const int32_t first = in.ViewPointerMovedTime;
  RtWait(5);
  RefreshPointerPosition(app);
  UpdateLiveReadouts(app);
  EXPECT_EQ(in.ViewPointerMovedTime, first);  // not moved
  Move("main", 40, 40);
  RefreshPointerPosition(app);
  UpdateLiveReadouts(app);
  EXPECT_EQ(in.ViewPointerMovedTime, first);
  EXPECT_EQ(in.ConsolePointerMovedTime, RtTimerMs());
  RtWait(5);
  Move("view", 120, 100);
  RefreshPointerPosition(app);
  UpdateLiveReadouts(app);
  EXPECT_EQ(in.ViewPointerMovedTime, RtTimerMs());
  EXPECT_GT(in.ViewPointerMovedTime, in.ConsolePointerMovedTime);
}

TEST_F(ReadoutsTest, MinimisedMainWindowTakesTheViewAndTheNavigatorAlong) {
  UpdateLiveReadouts(app);
  EXPECT_FALSE(RtIsMinimized(kView));
  RtMinimizeWindow(RtWindowId::Main);
  UpdateLiveReadouts(app);
  EXPECT_TRUE(RtIsMinimized(kView));
  EXPECT_TRUE(RtIsMinimized(RtWindowId::Nav));
}

TEST_F(ReadoutsTest, NavigatorSwitchedOffIsNotMinimised) {
  app.navigator.NavigatorOff = 1;
  RtMinimizeWindow(RtWindowId::Main);
  UpdateLiveReadouts(app);
  EXPECT_TRUE(RtIsMinimized(kView));
  EXPECT_FALSE(RtIsMinimized(RtWindowId::Nav));
}

class DragIndicatorTest : public ReadoutsTest {
 protected:
  void SetUp() override {
    ReadoutsTest::SetUp();
    app.input.LeftButtonHeld = 1;
    app.input.PressViewX = 1000;
    app.input.PressViewY = 1000;
  }
  void DragTo(double x, double y) {
    Move("view", x, y);
    UpdateLiveReadouts(app);
  }
  // Ink of `colour` within 60 units of the press point.
  static int InkNearPress(int colour) { return view_ink::CountIn(colour, 940, 940, 1060, 1060); }
  // Ink of `colour` right of the press point, where the texts go.
  static int TextInk(int colour) { return view_ink::CountIn(colour, 1000, 1000, 1400, 1100); }
};

TEST_F(DragIndicatorTest, ShowsWhatTheReleaseWillDo) {
  ui::InputState& in = app.input;
  DragTo(1000, 1020);  // 20 units: nothing yet
  EXPECT_EQ(in.DragCirclesShown, 0);
  EXPECT_EQ(in.DragTextShown, 0);
  EXPECT_EQ(InkNearPress(9), 0);

  DragTo(1030, 1000);  // 30 units: centre move
  EXPECT_DOUBLE_EQ(in.DragDistance, 0.6);
  EXPECT_EQ(in.DragCirclesShown, 1);
  EXPECT_EQ(in.DragTextShown, 1);
  EXPECT_GT(InkNearPress(9), 0);
  EXPECT_GT(InkNearPress(7), 0);
  EXPECT_GT(TextInk(13), 0);

  DragTo(1000, 900);  // 100 units up: zoom in by 2
  EXPECT_DOUBLE_EQ(in.DragDistance, 2);
  EXPECT_GT(TextInk(12), 0);

  RtCls(kView);
  DragTo(1000, 1100);  // level or below: zoom out
  EXPECT_GT(TextInk(11), 0);
  EXPECT_EQ(TextInk(12), 0);

  DragTo(1000, 1010);  // back within 25 units: the rings go
  EXPECT_EQ(in.DragCirclesShown, 0);
  EXPECT_EQ(in.DragTextShown, 0);
  EXPECT_EQ(InkNearPress(9), 0);
  EXPECT_EQ(InkNearPress(7), 0);
}

TEST_F(DragIndicatorTest, ExactlyHalfDrawsAndErasesNothing) {
  DragTo(1000, 1025);
  EXPECT_EQ(app.input.DragCirclesShown, 0);
  DragTo(1040, 1000);
  DragTo(1000, 1025);
  EXPECT_EQ(app.input.DragCirclesShown, 1);
  EXPECT_EQ(app.input.DragTextShown, 1);
}

TEST_F(DragIndicatorTest, NothingWithoutAHeldButtonOrWhenTheIndicatorIsOff) {
  app.input.DragIndicatorOff = 1;
  DragTo(1040, 1000);
  EXPECT_EQ(app.input.DragCirclesShown, 0);
  app.input.DragIndicatorOff = 0;
  app.input.LeftButtonHeld = 0;
  DragTo(1040, 1000);
  EXPECT_EQ(app.input.DragCirclesShown, 0);
  EXPECT_EQ(InkNearPress(9), 0);
}

TEST_F(ReadoutsTest, RedrawOnRequestMeasuresClearsAndDrawsThePoints) {
  ui::InputState& in = app.input;
  EXPECT_FALSE(RedrawOnRequest(app));

  app.settings.RG = 15;
  app.settings.ZEH = -1;  // no grid over the background
  app.points.PointName(1) = " 1";
  SetPoint(1, 1000 + 100 * 0.5, 2000 + 300 * 0.5);  // at view (300, ViewHeight - 100)
  app.view.ViewHeight = 0;
  in.ViewRedrawPending = 1;
  in.PickAnswered = 1;
  in.DragCirclesShown = 1;
  in.DragTextShown = 1;
  EXPECT_TRUE(RedrawOnRequest(app));
  EXPECT_EQ(in.ViewRedrawPending, 0);
  EXPECT_EQ(in.PickAnswered, 0);
  EXPECT_EQ(in.DragCirclesShown, 0);
  EXPECT_EQ(in.DragTextShown, 0);
  EXPECT_EQ(app.view.ViewClearedFlag, 1);
  EXPECT_EQ(app.view.ViewHeight, RtWindowHeight(kView));
  EXPECT_EQ(app.view.ViewHalfWidth, RtWindowWidth(kView) / 2);
  EXPECT_EQ(app.view.LabelOffset, 9 * double(1.43f));
  EXPECT_EQ(view_ink::RgbAt(0, 0), 0xFFFFFFu);  // the white background
  const double py = app.view.ViewHeight - 100;
  int ink = 0;
  for (int colour = 0; colour < 15; ++colour) {
    ink += view_ink::CountIn(colour, 280, py - 20, 320, py + 20);
  }
  EXPECT_GT(ink, 0);  // the point is drawn
}

// A whole question: the pointer moves over the view while a distance is asked,
// and the caption shows it before anything is clicked.
TEST_F(ReadoutsTest, KeyLoopWritesTheReadoutsIntoTheCaption) {
  app.points.FromPointX = 1000;
  app.points.FromPointY = 2000;
  rt::LoadScript("!move view 20 " + std::to_string(app.view.ViewHeight - 10) + "\n\n");
  InputDistance(app);
  // Ground (1005, 2010) is 11.180 m from the from-point at 63-26-06.
  EXPECT_EQ(WindowCaption(),
            "X= 1005       Y= 2010         L= 11.18        A=   63-26-05");
}

}  // namespace
