// Shared state of the traverse and observation reports that a new command resets.
#pragma once

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
};

}  // namespace traverse
