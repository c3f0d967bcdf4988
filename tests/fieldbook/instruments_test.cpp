// The instrument conversations against a peer on a pseudo-terminal.
#include "fieldbook/instruments.h"

#include <gtest/gtest.h>
#include <stdlib.h>

#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "core/app.h"
#include "runtime/events.h"
#include "runtime/serial.h"
#include "support/pty_peer.h"

namespace {

using Replies = std::vector<std::optional<std::string>>;
const std::string kGood = "00123456 0901234 0450000";
const std::string kTrigger = "\x11\r\n";
const std::string kStop = "\x12\r\n";
const std::string kNulLine("\0\r\n", 3);

// Port 7 of the program is the peer's device.
struct Link {
  PtyPeer peer;
  std::unique_ptr<App> app = std::make_unique<App>();
  explicit Link(Replies replies) : peer(std::move(replies)) {
    setenv("KRN_COM7", peer.device().c_str(), 1);
    RtComTimeoutCap(300);  // a silent peer costs little
    app->settings.COX = 7;
    app->fieldbook.TargetCommand = "@";
  }
  ~Link() {
    RtComTimeoutCap(0);
    unsetenv("KRN_COM7");
  }
  fieldbook::State& f() { return app->fieldbook; }
};

TEST(TotalStation, AGoodReplyGivesMetresAndAnglesAndEndsWithTheStopCode) {
  Link l({kGood});
  l.app->shell.CommFailureFlag = 1;  // cleared by the measurement
  l.app->traverse.DistancePromptFlag = 1;
  MeasureWithTotalStation(*l.app);
  EXPECT_DOUBLE_EQ(l.f().MeasuredDistance, 123.456);
  EXPECT_DOUBLE_EQ(l.f().MeasuredVerticalAngle, 90.1234);
  EXPECT_DOUBLE_EQ(l.f().MeasuredHorizontalAngle, 45.0);
  EXPECT_EQ(l.f().VerticalAngleText, " 0901234");
  EXPECT_EQ(l.app->traverse.DistancePromptFlag, 0);
  EXPECT_FALSE(TotalStationFailed(*l.app));
  EXPECT_EQ(l.peer.Received(std::string(kTrigger + kStop).size()), kTrigger + kStop);
}

TEST(TotalStation, FailedRepliesAreMarkedAndTheStopIsSentAgain) {
  struct Case {
    std::string reply;
    const char* why;
  };
  for (const Case& c : {Case{"E0123456 0901234 0450000", "E in column 1"},
                        Case{"00123456 0901234E0450000", "E in column 17"},
                        Case{"00123456 0000000 0450000", "vertical angle 0"},
                        Case{"#$%&garbage", "garbage"}}) {
    Link l({c.reply});
    MeasureWithTotalStation(*l.app);
    EXPECT_TRUE(TotalStationFailed(*l.app)) << c.why;
    EXPECT_EQ(l.f().RecordBuffer(0), c.reply) << c.why;
    EXPECT_EQ(l.peer.Received(std::string(kTrigger + kStop + kStop).size()), kTrigger + kStop + kStop) << c.why;
  }
}

TEST(TotalStation, PrismCorrectionAddsThreeCentimetresAlsoOnFailure) {
  {
    Link l({kGood});
    l.f().TargetCommand = "^";
    MeasureWithTotalStation(*l.app);
    EXPECT_DOUBLE_EQ(l.f().MeasuredDistance, 123.486);
    EXPECT_FALSE(TotalStationFailed(*l.app));
  }
  Link l({"00123456 0000000 0450000"});
  l.f().TargetCommand = "^";
  MeasureWithTotalStation(*l.app);
  EXPECT_DOUBLE_EQ(l.f().MeasuredDistance, 123.486);
  EXPECT_TRUE(TotalStationFailed(*l.app));
}

TEST(TotalStation, AnglesOnlyTriggersWithNulAndTakesTheTypedDistance) {
  {
    Link l({kGood});
    l.f().TargetCommand = "S";
    rt::LoadScript("87.5\n");
    MeasureWithTotalStation(*l.app);
    EXPECT_DOUBLE_EQ(l.f().MeasuredDistance, 87.5);
    EXPECT_FALSE(TotalStationFailed(*l.app));
    EXPECT_EQ(l.peer.Received(std::string(kNulLine + kStop).size()), kNulLine + kStop);
  }
  Link l({kGood});
  l.f().TargetCommand = "S";
  rt::LoadScript("p\n");  // P gives the measurement up
  MeasureWithTotalStation(*l.app);
  EXPECT_EQ(l.f().MeasuredVerticalAngle, 0);
  EXPECT_TRUE(TotalStationFailed(*l.app));
}

TEST(TotalStation, ATimeOutFlagsTheFailureKeepsTheOldReplyAndStillStops) {
  Link l({});  // the peer never answers
  l.f().RecordBuffer(0) = "00111111 0901234 0450000";
  MeasureWithTotalStation(*l.app);
  EXPECT_EQ(l.app->shell.CommFailureFlag, 1);
  EXPECT_EQ(l.f().RecordBuffer(0), "00111111 0901234 0450000");
  EXPECT_TRUE(TotalStationFailed(*l.app));  // the stale angles are not taken
  EXPECT_EQ(l.peer.Received(std::string(kTrigger + kStop + kStop).size()), kTrigger + kStop + kStop);
}

TEST(TotalStation, AngleReadsAndTrackingEnd) {
  Link l({kGood});
  OpenTotalStationPort(*l.app);  // sets the codes; the port is closed at once
  ReadInstrumentAngles(*l.app);
  EXPECT_DOUBLE_EQ(l.f().ObservedVerticalAngle, 90.1234);
  EXPECT_DOUBLE_EQ(l.f().TargetHorizontalAngle, 45.0);
  SendTrackingEnd(*l.app);
  SendTotalStationStop(*l.app);
  EXPECT_EQ(l.peer.Received(std::string(kNulLine + "\x13\r\n" + kStop + kStop).size()), kNulLine + "\x13\r\n" + kStop + kStop);
}

TEST(DigitalLevel, RepliesWithAndWithoutACommaAndTheErrorMark) {
  struct Case {
    std::string reply;
    double mode;
    double staff;
    double distance;
    bool failed;
  };
  for (const Case& c : {Case{"001  1.2345,   25.123", 2, 1.2345, 25.123, false},
                        Case{"001  1.2345,   25.123", 1, 1.2345, 0, false},
                        Case{"001  1.2345", 2, 1.2345, 0, false},  // no comma: no distance
                        Case{"001E", 2, 0, 0, true}}) {
    Link l({c.reply});
    l.f().FieldBookMode = c.mode;
    MeasureWithBarcodeLevel(*l.app);
    EXPECT_DOUBLE_EQ(l.f().ObservationTargetHeight, c.staff) << c.reply;
    EXPECT_DOUBLE_EQ(l.f().MeasuredDistance, c.distance) << c.reply;
    EXPECT_EQ(LevelFailed(*l.app), c.failed) << c.reply;
    EXPECT_EQ(l.peer.Received(std::string("LM\r\n").size()), "LM\r\n");
  }
  Link l({});
  l.f().LevelReply = "001  9.9999";
  MeasureWithBarcodeLevel(*l.app);
  EXPECT_TRUE(LevelFailed(*l.app));
  EXPECT_EQ(l.f().LevelReply, "001  9.9999");
}

}  // namespace
