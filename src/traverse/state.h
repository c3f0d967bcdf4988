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
  double DistancePromptFlag = 1;
  // The sight in hand: its vertical circle reading as typed (dd.mmss; 90 + VV
  // when none was typed) and its reduced horizontal distance.
  double VerticalReading = 90;
  double ReducedDistance = 0;
  // The radial observation loop's last command, upper-cased; "*" registers the
  // last point again with a new target height.
  std::string ObservationCommand;
  // The report line being assembled column by column, and the report in progress.
  std::string ReportLine;
  double ReverseTraverseLegCount = 0;
  double TraverseMenuChoice = 0;
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
};

}  // namespace traverse
