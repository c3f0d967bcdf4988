// Start-up: finds the folders, reads the settings and the guide texts, recreates
// the work files, shows the title, makes the tables and the windows, and goes on
// with the file named on the command line or with the result menu.
#include "shell/startup.h"

#include <cmath>
#include <initializer_list>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

#include "core/app.h"
#include "core/constants.h"
#include "files/coordinate_file_menu.h"
#include "files/file_dialogs.h"
#include "files/result.h"
#include "files/sima_file.h"
#include "runtime/console.h"
#include "runtime/dialogs.h"
#include "runtime/errors.h"
#include "runtime/events.h"
#include "runtime/files.h"
#include "runtime/folders.h"
#include "runtime/graphics.h"
#include "runtime/numtext.h"
#include "runtime/printer.h"
#include "runtime/text.h"
#include "runtime/windows.h"
#include "shell/program.h"
#include "shell/settings_file.h"
#include "ui/layout.h"
#include "ui/navigator.h"

namespace {

constexpr int kPointerFileNumber = 1;
constexpr int kSettingsFileNumber = core::kSettingsFile;
constexpr int kGuideTextFileNumber = core::kGuideTextFile;

constexpr std::string_view kPointerFileName = "KRN2000.INI";
constexpr std::string_view kSettingsFileName = "KRN2000.DEF";
constexpr std::string_view kNavigatorPictureName = "krn2000.svg";
using core::kParcelWorkFileName;
using core::kPrintBufferName;

constexpr std::string_view kProgramCaption = "測量ケルノ君";
constexpr std::string_view kTitle = "測量ケルノ君2004  Windows 版 ";

constexpr RtWindowId kMain = RtWindowId::Main;
constexpr RtWindowId kView = RtWindowId::View;
constexpr RtWindowId kNav = RtWindowId::Nav;

// Scale mode 4: the navigator measures in 0.01 inch.
constexpr int kHundredthInch = 4;

// The current folder with a folder separator at its end.
std::string CurrentFolderWithSeparator() {
  std::string folder = RtCurDir();
  if (folder.empty() || folder.back() != '/') folder += '/';
  return folder;
}

bool IsSeparator(char c) { return c == '/' || c == '\\'; }

// ---- Folders, pointer file and settings (the start-up error trap's steps) ----

void PrepareSound(App& app) {
  app.shell.PlaySoundPrefix = " play " + RtWindowsFolder() + "media/";
  app.shell.StartSoundCommand = app.shell.PlaySoundPrefix + "start.wav";
}

// The folder the program is started in: the program's name resolved against
// the current folder, without the name.
void SetProgramFolder(App& app) { app.shell.ProgramFolder = CurrentFolderWithSeparator(); }

// Replaces the pointer file by one line: the program folder.
void WritePointerFile(App& app) {
  RtOpen(kPointerFileNumber, RtWindowsFolder() + std::string(kPointerFileName),
         RtFileMode::Output);
  RtPrintToFile(kPointerFileNumber, app.shell.ProgramFolder);
  RtClose(kPointerFileNumber);
}

// There is no older system without a profile folder to tell apart here: the
// program always behaves as on a current system.
void RememberStartFolder(App& app) {
  app.shell.StartFolder = RtCurDir();
  app.shell.OldWindowsFlag = 0;
}

void SetJobAndDataFolders(App& app) {
  app.shell.JobFolder = CurrentFolderWithSeparator();
  app.shell.DataFolder = app.shell.JobFolder;
}

// Takes the data folder from the pointer file and makes it current. False when
// there is no pointer file.
bool ReadPointerFile(App& app) {
  if (!RtOpen(kPointerFileNumber, RtWindowsFolder() + std::string(kPointerFileName),
              RtFileMode::Input)) {
    return false;
  }
  std::string folder;
  RtLineInputVar(kPointerFileNumber, folder);
  RtClose(kPointerFileNumber);
  if (!folder.empty() && !IsSeparator(folder.back())) folder += '/';
  app.shell.DataFolder = folder;
  RtChdir(folder);
  return true;
}

// Reads the settings file of the current folder into the settings and the
// lines of the values it did not take into `refused`. False when there is none.
bool ReadSettingsFile(App& app, std::vector<std::string>& refused) {
  if (!RtOpen(kSettingsFileNumber, kSettingsFileName, RtFileMode::Input)) return false;
  refused = ReadSettings(app);
  RtClose(kSettingsFileNumber);
  return true;
}

void UseDefaultSettings(App& app) {
  RtClose(kSettingsFileNumber);
  ApplyDefaultSettings(app);
}

// After a failure on the way to the settings (a Windows folder that cannot be
// written, a data folder that is gone, a settings file that cannot be read): the
// current folder becomes the data folder, and the job folder too when it was not
// set yet, so that the rest of the program finds its folders defined.
void RecoverFolders(App& app) {
  RtClose(kPointerFileNumber);
  app.shell.DataFolder = CurrentFolderWithSeparator();
  if (app.shell.JobFolder.empty()) app.shell.JobFolder = app.shell.DataFolder;
  if (app.shell.ProgramFolder.empty()) app.shell.ProgramFolder = app.shell.DataFolder;
  if (app.shell.StartFolder.empty()) app.shell.StartFolder = RtCurDir();
}

// The steps under the start-up error trap, by where the trap lets start-up go on.
enum class TrappedSteps { FoldersAndSettings, GuideTexts, Printer };

// What start-up does with an error raised before the main error handler takes
// over: the rest of the program needs the folders, the settings and the
// navigator's state defined, so the trap defines them and start-up goes on with
// the next group of steps. (A missing pointer, settings or guide-text file is not
// raised; it is met where it happens, with the same outcome.)
void StartupErrorTrap(App& app, TrappedSteps steps) {
  switch (steps) {
    case TrappedSteps::FoldersAndSettings:
      RecoverFolders(app);
      UseDefaultSettings(app);
      break;
    case TrappedSteps::GuideTexts:
      app.navigator.NavigatorOff = 1;
      RtClose(kGuideTextFileNumber);
      break;
    case TrappedSteps::Printer:
      // The printer is bound again whenever something is printed: the first
      // print finds out.
      break;
  }
}

}  // namespace

