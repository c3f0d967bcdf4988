// Command 7 in a whole session: the normal transformation in single mode
// carries a point by two local base lines and another by two base lines at
// public-coordinate magnitudes, and the job saved through the file menu holds
// both.
#include <gtest/gtest.h>

#include <complex>
#include <sstream>
#include <string>

#include "session/fixture_points.h"

namespace {

TEST(TransformationSession, SingleModeRegistersAndTheSavedJobHoldsThePoints) {
  const TempFolder data, windows, io;
  const std::complex<double> pb1(-145678.123, -35012.345), pb2(-145601.234, -34950.789);
  const std::complex<double> pa1(12345.678, 23456.789), pa2(12400.512, 23530.254);
  const std::complex<double> ps(-145650.5, -35000.25);
  const std::vector<fixture_points::FixturePoint> job = {
      {0, 0, "B1", "91"},          {0, 10, "B2", "91"},           {100, 100, "A1", "91"},
      {110, 100, "A2", "91"},      {5, 0, "S", "91"},             {pb1.real(), pb1.imag(), "PB1", "91"},
      {pb2.real(), pb2.imag(), "PB2", "91"}, {pa1.real(), pa1.imag(), "PA1", "91"},
      {pa2.real(), pa2.imag(), "PA2", "91"}, {ps.real(), ps.imag(), "PS", "91"},
  };
  // Kind 1, the local bases, single mode, S registered with its proposals;
  // new bases ("2") at public magnitudes, PS registered; END, Enter at the
  // menu, the result menu left, and the job saved as OUT.PRN.
  const int status = fixture_points::Run(
      "7\n1\nB1\nB2\nA1\nA2\n\n3\nS\n\n\n\n"
      "2\nPB1\nPB2\nPA1\nPA2\n\n3\nPS\n\n\n\n\n\n"
      "\n5\n4\n1\n!file OUT.PRN\n",
      job, data, windows, io);
  const std::string transcript = ReadHostFile(io / "out");
  ASSERT_EQ(status, 0) << ReadHostFile(io / "err") << transcript;
  const std::string saved = ReadHostFile(data / "OUT.PRN");
  const auto holds = [&](double x, double y) {
    std::istringstream in(saved);
    for (std::string line; std::getline(in, line);) {
      std::istringstream fields(line);
      std::string name;
      double px = 0, py = 0;
      if (fields >> name >> px >> py && std::abs(px - x) < 1e-3 && std::abs(py - y) < 1e-3) return true;
    }
    return false;
  };
  EXPECT_TRUE(holds(100, 95)) << saved;
  // The similarity of the two pairs as complex numbers.
  const std::complex<double> expected = pa1 + (ps - pb1) * (pa2 - pa1) / (pb2 - pb1);
  EXPECT_TRUE(holds(expected.real(), expected.imag())) << expected << "\n" << saved;
}

}  // namespace
