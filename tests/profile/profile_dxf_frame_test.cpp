// The section's frame: the height scale's tick rules, the row names' widths,
// the scale triangle and the flags (text, leader length along 20 degrees,
// raised only near the previous flag), read back by ezdxf and placed by the
// fixture's paper formulas.
#include "profile/section_frame.h"

#include <gtest/gtest.h>

#include <cmath>
#include <string>
#include <vector>

#include "profile/profile_dxf_fixture.h"
#include "runtime/text.h"

namespace {

using dxf_entities::Entity;

constexpr double kDegrees = 3.14159265358979 / 180;

TEST(ProfileFrameRulesTest, TicksEveryMetreOrEveryTenMetresByScaleTimesRatio) {
  App app;  // heights rounded to 1/1000
  struct Case {
    double product;
    std::vector<profile::Tick> ticks;  // at 100 to 105 and 110 m
  };
  using profile::Tick;
  const Case cases[] = {
      {500, {Tick::Long, Tick::None, Tick::None, Tick::None, Tick::None, Tick::None, Tick::Long}},
      {400, {Tick::Long, Tick::None, Tick::None, Tick::None, Tick::None, Tick::None, Tick::Long}},
      {250, {Tick::Long, Tick::Short, Tick::Short, Tick::Short, Tick::Short, Tick::Long, Tick::Long}},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.product);
    const double f = profile::TickFactorOf(c.product);
    std::vector<Tick> ticks;
    for (const double h : {100.0, 101.0, 102.0, 103.0, 104.0, 105.0, 110.0}) {
      ticks.push_back(profile::TickOf(app, h, f));
    }
    EXPECT_EQ(ticks, c.ticks);
  }
  // With factor 0.1 a multiple of 5 m that is no multiple of 10 m has no tick.
  EXPECT_EQ(profile::TickOf(app, 105, profile::TickFactorOf(500)), Tick::None);

  // A datum off the whole metre: short ticks only, and none at all in 10 m
  // steps; the walk always makes its first pass.
  const std::vector<profile::ScaleTick> off = profile::ScaleTicksOf(app, 100.5, 104, profile::TickFactorOf(250));
  ASSERT_EQ(off.size(), 4u);
  for (const profile::ScaleTick& t : off) EXPECT_EQ(t.tick, Tick::Short);
  EXPECT_EQ(off.back().height, 104.5);
  EXPECT_TRUE(profile::ScaleTicksOf(app, 100.5, 130, profile::TickFactorOf(500)).empty());
  EXPECT_EQ(profile::ScaleTicksOf(app, 100, 100, profile::TickFactorOf(250)).size(), 1u);
}

TEST(ProfileFrameRulesTest, FlagTextLengthAndRaising) {
  struct Case {
    double chainage;
    const char* attribute;
    bool numbers;
    const char* text;
  };
  const Case cases[] = {
      {65, "92BM1", true, "NO.3+5.00  BM1"},
      {60, "92BM1", true, "NO.3BM1"},
      {-5, "92", true, "NO.-1+15.00  "},
      {65, "92BM1", false, "BM1"},
      {65, "92", false, ""},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.text);
    EXPECT_EQ(profile::FlagTextOf(c.chainage, c.attribute, 20, c.numbers, 2), c.text);
  }
  const double h = profile::SinglePrecision(2.5f), w = profile::SinglePrecision(0.7f);
  EXPECT_NEAR(profile::FlagLengthOf("NO.3+5.00  BM1", h, w, 1), 14 * 1.75 + 5, 1e-6);
  EXPECT_NEAR(profile::FlagLengthOf("NO.3+5.00  BM1", h, w, profile::SinglePrecision(0.8f)), 14 * 1.4 + 5, 1e-6);
  EXPECT_EQ(profile::FlagLengthOf("", h, w, 1), 5);
  // Close on either side is raised; the first flag (9999999) never is.
  EXPECT_TRUE(profile::FlagRaised(100, 90, 20));
  EXPECT_TRUE(profile::FlagRaised(90, 100, 20));
  EXPECT_FALSE(profile::FlagRaised(100, 70, 20));
  EXPECT_FALSE(profile::FlagRaised(130, 100, 20));
  EXPECT_FALSE(profile::FlagRaised(9999999, 100, 0));
}

