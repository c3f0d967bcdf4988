#include "cad/drawing_settings.h"

#include <cmath>
#include <string>

#include "cad/cad_menu.h"
#include "cad/drawing.h"
#include "cad/paper_frame.h"
#include "core/app.h"
#include "core/numeric.h"
#include "runtime/console.h"
#include "runtime/numtext.h"
#include "runtime/printer.h"
#include "ui/input.h"
#include "ui/navigator.h"
#include "ui/plot_geometry.h"

namespace {

constexpr int kGuideMenu = 167;

// Says why a typed value was not taken; the value in force stays.
void Refuse(std::string_view why) {
  RtColor(12);
  RtPrintStr(why, true);
  RtColor(7);
}

// "ﾀﾃ=" or "ﾖｺ=" with the size offered; a typed size above 0 replaces it.
void AskPaperSide(App& app, std::string_view prompt, int guide, double& side) {
  RtPrintStr(std::string(prompt) + RtNumText(RoundTo6Decimals(side)), false);
  app.input.GuideNumber = guide;
  InputPointName(app);
  if (app.input.Answer.empty()) return;
  if (app.input.AnswerValue > 0) {
    side = app.input.AnswerValue;
  } else {
    Refuse(" 用紙の大きさは０より大きい値で入力してください");
  }
}

void DrawingSettings(App& app) {
  cad::ComputeDrawingExtent(app);
  InputPaperSize(app);
  FitScaleToPaper(app);
  InputDrawingScale(app);
}

void AskNameOmitSeparator(App& app) {
  RtPrintStr("", true);
  RtPrintStr(" 省略文字から前の文字が消えて出力します", true);
  RtPrintStr(" [例 省略文字＝ -     N25-15 ---> 15 ]", true);
  RtPrintStr("省略点名= ", false);
  InputMenuChoice(app);
  app.lines.NameOmitSeparator = app.input.Answer;
}

}  // namespace

namespace cad {

void ComputeDrawingExtent(App& app) {
  ui::ViewState& v = app.view;
  const cad::Lines& l = app.lines;
  app.points.SelectionLast = l.PlotSelectionLast;
  if (app.points.SelectionLast >= 0) {
    ComputeSelectionExtent(app);
    if (!SelectionExtentIsEmpty(app)) return;
  }
  v.ExtentMaxX = v.PlotOriginX + l.PaperHeight * l.ScaleDenominator * v.VerticalRatio;
  v.ExtentMaxY = v.PlotOriginY + l.PaperWidth * l.ScaleDenominator;
}

}  // namespace cad

Jump DrawingSettingsMenu(App& app) {
  cad::Lines& l = app.lines;
  l.PaperFrameColour = 13;
  DrawPaperFrame(app);
  app.points.CoordinateLabelX = "X=";
  app.points.CoordinateLabelY = "Y=";
  RtPrintStr("1:用紙設定  2:ｻｲｽﾞ変更  3:縮尺変更  4:原点移動  5:回転", true);
  RtPrintStr("6:点名省略", false);
  app.input.GuideNumber = kGuideMenu;
  InputMenuChoice(app);
  switch (cad::ChoiceOf(app.input.AnswerValue)) {
    case 1: DrawingSettings(app); break;
    case 2: InputPaperSize(app); break;
    case 3:
      // The extent of the drawing's points, not what a fit left last: centring
      // on a stale extent would move the origin at every use.
      cad::ComputeDrawingExtent(app);
      InputDrawingScale(app);
      break;
    case 4: MoveDrawingOrigin(app); break;
    case 5: InputDrawingRotation(app); break;
    case 6: AskNameOmitSeparator(app); break;
    default: return {CadMenu};
  }
  return {DrawingSettingsMenu};
}

void InputPaperSize(App& app) {
  cad::Lines& l = app.lines;
  l.PrinterSelected = 1;
  RtPrinterRelease();
  app.input.GuideNumber = 161;
  ShowGuideNext(app);
  l.PaperWidth = 0.841;
  l.PaperHeight = 0.594;
  if (RtSelectPrinter()) {
    l.PaperHeight = RtDeviceCaps(kCapPrintableHeightMm) / 1000 - 0.003;
    l.PaperWidth = RtDeviceCaps(kCapPrintableWidthMm) / 1000 - 0.003;
  } else {
    // No printer was chosen: the print goes to the default printer again.
    l.PrinterSelected = 0;
    RtPrinterSetup("");
  }
  RtPrintStr("印刷範囲 (m)", true);
  AskPaperSide(app, "ﾀﾃ=", 162, l.PaperHeight);
  AskPaperSide(app, "ﾖｺ=", 163, l.PaperWidth);
  ErasePaperFrame(app);
}

