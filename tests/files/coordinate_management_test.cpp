// The coordinate management menu: its dispatch, the new job, the loading of a
// saved report into the print buffer, and the editor and file manager it starts.
#include "files/coordinate_management.h"
#include "files/sima_file.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <filesystem>
#include <string>

#include "core/routines.h"
#include "files/coordinate_file_menu.h"
#include "points/block_deletion.h"
#include "points/coordinate_input.h"
#include "points/coordinate_list.h"
#include "points/coordinate_print.h"
#include "points/point_question.h"
#include "runtime/files.h"
#include "runtime/folders.h"

namespace {

class CoordinateManagementTest : public PointQuestionTest {
 protected:
  void SetUp() override {
    PointQuestionTest::SetUp();
    UseNumberedPoints(20);
    app.settings.ZA = "JOB";
    app.shell.JobFolder = data_.path() + "/";
    app.job.FileExtension = ".PRN";
    RtChdir(data_.path());
    app.rt.notes.clear();
  }
  Entry Dispatch(double choice) { return DispatchCoordinateManagement(app, choice).next; }
  // The entry `command` goes to with `script` typed.
  Entry Answer(Entry command, const std::string& script) {
    Answers(script);
    return command(app).next;
  }
  bool Noted(const std::string& note) const {
    return std::find(app.rt.notes.begin(), app.rt.notes.end(), note) != app.rt.notes.end();
  }
  // The job's file and the working folder are as SetUp left them.
  void ExpectJobPathKept() {
    EXPECT_EQ(app.settings.ZA, "JOB");
    EXPECT_EQ(app.shell.JobFolder, data_.path() + "/");
    EXPECT_EQ(app.job.FileExtension, ".PRN");
    EXPECT_EQ(RtCurDir(), data_.path());
  }
};

TEST_F(CoordinateManagementTest, TheChoiceSelectsTheCommandAndItsDigitTheInputMode) {
  struct Case {
    double choice;
    Entry entry;
    double mode;
  };
  const Case cases[] = {
      {1, CoordinateInputMenu, 0.1},  {2, ListCoordinates, 0.1}, {2.5, ListCoordinates, 5.1},
      {2.56, ListCoordinates, 5.7},   {3, PrintCoordinateListCommand, 0.1},
      {4, CoordinateFileMenu, 0.1},   {5, SimaFileMenu, 0.1},    {6, DeletePointBlock, 0.1},
      {7, EditChosenFile, 0.1},       {8, LoadTextIntoPrintBuffer, 0.1},
      {9, OpenJobFolderInExplorer, 0.1}, {10, OpenSettingsScreen, 0.1}, {11, ClearMemory, 0.1},
      {12, Routines().CalibrateMouse, 0.1},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.choice);
    app.points.WorkPointY = 7;
    EXPECT_EQ(Dispatch(c.choice), c.entry);
    EXPECT_NEAR(app.points.CoordinateInputMode, c.mode, 1e-6);
    EXPECT_EQ(app.points.WorkPointY, 0);
  }
  // 2 gives mode 0, 2.5 mode 5.
  Dispatch(2);
  EXPECT_EQ(points::CoordinateInputModeOf(app.points.CoordinateInputMode), 0);
  Dispatch(2.5);
  EXPECT_EQ(points::CoordinateInputModeOf(app.points.CoordinateInputMode), 5);
}

TEST_F(CoordinateManagementTest, OtherNumbersListFromThatPointAndNumbersOutsideAskAgain) {
  struct Case {
    double choice;
    Entry entry;
    double listFrom;
  };
  const Case cases[] = {
      {13, ListCoordinatesFrom, 13},   {250, ListCoordinatesFrom, 250},
      {13.7, ListCoordinatesFrom, 13}, {0, ListCoordinatesFrom, 1},
      {0.5, ListCoordinatesFrom, 1},   {9999, ListCoordinatesFrom, 9999},
      {-1, CoordinateManagementMenu, 0}, {-0.5, CoordinateManagementMenu, 0},
      {10000, CoordinateManagementMenu, 0}, {1e300, CoordinateManagementMenu, 0},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.choice);
    app.points.ListPointNumber = 0;
    EXPECT_EQ(Dispatch(c.choice), c.entry);
    EXPECT_EQ(app.points.ListPointNumber, c.listFrom);
  }
}

TEST_F(CoordinateManagementTest, TheMenuHidesItem12OnOldSystemsAndEnterGoesToTheResultMenu) {
  app.shell.OldWindowsFlag = 1;
  app.area.ParcelLabelsLoaded = 1;
  EXPECT_EQ(Answer(CoordinateManagementMenu, "\n"), ShowResultMenu);
  EXPECT_EQ(app.area.ParcelLabelsLoaded, 0);
  EXPECT_EQ(CountContaining(U8(u8"11:新規 ")), 1);
  EXPECT_EQ(CountContaining(U8(u8"12:ﾏｳｽ調整")), 0);
  app.shell.OldWindowsFlag = 0;
  EXPECT_EQ(Answer(CoordinateManagementMenu, "12\n"), Routines().CalibrateMouse);
  EXPECT_EQ(CountContaining(U8(u8"11:新規     12:ﾏｳｽ調整 ")), 1);
}

