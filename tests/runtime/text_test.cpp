#include "runtime/text.h"

#include <gtest/gtest.h>

#include <cmath>
#include <string>
#include <string_view>
#include <vector>

#include "runtime/errors.h"
#include "temp_folder.h"

namespace {

TEST(Text, LiteralsAreCp932) {
  // The whole text layer relies on this build setting.
  EXPECT_EQ(std::string("測量"), "\x91\xAA\x97\xCA");
  EXPECT_EQ(std::string("ｶ"), "\xB6");
}

TEST(Text, LeadBytes) {
  for (int c = 0; c < 256; ++c) {
    bool expected = (c >= 0x81 && c <= 0x9F) || (c >= 0xE0 && c <= 0xFC);
    EXPECT_EQ(rt::IsLeadByte(static_cast<unsigned char>(c)), expected) << c;
  }
}

TEST(Text, TrailBytes) {
  for (int c = 0; c < 256; ++c) {
    const bool expected = c >= 0x40 && c <= 0xFC && c != 0x7F;
    EXPECT_EQ(rt::IsTrailByte(static_cast<unsigned char>(c)), expected) << c;
  }
}

TEST(Text, EqualsIgnoringCaseFoldsAsciiLettersOnly) {
  struct Case {
    std::string_view a, b;
    bool equal;
  };
  for (const Case& c : std::vector<Case>{
           {"chord.wav", "CHORD.WAV", true},
           {"Play ", "pLAY ", true},
           {"", "", true},
           {"ding.wav", "ding.wa", false},  // lengths differ
           {"a.wav", "b.wav", false},
           {"@", "`", false},   // next to the letters: no case pair
           {"[", "{", false},
           {"\xC0", "\xE0", false},  // bytes above ASCII must match exactly
           {"\xC3\xA9", "\xC3\xA9", true},
       }) {
    EXPECT_EQ(rt::EqualsIgnoringCase(c.a, c.b), c.equal) << c.a << " / " << c.b;
    EXPECT_EQ(rt::EqualsIgnoringCase(c.b, c.a), c.equal) << c.b << " / " << c.a;
  }
}

TEST(Text, Cp932AndUtf8RoundTrip) {
  const std::string cp932 = "測量ケルノ君 ﾃｽﾄ 表示\\A1 ～";
  const std::string utf8 = reinterpret_cast<const char*>(u8"測量ケルノ君 ﾃｽﾄ 表示\\A1 ～");
  EXPECT_EQ(rt::Cp932ToUtf8(cp932), utf8);
  EXPECT_EQ(rt::Utf8ToCp932(utf8), cp932);
  EXPECT_EQ(rt::Cp932ToUtf8(""), "");
}

TEST(Text, ConversionSubstitutesBadBytesAndGoesOn) {
  // A stray byte, a lead byte before a control character, a lead byte at the end.
  EXPECT_EQ(rt::Cp932ToUtf8("A\x80" "B"), "A\xEF\xBF\xBD" "B");
  EXPECT_EQ(rt::Cp932ToUtf8("A\x81\r\n"), "A\xEF\xBF\xBD\r\n");
  EXPECT_EQ(rt::Cp932ToUtf8("AB\x88"), "AB\xEF\xBF\xBD");
  // Invalid UTF-8 and a character CP932 lacks (an emoji).
  EXPECT_EQ(rt::Utf8ToCp932("a\xFF" "b"), "a?b");
  EXPECT_EQ(rt::Utf8ToCp932("a\xF0\x9F\x98\x80" "b"), "a?b");
  EXPECT_EQ(rt::Utf8ToCp932("a\xE6\xB8"), "a?");
  EXPECT_EQ(rt::Utf8ToCp932("a\xE6\xB8" "b\xB8"), "a?b?");
}

TEST(Text, LeftMidRightCountBytes) {
  const std::string s = "AB測量CD";  // 8 bytes
  EXPECT_EQ(RtLeft(s, 4), "AB\x91\xAA");
  EXPECT_EQ(RtLeft(s, 3), "AB\x91");  // byte-based: may split
  EXPECT_EQ(RtLeft(s, 0), "");
  EXPECT_EQ(RtLeft(s, 100), s);
  EXPECT_EQ(RtMid(s, 3, 4), "測量");
  EXPECT_EQ(RtMid(s, 7), "CD");
  EXPECT_EQ(RtMid(s, 9), "");
  EXPECT_EQ(RtMid(s, 8, 100), "D");
  EXPECT_EQ(RtMid(s, 1e300, 1e300), "");
  EXPECT_EQ(RtRight(s, 2), "CD");
  EXPECT_EQ(RtRight(s, 6), "測量CD");
  EXPECT_EQ(RtRight(s, 99), s);
  // Counts round half away from zero.
  EXPECT_EQ(RtLeft(s, 1.5), "AB");
  EXPECT_EQ(RtLeft(s, 1.49), "A");
  EXPECT_EQ(RtMid(s, 2.5, 0.5), "\x91");
  EXPECT_EQ(RtLeft(s, -0.4), "");  // rounds to 0, not negative
}

TEST(Text, BadCountsAreError5) {
  const std::string s = "ABC";
  EXPECT_EQ(RaisedError([&] { RtLeft(s, -1); }), kErrIllegalArgument);
  EXPECT_EQ(RaisedError([&] { RtRight(s, -0.5); }), kErrIllegalArgument);
  EXPECT_EQ(RaisedError([&] { RtMid(s, 0, 1); }), kErrIllegalArgument);
  EXPECT_EQ(RaisedError([&] { RtMid(s, 1, -1); }), kErrIllegalArgument);
  EXPECT_EQ(RaisedError([&] { RtMid(s, NAN); }), kErrIllegalArgument);
  EXPECT_EQ(RaisedError([&] { RtInstr(0, s, "A"); }), kErrIllegalArgument);
  EXPECT_EQ(RaisedError([&] { RtSpace(-1); }), kErrIllegalArgument);
  EXPECT_EQ(RaisedError([&] { RtSpace(40000); }), kErrIllegalArgument);
  EXPECT_EQ(RaisedError([&] { RtChr(256); }), kErrIllegalArgument);
  EXPECT_EQ(RaisedError([&] { RtChr(-1); }), kErrIllegalArgument);
  EXPECT_EQ(RaisedError([&] { RtAsc(""); }), kErrIllegalArgument);
}

TEST(Text, ErrorsCarryTheCallersPlace) {
  int line = 0;
  try {
    line = __LINE__ + 1;
    RtLeft("A", -1);
    ADD_FAILURE() << "no error raised";
  } catch (const RtError& e) {
    EXPECT_EQ(static_cast<int>(e.where().line()), line);
    EXPECT_NE(std::string(e.where().file_name()).find("text_test"), std::string::npos);
  }
}

TEST(Text, CaseChangesAsciiLettersOnly) {
  // "ア" is 0x83 0x41 and "ャ" 0x83 0x62: their trail bytes look like "A" and "b".
  EXPECT_EQ(RtUcase("abcｱｲア測ャz"), "ABCｱｲア測ャZ");
  EXPECT_EQ(RtLcase("ABCアャZ"), "abcアャz");
  EXPECT_EQ(RtUcase("ャ"), "ャ");
  EXPECT_EQ(RtLcase("ア"), "ア");
  EXPECT_EQ(RtUcase("x\x83"), "X\x83");  // a lead byte at the end stays
}

TEST(Text, TrimRemovesHalfAndFullWidthBlanks) {
  struct Case {
    std::string in, out;
  } cases[] = {
      {"  abc  ", "abc"},
      {"　測量　", "測量"},
      {" 　 a b　c 　 ", "a b　c"},
      {"   ", ""},
      {"　", ""},
      {"", ""},
      // "＠" is 0x81 0x97 and "―" 0x81 0x5C: only 0x81 0x40 is a blank, and a
      // trail byte 0x40 ("ァ" is 0x83 0x40) never starts one.
      {"ァ", "ァ"},
      {" ＠ ", "＠"},
      {"x\x81", "x\x81"},
  };
  for (const Case& c : cases) EXPECT_EQ(RtTrim(c.in), c.out) << c.in;
}

TEST(Text, InstrFindsBytePositionsOnCharacterBoundaries) {
  EXPECT_EQ(RtInstr("ABCABC", "C"), 3);
  EXPECT_EQ(RtInstr(4, "ABCABC", "C"), 6);
  EXPECT_EQ(RtInstr(7, "ABCABC", "C"), 0);
  EXPECT_EQ(RtInstr("ABC", "X"), 0);
  EXPECT_EQ(RtInstr("測量,点", ","), 5);
  EXPECT_EQ(RtInstr("測量,点", "点"), 6);
  EXPECT_EQ(RtInstr(2, "ABC", ""), 2);
  EXPECT_EQ(RtInstr("", ""), 0);
  // "表" is 0x95 0x5C: its trail byte is no "\".
  EXPECT_EQ(RtInstr("C:\\表\\X", "\\"), 3);
  EXPECT_EQ(RtInstr(4, "C:\\表\\X", "\\"), 6);
  // "ア" is 0x83 0x41: its trail byte is no "A".
  EXPECT_EQ(RtInstr("アA", "A"), 3);
}

TEST(Text, FullWidthConversion) {
  struct Case {
    std::string in, out;
  } cases[] = {
      {"A-1", "Ａ－１"},
      {"ｶﾞｹ", "ガケ"},
      {"ｳﾞ", "ウ゛"},
      {"漢字", "漢字"},
      {"\t", "■"},
      {"ﾄﾞ", "ド"},
      {"ﾊﾞﾊﾟﾎﾟ", "バパポ"},
      {"ｶﾟ", "カ゜"},
      {"ﾞﾟ", "゛゜"},
      {"ｶﾞﾞ", "ガ゛"},
      {"ｶ ﾞ", "カ　゛"},
      {"｡｢｣､･ｰｦｧｯｱﾝ", "。「」、・ーヲァッアン"},
      {" ./+(", "　．／＋（"},
      {"\"'\\^`~", "”’￥＾｀￣"},
      {"azAZ09", "ａｚＡＺ０９"},
      {"!#$%&)*,:;<=>?@[]_{|}", "！＃＄％＆）＊，：；＜＝＞？＠［］＿｛｜｝"},
      {"\x7F\xA0", "　　"},
      {"\x80\xFD\xFF", "■■■"},
      {"A\x88", "Ａ■"},       // lead byte at the very end
      {"\x88\r", "■■"},        // lead byte without a proper trail byte
      {"測ｿｸ", "測ソク"},
  };
  for (const Case& c : cases) EXPECT_EQ(RtToFullWidth(c.in), c.out) << c.in;
}

TEST(Text, FullWidthOfEveryAsciiCharacterIsOneJisCharacter) {
  for (int c = 0x20; c <= 0x7E; ++c) {
    std::string full = RtToFullWidth(std::string(1, static_cast<char>(c)));
    ASSERT_EQ(full.size(), 2u) << c;
    EXPECT_TRUE(rt::IsLeadByte(static_cast<unsigned char>(full[0]))) << c;
  }
  EXPECT_EQ(RtToFullWidth("\\"), "\x81\x8F");
  EXPECT_EQ(RtToFullWidth("~"), "\x81\x50");
  EXPECT_EQ(RtToFullWidth("-"), "\x81\x7C");
}

TEST(Text, ChrAscSpace) {
  EXPECT_EQ(RtChr(65), "A");
  EXPECT_EQ(RtChr(0), std::string(1, '\0'));
  EXPECT_EQ(RtChr(0xB6), "ｶ");
  EXPECT_EQ(RtAsc("測"), 0x91);
  EXPECT_EQ(RtAsc("A測"), 65);
  EXPECT_EQ(RtSpace(3), "   ");
  EXPECT_EQ(RtSpace(0), "");
  EXPECT_EQ(RtSpace(2.5), "   ");
}

TEST(Text, CutBytesNeverSplitsACharacter) {
  const std::string s = "A測量B";  // A, 2, 2, B
  EXPECT_EQ(rt::CutBytes(s, 0), "");
  EXPECT_EQ(rt::CutBytes(s, -3), "");
  EXPECT_EQ(rt::CutBytes(s, 1), "A");
  EXPECT_EQ(rt::CutBytes(s, 2), "A");
  EXPECT_EQ(rt::CutBytes(s, 3), "A測");
  EXPECT_EQ(rt::CutBytes(s, 4), "A測");
  EXPECT_EQ(rt::CutBytes(s, 5), "A測量");
  EXPECT_EQ(rt::CutBytes(s, 6), s);
  EXPECT_EQ(rt::CutBytes(s, 60), s);
  EXPECT_EQ(rt::CutBytes("ｱｲｳ", 2), "ｱｲ");  // half-width kana are one byte each
}

// A lead byte that no second byte follows (a blank, a control character, the
// end) is a character of one byte: it never takes the blank after it.
TEST(Text, AStrayLeadByteIsACharacterOfItsOwn) {
  const std::string stray = "P\x81 1 2";
  EXPECT_EQ(RtInstr(stray, " "), 3);
  EXPECT_EQ(RtTrim("\x81 "), "\x81");
  EXPECT_EQ(RtTrim(" \x9f\t "), "\x9f\t");
  EXPECT_EQ(rt::CutBytes("\x81 AB", 2), "\x81 ");
  EXPECT_EQ(rt::CutBytes("\xe0\x1f", 1), "\xe0");
  // Real double-byte characters are still whole: 表 ends in the byte of "\".
  EXPECT_EQ(RtInstr("表 X", " "), 3);
  EXPECT_EQ(rt::CutBytes("表X", 1), "");
}

}  // namespace
