// Shared state of the longitudinal sections that other subsystems read.
#pragma once

namespace profile {

struct State {
  double ProfileMode = 0;
  double ProfileVerticalScale = 1000;
  double ProfileHorizontalScale = 1000;
};

}  // namespace profile
