// Test helper: which run-time error an action raises.
#pragma once

#include <functional>

#include "runtime/errors.h"

// The number of the run-time error `action` raises, 0 when it raises none.
inline int RaisedError(const std::function<void()>& action) {
  try {
    action();
  } catch (const RtError& e) {
    return e.number();
  }
  return 0;
}
