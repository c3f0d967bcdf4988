// Traverse-menu choice 5 in a whole session: the radiation reverse traverse in
// the column layout with the scale-factor column chosen on the selection
// screen, and its report saved from the result menu.
#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <vector>

#include "session/fixture_points.h"
#include "support/text_lines.h"
#include "support/u8.h"

namespace {

TEST(ReverseTraverseSession, TheRadiationReportInChosenColumns) {
  const TempFolder data, windows, io;
  // A back-sight, B the station 100 m east of it, C 100 m north of B.
  const std::vector<fixture_points::FixturePoint> job = {
      {0, 0, "A", ""}, {0, 100, "B", ""}, {100, 100, "C", ""}};
  // Command 1, choice 5, item change: 球面距離 on, Enter; zone 9, the factor
  // typed over as 0.9999; A, B, C, then Q to the result menu, which saves the
  // report as REPORT.TXT.
  const int status = fixture_points::Run(
      U8(u8"1\n5\n3\n球面距離\n\n9\n0.9999\nA\nB\nC\nQ\n") +
          "3\n\n!file REPORT\n\n",
      job, data, windows, io);
  const std::string transcript = ReadHostFile(io / "out");
  ASSERT_EQ(status, 0) << ReadHostFile(io / "err") << transcript;
  const std::vector<std::string> report = LinesOf(ReadHostFile(data / "REPORT.TXT"));
  const std::vector<std::string> expected = {
      "縮尺係数＝ .9999 ",
      "    点名  " "      Ｘ    " "      Ｙ    " "    方向角  " "     夾角   " "  水平距離" "  球面距離",
      "  A       " "       0.000" "       0.000" "            " "   (後視点)",
      "  B       " "       0.000" "     100.000" "    90-00-00" "   (基準点) " "   100.000" "   100.010",
      "  C       " "     100.000" "     100.000" "     0-00-00" "    90-00-00" "   100.000" "   100.010",
  };
  const auto first = std::find(report.begin(), report.end(), expected[0]);
  ASSERT_NE(first, report.end()) << transcript;
  ASSERT_GE(report.end() - first, static_cast<long>(expected.size()));
  EXPECT_EQ(std::vector<std::string>(first, first + static_cast<long>(expected.size())), expected);
}

}  // namespace