std::vector<std::string> shell::FindFoldersAndSettings(App& app) {
  const bool commandLineEmpty = app.shell.CommandLine.empty();
  std::vector<std::string> refused;
  try {
    PrepareSound(app);
    app.shell.VersionText = std::string(shell::kVersionText);
    SetProgramFolder(app);
    if (commandLineEmpty) WritePointerFile(app);
    RememberStartFolder(app);
    SetJobAndDataFolders(app);
    if ((commandLineEmpty || ReadPointerFile(app)) && ReadSettingsFile(app, refused)) {
      return refused;
    }
    UseDefaultSettings(app);
  } catch (const RtError&) {
    StartupErrorTrap(app, TrappedSteps::FoldersAndSettings);
  }
  return {};
}

namespace {

// The guide texts; a missing file switches the navigator off for the run.
void LoadGuideTextsTrapped(App& app) {
  app.navigator.GuideText.Dimension(1100);
  try {
    LoadGuideTexts(app);
  } catch (const RtError&) {
    StartupErrorTrap(app, TrappedSteps::GuideTexts);
  }
}

void MakePrinterObject(App& app) {
  try {
    RtPrinterSetup("");
  } catch (const RtError&) {
    StartupErrorTrap(app, TrappedSteps::Printer);
  }
}

// From the main error handler on, a step that fails is reported as the handler
// reports any error, and start-up goes on with the next step instead of
// leaving for the result menu: the program never starts without its tables,
// its point names, its windows' layout or the job named on the command line.
using StartupStep = void (*)(App&);

void RunStartupSteps(App& app, std::initializer_list<StartupStep> steps) {
  for (const StartupStep step : steps) {
    try {
      step(app);
    } catch (const RtError& error) {
      ReportRunTimeError(app, error);
    }
  }
}

// ---- Work files and title ----

void RecreateWorkFiles(App& app) {
  try {
    RtOpen(1, app.shell.DataFolder + std::string(kPrintBufferName), RtFileMode::Output);
    RtOpen(2, app.shell.DataFolder + std::string(kParcelWorkFileName), RtFileMode::Output);
  } catch (const RtError&) {
    RtCloseAll();  // the one that was made is not left open for the reader that follows
    throw;
  }
  RtCloseAll();
}

void ShowTitle(App& app) {
  RtCls(kMain);
  RtPrintStr(app.shell.CommandLine, true);
  RtLocate(13, 3);
  RtColor(4);
  RtPrintStr(std::string(kTitle) + app.shell.VersionText, true);
  RtColor(7);
}

// A command line in double quotes loses them. Only a pair counts, so that a
// name that merely begins with one is opened as it is named.
void UnquoteCommandLine(App& app) {
  std::string& line = app.shell.CommandLine;
  if (line.size() < 2 || line.front() != '"' || line.back() != '"') return;
  line = line.substr(1, line.size() - 2);
}

void ShowCapacity(App& app) {
  app.points.PointCapacity = core::kPointCapacity;
  app.points.AreaTableCapacity = 2000;
  RtLocate(20, RtCsrlin());
  RtPrintStr("ﾃﾞ-ﾀﾁｮｳ=    " + RtNumText(app.points.PointCapacity), true);
}

// ---- Tables and defaults ----

void DimensionTables(App& app) {
  const int capacity = static_cast<int>(app.points.PointCapacity);
  points::Store& p = app.points;
  p.PointName.Dimension(capacity);
  p.PointX.Dimension(capacity);
  p.PointY.Dimension(capacity);
  p.PointZ.Dimension(capacity);
  p.PointAttribute.Dimension(capacity);
  app.fieldbook.FieldBookAttribute.Dimension(capacity);
  p.SelectionList.Dimension(capacity);
  cad::Lines& lines = app.lines;
  lines.LinePointName.Dimension(2 * capacity);
  lines.LinePointNumber.Dimension(2 * capacity);
  app.profile.ProfileItemName.Dimension(32);
  lines.LineLayer.Dimension(2 * capacity);
  lines.LineType.Dimension(2 * capacity);
  lines.LineArc.Dimension(2 * capacity);
  app.route.RouteValue.Dimension(999);
  app.route.RouteLabel.Dimension(999);
  app.route.VerticalTable.Dimension(999);
  app.fieldbook.FieldBookRecord.Dimension(capacity);
  app.fieldbook.RecordBuffer.Dimension(1);
  lines.LayerVisible.Dimension(15);
  p.NewPointList.Dimension(2 * capacity);
  app.profile.ProfileRowItem.Dimension(32);
  app.profile.ProfileRowHeight.Dimension(32);
  app.profile.ProfileItemDigits.Dimension(32);
  app.area.SurveyCsvField.Dimension(40);
  app.traverse.ReportColumnTitle.Dimension(40);
  app.traverse.ReportColumnOn.Dimension(40);
  app.traverse.ReportColumnWidth.Dimension(40);
}

void SetViewDefaults(App& app) {
  app.view.GuidanceMode = 1;
  app.points.CurrentPointNumber = 1;
  app.view.ViewOriginX = -100;
  app.view.ViewOriginY = -100;
  app.view.VerticalRatio = 1;
  app.profile.ProfileVerticalScale = 1000;
  app.profile.ProfileHorizontalScale = 1000;
  app.lines.CurrentLineType = 9;
  app.points.CurrentMark = 0;
  app.lines.LineEraseMode = -1;
  app.view.BackgroundPictureOn = 1;
  app.route.DistanceRounding = 1000;
  app.shell.ScaleFactor = 1;
  app.view.HeightTextColour = 13;
  app.output.PrintFontName = "ＭＳ 明朝";
  for (int layer = 0; layer <= 14; ++layer) app.lines.LayerVisible(layer) = 1;
  app.view.BitmapPicture = RtBitmap();
}

// ---- Windows ----

void BindCloseRequest(App& app, RtWindowId window, void (*handler)(App&, int16_t&)) {
  RtOnCloseRequest(window, [&app, handler](int16_t& cancel) { handler(app, cancel); });
}

void MakeDynamicView(App& app) {
  BindCloseRequest(app, kView, Form2QueryClose);
  RtShowWindow(kView);
  RtSetWindowTitle(kView, "FORM2");
  RtMaximizeWindow(kView);
  app.view.ViewMaxHeight = RtWindowHeight(kView);
  app.view.ViewMaxWidth = RtWindowWidth(kView);
}

// A font size the windows can take: the rules may leave one at 0 or below on
// some screens, which is drawn at the smallest size instead.
double DrawableFontSize(double points) { return points < 1 ? 1 : points; }

void ApplyScreenSize(App& app) {
  const shell::ScreenSizeChoice choice = shell::ApplyScreenSizeRules(
      app.navigator.NavigatorMaxWidth, app.navigator.NavigatorMaxHeight,
      {9, app.navigator.NavigatorScale, 7, app.view.MouseScaleRatio, app.view.ViewFontSize});
  RtSetFontSize(kNav, DrawableFontSize(choice.navigatorFont));
  RtSetFontSize(kView, DrawableFontSize(choice.viewFont));
  app.navigator.NavigatorScale = choice.navigatorScale;
  app.view.MouseScaleRatio = choice.mouseScaleRatio;
  app.view.ViewFontSize = DrawableFontSize(choice.labelSize);
  if (app.settings.MOX != 0) app.view.MouseScaleRatio = app.settings.MOX;
}

// The menu picture (an SVG drawing), drawn into the maximised navigator. A missing
// picture, or one the runtime cannot read (no picture, a folder, no access),
// leaves the navigator without a picture and start-up goes on.
void DrawNavigatorPicture(App& app) {
  app.navigator.NavigatorPicture = RtBitmap();
  try {
    RtLoadPicture(app.navigator.NavigatorPicture, kNavigatorPictureName);
  } catch (const RtError&) {
    app.navigator.NavigatorPicture = RtBitmap();
  }
  RtDrawBitmap(kNav, app.navigator.NavigatorPicture, 0, 0);
}

void MakeNavigator(App& app) {
  ui::NavigatorState& nav = app.navigator;
  app.view.ViewFontSize = 7;
  app.view.ViewFontStep = 2;
  nav.NavigatorScale = 1;
  app.view.MouseScaleRatio = 1;
  if (nav.NavigatorOff == 1) return;

  BindCloseRequest(app, kNav, Form3QueryClose);
  RtShowWindow(kNav);
  RtSetWindowTitle(kNav, "FORM3");
  RtSetScaleMode(kNav, kHundredthInch);
  RtCls(kNav);
  RtSetFontSize(kNav, 9);

  RtMaximizeWindow(kNav);
  nav.NavigatorMaxHeight = RtWindowHeight(kNav);
  nav.NavigatorMaxWidth = RtWindowWidth(kNav);
  if (app.shell.OldWindowsFlag == 0) ApplyScreenSize(app);
  if (2500 * nav.NavigatorScale > app.view.ViewMaxWidth) app.settings.GAMEN = 1;

  DrawNavigatorPicture(app);
  // The copy is taken while the navigator is still maximised, so that it holds
  // the whole picture at that size.
  nav.NavigatorBitmap =
      RtCopyWindowToBitmap(kNav, 0, 0, nav.NavigatorMaxWidth, nav.NavigatorMaxHeight);
  RtRestoreWindow(kNav);
  RtSetWindowTitle(kNav, "ナビゲータ");
}

void CaptionTheView(App&) { RtSetWindowTitle(kView, "ダイナミックビュー"); }

void NameAllPoints(App& app) {
  const int capacity = static_cast<int>(app.points.PointCapacity);
  for (int i = 1; i <= capacity; ++i) app.points.PointName(i) = RtStr(i);
  app.shell.PointNamePrefix = "T.";
}

void SetStartScale(App& app) { app.view.ViewScale = double(0.7f); }

// ---- The file on the command line ----

// A SIMA file is read as the job, its points from number 1 on.
Jump EnterSimaReader(App&) { return {ReadSimaFile}; }

// Any other file is a point list: the points are stored from number 1 on.
Jump EnterCoordinateFileReader(App&) { return {LoadCoordinateFile}; }

// The command-line file, exactly as named, as the job folder, the job name and
// the extension. A name without a folder, or with a relative one, lies in the
// folder the program was started in.
void SplitCommandLineFile(App& app) {
  files::JobPath path = files::SplitJobPath(app.shell.CommandLine);
  if (path.folder.empty() || !IsSeparator(path.folder.front())) {
    const std::string& start = app.shell.StartFolder;
    path.folder = start + (start.ends_with('/') ? "" : "/") + path.folder;
  }
  app.shell.JobFolder = std::move(path.folder);
  app.settings.ZA = std::move(path.name);
  app.job.FileExtension = std::move(path.extension);
}

Jump StartWithCommandLineFile(App& app) {
  if (app.shell.CommandLine.empty()) return {ShowResultMenu};
  SplitCommandLineFile(app);
  app.job.FileMenuChoice = 0;
  if (RtUcase(app.job.FileExtension) == ".SIM") {
    app.job.ListPointNumber = 1;
    return EnterSimaReader(app);
  }
  return EnterCoordinateFileReader(app);
}

}  // namespace

