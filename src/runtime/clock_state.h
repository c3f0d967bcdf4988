#pragma once

#include <cstdint>

// The program's clock: the host's local time, or a local time fixed by KRN_CLOCK or
// rt::SetClock, plus the time that headless pauses let pass without sleeping.
// Local times are counted in milliseconds from 1970-01-01 00:00 of the local calendar.
struct ClockState {
  // Set when the clock was fixed at fixedStartMs; otherwise the host's clock runs.
  bool fixed = false;
  int64_t fixedStartMs = 0;
  // When it was fixed (monotonic ms): outside headless use a fixed clock runs on.
  int64_t fixedAtMs = 0;
  // Time that headless RtWait let pass instead of sleeping.
  int64_t virtualElapsedUs = 0;
  // KRN_CLOCK is read once, at the first look at the clock.
  bool environmentRead = false;
};
