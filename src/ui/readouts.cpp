// The key loop's pass without a key: where the pointer is on the ground, the
// redraw that handlers and view commands ask for, and the live readouts in the
// dynamic view's caption, which change as the pointer moves.
#include "ui/readouts.h"

#include <cmath>
#include <string>
#include <string_view>

#include "core/app.h"
#include "core/numeric.h"
#include "core/plane.h"
#include "core/routines.h"
#include "runtime/clock.h"
#include "runtime/console.h"
#include "runtime/events.h"
#include "runtime/graphics.h"
#include "runtime/numtext.h"
#include "runtime/windows.h"
#include "ui/layout.h"
#include "ui/transform.h"
#include "ui/view.h"

namespace {

constexpr RtWindowId kView = RtWindowId::View;

// Pointer in the view's units (y downwards), y scaled like every y read there.
struct ViewPointer {
  double x;
  double y;
};

ViewPointer PointerInView(const App& app) {
  return {RtMouse(0, kView), RtMouse(1, kView) * app.view.MouseScaleRatio};
}

// ---- Redraw on request ----

void ClearViewForRedraw(App& app) {
  ui::InputState& in = app.input;
  const int grey = RtWhole(app.settings.RG * 17);
  RtSetColorRgb(kView, RtRgb(grey, grey, grey));
  app.view.ViewClearedFlag = 1;
  in.DragTextShown = 0;
  in.DragCirclesShown = 0;
  MeasureViewSize(app);
  in.PickAnswered = 0;
  in.ViewRedrawPending = 0;
  RtCls(kView);
  RtSetMouseCursor(kView, kPointerBusy);
}

void DrawEveryPoint(App& app) {
  ui::ViewState& v = app.view;
  v.PointToDraw = 1;
  do {  // point 1 is offered even when no point is in use
    DrawPoint(app);
    v.PointToDraw += 1;
  } while (v.PointToDraw <= app.points.PointCount);
}

// ---- Drag indicator ----

constexpr double kDragUnit = 50;  // view units per unit of DragDistance
constexpr double kInnerRing = 26;
constexpr double kOuterRing = 52;
constexpr int kBlankCount = 9;

void DrawDragRings(const App& app) {
  const ui::InputState& in = app.input;
  RtSetLineStyle(kView, ui::kPenDot);
  RtCircle(kView, in.PressViewX, in.PressViewY, kInnerRing, 11);
  RtCircle(kView, in.PressViewX, in.PressViewY, kOuterRing, 9, 0.5, 0);
  RtCircle(kView, in.PressViewX, in.PressViewY, kOuterRing, 7, 0, 0.5);
}

// With a solid pen: the dots of the rings do not fall where the dots of a full
// dotted circle would, and a dotted erase would leave some of them behind.
void EraseDragRings(const App& app) {
  const ui::InputState& in = app.input;
  const int background = RtWhole(app.settings.RG);
  RtSetLineStyle(kView, ui::kPenSolid);
  RtCircle(kView, in.PressViewX, in.PressViewY, kInnerRing, background);
  RtCircle(kView, in.PressViewX, in.PressViewY, kOuterRing, background);
}

// What the release will do: centre on the press point, or zoom by DragDistance
// (in when the pointer is above the press point).
void WriteDragText(App& app, const ViewPointer& pointer) {
  ui::InputState& in = app.input;
  const double d = in.DragDistance;
  if (d > 0.5 && d <= 1) {
    in.DragTextShown = 1;
    RtColor(kView, 13);
    RtPrintToWindow(kView, "中心移動 ", false);
  }
  if (d > 1) {
    in.DragTextShown = 1;
    const bool above = in.PressViewY - pointer.y > 0;
    RtColor(kView, above ? 12 : 11);
    RtPrintToWindow(kView, RtFormatUsing(above ? "拡大=##.#" : "縮小=##.#", {d}), false);
  }
}

void EraseDragText(App& app) {
  ui::InputState& in = app.input;
  in.DragTextShown = 0;
  RtPset(kView, in.PressViewX, in.PressViewY, -1);  // also puts the text position there
  RtColor(kView, 8 + RtWhole(app.view.BackgroundShade));
  RtPrintToWindow(kView, std::string(kBlankCount, ' '), false);
}

void ShowDragIndicator(App& app, const ViewPointer& pointer) {
  ui::InputState& in = app.input;
  if (in.LeftButtonHeld != 1 || in.DragIndicatorOff == 1) return;
  in.DragDistance = std::sqrt(std::pow(in.PressViewY - pointer.y, 2) +
                              std::pow(in.PressViewX - pointer.x, 2)) /
                    kDragUnit;
  if (in.DragDistance > 0.5) {
    in.DragCirclesShown = 1;
    DrawDragRings(app);
  }
  if (in.DragCirclesShown == 1 && in.DragDistance < 0.5) {
    EraseDragRings(app);
    in.DragCirclesShown = 0;
  }
  WriteDragText(app, pointer);
  if (in.DragDistance < 0.5 && in.DragTextShown == 1) EraseDragText(app);
}

// ---- Caption readouts ----

// Number text with nine blanks appended, cut to `width` characters.
std::string Padded(double x, size_t width = 12) {
  return (RtStr(x) + std::string(kBlankCount, ' ')).substr(0, width);
}
double Distance(double dx, double dy) { return std::sqrt(dx * dx + dy * dy); }

// The parcel area with the reference vertex moved to the pointer, computed for
// every place the reference point takes in the parcel's vertex list.
void ComputeLiveParcelArea(App& app) {
  ui::InputState& in = app.input;
  points::Store& s = app.points;
  in.SavedParcelPointX = s.WorkPointX;
  in.SavedParcelPointY = s.WorkPointY;
  const double last = s.SelectionIndex;
  for (double i = 0; i <= last; ++i) {
    if (s.SelectionList(i) != in.DistanceReferencePoint) continue;
    in.DefaultPickState = 3;
    app.area.RunningAreaState = 0;
    double counter = 0;
    s.WorkPointX = in.PointerX;
    s.WorkPointY = in.PointerY;
    app.area.ParcelVertexIndex = i;
    Call(Routines().AddPointToRunningArea, app);
    do {
      Call(Routines().LoadParcelVertexCyclic, app);
      Call(Routines().AddPointToRunningArea, app);
      counter += 1;
    } while (counter < s.SelectionIndex);
  }
}

// "l=" from the reference point (or the last press while a new point is
// entered), and "S=" while a parcel edit asks for a vertex.
void AppendDistanceFromReference(App& app) {
  ui::InputState& in = app.input;
  const points::Store& s = app.points;
  if (in.DefaultPickState == 1) {
    in.DistanceReferencePoint = app.view.PointToDraw;
    in.DefaultPickState = 2;
  }
  if (s.PointInputMode == 0) {
    in.DistanceReferenceX = s.PointX(in.DistanceReferencePoint);
    in.DistanceReferenceY = s.PointY(in.DistanceReferencePoint);
  } else {
    in.DistanceReferenceX = in.PressGroundX;
    in.DistanceReferenceY = in.PressGroundY;
  }
  const double l = Distance(in.PointerX - in.DistanceReferenceX,
                            in.PointerY - in.DistanceReferenceY) + 1e-20;
  in.ViewCaptionText += "l=" + Padded(RoundDistance(app, l));
  if (app.area.ParcelVertexPickMode == 1) ComputeLiveParcelArea(app);
  if (in.DefaultPickState == 3) {
    in.ViewCaptionText += "S=" + Padded(RoundCoordinate(app, std::abs(app.area.RunningArea)), 9);
    app.points.WorkPointX = in.SavedParcelPointX;
    app.points.WorkPointY = in.SavedParcelPointY;
    app.area.ParcelVertexFound = 1;
  }
}

// "x=" station (with the chainage) and "y=" offset of the pointer from the base
// line, or along and from the base arc centred on the base point.
void AppendStationAndOffset(App& app) {
  ui::InputState& in = app.input;
  const cogo::State& base = app.cogo;
  const plane::AlongBase along = plane::AlongBaseOf(in.PointerX - base.BasePointX, in.PointerY - base.BasePointY,
                                                    base.BaseAzimuth, base.BaseRadius);
  in.BaseStation = along.station + base.BaseChainage;
  in.BaseOffset = along.offset;
  in.ViewCaptionText += "x=" + Padded(RoundCoordinate(app, in.BaseStation)) + "y=" +
                        Padded(RoundCoordinate(app, in.BaseOffset));
}

// Brings an angle into 0 to below 360 degrees. Angles far outside are first
// taken modulo 360, which a step of 360 at a time could never get below.
double NormalizeDegrees(double angle) {
  if (!std::isfinite(angle)) return angle;
  if (std::abs(angle) >= 3600) angle = std::fmod(angle, 360);
  for (;;) {
    while (angle >= 360) angle -= 360;
    if (angle >= 0) return angle;
    angle += 360;
  }
}

// "  L=" distance and "A=" direction from the from-point; "H=" the direction
// less the reference direction the caller measured last.
void AppendFromPointReadout(App& app) {
  ui::InputState& in = app.input;
  const points::Store& s = app.points;
  double& angle = app.numbers.AngleToFormat;
  in.ReadoutAngleLabel = "A=";
  in.ReadoutDistance = Distance(in.PointerX - s.FromPointX, in.PointerY - s.FromPointY) + 1e-20;
  angle = ArcCosDegrees((in.PointerX - s.FromPointX) / in.ReadoutDistance);
  if (in.PointerY - s.FromPointY < 0) angle = 360 - angle;
  if (in.InputDirectionHFlag == 1) {
    in.ReadoutAngleLabel = "H=";
    angle -= s.LegDirection;  // the back-sight direction of the caller
  }
  angle = NormalizeDegrees(angle);
  FormatAngle(app);
  in.ViewCaptionText += "  L=" + Padded(RoundDistance(app, in.ReadoutDistance)) + "  " +
                        in.ReadoutAngleLabel + app.numbers.FormattedAngle;
}

void WriteCaptionReadouts(App& app) {
  ui::InputState& in = app.input;
  in.ViewCaptionText = "X=" + Padded(RoundCoordinate(app, in.PointerX)) + "Y=" +
                       Padded(RoundCoordinate(app, in.PointerY));
  in.LastPointerY = in.PointerY;
  in.LastPointerX = in.PointerX;
  in.LastConsolePointerX = in.ConsolePointerX;
  in.LastConsolePointerY = in.ConsolePointerY;
  if (in.DefaultPickState >= 1) AppendDistanceFromReference(app);
  if (in.StationMarkerOn == 1) AppendStationAndOffset(app);
  if (in.InputDistanceFlag == 1 || in.InputDirectionFlag == 1) AppendFromPointReadout(app);
  RtSetWindowTitle(kView, in.ViewCaptionText);
}

void FollowMinimisedMainWindow(const App& app) {
  if (!RtIsMinimized(RtWindowId::Main)) return;
  RtMinimizeWindow(kView);
  if (app.navigator.NavigatorOff != 1) RtMinimizeWindow(RtWindowId::Nav);
}

void TimePointerMovements(ui::InputState& in) {
  if (in.PointerY != in.LastPointerY || in.PointerX != in.LastPointerX) {
    in.ViewPointerMovedTime = RtTimerMs();
  }
  if (in.ConsolePointerX != in.LastConsolePointerX ||
      in.ConsolePointerY != in.LastConsolePointerY) {
    in.ConsolePointerMovedTime = RtTimerMs();
  }
}

}  // namespace

