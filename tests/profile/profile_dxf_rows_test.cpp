// The values of the table rows at a station: steps and slope against the
// triangle's own sides and angle, the single distance, the station name and
// its plus stake, and the plan-height rows against the vertical curve's
// textbook ordinate (VCL 80 between +2 % and -2 %: 0.40 below the change
// point).
#include "profile/row_values.h"

#include <gtest/gtest.h>

#include <cmath>
#include <string>
#include <vector>

#include "profile/profile_dxf_fixture.h"

namespace {

constexpr double kDegrees = 180 / 3.14159265358979;

TEST(ProfileRowValuesTest, StepsAndSlopeAreTakenToThePreviousPointRounded) {
  RtTable<int16_t> digits(32);
  for (int k = 0; k <= 32; ++k) digits(k) = 2;
  struct Case {
    const char* what;
    double c, h, prevC, prevH;
    double heightStep, chainageStep, slope, angle, percent;
  };
  const Case cases[] = {
      {"a 3-4-5 rise", 40, 13, 36, 10, 3, 4, 5, std::atan2(3, 4) * kDegrees, 75},
            // The angle comes from the slope rounded to 20.02, not from atan(1/20).
      {"a fall", 60, 9, 40, 10, -1, 20, 20.02, std::acos(20 / 20.02) * kDegrees, -5},
      {"ends rounded first", 40.004, 10.006, 20.001, 10, 0.01, 20, 20, 0, 0.05},
      {"a vertical step", 40, 12, 40, 10, 2, 0, 2, 90, 2e15},
      {"chainage 0", 0, 12, -20, 10, 0, 0, 0, 0, 0},
      {"before chainage 0", -5, 12, -20, 10, 0, 0, 0, 0, 0},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    const profile::StationSteps s = profile::StationStepsOf(c.c, c.h, c.prevC, c.prevH, digits);
    EXPECT_NEAR(s.heightStep, c.heightStep, 1e-9);
    EXPECT_NEAR(s.chainageStep, c.chainageStep, 1e-9);
    EXPECT_NEAR(s.slopeLength, c.slope, 1e-9);
    EXPECT_NEAR(s.slopeAngle, c.angle, 2e-3);  // the arc cosine keeps off 1 by 0.00018
    EXPECT_NEAR(s.slopePercent, c.percent, std::fabs(c.percent) * 1e-9 + 1e-9);
  }
}

TEST(ProfileRowValuesTest, TheSingleDistanceReachesBackToTheNearestPlanPoint) {
  struct Case {
    const char* what;
    std::vector<double> others;
    double c;
    bool pairSecond;
    double distance;
    bool pair, known;
  };
  const Case cases[] = {
      {"nearest behind", {0, 20, 60, 35.004}, 40, false, 5, false, true},  // 40 - 35.00
      {"before 0: towards 0", {0, 20, -12}, -20, false, 8, false, true},
      {"at 0", {20}, 0, false, 0, false, true},
      {"nothing behind", {60, 80}, 40, false, 99999999999, false, false},
      {"a partner ends the search", {0, 40, 20}, 40, false, 40, true, true},
      {"a pair's second looks on", {0, 40, 20}, 40, true, 20, false, true},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    // Points numbered from 2 on; station 1 is not among them.
    std::vector<profile::PlanPoint> plan;
    for (const double y : c.others) plan.push_back({static_cast<int>(plan.size()) + 2, y});
    const profile::SingleDistance d = profile::SingleDistanceOf(plan, 1, c.c, 2, c.pairSecond);
    EXPECT_NEAR(d.distance, c.distance, 1e-9);
    EXPECT_EQ(d.pairFound, c.pair);
    EXPECT_EQ(d.known, c.known);
  }
}

TEST(ProfileRowValuesTest, AStationNameIsCutOnACharacterOrBecomesItsPlusStake) {
  const std::string sokuten = "\x91\xaa\x93\x5f";  // 測点 in CP932
  struct Case {
    const char* what;
    std::string name;
    double c, width;
    bool plusStake;
    std::string text;
  };
  const Case cases[] = {
      {"fits", "NO.3", 60, 8, false, "NO.3"},
      {"cut to the field", "BC.12345678", 60, 8, false, "BC.12345"},
      {"never half a character", "A" + sokuten, 60, 4, false, "A\x91\xaa"},
      {"ends in a digit", "NO.3", 65.5, 8, true, "NO.3"},
      {"ends in P", "KP", 65.5, 8, true, "KP"},
      {"ends in a point after blanks", "NO. ", 65.5, 8, true, "NO. "},
      {"ends in a letter", "BC", 65.5, 8, true, "+5.50"},
      {"before chainage 0", "BC", -5, 8, true, "+15.00"},
      {"ends in a double-byte character", sokuten, 65.5, 8, true, "+5.50"},
      {"no room", "NO.3", 60, 0.5, false, ""},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    EXPECT_EQ(profile::StationNameOf(c.name, c.c, 20, c.plusStake, 2, c.width), c.text);
  }
}

class ProfileRowKindsTest : public ProfileDxfFixture {
 protected:
  // Change points 0/10, 100/12 (VCL 80) and 200/10, closed with 9999.
  void SetUp() override {
    ProfileDxfFixture::SetUp();
    const double table[] = {0, 10, 0, 100, 12, 80, 200, 10, 9999};
    for (int k = 0; k < 9; ++k) app.route.VerticalTable(k) = table[k];
    app.profile.GradeLineEnd = 200;
  }
  // The texts of kinds 11, 12, 13 and 15 at point `n` ("-": nothing).
  std::vector<std::string> PlanRows(int n) {
    UseRows({11, 12, 13, 15});
    profile::ComputeStationQuantities(plot, n);
    std::vector<std::string> texts;
    for (int r = 0; r <= 3; ++r) {
      texts.push_back(profile::ComputeRowValue(plot, n, r, profile::PlanPointsOf(app)) ? plot.RowValueText : "-");
    }
    return texts;
  }
};

TEST_F(ProfileRowKindsTest, PlanHeightCutAndFillFollowTheVerticalCurve) {
  AddPoint(1, "NO.1", 10.4, 20, "95");   // on the +2 % grade: plan 10.40
  AddPoint(2, "NO.5", 11, 100, "95");    // plan 12 - 0.40 = 11.60: fill 0.60
  AddPoint(3, "NO.6", 11.8, 120, "97");  // inside the curve: cut 0.30
  AddPoint(4, "NO.13", 9, 250, "95");    // past the end of the grade line
  EXPECT_EQ(PlanRows(1), (std::vector<std::string>{"   10.40", "    0.00", "-", "    0.00"}));
  EXPECT_EQ(PlanRows(2), (std::vector<std::string>{"   11.60", "-", "    0.60", "    0.60"}));
  // 20 m past the change point, x = 60 m from the curve's start at 60: the
  // incoming grade's height plus y = (g2 - g1) x^2 / 2L.
  const double x = 120 - 60;
  const double plan = 10 + 0.02 * 60 + 0.02 * x + (-0.04) * x * x / (2 * 80);
  EXPECT_NEAR(plan, 11.5, 1e-12);
  EXPECT_EQ(PlanRows(3), (std::vector<std::string>{"   11.50", "    0.30", "-", "   -0.30"}));
  EXPECT_EQ(PlanRows(4), (std::vector<std::string>{"-", "-", "-", "-"}));
}

TEST_F(ProfileRowKindsTest, RowsWithoutAValueShowNothing) {
  UseRows({0, 14, 26, 27, 9, 2});
  AddPoint(1, "NO.2", 10, 40, "95");
  AddPoint(2, "NO.2", 12, 40, "95");  // a vertical step: no gradient
  AddPoint(3, "G", 11, 50, "97");     // a ground point has no single distance
  profile::ComputeStationQuantities(plot, 2);
  for (int r = 0; r <= 4; ++r) {
    SCOPED_TRACE(r);
    EXPECT_FALSE(profile::ComputeRowValue(plot, 2, r, profile::PlanPointsOf(app)));
  }
  // Plan point 2 with point 1 at its chainage finds no plan point behind it.
  EXPECT_FALSE(profile::ComputeRowValue(plot, 2, 5, profile::PlanPointsOf(app)));
  profile::ComputeStationQuantities(plot, 3);
  EXPECT_FALSE(profile::ComputeRowValue(plot, 3, 5, profile::PlanPointsOf(app)));
}

TEST_F(ProfileRowKindsTest, SlopeRowsAtChainageZeroShowZerosAndTheSumRestarts) {
  UseRows({5, 6, 7, 8, 9});
  AddPoint(1, "NO.0", 10, -20, "95");
  AddPoint(2, "NO.1", 13, 4, "95");
  AddPoint(3, "NO.0", 10, 0, "95");
  AddPoint(4, "NO.1", 13, 4, "95");
  auto Texts = [&](int n) {
    profile::ComputeStationQuantities(plot, n);
    std::vector<std::string> texts;
    for (int r = 0; r <= 4; ++r) texts.push_back(profile::ComputeRowValue(plot, n, r, profile::PlanPointsOf(app)) ? plot.RowValueText : "-");
    return texts;
  };
  Texts(1);
  const std::vector<std::string> afterFirst = Texts(2);  // 24 m on from -20, 3 m up
  EXPECT_EQ(afterFirst[0], "   24.19");
  EXPECT_EQ(Texts(3), (std::vector<std::string>{"    0.00", "    0.00", "    0.00", "    0.00", "    0.00"}));
  const std::vector<std::string> t = Texts(4);
  EXPECT_EQ(t[0], "    5.00");
  EXPECT_EQ(t[1], "    5.00");  // the sum restarted at chainage 0
  EXPECT_EQ(t[2], "    3.00");
  char angle[16];
  std::snprintf(angle, sizeof angle, "%8.2f", std::atan2(3, 4) * kDegrees);
  EXPECT_EQ(t[3], angle);
  EXPECT_EQ(t[4], "   75.00");
}

}  // namespace
