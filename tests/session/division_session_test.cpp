// Command 6, choice 5, in whole sessions: a parcel entered point by point is
// divided parallel to a base line at a distance and by area, and through a
// point by area (an outside point, and a vertex); the cut points registered
// equal those of the clip oracle of the tests to 1 mm.
#include <gtest/gtest.h>

#include <cmath>
#include <cstdlib>
#include <regex>
#include <sstream>
#include <string>
#include <vector>

#include "session/fixture_points.h"
#include "support/clip_oracle.h"
#include "support/u8.h"

namespace {

using clip_oracle::P;

std::string Session(const std::string& script, const std::vector<fixture_points::FixturePoint>& points) {
  const TempFolder data, windows, io;
  const int status = fixture_points::Run(script, points, data, windows, io);
  const std::string transcript = ReadHostFile(io / "out");
  EXPECT_EQ(status, 0) << ReadHostFile(io / "err") << transcript;
  return transcript;
}

// The points registered: the coordinate line shown right before each
// registration's name question.
std::vector<P> Registered(const std::string& transcript) {
  std::vector<std::string> lines;
  std::istringstream in(transcript);
  for (std::string line; std::getline(in, line);) lines.push_back(line);
  const std::regex xy(R"(^ X=\s*(-?[0-9.]+)\s+Y=\s*(-?[0-9.]+)\s*$)");
  std::vector<P> points;
  for (size_t i = 0; i + 1 < lines.size(); ++i) {
    std::smatch m;
    if (std::regex_match(lines[i], m, xy) && lines[i + 1].find(U8(u8"ﾃﾝﾒｲ=")) != std::string::npos) {
      points.push_back({std::stod(m[1]), std::stod(m[2])});
    }
  }
  return points;
}

std::vector<P> Corners(const std::vector<fixture_points::FixturePoint>& job, int count) {
  std::vector<P> corners;
  for (int i = 0; i < count; ++i) corners.push_back({job[i].x, job[i].y});
  return corners;
}

double Direction(P from, P to) { return std::atan2(to.y - from.y, to.x - from.x) * 180 / 3.14159265358979323846; }

// The point through which the fan from vertex `b`, in vertex order, cuts off `target`.
P FanCut(const std::vector<P>& poly, size_t b, double target) {
  const size_t n = poly.size();
  double area = 0;
  for (size_t k = 1; k + 1 < n; ++k) {
    const P p = poly[(b + k) % n];
    const P q = poly[(b + k + 1) % n];
    const double triangle = clip_oracle::Shoelace({poly[b], p, q});
    if (area + triangle > target) {
      const double t = (target - area) / triangle;
      return {p.x + t * (q.x - p.x), p.y + t * (q.y - p.y)};
    }
    area += triangle;
  }
  return {};
}

void ExpectPoints(const std::vector<P>& actual, const std::vector<P>& expected, const std::string& transcript) {
  ASSERT_EQ(actual.size(), expected.size()) << transcript;
  for (size_t i = 0; i < expected.size(); ++i) {
    SCOPED_TRACE(i);
    EXPECT_NEAR(actual[i].x, expected[i].x, 1e-3);
    EXPECT_NEAR(actual[i].y, expected[i].y, 1e-3);
  }
}

int Count(const std::string& text, const std::string& part) {
  int n = 0;
  for (size_t at = text.find(part); at != std::string::npos; at = text.find(part, at + 1)) ++n;
  return n;
}

// The parcel entered point by point, then the division menu's commands.
std::string DivisionScript(const std::string& corners, const std::string& commands) {
  return "6\n5\n\n" + corners + "\n" + commands + "\n\n";
}

TEST(DivisionSession, TheRectangleIsCutWhereTheClipCutsIt) {
  // A 20 x 10 rectangle (X north, Y east), clockwise, and a point south of it.
  const std::vector<fixture_points::FixturePoint> job = {
      {0, 0, "R1", ""}, {20, 0, "R2", ""}, {20, 10, "R3", ""}, {0, 10, "R4", ""}, {-10, 5, "S", ""}};
  const std::string t = Session(DivisionScript("R1\nR2\nR3\nR4\n",
                                               "1\nR1\nR2\n\n\n"             // base line R1 to R2
                                               "6\n5\n\n\n\n\n\n"            // at 5 m: two points
                                               "6\n10\n\n"                   // at the largest offset: none
                                               "5\n100\n\n\n\n\n\n"          // half the area
                                               "5\n-150\n\n\n\n\n\n"         // 200 less 150
                                               "5\n0\n\n"                    // no area: none
                                               "1\nS\nR1\n\n\n"              // base line S to R1
                                               "7\n60\n\n\n\n\n\n"           // through S
                                               "3\nR1\n"                     // base point moved to R1
                                               "7\n50\n\n\n\n"),             // through the vertex R1
                                job);
  const std::vector<P> rect = Corners(job, 4);
  const P r1{0, 0}, s{-10, 5};
  const clip_oracle::Clip five = clip_oracle::ClipBelow(rect, r1, 0, 5);
  const clip_oracle::Clip hundred = clip_oracle::ClipBelow(rect, r1, 0, clip_oracle::OffsetFor(rect, r1, 0, 100));
  const clip_oracle::Clip fifty = clip_oracle::ClipBelow(rect, r1, 0, clip_oracle::OffsetFor(rect, r1, 0, 50));
  const double through = clip_oracle::DirectionFor(rect, s, Direction(s, {0, 0}), Direction(s, {0, 10}), 60);
  const clip_oracle::Clip sixty = clip_oracle::ClipBelow(rect, s, through, 0);
  ExpectPoints(Registered(t),
               {five.rising, five.falling, hundred.rising, hundred.falling, fifty.rising, fifty.falling,
                sixty.rising, sixty.falling, FanCut(rect, 0, 50)},
               t);
  // The rectangle's middles, the east side first from R1 clockwise.
  EXPECT_NEAR(five.rising.x, 20, 1e-9);
  EXPECT_NEAR(five.rising.y, 5, 1e-9);
  EXPECT_EQ(Count(t, U8(u8" 計算出来ません")), 2) << t;
  EXPECT_NE(t.find(U8(u8" 200 － 150 ＝ 50 ㎡")), std::string::npos) << t;
  EXPECT_NE(t.find(U8(u8"R3 ｶﾗ L=")), std::string::npos) << t;
}

TEST(DivisionSession, TheIrregularQuadrilateralIsCutWhereTheClipCutsIt) {
  const std::vector<fixture_points::FixturePoint> job = {
      {0, 0, "Q1", ""}, {30, 5, "Q2", ""}, {25, 40, "Q3", ""}, {-5, 30, "Q4", ""}, {-20, 10, "W1", ""}};
  const std::string t = Session(DivisionScript("Q1\nQ2\nQ3\nQ4\n",
                                               "1\nQ1\nQ2\n\n\n"
                                               "6\n8\n\n\n\n\n\n"
                                               "5\n300\n\n\n\n\n\n"
                                               "1\nW1\nQ1\n\n\n"
                                               "7\n400\n\n\n\n\n\n"
                                               "3\nQ2\n"
                                               "7\n100\n\n\n\n"),
                                job);
  const std::vector<P> quad = Corners(job, 4);
  const P q1{0, 0}, o{-20, 10};
  const double base = Direction(q1, {30, 5});
  const clip_oracle::Clip eight = clip_oracle::ClipBelow(quad, q1, base, 8);
  const clip_oracle::Clip area = clip_oracle::ClipBelow(quad, q1, base, clip_oracle::OffsetFor(quad, q1, base, 300));
  double lo = 1e9, hi = -1e9;
  for (const P& p : quad) {
    lo = std::min(lo, Direction(o, p));
    hi = std::max(hi, Direction(o, p));
  }
  const clip_oracle::Clip through = clip_oracle::ClipBelow(quad, o, clip_oracle::DirectionFor(quad, o, lo, hi, 400), 0);
  ExpectPoints(Registered(t),
               {eight.rising, eight.falling, area.rising, area.falling, through.rising, through.falling,
                FanCut(quad, 1, 100)},
               t);
}

TEST(DivisionSession, AnAnticlockwiseParcelIsShownReversedWithAPositiveArea) {
  const std::vector<fixture_points::FixturePoint> job = {
      {0, 0, "R1", ""}, {20, 0, "R2", ""}, {20, 10, "R3", ""}, {0, 10, "R4", ""}};
  const std::string t = Session(DivisionScript("R1\nR4\nR3\nR2\n", ""), job);
  EXPECT_NE(t.find(" R2       R3       R4       R1"), std::string::npos) << t;
  EXPECT_NE(t.find(U8(u8"分割対象  地番＝     面積＝ 200 ㎡")), std::string::npos) << t;
}

}  // namespace
