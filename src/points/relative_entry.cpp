#include "points/relative_entry.h"

#include <string>

#include "core/app.h"
#include "core/routines.h"
#include "points/registration.h"
#include "runtime/console.h"
#include "runtime/text.h"
#include "ui/navigator.h"

namespace {

constexpr int kGuideEntry = 261;

bool MeasuredByInstrument(const std::string& command) { return command == "@" || command == "S" || command == "^"; }

}  // namespace

void EnterRelativePoint(App& app) {
  fieldbook::State& f = app.fieldbook;
  for (;;) {
    f.TargetPointHeight = 0;
    const int row = RtCsrlin();
    RtLocate(37, row);
    RtPrintStr("[P =ｵﾜﾘ,@,S,^,C,K]", false);
    RtLocate(0, row);
    app.input.GuideNumber = kGuideEntry;
    ShowGuide(app);
    Call(Routines().InputTargetDistance, app);
    const std::string command = f.TargetCommand;
    if (command == "P") return;
    if (command == "K") {
      Call(Routines().InputTargetHeight, app);
      f.FirstRayAngle = 0;
      Call(Routines().ObserveIntersection, app);
      if (!f.IntersectionAnswer.empty()) StorePoint(app);
      return;
    }
    app.shell.CommFailureFlag = 0;  // only this sight's measurement counts
    if (MeasuredByInstrument(command)) {
      Call(Routines().ComputeFromInstrumentReading, app);
    } else {
      Call(Routines().InputTargetAngles, app);
    }
    if (app.shell.CommFailureFlag == 1 || RtUcase(app.input.Answer) == "P") continue;
    StoreTraverseEnteredPoint(app);
    return;
  }
}

void RelativeEntryLoop(App& app) {
  double& direction = app.points.LegDirection;
  const double kept = direction;
  do {
    direction = app.cogo.InstrumentOrientation;
    EnterRelativePoint(app);
  } while (app.fieldbook.TargetCommand != "P");
  direction = kept;
}

void StoreTraverseEnteredPoint(App& app) {
  points::Store& p = app.points;
  const fieldbook::State& f = app.fieldbook;
  p.WorkPointX = f.MeasuredTargetX;
  p.WorkPointY = f.MeasuredTargetY;
  p.WorkPointZ = f.TargetPointHeight;
  p.DesignatedPointZ = p.WorkPointZ;
  Call(Routines().PrintObservationLineBody, app);
  StorePoint(app);
}
