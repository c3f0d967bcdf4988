#include "route/ip_input.h"

#include <cmath>
#include <string>

#include "core/app.h"
#include "core/constants.h"
#include "core/sound.h"
#include "points/point_input.h"
#include "points/resolver.h"
#include "route/aside.h"
#include "route/route_menu.h"
#include "runtime/console.h"
#include "runtime/files.h"
#include "runtime/graphics.h"
#include "runtime/numtext.h"
#include "runtime/text.h"
#include "ui/input.h"
#include "ui/transform.h"

namespace {

constexpr int kLastRouteRow = 999;
constexpr int kLastWalkedRow = 333;  // the entry in turn stops past this row
constexpr double kEndCode = 9999;    // an R of this marks the end point
constexpr double kLastIpNumber = 249;  // its rows 998-999 hold an end point at most

std::string Bare(double n) { return RtTrim(RtNumText(n)); }

// The point question of a row: the prompt, its default name at column 18, Enter
// for the default; the row takes the point found and its name.
void AskRowPoint(App& app, int row, const std::string& prompt, double guide) {
  route::State& r = app.route;
  const std::string fallback = app.points.PointName(RtWhole(r.RouteValue(row)));
  RtPrintStr(prompt, false);
  RtPrintTab(18);
  RtPrintStr(fallback + " ", false);
  app.input.GuideNumber = guide;
  InputText(app);
  if (app.input.Answer.empty()) app.input.Answer = fallback;
  ResolvePointNumberOrName(app);
  const double number = app.points.WorkPointY;
  r.RouteValue(row) = number;
  r.RouteLabel(row) = app.points.PointName(RtWhole(number));
}

// A value of the row: the prompt, the value at column 17, a non-empty answer
// stored with "ding.wav".
void AskRowValue(App& app, int row, const std::string& prompt, double guide,
                 const std::string& aside = "") {
  double& value = app.route.RouteValue(row);
  if (!aside.empty()) route::PrintAside(44, aside);
  RtPrintStr(prompt, false);
  RtPrintTab(17);
  RtPrintNum(value, false);
  app.input.GuideNumber = guide;
  InputPointName(app);
  if (app.input.Answer.empty()) return;
  value = app.input.AnswerValue;
  PlaySound(app, "ding.wav");
}

// The IP's number beside its point in the dynamic view.
void MarkIpInView(App& app, int row, double shown) {
  const int number = RtWhole(app.route.RouteValue(row));
  const double x = ViewUnitX(app, app.points.PointY(number));
  const double y = ViewUnitY(app, app.points.PointX(number));
  if (!std::isfinite(x) || !std::isfinite(y)) return;
  RtPset(RtWindowId::View, x, y, 2);
  RtColor(RtWindowId::View, 2);
  RtPrintToWindow(RtWindowId::View, Bare(shown), false);
}

// Rows from `from` on move four higher (insert) or four lower (delete), each
// value with its label.
void ShiftRowsUp(route::State& r, int from) {
  for (int k = kLastRouteRow - 4; k >= from; --k) {
    r.RouteValue(k + 4) = r.RouteValue(k);
    r.RouteLabel(k + 4) = r.RouteLabel(k);
  }
}
void ShiftRowsDown(route::State& r, int from) {
  for (int k = from + 4; k <= kLastRouteRow; ++k) {
    r.RouteValue(k - 4) = r.RouteValue(k);
    r.RouteLabel(k - 4) = r.RouteLabel(k);
  }
}

// An insert would push the last group (rows 996-999) out of the table.
bool LastGroupInUse(const route::State& r) {
  for (int k = kLastRouteRow - 3; k <= kLastRouteRow; ++k) {
    if (r.RouteValue(k) != 0) return true;
  }
  return false;
}

enum class IpAnswer { Quit, Point, Walk, Restart };

// The IP-number prompt, asked until it has an answer it can act on; a jump or
// a delete leaves the row and the shown number to be walked from.
IpAnswer AskIpNumber(App& app, int& row, double& shown) {
  route::State& r = app.route;
  for (;;) {
    RtPrintStr("", true);
    route::PrintAside(48, "[S,K,Q]");
    RtColor(5);
    RtPrintStr(" 入力 IP 番号  " + Bare(shown) + " ", false);
    RtColor(7);
    app.input.GuideNumber = 361;
    InputPointName(app);
    const std::string& answer = app.input.Answer;
    const std::string upper = RtUcase(answer);
    if (answer.empty()) return IpAnswer::Point;
    if (upper == "Q") return IpAnswer::Quit;
    if (upper == "S") {
      if (LastGroupInUse(r)) {
        RtPrintStr(" 最後の IP が使用中のため挿入できません。", true);
        continue;
      }
      ShiftRowsUp(r, row);
      RtPrintStr("挿入変化点を入力して下さい", true);
      return IpAnswer::Point;
    }
    if (upper == "K") {
      ShiftRowsDown(r, row);
      app.input.ViewRedrawPending = 1;
      return IpAnswer::Walk;
    }
    if (answer == "0") return IpAnswer::Restart;
    const double n = app.input.AnswerValue;
    if (n >= 1 && n <= kLastIpNumber && n == std::floor(n)) {
      row = static_cast<int>(n) * 4 + 2;
      shown = n;
      return IpAnswer::Walk;
    }
    RtPrintStr(" IP 番号は 1 から 249 の整数です。", true);
  }
}

}  // namespace