// ---- Screen-size rules ----

namespace shell {
namespace {

// The ratio limits and values are single-precision constants.
const double kRatio14 = double(1.4f);
const double kRatio148 = double(1.48f);
const double kRatio16 = double(1.6f);
const double kRatio17 = double(1.7f);

// A rule of the first group: wide enough, or narrow and high enough.
bool WideOrHigh(double w, double h, double minWidth, double minHeight) {
  return w >= minWidth || (w < 1216 && h >= minHeight);
}

void Set(ScreenSizeChoice& c, double navigatorFont, double navigatorScale, double viewFont,
         double labelSize) {
  c.navigatorFont = navigatorFont;
  c.navigatorScale = navigatorScale;
  c.viewFont = viewFont;
  c.labelSize = labelSize;
}

// Rules 5 and 7: sizes that shrink as the navigator gets wider.
void SetShrinking(ScreenSizeChoice& c, double w) {
  const double f = std::floor((1239 - w) / 2 + 10 + 0.5);
  const double g = std::floor((1239 - w) / 2 + 8 + 0.5);
  Set(c, f, w / (1050 - 75 * (1239 - w)), g, g);
}

}  // namespace

ScreenSizeChoice ApplyScreenSizeRules(double w, double h, ScreenSizeChoice c) {
  if (WideOrHigh(w, h, 1216, 902)) Set(c, 12, w / 650, 10, 10);
  if (WideOrHigh(w, h, 1233, 904)) Set(c, 11, w / 817, 9, 9);
  if (WideOrHigh(w, h, 1239, 913)) Set(c, 10, w / 1050, 8, 8);
  if (WideOrHigh(w, h, 1241, 917)) Set(c, 9, w / 1183, 7, 7);
  if (WideOrHigh(w, h, 1245, 922)) {
    SetShrinking(c, w);
    c.mouseScaleRatio = 1;
  }
  if (WideOrHigh(w, h, 1247, 925)) Set(c, 7, w / 1650, 5, 5);
  if (WideOrHigh(w, h, 1249, 927)) SetShrinking(c, w);
  if (WideOrHigh(w, h, 1251, 928)) c.mouseScaleRatio = 1;
  if (h >= 940) {
    Set(c, 8, w / 1317, 6, 6);
    c.mouseScaleRatio = 0.9375;
  }
  const bool wide = w >= 1273;
  if (wide && w / h > kRatio14) {
    Set(c, 10, w / 1050, 8, 8);
    c.mouseScaleRatio = double(1.06066f);
  }
  if (wide && w / h > kRatio148) c.mouseScaleRatio = 1.125;
  if (wide && w / h > kRatio16) c.mouseScaleRatio = 1.25;
  if (wide && w / h > kRatio17) c.mouseScaleRatio = double(1.285f);
  if (w < 1216) {
    Set(c, 10, double(1.18f), 8, 8);
    c.mouseScaleRatio = 1;
  }
  return c;
}

}  // namespace shell

