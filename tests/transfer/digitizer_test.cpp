// The digitizer on a pseudo-terminal: its X and Y lines become points, "F0"
// goes back to the name prompt, and a silent digitizer holds nothing up.
#include "transfer/digitizer.h"

#include <termios.h>

#include <string>

#include "core/routines.h"
#include "runtime/events.h"
#include "transfer/bitmap_reading.h"
#include "transfer/link_fixture.h"
#include "transfer/transfer_menu.h"

namespace {

using transfer::DigitizerNumber;

TEST(DigitizerField, NumberStandsInCharacters3To15) {
  const struct {
    const char* field;
    double number;
  } cases[] = {
      {"X=   1234.567", 1234.567},
      {"Y=  -5678.901", -5678.901},
      {"Y=1.5", 1.5},
      // Characters past the 15th are not read: "1234567890123" and "45" cut off.
      {"X=123456789012345", 1234567890123.0},
      {"X=", 0},
      {"X", 0},
      {"Z=  abc", 0},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.field);
    EXPECT_EQ(DigitizerNumber(c.field), c.number);
  }
  EXPECT_EQ(transfer::DigitizerDeviceString(3), "COM2:(f8n2X8)");
}

class DigitizerTest : public LinkTest {};

TEST_F(DigitizerTest, TransferChoices7And8ReadPoints) {
  EXPECT_EQ(Run("7\n", TransferMenu), Entry{DigitizerInput});
  EXPECT_EQ(Run("8\n", TransferMenu), Entry{BitmapPointReading});
}

TEST_F(DigitizerTest, ReadingsBecomePointsAndF0GoesBackToTheNamePrompt) {
  SetPoint(101, 7, 7, "OLD", 3, "NULL");  // a slot whose attribute must not stay
  Peer("junk\r\n"
       "X=   1234.567\r\nY=   5678.901\r\n"
       // X and Y on one line: the Y of the line is dropped, the next line's taken.
       "X=   1.5,Y=   9\r\nZ=   2.25\r\n"
       "F0\r\n"
       "X=   -3\r\nY=   4\r\n"
       "F0\r\n");
  // Connected; first name P1 at 101; after F0 the proposed name at 201; Q.
  EXPECT_EQ(Run("\nP1\n101\n\n201\nQ\n", DigitizerInput), EntryOf(Routines().ShowResultMenu));
  const points::Store& p = app.points;
  const struct {
    int number;
    const char* name;
    double x, y;
  } expected[] = {{101, "P1", 1234.567, 5678.901}, {102, "P2", 1.5, 2.25}, {201, "P3", -3, 4}};
  for (const auto& e : expected) {
    SCOPED_TRACE(e.number);
    EXPECT_EQ(p.PointName(e.number), e.name);
    EXPECT_EQ(p.PointX(e.number), e.x);
    EXPECT_EQ(p.PointY(e.number), e.y);
    EXPECT_EQ(p.PointZ(e.number), 0);
    EXPECT_EQ(p.PointAttribute(e.number), "");
  }
  EXPECT_EQ(p.PointName(103), " 103");
  EXPECT_EQ(p.PointCount, 201);
  EXPECT_TRUE(Printed("junk"));
  EXPECT_TRUE(Printed("  101  P1        X=   1234.567  Y=   5678.901"));
  EXPECT_TRUE(Printed("  201  P3        X=     -3.000  Y=      4.000"));
  EXPECT_EQ(CountContaining(U8(u8"読取り自動点名[Q]=P3")), 1);
  EXPECT_EQ(TimesPlayed("ding.wav"), 3);
  // 1200 baud, 8 data bits, no parity, 2 stop bits, XON/XOFF.
  const std::optional<termios> t = peer_->SettingsSeen();
  ASSERT_TRUE(t);
  EXPECT_EQ(cfgetispeed(&*t), static_cast<speed_t>(B1200));
  EXPECT_EQ(t->c_cflag & CSIZE, static_cast<tcflag_t>(CS8));
  EXPECT_TRUE(t->c_cflag & CSTOPB);
  EXPECT_FALSE(t->c_cflag & PARENB);
  EXPECT_TRUE(t->c_iflag & IXON);
}

TEST_F(DigitizerTest, NoAtTheFirstQuestionOpensNothing) {
  for (const char* answer : {"n\n", "N\n"}) {
    EXPECT_EQ(Run(answer, DigitizerInput), EntryOf(Routines().ShowResultMenu)) << answer;
  }
  EXPECT_EQ(app.points.PointCount, 0);
}

TEST_F(DigitizerTest, ASilentDigitizerIsLeftWithF2) {
  Peer();
  EXPECT_EQ(Run("\nP1\n\n{F2}{NOENTER}\n", DigitizerInput), EntryOf(Routines().ShowResultMenu));
  EXPECT_EQ(CountContaining(U8(u8"強制中止しました")), 1);
  EXPECT_EQ(app.points.PointCount, 0);
}

TEST_F(DigitizerTest, ASilentDigitizerAtTheEndOfTheScriptEndsTheRun) {
  Peer();
  EXPECT_THROW(Run("\nP1\n\n", DigitizerInput), RtScriptEnded);
}

TEST_F(DigitizerTest, TheTableEndsAt9999AndThePointStoredIsCounted) {
  Peer("X=1\r\nY=2\r\nX=3\r\nY=4\r\n");
  EXPECT_EQ(Run("\nR1\n9999\n", DigitizerInput), EntryOf(Routines().ShowResultMenu));
  EXPECT_EQ(app.points.PointName(9999), "R1");
  EXPECT_EQ(app.points.PointCount, 9999);
  EXPECT_EQ(CountContaining(U8(u8"9999 を超えるので")), 1);
}

}  // namespace
