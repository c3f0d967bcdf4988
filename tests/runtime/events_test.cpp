#include "runtime/events.h"

#include <gtest/gtest.h>
#include <unistd.h>

#include <filesystem>
#include <string>
#include <vector>

#include "runtime/clock.h"
#include "runtime/console.h"
#include "runtime/dialogs.h"
#include "runtime/errors.h"
#include "runtime/events_state.h"
#include "runtime/runtime.h"
#include "runtime/text.h"
#include "temp_folder.h"
#include "support/u8.h"

namespace {

class EventsTest : public ::testing::Test {
 protected:
  void SetUp() override {
    rt::SetTranscriptSink([this](std::string_view line) { transcript.emplace_back(line); });
  }

  // Polls keys until one comes (at most `limit` polls).
  static std::string NextKey(int limit = 10) {
    for (int i = 0; i < limit; ++i) {
      std::string key = RtInkey();
      if (!key.empty()) return key;
    }
    return {};
  }

  // Binds every mouse event to a handler that records "event:window:x:y".
  void RecordMouse() {
    for (int event = 1; event <= 11; ++event) {
      RtOnMouseGosub(event, [this, event] {
        const RtWindowId w = RtMouseEventWindow();
        seen.push_back(std::to_string(event) + ":" + std::string(RtWindowName(w)) + ":" +
                       std::to_string(static_cast<int>(RtMouse(0, w))) + ":" +
                       std::to_string(static_cast<int>(RtMouse(1, w))));
      });
      RtMouseOnOff(event, true);
    }
  }

