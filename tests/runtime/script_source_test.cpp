// Script lines read as the program waits for them (a person at a terminal).
#include <gtest/gtest.h>

#include <deque>
#include <string>
#include <string_view>
#include <vector>

#include "runtime/dialogs.h"
#include "runtime/events.h"
#include "runtime/runtime.h"
#include "support/u8.h"

namespace {

class ScriptSourceTest : public ::testing::Test {
 protected:
  // Lines given one at a time; `forgiving` reports bad lines instead of failing.
  void Source(std::deque<std::string> lines, bool forgiving = true) {
    lines_ = std::move(lines);
    rt::ScriptSource source;
    source.next = [this](std::string& line, std::string_view waitingFor) {
      asked.emplace_back(waitingFor);
      if (lines_.empty()) return false;
      line = lines_.front();
      lines_.pop_front();
      return true;
    };
    if (forgiving) {
      source.refuse = [this](const std::string& message) { refused.push_back(message); };
    }
    rt::SetScriptSource(std::move(source));
  }

  // Polls keys until one comes.
  static std::string NextKey() {
    for (int poll = 0; poll < 100; ++poll) {
      if (std::string key = RtInkey(); !key.empty()) return key;
    }
    return "(none)";
  }

  size_t LinesLeft() const { return lines_.size(); }

  Runtime runtime;
  RuntimeScope scope{runtime};
  std::vector<std::string> asked;
  std::vector<std::string> refused;

 private:
  std::deque<std::string> lines_;
};

TEST_F(ScriptSourceTest, LinesAreReadOnlyWhenTheProgramWaits) {
  Source({"ab", "c"});
  EXPECT_EQ(LinesLeft(), 2u);
  EXPECT_EQ(NextKey(), "a");
  EXPECT_EQ(LinesLeft(), 1u);
  EXPECT_EQ(NextKey(), "b");
  EXPECT_EQ(NextKey(), "\r");
  EXPECT_EQ(LinesLeft(), 1u);
  EXPECT_EQ(NextKey(), "c");
  EXPECT_EQ(asked, (std::vector<std::string>{"a key", "a key"}));
}

TEST_F(ScriptSourceTest, TheEndOfTheInputClosesTheMainWindow) {
  Source({"x"});
  EXPECT_EQ(NextKey(), "x");
  EXPECT_EQ(NextKey(), "\r");
  EXPECT_THROW(NextKey(), RtScriptEnded);
}

TEST_F(ScriptSourceTest, MessageBoxReadsItsAnswer) {
  Source({"!screen", "!cancel"});
  EXPECT_EQ(RtMessageBox("?", "", kButtonsOkCancel, kIconQuestion), 1);
  EXPECT_EQ(asked, (std::vector<std::string>{"a message box", "a message box"}));
}

TEST_F(ScriptSourceTest, TheQuestionIsShownBeforeItsAnswerIsRead) {
  std::vector<std::string> events;
  rt::ScriptSource source;
  source.next = [&, lines = std::deque<std::string>{"!cancel", "!cancel"}](
                    std::string& line, std::string_view) mutable {
    events.push_back("read " + lines.front());
    line = lines.front();
    lines.pop_front();
    return true;
  };
  source.show = [&](std::string_view shown) { events.emplace_back(shown); };
  rt::SetScriptSource(std::move(source));
  EXPECT_EQ(RtMessageBox("ハードコピーします", "", kButtonsOkCancel, kIconInformation), 1);
  EXPECT_EQ(RtFileSaveDialog("ﾌｧｲﾙ書込", "A.PRN", ""), std::string(kDialogCancelled));
  EXPECT_EQ(events, (std::vector<std::string>{U8(u8"[message] ハードコピーします"), "read !cancel",
                                              U8(u8"[save] ﾌｧｲﾙ書込"), "read !cancel"}));
}

TEST_F(ScriptSourceTest, LinesThatCannotBeRunAreReportedAndDropped) {
  Source({"!bogus", "!ok", "z", "ab", "!cancel"});
  // "!bogus" is not understood; "!ok" comes while no message box is open.
  EXPECT_EQ(NextKey(), "z");
  ASSERT_EQ(refused.size(), 2u);
  EXPECT_EQ(refused[0], "script line 1: unknown action \"!bogus\"");
  EXPECT_EQ(refused[1], "script line 2: !ok, but no message box or dialog is open");
  EXPECT_EQ(NextKey(), "\r");
  // Typed keys where a message box waits: the whole line goes.
  EXPECT_EQ(RtMessageBox("?", "", kButtonsOkCancel, kIconQuestion), 1);
  ASSERT_EQ(refused.size(), 3u);
  EXPECT_EQ(refused[2],
            "script line 4: a typed key, but a message box is waiting for !ok, !cancel or !file");
}

TEST_F(ScriptSourceTest, WithoutForgivingABadLineStopsTheRun) {
  Source({"!bogus"}, false);
  EXPECT_THROW(NextKey(), rt::ScriptError);
}

}  // namespace
