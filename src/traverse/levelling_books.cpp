#include "traverse/levelling_books.h"

#include <cmath>

#include "core/app.h"
#include "core/constants.h"
#include "core/numeric.h"
#include "runtime/files.h"
#include "runtime/numtext.h"
#include "runtime/text.h"

namespace {

void Print(const std::string& line, bool lineEnd = true) { RtPrintToFile(core::kPrintBuffer, line, lineEnd); }

void PrintRouteHead(const App& app, const std::string& label) {
  Print("路線＝ " + app.traverse.LevellingRouteName + label);
  Print("");
}

std::string RestText(const std::string& name) { return traverse::NameRestOf(name); }

}  // namespace

std::string traverse::NameRestOf(const std::string& name) { return name.size() > 8 ? name.substr(8) : ""; }

std::string traverse::RiseOrFallTail(double d) {
  if (d >= 0) return RtFormatUsing("  ###.### ", {d});
  return RtFormatUsing("            ###.### ", {-d});
}

std::string traverse::BookDistanceText(double distance, double decimals) {
  if (distance == 0) return std::string(8, ' ');
  return FormatDecimalsRight(distance, decimals, 8);
}

void PrintHeightsListHead(App& app) {
  PrintRouteHead(app, "");
  Print("   地点    距離     後視      前視       器械標高      標高");
}

void PrintHeightsListBacksight(App& app, const std::string& name, bool withStartHeight) {
  const traverse::State& t = app.traverse;
  std::string line = RtFormatUsing(" &      & &      & ###.####            #####.####  ",
                                   {name, t.DistanceText, t.StaffReading, t.CollimationHeight});
  if (withStartHeight) line += RtFormatUsing("#####.####", {app.points.WorkPointZ});
  Print(line);
}

void PrintHeightsListForesight(App& app, const std::string& name) {
  const traverse::State& t = app.traverse;
  Print(RtFormatUsing(" &      & &      &           ###.####              #####.####",
                      {name, t.DistanceText, t.StaffReading, app.points.WorkPointZ}));
}

void PrintObservationBookHead(App& app, const std::string& name, double reading) {
  Print("直接水準測量観測簿");
  PrintRouteHead(app, app.traverse.LevellingRunLabel);
  Print("   地点    距離     後視      前視      水準差＋   水準差－");
  Print(RtFormatUsing(" &      &          ###.### ", {name, reading}));
}

void PrintChangePointLine(App& app, const std::string& name, double backsight, double foresight, double d) {
  Print(RtFormatUsing(" &      &&      &  ###.###   ###.### ", {name, app.traverse.DistanceText, backsight, foresight}) +
        traverse::RiseOrFallTail(d));
}

void PrintSingleForesightLine(App& app, const std::string& name, double foresight, double d) {
  Print(RtFormatUsing(" &      &&      &            ###.### ", {name, app.traverse.DistanceText, foresight}) +
        traverse::RiseOrFallTail(d));
}

void PrintLevellingSums(App& app, double lastForesight) {
  traverse::State& t = app.traverse;
  t.DistanceText = traverse::BookDistanceText(t.DistanceSum, 2);
  t.ForeSightSum += lastForesight;
  Print("");
  Print(RtFormatUsing("              [和] ###.###   ###.###   ###.###   ###.### ",
                      {t.BackSightSum, t.ForeSightSum, t.RiseSum, t.FallSum}));
  // The distance sum's line repeats the back-sight and fall sums beside it.
  Print(RtFormatUsing("[距離和]  &      &           ###.###   ###.### ", {t.DistanceText, t.BackSightSum, t.FallSum}));
  Print(RtFormatUsing("                     [fn-bn] ###.###   ###.### ",
                      {t.BackSightSum - t.ForeSightSum, t.RiseSum - std::fabs(t.FallSum)}));
  Print("_");
}

void PrintCalculationBookHead(App& app, const std::string& name) {
  Print("直接水準測量計算簿");
  PrintRouteHead(app, "");
  Print("   地点      往        復       平均＋    平均－    補正値   決定水準差  決定地盤高");
  Print(RtFormatUsing("&      &@                                                                #####.### ",
                      {name, RestText(name), app.traverse.LevellingStartHeight}),
        false);
}

void PrintCalculationBookLine(const std::string& name, double forward, double back, double mean,
                              double correction, double decidedDifference, double decidedHeight) {
  std::string line = RtFormatUsing("&      &@  ###.###   ###.### ", {name, RestText(name), forward, back});
  line += mean >= 0 ? RtFormatUsing("  ###.###           ", {mean}) : RtFormatUsing("            ###.### ", {mean});
  line += RtFormatUsing("  ###.###   #####.###   #####.### ", {correction, decidedDifference, decidedHeight});
  Print(line, false);
}

void PrintCalculationBookSummary(App& app) {
  const traverse::State& t = app.traverse;
  Print("");
  Print(RtFormatUsing("                              ###.###   ###.###                   閉合点#####.### ",
                      {t.BackSightSum, t.ForeSightSum, t.DecidedClosingHeight}));
  Print(RtFormatUsing("                              ###.###                             出発点#####.### ",
                      {t.ObservedRouteDifference, t.LevellingStartHeight}));
  Print(RtFormatUsing("      往 ####.###             ###.###    辺数###                    差  #####.### ",
                      {t.ForwardRunDifference, t.KnownRouteDifference, t.SectionCount, t.KnownRouteDifference}));
  const double correction = std::floor(t.CorrectionPerSection * 100000000 + 0.5) / 100000000;
  Print(RtFormatUsing("      復 ####.###       閉合差###.###   平均補正 ##.########",
                      {t.ReturnRunDifference, t.RouteMisclosure, correction}));
  Print("_");
}