TEST_F(CoordinateManagementTest, ClearMemoryClearsOnYInEitherCaseOnly) {
  for (const char* answer : {"N\n", "\n"}) {
    EXPECT_EQ(Answer(ClearMemory, answer), Routines().RepeatLastCommand);
    EXPECT_EQ(app.points.PointX(3), 30);
    EXPECT_EQ(app.settings.ZA, "JOB");
  }
  app.lines.LineVertexCount = 3;
  WriteHostFile(data_ / "K.D", "D00,PARCEL\r\n");
  EXPECT_EQ(Answer(ClearMemory, "y\n"), ShowResultMenu);
  EXPECT_EQ(app.points.PointX(3), 0);
  EXPECT_EQ(app.points.PointName(3), " 3");
  EXPECT_EQ(app.lines.LineVertexCount, 0);
  EXPECT_EQ(app.settings.ZA, "");
  EXPECT_EQ(ReadHostFile(data_ / "K.D"), "");
  EXPECT_EQ(TimesPlayed("recycle.wav"), 1);
  EXPECT_TRUE(Printed(U8(u8"メモリーをクリアします [Y,N] N? y")));
}

TEST_F(CoordinateManagementTest, ATextFileChosenIsLoadedIntoThePrintBufferAndTheJobStays) {
  std::filesystem::create_directory(data_ / "old");
  WriteHostFile(data_ / "old/REPORT.V1.TXT", "a saved report\r\n");
  WriteHostFile(data_ / "old/REPORT.TXT", "another file\r\n");
  app.output.ReportTitle = "TITLE";
  EXPECT_EQ(Answer(LoadTextIntoPrintBuffer, "!file " + (data_ / "old/REPORT.V1.TXT") + "\n"), ShowResultMenu);
  EXPECT_EQ(ReadHostFile(data_ / "PRINTR.DAT"), "a saved report\r\n");
  EXPECT_EQ(app.output.ReportTitle, "");
  ExpectJobPathKept();

  // A cancelled dialog changes nothing and shows the menu again, with the print
  // buffer still open for the next command's report.
  ResetPrintBuffer(app);
  RtPrintToFile(5, "kept");
  EXPECT_EQ(Answer(LoadTextIntoPrintBuffer, "!cancel\n"), Routines().RepeatLastCommand);
  RtPrintToFile(5, "next");
  EXPECT_EQ(PrintBuffer(), "kept\r\nnext\r\n");
  ExpectJobPathKept();
}

TEST_F(CoordinateManagementTest, TheEditorAndTheFileManagerAreStartedOnTheChosenFileAndTheJobFolder) {
  std::filesystem::create_directory(data_ / "other");
  WriteHostFile(data_ / "other/NOTES.TXT", "notes\r\n");
  app.settings.VZ = "MYEDIT.EXE";
  EXPECT_EQ(Answer(EditChosenFile, "!file " + (data_ / "other/NOTES.TXT") + "\n"), CoordinateManagementMenu);
  EXPECT_TRUE(Noted("[program] MYEDIT.EXE " + (data_ / "other/NOTES.TXT")));
  ExpectJobPathKept();

  EXPECT_EQ(Answer(OpenJobFolderInExplorer, ""), CoordinateManagementMenu);
  EXPECT_TRUE(Noted("[program] EXPLORER.EXE /n,/e," + data_.path() + "/"));

  // The file menu's editor choice offers its own files and keeps the job too.
  app.rt.notes.clear();
  WriteHostFile(data_ / "other/B.PRN", "P 1 2\r\n");
  EXPECT_EQ(Answer(CoordinateFileMenu, "5\n"), EditFileWithEditor);
  EXPECT_EQ(Answer(EditFileWithEditor, "!file " + (data_ / "other/B.PRN") + "\n"), CoordinateManagementMenu);
  EXPECT_TRUE(Noted("[program] MYEDIT.EXE " + (data_ / "other/B.PRN")));
  ExpectJobPathKept();

  // A cancelled dialog starts nothing.
  app.rt.notes.clear();
  EXPECT_EQ(Answer(EditChosenFile, "!cancel\n"), CoordinateManagementMenu);
  for (const std::string& note : app.rt.notes) EXPECT_FALSE(note.starts_with("[program]")) << note;
}

TEST_F(CoordinateManagementTest, TheEditorThatIsWaitedForLeavesTheChosenFileForItsCaller) {
  std::filesystem::create_directory(data_ / "route");
  WriteHostFile(data_ / "route/R1.RSN", "\x03\r\n");
  app.job.FileExtension = ".RSN";
  Answers("!file " + (data_ / "route/R1.RSN") + "\n");
  OpenFileInEditor(app);
  EXPECT_TRUE(Noted("[program] NOTEPAD.EXE " + (data_ / "route/R1.RSN")));
  EXPECT_EQ(app.settings.ZA, "R1");
  EXPECT_EQ(app.shell.JobFolder, data_ / "route/");
}

}  // namespace
