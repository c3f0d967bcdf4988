#include "ui/navigator.h"

#include <gtest/gtest.h>

#include <string>

#include "runtime/errors.h"
#include "runtime/folders.h"
#include "runtime/temp_folder.h"
#include "runtime/windows_state.h"
#include "shell/app.h"

namespace {

// Runs the test in a fresh current folder and goes back afterwards.
class NavigatorTest : public ::testing::Test {
 protected:
  void SetUp() override { RtChdir(folder.path()); }
  void TearDown() override { RtChdir(previous); }

  std::string MainCaption() const { return app.rt.windows->windows[0].caption; }

  App app;
  TempFolder folder;
  std::string previous = RtCurDir();
};

TEST_F(NavigatorTest, GuideTextFileIsSplitAtItsMarkerLines) {
  WriteHostFile(folder / "KRN2000.lst",
                "footer\r\n"
                "/5\r\n"
                "title five\r\n"
                "second\r\n"
                "/ 10  tail\r\n"
                "ten\r\n"
                "\r\n"
                "/5\r\n"
                "more\r\n"
                "/2000\r\n"
                "beyond the table\r\n"
                "/-1\r\n"
                "below the table\r\n"
                "/1100\r\n"
                "last");
  LoadGuideTexts(app);
  const auto& text = app.navigator.GuideText;
  EXPECT_EQ(app.navigator.NavigatorOff, 0);
  EXPECT_EQ(text(0), "footer\n\r");
  EXPECT_EQ(text(5), "title five\n\rsecond\n\rmore\n\r");  // a repeated number appends
  EXPECT_EQ(text(10), "ten\n\r\n\r");  // characters 2-6 only; empty lines kept
  EXPECT_EQ(text(1100), "last\n\r");
  EXPECT_EQ(text(1), "");
  EXPECT_EQ(text.Bound(), 1100);
}

TEST_F(NavigatorTest, MissingGuideTextFileSwitchesTheNavigatorOff) {
  LoadGuideTexts(app);
  EXPECT_EQ(app.navigator.NavigatorOff, 1);
  EXPECT_EQ(RtErr(), kErrFileNotFound);

  app.input.GuideNumber = 1;
  app.navigator.GuideCountdown = 2;
  const std::string caption = MainCaption();
  ShowGuideNext(app);
  EXPECT_EQ(MainCaption(), caption);
  EXPECT_EQ(app.navigator.GuideCountdown, 2);
}

TEST_F(NavigatorTest, GuidesStackWhileTheCountdownLastsAndTheCaptionNamesThem) {
  auto& text = app.navigator.GuideText;
  text(10) = "Ten\n\rbody ten\n\r";
  text(11) = "Eleven\n\rbody eleven\n\r";
  text(12) = "Twelve\n\r";
  const std::string pad(28, ' ');
  app.navigator.GuideCountdown = 2;  // as a preceding stacked display leaves it
  app.navigator.PreviousGuideTitle = "Nine\n";

  app.input.GuideNumber = 10;
  ShowGuideNext(app);
  EXPECT_EQ(MainCaption(), "Nine\n   Ten" + pad + " 10");
  EXPECT_EQ(app.navigator.PreviousGuideTitle, "Ten\n");
  EXPECT_EQ(app.navigator.GuideCountdown, 1);

  app.input.GuideNumber = 11;
  ShowGuideNext(app);
  EXPECT_EQ(MainCaption(), "Ten\n   Eleven" + pad + " 11");
  EXPECT_EQ(app.navigator.GuideCountdown, 0);

  // The countdown has run out: the area is cleared and the caption starts afresh.
  app.input.GuideNumber = 12;
  ShowGuideNext(app);
  EXPECT_EQ(MainCaption(), "   Twelve" + pad + " 12");
  EXPECT_EQ(app.navigator.PreviousGuideTitle, "Twelve\n");

  // A number without a text shows an empty title.
  app.input.GuideNumber = 13;
  ShowGuideNext(app);
  EXPECT_EQ(MainCaption(), "   " + pad + " 13");
  EXPECT_EQ(app.navigator.PreviousGuideTitle, "");
}

}  // namespace
