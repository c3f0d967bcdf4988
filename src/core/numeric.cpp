#include "core/numeric.h"

#include <charconv>
#include <cmath>
#include <cstdint>
#include <string_view>

#include "core/app.h"
#include "runtime/errors.h"
#include "runtime/numtext.h"
#include "runtime/text.h"

namespace {

// Guards and factors that are single-precision values widened to double.
constexpr double kDmsGuard = double(2e-10f);
constexpr double kWholeSecondsGuard = double(0.00002f);
constexpr double kSecondsPlace = double(0.006f);
constexpr double kNegativeAngleGuard = double(0.00005f);
constexpr double kPositiveAngleGuard = double(1e-7f);
static_assert(kDmsGuard == 2.000000026702864e-10);
static_assert(kWholeSecondsGuard == 1.9999999494757503e-05);
static_assert(kSecondsPlace == 0.006000000052154064);
static_assert(kNegativeAngleGuard == 4.999999873689376e-05);
static_assert(kPositiveAngleGuard == 1.0000000116860974e-07);

// Decimal multipliers of the dd.mmss reading (not exact 1/60, 1/3600, 1/3600000).
constexpr double kPerMinute = 0.016666666666667;
constexpr double kPerThousandthSecond = 2.77777778e-07;
constexpr double kPerSecond = 0.000277777778;

constexpr double kRoundingGuard = 1e-7;
constexpr double kArcCosOne = 1.00000000001;
constexpr int kMaxDecimals = 20;  // 50 × 10^n stays exact up to here

double Sgn(double x) { return x > 0 ? 1 : (x < 0 ? -1 : 0); }

// `count` decimal digits of text from position `from` (0-based) read as an
// integer; digits missing at the end of the text count as 0.
int DigitField(std::string_view text, size_t from, int count) {
  int value = 0;
  for (int i = 0; i < count; ++i) {
    const size_t at = from + static_cast<size_t>(i);
    const char c = at < text.size() ? text[at] : '0';
    value = value * 10 + (c >= '0' && c <= '9' ? c - '0' : 0);
  }
  return value;
}

// Minutes and a seconds field read from the number text of 10000 + |x| + guard.
struct DmsFields {
  int minutes = 0;
  int seconds = 0;
};

// The fields stand right after the point. A text without a point (a whole
// number) or in the exponent form holds no minutes and seconds.
DmsFields ReadDmsFields(double guarded, int secondsDigits) {
  const std::string text = RtStr(guarded);
  const size_t point = text.find('.');
  if (point == std::string::npos || text.find('D') != std::string::npos) return {};
  return {DigitField(text, point + 1, 2), DigitField(text, point + 3, secondsDigits)};
}

double DmsToDegreesWith(double x, double guard, int secondsDigits, double perSecondsUnit) {
  const double a = std::fabs(x);
  const DmsFields f = ReadDmsFields(10000 + a + guard, secondsDigits);
  return Sgn(x) * (std::floor(a) + f.minutes * kPerMinute + f.seconds * perSecondsUnit);
}

// INT((x + SGN(x) × guard) × f + 0.5) / f.
double RoundToStep(double x, double f, double guard) {
  if (f == 0) RtRaise(kErrDivisionByZero);
  return RtDivide(std::floor((x + Sgn(x) * guard) * f + 0.5), f);
}

// A count argument (decimals, width): rounded half away from zero, never negative.
int Count(double n) {
  const int count = RtWhole(n);
  if (count < 0) RtRaise(kErrIllegalArgument);
  return count;
}

// Whole numbers from here on are no longer all exact in a double.
constexpr double kExactWholeLimit = 9007199254740992.0;  // 2^53

// 10^n, exact for the counts allowed (n <= 22).
double PowerOfTen(int n) {
  double p = 1;
  for (int i = 0; i < n; ++i) p *= 10;
  return p;
}

// Subtracts 50 from the digit string digits[0, length) of value 50 or more.
void SubtractFifty(char* digits, size_t length) {
  int borrow = 5;
  for (size_t i = length - 1; borrow != 0 && i-- > 0;) {
    int d = digits[i] - '0' - borrow;
    borrow = d < 0 ? 1 : 0;
    if (d < 0) d += 10;
    digits[i] = static_cast<char>('0' + d);
  }
}

}  // namespace

double DmsToDegreesWholeSeconds(double x) {
  return DmsToDegreesWith(x, kWholeSecondsGuard, 2, kPerSecond);
}

double DmsToDegrees(double x) { return DmsToDegreesWith(x, kDmsGuard, 5, kPerThousandthSecond); }

