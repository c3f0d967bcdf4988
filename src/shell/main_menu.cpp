// The main menu, its dispatch of the thirteen commands, and the small commands
// and jump targets beside it.
#include <array>
#include <cmath>
#include <cstdint>
#include <string>

#include "area/area_menu.h"
#include "cad/cad_menu.h"
#include "cad/line_editor.h"
#include "cogo/coordinate_menu.h"
#include "cogo/stake_out.h"
#include "cogo/transformation_menu.h"
#include "core/app.h"
#include "core/constants.h"
#include "core/point_names.h"
#include "core/routines.h"
#include "core/sound.h"
#include "fieldbook/book.h"
#include "files/coordinate_management.h"
#include "files/result.h"
#include "points/point_input.h"
#include "points/selection.h"
#include "points/table.h"
#include "route/route_menu.h"
#include "runtime/console.h"
#include "runtime/dialogs.h"
#include "runtime/files.h"
#include "runtime/graphics.h"
#include "runtime/numtext.h"
#include "runtime/windows.h"
#include "shell/program.h"
#include "transfer/transfer_menu.h"
#include "traverse/traverse_menu.h"
#include "ui/input.h"
#include "ui/layout.h"
#include "ui/navigator.h"
#include "ui/view.h"

namespace {

// The main window's client height (pixels) from which the menu takes three
// lines, below which it is one short line.
constexpr double kFullMenuHeight = 90;
// Above these heights an empty line follows the menu, and the job path is shown.
constexpr double kMenuGapHeight = 126;
constexpr double kJobPathHeight = 144;

// Main-menu commands 1 to 13. A command whose subsystem is not built yet says so.
constexpr std::array<Entry, 13> kCommands = {
    TraverseMenu,         // 1 traverse
    VariousCoordinateMenu,  // 2 various coordinates
    RouteMenu,            // 3 route
    MachinePointMenu,     // 4 machine point
    CoordinateManagementMenu,  // 5 coordinate management
    AreaMenu,             // 6 area
    CoordinateTransformationMenu,  // 7 coordinate transformation
    TransferMenu,         // 8 transfer
    CadMenu,              // 9 CAD
    FieldBookMenu,        // 10 field book
    EndProgram,           // 11
    SearchPointArea,      // 12
    ConnectionLineEditor,  // 13 connection lines (Enter alone)
};

// The command of a choice: rounded half away from zero into 16 bits (overflow
// error 6 outside); a value that selects no command goes to the result menu.
Jump Dispatch(double choice) {
  const int16_t command = RtInt16(choice);
  if (command >= 1 && command <= static_cast<int16_t>(kCommands.size())) {
    return {kCommands[command - 1]};
  }
  return {ShowResultMenu};
}

// The values every pass brings back to their starting point.
void ResetPassState(App& app) {
  app.shell.Epsilon = 1e-8;
  app.shell.DefaultHeightDifference = 2e-8;
  app.lines.LineType(1) = 9;
  app.points.NewPointCount = 0;
  app.lines.CadInitialised = 0;
  app.lines.PrinterSelected = 0;
  // The common logarithm; log10 gives 3 for a step of 1000 exactly. A step that
  // is not positive has none and leaves the decimals as they were.
  if (app.settings.T > 0) app.shell.DistanceDecimals = std::log10(app.settings.T);
}

void EndSimpleInput(App& app) {
  shell::ShellState& s = app.shell;
  if (s.SimpleInputActive != 1) return;
  s.SimpleInputActive = 0;
  app.settings.ZE = s.SimpleInputSavedZE;
  app.settings.ZD = s.SimpleInputSavedZD;
}

void PrintJobPath(const App& app) {
  RtColor(12);
  RtPrintStr(app.shell.JobFolder, false);
  RtColor(15);
  RtPrintStr(app.settings.ZA, false);
  RtColor(14);
  RtPrintStr(app.job.FileExtension, true);
}

void DrawSearchMark(App& app) {
  shell::ShellState& s = app.shell;
  app.points.WorkPointX = s.SearchPointX;
  app.points.WorkPointY = s.SearchPointY;
  app.input.Answer = s.SearchPointName;
  DrawCrossWithName(app);
  s.SearchMarkPending = 0;
}

void PrintMenuText(double height) {
  if (height < kFullMenuHeight) {
    RtColor(5);
    RtPrintStr(" 1:ﾄﾗ 2:各 3:路 4:機 5:座 6:面 7:変 8:転 9:CAD 10:野 11:END 12", true);
    return;
  }
  RtColor(13);
  RtPrintStr("  1：トラバース   2：各種座標    3：路線           4：機械点  ", true);
  RtPrintStr("  5：座標管理     6：面積計算    7：座標変換       8：転送    ", true);
  RtPrintStr("  9：ＣＡＤ      10：電子野帳   11：END  12:検索   Ent：結線  ", true);
  if (height > kMenuGapHeight) RtPrintStr("", true);
}

// ZE cycles 0, 1, 2, 3, 4, 0.
void CycleZE(App& app) {
  app.settings.ZE += 1;
  if (app.settings.ZE == 5) app.settings.ZE = 0;
}

}  // namespace

