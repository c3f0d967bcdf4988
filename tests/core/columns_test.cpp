// The byte columns of record texts.
#include "core/columns.h"

#include <gtest/gtest.h>

#include <string>

namespace {

TEST(DecimalWindow, KeepsItsPlaceAroundTheDecimalPointAndLosesLeftmostDigits) {
  const struct {
    double value;
    int before, width;
    const char* text;
    bool fits;
  } cases[] = {
      {123.4567, 4, 8, " 123.456", true},    // the fourth decimal dropped
      {12345.678, 4, 8, "2345.678", false},  // too wide: the leftmost digit lost
      {-1234.5, 4, 8, "1234.500", false},    // and with it the sign
      {10000, 4, 8, "0000.000", false},
      {9999.999, 4, 8, "9999.999", true},
      {-999.999, 4, 8, "-999.999", true},
      {0, 4, 8, "   0.000", true},
      {90.1234, 4, 9, "  90.1234", true},
      {45, 4, 9, "  45.0000", true},
      {1.5, 3, 7, "  1.500", true},
      {1.2345, 3, 8, "  1.2345", true},
      {-12.5, 3, 7, "-12.500", true},
      {-100, 3, 7, "100.000", false},  // a level distance of -100 m drops its sign
  };
  for (const auto& c : cases) {
    EXPECT_EQ(columns::DecimalWindow(c.value, c.before, c.width), c.text) << c.value;
    EXPECT_EQ(columns::DecimalWindowFits(c.value, c.before, c.width), c.fits) << c.value;
  }
}

TEST(PadToAndRightAlign, GiveExactWidthsWithoutSplittingADoubleByteCharacter) {
  EXPECT_EQ(columns::PadTo("A1", 9), "A1       ");
  EXPECT_EQ(columns::PadTo("ABCDEFGHIJ", 9), "ABCDEFGHI");
  EXPECT_EQ(columns::PadTo("", 3), "   ");
  // "測量" is four bytes; a cut at 3 would split the second character.
  EXPECT_EQ(columns::PadTo("測量", 3), std::string("測") + " ");
  EXPECT_EQ(columns::RightAlign("7", 3), "  7");
  EXPECT_EQ(columns::RightAlign("12345", 3), "345");
  EXPECT_EQ(columns::RightAlign("測量", 3), std::string(" ") + "量");
  EXPECT_EQ(columns::Columns("ABCDEF", 2, 4), "BCD");
  EXPECT_EQ(columns::Columns("ABC", 2, 9), "BC");
  EXPECT_EQ(columns::Columns("ABC", 5, 9), "");
  EXPECT_DOUBLE_EQ(columns::ColumnValue("^BM1       25.300  1.2345", 20, 27), 1.2345);
}

}  // namespace
