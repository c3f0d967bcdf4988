#include "dxf/plot_settings.h"

#include <cmath>

#include "core/app.h"
#include "core/routines.h"
#include "dxf/dxf_menu.h"
#include "dxf/plot_run.h"
#include "dxf/records.h"
#include "points/selection.h"
#include "runtime/console.h"
#include "runtime/text.h"
#include "ui/input.h"

namespace {

constexpr int kGuideRegisteredLines = 314;
constexpr int kGuideTextSize = 170;
constexpr int kGuideElevation = 171;
constexpr int kGuideName = 172;
constexpr int kGuideCode = 173;
constexpr int kGuidePointEntity = 334;
constexpr int kGuideMark = 174;
constexpr int kGuideMarkSize = 362;
constexpr int kGuideDistanceDecimals = 373;
constexpr int kGuideGrid = 176;
constexpr int kGuide3D = 307;
constexpr int kGuideConfirm = 209;

using dxf::SettingCheck;

// A number in the form of a value line, without the line end (" 1 ").
std::string Shown(double v) { return dxf::NumberText(v); }

void AskMark(App& app) {
  dxf::State& d = app.dxf;
  ui::InputState& in = app.input;
  RtPrintStr("[ 0:ﾅｼ 10:登録 ・ ＊ ◎ ● ■ × ○・ △・ □＋ □・ ○＋ ]", true);
  app.lines.GridInterval = 0;
  RtPrintStr("マーク = ＋", false);
  in.GuideNumber = kGuideMark;
  InputMenuChoice(app);
  // A click leaves the word's value in Answer; the word itself is shown.
  RtLocate(in.PromptColumn, in.PromptRow);
  RtPrintStr(in.AnswerCopy, true);
  const dxf::MarkSettings mark = dxf::MarkSettingsOf(in.Answer, in.AnswerValue, in.AnswerCopy);
  d.MarkAnswer = mark.markAnswer;
  d.MarkString = mark.generalMark;
  d.GeneralMark = mark.generalMark;
}

// The questions in their order; true when the plot is confirmed.
bool AskPlotSettings(App& app) {
  dxf::State& d = app.dxf;
  if (d.UseRegisteredLines == 1) {
    d.UseRegisteredLines = dxf::AskPlotSetting(app, "登録結線[0,1]" + Shown(d.UseRegisteredLines),
                                               kGuideRegisteredLines, d.UseRegisteredLines, SettingCheck::kAny);
  }
  d.TextSize = dxf::AskPlotSetting(app, "ﾓｼﾞｻｲｽﾞ[1.4,1.6,1.8,2.0,2.2,2.4,2.6] 1.8 ", kGuideTextSize, 1.8,
                                   SettingCheck::kPositive);
  d.ElevationDecimals = dxf::AskPlotSetting(app, "Z[0,1,2,3] 0 ", kGuideElevation, 0, SettingCheck::kDecimals);
  d.NameTextStart = dxf::AskPlotSetting(app, "ﾒｲ[0,1] 1 ", kGuideName, 1, SettingCheck::kNameStart);
  d.ShowCodes = dxf::AskPlotSetting(app, "ｺｰﾄﾞ[0,1] 0 ", kGuideCode, 0, SettingCheck::kAny);
  d.ShowPointEntity = dxf::AskPlotSetting(app, "ﾎﾟｲﾝﾄ[0,1] 0 ", kGuidePointEntity, 0, SettingCheck::kAny);
  AskMark(app);
  d.MarkSize = dxf::AskPlotSetting(app, "ﾏｰｸｻｲｽﾞ[0.8,1.0,1.2,1.5,1.7,2.0,2.5,3.0] 1.5 ", kGuideMarkSize, 1.5,
                                   SettingCheck::kPositive);
  if (d.UseRegisteredLines == 1) {
    double& decimals = app.shell.DistanceDecimals;
    decimals = dxf::AskPlotSetting(app, "距離丸め[0,1,2,3] " + Shown(decimals), kGuideDistanceDecimals, decimals,
                                   SettingCheck::kAny);
  }
  if (d.GridIntervalAsked == 0) {
    // Enter leaves no grid and the question for the next plot.
    const double interval =
        dxf::AskPlotSetting(app, "ﾏｽﾒ[5,10,25,50,100,200] ", kGuideGrid, -1, SettingCheck::kNotNegative);
    if (interval >= 0) {
      app.lines.GridInterval = interval;
      d.GridIntervalAsked = 1;
    }
  }
  d.Output3D = dxf::AskPlotSetting(app, "３次元出力[0,1] 1 ", kGuide3D, 1, SettingCheck::kAny);
  RtPrintStr("OK=[Y,N]Ｙ", false);
  app.input.GuideNumber = kGuideConfirm;
  InputPointName(app);
  return RtUcase(app.input.Answer) != "N";
}

// "N" at the confirmation: the drawing is closed as it stands (its earlier
// plots kept, readable) and the CAD menu shown.
Jump LeaveToCadMenu(App& app) {
  dxf::CloseUnfinishedDrawing(app);
  return {EntryOf(Routines().CadMenu)};
}

}  // namespace

namespace dxf {

std::string_view SettingCheckMessage(SettingCheck check, double value) {
  switch (check) {
    case SettingCheck::kAny: return {};
    case SettingCheck::kPositive:
      return value > 0 ? std::string_view() : " 0 より大きい値を入力してください";
    case SettingCheck::kDecimals:
      return value >= 0 && value == std::floor(value) ? std::string_view() : " 0 以上の整数を入力してください";
    case SettingCheck::kNameStart:
      return value == 0 || value >= 1 ? std::string_view() : " 0 または 1 以上を入力してください";
    case SettingCheck::kNotNegative:
      return value >= 0 ? std::string_view() : " 0 以上の値を入力してください";
  }
  return {};
}

double AskPlotSetting(App& app, std::string_view prompt, int guide, double current, SettingCheck check) {
  for (;;) {
    RtPrintStr(prompt, false);
    app.input.GuideNumber = guide;
    InputPointName(app);
    if (app.input.Answer.empty()) return current;
    const double value = app.input.AnswerValue;
    const std::string_view message = SettingCheckMessage(check, value);
    if (message.empty()) return value;
    RtPrintStr(message, true);
  }
}

MarkSettings MarkSettingsOf(std::string_view answer, double answerValue, std::string_view answerCopy) {
  MarkSettings m;
  m.markAnswer = RtTrim(answer);
  std::string mark = answerValue == 0 ? std::string(answerCopy) : std::string("10");
  if (m.markAnswer.empty() || mark == "10") mark = "＋";
  if (mark == "0:ﾅｼ") mark.clear();
  m.generalMark = mark;
  return m;
}

}  // namespace dxf

Jump SetUpDxfDrawing(App& app) {
  if (!dxf::DrawingFrameUsable(app)) return {ReturnToDxfMenu};
  // The drawing is made anew, so it holds no grid yet: the grid is asked again.
  app.dxf.GridIntervalAsked = 0;
  if (!AskPlotSettings(app)) return LeaveToCadMenu(app);
  CreateDxfFile(app);
  PlotDrawingToDxf(app);
  return {ReturnToDxfMenu};
}

Jump AddPlotToDxf(App& app) {
  if (!dxf::DrawingFrameUsable(app)) return {ReturnToDxfMenu};
  PlotDxfWithDefaults(app);
  SelectPoints(app);
  app.dxf.UseRegisteredLines = 0;
  app.lines.AdditionalPlotMode = 1;
  if (!AskPlotSettings(app)) return LeaveToCadMenu(app);
  PlotDrawingToDxf(app);
  return {ReturnToDxfMenu};
}
