// Shared state of the longitudinal sections that other subsystems read.
#pragma once

#include <cstdint>
#include <string>

#include "runtime/table.h"

namespace profile {

struct State {
  double ProfileMode = 0;
  double ProfileVerticalScale = 1000;
  double ProfileHorizontalScale = 1000;
  // The item table of a section, rows 0 to 32.
  RtTable<std::string> ProfileItemName{32};
  RtTable<int16_t> ProfileRowItem{32};
  RtTable<int16_t> ProfileRowHeight{32};
  RtTable<int16_t> ProfileItemDigits{32};
};

}  // namespace profile
