// Program texts over the link: a receive written whole only when its end line
// came, sends paced 10 ms a line, and the job left as it was.
#include "transfer/program_transfer.h"

#include <string>

#include "runtime/files.h"
#include "transfer/link_fixture.h"

namespace {

class ProgramTransferTest : public LinkTest {
 protected:
  void SetUp() override {
    LinkTest::SetUp();
    NameTheJob();
  }
  std::string Program() const { return data_.path() + "/PROG.BAS"; }
};

TEST_F(ProgramTransferTest, ReceiveWritesTheLinesWithoutTheEndLine) {
  Peer("L1\r\n10 PRINT \"測点\"\r\n\x1a\r\n");
  EXPECT_EQ(Run("1\n!file " + Program() + "\n\n\n", ProgramTransferMenu),
            EntryOf(Routines().RepeatLastCommand));
  EXPECT_EQ(ReadHostFile(Program()), "L1\r\n10 PRINT \"測点\"\r\n");
  ExpectJobKept();
}

TEST_F(ProgramTransferTest, AReceiveCutShortLeavesTheOldFile) {
  WriteHostFile(Program(), "OLD\r\n");
  Peer("L1\r\n");
  EXPECT_EQ(Run("1\n!file " + Program() + "\n\n\n", ProgramTransferMenu),
            EntryOf(Routines().RepeatLastCommand));
  EXPECT_EQ(CountContaining(U8(u8"  通信に失敗しました")), 1);
  EXPECT_EQ(ReadHostFile(Program()), "OLD\r\n");
  ExpectJobKept();
}

TEST_F(ProgramTransferTest, AFailedReceiveToANewNameLeavesNoFile) {
  Peer("L1\r\n");
  Run("1\n!file " + Program() + "\n\n\n", ProgramTransferMenu);
  EXPECT_EQ(CountContaining(U8(u8"  通信に失敗しました")), 1);
  EXPECT_FALSE(RtFileExists(Program()));
  // An empty file that was there before is the user's and stays.
  WriteHostFile(Program(), "");
  Peer("L1\r\n");
  Run("1\n!file " + Program() + "\n\n\n", ProgramTransferMenu);
  EXPECT_TRUE(RtFileExists(Program()));
}

TEST_F(ProgramTransferTest, SendPacesEachLineAndEndsWithSub) {
  WriteHostFile(Program(), "");
  PtyStream& empty = Peer();
  std::int64_t before = WaitedUs();
  Run("2\n!file " + Program() + "\n\n\n", ProgramTransferMenu);
  EXPECT_EQ(empty.Received(3), "\x1a\r\n");
  const std::int64_t emptyWait = WaitedUs() - before;

  WriteHostFile(Program(), "A\r\nB B\r\nC\r\n");
  PtyStream& peer = Peer();
  before = WaitedUs();
  EXPECT_EQ(Run("2\n!file " + Program() + "\n\n\n", ProgramTransferMenu),
            EntryOf(Routines().RepeatLastCommand));
  EXPECT_EQ(peer.Received(14), "A\r\nB B\r\nC\r\n\x1a\r\n");
  EXPECT_EQ(WaitedUs() - before - emptyWait, 3 * 10000);
  ExpectJobKept();
}

TEST_F(ProgramTransferTest, AFileReceivedBackIsSentTheSame) {
  WriteHostFile(Program(), "X1\r\nX2\r\n\x1a\r\n");  // as older receives left it
  PtyStream& peer = Peer();
  Run("2\n!file " + Program() + "\n\n\n", ProgramTransferMenu);
  EXPECT_EQ(peer.Received(11), "X1\r\nX2\r\n\x1a\r\n");
}

TEST_F(ProgramTransferTest, CancelKeepsTheExtension) {
  for (const char* choice : {"1\n", "2\n"}) {
    EXPECT_EQ(Run(std::string(choice) + "!cancel\n", ProgramTransferMenu),
              EntryOf(Routines().RepeatLastCommand));
    ExpectJobKept();
  }
}

}  // namespace