Jump InputRouteIps(App& app) {
  route::State& r = app.route;
  r.RouteIpDisplay = 1;
  app.input.ViewRedrawPending = 1;
  RtPrintStr("最初の IP 番号＝ ", false);
  RtPrintNum(r.FirstIpNumber, false);
  app.input.GuideNumber = 79;
  InputPointName(app);
  if (!app.input.Answer.empty()) r.FirstIpNumber = r.RouteValue(2) = app.input.AnswerValue;
  for (;;) {  // from the start point; "0" comes back here
    double shown = r.FirstIpNumber;
    RtPrintStr("", true);
    ShowPointOptionLine(app);
    AskRowPoint(app, 5, "ｽﾀｰﾄ点＝", 80);
    int row = 6;
    bool restart = false;
    // The bound is tested after each IP: a jump beyond it still gets its IP.
    while (!restart) {
      const double oldPoint = r.RouteValue(row);
      MarkIpInView(app, row, shown);
      const IpAnswer answer = AskIpNumber(app, row, shown);
      if (answer == IpAnswer::Quit) return {SeriesRouteMenu};
      if (answer == IpAnswer::Restart) restart = true;
      if (answer != IpAnswer::Point) continue;
      ShowPointOptionLine(app);
      RtColor(7);
      AskRowPoint(app, row, "IP." + Bare(shown) + " の点＝", 81);
      PlaySound(app, "ding.wav");
      if (r.RouteValue(row) != oldPoint) app.input.ViewRedrawPending = 1;
      AskRowValue(app, row + 1, "半径   Ｒ＝", 82, "[END= 9999]");
      shown += 1;
      if (r.RouteValue(row + 1) == kEndCode) return {SeriesRouteMenu};
      // The last IP number holds an end point only: no A1 and A2 beyond the table.
      if (row + 3 > kLastRouteRow) return {SeriesRouteMenu};
      AskRowValue(app, row + 2, "ﾊﾟﾗﾒｰﾀ  Ａ１＝", 280);
      AskRowValue(app, row + 3, "ﾊﾟﾗﾒｰﾀ  Ａ２＝", 281);
      row += 4;
      if (row > kLastWalkedRow) return {SeriesRouteMenu};
    }
  }
}

Jump InputRouteSettings(App& app) {
  route::State& r = app.route;
  const struct {
    const char* prompt;
    double* variable;
    int row;
    double guide;
  } settings[] = {
      {"始点追加距離=  ", &r.StartChainage, 0, 75},
      {"測点間隔    =  ", &r.StationInterval, 1, 76},
      {"中心+縦勾[0,1] ", &r.CentreGradeFlag, 3, 77},
      {"距離丸[1000,100,10] ", &r.DistanceRounding, 4, 78},
  };
  for (const auto& s : settings) {
    RtPrintStr(s.prompt, false);
    RtPrintNum(*s.variable, false);
    app.input.GuideNumber = s.guide;
    InputPointName(app);
    if (!app.input.Answer.empty()) *s.variable = r.RouteValue(s.row) = app.input.AnswerValue;
  }
  return {SeriesRouteMenu};
}

void PrintStationListHeader(App& app) {
  const route::State& r = app.route;
  if (r.WidthStakeMode == 1) return;
  RtPrintToFile(core::kPrintBuffer, "");
  std::string header = "  点名     単距離   追加距離      Ｘ          Ｙ    ";
  if (r.CentreGradeFlag == 1) header += "   計画高";
  RtPrintToFile(core::kPrintBuffer, header + "      弦長");
}
