#include "profile/settings.h"

#include <cmath>
#include <string>

#include "cad/cad_menu.h"
#include "cad/drawing.h"
#include "core/app.h"
#include "core/numeric.h"
#include "core/routines.h"
#include "profile/extent.h"
#include "profile/item_table.h"
#include "profile/single_precision.h"
#include "route/vertical_curve.h"
#include "runtime/console.h"
#include "runtime/numtext.h"
#include "ui/input.h"
#include "ui/transform.h"

namespace profile {

double KeptHorizontalScale(double vertical, double ratio) {
  if (!(ratio > 0)) return vertical;
  return std::floor(vertical / ratio * 1000 + 0.5) / 1000;
}

double RatioOfScales(double vertical, double horizontal) {
  return std::floor(vertical / horizontal * 1000 + 0.5) / 1000;
}

bool AskProfileValue(App& app, std::string_view label, double shown, int guide, std::string_view after) {
  RtPrintStr(std::string(label) + RtNumText(shown) + std::string(after), false);
  app.input.GuideNumber = guide;
  InputPointName(app);
  return !app.input.Answer.empty();
}

}  // namespace profile

namespace {

constexpr int kNormal = 7;
constexpr int kCurrent = 13;

// A value prompt: Enter keeps the value, anything else stores its number.
void AskSetting(App& app, std::string_view label, double& value, int guide, bool rounded = false) {
  if (profile::AskProfileValue(app, label, rounded ? RoundTo4Decimals(value) : value, guide)) {
    value = app.input.AnswerValue;
  }
}

void SayRefused(std::string_view why) {
  RtColor(12);
  RtPrintStr(why, true);
  RtColor(kNormal);
}

// A scale asked until it is above 0 (a scale of 0 or below divides by zero in
// the ratio and in every drawing of the section).
double AskScale(App& app, std::string_view label, double value, int guide) {
  for (;;) {
    AskSetting(app, label, value, guide);
    if (value > 0) return value;
    SayRefused(" 縮尺は０より大きい値で入力してください");
  }
}

void ApplyFirstUseValues(App& app) {
  profile::State& s = app.profile;
  if (s.ProfileSettingsInitialised != 0) return;
  s.ProfileSettingsInitialised = 1;
  LoadRoadProfileType(app);
  ComputeProfileExtent(app);
  s.ProfileStartMargin = 20;
  s.ProfileEndMargin = 20;
  s.ProfileDatumGap = 5;
  s.ProfileReservedValue = 2;
  s.ProfileValueTextSize = profile::SinglePrecision(2.4f);
  s.ProfileValueTextWidth = profile::SinglePrecision(0.7f);
  s.ProfileTypeName = "道路";
  s.ProfileLeaderLength = 60;
  s.ProfileFlagNumbers = 1;
}

Jump ProfileSettingsMenuBody(App& app);

Jump ToggleProfileDrawing(App& app) {
  RtCls(RtWindowId::Main);
  profile::State& s = app.profile;
  if (s.ProfileMode == 0) {
    s.ProfileMode = 1;
    app.settings.ZEG = 1;
    FitDrawingToPaper(app);
    app.input.ViewRedrawPending = 1;
  } else {
    s.ProfileMode = 0;
  }
  return {ProfileSettingsMenuBody};
}

Jump SetProfileScales(App& app) {
  profile::State& s = app.profile;
  RtPrintStr("", true);
  double vertical = s.ProfileVerticalScale;
  double horizontal = s.ProfileHorizontalScale;
  double ratio = 0;
  for (;;) {
    vertical = AskScale(app, " 縮尺 縦 [20,50,100,200,400,500,1000,2000]=", vertical, 313);
    horizontal = profile::KeptHorizontalScale(vertical, app.view.VerticalRatio);
    horizontal = AskScale(app, " 縮尺 横 [20,50,100,200,400,500,1000,2000]=", horizontal, 341);
    ratio = profile::RatioOfScales(vertical, horizontal);
    if (ratio > 0) break;
    // A ratio that rounds to 0 at 0.001 would divide every height by zero.
    SayRefused(" 縦と横の比率が小さすぎます（1/2000 以上にしてください）");
  }
  s.ProfileVerticalScale = vertical;
  s.ProfileHorizontalScale = horizontal;
  app.view.VerticalRatio = ratio;
  ComputeProfileExtent(app);
  FitDrawingToPaper(app);
  ZoomAll(app);
  app.input.ViewRedrawPending = 1;
  return {ShowProfileSettingsMenu};
}

Jump SetProfilePosition(App& app) {
  profile::State& s = app.profile;
  RtPrintStr("位置変更(m)", true);
  AskSetting(app, "ＤＬ＝", s.ProfileDatumLevel, 342, true);
  AskSetting(app, "ＤＬｽｹｰﾙ天高＝", s.ProfileScaleTop, 343, true);
  AskSetting(app, "始点追加距離＝", s.ProfileStartChainage, 344, true);
  AskSetting(app, "終点追加距離＝", s.ProfileEndChainage, 345, true);
  ComputeProfileFreeHeight(app);
  return {ShowProfileSettingsMenu};
}

Jump SetProfileSpacing(App& app) {
  profile::State& s = app.profile;
  AskSetting(app, "始点空間mm ＝", s.ProfileStartMargin, 351);
  AskSetting(app, "終点空間mm ＝", s.ProfileEndMargin, 352);
  AskSetting(app, "ＤＬﾗｲﾝ間mm＝", s.ProfileDatumGap, 353);
  AskSetting(app, "項目間隔mm ＝", s.ProfileRowSpacing, 354);
  AskSetting(app, "ﾊﾞｰﾁｶﾙ y値引出長mm＝", s.ProfileLeaderLength, 355, true);
  AskSetting(app, "ﾊﾞｰﾁｶﾙ補助点間隔m[0,5,10]＝", s.ProfileAuxPointInterval, 356, true);
  ComputeProfileFreeHeight(app);
  return {ShowProfileItemMenu};
}

Jump SetProfileTextOptions(App& app) {
  profile::State& s = app.profile;
  AskSetting(app, "値文字ｻｲｽﾞmm [1.8  2  2.2  2.5  3]＝", s.ProfileValueTextSize, 357, true);
  if (profile::AskProfileValue(app, "値文字幅％[50,60,70,80,90,100]＝",
                               RoundTo4Decimals(s.ProfileValueTextWidth * 100), 358)) {
    s.ProfileValueTextWidth = app.input.AnswerValue / 100;
  }
  AskSetting(app, "点名プラス杭に置換[0,1]＝ ", s.ProfilePlusStakeNames, 359);
  AskSetting(app, "旗揚げ NO. 付き[0,1]＝ ", s.ProfileFlagNumbers, 360);
  return {ShowProfileItemMenu};
}

// The menu answer: 0 for Enter alone, else the number rounded half away from
// zero; a negative or huge answer is no choice (-1).
int MenuChoice(const App& app) {
  return app.input.Answer.empty() ? 0 : cad::ChoiceOf(app.input.AnswerValue);
}

Jump ProfileSettingsMenuBody(App& app) {
  ApplyFirstUseValues(app);
  app.input.ViewRedrawPending = 1;
  ShowProfileStatus(app);
  RtColor(kNormal);
  RtPrintStr("", true);
  RtPrintStr(" 1:描画ON,OFF  2:縮尺  3:位置設定  4:項目変更  5:縦断勾配 ", false);
  app.input.GuideNumber = 340;
  InputMenuChoice(app);
  switch (MenuChoice(app)) {
    case 1: return {ToggleProfileDrawing};
    case 2: return {SetProfileScales};
    case 3: return {SetProfilePosition};
    case 4: return {ShowProfileItemMenu};
    case 5: return {VerticalCurveMenu};
    default: return {EntryOf(Routines().RepeatLastCommand)};
  }
}

}  // namespace

