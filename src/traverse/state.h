// Shared state of the traverse and observation reports that a new command resets.
#pragma once

#include <string>
#include <vector>

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
  // The number under which a calculation registers its next computed point
  // (the start number first).
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
  // The field-book calculation: its kind (1 continuous, 2 single, 3 manual),
  // what the last station or levelling menu chose (0 pass the records over to
  // the next station or run start; 1 compute; 2 ask a zero direction first;
  // for a levelling run 1, 1.1, 2, 3, 4), the choice the continuous kind keeps
  // for its levelling runs (0 none yet), the last record it walks, and 1 once
  // the print mode has been asked.
  double CalculationKind = 0;
  double RegistrationChoice = 0;
  double LevellingRegistrationChoice = 0;
  double FieldBookRecordLimit = 0;
  double PrintModeAsked = 0;
  // The name a point is looked up by in the point table.
  std::string LookupName;
  // What the start number of a calculation's points found: the first number
  // and the point count at that moment, so that the points can be undone.
  double RunFirstPointNumber = 0;
  double PointCountAtStart = 0;
  // The orientation at the end of a station's set-up, and the point a closed
  // traverse must close on (its station).
  double StationReferenceAzimuth = 0;
  double TiePointX = 0;
  double TiePointY = 0;
  double TiePointZ = 0;
  // The closure of a connecting or closed block: its pass (0 none, 1 angles, 2
  // distances, 3 adjustment), the angle share per turn (degrees), the
  // misclosures (known minus computed, rounded), the record of the tie point
  // and its name, and the sums the adjustment pass keeps.
  double ClosurePass = 0;
  double AngleCorrectionShare = 0;
  double MisclosureX = 0;
  double MisclosureY = 0;
  double MisclosureZ = 0;
  double TieRecordIndex = 0;
  std::string TiePointName;
  double CumulativeAngleCorrection = 0;
  double CorrectionSumX = 0;
  double CorrectionSumY = 0;
  double CorrectionSumMmX = 0;
  double CorrectionSumMmY = 0;
  double CorrectionSumMmZ = 0;
  // The levelling readings of the run in hand, and the run's own state.
  double StaffReading = 0;
  double CollimationHeight = 0;
  double PreviousLevelHeight = 0;
  double LevelDifference = 0;
  double MillimetreFactor = 1000;
  double EvenRoundingFactor = 500;
  double LevellingPassCounter = 0;
  double LevellingPass = 0;
  std::string LevellingRunLabel;
  // The held-back line of the open reverse traverse's column report: where its
  // angle column starts, the angle the next leg brings, and the line itself.
  double AngleColumnStart = 0;
  std::string PendingAngleText;
  std::string PendingReportLine;
  // The closure of a connecting or closed block, besides the values above:
  // the block's first record after its station, the turns counted (one less
  // for a closed traverse), the name of the closing back-sight point, the
  // direction of the first turn (a closed traverse's known closing direction),
  // the direction from the tie point to the closing back-sight point, and the
  // angular misclosure (known minus computed, degrees). For the undo of a
  // refused block: where its report began in the print buffer (bytes), the
  // number its adjustment pass started from and the numbers it registered,
  // and the counts of points, list
  // entries and connection vertices before that pass.
  double BlockFirstRecord = 0;
  double TurnCount = 0;
  std::string ClosingPointName;
  double FirstLegDirection = 0;
  double ClosingDirection = 0;
  double AngularMisclosure = 0;
  double BlockReportStart = 0;
  double BlockFirstNumber = 0;
  std::vector<int> BlockPointNumbers;
  double BlockPointCountBefore = 0;
  double BlockNewPointCountBefore = 0;
  double BlockLineVertexCountBefore = 0;
  // A levelling run: its route text, first and last records and the last of
  // its readings, the confirmed start height, whether it returns (1) and the
  // record after the back sight on the closing point, its fore sights, the
  // closing height reached or averaged and the one decided, the name looked up
  // for it, the observation book's sums, the differences and the adjustment of
  // the calculation book, the name of the book's line in hand, 1 once the
  // means of a round trip are summed, and what the calculation book carries
  // from point to point.
  std::string LevellingRouteName;
  double LevellingStartRecord = 0;
  double LevellingEndRecord = 0;
  double LevellingLastReading = 0;
  double LevellingStartHeight = 0;
  double ReturnRunFound = 0;
  double ReturnRunMark = 0;
  double ForeSightCount = 0;
  double ClosingHeight = 0;
  double DecidedClosingHeight = 0;
  std::string LevellingLookupName;
  double BackSightSum = 0;
  double ForeSightSum = 0;
  double RiseSum = 0;
  double FallSum = 0;
  double DistanceSum = 0;
  double ForwardRunDifference = 0;
  double ReturnRunDifference = 0;
  double KnownRouteDifference = 0;
  double ObservedRouteDifference = 0;
  double RouteMisclosure = 0;
  double SectionCount = 0;
  double CorrectionPerSection = 0;
  double AdjustedHeight = 0;
  std::string LevelledPointName;
  double MeanSumDone = 0;
  double PreviousForwardHeight = 0;
  double PreviousReturnHeight = 0;
  double StartReturnHeight = 0;
  double PreviousAdjustedHeight = 0;
};

}  // namespace traverse
