#include "ui/plot_browser.h"

#include <algorithm>
#include <cmath>
#include <string>

#include "core/app.h"
#include "core/numeric.h"
#include "core/routines.h"
#include "core/sound.h"
#include "runtime/clock.h"
#include "runtime/console.h"
#include "runtime/events.h"
#include "runtime/graphics.h"
#include "runtime/numtext.h"
#include "runtime/text.h"
#include "runtime/windows.h"
#include "ui/input.h"
#include "ui/navigator.h"
#include "ui/plot_geometry.h"
#include "ui/plot_handlers.h"
#include "ui/redraw.h"
#include "ui/transform.h"
#include "ui/view.h"

namespace {

constexpr RtWindowId kView = RtWindowId::View;
constexpr RtWindowId kMain = RtWindowId::Main;
constexpr int kPlotMouseEvents[] = {kMouseLeftDown, kMouseLeftUp, kMouseLeftDouble,
                                    kMouseRightDouble};

// What the browser does next.
enum class Next { Resume, Pass, Poll, Leave };

int Whole(double x) { return static_cast<int>(x); }

// ---- Mouse handlers ----

void InstallMouseHandlers(App& app) {
  using Handler = void (*)(App&);
  constexpr Handler handlers[] = {StartPanDrag, EndPanDrag, ZoomInAtMouse, ZoomOutAtMouse};
  for (int i = 0; i < 4; ++i) {
    const Handler handler = handlers[i];
    RtOnMouseGosub(kPlotMouseEvents[i], [&app, handler] { handler(app); });
    RtMouseOnOff(kPlotMouseEvents[i], true);
  }
}

void SwitchMouseHandlersOff() {
  for (const int event : kPlotMouseEvents) RtMouseOnOff(event, false);
}

// ---- Drawing pass ----

double LineViewX(const App& app, double horizontal) {
  return (horizontal - app.view.PlotOriginY) / app.view.PlotScale;
}
double LineViewY(const App& app, double vertical) {
  return app.view.ViewHeight - (vertical - app.view.PlotOriginX) / app.view.PlotScale;
}

// The arc of the segment ending at `vertex`, when its arc text has a radius.
void DrawPlanArc(App& app, int vertex, int colour) {
  cad::Lines& l = app.lines;
  const ui::ViewState& v = app.view;
  l.SegmentVertex = vertex;
  l.ArcRadius = RadiusOfArcText(l.LineArc(vertex));
  if (l.ArcRadius == 0 || !std::isfinite(l.ArcRadius)) return;
  Call(Routines().ComputeArcFromRadius, app);
  const double cx = (l.ArcCentreY - v.ViewOriginY) / v.ViewScale;
  const double cy = v.ViewHeight - (l.ArcCentreX - v.ViewOriginX) / (v.ViewScale * v.VerticalRatio);
  RtCircle(kView, cx, cy, std::fabs(l.ArcRadius) / v.ViewScale, colour, l.ArcStartAngle / 360,
           l.ArcEndAngle / 360, 1 / v.VerticalRatio);
}

// One segment, always in the normal orientation; hidden layers are drawn too.
void DrawSegment(App& app, int vertex) {
  const cad::Lines& l = app.lines;
  const points::Store& p = app.points;
  const int a = l.LinePointNumber(vertex - 1), b = l.LinePointNumber(vertex);
  if (a > p.PointCount || b > p.PointCount) return;
  const int colour = l.LineLayer(vertex);
  if (app.shell.PlanViewFlag != 1) {
    RtLine(kView, LineViewX(app, p.PointX(a)), LineViewY(app, p.PointZ(a)),
           LineViewX(app, p.PointX(b)), LineViewY(app, p.PointZ(b)), colour);
    return;
  }
  if (l.LineArc(vertex).empty()) {
    RtLine(kView, LineViewX(app, p.PointY(a)), LineViewY(app, p.PointX(a)),
           LineViewX(app, p.PointY(b)), LineViewY(app, p.PointX(b)), colour);
  }
  DrawPlanArc(app, vertex, colour);
}

void DrawConnectionLines(App& app) {
  const cad::Lines& l = app.lines;
  for (int i = 1; i <= Whole(l.LineVertexCount); ++i) {
    const std::string code = RtTrim(RtStr(l.LineType(i)));
    if (code.empty() || code == "9") continue;
    app.view.LineTypeCode = code;
    SetLineStyleFromCode(app);
    DrawSegment(app, i);
  }
}

// Symbol and blank in `symbolColour` at the point's anchor, after a dot in
// `dotColour`; the name follows in `nameColour` when `withName`.
void MarkPlotPoint(App& app, int dotColour, int symbolColour, int nameColour, bool withName) {
  ui::ViewState& v = app.view;
  GetPointMarkSymbol(app);
  RtPset(kView, v.PlotScreenX - 8, v.PlotScreenY - 10, dotColour);
  RtColor(kView, symbolColour);
  RtPrintToWindow(kView, v.MarkSymbol + " ", false);
  if (!withName) return;
  RtColor(kView, nameColour);
  RtPrintToWindow(kView, app.points.PointName(v.PlotPoint), false);
}

void DrawSelectedPoints(App& app) {
  ui::ViewState& v = app.view;
  const points::Store& p = app.points;
  const bool names = v.PlotNamesShown == 1;
  const bool sequence = names && app.input.BrowseKey == "S";
  double lastX = 0, lastY = 0;
  for (int k = 0; k <= Whole(p.SelectionLast); ++k) {
    v.PlotPoint = p.SelectionList(k);
    PointToScreen(app);
    MarkPlotPoint(app, 15, 0, 1, names);
    if (sequence && k > 0) RtLine(kView, lastX, lastY, v.PlotScreenX, v.PlotScreenY, 12);
    lastX = v.PlotScreenX;
    lastY = v.PlotScreenY;
  }
}

bool IsHeldPointKey(double code) { return code == 42 || code == 47 || code == 90 || code == 83; }

void DrawingPass(App& app) {
  ui::ViewState& v = app.view;
  v.ViewScale = v.PlotScale;
  v.ViewOriginX = v.PlotOriginX;
  v.ViewOriginY = v.PlotOriginY;
  app.input.PickAnswered = 0;
  app.input.GuideNumber = 160;
  ShowGuideNext(app);
  RtSetWindowAttr(kView, 1);
  RtCls(kView);
  RedrawGraphicsView(app);
  DrawConnectionLines(app);
  RedrawGraphicsView(app);
  DrawSelectedPoints(app);
  v.PlotIndex = v.PlotResumeIndex;
  PlaySound(app, "ding.wav");
  v.PlotPoint = app.points.SelectionList(v.PlotIndex);
  if (IsHeldPointKey(v.PlotKeyCode)) v.PlotPoint = v.PlotHeldPoint;
}

// ---- Information line and polling ----

void InformationLine(App& app) {
  PointToScreen(app);
  const points::Store& p = app.points;
  const double n = app.view.PlotPoint;
  const std::string& name = p.PointName(n);
  const std::string more = name.size() > 8 ? name.substr(8, 8) : std::string();
  RtPrintUsingNum("##### &      &@ #######.### #######.### ######.###",
                  {n, name, more, p.PointX(n), p.PointY(n), p.PointZ(n)}, false);
  RtColor(3);
  RtPrintStr(" [+-/ZHQPM]", true);
}

void HighlightCurrentPoint(App& app) { MarkPlotPoint(app, 0, 2, 3, true); }

void UpdatePointer(App& app) {
  const ui::ViewState& v = app.view;
  const double mx = RtMouse(0, kView), my = RtMouse(1, kView);
  app.input.PointerY = mx * v.PlotScale + v.PlotOriginY;
  app.input.PointerX = v.PlotOriginX + (v.ViewHeight - my * v.MouseScaleRatio) * v.PlotScale;
}

std::string TitleField(App& app, double value) {
  return (RtStr(RoundCoordinate(app, value)) + std::string(9, ' ')).substr(0, 12);
}

void ShowPointerInTitle(App& app) {
  RtSetWindowTitle(kView, "X=" + TitleField(app, app.input.PointerX) + "Y=" +
                              TitleField(app, app.input.PointerY));
}

// ---- Keys ----

void Refit(App& app) {
  app.view.PlotOrientation = -1;
  ZoomToFitView(app);
}

void HoldCurrentPoint(App& app) { app.view.PlotHeldPoint = app.view.PlotPoint; }

// The leaving point back in its normal colours, then the new current point.
Next Step(App& app) {
  ui::ViewState& v = app.view;
  MarkPlotPoint(app, 0, 0, 1, true);
  v.PlotIndex = std::clamp(v.PlotIndex, 0.0, std::max(app.points.SelectionLast, 0.0));
  v.PlotPoint = app.points.SelectionList(v.PlotIndex);
  InformationLine(app);
  return Next::Poll;
}

// Page Up, Page Down and "/": a new transform centred on the current point.
Next RecentreAndDraw(App& app) {
  RecentreOnPoint(app);
  HoldCurrentPoint(app);
  return Next::Pass;
}

// Enter: the point typed (Enter alone: the current one) is added to the
// selection; the next polling round asks for the magnification.
Next GoToPoint(App& app) {
  ui::ViewState& v = app.view;
  points::Store& p = app.points;
  RtPrintStr("NO.   " + p.PointName(v.PlotPoint), false);
  app.input.GuideNumber = 110;
  InputText(app);
  if (app.input.Answer.empty()) app.input.Answer = p.PointName(v.PlotPoint);
  const double reask = p.PointReaskFlag;
  p.PointReaskFlag = 1;
  Call(Routines().ResolvePointNumberOrName, app);
  p.PointReaskFlag = reask;
  v.PlotPoint = p.WorkPointY;
  p.SelectionList(p.SelectionLast + 1) = static_cast<int16_t>(v.PlotPoint);
  p.SelectionLast += 1;
  v.PlotAskMagnification = 1;
  InformationLine(app);
  return Next::Poll;
}

Next AskMagnification(App& app) {
  ui::ViewState& v = app.view;
  RtPrintStr(" ﾊﾞｲﾘﾂ=1", false);
  app.input.GuideNumber = 141;
  InputPointName(app);
  const bool none = app.input.Answer.empty() || app.input.AnswerValue == 0;
  v.PlotMagnification = none ? 1 : app.input.AnswerValue;
  v.PlotScale /= v.PlotMagnification;
  RecentreOnPoint(app);
  HoldCurrentPoint(app);
  v.PlotAskMagnification = 0;
  return Next::Resume;
}

Next DispatchKey(App& app, const std::string& key, int code) {
  ui::ViewState& v = app.view;
  if (key == "+" || code == kKeyDown || key == "-" || code == kKeyUp) {
    const bool forward = key == "+" || code == kKeyDown;
    v.PlotIndex += forward ? 1 : -1;
    RtColor(forward ? 7 : 2);
    return Step(app);
  }
  if (key == "Z" || key == "S" || key == "H") {
    if (key == "H") {
      app.shell.PlanViewFlag = -app.shell.PlanViewFlag;
    } else {
      HoldCurrentPoint(app);
    }
    Refit(app);
    return Next::Resume;
  }
  if (key == "Q" || code == kKeyEscape) return Next::Leave;
  if (key == "P") {
    RtHardCopy(kView, 2, 0);
    return Step(app);
  }
  if (key == "M") {
    v.PlotNamesShown = -v.PlotNamesShown;
    v.PlotResumeIndex = v.PlotIndex;
    return Next::Pass;
  }
  if (code == kKeyEnter) return GoToPoint(app);
  if (code == kKeyPageUp || code == kKeyPageDown) {
    v.PlotScale = code == kKeyPageUp ? v.PlotScale / 2 : v.PlotScale * 2;
    return RecentreAndDraw(app);
  }
  if (key == "/") {
    v.PlotOrientation = -v.PlotOrientation;
    return RecentreAndDraw(app);
  }
  return Next::Poll;
}

// Rounds until a key or a redraw request arrives.
Next PollingRound(App& app) {
  ui::ViewState& v = app.view;
  ui::InputState& in = app.input;
  for (;;) {
    RtActivateWindow(kMain);
    HighlightCurrentPoint(app);
    UpdatePointer(app);
    if (in.ViewRedrawPending == 1) {
      HoldCurrentPoint(app);
      in.PickAnswered = 0;
      in.ViewRedrawPending = 0;
      return Next::Pass;
    }
    ShowPointerInTitle(app);
    if (v.PlotAskMagnification != 0) return AskMagnification(app);
    RtWait(0.01);
    const std::string key = RtUcase(RtInkey());
    if (key.empty()) continue;
    in.BrowseKey = key;
    v.PlotKeyCode = static_cast<unsigned char>(key[0]);
    return DispatchKey(app, key, Whole(v.PlotKeyCode));
  }
}

Jump Leave(App& app) {
  app.lines.PlotSelectionLast = app.points.SelectionLast;
  SwitchMouseHandlersOff();
  RtColor(kView, -1, Whole(app.settings.RG));
  RedrawView(app);
  app.shell.PlanViewFlag = 1;
  Call(Routines().FitDrawingToPaper, app);
  return {EntryOf(Routines().CadMenu)};
}

Jump Browse(App& app) {
  Next next = Next::Resume;
  for (;;) {
    switch (next) {
      case Next::Resume:
        InstallMouseHandlers(app);
        [[fallthrough]];
      case Next::Pass:
        DrawingPass(app);
        InformationLine(app);
        next = Next::Poll;
        break;
      case Next::Poll:
        next = PollingRound(app);
        break;
      case Next::Leave:
        return Leave(app);
    }
  }
}

void ForgetKey(App& app) {
  app.input.BrowseKey.clear();
  app.view.PlotKeyCode = 0;
}

}  // namespace

Jump PlotView(App& app) {
  ForgetKey(app);
  Call(Routines().SelectPoints, app);
  if (app.points.SelectionLast == -1) return {EntryOf(Routines().CadMenu)};
  app.lines.PaperFrameOn = 0;
  app.shell.PlanViewFlag = 1;
  app.view.PlotNamesShown = 1;
  RtCls(kView);
  RtCls(kMain);
  RtColor(7);
  RtColor(kView, -1, 15);
  Refit(app);
  return {ResumePlotView};
}

Jump ResumePlotView(App& app) {
  ForgetKey(app);
  return Browse(app);
}
