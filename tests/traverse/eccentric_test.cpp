// The eccentric station: its reduction against a synthetic field situation
// (the readings and distances derived here from chosen points and an
// arbitrary circle zero), through the machine-point menu's set-up and
// directly for the variants that set the instrument station.
#include "traverse/eccentric.h"

#include <gtest/gtest.h>

#include <cmath>
#include <cstdio>
#include <string>

#include "cogo/kind_fixture.h"
#include "cogo/stake_out.h"
#include "support/u8.h"

namespace {

constexpr double kRad = 3.14159265358979323846 / 180;

struct P {
  double x, y, z;
};
// A the reference point, B the back-sight, E the eccentric station; the
// instrument at E has its circle zero at 77.123 degrees.
constexpr P kA{1000, 1000, 20}, kB{1300, 1400, 25}, kE{1010, 995, 19.2};
constexpr double kInstrument = 1.45, kTargetA = 1.6, kTargetB = 1.3, kCircleZero = 77.123;

double Azimuth(P a, P b) {
  const double az = std::atan2(b.y - a.y, b.x - a.x) / kRad;
  return az < 0 ? az + 360 : az;
}

// Degrees as dd.mmss text with the seconds to 1/1000.
std::string Dms(double degrees) {
  while (degrees < 0) degrees += 360;
  while (degrees >= 360) degrees -= 360;
  const double totalSeconds = std::round(degrees * 3600 * 1000) / 1000;
  const int d = static_cast<int>(totalSeconds / 3600);
  const int m = static_cast<int>((totalSeconds - d * 3600) / 60);
  const double s = totalSeconds - d * 3600 - m * 60;
  char text[40];
  std::snprintf(text, sizeof text, "%d.%02d%02d%03d", d, m, static_cast<int>(s), static_cast<int>(std::round((s - std::floor(s)) * 1000)));
  return text;
}

// The answers of one sight from E to `to`: horizontal reading, slope
// distance, vertical reading under the convention vv, target height.
std::string SightAnswers(P to, double target, double vv) {
  const double d = std::hypot(to.x - kE.x, to.y - kE.y);
  const double rise = (to.z + target) - (kE.z + kInstrument);
  const double zenith = std::atan2(d, rise) / kRad;
  char slope[32];
  std::snprintf(slope, sizeof slope, "%.4f", std::hypot(d, rise));
  char f[16];
  std::snprintf(f, sizeof f, "%.3f", target);
  return Dms(Azimuth(kE, to) - kCircleZero) + "\n" + slope + "\n" + Dms(vv == 90 ? 90 - zenith : zenith) + "\n" + f +
         "\n";
}

class EccentricTest : public KindTest {
 protected:
  void SetUp() override {
    KindTest::SetUp();
    Place({{"A", kA.x, kA.y, kA.z}, {"B", kB.x, kB.y, kB.z}});
    app.shell.HeightLabel = "H=";
    app.traverse.DistancePromptFlag = 0;
    app.cogo.BaseAzimuth = 33;
    app.cogo.BasePointX = 5;
    app.cogo.BasePointY = 6;
  }
  // The set-up as the station input leaves it: at A, oriented on B.
  void StandOnA() {
    points::Store& p = app.points;
    p.FromPointX = kA.x;
    p.FromPointY = kA.y;
    p.FromPointZ = kA.z;
    p.LegDirection = Azimuth(kA, kB);
    p.HorizontalDistance = std::hypot(kB.x - kA.x, kB.y - kA.y);
    p.DesignatedPointZ = kB.z;
    p.StationPointNumber = 1;
  }
  void ExpectBaseLineKept() {
    EXPECT_EQ(app.cogo.BaseAzimuth, 33);
    EXPECT_EQ(app.cogo.BasePointX, 5);
    EXPECT_EQ(app.cogo.BasePointY, 6);
  }
};

TEST(EccentricStationAzimuth, TurnedTriangleGivesTheDirectionToTheStation) {
  // Sights reduced as if taken at A with the known orientation: they
  // reproduce A, B and E turned about A by the unknown circle zero.
  for (double zero : {0.0, 77.123, 200.5, 359.9}) {
    const double orientation = Azimuth(kA, kB);
    const double rA = Azimuth(kE, kA) - zero, rB = Azimuth(kE, kB) - zero;
    const double dA = std::hypot(kA.x - kE.x, kA.y - kE.y), dB = std::hypot(kB.x - kE.x, kB.y - kE.y);
    const double ax = kA.x + dA * std::cos((orientation + rA) * kRad), ay = kA.y + dA * std::sin((orientation + rA) * kRad);
    const double bx = kA.x + dB * std::cos((orientation + rB) * kRad), by = kA.y + dB * std::sin((orientation + rB) * kRad);
    const double az = traverse::EccentricStationAzimuthOf(orientation, rA, ax, ay, bx, by);
    EXPECT_NEAR(kA.x + dA * std::cos(az * kRad), kE.x, 1e-6) << zero;
    EXPECT_NEAR(kA.y + dA * std::sin(az * kRad), kE.y, 1e-6) << zero;
  }
}

TEST_F(EccentricTest, MachinePointSetUpRegistersTheEccentricStation) {
  for (double vv : {0.0, 90.0}) {
    SCOPED_TRACE(vv);
    ForgetRegistered();
    ForgetTranscript();
    app.settings.VV = vv;
    app.job.SubmenuChoice = 1.1;
    // A and B by name, the instrument height at E, the two sights, E
    // registered under its proposed name and number.
    const Entry next = Run(MachineStationSetup, "A\nB\n1.45\n" + SightAnswers(kA, kTargetA, vv) +
                                                    SightAnswers(kB, kTargetB, vv) + "\n\n");
    EXPECT_EQ(next, MachinePointMenu);
    ASSERT_EQ(RegisteredCount(), 1);
    const int n = Registered(0);
    EXPECT_NEAR(app.points.PointX(n), kE.x, 1e-3);
    EXPECT_NEAR(app.points.PointY(n), kE.y, 1e-3);
    EXPECT_NEAR(app.points.PointZ(n), kE.z, 1e-3);
    // The observed distance and height of B agree with the known ones.
    EXPECT_EQ(CountContaining(U8(u8" ｻ L= 0   Z= 0")), 1);
    // The instrument stands on E oriented on A.
    const cogo::State& c = app.cogo;
    EXPECT_NEAR(c.InstrumentStationX, kE.x, 1e-3);
    EXPECT_NEAR(c.InstrumentStationY, kE.y, 1e-3);
    EXPECT_NEAR(c.InstrumentStationZ, kE.z, 1e-3);
    EXPECT_NEAR(c.SetupInstrumentHeight, kInstrument, 1e-12);
    EXPECT_NEAR(std::fmod(c.InstrumentOrientation, 360), Azimuth(kE, kA), 1e-5);
    ExpectBaseLineKept();
  }
}

TEST_F(EccentricTest, VariantsSetTheInstrumentStationAndReturnToTheBase) {
  const double known = std::hypot(kB.x - kA.x, kB.y - kA.y);
  // .2: the sights, E registered and set up as the instrument station
  // oriented on A; the set-up goes on from A towards B.
  StandOnA();
  app.job.SubmenuChoice = 2.2;
  Answers("1.45\n" + SightAnswers(kA, kTargetA, 0) + SightAnswers(kB, kTargetB, 0) + "\n\n");
  ReduceEccentricObservation(app);
  const cogo::State& c = app.cogo;
  const points::Store& p = app.points;
  EXPECT_EQ(RegisteredCount(), 1);
  EXPECT_NEAR(c.InstrumentStationX, kE.x, 1e-3);
  EXPECT_NEAR(c.InstrumentStationY, kE.y, 1e-3);
  EXPECT_NEAR(std::fmod(c.InstrumentOrientation, 360), Azimuth(kE, kA), 1e-5);
  EXPECT_EQ(p.FromPointX, kA.x);
  EXPECT_EQ(p.FromPointY, kA.y);
  EXPECT_EQ(p.LegDirection, Azimuth(kA, kB));
  EXPECT_EQ(p.HorizontalDistance, known);
  // .3: only the instrument height; the instrument station is A oriented on B.
  ForgetRegistered();
  ForgetTranscript();
  StandOnA();
  app.job.SubmenuChoice = 2.3;
  Answers("1.45\n");
  ReduceEccentricObservation(app);
  EXPECT_EQ(RegisteredCount(), 0);
  EXPECT_EQ(CountContaining(U8(u8"ﾍﾝｼﾝ")), 0);
  EXPECT_EQ(c.InstrumentStationX, kA.x);
  EXPECT_EQ(c.InstrumentStationY, kA.y);
  EXPECT_NEAR(c.InstrumentOrientation, Azimuth(kA, kB), 1e-9);
  EXPECT_EQ(c.SetupInstrumentHeight, kInstrument);
  EXPECT_EQ(p.LegDirection, Azimuth(kA, kB));
  EXPECT_EQ(p.HorizontalDistance, known);
  // A whole choice changes nothing and asks nothing.
  StandOnA();
  app.job.SubmenuChoice = 2;
  ReduceEccentricObservation(app);
  EXPECT_EQ(p.FromPointX, kA.x);
  EXPECT_EQ(p.LegDirection, Azimuth(kA, kB));
  // Enter at the first sight abandons the reduction: the set-up stays on A.
  app.job.SubmenuChoice = 1.1;
  Answers("1.45\n\n");
  ReduceEccentricObservation(app);
  EXPECT_EQ(RegisteredCount(), 0);
  EXPECT_EQ(p.FromPointX, kA.x);
  EXPECT_EQ(p.LegDirection, Azimuth(kA, kB));
  EXPECT_EQ(p.HorizontalDistance, known);
  ExpectBaseLineKept();
}

}  // namespace
