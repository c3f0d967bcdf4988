// The tool palette: a strip of cells in the view's top-left corner for the line
// type, the three-point circle, "back", the line erase mode and the layers of
// new connection lines, and, while registered points are joined, a strip of
// point marks. The default click handler reads clicks on the same cells; this
// draws them. Every box is 40 view units high.
#include "ui/tool_palette.h"

#include <cmath>
#include <string>
#include <string_view>

#include "core/app.h"
#include "runtime/graphics.h"
#include "runtime/numtext.h"
#include "runtime/window_id.h"
#include "ui/view.h"

namespace {

constexpr RtWindowId kView = RtWindowId::View;
constexpr int kDrawCopy = 0;
constexpr int kReverse = 1;
constexpr int kNormal = 4;
constexpr double kCell = 40;
constexpr double kStripRight = 80;  // the left strip; the mark strip runs on to 120
constexpr double kMarkRight = 120;

// Sample texts of the line types 0 to 8 (texts only: no line is drawn in the
// cell), for the newer systems and for the old ones; type 9 is "9 null" in both.
constexpr std::string_view kLineTypeSamples[2][9] = {
    {"0-----", "1･ ･ ･", "2- - - ", "3－ － ", "4― ―", "5―･―", "6--･--", "7―･･－", "8--‥--"},
    {"0―――", "1･ ･ ･", "2-----", "3－－－", "4― ―", "5―･―･", "6－-－-", "7―･･―", "8－--－"},
};

void Box(double x1, double y1, double x2, double y2, int colour, RtLineShape shape) {
  RtLine(kView, x1, y1, x2, y2, colour, shape, ui::kPenSolid, kDrawCopy);
}

// The cell of row `row` (0 at the top) of a strip, filled.
void FillCell(double left, double right, double row, int colour) {
  Box(left, 50 + kCell * row, right, 90 + kCell * row, colour, RtLineShape::FilledBox);
}

// `text` with its top-left corner at (x, y), after a one-dot anchor in the
// current text colour.
void TextAt(double x, double y, std::string_view text) {
  RtPset(kView, x, y, -1);
  RtPrintToWindow(kView, text, false);
}

void DrawNameLine(const App& app) {
  const points::Store& p = app.points;
  Box(0, 20, kMarkRight, 50, RtWhole(app.settings.RG), RtLineShape::FilledBox);
  const double shown = p.LineConnectMode == 2 ? p.PointCount : p.CurrentPointNumber;
  RtPset(kView, 0, 24, -1);
  RtColor(kView, 2);
  RtPrintToWindow(kView, " " + p.PointName(shown), false);
}

void DrawLineCells(const App& app, int highlight, int back) {
  const cad::Lines& l = app.lines;
  Box(0, 50, kStripRight, 890, back, RtLineShape::FilledBox);
  FillCell(0, kStripRight, l.CurrentLineType, highlight);
  RtColor(kView, 0);
  if (l.LineEraseMode == 1) Box(0, 530, kStripRight, 570, highlight, RtLineShape::Box);
  const int set = app.shell.OldWindowsFlag == 1 ? 1 : 0;
  for (int t = 0; t < 9; ++t) TextAt(2, 60 + kCell * t, kLineTypeSamples[set][t]);
  TextAt(2, 420, "9 null");
  TextAt(2, 460, "３点円");
  TextAt(10, 500, "back");
  TextAt(2, 540, "線潰し");
}

// Cell j stands for layer 2j and its visibility entry; layer 0 is taken as 1.
void DrawLayerCells(App& app, int highlight) {
  cad::Lines& l = app.lines;
  const double k = std::floor(l.CurrentLayer / 2);
  if (l.CurrentLayer == 0) l.CurrentLayer = 1;
  Box(0, 570 + kCell * k, kStripRight, 610 + kCell * k, highlight, RtLineShape::FilledBox);
  RtColor(kView, 0);
  for (int v = 0; v <= 14; v += 2) {
    RtPset(kView, 10, 580 + 20 * v, -1);
    RtColor(kView, v / 2, -1, kReverse);
    RtPrintToWindow(kView, v == 10 ? "ｺﾝﾀ " : "    ", false);
    RtColor(kView, 0, -1, kNormal);
    if (l.LayerVisible(v) == -1) RtPrintToWindow(kView, "×", false);
  }
}

void DrawMarkCells(const App& app, int highlight, int back) {
  Box(kStripRight, 50, kMarkRight, 450, back, RtLineShape::FilledBox);
  FillCell(kStripRight, kMarkRight, app.points.CurrentMark, highlight);
  for (int m = 1; m <= 9; ++m) TextAt(90, 60 + kCell * m, ui::MarkSymbolOf(std::to_string(m)));
}

}  // namespace

void DrawToolPalette(App& app) {
  ui::ViewState& v = app.view;
  const bool shown =
      app.settings.ZEF == 1 && app.input.DefaultPickState >= 1 && app.points.LineConnectMode >= 1;
  if (shown) {
    const bool white = app.settings.RG == 15;
    v.PaletteHighlightColour = white ? 5 : 9;
    v.PaletteBackColour = white ? 11 : 15;
    const int highlight = RtWhole(v.PaletteHighlightColour);
    const int back = RtWhole(v.PaletteBackColour);
    RtSetFontSize(kView, v.ViewFontSize);
    DrawNameLine(app);
    DrawLineCells(app, highlight, back);
    DrawLayerCells(app, highlight);
    if (app.points.LineConnectMode == 2) DrawMarkCells(app, highlight, back);
  }
  RtSetFontSize(kView, v.ViewFontSize + v.ViewFontStep);
}
