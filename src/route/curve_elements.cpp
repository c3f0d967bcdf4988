#include "route/curve_elements.h"

#include <cmath>
#include <vector>

#include "cogo/base_inputs.h"
#include "core/app.h"
#include "core/constants.h"
#include "core/numeric.h"
#include "core/sound.h"
#include "route/clothoid.h"
#include "route/route_menu.h"
#include "runtime/clock.h"
#include "runtime/console.h"
#include "runtime/events.h"
#include "runtime/files.h"
#include "runtime/graphics.h"
#include "runtime/numtext.h"
#include "runtime/text.h"
#include "runtime/windows.h"
#include "ui/input.h"
#include "ui/layout.h"
#include "ui/navigator.h"

namespace route {

namespace {

double Sign(double x) { return x > 0 ? 1 : (x < 0 ? -1 : 0); }

// The single-precision 0.00005 the angle texts are nudged by.
constexpr double kAngleTextNudge = 0.00004999999873689376;

}  // namespace

Rounding RoundingOf(const App& app) {
  return {app.settings.T, app.settings.TN, app.route.DistanceRounding};
}

ClothoidElements ClothoidElementsOf(double a, double r, double direction, const Rounding& k) {
  ClothoidElements e;
  e.a = a;
  e.length = a * a / r;
  const ClothoidPoint c = ClothoidSeriesOf(a, e.length);
  e.x = c.x;
  e.y = c.y;
  e.chord = c.chord;
  e.tangent = c.tangent;
  e.polarDirection = c.polar + direction;
  e.sigma = ArcCosDegrees(c.x / c.chord);
  const double shift = r * CosDegrees(e.tangent) + std::fabs(e.y) - r;
  const double centreX = e.x - r * SinDegrees(std::fabs(e.tangent));
  e.shift = k.distance > 0 ? RoundToFactor(shift, k.distance) : shift;
  e.centreX = k.coordinate > 0 ? RoundToFactor(centreX, k.coordinate) : centreX;
  e.centreY = e.shift + r;
  const double kk = e.y * TanDegrees(90 - e.tangent);
  e.longTangent = e.x - kk;
  e.shortTangent = std::sqrt(kk * kk + e.y * e.y);
  const double j = e.y * TanDegrees(e.tangent);
  e.normalFoot = e.x + j;
  e.normalLength = std::sqrt(j * j + e.y * e.y);
  return e;
}

CurveElementsResult CurveElementsOf(double ia, double r, double a1, double a2, double included,
                                    double entryDirection, double exitDirection, const Rounding& k) {
  CurveElementsResult e;
  e.hasEntry = a1 != 0;
  e.hasExit = a2 != 0;
  if (e.hasEntry) e.entry = ClothoidElementsOf(a1 * Sign(included - 180 + 0.00000001), r, entryDirection, k);
  if (e.hasExit) e.exit = ClothoidElementsOf(a2 * Sign(180 - included + 0.00000001), r, exitDirection, k);
  double theta = ia;
  if (e.hasEntry || e.hasExit) {
    const double w = (r + e.exit.shift) * TanDegrees(ia / 2);
    const double d = e.entry.shift - e.exit.shift;
    e.tangent1 = e.entry.centreX + w - d / TanDegrees(ia);
    e.tangent2 = e.exit.centreX + w + d / SinDegrees(ia);
    theta = ia - std::fabs(e.entry.tangent) - std::fabs(e.exit.tangent);
    e.totalLength = e.entry.length + e.exit.length + theta * Pi * r / 180;
    if (a1 == a2) {
      e.hasNc = true;
      e.nc = (r + e.exit.shift) / CosDegrees(ia / 2) - r;
    }
  }
  e.centralAngle = theta;
  e.tangentLength = TanDegrees(theta / 2) * r;
  e.arcLength = theta * Pi * r / 180;
  e.secant = (1 / CosDegrees(theta / 2) - 1) * r;
  e.longChord = 2 * r * SinDegrees(theta / 2);
  e.middleOrdinate = r - r * CosDegrees(theta / 2);
  return e;
}

std::string CurveElementsRefusal(double iaDegrees, double r, double a1, double a2) {
  if (a1 == 0 && a2 == 0) return "";
  if (!(r > 0)) return " クロソイドには R>0 が必要です";
  if (!(iaDegrees > 0 && iaDegrees < 180)) return " クロソイドには 0<IA<180 が必要です";
  return "";
}

namespace {

// The three lines after the first of a clothoid block (window and report alike).
std::vector<std::string> ClothoidLines(App& app, const ClothoidElements& e) {
  const std::string tau = FormatAngleOf(app, std::fabs(e.tangent) + kAngleTextNudge);
  const std::string sigma = FormatAngleOf(app, e.sigma + kAngleTextNudge);
  return {
      RtFormatUsing("dR=#######.###  τ=&         &  σ=&         &  L=#######.###",
                    {e.shift, tau, sigma, e.length}),
      RtFormatUsing("TK=#######.###  TL=#######.###  So=#######.###  T=#######.###",
                    {e.shortTangent, e.longTangent, e.chord, e.normalFoot}),
      RtFormatUsing("XM=#######.###  YM=#######.###   N=#######.###", {e.centreX, e.centreY, e.normalLength}),
  };
}

std::string ClothoidHead(const std::string& label, const ClothoidElements& e, double r) {
  return RtFormatUsing("&&=#######.###   R=#######.###   X=#######.###  Y=#######.###",
                       {label, std::fabs(e.a), r, e.x, std::fabs(e.y)});
}

std::vector<std::string> ClothoidReport(App& app, const std::string& label, const ClothoidElements& e,
                                        double r) {
  std::vector<std::string> lines{"", ClothoidHead(label, e, r)};
  for (std::string& l : ClothoidLines(app, e)) lines.push_back(std::move(l));
  return lines;
}

std::string IaLine(App& app, double ia, const CurveElementsResult& e) {
  return RtFormatUsing("IA=&         &  T1=#######.###  T2=#######.###  cL=######.###",
                       {FormatAngleOf(app, ia + kAngleTextNudge), e.tangent1, e.tangent2, e.totalLength});
}

// The arc's report lines; `label` "IA" or "θ".
std::vector<std::string> ArcReport(App& app, const std::string& label, double r, const CurveElementsResult& e) {
  const Rounding k = RoundingOf(app);
  std::vector<std::string> lines{
      RtFormatUsing("&&=&          &", {label, FormatAngleOf(app, e.centralAngle + kAngleTextNudge)})};
  if (r == 0) {
    lines.emplace_back();
    return lines;
  }
  lines.push_back(RtFormatUsing("  R=#######.###   L=#######.###   M=######.###", {r, e.longChord, e.middleOrdinate}));
  lines.push_back(RtFormatUsing("TL=#######.###  CL=#######.###  SL=#######.###",
                                {RoundToFactor(e.tangentLength, k.route), RoundToFactor(e.arcLength, k.route),
                                 RoundToFactor(e.secant, k.route)}));
  if (label != "IA" && e.hasNc) {
    lines.push_back(RtFormatUsing("  Nc=######.###", {e.nc}));
  } else {
    lines.emplace_back();
  }
  return lines;
}

void Report(const std::vector<std::string>& lines) {
  for (const std::string& l : lines) RtPrintToFile(core::kPrintBuffer, l);
}

void AtRow(const App& app, int row) {
  if (app.route.CurveElementsScreen == 1) RtLocate(0, row);
}

void ShowClothoidWindow(App& app, const std::string& label, const ClothoidElements& e, double r, int colour,
                        int row) {
  AtRow(app, row);
  RtColor(colour);
  RtPrintStr(RtFormatUsing("&&=#######.###", {label, std::fabs(e.a)}), false);
  RtColor(7);
  RtPrintStr(RtFormatUsing("   R=#######.###   X=#######.###  Y=#######.###", {r, e.x, std::fabs(e.y)}), true);
  for (const std::string& l : ClothoidLines(app, e)) RtPrintStr(l, true);
}

void ShowArcWindow(App& app, const std::string& label, double r, const CurveElementsResult& e) {
  const Rounding k = RoundingOf(app);
  AtRow(app, 9);
  if (label == "IA") RtColor(5);
  RtPrintStr(RtFormatUsing("&&=&         &", {label, FormatAngleOf(app, e.centralAngle + kAngleTextNudge)}), false);
  RtColor(6);
  RtPrintStr(RtFormatUsing("   R=#######.###", {r}), false);
  RtColor(7);
  RtPrintStr(RtFormatUsing("   L=#######.###   M=######.###", {e.longChord, e.middleOrdinate}), true);
  if (e.tangentLength < 0) RtColor(10);
  RtPrintStr(RtFormatUsing("TL=#######.###  CL=#######.###  SL=#######.###",
                           {RoundToFactor(e.tangentLength, k.route), RoundToFactor(e.arcLength, k.route),
                            RoundToFactor(e.secant, k.route)}),
             true);
  RtColor(7);
  if (label != "IA" && e.hasNc && r != 0) {
    RtPrintStr(RtFormatUsing("  Nc=######.###", {e.nc}), true);
  } else {
    RtPrintStr(std::string(16, ' '), true);
  }
}

void LeaveResults(App& app, double ia, const CurveElementsResult& e) {
  route::State& r = app.route;
  r.CurveTangent1 = e.tangent1;
  r.CurveTangent2 = e.tangent2;
  r.TotalCurveLength = e.totalLength;
  r.TangentLength = e.tangentLength;
  r.ArcLength = e.arcLength;
  r.SecantLength = e.secant;
  r.ArcCentralAngle = e.centralAngle;
  r.EntryTangentAngle = e.entry.tangent;
  r.EntryShift = e.entry.shift;
  r.EntryCentreX = e.entry.centreX;
  r.EntryArcLength = e.entry.length;
  r.EntryChord = e.entry.chord;
  r.EntryPolarDirection = e.entry.polarDirection;
  r.ClothoidTangentAngle = e.exit.tangent;
  r.ClothoidShift = e.exit.shift;
  r.ClothoidCentreX = e.exit.centreX;
  r.ClothoidArcLength = e.exit.length;
  r.ClothoidChord = e.exit.chord;
  r.ClothoidPolarDirection = e.exit.polarDirection;
  if (e.hasExit) {
    r.ClothoidParameter = e.exit.a;
    app.points.WorkPointX = e.exit.x;
    app.points.WorkPointY = e.exit.y;
  }
  (void)ia;
}

}  // namespace

std::vector<std::string> CurveReportLines(App& app, double ia, double r, double a1, double a2,
                                          const CurveElementsResult& e) {
  std::vector<std::string> lines;
  auto add = [&lines](std::vector<std::string> more) {
    for (std::string& l : more) lines.push_back(std::move(l));
  };
  if (a1 != 0) add(ClothoidReport(app, "A1", e.entry, r));
  lines.emplace_back();
  lines.push_back(IaLine(app, ia, e));
  add(ArcReport(app, "θ", r, e));
  if (a2 != 0) add(ClothoidReport(app, "A2", e.exit, r));
  return lines;
}

}  // namespace route

