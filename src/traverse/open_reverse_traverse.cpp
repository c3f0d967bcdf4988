#include "traverse/open_reverse_traverse.h"

#include <cstdint>
#include <string>

#include "cogo/base_inputs.h"
#include "core/app.h"
#include "core/constants.h"
#include "core/point_names.h"
#include "core/routines.h"
#include "files/coordinate_file_menu.h"
#include "files/file_dialogs.h"
#include "files/point_list.h"
#include "runtime/console.h"
#include "runtime/files.h"
#include "runtime/numtext.h"
#include "traverse/inverse_report.h"
#include "traverse/report.h"
#include "traverse/report_columns.h"
#include "traverse/traverse_menu.h"
#include "ui/navigator.h"

namespace {

using core::kPrintBuffer;

constexpr int kGuideBacksightPoint = 368;
constexpr int kGuideStation = 369;
constexpr int kGuideProfileFile = 367;
// Switches the running totals of the legs on without adding to them.
constexpr double kTotalsOn = 1e-19;

Jump RepeatLastCommand() { return {EntryOf(Routines().RepeatLastCommand)}; }

void WritePageBreak() { RtPrintToFile(kPrintBuffer, "_"); }

// The profile's first point: traverse point A, chainage 0, a polyline starts.
void RegisterFirstProfilePoint(App& app) {
  points::Store& p = app.points;
  const int n = RtWhole(app.traverse.ProfilePointNumber);
  p.PointName(n) = p.FromPointName;
  p.PointX(n) = p.WorkPointZ;
  p.PointY(n) = 0;
  p.PointZ(n) = 0;
  p.PointAttribute(n) = "95";
}

// The profile points leave the table again: their numbers are free as before.
void RemoveProfilePoints(App& app, double pointCountBefore) {
  points::Store& p = app.points;
  const int last = RtWhole(app.traverse.ProfilePointNumber);
  for (int n = RtWhole(app.job.FirstPointToSave); n <= last; ++n) {
    p.PointName(n) = DefaultPointName(n);
    p.PointX(n) = 0;
    p.PointY(n) = 0;
    p.PointZ(n) = 0;
    p.PointAttribute(n).clear();
  }
  p.PointCount = pointCountBefore;
}

// The save dialog for the profile file until a name is chosen that is not the
// current job's own (its point file would be overwritten and its
// connection-line file deleted). False when cancelled; the job's name and
// folder are then as they were.
bool ChooseProfileFile(App& app) {
  std::string& name = app.settings.ZA;
  std::string& folder = app.shell.JobFolder;
  const std::string keptName = name;
  const std::string keptFolder = folder;
  const std::string keptExtension = app.job.FileExtension;
  for (;;) {
    name = keptName + "縦断";
    app.job.FileExtension = ".PRN";
    app.input.GuideNumber = kGuideProfileFile;
    ShowGuideNext(app);
    ShowSaveFileDialog(app);
    if (app.job.ChosenFilePath.empty()) {
      name = keptName;
      app.job.FileExtension = keptExtension;
      return false;
    }
    if (folder + name != keptFolder + keptName) {
      app.job.FileExtension = ".PRN";
      return true;
    }
    folder = keptFolder;
    name = keptName;
    RtColor(10);
    RtPrintStr("", true);
    RtPrintStr(" 作業中のﾃﾞｰﾀと同じ名前です。別の名前にしてください", true);
    RtColor(7);
  }
}

// The end of a polygon section: the profile written as a point file and opened
// as the new job, whose longitudinal section the main menu then shows.
Jump EndPolygonSection(App& app, double pointCountBefore) {
  traverse::State& t = app.traverse;
  shell::Settings& s = app.settings;
  t.PolygonSectionMode = 0;
  s.ZEG = -s.ZEG;
  // The job in memory gives way to the profile job: the user is told before
  // the dialog, and cancelling it keeps the job.
  RtPrintStr("", true);
  RtPrintStr(" 縦断ﾃﾞｰﾀを書込むと 作業中のﾃﾞｰﾀは閉じて 縦断ﾃﾞｰﾀを読込みます", true);
  RtPrintStr(" (ｷｬﾝｾﾙすると 作業中のﾃﾞｰﾀに戻ります)", true);
  if (!ChooseProfileFile(app)) {
    RemoveProfilePoints(app, pointCountBefore);
    s.ZEG = -s.ZEG;
    return RepeatLastCommand();
  }
  points::Store& p = app.points;
  const int first = RtWhole(app.job.FirstPointToSave);
  const int last = RtWhole(t.ProfilePointNumber);
  for (int n = first; n <= last; ++n) p.SelectionList(n - first) = static_cast<int16_t>(n);
  p.SelectionLast = last - first;
  OpenOutputFileFresh(app);
  WriteSelectedPoints(app);
  RtClose(1);
  ClearAllData(app);
  // The new job takes its lines from the profile points' attributes.
  RtKill(files::JobFilePath(app, ".SEN"));
  app.job.ConnectionFileFound = 0;
  app.profile.ProfileSetupPending = 1;
  app.profile.ProfileVerticalScale = 1000;
  app.profile.ProfileHorizontalScale = 1000;
  app.job.FileMenuChoice = 3;  // read as the job, from point 1
  return {LoadCoordinateFile};
}

void StartTraverse(App& app, const char* title, double cell) {
  app.traverse.ReverseTraverseLegCount = 0;
  app.output.ReportTitle = title;
  traverse::HighlightMenuCell(app, cell);
}

}  // namespace

Jump StartOpenReverseTraverse(App& app) {
  app.traverse.PolygonSectionMode = 0;
  AskReverseTraversePrintMode(app);
  return {RunOpenReverseTraverse};
}

Jump RunOpenReverseTraverse(App& app) {
  traverse::State& t = app.traverse;
  const double pointCountBefore = app.points.PointCount;
  for (;;) {
    StartTraverse(app, "開放逆ﾄﾗﾊﾞｰｽ", 4);
    InputBaseLineAB(app);
    t.CumulativeSlopeDistance = kTotalsOn;
    if (app.input.RawAnswer == "%") return RepeatLastCommand();
    if (t.PolygonSectionMode == 1) RegisterFirstProfilePoint(app);
    for (;;) {
      ReportTwoPointInverse(app);
      if (app.input.RawAnswer == "%") break;
      PrintContourCrossings(app);
      AdvanceStationAndReport(app);
    }
    FlushPendingReportLine(app);
    t.ReverseTraverseLegCount = 0;  // the held-back line is written once
    if (t.PolygonSectionMode != 1) {
      WritePageBreak();
      continue;
    }
    app.points.PointCount = t.ProfilePointNumber;
    app.settings.ZE = t.SavedZE;
    return EndPolygonSection(app, pointCountBefore);
  }
}

Jump RadiationReverseTraverse(App& app) {
  AskReverseTraversePrintMode(app);
  for (;;) {
    StartTraverse(app, "放射逆ﾄﾗﾊﾞｰｽ", 5);
    app.input.GuideNumber = kGuideBacksightPoint;
    ShowGuide(app);
    InputBaseLineAB(app);
    app.input.GuideNumber = kGuideStation;
    ShowGuide(app);
    if (app.input.RawAnswer == "%") return RepeatLastCommand();
    ReportTwoPointInverse(app);
    if (app.input.RawAnswer != "%") {
      PrintContourCrossings(app);
      AdvanceStationAndReport(app);
      for (;;) {
        ReportTwoPointInverse(app);
        if (app.input.RawAnswer == "%") break;
        PrintContourCrossings(app);
        PrintDirectionDistanceReport(app);
      }
    }
    WritePageBreak();
  }
}
