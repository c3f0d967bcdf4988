#include "runtime/clock.h"

#include <time.h>

#include <cctype>
#include <cerrno>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <optional>

#include "runtime/clock_state.h"
#include "runtime/desktop.h"
#include "runtime/desktop_hooks.h"
#include "runtime/errors.h"
#include "runtime/events.h"
#include "runtime/runtime.h"
#include "runtime/text.h"

// Calendar arithmetic is done here on plain integers: the standard <chrono> header
// of our compiler cannot be compiled with the CP932 execution character set.

namespace {

constexpr int64_t kMsPerDay = 86400000;
// The longest pause accepted, in units of 10 ms (the 32-bit limit).
constexpr double kMaxWaitUnits = 2147483647.0;

struct CivilTime {
  int year = 1970, month = 1, day = 1, hour = 0, minute = 0, second = 0, millisecond = 0;
};

bool IsLeapYear(int64_t y) { return (y % 4 == 0 && y % 100 != 0) || y % 400 == 0; }

int DaysInMonth(int64_t y, int m) {
  static constexpr int kDays[] = {31, 28, 31, 30, 31, 30, 31, 31, 30, 31, 30, 31};
  return m == 2 && IsLeapYear(y) ? 29 : kDays[m - 1];
}

// Days from 1970-01-01 to the given date of the proleptic Gregorian calendar,
// counted through 400-year eras that begin on 1 March.
int64_t DaysFromCivil(int64_t y, int m, int d) {
  y -= m <= 2;
  const int64_t era = (y >= 0 ? y : y - 399) / 400;
  const int64_t yearOfEra = y - era * 400;
  const int64_t dayOfYear = (153 * (m > 2 ? m - 3 : m + 9) + 2) / 5 + d - 1;
  const int64_t dayOfEra = yearOfEra * 365 + yearOfEra / 4 - yearOfEra / 100 + dayOfYear;
  return era * 146097 + dayOfEra - 719468;
}

CivilTime CivilFromMs(int64_t ms) {
  int64_t days = ms / kMsPerDay;
  int64_t inDay = ms % kMsPerDay;
  if (inDay < 0) {
    inDay += kMsPerDay;
    --days;
  }
  const int64_t z = days + 719468;
  const int64_t era = (z >= 0 ? z : z - 146096) / 146097;
  const int64_t dayOfEra = z - era * 146097;
  const int64_t yearOfEra = (dayOfEra - dayOfEra / 1460 + dayOfEra / 36524 - dayOfEra / 146096) / 365;
  const int64_t dayOfYear = dayOfEra - (365 * yearOfEra + yearOfEra / 4 - yearOfEra / 100);
  const int64_t mp = (5 * dayOfYear + 2) / 153;
  CivilTime t;
  t.day = static_cast<int>(dayOfYear - (153 * mp + 2) / 5 + 1);
  t.month = static_cast<int>(mp < 10 ? mp + 3 : mp - 9);
  t.year = static_cast<int>(yearOfEra + era * 400 + (t.month <= 2));
  t.hour = static_cast<int>(inDay / 3600000);
  t.minute = static_cast<int>(inDay / 60000 % 60);
  t.second = static_cast<int>(inDay / 1000 % 60);
  t.millisecond = static_cast<int>(inDay % 1000);
  return t;
}

int64_t MsFromCivil(const CivilTime& t) {
  return DaysFromCivil(t.year, t.month, t.day) * kMsPerDay +
         ((t.hour * 60 + t.minute) * 60 + t.second) * int64_t{1000} + t.millisecond;
}

int64_t MonotonicMs() {
  timespec now{};
  clock_gettime(CLOCK_MONOTONIC, &now);
  return int64_t{now.tv_sec} * 1000 + now.tv_nsec / 1000000;
}

int64_t HostLocalMs() {
  timespec now{};
  clock_gettime(CLOCK_REALTIME, &now);
  tm local{};
  localtime_r(&now.tv_sec, &local);
  CivilTime t;
  t.year = local.tm_year + 1900;
  t.month = local.tm_mon + 1;
  t.day = local.tm_mday;
  t.hour = local.tm_hour;
  t.minute = local.tm_min;
  t.second = local.tm_sec > 59 ? 59 : local.tm_sec;  // a leap second
  t.millisecond = static_cast<int>(now.tv_nsec / 1000000);
  return MsFromCivil(t);
}

// Reads `digits` decimal digits at `pos`, moving `pos` past them.
std::optional<int> ReadNumber(std::string_view text, size_t& pos, size_t digits) {
  if (pos + digits > text.size()) return std::nullopt;
  int value = 0;
  for (size_t i = 0; i < digits; ++i) {
    const char c = text[pos + i];
    if (!std::isdigit(static_cast<unsigned char>(c))) return std::nullopt;
    value = value * 10 + (c - '0');
  }
  pos += digits;
  return value;
}

bool Expect(std::string_view text, size_t& pos, std::string_view allowed) {
  if (pos >= text.size() || allowed.find(text[pos]) == std::string_view::npos) return false;
  ++pos;
  return true;
}

// "YYYY-MM-DD[(T| )hh:mm[:ss]]", "/" also allowed between the date's parts.
std::optional<CivilTime> ParseLocalTime(std::string_view text) {
  size_t pos = 0;
  CivilTime t;
  const auto y = ReadNumber(text, pos, 4);
  if (!y || !Expect(text, pos, "-/")) return std::nullopt;
  const auto mo = ReadNumber(text, pos, 2);
  if (!mo || !Expect(text, pos, "-/")) return std::nullopt;
  const auto d = ReadNumber(text, pos, 2);
  if (!d) return std::nullopt;
  if (pos < text.size()) {
    if (!Expect(text, pos, "T ")) return std::nullopt;
    const auto h = ReadNumber(text, pos, 2);
    if (!h || !Expect(text, pos, ":")) return std::nullopt;
    const auto mi = ReadNumber(text, pos, 2);
    if (!mi) return std::nullopt;
    t.hour = *h;
    t.minute = *mi;
    if (pos < text.size()) {
      const auto s = Expect(text, pos, ":") ? ReadNumber(text, pos, 2) : std::nullopt;
      if (!s) return std::nullopt;
      t.second = *s;
    }
  }
  t.year = *y;
  t.month = *mo;
  t.day = *d;
  const bool valid = pos == text.size() && t.year >= 1 && t.month >= 1 && t.month <= 12 &&
                     t.day >= 1 && t.day <= DaysInMonth(t.year, t.month) && t.hour <= 23 &&
                     t.minute <= 59 && t.second <= 59;
  if (!valid) return std::nullopt;
  return t;
}

void Fix(ClockState& clock, std::optional<CivilTime> start) {
  clock.fixed = start.has_value();
  clock.fixedStartMs = start ? MsFromCivil(*start) : 0;
  clock.fixedAtMs = MonotonicMs();
  clock.virtualElapsedUs = 0;
  clock.environmentRead = true;
}

ClockState& Clock() {
  ClockState& clock = *CurrentRuntime().clock;
  if (!clock.environmentRead) {
    clock.environmentRead = true;
    if (const char* fixed = std::getenv("KRN_CLOCK"); fixed && *fixed) {
      if (const auto start = ParseLocalTime(fixed)) {
        Fix(clock, start);
      } else {
        std::fprintf(stderr, "KRN_CLOCK=\"%s\" is not a time like 2026-12-10T09:30:00; "
                     "using the system clock\n", fixed);
      }
    }
  }
  return clock;
}

CivilTime Now() {
  const ClockState& clock = Clock();
  int64_t ms;
  if (!clock.fixed) {
    ms = HostLocalMs();
  } else if (CurrentRuntime().headless) {
    ms = clock.fixedStartMs;
  } else {
    ms = clock.fixedStartMs + (MonotonicMs() - clock.fixedAtMs);
  }
  return CivilFromMs(ms + clock.virtualElapsedUs / 1000);
}

std::string TwoDigits(int value) {
  char text[8];
  std::snprintf(text, sizeof text, "%02d", value % 100);
  return text;
}

char Lower(char c) { return static_cast<char>(std::tolower(static_cast<unsigned char>(c))); }

// Length of the run of one letter (either case) that starts at `pos`; a
// double-byte character counts as a run of its own.
size_t RunLength(std::string_view text, size_t pos) {
  if (rt::IsLeadByte(static_cast<unsigned char>(text[pos]))) return pos + 1 < text.size() ? 2 : 1;
  size_t end = pos;
  while (end < text.size() && Lower(text[end]) == Lower(text[pos])) ++end;
  return end - pos;
}

void SleepMicroseconds(int64_t us) {
  timespec left{static_cast<time_t>(us / 1000000), static_cast<long>(us % 1000000 * 1000)};
  while (nanosleep(&left, &left) != 0 && errno == EINTR) {
  }
}

}  // namespace

