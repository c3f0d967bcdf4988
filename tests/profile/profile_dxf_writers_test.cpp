// The section's records byte for byte where the format fixes them (a frame
// line, the number lines, a row value), and the columns of the grade line and
// the row circles placed by the table geometry coded here, read by ezdxf.
#include "profile/dxf_writers.h"

#include <gtest/gtest.h>

#include <cmath>
#include <string>
#include <vector>

#include "profile/profile_dxf_fixture.h"
#include "runtime/text.h"
#include "support/u8.h"

namespace {

using dxf_entities::Entity;

// CP932 lines each ended with CR LF.
std::string RecordText(const std::vector<std::string>& lines) {
  std::string out;
  for (const std::string& l : lines) out += l + "\r\n";
  return out;
}

std::string Cp932(const char8_t* utf8) { return rt::Utf8ToCp932(U8(utf8)); }

class ProfileDxfWritersTest : public ProfileDxfFixture {};

TEST_F(ProfileDxfWritersTest, AFrameLineIsWrittenAsItsFourteenLines) {
  plot.ProfileLineX1 = 10;
  plot.ProfileLineY1 = 20;
  plot.ProfileLineX2 = 30.25;
  plot.LineEndY = 20;
  profile::WriteProfileFrameLine(plot);
  EXPECT_EQ(plot.out.Text(), RecordText({"  0", "LINE", "  8", Cp932(u8"縦断枠"), " 6", "CONTINUOUS", " 10", " 10 ",
                                    " 20", " 20 ", " 11", " 30.25 ", " 21", " 20 "}));
  EXPECT_EQ(plot.ProfileLineLayer, Cp932(u8"縦断枠"));
}

TEST_F(ProfileDxfWritersTest, NumbersAreRoundedToSixDecimalsWithoutALeadingZero) {
  plot.StationPaperX = 0.3333333;
  plot.LineStartY = 0.0000004;
  plot.LineEndY = -0.5;
  profile::WriteStationLine(plot);
  EXPECT_EQ(plot.out.Text(), RecordText({"  0", "LINE", "  8", Cp932(u8"縦断線"), " 6", "CONTINUOUS", " 10",
                                    " .333333 ", " 20", " 0 ", " 11", " .333333 ", " 21", "-.5 "}));
}

TEST_F(ProfileDxfWritersTest, ARowValueStandsUpInItsRowWithTheLiteralAngle) {
  // Row 0 at the station x 50: 14 mm of the 15 hold 8.33 characters of
  // 2.4 x 0.7; the value starts half a text width right of the station and
  // (8.33 - 8) / 2 mm above the row's bottom (paper y 25).
  plot.StationPaperX = 50;
  plot.RowOffset = 26;
  profile::SizeRowValue(plot, 0);
  EXPECT_NEAR(plot.RowCharCount, 14 / 1.6800000381469715, 1e-12);
  plot.RowValueText = profile::RowValueTextOf(plot, 12.5, 2);
  EXPECT_EQ(plot.RowValueText, "   12.50");
  profile::WriteRowValueText(plot);
  const std::vector<std::string> record = {"  0", "TEXT", "  8", Cp932(u8"縦断値"), " 10", " 50.84 ", " 20",
                                           " 25.166667 ", " 40", " 2.4 ", " 41", " .7 ", " 50", "90", "  1",
                                           Cp932(u8"　　　１２．５０"), "  7", "KANJI"};
  EXPECT_EQ(plot.out.Text(), RecordText(record));

  // The second of a pair moves one text width further.
  plot.out.Clear();
  plot.PairSecond = 1;
  profile::WriteRowValueText(plot);
  EXPECT_NE(plot.out.Text().find("\r\n 52.52 \r\n"), std::string::npos) << plot.out.Text();
}

TEST_F(ProfileDxfWritersTest, WithoutRowGapsAValueHasSevenCharactersAndStandsHigher) {
  app.profile.ProfileRowSpacing = 0;
  plot.RowTextMargin = profile::SinglePrecision(1.8f);
  plot.StationPaperX = 50;
  plot.RowOffset = 25;  // datum 50, gap 10, row 0: bottom at 25
  profile::SizeRowValue(plot, 0);
  EXPECT_EQ(std::trunc(plot.RowCharCount), 7);
  plot.RowValueText = profile::RowValueTextOf(plot, 12.5, 2);
  EXPECT_EQ(plot.RowValueText, "  12.50");
  profile::WriteRowValueText(plot);
  const dxf_entities::Drawing d = ReadGathered();
  ASSERT_EQ(d.entities.size(), 1u) << d.all;
  EXPECT_NEAR(d.entities[0].numbers[1], 25 + 0.7 + 0.4285713535587852, 1e-6);
  EXPECT_EQ(d.entities[0].numbers[5], 90);
}

TEST_F(ProfileDxfWritersTest, TextsOfTheFrameAndValuesAreFullWidthWithTheirLayerAndAngle) {
  plot.StationPaperX = 5;
  plot.LineStartY = 6;
  plot.ProfileTextHeight = 2.5;
  plot.ProfileTextWidth = 5.0 / 3;
  plot.ProfileTextAngle = 20;
  plot.RowValueText = "NO.3 ｶﾞｹ";
  profile::WriteProfileFrameText(plot);
  plot.ProfileTextAngle = 0;
  profile::WriteProfileValueText(plot);
  const dxf_entities::Drawing d = ReadGathered();
  ASSERT_EQ(d.entities.size(), 2u) << d.all;
  EXPECT_EQ(d.entities[0].layer, U8(u8"縦断枠"));
  EXPECT_EQ(d.entities[1].layer, U8(u8"縦断値"));
  EXPECT_EQ(d.entities[0].text, U8(u8"ＮＯ．３　ガケ"));
  EXPECT_NEAR(d.entities[0].numbers[4], 1.666667, 1e-9);
  EXPECT_EQ(d.entities[0].numbers[5], 20);
  EXPECT_EQ(plot.ProfileTextLayer, Cp932(u8"縦断値"));
}

TEST_F(ProfileDxfWritersTest, ARowCircleFillsItsRowLessSevenTenths) {
  for (const double spacing : {1.0, 0.0}) {
    SCOPED_TRACE(spacing);
    plot.out.Clear();
    app.profile.ProfileRowSpacing = spacing;
    plot.StationPaperX = 40;
    const double bottom = 25;
    plot.LineEndY = spacing == 0 ? bottom + 0.7 : bottom;
    profile::WritePlanCircle(plot, 0);
    const dxf_entities::Drawing d = ReadGathered();
    ASSERT_EQ(d.entities.size(), 1u) << d.all;
    const Entity& c = d.entities[0];
    EXPECT_EQ(c.kind, "CIRCLE");
    EXPECT_EQ(c.layer, U8(u8"計画線"));
    EXPECT_NEAR(c.numbers[0], 40, 1e-9);
    EXPECT_NEAR(c.numbers[1], bottom + 7.5, 1e-9);
    EXPECT_NEAR(c.numbers[3], 6.8, 1e-9);
    EXPECT_NEAR(plot.LineEndY, bottom, 1e-12);
    EXPECT_EQ(plot.RowHalfHeight, 7.5);
  }
}

TEST_F(ProfileDxfWritersTest, APlanSegmentJoinsTheGroundPositionsOfItsEnds) {
  plot.GradeFromChainage = 100;
  plot.GradeFromHeight = 112;
  plot.GradeToChainage = 200;
  plot.GradeToHeight = 110;
  profile::WritePlanSegment(plot);
  const dxf_entities::Drawing d = ReadGathered();
  ASSERT_EQ(d.entities.size(), 1u);
  EXPECT_EQ(d.entities[0].layer, U8(u8"計画線"));
  EXPECT_EQ(d.entities[0].numbers, (std::vector<double>{100, 120, 200, 100}));
  EXPECT_EQ(plot.ProfileLineX2, 200);
  EXPECT_EQ(plot.LineEndY, 100);
}

// The TEXT entities of a column, by the row whose bottom they stand on.
std::vector<std::string> ColumnTexts(const dxf_entities::Drawing& d, double x, const std::vector<double>& bottoms) {
  std::vector<std::string> texts(bottoms.size());
  for (const Entity& e : d.On(U8(u8"縦断値"), "TEXT")) {
    EXPECT_NEAR(e.numbers[0], x + 0.84, 1e-6);
    for (size_t r = 0; r < bottoms.size(); ++r) {
      if (std::abs(e.numbers[1] - (bottoms[r] + 0.166667)) < 1e-6) texts[r] = e.text;
    }
  }
  return texts;
}

TEST_F(ProfileDxfWritersTest, AColumnOfTheGradeLineShowsStationChainagePlanHeightAndGradient) {
  struct Case {
    double chainage;
    const char8_t* station;
    const char8_t* chainageText;
  };
  const Case cases[] = {
      {45, u8"＋５．００", u8"　　　４５．００"},
      {40, u8"＋０．００", u8"　　　４０．００"},
      {-5, u8"＋１５．００", u8"　　　－５．００"},
  };
  const std::vector<double> bottoms = {RowBottom(0), RowBottom(1), RowBottom(2), RowBottom(3), RowBottom(4)};
  for (const Case& c : cases) {
    SCOPED_TRACE(c.chainage);
    plot.out.Clear();
    plot.StationInterval = 0;  // the column takes 20
    plot.ProfileChainage = c.chainage;
    plot.StationPaperX = c.chainage;
    plot.ChangePointHeight = 1.5;
    plot.GradeFromHeight = 111.5;
    plot.StationColumnMode = 0;
    profile::WriteStationColumns(plot);
    EXPECT_EQ(plot.StationInterval, 20);
    EXPECT_EQ(plot.StationPointFound, 0);
    const dxf_entities::Drawing d = ReadGathered();
    const std::vector<Entity> frame = d.On(U8(u8"縦断枠"), "LINE");
    ASSERT_EQ(frame.size(), 1u) << d.all;
    EXPECT_EQ(frame[0].numbers, (std::vector<double>{c.chainage, -985, c.chainage, 50}));
    // A mark across each gap between rows, none below the last.
    const std::vector<Entity> marks = d.On(U8(u8"縦断線"), "LINE");
    ASSERT_EQ(marks.size(), 4u) << d.all;
    for (size_t r = 0; r < 4; ++r) {
      EXPECT_NEAR(marks[r].numbers[1], bottoms[r] - 1, 1e-9);
      EXPECT_NEAR(marks[r].numbers[3], bottoms[r], 1e-9);
    }
    const std::vector<std::string> texts = ColumnTexts(d, c.chainage, bottoms);
    EXPECT_EQ(texts, (std::vector<std::string>{U8(u8"　　　　１．５０"), U8(u8"　　１１１．５０"), "",
                                               U8(c.chainageText), U8(c.station)}));
    const std::vector<Entity> circles = d.On(U8(u8"計画線"), "CIRCLE");
    ASSERT_EQ(circles.size(), 1u);
    EXPECT_NEAR(circles[0].numbers[1], bottoms[0] + 7.5, 1e-9);
    EXPECT_EQ(plot.RowHalfHeight, 7.5);
    EXPECT_EQ(plot.CircleBaseY, bottoms[0]);
  }
}

TEST_F(ProfileDxfWritersTest, AStationAtTheColumnLeavesOnlyTheGradientUnlessTheCurveEnds) {
  AddPoint(1, "NO.2", 112, 40.0001, "95");  // not at 40: does not count
  AddPoint(2, "F", 112, 40, "92");          // a flag does not count
  plot.ProfileChainage = 40;
  plot.StationPaperX = 40;
  plot.ChangePointHeight = 2;
  plot.StationColumnMode = 0;
  profile::WriteStationColumns(plot);
  EXPECT_EQ(plot.StationPointFound, 0);

  AddPoint(3, "NO.2", 112, 40, "97");
  struct Case {
    double mode;
    size_t records;
  };
  for (const Case c : {Case{0, 2}, Case{-2, 0}}) {
    SCOPED_TRACE(c.mode);
    plot.out.Clear();
    plot.StationColumnMode = c.mode;
    profile::WriteStationColumns(plot);
    EXPECT_EQ(plot.StationPointFound, 1);
    const dxf_entities::Drawing d = ReadGathered();
    EXPECT_EQ(d.entities.size(), c.records) << d.all;
    if (c.records == 2) {
      EXPECT_EQ(d.entities[0].text, U8(u8"　　　　２．００"));
      EXPECT_EQ(d.entities[1].kind, "CIRCLE");
    }
  }
}

TEST_F(ProfileDxfWritersTest, ARowTooLowForOneCharacterShowsNothingButThePlus) {
  app.profile.ProfileRowHeight(4) = 2;  // (2 - 1) / 1.68: no character
  app.profile.ProfileRowHeight(3) = 2;
  plot.ProfileChainage = 45;
  plot.StationPaperX = 45;
  profile::WriteStationColumns(plot);
  const dxf_entities::Drawing d = ReadGathered();
  std::vector<std::string> texts;
  for (const Entity& e : d.On(U8(u8"縦断値"), "TEXT")) texts.push_back(e.text);
  EXPECT_EQ(texts, (std::vector<std::string>{U8(u8"　　　　０．００"), U8(u8"　　　　０．００"), "", U8(u8"＋")}));
}

TEST(ProfileFieldTextTest, AValueWiderThanItsFieldIsMarkedNotCut) {
  struct Case {
    double value, digits, width;
    const char* text;
  };
  const Case cases[] = {
      {12.5, 2, 8.33, "   12.50"},
      {12.5, 2, 5, "12.50"},      // only the sign's blank goes
      {1234.56, 2, 5, "*****"},   // not "34.56"
      {123.456, 3, 6, "******"},  // not "23.456"
      {-12.5, 2, 5, "*****"},     // the minus sign may not go
      {-12.5, 2, 6, "-12.50"},
      {12, 0, 4, " 12."},
      {12.5, 2, 0.9, ""},
      {12.5, 2, -3, ""},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.value);
    SCOPED_TRACE(c.width);
    EXPECT_EQ(profile::FieldTextOf(c.value, c.digits, c.width), c.text);
  }
}

}  // namespace
