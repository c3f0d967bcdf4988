#include "runtime/numtext.h"

#include <gtest/gtest.h>

#include <cmath>
#include <limits>
#include <string>
#include <vector>

#include "runtime/errors.h"
#include "support/raised_error.h"

namespace {


struct StrCase {
  double value;
  const char* text;
};

TEST(RtStr, WritesTheNumberText) {
  const StrCase cases[] = {
      {841, " 841"},
      {123.456789, " 123.456789"},
      {0.5, " .5"},
      {-0.25, "-.25"},
      {-0.000001, "-.000001"},
      {0, " 0"},
      {-0.0, " 0"},
      {1.5, " 1.5"},
      {100, " 100"},
      {-7, "-7"},
      {0.1, " .1"},
      {0.30000000000000004, " .3"},
      {1e-5, " .00001"},
      {1.23456e-08, " .0000000123456"},
      {-7.25e-09, "-.00000000725"},
      // The unrounded angle keeps 15 digits; a value just below 360 rounds up to it.
      {33.690067525979785, " 33.6900675259798"},
      {359.99999999999994, " 360"},
      {10000 + 12.3456 + 2.000000026702864e-10, " 10012.3456000002"},
      {123456789012345.6, " 123456789012346"},
      {1e14, " 100000000000000"},
      {999999999999999.0, " 999999999999999"},
  };
  for (const auto& c : cases) EXPECT_EQ(RtStr(c.value), c.text) << c.value;
}

TEST(RtStr, SwitchesToTheExponentFormOutsideTheFixedRange) {
  const StrCase cases[] = {
      {1e15, " 1D+015"},
      {-1e15, "-1D+015"},
      {999999999999999.5, " 1D+015"},  // fifteen nines carry into a new digit
      {1.23456789e15, " 1.23456789D+015"},
      {9007199254740992.0, " 9.00719925474099D+015"},
      {1e100, " 1D+100"},
      {1.7976931348623157e308, " 1.79769313486232D+308"},
      {5e-324, " 4.94065645841247D-324"},
      {5.1e-15, " 5.1D-015"},
      {1.5e-15, " 1.5D-015"},
      {1e-15, " .000000000000001"},  // fifteen places still fit the fixed form
  };
  for (const auto& c : cases) EXPECT_EQ(RtStr(c.value), c.text) << c.value;
}

TEST(RtStr, RoundsTheExactExpansionHalfUpAtTheSixteenthDigit) {
  const StrCase cases[] = {
      // Exact ties at the 16th digit go up, not to even.
      {1234567890123445.0, " 1.23456789012345D+015"},
      {1234567890123455.0, " 1.23456789012346D+015"},
      // Exact expansions 1.0533383477707149999957... and 1.9863410779142049999990...:
      // the 16th digit is 4, so they round down although any rounding of the
      // expansion to 16..21 digits would show a 5 there.
      {1.053338347770715, " 1.05333834777071"},
      {1.986341077914205, " 1.9863410779142"},
      // 1.8683388259024999999979...: the 16th digit is 9, rounding up carries.
      {1.8683388259025, " 1.8683388259025"},
  };
  for (const auto& c : cases) EXPECT_EQ(RtStr(c.value), c.text) << c.value;
}

TEST(RtStr, NamesValuesThatAreNotNumbers) {
  EXPECT_EQ(RtStr(std::numeric_limits<double>::infinity()), " INF");
  EXPECT_EQ(RtStr(-std::numeric_limits<double>::infinity()), "-INF");
  EXPECT_EQ(RtStr(std::nan("")), " NAN");
}

TEST(RtNumText, AddsOneBlankAfterTheNumber) {
  EXPECT_EQ(RtNumText(5), " 5 ");
  EXPECT_EQ(RtNumText(-0.25), "-.25 ");
  EXPECT_EQ(RtNumText(0), " 0 ");
  EXPECT_EQ(RtNumText(1e15), " 1D+015 ");
}

struct ValCase {
  const char* text;
  double value;
};

TEST(RtVal, ReadsTheNumberAtTheStart) {
  const ValCase cases[] = {
      // Answers as the input routine completes them.
      {"12.3456000000", 12.3456},
      {"25.000000", 25},
      {"-3.000000", -3},
      {".5000000", 0.5},
      {".000000", 0},
      {"A12.000000", 0},
      {"12A.000000", 12},
      {"1,5.000000", 1},
      {"7.000000", 7},
      // The raw texts.
      {"12.3456", 12.3456},
      {"25", 25},
      {"-3", -3},
      {".5", 0.5},
      {"", 0},
      {"A12", 0},
      {"12A", 12},
      {"1,5", 1},
      {" 7 ", 7},
      {"   -.5x", -0.5},
      {"+4", 4},
      {"5.", 5},
      {"1.2.3", 1.2},
      {"1e5", 1},
      {"-", 0},
      {".", 0},
      {"- 5", 0},
      {"-0", 0},
      {"0.1", 0.1},
      {"007", 7},
  };
  for (const auto& c : cases) EXPECT_EQ(RtVal(c.text), c.value) << '"' << c.text << '"';
}

TEST(RtVal, GivesPositiveZeroForANegativeZero) {
  EXPECT_FALSE(std::signbit(RtVal("-0.000")));
}

TEST(RtVal, RaisesOverflowBeyondTheRangeOfADouble) {
  const std::string huge = "1" + std::string(400, '0');
  EXPECT_EQ(RaisedError([&] { RtVal(huge); }), kErrOverflow);
  EXPECT_EQ(RtVal("." + std::string(400, '0') + "1"), 0);
}

// A number field of a file: the whole text must be the number.
TEST(RtStrictVal, ReadsATextThatIsANumberAndNothingElse) {
  const ValCase cases[] = {
      {"", 0},           {"   ", 0},         {" 12.5 ", 12.5},  {"-3", -3},
      {"+.5", 0.5},      {"12.", 12},        {"007", 7},        {"-0.000", 0},
      {"1.5E+3", 1500},  {"2e-2", 0.02},     {"1D+015", 1e15},  {"-1.25d2", -125},
      {"99999999.9999", 99999999.9999},      {"1e-400", 0},     {"0e999999", 0},
      {"0.0001e310", 1e306},
  };
  for (const auto& c : cases) EXPECT_EQ(RtStrictVal(c.text), c.value) << '"' << c.text << '"';
}

TEST(RtStrictVal, AnythingElseIsATypeMismatchAndTooLargeAnOverflow) {
  struct Case {
    std::string text;
    int error;
  };
  const Case cases[] = {
      {"nan", kErrTypeMismatch},   {"inf", kErrTypeMismatch},    {"-Infinity", kErrTypeMismatch},
      {"0x10", kErrTypeMismatch},  {"1,5", kErrTypeMismatch},    {"12abc", kErrTypeMismatch},
      {"9ABC", kErrTypeMismatch},  {"%123456789.5000", kErrTypeMismatch},
      {".", kErrTypeMismatch},     {"-", kErrTypeMismatch},      {"1e", kErrTypeMismatch},
      {"1e+", kErrTypeMismatch},   {"E5", kErrTypeMismatch},     {"1 2", kErrTypeMismatch},
      {"1.2.3", kErrTypeMismatch}, {"--1", kErrTypeMismatch},    {"1e5x", kErrTypeMismatch},
      {"１２", kErrTypeMismatch},  {"1e400", kErrOverflow},      {"-1E309", kErrOverflow},
      {"1" + std::string(400, '0'), kErrOverflow},
      {"0.001e312", kErrOverflow},
  };
  for (const Case& c : cases) {
    EXPECT_EQ(RaisedError([&] { RtStrictVal(c.text); }), c.error) << '"' << c.text << '"';
  }
}

TEST(ScanNumber, TellsWhereTheNumberEndsWithAndWithoutTheExponent) {
  const struct {
    const char* text;
    bool exponent;
    bool found;
    size_t end;
    double value;
  } cases[] = {
      {"  12.5abc", false, true, 6, 12.5},
      {"1.5E3 m", false, true, 3, 1.5},
      {"1.5E3 m", true, true, 5, 1500},
      {"-2d-2", true, true, 5, -0.02},
      {"7E", true, true, 1, 7},     // no exponent digit: the "E" is not read
      {"7e+x", true, true, 1, 7},
      {"+.", true, false, 2, 0},
      {"abc", true, false, 0, 0},
      {"", false, false, 0, 0},
      {"1e-400", true, true, 6, 0},  // too small for a double
  };
  for (const auto& c : cases) {
    const rt::NumberScan scan = rt::ScanNumber(c.text, c.exponent);
    EXPECT_EQ(scan.found, c.found) << c.text;
    EXPECT_EQ(scan.end, c.end) << c.text;
    EXPECT_DOUBLE_EQ(scan.value, c.value) << c.text;
  }
  EXPECT_EQ(RaisedError([] { rt::ScanNumber("0.5e400", true); }), kErrOverflow);
  EXPECT_EQ(RaisedError([] { rt::ScanNumber("123456789012345678901234567890e300", true); }),
            kErrOverflow);
}

TEST(RtWhole, RoundsHalvesAwayFromZero) {
  EXPECT_EQ(RtWhole(2.5), 3);
  EXPECT_EQ(RtWhole(-2.5), -3);
  EXPECT_EQ(RtWhole(2.4999), 2);
  EXPECT_EQ(RtWhole(-0.4), 0);
  EXPECT_EQ(RtWhole(2147483647.4), 2147483647);
  EXPECT_EQ(RtWhole(-2147483648.4), -2147483647 - 1);
  EXPECT_EQ(RtInt16(32767.4), 32767);
  EXPECT_EQ(RtInt16(-32768.4), -32768);
  EXPECT_EQ(RtInt16(-1.5), -2);
}

TEST(RtWhole, RaisesOverflowOutsideItsRange) {
  for (double x : {2147483647.5, -2147483648.5, 1e10, std::nan("")}) {
    EXPECT_EQ(RaisedError([&] { RtWhole(x); }), kErrOverflow) << x;
  }
  for (double x : {32767.5, -32768.5, 40000.0, std::nan("")}) {
    EXPECT_EQ(RaisedError([&] { RtInt16(x); }), kErrOverflow) << x;
  }
}

// Short values are rounded in whole numbers, long ones (many digits, many
// decimals) from the exact expansion: both give the exact value rounded half
// away from zero, on either side of the boundary between them.
TEST(RoundedFixed, RoundsTheExactValueHalfAwayFromZeroAtEverySize) {
  const struct {
    double value;
    int decimals;
    const char* text;
  } cases[] = {
      {123456789.125, 2, "123456789.13"},
      {0.125, 2, "0.13"},
      {0.125, 10, "0.1250000000"},
      {-2.5, 0, "3"},
      {4.35, 1, "4.3"},                // the double lies below 4.35
      {9.9999999995, 9, "9.999999999"},  // below the half
      {0.0000000005, 9, "0.000000001"},  // above the half
      {999999999.5, 0, "1000000000"},
      {1e9, 9, "1000000000.000000000"},
      {999999999999999872.0, 0, "999999999999999872"},
      {1e18, 0, "1000000000000000000"},
      {1152921504606846976.0, 0, "1152921504606846976"},
      {5e-324, 3, "0.000"},
      {0.0, 3, "0.000"},
  };
  for (const auto& c : cases) {
    EXPECT_EQ(rt::RoundedFixed(c.value, c.decimals), c.text) << c.value << " " << c.decimals;
  }
}

struct UsingCase {
  const char* tmpl;
  std::vector<RtUsingItem> items;
  std::string text;
};

void ExpectFormats(const std::vector<UsingCase>& cases) {
  for (const auto& c : cases) {
    EXPECT_EQ(RtFormatUsing(c.tmpl, c.items), c.text) << '"' << c.tmpl << '"';
  }
}

TEST(RtFormatUsing, FillsNumericFields) {
  ExpectFormats({
      {"####### ﾃﾞ ##### ﾉ ｴﾗ- ﾒｲﾝﾆﾓﾄﾞﾘﾏｽ", {1234.0, 6.0}, "   1234 ﾃﾞ     6 ﾉ ｴﾗ- ﾒｲﾝﾆﾓﾄﾞﾘﾏｽ"},
      {"#######.###", {12.3456}, "     12.346"},
      {"#######.###", {-12.3456}, "    -12.346"},
      {"###.##", {-1.5}, " -1.50"},
      {"##.###", {0.5}, " 0.500"},
      {"##.##", {-0.5}, "-0.50"},
      {"#.##", {-0.5}, "-.50"},  // no room for the zero
      {".##", {0.5}, ".50"},
      {"#####", {12.6}, "   13"},
      {"###.", {12.6}, " 13."},
      {"#", {0.4}, "0"},
      {"##.#", {99.96}, "%100.0"},
      {"###.#", {12345.6}, "%12345.6"},
      {"###.#", {-999.96}, "%-1000.0"},
      {"#.#", {-0.5}, "-.5"},
      {"#", {std::numeric_limits<double>::infinity()}, "%INF"},
      {"##.##", {-0.0004}, "-0.00"},  // the sign of the value before rounding
  });
}

TEST(RtFormatUsing, RoundsHalvesAwayFromZero) {
  ExpectFormats({
      {"#.##", {0.125}, "0.13"},
      {"#.##", {0.375}, "0.38"},
      {"#.##", {-0.125}, "-.13"},
      {"##", {2.5}, " 3"},
      {"##", {-2.5}, "-3"},
      {"#", {9.5}, "%10"},
      {"#.##", {1.005}, "1.00"},  // the double lies below 1.005
      {"##.#", {0.05}, " 0.1"},   // 0.05000000000000000277 is above the half
  });
}

TEST(RtFormatUsing, PlusBeforeAFieldShowsEverySign) {
  ExpectFormats({
      {"&      &@+#####.###    TD=#####.###",
       {std::string("NO.5"), std::string(""), 12.5, 100.0},
       "NO.5       +12.500    TD=  100.000"},
      {"+#####.###", {-3.25}, "    -3.250"},
      {"+#", {0.0}, "+0"},
      {"a+b ##", {1.0}, "a+b  1"},
  });
}

TEST(RtFormatUsing, FillsTextFields) {
  ExpectFormats({
      {"&&", {std::string("X=")}, "X="},
      {"&&", {std::string("Xabc")}, "Xa"},
      {"&&", {std::string("")}, "  "},
      {"  &&#######.###", {std::string("L="), 25.0}, "  L=     25.000"},
      {"&      &", {std::string("ABC")}, "ABC     "},
      {"&      &", {std::string("ABCDEFGHIJ")}, "ABCDEFGH"},
      {"&      &@", {std::string("ABCDEFGHIJ"), std::string("IJ")}, "ABCDEFGHIJ"},
      {"ﾍﾝ=& &", {std::string("12345")}, "ﾍﾝ=123"},
      // Double-byte characters are two bytes; a cut never splits one.
      {"&      &|", {std::string("測量測量X")}, "測量測量|"},
      {"&      &|", {std::string("A測量測量")}, "A測量測 |"},
      {"&&|", {std::string("測")}, "測|"},
      {"& &|", {std::string("測量")}, "測 |"},
      {"@|", {std::string("測量ABC")}, "測量ABC|"},
  });
}

TEST(RtFormatUsing, CopiesOtherCharactersAsTheyStand) {
  ExpectFormats({
      // The full-width blank is 0x81 0x40: its second byte is no "@" field.
      {"####.#　 ####.#", {1.25, 2.5}, "   1.3　    2.5"},
      {"面積=##.##㎡", {3.0}, "面積= 3.00㎡"},
      {"A&B ##", {1.0}, "A&B  1"},
      {" %=&  &", {std::string("x")}, " %=x   "},
      {"変化点NO. ####", {7.0}, "変化点NO.    7"},
      {"###.# --####.#  ", {12.3, 45.6}, " 12.3 --  45.6  "},
  });
}

TEST(RtFormatUsing, StopsAtTheNextFieldWhenItemsRunOut) {
  ExpectFormats({
      {"X=###.## Y=###.##", {1.0}, "X=  1.00 Y="},
      {"X=###.## Y=###.##", {}, "X="},
      {"X=###.## Y=###.##;", {1.0, 2.0}, "X=  1.00 Y=  2.00;"},
      {"no fields", {}, "no fields"},
  });
}

TEST(RtFormatUsing, StartsAgainWhenItemsRemain) {
  ExpectFormats({
      {"##:", {1.0, 2.0, 3.0}, " 1: 2: 3:"},
      {"<&&=##>", {std::string("a"), 1.0, std::string("b"), 2.0, std::string("c")},
       "<a = 1><b = 2><c ="},
  });
}

TEST(RtFormatUsing, TheTransferRecordLayout) {
  EXPECT_EQ(RtFormatUsing("A01,##### ,&      &,########.#### ,########.#### ,#######.#### ,",
                          {5.0, std::string("P1"), 123.45, -6789.01234, 12.3}),
            "A01,    5 ,P1      ,     123.4500 ,   -6789.0123 ,     12.3000 ,");
}

TEST(RtFormatUsing, RaisesTypeMismatchForTheWrongKindOfItem) {
  EXPECT_EQ(RaisedError([] { RtFormatUsing("###", {std::string("1")}); }), kErrTypeMismatch);
  EXPECT_EQ(RaisedError([] { RtFormatUsing("&&", {1.0}); }), kErrTypeMismatch);
  EXPECT_EQ(RaisedError([] { RtFormatUsing("@", {1.0}); }), kErrTypeMismatch);
}

TEST(RtFormatUsing, RaisesIllegalArgumentForItemsWithoutAnyField) {
  EXPECT_EQ(RaisedError([] { RtFormatUsing("no fields", {1.0}); }), kErrIllegalArgument);
}

}  // namespace