TEST(ProfileFrameRulesTest, RowNamesSpanFiveMillimetresPerCharacterOfTheirWidth) {
  struct Case {
    const char8_t* name;
    double factor, width;
  };
  const Case cases[] = {
      {u8"地盤高", 1, 5.0 / 3},
      {u8"追加距離", 1, 1.25},
      {u8"地盤高", 0.8, 4.0 / 3},
      {u8"追加距離", 0.8, 1.0},
      {u8"ABC", 1, 5.0 / 3},
      {u8"", 1, 0},
  };
  for (const Case& c : cases) {
    EXPECT_NEAR(profile::RowNameWidthOf(rt::Utf8ToCp932(U8(c.name)), c.factor), c.width, 1e-12);
  }
}

class ProfileDxfFrameTest : public ProfileDxfFixture {
 protected:
  // The frame over the window 0 to 200 with the margins 20 and 10 mm: the
  // table from x -50 to 210, the row names up to x -21, values from -20.
  dxf_entities::Drawing Frame(double scale, double ratio) {
    profile::State& s = app.profile;
    app.lines.ScaleDenominator = scale;
    app.view.VerticalRatio = ratio;
    s.ProfileStartChainage = 0;
    s.ProfileEndChainage = 200 * scale / 1000;
    s.ProfileStartMargin = 20;
    s.ProfileEndMargin = 10;
    s.ProfileDatumY = 50;
    s.ProfileItemName(4) = rt::Utf8ToCp932(U8(u8"地盤高"));
    s.ProfileItemName(3) = rt::Utf8ToCp932(U8(u8"追加距離"));
    s.ProfileItemName(1) = "";
    plot.TextWidthFactor = 1;
    profile::WriteSectionFrame(plot);
    return ReadGathered();
  }
};

TEST_F(ProfileDxfFrameTest, TheScaleTicksFollowTheRules) {
  struct Case {
    double scale, ratio;
    size_t longTicks, shortTicks;
  };
  // Datum 105, top 125: 5 m steps give long ticks at 110, 115, 120, 125 and
  // 16 short ones; 10 m steps (1000 x 0.5) long ticks at 110 and 120 only.
  app.profile.ProfileScaleTop = 125;
  UseRows({4, 3});
  for (const Case c : {Case{1000, 0.5, 2, 0}, Case{500, 0.5, 4, 16}}) {
    SCOPED_TRACE(c.scale);
    plot.out.Clear();
    const dxf_entities::Drawing d = Frame(c.scale, c.ratio);
    const double xN = -21;
    size_t longTicks = 0, shortTicks = 0;
    std::vector<std::string> labels;
    for (const Entity& e : d.On(U8(u8"縦断枠"), "LINE")) {
      if (e.numbers[0] != xN || e.numbers[1] != e.numbers[3]) continue;
      longTicks += e.numbers[2] == xN - 15;
      shortTicks += e.numbers[2] == xN - 5;
    }
    for (const Entity& e : d.On(U8(u8"縦断枠"), "TEXT")) {
      if (e.numbers[0] == xN - 15) labels.push_back(e.text);
    }
    EXPECT_EQ(longTicks, c.longTicks);
    EXPECT_EQ(shortTicks, c.shortTicks);
    EXPECT_EQ(labels.size(), c.longTicks);
    EXPECT_EQ(labels.front(), U8(u8"１１０．００"));
  }
}