Jump ShowProfileSettingsMenu(App& app) {
  RtCls(RtWindowId::Main);
  return ProfileSettingsMenuBody(app);
}

void ShowProfileStatus(App& app) {
  const profile::State& s = app.profile;
  auto show = [](std::string_view text, int colour) {
    RtColor(colour);
    RtPrintStr(text, false);
  };
  show("   縦断描画", kNormal);
  if (s.ProfileMode == 0) {
    show("  ON ", kNormal);
    show("OFF", kCurrent);
  } else {
    show("  ", kNormal);
    show("ON", kCurrent);
    show(" OFF", kNormal);
  }
  show("   ﾀｲﾌﾟ=", kNormal);
  show(s.ProfileTypeName, kCurrent);
  RtLocate(36, RtCsrlin());
  show("縦比率＝", kNormal);
  RtColor(kCurrent);
  // A ratio of 0 from an older file has no reciprocal to show.
  const double ratio = app.view.VerticalRatio;
  if (ratio != 0) {
    RtPrintNum(RoundTo4Decimals(1 / ratio), true);
  } else {
    RtPrintStr(" - ", true);
  }
  RtColor(kNormal);
}

Jump ShowProfileItemMenu(App& app) {
  RtCls(RtWindowId::Main);
  ShowProfileStatus(app);
  RtPrintStr("", true);
  RtPrintStr(" 1:タイプ  2:項目間隔  3:文字設定 ", false);
  app.input.GuideNumber = 346;
  InputMenuChoice(app);
  switch (cad::ChoiceOf(app.input.AnswerValue)) {
    case 1: return {ChooseProfileType};
    case 2: return {SetProfileSpacing};
    case 3: return {SetProfileTextOptions};
    default: return {ShowProfileSettingsMenu};
  }
}
