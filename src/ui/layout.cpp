// Window layouts, staying on top of other programs, and the function keys.
#include "ui/layout.h"

#include "core/app.h"
#include "core/control.h"
#include "core/routines.h"
#include "runtime/console.h"
#include "runtime/dialogs.h"
#include "runtime/graphics.h"
#include "runtime/programs.h"
#include "runtime/windows.h"

namespace {

constexpr RtWindowId kMain = RtWindowId::Main;
constexpr RtWindowId kView = RtWindowId::View;
constexpr RtWindowId kNav = RtWindowId::Nav;

// Single-precision constants of the layouts.
const double kMainHeightFactor = double(0.396f);
const double kNavigatorPlaceDivisor = double(2.51f);
const double kOldNavigatorWidthDivisor = double(2.48f);

bool NavigatorShown(const App& app) { return app.navigator.NavigatorOff == 0; }

// The "back" cell of the tool palette, outlined when it has been clicked.
struct Box {
  double left, top, right, bottom;
};
constexpr Box kBackCell = {0, 490, 80, 530};
constexpr int kBackCellColour = 9;
constexpr int kSolidPen = 0;
// The type of a line vertex at which no segment ends.
constexpr int kNoSegmentEndsHere = 9;

void SetTopmost(App& app, bool mainOnTop, bool navigatorOnTop) {
  RtSetWindowOrder(kMain, mainOnTop);
  if (NavigatorShown(app)) RtSetWindowOrder(kNav, navigatorOnTop);
}

// The view's size in its own units, taken after every layout change.
void MeasureView(App& app) {
  ui::ViewState& v = app.view;
  v.ViewHeight = RtWindowHeight(kView);
  v.ViewWidth = RtWindowWidth(kView);
  v.ViewHalfHeight = v.ViewHeight / 2;
  v.ViewHalfWidth = v.ViewWidth / 2;
}

// The size factors of a layout: n (navigator) and m (mouse), and the navigator's
// width in layouts 0 and 1. A system without a profile folder uses neither factor.
struct LayoutFactors {
  double n;
  double m;
  double navigatorWidth;
  double W;  // the view's maximised client width
  double H;  // and height
};

LayoutFactors Factors(const App& app) {
  const bool old = app.shell.OldWindowsFlag == 1;
  const double n = old ? 1 : app.navigator.NavigatorScale;
  const double m = old ? 1 : app.view.MouseScaleRatio;
  return {n, m, old ? 239 : 241 * n, app.view.ViewMaxWidth, app.view.ViewMaxHeight};
}

// The navigator of layouts 0 and 1: at the top right, or lying over the view's
// top edge (`lowTop`) when the screen is narrow.
void PlaceNavigatorOverView(App& app, const LayoutFactors& f, double lowTop) {
  if (!NavigatorShown(app)) return;
  RtSetWindowSize(kNav, f.navigatorWidth, 185 * f.n * f.m);
  if (f.W < 2500 * f.n) {
    RtMoveWindow(kNav, f.W / kNavigatorPlaceDivisor - 220 * f.n, lowTop);
  } else {
    RtMoveWindow(kNav, 833 * f.n, 0);
  }
}

// Console at the left edge, view to its right, navigator at the top right.
void ApplyLayout0(App& app, const LayoutFactors& f) {
  RtSetWindowSize(kMain, 512, f.H * kMainHeightFactor / f.n / f.m);
  RtSetWindowSize(kView, f.W - 1290 * f.n, f.H + 60 * f.n * f.m);
  RtMoveWindow(kMain, 0, 0);
  RtMoveWindow(kView, 1350 * f.n, 0);
  PlaceNavigatorOverView(app, f, 0);
}

// The whole screen for the view, a short console and the navigator over it.
void ApplyLayout1(App& app, const LayoutFactors& f) {
  RtSetWindowSize(kMain, 512, 177);
  RtSetWindowSize(kView, f.W + 100, f.H + 140 * f.m);
  RtMoveWindow(kView, 0, 0);
  RtMoveWindow(kMain, 290, 0);
  PlaceNavigatorOverView(app, f, 183 * f.n);
}

// A short console and the navigator side by side at the top, the view below.
void ApplyLayout2(App& app, const LayoutFactors& f) {
  RtSetWindowSize(kMain, 512, 177);
  RtRestoreWindow(kView);
  RtSetWindowSize(kView, f.W + 100, f.H - 350 * f.n * f.m);
  RtMoveWindow(kView, 0, 465 * f.n * f.m);
  RtMoveWindow(kMain, 0, 0);
  if (!NavigatorShown(app)) return;
  const bool old = app.shell.OldWindowsFlag == 1;
  RtMoveWindow(kNav, old ? 532 : 534 * f.n, 0);
  const double width = old ? f.W / kOldNavigatorWidthDivisor - 532 : f.W / 2.5 - 532 * f.n;
  RtSetWindowSize(kNav, width, 185 * f.n * f.m);
}

void RequestViewRedraw(App& app) { app.input.ViewRedrawPending = 1; }

// Display switches hold 1 or -1; a switch that holds 0 stays 0.
void Toggle(App& app, double& displaySwitch) {
  displaySwitch = -displaySwitch;
  RequestViewRedraw(app);
}

}  // namespace

