// The route commands in whole sessions: the curve-elements screen with a
// symmetric and an asymmetric clothoid curve, and a route of a clothoid curve
// and a simple curve computed, registered and converted into a profile.
#include <gtest/gtest.h>

#include <cmath>
#include <filesystem>
#include <sstream>
#include <string>
#include <vector>

#include "route/route_walk.h"
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

// The route of the run above as IP input lines.
const char* kRouteInput = "3\n6\n1\n\n1\n\n2\n200\n100\n80\n\n3\n150\n0\n0\n\n4\n9999\n";

std::vector<fixture_points::FixturePoint> RouteJob() {
  const double ip2x = 400 + 400 * std::cos(kPi / 6), ip2y = 400 * std::sin(kPi / 6);
  return {{0, 0, "S", "91"}, {400, 0, "IP1", "91"}, {ip2x, ip2y, "IP2", "91"}, {ip2x + 300, ip2y, "E", "91"}};
}

std::vector<std::string> FilesIn(const TempFolder& folder) {
  std::vector<std::string> names;
  for (const auto& e : std::filesystem::directory_iterator(folder.path())) names.push_back(e.path().filename());
  return names;
}

TEST(RouteSession, PlanProfileConversionIsSavedAndReloaded) {
  const TempFolder data, windows, io;
  // Conversion 2 (plan profile), the proposed start number; the job in memory
  // not saved, the profile saved under the proposed name and read back; Enter
  // at the result menu leads to the main menu, which opens the section settings.
  const int status =
      fixture_points::Run(std::string(kRouteInput) + "4\n2\n\nN\n!ok\n\n", RouteJob(), data, windows, io);
  const std::string transcript = ReadHostFile(io / "out");
  ASSERT_EQ(status, 0) << ReadHostFile(io / "err") << transcript;
  std::string prn, sen;
  for (const std::string& name : FilesIn(data)) {
    if (name.find(U8(u8"縦断")) == std::string::npos) continue;
    if (name.ends_with(".PRN")) prn = ReadHostFile(data / name);
    if (name.ends_with(".SEN")) sen = ReadHostFile(data / name);
  }
  ASSERT_FALSE(prn.empty()) << transcript;
  const std::vector<Saved> saved = ReadSaved(prn);
  ASSERT_GT(saved.size(), 20u);
  // Lower-case names, X the plan height (no vertical alignment: 0), Y the chainage.
  EXPECT_EQ(saved[0].name, "no.0");
  EXPECT_NEAR(saved[0].y, 0, 1e-3);
  EXPECT_EQ(saved[5].name, "no.5");
  EXPECT_NEAR(saved[5].y, 100, 1e-3);
  EXPECT_NE(prn.find("92"), std::string::npos);
  // The profile line starts at its first point.
  EXPECT_FALSE(sen.empty());
  // The reloaded section opens its settings at the next main menu, with the
  // conversion's ratio 0.2 shown as 5.
  EXPECT_TRUE(Has(transcript, U8(u8" 1:描画ON,OFF  2:縮尺  3:位置設定  4:項目変更  5:縦断勾配 "))) << transcript;
  EXPECT_TRUE(Has(transcript, U8(u8"縦比率＝ 5"))) << transcript;
}

TEST(RouteSession, WidthStakesOnAStraightAClothoidAndAnArcWithAPlusPoint) {
  const TempFolder data, windows, io;
  // From NO.3: W 3, Enter; plus point L 12.5 with W -3 there, Enter, Enter;
  // Enter through NO.4-NO.16 and KA1-1; NO.17 on the entry clothoid W 2;
  // NO.18, KE1-1; NO.19 on the arc W 2; Q. Each stored point takes two Enters.
  std::string script = std::string(kRouteInput) + "5\nNO.3\n3\n\n\n\n12.5\n\n\n-3\n\n\n\n\n";
  for (int n = 4; n <= 16; ++n) script += "\n\n";
  script += "\n2\n\n\n\n\n";   // KA1-1; NO.17
  script += "\n\n\n";          // NO.18, KE1-1
  script += "2\n\n\nQ\n";      // NO.19
  script += "\n\n5\n4\n1\n!file OUT.PRN\n";
  const int status = fixture_points::Run(script, RouteJob(), data, windows, io);
  const std::string transcript = ReadHostFile(io / "out");
  ASSERT_EQ(status, 0) << ReadHostFile(io / "err") << transcript;
  const std::vector<Saved> saved = ReadSaved(ReadHostFile(data / "OUT.PRN"));
  ASSERT_EQ(saved.size(), 4u + 5u) << transcript;
  // On the north straight: W 3 east of NO.3, the plus point 12.5 further, W -3 west of it.
  EXPECT_NEAR(saved[4].x, 60, 1e-3);
  EXPECT_NEAR(saved[4].y, 3, 1e-3);
  EXPECT_NEAR(saved[5].x, 72.5, 1e-3);
  EXPECT_NEAR(saved[5].y, 0, 1e-3);
  EXPECT_NEAR(saved[6].x, 72.5, 1e-3);
  EXPECT_NEAR(saved[6].y, -3, 1e-3);
  // NO.19 on the arc of the right turn: R - 2 from the centre; NO.17's stake
  // 2 m from the centre line, to the right of north-ish travel.
  route::RouteInput in;
  for (const auto& f : RouteJob()) {
    route::RouteNode n;
    n.x = f.x;
    n.y = f.y;
    n.name = f.name;
    in.nodes.push_back(n);
  }
  in.nodes[1].r = 200;
  in.nodes[1].a1 = 100;
  in.nodes[1].a2 = 80;
  in.nodes[2].r = 150;
  const route::RouteWalk walk = route::WalkRoute(in);
  for (const route::WalkEvent& e : walk.events) {
    if (e.kind != route::WalkEvent::Point) continue;
    const route::WalkPoint& q = e.point;
    const route::ElementState& el = q.element;
    if (q.name == "NO.17") {
      ASSERT_EQ(el.kind, 3);
      const double normal = (el.clothoidBase + 90 + el.clothoidTangent) * kPi / 180;
      EXPECT_NEAR(saved[7].x, q.x + 2 * std::cos(normal), 1e-3);
      EXPECT_NEAR(saved[7].y, q.y + 2 * std::sin(normal), 1e-3);
    }
    if (q.name == "NO.19") {
      ASSERT_EQ(el.kind, 2);
      EXPECT_NEAR(std::hypot(saved[8].x - el.centreX, saved[8].y - el.centreY), 198, 1e-3);
      EXPECT_NEAR(std::hypot(saved[8].x - q.x, saved[8].y - q.y), 2, 1e-3);
    }
  }
  EXPECT_TRUE(Has(transcript, "NO.3 L= 12.5")) << transcript;
}

}  // namespace