std::string RtDate() {
  const CivilTime now = Now();
  char text[24];
  std::snprintf(text, sizeof text, "%04d/%02d/%02d", now.year, now.month, now.day);
  return text;
}

std::string RtFormatDate(std::string_view format) {
  if (format.empty()) format = "yy/mm/dd";
  const CivilTime now = Now();
  std::string out;
  for (size_t pos = 0; pos < format.size();) {
    const char c = Lower(format[pos]);
    const size_t run = RunLength(format, pos);
    if (c == 'y' && run == 4) {
      out += TwoDigits(now.year / 100) + TwoDigits(now.year);
    } else if ((c == 'y' || c == 'm' || c == 'd') && run == 2) {
      out += TwoDigits(c == 'y' ? now.year : c == 'm' ? now.month : now.day);
    } else {
      out.append(format.substr(pos, run));
    }
    pos += run;
  }
  return out;
}

std::string RtTime() {
  const CivilTime now = Now();
  char text[24];
  std::snprintf(text, sizeof text, "%02d:%02d:%02d", now.hour, now.minute, now.second);
  return text;
}

int32_t RtTimerMs() {
  const CivilTime now = Now();
  return ((now.hour * 60 + now.minute) * 60 + now.second) * 1000 + now.millisecond;
}

void RtWait(double n) {
  if (!std::isfinite(n) || n < 0 || n > kMaxWaitUnits) RtRaise(kErrIllegalArgument);
  const int64_t pauseUs = std::llround(n * 10000.0);
  if (CurrentRuntime().headless) {
    Clock().virtualElapsedUs += pauseUs;
  } else if (rt::DesktopActive()) {
    rt::DesktopWait(pauseUs);  // the windows stay drawn and take input meanwhile
  } else {
    SleepMicroseconds(pauseUs);
  }
  // A pause is a step boundary: events that arrived meanwhile are delivered now.
  RtDoEvents();
}

bool rt::SetClock(std::string_view localTime) {
  if (localTime.empty()) {
    Fix(*CurrentRuntime().clock, std::nullopt);
    return true;
  }
  const auto start = ParseLocalTime(localTime);
  if (!start) return false;
  Fix(*CurrentRuntime().clock, start);
  return true;
}
