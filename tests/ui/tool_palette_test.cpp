// The tool palette on the view's picture: its strips and selection boxes in the
// colours of each background, the mark strip of the joining mode, the layer
// cells and the cases where nothing is drawn.
#include "ui/tool_palette.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "core/app.h"
#include "runtime/graphics.h"
#include "runtime/graphics_target.h"
#include "runtime/numtext.h"
#include "view_ink.h"

namespace {

using view_ink::CountIn;
using view_ink::InkOf;
using view_ink::IsColour;
using view_ink::kView;

class ToolPaletteTest : public ::testing::Test {
 protected:
  void SetUp() override {
    app.input.DefaultPickState = 1;
    app.points.LineConnectMode = 1;
    app.settings.ZEF = 1;
    points::Store& p = app.points;
    for (int i = 1; i <= 20; ++i) p.PointName(i) = " " + std::to_string(i);
    p.PointName(3) = "CUR";
    p.PointName(7) = "LAST";
    p.CurrentPointNumber = 3;
    p.PointCount = 7;
    for (int layer = 0; layer <= 14; ++layer) app.lines.LayerVisible(layer) = 1;
  }

  // The view cleared to the background of RG, then the palette.
  void Draw() {
    RtColor(kView, 14, RtWhole(app.settings.RG), 4);
    rt::ClearWindowGraphics(kView);
    DrawToolPalette(app);
  }

  // Most of the box (x1, y1) to (x2, y2) is `colour`: a strip or a selection
  // box with a text on it.
  static bool MostlyColour(int colour, double x1, double y1, double x2, double y2) {
    return CountIn(colour, x1, y1, x2, y2) * 10 > view_ink::PixelsIn(x1, y1, x2, y2) * 6;
  }

  // Cell `row` of the left strip (0 the top cell of the line types) is mostly `colour`.
  static bool CellIs(double row, int colour) {
    return MostlyColour(colour, 3, 53 + 40 * row, 77, 87 + 40 * row);
  }

  // Colour 2 in the name line above the strips.
  static std::vector<view_ink::Pixel> NameLineInk() {
    return view_ink::InkInPixels(2, 0, view_ink::ToPixel(20), view_ink::ToPixel(120) + 1,
                                 view_ink::ToPixel(50) + 1);
  }

