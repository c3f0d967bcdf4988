#include "traverse/closure.h"

#include <algorithm>
#include <cmath>
#include <string>
#include <vector>

#include "core/app.h"
#include "core/columns.h"
#include "core/constants.h"
#include "core/numeric.h"
#include "core/point_names.h"
#include "core/sound.h"
#include "files/result.h"
#include "points/geometry.h"
#include "points/point_input.h"
#include "points/point_list_line.h"
#include "runtime/console.h"
#include "runtime/files.h"
#include "runtime/numtext.h"
#include "runtime/text.h"
#include "traverse/calculation_setup.h"
#include "traverse/field_book_observation.h"
#include "traverse/record_parsing.h"
#include "ui/input.h"

namespace {

using core::kPrintBuffer;

constexpr int kGuideAccept = 42;
// The passes that compute without printing or registering.
constexpr double kSilent = 5;
enum ClosingColumn { kStation = 0, kInstrument = 1, kTarget = 2, kTargetHeight = 3, kReading = 4, kSlope = 5,
                     kVertical = 6, kCorrection = 7, kDirection = 8 };

bool Simple(const App& app) { return app.traverse.CalculationPrintMode <= 1; }
bool Connecting(const App& app) { return app.traverse.TraverseInputKind == 3; }
bool ColumnOn(const App& app, int c) { return app.traverse.ReportColumnOn(c) == 1; }
int Width(const App& app, int c) { return std::max(RtWhole(app.traverse.ReportColumnWidth(c)), 0); }
bool Heights(const App& app) { return app.traverse.StationInstrumentHeight != 0; }

// A sight record ("'" or "T") at the cursor.
bool SightAtCursor(App& app) {
  GetRecordTypeChar(app);
  return app.traverse.FieldBookRecordKind == "'" || app.traverse.FieldBookRecordKind == "T";
}

// The angle correction of the last station: one more share on the sum the
// adjustment pass applied, each taken through dd.mmss.
double LastStationCorrection(const App& app) {
  const traverse::State& t = app.traverse;
  const auto dms = [](double a) { return DmsToDegrees(DegreesToDms(a)); };
  return dms(t.CumulativeAngleCorrection + t.AngleCorrectionShare) - dms(t.CumulativeAngleCorrection);
}

// Pass 1: the records of the block as observed, the turns counted, the names
// of the tie and closing points and the first turn's direction taken. Returns
// the direction of the last sight, the computed closing direction; the cursor
// stays on the block's last record.
double WalkAsObserved(App& app) {
  traverse::State& t = app.traverse;
  double computed = 0;
  while (t.FieldBookRecordIndex + 1 <= t.FieldBookRecordLimit) {
    t.FieldBookRecordIndex += 1;
    if (!SightAtCursor(app)) {
      t.FieldBookRecordIndex -= 1;
      break;
    }
    const bool turn = t.FieldBookRecordKind == "T";
    if (turn) t.TurnCount += 1;
    ProcessFieldBookObservation(app);
    t.TiePointName = t.ClosingPointName;
    t.ClosingPointName = t.TargetPointName;
    // Only the first turn's own direction: side shots before the second turn
    // would otherwise stand in for a closed traverse's closing direction.
    if (turn && t.TurnCount == 1) t.FirstLegDirection = app.cogo.PolarAzimuth;
    computed = app.cogo.PolarAzimuth;
  }
  return computed;
}

// A label of the reference section: its own line in the simple report, left
// open for the point's line in the column report.
void PrintReferenceLabel(App& app, const std::string& label) {
  RtPrintToFile(kPrintBuffer, label, Simple(app));
}

// A reference point of a connecting traverse by its name into the work point
// (coordinates and height rounded when `rounded`) and its line into the
// report; a name not in the table is designated by hand. False when the
// designation was abandoned.
bool TakeReferencePoint(App& app, const std::string& name, bool rounded) {
  traverse::State& t = app.traverse;
  points::Store& p = app.points;
  t.LookupName = name;
  FindPointByName(app);
  if (p.CurrentPointNumber != 0) {
    const int n = RtWhole(p.CurrentPointNumber);
    p.WorkPointX = rounded ? RoundCoordinate(app, p.PointX(n)) : p.PointX(n);
    p.WorkPointY = rounded ? RoundCoordinate(app, p.PointY(n)) : p.PointY(n);
    p.WorkPointZ = rounded ? RoundHeight(app, p.PointZ(n)) : p.PointZ(n);
    app.input.Answer = p.PointName(n);
    CheckPointListMode(app);
    return true;
  }
  RtPrintStr(name + " は、ありません", true);
  t.ObservationRunning = 1;
  InputExistingPoint(app);
  t.ObservationRunning = 0;
  if (app.input.RawAnswer == "%") return false;
  // The designated point is listed as one found by its name would be.
  CheckPointListMode(app);
  return true;
}

// Steps 4 to 9: the tie point, the closing back-sight point and the direction
// between them. False when one of them was not designated.
bool TakeConnectingReferences(App& app) {
  traverse::State& t = app.traverse;
  points::Store& p = app.points;
  t.PrintingReferencePoints = 1;
  PrintReferenceLabel(app, "結合点  ");
  if (!TakeReferencePoint(app, t.TiePointName, true)) return false;
  t.TiePointX = p.WorkPointX;
  t.TiePointY = p.WorkPointY;
  t.TiePointZ = p.WorkPointZ;
  p.FromPointX = t.TiePointX;
  p.FromPointY = t.TiePointY;
  PrintReferenceLabel(app, "ﾊﾞｯｸ点  ");
  if (!TakeReferencePoint(app, t.ClosingPointName, false)) return false;
  ComputeDirectionAndDistance(app);
  t.ClosingDirection = p.LegDirection;
  const std::string direction = FormatAngleOf(app, t.ClosingDirection);
  if (Simple(app)) {
    RtPrintToFile(kPrintBuffer, "");
    RtPrintToFile(kPrintBuffer, RtFormatUsing("               A=&         &", {direction}));
  } else {
    RtPrintToFile(kPrintBuffer, RtFormatUsing("                      A=&         &", {direction}));
  }
  t.PrintingReferencePoints = 0;
  if (!Simple(app)) RtPrintToFile(kPrintBuffer, app.output.ReportHeaderLine);
  return true;
}

// The start station set up again for a further pass, with its own instrument
// height.
void SetUpStationAgain(App& app) {
  app.traverse.FieldBookRecordIndex = app.traverse.BlockFirstRecord;
  SetUpCalculationReport(app);
  app.fieldbook.ObservationInstrumentHeight = app.traverse.StationInstrumentHeight;
}

// The records from the block's first to the tie record. False when the
// calculation had to end on the way (no number or line left).
bool WalkToTie(App& app, bool sumLegs) {
  traverse::State& t = app.traverse;
  for (double i = t.BlockFirstRecord; i <= t.TieRecordIndex; ++i) {
    t.FieldBookRecordIndex = i;
    GetRecordTypeChar(app);
    ProcessFieldBookObservation(app);
    if (t.FieldBookRecordIndex != i) return false;
    if (sumLegs && t.FieldBookRecordKind == "T") t.CumulativeDistance += app.points.HorizontalDistance;
  }
  t.FieldBookRecordIndex = t.TieRecordIndex + 1;
  return true;
}

// The text of a column of the closing line, cut or filled to its width.
std::string BlankColumn(const App& app, int c, int most) { return std::string(std::min(Width(app, c), most), ' '); }
std::string AngleColumn(App& app, int c, double degrees) {
  return columns::RightAlign("      " + FormatAngleOf(app, degrees), Width(app, c));
}

// Steps 17 to 20: the closing sight from the tie point to the closing
// back-sight point.
void PrintClosingLine(App& app) {
  traverse::State& t = app.traverse;
  ParseObservationRecord(app);
  const double correction = LastStationCorrection(app);
  const double reading = DmsToDegrees(app.fieldbook.MeasuredHorizontalAngle);
  if (Simple(app)) {
    RtPrintToFile(kPrintBuffer, "");
    if (Connecting(app)) {
      RtPrintToFile(kPrintBuffer, RtFormatUsing("m=&         &", {FormatAngleOf(app, correction)}), false);
    } else {
      RtPrintToFile(kPrintBuffer, std::string(13, ' '), false);
    }
    RtPrintToFile(kPrintBuffer, "  h=" + FormatAngleOf(app, reading));
    RtPrintToFile(kPrintBuffer, "     " + t.ClosingPointName);
    return;
  }
  std::string& line = t.ReportLine;
  line.clear();
  if (ColumnOn(app, kStation)) line += columns::PadTo(RtTrim(t.ReportStationName), Width(app, kStation));
  if (ColumnOn(app, kInstrument)) line += BlankColumn(app, kInstrument, 7);
  if (ColumnOn(app, kTarget)) {
    line += "  " + columns::PadTo(RtTrim(t.ClosingPointName), std::max(Width(app, kTarget) - 2, 0));
  }
  if (ColumnOn(app, kTargetHeight)) line += BlankColumn(app, kTargetHeight, 7);
  if (ColumnOn(app, kReading)) line += AngleColumn(app, kReading, reading);
  if (ColumnOn(app, kSlope)) line += BlankColumn(app, kSlope, 12);
  if (ColumnOn(app, kVertical)) line += BlankColumn(app, kVertical, 12);
  if (ColumnOn(app, kCorrection)) {
    line += Connecting(app) ? columns::RightAlign("     " + RtStr(std::floor(-correction * 3600 + 0.5)),
                                                  Width(app, kCorrection))
                            : BlankColumn(app, kCorrection, 7);
  }
  if (ColumnOn(app, kDirection)) {
    line += AngleColumn(app, kDirection, Connecting(app) ? t.ClosingDirection : t.StationReferenceAzimuth);
  }
  RtPrintToFile(kPrintBuffer, line);
}

// Steps 21 to 23: the summary in the main window (the tie point minus its
// computed position) and in the report (the printed corrections, summed, sign
// reversed).
void PrintSummaries(App& app) {
  const traverse::State& t = app.traverse;
  const bool closed = !Connecting(app);
  const std::string dm = FormatAngleOf(app, -t.AngularMisclosure);
  const std::string label = closed ? "     n" : "   n-1";
  const double count = closed ? t.TurnCount : t.TurnCount - 1;
  const double length = RoundCoordinate(app, t.CumulativeDistance);
  const double window = std::sqrt(t.MisclosureX * t.MisclosureX + t.MisclosureY * t.MisclosureY);
  RtPrintStr("", true);
  RtPrintStr(RtFormatUsing("     n=###  dm=&         &", {t.TurnCount, dm}), true);
  RtPrintStr(RtFormatUsing("&    &=###  dx=######.###  dy=######.###  誤差＝#####.######",
                           {label, count, t.MisclosureX, t.MisclosureY, window}),
             true);
  if (Heights(app)) RtPrintStr(RtFormatUsing("            dz=######.###", {t.MisclosureZ}), true);
  RtPrintStr(RtFormatUsing("  総距離＝######.###", {t.CumulativeDistance}) + "       精度＝1/" +
                 traverse::PrecisionRatioText(length, window),
             true);
  const double printed = std::sqrt(t.CorrectionSumMmX * t.CorrectionSumMmX + t.CorrectionSumMmY * t.CorrectionSumMmY);
  RtPrintToFile(kPrintBuffer, "");
  RtPrintToFile(kPrintBuffer, RtFormatUsing("     n=###   dm=&         &", {t.TurnCount, dm}));
  RtPrintToFile(kPrintBuffer, RtFormatUsing("&    &=###   dx=######.###   dy=######.###   誤差＝######.#####",
                                            {label, count, -t.CorrectionSumMmX / 1000, -t.CorrectionSumMmY / 1000,
                                             printed / 1000}));
  if (Heights(app)) {
    RtPrintToFile(kPrintBuffer, RtFormatUsing("             dz=######.###", {-t.CorrectionSumMmZ / 1000}));
  }
  RtPrintToFile(kPrintBuffer, RtFormatUsing("  総距離＝######.###", {t.CumulativeDistance}) + "       精度＝1/" +
                                  traverse::PrecisionRatioText(length, printed / 1000));
}

// The print buffer cut back to its first `bytes` bytes (whole lines).
void CutPrintBufferTo(App& app, double bytes) {
  const std::vector<std::string> lines = files::PrintBufferLines(app);
  ResetPrintBuffer(app);
  double kept = 0;
  for (const std::string& line : lines) {
    kept += static_cast<double>(line.size()) + 2;
    if (kept > bytes) break;
    RtPrintToFile(kPrintBuffer, line);
  }
}

// "N": the points the adjustment pass registered are freed, the connection
// vertices and list entries added since are taken out, and the block's part of
// the report with them. Earlier blocks keep their points and report.
void DiscardBlock(App& app) {
  traverse::State& t = app.traverse;
  points::Store& p = app.points;
  cad::Lines& l = app.lines;
  for (const int n : t.BlockPointNumbers) {
    p.PointName(n) = DefaultPointName(n);
    p.PointX(n) = 0;
    p.PointY(n) = 0;
    p.PointZ(n) = 0;
    p.PointAttribute(n).clear();
  }
  t.BlockPointNumbers.clear();
  for (double i = t.BlockLineVertexCountBefore + 1; i <= l.LineVertexCount; ++i) {
    l.LinePointName(i).clear();
    l.LinePointNumber(i) = 0;
    l.LineType(i) = 0;
    l.LineLayer(i) = 0;
    l.LineArc(i).clear();
  }
  l.LineVertexCount = std::min(l.LineVertexCount, t.BlockLineVertexCountBefore);
  p.NewPointCount = std::min(p.NewPointCount, t.BlockNewPointCountBefore);
  p.PointCount = std::min(p.PointCount, t.BlockPointCountBefore);
  CutPrintBufferTo(app, t.BlockReportStart);
  RtPrintStr(" 破棄しました", true);
}

// Steps 24 and 25. True when the block was discarded.
bool AskAcceptance(App& app) {
  RtPrintStr(" 結果ＯＫ [Y,N]Y", false);
  app.input.GuideNumber = kGuideAccept;
  InputPointName(app);
  if (RtUcase(app.input.Answer) != "N") return false;
  DiscardBlock(app);
  // The next block takes the freed numbers again.
  app.traverse.NewPointStartNumber = app.traverse.BlockFirstNumber;
  return true;
}

// The block cannot be closed: the user is told why, nothing is registered and
// the walk goes on after the block.
void RefuseBlock(App& app, const std::string& message) {
  RtPrintStr(message, true);
  PlaySound(app, "chord.wav");
}

// The ZD of the adjustment pass: print-only stays print-only, anything else
// prints and registers.
double AdjustmentZD(double userZD) { return userZD == 1 ? 1 : 2; }

// The closure after pass 1; false when the block was not closed.
bool CloseBlock(App& app, double computedClosing, double firstNewNumber, double userZD) {
  traverse::State& t = app.traverse;
  points::Store& p = app.points;
  shell::Settings& s = app.settings;
  const double last = t.FieldBookRecordIndex;
  t.TieRecordIndex = last - 1;
  if (!Connecting(app)) t.TurnCount -= 1;
  if (t.TurnCount < 1 || t.TieRecordIndex < t.BlockFirstRecord) {
    RefuseBlock(app, " 折点がないので、このﾌﾞﾛｯｸは閉合計算しません");
    return false;
  }
  double known = t.FirstLegDirection;
  s.ZD = 2;
  if (Connecting(app)) {
    if (!TakeConnectingReferences(app)) {
      RtPrintToFile(kPrintBuffer, "");
      RefuseBlock(app, " 結合点がないので、このﾌﾞﾛｯｸは閉合計算しません");
      return false;
    }
    known = t.ClosingDirection;
  }
  s.ZD = kSilent;
  t.AngularMisclosure = traverse::AngularMisclosureOf(known, computedClosing);
  t.AngleCorrectionShare = t.AngularMisclosure / t.TurnCount;

  t.ClosurePass = 2;
  SetUpStationAgain(app);
  WalkToTie(app, true);
  t.MisclosureX = RoundCoordinate(app, t.TiePointX - p.WorkPointX);
  t.MisclosureY = RoundCoordinate(app, t.TiePointY - p.WorkPointY);
  t.MisclosureZ = RoundHeight(app, t.TiePointZ - p.WorkPointZ);
  if (t.CumulativeDistance == 0 && (t.MisclosureX != 0 || t.MisclosureY != 0)) {
    RtPrintStr(" 総距離が0なので、座標の補正はしません", true);
  }

  SetUpStationAgain(app);
  t.ClosurePass = 3;
  t.NewPointStartNumber = firstNewNumber;
  s.ZD = AdjustmentZD(userZD);
  t.CumulativeAngleCorrection = t.CorrectionSumX = t.CorrectionSumY = 0;
  if (!Heights(app)) t.MisclosureZ = 0;
  t.CorrectionSumMmX = t.CorrectionSumMmY = t.CorrectionSumMmZ = 0;
  if (p.PointCount != t.PointCountAtStart) t.NewPointStartNumber = p.PointCount + 1;
  t.BlockPointNumbers.clear();
  t.BlockFirstNumber = t.NewPointStartNumber;
  t.BlockPointCountBefore = p.PointCount;
  t.BlockNewPointCountBefore = p.NewPointCount;
  t.BlockLineVertexCountBefore = app.lines.LineVertexCount;
  // A calculation ended on the way keeps the points so far and asks nothing.
  if (!WalkToTie(app, false)) return false;

  PrintClosingLine(app);
  PrintSummaries(app);
  t.ClosurePass = 0;
  AskAcceptance(app);
  return true;
}

}  // namespace

