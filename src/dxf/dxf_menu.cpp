#include "dxf/dxf_menu.h"

#include <cmath>
#include <cstdlib>

#include "cad/print_menu.h"
#include "cad/state.h"
#include "core/app.h"
#include "core/numeric.h"
#include "core/routines.h"
#include "core/sound.h"
#include "dxf/added_lines.h"
#include "dxf/head.h"
#include "dxf/mapping.h"
#include "dxf/plot_run.h"
#include "dxf/plot_settings.h"
#include "dxf/records.h"
#include "files/file_dialogs.h"
#include "files/result.h"
#include "runtime/clock.h"
#include "runtime/console.h"
#include "runtime/files.h"
#include "runtime/folders.h"
#include "runtime/numtext.h"
#include "runtime/programs.h"
#include "runtime/text.h"
#include "ui/input.h"
#include "ui/layout.h"
#include "ui/navigator.h"

namespace {

constexpr int kGuideCadProgram = 121;
constexpr int kGuideDxfMenu = 180;
constexpr int kGuideCadRunning = 312;

constexpr std::string_view kWorkingCopy = "K.DXF";

std::string WorkingCopyPath(const App& app) { return app.shell.DataFolder + std::string(kWorkingCopy); }

// The job's folder, name and extension and the current folder, kept around a
// dialog that would make the chosen file the job's.
struct KeptJobPath {
  explicit KeptJobPath(App& a)
      : app(a), folder(a.shell.JobFolder), name(a.settings.ZA), extension(a.job.FileExtension),
        current(RtCurDir()) {}
  void Restore() {
    app.shell.JobFolder = folder;
    app.settings.ZA = name;
    app.job.FileExtension = extension;
    if (!current.empty()) RtChdir(current);
  }
  App& app;
  std::string folder, name, extension, current;
};

std::string Trimmed(std::string_view s) {
  const size_t first = s.find_first_not_of(' ');
  if (first == std::string_view::npos) return {};
  return std::string(s.substr(first, s.find_last_not_of(' ') - first + 1));
}

// The drawing's bytes as they stand; empty when it is missing.
std::string DrawingBytes(const std::string& path) {
  if (!RtFileExists(path)) return {};
  RtOpen(dxf::kDrawingFile, path, RtFileMode::Input);
  std::string bytes = RtInputChars(dxf::kDrawingFile, static_cast<int>(RtLof(dxf::kDrawingFile)));
  RtClose(dxf::kDrawingFile);
  return bytes;
}

Jump GuardedSetUp(App& app) { return dxf::WhileDrawing(app, SetUpDxfDrawing); }
Jump GuardedAddPlot(App& app) { return dxf::WhileDrawing(app, AddPlotToDxf); }
Jump GuardedLaunchCad(App& app) { return dxf::WhileDrawing(app, LaunchCad); }
Jump GuardedExit(App& app) { return dxf::WhileDrawing(app, ExitDxfMenu); }
Jump GuardedAddLines(App& app) { return dxf::WhileDrawing(app, AddLinesToDxf); }

}  // namespace

