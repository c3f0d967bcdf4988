// The point search of the main menu (command 12) in a whole session: the point
// asked by its name, the view centred on it at the range answered.
#include <gtest/gtest.h>

#include <cmath>
#include <string>
#include <vector>

#include "session/fixture_points.h"
#include "support/u8.h"

namespace {

using fixture_points::FixturePoint;
using fixture_points::Png;

const std::vector<FixturePoint>& kPoints = fixture_points::kFarJob;

TEST(PointSearchSession, CommandTwelveCentresTheViewOnThePointNamed) {
  const TempFolder data, windows, io;
  // Command 12; an unknown name is asked again; K3; a range of 120 m. The result
  // menu shows nothing for so short a report, and the main menu redraws the view
  // with the search mark.
  const int status = fixture_points::Run(
      "!png view before.png\n12\nNOPE\nK3\n120\n!png view after.png\n", kPoints, data, windows, io);
  const std::string transcript = ReadHostFile(io / "out");
  ASSERT_EQ(status, 0) << ReadHostFile(io / "err") << transcript;
  EXPECT_NE(transcript.find(U8(u8"ｱﾘﾏｾﾝ")), std::string::npos) << transcript;
  EXPECT_NE(transcript.find(U8(u8"NO.? K3")), std::string::npos) << transcript;
  EXPECT_NE(transcript.find("NO. 3 ----- K3   14"), std::string::npos) << transcript;

  constexpr int kCross = 2;   // the search mark's cross and name
  constexpr int kSymbol = 5;  // mark symbols on black
  const Png before(data / "before.png");
  const Png after(data / "after.png");
  ASSERT_TRUE(before.Ok());
  ASSERT_TRUE(after.Ok());
  ASSERT_EQ(after.Width(), before.Width());
  const int cx = after.Width() / 2;
  const int cy = after.Height() / 2;
  EXPECT_EQ(before.CountAround(kCross, cx, cy, 12), 0);
  EXPECT_EQ(before.CountAround(kSymbol, cx, cy, 12), 0);
  // The point searched at the centre, under the cross of the search mark.
  EXPECT_GT(after.CountAround(kCross, cx, cy, 12), 5);
  EXPECT_GT(after.CountAround(kSymbol, cx, cy, 12), 5);

  // The others where the range puts them: 120 m over 600 view units (0.1 mm,
  // 96 pixels an inch), X to the north (up), Y to the east (right).
  const double metresPerPixel = 120.0 / 600 * 254.0 / 96.0;
  const FixturePoint& centre = kPoints[2];
  for (const FixturePoint& p : kPoints) {
    if (&p == &centre) continue;
    SCOPED_TRACE(p.name);
    const int px = cx + static_cast<int>(std::lround((p.y - centre.y) / metresPerPixel));
    const int py = cy - static_cast<int>(std::lround((p.x - centre.x) / metresPerPixel));
    EXPECT_GT(after.CountAround(kSymbol, px, py, 12), 5);
  }
}

}  // namespace
