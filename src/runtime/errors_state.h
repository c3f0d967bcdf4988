#pragma once

#include <source_location>

#include "runtime/errors.h"

struct ErrorState {
  int number = 0;
  std::source_location where{};
  RtErrorTrap trap;
  bool trapRunning = false;
};
