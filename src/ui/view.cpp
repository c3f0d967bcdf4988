// The dynamic view in its least form: the fit of a selection, the cross mark of
// the point in hand, and each point as a small cross with its name. The grid,
// marks, codes, heights, the tool palette and the station marker come with the
// view's own work.
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


// Metres per view unit that fit `extent` into `size` view units; 0 for a view
// that was measured without a size.
double FitScale(double extent, double size) { return size > 0 ? extent / size : 0; }

}  // namespace

double ViewUnitX(const App& app, double y) { return (y - app.view.ViewOriginY) / app.view.ViewScale; }

double ViewUnitY(const App& app, double x) {
  const ui::ViewState& v = app.view;
  return v.ViewHeight - (x - v.ViewOriginX) / (v.ViewScale * v.VerticalRatio);
}

// The extent of the selected points in the plane PlanViewFlag chooses: the
// vertical plane coordinate's minimum in PlotOriginX and maximum in ExtentMaxX,
// the horizontal one's in PlotOriginY and ExtentMaxY. Entries 0 are skipped.
// Returns false when no entry named a point.
bool ComputeSelectionExtent(App& app) {
  ui::ViewState& v = app.view;
  const points::Store& p = app.points;
  v.PlotOriginY = v.PlotOriginX = 99999999999;
  v.ExtentMaxY = v.ExtentMaxX = -99999999999;
  bool any = false;
  int k = 0;
  do {
    const int number = p.SelectionList(k);
    if (number != 0) {
      v.PlotPoint = number;
      const bool plan = app.shell.PlanViewFlag == 1;
      v.PlaneHorizontal = plan ? p.PointY(number) : p.PointX(number);
      v.PlaneVertical = plan ? p.PointX(number) : p.PointZ(number);
      if (v.PlaneVertical > v.ExtentMaxX) v.ExtentMaxX = v.PlaneVertical;
      if (v.PlaneVertical < v.PlotOriginX) v.PlotOriginX = v.PlaneVertical;
      if (v.PlaneHorizontal > v.ExtentMaxY) v.ExtentMaxY = v.PlaneHorizontal;
      if (v.PlaneHorizontal < v.PlotOriginY) v.PlotOriginY = v.PlaneHorizontal;
      any = true;
    }
    ++k;
  } while (k <= p.SelectionLast);
  return any;
}

void ZoomToFitView(App& app) {
  ui::ViewState& v = app.view;
  v.PlotOrientation = -1;
  const bool any = ComputeSelectionExtent(app);
  RtCls(kView);
  // A selection that names no point has nothing to fit: the view stays where it was.
  if (!any) return;
  const double sv = FitScale(v.ExtentMaxX - v.PlotOriginX, v.ViewHeight);
  const double sh = FitScale(v.ExtentMaxY - v.PlotOriginY, v.ViewWidth);
  v.PlotScale = sh >= sv ? sh : sv;
  if (v.PlotScale == 0) v.PlotScale = double(0.2f);
  v.PlotScale *= double(1.1f);
  v.PlotOriginX -=
      (v.ViewHeight * v.PlotScale * v.VerticalRatio - (v.ExtentMaxX - v.PlotOriginX)) / 2;
  v.PlotOriginY -= (v.ViewWidth * v.PlotScale - (v.ExtentMaxY - v.PlotOriginY)) / 2;
  v.PlotResumeIndex = 0;
  v.ViewScale = v.PlotScale;
  v.ViewOriginY = v.PlotOriginY;
  v.ViewOriginX = v.PlotOriginX;
}

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