void ShowCurveElements(App& app) {
  route::State& r = app.route;
  const double ia = r.IntersectionAngle;
  const route::CurveElementsResult e =
      route::CurveElementsOf(ia, r.CurveRadius, r.ClothoidA1, r.ClothoidA2, app.traverse.IncludedAngle,
                             r.ElementDirection, app.points.LegDirection, route::RoundingOf(app));
  route::LeaveResults(app, ia, e);
  if (r.ClothoidA1 == 0 && r.ClothoidA2 == 0) {
    r.CurveLabel = "IA";
    route::ShowArcWindow(app, "IA", r.CurveRadius, e);
    route::Report(route::ArcReport(app, "IA", r.CurveRadius, e));
    RtColor(7);
    return;
  }
  r.CurveLabel = "θ";
  if (r.ClothoidA1 != 0) route::ShowClothoidWindow(app, "A1", e.entry, r.CurveRadius, 4, 3);
  if (r.ClothoidA2 != 0) route::ShowClothoidWindow(app, "A2", e.exit, r.CurveRadius, 3, 12);
  route::AtRow(app, 8);
  RtColor(5);
  RtPrintStr(RtFormatUsing("IA=&         &", {FormatAngleOf(app, ia + 0.00004999999873689376)}), false);
  RtColor(7);
  RtPrintStr(RtFormatUsing("  T1=#######.###  T2=#######.###  cL=######.###", {e.tangent1, e.tangent2, e.totalLength}),
             true);
  route::ShowArcWindow(app, "θ", r.CurveRadius, e);
  route::Report(route::CurveReportLines(app, ia, r.CurveRadius, r.ClothoidA1, r.ClothoidA2, e));
  RtColor(7);
}

