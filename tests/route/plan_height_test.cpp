// Plan heights checked against the worked table and against the textbook
// vertical curve y = y_BVC + g1 x + (g2 - g1) x^2 / 2L coded here.
#include "route/plan_height.h"

#include <gtest/gtest.h>

#include <cmath>
#include <initializer_list>
#include <random>
#include <vector>

#include "core/app.h"

namespace {

RtTable<double> Table(std::initializer_list<double> values) {
  RtTable<double> t{999};
  int k = 0;
  for (double v : values) t(k++) = v;
  return t;
}

double HeightAt(const RtTable<double>& t, double td) {
  const route::PlanHeightResult r = route::PlanHeightOf(t, td);
  EXPECT_TRUE(r.ok) << r.message;
  return r.value.height;
}

TEST(PlanHeight, WorkedTable) {
  const RtTable<double> t = Table({0, 100, 0, 100, 101, 60, 200, 100, 9999});
  const struct {
    double td, z;
  } cases[] = {{40, 100.4}, {100, 100.85}, {70, 100.7}, {130, 100.7}, {250, 99.5}, {-10, 99.9}};
  for (const auto& c : cases) EXPECT_NEAR(HeightAt(t, c.td), c.z, 1e-9) << c.td;

  const route::PlanHeightResult mid = route::PlanHeightOf(t, 100);
  EXPECT_TRUE(mid.value.inside_curve);
  EXPECT_DOUBLE_EQ(mid.value.distance_into_curve, 30);
  EXPECT_DOUBLE_EQ(mid.value.incoming_grade, 0.01);
  EXPECT_DOUBLE_EQ(mid.value.outgoing_grade, -0.01);
  EXPECT_DOUBLE_EQ(mid.value.curve_start, 70);
  EXPECT_DOUBLE_EQ(mid.value.curve_end, 130);
  EXPECT_EQ(mid.value.change_point, 1);

  // Past the last real curve the closing point stops the walk: BC 1e99, no
  // grade taken from the empty entry after it.
  const route::PlanHeightResult end = route::PlanHeightOf(t, 250);
  EXPECT_EQ(end.value.change_point, 2);
  EXPECT_EQ(end.value.curve_start, 1e99);
  EXPECT_EQ(end.value.curve_length, 0);
  EXPECT_DOUBLE_EQ(end.value.outgoing_grade, -0.01);
}

TEST(PlanHeight, ZeroVclIsSharpBreak) {
  const RtTable<double> t = Table({0, 100, 0, 100, 101, 0, 200, 100, 9999});
  EXPECT_DOUBLE_EQ(HeightAt(t, 100), 101);
  EXPECT_NEAR(HeightAt(t, 99), 100.99, 1e-12);
  EXPECT_NEAR(HeightAt(t, 101), 100.99, 1e-12);
}

// The textbook curve from BVC: y = y_BVC + g1 x + (g2 - g1) x^2 / (2L), and the
// slope g1 + (g2 - g1) x / L. Random tables with curves that do not overlap.
TEST(PlanHeight, MatchesTextbookCurveAndIsSmooth) {
  std::mt19937 rng(7);
  std::uniform_real_distribution<double> run(50, 200), rise(-5, 5), share(0, 0.9);
  for (int round = 0; round < 50; ++round) {
    const int n = 2 + round % 5;  // change points before the closing one
    std::vector<double> td{0}, z{100}, vcl{0};
    for (int j = 1; j <= n; ++j) {
      td.push_back(td.back() + run(rng));
      z.push_back(z.back() + rise(rng));
      vcl.push_back(0);
    }
    vcl[n] = 9999;
    for (int j = 1; j < n; ++j) {
      const double room = std::min(td[j] - td[j - 1], td[j + 1] - td[j]);
      vcl[j] = room * share(rng);  // half of it on each side: no overlap
    }
    RtTable<double> t{999};
    for (int j = 0; j <= n; ++j) {
      t(3 * j) = td[j];
      t(3 * j + 1) = z[j];
      t(3 * j + 2) = vcl[j];
    }
    auto slope = [&](double x) { return (HeightAt(t, x + 1e-6) - HeightAt(t, x - 1e-6)) / 2e-6; };
    for (int j = 1; j < n; ++j) {
      const double g1 = (z[j] - z[j - 1]) / (td[j] - td[j - 1]);
      const double g2 = (z[j + 1] - z[j]) / (td[j + 1] - td[j]);
      const double L = vcl[j];
      const double bc = td[j] - L / 2, ec = bc + L;
      const double yBvc = z[j] - g1 * L / 2;
      for (double f : {0.0, 0.25, 0.5, 0.75}) {
        const double x = f * L;
        EXPECT_NEAR(HeightAt(t, bc + x), yBvc + g1 * x + (g2 - g1) * x * x / (2 * L), 1e-9);
      }
      // Continuous in height and slope at BC and EC.
      for (double at : {bc, ec}) {
        EXPECT_NEAR(HeightAt(t, at - 1e-9), HeightAt(t, at), 1e-7);
        if (L > 1) {
          EXPECT_NEAR(slope(at - 1e-3), slope(at + 1e-3), 1e-4) << at;
        }
      }
      EXPECT_NEAR(HeightAt(t, ec), z[j] + L * g2 / 2, 1e-9);
    }
  }
}

TEST(PlanHeight, BadTablesGiveMessageNamingChangePoint) {
  const struct {
    RtTable<double> table;
    const char* names;
  } cases[] = {
      {Table({}), "9999"},                                       // empty: no closing point
      {Table({0, 100, 9999}), "NO. 0 "},                         // change point 0 cannot close
      {Table({0, 100, 0, 100, 101, 60}), "9999"},                // no closing point
      {Table({0, 100, 0, 100, 101, 60, 100, 100, 9999}), "NO. 2 "},  // TD repeated
      {Table({0, 100, 0, 100, 101, 60, 0, 0, 0, 300, 99, 9999}), "NO. 2 "},  // a hole
      {Table({0, 100, 0, -5, 101, 9999}), "NO. 1 "},             // TD going back
  };
  for (const auto& c : cases) {
    const route::PlanHeightResult r = route::PlanHeightOf(c.table, 50);
    EXPECT_FALSE(r.ok);
    EXPECT_NE(r.message.find(c.names), std::string::npos) << r.message;
  }
}

TEST(PlanHeight, WrapperSetsSharedVariables) {
  App app;
  app.route.VerticalTable = Table({0, 100, 0, 100, 101, 60, 200, 100, 9999});
  app.route.ProfileChainage = 100;
  EXPECT_TRUE(PlanHeightAtChainage(app));
  EXPECT_NEAR(app.points.WorkPointZ, 100.85, 1e-9);
  EXPECT_DOUBLE_EQ(app.route.IncomingGrade, 0.01);
  EXPECT_DOUBLE_EQ(app.route.OutgoingGrade, -0.01);
  EXPECT_DOUBLE_EQ(app.route.CurveStartChainage, 70);
  EXPECT_DOUBLE_EQ(app.route.CurveEndChainage, 130);
  EXPECT_DOUBLE_EQ(app.route.VerticalCurveLength, 60);
  EXPECT_EQ(app.route.ChangePointIndex, 3);
  EXPECT_DOUBLE_EQ(app.route.DistanceIntoCurve, 30);

  app.route.VerticalTable = Table({0, 100, 0});
  app.points.WorkPointZ = 5;
  EXPECT_FALSE(PlanHeightAtChainage(app));
  EXPECT_EQ(app.points.WorkPointZ, 0);
}

}  // namespace
