// The field-book calculation in whole sessions: a book read through the
// field-book file menu, computed in the continuous, single and manual kinds,
// and the job saved.
#include <gtest/gtest.h>

#include <cmath>
#include <cstdio>
#include <map>
#include <sstream>
#include <string>
#include <vector>

#include "scripted/job_lines.h"
#include "scripted/session.h"
#include "support/u8.h"
#include "traverse/field_book_book.h"

namespace {

using field_book_book::kRad;
using field_book_book::Point;

// A point-list line: name, X, Y, Z in their columns, then the attribute.
std::string PointLine(const char* name, double x, double y, double z) {
  char text[96];
  std::snprintf(text, sizeof text, "%-16s%14.4f%14.4f%14.4f 93\r\n", name, x, y, z);
  return text;
}

// The job: the station ST (100, 200, 10) and its back-sight BS at 30 degrees.
std::string Job() {
  return PointLine("ST", 100, 200, 10) +
         PointLine("BS", 100 + 100 * std::cos(30 * kRad), 200 + 100 * std::sin(30 * kRad), 0);
}

// A field-book file line: the record padded to 44 bytes, then its attribute.
std::string BookLine(const std::string& record, const std::string& attribute = "") {
  return (record + std::string(44, ' ')).substr(0, record.size() > 44 ? record.size() : 44) + attribute + "\r\n";
}

// The fixture traverse as a file, a note after its turn; side shots carry an
// attribute.
std::string Book(double turn = 0) {
  std::string book = "\r\n" + BookLine("1") + BookLine(field_book_book::Station("ST", "BS", 1.5));
  const std::vector<std::string> records = field_book_book::ShotRecords(turn);
  for (std::size_t k = 0; k < records.size(); ++k) {
    const bool turnRecord = field_book_book::kShots[k].kind == 'T';
    book += BookLine(records[k], turnRecord ? "" : "1");
    if (turnRecord) book += BookLine("N AFTER THE TURN");
  }
  return book;
}

void ExpectPolarPoints(const scripted::SessionResult& s, const std::string& saved) {
  const auto points = scripted::SavedPointsByName(s.File(saved));
  for (const auto& [name, expected] : field_book_book::PolarPoints()) {
    SCOPED_TRACE(name);
    const auto found = points.find(name);
    ASSERT_NE(found, points.end()) << s.File(saved);
    EXPECT_NEAR(found->second.x, expected.x, 1e-3);
    EXPECT_NEAR(found->second.y, expected.y, 1e-3);
    EXPECT_NEAR(found->second.z, expected.z, 1e-3);
  }
}

// Command 10, its file menu reads BOOK.Y; the calculation; Enter to the result
// menu (which asks only when the report holds something) and on to the main
// menu; the job saved as OUT.PRN.
scripted::SessionResult RunOnBook(const std::string& calculation, const std::string& book,
                                  bool reported = true) {
  const std::string toMainMenu = reported ? "\n\n" : "\n";
  return scripted::Krn("10\n6\n2\n!file BOOK.Y\n2\n" + calculation + toMainMenu + "5\n4\n1\n!file OUT.PRN\n",
                       {"./JOB.PRN"},
                       {{"JOB.PRN", Job()}, {"BOOK.Y", book}});
}

TEST(FieldBookCalculationSession, ContinuousKindComputesTheBookAndSavesItsPoints) {
  // Kind 1, the start number proposed, the simple print mode.
  const scripted::SessionResult s = RunOnBook("1\n\n\n", Book());
  ASSERT_EQ(s.status, 0) << s.errors << s.transcript;
  ExpectPolarPoints(s, "OUT.PRN");
  EXPECT_TRUE(scripted::InOrder(s, {U8(u8"ｹｲｻﾝ ｵﾜﾘ"), "[sound] chimes.wav"})) << s.transcript;
}

TEST(FieldBookCalculationSession, SingleKindWithAZeroDirectionAndManualKind) {
  // Kind 2 on the book turned by 30-30-00: "2:H-h", the zero direction, the
  // simple print mode, the start number proposed.
  const scripted::SessionResult single = RunOnBook("2\n2\n30.3\n\n\n", Book(30.5));
  ASSERT_EQ(single.status, 0) << single.errors << single.transcript;
  ExpectPolarPoints(single, "OUT.PRN");
  // Kind 2 passing its one station over with Enter: nothing computed.
  const scripted::SessionResult passed = RunOnBook("2\n\n", Book(), false);
  ASSERT_EQ(passed.status, 0) << passed.errors << passed.transcript;
  EXPECT_EQ(scripted::SavedPointsByName(passed.File("OUT.PRN")).size(), 2u) << passed.File("OUT.PRN");
  // Kind 3: "1:ｽﾙ", the station and back-sight by hand, the record's height
  // kept: nothing registered.
  const scripted::SessionResult manual = RunOnBook("3\n1\nST\nBS\n\n", Book());
  ASSERT_EQ(manual.status, 0) << manual.errors << manual.transcript;
  EXPECT_EQ(scripted::SavedPointsByName(manual.File("OUT.PRN")).size(), 2u);
  // Kind 1 answered "N" at the start number: back to the field-book menu.
  const scripted::SessionResult refused = RunOnBook("1\nN\n", Book(), false);
  ASSERT_EQ(refused.status, 0) << refused.errors << refused.transcript;
  EXPECT_EQ(scripted::SavedPointsByName(refused.File("OUT.PRN")).size(), 2u);
  EXPECT_FALSE(scripted::HasLineContaining(refused, U8(u8"ｹｲｻﾝ ｵﾜﾘ")));
}

}  // namespace