  App app;
};

TEST_F(ToolPaletteTest, ColoursFollowTheBackgroundAndTheMarkStripTheJoiningMode) {
  struct Case {
    double rg, mode;
    int highlight, back;
    const char* name;
  };
  const std::vector<Case> cases = {
      {0, 1, 9, 15, " CUR"},
      {0, 2, 9, 15, " LAST"},
      {15, 1, 5, 11, " CUR"},
      {15, 2, 5, 11, " LAST"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(testing::Message() << "RG " << c.rg << " mode " << c.mode);
    app.settings.RG = c.rg;
    app.points.LineConnectMode = c.mode;
    app.lines.CurrentLineType = 2;
    app.points.CurrentMark = 4;
    Draw();
    EXPECT_EQ(app.view.PaletteHighlightColour, c.highlight);
    EXPECT_EQ(app.view.PaletteBackColour, c.back);
    EXPECT_TRUE(CellIs(1, c.back));
    EXPECT_TRUE(CellIs(2, c.highlight));  // the line type in use
    EXPECT_TRUE(CellIs(3, c.back));
    EXPECT_TRUE(IsColour(75, 870, c.back));  // the strip runs down to 890
    if (c.mode == 2) {
      EXPECT_TRUE(IsColour(115, 70 + 40 * 3, c.back));
      EXPECT_TRUE(IsColour(115, 70 + 40 * 4, c.highlight));  // the mark in use
      // Mark symbols in colour 0 in the cells of marks 1 to 9, none for mark 0.
      EXPECT_GT(CountIn(0, 82, 92, 118, 448), 0);
      EXPECT_EQ(CountIn(0, 82, 52, 118, 88), 0);
    } else {
      EXPECT_EQ(CountIn(c.back, 84, 52, 118, 448), 0);  // no mark strip
      EXPECT_TRUE(IsColour(115, 70 + 40 * 4, RtWhole(c.rg)));
    }
    // The name line: the highest point in use when joining, else the current one.
    const std::vector<view_ink::Pixel> name = NameLineInk();
    RtColor(kView, 14, RtWhole(c.rg), 4);
    rt::ClearWindowGraphics(kView);
    RtSetFontSize(kView, app.view.ViewFontSize);
    RtPset(kView, 0, 24);
    RtColor(kView, 2);
    RtPrintToWindow(kView, c.name, false);
    EXPECT_EQ(name, NameLineInk());
    EXPECT_FALSE(name.empty());
  }
}

TEST_F(ToolPaletteTest, LineTypeNineHighlightsTheNullCell) {
  app.lines.CurrentLineType = 9;
  Draw();
  EXPECT_TRUE(CellIs(9, 9));
  EXPECT_TRUE(CellIs(8, 15));
}

TEST_F(ToolPaletteTest, LayerCellOfTheEvenLayerAtOrBelowIsHighlighted) {
  struct Case {
    double layer;
    int cell;
    double layerAfter;
  };
  const std::vector<Case> cases = {{0, 0, 1}, {1, 0, 1},   {2, 1, 2},
                                   {3, 1, 3}, {14, 7, 14}, {15, 7, 15}};
  for (const Case& c : cases) {
    SCOPED_TRACE(c.layer);
    app.lines.CurrentLayer = c.layer;
    Draw();
    EXPECT_EQ(app.lines.CurrentLayer, c.layerAfter);
    for (int cell = 0; cell < 8; ++cell)
      EXPECT_EQ(IsColour(70, 600 + 40 * cell, 9), cell == c.cell) << cell;
  }
}

TEST_F(ToolPaletteTest, LayerBlocksShowTheirColoursAndHiddenLayersACross) {
  app.lines.CurrentLayer = 15;  // highlights the last cell only
  app.lines.LayerVisible(4) = -1;
  Draw();
  const double block = RtTextWidth(kView, "    ");
  for (int j = 0; j < 7; ++j) {
    const double top = 580 + 40 * j;
    // Four character cells of colour j (cell 5 with ｺﾝﾀ written in them).
    const int area = CountIn(j, 11, top + 2, 10 + block - 2, top + 20);
    EXPECT_GT(area, j == 5 ? 20 : 100) << j;
    // "×" beside the block only for the hidden layer 4 (cell 2).
    EXPECT_EQ(CountIn(0, 10 + block + 1, top, 78, top + 30) > 0, j == 2) << j;
  }
}

TEST_F(ToolPaletteTest, LineEraseModeOutlinesItsCell) {
  for (double mode : {1.0, -1.0}) {
    app.lines.LineEraseMode = mode;
    Draw();
    EXPECT_EQ(IsColour(0, 550, 9), mode == 1) << mode;
    EXPECT_EQ(IsColour(40, 530, 9), mode == 1) << mode;
    EXPECT_TRUE(CellIs(12, 15));  // outlined, not filled
  }
}

TEST_F(ToolPaletteTest, OldSystemsGetTheirOwnSamples) {
  // Type 2 reads "2- - - " on newer systems and "2-----" on old ones.
  std::vector<std::vector<view_ink::Pixel>> samples;
  for (double old : {0.0, 1.0}) {
    app.shell.OldWindowsFlag = old;
    Draw();
    samples.push_back(view_ink::InkInPixels(0, 0, view_ink::ToPixel(130), view_ink::ToPixel(80),
                                            view_ink::ToPixel(170)));
  }
  EXPECT_NE(samples[0], samples[1]);
  EXPECT_FALSE(samples[0].empty());
}

TEST_F(ToolPaletteTest, NothingIsDrawnOutsideLineEditingYetTheFontIsSet) {
  struct Case {
    double zef, pickState, mode;
  };
  for (const Case& c : std::vector<Case>{{-1, 1, 1}, {1, 0, 1}, {1, 1, 0}}) {
    app.settings.ZEF = c.zef;
    app.input.DefaultPickState = c.pickState;
    app.points.LineConnectMode = c.mode;
    app.lines.CurrentLayer = 0;
    RtSetFontSize(kView, 20);
    Draw();
    EXPECT_EQ(InkOf(0).size(),
              static_cast<size_t>(view_ink::Width()) * static_cast<size_t>(view_ink::Height()));
    EXPECT_EQ(app.lines.CurrentLayer, 0);
    EXPECT_EQ(rt::StateFor(kView).fontSize, app.view.ViewFontSize + app.view.ViewFontStep);
  }
}

TEST_F(ToolPaletteTest, LeavesTheLabelFontAndPlainBlackText) {
  Draw();
  const rt::GraphicsState& g = rt::StateFor(kView);
  EXPECT_EQ(g.fontSize, app.view.ViewFontSize + app.view.ViewFontStep);
  EXPECT_EQ(g.foreground, 0);
  EXPECT_FALSE(g.reverse);
}

}  // namespace
