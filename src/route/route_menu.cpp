#include "route/route_menu.h"

#include <array>
#include <cmath>

#include "cogo/extensions.h"
#include "core/app.h"
#include "core/routines.h"
#include "core/sound.h"
#include "files/coordinate_file_menu.h"
#include "files/file_dialogs.h"
#include "files/line_file.h"
#include "files/point_list.h"
#include "files/result.h"
#include "route/alignment_file.h"
#include "route/ip_input.h"
#include "route/clothoid_calculation.h"
#include "route/curve_elements.h"
#include "route/route_computation.h"
#include "route/vertical_curve.h"
#include "runtime/console.h"
#include "runtime/files.h"
#include "runtime/text.h"
#include "ui/input.h"
#include "ui/layout.h"
#include "ui/navigator.h"

namespace {

constexpr double kRouteLineLayer = 4;  // new route lines go to this layer
constexpr double kDefaultStationInterval = 20;
constexpr double kDefaultRounding = 1000;
constexpr int kLastRouteRow = 999;

Jump ConnectRoutePoints(App&) { return {EntryOf(Routines().ConnectPoints)}; }

constexpr std::array<Entry, 8> kRouteChoices = {
    LineExtension,       // 1 直線延長
    CircleExtension,     // 2 円の延長
    ClothoidCalculation,  // 3 ｸﾛｿｲﾄﾞ延長
    CurveElements,       // 4 ｶ-ﾌﾞ要素
    VerticalCurveMenu,   // 5 縦断勾配計算
    SeriesRouteMenu,     // 6 一連路線計算
    AlignmentFileMenu,   // 7 線形ﾌｧｲﾙ
    ConnectRoutePoints,  // 8 結線
};

constexpr std::array<Entry, 6> kSeriesChoices = {
    InputRouteIps,       // 1 路線入力
    InputRouteSettings,  // 2 路線設定
    ComputeRoute,        // 3 計算ｽﾀｰﾄ
    ComputeRoute,        // 4 縦断変換
    ComputeRoute,        // 5 巾杭計算
    ClearRouteTable,     // 6 クリア
};

// The choice rounded half away from zero, as an index 1..size, or 0 for none
// (Enter alone, a negative choice, one beyond the table).
template <std::size_t N>
std::size_t ChoiceIndex(double choice) {
  const double rounded = std::round(choice);
  if (!(rounded >= 1 && rounded <= static_cast<double>(N))) return 0;
  return static_cast<std::size_t>(rounded);
}

void HighlightRouteChoice(App& app, double choice) {
  ui::NavigatorState& n = app.navigator;
  if (choice == 1) n.MenuCellColumn = 4;
  if (choice == 2) n.MenuCellColumn = 3;
  if (choice == 3) n.MenuCellColumn = 5;
  n.MenuCellRow = 2;
  if (choice == 4 || choice == 5 || choice == 6) {
    n.MenuCellColumn = choice - 4;
    n.MenuCellRow = 3;
  }
  if (choice >= 1 && choice <= 6) ShowMenuPosition(app);
}

// The job in memory, saved to its own files the way the file menu's save
// writes them: every point, then the connection-line file.
void SaveCurrentJob(App& app) {
  app.job.FileExtension = ".PRN";
  app.job.SubmenuChoice = 0;
  app.job.FileMenuChoice = 1;
  ChoosePointsAndOpenOutput(app);
  WriteSelectedPoints(app);
  RtClose(1);
  SaveConnectionLineFile(app);
}

}  // namespace

namespace route {

bool SaveAndReloadConversion(App& app, Jump& next) {
  route::State& r = app.route;
  const std::string keptName = app.settings.ZA;
  // The reload replaces the job in memory: it may be saved first.
  RtPrintStr(" 現在のデータを保存しますか？[Y,N]Y ", false);
  app.input.GuideNumber = 17;
  InputPointName(app);
  if (RtUcase(app.input.Answer) != "N") SaveCurrentJob(app);

  app.settings.ZA = keptName + (r.ConversionMode <= 2 ? "縦断" : "中心");
  app.job.FileExtension = ".PRN";
  app.input.GuideNumber = 367;
  ShowGuideNext(app);
  ShowSaveFileDialog(app);
  if (app.job.ChosenFilePath.empty()) {
    app.settings.ZA = keptName;
    r.ConversionMode = 0;
    return false;
  }
  points::Store& p = app.points;
  const int first = RtWhole(app.job.FirstPointToSave);
  const int last = RtWhole(r.NextRoutePointNumber) - 1;
  for (int k = first; k <= last; ++k) p.SelectionList(k - first) = static_cast<int16_t>(k);
  p.SelectionLast = last - first;
  app.job.FileMenuChoice = 1;
  OpenOutputFileFresh(app);
  WriteSelectedPoints(app);
  RtClose(1);
  SaveConnectionLineFile(app);
  app.job.FileMenuChoice = 3;
  ClearAllData(app);
  if (r.ConversionMode == 1 || r.ConversionMode == 2) {
    app.profile.ProfileSetupPending = 1;
    app.view.VerticalRatio = 0.2;
    app.profile.ProfileVerticalScale = 100;
    app.profile.ProfileHorizontalScale = 500;
  }
  r.ConversionMode = 0;
  next = {LoadCoordinateFile};
  return true;
}

}  // namespace route

