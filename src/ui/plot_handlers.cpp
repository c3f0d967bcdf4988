#include "ui/plot_handlers.h"

#include "core/app.h"
#include "runtime/console.h"
#include "runtime/text.h"
#include "runtime/windows.h"
#include "ui/plot_geometry.h"
#include "ui/view.h"

namespace {

// The vertical and horizontal origins of the plot: which of PlotOriginX and
// PlotOriginY holds each role depends on the orientation.
double& VerticalOrigin(ui::ViewState& v) {
  return v.PlotOrientation == -1 ? v.PlotOriginX : v.PlotOriginY;
}
double& HorizontalOrigin(ui::ViewState& v) {
  return v.PlotOrientation == -1 ? v.PlotOriginY : v.PlotOriginX;
}

}  // namespace

void GetPointMarkSymbol(App& app) {
  ui::ViewState& v = app.view;
  v.PointMarkText = RtMid(app.points.PointAttribute(v.PlotPoint), 2, 1);
  MarkCodeToSymbol(app);
}

void StartPanDrag(App& app) {
  ui::InputState& in = app.input;
  if (in.PickAnswered == 0) {
    in.DragStartX = in.PointerX;
    in.DragStartY = in.PointerY;
  }
  in.PickAnswered = 1;
}

void EndPanDrag(App& app) {
  ui::InputState& in = app.input;
  ui::ViewState& v = app.view;
  if (in.PickAnswered == 1) {
    in.ViewRedrawPending = 1;
    RtCls(RtWindowId::View);
    VerticalOrigin(v) += in.DragStartX - in.PointerX;
    HorizontalOrigin(v) += in.DragStartY - in.PointerY;
  }
  v.PlotResumeIndex = v.PlotIndex;
  RtActivateWindow(RtWindowId::Main);
}

void ZoomInAtMouse(App& app) {
  ui::InputState& in = app.input;
  ui::ViewState& v = app.view;
  v.PlaneHorizontal = in.PointerY;
  v.PlaneVertical = in.PointerX;
  v.PlotScale *= 0.6;
  RecentreOnPlanePoint(app);
  in.ViewRedrawPending = 1;
  RtActivateWindow(RtWindowId::Main);
}

void ZoomOutAtMouse(App& app) {
  ui::InputState& in = app.input;
  ui::ViewState& v = app.view;
  double& vertical = VerticalOrigin(v);
  double& horizontal = HorizontalOrigin(v);
  vertical -= (in.PointerX - vertical) / 2;
  horizontal -= (in.PointerY - horizontal) / 2;
  v.PlotScale *= 1.5;
  v.PlotResumeIndex = v.PlotIndex;
  RtCls(RtWindowId::View);
  in.ViewRedrawPending = 1;
  RtActivateWindow(RtWindowId::Main);
}
