// Levelling runs in whole sessions: a field book read through the field-book
// file menu, its round trip computed and imported into the stored bench mark
// and points, the report saved from the result menu against its golden copy
// (CP932, CR LF), and the job saved with the adjusted heights.
#include <gtest/gtest.h>

#include <cstdio>
#include <cstdlib>
#include <map>
#include <sstream>
#include <string>
#include <vector>

#include "scripted/job_lines.h"
#include "scripted/session.h"
#include "support/u8.h"
#include "traverse/levelling_book.h"

namespace {

using levelling_book::Reading;
using levelling_book::kBm2;
using levelling_book::kForward;
using levelling_book::kReturn;
using levelling_book::kStart;

std::string PointLine(const char* name, double z) {
  char text[96];
  std::snprintf(text, sizeof text, "%-16s%14.4f%14.4f%14.4f 93\r\n", name, 1.0, 1.0, z);
  return text;
}

// A field-book file: its start record, then the readings, each with its tail
// from column 27 on.
std::string Book(const std::string& start, const std::vector<Reading>& readings,
                 const std::vector<std::string>& tails = {}) {
  std::string book = "\r\n" + start + "\r\n";
  for (std::size_t k = 0; k < readings.size(); ++k) {
    book += levelling_book::ReadingRecord(readings[k], k < tails.size() ? tails[k] : "") + "\r\n";
  }
  return book;
}

std::string Golden(const std::string& name, const std::string& actual) {
  const std::string path = std::string(KRN_TEST_DATA) + "/traverse/" + name;
  if (std::getenv("KRN_WRITE_GOLDEN") != nullptr) WriteHostFile(path, actual);
  return ReadHostFile(path);
}

// The values of the "[fn-bn]" lines of a report.
std::vector<std::pair<double, double>> Checks(const std::string& report) {
  std::vector<std::pair<double, double>> checks;
  std::istringstream in(report);
  for (std::string line; std::getline(in, line);) {
    if (line.find("[fn-bn]") == std::string::npos) continue;
    checks.emplace_back(std::stod(line.substr(29, 7)), std::stod(line.substr(39, 7)));
  }
  return checks;
}

TEST(LevellingSession, RoundTripImportedIntoTheJobWithItsGoldenReport) {
  // Command 10, its file menu reads BOOK.Y; the calculation in kind 1 with the
  // start number proposed, import, the start and closing heights as offered;
  // Enter at the field-book menu, the report saved as REPORT from the result
  // menu; the job saved as OUT.PRN.
  std::vector<Reading> all = kForward;
  all.insert(all.end(), kReturn.begin(), kReturn.end());
  const scripted::SessionResult s =
      scripted::Krn("10\n6\n2\n!file BOOK.Y\n2\n1\n\n2\n\n\n\n3\n\n!file REPORT\n\n5\n4\n1\n!file OUT.PRN\n",
                    {"./JOB.PRN"},
                    {{"JOB.PRN", PointLine("BM1", kStart) + PointLine("P2", 0) + PointLine("BM2", kBm2)},
                     {"BOOK.Y", Book(levelling_book::StartRecord("BM1", kStart, "BM2"), all)}});
  ASSERT_EQ(s.status, 0) << s.errors << s.transcript;
  const std::string report = s.File("REPORT.TXT");
  EXPECT_EQ(report, Golden("levelling_round_trip.txt", report));
  // Both books check: back sights less fore sights, rises less falls.
  const std::vector<std::pair<double, double>> checks = Checks(report);
  ASSERT_EQ(checks.size(), 2u) << report;
  const std::vector<Reading>* runs[] = {&kForward, &kReturn};
  for (int k = 0; k < 2; ++k) {
    const levelling_book::Book b = levelling_book::Reduce(*runs[k], 0);
    EXPECT_NEAR(checks[k].first, b.backsights - b.foresights, 5e-4) << k;
    EXPECT_NEAR(checks[k].second, b.rises - b.falls, 5e-4) << k;
  }
  // The saved job holds the adjusted heights.
  const levelling_book::CalculationBook expected = levelling_book::Calculate(kForward, kReturn, kStart, kBm2);
  const auto heights = scripted::SavedPointsByName(s.File("OUT.PRN"));
  for (const levelling_book::Line& l : expected.lines) {
    const auto found = heights.find(l.name);
    ASSERT_NE(found, heights.end()) << l.name << s.File("OUT.PRN");
    EXPECT_NEAR(found->second.z, l.height, 1e-9) << l.name;
  }
  EXPECT_NEAR(heights.at("BM1").z, kStart, 1e-9);
  EXPECT_TRUE(scripted::InOrder(s, {U8(u8"ｹｲｻﾝ ｵﾜﾘ"), "[sound] chimes.wav"})) << s.transcript;
}

TEST(LevellingSession, OneWayRunRegisteredAsXzPointsInTheSingleKind) {
  // A one-way run from A (5.000): B carries "A" in column 35, C a line type 2
  // with a code. Kind 2: the run's menu 4 (XZ), the start number proposed, the
  // heights as offered.
  const std::vector<Reading> run = {{'^', "A", 10, 1.2}, {'\'', "B", 12, 1.0}, {'^', "B", 10, 1.5},
                                    {'\'', "C", 11, 0.7}};
  const std::vector<std::string> tails = {"", std::string(8, ' ') + "A", "", std::string(8, ' ') + "2CODE"};
  const scripted::SessionResult s =
      scripted::Krn("10\n6\n2\n!file BOOK.Y\n2\n2\n4\n\n\n\n\n\n5\n4\n1\n!file OUT.PRN\n", {"./JOB.PRN"},
                    {{"JOB.PRN", PointLine("Z", 0)}, {"BOOK.Y", Book(levelling_book::StartRecord("A", 5), run, tails)}});
  ASSERT_EQ(s.status, 0) << s.errors << s.transcript;
  EXPECT_TRUE(scripted::HasLineContaining(s, U8(u8"   片道閉合点  H=     6.000"))) << s.transcript;
  // Heights by the height of collimation: B 5.2, C 6.0; X the distance.
  const auto points = scripted::SavedPointsByName(s.File("OUT.PRN"));
  const struct {
    const char* name;
    double x, z;
  } expected[] = {{"A", 10, 5.0}, {"B", 12, 5.2}, {"C", 11, 6.0}};
  for (const auto& e : expected) {
    const auto found = points.find(e.name);
    ASSERT_NE(found, points.end()) << e.name << s.File("OUT.PRN");
    EXPECT_NEAR(found->second.x, e.x, 1e-9) << e.name;
    EXPECT_NEAR(found->second.y, 0, 1e-9) << e.name;
    EXPECT_NEAR(found->second.z, e.z, 1e-9) << e.name;
  }
  EXPECT_EQ(points.at("C").attribute, "2CODE");
}

}  // namespace