namespace dxf {

int MenuChoiceOf(double answer) {
  if (!(answer >= 0.5 && answer < 4.5)) return 0;
  return RtWhole(answer);
}

std::string TitleTextOf(std::string_view date, std::string_view jobName, double scale,
                        double originX, double originY, std::string_view formattedAngle) {
  std::string part1 = std::string(date) + " Job=" + std::string(jobName) + "  S=1/" + RtStr(std::floor(scale));
  return RtToFullWidth(part1) + "  原点  X=" + FormatDecimals(originX, 3) + " Y=" +
         FormatDecimals(originY, 3) + "  回転角=" + Trimmed(formattedAngle);
}

std::string CadProgramFor(const std::string& vx) {
  if (const char* configured = std::getenv(rt::RoleVariable(rt::ProgramRole::kCad));
      configured && std::string_view(configured).find_first_not_of(" \t") != std::string_view::npos) {
    return vx.empty() ? "librecad" : vx;
  }
  if (!vx.empty() && !rt::FindOnPath(rt::HostPath(vx)).empty()) return vx;
  if (!rt::FindOnPath("librecad").empty()) return "librecad";
  return {};
}

Jump WhileDrawing(App& app, Jump (*step)(App&)) {
  try {
    return step(app);
  } catch (...) {
    CloseUnfinishedDrawing(app);
    throw;
  }
}

void CloseUnfinishedDrawing(App& app) {
  const std::string& path = app.dxf.DrawingPath;
  try {
    RtClose(kDrawingFile);
    if (path.empty() || !RtFileExists(path)) return;
    const std::string bytes = DrawingBytes(path);
    if (bytes.ends_with("EOF\r\n")) return;
    RtOpen(kDrawingFile, path, RtFileMode::Append);
    Sink out;
    out.Group("  0", "ENDSEC");
    out.Group("  0", "EOF");
    out.WriteToDrawing();
    RtClose(kDrawingFile);
  } catch (const RtError&) {
    // The error on the way out is the one to report; the drawing stays as it is.
  }
}

std::string CadCopyPath(std::string_view drawingPath) {
  const files::JobPath parts = files::SplitJobPath(drawingPath);
  return parts.folder + parts.name + "_CAD" + parts.extension;
}

}  // namespace dxf

Jump ShowDxfMenu(App& app) {
  dxf::State& d = app.dxf;
  // A pass left through a jump may have left the drawing open.
  RtClose(dxf::kDrawingFile);
  d.DxfFinished = 0;
  KeptJobPath kept(app);
  app.job.FileExtension = ".DXF";
  ShowSaveFileDialog(app);
  if (app.job.ChosenFilePath.empty()) {
    kept.Restore();
    return {EntryOf(Routines().RepeatLastCommand)};
  }
  // The one path of the drawing, as chosen (with the extension typed).
  d.DrawingPath = files::JobFilePath(app);
  kept.Restore();
  CreateDxfFile(app);
  d.UseRegisteredLines = 1;
  d.GridIntervalAsked = 0;
  return {ReturnToDxfMenu};
}

void CreateDxfFile(App& app) {
  RtClose(dxf::kDrawingFile);
  // Output mode replaces the drawing only once the head is written whole.
  RtOpen(dxf::kDrawingFile, app.dxf.DrawingPath, RtFileMode::Output);
  WriteDxfHead(app);
  RtClose(dxf::kDrawingFile);
}

void ReopenDxfForAppend(App& app) {
  RtClose(dxf::kDrawingFile);
  RtOpen(dxf::kDrawingFile, app.dxf.DrawingPath, RtFileMode::Append);
}

void PlotDxfWithDefaults(App& app) {
  dxf::State& d = app.dxf;
  if (d.DxfPlotted != 0) return;
  d.UseRegisteredLines = 1;
  d.TextSize = 1.8;
  d.ElevationDecimals = 2;
  d.NameTextStart = 1;
  d.ShowCodes = 1;
  d.MarkAnswer = "10";
  d.MarkString = "＋";
  d.GeneralMark = d.MarkString;
  d.Output3D = 1;
  d.ShowPointEntity = 0;
  d.MarkSize = 1.0;
  GridIntervalForScale(app);
  if (app.profile.ProfileMode == 1) {
    d.NameTextStart = 0;
    d.ShowCodes = 0;
    app.lines.GridInterval = 0;
    d.MarkAnswer = "0";
    d.MarkString.clear();
    d.GeneralMark = d.MarkString;
    d.Output3D = 0;
    d.ShowPointEntity = 0;
    d.MarkSize = 1.0;
  }
  PlotDrawingToDxf(app);
}

