// The input routine in whole sessions of the program, answering the main menu.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "scripted/session.h"
#include "support/u8.h"

namespace {

using scripted::HasLineContaining;
using scripted::InOrder;
using scripted::Krn;
using scripted::SessionResult;

const std::string kMenuPrompt = U8(u8"  プログラムＮＯ=");

TEST(InputSession, AnswerMSwitchesToThePlainStyleAndBack) {
  // "M" in the full style asks again as a plain line at once; "ZE=" cycles ZE and
  // shows the menu again, still in the plain style (no "? "); "m" there asks again
  // in the full style. The menu prompt stands on the last row of the text area,
  // so the plain line's Enter has scrolled the prompt up by one row, and the
  // question asked again stands at the prompt's position on the row below.
  const SessionResult session = Krn("M\nZE=\nm\nZE=\n");
  EXPECT_EQ(session.status, 0) << session.errors;
  EXPECT_TRUE(InOrder(session, {kMenuPrompt + "ZE=", kMenuPrompt + "m",
                                std::string(17, ' ') + "? ZE="}));
  EXPECT_FALSE(HasLineContaining(session, "? M")) << session.transcript;
  EXPECT_TRUE(HasLineContaining(session, "ZE= 2 T=")) << session.transcript;
}

TEST(InputSession, EditedAnswersReachTheMenu) {
  // Each script answers "ZE=" in the end, which cycles ZE and shows the menu again.
  const std::vector<std::string> scripts = {
      "ZE=\n",
      "ZE=1{BS}\n",                            // Backspace drops the last byte
      U8(u8"測{BS}{BS}ZE=\n"),                  // a double-byte character takes two
      "123{ESC}ZE=\n",                         // Escape empties the typed text
      "12{PGUP}ZE=\n",                         // so does a view command
      "ZE={NOENTER}\n!rclick view 200 200\n",  // the right button acts as Enter
      "ZE={NOENTER}\n!rclick main 8 18\n",
  };
  for (const std::string& script : scripts) {
    const SessionResult session = Krn(script);
    EXPECT_EQ(session.status, 0) << script << session.errors;
    EXPECT_TRUE(InOrder(session, {kMenuPrompt + "? ZE=", kMenuPrompt + "?"})) << script;
    EXPECT_TRUE(HasLineContaining(session, "ZE= 1 T=")) << script << "\n" << session.transcript;
  }
}

TEST(InputSession, FunctionKeyIsBoundDuringTheQuestion) {
  // F2 abandons the half-typed answer and goes on through the result menu.
  const SessionResult session = Krn("12{F2}{NOENTER}\n");
  EXPECT_EQ(session.status, 0) << session.errors;
  EXPECT_TRUE(InOrder(session, {kMenuPrompt + "? 12", U8(u8" 強制中止しました"), kMenuPrompt + "?"}));
}

}  // namespace
