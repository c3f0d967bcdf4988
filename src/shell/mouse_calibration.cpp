#include "shell/mouse_calibration.h"

#include "core/app.h"
#include "points/point_input.h"
#include "runtime/console.h"
#include "runtime/errors.h"
#include "runtime/events.h"
#include "runtime/folders.h"
#include "runtime/graphics.h"
#include "shell/program.h"
#include "shell/settings_file.h"
#include "ui/input.h"

namespace {

constexpr RtWindowId kView = RtWindowId::View;
// The cross's centre in view units: this far from the left and bottom edges.
constexpr double kCrossInset = 1000;
constexpr double kCrossArm = 30;
constexpr int kCrossColour = 7;

void PrintSizes(App& app) {
  RtPrintStr(RtWindowsFolder(), true);
  RtPrintStr("ﾋﾞｭｰ横＝", false);
  RtPrintNum(app.view.ViewMaxWidth, false);
  RtPrintStr("   ﾋﾞｭｰ縦＝", false);
  RtPrintNum(app.view.ViewMaxHeight, true);
  RtPrintStr(" ﾅﾋﾞ横＝", false);
  RtPrintNum(app.navigator.NavigatorMaxWidth, false);
  RtPrintStr("   ﾅﾋﾞ縦＝", false);
  RtPrintNum(app.navigator.NavigatorMaxHeight, true);
  RtPrintStr("", true);
}

// A clean view whose transform puts ground (0, 0) at the cross's centre.
void DrawCross(App& app, double centreY) {
  ui::ViewState& v = app.view;
  v.LastCrossScreenX = 0;
  v.LastCrossScreenY = 0;
  v.ViewScale = 1;
  v.ViewOriginX = -kCrossInset;
  v.ViewOriginY = -kCrossInset;
  RtCls(kView);
  RtLine(kView, kCrossInset - kCrossArm, centreY, kCrossInset + kCrossArm, centreY, kCrossColour);
  RtLine(kView, kCrossInset, centreY - kCrossArm, kCrossInset, centreY + kCrossArm, kCrossColour);
}

}  // namespace

Jump CalibrateMouse(App& app) {
  PrintSizes(app);
  const double centreY = app.view.ViewHeight - kCrossInset;
  DrawCross(app, centreY);
  RtPrintStr("マウスと座標のズレを修正します", true);
  RtPrintStr("マウスポインタを ＋ の中心に合わせてクリックしてください", true);
  app.points.PointInputMode = 1;
  InputPoint(app);
  // The position as the mouse reports it, without the ratio in use.
  const double y = RtMouse(1, kView);
  RtPrintNum(centreY, false);
  RtPrintZone();
  RtPrintNum(y, true);
  if (y == 0) RtRaise(kErrDivisionByZero);
  const double ratio = centreY / y;
  RtPrintStr("調整率 ", false);
  RtPrintNum(ratio, false);
  RtPrintStr(" を取得しました", true);
  if (!IsUsableMouseRatio(ratio)) {
    // A click this far from the cross measures no screen: keeping it would put
    // the windows of every layout off the screen at the next start.
    RtPrintStr("＋から離れすぎています。調整率は変えません", false);
    InputPointName(app);  // waits for Enter
    return {RepeatLastCommand};
  }
  RtPrintStr("調整率を保存しますか[Y,N] Y ", false);
  InputPointName(app);
  if (app.input.Answer != "N") {
    app.view.MouseScaleRatio = ratio;
    RewriteMouseCalibration(app);
  }
  return {RepeatLastCommand};
}
