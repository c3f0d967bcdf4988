// Plot geometry: plane coordinates of a point, its place in the plot, the extent
// of a selection and recentring the plot.
#include "ui/plot_geometry.h"

#include "core/app.h"
#include "runtime/errors.h"

namespace {

// Start values of the extent: any point lies inside them.
constexpr double kExtentStartMinimum = 99999999999;
constexpr double kExtentStartMaximum = -99999999999;

constexpr double kNormalOrientation = -1;
constexpr double kExchangedOrientation = 1;

// Widens the extent to take in the current plane coordinates.
void TakeIntoExtent(ui::ViewState& v) {
  if (v.PlaneVertical > v.ExtentMaxX) v.ExtentMaxX = v.PlaneVertical;
  if (v.PlaneVertical < v.PlotOriginX) v.PlotOriginX = v.PlaneVertical;
  if (v.PlaneHorizontal > v.ExtentMaxY) v.ExtentMaxY = v.PlaneHorizontal;
  if (v.PlaneHorizontal < v.PlotOriginY) v.PlotOriginY = v.PlaneHorizontal;
}

}  // namespace

void GetPlaneCoordinates(App& app) {
  ui::ViewState& v = app.view;
  const points::Store& p = app.points;
  if (app.shell.PlanViewFlag == 1) {
    v.PlaneHorizontal = p.PointY(v.PlotPoint);
    v.PlaneVertical = p.PointX(v.PlotPoint);
  } else {
    v.PlaneHorizontal = p.PointX(v.PlotPoint);
    v.PlaneVertical = p.PointZ(v.PlotPoint);
  }
}

void PointToScreen(App& app) {
  GetPlaneCoordinates(app);
  ui::ViewState& v = app.view;
  if (v.PlotOrientation == kNormalOrientation) {
    v.PlotScreenX = RtDivide(v.PlaneHorizontal - v.PlotOriginY, v.PlotScale);
    v.PlotScreenY = v.ViewHeight - RtDivide(v.PlaneVertical - v.PlotOriginX, v.PlotScale);
  } else if (v.PlotOrientation == kExchangedOrientation) {
    v.PlotScreenY = RtDivide(v.PlaneHorizontal - v.PlotOriginX, v.PlotScale);
    v.PlotScreenX = RtDivide(v.PlaneVertical - v.PlotOriginY, v.PlotScale);
  }
}

void ComputeSelectionExtent(App& app) {
  ui::ViewState& v = app.view;
  const points::Store& p = app.points;
  v.PlotOriginY = kExtentStartMinimum;
  v.PlotOriginX = kExtentStartMinimum;
  v.ExtentMaxY = kExtentStartMaximum;
  v.ExtentMaxX = kExtentStartMaximum;
  // A counted loop that tests its bound at the end: entry 0 is always looked at.
  double k = 0;
  do {
    const int number = p.SelectionList(k);
    if (number != 0) {
      v.PlotPoint = number;
      GetPlaneCoordinates(app);
      TakeIntoExtent(v);
    }
    ++k;
  } while (k <= p.SelectionLast);
}

bool SelectionExtentIsEmpty(const App& app) { return app.view.ExtentMaxX < app.view.PlotOriginX; }

void RecentreOnPoint(App& app) {
  GetPlaneCoordinates(app);
  RecentreOnPlanePoint(app);
}

void RecentreOnPlanePoint(App& app) {
  ui::ViewState& v = app.view;
  if (v.PlotOrientation == kNormalOrientation) {
    v.PlotOriginX = v.PlaneVertical - v.ViewHalfHeight * v.PlotScale;
    v.PlotOriginY = v.PlaneHorizontal - v.ViewHalfWidth * v.PlotScale;
  } else {
    v.PlotOriginY = v.PlaneVertical - v.ViewHalfWidth * v.PlotScale;
    v.PlotOriginX = v.PlaneHorizontal - v.ViewHalfHeight * v.PlotScale;
  }
  v.PlotResumeIndex = v.PlotIndex;
}
