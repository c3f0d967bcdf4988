// The SIMA section export: the name field and the records (Y before X, fields
// that do not fit refused), the exchange sort by Y, and whole files written
// byte for byte against golden files written here from the record tables.
#include "cogo/sima_sections.h"

#include <gtest/gtest.h>

#include <sstream>
#include <string>
#include <vector>

#include "cogo/kind_fixture.h"
#include "cogo/transformation_menu.h"
#include "core/routines.h"
#include "runtime/files.h"
#include "support/u8.h"

namespace {

constexpr const char* kCrLf = "\r\n";

std::string CrLfLines(std::initializer_list<std::string> lines) {
  std::string out;
  for (const std::string& l : lines) out += l + kCrLf;
  return out;
}

// The fields of each record of a section file, split at commas, blanks around
// a field removed.
std::vector<std::vector<std::string>> Records(const std::string& text) {
  std::vector<std::vector<std::string>> records;
  std::istringstream in(text);
  for (std::string line; std::getline(in, line);) {
    if (!line.empty() && line.back() == '\r') line.pop_back();
    std::vector<std::string> fields;
    std::istringstream f(line);
    for (std::string field; std::getline(f, field, ',');) {
      const size_t a = field.find_first_not_of(' ');
      const size_t b = field.find_last_not_of(' ');
      fields.push_back(a == std::string::npos ? "" : field.substr(a, b - a + 1));
    }
    records.push_back(fields);
  }
  return records;
}

TEST(SimaRecords, NameFieldIsCutAtACharacterAndPadded) {
  EXPECT_EQ(cogo::SimaSectionName("  NO.1"), "NO.1            ");
  EXPECT_EQ(cogo::SimaSectionName("\x81\x40 A"), "A               ");
  EXPECT_EQ(cogo::SimaSectionName("ABCDEFGHIJKLMNOPQRST"), "ABCDEFGHIJKLMNOP");
  // Fifteen single bytes and a double-byte character: the character is not split.
  EXPECT_EQ(cogo::SimaSectionName("ABCDEFGHIJKLMNO\x91\xaa"), "ABCDEFGHIJKLMNO ");
  EXPECT_EQ(cogo::SimaSectionName("ABCDEFGHIJKLMN\x91\xaa"), "ABCDEFGHIJKLMN\x91\xaa");
}

TEST(SimaRecords, YBeforeXAndOverflowingFieldsRefused) {
  EXPECT_EQ(cogo::SimaLongitudinalRecord("NO.1", 12.5, 100, 3),
            "H01,NO.1            ,   100.000 ,    12.500 ,    3.000 ,1,");
  EXPECT_EQ(cogo::SimaCentreRecord("C", 10, 0, -1.25), "I01,C               ,     0.000 ,    10.000 ,    -1.250 ,");
  EXPECT_EQ(cogo::SimaSectionPointRecord("L1", 9.5, -7.25), "I02,L1              ,    -7.250 ,     9.500 ,");
  EXPECT_FALSE(cogo::SimaLongitudinalRecord("P", -145678.123, 0, 0));
  EXPECT_FALSE(cogo::SimaLongitudinalRecord("P", 0, 0, 123456.5));  // the height field is one narrower
  EXPECT_FALSE(cogo::SimaCentreRecord("P", 0, 0, -145678.123));
  EXPECT_FALSE(cogo::SimaSectionPointRecord("P", 0, 1234567.5));
  EXPECT_TRUE(cogo::SimaSectionPointRecord("P", -99999.999, 999999.999));
}

class SimaExportTest : public KindTest {
 protected:
  void SetUp() override {
    KindTest::SetUp();
    // A section: the height in X, the distance in Y.
    SetPoint(1, 10.5, 40, "NO.2", 0);
    SetPoint(2, 11.25, 0, "NO.0", 0);
    SetPoint(3, 9.875, 20, "NO.1", 0);
    SetPoint(4, 12, 0, "C1", 1.5);
    SetPoint(5, 11, 5, "R1", 0);
    SetPoint(6, 11.5, -5, "L1", 0);
    SetPoint(7, 13, 5, "R2", 0);
    SetPoint(8, 14, 5, "R3", 0);
  }
  std::string File(const std::string& name) { return ReadHostFile(data_ / name); }
  std::string Dialog(const std::string& name) { return "!file " + (data_ / name) + "\n"; }
  // The print buffer takes a report line again after the export.
  void ExpectPrintBufferOpen() {
    RtPrintToFile(5, "after");
    EXPECT_NE(PrintBuffer().find("after"), std::string::npos);
  }
};

const std::string kLongitudinal = CrLfLines({"G00,02,L,", "Z00,/  縦断面  /", "H00,,,",
                                         "H01,NO.0            ,     0.000 ,    11.250 ,    0.000 ,1,",
                                         "H01,NO.1            ,    20.000 ,     9.875 ,    0.000 ,1,",
                                         "H01,NO.2            ,    40.000 ,    10.500 ,    0.000 ,1,", "H99,"});

TEST_F(SimaExportTest, LongitudinalAloneSortedByY) {
  EXPECT_EQ(Run(ExportSimaLongitudinal, Dialog("L.SIM") + "\n1\n2\n3\n\nN\n"), CoordinateTransformationMenu);
  EXPECT_EQ(File("L.SIM"), kLongitudinal);
  const auto records = Records(File("L.SIM"));
  ASSERT_EQ(records.size(), 7u);
  EXPECT_EQ(records[3], (std::vector<std::string>{"H01", "NO.0", "0.000", "11.250", "0.000", "1"}));
  ExpectPrintBufferOpen();
}

// Enter at the question goes on with cross sections in the same file: a
// section sorted from its second point (equal Y exchanged), a centre-only
// section, and the end at an empty selection.
TEST_F(SimaExportTest, LongitudinalContinuedIntoCrossSections) {
  EXPECT_EQ(Run(ExportSimaLongitudinal,
                Dialog("LC.SIM") + "\n3\n2\n1\n\n\n\n4\n5\n6\n7\n\n2\n\n\n"),
            CoordinateTransformationMenu);
  std::string expected = kLongitudinal;
  expected.replace(expected.find("G00,02,L,"), 9, "G00,02,LC,");
  expected += CrLfLines({"Z00,/  横断面  /", "I00,,,", "I01,C1              ,     0.000 ,    12.000 ,     1.500 ,",
                     "I02,L1              ,    -5.000 ,    11.500 ,", "I02,R2              ,     5.000 ,    13.000 ,",
                     "I02,R1              ,     5.000 ,    11.000 ,", "I01,NO.0            ,     0.000 ,    11.250 ,     0.000 ,",
                     "I99,"});
  EXPECT_EQ(File("LC.SIM"), expected);
  EXPECT_TRUE(Printed(U8(u8"横断入力")));
}

// Cross sections alone: no G00; "n" keeps the selection order; all of one Y
// come out reversed when sorted.
TEST_F(SimaExportTest, CrossSectionsAloneInOrderAndReversed) {
  EXPECT_EQ(Run(ExportSimaCrossSection, Dialog("C.SIM") + "n\n4\n7\n5\n\n\n"), CoordinateTransformationMenu);
  EXPECT_EQ(File("C.SIM"), CrLfLines({"Z00,/  横断面  /", "I00,,,",
                                  "I01,C1              ,     0.000 ,    12.000 ,     1.500 ,",
                                  "I02,R2              ,     5.000 ,    13.000 ,",
                                  "I02,R1              ,     5.000 ,    11.000 ,", "I99,"}));
  EXPECT_EQ(Run(ExportSimaCrossSection, Dialog("D.SIM") + "\n4\n5\n7\n8\n\n\n"), CoordinateTransformationMenu);
  EXPECT_EQ(File("D.SIM"), CrLfLines({"Z00,/  横断面  /", "I00,,,",
                                  "I01,C1              ,     0.000 ,    12.000 ,     1.500 ,",
                                  "I02,R3              ,     5.000 ,    14.000 ,",
                                  "I02,R2              ,     5.000 ,    13.000 ,",
                                  "I02,R1              ,     5.000 ,    11.000 ,", "I99,"}));
  ExpectPrintBufferOpen();
}

// A plan coordinate too wide for its field is named and not written: the
// longitudinal file is not made, a cross section is left out.
TEST_F(SimaExportTest, OverflowingCoordinatesAreRefusedByName) {
  SetPoint(9, -145678.123, 20, "FAR", 0);
  EXPECT_EQ(Run(ExportSimaLongitudinal, Dialog("F.SIM") + "\n2\n9\n\n"), CoordinateTransformationMenu);
  EXPECT_FALSE(RtFileExists(data_ / "F.SIM"));
  EXPECT_TRUE(Printed(U8(u8" FAR の座標が SIMA の欄(######.###)に収まりません")));
  EXPECT_EQ(Run(ExportSimaCrossSection, Dialog("G.SIM") + "\n4\n9\n\n4\n\n\n"), CoordinateTransformationMenu);
  EXPECT_EQ(File("G.SIM"), CrLfLines({"Z00,/  横断面  /", "I00,,,",
                                  "I01,C1              ,     0.000 ,    12.000 ,     1.500 ,", "I99,"}));
  ExpectPrintBufferOpen();
}

TEST_F(SimaExportTest, CancelledDialogAndEmptyLongitudinalSelection) {
  EXPECT_EQ(Run(ExportSimaLongitudinal, "!cancel\n"), Routines().RepeatLastCommand);
  EXPECT_EQ(Run(ExportSimaLongitudinal, Dialog("E.SIM") + "\n\n"), ShowResultMenu);
}

}  // namespace
