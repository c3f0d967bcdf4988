// The status header and the reset of the run state at the start of a command.
#include <string>

#include "core/app.h"
#include "runtime/clock.h"
#include "runtime/console.h"
#include "runtime/numtext.h"
#include "runtime/windows.h"
#include "shell/program.h"
#include "ui/layout.h"
#include "ui/navigator.h"

namespace {

// Column of "ZD=" on the job line.
constexpr int kModesColumn = 29;

// The modes every command starts from.
void ResetCommandModes(App& app) {
  points::Store& p = app.points;
  p.CoordinateDisplayMode = 1;
  p.PointReaskFlag = 1;
  app.area.SelectionPolylineOn = 0;
  app.area.ParcelVertexPickMode = 0;
  app.traverse.DistancePromptFlag = 1;
  p.CurrentMark = 1;
  app.lines.CurrentLineType = 9;
  p.LineConnectMode = 0;
  p.PreviousRegisteredPoint = 0;
  app.traverse.TraverseInputKind = 0;
  app.output.InstrumentListFormat = 0;
  app.traverse.ObservationRunning = 0;
  app.area.AreaTableMode = 0;
  app.fieldbook.ForwardIntersectionActive = 0;
  app.area.AreaReportStyle = 0;
  app.traverse.ZeroDirectionAngle = 0;
  p.NextPointNumber = p.PointCount + 1;
  app.route.RouteIpDisplay = 0;
  app.output.ReportHeaderLine.clear();
}

void RestoreSavedVerticalMode(App& app) {
  shell::ShellState& s = app.shell;
  if (s.RestoreVVPending != 1) return;
  app.settings.VV = s.SavedVV;
  app.settings.ZE = s.SavedZE;
  s.RestoreVVPending = 0;
}


void PrintStatusLines(App& app) {
  const shell::Settings& set = app.settings;
  const shell::ShellState& s = app.shell;
  if (set.VV != 0) {
    RtColor(10);
    RtPrintStr("VV= 90 ﾃﾞｽ", true);
  }
  if (s.ScaleFactor != 1) {
    RtColor(10);
    RtPrintStr("縮尺係数＝", false);
    RtPrintNum(s.ScaleFactor, true);
  }
  RtColor(1);
  RtPrintStr(s.VersionText, false);
  RtColor(6);
  RtPrintStr("      " + RtDate() + "  " + RtTime() + "  [SEN=", false);
  RtPrintNum(app.lines.LineVertexCount, false);
  RtPrintStr("/", false);
  RtPrintNum(2 * app.points.PointCapacity, false);
  RtPrintStr("]", false);
  RtPrintNum(app.job.ConnectionFileFound, true);

  RtPrintStr("仕事名 =" + set.ZA, false);
  RtLocate(kModesColumn, RtCsrlin());
  RtPrintStr("ZD=", false);
  RtPrintNum(set.ZD, false);
  RtColor(4);
  RtPrintStr("ZE=", false);
  RtColor(6);
  RtPrintNum(set.ZE, false);
  RtPrintStr("T=", false);
  RtPrintNum(set.T, false);
  RtPrintStr("(" + rt::Digits(app.points.PointCount) + "/" + rt::Digits(app.points.PointCapacity) + ")  ",
             true);
}

}  // namespace

void ResetRunState(App& app) {
  app.points.SelectionLast = double(-1E20f);
  app.shell.PlanViewFlag = 0;
  app.traverse.CumulativeSlopeDistance = 0;
  app.traverse.CumulativeDistance = 0;
  app.traverse.UnorientedStation = 0;
  app.traverse.TargetHeight = app.cogo.SetupInstrumentHeight;
  app.points.WorkPointX = 0;
  app.points.WorkPointY = 0;
  app.shell.HeightLabel = "h=";
  app.cogo.ToolLevelDisplay = 1;
  app.cogo.CarryGradeHeight = 0;
  app.cogo.InstrumentAxisHeight = app.cogo.SetupInstrumentHeight + app.cogo.InstrumentStationZ;
  app.traverse.ReverseTraversePrintMode = 0;
  app.traverse.CalculationPrintMode = 0;
  app.output.ResultMenuShown = 0;
  app.route.RelativeStationMode = 0;
  app.area.RunningArea = 0;
  app.area.ParcelPageBreakDue = 0;
  ShowStatusHeader(app);
}

void ShowStatusHeader(App& app) {
  RtCls(RtWindowId::Main);
  ResetCommandModes(app);
  RtActivateWindow(RtWindowId::Main);
  RestoreSavedVerticalMode(app);
  PrintStatusLines(app);
  RtColor(7);
  RestoreNavigatorPicture(app);
}
