// SIMA records over the link: the A01 record of the send, the tags of a received
// stream, the send byte for byte and receives of hand-written streams.
#include "transfer/sima_exchange.h"

#include <string>
#include <vector>

#include "transfer/link_fixture.h"

namespace {

using transfer::SimaPortPoint;
using transfer::SimaStreamReader;

TEST(SimaPortRecord, FollowsThePublicA01Layout) {
  EXPECT_EQ(transfer::SimaPortPointRecord(12, "12", 1234.5678, 567.8912, 12.3456),
            "A01,   12 ,12      ,    1234.5678 ,     567.8912 ,     12.3456 ,");
  EXPECT_EQ(transfer::SimaPortPointRecord(3, "  ABCDEFGHIJ", -1, -2.5, 0),
            "A01,    3 ,ABCDEFGH,      -1.0000 ,      -2.5000 ,      0.0000 ,");
  EXPECT_EQ(transfer::SimaPortPointRecord(4, "A測点測点", 0, 0, 0).substr(0, 20), "A01,    4 ,A測点測 ,");
}

TEST(SimaTag, OnlyARecordsFirstFieldIsATag) {
  EXPECT_EQ(transfer::SimaTagOf("G00", true), "G00");
  EXPECT_EQ(transfer::SimaTagOf("JOBA01", false), "");
  EXPECT_EQ(transfer::SimaTagOf("\r\nA01", false), "A01");
  EXPECT_EQ(transfer::SimaTagOf("12.5\r\nA99", false), "A99");
}

// The points a stream gives, up to its A99.
std::vector<SimaPortPoint> PointsOf(const std::string& stream, bool* ended = nullptr) {
  SimaStreamReader reader;
  std::vector<SimaPortPoint> points;
  for (char c : stream) {
    const SimaStreamReader::Event e = reader.Feed(c);
    if (e == SimaStreamReader::Event::Point) points.push_back(reader.point());
    if (e == SimaStreamReader::Event::End) {
      if (ended) *ended = true;
      break;
    }
  }
  return points;
}

TEST(SimaStream, RecordsBecomePointsWhateverTheirNamesSay) {
  bool ended = false;
  const std::vector<SimaPortPoint> points = PointsOf(
      "G00,1,JOBA01,\r\nZ00,A01 and A99 in a comment,\r\nA00,\r\n"
      "A01,    1 ,A 1     ,    1234.5678 ,     567.8912 ,     12.3456 ,\r\n"
      "A01,2,境界点A01,-1,2.5,3,\r\n"
      "A99,\r\nA01,9,LATE,1,1,1,\r\n",
      &ended);
  EXPECT_TRUE(ended);
  ASSERT_EQ(points.size(), 2u);
  EXPECT_EQ(points[0], (SimaPortPoint{"A1", 1234.5678, 567.8912, 12.3456}));
  EXPECT_EQ(points[1], (SimaPortPoint{"境界点A01", -1, 2.5, 3}));
}

class SimaExchangeTest : public LinkTest {};

TEST_F(SimaExchangeTest, SendWritesTheBlockByteForByte) {
  app.settings.ZA = "MYJOB";
  SetPoint(1, 1234.5678, 567.8912, "12", 12.3456, "05");
  SetPoint(2, 1, 2, "ABCDEFGHIJ", 3);
  PtyStream& peer = Peer();
  EXPECT_EQ(Run("1\nH\n\n\n\n\n", SimaCommMenu), EntryOf(Routines().RepeatLastCommand));
  const std::string expected =
      "G00,1,MYJOB,\r\nA00,\r\n"
      "A01,    1 ,12      ,    1234.5678 ,     567.8912 ,     12.3456 ,\r\n"
      "A01,    2 ,ABCDEFGH,       1.0000 ,       2.0000 ,      3.0000 ,\r\n"
      "A99,\r\n";
  EXPECT_EQ(peer.Received(expected.size()), expected);
  EXPECT_EQ(CountContaining(U8(u8"文字数が8桁を超えて,削った測点が  1  点あります。")), 1);
  const std::string buffer = PrintBuffer();
  EXPECT_NE(buffer.find("    2 の ABCDEFGHIJ       は ABCDEFGH で送りました\r\n"), std::string::npos);
}

TEST_F(SimaExchangeTest, ReceiveStoresFromTheStartNumberWithMark98) {
  UseNumberedPoints(2);
  Peer("G00,1,JOBA01,\r\nA00,\r\n"
       "A01,   7 ,A 1 ,10.5,20.25,1.5,\r\n"
       "A01,   8 ,007,1,2,3,\r\n"
       "A01,   9 ,測点１,-1,-2,-3,\r\n"
       "A99,\r\n\x1a");
  EXPECT_EQ(Run("2\n\n\n\n", SimaCommMenu), EntryOf(Routines().PlotAllPoints));
  const points::Store& p = app.points;
  EXPECT_EQ(p.PointName(3), "A1");
  EXPECT_EQ(p.PointX(3), 10.5);
  EXPECT_EQ(p.PointY(3), 20.25);
  EXPECT_EQ(p.PointAttribute(3), "98");
  EXPECT_EQ(p.PointName(4), " 7");
  EXPECT_EQ(p.PointName(5), "測点１");
  EXPECT_EQ(p.PointZ(5), -3);
  EXPECT_EQ(p.PointCount, 5);
}

TEST_F(SimaExchangeTest, APeerCutShortKeepsAndCountsThePointsStored) {
  UseNumberedPoints(2);
  Peer("A00,\r\nA01,1,P1,1,2,3,\r\nA01,2,P2,");
  EXPECT_EQ(Run("2\n\n\n\n", SimaCommMenu), EntryOf(Routines().RepeatLastCommand));
  EXPECT_EQ(CountContaining(U8(u8"  通信に失敗しました")), 1);
  EXPECT_EQ(app.points.PointName(3), "P1");
  EXPECT_EQ(app.points.PointCount, 3);  // a save right now keeps it
}

TEST_F(SimaExchangeTest, ASilentPeerIsAFailureAndStoresNothing) {
  UseNumberedPoints(2);
  Peer();
  EXPECT_EQ(Run("2\n\n\n\n", SimaCommMenu), EntryOf(Routines().RepeatLastCommand));
  EXPECT_EQ(CountContaining(U8(u8"  通信に失敗しました")), 1);
  EXPECT_EQ(app.points.PointCount, 2);
}

}  // namespace
