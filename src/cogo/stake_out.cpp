#include "cogo/stake_out.h"

#include <array>
#include <cmath>
#include <cstdint>

#include "cogo/base_inputs.h"
#include "cogo/pending_kinds.h"
#include "cogo/reverse_traverse.h"
#include "cogo/xy_setout.h"
#include "core/app.h"
#include "core/columns.h"
#include "core/constants.h"
#include "core/numeric.h"
#include "core/routines.h"
#include "core/sound.h"
#include "points/point_input.h"
#include "points/relative_entry.h"
#include "runtime/console.h"
#include "runtime/errors.h"
#include "runtime/files.h"
#include "runtime/numtext.h"
#include "runtime/sound.h"
#include "runtime/text.h"
#include "ui/input.h"
#include "ui/navigator.h"

namespace cogo {

StationNames StakeOutStationNamesOf(const std::string& basePointName, const std::string& backsightAnswer,
                                    double submenuChoice) {
  // The tenths counted whole: 1.1 - 1 is 0.10000000000000009 in binary.
  const double tenths = std::round((submenuChoice - std::floor(submenuChoice)) * 10);
  if (tenths == 1 || tenths == 2) return {backsightAnswer, basePointName};
  return {basePointName, backsightAnswer};
}

std::string StakeOutStationTextOf(const std::string& station, const std::string& backsight,
                                  double instrumentHeight) {
  constexpr int kHeightWidth = 6;
  // Heights of 10 m and more give up the sign column first, then decimals, so
  // that the field keeps its width and the whole metres.
  const auto fitted = [&](int decimals) {
    std::string text = FormatDecimals(instrumentHeight, decimals);
    if (text.size() > kHeightWidth && text.front() == ' ') text.erase(0, 1);
    return text;
  };
  std::string height = fitted(3);
  for (int decimals = 2; height.size() > kHeightWidth && decimals >= 0; --decimals) height = fitted(decimals);
  return "*" + columns::PadTo(station, 9) + columns::PadTo(backsight, 9) + columns::PadTo(height, kHeightWidth);
}

double BenchMarkInstrumentHeightOf(double benchMarkZ, double z, double f, double stationZ) {
  return benchMarkZ - z + f - stationZ;
}

WaterSurfaceSight WaterSurfaceSightOf(double stationZ, double instrumentHeight, double planeZ, double targetHeight,
                                      double zenithDegrees) {
  // Below this a sight counts as horizontal: it would meet the plane kilometres
  // away, or never.
  constexpr double kLevelCosine = 1e-9;
  WaterSurfaceSight s;
  s.dh = stationZ + instrumentHeight - planeZ - targetHeight;
  const double c = CosDegrees(zenithDegrees);
  if (std::fabs(c) < kLevelCosine) return s;
  // The axis above the plane must look down (cos V < 0), below it up.
  const auto sign = [](double x) { return x > 0 ? 1 : (x < 0 ? -1 : 0); };
  if (sign(s.dh) == sign(c)) return s;
  s.reaches = true;
  s.slope = std::fabs(s.dh / c);
  s.horizontal = std::fabs(SinDegrees(zenithDegrees)) * s.slope;
  return s;
}

}  // namespace cogo