  Runtime rt;
  RuntimeScope scope{rt};
  std::vector<std::string> transcript;
  std::vector<std::string> seen;
};

TEST_F(EventsTest, BadScriptLinesAreRefusedWithTheirLineNumber) {
  for (const char* script : {"!jump\n", "!click printer 1 2\n", "!click main 1\n",
                             "!click main x 2\n", "{F13}\n", "a{NOENTER}b\n", "a{b\n",
                             "!down top main 1 2\n", "!wheel main 1 2 1.5\n", "!wait -1\n",
                             "!file\n", "!png main\n", "!ok now\n"}) {
    try {
      rt::LoadScript(std::string("# a comment\n") + script);
      ADD_FAILURE() << script << " was accepted";
    } catch (const rt::ScriptError& e) {
      EXPECT_NE(std::string(e.what()).find("script line 2"), std::string::npos) << e.what();
    }
  }
  EXPECT_THROW(NextKey(), RtScriptEnded);  // nothing was queued
}

TEST_F(EventsTest, KeysArriveByTheirCodes) {
  rt::LoadScript(
      "a{ESC}{BS}{TAB}{HOME}{CLR}{INS}{DEL}{PGUP}{PGDN}{END}{LEFT}{RIGHT}{UP}{DOWN}{enter}"
      "{NOENTER}\n"
      "# skipped\n"
      "\n");
  const std::vector<int> codes = {'a', 27, 8, 9, 11, 12, 18, 127, 19, 20, 21, 29, 28, 30, 31, 13,
                                  13};
  for (int code : codes) {
    const std::string key = NextKey();
    ASSERT_EQ(key.size(), 1u);
    EXPECT_EQ(static_cast<unsigned char>(key[0]), code);
  }
}

TEST_F(EventsTest, DoubleByteCharacterIsOneKey) {
  rt::LoadScript(U8(u8"測ｱ{NOENTER}\n"));
  EXPECT_EQ(NextKey(), "測");
  EXPECT_EQ(NextKey(), "ｱ");
}

TEST_F(EventsTest, CharacterWithoutShiftJisFormIsRefused) {
  EXPECT_THROW(rt::LoadScript(U8(u8"\U0001F600\n")), rt::ScriptError);
}

TEST_F(EventsTest, FunctionKeyRunsItsHandlerAndThePollAfterFindsNoKey) {
  int pressed = 0;
  RtOnKeyGosub(3, [&] { ++pressed; });
  RtKeyOnOff(3, true);
  rt::LoadScript("{F3}a{NOENTER}\n");
  EXPECT_EQ(RtInkey(), "");
  EXPECT_EQ(pressed, 1);
  EXPECT_EQ(RtInkey(), "a");
}

TEST_F(EventsTest, FunctionKeySwitchedOffOrUnboundIsLost) {
  int pressed = 0;
  RtOnKeyGosub(5, [&] { ++pressed; });
  rt::LoadScript("{F5}{F6}a{NOENTER}\n");
  EXPECT_EQ(NextKey(), "a");
  EXPECT_EQ(pressed, 0);
  EXPECT_EQ(RaisedError([] { RtOnKeyGosub(13, [] {}); }), 5);
  EXPECT_EQ(RaisedError([] { RtKeyOnOff(0, true); }), 5);
  EXPECT_EQ(RaisedError([] { RtMouseOnOff(12, true); }), 5);
}

TEST_F(EventsTest, EventsAreDeliveredByDoEventsBetweenSteps) {
  int pressed = 0;
  RtOnKeyGosub(1, [&] { ++pressed; });
  RtKeyOnOff(1, true);
  rt::LoadScript("{F1}{F1}{NOENTER}\n");
  RtDoEvents();
  RtDoEvents();  // waits for the program's next key poll
  EXPECT_EQ(pressed, 1);
  EXPECT_EQ(RtInkey(), "");
  RtDoEvents();
  EXPECT_EQ(pressed, 2);
}

TEST_F(EventsTest, EventComingWhileItsHandlerRunsIsHeldUntilItReturns) {
  std::vector<std::string> order;
  RtOnKeyGosub(4, [&] {
    order.push_back("F4 start");
    const std::string key = NextKey();  // a question inside the handler
    order.push_back("F4 got " + key);
  });
  RtKeyOnOff(4, true);
  rt::LoadScript("{F4}{F4}x{NOENTER}\n");
  EXPECT_EQ(RtInkey(), "");
  EXPECT_EQ(order, (std::vector<std::string>{"F4 start", "F4 got x"}));
  // The held F4 runs now; its question finds the script over.
  EXPECT_THROW(RtInkey(), RtScriptEnded);
  EXPECT_EQ(order.size(), 3u);
}

TEST_F(EventsTest, HandlerThatThrowsPassesThroughAndCanRunAgain) {
  struct Jump {};
  int runs = 0;
  RtOnKeyGosub(2, [&] {
    ++runs;
    throw Jump{};
  });
  RtKeyOnOff(2, true);
  rt::LoadScript("{F2}{F2}{NOENTER}\n");
  EXPECT_THROW(RtInkey(), Jump);
  EXPECT_EQ(RtInkey(), "");  // the poll after an event
  EXPECT_THROW(RtInkey(), Jump);
  EXPECT_EQ(runs, 2);
}

TEST_F(EventsTest, ClickMovesPressesAndReleasesOverItsWindow) {
  RecordMouse();
  rt::LoadScript("!click view 100 200\n!rclick main 8 18\n!mclick nav 3 4\n");
  for (int i = 0; i < 9; ++i) EXPECT_EQ(RtInkey(), "");
  EXPECT_EQ(seen, (std::vector<std::string>{
                      "1:view:100:200", "2:view:100:200", "3:view:100:200",
                      "1:main:8:18", "4:main:8:18", "5:main:8:18",
                      "1:nav:3:4", "6:nav:3:4", "7:nav:3:4"}));
  EXPECT_EQ(RtMouse(0, RtWindowId::View), 100);
  EXPECT_EQ(RtMouse(3, RtWindowId::View), 0);
}

TEST_F(EventsTest, DragHoldsTheButtonUntilItIsReleased) {
  std::vector<double> buttons;
  RtOnMouseGosub(kMouseMove, [&] { buttons.push_back(RtMouse(3, RtWindowId::View)); });
  RtMouseOnOff(kMouseMove, true);
  rt::LoadScript("!down left view 10 10\n!move view 20 20\n!up left view 50 10\n");
  for (int i = 0; i < 5; ++i) RtInkey();
  EXPECT_EQ(buttons, (std::vector<double>{0, 1, 1}));
  EXPECT_EQ(RtMouse(0, RtWindowId::View), 50);
  EXPECT_EQ(RtMouse(3, RtWindowId::View), 0);
}

TEST_F(EventsTest, WheelCountsNotchesOfTheMainWindowSinceTheLastQuery) {
  RecordMouse();
  rt::LoadScript("!wheel view 5 6 -2\n!wheel main 1 1 1\n");
  for (int i = 0; i < 4; ++i) RtInkey();
  EXPECT_EQ(seen[1], "11:view:5:6");
  EXPECT_EQ(RtMouse(2, RtWindowId::Main), -120);
  EXPECT_EQ(RtMouse(2, RtWindowId::Main), 0);
  EXPECT_EQ(RtMouse(2, RtWindowId::View), 0);
  EXPECT_EQ(RaisedError([] { RtMouse(4, RtWindowId::Main); }), 5);
  EXPECT_EQ(RaisedError([] { RtMouse(0, RtWindowId::Printer); }), 5);
}

TEST_F(EventsTest, MouseEventsOffAreLostButThePointerMoves) {
  RecordMouse();
  RtMouseOnOff(kMouseLeftDown, false);
  rt::LoadScript("!click main 16 36\n");
  for (int i = 0; i < 3; ++i) RtInkey();
  EXPECT_EQ(seen, (std::vector<std::string>{"1:main:16:36", "3:main:16:36"}));
}

TEST_F(EventsTest, CloseRequestThatIsCancelledLeavesTheWindow) {
  int asked = 0;
  RtOnCloseRequest(RtWindowId::View, [&](int16_t& cancel) {
    ++asked;
    cancel = 1;
  });
  rt::LoadScript("!close view\na{NOENTER}\n");
  EXPECT_EQ(NextKey(), "a");
  EXPECT_EQ(asked, 1);
}

TEST_F(EventsTest, ClosingTheMainWindowEndsTheProgram) {
  rt::LoadScript("!close main\na{NOENTER}\n");
  EXPECT_THROW(NextKey(), RtScriptEnded);
}

TEST_F(EventsTest, ExhaustedScriptAsksToCloseTheMainWindowAndAnswersOk) {
  int answer = -1;
  RtOnCloseRequest(RtWindowId::Main, [&](int16_t& cancel) {
    answer = RtMessageBox("　終了してもいいですか", "測量ケルノ君", kButtonsOkCancel,
                          kIconQuestion);
    cancel = static_cast<int16_t>(answer);
  });
  EXPECT_THROW(RtInkey(), RtScriptEnded);
  EXPECT_EQ(answer, 0);
  EXPECT_EQ(transcript, (std::vector<std::string>{U8(u8"[message] 　終了してもいいですか -> OK")}));
}

TEST_F(EventsTest, QuestionAskedAgainUntilCancelEndsWithTheScript) {
  // A function key whose handler asks until Cancel, pressed as the last line.
  int asked = 0;
  RtOnKeyGosub(6, [&] {
    while (asked < 100 && RtMessageBox("Q", "C", kButtonsOkCancel, kIconInformation) == 0) {
      ++asked;
    }
  });
  RtKeyOnOff(6, true);
  rt::LoadScript("{F6}{NOENTER}\n!ok\n");
  EXPECT_EQ(RtInkey(), "");
  EXPECT_EQ(asked, 1);
  EXPECT_EQ(transcript, (std::vector<std::string>{"[message] Q -> OK", "[message] Q -> Cancel"}));
}

TEST_F(EventsTest, ProgramAskingAgainAfterTheFinalCloseEnds) {
  RtOnCloseRequest(RtWindowId::Main, [](int16_t& cancel) { cancel = 1; });
  EXPECT_EQ(RtInkey(), "");
  EXPECT_THROW(RtInkey(), RtScriptEnded);
  rt::LoadScript("");
  RtInputFromWindow();
  std::string line;
  EXPECT_THROW(RtInputVars(line), RtScriptEnded);
}

TEST_F(EventsTest, AnswerWhereKeysAreReadStopsTheScript) {
  rt::LoadScript("!ok\n");
  std::string line;
  EXPECT_THROW(RtInputVars(line), rt::ScriptError);
  EXPECT_THROW(NextKey(100000), rt::ScriptError);
}

TEST_F(EventsTest, WaitMovesTheClockOn) {
  ASSERT_TRUE(rt::SetClock("2026-12-10T09:00:00"));
  rt::LoadScript("!wait 1500\na{NOENTER}\n");
  const int before = RtTimerMs();
  EXPECT_EQ(RtInkey(), "a");
  EXPECT_EQ(RtTimerMs() - before, 1500);
}

TEST_F(EventsTest, ScreenLineWritesTheScreenWhenTheProgramAsks) {
  RtPrintStr("hello", false);
  rt::LoadScript("!screen\na{NOENTER}\n");
  EXPECT_EQ(RtInkey(), "a");
  ASSERT_GE(transcript.size(), 3u);
  EXPECT_EQ(transcript[0], "hello");
  EXPECT_EQ(transcript[1], "[screen]");
  EXPECT_EQ(transcript[2], "|hello");
}

TEST_F(EventsTest, MessageBoxTakesTheScriptsAnswer) {
  struct Case {
    const char* script;
    int buttons;
    int result;
    const char* note;
  };
  for (const Case& c : std::vector<Case>{
           {"!ok\n", kButtonsOkCancel, 0, "[message] Q -> OK"},
           {"!cancel\n", kButtonsOkCancel, 1, "[message] Q -> Cancel"},
           {"!cancel\n", kButtonsOk, 0, "[message] Q -> OK"},
           {"!screen\n!ok\n", kButtonsOk, 0, "[message] Q -> OK"},
           // After the end of the script (outside the final close request).
           {"", kButtonsOkCancel, 1, "[message] Q -> Cancel"},
           {"", kButtonsOk, 0, "[message] Q -> OK"},
       }) {
    transcript.clear();
    rt::LoadScript(c.script);
    EXPECT_EQ(RtMessageBox("Q", "C", c.buttons, kIconInformation), c.result) << c.script;
    EXPECT_EQ(transcript.back(), c.note) << c.script;
  }
  EXPECT_EQ(RaisedError([] { RtMessageBox("Q", "C", 2, 0); }), 5);
  EXPECT_EQ(RaisedError([] { RtMessageBox("Q", "C", 0, 0, RtWindowId::Printer); }), 5);
}

TEST_F(EventsTest, MessageBoxRefusesAnythingButAnAnswer) {
  for (const char* script : {"a\n", "!file x\n", "!click main 1 1\n", "{F1}\n"}) {
    rt::LoadScript(script);
    EXPECT_THROW(RtMessageBox("Q", "C", kButtonsOkCancel, kIconQuestion), rt::ScriptError)
        << script;
    rt.events = std::make_unique<EventState>();  // drop what is left
  }
}

class DialogTest : public EventsTest {
 protected:
  void SetUp() override {
    EventsTest::SetUp();
    WriteHostFile(folder / "A.PRN", "x");
    previous = std::filesystem::current_path();
    std::filesystem::current_path(folder.path());
  }
  void TearDown() override { std::filesystem::current_path(previous); }

