// Command 10 in a whole session: a traverse station with one sight, a levelling
// run with its running heights, and the book saved through the file menu.
#include <gtest/gtest.h>

#include <string>

#include "scripted/session.h"
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

}  // namespace
