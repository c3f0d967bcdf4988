#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "scripted/session.h"
#include "support/u8.h"

namespace {

using scripted::Files;
using scripted::InOrder;
using scripted::RunSession;
using scripted::SessionResult;

SessionResult StandIn(const std::string& script, const Files& dataFiles = {}) {
  return RunSession(KRN_STANDIN, script, {}, dataFiles);
}

TEST(ScriptedSession, KeysFunctionKeyClicksMessageBoxAndDialogs) {
  const SessionResult session = StandIn(
      "# typed keys and a special key, then a function key\n"
      "abc{HOME}{F5}\n"
      "!click main 16 18\n"
      "!click view 500 300\n"
      "!click nav 20 30\n"
      "msg\n"
      "!ok\n"
      "open\n"
      "!file A.PRN\n"
      "save\n"
      "!file OUT.TXT\n"
      "quit\n",
      {{"A.PRN", "1,T.1,0,0,0\r\n"}});
  const std::string data = session.dataFolder->path();
  EXPECT_EQ(session.status, 0) << session.errors;
  EXPECT_TRUE(InOrder(session, {"stand-in ready", "> abc", "key 11", "function key F5",
                                "typed abc",
                                "left down over main at 16,18", "left up over main at 16,18",
                                "left down over view at 500,300", "left up over view at 500,300",
                                "left down over nav at 20,30", "left up over nav at 20,30",
                                "msg", U8(u8"[message] 保存しますか -> OK"), "message box gave 0",
                                "> open", U8(u8"[open] ﾌｧｲﾙ読込 -> ") + data + "/A.PRN",
                                "open gave " + data + "/A.PRN",
                                "> save", U8(u8"[save] ﾌｧｲﾙ書込 -> ") + data + "/OUT.TXT",
                                "save gave " + data + "/OUT.TXT", "> quit"}));
  EXPECT_EQ(session.File("OUT.TXT"), "SAVED\r\n");
  EXPECT_EQ(session.errors, "");
}

TEST(ScriptedSession, EndOfScriptClosesTheMainWindowAsAfterOk) {
  const SessionResult session = StandIn("hello\n");
  EXPECT_EQ(session.status, 0) << session.errors;
  EXPECT_TRUE(InOrder(session, {"> hello", "typed hello",
                                U8(u8"[message] 　終了してもいいですか -> OK"), "closing"}));
}

TEST(ScriptedSession, CloseRequestsCanBeRefused) {
  const SessionResult session = StandIn(
      "!close main\n"
      "!cancel\n"
      "!close view\n"
      "!close nav\n"
      "msg\n"
      "!cancel\n"
      "quit\n");
  EXPECT_EQ(session.status, 0) << session.errors;
  EXPECT_TRUE(InOrder(session, {U8(u8"[message] 　終了してもいいですか -> Cancel"), "staying",
                                "view refuses to close", "nav refuses to close",
                                U8(u8"[message] 保存しますか -> Cancel"), "message box gave 1"}));
}

TEST(ScriptedSession, OtherButtonsAndTheWheel) {
  const SessionResult session = StandIn(
      "!rclick view 1 2\n"
      "!down middle main 3 4\n"
      "!up middle main 5 6\n"
      "!wheel view 10 10 2\n"
      "!wheel nav 7 8 -1\n"
      "quit\n");
  EXPECT_EQ(session.status, 0) << session.errors;
  EXPECT_TRUE(InOrder(session, {"right down over view at 1,2", "right up over view at 1,2",
                                "middle down over main at 3,4", "middle up over main at 5,6",
                                "wheel over view at 10,10 by 240",
                                "wheel over nav at 7,8 by -120"}));
}

TEST(ScriptedSession, LineInputAndCancelledDialogs) {
  const SessionResult session = StandIn(
      U8(u8"line\n"
         u8"hellx{BS}o 測量\n"
         u8"open\n"
         u8"!cancel\n"
         u8"save\n"
         u8"!cancel\n"
         u8"quit\n"));
  EXPECT_EQ(session.status, 0) << session.errors;
  EXPECT_TRUE(InOrder(session, {U8(u8"line? hello 測量"), U8(u8"line was hello 測量"),
                                U8(u8"[open] ﾌｧｲﾙ読込 -> cancel"), "open cancelled",
                                U8(u8"[save] ﾌｧｲﾙ書込 -> cancel"), "save cancelled"}));
}

TEST(ScriptedSession, ScreenIsPrintedIntoTheTranscript) {
  const SessionResult session = StandIn("abc{NOENTER}\n!screen\n");
  EXPECT_EQ(session.status, 0) << session.errors;
  EXPECT_TRUE(InOrder(session, {"[screen]", "|stand-in ready", "|> abc", "|"}));
  const std::vector<std::string> lines = session.Lines();
  size_t screenRows = 0;
  for (const std::string& line : lines) screenRows += line.starts_with("|");
  EXPECT_EQ(screenRows, 39u);
}

TEST(ScriptedSession, StateAndPictureOfAWindow) {
  const SessionResult session = StandIn("!state main\n!png view view.png\n!png main main.png\n");
  EXPECT_EQ(session.status, 0) << session.errors;
  bool stateLine = false;
  for (const std::string& line : session.Lines()) stateLine |= line.starts_with("main caption=");
  EXPECT_TRUE(stateLine) << session.transcript;
  for (const char* file : {"view.png", "main.png"}) {
    EXPECT_TRUE(session.File(file).starts_with("\x89PNG\r\n")) << file;
  }
}

TEST(ScriptedSession, BadScriptStopsBeforeTheProgramRuns) {
  const SessionResult session = StandIn("abc\n!jump main\n");
  EXPECT_EQ(session.status, 2);
  EXPECT_EQ(session.transcript, "");
  EXPECT_NE(session.errors.find("script line 2"), std::string::npos) << session.errors;
}

TEST(ScriptedSession, ScriptOutOfStepWithTheProgramFails) {
  struct Case {
    const char* script;
    const char* message;
  };
  for (const Case& c : std::vector<Case>{
           {"!ok\n", "script line 1: !ok, but no message box or dialog is open"},
           {"msg\nabc\n", "script line 2: a typed key, but a message box is waiting"},
           {"open\n!file MISSING.PRN\n", "no such file"},
           {"line\n!cancel\n", "script line 2: !cancel, but the program is reading a line"},
       }) {
    const SessionResult session = StandIn(c.script);
    EXPECT_EQ(session.status, 2) << c.script;
    EXPECT_NE(session.errors.find(c.message), std::string::npos) << session.errors;
  }
}

TEST(ScriptedSession, UnhandledRunTimeErrorEndsWithAFailure) {
  const SessionResult session = StandIn("num\n12.5\nnum\nabc\n");
  EXPECT_EQ(session.status, 1);
  EXPECT_TRUE(InOrder(session, {"number? 12.5", "number was 12.5", "number? abc"}));
  EXPECT_NE(session.errors.find("run-time error 13"), std::string::npos) << session.errors;
}

TEST(ScriptedSession, KrnRunsHeadless) {
  const SessionResult session = RunSession(KRN_BINARY, "");
  EXPECT_EQ(session.status, 0) << session.errors;
  EXPECT_TRUE(session.HasLine(U8(u8"             測量ケルノ君2004  Windows 版 Ver6.061")))
      << session.transcript;
}

TEST(ScriptedSession, KrnRefusesAStrayArgument) {
  const SessionResult session = RunSession(KRN_BINARY, "", {"A.PRN", "B.PRN"});
  EXPECT_EQ(session.status, 2);
  EXPECT_NE(session.errors.find("usage"), std::string::npos) << session.errors;
}

}  // namespace
