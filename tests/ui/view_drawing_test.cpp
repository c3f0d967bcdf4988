// The drawing primitives of the dynamic view, checked on its picture: each text
// is compared, pixel for pixel, with the same text drawn at the place the view
// transform gives, so a text at the wrong place, in the wrong colour or with the
// wrong content shows.
#include "core/point_names.h"
#include "ui/view.h"

#include <gtest/gtest.h>

#include <functional>
#include <string>
#include <vector>

#include "core/app.h"
#include "core/numeric.h"
#include "points/table.h"
#include "runtime/graphics.h"
#include "runtime/graphics_target.h"
#include "support/raised_error.h"
#include "view_ink.h"

namespace {

using view_ink::InkOf;
using view_ink::kView;
using view_ink::Pixel;

class ViewDrawingTest : public ::testing::Test {
 protected:
  void SetUp() override {
    MeasureViewSize(app);
    ui::ViewState& v = app.view;
    v.ViewScale = 0.5;
    v.ViewOriginX = 1000;
    v.ViewOriginY = 2000;
    v.LabelOffset = 9 * double(1.43f);
    RtSetFontSize(kView, 9);
    for (int i = 1; i <= 20; ++i) app.points.PointName(i) = " " + std::to_string(i);
    Clear();
  }

  // The view blank in its background colour, the text colour one that no
  // drawing here uses.
  void Clear() {
    rt::ClearWindowGraphics(kView);
    RtColor(kView, kUnusedColour);
  }
  static constexpr int kUnusedColour = 14;

  void SetPoint(int i, double x, double y, const std::string& name,
                const std::string& attribute = "", double z = 0) {
    points::Store& p = app.points;
    p.PointX(i) = x;
    p.PointY(i) = y;
    p.PointZ(i) = z;
    p.PointName(i) = name;
    p.PointAttribute(i) = attribute;
  }

  void Show(double zee, double zeg, double zei) {
    app.settings.ZEE = zee;
    app.settings.ZEG = zeg;
    app.settings.ZEI = zei;
  }

  // The view position of ground (x, y), by the view transform.
  double Sx(double y) const { return (y - app.view.ViewOriginY) / app.view.ViewScale; }
  double Sy(double x) const {
    const ui::ViewState& v = app.view;
    return v.ViewHeight - (x - v.ViewOriginX) / (v.ViewScale * v.VerticalRatio);
  }
  double L() const { return app.view.LabelOffset; }

  // The ink of `colour` that `draw` leaves on a cleared view.
  std::vector<Pixel> InkAfter(int colour, const std::function<void()>& draw) {
    Clear();
    draw();
    return InkOf(colour);
  }

  // The ink of `text` printed in `colour` with its top-left corner at (x, y),
  // the anchor dot in that colour too when `dotInColour`.
  std::vector<Pixel> Printed(int colour, double x, double y, const std::string& text,
                             bool dotInColour) {
    return InkAfter(colour, [&] {
      RtColor(kView, colour);
      if (dotInColour) {
        RtPset(kView, x, y, -1);
      } else {
        RtPset(kView, x, y);
      }
      RtPrintToWindow(kView, text, false);
    });
  }

  void DrawPointNumber(double number) {
    app.view.PointToDraw = number;
    DrawPoint(app);
  }

