// Command 4 in whole sessions: the instrument station set up from a bench mark
// and by a typed height, points fixed on a water surface and saved with the
// job; then with the total station played on a pseudo-terminal: a stake-out
// report for two points, the guidance to one, and a water-surface sight read
// from the instrument.
#include <gtest/gtest.h>
#include <stdlib.h>

#include <cmath>
#include <optional>
#include <sstream>
#include <string>
#include <vector>

#include "session/fixture_points.h"
#include "support/pty_peer.h"
#include "support/u8.h"

namespace {

// The station ST looks north to BS; P1 lies 30 north of it, P2 40 east.
const std::vector<fixture_points::FixturePoint> kJob = {
    {100, 100, "ST", "91"}, {200, 100, "BS", "91"}, {130, 100, "P1", "91"}, {100, 140, "P2", "91"}};

// X, Y, Z of the saved points that are not the job's own.
struct Saved {
  double x, y, z;
};
std::vector<Saved> NewPoints(const std::string& prn) {
  std::vector<Saved> points;
  std::istringstream in(prn);
  for (std::string line; std::getline(in, line);) {
    std::istringstream fields(line);
    std::string name;
    Saved s{};
    if (!(fields >> name >> s.x >> s.y >> s.z)) continue;
    if (name == "ST" || name == "BS" || name == "P1" || name == "P2") continue;
    points.push_back(s);
  }
  return points;
}

bool Contains(const std::string& text, const std::string& part) { return text.find(part) != std::string::npos; }

TEST(StakeOutSession, BenchMarkSetUpAndWaterSurfacePointsAreSaved) {
  const TempFolder data, windows, io;
  const int status = fixture_points::Run(
      // The set-up from a bench mark whose height is typed (Enter at its point
      // question): 10, z 1.2, f 1.5; the station's height 8 asked after it.
      "4\n1\nST\nBS\nB\n\n10\n1.2\n1.5\n8\n"
      // Set up again with the instrument height 3.5 (the station keeps 8).
      "1\nST\nBS\n3.5\n"
      // The water surface at 5: IH 90 / IV 120, then IH 47.1520 / IV 105.3000,
      // target height 0, each registered as proposed; a rising sight refused.
      "3\n1\n5\n90\n120\n0\n\n\n47.1520\n105.3\n0\n\n\n90\n60\n0\n\n"
      // Back at the stake-out menu: Enter, the result menu, the job saved.
      "\n\n5\n4\n1\n!file OUT.PRN\n",
      kJob, data, windows, io);
  const std::string transcript = ReadHostFile(io / "out");
  ASSERT_EQ(status, 0) << ReadHostFile(io / "err") << transcript;
  EXPECT_TRUE(Contains(transcript, "BM Z=     8.000   I=   2.300")) << transcript;
  EXPECT_TRUE(Contains(transcript, "Z=     8.000   I=   3.500")) << transcript;
  const std::vector<Saved> saved = NewPoints(ReadHostFile(data / "OUT.PRN"));
  ASSERT_EQ(saved.size(), 2u) << ReadHostFile(data / "OUT.PRN");
  EXPECT_NEAR(saved[0].x, 100, 5e-4);
  EXPECT_NEAR(saved[0].y, 111.258, 5e-4);
  EXPECT_NEAR(saved[0].z, 5, 5e-4);
  // The oblique sight: 6.5 m down at 15-30-00 below the horizon.
  const double h = 6.5 / std::tan(15.5 * M_PI / 180);
  const double a = (47 + 15.0 / 60 + 20.0 / 3600) * M_PI / 180;
  EXPECT_NEAR(saved[1].x, 100 + h * std::cos(a), 5e-4);
  EXPECT_NEAR(saved[1].y, 100 + h * std::sin(a), 5e-4);
  EXPECT_NEAR(saved[1].z, 5, 5e-4);
}

TEST(StakeOutSession, TheTotalStationGuidesAndReadsTheWaterSurfaceSight) {
  // The guidance's measurement (29.000 m level, reading 0: one metre short of
  // P1) with its stop code unanswered, then the angle reading 120 / 90.
  PtyPeer peer({"00029000 0900000 0000000", std::nullopt, "00000000 1200000 0900000"});
  setenv("KRN_COM1", peer.device().c_str(), 1);
  // The program runs as its own process (the peer's thread stays in this one).
  const scripted::Files job = {{"J.PRN",
                                "ST     100.000  100.000   0.000 91\r\n"
                                "BS     200.000  100.000   0.000 91\r\n"
                                "P1     130.000  100.000   0.000 91\r\n"
                                "P2     100.000  140.000   0.000 91\r\n"}};
  const scripted::SessionResult session = scripted::Krn(
      // Station ST to BS, instrument height 1.5, the station's height 10.
      "4\n1\nST\nBS\n1.5\n10\n"
      // Kind 8: P1 and P2 reported; kind 4: P1 guided from one measurement
      // (its target height kept, nothing registered).
      "8\nP1\nP2\n\n4\nP1\n@\n\n\n\n"
      // The water surface at 5 from the instrument's angles, target height 0.
      "3\n1\n5\n@\n0\n\n\n\n\n\n5\n4\n1\n!file OUT.PRN\n",
      {"./J.PRN"}, job);
  unsetenv("KRN_COM1");
  const std::string& transcript = session.transcript;
  ASSERT_EQ(session.status, 0) << session.errors << transcript;
  // The report of both points from the station, the leg's distance in it.
  EXPECT_TRUE(Contains(transcript, " BS --[ST]--> P1")) << transcript;
  EXPECT_TRUE(Contains(transcript, " BS --[ST]--> P2")) << transcript;
  EXPECT_TRUE(Contains(transcript, "L=    30.000")) << transcript;
  EXPECT_TRUE(Contains(transcript, "L=    40.000")) << transcript;
  // The target one metre short: move 1.000 away from the instrument (the
  // arccosine of -1 gives 179.99982).
  EXPECT_TRUE(Contains(transcript, "H=  179-59-40  l=     1.000")) << transcript;
  // The trigger and its stop, then the angle request.
  EXPECT_EQ(peer.Received(9), std::string("\x11\r\n\x12\r\n\0\r\n", 9));
  const std::vector<Saved> saved = NewPoints(session.File("OUT.PRN"));
  ASSERT_EQ(saved.size(), 1u) << session.File("OUT.PRN");
  EXPECT_NEAR(saved[0].x, 100, 5e-4);
  EXPECT_NEAR(saved[0].y, 111.258, 5e-4);
  EXPECT_NEAR(saved[0].z, 5, 5e-4);
}

}  // namespace
