// Shared state of the field book that other subsystems read or reset.
#pragma once

#include <string>

#include "core/constants.h"
#include "runtime/table.h"

namespace fieldbook {

struct State {
  double FieldBookMode = 0;  // 0 traverse, 1 level, 2 level with distance
  double FieldBookCount = 0;  // the last record of the book; 0 = empty
  // 1: every point registered after the radial observation has been used also
  // logs its observation in the book (at the record of its own number).
  double ZJ = 0;
  // The sight in hand: slope distance (metres), vertical and horizontal readings
  // (dd.mmss) and the target height, which is the staff reading of a level sight.
  double MeasuredDistance = 0;
  double MeasuredVerticalAngle = 0;
  double MeasuredHorizontalAngle = 0;
  double ObservationTargetHeight = 0;
  // Its values as the fixed-width column texts of the records.
  std::string DistanceColumn;
  std::string VerticalColumn;
  std::string HorizontalColumn;
  std::string ObservationHeightField;
  // Attribute column of the field book, indexed like the point numbers.
  RtTable<std::string> FieldBookAttribute{core::kPointCapacity};
  // The 44-column observation records, and the last record of an instrument.
  RtTable<std::string> FieldBookRecord{core::kPointCapacity};
  RtTable<std::string> RecordBuffer{1};
  double ForwardIntersectionActive = 0;
  double SightInstrumentHeight = 0;
  std::string VerticalAnswerText;
  double SightTargetHeight = 0;

  // The working state SaveWorkingState keeps while the instrument station
  // stands in as the from-point: the work point, the leg and its included
  // angle, the slope of A-B, the from-point, the heights, the back direction
  // and the construction points B and C (its Y).
  double KeptWorkPointX = 0;
  double KeptWorkPointY = 0;
  double KeptWorkPointZ = 0;
  double KeptIncludedAngle = 0;
  double KeptSecondLineSlope = 0;
  double KeptDirectionToWorkPoint = 0;
  double KeptDistanceToWorkPoint = 0;
  double KeptFromPointX = 0;
  double KeptFromPointY = 0;
  double KeptFromPointZ = 0;
  double KeptDesignatedPointZ = 0;
  double KeptBackDirection = 0;
  double KeptSecondLineEndX = 0;
  double KeptSecondLineEndY = 0;
  double KeptFirstLineStartY = 0;
};

}  // namespace fieldbook