  TempFolder folder;
  std::filesystem::path previous;
};

TEST_F(DialogTest, OpenDialogGivesTheFullPathOfAnExistingFile) {
  rt::LoadScript("!file A.PRN\n!file " + folder.path() + "/A.PRN\n!ok\n!cancel\n");
  const std::string full = folder / "A.PRN";
  EXPECT_EQ(RtFileOpenDialog("ﾌｧｲﾙ読込", "A.PRN", "(*.PRN)"), full);
  EXPECT_EQ(RtFileOpenDialog("ﾌｧｲﾙ読込", "B.PRN", "(*.PRN)"), full);
  EXPECT_EQ(RtFileOpenDialog("ﾌｧｲﾙ読込", "A.PRN", "(*.PRN)"), full);  // !ok: the proposal
  EXPECT_EQ(RtFileOpenDialog("ﾌｧｲﾙ読込", "A.PRN", "(*.PRN)"), "\x1b");
  EXPECT_EQ(transcript, (std::vector<std::string>{
                            U8(u8"[open] ﾌｧｲﾙ読込 -> ") + full, U8(u8"[open] ﾌｧｲﾙ読込 -> ") + full,
                            U8(u8"[open] ﾌｧｲﾙ読込 -> ") + full, U8(u8"[open] ﾌｧｲﾙ読込 -> cancel")}));
}

TEST_F(DialogTest, SaveDialogTakesANewNameInAnExistingFolder) {
  rt::LoadScript(U8(u8"!file 新.PRN\n!ok\n"));
  EXPECT_EQ(RtFileSaveDialog("ﾌｧｲﾙ書込", "J.PRN", "(*.PRN,);(*.TXT)"),
            rt::Utf8ToCp932(folder / U8(u8"新.PRN")));
  EXPECT_EQ(RtFileSaveDialog("ﾌｧｲﾙ書込", "J.PRN", "(*.PRN,);(*.TXT)"), folder / "J.PRN");
  EXPECT_EQ(transcript.back(), U8(u8"[save] ﾌｧｲﾙ書込 -> ") + (folder / "J.PRN"));
}

TEST_F(DialogTest, ImpossibleChoicesStopTheScript) {
  struct Case {
    const char* script;
    bool open;
  };
  for (const Case& c : std::vector<Case>{{"!file B.PRN\n", true},
                                         {"!file nowhere/B.PRN\n", false},
                                         {"!file .\n", false},
                                         {"!ok\n", true},
                                         {"a\n", false}}) {
    rt.events = std::make_unique<EventState>();
    rt::LoadScript(c.script);
    EXPECT_THROW(c.open ? RtFileOpenDialog("T", "B.PRN", "") : RtFileSaveDialog("T", "", ""),
                 rt::ScriptError)
        << c.script;
  }
}

TEST_F(DialogTest, ExhaustedScriptCancelsADialog) {
  EXPECT_EQ(RtFileSaveDialog("T", "J.PRN", ""), "\x1b");
}

}  // namespace