TEST_F(ProfileDxfFrameTest, TheTableTheNamesAndTheScaleTriangle) {
  app.profile.ProfileScaleTop = 105;
  UseRows({4, 3, 1});
  const dxf_entities::Drawing d = Frame(1000, 0.1);
  // Datum line and text, then per row 4 edges and 4 verticals, the one pass
  // of the scale with the top at the datum (a short tick at 106 and the
  // axis), the triangle's three sides.
  const std::vector<Entity> lines = d.On(U8(u8"縦断枠"), "LINE");
  ASSERT_EQ(lines.size(), 1 + 3 * 8 + 2 + 3) << d.all;
  EXPECT_EQ(lines[25].numbers, (std::vector<double>{-21, 60, -26, 60}));
  EXPECT_EQ(lines[26].numbers, (std::vector<double>{-21, 50, -21, 60}));
  EXPECT_EQ(lines[0].numbers, (std::vector<double>{-50, 50, 210, 50}));
  // Row 0 spans 40 to 25: its edges and verticals.
  EXPECT_EQ(lines[1].numbers, (std::vector<double>{-50, 40, -21, 40}));
  EXPECT_EQ(lines[2].numbers, (std::vector<double>{-20, 40, 210, 40}));
  EXPECT_EQ(lines[5].numbers, (std::vector<double>{-50, 25, -50, 40}));
  EXPECT_EQ(lines[8].numbers, (std::vector<double>{210, 25, 210, 40}));
  std::vector<Entity> texts = d.On(U8(u8"縦断枠"), "TEXT");
  // DL text, two names (the station row's name is empty), the two scales.
  ASSERT_EQ(texts.size(), 5u) << d.all;
  EXPECT_EQ(texts[0].text, U8(u8"ＤＬ＝１０５．００"));
  EXPECT_EQ(texts[1].text, U8(u8"地盤高"));
  EXPECT_EQ(texts[1].numbers[0], -48);
  EXPECT_EQ(texts[1].numbers[1], 25 + 7.5 - 2.5);
  EXPECT_NEAR(texts[1].numbers[4], 5.0 / 3, 1e-6);
  EXPECT_NEAR(texts[2].numbers[4], 1.25, 1e-6);
  EXPECT_EQ(texts[3].text, U8(u8"１：１０００"));
  EXPECT_EQ(texts[4].text, U8(u8"１：１００"));
  EXPECT_EQ(texts[4].numbers[5], 90);
  EXPECT_EQ((std::vector<double>{texts[4].numbers[0], texts[4].numbers[1]}), (std::vector<double>{-37, 63}));
  EXPECT_EQ(lines.back().numbers, (std::vector<double>{-40, 80, -55, 60}));
}

TEST_F(ProfileDxfFrameTest, FlagsStandOnTheirPolesAlongTwentyDegrees) {
  app.profile.ProfileScaleTop = 105;
  app.profile.ProfileFlagNumbers = 1;
  UseRows({4});
  // Points numbered against the chainage: the flags of 3 and 2 are raised,
  // flag 1 stands far to the right of flag 2 and is not.
  AddPoint(1, "F1", 104, 180, "92");
  AddPoint(2, "F2", 104, 70, "92");
  AddPoint(3, "F3", 105, 65, "92BM1");
  AddPoint(4, "F4", 104, 64, "95");  // no flag
  const dxf_entities::Drawing d = Frame(1000, 0.1);
  std::vector<Entity> flags;
  for (const Entity& e : d.On(U8(u8"縦断枠"), "TEXT")) {
    if (e.numbers[5] == 20) flags.push_back(e);
  }
  ASSERT_EQ(flags.size(), 3u) << d.all;
  // Flag 3 first: foot at paper y 50 + 50, top 50 higher.
  EXPECT_EQ(flags[0].text, U8(u8"ＮＯ．３＋５．００　　ＢＭ１"));
  EXPECT_EQ((std::vector<double>{flags[0].numbers[0], flags[0].numbers[1]}), (std::vector<double>{65, 150}));
  const double k3 = 14 * 2.5 * 0.7 + 5;
  EXPECT_EQ(flags[1].text, U8(u8"ＮＯ．３＋１０．００　　"));
  EXPECT_NEAR(flags[1].numbers[1], 155, 1e-6);  // 5 mm above flag 3's top: 70 - 65 < k3
  EXPECT_NEAR(flags[2].numbers[1], 140, 1e-6);  // 180 - 70 is more than flag 2's length
  // The leader of flag 3 as long as its text, at 20 degrees from its top.
  bool leader = false;
  for (const Entity& e : d.On(U8(u8"縦断枠"), "LINE")) {
    leader |= std::abs(e.numbers[0] - (65 + k3 * std::cos(20 * kDegrees))) < 1e-5 &&
              std::abs(e.numbers[1] - (150 + k3 * std::sin(20 * kDegrees))) < 1e-5 && e.numbers[2] == 65 &&
              e.numbers[3] == 150;
  }
  EXPECT_TRUE(leader) << d.all;
}

}  // namespace
