#include "traverse/field_book_observation.h"

#include <algorithm>
#include <cmath>
#include <string>

#include "core/app.h"
#include "core/columns.h"
#include "core/constants.h"
#include "core/numeric.h"
#include "core/point_names.h"
#include "core/sound.h"
#include "fieldbook/browser.h"
#include "points/registration.h"
#include "points/table.h"
#include "runtime/console.h"
#include "runtime/files.h"
#include "runtime/numtext.h"
#include "runtime/text.h"
#include "traverse/observation.h"
#include "traverse/record_parsing.h"
#include "traverse/report.h"

namespace {

using core::kPrintBuffer;

constexpr int kVertexLayer = 1;
enum ClosureColumn { kEa = 7, kDirection = 8, kDistance = 9, kScaledDistance = 10, kDx = 11, kDy = 12, kDz = 13,
                     kEx = 14, kEy = 15, kEz = 16 };

bool Simple(const App& app) { return app.traverse.CalculationPrintMode <= 1; }
bool ColumnOn(const App& app, int c) { return app.traverse.ReportColumnOn(c) == 1; }
int Width(const App& app, int c) { return std::max(RtWhole(app.traverse.ReportColumnWidth(c)), 0); }
std::string ValueColumn(const App& app, int c, double value) {
  return FormatDecimalsRight(value, Width(app, c) - 7, Width(app, c));
}
std::string CountColumn(const App& app, int c, double value) { return RtRight("     " + RtStr(value), Width(app, c)); }
double Millimetres(double rounded, double before) { return std::floor((rounded - before) * 1000 + 0.5); }

bool IsTurn(const App& app) { return app.traverse.FieldBookRecordKind == "T"; }
bool Closing(const App& app) { return app.traverse.TraverseInputKind >= 3; }

// Steps 3 to 8 of the adjustment pass: the angle correction of the leg, the
// sight, the compass-rule shares printed (or their columns appended) and added.
void AdjustLeg(App& app) {
  traverse::State& t = app.traverse;
  points::Store& p = app.points;
  const double applied = traverse::AppliedAngleCorrectionOf(p.LegDirection, t.AngleCorrectionShare);
  p.LegDirection += t.AngleCorrectionShare;
  const std::string appliedText = FormatAngleOf(app, applied);
  ComputeFromStation(app);
  double& azimuth = app.cogo.PolarAzimuth;
  while (azimuth >= 360) azimuth -= 360;
  while (azimuth < 0) azimuth += 360;
  const double dx = traverse::CompassShareOf(t.MisclosureX, t.CumulativeDistance, p.HorizontalDistance);
  const double dy = traverse::CompassShareOf(t.MisclosureY, t.CumulativeDistance, p.HorizontalDistance);
  const double dz = traverse::CompassShareOf(t.MisclosureZ, t.CumulativeDistance, p.HorizontalDistance);
  const bool heights = t.StationInstrumentHeight != 0;
  const double mmX = Millimetres(RoundCoordinate(app, p.WorkPointX + dx), RoundCoordinate(app, p.WorkPointX));
  const double mmY = Millimetres(RoundCoordinate(app, p.WorkPointY + dy), RoundCoordinate(app, p.WorkPointY));
  const double mmZ = Millimetres(RoundHeight(app, p.WorkPointZ + dz), RoundHeight(app, p.WorkPointZ));
  if (app.settings.ZD <= 2 && Simple(app)) {
    // Differences of rounded running sums, so that the printed shares add up to
    // the rounded misclosure.
    RtPrintToFile(kPrintBuffer,
                  RtFormatUsing("m=&         &  x=#######.###  y=#######.###",
                                {appliedText,
                                 RoundCoordinate(app, t.CorrectionSumX + dx) - RoundCoordinate(app, t.CorrectionSumX),
                                 RoundCoordinate(app, t.CorrectionSumY + dy) - RoundCoordinate(app, t.CorrectionSumY)}),
                  false);
    if (heights) {
      RtPrintToFile(kPrintBuffer,
                    RtFormatUsing("  z=#######.###", {RoundHeight(app, p.WorkPointZ + dz) - RoundHeight(app, p.WorkPointZ)}),
                    false);
    }
    RtPrintToFile(kPrintBuffer, "");
  } else if (!Simple(app)) {
    std::string& line = t.ReportLine;
    if (ColumnOn(app, kEa)) line += CountColumn(app, kEa, std::floor(-applied * 3600 + 0.5));
    if (ColumnOn(app, kDirection)) line += RtRight("      " + FormatAngleOf(app, azimuth), Width(app, kDirection));
    if (ColumnOn(app, kDistance)) line += ValueColumn(app, kDistance, RoundDistance(app, t.UnscaledHorizontalDistance));
    if (ColumnOn(app, kScaledDistance)) {
      line += ValueColumn(app, kScaledDistance, RoundDistance(app, p.HorizontalDistance));
    }
    if (ColumnOn(app, kDx)) {
      line += ValueColumn(app, kDx, RoundCoordinate(app, p.WorkPointX) - RoundCoordinate(app, p.FromPointX));
    }
    if (ColumnOn(app, kDy)) {
      line += ValueColumn(app, kDy, RoundCoordinate(app, p.WorkPointY) - RoundCoordinate(app, p.FromPointY));
    }
    if (ColumnOn(app, kDz)) {
      line += ValueColumn(app, kDz, RoundHeight(app, p.WorkPointZ) - RoundHeight(app, t.ObservationStationHeight));
    }
    if (ColumnOn(app, kEx)) line += CountColumn(app, kEx, mmX);
    if (ColumnOn(app, kEy)) line += CountColumn(app, kEy, mmY);
    if (ColumnOn(app, kEz)) line += CountColumn(app, kEz, mmZ);
  }
  t.CorrectionSumMmX += mmX;
  t.CorrectionSumMmY += mmY;
  t.CorrectionSumMmZ += mmZ;
  p.WorkPointX += dx;
  p.WorkPointY += dy;
  if (heights) {
    p.WorkPointZ = t.LastComputedHeight + dz;
    t.LastComputedHeight = p.WorkPointZ;
  }
  t.CumulativeAngleCorrection += t.AngleCorrectionShare;
  t.CorrectionSumX += dx;
  t.CorrectionSumY += dy;
}

void ReduceSight(App& app) {
  traverse::State& t = app.traverse;
  if (Closing(app) && IsTurn(app) && t.ClosurePass == 3) {
    AdjustLeg(app);
    return;
  }
  if (Closing(app) && IsTurn(app) && t.ClosurePass == 2) app.points.LegDirection += t.AngleCorrectionShare;
  ComputeFromStation(app);
}

// A connection vertex to the point just registered, when it is the highest
// point and no lower point bears its name. False when the line table is full.
bool AppendVertex(App& app) {
  const points::Store& p = app.points;
  cad::Lines& l = app.lines;
  const int n = RtWhole(p.CurrentPointNumber);
  if (n != RtWhole(p.PointCount)) return true;
  for (int i = 1; i < n; ++i) {
    if (p.PointName(i) == app.input.Answer) return true;
  }
  if (l.LineVertexCount + 1 > cad::kLineCapacity) return false;
  l.LineVertexCount += 1;
  const double k = l.LineVertexCount;
  l.LinePointNumber(k) = RtInt16(n);
  l.LinePointName(k) = app.input.Answer;
  l.LineType(k) = RtInt16(traverse::VertexLineTypeOf(p.PendingPointAttribute));
  l.LineLayer(k) = kVertexLayer;
  l.LineArc(k).clear();
  return true;
}

bool IsTieRecord(const App& app) {
  return Closing(app) && app.traverse.FieldBookRecordIndex == app.traverse.TieRecordIndex;
}

// False when the calculation had to end here.
bool Register(App& app) {
  traverse::State& t = app.traverse;
  points::Store& p = app.points;
  shell::Settings& s = app.settings;
  if (s.ZD == 5) return true;
  if (IsTieRecord(app)) {
    s.ZD = 1;
    if (Simple(app)) RtPrintToFile(kPrintBuffer, "     " + t.TiePointName, false);
    StorePoint(app);
    return true;
  }
  if (s.ZD == 1) {
    PrintLineAndDistance(app);
    return true;
  }
  const bool registering = t.CalculationKind == 1 || t.CalculationKind == 2;
  if (!registering) {
    PrintLineAndDistance(app);
    t.NewPointStartNumber = p.NextPointNumber;
    return true;
  }
  const double n = FirstFreePointFrom(app, t.NewPointStartNumber);
  if (n == 0) {
    traverse::StopCalculation(app, " 登録できる点番がありません。計算を終わります");
    return false;
  }
  p.StoredPointNumber = n;
  StorePointAt(app);
  // The closure undoes a refused block by these numbers only.
  if (t.ClosurePass == 3 && !IsFreePoint(app, RtWhole(n))) t.BlockPointNumbers.push_back(RtWhole(n));
  t.NewPointStartNumber = p.NextPointNumber;
  if (!AppendVertex(app)) {
    traverse::StopCalculation(app, " 結線データが一杯です。計算を終わります");
    return false;
  }
  return true;
}

// The sighted point becomes the next station.
void TurnToPoint(App& app) {
  traverse::State& t = app.traverse;
  points::Store& p = app.points;
  double azimuth = app.cogo.PolarAzimuth + 180;
  while (azimuth >= 360) azimuth -= 360;
  p.LegDirection = azimuth;
  p.FromPointX = p.WorkPointX;
  p.FromPointY = p.WorkPointY;
  t.ObservationStationHeight = t.StationPointZ = t.LastComputedHeight;
  t.ReportStationName = t.TargetPointName;
  const std::string& record = app.fieldbook.FieldBookRecord(RtWhole(t.FieldBookRecordIndex));
  app.fieldbook.ObservationInstrumentHeight = traverse::RecordFieldValue(columns::Columns(record, 45, 51));
  RtPrintStr("ﾀ-ﾝ  ", true);
  if (app.settings.ZD > 2 || IsTieRecord(app)) return;
  const bool heights = t.StationInstrumentHeight != 0;
  const std::string text =
      heights ? "ﾀ-ﾝ " + RtFormatUsing("  i=##.###", {app.fieldbook.ObservationInstrumentHeight}) : "ﾀ-ﾝ ";
  if (Simple(app)) {
    RtPrintToFile(kPrintBuffer, "");
    RtPrintToFile(kPrintBuffer, text, false);
  } else if (!ColumnOn(app, 0)) {
    RtPrintToFile(kPrintBuffer, text);
  }
}

}  // namespace

