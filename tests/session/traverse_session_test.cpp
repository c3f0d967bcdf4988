// Command 1 in whole sessions: a radiation from a stored station and an open
// traverse, with the report and the job saved; and a traverse kinds input
// recorded into the field book and saved as a ".Y" file.
#include <gtest/gtest.h>

#include <cstdlib>
#include <sstream>
#include <string>
#include <utility>

#include "session/fixture_points.h"
#include "support/u8.h"

namespace {

std::string Golden(const std::string& name, const std::string& actual) {
  const std::string path = std::string(KRN_TEST_DATA) + "/traverse/" + name;
  if (std::getenv("KRN_WRITE_GOLDEN") != nullptr) WriteHostFile(path, actual);
  return ReadHostFile(path);
}

bool HasLine(const std::string& text, const std::string& line) {
  std::istringstream in(text);
  for (std::string l; std::getline(in, l);) {
    if (!l.empty() && l.back() == '\r') l.pop_back();
    if (l == line) return true;
  }
  return false;
}

// X and Y of `name` in a saved point list.
std::pair<double, double> Saved(const std::string& list, const std::string& name) {
  std::istringstream in(list);
  for (std::string line; std::getline(in, line);) {
    std::istringstream fields(line);
    std::string first;
    double x = 0, y = 0;
    if (fields >> first >> x >> y && first == name) return {x, y};
  }
  ADD_FAILURE() << name << " not saved:\n" << list;
  return {0, 0};
}

TEST(TraverseSession, RadiationThenAnOpenTraverseAreReportedAndRegistered) {
  const TempFolder data, windows, io;
  const std::vector<fixture_points::FixturePoint> job = {{100, 200, "S1", ""}, {0, 0, "A", ""}};
  // Radiation from S1 oriented 30 degrees, instrument height 1.5, station
  // height 10: H 45, Enter at "L=" for "S=" 50, V 80, f 1.6, named P1. Enter at
  // "H=" for a new station A oriented 0 without heights; "P" to the open
  // traverse: 90 and L 100 as P2, 270 and L 50 as P3. Q, the report saved from
  // the result menu, then the job through command 5.
  const int status = fixture_points::Run(
      "1\n2\nS1\n\n30\n1.5\n10\n"
      "45\n\n50\n80\n1.6\nP1\n\n"
      "\nA\n\n0\n\n"
      "P\n90\n\n100\nP2\n\n270\n50\nP3\n\nQ\n"
      "3\n\n!file REPORT\n\n"
      "5\n4\n1\n!file OUT.PRN\n\n",
      job, data, windows, io);
  const std::string transcript = ReadHostFile(io / "out");
  ASSERT_EQ(status, 0) << ReadHostFile(io / "err") << transcript;
  const std::string report = ReadHostFile(data / "REPORT.TXT");
  for (const char* line : {
           "               A=   30-00-00  Z=     10.000  i=      1.500",
           "               H=   45-00-00  S=     50.000  V=   80-00-00  f= 1.600",
           "               L=     49.240",
           "               A=    0-00-00",
           "               h=   90-00-00  L=    100.000",
           "               h=  270-00-00  L=     50.000",
       }) {
    EXPECT_TRUE(HasLine(report, line)) << line << "\n" << report;
  }
  const std::string saved = ReadHostFile(data / "OUT.PRN");
  const auto [x1, y1] = Saved(saved, "P1");
  EXPECT_NEAR(x1, 112.744, 1e-3);
  EXPECT_NEAR(y1, 247.563, 1e-3);
  const auto [x2, y2] = Saved(saved, "P2");
  EXPECT_NEAR(x2, 0, 1e-3);
  EXPECT_NEAR(y2, 100, 1e-3);
  const auto [x3, y3] = Saved(saved, "P3");
  EXPECT_NEAR(x3, -50, 1e-3);
  EXPECT_NEAR(y3, 100, 1e-3);
}

TEST(TraverseSession, AKindsInputIsRecordedAndSavedAsAYFile) {
  const TempFolder data, windows, io;
  const std::vector<fixture_points::FixturePoint> job = {{0, 0, "A", ""}, {100, 0, "B", ""}};
  // Kind 3 from A (no height: Z 10) to B, instrument height 1.5; "P" for a
  // radiation sight R1 (45, S 50, V 80, f kept), "P" again for a turning sight
  // T1 (90, S 100, V 90, f kept) with the next instrument height 1.6; Enter
  // back at the kinds menu, choice 7 writes OUT.Y, Enter at the kinds menu.
  const int status = fixture_points::Run(
      "1\n3\n3\nA\nB\n1.5\n10\n"
      "P\n45\n50\n80\n\nR1\n"
      "P\n90\n100\n90\n\nT1\n1.6\n\n"
      "7\n1\n!file OUT.Y\n\n\n",
      job, data, windows, io);
  const std::string transcript = ReadHostFile(io / "out");
  ASSERT_EQ(status, 0) << ReadHostFile(io / "err") << transcript;
  const std::string book = ReadHostFile(data / "OUT.Y");
  EXPECT_EQ(book, Golden("kind3.Y", book));
}

}  // namespace
