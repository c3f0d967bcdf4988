// The datum conversion through the outside converter: the exchange file
// written byte for byte, the converter's output read by order (headers, blank
// lines and lines led by 0 passed over), and whole runs with a stub converter
// (a shell script that copies a fixed output): points moved, the print buffer
// holding the output, the files kept or deleted, and the runs that change
// nothing: no converter configured and no output, a stale output, a short one.
#include "cogo/datum_conversion.h"

#include <gtest/gtest.h>
#include <stdlib.h>
#include <sys/stat.h>

#include <string>
#include <vector>

#include "cogo/kind_fixture.h"
#include "cogo/transformation_menu.h"
#include "runtime/files.h"
#include "support/u8.h"

namespace {

std::string CrLf(std::initializer_list<std::string> lines) {
  std::string out;
  for (const std::string& l : lines) out += l + "\r\n";
  return out;
}

const std::string kHeader1 = "#実用成果  日本測地系，ベッセル楕円体";
const std::string kHeader2 = "#  X(m)       Y(m)       点名";

TEST(DatumExchange, InputLines) {
  const auto lines = cogo::DatumInputLines({{-145678.12345, 12.5, "A1"}, {0, -35012.345678, " 12"}});
  ASSERT_TRUE(lines);
  EXPECT_EQ(*lines, (std::vector<std::string>{kHeader1, kHeader2, "-145678.12345      12.50000 A1",
                                              "      0.00000  -35012.34568  12"}));
  EXPECT_TRUE(cogo::DatumInputLines({})->empty());
  EXPECT_FALSE(cogo::DatumInputLines({{-12345678.5, 0, "TOO FAR"}}));
}

TEST(DatumExchange, OutputDataLinesByOrder) {
  int bad = 0;
  const auto points = cogo::ReadDatumOutput(
      "# header\r\n\r\n  0 not data\r\n -145670.5 12.25 B\r\nX 1 2\r\n10 20 C\r\n", &bad);
  ASSERT_TRUE(points);
  ASSERT_EQ(points->size(), 2u);
  EXPECT_EQ((*points)[0].x, -145670.5);
  EXPECT_EQ((*points)[0].y, 12.25);
  EXPECT_EQ((*points)[1].x, 10);
  EXPECT_EQ((*points)[1].y, 20);
  EXPECT_FALSE(cogo::ReadDatumOutput("1 2 A\r\n3 y B\r\n", &bad));
  EXPECT_EQ(bad, 2);
  EXPECT_FALSE(cogo::ReadDatumOutput("5\r\n", &bad));
}

class DatumConversionTest : public KindTest {
 protected:
  void SetUp() override {
    KindTest::SetUp();
    app.shell.JobFolder = data_.path() + "/";
    app.settings.ZA = "JOB";
    SetPoint(1, -145678.123, -35012.345, "A1", 3);
    SetPoint(2, -145600, -35000, " 12", 4, "91");
    unsetenv("KRN_DATUM_CONVERTER");
  }
  void TearDown() override {
    unsetenv("KRN_DATUM_CONVERTER");
    KindTest::TearDown();
  }
  // A converter that keeps the input it was given and writes `output` (or nothing).
  void UseStubConverter(const std::string* output) {
    if (output) WriteHostFile(data_ / "fixed.out", *output);
    const std::string script = data_ / "stub.sh";
    WriteHostFile(script, "#!/bin/sh\ncp \"$1.in\" '" + (data_ / "seen.in") + "'\n" +
                              (output ? "cp '" + (data_ / "fixed.out") + "' \"$1.out\"\n" : std::string()));
    chmod(script.c_str(), 0700);
    setenv("KRN_DATUM_CONVERTER", script.c_str(), 1);
  }
  std::string File(const std::string& name) { return ReadHostFile(data_ / name); }
  bool Exists(const std::string& name) { return RtFileExists(data_ / name); }
  void ExpectPointsUnchanged() {
    EXPECT_EQ(app.points.PointX(1), -145678.123);
    EXPECT_EQ(app.points.PointY(2), -35000);
  }
};

const std::string kOut = CrLf({"# converted", "", "-145680.98765 -35010.54321 OTHER NAME", "-145602.5 -34998.25 12"});

TEST_F(DatumConversionTest, ConverterRunMovesThePointsByOrderAndKeepsTheFilesOnN) {
  UseStubConverter(&kOut);
  EXPECT_EQ(Run(DatumConversion, "n\n"), CoordinateTransformationMenu);
  EXPECT_EQ(File("seen.in"), CrLf({kHeader1, kHeader2, "-145678.12300  -35012.34500 A1",
                                   "-145600.00000  -35000.00000  12"}));
  const points::Store& p = app.points;
  EXPECT_EQ(p.PointX(1), -145680.98765);
  EXPECT_EQ(p.PointY(1), -35010.54321);
  EXPECT_EQ(p.PointX(2), -145602.5);
  EXPECT_EQ(p.PointY(2), -34998.25);
  EXPECT_EQ(p.PointName(1), "A1");
  EXPECT_EQ(p.PointZ(2), 4);
  EXPECT_EQ(p.PointAttribute(2), "91");
  EXPECT_TRUE(Exists("JOB.in"));
  EXPECT_TRUE(Exists("JOB.out"));
  EXPECT_TRUE(Printed(data_ / "JOB.in"));
  EXPECT_TRUE(Printed(data_ / "JOB.out"));
  // The output is the report, and the print buffer takes the next lines after it.
  RtPrintToFile(5, "next");
  EXPECT_EQ(PrintBuffer(), kOut + "next\r\n");
}

TEST_F(DatumConversionTest, EnterDeletesBothFiles) {
  UseStubConverter(&kOut);
  EXPECT_EQ(Run(DatumConversion, "\n"), CoordinateTransformationMenu);
  EXPECT_FALSE(Exists("JOB.in"));
  EXPECT_FALSE(Exists("JOB.out"));
  EXPECT_EQ(TimesPlayed("recycle.wav"), 1);
}

// No converter configured: the three messages and a key; no output then, and
// an output left from before is not taken for this run's.
TEST_F(DatumConversionTest, WithoutConverterAndWithoutOutputNothingChanges) {
  WriteHostFile(data_ / "JOB.out", CrLf({"1 2 OLD", "3 4 OLD"}));
  EXPECT_EQ(Run(DatumConversion, "\n"), CoordinateTransformationMenu);
  EXPECT_TRUE(Printed(U8(u8" tky2jgd.exe が見つかりません。")));
  EXPECT_TRUE(Printed(U8(u8"手動で立ち上げて計算してください。")));
  EXPECT_TRUE(Printed(U8(u8"計算が終わったらこのｳｨﾝﾄﾞｳをｱｸﾃｨﾌﾞにしてEnterを押してください。")));
  EXPECT_TRUE(Printed(U8(u8" 座標は変更していません。")));
  ExpectPointsUnchanged();
  EXPECT_TRUE(Exists("JOB.in"));
  RtPrintToFile(5, "next");
  EXPECT_EQ(PrintBuffer(), "next\r\n");
}

TEST_F(DatumConversionTest, ShortOrMissingOutputChangesNothing) {
  const std::string shortOut = CrLf({"# converted", "-145680.98765 -35010.54321 A1"});
  UseStubConverter(&shortOut);
  EXPECT_EQ(Run(DatumConversion, ""), CoordinateTransformationMenu);
  ExpectPointsUnchanged();
  EXPECT_TRUE(Exists("JOB.out"));  // kept for a look
  UseStubConverter(nullptr);
  EXPECT_EQ(Run(DatumConversion, ""), CoordinateTransformationMenu);
  ExpectPointsUnchanged();
  EXPECT_FALSE(Exists("JOB.out"));
}

// A job without points: the input file is empty, and the converter still runs.
TEST_F(DatumConversionTest, EmptyJob) {
  app.points.PointCount = 0;
  const std::string empty;
  UseStubConverter(&empty);
  EXPECT_EQ(Run(DatumConversion, "\n"), CoordinateTransformationMenu);
  EXPECT_TRUE(Exists("seen.in"));
  EXPECT_EQ(File("seen.in"), "");
}

}  // namespace
