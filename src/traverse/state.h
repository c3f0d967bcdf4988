// Shared state of the traverse and observation reports that a new command resets.
#pragma once

#include <string>

#include "runtime/table.h"

namespace traverse {

struct State {
  double CumulativeSlopeDistance = 0;
  double CumulativeDistance = 0;
  double TargetHeight = 0;
  double ReverseTraversePrintMode = 0;
  double CalculationPrintMode = 0;
  double TraverseInputKind = 0;
  double ObservationRunning = 0;
  double ZeroDirectionAngle = 0;
  // The leg of the last inverse. Its direction and distance are the point
  // store's LegDirection and HorizontalDistance (the orientation of a
  // station set-up too), the station's height its FromPointZ. BackDirection is
  // the direction of the previous leg (180: none, the included angle is then
  // the direction itself); IncludedAngle the angle at the station from the
  // back-sight clockwise to the leg, dd.mmss; the texts of both as printed; and
  // with ZE 3 the height difference, slope distance, vertical angle (dd.mmss)
  // and gradient (per cent, cut to 5 decimals).
  double BackDirection = 0;
  double IncludedAngle = 0;
  std::string FormattedDirection;
  std::string IncludedAngleText;
  double HeightDifference = 0;
  double InverseSlopeDistance = 0;
  double InverseVerticalAngle = 0;
  double InverseGradient = 0;
  // A station set-up without orientation (Epsilon: horizontal angles are
  // azimuths). The vertical reading of the sight in hand is the field book's
  // MeasuredVerticalAngle (Epsilon: none).
  double UnorientedStation = 0;
  // Where an empty command of the radial observation loop goes: 1 the traverse
  // observation loop, 2 the stake-out menu, 3 the traverse kinds menu, 4 the
  // coordinate calculations menu.
  double ObservationReturnMenu = 0;
  double DistancePromptFlag = 1;
  // The radial observation loop's last command, upper-cased; "*" registers the
  // last point again with a new target height.
  std::string ObservationCommand;
  // The report line being assembled column by column, and the report in progress.
  std::string ReportLine;
  double ReverseTraverseLegCount = 0;
  double PrintingReferencePoints = 0;
  // The field-book record being calculated and its observation.
  double FieldBookRecordIndex = 0;
  std::string FieldBookRecordKind;
  double UnscaledHorizontalDistance = 0;
  std::string TargetPointName;
  double StationPointZ = 0;
  // The report column table, rows 0 to 40: title, +1 shown / -1 hidden, width in bytes.
  RtTable<std::string> ReportColumnTitle{40};
  RtTable<double> ReportColumnOn{40};
  RtTable<double> ReportColumnWidth{40};
  // The first number of the points a calculation computes from a start number.
  double NewPointStartNumber = 0;
  // The observation set-up: the station's height used by the height
  // computations, the instrument height given at the set-up (0 switches heights
  // off for the whole run), the answer the back-sight question left (the
  // back-sight's name or the typed direction angle) for the station record.
  // Its instrument and target heights are the field book's, its orientation
  // the point store's LegDirection, its position the from-point.
  double ObservationStationHeight = 0;
  double StationInstrumentHeight = 0;
  std::string BacksightText;
  // The sight reduced last from a slope distance: its horizontal reading
  // (dd.mmss, which "*" takes again) and its computed height. Its azimuth is
  // the coordinate calculations' PolarAzimuth, its horizontal distance the
  // point store's HorizontalDistance.
  double LastHorizontalAngle = 0;
  double LastComputedHeight = 0;
  std::string DistanceText;
  // The name the last sight was registered or named under, and the instrument
  // height column a turning record carries for the next station.
  std::string StoredPointName;
  std::string NextInstrumentHeightText;
  // 1 once a sight of the present command has been registered, so that "*"
  // has a point to correct.
  double SightRegistered = 0;
  // 1 when the sight in hand got a height (from its vertical reading or its
  // height difference).
  double SightHeightComputed = 0;
  // The print fields of an observation line (its vertical reading is the
  // field book's ObservedVerticalAngle, its target height TargetHeight) and the
  // texts it made.
  double ObservedHorizontalAngle = 0;
  double SlopeDistance = 0;
  std::string VerticalLabel;
  std::string DistanceLabel;
  std::string HorizontalAngleText;
  // The polygon section of the coordinate transformations: 1 while the open
  // reverse traverse writes profile points, ZE as it was before it forced 3,
  // and the number of the last profile point written.
  double PolygonSectionMode = 0;
  double SavedZE = 0;
  double ProfilePointNumber = 0;
  // The mean earth radius of the last coordinate zone answered (metres; 0
  // until a zone has been answered).
  double ZoneEarthRadius = 0;
  // The kind of the traverse being calculated (1 open, 2 radiation, 3
  // connecting, 4 closed, 0 before any kind record), and the names of the
  // station record read last.
  double TraverseKind = 0;
  std::string ParsedStationName;
  std::string ParsedBacksightName;
  // The station's name in the first column of a calculation's sight line.
  std::string ReportStationName;
  // The held-back line of the open reverse traverse's column report: where its
  // angle column starts, the angle the next leg brings, and the line itself.
  double AngleColumnStart = 0;
  std::string PendingAngleText;
  std::string PendingReportLine;
};

}  // namespace traverse
