// Command 2 in a whole program run: the circle and line crossing, the
// crossing of two circles on an oblique base, the circle extension through
// three points of which two lie as far from the first, and the line extension
// with offsets, a gradient, a new start and heights; the job saved through
// the file menu holds the points the geometry worked here gives.
#include <gtest/gtest.h>

#include <cmath>
#include <sstream>
#include <string>
#include <vector>

#include "scripted/session.h"
#include "support/u8.h"

namespace {

using scripted::HasLineContaining;
using scripted::Krn;
using scripted::SessionResult;

// Whether some line of the saved point list holds x, y (and z) in a row.
bool Saved(const std::string& file, double x, double y, double z) {
  std::istringstream in(file);
  for (std::string line; std::getline(in, line);) {
    for (char& ch : line) {
      if (ch == ',' || ch == '\t' || ch == '\r') ch = ' ';
    }
    std::istringstream fields(line);
    std::vector<double> values;
    for (std::string field; fields >> field;) {
      char* end = nullptr;
      const double v = std::strtod(field.c_str(), &end);
      if (end && *end == '\0') values.push_back(v);
    }
    for (size_t i = 0; i + 2 < values.size(); ++i) {
      if (std::fabs(values[i] - x) < 5e-4 && std::fabs(values[i + 1] - y) < 5e-4 &&
          std::fabs(values[i + 2] - z) < 5e-4)
        return true;
    }
  }
  return false;
}

TEST(LineAndCircleSession, KindsSixSevenElevenAndTwelveRegisterTheirPoints) {
  const std::string job =
      "AA 0 0 0\r\nBB 0 100 0\r\nCC 10 50 0\r\n"            // the line X = 0, the centre
      "PA 100 200 0\r\nPB 130 240 0\r\n"                     // an oblique base, 50 long
      "K1 110 200 0\r\nK2 100 210 0\r\nK3 100 190 0\r\n"    // on the circle about (100, 200)
      "L1 0 0 100\r\nL2 100 0 0\r\nL3 50 50 90\r\n";        // the line and a new start
  const std::string script =
      // Kind 7, W 0 and R 20, registered; choice 4 ends it.
      "2\n7\nAA\nBB\nCC\n\n20\n\n\n4\n"
      // Kind 6, AR 40 and BR 30, registered; Enter at the side, Enter at A.
      "6\nPA\nPB\n40\n30\n\n\n\n\n"
      // Kind 11 through K1, K2, K3 (|AC| = |AB|): an eighth of the circle.
      "11\nK1\nK2\nK3\n7.854\n\n\nQ\n"
      // Kind 12: offsets on, 10 and its offset 2; 2 %, 25; a new start at L3, 10.
      "12\nL1\nL2\nC\n10\n\n\n2\n\n\n\n2%\n25\n\n\n\n\nL3\n\n10\n\n\n\nQ\n"
      // Back to the main menu and the job saved as OUT.PRN.
      "\n\n5\n4\n1\n!file OUT.PRN\n";
  const SessionResult session = Krn(script, {"./JOB.PRN"}, {{"JOB.PRN", job}});
  ASSERT_EQ(session.status, 0) << session.errors << session.transcript;
  const std::string saved = session.File("OUT.PRN");

  // The line X = 0 through (X - 10)² + (Y - 50)² = 400 on A's side.
  EXPECT_TRUE(Saved(saved, 0, 50 - std::sqrt(300.0), 0)) << saved;
  // The circles 40 about PA and 30 about PB: along the base (1600 - 900 +
  // 2500) / 100 = 32, across it √(1600 - 32²) = 24 to the right.
  const double ux = 30.0 / 50, uy = 40.0 / 50;
  EXPECT_TRUE(Saved(saved, 100 + 32 * ux - 24 * uy, 200 + 32 * uy + 24 * ux, 0)) << saved;
  // The circumcircle of K1, K2, K3 is about (100, 200) with radius 10; the arc
  // 7.854 from K1 clockwise turns by 7.854 / 10 radians.
  EXPECT_TRUE(Saved(saved, 100 + 10 * std::cos(0.7854), 200 + 10 * std::sin(0.7854), 0)) << saved;
  EXPECT_TRUE(HasLineContaining(session, "CL= 15.708")) << session.transcript;
  // The line: 10 and its offset to the right; 25 at 2 % from the height 100;
  // 10 from L3 at 2 % from its height 90.
  EXPECT_TRUE(Saved(saved, 10, 0, 0)) << saved;
  EXPECT_TRUE(Saved(saved, 10, 2, 0)) << saved;
  EXPECT_TRUE(Saved(saved, 25, 0, 100.5)) << saved;
  EXPECT_TRUE(Saved(saved, 60, 50, 90.2)) << saved;
}

}  // namespace