Jump MainMenu(App& app) {
  RestoreTopmost(app);
  RtSetWindowTitle(RtWindowId::Main,
                   "測量ケルノ君プロジェクトウインドウ [" + app.settings.ZA + "]");
  RtCls(RtWindowId::Main);
  RtCls(RtWindowId::View);
  FindHighestUsedPoint(app);
  ResetPassState(app);
  RestoreNavigatorPicture(app);
  EndSimpleInput(app);
  ShowStatusHeader(app);
  app.lines.PaperFrameOn = 0;
  RedrawView(app);
  const double height = RtWindowHeight(RtWindowId::Main);
  if (height > kJobPathHeight) PrintJobPath(app);
  RtSetLineStyle(RtWindowId::View, 0);
  if (app.shell.SearchMarkPending == 1) DrawSearchMark(app);
  // A section just written into the job opens its settings once.
  if (app.profile.ProfileSetupPending == 1) {
    app.profile.ProfileSetupPending = 0;
    app.profile.ProfileMode = 1;
    app.lines.PaperWidth = 0.841;
    app.lines.PaperHeight = 0.594;
    return {EntryOf(Routines().ShowProfileSettingsMenu)};
  }
  PrintMenuText(height);

  RtColor(2);
  RtPrintStr("  プログラムＮＯ=", false);
  app.input.GuideNumber = 2;
  InputMenuChoice(app);
  double choice = app.input.AnswerValue;

  // The snapshot that lets the result menu undo what the next command adds.
  app.lines.LineVertexCountBeforeCalc = app.lines.LineVertexCount;
  app.points.PointCountBeforeCalc = app.points.PointCount;

  if (app.input.AnswerCopy == "ZE=") {
    CycleZE(app);
    return {MainMenu};
  }
  app.shell.MainMenuEnterFlag = 0;
  if (choice == 0) {
    choice = 13;
    app.shell.MainMenuEnterFlag = 1;
  }
  app.shell.LastMainMenuChoice = choice;
  return Dispatch(choice);
}

Jump RepeatLastCommand(App& app) { return Dispatch(app.shell.LastMainMenuChoice); }

void RemoveWorkFiles(App& app) {
  // A work file that does not exist is passed over; one that cannot be removed
  // (a folder of that name, a file in use) is left, so the program still ends.
  for (std::string_view name : core::kWorkFilesRemovedAtExit) {
    try {
      RtKill(app.shell.DataFolder + std::string(name));
    } catch (const RtError&) {
    }
  }
}

Jump EndProgram(App& app) {
  const int button = RtMessageBox("終了します", "測量ケルノ", kButtonsOkCancel, kIconInformation,
                                  RtWindowId::Main);
  if (button != 0) return {ShowResultMenu};
  RtCloseAll();
  RemoveWorkFiles(app);
  PlaySound(app, "tada.wav");
  ExitProgram(0);
}

Jump SearchPointArea(App& app) {
  points::Store& p = app.points;
  ui::ViewState& v = app.view;
  ui::InputState& in = app.input;
  p.SelectionLast = -1;
  v.PointToDraw = p.CurrentPointNumber;
  DrawPointHighlighted(app);
  p.SavedWorkPointX = p.WorkPointX = p.PointX(p.CurrentPointNumber);
  p.SavedWorkPointY = p.WorkPointY = p.PointY(p.CurrentPointNumber);
  RtColor(7);
  RtPrintStr("", true);
  RtPrintStr(" 検索点 ", false);
  RtColor(6);
  RtPrintStr(p.PointName(p.CurrentPointNumber), true);
  RtColor(7);
  const double currentX = p.WorkPointX;
  const double currentY = p.WorkPointY;

  InputPoint(app);
  app.shell.SearchPointName = in.Answer;

  double range = v.ViewScale * 600;
  RtPrintStr("[5,10,20,30,50,100,200,500,1000]", true);
  RtPrintStr(" 範囲 ＝", false);
  RtPrintNum(std::floor(range), false);
  RtPrintStr(" (m) ", false);
  in.GuideNumber = 101;
  InputPointName(app);
  // A range is a distance: zero, a negative value or no answer keeps the current one.
  if (!in.Answer.empty() && in.AnswerValue > 0) range = in.AnswerValue;
  v.ViewScale = range / 600;

  v.ViewOriginX = p.WorkPointX - v.ViewScale * v.VerticalRatio * v.ViewHalfHeight;
  v.ViewOriginY = p.WorkPointY - v.ViewScale * v.ViewHalfWidth;
  app.shell.SearchPointX = p.WorkPointX;
  app.shell.SearchPointY = p.WorkPointY;
  p.WorkPointX = currentX;
  p.WorkPointY = currentY;
  app.shell.SearchMarkPending = 1;
  return {ShowResultMenu};
}

Jump PlotAllPoints(App& app) {
  SelectAllPoints(app);
  app.shell.PlanViewFlag = 1;
  ZoomToFitView(app);
  return {ShowResultMenu};
}

Jump NormalizeNamesThenPlot(App& app) {
  points::Store& p = app.points;
  NormalizePointNames(app);
  PlaySound(app, "chimes.wav");
  app.input.Answer = p.PointName(p.PointCount);
  SplitPointName(app);
  return {PlotAllPoints};
}