  App app;
};

// Ground (1300, 2400) lies well inside the view.
constexpr double kX = 1300;
constexpr double kY = 2400;

TEST_F(ViewDrawingTest, PointShowsNameSymbolCodeAndHeightWhereTheTransformPutsThem) {
  for (double ratio : {1.0, 0.5}) {
    app.view.VerticalRatio = ratio;
    SetPoint(1, kX, kY, "P1", "17KUI", 12.345);
    const double sx = Sx(kY), sy = Sy(kX);
    SCOPED_TRACE(ratio);

    Show(1, 0, -1);  // the name alone, in colour 1; its dot keeps the colour before
    EXPECT_EQ(InkAfter(1, [&] { DrawPointNumber(1); }),
              Printed(1, sx + L(), sy - L(), "P1", false));

    Show(-1, 1, -1);  // the mark "×" in INT(11 / 2) = 5, the code in 4
    EXPECT_EQ(InkAfter(4, [&] { DrawPointNumber(1); }),
              Printed(4, sx + 1.3 * L(), sy + L(), "KUI", true));
    SetPoint(1, kX, kY, "P1", "15", 12.345);  // "○" with no code to cover it
    EXPECT_EQ(InkAfter(5, [&] { DrawPointNumber(1); }), Printed(5, sx - L(), sy - L(), "○", true));

    Show(-1, 0, 1);  // the height as a graphic text in HeightTextColour
    const std::vector<Pixel> height = InkAfter(13, [&] { DrawPointNumber(1); });
    EXPECT_FALSE(height.empty());
    EXPECT_EQ(height, InkAfter(13, [&] {
                RtSymbol(kView, sx + 0.3 * L(), sy - 3 * L(), FormatDecimals(12.345, 2), 1, 1, 0,
                         13);
              }));
  }
}

TEST_F(ViewDrawingTest, AttributeGivesMarkSymbolAndCode) {
  struct Case {
    std::string attribute, markText, symbol, code;
  };
  const std::vector<Case> cases = {
      {"12ABC", "2", "◇", "ABC"},
      {"13", "3", "□", ""},
      {"1A23", "A", "・", "A23"},  // a letter: the code starts at the letter
      {"10XY", "0", "・", "XY"},
      {"15", "5", "○", ""},
      {"", "", "・", ""},
      {"19" + std::string(25, 'C'), "9", "＊", std::string(20, 'C')},  // 20 characters at most
  };
  Show(-1, 1, -1);
  const double sx = Sx(kY), sy = Sy(kX);
  for (const Case& c : cases) {
    SCOPED_TRACE(c.attribute);
    SetPoint(1, kX, kY, "P", c.attribute);
    const std::vector<Pixel> code = InkAfter(4, [&] { DrawPointNumber(1); });
    EXPECT_EQ(app.view.PointMarkText, c.markText);
    EXPECT_EQ(app.view.MarkSymbol, c.symbol);
    EXPECT_EQ(code, Printed(4, sx + 1.3 * L(), sy + L(), c.code, true));
  }
}

TEST_F(ViewDrawingTest, MarkCodeToSymbolCoversEveryCode) {
  const std::vector<std::pair<std::string, std::string>> cases = {
      {"0", "・"}, {"1", "・"}, {"2", "◇"},  {"3", "□"},  {"4", "△"}, {"5", "○"},   {"6", "§"},
      {"7", "×"},  {"8", "＋"}, {"9", "＊"}, {"A", "・"}, {"", "・"}, {"22", "・"},
  };
  for (const auto& [code, symbol] : cases) {
    app.view.PointMarkText = code;
    MarkCodeToSymbol(app);
    EXPECT_EQ(app.view.MarkSymbol, symbol) << code;
  }
}

TEST_F(ViewDrawingTest, HiddenMarksGiveADiscAndNoCode) {
  SetPoint(1, kX, kY, "P1", "17KUI");
  const double sx = Sx(kY), sy = Sy(kX);
  Show(1, -1, -1);
  Clear();
  DrawPointNumber(1);
  EXPECT_GT(view_ink::CountNear(11, sx, sy), 0);  // the disc in PointDrawColour
  EXPECT_TRUE(InkOf(5).empty());
  EXPECT_TRUE(InkOf(4).empty());
  EXPECT_FALSE(InkOf(1).empty());

  // Neither 1 nor -1: no disc, symbol or code; the name stays.
  Show(1, 0, -1);
  Clear();
  DrawPointNumber(1);
  EXPECT_EQ(view_ink::CountNear(11, sx, sy), 0);
  EXPECT_TRUE(InkOf(5).empty());
  EXPECT_TRUE(InkOf(4).empty());
  EXPECT_FALSE(InkOf(1).empty());
}

TEST_F(ViewDrawingTest, HeightZeroIsNeverShown) {
  Show(1, 1, 1);
  SetPoint(1, kX, kY, "P1", "12", 0);
  Clear();
  DrawPointNumber(1);
  EXPECT_TRUE(InkOf(13).empty());
}

TEST_F(ViewDrawingTest, PointOnAnEdgeOfTheViewIsNotDrawn) {
  const ui::ViewState& v = app.view;
  const double top = v.ViewOriginX + v.ViewHeight * v.ViewScale * v.VerticalRatio;
  const double right = v.ViewOriginY + v.ViewWidth * v.ViewScale;
  struct Case {
    double x, y;
    bool drawn;
  };
  const std::vector<Case> cases = {
      {kX, v.ViewOriginY, false},    {kX, right, false},
      {v.ViewOriginX, kY, false},    {top, kY, false},
      {kX, v.ViewOriginY + 1, true}, {top - 1, right - 1, true},
  };
  Show(1, 1, 1);
  for (const Case& c : cases) {
    SetPoint(1, c.x, c.y, "E", "12AB", 5);
    Clear();
    DrawPointNumber(1);
    const bool drawn = InkOf(0).size() != static_cast<size_t>(view_ink::Width()) *
                                              static_cast<size_t>(view_ink::Height());
    EXPECT_EQ(drawn, c.drawn) << c.x << " " << c.y;
  }
}

TEST_F(ViewDrawingTest, EntriesDrawInTheirColours) {
  struct Case {
    const char* entry;
    double rg;
    std::function<void(App&)> draw;
    double pointColour, nameColour;
    int symbolColour;
  };
  const std::vector<Case> cases = {
      {"normal", 0, DrawPoint, 11, 1, 5},
      {"normal on white", 15, DrawPoint, 0, 1, 0},
      {"highlighted", 0, DrawPointHighlighted, 5, 3, 2},
      {"caller's", 0,
       [](App& a) {
         a.view.PointDrawColour = 15;
         a.view.PointNameColour = 4;
         DrawPointInCallerColours(a);
       },
       15, 4, 7},
  };
  SetPoint(1, kX, kY, "P1", "15");
  Show(1, 1, -1);
  const double sx = Sx(kY), sy = Sy(kX);
  for (const Case& c : cases) {
    SCOPED_TRACE(c.entry);
    app.settings.RG = c.rg;
    RtColor(kView, -1, c.rg == 15 ? 15 : 0);  // the view's background for the clear
    app.view.PointToDraw = 1;
    const std::vector<Pixel> symbol = InkAfter(c.symbolColour, [&] { c.draw(app); });
    EXPECT_EQ(app.view.PointDrawColour, c.pointColour);
    EXPECT_EQ(app.view.PointNameColour, c.nameColour);
    EXPECT_EQ(symbol, Printed(c.symbolColour, sx - L(), sy - L(), "○", true));
  }
}

TEST_F(ViewDrawingTest, FreeOrDeletedNumberIsNoPointForDrawPoint) {
  app.view.ViewOriginX = -100;
  app.view.ViewOriginY = -100;
  Show(1, 1, -1);
  ASSERT_TRUE(IsFreePoint(app, 5));
  Clear();
  DrawPointNumber(5);
  EXPECT_TRUE(InkOf(1).empty());
  SetPoint(6, 10, 10, "GONE", "NULL");
  DrawPointNumber(6);
  EXPECT_TRUE(InkOf(1).empty());
  // Asked for explicitly, it is drawn.
  app.view.PointToDraw = 6;
  DrawPointHighlighted(app);
  EXPECT_FALSE(InkOf(3).empty());
}

TEST_F(ViewDrawingTest, PointNumberOutsideTheTableIsError9) {
  for (double number : {-1.0, 10000.0}) {
    app.view.PointToDraw = number;
    EXPECT_EQ(RaisedError([&] { DrawPoint(app); }), 9) << number;
    EXPECT_EQ(RaisedError([&] { DrawPointHighlighted(app); }), 9) << number;
  }
}

// ---- The cross mark ----

TEST_F(ViewDrawingTest, TwoCrossesInARowLeaveTheFirstOld) {
  ui::ViewState& v = app.view;
  const double firstX = Sx(2300), firstY = Sy(1200);
  const double secondX = Sx(2600), secondY = Sy(1400);
  const auto draw = [&] {
    v.ViewClearedFlag = 1;  // as the input routine's redraw leaves it
    app.points.WorkPointX = 1200;
    app.points.WorkPointY = 2300;
    app.input.Answer = "A1";
    DrawCrossWithName(app);
    EXPECT_EQ(v.LastCrossName, "A1");
    EXPECT_EQ(v.LastCrossScreenX, firstX);
    EXPECT_EQ(v.LastCrossScreenY, firstY);
    app.points.WorkPointX = 1400;
    app.points.WorkPointY = 2600;
    app.input.Answer = "A2";
    DrawCrossWithName(app);
  };
  // The "+" in 6 and the name in 3 for the old cross; both in 2 for the new one.
  const auto cross = [&](double x, double y, int plusColour, int nameColour,
                         const std::string& name) {
    RtPset(kView, x - 0.3 * L(), y - L(), 0);
    RtColor(kView, plusColour);
    RtPrintToWindow(kView, "+", false);
    RtColor(kView, nameColour);
    RtPrintToWindow(kView, name, false);
  };
  for (int colour : {6, 3, 2}) {
    SCOPED_TRACE(colour);
    EXPECT_EQ(InkAfter(colour, draw), InkAfter(colour, [&] {
                cross(firstX, firstY, 6, 3, "A1");
                cross(secondX, secondY, 2, 2, "A2");
              }));
  }
  EXPECT_FALSE(InkOf(2).empty());
  EXPECT_EQ(v.LastCrossName, "A2");
  EXPECT_EQ(v.LastCrossScreenX, secondX);
  EXPECT_EQ(v.LastCrossScreenY, secondY);
  EXPECT_EQ(v.PointDrawColour, 2);
}

TEST_F(ViewDrawingTest, FirstCrossAfterAClearedViewDrawsOnlyTheNewOne) {
  ui::ViewState& v = app.view;
  v.LastCrossScreenX = 300;
  v.LastCrossScreenY = 300;
  v.LastCrossName = "OLD";
  v.ViewClearedFlag = 1;
  app.points.WorkPointX = 1400;
  app.points.WorkPointY = 2600;
  app.input.Answer = "NEW";
  Clear();
  DrawCrossWithName(app);
  EXPECT_EQ(v.ViewClearedFlag, 0);
  EXPECT_TRUE(InkOf(6).empty());
  EXPECT_TRUE(InkOf(3).empty());
  EXPECT_FALSE(InkOf(2).empty());
  // The next one turns it old.
  app.points.WorkPointX = 1200;
  app.input.Answer = "NEXT";
  DrawCrossWithName(app);
  EXPECT_FALSE(InkOf(6).empty());
  EXPECT_FALSE(InkOf(3).empty());
}

TEST_F(ViewDrawingTest, CrossForgottenByAViewResetIsNotRecoloured) {
  // As RedrawView leaves it: the cross at (0, 0), its name kept, the flag not set.
  ui::ViewState& v = app.view;
  v.LastCrossScreenX = 0;
  v.LastCrossScreenY = 0;
  v.LastCrossName = "OLDNAME";
  v.ViewClearedFlag = 0;
  app.points.WorkPointX = 1400;
  app.points.WorkPointY = 2600;
  app.input.Answer = "NEW";
  Clear();
  DrawCrossWithName(app);
  EXPECT_TRUE(InkOf(6).empty());
  EXPECT_TRUE(InkOf(3).empty());
  EXPECT_FALSE(InkOf(2).empty());
  EXPECT_EQ(v.LastCrossName, "NEW");
}

TEST_F(ViewDrawingTest, CrossWithoutEraseWritesTheNameInTheCallersColour) {
  ui::ViewState& v = app.view;
  v.ViewClearedFlag = 1;
  v.PointDrawColour = 12;
  app.points.WorkPointX = 1400;
  app.points.WorkPointY = 2600;
  app.input.Answer = "N";
  const double x = Sx(2600), y = Sy(1400);
  const std::vector<Pixel> name = InkAfter(12, [&] { DrawCrossWithNameNoErase(app); });
  EXPECT_EQ(v.ViewClearedFlag, 1);  // left alone
  EXPECT_EQ(v.LastCrossName, "N");
  EXPECT_EQ(name, InkAfter(12, [&] {
              RtPset(kView, x - 0.3 * L(), y - L(), 0);
              RtColor(kView, 2);
              RtPrintToWindow(kView, "+", false);
              RtColor(kView, 12);
              RtPrintToWindow(kView, "N", false);
            }));
}

// ---- The line from the from-point ----

TEST_F(ViewDrawingTest, LineToPointRunsFromTheFromPointToTheCross) {
  struct Case {
    const char* entry;
    std::function<void(App&)> draw;
    int colour;
  };
  const std::vector<Case> cases = {
      {"DrawLineToPoint", DrawLineToPoint, 9},
      {"DrawLineToPointInColour",
       [](App& a) {
         a.view.LineToPointColour = 8;
         DrawLineToPointInColour(a);
       },
       8},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.entry);
    RtSetLineStyle(kView, 2);
    app.points.FromPointX = 1100;
    app.points.FromPointY = 2100;
    app.points.WorkPointX = 1500;
    app.points.WorkPointY = 2700;
    app.input.Answer = "W";
    Clear();
    c.draw(app);
    EXPECT_EQ(app.view.LineToPointColour, c.colour);
    EXPECT_EQ(app.view.PointDrawColour, 2);
    EXPECT_EQ(rt::StateFor(kView).penStyle, 0);  // solid
    for (double t : {0.25, 0.5, 0.75}) {
      const double x = Sx(2100 + 600 * t), y = Sy(1100 + 400 * t);
      EXPECT_GT(view_ink::CountNear(c.colour, x, y, 1), 0) << t;
    }
  }
}