Jump RouteMenu(App& app) {
  route::State& r = app.route;
  if (r.ConversionMode >= 1) {
    Jump next{RouteMenu};
    if (route::SaveAndReloadConversion(app, next)) return next;
  }
  Call(Routines().ResetRunState, app);
  r.RouteIpDisplay = 0;
  app.shell.HeightLabel = "H=";
  r.WidthStakeMode = 0;
  app.lines.CurrentLayer = kRouteLineLayer;
  r.WidthStakeChainageMode = 0;
  RtPrintStr(" 1:直線延長/2,3   2:円の延長/2,3   3:ｸﾛｿｲﾄﾞ延長   4:ｶ-ﾌﾞ要素", true);
  RtPrintStr(" 5:縦断勾配計算   6:一連路線計算   7:線形ﾌｧｲﾙ     8:結線 ", false);
  app.input.GuideNumber = 63;
  InputMenuChoice(app);
  r.MenuChoice = app.input.AnswerValue;
  if (!app.input.Answer.empty()) app.output.ReportTitle = RtMid(app.input.AnswerCopy, 3, 20);
  HighlightRouteChoice(app, r.MenuChoice);
  if (const std::size_t k = ChoiceIndex<kRouteChoices.size()>(r.MenuChoice)) {
    return {kRouteChoices[k - 1]};
  }
  return {ShowResultMenu};
}

void route::TakeRouteSettings(route::State& r) {
  r.RouteIpDisplay = 0;
  r.CurveElementsScreen = 0;
  r.StartChainage = r.RouteValue(0);
  r.StationInterval = r.RouteValue(1);
  r.FirstIpNumber = r.RouteValue(2);
  r.CentreGradeFlag = r.RouteValue(3);
  r.DistanceRounding = r.RouteValue(4);
}

Jump SeriesRouteMenu(App& app) {
  route::State& r = app.route;
  route::TakeRouteSettings(r);
  if (r.StationInterval == 0) {
    r.StationInterval = r.RouteValue(1) = kDefaultStationInterval;
    r.FirstIpNumber = r.RouteValue(2) = 1;
    r.DistanceRounding = r.RouteValue(4) = kDefaultRounding;
    r.ConversionMode = 0;
  }
  RtPrintStr("", true);
  RtPrintStr(" 1:路線入力  2:路線設定  3:計算ｽﾀｰﾄ  4:縦断変換  5:巾杭計算", true);
  RtPrintStr(" 6:クリア ", false);
  app.input.GuideNumber = 246;
  InputMenuChoice(app);
  r.MenuChoice = app.input.AnswerValue;
  if (const std::size_t k = ChoiceIndex<kSeriesChoices.size()>(r.MenuChoice)) {
    return {kSeriesChoices[k - 1]};
  }
  return {EntryOf(Routines().RepeatLastCommand)};
}

Jump ClearRouteTable(App& app) {
  RtPrintStr("メモリーをクリアします[Y,N]Y ", false);
  app.input.GuideNumber = 17;
  InputPointName(app);
  if (RtUcase(app.input.Answer) == "N") return {SeriesRouteMenu};
  app.route.RouteValue = RtTable<double>(kLastRouteRow);
  app.route.RouteLabel = RtTable<std::string>(kLastRouteRow);
  PlaySound(app, "recycle.wav");
  return {SeriesRouteMenu};
}

Jump ReturnToRouteMenu(App& app) {
  app.settings.GAMEN = app.shell.SavedLayout - 1;
  NextWindowLayout(app);
  return {RouteMenu};
}