void RefreshPointerPosition(App& app) {
  ui::InputState& in = app.input;
  const ViewPointer pointer = PointerInView(app);
  in.PointerY = GroundYAtViewX(app, pointer.x);
  in.PointerX = GroundXAtViewY(app, pointer.y);
  in.ConsolePointerX = RtMouse(0, RtWindowId::Main);
  in.ConsolePointerY = RtMouse(1, RtWindowId::Main);
}

bool RedrawOnRequest(App& app) {
  if (app.input.ViewRedrawPending != 1) return false;
  ui::ViewState& v = app.view;
  ClearViewForRedraw(app);
  v.LabelOffset = (v.ViewFontSize + v.ViewFontStep) * double(1.43f);
  DrawBackgroundPicture(app);
  DrawEveryPoint(app);
  v.PointToDraw = app.points.CurrentPointNumber;
  Call(Routines().DrawAllConnectionLines, app);
  RedrawGraphicsView(app);
  DrawPointHighlighted(app);
  RtSetMouseCursor(kView, kPointerArrow);
  return true;
}

void UpdateLiveReadouts(App& app) {
  FollowMinimisedMainWindow(app);
  TimePointerMovements(app.input);
  ShowDragIndicator(app, PointerInView(app));
  WriteCaptionReadouts(app);
}