void ShowCircleElements(App& app) {
  route::State& r = app.route;
  const route::CurveElementsResult e =
      route::CurveElementsOf(r.IntersectionAngle, r.CurveRadius, 0, 0, app.traverse.IncludedAngle, 0, 0,
                             route::RoundingOf(app));
  r.CurveLabel = "IA";
  r.TangentLength = e.tangentLength;
  r.ArcLength = e.arcLength;
  r.SecantLength = e.secant;
  r.ArcCentralAngle = e.centralAngle;
  route::ShowArcWindow(app, "IA", r.CurveRadius, e);
  route::Report(route::ArcReport(app, "IA", r.CurveRadius, e));
  RtColor(7);
}

// ---- The curve-elements screen ----

namespace {

constexpr int kKeyEsc = 27;

// IA is held in seconds to 1/1000 so that steps of a minute or a second stay
// exact however often they are pressed.
double SecondsOfDms(double dms) { return std::round(DmsToDegrees(dms) * 3600 * 1000) / 1000; }
double DmsOfSeconds(double seconds) { return DegreesToDms(seconds / 3600); }
double RoundedStep(double x) { return std::round(x * 1e6) / 1e6; }

void AskValue(App& app, const std::string& label, double shown, double guide) {
  RtPrintStr(label + RtStr(shown) + " ", false);
  app.input.GuideNumber = guide;
  InputPointName(app);
}

// The input pass: IA (or P for three points), R, A1, A2; Enter keeps a value.
void InputPass(App& app, double& iaSeconds) {
  route::State& r = app.route;
  RtColor(3);
  r.CurveElementsScreen = 1;
  r.StepUnit = 1;
  RtLocate(0, 17);
  RtPrintStr(std::string(42, ' ') + "[3点入力= P ]", true);
  RtColor(7);
  app.input.Answer.clear();
  const double iaDms = DmsOfSeconds(iaSeconds);
  AskValue(app, "IA=", std::floor(iaDms * 10000 + 0.5) / 10000, 70);
  if (RtUcase(app.input.Answer) == "P") {
    InputThreePointAngle(app);
    // An abandoned B or C keeps the angle of before.
    if (app.input.RawAnswer != "%") iaSeconds = SecondsOfDms(r.IntersectionAngle);
  } else if (!app.input.Answer.empty()) {
    iaSeconds = SecondsOfDms(app.input.AnswerValue);
  }
  AskValue(app, "R =", RoundTo6Decimals(r.CurveRadius), 67);
  if (!app.input.Answer.empty()) r.CurveRadius = app.input.AnswerValue;
  AskValue(app, "A1=", RoundTo6Decimals(r.ClothoidA1), 280);
  if (!app.input.Answer.empty()) r.ClothoidA1 = app.input.AnswerValue;
  AskValue(app, "A2=", RoundTo6Decimals(r.ClothoidA2), 281);
  if (!app.input.Answer.empty()) r.ClothoidA2 = app.input.AnswerValue;
}

void ShowLegend(App& app) {
  const bool coarse = app.route.StepUnit == 1;
  RtLocate(0, 0);
  RtColor(5);
  RtPrintStr(coarse ? "[A][Z]IA=1分  " : "[A][Z]IA=1秒  ", false);
  RtColor(6);
  RtPrintStr(coarse ? "[S][X]R=1m   " : "[S][X]R=1cm  ", false);
  RtColor(4);
  RtPrintStr(coarse ? "[D][C]A1=1m   " : "[D][C]A1=1cm  ", false);
  RtColor(3);
  RtPrintStr(coarse ? "[F][V]A2=1m " : "[F][V]A2=1cm", false);
  app.input.GuideNumber = 266;
  ShowGuideNext(app);
  RtColor(7);
  RtPrintStr("[Spaec]=単位切替  [ENT]=再入力  [Q]=END", true);
}

// One record: the line of 80 blanks and the elements. False (with the reason
// said) when the curve cannot be computed.
bool Compute(App& app, double iaSeconds) {
  route::State& r = app.route;
  const double ia = iaSeconds / 3600;
  const std::string refusal = route::CurveElementsRefusal(ia, r.CurveRadius, r.ClothoidA1, r.ClothoidA2);
  if (!refusal.empty()) {
    PlaySound(app, "chord.wav");
    RtLocate(0, 16);
    RtColor(2);
    RtPrintStr(refusal, false);
    RtColor(7);
    return false;
  }
  RtLocate(0, 16);
  RtPrintStr(std::string(60, ' '), false);
  RtPrintToFile(core::kPrintBuffer, std::string(80, ' '));
  r.IntersectionAngle = ia;
  ShowCurveElements(app);
  r.IntersectionAngle = DmsOfSeconds(iaSeconds);
  return true;
}

std::string WaitForKey() {
  for (;;) {
    RtWait(1);
    const std::string key = RtUcase(RtInkey());
    RtActivateWindow(RtWindowId::Main);
    if (!key.empty()) return key;
  }
}

void RestoreLayout(App& app) {
  app.settings.GAMEN = app.shell.SavedLayout - 1;
  NextWindowLayout(app);
}

Jump RunScreen(App& app) {
  route::State& r = app.route;
  double iaSeconds = 0;
  for (;;) {
    InputPass(app, iaSeconds);
    RtCls();
    RtLocate(0, 17);
    RtPrintStr("   上のキーを押せば数値が変わります", false);
    ShowLegend(app);
    bool valid = Compute(app, iaSeconds);
    for (;;) {
      const std::string key = WaitForKey();
      const int code = static_cast<unsigned char>(key[0]);
      if (key == "Q" || code == kKeyEsc) {
        RtLocate(0, 25);
        return {ReturnToRouteMenu};
      }
      if (code == kKeyEnter) break;
      if (key == " ") {
        r.StepUnit = -r.StepUnit;
        ShowLegend(app);
        continue;
      }
      const bool coarse = r.StepUnit == 1;
      const double lengthStep = coarse ? 1 : 0.01;
      const double angleStep = coarse ? 60 : 1;
      const double keptSeconds = iaSeconds;
      const double keptR = r.CurveRadius, keptA1 = r.ClothoidA1, keptA2 = r.ClothoidA2;
      if (key == "A") iaSeconds += angleStep;
      if (key == "Z") iaSeconds -= angleStep;
      if (key == "S") r.CurveRadius = RoundedStep(r.CurveRadius + lengthStep);
      if (key == "X") r.CurveRadius = RoundedStep(r.CurveRadius - lengthStep);
      if (key == "D") r.ClothoidA1 = RoundedStep(r.ClothoidA1 + lengthStep);
      if (key == "C") r.ClothoidA1 = RoundedStep(r.ClothoidA1 - lengthStep);
      if (key == "F") r.ClothoidA2 = RoundedStep(r.ClothoidA2 + lengthStep);
      if (key == "V") r.ClothoidA2 = RoundedStep(r.ClothoidA2 - lengthStep);
      valid = Compute(app, iaSeconds);
      if (!valid && (iaSeconds != keptSeconds || r.CurveRadius != keptR || r.ClothoidA1 != keptA1 ||
                     r.ClothoidA2 != keptA2)) {
        // The step is not taken: the curve before it stays in force.
        iaSeconds = keptSeconds;
        r.CurveRadius = keptR;
        r.ClothoidA1 = keptA1;
        r.ClothoidA2 = keptA2;
      }
    }
  }
}

}  // namespace

Jump CurveElements(App& app) {
  app.route.CurveRadius = 0;
  app.shell.SavedLayout = app.settings.GAMEN;
  app.settings.GAMEN = 2;
  NextWindowLayout(app);
  try {
    return RunScreen(app);
  } catch (...) {
    // Every other way out (a point question's Q, an abandoned three-point
    // input, an error) gives the window layout back too.
    RestoreLayout(app);
    throw;
  }
}
