#include "cad/print_menu.h"

#include <cmath>
#include <string>

#include "cad/cad_menu.h"
#include "cad/drawing.h"
#include "cad/line_prompts.h"
#include "cad/print_page.h"
#include "cad/state.h"
#include "core/app.h"
#include "points/selection.h"
#include "runtime/console.h"
#include "runtime/errors.h"
#include "runtime/numtext.h"
#include "runtime/printer.h"
#include "runtime/text.h"
#include "ui/input.h"

namespace {

// Grid lines a print may try at most (five paper sizes either side, both ways).
constexpr double kMostGridLines = 2000;

void Abandon() {
  RtPrinterAbort();
  RtPrinterRelease();
}

void Warn(std::string_view text) {
  RtColor(10);
  RtPrintStr(text, true);
}

// "マスメ": the grid interval; Enter leaves no grid. An interval not above 0, or
// one that would draw more lines than a page can hold, is refused.
void AskGridInterval(App& app) {
  cad::Lines& l = app.lines;
  for (;;) {
    RtPrintStr("マスメ[5,10,20,25,50,100,200]", false);
    app.input.GuideNumber = 176;
    InputPointName(app);
    if (app.input.Answer.empty()) return;
    const double g = app.input.AnswerValue;
    if (g > 0 && cad::GridLineCount(g, l.ScaleDenominator, l.PaperWidth, l.PaperHeight) <= kMostGridLines) {
      l.GridInterval = g;
      return;
    }
    RtColor(12);
    RtPrintStr(" マスメの間隔が不適当です（０より大きく、線が多すぎない値）", true);
    RtColor(7);
  }
}

// The settings from the registered-lines question (or, for an additional plot,
// from the text size) to "OK=[Y,N]Y ".
void AskPrintSettings(App& app, bool fromTextSize) {
  cad::Lines& l = app.lines;
  ui::InputState& in = app.input;
  for (;;) {
    if (!fromTextSize) {
      RtPrintStr("登録結線[0:なし 1:一色 2:ﾚｲﾔｰ色] 0 ", false);
      in.GuideNumber = 169;
      InputMenuChoice(app);
      l.PrintLineMode = in.AnswerValue;
      if (l.PrintLineMode == 1) {
        RtPrintStr("色選択", true);
        InputLayer(app);
      }
    }
    fromTextSize = false;
    RtPrintStr("ﾓｼﾞｻｲｽﾞ[10,12,15,17,20] 12 ", false);
    in.GuideNumber = 170;
    InputPointName(app);
    // A size not above 0 has no text to print: the usual 12.
    l.PrintTextSize = in.AnswerValue > 0 ? in.AnswerValue : 12;
    RtPrintStr("標高  [0,1,2,3] 0 ", false);
    in.GuideNumber = 171;
    InputPointName(app);
    l.PrintElevationDecimals = in.AnswerValue;
    const double namesDefault = l.PrintMenuChoice == 1 ? 1 : 0;
    RtPrintStr("点名  [0,1]" + RtNumText(namesDefault), false);
    in.GuideNumber = 172;
    InputPointName(app);
    l.PrintPointNames = in.Answer.empty() ? namesDefault : in.AnswerValue;
    RtPrintStr("点情報[0,1] 0 ", false);
    in.GuideNumber = 173;
    InputPointName(app);
    l.PrintPointInfo = in.AnswerValue;
    l.GridInterval = 0;
    RtPrintStr("[ 0:ﾅｼ 10:登録 ・ ＊ ◎ ● ■ × ○・ △・ □＋ □・ ○＋ ]", true);
    RtPrintStr("マーク = ＋", false);
    in.GuideNumber = 174;
    InputMenuChoice(app);
    RtLocate(static_cast<int>(in.PromptColumn), static_cast<int>(in.PromptRow));
    RtPrintStr(in.AnswerCopy, true);
    const cad::MarkSettings mark = cad::MarkSettingsOf(in.Answer, in.AnswerValue, in.AnswerCopy);
    l.PrintMarkAnswer = mark.answer;
    l.PrintMarkSymbol = mark.symbol;
    l.AdditionalLineType = "9";
    if (l.PrintMenuChoice != 1) {
      l.GridInterval = 0;
      l.PrintFrame = 0;
    } else {
      AskGridInterval(app);
      RtPrintStr("枠線  [0,1] 0 ", false);
      in.GuideNumber = 252;
      InputPointName(app);
      l.PrintFrame = in.AnswerValue;
    }
    RtPrintStr("OK=[Y,N]Y ", false);
    in.GuideNumber = 209;
    InputPointName(app);
    const std::string ok = RtTrim(in.Answer);
    if (ok != "N" && ok != "n") return;
  }
}

Jump RunPrintSettings(App& app) {
  AskPrintSettings(app, false);
  DrawPrintPage(app);
  app.lines.PrintSettingsGiven = 1;
  return {PrintMenuDisplay};
}

Jump RunAddPlotPoints(App& app) {
  ApplyPrintDefaults(app);
  app.lines.AdditionalPlotMode = 1;
  app.points.SelectionLast = -1;
  SelectPoints(app);
  AskPrintSettings(app, true);
  DrawPrintPage(app);
  app.lines.PrintSettingsGiven = 1;
  return {PrintMenuDisplay};
}

Jump RunPrintMenuDisplay(App& app) {
  cad::Lines& l = app.lines;
  l.PrintMenuChoice = 0;
  l.PrintLineMode = 0;
  l.PaperUnitsPerMetre = RtDivide(10000, l.ScaleDenominator);
  l.AdditionalLineType = "0";
  RtPrintStr(" 1:設定  2:追加ﾌﾟﾛｯﾄ  3:追加結線  4:ﾌﾟﾘﾝﾄ出力 ", false);
  app.input.GuideNumber = 168;
  InputMenuChoice(app);
  l.PrintMenuChoice = app.input.AnswerValue;
  switch (cad::ChoiceOf(l.PrintMenuChoice)) {
    case 1: return {PrintSettings};
    case 2: return {AddPlotPoints};
    case 3: return {PrintAdditionalLines};
    case 4: return {PrintOutput};
    default:
      // Enter, another choice, a negative or huge one: nothing is printed.
      Abandon();
      return {CadMenu};
  }
}

}  // namespace

