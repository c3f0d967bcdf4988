// Date, time of day and pauses. Local time. Headless use never sleeps: a pause
// moves a virtual clock on instead, which the time functions include. On the
// desktop a pause really waits, while the windows stay drawn and take input. The
// environment variable KRN_CLOCK ("2026-12-10T09:30:00") fixes the starting time so
// that scripted runs see repeatable dates.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>

// Today as "YYYY/MM/DD".
std::string RtDate();
// Today in a pattern of "yyyy", "yy", "mm" and "dd" (either case) with any other
// characters copied; an empty pattern gives "yy/mm/dd".
std::string RtFormatDate(std::string_view format);
// The time of day as "hh:mm:ss" (24-hour).
std::string RtTime();
// Milliseconds since midnight.
int32_t RtTimerMs();
// Pauses n x 10 ms (fractions allowed). A negative, huge or non-numeric n is error 5.
void RtWait(double n);

namespace rt {

// Fixes the clock of the current runtime at a local time "YYYY-MM-DDThh:mm:ss"
// (also with a blank for "T", "/" between the date's parts, without seconds or
// without the time) and forgets earlier pauses. An empty text goes back to the
// host's clock. Returns false, changing nothing, when the text is no valid time.
bool SetClock(std::string_view localTime);

}  // namespace rt
