// Function keys and the screen pick mode in whole sessions of the program, at
// the main menu's question.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "scripted/session.h"
#include "scripted/terminal_session.h"
#include "support/u8.h"

namespace {

using scripted::HasLineContaining;
using scripted::InOrder;
using scripted::Krn;
using scripted::SessionResult;

const std::string kMenuPrompt = U8(u8"  プログラムＮＯ=?");

// The lines "!state WINDOW" wrote for a window, in order.
std::vector<std::string> StateLines(const SessionResult& session, const std::string& window) {
  std::vector<std::string> lines;
  for (const std::string& line : session.Lines()) {
    if (line.starts_with(window + " caption=")) lines.push_back(line);
  }
  return lines;
}

TEST(KeysSession, F3CyclesTheThreeWindowLayouts) {
  // Without guide texts there is no navigator and both size factors are 1; the
  // maximised view measured 3387 x 2641 (W x H, 0.1 mm). Start-up chose layout 1.
  const std::string showBoth = "!state main\n!state view\n";
  const SessionResult session =
      Krn(showBoth + "{F3}{NOENTER}\n" + showBoth + "{F3}{NOENTER}\n" + showBoth +
          "{F3}{NOENTER}\n" + showBoth);
  EXPECT_EQ(session.status, 0) << session.errors;
  const std::vector<std::string> main = StateLines(session, "main");
  const std::vector<std::string> view = StateLines(session, "view");
  ASSERT_EQ(main.size(), 4u) << session.transcript;
  ASSERT_EQ(view.size(), 4u) << session.transcript;
  struct Layout {
    const char* main;
    const char* view;
  };
  // As placed on whole screen pixels (465 comes out as 466, 1350 as 1349).
  const std::vector<Layout> layouts = {
      {" left=290 top=0 width=512 height=177 ", " left=0 top=0 width=3487 height=2781 "},   // 1
      {" left=0 top=0 width=512 height=177 ", " left=0 top=466 width=3487 height=2291 "},   // 2
      {" left=0 top=0 width=512 height=1046 ", " left=1349 top=0 width=2098 height=2701 "},  // 0
      {" left=290 top=0 width=512 height=177 ", " left=0 top=0 width=3487 height=2781 "},   // 1
  };
  for (size_t i = 0; i < layouts.size(); ++i) {
    EXPECT_NE(main[i].find(layouts[i].main), std::string::npos) << i << ": " << main[i];
    EXPECT_NE(view[i].find(layouts[i].view), std::string::npos) << i << ": " << view[i];
  }
}

TEST(KeysSession, F6AsksAndPrintsTheViewOncePerOk) {
  const SessionResult session = Krn("{F6}{NOENTER}\n!ok\n!ok\n!cancel\n");
  EXPECT_EQ(session.status, 0) << session.errors;
  const std::string question = U8(u8"[message] ハードコピーします -> ");
  EXPECT_TRUE(InOrder(session, {question + "OK", "[print] print-001.pdf", question + "OK",
                                "[print] print-002.pdf", question + "Cancel", kMenuPrompt}));
  EXPECT_TRUE(session.File("print-001.pdf").starts_with("%PDF"));
  EXPECT_TRUE(session.File("print-002.pdf").starts_with("%PDF"));
  EXPECT_EQ(session.File("print-003.pdf"), "");
}

TEST(KeysSession, F6AsTheLastLineAsksOnceAndPrintsNothing) {
  // The script ends while the hard copy asks: the question is cancelled, and the
  // final close request ends the program.
  const SessionResult session = Krn("{F6}{NOENTER}\n");
  EXPECT_EQ(session.status, 0) << session.errors;
  const std::string question = U8(u8"[message] ハードコピーします -> ");
  EXPECT_TRUE(InOrder(session, {question + "Cancel", U8(u8"[message] 　終了してもいいですか -> OK")}));
  EXPECT_FALSE(HasLineContaining(session, question + "OK")) << session.transcript;
  EXPECT_FALSE(HasLineContaining(session, "[print]")) << session.transcript;
  EXPECT_EQ(session.File("print-001.pdf"), "");
}

TEST(KeysSession, AtATerminalTheHardCopyQuestionIsShownBeforeItIsAnswered) {
  scripted::TerminalSession session;
  ASSERT_TRUE(session.Started());
  ASSERT_TRUE(session.WaitFor(kMenuPrompt + " ")) << session.Output() << session.Errors();
  session.Type("{F6}{NOENTER}");
  ASSERT_TRUE(session.WaitFor(U8(u8"[message] ハードコピーします\n"
                                 "(a message box is waiting: type !ok or !cancel)")))
      << session.Output();
  session.Type("!cancel");
  ASSERT_TRUE(session.WaitFor(U8(u8"[message] ハードコピーします -> Cancel"))) << session.Output();
  session.EndInput();
  EXPECT_EQ(session.Finish(), 0) << session.Errors();
}

TEST(KeysSession, F1OpensTheHelpTextAndTheMenuPutsTheWindowsBackOnTop) {
  const SessionResult session = Krn("{F1}{NOENTER}\n!state main\nZE=\n!state main\n");
  EXPECT_EQ(session.status, 0) << session.errors;
  EXPECT_TRUE(HasLineContaining(
      session, "[program] EXPLORER.EXE " + session.dataFolder->path() + "/KRN2000.TXT"))
      << session.transcript;
  const std::vector<std::string> main = StateLines(session, "main");
  ASSERT_EQ(main.size(), 2u) << session.transcript;
  EXPECT_TRUE(main[0].ends_with(" topmost=0")) << main[0];  // not waited for: released
  EXPECT_TRUE(main[1].ends_with(" topmost=1")) << main[1];  // the menu's next pass
}

TEST(KeysSession, ScreenPickAnswersTheMenuWithTheWordOnTheConsole) {
  // Backspace at the empty prompt marks the "=" of the prompt; "11" typed over
  // the row right of it makes the word that Enter takes: command 11 asks to end.
  const SessionResult session = Krn("{BS}{RIGHT}11\n!cancel\n");
  EXPECT_EQ(session.status, 0) << session.errors;
  EXPECT_TRUE(InOrder(session, {U8(u8"  プログラムＮＯ=11"), U8(u8"[message] 終了します -> Cancel"),
                                kMenuPrompt}));
}

}  // namespace