TEST_F(ViewDrawingTest, LineTypeCodeChoosesThePen) {
  const std::vector<std::pair<std::string, int>> cases = {
      {"0", 0}, {"1", 2}, {"2", 2}, {"3", 1}, {"4", 1},  {"5", 3}, {"6", 3},
      {"7", 4}, {"8", 4}, {"9", 5}, {"", 6},  {"12", 6}, {"A", 6}, {"-1", 6},
  };
  for (const auto& [code, style] : cases) {
    RtSetLineStyle(kView, 6);  // a style no code gives, to see it kept
    app.view.LineTypeCode = code;
    SetLineStyleFromCode(app);
    EXPECT_EQ(rt::StateFor(kView).penStyle, style) << '"' << code << '"';
  }
}

// ---- The route's IP polyline ----

class RouteIpLinesTest : public ViewDrawingTest {
 protected:
  void SetUp() override {
    ViewDrawingTest::SetUp();
    // The start point, IP 1 to its upper right and IP 2 up and to the left of
    // IP 1, so that no line crosses an IP number.
    SetPoint(1, 1100, 2100, "BP");
    SetPoint(2, 1300, 2500, "IP1");
    SetPoint(3, 1500, 2300, "IP2");
    app.route.RouteIpDisplay = 1;
    RtTable<double>& r = app.route.RouteValue;
    r(2) = 1;
    r(5) = 1;
    r(6) = 2;
    r(7) = 50;
    r(10) = 3;
    r(11) = 9999;
  }