void traverse::StopCalculation(App& app, const std::string& message) {
  RtPrintStr(message, true);
  PlaySound(app, "chord.wav");
  app.traverse.FieldBookRecordIndex = app.traverse.FieldBookRecordLimit;
}

double traverse::AppliedAngleCorrectionOf(double azimuth, double share) {
  const auto whole = [](double a) { return DmsToDegreesWholeSeconds(DegreesToDms(a)); };
  return whole(azimuth + share) - whole(azimuth);
}

double traverse::CompassShareOf(double misclosure, double totalLength, double leg) {
  if (totalLength == 0) return 0;
  return misclosure / totalLength * leg;
}

int traverse::VertexLineTypeOf(const std::string& attribute) {
  if (attribute.empty()) return 9;
  return static_cast<int>(RtVal(attribute.substr(0, 1)));
}

void ProcessFieldBookObservation(App& app) {
  traverse::State& t = app.traverse;
  points::Store& p = app.points;
  ParseObservationRecord(app);
  t.TargetPointName = app.input.Answer;
  PrintObservationLine(app);
  ReduceSight(app);
  p.PendingPointX = p.WorkPointX;
  p.PendingPointY = p.WorkPointY;
  RtPrintStr(app.fieldbook.FieldBookRecord(RtWhole(t.FieldBookRecordIndex)), true);
  if (Register(app) && IsTurn(app)) TurnToPoint(app);
}
