// The spreadsheet round trip: x.csv byte for byte, the same file read by
// Python's csv module as CP932, and the table read back after a fake
// spreadsheet program (a script as KRN_SPREADSHEET) changed, added, deleted and
// quoted cells, left the file unsaved, removed it or spoilt it.
#include "points/spreadsheet_input.h"

#include <gtest/gtest.h>
#include <stdlib.h>

#include <string>
#include <vector>

#include "core/routines.h"
#include "points/point_question.h"
#include "runtime/events.h"

namespace {

using points::ReadSpreadsheetPoints;
using points::SpreadsheetPoint;

constexpr const char* kHeader =
    "  点名,   X,   Y,   Z,  属性,,※ 終了は必ず[X][はい][保存][はい][はい]\r\n";

class SpreadsheetTest : public PointQuestionTest {
 protected:
  void SetUp() override {
    PointQuestionTest::SetUp();
    SetPoint(1, 1234.5678912, -2.000004, " 1", 12.34567, "91");
    SetPoint(2, -98765.4321, 5, "A B", 0, "");
    SetPoint(3, 0, 0, " 3");
    SetPoint(4, 7, 8, "007", 1, "25code");
    app.points.PointCount = 4;
    // One connection line from point 2 to point 4.
    cad::Lines& l = app.lines;
    l.LineVertexCount = 2;
    l.LinePointNumber(1) = 2;
    l.LinePointName(1) = "A B";
    l.LineType(1) = 9;
    l.LinePointNumber(2) = 4;
    l.LinePointName(2) = "007";
    l.LineType(2) = 0;
    app.job.ConnectionFileFound = 0;
  }
  void TearDown() override {
    unsetenv("KRN_SPREADSHEET");
    PointQuestionTest::TearDown();
  }
  // The fake spreadsheet program: a shell script given the file's path as $1,
  // run in the data folder.
  void UseSpreadsheet(const std::string& body) {
    const std::string script = data_ / "fake-spreadsheet";
    WriteHostFile(script, "#!/bin/sh\ncd '" + data_.path() + "' || exit 1\n" + body + "\n");
    chmod(script.c_str(), 0700);
    setenv("KRN_SPREADSHEET", script.c_str(), 1);
  }
  // The round trip; the entry it goes on to.
  Entry RoundTrip(const std::string& script = "") {
    Answers(script);
    return InputPointsBySpreadsheet(app).next;
  }
  std::string Csv() const { return ReadHostFile(data_ / "x.csv"); }
};

// The file as the program writes it, worked out by hand from the layout.
std::string ExpectedFile() {
  return std::string(kHeader) +
         " 1,    1234.56789 ,      -2.00000 ,    12.3457 , '91\r\n"
         "A B,  -98765.43210 ,       5.00000 ,     0.0000 , '\r\n"
         " 3,       0.00000 ,       0.00000 ,     0.0000 , '\r\n"
         "007,       7.00000 ,       8.00000 ,     1.0000 , '25code\r\n";
}

TEST_F(SpreadsheetTest, TheFileIsWrittenByteForByteAndAnUnsavedRunRoundsTheValues) {
  UseSpreadsheet("cp \"$1\" seen.csv");
  EXPECT_EQ(std::string(kHeader).size(), 72u);  // the 70-byte header and CR LF
  EXPECT_EQ(RoundTrip(), Routines().NormalizeNamesThenPlot);
  EXPECT_EQ(ReadHostFile(data_ / "seen.csv"), ExpectedFile());
  EXPECT_FALSE(std::filesystem::exists(data_ / "x.csv"));  // deleted after the read
  const points::Store& p = app.points;
  EXPECT_EQ(p.PointCount, 4);
  EXPECT_EQ(p.PointX(1), 1234.56789);  // X and Y to 5 decimals, Z to 4
  EXPECT_EQ(p.PointY(1), -2);
  EXPECT_EQ(p.PointZ(1), 12.3457);
  EXPECT_EQ(p.PointName(2), "A B");  // a blank inside stays in the name
  EXPECT_EQ(p.PointX(2), -98765.4321);
  EXPECT_EQ(p.PointName(4), "007");  // the normalisation that follows drops the zeros
  EXPECT_EQ(p.PointAttribute(4), "25code");
  EXPECT_EQ(p.PointAttribute(2), "");
  EXPECT_EQ(p.PointName(5), " 5");
  // No vertex added for the attributes, none moved.
  EXPECT_EQ(app.lines.LineVertexCount, 2);
  EXPECT_EQ(app.lines.LinePointNumber(2), 4);
}

TEST_F(SpreadsheetTest, PythonsCsvModuleReadsTheFileAsCp932AndItsSaveComesBack) {
  // The fake reads x.csv with the csv module, writes what it found, then edits
  // and saves it as a spreadsheet does: Y of " 1" changed, the row of " 3"
  // deleted, a row added with a comma and quotes in its name, numbers without
  // the padding, every cell quoted where needed.
  WriteHostFile(data_ / "edit.py", R"(import csv, sys
path = sys.argv[1]
with open(path, newline='', encoding='cp932') as f:
    rows = list(csv.reader(f))
with open('python.txt', 'w', encoding='utf-8') as out:
    for row in rows:
        out.write('|'.join(row) + '\n')
rows[1][2] = '42.5'
del rows[3]
rows.append(['Q,"R"', '1', '2', '', "'97"])
with open(path, 'w', newline='', encoding='cp932') as f:
    csv.writer(f, lineterminator='\r\n').writerows(rows)
)");
  UseSpreadsheet("python3 edit.py \"$1\" || exit 1");
  EXPECT_EQ(RoundTrip(), Routines().NormalizeNamesThenPlot);
  // What Python read (UTF-8): seven header cells, five cells a point.
  EXPECT_EQ(ReadHostFile(data_ / "python.txt"),
            U8(u8"  点名|   X|   Y|   Z|  属性||※ 終了は必ず[X][はい][保存][はい][はい]\n") +
                " 1|    1234.56789 |      -2.00000 |    12.3457 | '91\n"
                "A B|  -98765.43210 |       5.00000 |     0.0000 | '\n"
                " 3|       0.00000 |       0.00000 |     0.0000 | '\n"
                "007|       7.00000 |       8.00000 |     1.0000 | '25code\n");
  const points::Store& p = app.points;
  EXPECT_EQ(p.PointCount, 4);
  EXPECT_EQ(p.PointY(1), 42.5);
  EXPECT_EQ(p.PointAttribute(1), "91");
  EXPECT_EQ(p.PointName(3), "007");  // moved up one number
  EXPECT_EQ(p.PointName(4), "Q,\"R\"");
  EXPECT_EQ(p.PointX(4), 1);
  EXPECT_EQ(p.PointZ(4), 0);  // an empty cell is 0, the attribute stays in its column
  EXPECT_EQ(p.PointAttribute(4), "97");
  EXPECT_EQ(p.PointName(5), " 5");
  // The line follows its point by name to its new number.
  EXPECT_EQ(app.lines.LineVertexCount, 2);
  EXPECT_EQ(app.lines.LinePointNumber(1), 2);
  EXPECT_EQ(app.lines.LinePointNumber(2), 3);
}

TEST_F(SpreadsheetTest, AFileThatVanishedOrCannotBeReadLeavesTheJobAndTheFile) {
  struct Case {
    const char* spreadsheet;
    const char8_t* message;
    bool fileKept;
  };
  const Case cases[] = {
      {"rm \"$1\"", u8" x.csv が見つかりません。", false},
      {"printf 'P1,12abc,3,4\\r\\n' >> \"$1\"", u8" x.csv の6行目の座標が数値ではありません。", true},
      {"i=0; while [ $i -lt 9996 ]; do echo 'P,1,2,3'; i=$((i+1)); done >> \"$1\"",
       u8" x.csv の行が多すぎます。9999 点までです。", true},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.spreadsheet);
    UseSpreadsheet(c.spreadsheet);
    ForgetTranscript();
    EXPECT_EQ(RoundTrip("\n"), Routines().RepeatLastCommand);
    EXPECT_EQ(CountContaining(U8(c.message)), 1);
    EXPECT_EQ(CountContaining(U8(u8" 読込を中止しました。データは元のままです。")), 1);
    EXPECT_EQ(std::filesystem::exists(data_ / "x.csv"), c.fileKept);
    const points::Store& p = app.points;
    EXPECT_EQ(p.PointCount, 4);
    EXPECT_EQ(p.PointX(1), 1234.5678912);
    EXPECT_EQ(p.PointName(2), "A B");
  }
}