  // The IP numbers as they should stand, `colour` for each of them.
  std::vector<Pixel> Numbers(int colour, const std::vector<std::pair<int, int>>& ips) {
    return InkAfter(colour, [&] {
      for (const auto& [point, number] : ips) {
        RtPset(kView, Sx(app.points.PointY(point)), Sy(app.points.PointX(point)));
        RtColor(kView, colour);
        RtPrintToWindow(kView, " " + std::to_string(number) + " ", false);
      }
    });
  }

  bool SegmentDrawn(int from, int to) const {
    const points::Store& p = app.points;
    const double x = (Sx(p.PointY(from)) + Sx(p.PointY(to))) / 2;
    const double y = (Sy(p.PointX(from)) + Sy(p.PointX(to))) / 2;
    return view_ink::CountNear(7, x, y, 1) > 0;
  }
};

TEST_F(RouteIpLinesTest, PolylineRunsThroughTheIpsUpToTheLast) {
  RtSetLineStyle(kView, 2);
  const std::vector<Pixel> numbers = InkAfter(4, [&] { DrawRouteIpLines(app); });
  EXPECT_TRUE(SegmentDrawn(1, 2));
  EXPECT_TRUE(SegmentDrawn(2, 3));
  EXPECT_EQ(numbers, Numbers(4, {{2, 1}, {3, 2}}));
  EXPECT_EQ(rt::StateFor(kView).penStyle, 0);
}

