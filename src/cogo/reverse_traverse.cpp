#include "cogo/reverse_traverse.h"

#include <cmath>
#include <string>

#include "core/app.h"
#include "core/constants.h"
#include "core/numeric.h"
#include "core/routines.h"
#include "runtime/console.h"
#include "runtime/files.h"
#include "runtime/numtext.h"
#include "runtime/text.h"
#include "ui/input.h"

namespace {

// Beyond this the distance from the point handled before is not shown.
constexpr double kLongestShownDistance = 999;

// No station set-up has been made in this run: the station values are those of
// the start (0, 0 and no names).
bool NoStationSetUp(const cogo::State& c) {
  return c.InstrumentStationX == 0 && c.InstrumentStationY == 0 && c.StationName.empty() &&
         c.BacksightName.empty();
}

}  // namespace

void ReverseTraverseToPoint(App& app) {
  points::Store& p = app.points;
  cogo::State& c = app.cogo;
  const std::string label = app.input.Answer;
  if (NoStationSetUp(c)) RtPrintStr(" 器械点が設置されていません (0,0) からです", true);
  Call(Routines().SaveWorkingState, app);
  RtPrintStr(" " + c.BacksightName + " --[" + c.StationName + "]--> " + label, false);
  c.GuidanceTargetName = label;
  RtColor(4);
  if (p.WorkPointZ != 0 && c.SetupInstrumentHeight != 0) {
    RtPrintStr("", true);
    RtPrintUsingNum("fs=#####.###    z=######.###",
                    {c.InstrumentStationZ + c.SetupInstrumentHeight - p.WorkPointZ,
                     p.PreviousWorkPointZ - p.WorkPointZ},
                    false);
  }
  const double l = std::hypot(p.InputSavedPointX - p.WorkPointX, p.InputSavedPointY - p.WorkPointY);
  if (l < kLongestShownDistance) {
    RtLocate(34, RtCsrlin());
    RtPrintUsingNum("l=######.###", {l}, true);
  } else {
    RtPrintStr("", true);
  }
  RtColor(7);
  if (app.settings.ZD < 3) {
    RtPrintToFile(core::kPrintBuffer,
                  RtFormatUsing("&      &@ ---&      &@ -->@",
                                {c.BacksightName, RtMid(c.BacksightName, 9, 8), c.StationName,
                                 RtMid(c.StationName, 9, 8), label}));
  }
  if (app.settings.ZE == 3 && c.SetupInstrumentHeight != 0) {
    RtPrintStr("f=", false);
    RtPrintNum(app.traverse.TargetHeight, false);
    app.input.GuideNumber = 11;
    InputPointName(app);
    if (!app.input.Answer.empty()) app.traverse.TargetHeight = app.input.AnswerValue;
  }
  Call(Routines().PrintInverseReport, app);
  // ZD 3 and above keep the report free of stake-out lines, the inverse too.
  if (app.settings.ZD < 3) Call(Routines().PrintDirectionDistanceReport, app);
  if (app.view.GuidanceMode != -1) {
    // TEMPORARY: the guidance to the point comes with the instrument link.
    RtPrintStr(" 誘導は器械との接続が必要で、まだ使えません", true);
  }
  Call(Routines().RestoreWorkingState, app);
}

void ReportStoredPointByZe(App& app) {
  const double ze = app.settings.ZE;
  if (ze != 1 && ze != 2) return;
  app.view.GuidanceMode = ze == 1 ? -1 : 1;
  ReverseTraverseToPoint(app);
}

void PrintPromptValue(App& app) {
  if (app.settings.ZD >= 3 || app.route.RelativeStationMode != 0) return;
  const cogo::State& c = app.cogo;
  RtPrintToFile(core::kPrintBuffer,
                RtFormatUsing("  &&#######.###", {RtRight(c.PromptText, 2), RoundDistance(app, c.CommandDistance)}));
}