double traverse::AngularMisclosureOf(double known, double computed) {
  double m = known - computed;
  while (m > 180) m -= 360;
  while (m < -180) m += 360;
  return m;
}

std::string traverse::PrecisionRatioText(double length, double misclosure) {
  if (misclosure == 0) return " ∞ ";
  return RtStr(std::floor(length / misclosure)) + " ";
}

void ComputeFieldBookClosure(App& app) {
  traverse::State& t = app.traverse;
  shell::Settings& s = app.settings;
  if (t.TraverseInputKind < 3) return;
  const double userZD = s.ZD == kSilent ? 2 : s.ZD;
  t.BlockFirstRecord = t.FieldBookRecordIndex + 1;
  t.TurnCount = t.AngleCorrectionShare = t.CumulativeDistance = 0;
  app.points.HorizontalDistance = 0;
  t.MisclosureZ = 0;
  t.ClosurePass = 1;
  const double firstNewNumber = t.NewPointStartNumber;
  s.ZD = kSilent;
  const double computed = WalkAsObserved(app);
  const double last = t.FieldBookRecordIndex;
  CloseBlock(app, computed, firstNewNumber, userZD);
  // Whatever happened, the walk goes on after the block.
  if (t.FieldBookRecordIndex < last) t.FieldBookRecordIndex = last;
  t.ClosurePass = 0;
  s.ZD = userZD;
  t.PointCountAtStart = app.points.PointCount;
  t.RunFirstPointNumber = t.NewPointStartNumber;
}
