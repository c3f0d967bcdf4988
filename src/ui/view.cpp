// The dynamic view in its least form: the cross mark of the point in hand, and
// each point as a small cross with its name. The grid, marks, codes, heights,
// the tool palette and the station marker come with the view's own work.
#include "ui/view.h"

#include <string>

#include "points/table.h"
#include "runtime/console.h"
#include "runtime/graphics.h"
#include "runtime/numtext.h"
#include "runtime/window_id.h"
#include "shell/app.h"

namespace {

constexpr RtWindowId kView = RtWindowId::View;

// Offset of names from their point, in view units: LabelOffset once the input
// routine's redraw has set it, else the value that redraw gives with the view's font.
double NameOffset(const ui::ViewState& v) {
  return v.LabelOffset != 0 ? v.LabelOffset : (v.ViewFontSize + v.ViewFontStep) * 1.43;
}

// Strictly inside the view: a point on an edge is not drawn.
bool InsideView(const App& app, double x, double y) {
  const ui::ViewState& v = app.view;
  return v.ViewOriginX < x && x < v.ViewOriginX + v.ViewHeight * v.ViewScale * v.VerticalRatio &&
         v.ViewOriginY < y && y < v.ViewOriginY + v.ViewWidth * v.ViewScale;
}

// Prints `text` on the view with its top-left corner at (x, y).
void TextAt(double x, double y, const std::string& text, int colour) {
  RtPset(kView, x, y);
  RtColor(kView, colour);
  RtPrintToWindow(kView, text, false);
}

// Point PointToDraw as a small cross in PointDrawColour with its name in
// PointNameColour, when it lies in the view.
void DrawPointInCallerColours(App& app) {
  const ui::ViewState& v = app.view;
  const double x = app.points.PointX(v.PointToDraw);
  const double y = app.points.PointY(v.PointToDraw);
  if (!InsideView(app, x, y)) return;
  const double sx = ViewUnitX(app, y);
  const double sy = ViewUnitY(app, x);
  const double offset = NameOffset(v);
  const double arm = offset / 2;
  const int colour = static_cast<int>(v.PointDrawColour);
  RtLine(kView, sx - arm, sy, sx + arm, sy, colour, RtLineShape::Line, 0);
  RtLine(kView, sx, sy - arm, sx, sy + arm, colour, RtLineShape::Line, 0);
  if (app.settings.ZEE == 1) {
    TextAt(sx + offset, sy - offset, app.points.PointName(v.PointToDraw),
           static_cast<int>(v.PointNameColour));
  }
}

// A cross mark: the text "+" in `crossColour` with `name` after it in
// `nameColour`, anchored by a dot in colour 0 left of and above (sx, sy).
// `background` -1 keeps the view's text background.
void PrintCross(App& app, double sx, double sy, int crossColour, int nameColour,
                const std::string& name, int background) {
  const double offset = NameOffset(app.view);
  RtPset(kView, sx - 0.3 * offset, sy - offset, 0);
  RtColor(kView, crossColour, background);
  RtPrintToWindow(kView, "+", false);
  RtColor(kView, nameColour, background);
  RtPrintToWindow(kView, name, false);
}


}  // namespace


void RedrawGraphicsView(App& app) {
  DrawToolPalette(app);
  if (app.settings.ZE == 4 || app.input.StationMarkerOn == 1) DrawStationMarker(app);
  if (app.points.NewPointCount != 0) {
    // The cross of the last stored point, under its remembered name.
    ui::ViewState& v = app.view;
    v.PointDrawColour = 2;
    const std::string answer = app.input.Answer;
    app.input.Answer = v.LastCrossName;
    DrawCrossWithNameNoErase(app);
    app.input.Answer = answer;
  }
}

void DrawPoint(App& app) {
  // A free number is no point: it would only stack default names at ground (0, 0).
  if (IsFreePoint(app, RtWhole(app.view.PointToDraw))) return;
  app.view.PointDrawColour = app.settings.RG == 15 ? 0 : 11;
  app.view.PointNameColour = 1;
  DrawPointInCallerColours(app);
}

void DrawPointHighlighted(App& app) {
  app.view.PointDrawColour = 5;
  app.view.PointNameColour = 3;
  DrawPointInCallerColours(app);
}

void DrawCrossWithName(App& app) {
  ui::ViewState& v = app.view;
  v.PointDrawColour = 2;
  if (v.ViewClearedFlag == 0) {
    // The previous cross stays as an old one.
    PrintCross(app, v.LastCrossScreenX, v.LastCrossScreenY, 6, 3, v.LastCrossName,
               static_cast<int>(app.settings.RG));
  } else {
    v.ViewClearedFlag = 0;
  }
  DrawCrossWithNameNoErase(app);
}

void DrawCrossWithNameNoErase(App& app) {
  ui::ViewState& v = app.view;
  v.LastCrossScreenX = ViewUnitX(app, app.points.WorkPointY);
  v.LastCrossScreenY = ViewUnitY(app, app.points.WorkPointX);
  PrintCross(app, v.LastCrossScreenX, v.LastCrossScreenY, 2, static_cast<int>(v.PointDrawColour),
             app.input.Answer, -1);
  v.LastCrossName = app.input.Answer;
}

// The tool palette and the station marker are drawn by the view's own work.
void DrawToolPalette(App&) {}
void DrawStationMarker(App&) {}
