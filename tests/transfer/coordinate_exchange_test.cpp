// Coordinate lists over the link: the received line read into a point, the send
// in the port layout byte for byte, and receives that end at their end line or
// when the peer falls quiet.
#include "transfer/coordinate_exchange.h"

#include <string>

#include "transfer/link.h"
#include "transfer/link_fixture.h"

namespace {

using transfer::ParsePortCoordinateLine;
using transfer::PortPoint;

TEST(PortCoordinateLine, NameIsEightBytesAndTheNumbersFollowIt) {
  const struct {
    const char* line;
    PortPoint point;
  } cases[] = {
      // The own send's layout: columns 10-20, 22-32, 34-44 and the attribute.
      {"12         1234.568     567.891      12.346 05", {"12      ", 1234.568, 567.891, 12.346}},
      // A peer that writes X right behind the eight columns of the name.
      {"A1      1234.567  567.891 12.3", {"A1      ", 1234.567, 567.891, 12.3}},
      // Colons and commas are part of the name: nothing is cut there.
      {"A:1,B       1.5 2.5 3.5", {"A:1,B   ", 1.5, 2.5, 3.5}},
      // Leading blanks go; short lines give 0 for what is missing.
      {"   P7        -12.5", {"P7      ", -12.5, 0, 0}},
      {"P8", {"P8", 0, 0, 0}},
      {"P9            x  7", {"P9      ", 0, 7, 0}},
      // The cut keeps whole characters: the 8th byte would split one.
      {"A測点測点 10 20 30", {"A測点測", 0, 10, 20}},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.line);
    EXPECT_EQ(ParsePortCoordinateLine(c.line), c.point);
  }
}

class CoordinateExchangeTest : public LinkTest {};

TEST_F(CoordinateExchangeTest, SendWritesThePortLayoutAndReportsCutNames) {
  SetPoint(1, 1234.5678, 567.8912, "12", 12.3456, "05");
  SetPoint(2, 1, 2, "ABCDEFGHIJ", 3, "13");
  SetPoint(3, -1, -2, "測点測点測", -3, "");
  SetPoint(4, 100, 200, "A測点測点", 300, "9");
  PtyStream& peer = Peer();
  // Send; all points (the complement of nothing); speed and confirmation; the
  // pause after the report of cut names.
  EXPECT_EQ(Run("1\nH\n\n\n\n\n", CoordinateCommMenu), EntryOf(Routines().RepeatLastCommand));
  const std::string expected =
      "12          1234.568     567.891      12.346 05\r\n"
      "ABCDEFGH       1.000       2.000       3.000 13\r\n"
      "測点測点      -1.000      -2.000      -3.000 \r\n"
      "A測点測      100.000     200.000     300.000 9\r\n"
      "\x1a\r\n";
  EXPECT_EQ(peer.Received(expected.size()), expected);
  EXPECT_EQ(CountContaining(U8(u8"文字数が8桁を超えて,削った測点が  3  点あります。")), 1);
  const std::string buffer = PrintBuffer();
  EXPECT_NE(buffer.find("    2 の ABCDEFGHIJ       は ABCDEFGH で送りました。"), std::string::npos);
  EXPECT_NE(buffer.find("    3 の 測点測点測       は 測点測点 で送りました。"), std::string::npos);
}

TEST_F(CoordinateExchangeTest, ReceiveStoresRecordsUpToTheDc2Line) {
  UseNumberedPoints(3);
  SetPoint(1, 1, 1, "007");  // a job point: its name is not the receive's to clean
  Peer("P1         10.5 20.25 1.5\r\n012      1 2 3\r\n\x12\r\nP3 4 5 6\r\n");
  // Receive; the proposed start number 4; speed; confirmation.
  EXPECT_EQ(Run("2\n\n\n\n", CoordinateCommMenu), EntryOf(Routines().PlotAllPoints));
  const points::Store& p = app.points;
  EXPECT_EQ(p.PointName(4), "P1");
  EXPECT_EQ(p.PointX(4), 10.5);
  EXPECT_EQ(p.PointY(4), 20.25);
  EXPECT_EQ(p.PointZ(4), 1.5);
  EXPECT_EQ(p.PointAttribute(4), "98");
  EXPECT_EQ(p.PointName(5), " 12");
  EXPECT_EQ(p.PointZ(5), 3);
  EXPECT_EQ(p.PointName(6), " 6");  // after the end line nothing is stored
  EXPECT_EQ(p.PointCount, 5);
  EXPECT_EQ(p.PointName(1), "007");
  EXPECT_EQ(TimesPlayed("chimes.wav"), 1);
}

TEST_F(CoordinateExchangeTest, TheOwnSendComesBackAsItWasSent) {
  SetPoint(1, 1234.568, -567.891, "12", 12.346, "05");
  Peer("12         1234.568    -567.891      12.346 05\r\n\x1a\r\n");
  EXPECT_EQ(Run("2\n\n\n\n", CoordinateCommMenu), EntryOf(Routines().PlotAllPoints));
  const points::Store& p = app.points;
  EXPECT_EQ(p.PointName(2), " 12");
  EXPECT_EQ(p.PointX(2), 1234.568);
  EXPECT_EQ(p.PointY(2), -567.891);
  EXPECT_EQ(p.PointZ(2), 12.346);
  EXPECT_EQ(p.PointName(3), " 3");  // the end line is no point
  EXPECT_EQ(p.PointCount, 2);
}

TEST_F(CoordinateExchangeTest, APeerThatFallsQuietAfterItsRecordsHasEnded) {
  Peer("Q1       1 2 3\r\nQ2       4 5 6\r\n");
  EXPECT_EQ(Run("2\n\n\n\n", CoordinateCommMenu), EntryOf(Routines().PlotAllPoints));
  EXPECT_EQ(app.points.PointName(2), "Q2");
  EXPECT_EQ(app.points.PointCount, 2);
  EXPECT_EQ(CountContaining(U8(u8"通信に失敗しました")), 0);
}

TEST_F(CoordinateExchangeTest, ASilentPeerStoresNothingAndGoesBackToTheMenu) {
  UseNumberedPoints(2);
  Peer();
  EXPECT_EQ(Run("2\n\n\n\n", CoordinateCommMenu), EntryOf(Routines().RepeatLastCommand));
  EXPECT_EQ(CountContaining(U8(u8"  通信に失敗しました")), 1);
  EXPECT_EQ(TimesPlayed("chord.wav"), 1);
  EXPECT_EQ(app.points.PointCount, 2);
  EXPECT_EQ(app.points.PointName(3), " 3");
}

TEST_F(CoordinateExchangeTest, TheTableEndsAt9999AndEveryPointStoredIsCounted) {
  UseNumberedPoints(2);
  Peer("R1       1 2 3\r\nR2       4 5 6\r\n\x12\r\n");
  EXPECT_EQ(Run("2\n9999\n\n\n", CoordinateCommMenu), EntryOf(Routines().PlotAllPoints));
  EXPECT_EQ(app.points.PointName(9999), "R1");
  EXPECT_EQ(app.points.PointCount, 9999);
  EXPECT_EQ(CountContaining(U8(u8"9999 を超えるので")), 1);
}

TEST_F(CoordinateExchangeTest, OtherAnswersGoBackToTheTransferMenu) {
  for (const char* answer : {"\n", "3\n", "Q\n"}) {
    EXPECT_EQ(Run(answer, CoordinateCommMenu), EntryOf(Routines().RepeatLastCommand)) << answer;
  }
}

}  // namespace
