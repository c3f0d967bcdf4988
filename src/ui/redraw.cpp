// The full redraw of the dynamic view: the background, the connection lines, the
// overlays and the points, each drawn over the ones before. The connection
// lines, the paper frame, the parcel labels and the longitudinal section belong
// to later subsystems, which install their drawers in the routine table.
#include "ui/redraw.h"

#include <string>

#include "core/app.h"
#include "core/numeric.h"
#include "core/routines.h"
#include "runtime/console.h"
#include "runtime/graphics.h"
#include "runtime/window_id.h"
#include "runtime/windows.h"
#include "ui/layout.h"
#include "ui/view.h"

namespace {

constexpr RtWindowId kView = RtWindowId::View;
using ui::kPenDot;
using ui::kPenSolid;

// One spacing of the ground grid: drawn while ViewScale is below `scaleBelow`,
// which is where the spacing spans 100 view units (10 mm on the screen).
struct GridSpacing {
  double metres;
  int colour;
  double scaleBelow;
};

// Finest first, so that coarser lines are drawn over finer ones.
constexpr GridSpacing kGridSpacings[] = {
    {double(0.1f), 12, double(0.001f)},
    {1, 6, double(0.01f)},
    {10, 2, double(0.1f)},
    {100, 8, 1},
    {1000, 4, 10},
};

void DrawGrid(App& app) {
  if (app.settings.ZEH != 1) return;
  RtSetLineStyle(kView, kPenDot);
  ui::ViewState& v = app.view;
  for (const GridSpacing& g : kGridSpacings) {
    if (!(v.ViewScale < g.scaleBelow)) continue;
    v.ViewGridSpacing = g.metres;
    v.ViewGridColour = g.colour;
    DrawViewGrid(app);
  }
}

// The instrument station of the station commands: a dot, the back-sight's name
// beside it and a line 200 view units long towards the orientation azimuth.
void DrawInstrumentStation(const App& app) {
  const cogo::State& c = app.cogo;
  if (c.InstrumentStationY == 0) return;
  const double sx = ViewUnitX(app, c.InstrumentStationY);
  const double sy = ViewUnitY(app, c.InstrumentStationX);
  RtSetLineStyle(kView, kPenSolid);
  RtPset(kView, sx, sy, -1);
  RtColor(kView, 4);
  RtPrintToWindow(kView, c.BacksightName, false);
  RtLine(kView, sx, sy, sx + 200 * SinDegrees(c.InstrumentOrientation),
         sy - 200 * CosDegrees(c.InstrumentOrientation), 6);
}

// The parcel that the parcel division offers, as a polygon of its vertices in
// SelectionList 0 to SelectionIndex with each side's end named. An open parcel
// ("2") ends at the side to entry SelectionIndex - 1.
void DrawSelectionPolygon(const App& app) {
  if (app.area.SelectionPolylineOn != 1) return;
  const points::Store& p = app.points;
  const double last = p.SelectionIndex;
  const bool open = app.area.ParcelKind == "2";
  const double offset = ui::LabelOffsetInForce(app);
  RtSetLineStyle(kView, kPenSolid);
  double i = 0;
  do {
    const double j = i == last ? 0 : i + 1;
    const int from = p.SelectionList(i);
    const int to = p.SelectionList(j);
    const double x2 = ViewUnitX(app, p.PointY(to));
    const double y2 = ViewUnitY(app, p.PointX(to));
    RtLine(kView, ViewUnitX(app, p.PointY(from)), ViewUnitY(app, p.PointX(from)), x2, y2, 9);
    RtSymbol(kView, x2 + offset, y2 - offset, p.PointName(to), 1, 1, 0, 9);
    if (open && i == last - 2) return;
    i += 1;
  } while (i <= last);
}

// The cross of the last stored point under its remembered name; the answer in
// hand is kept.
void DrawLastCross(App& app) {
  if (app.points.NewPointCount == 0) return;
  app.view.PointDrawColour = 2;
  const std::string answer = app.input.Answer;
  app.input.Answer = app.view.LastCrossName;
  DrawCrossWithNameNoErase(app);
  app.input.Answer = answer;
}

}  // namespace

void RedrawGraphicsView(App& app) {
  DrawGrid(app);
  DrawToolPalette(app);
  if (app.settings.ZE == 4 || app.input.StationMarkerOn == 1) DrawStationMarker(app);
  DrawInstrumentStation(app);
  DrawSelectionPolygon(app);
  if (app.lines.PaperFrameOn == 1) Call(Routines().DrawPaperFrame, app);
  DrawLastCross(app);
  Call(Routines().DrawParcelLabels, app);
  Call(Routines().DrawProfileView, app);
  DrawRouteIpLines(app);
}

void RedrawView(App& app) {
  ui::ViewState& v = app.view;
  v.LastCrossScreenX = 0;
  v.LastCrossScreenY = 0;
  RtCls(RtWindowId::View);
  DrawBackgroundPicture(app);
  RtSetMouseCursor(RtWindowId::Main, kPointerBusy);
  Call(Routines().DrawAllConnectionLines, app);
  RedrawGraphicsView(app);
  // Points last, over the lines and overlays; point 1 is offered even when none is in use.
  v.PointToDraw = 1;
  do {
    DrawPoint(app);
    v.PointToDraw += 1;
  } while (v.PointToDraw <= app.points.PointCount);
  RtSetMouseCursor(RtWindowId::Main, kPointerArrow);
}
