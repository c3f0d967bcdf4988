// The CAD menu: the hub of the drawing tasks, which lays out the first drawing
// of a job on a default paper.
#include "cad/cad_menu.h"

#include "cad/drawing.h"
#include "cad/drawing_settings.h"
#include "cad/print_menu.h"
#include "cad/line_editor.h"
#include "cad/paper_frame.h"
#include "cad/state.h"
#include "core/app.h"
#include "cad/line_drawing.h"
#include "core/routines.h"
#include "files/result.h"
#include "runtime/console.h"
#include "runtime/graphics.h"
#include "runtime/numtext.h"
#include "ui/input.h"
#include "ui/plot_browser.h"

namespace {

constexpr int kGuideCadMenu = 155;

}  // namespace

namespace cad {

int ChoiceOf(double answer) {
  if (!(answer > -0.5 && answer < 32767.5)) return -1;
  return RtWhole(answer);
}

}  // namespace cad

void SelectPointsInUse(App& app) {
  points::Store& p = app.points;
  int last = -1;
  for (int n = 1; n <= p.PointCount; ++n) {
    // Free numbers and deleted points hold no position of the job.
    if (!cad::HoldsPointInUse(app, n)) continue;
    p.SelectionList(++last) = static_cast<int16_t>(n);
  }
  p.SelectionLast = last;
}

Jump CadMenu(App& app) {
  cad::Lines& l = app.lines;
  RtCls(RtWindowId::Main);
  l.PaperFrameOn = 1;
  Call(Routines().ShowStatusHeader, app);
  l.PaperFrameColour = 13;
  app.shell.PlanViewFlag = 1;
  app.view.PlotOrientation = -1;
  l.AdditionalPlotMode = 0;
  // The drawing output's finished flag is reset here too once that task exists.
  if (l.CadInitialised == 0) {
    l.PaperHeight = 0.279;
    l.PaperWidth = 0.198;
    l.DrawingRotation = 0;
    SelectPointsInUse(app);
    FitDrawingToPaper(app);
    l.CadInitialised = 1;
    app.output.ResultsPlaced = 1;
    app.input.ViewRedrawPending = 1;
  }
  // The frame of the drawing as it stands, the first one laid out included.
  DrawPaperFrame(app);
  l.CurrentLayer = 1;
  l.PrintSettingsGiven = 0;
  app.dxf.DxfPlotted = 0;
  RtPrintStr(" 1:線編集  2:縦断設定  3:ﾌﾟﾛｯﾄ  4:図面設定  5:ﾌﾟﾘﾝﾄ  6:DXF ", false);
  app.input.GuideNumber = kGuideCadMenu;
  InputMenuChoice(app);
  switch (RtWhole(app.input.AnswerValue)) {
    case 1: return {ConnectionLineEditor};
    case 2: return {EntryOf(Routines().ShowProfileSettingsMenu)};
    case 3: return {PlotView};
    case 4: return {DrawingSettingsMenu};
    case 5: return {PrintMenu};
    case 6: return {EntryOf(Routines().ShowDxfMenu)};
    default: return {ShowResultMenu};
  }
}
