// The field book and E30 points over the link: the line kinds and splits, the
// E30 record both ways, receives, sends and their round trips.
#include "transfer/fieldbook_exchange.h"

#include <optional>
#include <string>

#include "transfer/link_fixture.h"

namespace {

using transfer::E30Point;
using transfer::ParseE30Record;
using transfer::ReceivedLine;

const std::string kLine70 =
    "0123456789012345678901234567890123456789ABCDEFGHIJKLMNOPQRSTUVWXYZ0123";  // 70 bytes

TEST(ReceivedFieldBookLines, EndMarksSkipsAndSplits) {
  EXPECT_EQ(transfer::KindOfReceivedLine("A"), ReceivedLine::Data);
  EXPECT_EQ(transfer::KindOfReceivedLine(""), ReceivedLine::Skip);
  EXPECT_EQ(transfer::KindOfReceivedLine("\x02"), ReceivedLine::Skip);
  EXPECT_EQ(transfer::KindOfReceivedLine("\x12"), ReceivedLine::End);
  EXPECT_EQ(transfer::KindOfReceivedLine("\x12 rest"), ReceivedLine::End);
  EXPECT_EQ(transfer::KindOfReceivedLine("\x1a"), ReceivedLine::End);
  EXPECT_EQ(transfer::KindOfReceivedLine("\x03"), ReceivedLine::End);
  const transfer::FieldBookLine split = transfer::SplitReceivedFieldBookLine(kLine70, false);
  EXPECT_EQ(split.record, kLine70.substr(0, 44));
  EXPECT_EQ(split.attribute, kLine70.substr(44, 20));
  EXPECT_EQ(transfer::SplitReceivedFieldBookLine(std::string(30, 'x'), false).attribute, "");
  const transfer::FieldBookLine whole = transfer::SplitReceivedFieldBookLine(kLine70, true);
  EXPECT_EQ(whole.record, kLine70);
  EXPECT_FALSE(whole.attribute);
}

TEST(E30Records, WrittenAndReadBack) {
  EXPECT_EQ(transfer::E30Record("P1", 100.5, -20.25, 3, "13"), "E30SO,P1, 100.5,-20.25, 3,13,");
  const struct {
    const char* line;
    std::optional<E30Point> point;
  } cases[] = {
      {"E30SO,P1, 100.5,-20.25, 3,13,", E30Point{"P1", 100.5, -20.25, 3, "13"}},
      {"E30SO,P1, 100.5,-20.25, 3,13", E30Point{"P1", 100.5, -20.25, 3, "13"}},
      {"E30AB, 12,1,2,3,,", E30Point{" 12", 1, 2, 3, ""}},
      {"E30SO,P1,1,2,3", E30Point{"P1", 1, 2, 3, ""}},
      {"E30SO,P1,1,2,3,a,b,", E30Point{"P1", 1, 2, 3, "a,b"}},
      {"E30SO,P1,100", std::nullopt},
      {"E30SO,P1", std::nullopt},
      {"E30", std::nullopt},
      {"e30SO,P1,1,2,3,", std::nullopt},
  };
  for (const auto& c : cases) EXPECT_EQ(ParseE30Record(c.line), c.point) << c.line;
}

class FieldBookExchangeTest : public LinkTest {
 protected:
  fieldbook::State& book() { return app.fieldbook; }
  void Book(std::initializer_list<const char*> records) {
    int i = 0;
    for (const char* r : records) book().FieldBookRecord(i++) = r;
    book().FieldBookCount = i - 1;
  }
};

TEST_F(FieldBookExchangeTest, ReceiveIntoAnEmptyBookEndsAtDc2) {
  Peer("A\r\nB\r\nC\r\n\x12\r\nD\r\n");
  EXPECT_EQ(Run("1\n\n\n", FieldBookCommMenu), EntryOf(Routines().TransferMenu));
  EXPECT_EQ(book().FieldBookRecord(0), "A");
  EXPECT_EQ(book().FieldBookRecord(1), "B");
  EXPECT_EQ(book().FieldBookRecord(2), "C");
  EXPECT_EQ(book().FieldBookRecord(3), "");
  EXPECT_EQ(book().FieldBookCount, 2);
}

TEST_F(FieldBookExchangeTest, TheVariantsSplitOrKeepALongLine) {
  Peer(kLine70 + "\r\n\x12\r\n");
  Run("1\n\n\n", FieldBookCommMenu);
  EXPECT_EQ(book().FieldBookRecord(0), kLine70.substr(0, 44));
  EXPECT_EQ(book().FieldBookAttribute(0), kLine70.substr(44, 20));
  Peer(kLine70 + "\r\n\x12\r\n");
  Run("1.1\n\n\n", FieldBookCommMenu);  // appended after line 0
  EXPECT_EQ(book().FieldBookRecord(1), kLine70);
  EXPECT_EQ(book().FieldBookAttribute(1), "");
  EXPECT_EQ(book().FieldBookCount, 1);
}

TEST_F(FieldBookExchangeTest, AppendsAfterTheLastRecordAndKeepsTheCountWhenNothingCame) {
  Book({"H", "R1", "R2"});
  Peer("\x12\r\n");
  Run("1\n\n\n", FieldBookCommMenu);
  EXPECT_EQ(book().FieldBookCount, 2);
  Peer("\r\nR3\r\n\r\nR4\r\n\x1a\r\n");  // empty lines are passed over
  Run("1\n\n\n", FieldBookCommMenu);
  EXPECT_EQ(book().FieldBookRecord(2), "R2");
  EXPECT_EQ(book().FieldBookRecord(3), "R3");
  EXPECT_EQ(book().FieldBookRecord(4), "R4");
  EXPECT_EQ(book().FieldBookCount, 4);
}

TEST_F(FieldBookExchangeTest, SendsEndWithSubOrStandBetweenStxAndEtx) {
  Book({"", "R1", "R2"});
  PtyStream& peer = Peer();
  EXPECT_EQ(Run("2\n\n\n", FieldBookCommMenu), EntryOf(Routines().CoordinateManagementMenu));
  EXPECT_EQ(peer.Received(12), "\r\nR1\r\nR2\r\n\x1a\r\n");
  PtyStream& collector = Peer();
  EXPECT_EQ(Run("2\n\n\n", SdCommMenu), EntryOf(Routines().CoordinateManagementMenu));
  EXPECT_EQ(collector.Received(15), "\x02\r\n\r\nR1\r\nR2\r\n\x03\r\n");
}

TEST_F(FieldBookExchangeTest, EachSendReceivedBackGivesWhatWasSent) {
  Book({"HEAD", "R1", "R2 with 44 and more bytes.................. attr"});
  const std::string sent = "HEAD\r\nR1\r\nR2 with 44 and more bytes.................. attr\r\n";
  for (const auto& [stream, menu] : {std::pair<std::string, Entry>{sent + "\x1a\r\n", FieldBookCommMenu},
                                     {"\x02\r\n" + sent + "\x03\r\n", SdCommMenu}}) {
    book().FieldBookRecord(0) = "";
    book().FieldBookCount = 0;
    Peer(stream);
    Run(menu == SdCommMenu ? "1\n\n\n" : "1.1\n\n\n", menu);
    EXPECT_EQ(book().FieldBookCount, 2);
    EXPECT_EQ(book().FieldBookRecord(0), "HEAD");
    EXPECT_EQ(book().FieldBookRecord(2), "R2 with 44 and more bytes.................. attr");
  }
}

TEST_F(FieldBookExchangeTest, E30ReceiveStoresRecordsAndSkipsWhatDoesNotRead) {
  UseNumberedPoints(100);
  Peer("\x02\r\nE30SO,P1, 100.5,-20.25, 3,13,\r\nE30SO,P2\r\nE3 other\r\nE30SO,012,1,2,3,,\r\n\x03\r\n");
  EXPECT_EQ(Run("3\n\n\n\n", SdCommMenu), EntryOf(Routines().PlotAllPoints));
  const points::Store& p = app.points;
  EXPECT_EQ(p.PointName(101), "P1");
  EXPECT_EQ(p.PointX(101), 100.5);
  EXPECT_EQ(p.PointY(101), -20.25);
  EXPECT_EQ(p.PointZ(101), 3);
  EXPECT_EQ(p.PointAttribute(101), "13");
  EXPECT_EQ(p.PointName(102), " 12");
  EXPECT_EQ(p.PointCount, 102);
  EXPECT_EQ(CountContaining(U8(u8"読めないレコード")), 1);
}

TEST_F(FieldBookExchangeTest, E30SendStandsBetweenStxAndEtxAndComesBackTheSame) {
  SetPoint(1, 100.5, -20.25, "P1", 3, "13");
  SetPoint(2, 7, 8, " 12", 9, "");
  PtyStream& peer = Peer();
  EXPECT_EQ(Run("4\nH\n\n\n\n", SdCommMenu), EntryOf(Routines().RepeatLastCommand));
  const std::string expected = "\x02\r\nE30SO,P1, 100.5,-20.25, 3,13,\r\nE30SO, 12, 7, 8, 9,,\r\n\x03\r\n";
  EXPECT_EQ(peer.Received(expected.size()), expected);
  EXPECT_EQ(TimesPlayed("notify.wav"), 1);
  Peer(expected);
  Run("3\n\n\n\n", SdCommMenu);
  const points::Store& p = app.points;
  EXPECT_EQ(p.PointName(3), "P1");
  EXPECT_EQ(p.PointAttribute(3), "13");
  EXPECT_EQ(p.PointName(4), " 12");
  EXPECT_EQ(p.PointZ(4), 9);
}

TEST_F(FieldBookExchangeTest, OtherAnswersGoBackToTheTransferMenu) {
  for (const char* answer : {"\n", "0\n", "3\n", "Q\n"}) {
    EXPECT_EQ(Run(answer, FieldBookCommMenu), EntryOf(Routines().RepeatLastCommand)) << answer;
  }
  for (const char* answer : {"\n", "6\n"}) {
    EXPECT_EQ(Run(answer, SdCommMenu), EntryOf(Routines().RepeatLastCommand)) << answer;
  }
  // The ".SD" file menu, left at once, comes back to the data-collector menu.
  EXPECT_EQ(Run("5\n9\n", SdCommMenu), SdCommMenu);
  EXPECT_EQ(app.job.FileExtension, ".SD");
}

}  // namespace
