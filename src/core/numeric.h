// The numeric functions every subsystem shares: dd.mmss angles, trigonometry in
// degrees, rounding to the steps of the settings, fixed-decimal text, the plane
// rotation of drawings and the degrees-minutes-seconds text of reports.
//
// A dd.mmss angle is a double whose integer part holds the degrees, decimals 1-2
// the minutes, decimals 3-4 the whole seconds and further decimals the fraction of
// a second; the sign belongs to the whole value. All computation is in decimal
// degrees.
//
// These functions validate nothing. A rounding factor of 0 and the single
// argument of ArcCosDegrees whose square is 1.00000000001 raise run-time error 11;
// a count (decimals, width) below 0 raises error 5, as does more than 20 decimals;
// an infinite value to format raises error 6 and NaN error 5.
//
// Beyond the usual range:
// - The dd.mmss conversions read the minutes and seconds from the decimals right
//   after the point of the number text, however many integer digits stand before
//   it; from about 10^15 on, where the number text turns to the exponent form,
//   they read no minutes and seconds and give the whole degrees.
// - FormatDecimals keeps to plain digits where the scaled whole number
//   (50 + |x|) × 10^n reaches 10^15 and its number text would turn to the
//   exponent form. From 2^53 on, where that whole number no longer holds all its
//   digits, the text is |x| itself rounded half away from zero to n decimals
//   (FormatDecimals(1e15, 3) is " 1000000000000000.000").
#pragma once

#include <string>

struct App;

// The program's value of pi, used by every degree-radian conversion.
constexpr double Pi = 3.14159265358979;

// dd.mmss to decimal degrees, the seconds read as a whole number (a fraction of
// 0.8 second or more counts as one more second).
double DmsToDegreesWholeSeconds(double x);
// dd.mmss to decimal degrees, the seconds read to 1/1000.
double DmsToDegrees(double x);
// Decimal degrees to dd.mmss; the seconds keep their fraction.
double DegreesToDms(double x);

double SinDegrees(double x);
double CosDegrees(double x);
double TanDegrees(double x);
// The angle (0 to 180 degrees) of a cosine; kept away from a zero divisor at
// |x| = 1, so ArcCosDegrees(1) is 0.00018 rather than 0.
double ArcCosDegrees(double x);

// Rounding to the steps of the settings, read at every call: distances 1/T,
// route values 1/DistanceRounding, coordinates 1/TN, heights 1/TZ. Halves, and
// values up to 1e-7 short of a half, go away from zero.
double RoundDistance(const App& app, double x);
double RoundRouteValue(const App& app, double x);
double RoundCoordinate(const App& app, double x);
double RoundHeight(const App& app, double x);
// The same to the step 1/k of a factor k given by value (0 is error 11).
double RoundToFactor(double x, double k);
// The same to 0.0001.
double RoundTo4Decimals(double x);
// To 0.000001 without the sign guard: halves go up (-0.0000005 gives 0).
double RoundTo6Decimals(double x);

// Sign character (blank or "-"), the integer digits, "." and n decimals.
// n is a count, rounded half away from zero.
std::string FormatDecimals(double x, double n);
// The last w characters of fifteen blanks and FormatDecimals(x, n): right-aligned
// in w characters with at most fifteen blanks of padding, cut from the left when
// the text is longer.
std::string FormatDecimalsRight(double x, double n, double w);
std::string Format3Decimals(double x);
std::string Format4Decimals(double x);
std::string Format9Decimals(double x);

// The vector (a, b) turned by the dd.mmss angle c from the a axis towards the b
// axis: RotateX gives its a component, RotateY its b component.
double RotateX(double a, double b, double c);
double RotateY(double a, double b, double c);

// Writes app.numbers.AngleToFormat (decimal degrees) as the 11-character text
// "ddddd-mm-ss" into app.numbers.FormattedAngle. Seconds are cut after a small
// guard, not rounded. AngleToFormat is left as it was.
void FormatAngle(App& app);
// FormatAngle of `degrees` (AngleToFormat := degrees): the text it leaves in
// FormattedAngle.
std::string FormatAngleOf(App& app, double degrees);
