// Choice 3 of the result menu: the report copy (.TXT) and the result point list
// (.DD), saved through the save dialog answered by the script.
#include "files/report_copy.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <string>
#include <vector>

#include "core/app.h"
#include "files/result.h"
#include "runtime/console.h"
#include "runtime/events.h"
#include "runtime/files.h"
#include "runtime/folders.h"
#include "runtime/numtext.h"
#include "runtime/temp_folder.h"
#include "shell/program.h"
#include "support/u8.h"

namespace {

// A report as commands write it: CP932 lines ended by CR LF, separator lines.
const std::string kReport =
    "  点名          X             Y\r\n"
    "  A-1      -1234.5678     98765.4321\r\n"
    "_\r\n"
    "  \x95\x5c\x8e\xa6 \x1a end\r\n";

class ReportCopyTest : public ::testing::Test {
 protected:
  ReportCopyTest() {
    base = folder.path() + "/";
    std::filesystem::create_directories(folder / "data");
    std::filesystem::create_directories(folder / "out");
    app.shell.DataFolder = base + "data/";
    app.shell.JobFolder = base;
    app.settings.ZA = "SITE";
    app.job.FileExtension = ".PRN";
    RtChdir(base + "out");
    WriteHostFile(folder / "data/PRINTR.DAT", kReport);
  }

  // Runs SaveReport with `script` queued; true when it goes back to the result menu.
  bool Save(const std::string& script) {
    rt::LoadScript(script);
    return SaveReport(app).next == ShowResultMenu;
  }

  void Registered(const std::vector<int>& numbers) {
    for (size_t i = 0; i < numbers.size(); ++i) app.points.NewPointList(i) = numbers[i];
    app.points.NewPointCount = static_cast<double>(numbers.size());
  }

  std::string Out(const std::string& name) const { return ReadHostFile(folder / ("out/" + name)); }
  bool OutExists(const std::string& name) const {
    return std::filesystem::exists(folder / ("out/" + name));
  }

  TempFolder folder;
  App app;
  std::string base;
};

TEST_F(ReportCopyTest, EnterSavesTheReportByteForByteAndKeepsTheJobName) {
  ASSERT_TRUE(Save("\n!file REPORT\n"));
  EXPECT_EQ(Out("REPORT.TXT"), kReport);
  EXPECT_EQ(app.settings.ZA, "SITE");
  EXPECT_EQ(app.shell.JobFolder, base + "out/");
  EXPECT_EQ(app.job.FileExtension, ".TXT");
  EXPECT_EQ(RtCurDir(), base + "out");
  EXPECT_EQ(app.input.GuideNumber, 293);
  // The print buffer stays as it was.
  EXPECT_EQ(ReadHostFile(folder / "data/PRINTR.DAT"), kReport);
}

TEST_F(ReportCopyTest, TheCopyAlwaysTakesTheTxtExtensionOfTheBaseName) {
  struct Case {
    std::string answer, chosen, copy;
  };
  for (const Case& c : std::vector<Case>{{"1", "A.B.TXT", "A.B.TXT"},
                                         {"", "X.DOC", "X.TXT"},
                                         {"3", "OLD.TXT", "OLD.TXT"}}) {
    if (c.chosen == "OLD.TXT") WriteHostFile(folder / "out/OLD.TXT", "older report\r\n");
    ASSERT_TRUE(Save(c.answer + "\n!file " + c.chosen + "\n")) << c.chosen;
    EXPECT_EQ(Out(c.copy), kReport) << c.chosen;
    EXPECT_EQ(app.settings.ZA, "SITE");
  }
  // The dialog created the chosen name it did not find.
  EXPECT_EQ(Out("X.DOC"), "");
}

TEST_F(ReportCopyTest, ANameWithTwoDotsIsSavedAsChosenBesideTheOneDotName) {
  struct Case {
    std::string answer, chosen, neighbour;
  };
  app.points.PointName(7) = "P7";
  Registered({7});
  for (const Case& c : std::vector<Case>{{"1", "A.B.TXT", "A.TXT"}, {"2", "RUN.V2.DD", "RUN.DD"}}) {
    WriteHostFile(folder / ("out/" + c.neighbour), "another job's file\r\n");
    ASSERT_TRUE(Save(c.answer + "\n!file " + c.chosen + "\n")) << c.chosen;
    EXPECT_NE(Out(c.chosen), "") << c.chosen;
    EXPECT_EQ(Out(c.neighbour), "another job's file\r\n") << c.chosen;
  }
  EXPECT_EQ(Out("A.B.TXT"), kReport);
  EXPECT_EQ(Out("RUN.V2.DD"), files::ResultPointListLine(7, "P7") + "\r\n");
}

TEST_F(ReportCopyTest, CancelChangesNothing) {
  for (const char* answer : {"\n", "2\n"}) {
    ASSERT_TRUE(Save(std::string(answer) + "!cancel\n"));
    EXPECT_EQ(app.settings.ZA, "SITE");
    EXPECT_EQ(app.shell.JobFolder, base);
    EXPECT_EQ(app.job.ChosenFilePath, "");
    EXPECT_TRUE(std::filesystem::is_empty(folder / "out"));
  }
}

TEST_F(ReportCopyTest, ThePointListNamesEveryRegistrationInOrder) {
  app.points.PointName(305) = "A-1";
  app.points.PointName(12) = RtStr(12);  // the default name
  Registered({305, 12, 13, 12});
  app.points.PointName(13) = "\x95\x5c" "13";  // 表13
  ASSERT_TRUE(Save("2\n!file RUN\n"));
  EXPECT_EQ(Out("RUN.DD"), " 305          A-1\r\n"
                           " 12            12\r\n"
                           " 13           \x95\x5c" "13\r\n"
                           " 12            12\r\n");
  EXPECT_EQ(app.settings.ZA, "SITE");
  EXPECT_EQ(app.job.FileExtension, ".DD");
  EXPECT_FALSE(OutExists("RUN.TXT"));
}

TEST_F(ReportCopyTest, NoRegisteredPointGivesAnEmptyList) {
  WriteHostFile(folder / "out/RUN.DD", " 1             1\r\n");
  Registered({});
  ASSERT_TRUE(Save("2\n!file RUN.DD\n"));
  EXPECT_TRUE(OutExists("RUN.DD"));
  EXPECT_EQ(Out("RUN.DD"), "");
}

TEST(ResultPointListLine, NumberFieldOfFourteenColumnsThenTheName) {
  struct Case {
    int number;
    std::string name, line;
  };
  for (const Case& c : std::vector<Case>{
           {305, "A-1", " 305          A-1"},
           {12, RtStr(12), " 12            12"},
           {1, "", " 1            "},
           {9999, "LONGNAME12345678", " 9999         LONGNAME12345678"}}) {
    EXPECT_EQ(files::ResultPointListLine(c.number, c.name), c.line) << c.number;
  }
  EXPECT_EQ(files::ResultPointListLine(305, "A-1").size(), 17u);
  EXPECT_EQ(files::ResultPointListLine(12, RtStr(12)).size(), 17u);
}

}  // namespace
