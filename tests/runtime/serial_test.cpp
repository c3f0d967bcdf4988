#include "runtime/serial.h"

#include <gtest/gtest.h>
#include <stdlib.h>
#include <termios.h>

#include <time.h>
#include <string>

#include "support/pty_peer.h"
#include "support/raised_error.h"
#include "runtime/errors.h"
#include "runtime/files.h"
#include "runtime/runtime.h"

namespace {

// Milliseconds on the steady clock.
double NowMs() {
  timespec t{};
  clock_gettime(CLOCK_MONOTONIC, &t);
  return t.tv_sec * 1000.0 + t.tv_nsec / 1e6;
}

// Port index 6 is ours in these tests: KRN_COM7 names the peer's device.
class SerialTest : public ::testing::Test {
 protected:
  Runtime rt;
  RuntimeScope scope{rt};
  void Use(const PtyPeer& peer) { setenv("KRN_COM7", peer.device().c_str(), 1); }
  void TearDown() override {
    RtClose(3);
    unsetenv("KRN_COM7");
    RtComTimeoutCap(0);
  }
};

TEST_F(SerialTest, DeviceComesFromTheEnvironmentElseTheSerialDevices) {
  unsetenv("KRN_COM7");
  EXPECT_EQ(RtComDevice(6), "/dev/ttyS6");
  setenv("KRN_COM7", "/dev/ttyUSB0", 1);
  EXPECT_EQ(RtComDevice(6), "/dev/ttyUSB0");
}

TEST_F(SerialTest, OpensRawWithTheFormatsSettingsAndExchangesLines) {
  PtyPeer peer({"00123456 0901234 0450000"});
  Use(peer);
  RtComSpeed(6, 1200);
  ASSERT_TRUE(RtOpen(3, "COM6:(f8n2X8,RD5000)", RtFileMode::Input));
  RtPrintToFile(3, "\x11");
  std::string reply = "old";
  EXPECT_TRUE(RtInputVars(3, reply));
  EXPECT_EQ(reply, "00123456 0901234 0450000");
  RtClose(3);
  EXPECT_EQ(peer.Received(std::string("\x11\r\n").size()), "\x11\r\n");

  std::optional<termios> t = peer.SettingsSeen();
  ASSERT_TRUE(t);
  EXPECT_EQ(cfgetospeed(&*t), B1200);
  EXPECT_EQ(cfgetispeed(&*t), B1200);
  EXPECT_EQ(t->c_cflag & CSIZE, static_cast<tcflag_t>(CS8));
  EXPECT_TRUE(t->c_cflag & CSTOPB);
  EXPECT_FALSE(t->c_cflag & PARENB);
  EXPECT_FALSE(t->c_cflag & CRTSCTS);
  EXPECT_TRUE(t->c_iflag & IXON);
  EXPECT_TRUE(t->c_iflag & IXOFF);
  EXPECT_FALSE(t->c_lflag & (ICANON | ECHO));  // raw: no line editing, no echo
  EXPECT_FALSE(t->c_oflag & OPOST);            // CR LF go out as they are
}

TEST_F(SerialTest, ASilentDevicePassesOverError78AndKeepsTheVariable) {
  PtyPeer peer;  // never answers
  Use(peer);
  ASSERT_TRUE(RtOpen(3, "COM6:(f8n2X8,RD200)", RtFileMode::Input));
  RtClearError();
  RtPrintToFile(3, std::string(1, '\0'));
  std::string reply = "previous";
  const double start = NowMs();
  EXPECT_FALSE(RtInputVars(3, reply));
  EXPECT_GE(NowMs() - start, 150);
  EXPECT_EQ(reply, "previous");
  EXPECT_EQ(RtErr(), kErrCommTimeout);
  std::string line = "kept";
  EXPECT_FALSE(RtLineInputVar(3, line));
  EXPECT_EQ(line, "kept");
  RtPrintToFile(3, "\x12");  // the port is still usable after the time-out
  RtClose(3);
  EXPECT_EQ(peer.Received(std::string(std::string("\0\r\n\x12\r\n", 6)).size()), std::string("\0\r\n\x12\r\n", 6));
}

TEST_F(SerialTest, TheCapShortensALongTimeOut) {
  PtyPeer peer;
  Use(peer);
  RtComTimeoutCap(100);
  ASSERT_TRUE(RtOpen(3, "COM6:(f8n2X8,RD20000)", RtFileMode::Input));
  const double start = NowMs();
  std::string line;
  EXPECT_FALSE(RtLineInputVar(3, line));
  EXPECT_LT(NowMs() - start, 5000);
}

TEST_F(SerialTest, ReadsAWholeLineWithItsComma) {
  PtyPeer peer({"12.345,6"});
  Use(peer);
  ASSERT_TRUE(RtOpen(3, "COM6:(f8n2X8,RD2000)", RtFileMode::Input));
  RtPrintToFile(3, "LM");
  std::string line;
  EXPECT_TRUE(RtLineInputVar(3, line));
  EXPECT_EQ(line, "12.345,6");
}

TEST(SerialOptions, DeviceStringsReadInEitherCase) {
  rt::ComOptions link;
  ASSERT_TRUE(rt::ParseComOptions("COM0:(F8N1X8,RB4096,RD15000)", link));
  EXPECT_EQ(link.index, 0);
  EXPECT_EQ(link.mode, 'F');
  EXPECT_EQ(link.dataBits, 8);
  EXPECT_EQ(link.parity, 'N');
  EXPECT_EQ(link.stopBits, '1');
  EXPECT_TRUE(link.xonXoff);
  EXPECT_EQ(link.codeBits, 8);
  EXPECT_EQ(link.receiveBuffer, 4096);
  EXPECT_EQ(link.receiveTimeoutMs, 15000);
  EXPECT_EQ(link.sendTimeoutMs, 0);
  rt::ComOptions lower;
  ASSERT_TRUE(rt::ParseComOptions("com0:(f8n1x8,rb4096,rd15000)", lower));
  EXPECT_EQ(lower, link);

  const struct {
    const char* name;
    bool reads;
  } cases[] = {
      {"COM4:(S7E2N7,SB2048,SD500)", true},
      {"COM1:(X5O.X8)", true},
      {"COM1:(F8M1)", true},
      {"COM1:(F8S1N)", true},
      {"COM1:(F4N1)", true},  // read; no port can be set to it
      {"COM2:", true},
      {"COM1:(F9N1X8)", false},  // data bits
      {"COM1:(F8Q1X8)", false},  // parity
      {"COM1:(F8N3X8)", false},  // stop bits
      {"COM1:(F8N1Y8)", false},  // flow control
      {"COM1:(F8N1X9)", false},  // code width
      {"COM1:(A8N1X8)", false},  // mode letter
      {"COM1:(F8N1X8Z)", false},  // a seventh letter
      {"COM1:(F8N1X8,RDx)", false},
      {"COM1:(F8N1X8,RD-5)", false},
      {"COM1:(F8N1X8,QQ5)", false},
      {"COM1:(F8N1X8,)", false},
      {"COM1:(F8N1X8", false},
      {"COM10:(F8N1X8)", false},  // no such port
      {"COMX:(F8N1X8)", false},
  };
  for (const auto& c : cases) {
    rt::ComOptions o;
    EXPECT_EQ(rt::ParseComOptions(c.name, o), c.reads) << c.name;
  }
  rt::ComOptions other;
  ASSERT_TRUE(rt::ParseComOptions("COM4:(S7E2N7,SB2048,SD500)", other));
  EXPECT_EQ(other.dataBits, 7);
  EXPECT_EQ(other.parity, 'E');
  EXPECT_EQ(other.stopBits, '2');
  EXPECT_FALSE(other.xonXoff);
  EXPECT_EQ(other.sendBuffer, 2048);
  EXPECT_EQ(other.sendTimeoutMs, 500);
}

TEST(SerialOptions, AFieldIsCutAtItsFirstCommaOrColon) {
  const struct {
    const char* line;
    const char* field;
  } cases[] = {
      {"  A1 :rest", "A1 "},       // blanks before the colon stay
      {"  12.5,6", "12.5"},
      {"  trailing   ", "trailing"},
      {"\"a,b\" c", "a,b"},
      {"   ", ""},
      {"\x12", "\x12"},
  };
  for (const auto& c : cases) EXPECT_EQ(rt::PortFieldOfLine(c.line), c.field) << c.line;
}

TEST_F(SerialTest, EofTellsWhetherAByteIsWaitingAndLinesDropLineFeeds) {
  PtyPeer peer({"\nA\nB\x12\x1a"});
  Use(peer);
  ASSERT_TRUE(RtOpen(3, "COM6:(F8N1X8,RD2000)", RtFileMode::Input));
  EXPECT_TRUE(RtEof(3));
  RtPrintToFile(3, "Q");
  EXPECT_TRUE(RtComAwait(3, 2000));
  EXPECT_FALSE(RtEof(3));
  std::string line;
  EXPECT_TRUE(RtLineInputVar(3, line));
  EXPECT_EQ(line, "AB\x12\x1a");
  EXPECT_EQ(RtInputChars(3, 1), "\n");  // the LF after the CR, as it came
  EXPECT_FALSE(RtComAwait(3, 50));
  EXPECT_TRUE(RtEof(3));
}

TEST_F(SerialTest, BadNamesAndMissingDevicesAreErrors) {
  setenv("KRN_COM7", "/nonexistent/tty", 1);
  EXPECT_EQ(RaisedError([] { RtOpen(3, "COM6:(f8n2X8,RD20)", RtFileMode::Input); }),
            kErrDeviceUnavailable);
  EXPECT_EQ(RaisedError([] { RtOpen(3, "COM6:(f8n2X8", RtFileMode::Input); }), kErrBadFileName);
  EXPECT_EQ(RaisedError([] { RtOpen(3, "COM6:(f8n2X8,RDx)", RtFileMode::Input); }), kErrBadFileName);
  EXPECT_EQ(RaisedError([] { RtOpen(3, "COM6:(f4n2X8,RD20)", RtFileMode::Input); }), kErrIllegalArgument);
  EXPECT_EQ(RaisedError([] { RtComSpeed(6, 1234); }), kErrIllegalArgument);
  EXPECT_EQ(RaisedError([] { RtComSpeed(10, 1200); }), kErrIllegalArgument);
}

}  // namespace
