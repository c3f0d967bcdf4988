// The section's step of a plot run on an open drawing, read back by ezdxf:
// the stations in point-number order with their lines and marks, the text
// modes, the station interval handed on, same-chainage pairs, and the inputs
// refused before anything is written.
#include "profile/dxf_section.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "dxf/head.h"
#include "dxf/records.h"
#include "profile/profile_dxf_fixture.h"
#include "runtime/files.h"

namespace {

using dxf_entities::Entity;

class ProfileDxfSectionTest : public ProfileDxfFixture {
 protected:
  void SetUp() override {
    ProfileDxfFixture::SetUp();
    app.profile.ProfileStartChainage = 0;
    app.profile.ProfileEndChainage = 200;
    app.profile.ProfileScaleTop = 115;
  }
  std::string Path() { return data_ / "S.DXF"; }
  // The plot's section step on a drawing holding only its head, with the
  // text-mode answer `mode`.
  dxf_entities::Drawing Plot(const std::string& mode) {
    WriteHostFile(Path(), dxf::HeadText(0.4, 0.3, 1));
    RtOpen(dxf::kDrawingFile, Path(), RtFileMode::Append);
    // A refused section asks nothing: no answer is left queued then.
    if (profile::SectionInputFault(app).empty()) Answers(mode + "\n");
    PlotProfileToDxf(app);
    RtClose(dxf::kDrawingFile);
    return ReadDrawing(Path());
  }
  void ChangePoints(const std::vector<double>& table) {
    for (size_t k = 0; k < table.size(); ++k) app.route.VerticalTable(static_cast<int>(k)) = table[k];
  }
};

TEST_F(ProfileDxfSectionTest, StationsComeInPointNumberOrderWithTheirLinesAndMarks) {
  struct Case {
    double spacing;
    size_t linesPerStation;
  };
  for (const Case c : {Case{1, 3}, Case{0, 5}}) {
    SCOPED_TRACE(c.spacing);
    UseRows({4, 3, 1});
    app.profile.ProfileRowSpacing = c.spacing;
    AddPoint(1, "NO.3", 111, 60, "95");
    AddPoint(2, "F1", 112, 65, "92");     // a flag is no station
    AddPoint(3, "NO.2", 110.5, 40, "97");
    AddPoint(4, "NO.11", 108, 220, "95");  // outside the window
    AddPoint(5, "NULL", 108, 20, "NULL");
    AddPoint(6, "S", 108, 200, "95");      // on the window's end
    const dxf_entities::Drawing d = Plot("");
    const std::vector<Entity> lines = d.On(U8(u8"縦断線"), "LINE");
    ASSERT_EQ(lines.size(), 3 * c.linesPerStation) << d.all;
    const double xs[] = {60, 40, 200};
    const double tops[] = {110, 105, 80};
    for (size_t s = 0; s < 3; ++s) {
      const Entity& vertical = lines[s * c.linesPerStation];
      EXPECT_EQ(vertical.numbers, (std::vector<double>{xs[s], tops[s], xs[s], 50}));
      for (size_t k = 1; k < c.linesPerStation; ++k) EXPECT_EQ(lines[s * c.linesPerStation + k].numbers[0], xs[s]);
    }
    if (c.spacing == 0) {
      // The top mark below the gap, the marks across the row lines, the foot.
      const double y[][2] = {{40, 39.3}, {24.3, 25.7}, {9.3, 10.7}, {-5, -4.3}};
      for (size_t k = 0; k < 4; ++k) {
        EXPECT_NEAR(lines[1 + k].numbers[1], y[k][0], 1e-9);
        EXPECT_NEAR(lines[1 + k].numbers[3], y[k][1], 1e-9);
      }
    }
    const std::vector<Entity> values = d.On(U8(u8"縦断値"), "TEXT");
    ASSERT_EQ(values.size(), 9u) << d.all;
    // Without gaps the field is one character narrower.
    const std::string pad = c.spacing == 0 ? "" : U8(u8"　");
    EXPECT_EQ(values[0].text, pad + U8(u8"　１１１．００"));
    EXPECT_EQ(values[1].text, pad + U8(u8"　　６０．００"));
    EXPECT_EQ(values[2].text, U8(u8"ＮＯ．３"));
    EXPECT_EQ(values[5].text, U8(u8"ＮＯ．２"));
  }
}

TEST_F(ProfileDxfSectionTest, TheTextModeSetsTheValueWidthAndTheIntervalIsHandedOn) {
  struct Case {
    const char* answer;
    double width;
  };
  const Case cases[] = {{"2", 0.56}, {"1", 0.7}, {"", 0.7}, {"0", 0.7}, {"3", 0.7}, {"X", 0.7}, {"%", 0.7}};
  AddPoint(1, "NO.3", 111, 60, "95");
  for (const Case& c : cases) {
    SCOPED_TRACE(c.answer);
    app.route.RouteValue(1) = 0;
    app.route.StationInterval = 0;
    const dxf_entities::Drawing d = Plot(c.answer);
    const std::vector<Entity> values = d.On(U8(u8"縦断値"), "TEXT");
    ASSERT_FALSE(values.empty()) << d.all;
    for (const Entity& v : values) EXPECT_NEAR(v.numbers[4], c.width, 1e-6);
    EXPECT_EQ(app.route.StationInterval, 20);
    EXPECT_EQ(app.dxf.TextSize, app.profile.ProfileValueTextSize);
  }
}

TEST_F(ProfileDxfSectionTest, ThePairsSecondColumnShowsOnlyItsOwnValuesOneTextWidthOn) {
  UseRows({2, 3, 4});
  AddPoint(1, "NO.0", 110, 0, "95");
  AddPoint(7, "NO.2", 110.5, 40, "95");
  AddPoint(8, "NO.2", 111.5, 40, "95");
  const dxf_entities::Drawing d = Plot("");
  const std::vector<Entity> values = d.On(U8(u8"縦断値"), "TEXT");
  std::vector<std::pair<double, std::string>> at40;
  for (const Entity& v : values) {
    if (v.numbers[0] > 39) at40.emplace_back(v.numbers[0], v.text);
  }
  ASSERT_EQ(at40.size(), 4u) << d.all;
  EXPECT_NEAR(at40[0].first, 40.84, 1e-6);
  EXPECT_EQ(at40[0].second, U8(u8"　　　４０．００"));  // the single distance
  EXPECT_EQ(at40[1].second, U8(u8"　　　４０．００"));  // the chainage
  EXPECT_EQ(at40[2].second, U8(u8"　　１１０．５０"));
  EXPECT_NEAR(at40[3].first, 40.84 + 1.68, 1e-6);
  EXPECT_EQ(at40[3].second, U8(u8"　　１１１．５０"));
}

TEST_F(ProfileDxfSectionTest, FaultyInputsWriteNothingOfTheSectionAndSaySo) {
  struct Case {
    const char* what;
    std::vector<double> table;
    int item;
    int height;
    double spacing;
  };
  const std::vector<double> good = {0, 10, 0, 100, 12, 80, 200, 10, 9999};
  const Case cases[] = {
      {"the closing mark as a height", {0, 10, 0, 100, 9999, 0}, 4, 15, 1},
      {"the closing mark as a chainage", {0, 10, 0, 9999, 12, 0}, 4, 15, 1},
      {"one change point", {0, 10, 9999}, 4, 15, 1},
      {"chainages not increasing", {0, 10, 0, 100, 12, 80, 90, 10, 9999}, 4, 15, 1},
      {"an item beyond 27", good, 28, 15, 1},
      {"a negative item", good, -1, 15, 1},
      {"a row below its margin", good, 4, 0, 1},
      {"a row below the wider margin", good, 4, 1, 0},
  };
  AddPoint(1, "NO.3", 111, 60, "95");
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    for (int k = 0; k <= 12; ++k) app.route.VerticalTable(k) = 0;
    ChangePoints(c.table);
    UseRows({c.item, 3});
    app.profile.ProfileRowHeight(0) = static_cast<int16_t>(c.height);
    app.profile.ProfileRowSpacing = c.spacing;
    EXPECT_NE(profile::SectionInputFault(app), "");
    ForgetTranscript();
    const dxf_entities::Drawing d = Plot("2");
    EXPECT_TRUE(d.entities.empty()) << d.all;
    EXPECT_EQ(CountContaining(U8(u8"縦断図は図面に出力しませんでした")), 1);
    EXPECT_EQ(CountContaining("AutoCAD"), 0);  // not asked
  }
  // The good table, a row just at its margin and no closing mark at all pass.
  ChangePoints(good);
  UseRows({4, 3});
  app.profile.ProfileRowHeight(0) = 1;
  EXPECT_EQ(profile::SectionInputFault(app), "");
  for (int k = 0; k <= 12; ++k) app.route.VerticalTable(k) = 0;
  EXPECT_EQ(profile::SectionInputFault(app), "");
}

}  // namespace
