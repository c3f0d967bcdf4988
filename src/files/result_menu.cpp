// The result menu that ends every command: print, edit, save, plot or undo what
// the command produced, then keep the report for the next command or empty the
// print buffer, and on to the main menu.
#include <cmath>
#include <string>
#include <unordered_set>

#include "core/app.h"
#include "core/constants.h"
#include "core/routines.h"
#include "core/sound.h"
#include "files/result.h"
#include "runtime/console.h"
#include "runtime/errors.h"
#include "runtime/files.h"
#include "runtime/graphics.h"
#include "runtime/numtext.h"
#include "runtime/printer.h"
#include "runtime/programs.h"
#include "ui/input.h"
#include "ui/layout.h"
#include "ui/plot_browser.h"
#include "ui/view.h"

namespace {

using core::kPrintBuffer;
// A print buffer shorter than this holds no report worth a menu.
constexpr long kMinReportBytes = 100;
constexpr double kKeepReport = 7;

// A menu answer rounded to a choice; a negative choice is the illegal-argument
// error of a computed menu jump.
int MenuChoice(double answer) {
  const int choice = RtWhole(answer);
  if (choice < 0) RtRaise(kErrIllegalArgument);
  return choice;
}

void PrintMenu(const App& app) {
  if (app.points.NewPointCount > 1) {
    RtPrintStr(" 1:ﾌﾟﾘﾝﾄ  2:ｴﾃﾞｨﾀ  3:保存  4:ﾌﾟﾛｯﾄ  5:①+④  6:計算削除", true);
    RtPrintStr(" 7:継続   ENT:ﾊﾟｽ", false);
  } else {
    RtPrintStr(" 結果 1:ﾌﾟﾘﾝﾄ  2:ｴﾃﾞｨﾀ  3:保存  ENT:ﾊﾟｽ ", false);
  }
}

double MenuGuide(const App& app) { return app.points.NewPointCount > 1 ? 14 : 23; }

// True when the print buffer holds a report worth the menu. Leaves the buffer
// open for appending when it does not.
bool ReportLongEnough(App& app) {
  RtOpen(kPrintBuffer, PrintBufferPath(app), RtFileMode::Append);
  if (RtLof(kPrintBuffer) < kMinReportBytes) return false;
  RtCloseAll();
  return true;
}

// The points the command registered, each once, in the order of their first
// registration.
void SelectNewPoints(App& app) {
  points::Store& p = app.points;
  std::unordered_set<int> seen;
  int last = -1;
  for (int i = 0; i < RtWhole(p.NewPointCount); ++i) {
    const int number = p.NewPointList(i);
    if (!seen.insert(number).second) continue;
    p.SelectionList(++last) = static_cast<int16_t>(number);
  }
  p.SelectionLast = last;
}

// The drawing state the CAD menu sets on its first entry, for the run's points,
// and the plot view's start state.
void PrepareRunDrawing(App& app) {
  cad::Lines& l = app.lines;
  l.CadInitialised = 1;
  l.PaperHeight = double(0.28f);
  l.PaperWidth = double(0.195f);
  l.DrawingRotation = 0;
  l.PaperFrameOn = 0;
  l.CurrentLayer = 1;
  l.PrintSettingsGiven = 0;
  app.dxf.DxfPlotted = 0;
  app.shell.PlanViewFlag = 1;
  app.view.PlotOrientation = -1;
  app.view.PlotNamesShown = 1;
}

// Choice 5: the run's points drawn at the top of a page, the report below them.
Jump PlotAndPrintRun(App& app) {
  cad::Lines& l = app.lines;
  l.PaperHeight = double(0.12f);
  l.PaperWidth = double(0.194f);
  ZoomToFitView(app);
  Call(Routines().FitDrawingToPaper, app);
  l.ScaleDenominator = std::floor(l.ScaleDenominator * double(1.1f));
  app.points.WorkPointZ = 0;
  l.PaperUnitsPerMetre = RtDivide(10000, l.ScaleDenominator);
  l.PrintFrame = 1;
  l.AdditionalLineType = "0";
  Call(Routines().OpenPrinterPage, app);
  app.input.ViewRedrawPending = 1;
  return {EntryOf(Routines().PrintOutput)};
}

// Choice 4: the run's points in the plot view, smaller than the fit and moved
// right by a seventh of the view.
Jump PlotRunOnView(App& app) {
  ui::ViewState& v = app.view;
  ZoomToFitView(app);
  v.PlotScale *= double(1.4f);
  v.PlotOriginY -= v.ViewWidth * v.PlotScale / 7;
  RtCls(RtWindowId::View);
  RtCls(RtWindowId::Main);
  RtColor(7);
  RtColor(RtWindowId::View, -1, 15);
  // The work-point cross of the plot view stands at the last registered point.
  points::Store& p = app.points;
  const double last = p.NewPointList(RtWhole(p.NewPointCount) - 1);
  p.WorkPointX = p.PointX(last);
  p.WorkPointY = p.PointY(last);
  return {ResumePlotView};
}

void ClearNewPoints(App& app) {
  points::Store& p = app.points;
  for (double n = p.PointCountBeforeCalc + 1; n <= p.PointCount; ++n) {
    p.PointName(n) = RtStr(n);
    p.PointX(n) = 0;
    p.PointY(n) = 0;
    p.PointZ(n) = 0;
    p.PointAttribute(n) = "";
    app.fieldbook.FieldBookAttribute(n) = "";
  }
  p.PointCount = p.PointCountBeforeCalc;
}

void ClearNewLines(App& app) {
  cad::Lines& l = app.lines;
  for (double i = l.LineVertexCountBeforeCalc + 1; i <= l.LineVertexCount; ++i) {
    l.LinePointName(i) = "";
    l.LinePointNumber(i) = 0;
    l.LineType(i) = 0;
    l.LineLayer(i) = 0;
    l.LineArc(i) = "";
  }
  l.LineVertexCount = l.LineVertexCountBeforeCalc;
}

}  // namespace