namespace cad {

MarkSettings MarkSettingsOf(const std::string& answer, double answerValue, const std::string& answerCopy) {
  MarkSettings m;
  m.answer = RtTrim(answer);
  std::string candidate = answerValue == 0 ? answerCopy : "10";
  if (answer.empty() || candidate == "10") candidate = "＋";
  if (candidate == "0:ﾅｼ") candidate.clear();
  m.symbol = candidate;
  return m;
}

Jump WhilePrinting(App& app, Jump (*step)(App&)) {
  try {
    return step(app);
  } catch (const RtError&) {
    Abandon();
    throw;
  } catch (const JumpException&) {
    Abandon();
    throw;
  }
}

}  // namespace cad

Jump PrintMenu(App& app) {
  cad::Lines& l = app.lines;
  if (app.profile.ProfileMode == 1) Warn("縦断面図のプリント出力はＤＸＦでしてください");
  if (app.view.VerticalRatio != 1) Warn("縦横異縮尺のプリント出力はＤＸＦでしてください");
  RtColor(7);
  if (!(l.ScaleDenominator >= 1)) {
    // No drawing was laid out on paper: there is no scale to print at.
    RtPrintStr(" 縮尺が設定されていません（図面設定で縮尺を入力してください）", true);
    return {CadMenu};
  }
  // The frame is printed only when asked for: by the settings, or by the
  // result menu's print of a calculation.
  l.PrintFrame = 0;
  OpenPrinterPage(app);
  return {PrintMenuDisplay};
}

Jump PrintMenuDisplay(App& app) { return cad::WhilePrinting(app, RunPrintMenuDisplay); }
Jump PrintSettings(App& app) { return cad::WhilePrinting(app, RunPrintSettings); }
Jump AddPlotPoints(App& app) { return cad::WhilePrinting(app, RunAddPlotPoints); }

void ApplyPrintDefaults(App& app) {
  cad::Lines& l = app.lines;
  if (l.PrintSettingsGiven == 0) {
    l.PrintLineMode = 2;
    l.PrintTextSize = 12;
    l.PrintElevationDecimals = 0;
    l.PrintPointNames = 1;
    l.PrintPointInfo = 0;
    l.PrintMarkAnswer = "10";
    l.PrintMarkSymbol = "+";
    l.AdditionalLineType = "9";
    GridIntervalForScale(app);
  }
  DrawPrintPage(app);
  l.PrintSettingsGiven = 1;
}

void GridIntervalForScale(App& app) {
  app.lines.GridInterval = cad::GridIntervalForScaleOf(app.lines.ScaleDenominator);
}
