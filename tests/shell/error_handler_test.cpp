#include <gtest/gtest.h>

#include <algorithm>
#include <source_location>
#include <string>
#include <vector>

#include "core/app.h"
#include "files/result.h"
#include "runtime/console.h"
#include "runtime/errors.h"
#include "runtime/events.h"
#include "runtime/numtext.h"
#include "shell/program.h"
#include "support/raised_error.h"
#include "support/u8.h"

namespace {

class ErrorHandlerTest : public ::testing::Test {
 protected:
  void SetUp() override {
    rt::SetTranscriptSink([this](std::string_view line) { transcript.emplace_back(line); });
    app.input.GuideNumber = 17;
  }

  // Runs the handler on error `number` raised here, answering its wait with
  // Enter; returns where it went on.
  Entry Handle(int number) {
    const std::source_location here = std::source_location::current();
    line = static_cast<int>(here.line());
    rt::LoadScript("\n");
    try {
      MainErrorHandler(app, RtError(number, here));
    } catch (const JumpException& jump) {
      rt::FlushTranscript();
      return jump.target;
    }
    return nullptr;
  }

  // The lines appear in the transcript in this order, one right after the other
  // but for a row that the prompt wrote out again.
  ::testing::AssertionResult Shows(const std::vector<std::string>& expected) const {
    std::vector<std::string> lines;
    for (const std::string& l : transcript) {
      if (!lines.empty() && !l.empty() && l.starts_with(lines.back()) && l != lines.back() &&
          lines.back() != "") {
        lines.back() = l;  // the same row, written again after more was printed on it
      } else {
        lines.push_back(l);
      }
    }
    if (lines == expected) return ::testing::AssertionSuccess();
    auto failure = ::testing::AssertionFailure() << "transcript:";
    for (const std::string& l : transcript) failure << "\n  [" << l << "]";
    return failure;
  }

