// The closure in a whole session: a book holding a closed block with heights
// and a connecting block without, read through the field-book file menu,
// computed in the continuous kind and the job saved; the adjusted points
// against the compass rule coded from the records, the window summaries and
// the report's closing lines and summaries.
#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <cstring>
#include <map>
#include <sstream>
#include <string>
#include <vector>

#include "scripted/job_lines.h"
#include "scripted/session.h"
#include "support/u8.h"
#include "traverse/closure_book.h"

namespace {

using namespace closure_book;

std::string PointLine(const char* name, P p) {
  char text[96];
  std::snprintf(text, sizeof text, "%-16s%14.4f%14.4f%14.4f 93\r\n", name, p.x, p.y, p.z);
  return text;
}

std::string Job() {
  return PointLine("ST", kStart) + PointLine("BS", kBack) + PointLine("K1", kK1) + PointLine("BK1", kBK1) +
         PointLine("K2", kK2) + PointLine("BK2", kBK2);
}

std::string BookLine(const std::string& record) {
  return (record + std::string(44, ' ')).substr(0, std::max<std::size_t>(record.size(), 44)) + "\r\n";
}

std::string Book() {
  std::string book = "\r\n" + BookLine("4") + BookLine(field_book_book::Station("ST", "BS", 1.5));
  for (const std::string& r : ClosedSights()) book += BookLine(r);
  book += BookLine("3") + BookLine(field_book_book::Station("K1", "BK1", 0));
  for (const std::string& r : ConnectingSights()) book += BookLine(r);
  return book;
}

// Command 10, the file menu reads BOOK.Y, the calculation in kind 1 with the
// start number proposed and the simple report, both blocks accepted by
// `answers`; the result menu saves the report as REPORT.TXT; the job saved as
// OUT.PRN.
scripted::SessionResult RunBook(const std::string& answers) {
  return scripted::Krn("10\n6\n2\n!file BOOK.Y\n2\n1\n\n\n" + answers + "\n3\n1\n!file REPORT.TXT\n\n5\n4\n1\n!file OUT.PRN\n",
                       {"./JOB.PRN"}, {{"JOB.PRN", Job()}, {"BOOK.Y", Book()}});
}

// `count` lines of the report from the first line that begins with `from`,
// each with its CR LF.
std::string ReportPart(const std::string& report, const std::string& from, int count) {
  std::vector<std::string> lines;
  for (std::size_t at = 0, end; (end = report.find("\r\n", at)) != std::string::npos; at = end + 2) {
    lines.push_back(report.substr(at, end - at + 2));
  }
  std::string part;
  for (std::size_t i = 0; i < lines.size(); ++i) {
    if (lines[i].rfind(from, 0) != 0) continue;
    for (std::size_t k = i; k < lines.size() && k < i + count; ++k) part += lines[k];
    break;
  }
  return part;
}

TEST(ClosureSession, BothBlocksAreAdjustedAndSummarised) {
  const scripted::SessionResult s = RunBook("\n\n");
  ASSERT_EQ(s.status, 0) << s.errors << s.transcript;
  const auto saved = scripted::SavedPointsByName(s.File("OUT.PRN"));
  EXPECT_EQ(saved.size(), 6u + 4 + 3) << s.File("OUT.PRN");
  const Adjustment closed = Compass(ClosedSights(), kStart, Azimuth(kStart, kBack), 1.5, true, false, kStart);
  const Adjustment connecting =
      Compass(ConnectingSights(), kK1, Azimuth(kK1, kBK1), 0, false, true, kK2, Azimuth(kK2, kBK2));
  for (const Adjustment* a : {&closed, &connecting}) {
    for (const auto& [name, q] : a->points) {
      SCOPED_TRACE(name);
      const auto found = saved.find(name);
      ASSERT_NE(found, saved.end());
      const P expected = name == "ST" ? kStart : (name == "K2" ? kK2 : q);  // the tie points stay as known
      EXPECT_NEAR(found->second.x, expected.x, 1e-3);
      EXPECT_NEAR(found->second.y, expected.y, 1e-3);
      EXPECT_NEAR(found->second.z, a == &closed ? expected.z : 0, 1e-3);
    }
  }
  // The window summaries as the compass rule computes them.
  char line[200];
  std::snprintf(line, sizeof line, "     n=  3  dx=%10.3f  dy=%10.3f  ", closed.misclosure.x, closed.misclosure.y);
  EXPECT_TRUE(scripted::HasLineContaining(s, line)) << line << s.transcript;
  std::snprintf(line, sizeof line, "            dz=%10.3f", closed.misclosure.z);
  EXPECT_TRUE(s.HasLine(line)) << line;
  std::snprintf(line, sizeof line, "   n-1=  2  dx=%10.3f  dy=%10.3f  ", connecting.misclosure.x,
                connecting.misclosure.y);
  EXPECT_TRUE(scripted::HasLineContaining(s, line)) << line;
  for (const Adjustment* a : {&closed, &connecting}) {
    const double e = std::hypot(a->misclosure.x, a->misclosure.y);
    std::snprintf(line, sizeof line, "%s%10.3f       %s%.0f ", U8(u8"  総距離＝").c_str(), a->length,
                  U8(u8"精度＝1/ ").c_str(), std::floor(Mm(a->length) / e));
    line[std::strlen(line) - 1] = 0;  // the window keeps no trailing blank
    EXPECT_TRUE(s.HasLine(line)) << line;
  }
  int heightLines = 0;
  for (const std::string& l : s.Lines()) heightLines += l.find("dz=") != std::string::npos;
  EXPECT_EQ(heightLines, 1);  // the connecting block has no heights
  // The report's closing lines and summaries (CP932, CR LF).
  const std::string report = s.File("REPORT.TXT");
  EXPECT_EQ(ReportPart(report, "     ST ", 4),
            "     ST        X=   1000.000  Y=   2000.000  Z=     50.000\r\n"
            "\r\n"
            "               h=  292-37-12\r\n"
            "     S1\r\n");
  EXPECT_EQ(ReportPart(report, "     n=  3   dm=    0-00-08", 4),
            "     n=  3   dm=    0-00-08\r\n"
            "     n=  3   dx=    -0.013   dy=    -0.024   誤差＝     0.02729\r\n"
            "             dz=     0.000\r\n"
            "  総距離＝   721.140       精度＝1/ 26420 \r\n");
  EXPECT_EQ(ReportPart(report, "結合点", 6),
            "結合点  \r\n"
            "   5 K2        X=   2120.000  Y=   1380.000\r\n"
            "ﾊﾞｯｸ点  \r\n"
            "   6 BK2       X=   2300.000  Y=   1400.000\r\n"
            "\r\n"
            "               A=    6-20-24\r\n");
  EXPECT_EQ(ReportPart(report, "m=  - 0-00-02  h=", 6),
            "m=  - 0-00-02  h=  124-38-27\r\n"
            "     BK2\r\n"
            "\r\n"
            "     n=  3   dm=    0-00-06\r\n"
            "   n-1=  2   dx=    -0.004   dy=     0.019   誤差＝     0.01942\r\n"
            "  総距離＝   428.701       精度＝1/ 22079 \r\n");
}

TEST(ClosureSession, RefusingTheSecondBlockKeepsTheFirst) {
  const scripted::SessionResult s = RunBook("\nN\n");
  ASSERT_EQ(s.status, 0) << s.errors << s.transcript;
  const auto saved = scripted::SavedPointsByName(s.File("OUT.PRN"));
  EXPECT_EQ(saved.size(), 6u + 4) << s.File("OUT.PRN");
  for (const char* name : {"S1", "S2", "P1", "S3"}) EXPECT_EQ(saved.count(name), 1u) << name;
  const std::string report = s.File("REPORT.TXT");
  EXPECT_NE(report.find("     n=  3   dm=    0-00-08\r\n"), std::string::npos);
  EXPECT_EQ(report.find("結合点"), std::string::npos);
  EXPECT_TRUE(s.HasLine(U8(u8" 破棄しました")));
}

}  // namespace
