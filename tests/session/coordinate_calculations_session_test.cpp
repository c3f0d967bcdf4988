// Command 2 in a whole session: kind 1 and a four-point intersection at
// public-coordinate magnitudes register their points, and the job saved
// through the file menu holds both.
#include <gtest/gtest.h>

#include <sstream>
#include <string>
#include <utility>

#include "session/fixture_points.h"
#include "support/u8.h"

namespace {

TEST(CoordinateCalculationsSession, KindOneAndAPublicIntersectionAreRegisteredAndSaved) {
  const TempFolder data, windows, io;
  const std::vector<fixture_points::FixturePoint> job = {
      {0, 0, "KA", "91"},
      {100, 0, "KB", "91"},
      {-145678.123, -35012.345, "PA", "91"},
      {-145678.123, -34890.123, "PB", "91"},
      {-145712.456, -34950.789, "PC", "91"},
      {-145601.234, -34950.789, "PD", "91"},
  };
  // Kind 1 from KA, KB with b = 50 and H = 97-07-30.059, registered as 7;
  // Enter at A back to the menu; kind 4, registered as 8; Q at the next C;
  // the result menu kept; then coordinate management's file menu saves the job
  // as OUT.PRN.
  const int status = fixture_points::Run(
      "2\n1\nKA\nKB\n50\n97.0730059\n\n\n\n"
      "4\nPA\nPB\nPC\nPD\n\n\nQ\n"
      "\n5\n4\n1\n!file OUT.PRN\n",
      job, data, windows, io);
  const std::string transcript = ReadHostFile(io / "out");
  ASSERT_EQ(status, 0) << ReadHostFile(io / "err") << transcript;
  // The saved lines of the two new points: name, X, Y, Z and attribute.
  const std::string saved = ReadHostFile(data / "OUT.PRN");
  const auto coordinates = [&](const std::string& name) {
    std::istringstream in(saved);
    for (std::string line; std::getline(in, line);) {
      std::istringstream fields(line);
      std::string first;
      double x = 0, y = 0;
      if (fields >> first >> x >> y && first == name) return std::pair{x, y};
    }
    ADD_FAILURE() << name << " not saved:\n" << saved;
    return std::pair{0.0, 0.0};
  };
  const auto [x1, y1] = coordinates("T.1");
  EXPECT_NEAR(x1, 30, 1e-3);
  EXPECT_NEAR(y1, 40, 1e-3);
  // The crossing worked by the cross product, to the millimetre and beyond.
  const auto [x2, y2] = coordinates("T.2");
  EXPECT_NEAR(x2, -145678.123, 1e-4);
  EXPECT_NEAR(y2, -34950.789, 1e-4);
  EXPECT_NE(transcript.find("PA ->  61.556  PC -> 34.333"), std::string::npos) << transcript;
}

}  // namespace
