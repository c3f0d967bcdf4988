// The section's settings menus driven by typed answers: first-use values, the
// scales and their ratio (with the refusals that keep them above 0), the
// position, spacing and text prompts, and the status line.
#include "profile/settings.h"

#include <gtest/gtest.h>

#include <set>

#include "core/app.h"
#include "core/routines.h"
#include "profile/item_table.h"
#include "profile/single_precision.h"
#include "route/vertical_curve.h"
#include "points/point_question.h"

namespace {

TEST(ProfileScaleRuleTest, KeptHorizontalScaleAndRatio) {
  EXPECT_EQ(profile::KeptHorizontalScale(100, 1), 100);
  EXPECT_EQ(profile::KeptHorizontalScale(100, profile::SinglePrecision(0.2f)), 500);
  EXPECT_EQ(profile::KeptHorizontalScale(300, 0.7), 428.571);
  EXPECT_EQ(profile::KeptHorizontalScale(300, 0), 300);  // no ratio to keep
  EXPECT_EQ(profile::RatioOfScales(100, 1000), 0.1);
  EXPECT_EQ(profile::RatioOfScales(1, 3), 0.333);
  EXPECT_EQ(profile::RatioOfScales(1, 2001), 0);  // below 1/2000 it rounds away
}

class ProfileSettingsTest : public PointQuestionTest {
 protected:
  void SetUp() override {
    PointQuestionTest::SetUp();
    SetPoint(1, 123.45, 10, "BP", 0, "95");
    SetPoint(2, 131.2, 80, "EP", 0, "95");
  }
  // Runs from `first` on the answers until a menu of the section (or the way
  // out of it) comes next.
  Entry Run(Entry first, const std::string& answers) {
    Answers(answers);
    const std::set<Entry> stops = {ShowProfileSettingsMenu, ShowProfileItemMenu, VerticalCurveMenu,
                                   Routines().RepeatLastCommand};
    Jump next = first(app);
    while (!stops.contains(next.next)) next = next.next(app);
    return next.next;
  }
};

TEST_F(ProfileSettingsTest, FirstUseValuesComeOncePerRun) {
  EXPECT_EQ(Run(ShowProfileSettingsMenu, "\n"), Routines().RepeatLastCommand);
  const profile::State& s = app.profile;
  EXPECT_EQ(s.ProfileSettingsInitialised, 1);
  EXPECT_EQ(s.ProfileTypeName, "道路");
  EXPECT_EQ(s.ProfileLastRow, 8);
  EXPECT_DOUBLE_EQ(s.ProfileDatumLevel, 114.99999821186069);
  EXPECT_EQ(s.ProfileValueTextSize, 2.4000000953674316);
  EXPECT_EQ(s.ProfileValueTextWidth, 0.699999988079071);
  EXPECT_EQ(s.ProfileStartMargin, 20);
  EXPECT_EQ(s.ProfileEndMargin, 20);
  EXPECT_EQ(s.ProfileDatumGap, 5);
  EXPECT_EQ(s.ProfileReservedValue, 2);
  EXPECT_EQ(s.ProfileLeaderLength, 60);
  EXPECT_EQ(s.ProfileFlagNumbers, 1);

  app.profile.ProfileStartMargin = 7;
  app.profile.ProfileTypeName = "mine";
  Run(ShowProfileSettingsMenu, "\n");
  EXPECT_EQ(s.ProfileStartMargin, 7);
  EXPECT_EQ(s.ProfileTypeName, "mine");
}

TEST_F(ProfileSettingsTest, MenuChoicesAndTheirWaysOut) {
  struct Case {
    const char* answer;
    Entry next;
  };
  for (const Case c : {Case{"\n", Routines().RepeatLastCommand}, Case{"-2\n", Routines().RepeatLastCommand},
                       Case{"6\n", Routines().RepeatLastCommand}, Case{"x\n", Routines().RepeatLastCommand},
                       Case{"5\n", VerticalCurveMenu}, Case{"4\n", ShowProfileItemMenu}}) {
    SCOPED_TRACE(c.answer);
    EXPECT_EQ(Run(ShowProfileSettingsMenu, c.answer), c.next);
  }
  // Enter, a negative or an unknown answer at the item menu: the settings menu.
  for (const char* answer : {"\n", "-1\n", "4\n"}) {
    SCOPED_TRACE(answer);
    EXPECT_EQ(Run(ShowProfileItemMenu, answer), Entry{ShowProfileSettingsMenu});
  }
}

TEST_F(ProfileSettingsTest, ScalesSetTheRatioAndTheStatusShowsItsReciprocal) {
  ForgetTranscript();
  // From 1000 / 1000 at ratio 1: 100 offers 100 across, 1000 makes it 0.1.
  EXPECT_EQ(Run(ShowProfileSettingsMenu, "2\n100\n1000\n"), ShowProfileSettingsMenu);
  EXPECT_EQ(CountContaining(U8(u8" 縮尺 横 [20,50,100,200,400,500,1000,2000]= 100 ")), 1);
  EXPECT_EQ(app.profile.ProfileVerticalScale, 100);
  EXPECT_EQ(app.profile.ProfileHorizontalScale, 1000);
  EXPECT_EQ(app.view.VerticalRatio, 0.1);
  Run(ShowProfileSettingsMenu, "\n");
  EXPECT_GE(CountContaining(U8(u8"縦比率＝ 10")), 1);

  // The route's single-precision ratio: 1 / 0.20000000298 = 4.99999993 shows 5.
  app.view.VerticalRatio = profile::SinglePrecision(0.2f);
  ForgetTranscript();
  Run(ShowProfileSettingsMenu, "\n");
  EXPECT_GE(CountContaining(U8(u8"縦比率＝ 5")), 1);

  // A ratio of 0 read from a file has no reciprocal: the line says so.
  app.view.VerticalRatio = 0;
  ForgetTranscript();
  Run(ShowProfileSettingsMenu, "\n");
  EXPECT_GE(CountContaining(U8(u8"縦比率＝ -")), 1);
}

TEST_F(ProfileSettingsTest, ScalesThatWouldDivideByZeroAreAskedAgain) {
  app.profile.ProfileSettingsInitialised = 1;
  ForgetTranscript();
  // 0 and -5 vertical, then 1; 0 across, then 3000 (ratio 0.000333 rounds to
  // 0: both asked again), then 200 and 400.
  Run(ShowProfileSettingsMenu, "2\n0\n-5\n1\n0\n3000\n200\n400\n");
  EXPECT_EQ(CountContaining(U8(u8"縮尺は０より大きい値で入力してください")), 3);
  EXPECT_EQ(CountContaining(U8(u8"縦と横の比率が小さすぎます")), 1);
  EXPECT_EQ(app.profile.ProfileVerticalScale, 200);
  EXPECT_EQ(app.profile.ProfileHorizontalScale, 400);
  EXPECT_EQ(app.view.VerticalRatio, 0.5);
}

TEST_F(ProfileSettingsTest, ValuePromptsKeepOnEnterAndStoreWhatIsTyped) {
  Run(ShowProfileSettingsMenu, "\n");
  ForgetTranscript();
  // Position: DL typed, a letter stores 0, Enter keeps.
  Run(ShowProfileSettingsMenu, "3\n100\n\nabc\n\n");
  const profile::State& s = app.profile;
  EXPECT_EQ(s.ProfileDatumLevel, 100);
  EXPECT_DOUBLE_EQ(s.ProfileScaleTop, 139.99999806284907);
  EXPECT_EQ(CountContaining(U8(u8"ＤＬｽｹｰﾙ天高＝ 140")), 1);  // shown rounded at 4 decimals
  EXPECT_EQ(s.ProfileStartChainage, 0);
  EXPECT_EQ(s.ProfileEndChainage, 80);

  // Text options: the width shows 70 and a typed 75 stores 0.75.
  ForgetTranscript();
  EXPECT_EQ(Run(ShowProfileItemMenu, "3\n\n75\n1\n0\n"), ShowProfileItemMenu);
  EXPECT_EQ(CountContaining(U8(u8"値文字幅％[50,60,70,80,90,100]＝ 70 ")), 1);
  EXPECT_EQ(s.ProfileValueTextWidth, 0.75);
  EXPECT_EQ(s.ProfileValueTextSize, 2.4000000953674316);
  EXPECT_EQ(s.ProfilePlusStakeNames, 1);
  EXPECT_EQ(s.ProfileFlagNumbers, 0);

  // Spacing: the row spacing typed, the free height follows.
  EXPECT_EQ(Run(ShowProfileItemMenu, "2\n\n\n\n3\n\n\n"), ShowProfileItemMenu);
  EXPECT_EQ(s.ProfileRowSpacing, 3);
  EXPECT_EQ(s.ProfileFreeHeight, -126 - 5 - 8 * 3 - 10);
}

TEST_F(ProfileSettingsTest, DrawingOnSetsTheMarksAndOffChangesNothingElse) {
  app.profile.ProfileSettingsInitialised = 1;
  app.settings.ZEG = -1;
  Run(ShowProfileSettingsMenu, "1\n\n");
  EXPECT_EQ(app.profile.ProfileMode, 1);
  EXPECT_EQ(app.settings.ZEG, 1);
  app.settings.ZEG = -1;
  Run(ShowProfileSettingsMenu, "1\n\n");
  EXPECT_EQ(app.profile.ProfileMode, 0);
  EXPECT_EQ(app.settings.ZEG, -1);
}

}  // namespace
