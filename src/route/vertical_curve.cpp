#include "route/vertical_curve.h"

#include <array>
#include <cmath>
#include <string>

#include "cogo/offset_height_tool.h"
#include "core/app.h"
#include "core/constants.h"
#include "core/routines.h"
#include "core/sound.h"
#include "route/aside.h"
#include "route/plan_height.h"
#include "runtime/console.h"
#include "runtime/files.h"
#include "runtime/numtext.h"
#include "runtime/text.h"
#include "ui/input.h"

namespace {

constexpr int kLastVerticalIndex = 999;
constexpr double kLastChangePoint = 332;  // indexes 996 to 998

void PrintChangePointLine(App&, double number, double td, double z, double vcl) {
  RtPrintToFile(core::kPrintBuffer,
                RtFormatUsing("変化点NO. ####   追加距離 TD=######.###    標高  Z=######.###    曲長 L=#####.###",
                              {number, td, z, vcl}));
}

// An insert would push the last change point (indexes 996-999) out of the table.
bool LastChangePointInUse(const RtTable<double>& t) {
  for (int i = kLastVerticalIndex - 3; i <= kLastVerticalIndex; ++i) {
    if (t(i) != 0) return true;
  }
  return false;
}

// One value of the change point: the prompt with the value, Enter keeps it.
void AskValue(App& app, double& value, const std::string& prompt, double guide) {
  RtPrintStr(prompt, false);
  RtPrintNum(value, false);
  app.input.GuideNumber = guide;
  InputPointName(app);
  if (!app.input.Answer.empty()) value = app.input.AnswerValue;
}

enum class PointAnswer { Quit, Edit };

// The change-point prompt, asked until it is answered with Q or leads to the
// values of the change point in hand.
PointAnswer AskChangePoint(App& app, int& number) {
  RtTable<double>& t = app.route.VerticalTable;
  for (;;) {
    RtPrintStr("", true);
    route::PrintAside(40, "[Q,S,K]");
    RtColor(6);
    RtPrintStr("変化点NO." + RtNumText(number), false);
    app.input.GuideNumber = 335;
    InputPointName(app);
    RtColor(7);
    const std::string& answer = app.input.Answer;
    const std::string upper = RtUcase(answer);
    const int index = 3 * number;
    if (answer.empty()) return PointAnswer::Edit;
    if (upper == "Q") return PointAnswer::Quit;
    if (upper == "S") {
      if (LastChangePointInUse(t)) {
        RtPrintStr(" 最後の変化点が使用中のため挿入できません。", true);
        continue;
      }
      for (int i = kLastVerticalIndex - 3; i >= index; --i) t(i + 3) = t(i);
      app.input.ViewRedrawPending = 1;
      RtPrintStr("挿入変化点を入力して下さい", true);
      return PointAnswer::Edit;
    }
    if (upper == "K") {
      for (int i = index; i <= kLastVerticalIndex - 3; ++i) t(i) = t(i + 3);
      app.input.ViewRedrawPending = 1;
      continue;
    }
    const double n = app.input.AnswerValue;
    if (n >= 0 && n <= kLastChangePoint && n == std::floor(n)) {
      number = static_cast<int>(n);
      continue;
    }
    RtPrintStr(" 変化点番号は 0 から 332 の整数です。", true);
  }
}

Jump ChooseAgain(App&) { return {EntryOf(Routines().RepeatLastCommand)}; }

constexpr std::array<Entry, 3> kChoices = {InputChangePoints, CalculatePlanHeights, ClearVerticalTable};

}  // namespace

Jump VerticalCurveMenu(App& app) {
  app.route.MenuChoice = 0;
  RtPrintStr(" 1:データ入力  2:計算  3:クリア ", false);
  app.input.GuideNumber = 317;
  InputMenuChoice(app);
  if (!app.input.Answer.empty()) app.route.MenuChoice = app.input.AnswerValue;
  const double rounded = std::round(app.route.MenuChoice);
  if (rounded >= 1 && rounded <= static_cast<double>(kChoices.size())) {
    return {kChoices[static_cast<std::size_t>(rounded) - 1]};
  }
  return ChooseAgain(app);
}

Jump InputChangePoints(App& app) {
  RtTable<double>& t = app.route.VerticalTable;
  int number = 0;
  for (;;) {
    if (AskChangePoint(app, number) == PointAnswer::Quit) return {VerticalCurveMenu};
    const int index = 3 * number;
    const double reportNumber = number;
    RtColor(7);
    AskValue(app, t(index), "追加距離      TD=", 72);
    AskValue(app, t(index + 1), "標高           Z=", 73);
    ++number;
    if (index == 0) {
      PrintChangePointLine(app, reportNumber, t(0), t(1), t(2));
      continue;
    }
    route::PrintAside(40, "[END= 9999]");
    if (app.profile.ProfileMode == 1) app.input.ViewRedrawPending = 1;
    double& vcl = t(index + 2);
    AskValue(app, vcl, "曲長         VCL=", 74);
    // Any VCL above 9998 ends the input; stored as the 9999 that closes the table.
    if (vcl > 9998) vcl = route::kClosingVcl;
    PrintChangePointLine(app, reportNumber, t(index), t(index + 1), vcl);
    if (vcl == route::kClosingVcl) {
      RtPrintToFile(core::kPrintBuffer, "");
      return {VerticalCurveMenu};
    }
    if (number > kLastChangePoint) return {VerticalCurveMenu};  // the table is full
  }
}

Jump CalculatePlanHeights(App& app) {
  app.route.ProfileChainage = 0;
  for (;;) {
    app.cogo.ToolOffset = 0;
    app.cogo.ToolOffsetMark = 0;
    RtPrintStr("", true);
    RtPrintStr("追加距離 TD=", false);
    app.input.GuideNumber = 72;
    InputPointName(app);
    if (app.input.Answer.empty()) return {VerticalCurveMenu};
    app.route.ProfileChainage = app.input.AnswerValue;
    if (!PlanHeightAtChainage(app)) continue;
    app.cogo.LineRunningHeight = app.points.WorkPointZ;
    app.cogo.PromptText = "L=";
    RtPrintToFile(core::kPrintBuffer,
                  RtFormatUsing("追加距離 TD= ######.###   中心計画高 FH= ######.###    横断点 ",
                                {app.route.ProfileChainage, app.points.WorkPointZ}),
                  false);
    RunOffsetHeightTool(app);
    RtPrintToFile(core::kPrintBuffer, std::string(64, ' ') + RtFormatUsing("Z= ######.###", {app.points.WorkPointZ}));
  }
}

Jump ClearVerticalTable(App& app) {
  RtPrintStr("メモリーをクリアします[Y,N]Y ", false);
  app.input.GuideNumber = 17;
  InputPointName(app);
  if (RtUcase(app.input.Answer) == "N") return {VerticalCurveMenu};
  app.route.VerticalTable = RtTable<double>(kLastVerticalIndex);
  PlaySound(app, "recycle.wav");
  return {VerticalCurveMenu};
}