// ---- Close requests ----

void MainFormQueryClose(App& app, int16_t& cancel) {
  cancel = static_cast<int16_t>(RtMessageBox("　終了してもいいですか", kProgramCaption,
                                             kButtonsOkCancel, kIconQuestion, kMain));
  if (cancel != 0) return;
  RtCloseAll();
  RemoveWorkFiles(app);
  ExitProgram(0);
}

void Form2QueryClose(App&, int16_t& cancel) { cancel = 1; }

void Form3QueryClose(App&, int16_t& cancel) { cancel = 1; }

// ---- The entry ----

Jump ProgramStart(App& app) {
  BindCloseRequest(app, kMain, MainFormQueryClose);
  const std::vector<std::string> refused = shell::FindFoldersAndSettings(app);
  LoadGuideTextsTrapped(app);
  MakePrinterObject(app);
  ArmMainErrorHandler(app);
  RunStartupSteps(app, {RecreateWorkFiles, ShowTitle, UnquoteCommandLine, ShowCapacity});
  // With the title on the screen: the settings that were not taken.
  ReportRefusedSettings(kSettingsFileName, refused);
  RunStartupSteps(app, {DimensionTables, SetViewDefaults, MakeDynamicView, MakeNavigator,
                        CaptionTheView, NextWindowLayout, NameAllPoints, SetStartScale,
                        RestoreTopmost});
  return StartWithCommandLineFile(app);
}
