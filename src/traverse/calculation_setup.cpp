#include "traverse/calculation_setup.h"

#include <string>

#include "core/app.h"
#include "core/constants.h"
#include "points/geometry.h"
#include "points/point_input.h"
#include "runtime/console.h"
#include "runtime/files.h"
#include "traverse/inverse_report.h"
#include "traverse/record_parsing.h"
#include "traverse/report.h"
#include "traverse/report_columns.h"
#include "traverse/station_setup.h"

namespace {

using core::kPrintBuffer;

// The back-sight text of a cross-section block: every reading is an azimuth.
constexpr std::string_view kCrossSectionBacksight = "ｵｳﾀﾞﾝ   ";

bool Simple(const App& app) { return app.traverse.CalculationPrintMode <= 1; }
bool Printing(const App& app) { return app.settings.ZD <= 2; }

// A reference-section label into the report: its own line in the simple mode,
// left open for the point's line in the column modes.
void PrintReferenceLabel(App& app, const std::string& label) {
  if (Printing(app)) RtPrintToFile(kPrintBuffer, label, Simple(app));
}

void TakeAsTiePoint(App& app, double x, double y, double z) {
  traverse::State& t = app.traverse;
  if (t.TraverseInputKind != 4) return;
  t.TiePointX = x;
  t.TiePointY = y;
  t.TiePointZ = z;
}

// The station found by its name.
void TakeStationFound(App& app) {
  points::Store& p = app.points;
  traverse::State& t = app.traverse;
  p.WorkPointY = p.CurrentPointNumber;
  ShowSelectedPoint(app);
  LoadCurrentPoint(app);
  p.FromPointX = p.WorkPointX;
  p.FromPointY = p.WorkPointY;
  t.ObservationStationHeight = p.FromPointZ = p.DesignatedPointZ;
  p.FromPointName = t.ReportStationName = app.input.Answer;
  TakeAsTiePoint(app, p.FromPointX, p.FromPointY, p.DesignatedPointZ);
  RestoreWorkPoint(app);
}

// The station designated by hand; false when the designation was abandoned.
// The designated station names the report's station column and, for a closed
// traverse, is the tie point, as a station found by name would be.
bool TakeStationDesignated(App& app) {
  points::Store& p = app.points;
  traverse::State& t = app.traverse;
  RtPrintStr(" ｱﾘﾏｾﾝ ", true);
  InputFromPoint(app);
  if (app.input.RawAnswer == "%") return false;
  t.ObservationStationHeight = p.DesignatedPointZ;
  p.StationInputMode = p.PointInputMode;
  t.ReportStationName = p.FromPointName;
  TakeAsTiePoint(app, p.FromPointX, p.FromPointY, p.DesignatedPointZ);
  return true;
}

void OrientOnBacksight(App& app) {
  points::Store& p = app.points;
  traverse::State& t = app.traverse;
  p.WorkPointZ = 0;
  t.BackDirection = 180;
  PrintReferenceLabel(app, "ﾊﾞｯｸ点  ");
  RtPrintStr("ﾊﾞｯｸ=" + t.ParsedBacksightName, true);
  t.LookupName = t.ParsedBacksightName;
  FindPointByName(app);
  if (p.CurrentPointNumber == 0) {
    RtPrintStr(" ｱﾘﾏｾﾝ ", true);
    app.input.RawAnswer = "%";
    ReportTwoPointInverse(app);
    InputBacksightAngle(app);
    return;
  }
  p.WorkPointY = p.CurrentPointNumber;
  ShowSelectedPoint(app);
  LoadCurrentPoint(app);
  PrintInverseReport(app);
  p.WorkPointZ = 0;
}

}  // namespace

void PassBlockOver(App& app) {
  RtPrintStr(" 基準点がないので、このﾌﾞﾛｯｸは計算しません", true);
  app.traverse.RegistrationChoice = 0;
}

void SetUpCalculationReport(App& app) {
  points::Store& p = app.points;
  traverse::State& t = app.traverse;
  p.PointInputMode = 0;
  p.StationInputMode = 0;
  t.ObservationRunning = 1;
  if (Printing(app)) {
    if (t.FieldBookRecordIndex != 1) RtPrintToFile(kPrintBuffer, "_");
    if (t.PrintModeAsked == 0) {
      t.PrintModeAsked = 1;
      AskCalculationPrintMode(app);
    }
    t.PrintingReferencePoints = 1;
    PrintReferenceLabel(app, "基準点  ");
  }
  RtPrintStr("ｷｼﾞｭﾝﾃﾝ=" + t.ParsedStationName, true);
  t.LookupName = t.ParsedStationName;
  FindPointByName(app);
  t.ParsedStationName = t.LookupName;
  if (p.CurrentPointNumber != 0) {
    TakeStationFound(app);
  } else if (!TakeStationDesignated(app)) {
    if (Printing(app)) RtPrintToFile(kPrintBuffer, "");
    PassBlockOver(app);
    t.ObservationRunning = 0;
    t.PrintingReferencePoints = 0;
    return;
  }
  t.StationPointZ = t.ObservationStationHeight;
  p.StationPointNumber = p.CurrentPointNumber;
  if (t.StationInstrumentHeight != 0) {
    InputStationHeight(app);
    t.StationPointZ = t.ObservationStationHeight;
  }
  p.LegDirection = 0;
  t.UnorientedStation = 0;
  if (t.ParsedBacksightName == kCrossSectionBacksight) {
    t.UnorientedStation = app.shell.Epsilon;
  } else {
    OrientOnBacksight(app);
  }
  PrintCalculationStationHeader(app);
}

void PrintCalculationStationHeader(App& app) {
  traverse::State& t = app.traverse;
  if (Printing(app)) {
    if (Simple(app)) {
      RtPrintToFile(kPrintBuffer, "");
    } else {
      RtPrintToFile(kPrintBuffer, "       ", false);
    }
  }
  PrintStationHeader(app);
  if (t.CalculationPrintMode >= 2 && t.TraverseInputKind != 3 && app.settings.ZD != 5) {
    RtPrintToFile(kPrintBuffer, app.output.ReportHeaderLine);
  }
  t.ObservationRunning = 0;
  t.PrintingReferencePoints = 0;
  t.StationReferenceAzimuth = app.points.LegDirection;
}
