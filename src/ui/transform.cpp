// The view transform between ground coordinates and the dynamic view, zoom
// about the pointer, and the fits of all points and of a selection.
#include "ui/transform.h"

#include "core/app.h"
#include "runtime/console.h"
#include "runtime/windows.h"

namespace {

constexpr RtWindowId kView = RtWindowId::View;

// The scale limits of zooming in and out, metres per view unit; the smallest is
// held in single precision.
const double kSmallestScale = double(1e-5f);
constexpr double kLargestScale = 10000;
// The fits: the scale of an extent without size, and the margin around the extent.
const double kFitScaleOfAPoint = double(0.2f);
const double kFitMargin = double(1.1f);
// Start values of the running extent of ZoomAll.
constexpr double kZoomAllStartMinimum = 9000000;
constexpr double kZoomAllStartMaximum = -9000000;

// Metres per view unit that fit `extent` into `size` view units. A view measured
// without a size (minimised) takes no part in the choice of the scale.
double FitScale(double extent, double size) { return size > 0 ? extent / size : 0; }

// A scale and an origin that fit an extent into the view, the larger of the two
// directions governing; the middle of the extent comes to the view's centre.
struct Fit {
  double scale;
  double originX;
  double originY;
};

Fit FitExtent(const ui::ViewState& v, double minX, double maxX, double minY, double maxY) {
  double scale = FitScale(maxX - minX, v.ViewHeight);
  const double across = FitScale(maxY - minY, v.ViewWidth);
  if (across >= scale) scale = across;
  if (scale == 0) scale = kFitScaleOfAPoint;
  scale *= kFitMargin;
  // The scale ignores VerticalRatio; the vertical centring takes it into account.
  return {scale, minX - (v.ViewHeight * scale * v.VerticalRatio - (maxX - minX)) / 2,
          minY - (v.ViewWidth * scale - (maxY - minY)) / 2};
}

// Scale 1 about ground (0, 0), with the pointer there too.
void ResetTransform(App& app) {
  ui::ViewState& v = app.view;
  v.ViewScale = 1;
  v.ViewOriginX = 0;
  v.ViewOriginY = 0;
  app.input.PointerY = 0;
  app.input.PointerX = 0;
}

void ZoomInOnce(App& app) {
  ui::ViewState& v = app.view;
  const ui::InputState& in = app.input;
  v.ViewScale *= 0.5;
  v.ViewOriginX = in.PointerX - v.ViewHalfHeight * v.ViewScale * v.VerticalRatio;
  v.ViewOriginY = in.PointerY - v.ViewHalfWidth * v.ViewScale;
  app.input.ViewRedrawPending = 0;
}

void ZoomOutOnce(App& app) {
  ui::ViewState& v = app.view;
  const ui::InputState& in = app.input;
  v.ViewOriginX -= (in.PointerX - v.ViewOriginX) / 2;
  v.ViewOriginY -= (in.PointerY - v.ViewOriginY) / 2;
  v.ViewScale *= 2;
  app.input.ViewRedrawPending = 1;
}

}  // namespace

double ViewUnitX(const App& app, double y) {
  return (y - app.view.ViewOriginY) / app.view.ViewScale;
}

double ViewUnitY(const App& app, double x) {
  const ui::ViewState& v = app.view;
  return v.ViewHeight - (x - v.ViewOriginX) / (v.ViewScale * v.VerticalRatio);
}

double GroundYAtViewX(const App& app, double viewX) {
  return viewX * app.view.ViewScale + app.view.ViewOriginY;
}

double GroundXAtViewY(const App& app, double viewY) {
  const ui::ViewState& v = app.view;
  return v.ViewOriginX + (v.ViewHeight - viewY) * v.ViewScale * v.VerticalRatio;
}

void MeasureViewSize(App& app) {
  ui::ViewState& v = app.view;
  v.ViewHeight = RtWindowHeight(kView);
  v.ViewWidth = RtWindowWidth(kView);
  v.ViewHalfHeight = v.ViewHeight / 2;
  v.ViewHalfWidth = v.ViewWidth / 2;
}

void ZoomIn(App& app) {
  ZoomInOnce(app);
  if (app.view.ViewScale < kSmallestScale) {
    ResetTransform(app);
    ZoomInOnce(app);
  }
}

void ZoomOut(App& app) {
  ZoomOutOnce(app);
  if (app.view.ViewScale > kLargestScale) {
    ResetTransform(app);
    ZoomOutOnce(app);
  }
}

void ZoomAll(App& app) {
  const points::Store& p = app.points;
  if (p.PointCount < 1) return;  // no point in use
  double minX = kZoomAllStartMinimum, maxX = kZoomAllStartMaximum;
  double minY = kZoomAllStartMinimum, maxY = kZoomAllStartMaximum;
  for (double i = 1; i <= p.PointCount; ++i) {
    const double x = p.PointX(i), y = p.PointY(i);
    if (x > maxX) maxX = x;
    if (x < minX) minX = x;
    if (y > maxY) maxY = y;
    if (y < minY) minY = y;
  }
  const Fit fit = FitExtent(app.view, minX, maxX, minY, maxY);
  ui::ViewState& v = app.view;
  v.ViewScale = fit.scale;
  v.ViewOriginX = fit.originX;
  v.ViewOriginY = fit.originY;
  app.input.ViewRedrawPending = 1;
}

void ZoomToFitView(App& app) {
  ui::ViewState& v = app.view;
  v.PlotOrientation = -1;
  ComputeSelectionExtent(app);
  RtCls(kView);
  if (SelectionExtentIsEmpty(app)) {
    // Nothing to fit: the plot takes the view as it is.
    v.PlotScale = v.ViewScale;
    v.PlotOriginX = v.ViewOriginX;
    v.PlotOriginY = v.ViewOriginY;
  } else {
    const Fit fit = FitExtent(v, v.PlotOriginX, v.ExtentMaxX, v.PlotOriginY, v.ExtentMaxY);
    v.PlotScale = fit.scale;
    v.PlotOriginX = fit.originX;
    v.PlotOriginY = fit.originY;
  }
  v.PlotResumeIndex = 0;
  v.ViewScale = v.PlotScale;
  v.ViewOriginY = v.PlotOriginY;
  v.ViewOriginX = v.PlotOriginX;
}
