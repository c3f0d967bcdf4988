#include "cogo/coordinate_menu.h"

#include <array>
#include <cstdint>

#include "cogo/circle_intersections.h"
#include "cogo/corner_parallel.h"
#include "cogo/extensions.h"
#include "cogo/intersections.h"
#include "cogo/pending_kinds.h"
#include "cogo/transformation_menu.h"
#include "cogo/triangles.h"
#include "core/app.h"
#include "core/constants.h"
#include "core/routines.h"
#include "runtime/console.h"
#include "runtime/errors.h"
#include "runtime/files.h"
#include "runtime/numtext.h"
#include "ui/input.h"
#include "ui/navigator.h"

namespace {

// Kinds reached through the routine table: the open reverse traverse and the
// connection lines stand above this folder.
// "ＳＴ計算" is a plain open reverse traverse, also after a polygon section that
// ended early.
Jump OpenReverseTraverse(App& app) {
  EndLeftPolygonSection(app);
  return {EntryOf(Routines().RunOpenReverseTraverse)};
}
Jump ConnectPointsByInput(App&) { return {EntryOf(Routines().ConnectPoints)}; }

constexpr std::array<Entry, 14> kKinds = {
    OneSideOneAngle,           // 1
    ThreePointsTwoAngles,      // 2
    FootOfPerpendicular,       // 3
    FourPointIntersection,     // 4
    FourPointParallel,         // 5
    CircleCircleIntersection,  // 6
    CircleLineIntersection,    // 7
    ContinuousParallel,        // 8
    CornerCut,                 // 9
    OpenReverseTraverse,       // 10
    CircleExtension,           // 11
    LineExtension,             // 12
    MachineRadiation,          // 13
    ConnectPointsByInput,      // 14
};

void PrintKinds() {
  RtPrintStr(" 1:一辺一角  2:三点二角  3:垂線の足  4:四点交点  5:四点平行", true);
  RtPrintStr(" 6:円と円    7:円と直線  8:連続平行  9:角きり   10:ＳＴ計算", true);
  RtPrintStr("11:円の延長 12:直線延長 13:機械放射 14:結線 ", false);
}

// The kind's cell of the menu picture, tested on the answer as typed.
void HighlightKind(App& app, double a) {
  ui::NavigatorState& n = app.navigator;
  if (a > 0 && a <= 6) {
    n.MenuCellColumn = a - 1;
    n.MenuCellRow = 1;
  } else if (a >= 7 && a <= 9) {
    n.MenuCellColumn = a - 7;
    n.MenuCellRow = 2;
  } else if (a == 11 || a == 12) {
    n.MenuCellColumn = a - 8;
    n.MenuCellRow = 2;
  } else if (a == 13) {
    n.MenuCellColumn = 3;
    n.MenuCellRow = 3;
    app.traverse.ObservationReturnMenu = 4;
  } else {
    return;
  }
  ShowMenuPosition(app);
}

Jump DispatchKind(double a) {
  const int16_t kind = RtInt16(a);
  if (kind < 0) RtRaise(kErrIllegalArgument);
  if (kind >= 1 && kind <= static_cast<int16_t>(kKinds.size())) return {kKinds[kind - 1]};
  return {EntryOf(Routines().ShowResultMenu)};
}

}  // namespace

Jump VariousCoordinateMenu(App& app) {
  Call(Routines().ResetRunState, app);
  app.shell.HeightLabel = "H=";
  app.lines.CurrentLayer = 1;
  app.points.WorkPointZ = 0;
  app.cogo.LastCDDifferenceX = 0;
  app.cogo.LastCDDifferenceY = 0;
  PrintKinds();
  app.input.GuideNumber = 25;
  InputMenuChoice(app);
  const double a = app.job.SubmenuChoice = app.input.AnswerValue;
  app.output.ReportTitle = "各種座標計算";
  RtPrintToFile(core::kPrintBuffer, app.input.AnswerCopy);
  HighlightKind(app, a);
  return DispatchKind(a);
}