namespace {

constexpr int kGuideMenu = 84;
constexpr int kGuideInstrumentHeight = 263;
constexpr int kGuideBenchMarkDifference = 264;
constexpr int kGuideBenchMarkTarget = 265;
constexpr int kGuideStationHeight = 184;
constexpr int kGuideHorizontal = 90;
constexpr int kGuideVertical = 88;
// A guidance pass that showed no height leaves this in LastGuidanceHeight.
constexpr double kNoSightedHeight = -1e300;

// The intersection menu stands above this folder.
Jump ForwardIntersection(App&) { return {EntryOf(Routines().ForwardIntersectionMenu)}; }

constexpr std::array<Entry, 8> kKinds = {
    MachineStationSetup,           // 1 (1.1 with the eccentric reduction)
    MachineRadiationFromStakeOut,  // 2
    ForwardIntersection,           // 3
    StakeOutLoop,                  // 4 with guidance
    XySetOut,                      // 5
    XyMove,                        // 6
    ComputeHalfAngle,              // 7
    StakeOutLoop,                  // 8 report only
};

void PrintStationStatus(const App& app) {
  const cogo::State& c = app.cogo;
  RtColor(5);
  RtPrintStr("  " + c.StationName + " --> " + c.BacksightName, false);
  RtPrintTab(24);
  RtPrintStr(c.HeightSourceTag, false);
  RtPrintUsingNum("Z=######.###   I=####.###", {c.InstrumentStationZ, c.SetupInstrumentHeight}, true);
  RtColor(7);
}

// Reads one number after its prompt (printed without a line end).
double AskValue(App& app, const char* prompt, int guide) {
  RtPrintStr(prompt, false);
  app.input.GuideNumber = guide;
  InputPointName(app);
  return app.input.AnswerValue;
}

// The bench mark sighted with repeated guidance; the instrument height is what
// makes the ground measured under the target equal the bench mark's height.
// Without a sighting that gave a height it stays unknown (0, said).
void SightBenchMark(App& app) {
  cogo::State& c = app.cogo;
  points::Store& p = app.points;
  const double provisional = c.SetupInstrumentHeight;
  const double benchMarkZ = p.DesignatedPointZ;
  const double savedZE = app.settings.ZE;
  const double lastHeight = c.LastGuidanceHeight;
  c.LastGuidanceHeight = kNoSightedHeight;
  app.settings.ZE = 2;
  app.view.GuidanceMode = 1;
  ReverseTraverseToPoint(app);
  app.settings.ZE = savedZE;
  if (c.LastGuidanceHeight == kNoSightedHeight) {
    c.LastGuidanceHeight = lastHeight;
    c.SetupInstrumentHeight = 0;
    RtPrintStr(" ＢＭの高さが観測されていないので機械高は 0 です", true);
    PlaySound(app, "chord.wav");
    return;
  }
  c.SetupInstrumentHeight = benchMarkZ - c.LastGuidanceHeight + provisional;
}

// "B" at "ｷｶｲﾀﾞｶ=": the bench mark (a point, or its height typed), then its
// height difference and target height, or a sighting of it.
void InstrumentHeightFromBenchMark(App& app) {
  cogo::State& c = app.cogo;
  points::Store& p = app.points;
  c.HeightSourceTag = "BM ";
  RtPrintStr("機械高を取得するＢＭ", true);
  c.SetupInstrumentHeight = double(1e-6f);
  p.PointInputMode = 0;
  InputPoint(app);
  if (app.input.RawAnswer == "%") p.DesignatedPointZ = AskValue(app, "Z=", kGuideInstrumentHeight);
  RtPrintStr("z=", false);
  app.input.GuideNumber = kGuideBenchMarkDifference;
  InputPointName(app);
  if (app.input.Answer.empty()) {
    SightBenchMark(app);
    return;
  }
  const double z = app.input.AnswerValue;
  const double f = AskValue(app, "f=", kGuideBenchMarkTarget);
  c.SetupInstrumentHeight = cogo::BenchMarkInstrumentHeightOf(p.DesignatedPointZ, z, f, c.InstrumentStationZ);
}

}  // namespace

Jump MachinePointMenu(App& app) {
  Call(Routines().ResetRunState, app);
  app.shell.HeightLabel = "H=";
  app.traverse.TargetHeight = app.cogo.SetupInstrumentHeight;
  PrintStationStatus(app);
  return ShowMachinePointItems(app);
}

Jump ShowMachinePointItems(App& app) {
  ui::InputState& in = app.input;
  RtPrintStr(" 1:機械点設  1.1:機+偏心  2:放射    3:前方交会  4:杭打誘導", true);
  RtPrintStr(" 5:xy設/2,3    6:xy移動   7:1/2角   8:杭打 ", false);
  in.GuideNumber = kGuideMenu;
  InputMenuChoice(app);
  const double a = app.job.SubmenuChoice = in.AnswerValue;
  if (!in.Answer.empty()) {
    app.output.ReportTitle = in.AnswerCopy;
    RtPrintToFile(core::kPrintBuffer, in.AnswerCopy);
  }
  if (a >= 2 && a <= 4) {
    app.navigator.MenuCellColumn = a + 1;
    app.navigator.MenuCellRow = 3;
    ShowMenuPosition(app);
  }
  const int16_t kind = RtInt16(a);
  if (kind < 0) RtRaise(kErrIllegalArgument);
  if (kind >= 1 && kind <= static_cast<int16_t>(kKinds.size())) return {kKinds[kind - 1]};
  return {EntryOf(Routines().ShowResultMenu)};
}

Jump MachineStationSetup(App& app) {
  RtPrintStr("ｷｶｲ ", false);
  // The eccentric reduction leaves the heights it finds here; none of an
  // earlier command may stand in for them.
  app.fieldbook.ObservationInstrumentHeight = 0;
  app.traverse.ObservationStationHeight = 0;
  InputBasePoint(app);
  // Without a base point there is no station to set up: the old one stays.
  if (app.input.RawAnswer == "%") return {MachinePointMenu};
  SetInstrumentStation(app);
  return {MachinePointMenu};
}

