#include "runtime/clock.h"

#include <gtest/gtest.h>
#include <stdlib.h>
#include <time.h>

#include <cmath>
#include <limits>
#include <regex>
#include <string>

#include "runtime/errors.h"
#include "runtime/runtime.h"

namespace {

double MonotonicSeconds() {
  timespec now{};
  clock_gettime(CLOCK_MONOTONIC, &now);
  return now.tv_sec + now.tv_nsec * 1e-9;
}

class ClockTest : public ::testing::Test {
 protected:
  void SetUp() override { unsetenv("KRN_CLOCK"); }
  void TearDown() override { unsetenv("KRN_CLOCK"); }

  Runtime rt;
  RuntimeScope scope{rt};
};

TEST_F(ClockTest, FixedClockGivesEveryForm) {
  ASSERT_TRUE(rt::SetClock("2026-12-10T09:30:05"));
  EXPECT_EQ(RtDate(), "2026/12/10");
  EXPECT_EQ(RtFormatDate(""), "26/12/10");
  EXPECT_EQ(RtTime(), "09:30:05");
  EXPECT_EQ(RtTimerMs(), (9 * 3600 + 30 * 60 + 5) * 1000);
}

TEST_F(ClockTest, FormatPatterns) {
  ASSERT_TRUE(rt::SetClock("2007-03-04T00:00:00"));
  struct Case {
    const char* format;
    const char* expected;
  };
  const Case cases[] = {
      {"", "07/03/04"},           {"yy/mm/dd", "07/03/04"}, {"YYYY/MM/DD", "2007/03/04"},
      {"dd.mm.yyyy", "04.03.2007"}, {"yyy", "yyy"},         {"年mm月dd日", "年03月04日"},
      {"確mm楽yy", "確03楽07"},  // double-byte characters whose second byte is "m" or "y"
  };
  for (const Case& c : cases) EXPECT_EQ(RtFormatDate(c.format), c.expected) << c.format;
}

TEST_F(ClockTest, AcceptedAndRefusedClockTexts) {
  struct Case {
    const char* text;
    bool ok;
    const char* date;
    const char* time;
  };
  const Case cases[] = {
      {"2024-02-29T23:59:59", true, "2024/02/29", "23:59:59"},
      {"2024/02/29 12:00", true, "2024/02/29", "12:00:00"},
      {"2024-01-31", true, "2024/01/31", "00:00:00"},
      {"2023-02-29T00:00:00", false, "", ""},  // no leap day
      {"2024-13-01", false, "", ""},
      {"2024-01-01T24:00:00", false, "", ""},
      {"2024-01-01T10:60", false, "", ""},
      {"2024-01-01T10:00:00Z", false, "", ""},
      {"10:00:00", false, "", ""},
      {"2024-1-1", false, "", ""},
  };
  for (const Case& c : cases) {
    ASSERT_TRUE(rt::SetClock("2000-01-01T01:02:03"));
    EXPECT_EQ(rt::SetClock(c.text), c.ok) << c.text;
    if (c.ok) {
      EXPECT_EQ(RtDate(), c.date) << c.text;
      EXPECT_EQ(RtTime(), c.time) << c.text;
    } else {
      EXPECT_EQ(RtTime(), "01:02:03") << c.text << " must leave the clock alone";
    }
  }
}

TEST_F(ClockTest, HeadlessWaitAdvancesTheVirtualClockWithoutSleeping) {
  ASSERT_TRUE(rt::SetClock("2026-12-31T23:59:59"));
  const double before = MonotonicSeconds();
  RtWait(50);     // 0.5 s
  RtWait(0.25);   // 2.5 ms
  RtWait(49.75);  // 0.4975 s: one second in all
  EXPECT_LT(MonotonicSeconds() - before, 0.2);
  EXPECT_EQ(RtDate(), "2027/01/01");
  EXPECT_EQ(RtFormatDate(""), "27/01/01");
  EXPECT_EQ(RtTime(), "00:00:00");
  EXPECT_EQ(RtTimerMs(), 0);
  RtWait(1);
  EXPECT_EQ(RtTimerMs(), 10);
}

TEST_F(ClockTest, SettingTheClockForgetsEarlierPauses) {
  ASSERT_TRUE(rt::SetClock("2026-01-01T00:00:00"));
  RtWait(100);
  ASSERT_TRUE(rt::SetClock("2026-01-01T00:00:00"));
  EXPECT_EQ(RtTimerMs(), 0);
}

TEST_F(ClockTest, BadPausesAreIllegalArguments) {
  const double bad[] = {-1, std::nan(""), std::numeric_limits<double>::infinity(), 3e9};
  for (double n : bad) {
    try {
      RtWait(n);
      ADD_FAILURE() << n << " was accepted";
    } catch (const RtError& e) {
      EXPECT_EQ(e.number(), kErrIllegalArgument) << n;
    }
  }
  RtWait(0);
}

TEST(ClockEnvironment, KrnClockFixesTheStartOfAFreshRuntime) {
  setenv("KRN_CLOCK", "2026-12-10T09:30:00", 1);
  Runtime rt;
  RuntimeScope scope{rt};
  EXPECT_EQ(RtDate(), "2026/12/10");
  EXPECT_EQ(RtTime(), "09:30:00");
  RtWait(6000);
  EXPECT_EQ(RtTime(), "09:31:00");
  unsetenv("KRN_CLOCK");
}

TEST(ClockEnvironment, UnreadableKrnClockFallsBackToTheSystemClock) {
  setenv("KRN_CLOCK", "yesterday", 1);
  Runtime rt;
  RuntimeScope scope{rt};
  EXPECT_TRUE(std::regex_match(RtDate(), std::regex(R"(\d{4}/\d\d/\d\d)"))) << RtDate();
  unsetenv("KRN_CLOCK");
}

TEST(ClockHost, SystemClockFormsAndVirtualPauses) {
  unsetenv("KRN_CLOCK");
  Runtime rt;
  RuntimeScope scope{rt};
  EXPECT_TRUE(std::regex_match(RtDate(), std::regex(R"(\d{4}/\d\d/\d\d)"))) << RtDate();
  EXPECT_TRUE(std::regex_match(RtFormatDate(""), std::regex(R"(\d\d/\d\d/\d\d)")));
  EXPECT_TRUE(std::regex_match(RtTime(), std::regex(R"(\d\d:\d\d:\d\d)"))) << RtTime();
  const int32_t before = RtTimerMs();
  EXPECT_GE(before, 0);
  EXPECT_LT(before, 86400000);
  RtWait(30);  // 300 ms of virtual time on top of the host's clock
  const int32_t after = RtTimerMs();
  if (after > before) {
    EXPECT_GE(after - before, 300);  // unless midnight passed
  }
}

TEST(ClockHost, HostDateAgreesWithTheCLibrary) {
  unsetenv("KRN_CLOCK");
  Runtime rt;
  RuntimeScope scope{rt};
  auto libraryDate = [] {
    const time_t now = time(nullptr);
    tm local{};
    localtime_r(&now, &local);
    char text[32];
    strftime(text, sizeof text, "%Y/%m/%d", &local);
    return std::string(text);
  };
  const std::string before = libraryDate();
  const std::string ours = RtDate();
  const std::string after = libraryDate();
  EXPECT_TRUE(ours == before || ours == after) << ours;
}

TEST_F(ClockTest, CalendarCarriesOverMonthsYearsAndLeapDays) {
  constexpr double kOneDay = 8640000;  // in units of 10 ms
  struct Case {
    const char* start;
    const char* nextDay;
  };
  const Case cases[] = {
      {"1900-02-28", "1900/03/01"}, {"2000-02-28", "2000/02/29"}, {"2000-02-29", "2000/03/01"},
      {"2100-02-28", "2100/03/01"}, {"2024-02-28", "2024/02/29"}, {"2023-12-31", "2024/01/01"},
      {"1969-12-31", "1970/01/01"}, {"0001-01-01", "0001/01/02"}, {"9999-12-30", "9999/12/31"},
      {"2026-04-30", "2026/05/01"}, {"1600-02-29", "1600/03/01"},
  };
  for (const Case& c : cases) {
    ASSERT_TRUE(rt::SetClock(c.start)) << c.start;
    RtWait(kOneDay);
    EXPECT_EQ(RtDate(), c.nextDay) << c.start;
    EXPECT_EQ(RtTime(), "00:00:00") << c.start;
  }
}

}  // namespace