  App app;
  std::vector<std::string> transcript;
  int line = 0;
};

TEST_F(ErrorHandlerTest, ReportNamesThePlaceAndTheNumberWithItsGuideText) {
  app.navigator.GuideText(905) = "不正な呼び出し\n\r引数を確かめてください\n\r";
  EXPECT_EQ(Handle(5), ShowResultMenu);
  EXPECT_TRUE(
      Shows({"error_handler_test.cpp", RtStr(line) + U8(u8" 行でエラー 5"), U8(u8"不正な呼び出し"),
             U8(u8"引数を確かめてください"), "", U8(u8" メインメニューに戻ります?")}));
  EXPECT_EQ(app.input.GuideNumber, 235);
}

TEST_F(ErrorHandlerTest, GuideTextNumberFollowsTheErrorNumber) {
  struct Case {
    int error;
    int guide;
  };
  for (const Case& c :
       {Case{5, 905}, Case{78 + 1, 979}, Case{999, 999}, Case{1005, 1005}, Case{1100, 1100}}) {
    app.navigator.GuideText(c.guide) = "TEXT " + std::to_string(c.guide);
    transcript.clear();
    Handle(c.error);
    ASSERT_GE(transcript.size(), 3u);
    EXPECT_EQ(transcript[2], "TEXT " + std::to_string(c.guide)) << c.error;
    app.navigator.GuideText(c.guide).clear();
  }
}

TEST_F(ErrorHandlerTest, ErrorWithoutAGuideTextShowsAnEmptyLine) {
  for (int error : {300, 998, 1101, 32767, -5}) {
    transcript.clear();
    EXPECT_EQ(Handle(error), ShowResultMenu) << error;
    EXPECT_TRUE(
        Shows({"error_handler_test.cpp", RtNumText(line) + U8(u8"行でエラー") + RtStr(error), "",
               U8(u8" メインメニューに戻ります?")}))
        << error;
  }
}

TEST_F(ErrorHandlerTest, WithoutTheNavigatorOneShortLineAndTheWaitOnIt) {
  app.navigator.NavigatorOff = 1;
  EXPECT_EQ(Handle(9), ShowResultMenu);
  EXPECT_TRUE(Shows({"error_handler_test.cpp", RtFormatUsing("#######", {double(line)}) +
                                                   U8(u8" ﾃﾞ     9 ﾉ ｴﾗ- ﾒｲﾝﾆﾓﾄﾞﾘﾏｽ?")}));
  EXPECT_EQ(app.input.GuideNumber, 17);
}

TEST_F(ErrorHandlerTest, FileErrorsArePassedOverSilently) {
  for (int error : {kErrFileNotFound, kErrFileExists}) {
    EXPECT_EQ(Handle(error), nullptr) << error;
  }
  rt::FlushTranscript();
  EXPECT_TRUE(transcript.empty());
}

TEST_F(ErrorHandlerTest, CommunicationErrorRaisesTheFlagAndArmsTheTrap) {
  EXPECT_EQ(Handle(kErrCommTimeout), nullptr);
  EXPECT_EQ(app.shell.CommFailureFlag, 1);
  // The trap is armed: a later error is reported and leaves for the result menu.
  rt::LoadScript("\n");
  try {
    RtDeliverError(RtError(kErrSubscript, std::source_location::current()));
    ADD_FAILURE() << "the trap returned";
  } catch (const JumpException& jump) {
    EXPECT_EQ(jump.target, ShowResultMenu);
  }
}

TEST_F(ErrorHandlerTest, AccessDeniedEndsTheProgramAtOnce) {
  EXPECT_EQ(RaisedError([&] { Handle(kErrAccessDenied); }), kErrAccessDenied);
  rt::FlushTranscript();
  EXPECT_TRUE(transcript.empty());
}

TEST_F(ErrorHandlerTest, AnErrorWhileTheReportWaitsIsReportedInItsTurn) {
  // The main window's close box, clicked while the report waits, runs a close
  // question that fails: that error is reported too, and Enter goes on to the
  // result menu; the program does not end.
  int failing = 0;
  RtOnCloseRequest(RtWindowId::Main, [&](int16_t&) {
    failing = static_cast<int>(std::source_location::current().line()) + 1;
    RtRaise(kErrOverflow);
  });
  rt::LoadScript("!close main\n\n");
  const std::source_location here = std::source_location::current();
  try {
    MainErrorHandler(app, RtError(kErrSubscript, here));
    ADD_FAILURE() << "the handler returned";
  } catch (const JumpException& jump) {
    EXPECT_EQ(jump.target, ShowResultMenu);
  }
  rt::FlushTranscript();
  std::vector<std::string> places;
  for (const std::string& l : transcript) {
    if (l.find(U8(u8"行でエラー")) != std::string::npos) places.push_back(l);
  }
  EXPECT_EQ(places, (std::vector<std::string>{RtStr(here.line()) + U8(u8" 行でエラー 9"),
                                              RtStr(failing) + U8(u8" 行でエラー 6")}));

  // The same error again at once ends the wait rather than reporting it again.
  transcript.clear();
  rt::LoadScript("!close main\n!close main\n");
  EXPECT_THROW(MainErrorHandler(app, RtError(kErrSubscript, here)), JumpException);
  rt::FlushTranscript();
  EXPECT_EQ(std::count_if(transcript.begin(), transcript.end(),
                          [](const std::string& l) {
                            return l.find(U8(u8"行でエラー 6")) != std::string::npos;
                          }),
            1);
}

TEST_F(ErrorHandlerTest, TrapRecordsTheErrorAndAbandonsTheCommand) {
  ArmMainErrorHandler(app);
  // A passed-over error that arrives thrown has no step to go on with.
  try {
    RtDeliverError(RtError(kErrFileNotFound, std::source_location::current()));
    ADD_FAILURE() << "the trap returned";
  } catch (const JumpException& jump) {
    EXPECT_EQ(jump.target, ShowResultMenu);
  }
  rt::FlushTranscript();
  EXPECT_TRUE(transcript.empty());

  rt::LoadScript("\n");
  const std::source_location here = std::source_location::current();
  try {
    RtDeliverError(RtError(kErrOverflow, here));
  } catch (const JumpException&) {
  }
  EXPECT_EQ(RtErr(), kErrOverflow);
  EXPECT_EQ(RtErl(), static_cast<int>(here.line()));
  rt::FlushTranscript();
  EXPECT_EQ(transcript[1], RtStr(here.line()) + U8(u8" 行でエラー 6"));
}

}  // namespace