TEST_F(RouteIpLinesTest, StartPointInHandMarksItsSegmentsNumber) {
  app.points.WorkPointY = 1;  // the number of the start point, as the point resolver leaves it
  const std::vector<Pixel> inHand = InkAfter(2, [&] { DrawRouteIpLines(app); });
  EXPECT_EQ(inHand, Numbers(2, {{2, 1}}));
  EXPECT_EQ(InkOf(4), Numbers(4, {{3, 2}}));
}

TEST_F(RouteIpLinesTest, EndsAtTheFirstIpOfRadius9999OrAtTwoEmptyRows) {
  app.route.RouteValue(7) = 9999;
  EXPECT_EQ(InkAfter(4, [&] { DrawRouteIpLines(app); }), Numbers(4, {{2, 1}}));
  EXPECT_FALSE(SegmentDrawn(2, 3));

  app.route.RouteValue(7) = 50;
  app.route.RouteValue(11) = 80;  // IP 2 not the last, but rows 14 and 18 hold 0
  EXPECT_EQ(InkAfter(4, [&] { DrawRouteIpLines(app); }), Numbers(4, {{2, 1}, {3, 2}}));
}

TEST_F(RouteIpLinesTest, NothingWhileTheDisplayIsOff) {
  app.route.RouteIpDisplay = 0;
  RtSetLineStyle(kView, 2);
  Clear();
  DrawRouteIpLines(app);
  EXPECT_TRUE(InkOf(7).empty());
  EXPECT_TRUE(InkOf(4).empty());
  EXPECT_EQ(rt::StateFor(kView).penStyle, 2);
}

