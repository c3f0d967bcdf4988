#include "core/numeric.h"

#include <gtest/gtest.h>

#include <cmath>
#include <functional>
#include <string>

#include "core/app.h"
#include "runtime/errors.h"
#include "runtime/numtext.h"
#include "support/raised_error.h"

namespace {


// ---------------------------------------------------------------------------
// dd.mmss

struct DmsCase {
  double (*convert)(double);
  double x;
  const char* guardedText;  // number text of 10000 + |x| + guard
  double result;
};

constexpr double kDmsGuard = 2.000000026702864e-10;
constexpr double kWholeSecondsGuard = 1.9999999494757503e-05;

TEST(DmsToDegrees, ReadsMinutesAndSecondsFromTheNumberText) {
  const DmsCase cases[] = {
      {DmsToDegrees, 12.3456, " 10012.3456000002", 12.582222222234677},
      {DmsToDegrees, 12.3456789, " 10012.3456789002", 12.582441388901518},
      {DmsToDegrees, -12.3456, " 10012.3456000002", -12.582222222234677},
      {DmsToDegrees, 12.0456, " 10012.0456000002", 12.082222222234668},
      {DmsToDegreesWholeSeconds, 12.3456789, " 10012.3456989", 12.582222222234677},
      {DmsToDegreesWholeSeconds, 12.34568, " 10012.3457", 12.582500000012677},
      {DmsToDegreesWholeSeconds, 12.59598, " 10012.596", 13.000000000013353},
      {DmsToDegrees, 0, " 10000.0000000002", 0},
  };
  for (const auto& c : cases) {
    const double guard = c.convert == DmsToDegrees ? kDmsGuard : kWholeSecondsGuard;
    EXPECT_EQ(RtStr(10000 + std::fabs(c.x) + guard), c.guardedText) << c.x;
    EXPECT_EQ(c.convert(c.x), c.result) << c.x;
  }
}

TEST(DmsToDegrees, IsOddInItsArgument) {
  for (double x : {0.0, 12.3456, 12.3456789, 0.0001, 359.5959, 45.0}) {
    EXPECT_EQ(DmsToDegrees(-x), -DmsToDegrees(x)) << x;
    EXPECT_EQ(DmsToDegreesWholeSeconds(-x), -DmsToDegreesWholeSeconds(x)) << x;
  }
  EXPECT_EQ(DmsToDegreesWholeSeconds(0), 0);
}

TEST(DmsToDegreesWholeSeconds, CountsAFractionOfPointEightSecondAsOneMore) {
  EXPECT_EQ(DmsToDegreesWholeSeconds(12.34567), DmsToDegreesWholeSeconds(12.3456));  // 56
  EXPECT_EQ(DmsToDegreesWholeSeconds(12.34568), 12.582500000012677);                 // 57
}

TEST(DmsToDegrees, ReadsBeyondFiveIntegerDigits) {
  // 10000 + x has six integer digits: the fields still follow the point.
  EXPECT_NEAR(DmsToDegrees(123456.3), 123456.5, 1e-9);
  EXPECT_NEAR(DmsToDegrees(-95000.4530), -95000.7583333333, 1e-9);
  // From 10^15 on the number text has no decimals: whole degrees.
  EXPECT_EQ(DmsToDegrees(1e16), 1e16);
  EXPECT_EQ(DmsToDegreesWholeSeconds(-1e16), -1e16);
}

struct ValueCase {
  double x;
  double result;
};

TEST(DegreesToDms, KeepsTheFractionOfTheSeconds) {
  const ValueCase cases[] = {
      {12.5, 12.3},
      {-12.5, -12.3},
      {12.582222222234677, 12.34560000005316},
      {0, 0},
  };
  for (const auto& c : cases) EXPECT_EQ(DegreesToDms(c.x), c.result) << c.x;
}

TEST(DegreesToDms, ReturnsToTheAngleThroughDmsToDegrees) {
  EXPECT_NEAR(DmsToDegrees(DegreesToDms(12.582222222234677)), 12.582222222234677, 1e-10);
}

// ---------------------------------------------------------------------------
// Trigonometry

TEST(Trigonometry, UsesTheProgramsPi) {
  EXPECT_EQ(SinDegrees(30), 0.49999999999999956);
  EXPECT_EQ(CosDegrees(90), 1.6155445744325867e-15);
  const double tan90 = TanDegrees(90);
  EXPECT_TRUE(std::isfinite(tan90));
  EXPECT_NEAR(tan90, 6.19e14, 0.005e14);
}

TEST(ArcCosDegrees, KeepsTheDivisorAwayFromZero) {
  EXPECT_EQ(ArcCosDegrees(1), 0.0001811851709807856);
  EXPECT_NEAR(ArcCosDegrees(-1), 179.999818814829, 5e-13);
  EXPECT_EQ(ArcCosDegrees(0), 90);
  EXPECT_EQ(ArcCosDegrees(0.5), 60.00000000016537);
  EXPECT_NEAR(ArcCosDegrees(2), 40.8933946490836, 5e-14);
}

TEST(ArcCosDegrees, RaisesDivisionByZeroWhereTheSquareMeetsTheConstant) {
  ASSERT_EQ(1.000000000005 * 1.000000000005, 1.00000000001);
  EXPECT_EQ(RaisedError([] { ArcCosDegrees(1.000000000005); }), kErrDivisionByZero);
  EXPECT_EQ(RaisedError([] { ArcCosDegrees(-1.000000000005); }), kErrDivisionByZero);
}

// ---------------------------------------------------------------------------
// Rounding

TEST(Rounding, SendsHalvesAwayFromZeroAtTheSettingsStep) {
  App app;  // every factor 1000
  using Rounder = double (*)(const App&, double);
  const Rounder rounders[] = {RoundDistance, RoundRouteValue, RoundCoordinate, RoundHeight};
  const ValueCase cases[] = {
      {1.2345, 1.235}, {-1.2345, -1.235}, {1.2344, 1.234}, {1.23449995, 1.235}, {0, 0},
  };
  for (Rounder round : rounders) {
    for (const auto& c : cases) EXPECT_EQ(round(app, c.x), c.result) << c.x;
  }
}

TEST(Rounding, ReadsItsFactorAtEveryCall) {
  App app;
  app.settings.T = 10;
  app.route.DistanceRounding = 100;
  app.settings.TN = 100;
  app.settings.TZ = 10;
  EXPECT_EQ(RoundDistance(app, 1.25), 1.3);
  EXPECT_EQ(RoundRouteValue(app, 1.255), 1.26);
  EXPECT_EQ(RoundCoordinate(app, -1.255), -1.26);
  EXPECT_EQ(RoundHeight(app, -1.25), -1.3);
  app.settings.TN = 1000;
  EXPECT_EQ(RoundCoordinate(app, -1.2555), -1.256);
}

TEST(Rounding, RaisesDivisionByZeroForAFactorOfZero) {
  App app;
  app.settings.TN = 0;
  app.settings.T = 0;
  EXPECT_EQ(RaisedError([&] { RoundCoordinate(app, 1.5); }), kErrDivisionByZero);
  EXPECT_EQ(RaisedError([&] { RoundDistance(app, 0); }), kErrDivisionByZero);
}

TEST(Rounding, FixedSteps) {
  EXPECT_EQ(RoundTo4Decimals(1.23445), 1.2345);
  EXPECT_EQ(RoundTo4Decimals(-1.23445), -1.2345);
  EXPECT_EQ(RoundTo6Decimals(-0.0000005), 0);
  EXPECT_EQ(RoundTo6Decimals(0.0000005), 0.000001);
  EXPECT_EQ(RoundTo6Decimals(-0.0000006), -0.000001);
  EXPECT_EQ(RoundTo6Decimals(-0.0000004), 0);
}

// ---------------------------------------------------------------------------
// Fixed-decimal text

struct TextCase {
  std::string text;
  const char* expected;
};

TEST(FormatDecimals, WritesSignDigitsPointAndDecimals) {
  const TextCase cases[] = {
      {FormatDecimals(12.3456, 3), " 12.346"},
      {FormatDecimals(-1.23456, 3), "-1.235"},
      {FormatDecimals(-0.0004, 3), "-0.000"},
      {FormatDecimals(0, 2), " 0.00"},
      {FormatDecimals(99.95, 1), " 100.0"},
      {FormatDecimals(974.995, 2), " 974.99"},  // 50 + 974.995 lies just below 1024.995
      {FormatDecimals(12.6, 0), " 13."},
      {FormatDecimalsRight(12.3456, 3, 10), "    12.346"},
      {FormatDecimalsRight(-123.456, 3, 7), "123.456"},
      {FormatDecimalsRight(1.5, 2, 30), "                1.50"},
      {Format4Decimals(12.34565), " 12.3457"},
      {Format9Decimals(-3.5), "-3.500000000"},
      {Format9Decimals(0.1234567891), " 0.123456789"},
      // A carry from the decimals reaches the integer part.
      {FormatDecimals(12.9996, 3), " 13.000"},
      {Format3Decimals(12.0456), " 12.046"},
      {Format3Decimals(-1234567.8916), "-1234567.892"},
      {FormatDecimals(2.345, 2.5), " 2.345"},  // a count is rounded half away from zero
  };
  for (const auto& c : cases) EXPECT_EQ(c.text, c.expected);
  EXPECT_EQ(FormatDecimalsRight(1.5, 2, 30).size(), 20u);
}

TEST(FormatDecimals, WritesPlainDigitsFromTenToTheFifteenthOn) {
  EXPECT_EQ(Format9Decimals(999950), " 999950.000000000");  // k reaches 10^15
  EXPECT_EQ(Format9Decimals(-1234567.5), "-1234567.500000000");
  // From 2^53 on the scaled number has lost digits: |x| itself is rounded.
  EXPECT_EQ(FormatDecimals(1e15, 3), " 1000000000000000.000");
  EXPECT_EQ(Format9Decimals(10000000.25), " 10000000.250000000");
  EXPECT_EQ(FormatDecimals(-1e20, 0), "-100000000000000000000.");
  EXPECT_EQ(FormatDecimals(1e300, 2).size(), 1u + 301u + 3u);
}

TEST(FormatDecimals, RejectsCountsItCannotWrite) {
  EXPECT_EQ(RaisedError([] { FormatDecimals(1, -1); }), kErrIllegalArgument);
  EXPECT_EQ(RaisedError([] { FormatDecimals(1, 21); }), kErrIllegalArgument);
  EXPECT_EQ(RaisedError([] { FormatDecimalsRight(1, 2, -1); }), kErrIllegalArgument);
  EXPECT_EQ(RaisedError([] { FormatDecimals(INFINITY, 2); }), kErrOverflow);
  EXPECT_EQ(RaisedError([] { FormatDecimals(NAN, 2); }), kErrIllegalArgument);
  EXPECT_EQ(FormatDecimalsRight(1.5, 2, 0), "");
}

// ---------------------------------------------------------------------------
// Rotation

TEST(Rotation, TurnsByADmsAngle) {
  EXPECT_EQ(RotateX(1, 0, 30), 0.8660254037844389);
  EXPECT_EQ(RotateY(1, 0, 30), 0.49999999999999956);
  EXPECT_EQ(RotateX(3, 4, 90), -3.999999999999995);
  EXPECT_EQ(RotateY(3, 4, 90), 3.0000000000000067);
}

// ---------------------------------------------------------------------------
// Angle text

struct AngleCase {
  double angle;
  const char* text;
};

TEST(FormatAngle, WritesDegreesMinutesAndCutSeconds) {
  const AngleCase cases[] = {
      {12.5, "   12-30-00"},
      {-12.5, " - 12-30-00"},
      {0, "    0-00-00"},
      {-5.5, "  - 5-30-00"},
      {-123.25, "- 123-15-00"},
      {12.582222222234677, "   12-34-56"},
      {10.015805555555556, "   10-00-56"},
      {-10.015805555555556, " - 10-00-57"},
      {59.99999999, "   60-00-00"},
      {-0.0001, "  - 0-00-00"},
      {1234.5, " 1234-30-00"},
      {-1234.5, " 1234-30-00"},
      {12345.5, "12345-30-00"},
      {123456.5, "23456-30-00"},
  };
  App app;
  for (const auto& c : cases) {
    app.numbers.AngleToFormat = c.angle;
    FormatAngle(app);
    EXPECT_EQ(app.numbers.FormattedAngle, c.text) << c.angle;
    EXPECT_EQ(app.numbers.FormattedAngle.size(), 11u);
    EXPECT_EQ(app.numbers.AngleToFormat, c.angle);
  }
}

}  // namespace