TEST_F(SpreadsheetTest, AnEmptyTableWritesOnlyTheHeader) {
  app.points.PointCount = 0;
  UseSpreadsheet("cp \"$1\" seen.csv");
  RoundTrip();
  EXPECT_EQ(ReadHostFile(data_ / "seen.csv"), kHeader);
  EXPECT_EQ(app.points.PointCount, 0);
  EXPECT_EQ(app.points.PointName(1), " 1");
}

TEST_F(SpreadsheetTest, TheReaderTakesCellsByTheirCommas) {
  struct Case {
    std::string bytes;
    std::vector<SpreadsheetPoint> points;
  };
  const Case cases[] = {
      {"N,1,2,3,'91\r\n", {{"N", 1, 2, 3, "91"}}},
      {"N,1,2\n", {{"N", 1, 2, 0, ""}}},                  // Z and attribute missing
      {"N,,2,,91\r\n", {{"N", 0, 2, 0, "91"}}},           // emptied cells move nothing
      {",1,2,3,\r\n", {{"", 1, 2, 3, ""}}},               // the number's default name then
      {"\"A, B\",\"1\",2,3,\"x\"\"y\"\r\n", {{"A, B", 1, 2, 3, "x\"y"}}},
      {"\"two\r\nlines\",1,2,3,\r\nM,4,5,6,\r\n", {{"two\r\nlines", 1, 2, 3, ""}, {"M", 4, 5, 6, ""}}},
      {"N , %12345678.12345 , 2 , 3 , ' 91 \r\n", {{"N", 12345678.12345, 2, 3, " 91"}}},
      {"  点名,   X\r\n\r\n,,,\r\n\x1a\r\nN,1,2,3,\r\n", {{"N", 1, 2, 3, ""}}},
      {"N,1,2,3,'" + std::string(60, 'c') + "\r\n", {{"N", 1, 2, 3, std::string(50, 'c')}}},
      {"N,1,2,3,9" + std::string(60, 'c'), {{"N", 1, 2, 3, "9" + std::string(60, 'c')}}},
      {"", {}},
  };
  for (const Case& c : cases) {
    const points::SpreadsheetRead read = ReadSpreadsheetPoints(c.bytes, 9999);
    EXPECT_EQ(read.error, "") << c.bytes;
    EXPECT_EQ(read.points, c.points) << c.bytes;
  }
}

TEST_F(SpreadsheetTest, TheReaderRefusesANumberItCannotReadAndTooManyRows) {
  for (const char* cell : {"abc", "1,5", "12abc", "nan", "1e999"}) {
    const points::SpreadsheetRead read =
        ReadSpreadsheetPoints(std::string(kHeader) + "P,1,2,3,\r\nQ,\"" + cell + "\",2,3,\r\n", 9999);
    EXPECT_NE(read.error, "") << cell;
    EXPECT_EQ(read.errorLine, 3) << cell;
  }
  const points::SpreadsheetRead read = ReadSpreadsheetPoints("A,1,2,3\r\nB,1,2,3\r\nC,1,2,3\r\n", 2);
  EXPECT_NE(read.error, "");
  EXPECT_EQ(read.errorLine, 3);
}

}  // namespace