TEST_F(RouteIpLinesTest, TableWithoutAnEndRunsIntoError9) {
  RtTable<double>& r = app.route.RouteValue;
  for (int row = 6; row <= 998; row += 4) {
    r(row) = 2 + row % 2;
    r(row + 1) = 50;
  }
  EXPECT_EQ(RaisedError([&] { DrawRouteIpLines(app); }), 9);
}

// ---- Grid lines of one spacing ----

class GridTest : public ViewDrawingTest {
 protected:
  // Pixel columns (rows) that a vertical (horizontal) line of `colour` fills.
  std::vector<int> FullColumns(int colour) const {
    std::vector<int> columns;
    for (int px = 0; px < view_ink::Width(); ++px) {
      if (view_ink::InkInPixels(colour, px, 0, px + 1, view_ink::Height()).size() * 10 >
          static_cast<size_t>(view_ink::Height()) * 9)
        columns.push_back(px);
    }
    return columns;
  }
  std::vector<int> FullRows(int colour) const {
    std::vector<int> rows;
    for (int py = 0; py < view_ink::Height(); ++py) {
      if (view_ink::InkInPixels(colour, 0, py, view_ink::Width(), py + 1).size() * 10 >
          static_cast<size_t>(view_ink::Width()) * 9)
        rows.push_back(py);
    }
    return rows;
  }

