// The view transform between ground coordinates and the dynamic view, and the
// fit of a selection into the view.
#include "ui/transform.h"

#include "runtime/console.h"
#include "runtime/graphics.h"
#include "shell/app.h"

namespace {

constexpr RtWindowId kView = RtWindowId::View;

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