void InputDrawingScale(App& app) {
  cad::Lines& l = app.lines;
  ui::ViewState& v = app.view;
  ui::InputState& in = app.input;
  RtPrintStr("[10,20,30,50,100,200,250,500,600,1000,2000,2500,5000]", true);
  const double offered = l.ScaleDenominator;
  RtPrintStr("縮尺=" + RtNumText(offered) + "ﾏﾃﾞ", false);
  in.GuideNumber = 164;
  InputPointName(app);
  l.ScaleDenominator = in.AnswerValue;
  if (l.ScaleDenominator == 0) {
    l.ScaleDenominator = offered;
  } else if (l.ScaleDenominator < 1) {
    Refuse(" 縮尺は１以上で入力してください");
    l.ScaleDenominator = offered;
  }
  l.ScaleDenominator = RoundTo6Decimals(l.ScaleDenominator);
  RtPrintStr("minX=" + RtNumText(v.PlotOriginX) + "  minY=" + RtNumText(v.PlotOriginY), true);
  const double s = l.ScaleDenominator;
  v.PlotOriginX = cad::CentredOrigin(v.PlotOriginX, v.ExtentMaxX, l.PaperHeight * s * v.VerticalRatio);
  v.PlotOriginY = cad::CentredOrigin(v.PlotOriginY, v.ExtentMaxY, l.PaperWidth * s);
  const profile::State& pr = app.profile;
  if (pr.ProfileMode == 1) {
    v.PlotOriginX =
        RoundTo4Decimals(pr.ProfileDatumLevel + pr.ProfileFreeHeight * s * v.VerticalRatio / 1000);
    v.PlotOriginY =
        RoundTo4Decimals(pr.ProfileStartChainage - (pr.ProfileStartMargin + 40) * s / 1000);
  }
  RtPrintStr("X0=" + RtNumText(v.PlotOriginX), false);
  in.GuideNumber = 165;
  InputCoordinatePick(app);
  if (!in.Answer.empty()) v.PlotOriginX = in.AnswerValue;
  if (in.Answer == "F") {
    v.PlotOriginX = in.PointerX;
    v.PlotOriginY = in.PointerY;
    ErasePaperFrame(app);
    return;
  }
  RtPrintStr("Y0=" + RtNumText(v.PlotOriginY), false);
  in.GuideNumber = 166;
  InputPointName(app);
  if (!in.Answer.empty()) v.PlotOriginY = in.AnswerValue;
  ErasePaperFrame(app);
}

void MoveDrawingOrigin(App& app) {
  ui::ViewState& v = app.view;
  ui::InputState& in = app.input;
  auto toPointer = [&] {
    v.PlotOriginX = in.PointerX;
    v.PlotOriginY = in.PointerY;
    ErasePaperFrame(app);
  };
  for (;;) {
    RtPrintStr("ｲﾄﾞｳ x=", false);
    in.GuideNumber = 214;
    InputCoordinatePick(app);
    const double dx = in.AnswerValue;
    if (in.Answer == "F") return toPointer();
    if (!in.Answer.empty()) {
      RtPrintStr("ｲﾄﾞｳ y=", false);
      in.GuideNumber = 215;
      InputPointName(app);
      const double dy = in.AnswerValue;
      ErasePaperFrame(app);
      v.PlotOriginY += dy;
      v.PlotOriginX += dx;
      return;
    }
    RtPrintStr("原点 X=", false);
    in.GuideNumber = 363;
    InputCoordinatePick(app);
    if (in.Answer.empty()) continue;
    if (in.Answer == "F") return toPointer();
    const double x = in.AnswerValue;
    RtPrintStr("原点 Y=", false);
    in.GuideNumber = 364;
    InputPointName(app);
    // Enter keeps the Y: an origin at Y = 0 would lie far from any job.
    const double y = in.Answer.empty() ? v.PlotOriginY : in.AnswerValue;
    ErasePaperFrame(app);
    v.PlotOriginY = y;
    v.PlotOriginX = x;
    return;
  }
}

void InputDrawingRotation(App& app) {
  app.points.FromPointX = app.view.PlotOriginX;
  app.points.FromPointY = app.view.PlotOriginY;
  RtPrintStr("回転角＝", false);
  app.input.GuideNumber = 315;
  InputDirection(app);
  if (app.input.Answer.empty()) return;
  ErasePaperFrame(app);
  app.lines.DrawingRotation = app.input.AnswerValue;
}
