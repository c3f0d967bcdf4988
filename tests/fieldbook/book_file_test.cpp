// The field-book file: its lines, written and read back, appended, through the
// editor copy, in the radiation format, and refused without harm.
#include "fieldbook/book_file.h"

#include <gtest/gtest.h>

#include <memory>
#include <string>

#include "core/app.h"
#include "fieldbook/book.h"
#include "fieldbook/records.h"
#include "runtime/temp_folder.h"

namespace {

const std::string kSight = "' 123.456  90.1234  45.0000  1.500 A1";  // 37 columns
const std::string kLevel = "'P2         25.300  1.2000";              // 26 columns

struct Book {
  std::unique_ptr<App> app = std::make_unique<App>();
  TempFolder folder;
  Book() { app->shell.DataFolder = folder.path() + "/"; }
  fieldbook::State& f() { return app->fieldbook; }
  void Add(const std::string& record, const std::string& attribute = "") {
    f().FieldBookCount += 1;
    f().FieldBookRecord(f().FieldBookCount) = record;
    f().FieldBookAttribute(f().FieldBookCount) = attribute;
  }
  void Write(const std::string& name) {
    app->job.ChosenFilePath = folder / name;
    WriteFieldBookFile(*app);
  }
  bool Read(const std::string& name, bool append) {
    app->job.ChosenFilePath = folder / name;
    return ReadFieldBookFile(*app, append);
  }
};

TEST(FieldBookFile, WritesPaddedLinesAndReadsThemBack) {
  Book b;
  b.Add("*A                B                 1.500 ");
  b.Add(kSight, "98");
  b.Add(kLevel, "12A(X)");
  b.Add(fieldbook::TurningRecord(kSight, 1.45), "LOST");
  b.Write("JOB.Y");
  const std::string written = ReadHostFile(b.folder / "JOB.Y");
  EXPECT_EQ(written,
            "\r\n"
            "*A                B                 1.500   \r\n" +
                kSight + "       98\r\n" + kLevel + "        12A(X)\r\n" + fieldbook::TurningRecord(kSight, 1.45) +
                "\r\n");

  Book r;
  r.app->job.ChosenFilePath = b.folder / "JOB.Y";
  ASSERT_TRUE(ReadFieldBookFile(*r.app, false));
  EXPECT_EQ(r.f().FieldBookCount, 4);
  EXPECT_EQ(r.f().FieldBookRecord(0), "");
  EXPECT_EQ(r.f().FieldBookRecord(2), kSight + "       ");
  EXPECT_EQ(r.f().FieldBookAttribute(2), "98");
  EXPECT_EQ(r.f().FieldBookRecord(3), kLevel + "        12A(X)");
  EXPECT_EQ(r.f().FieldBookAttribute(3), "");
  EXPECT_EQ(r.f().FieldBookRecord(4), fieldbook::TurningRecord(kSight, 1.45));
}

TEST(FieldBookFile, AppendKeepsTheBookAndABadFileChangesNothing) {
  Book b;
  for (int i = 1; i <= 5; ++i) b.Add("N note " + std::to_string(i));
  WriteHostFile(b.folder / "TWO.Y", "\r\nN first\r\nN second\r\n");
  ASSERT_TRUE(b.Read("TWO.Y", true));
  EXPECT_EQ(b.f().FieldBookCount, 7);
  EXPECT_EQ(b.f().FieldBookRecord(5), "N note 5");
  EXPECT_EQ(b.f().FieldBookRecord(7), "N second");

  WriteHostFile(b.folder / "EMPTY.Y", "");
  EXPECT_FALSE(b.Read("EMPTY.Y", false));
  EXPECT_FALSE(b.Read("MISSING.Y", false));
  EXPECT_EQ(b.f().FieldBookCount, 7);
  EXPECT_EQ(b.f().FieldBookRecord(1), "N note 1");

  // A file that would carry the book past record 9999 is refused whole.
  std::string big = "\r\n";
  for (int i = 0; i < 9993; ++i) big += "N x\r\n";
  WriteHostFile(b.folder / "BIG.Y", big);
  EXPECT_FALSE(b.Read("BIG.Y", true));
  EXPECT_EQ(b.f().FieldBookCount, 7);
  EXPECT_TRUE(b.Read("BIG.Y", false));
  EXPECT_EQ(b.f().FieldBookCount, 9993);
}

TEST(FieldBookFile, EmptyBookWritesNothing) {
  Book b;
  WriteHostFile(b.folder / "OLD.Y", "old");
  b.Write("OLD.Y");
  EXPECT_EQ(ReadHostFile(b.folder / "OLD.Y"), "old");
}

TEST(FieldBookFile, EditorCopyPutsTheHorizontalReadingFirstAndLeavesLevelReadingsIntact) {
  Book b;
  b.Add(kSight, "98");
  b.Add(kLevel);
  b.Add(fieldbook::TurningRecord(kSight, 1.45));
  b.f().ZJ = 1;  // the editor copy is always written in the ordinary format
  b.Write("T.D");
  EXPECT_EQ(b.f().ZJ, 0);
  const std::string copy = ReadHostFile(b.folder / "T.D");
  EXPECT_NE(copy.find("\r\n'  45.0000 123.456  90.1234  1.500 A1       98\r\n"), std::string::npos) << copy;
  EXPECT_NE(copy.find("\r\n" + kLevel + "        \r\n"), std::string::npos) << copy;
  const std::string sight = b.f().FieldBookRecord(1);
  const std::string turning = b.f().FieldBookRecord(3);
  ASSERT_TRUE(b.Read("T.D", false));
  EXPECT_EQ(b.f().FieldBookRecord(1), sight + "       ");
  EXPECT_EQ(b.f().FieldBookAttribute(1), "98");
  EXPECT_EQ(b.f().FieldBookRecord(2), kLevel + "        ");
  EXPECT_EQ(b.f().FieldBookRecord(3), turning);
}

TEST(FieldBookFile, RadiationFormatWritesHeadingsAndObservations) {
  Book b;
  const std::string observation = "' 123.456  90.1234  45.0000  1.500 P7       ";
  const std::string heading = "*S1       B1        1.500";
  b.f().FieldBookCount = 8;  // records 1 to 6 are the empty gaps of the log
  b.f().FieldBookRecord(7) = observation + heading;
  b.f().FieldBookRecord(8) = "'  50.000  90.0000  10.0000  1.500 P8       (0.5/0)  7=";
  b.f().ZJ = 1;
  b.Write("RAD.Y");
  EXPECT_EQ(ReadHostFile(b.folder / "RAD.Y"),
            "\r\n" + heading + "\r\n' 123.456  90.1234  45.0000  1.500 P7\r\n"
            "'  50.000  90.0000  10.0000  1.500 P8       (0.5/0)\r\n");
  EXPECT_EQ(b.f().ZJ, 0);
}

}  // namespace