  void DrawGrid(double spacing, int colour) {
    app.view.ViewGridSpacing = spacing;
    app.view.ViewGridColour = colour;
    Clear();
    RtSetLineStyle(kView, 0);
    DrawViewGrid(app);
  }
};

TEST_F(GridTest, LinesStandAtTheMultiplesOfTheSpacing) {
  ui::ViewState& v = app.view;
  v.ViewOriginY = 2003.7;
  v.ViewOriginX = 998.2;
  v.VerticalRatio = 0.8;
  DrawGrid(50, 14);
  // Easting 2050, 2100, ... across; northing 1000, 1050, ... up, the rows a
  // ViewScale lower as the grid draws them.
  std::vector<double> xs, ys;
  for (double e = 2050; (e - v.ViewOriginY) / v.ViewScale <= v.ViewWidth; e += 50)
    xs.push_back((e - v.ViewOriginY) / v.ViewScale);
  for (double n = 1000; n < v.ViewOriginX + v.ViewHeight * v.ViewScale * v.VerticalRatio; n += 50)
    ys.push_back(v.ViewHeight - (n - v.ViewOriginX) / (v.ViewScale * v.VerticalRatio) +
                 v.ViewScale);
  std::vector<int> columns, rows;
  for (double x : xs) columns.push_back(view_ink::LinePixel(x));
  for (auto y = ys.rbegin(); y != ys.rend(); ++y)
    if (view_ink::LinePixel(*y) < view_ink::Height()) rows.push_back(view_ink::LinePixel(*y));
  EXPECT_EQ(FullColumns(14), columns);
  EXPECT_EQ(FullRows(14), rows);
}

TEST_F(GridTest, OriginOnAMultipleGivesALineAtTheLeftEdge) {
  app.view.ViewOriginY = 100.0;
  app.view.ViewOriginX = 0;
  DrawGrid(100, 14);
  const std::vector<int> columns = FullColumns(14);
  ASSERT_FALSE(columns.empty());
  EXPECT_EQ(columns.front(), 0);
}

TEST_F(GridTest, SpacingWiderThanTheViewGivesOneLineEachWay) {
  // The vertical line at the left edge; the horizontal one a ViewScale below
  // the bottom edge, out of sight.
  app.view.ViewOriginY = 0;
  app.view.ViewOriginX = 0;
  DrawGrid(100000, 14);
  EXPECT_EQ(FullColumns(14), std::vector<int>{0});
  EXPECT_TRUE(FullRows(14).empty());
  EXPECT_EQ(InkOf(14).size(), static_cast<size_t>(view_ink::Height()));
}

TEST_F(GridTest, AnOriginTooFarForItsGridToBePlacedDrawsNoGrid) {
  // So far out that the multiples of 0.1 m near the origin have lost their
  // digits: the first line would land more than 10^130 steps left of the view.
  // The grid is left out instead of being stepped towards the view.
  app.view.ViewScale = 0.0005;
  app.view.ViewOriginY = 8.185950465196834e+145;
  app.view.ViewOriginX = 8.185950465196834e+145;
  DrawGrid(0.1, 14);
  EXPECT_TRUE(InkOf(14).empty());
}

}  // namespace
