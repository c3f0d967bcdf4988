// Command 10 in a whole session: a traverse station with one sight, a levelling
// run with its running heights, and the book saved through the file menu.
#include <gtest/gtest.h>

#include <stdlib.h>

#include <optional>
#include <string>
#include <vector>

#include "core/point_names.h"
#include "scripted/session.h"
#include "support/pty_peer.h"
#include "support/text_lines.h"
#include "support/u8.h"

namespace {

TEST(FieldBookSession, TraverseAndLevelRunAreRecordedAndSaved) {
  const scripted::SessionResult s = scripted::Krn(
      // Command 10, new input in the traverse mode: station A, back-sight B,
      // height 1.5; the sight 123.4567 / 90.1234 / 45, target height kept, A1.
      "10\n3\n0\nA\nB\n1.5\n123.4567\n90.1234\n45\n\nA1\nQ\n"
      // A level run from BM1 at 10: back sight 1.5, 1.2 on P2, turning point
      // with 0.8, 2.1 on P3.
      "3\n1\nBM1\n10\n1.5\n1.2\nP2\nP\n0.8\n2.1\nP3\nQ\n"
      // The file menu saves the book as OUT.Y.
      "6\n1\n!file OUT.Y\n");
  ASSERT_EQ(s.status, 0) << s.errors << s.transcript;
  // The counts of the prompt: entries since the clear, since choice 3, room left.
  EXPECT_TRUE(scripted::InOrder(s, {"Next            [[=],@,S,^,L,C,-,*,P,N 0 0 9998]",
                                    "Next            [[=],@,S,^,L,C,-,*,P,N 1 1 9997]",
                                    "Next            [[=],@,S,^,L,C,-,*,P,N 1 0 9995]",
                                    "Next            [[=],@,S,^,L,C,-,*,P,N 4 3 9992]"}));
  // The side mark, 7 blanks and the number text (a blank before a positive value).
  EXPECT_TRUE(scripted::HasLineContaining(s, "[R]         11.5")) << s.transcript;
  EXPECT_TRUE(scripted::HasLineContaining(s, "[R]         9")) << s.transcript;
  int heights103 = 0;
  for (const std::string& line : s.Lines()) heights103 += line.find("[R]         10.3") != std::string::npos;
  EXPECT_EQ(heights103, 2) << s.transcript;

  // Each record with eight blanks after it, cut to 44, then its attribute.
  const auto line44 = [](const std::string& record, const std::string& attribute = "") {
    return (record + "        ").substr(0, 44) + attribute + "\r\n";
  };
  const std::string expected = "\r\n" + line44("*A                B                 1.500 ") +
                               line44("' 123.456  90.1234  45.0000  1.500 A1") +
                               line44("*_BM1                 H=  10.0000") +
                               line44("^BM1         0.000  1.5000") +
                               line44("'P2          0.000  1.2000", "A   10.3000") +
                               line44("^P2          0.000  0.8000") +
                               line44("'P3          0.000  2.1000", "A    9.0000");
  EXPECT_EQ(s.File("OUT.Y"), expected);
  // The automatic save of the last pass, before its running height was written.
  EXPECT_EQ(s.File("krnb.y"), expected.substr(0, expected.size() - 13) + "\r\n");
}

TEST(FieldBookSession, TheBookGoesOutToCollectorFilesAndComesBackFromTheSdFile) {
  const scripted::SessionResult s = scripted::Krn(
      // Both writers on the empty book; station A, back-sight B, height 1.5,
      // the sight to A1; then choice 7: the SD file and the SDR3P file, the SD
      // file read back with its connection data, and the book saved as BACK.Y.
      "10\n7\n1\n7\n4\n"
      "3\n0\nA\nB\n1.5\n123.4567\n90.1234\n45\n\nA1\nQ\n"
      "7\n1\n!file OUT\n"
      "7\n4\n!file OUT\n"
      "7\n2\n!file OUT.SD\n1\n"
      "6\n1\n!file BACK.Y\n");
  ASSERT_EQ(s.status, 0) << s.errors << s.transcript;
  int emptyBook = 0;
  for (const std::string& line : s.Lines()) emptyBook += line.find(U8(u8" 野帳にデータがありません")) != std::string::npos;
  EXPECT_EQ(emptyBook, 2) << s.transcript;
  const std::string stamp = "G00TS,26/12/10,09:30:00\r\n";
  EXPECT_EQ(s.File("OUT.SD"),
            "A00NM,1,SET3000 Ver 01-10,26/12/10,09:30:00,11311,102\r\n"
            "B00NM,OUT,3,2111,\r\n"
            "B10NM,1.00000000,0\r\n" +
                stamp + "B20NM,:,SET3000,022222,1,0\r\n" + "C00TP,A,0.000,0.000,0.000, 1.500,\r\nC10NM,,,,0\r\n" +
                "C20NM,1,1,\r\n" + stamp + stamp + "E10NM,A,B,,,\r\nD00TP,A,B,0.0000,0.0000\r\n" +
                "E00TP,A,A1,R,45.0000,90.1234,123.456,1.500,,\r\n" + "\x03" + "00000\r\n");
  const std::string s3p = s.File("OUT.S3P");
  EXPECT_NE(s3p.find("\r\nK01        A" + std::string(16, ' ') + "1.500 B=P=C"), std::string::npos) << s3p;
  EXPECT_NE(s3p.find("\r\nD27R0002   A1" + std::string(15, ' ') + "1.500    45.0000    90.1234    123.456"),
            std::string::npos)
      << s3p;
  // The station comes back in the short form; the sight as it was.
  const auto line44 = [](const std::string& record) { return (record + "        ").substr(0, 44) + "\r\n"; };
  EXPECT_EQ(s.File("BACK.Y"),
            "\r\n" + line44("*A        B         1.500  ") + line44("' 123.456  90.1234  45.0000  1.500 A1"));
}

// The instrument on port 1 (a pseudo-terminal peer): three measured sights, a
// garbage reply refused; the book out to SD and SDR3P files and back.
TEST(FieldBookSession, MeasuredSightsGoOutToCollectorFilesAndComeBack) {
  PtyPeer peer({"00123456 0901234 0450000", std::nullopt, "00050000 1800000 0100000", std::nullopt,
                "00050000 1800001 1800000", std::nullopt, "ERR?", std::nullopt});
  setenv("KRN_COM1", peer.device().c_str(), 1);
  const scripted::SessionResult s = scripted::Krn(
      "10\n3\n0\nA\nB\n0\n@\nM1\n@\nM2\n@\nM3\n@\nQ\n"
      "7\n1\n!file OUT\n7\n4\n!file OUT\n"
      "7\n2\n!file OUT.SD\n0\n6\n1\n!file CODES.Y\n"
      "7\n2\n!file OUT.SD\n1\n6\n1\n!file LINES.Y\n"
      "7\n5\n!file OUT.S3P\n6\n1\n!file S3P.Y\n");
  unsetenv("KRN_COM1");
  ASSERT_EQ(s.status, 0) << s.errors << s.transcript;
  // Byte columns of the SDR3P sight lines: code, sequence, name, the readings.
  const auto columns = [](const std::string& line, int first, int last) {
    return line.substr(first - 1, last - first + 1);
  };
  std::vector<std::string> sights;
  const std::vector<std::string> s3p = LinesOf(s.File("OUT.S3P"));
  for (const std::string& line : s3p)
    if (line.starts_with("D27") && columns(line, 12, 19) != "B       ") sights.push_back(line);
  ASSERT_EQ(sights.size(), 3u) << s.File("OUT.S3P");
  const struct {
    const char* code;
    const char* name;
    const char* horizontal;
    const char* vertical;
    const char* distance;
  } expected[] = {{"D27R0002", "M1      ", " 45.0000 ", " 90.1234 ", " 123.456 "},
                  {"D27R0003", "M2      ", " 10.0000 ", "180.0000 ", "  50.000 "},
                  {"D27L0004", "M3      ", "180.0000 ", "180.0001 ", "  50.000 "}};
  for (size_t i = 0; i < sights.size(); ++i) {
    EXPECT_EQ(columns(sights[i], 1, 8), expected[i].code);
    EXPECT_EQ(columns(sights[i], 12, 19), expected[i].name);
    EXPECT_EQ(columns(sights[i], 37, 45), expected[i].horizontal);
    EXPECT_EQ(columns(sights[i], 48, 56), expected[i].vertical);
    EXPECT_EQ(columns(sights[i], 59, 67), expected[i].distance);
  }
  // The station's block follows the header directly; one D00 and the ETX end it.
  EXPECT_EQ(columns(s3p[4], 1, 3), "K01");
  EXPECT_EQ(s3p[s3p.size() - 2], "D00        000");
  const std::string sd = s.File("OUT.SD");
  EXPECT_NE(sd.find("E00TP,A,M2,R,10.0000,180.0000,50.000,0.000,"), std::string::npos) << sd;
  EXPECT_NE(sd.find("E00TP,A,M3,L,180.0000,180.0001,50.000,0.000,"), std::string::npos) << sd;
  // Read back without and with connection data: the attributes differ by the
  // "9" put before a point code.
  const std::vector<std::string> codes = LinesOf(s.File("CODES.Y")), lines = LinesOf(s.File("LINES.Y"));
  ASSERT_EQ(codes.size(), 5u) << s.File("CODES.Y");
  ASSERT_EQ(lines.size(), 5u);
  for (size_t i = 2; i < codes.size(); ++i) {
    EXPECT_EQ(codes[i].substr(0, 44), lines[i].substr(0, 44));
    EXPECT_EQ(codes[i].substr(44), "9" + lines[i].substr(44));
  }
  EXPECT_EQ(codes[2].substr(0, 37), "' 123.456  90.1234  45.0000  0.000 M1");
  // The SDR3P file comes back line for line (the first line is the display
  // line, which the field-book file does not keep).
  const std::vector<std::string> loaded = LinesOf(s.File("S3P.Y"));
  ASSERT_EQ(loaded.size(), s3p.size());
  for (size_t i = 1; i < s3p.size(); ++i) EXPECT_EQ(TrimTrailingBlanks(loaded[i]), TrimTrailingBlanks(s3p[i])) << i;
}

}  // namespace
