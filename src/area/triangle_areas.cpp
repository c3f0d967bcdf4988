#include "area/triangle_areas.h"

#include <string>
#include <string_view>

#include "area/triangle_sides.h"
#include "core/app.h"
#include "core/constants.h"
#include "core/numeric.h"
#include "core/sound.h"
#include "files/result.h"
#include "runtime/console.h"
#include "runtime/files.h"
#include "runtime/numtext.h"
#include "runtime/text.h"
#include "ui/input.h"
#include "ui/navigator.h"

namespace {

using core::kPrintBuffer;

// A plain line input: the guide below what the navigator shows, the prompt,
// one line as typed.
std::string AskLine(App& app, double guide, std::string_view prompt) {
  app.input.GuideNumber = guide;
  ShowGuideNext(app);
  RtInputFromWindow(prompt);
  std::string answer;
  RtInputVars(answer);
  return answer;
}

// A typed length: its number (0 for a text that is none) to 4 decimals.
double LengthOf(const std::string& answer) { return RoundTo4Decimals(RtVal(answer)); }

void PrintHeronTotal(App& app) {
  const double total = app.area.HeronTotal;
  RtPrintUsingNum("合計＝###########.###### ㎡", {total}, true);
  RtPrintToFile(kPrintBuffer, RtFormatUsing("                           合計  ##########.###### ㎡", {total}));
}

// A Heron row for the sides in hand, or "計算出来ません" when they make no triangle.
void AddHeronTriangle(App& app) {
  area::State& a = app.area;
  ComputeSemiPerimeter(app);
  if (a.SemiPerimeter < a.LongestSide) {
    PlaySound(app, "chord.wav");
    RtColor(2);
    RtPrintStr("計算出来ません", true);
    RtColor(7);
    return;
  }
  a.TriangleNumber += 1;
  RtPrintToFile(kPrintBuffer,
                RtFormatUsing("###  ####.###  ####.###  ####.### ", {a.TriangleNumber, a.SideA, a.SideB, a.SideC}),
                false);
  ComputeHeronArea(app);
  const double area = RoundTo6Decimals(a.HeronAreaValue);
  RtPrintToFile(kPrintBuffer, RtFormatUsing("  #######.######", {area}));
  RtPrintStr("s=", false);
  RtPrintNum(area, true);
  a.HeronTotal += area;
}

}  // namespace

void InputLotNumber(App& app) {
  area::State& a = app.area;
  if (a.TriangleNumber != 0) RtPrintToFile(kPrintBuffer, "_");
  const std::string answer = AskLine(app, 65, "[Q] 地番＝");
  if (RtUcase(answer) == "Q") JumpTo(ShowResultMenu);
  a.CurrentLotNumber = answer;
  RtPrintToFile(kPrintBuffer, " 地番  " + answer);
}

bool InputHeronSides(App& app) {
  area::State& a = app.area;
  a.SideA = 0;
  for (;;) {
    const std::string first = AskLine(app, 124, "a=");
    if (first.empty()) return false;
    a.SideA = LengthOf(first);
    for (;;) {
      const std::string second = AskLine(app, 125, "b=");
      if (second.empty()) break;  // "a=" again
      a.SideB = LengthOf(second);
      const std::string third = AskLine(app, 126, "c=");
      if (third.empty()) continue;  // "b=" again
      a.SideC = LengthOf(third);
      return true;
    }
  }
}

Jump HeronArea(App& app) {
  area::State& a = app.area;
  app.output.ReportTitle = "ﾍﾛﾝ面積計算";
  a.HeronTotal = 0;
  a.TriangleNumber = 0;
  for (;;) {
    InputLotNumber(app);
    a.TriangleNumber = 0;
    RtPrintToFile(kPrintBuffer, "番号    A-B       B-C       C-A          面積");
    while (InputHeronSides(app)) AddHeronTriangle(app);
    // The total runs over the whole command, every land number so far.
    PrintHeronTotal(app);
  }
}

void InputTriangleRounding(App& app) {
  RtPrintStr("  三斜丸め[ 10 20 100 1000 ] T=100", false);
  app.input.GuideNumber = 78;
  InputMenuChoice(app);
  app.area.TriangleRounding = app.input.AnswerValue == 0 ? 100 : app.input.AnswerValue;
}

void AddBaseHeightTriangle(App& app) {
  area::State& a = app.area;
  const double product = a.TriangleBase * a.TriangleHeight;
  a.DoubleAreaSum += product;
  RtPrintUsingNum(" ####.### × ####.### ＝ ########.######", {a.TriangleBase, a.TriangleHeight, product}, true);
  const double t = a.TriangleRounding;
  const char* row = t > 100  ? "####.### ####.### #######.######"
                    : t > 10 ? "####.##　####.##　#######.####"
                             : "####.#　 ####.#　 #######.##";
  RtPrintToFile(kPrintBuffer, RtFormatUsing(row, {a.TriangleBase, a.TriangleHeight, product}));
  RtColor(7);
  a.ParcelArea = a.DoubleAreaSum / 2;
}

void PrintTriangleAreaTotals(App& app) {
  const area::State& a = app.area;
  const double t = a.TriangleRounding;
  const std::string indent(static_cast<size_t>(a.TotalsIndent > 0 ? a.TotalsIndent : 0), ' ');
  const char* doubled = t > 100  ? "倍面積              ##########.######"
                        : t > 10 ? "倍面積              ##########.####"
                                 : "倍面積              ##########.##";
  const char* area = t > 100  ? "面積　              ##########.#######㎡"
                     : t > 10 ? "面積　              ##########.#####㎡"
                              : "面積　              ##########.###㎡";
  RtPrintToFile(kPrintBuffer, indent + RtFormatUsing(doubled, {a.DoubleAreaSum}));
  RtPrintToFile(kPrintBuffer, indent + RtFormatUsing(area, {a.DoubleAreaSum / 2}));
  RtPrintUsingNum("倍面積＝###########.######  面積＝###########.####### ㎡", {a.DoubleAreaSum, a.DoubleAreaSum / 2},
                  true);
}

Jump TriangleArea(App& app) {
  area::State& a = app.area;
  InputTriangleRounding(app);
  app.output.ReportTitle = "三斜面積計算";
  a.TriangleNumber = 0;
  for (;;) {
    a.DoubleAreaSum = 0;
    a.TotalsIndent = 0;
    InputLotNumber(app);
    a.TriangleNumber = 0;
    RtPrintToFile(kPrintBuffer, " 番号   底辺     高さ         積");
    for (;;) {
      a.TriangleBase = 0;
      const std::string base = AskLine(app, 127, "底辺＝");
      if (base.empty()) break;
      a.TriangleBase = LengthOf(base);
      // Enter at the height ends the land number as Enter at the base does, so
      // the rows already printed keep their totals.
      const std::string height = AskLine(app, 128, "高さ＝");
      if (height.empty()) break;
      a.TriangleHeight = LengthOf(height);
      a.TriangleNumber += 1;
      RtPrintToFile(kPrintBuffer, RtFormatUsing("#### ", {a.TriangleNumber}), false);
      AddBaseHeightTriangle(app);
    }
    PrintTriangleAreaTotals(app);
  }
}
