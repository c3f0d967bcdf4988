// The transfer menu, the opening of the link with its speed and settings, and
// the report of a silent peer.
#include "transfer/link.h"

#include <termios.h>

#include <string>

#include "support/raised_error.h"
#include "transfer/coordinate_exchange.h"
#include "transfer/link_fixture.h"
#include "transfer/program_transfer.h"
#include "transfer/sima_exchange.h"
#include "transfer/transfer_menu.h"

namespace {

TEST_F(LinkTest, MenuAnswersChooseByRoundedValue) {
  const struct {
    const char* answer;
    Entry target;
  } cases[] = {
      {"\n", EntryOf(Routines().ShowResultMenu)},
      {"11\n", EntryOf(Routines().ShowResultMenu)},
      {"0\n", EntryOf(Routines().ShowResultMenu)},
      {"-2\n", EntryOf(Routines().ShowResultMenu)},
      {"Q\n", EntryOf(Routines().ShowResultMenu)},
      {"2.5\n", SimaCommMenu},
      {"1.6\n", CoordinateCommMenu},
      {"10\n", ProgramTransferMenu},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.answer);
    EXPECT_EQ(Run(c.answer, TransferMenu), c.target);
  }
  EXPECT_GT(CountContaining(U8(u8" 6:SD通信  7:デジ読取  8:BMP読取   9:DXF読込  10:BAS通信")), 0);
}

TEST_F(LinkTest, LinkDeviceStringCountsPortsFromZero) {
  EXPECT_EQ(transfer::LinkDeviceString(1), "COM0:(F8N1X8,RB4096,RD15000)");
  EXPECT_EQ(transfer::LinkDeviceString(5), "COM4:(F8N1X8,RB4096,RD15000)");
}

TEST_F(LinkTest, OpeningAtTheDefaultSpeedSetsTheLinksFraming) {
  PtyStream& peer = Peer();
  app.shell.CommFailureFlag = 1;  // left over from an earlier exchange
  Answers("\n\n");
  OpenTransferPort(app);
  EXPECT_EQ(app.shell.CommFailureFlag, 0);
  RtPrintToFile(transfer::kTransferPort, "X");
  EXPECT_EQ(peer.Received(3), "X\r\n");
  const std::optional<termios> t = peer.SettingsSeen();
  ASSERT_TRUE(t);
  EXPECT_EQ(cfgetospeed(&*t), B9600);
  EXPECT_EQ(cfgetispeed(&*t), B9600);
  EXPECT_EQ(t->c_cflag & CSIZE, static_cast<tcflag_t>(CS8));
  EXPECT_FALSE(t->c_cflag & (PARENB | CSTOPB | CRTSCTS));
  EXPECT_TRUE(t->c_iflag & IXON);
  EXPECT_TRUE(t->c_iflag & IXOFF);
  EXPECT_FALSE(t->c_iflag & (ICRNL | INLCR | IGNCR));
  EXPECT_FALSE(t->c_lflag & (ICANON | ECHO));
  EXPECT_FALSE(t->c_oflag & OPOST);
  EXPECT_GT(CountContaining(U8(u8"ｽﾋﾟ-ﾄﾞ [300,600,1200,2400,4800,9600] 9600  ")), 0);
}

TEST_F(LinkTest, ASpeedTypedIsTheSpeedOfThePort) {
  PtyStream& peer = Peer();
  Answers("1200\nY\n");
  OpenTransferPort(app);
  const std::optional<termios> t = peer.SettingsSeen();
  ASSERT_TRUE(t);
  EXPECT_EQ(cfgetospeed(&*t), B1200);
}

TEST_F(LinkTest, NAtTheConfirmationGoesBackWithoutOpening) {
  Peer();
  EXPECT_EQ(Run("\nn\n", [](App& a) { OpenTransferPort(a); return Jump{}; }),
            EntryOf(Routines().TransferMenu));
  EXPECT_EQ(RaisedError([] { RtPrintToFile(transfer::kTransferPort, "X"); }), kErrFileNotOpen);
}

TEST_F(LinkTest, APortBeyondFiveIsRefusedBeforeAnythingOpens) {
  Peer();
  app.settings.COX = 6;
  Answers("\n\n");
  EXPECT_EQ(RaisedError([this] { OpenTransferPort(app); }), kErrIllegalArgument);
}

TEST_F(LinkTest, ASilentPeerIsReportedOnceAndTheLinkClosed) {
  Peer();
  const std::int64_t before = WaitedUs();
  EXPECT_EQ(Run("\n\n", [](App& a) {
              OpenTransferPort(a);
              std::string line = "kept";
              ReadLinkLine(a, line);
              EXPECT_EQ(line, "kept");
              CheckCommFailure(a);
              return Jump{};
            }),
            EntryOf(Routines().RepeatLastCommand));
  EXPECT_EQ(CountContaining(U8(u8"  通信に失敗しました")), 1);
  EXPECT_EQ(TimesPlayed("chord.wav"), 1);
  EXPECT_EQ(TimesPlayed("ding.wav"), 1);
  EXPECT_GE(WaitedUs() - before, 2000000);  // the report's pause of 2 seconds
  EXPECT_EQ(app.shell.CommFailureFlag, 0);
  EXPECT_EQ(RaisedError([] { RtPrintToFile(transfer::kTransferPort, "X"); }), kErrFileNotOpen);
}

TEST_F(LinkTest, ReceivedNamesAreCleanedButZeroStays) {
  const struct {
    const char* name;
    const char* cleaned;
  } cases[] = {{"012", " 12"}, {"  007  ", " 7"}, {"A1", "A1"}, {"0", "0"}, {"000", "0"}, {"", ""}};
  for (const auto& c : cases) EXPECT_EQ(transfer::ReceivedPointName(c.name), c.cleaned) << c.name;
}

}  // namespace