double DegreesToDms(double x) {
  const double a = std::fabs(x);
  const double d = std::floor(a);
  const double f = (a - d) * 60;
  const double m = std::floor(f);
  return Sgn(x) * (d + m / 100 + (f - m) * kSecondsPlace);
}

double SinDegrees(double x) { return std::sin(x * Pi / 180); }
double CosDegrees(double x) { return std::cos(x * Pi / 180); }
double TanDegrees(double x) { return std::tan(x * Pi / 180); }

double ArcCosDegrees(double x) {
  const double divisor = std::sqrt(std::fabs(kArcCosOne - x * x));
  return (Pi / 2 - std::atan(RtDivide(x, divisor))) * 180 / Pi;
}

double RoundToFactor(double x, double k) { return RoundToStep(x, k, kRoundingGuard); }

double RoundDistance(const App& app, double x) {
  return RoundToStep(x, app.settings.T, kRoundingGuard);
}
double RoundRouteValue(const App& app, double x) {
  return RoundToStep(x, app.route.DistanceRounding, kRoundingGuard);
}
double RoundCoordinate(const App& app, double x) {
  return RoundToStep(x, app.settings.TN, kRoundingGuard);
}
double RoundHeight(const App& app, double x) {
  return RoundToStep(x, app.settings.TZ, kRoundingGuard);
}
double RoundTo4Decimals(double x) { return RoundToStep(x, 10000, kRoundingGuard); }
double RoundTo6Decimals(double x) { return RoundToStep(x, 1000000, 0); }

std::string FormatDecimals(double x, double n) {
  const int decimals = Count(n);
  if (decimals > kMaxDecimals || std::isnan(x)) RtRaise(kErrIllegalArgument);
  if (std::isinf(x)) RtRaise(kErrOverflow);
  const char sign = x < 0 ? '-' : ' ';  // as the number text of x begins
  const double k = std::floor((50 + std::fabs(x)) * PowerOfTen(decimals) + 0.5);
  if (k >= kExactWholeLimit) {
    // The scaled number has lost digits: write |x| itself, rounded to n decimals.
    return sign + rt::RoundedFixed(x, decimals) + (decimals == 0 ? "." : "");
  }
  // The digits of k, at least n + 2 of them (k >= 50 x 10^n); 50 off the whole
  // part, whose leading zeros go.
  char digits[24];
  const auto written = std::to_chars(digits, digits + sizeof digits, static_cast<uint64_t>(k));
  const auto integerLength = static_cast<size_t>(written.ptr - digits) - static_cast<size_t>(decimals);
  SubtractFifty(digits, integerLength);
  size_t first = 0;
  while (first + 1 < integerLength && digits[first] == '0') ++first;
  std::string text(1, sign);
  text.append(digits + first, integerLength - first);
  text += '.';
  text.append(digits + integerLength, static_cast<size_t>(decimals));
  return text;
}

std::string FormatDecimalsRight(double x, double n, double w) {
  return RtRight(std::string(15, ' ') + FormatDecimals(x, n), Count(w));
}

std::string Format3Decimals(double x) { return FormatDecimals(x, 3); }
std::string Format4Decimals(double x) { return FormatDecimals(x, 4); }
std::string Format9Decimals(double x) { return FormatDecimals(x, 9); }

double RotateX(double a, double b, double c) {
  const double t = DmsToDegrees(c);
  return a * CosDegrees(t) - b * SinDegrees(t);
}

double RotateY(double a, double b, double c) {
  const double t = DmsToDegrees(c);
  return a * SinDegrees(t) + b * CosDegrees(t);
}

void FormatAngle(App& app) {
  double a = app.numbers.AngleToFormat;
  std::string prefix;
  if (a < 0) {
    prefix = "    -";
    a = std::fabs(a) + kNegativeAngleGuard;
  } else {
    prefix = "     ";
    a = a + kPositiveAngleGuard;
  }
  const double degrees = std::floor(a);
  const double f = (a - degrees) * 60;
  const double minutes = std::floor(f);
  const double seconds = std::floor((f - minutes) * 60);
  app.numbers.FormattedAngle = RtRight(prefix + RtStr(degrees), 5) + "-" +
                               RtMid(RtStr(minutes + 500), 3, 2) + "-" +
                               RtMid(RtStr(seconds + 500), 3, 2);
}

std::string FormatAngleOf(App& app, double degrees) {
  app.numbers.AngleToFormat = degrees;
  FormatAngle(app);
  return app.numbers.FormattedAngle;
}
