// Shared state of the field book that other subsystems read or reset.
#pragma once

#include <string>

#include "core/constants.h"
#include "runtime/table.h"

namespace fieldbook {

struct State {
  double FieldBookMode = 0;  // 0 traverse, 1 level, 2 level with distance
  // Attribute column of the field book, indexed like the point numbers.
  RtTable<std::string> FieldBookAttribute{core::kPointCapacity};
  // The 44-column observation records, and the last record of an instrument.
  RtTable<std::string> FieldBookRecord{core::kPointCapacity};
  RtTable<std::string> RecordBuffer{1};
  double ForwardIntersectionActive = 0;
  double SightInstrumentHeight = 0;
  std::string VerticalAnswerText;
  double SightTargetHeight = 0;
};

}  // namespace fieldbook