void ReleaseTopmost(App& app) { SetTopmost(app, false, false); }

void ReleaseTopmostMain(App& app) { SetTopmost(app, false, true); }

void RestoreTopmost(App& app) { SetTopmost(app, true, true); }

void NextWindowLayout(App& app) {
  double& layout = app.settings.GAMEN;
  layout += 1;
  if (layout == 3) layout = 0;
  const LayoutFactors f = Factors(app);
  if (layout == 0) ApplyLayout0(app, f);
  if (layout == 1) ApplyLayout1(app, f);
  if (layout == 2) ApplyLayout2(app, f);
  RequestViewRedraw(app);
  MeasureView(app);
}

void DrawBackgroundPicture(App& app) {
  const ui::ViewState& v = app.view;
  if (v.BackgroundPictureLoaded != 1 || v.BackgroundPictureOn != 1) return;
  const double width = RtBitmapWidth(v.BitmapPicture, kView) * v.BackgroundPictureScale;
  const double height = RtBitmapHeight(v.BitmapPicture, kView) * v.BackgroundPictureScale;
  RtDrawBitmap(kView, v.BitmapPicture, 0, 0, width, height);
}

void RemoveLastConnectionLine(App& app) {
  cad::Lines& l = app.lines;
  // The last segment goes, and with it every vertex left at the end of the table
  // at which no segment ends (a polyline's start, a deleted segment).
  while (l.LineVertexCount >= 1) {
    const double last = l.LineVertexCount;
    l.LinePointNumber(last) = 0;
    l.LineArc(last) = "";
    l.LineVertexCount = last - 1;
    if (l.LineType(l.LineVertexCount) != kNoSegmentEndsHere) break;
  }
  RequestViewRedraw(app);
  RtLine(kView, kBackCell.left, kBackCell.top, kBackCell.right, kBackCell.bottom, kBackCellColour,
         RtLineShape::Box, kSolidPen);
}

void ShowHelpText(App& app) {
  ReleaseTopmost(app);
  RtShell("EXPLORER.EXE", app.shell.DataFolder + "KRN2000.TXT", false, 8);
}

void ForceAbort(App&) {
  RtColor(2);
  RtPrintStr("", true);
  RtPrintStr(" 強制中止しました", true);
  JumpTo(EntryOf(Routines().ShowResultMenu));
}

void ToggleBackgroundPicture(App& app) { Toggle(app, app.view.BackgroundPictureOn); }

void HardCopyView(App&) {
  while (RtMessageBox("ハードコピーします", "ダイナミックビュー", kButtonsOkCancel,
                      kIconInformation, kMain) == 0) {
    RtHardCopy(kView, 2, 0);
  }
}

void ToggleBackgroundColour(App& app) {
  const bool black = app.settings.RG == 0;
  app.settings.RG = black ? 15 : 0;
  app.view.BackgroundShade = black ? 7 : 0;
  app.view.HeightTextColour = black ? 12 : 13;
  RequestViewRedraw(app);
}

void ToggleGridDisplay(App& app) { Toggle(app, app.settings.ZEH); }
void TogglePointNameDisplay(App& app) { Toggle(app, app.settings.ZEE); }
void ToggleHeightDisplay(App& app) { Toggle(app, app.settings.ZEI); }
void ToggleMarkDisplay(App& app) { Toggle(app, app.settings.ZEG); }
void ToggleLineDisplay(App& app) { Toggle(app, app.settings.ZEF); }