void FinishDxfFile(App& app) {
  const dxf::State& d = app.dxf;
  PlotDxfWithDefaults(app);
  RtClose(dxf::kDrawingFile);
  RtFileCopy(d.DrawingPath, WorkingCopyPath(app));
  RtOpen(dxf::kDrawingFile, d.DrawingPath, RtFileMode::Append);
  const std::string angle = FormatAngleOf(app, DmsToDegrees(app.lines.DrawingRotation));
  const std::string title = dxf::TitleTextOf(RtFormatDate(""), app.settings.ZA, app.lines.ScaleDenominator,
                                             app.view.PlotOriginX, app.view.PlotOriginY, angle);
  dxf::TextRecord t;
  t.layer = "タイトル";
  t.fixedX = "0";
  t.fixedY = "5";
  t.height = d.TextSize;
  t.text = title;
  dxf::Sink out;
  dxf::WriteText(out, t);
  out.Group("  0", "ENDSEC");
  out.Group("  0", "EOF");
  out.WriteToDrawing();
  RtClose(dxf::kDrawingFile);
}

Jump ReturnToDxfMenu(App& app) {
  dxf::State& d = app.dxf;
  d.DxfMenuChoice = 0;
  d.LineWriterAsked = 0;
  d.LineWriterKeepInside = 0;
  d.MarkClearance = 0;
  RtPrintStr(" 1:初期設定  2:ﾌﾟﾛｯﾄ追加  3:線追加  4:CAD起動 ", false);
  app.input.GuideNumber = kGuideDxfMenu;
  InputMenuChoice(app);
  if (!app.input.Answer.empty()) d.DxfMenuChoice = app.input.AnswerValue;
  switch (dxf::MenuChoiceOf(d.DxfMenuChoice)) {
    case 1: return {GuardedSetUp};
    case 2: return {GuardedAddPlot};
    case 3: return {GuardedAddLines};
    case 4: return {GuardedLaunchCad};
    default: return {GuardedExit};
  }
}

Jump LaunchCad(App& app) {
  dxf::State& d = app.dxf;
  std::string program = dxf::CadProgramFor(app.settings.VX);
  if (program.empty()) {
    PlaySound(app, "ding.wav");
    app.input.GuideNumber = kGuideCadProgram;
    ShowGuideNext(app);
    KeptJobPath kept(app);
    app.settings.ZA.clear();
    app.job.FileExtension = ".EXE";
    ShowOpenFileDialog(app);
    const std::string chosen = app.job.ChosenFilePath;
    kept.Restore();
    if (chosen.empty()) return {ReturnToDxfMenu};
    app.settings.VX = chosen;
    program = chosen;
  }
  if (d.DxfFinished == 0) {
    d.DxfFinished = 1;
    FinishDxfFile(app);
  }
  app.input.GuideNumber = kGuideCadRunning;
  ShowGuide(app);
  RtPrintStr(program + " " + d.DrawingPath, true);
  const std::string finished = DrawingBytes(d.DrawingPath);
  ReleaseTopmost(app);
  // The path goes over as one argument, blanks and all.
  RtShell(program, d.DrawingPath, true, 8, rt::ProgramRole::kCad);
  RestoreTopmost(app);
  // What the CAD program saved into the drawing would be lost when the open
  // drawing is put back: it is kept beside it under a name of its own.
  const std::string shown = DrawingBytes(d.DrawingPath);
  if (shown != finished && !shown.empty()) {
    const std::string copy = dxf::CadCopyPath(d.DrawingPath);
    RtFileCopy(d.DrawingPath, copy);
    RtPrintStr(" CADで変更された図面を " + copy + " に残しました", true);
  }
  RtFileCopy(WorkingCopyPath(app), d.DrawingPath);
  RtOpen(dxf::kDrawingFile, d.DrawingPath, RtFileMode::Append);
  d.DxfFinished = 0;
  return {ReturnToDxfMenu};
}

Jump ExitDxfMenu(App& app) {
  if (app.dxf.DxfFinished == 0) FinishDxfFile(app);
  RtKill(WorkingCopyPath(app));
  return {ShowResultMenu};
}