Jump ShowResultMenu(App& app) {
  if (app.output.ResultMenuShown == 0) {
    Call(Routines().FlushPendingReportLine, app);
    app.output.ResultMenuShown = 1;
  }
  if (app.settings.ZD == 5) app.settings.ZD = 2;
  Call(Routines().ArmMainErrorHandler, app);
  RtSetWindowAttr(RtWindowId::View, 1);
  RtPrinterRelease();
  RtCloseAll();
  if (app.settings.ZD >= 3) return ContinueOrResetReport(app, 0);
  if (!ReportLongEnough(app)) return ContinueOrResetReport(app, 0);

  PrintMenu(app);
  app.input.GuideNumber = MenuGuide(app);
  InputMenuChoice(app);
  const double choice = app.input.AnswerValue;
  app.output.ResultsPlaced = 0;
  switch (MenuChoice(choice)) {
    case 1:
      return {PrintReport};
    case 2:
      return {EditReport};
    case 3:
      return {SaveReport};
    case 4:
      return {PlotRun};
    case 5:
      app.output.ResultsPlaced = 1;
      return {PlotRun};
    case 6:
      return {DeleteRun};
    default:
      return ContinueOrResetReport(app, choice);
  }
}

Jump ContinueOrResetReport(App& app, double choice) {
  if (choice == kKeepReport) {
    RtCloseAll();
    RtOpen(kPrintBuffer, PrintBufferPath(app), RtFileMode::Append);
    RtPrintToFile(kPrintBuffer, "_");
  } else {
    ResetPrintBuffer(app);
  }
  return {EntryOf(Routines().MainMenu)};
}

Jump EditReport(App& app) {
  ReleaseTopmost(app);
  RtShell(app.settings.VZ, PrintBufferPath(app), true, 8, rt::ProgramRole::kEditor);
  RestoreTopmost(app);
  return {ShowResultMenu};
}

Jump PlotRun(App& app) {
  if (app.points.NewPointCount <= 1) return {ShowResultMenu};
  SelectNewPoints(app);
  PrepareRunDrawing(app);
  RtOpen(kPrintBuffer, PrintBufferPath(app), RtFileMode::Append);
  app.lines.PrinterSelected = 0;
  if (app.output.ResultsPlaced == 1) return PlotAndPrintRun(app);
  return PlotRunOnView(app);
}

Jump DeleteRun(App& app) {
  RtPrintStr(" 1:結線削除   2:結線＋新点削除  3:ｷｬﾝｾﾙ ", false);
  app.input.GuideNumber = 248;
  InputMenuChoice(app);
  const int choice = MenuChoice(app.input.AnswerValue);
  if (choice != 1 && choice != 2) return {ShowResultMenu};
  if (choice == 2) ClearNewPoints(app);
  ClearNewLines(app);
  PlaySound(app, "recycle.wav");
  Call(Routines().ShowStatusHeader, app);
  return {ShowResultMenu};
}
