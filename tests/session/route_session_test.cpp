// The route commands in whole sessions: the curve-elements screen with a
// symmetric and an asymmetric clothoid curve, and a route of a clothoid curve
// and a simple curve computed, registered and converted into a profile.
#include <gtest/gtest.h>

#include <cmath>
#include <filesystem>
#include <sstream>
#include <string>
#include <vector>

#include "session/fixture_points.h"
#include "support/u8.h"

namespace {

constexpr double kPi = 3.14159265358979323846;

bool Has(const std::string& transcript, const std::string& text) {
  return transcript.find(text) != std::string::npos;
}

TEST(RouteSession, CurveElementsScreenShowsSymmetricAndAsymmetricCurves) {
  const TempFolder data, windows, io;
  // IA 30, R 200, A1 = A2 = 100; Enter for a new input pass with A2 80; Q.
  const int status = fixture_points::Run("3\n4\n30\n200\n100\n100\n\n\n\n\n80\nQ{NOENTER}\n", {{0, 0, "P1", "91"}},
                                         data, windows, io);
  const std::string transcript = ReadHostFile(io / "out");
  ASSERT_EQ(status, 0) << ReadHostFile(io / "err") << transcript;
  EXPECT_TRUE(Has(transcript, "T1=     78.716  T2=     78.716  cL=   154.720")) << transcript;
  EXPECT_TRUE(Has(transcript, "Nc=     7.595")) << transcript;
  EXPECT_TRUE(Has(transcript, "T1=     78.100  T2=     70.260  cL=   145.720")) << transcript;
  EXPECT_TRUE(Has(transcript, "XM=     15.997")) << transcript;
}

struct Saved {
  std::string name;
  double x = 0, y = 0;
};

std::vector<Saved> ReadSaved(const std::string& text) {
  std::vector<Saved> points;
  std::istringstream in(text);
  for (std::string line; std::getline(in, line);) {
    std::istringstream fields(line);
    Saved s;
    if (fields >> s.name >> s.x >> s.y) points.push_back(s);
  }
  return points;
}

TEST(RouteSession, RouteWithAClothoidAndASimpleCurveIsRegisteredAndSaved) {
  const TempFolder data, windows, io;
  // North to IP1 (right 30 degrees, R 200, A1 100, A2 80), to IP2 (left 30
  // degrees, R 150), north to the end.
  const double ip2x = 400 + 400 * std::cos(kPi / 6), ip2y = 400 * std::sin(kPi / 6);
  const std::vector<fixture_points::FixturePoint> job = {
      {0, 0, "S", "91"}, {400, 0, "IP1", "91"}, {ip2x, ip2y, "IP2", "91"}, {ip2x + 300, ip2y, "E", "91"}};
  // Route menu, series route, IP input; compute with the proposed start
  // number; then the file menu saves the job.
  const int status = fixture_points::Run(
      "3\n6\n1\n\n1\n\n2\n200\n100\n80\n\n3\n150\n0\n0\n\n4\n9999\n"
      "3\n\n"
      "\n\n5\n4\n1\n!file OUT.PRN\n",
      job, data, windows, io);
  const std::string transcript = ReadHostFile(io / "out");
  ASSERT_EQ(status, 0) << ReadHostFile(io / "err") << transcript;
  const std::vector<Saved> saved = ReadSaved(ReadHostFile(data / "OUT.PRN"));
  auto find = [&](const std::string& name) {
    for (const Saved& s : saved) {
      if (s.name == name) return s;
    }
    ADD_FAILURE() << name << " not saved";
    return Saved{};
  };
  // Stations on the first straight, 20 m apart.
  for (int n = 0; n <= 15; ++n) {
    const Saved s = find("NO." + std::to_string(n));
    EXPECT_NEAR(s.x, 20 * n, 1e-3) << n;
    EXPECT_NEAR(s.y, 0, 1e-3) << n;
  }
  // The simple curve at IP2: BC and EC a tangent length R tan 15 either side.
  const double tl = 150 * std::tan(kPi / 12);
  const Saved bc = find("BC.2");
  EXPECT_NEAR(bc.x, ip2x - tl * std::cos(kPi / 6), 1e-3);
  EXPECT_NEAR(bc.y, ip2y - tl * std::sin(kPi / 6), 1e-3);
  const Saved ec = find("EC.2");
  EXPECT_NEAR(ec.x, ip2x + tl, 1e-3);
  EXPECT_NEAR(ec.y, ip2y, 1e-3);
  // The clothoid curve's main points are there; the end point once more.
  for (const char* name : {"KA1-1", "KE1-1", "KE1-2", "KA1-2", "SP.2"}) find(name);
  int ends = 0;
  for (const Saved& s : saved) ends += s.name == "E";
  EXPECT_EQ(ends, 2);
}

TEST(RouteSession, ClothoidCalculationRegistersItsPoints) {
  const TempFolder data, windows, io;
  // Base point B, direction 0, A 100, R 200: KE and M; L 25 and W 5 there;
  // Enter at W and L, Q at the next base point; then the job saved.
  const int status = fixture_points::Run(
      "3\n3\nB\n\n0\n100\n200\n\n\n\n\n25\n\n\n5\n\n\n\n\nQ\n"
      "\n5\n4\n1\n!file OUT.PRN\n",
      {{1000, 2000, "B", "91"}}, data, windows, io);
  const std::string transcript = ReadHostFile(io / "out");
  ASSERT_EQ(status, 0) << ReadHostFile(io / "err") << transcript;
  const std::vector<Saved> saved = ReadSaved(ReadHostFile(data / "OUT.PRN"));
  ASSERT_EQ(saved.size(), 5u) << transcript;
  const double expected[][2] = {{1000, 2000}, {1049.922, 2002.081}, {1024.987, 2200.521}, {1024.998, 2000.260},
                                {1024.841, 2005.258}};
  for (int k = 0; k < 5; ++k) {
    EXPECT_NEAR(saved[k].x, expected[k][0], 1e-3) << k;
    EXPECT_NEAR(saved[k].y, expected[k][1], 1e-3) << k;
  }
  EXPECT_TRUE(Has(transcript, U8(u8"ﾀｳ= 7.0943"))) << transcript;
}

}  // namespace
