// DXF menu choice 3 in a whole session: lines added by hand into a drawing,
// read back by python3-ezdxf; a layer answer that goes back, a single point
// refused, a rejected preview that writes nothing, and the way back to the menu.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "scripted/dxf_plan_job.h"
#include "scripted/session.h"
#include "support/dxf_reader.h"
#include "support/u8.h"

namespace {

using scripted::Krn;
using scripted::kToDxfMenu;
using scripted::PlanJob;
using scripted::SessionResult;

std::vector<std::string> Words(const std::string& line) {
  std::vector<std::string> words;
  size_t at = 0;
  while (at < line.size()) {
    const size_t end = line.find(' ', at);
    words.push_back(line.substr(at, end == std::string::npos ? std::string::npos : end - at));
    if (end == std::string::npos) break;
    at = end + 1;
  }
  return words;
}

// The LINE records of a drawing but the grid's, which the default plot made
// when the menu was left.
std::vector<std::string> AddedLines(const std::vector<std::string>& read) {
  std::vector<std::string> lines;
  for (const std::string& l : dxf_reader::With(read, "line")) {
    if (Words(l)[0] != U8(u8"方眼")) lines.push_back(l);
  }
  return lines;
}

TEST(DxfAddedLines, TwoHiddenLinesOnLayerSixWithTheirDistances) {
  const std::string script = kToDxfMenu +
                             "3\n"            // added lines
                             "3\n6\n"         // type 3, layer 6
                             "1\n2\n3\n\n"    // A1, A2, A3
                             "\n"             // confirmed
                             "\n99\n"         // type kept, layer: back to the type
                             "\n\n1\n\n"      // one point only
                             "\n\n1\n3\n\n"   // A1, A3
                             "NO=\n"          // rejected
                             "9\n"            // back to the DXF menu
                             "\n";            // finished
  const SessionResult session = Krn(script, {"./PLAN.PRN"}, PlanJob());
  ASSERT_EQ(session.status, 0) << session.errors << session.transcript;
  EXPECT_TRUE(scripted::HasLineContaining(session, U8(u8"[ 0──  1----  2,3,4－－－  5,6─-─  7,8─--─ ]"))) << session.transcript;
  EXPECT_TRUE(scripted::HasLineContaining(session, U8(u8"[EXIT= 9 ] ｾﾝｼｭ= 3"))) << session.transcript;
  // The colour chart before the layer question takes most of its row.
  EXPECT_TRUE(scripted::HasLineContaining(session, U8(u8"99] ﾚｲﾔｰ= 6"))) << session.transcript;
  EXPECT_TRUE(scripted::HasLineContaining(session, U8(u8"線には2点以上が要ります"))) << session.transcript;
  EXPECT_TRUE(scripted::HasLineContaining(session, U8(u8" 1:初期設定  2:ﾌﾟﾛｯﾄ追加  3:線追加  4:CAD起動")));

  const std::vector<std::string> read = dxf_reader::Read(*session.dataFolder / "KOJI1.DXF");
  std::string all;
  for (const std::string& l : read) all += l + "\n";
  EXPECT_EQ(dxf_reader::With(read, "audit-errors"), std::vector<std::string>{"0"}) << all;
  // A1 (985, 2010) at paper (40, 30), A2 (1085, 2010) at (40, 230), A3 (1085,
  // 2070) at (160, 230).
  std::vector<std::vector<std::string>> lines;
  for (const std::string& l : AddedLines(read)) lines.push_back(Words(l));
  ASSERT_EQ(lines.size(), 2u) << all;
  const std::vector<std::vector<std::string>> expected = {{"6", "HIDDEN", "40.0", "30.0", "40.0", "230.0"},
                                                          {"6", "HIDDEN", "40.0", "230.0", "160.0", "230.0"}};
  EXPECT_EQ(lines, expected) << all;
  std::vector<std::string> distances;
  for (const std::string& l : dxf_reader::With(read, "text")) {
    const std::vector<std::string> w = Words(l);
    if (w[0] == U8(u8"距離")) distances.push_back(w.back());
  }
  EXPECT_EQ(distances, (std::vector<std::string>{U8(u8"１００．０００"), U8(u8"６０．０００")})) << all;
}

TEST(DxfAddedLines, ALineTypeTheLinesCannotTakeIsAskedAgain) {
  const std::string script = kToDxfMenu + "3\n12\n09\n1.5\n2\n8\n1\n2\n\n\n9\n\n";
  const SessionResult session = Krn(script, {"./PLAN.PRN"}, PlanJob());
  ASSERT_EQ(session.status, 0) << session.errors << session.transcript;
  EXPECT_TRUE(scripted::HasLineContaining(session, U8(u8"線種は0～8です"))) << session.transcript;
  const std::vector<std::string> read = dxf_reader::Read(*session.dataFolder / "KOJI1.DXF");
  std::vector<std::string> lines;
  for (const std::string& l : AddedLines(read)) lines.push_back(Words(l)[0] + " " + Words(l)[1]);
  EXPECT_EQ(lines, std::vector<std::string>{"8 HIDDEN2"});
}

}  // namespace