void SetInstrumentStation(App& app) {
  cogo::State& c = app.cogo;
  points::Store& p = app.points;
  ui::InputState& in = app.input;
  const double choice = app.job.SubmenuChoice;
  const cogo::StationNames names = cogo::StakeOutStationNamesOf(p.FromPointName, in.Answer, choice);
  c.InstrumentOrientation = p.LegDirection;
  c.InstrumentStationX = p.FromPointX;
  c.InstrumentStationY = p.FromPointY;
  c.InstrumentStationZ = p.FromPointZ;
  c.SetupInstrumentHeight = 0;
  if (choice != std::floor(choice)) {
    c.StationName = names.station;
    c.BacksightName = names.backsight;
    // The station keeps its own height when the reduction found none.
    if (app.traverse.ObservationStationHeight != 0) c.InstrumentStationZ = app.traverse.ObservationStationHeight;
    c.SetupInstrumentHeight = app.fieldbook.ObservationInstrumentHeight;
    return;
  }
  c.StationName = names.station;
  c.BacksightName = names.backsight;
  c.HeightSourceTag.clear();
  const int row = RtCsrlin();
  RtLocate(48, row);
  RtPrintStr("[B]", false);
  RtLocate(0, row);
  RtPrintStr("ｷｶｲﾀﾞｶ=", false);
  RtPrintNum(0, false);
  in.GuideNumber = kGuideInstrumentHeight;
  InputPointName(app);
  if (!in.Answer.empty()) c.SetupInstrumentHeight = in.AnswerValue;
  if (RtUcase(in.Answer) == "B") InstrumentHeightFromBenchMark(app);
  if (c.InstrumentStationZ == 0 && c.SetupInstrumentHeight != 0) {
    // A bench mark gave the height of the instrument axis itself (over a
    // station height of 0): the station's height is taken off it.
    const double axis = c.SetupInstrumentHeight;
    c.InstrumentStationZ = AskValue(app, "Z=", kGuideStationHeight);
    if (c.HeightSourceTag == "BM ") c.SetupInstrumentHeight = axis - c.InstrumentStationZ;
    if (p.StationInputMode == 0) {
      p.PointZ(p.StationPointNumber) = c.InstrumentStationZ;
      PlaySound(app, "ding.wav");
    }
  }
  c.RadiationStationText = cogo::StakeOutStationTextOf(c.StationName, c.BacksightName, c.SetupInstrumentHeight);
  c.RadiationRecordState = 0;
}

Jump StakeOutLoop(App& app) {
  ui::InputState& in = app.input;
  points::Store& p = app.points;
  for (;;) {
    app.view.GuidanceMode = app.job.SubmenuChoice == 8 ? -1 : 1;
    RtPrintStr("ｸｲｳﾁ ", false);
    if (app.view.GuidanceMode == 1) RtPrintStr("ﾕｳﾄﾞｳ", false);
    RtPrintStr("", true);
    // A point taken from a pending selection clears RawAnswer as an answered
    // one does, so the loop goes through the whole selection.
    in.RawAnswer = "%";
    InputPoint(app);
    if (in.RawAnswer == "%") return {ShowMachinePointItems};
    ReverseTraverseToPoint(app);
    p.WorkPointZ = p.DesignatedPointZ;
  }
}

Jump MachineRadiationFromStakeOut(App& app) {
  app.traverse.ObservationReturnMenu = 2;
  return MachineRadiation(app);
}

Jump RunWaterSurfaceIntersection(App& app) {
  ui::InputState& in = app.input;
  fieldbook::State& f = app.fieldbook;
  const cogo::State& c = app.cogo;
  points::Store& p = app.points;
  for (;;) {
    const int row = RtCsrlin();
    RtLocate(46, row);
    RtPrintStr("[ｷｶｲ= @ ]", false);
    RtLocate(0, row);
    RtPrintStr("IH=", false);
    in.GuideNumber = kGuideHorizontal;
    InputDirectionH(app);
    f.TargetHorizontalAngle = in.AnswerValue;
    const std::string answer = RtUcase(in.Answer);
    if (answer.empty()) return {EntryOf(Routines().RepeatLastCommand)};
    if (answer == "@") {
      RtPrintStr("(@_@)", true);
      app.shell.CommFailureFlag = 0;
      Call(Routines().ReadInstrumentAngles, app);
      const std::string& reply = f.RecordBuffer(0);
      // A reading that timed out, or came back with an error mark, would give
      // the angles of before.
      if (app.shell.CommFailureFlag == 1 || RtInstr(reply, "E") > 0 || f.ObservedVerticalAngle == 0) {
        RtPrintStr(" 角度が読めませんでした", true);
        PlaySound(app, "chord.wav");
        continue;
      }
      f.VerticalAngleText = RtMid(reply, 9, 8);
    } else {
      RtPrintStr("IV=", false);
      in.GuideNumber = kGuideVertical;
      InputPointName(app);
      f.ObservedVerticalAngle = in.AnswerValue;
      f.VerticalAngleText = in.Answer;
    }
    Call(Routines().InputTargetHeight, app);
    const cogo::WaterSurfaceSight sight =
        cogo::WaterSurfaceSightOf(c.InstrumentStationZ, c.SetupInstrumentHeight, p.DesignatedPointZ,
                                  app.traverse.TargetHeight, DmsToDegrees(f.ObservedVerticalAngle));
    if (!sight.reaches) {
      RtMciCommand(app.shell.StartSoundCommand);
      continue;
    }
    app.traverse.SlopeDistance = sight.slope;
    f.TargetDistance = sight.horizontal;
    Call(Routines().ComputeTargetFromInstrument, app);
    f.TargetPointHeight = p.DesignatedPointZ;
    StoreTraverseEnteredPoint(app);
  }
}
