// The plan-curve band's marks, station by station, with the station loop's
// share done here: the band row's centre, the station's paper x and the offset
// from the curve's sign at every station, the start point at the window's
// start. A chainage c stands at paper x c + 20 (1:1000, origin at -20); the
// band row is 15 mm high with its centre at y -12.5, text 2.4 mm of width 0.7.
// The curve elements are checked against TL = R tan(I/2) and
// SL = R (sec(I/2) - 1).
#include "profile/curve_band.h"

#include <gtest/gtest.h>

#include <cmath>
#include <optional>
#include <string>
#include <vector>

#include "core/app.h"
#include "section_mark_checks.h"

namespace {

using profile::CurveBandEvent;
using namespace section_mark_checks;

constexpr double kCentre = -12.5, kText = 2.4, kWidth = 0.7;

double Px(double c) { return c + 20; }
double Sign(double v) { return (v > 0) - (v < 0); }
// Centred: the start moved left by half the text's estimated length.
double Centred(double x, const std::string& text) { return x - text.size() * kText * kWidth / 2; }

class BandTest : public ::testing::Test {
 protected:
  void SetUp() override {
    app.lines.ScaleDenominator = 1000;
    app.view.PlotOriginX = 0;
    app.view.PlotOriginY = -20;
    app.view.VerticalRatio = 0.1;
    profile::State& p = app.profile;
    p.ProfileLastRow = 0;
    p.ProfileRowItem(0) = 10;
    p.ProfileRowHeight(0) = 15;
    p.ProfileItemDigits(10) = 2;
    p.ProfileValueTextSize = kText;
    p.ProfileValueTextWidth = kWidth;
    p.ProfileStartChainage = 0;
    p.ProfileEndChainage = 200;
  }
  void Point(int i, const char* name, double chainage) {
    app.points.PointName(i) = name;
    app.points.PointY(i) = chainage;
    app.points.PointAttribute(i) = "95";
    app.points.PointCount = std::max<double>(app.points.PointCount, i);
  }
  // The route row of IP n as the route computation labels it.
  void Ip(int n, const char* angle, double radius, double a1 = 0, double a2 = 0) {
    std::string ip = "IP." + std::to_string(n);
    ip.resize(10, ' ');
    app.route.RouteLabel(4 * n + 2) = "$ P" + std::to_string(n) + std::string(8, ' ') + ip + "IA=" + angle;
    app.route.RouteValue(4 * n + 3) = radius;
    app.route.RouteValue(4 * n + 4) = a1;
    app.route.RouteValue(4 * n + 5) = a2;
  }
  // The band at every station, as the station loop hands it on.
  profile::SectionMarks Run() {
    profile::SectionPlot plot(app);
    plot.TextWidthFactor = factor;
    profile::SectionMarks all;
    for (int i = 1; i <= app.points.PointCount; ++i) {
      const double c = app.points.PointY(i);
      app.profile.BandCentreY = kCentre;
      app.profile.BandStationX = Px(c);
      app.profile.BandOffset = (15 / 2.0 - 1) * Sign(plot.IntersectionAngle);
      if (c <= app.profile.ProfileStartChainage) {
        plot.BandLastY = kCentre + app.profile.BandOffset;
        plot.BandLastX = Px(c);
        plot.BandLastChainage = c;
      }
      for (SectionMark& m : profile::CurveBandStationMarks(plot, i)) all.push_back(std::move(m));
    }
    return all;
  }
  static std::vector<SectionMark> Lines(const profile::SectionMarks& marks) { return Of(marks, Kind::PlanLine); }
  static std::optional<SectionMark> Text(const profile::SectionMarks& marks, const std::string& text) {
    for (const SectionMark& m : marks) {
      if (m.kind == Kind::ValueText && m.text == text) return m;
    }
    return std::nullopt;
  }

