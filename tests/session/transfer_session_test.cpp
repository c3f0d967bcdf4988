// The transfer menu in a whole session on a peer at the end of a pseudo-terminal
// (KRN_COM1): a SIMA stream received, the points sent back as SIMA and as
// coordinates, and a peer that stays silent.
#include <gtest/gtest.h>
#include <stdlib.h>

#include <string>

#include "scripted/session.h"
#include "support/pty_stream.h"
#include "support/u8.h"

namespace {

using scripted::HasLineContaining;
using scripted::Krn;
using scripted::SessionResult;

TEST(TransferSession, SimaInThenSimaAndCoordinatesOutThenASilentPeer) {
  // Written by hand from the public record layouts: a job name ending in A01,
  // a name with a blank, a Japanese name and one longer than 8 bytes.
  PtyStream peer(
      "G00,1,JOBA01,\r\n"
      "A00,\r\n"
      "A01,   7 ,A 1,10.5,20.25,1.5,\r\n"
      "A01,   8 ,測点１,-1,-2,-3,\r\n"
      "A01,   9 ,ABCDEFGHIJ,100,200,300,\r\n"
      "A99,\r\n\x1a");
  setenv("KRN_COM1", peer.device().c_str(), 1);
  const SessionResult session = Krn(
      // SIMA receive from the proposed number 1, at 9600.
      "8\n3\n2\n\n\n\n"
      // SIMA send of all points (one name cut: Enter after the report).
      "8\n3\n1\nH\n\n\n\n\n"
      // Back in the transfer menu: coordinate send of all points.
      "2\n1\nH\n\n\n\n\n"
      // Coordinate receive from a peer that sends nothing more.
      "2\n2\n\n\n\n"
      // The transfer menu once more, left for the result menu.
      "\n");
  unsetenv("KRN_COM1");

  const std::string sima =
      "A00,\r\n"
      "A01,    1 ,A1      ,      10.5000 ,      20.2500 ,      1.5000 ,\r\n"
      "A01,    2 ,測点１  ,      -1.0000 ,      -2.0000 ,     -3.0000 ,\r\n"
      "A01,    3 ,ABCDEFGH,     100.0000 ,     200.0000 ,    300.0000 ,\r\n"
      "A99,\r\n";
  const std::string coordinates =
      "A1            10.500      20.250       1.500 98\r\n"
      "測点１        -1.000      -2.000      -3.000 98\r\n"
      "ABCDEFGH     100.000     200.000     300.000 98\r\n"
      "\x1a\r\n";
  const std::string received = peer.Received(1);
  ASSERT_TRUE(received.starts_with("G00,1,")) << received;
  EXPECT_EQ(received.substr(received.find("\r\n") + 2), sima + coordinates);
  EXPECT_TRUE(HasLineContaining(session, U8(u8"削った測点が  1  点あります。"))) << session.transcript;
  int failures = 0;
  for (std::size_t at = 0; (at = session.transcript.find(U8(u8"通信に失敗しました"), at)) != std::string::npos; ++at) {
    ++failures;
  }
  EXPECT_EQ(failures, 1) << session.transcript;
  EXPECT_TRUE(HasLineContaining(session, "[sound] chord.wav")) << session.transcript;
}

}  // namespace