  App app;
  double factor = 1;
};

void ExpectAt(const std::optional<SectionMark>& m, double x, double y) {
  ASSERT_TRUE(m.has_value());
  EXPECT_NEAR(m->x1, x, 1e-9);
  EXPECT_NEAR(m->y1, y, 1e-9);
  EXPECT_DOUBLE_EQ(m->height, kText);
  EXPECT_DOUBLE_EQ(m->angle, 0);
}

TEST(CurveBandNames, EventsAndIpNumbers) {
  struct Case {
    const char* name;
    CurveBandEvent event;
    std::optional<std::string> number;
  };
  const Case cases[] = {
      {"BC.3", CurveBandEvent::CurveStart, "3"},  {"EC.12", CurveBandEvent::CurveEnd, "12"},
      {"KA3-1", CurveBandEvent::EntryStart, "3"}, {"KE3-1", CurveBandEvent::EntryEnd, "3"},
      {"KE3-2", CurveBandEvent::ExitStart, "3"},  {"KA3-2", CurveBandEvent::ExitEnd, "3"},
      {"IP.7", CurveBandEvent::Ip, "7"},          {"NO.3", CurveBandEvent::None, "3"},
      {"SP.3", CurveBandEvent::None, "3"},
      // No digit: no IP number, so no curve point.
      {"BCX", CurveBandEvent::None, std::nullopt}, {"IPA", CurveBandEvent::None, std::nullopt},
      {"KA", CurveBandEvent::None, std::nullopt},  {"", CurveBandEvent::None, std::nullopt},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    EXPECT_EQ(profile::CurveBandEventOf(c.name), c.event);
    EXPECT_EQ(profile::BandIpNumberOf(c.name), c.number);
  }
}

TEST_F(BandTest, StraightOnlyGivesOneLineAtTheEnd) {
  Point(1, "NO.0", 0);
  Point(2, "NO.5", 100);
  Point(3, "NO.10", 200);
  const auto marks = Run();
  ASSERT_EQ(marks.size(), 2u);
  EXPECT_EQ(Texts(marks), std::vector<std::string>{"L=200.00"});
  ExpectAt(Text(marks, "L=200.00"), Centred((Px(0) + Px(200)) / 2, "L=200.00"), kCentre);
  ExpectLine(Lines(marks)[0], Px(0), kCentre, Px(200), kCentre);
}

struct CircleCase {
  const char* angle;
  double side;  // +1 above the middle, -1 below
};

TEST_F(BandTest, CircularCurveOnEitherSide) {
  for (const CircleCase& c : {CircleCase{" 35.2015", 1}, CircleCase{"-35.2015", -1}}) {
    SCOPED_TRACE(c.angle);
    Point(1, "NO.0", 0);
    Point(2, "BC.2", 100);
    Point(3, "EC.2", 162.83);
    Point(4, "NO.10", 200);
    Ip(2, c.angle, 100);
    const auto marks = Run();

    const double level = kCentre + c.side * 6.5;
    const auto lines = Lines(marks);
    ASSERT_EQ(lines.size(), 5u);
    ExpectLine(lines[0], Px(0), kCentre, Px(100), kCentre);
    ExpectLine(lines[1], Px(100), kCentre, Px(100), level);  // the 6.5 mm step
    ExpectLine(lines[2], Px(100), level, Px(162.83), level);
    ExpectLine(lines[3], Px(162.83), level, Px(162.83), kCentre);
    ExpectLine(lines[4], Px(162.83), kCentre, Px(200), kCentre);

    // TL = R tan(I/2), SL = R (sec(I/2) - 1) for I = 35 deg 20' 15".
    const double half = (35 + 20 / 60.0 + 15 / 3600.0) / 2 * M_PI / 180;
    char tl[32], sl[32];
    std::snprintf(tl, sizeof tl, "TL=%.2f", 100 * std::tan(half));
    std::snprintf(sl, sizeof sl, "SL=%.2f", 100 * (1 / std::cos(half) - 1));
    EXPECT_EQ(std::string(tl), "TL=31.85");
    EXPECT_EQ(std::string(sl), "SL=4.95");
    EXPECT_EQ(Texts(marks), (std::vector<std::string>{"L=100.00", "CL=62.83", "IP.2", "IA=35-20-15", "R=100.00",
                                                      tl, sl, "L=37.17"}));
    ExpectAt(Text(marks, "L=100.00"), Centred((Px(0) + Px(100)) / 2, "L=100.00"), kCentre);
    // The block under the curve, left-aligned with "CL=" 2 mm above the row's
    // lower edge, the lines 2.4 mm apart.
    const double x = Centred((Px(100) + Px(162.83)) / 2, "CL=62.83"), bottom = kCentre - 7.5 + 2;
    ExpectAt(Text(marks, "CL=62.83"), x, bottom);
    ExpectAt(Text(marks, tl), x, bottom + 2.4);
    ExpectAt(Text(marks, sl), x + 8 * kText * kWidth + 4, bottom + 2.4);
    ExpectAt(Text(marks, "IA=35-20-15"), x, bottom + 4.8);
    ExpectAt(Text(marks, "R=100.00"), x + 11 * kText * kWidth + 4, bottom + 4.8);
    ExpectAt(Text(marks, "IP.2"), x, bottom + 7.2);
    ExpectAt(Text(marks, "L=37.17"), Centred((Px(162.83) + Px(200)) / 2, "L=37.17"), kCentre);
  }
}

TEST_F(BandTest, NarrowTextsOfTheSecondMode) {
  factor = 0.8;
  Point(1, "NO.0", 0);
  Point(2, "BC.2", 100);
  Point(3, "EC.2", 162.83);
  Point(4, "NO.10", 200);
  Ip(2, " 35.2015", 100);
  const auto marks = Run();
  const double w = kText * kWidth * 0.8;
  const auto cl = Text(marks, "CL=62.83");
  ASSERT_TRUE(cl.has_value());
  EXPECT_NEAR(cl->x1, (Px(100) + Px(162.83)) / 2 - 8 * w / 2, 1e-9);
  EXPECT_NEAR(cl->width, kWidth * 0.8, 1e-12);
  EXPECT_NEAR(Text(marks, "R=100.00")->x1, cl->x1 + 11 * w + 4, 1e-9);
}

TEST_F(BandTest, ClothoidCurve) {
  Point(1, "NO.0", 0);
  Point(2, "KA3-1", 100);
  Point(3, "KE3-1", 130);
  Point(4, "KE3-2", 170);
  Point(5, "KA3-2", 200);
  Point(6, "NO.11", 220);
  app.profile.ProfileEndChainage = 220;
  Ip(3, "-20.0000", 120, 60, 50);
  const auto marks = Run();
  const double level = kCentre - 6.5;
  const auto lines = Lines(marks);
  ASSERT_EQ(lines.size(), 5u);
  ExpectLine(lines[0], Px(0), kCentre, Px(100), kCentre);
  ExpectLine(lines[1], Px(100), kCentre, Px(130), level);  // the entry clothoid's slope
  ExpectLine(lines[2], Px(130), level, Px(170), level);
  ExpectLine(lines[3], Px(170), level, Px(200), kCentre);  // the exit clothoid's slope
  ExpectLine(lines[4], Px(200), kCentre, Px(220), kCentre);
  EXPECT_EQ(Texts(marks), (std::vector<std::string>{"L=100.00", "L1=30.00", "A1=60.00", "CL=40.00", "IP.3",
                                                    "IA=20-00-00", "R=120.00", "L2=30.00", "A2=50.00",
                                                    "L=20.00"}));
  // Clothoid texts one line above the middle for a curve below it, the
  // parameter one line lower; the circle's block 4 mm above the lower edge.
  const double l1x = Centred((Px(100) + Px(130)) / 2, "L1=30.00");
  ExpectAt(Text(marks, "L1=30.00"), l1x, kCentre + 2.4);
  ExpectAt(Text(marks, "A1=60.00"), l1x, kCentre);
  const double clx = Centred((Px(130) + Px(170)) / 2, "CL=40.00");
  ExpectAt(Text(marks, "CL=40.00"), clx, kCentre - 7.5 + 4);
  ExpectAt(Text(marks, "IP.3"), clx, kCentre - 7.5 + 4 + 4.8);
  ExpectAt(Text(marks, "IA=20-00-00"), clx, kCentre - 7.5 + 4 + 2.4);
  const double l2x = Centred((Px(170) + Px(200)) / 2, "L2=30.00");
  ExpectAt(Text(marks, "A2=50.00"), l2x, kCentre);
}

TEST_F(BandTest, WindowEndingInsideACurve) {
  Point(1, "NO.0", 0);
  Point(2, "BC.2", 100);
  Point(3, "NO.7", 140);
  app.profile.ProfileEndChainage = 140;
  Ip(2, " 35.2015", 100);
  const auto marks = Run();
  const auto lines = Lines(marks);
  ASSERT_EQ(lines.size(), 3u);  // no step back
  ExpectLine(lines[2], Px(100), kCentre + 6.5, Px(140), kCentre + 6.5);
  EXPECT_EQ(Texts(marks), (std::vector<std::string>{"L=100.00", "CL=40.00", "IP.2", "IA=35-20-15", "R=100.00",
                                                    "TL=31.85", "SL=4.95"}));
  ExpectAt(Text(marks, "CL=40.00"), Centred((Px(100) + Px(140)) / 2, "CL=40.00"), kCentre - 7.5 + 2);
}

TEST_F(BandTest, IpWithoutCurveIsAPeak) {
  Point(1, "NO.0", 0);
  Point(2, "IP.4", 100);
  Point(3, "NO.10", 200);
  Ip(4, " 12.3000", 0);
  const auto marks = Run();
  const auto lines = Lines(marks);
  ASSERT_EQ(lines.size(), 4u);
  ExpectLine(lines[0], Px(0), kCentre, Px(100) - 1.5, kCentre);
  ExpectLine(lines[1], Px(100) - 1.5, kCentre, Px(100), kCentre + 6.5);
  ExpectLine(lines[2], Px(100), kCentre + 6.5, Px(100) + 1.5, kCentre);
  ExpectLine(lines[3], Px(100) + 1.5, kCentre, Px(200), kCentre);
  ExpectAt(Text(marks, "IP.4"), Centred(Px(100), "IP.4"), kCentre - 2.4);
  ExpectAt(Text(marks, "IA=12-30-00"), Centred(Px(100), "IP.4"), kCentre - 4.8);
}

TEST_F(BandTest, CurveWithoutRouteRowWritesNothingOfTheCurveBefore) {
  Point(1, "NO.0", 0);
  Point(2, "BC.2", 50);
  Point(3, "EC.2", 80);
  Point(4, "BC.7", 120);  // IP 7 has no route row
  Point(5, "EC.7", 150);
  Point(6, "NO.10", 200);
  Ip(2, " 35.2015", 100);
  const auto marks = Run();
  const auto texts = Texts(marks);
  EXPECT_EQ(std::vector<std::string>(texts.begin() + 7, texts.end()),
            (std::vector<std::string>{"L=40.00", "CL=30.00", "IP.7", "L=50.00"}));
  // Drawn above the middle (the offset of a curve not found), then back.
  const auto lines = Lines(marks);
  ASSERT_EQ(lines.size(), 9u);
  ExpectLine(lines[5], Px(120), kCentre, Px(120), kCentre + 6.5);
  ExpectLine(lines[7], Px(150), kCentre + 6.5, Px(150), kCentre);
}

TEST_F(BandTest, NamesWithoutDigitsAreNoCurvePoints) {
  Point(1, "NO.0", 0);
  Point(2, "BCX", 50);
  Point(3, "IPA", 80);
  Point(4, "NO.10", 200);
  const auto marks = Run();
  EXPECT_EQ(Texts(marks), std::vector<std::string>{"L=200.00"});
  EXPECT_EQ(Lines(marks).size(), 1u);
}

TEST_F(BandTest, StartsAtTheFirstStationWhenNoneStandsAtTheWindowStart) {
  Point(1, "NO.1", 20);
  Point(2, "NO.5", 100);
  Point(3, "NO.10", 200);
  const auto marks = Run();
  ExpectLine(Lines(marks).at(0), Px(20), kCentre, Px(200), kCentre);
  EXPECT_EQ(Texts(marks), std::vector<std::string>{"L=180.00"});
}

}  // namespace
