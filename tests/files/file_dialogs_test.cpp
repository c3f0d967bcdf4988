// The save and open dialogs answered by the script, and the split of the chosen
// path into the job folder, the job name and the extension.
#include "files/file_dialogs.h"

#include <gtest/gtest.h>
#include <sys/stat.h>

#include <algorithm>
#include <filesystem>
#include <string>
#include <vector>

#include "core/app.h"
#include "runtime/clock.h"
#include "runtime/console.h"
#include "runtime/errors.h"
#include "runtime/events.h"
#include "runtime/files.h"
#include "runtime/folders.h"
#include "runtime/temp_folder.h"
#include "runtime/text.h"
#include "support/raised_error.h"
#include "support/u8.h"

namespace {

// CP932 text (as the program holds it) from a UTF-8 literal.
std::string Sj(const char8_t* utf8) { return rt::Utf8ToCp932(U8(utf8)); }

class FileDialogTest : public ::testing::Test {
 protected:
  FileDialogTest() {
    base = folder.path() + "/";
    RtChdir(base);
    app.shell.JobFolder = base;
    app.settings.ZA = "JOB";
    app.job.FileExtension = ".PRN";
  }

  // A folder below the temporary one, made on disk; its CP932 path with "/".
  std::string MakeFolder(const std::string& cp932Name) {
    std::filesystem::create_directories(rt::HostPath(base + cp932Name));
    return base + cp932Name + "/";
  }

  struct JobState {
    std::string folder, name, extension, current;
    bool operator==(const JobState&) const = default;
  };
  JobState State() const {
    return {app.shell.JobFolder, app.settings.ZA, app.job.FileExtension, RtCurDir()};
  }

  static bool Shows(const std::string& utf8) {
    for (int row = 0; row < rt::kConsoleRows; ++row) {
      if (rt::ConsoleRowText(row).find(utf8) != std::string::npos) return true;
    }
    return false;
  }

  TempFolder folder;  // removed after the app has put the current folder back
  App app;
  std::string base;
};

// ---- The split ----

TEST(FileDialogPaths, TheJobNameIsTheFileNameWithoutItsLastExtension) {
  struct Case {
    std::string path;  // CP932
    std::string folder, name, extension;
  };
  const std::vector<Case> cases = {
      {"/d/README", "/d/", "README", ""},  // no dot: no extension
      {"/d/JOB.PRN", "/d/", "JOB", ".PRN"},
      {"/d/JOB.V2.PRN", "/d/", "JOB.V2", ".PRN"},
      {"/d/A.B.C.TXT", "/d/", "A.B.C", ".TXT"},
      {"/MY.DIR/JOB.PRN", "/MY.DIR/", "JOB", ".PRN"},  // a dot in a folder name
      {"/MY.DIR/README", "/MY.DIR/", "README", ""},
      {"/web/X.HTML", "/web/", "X", ".HTML"},  // the whole extension
      {"/y/A.Y", "/y/", "A", ".Y"},
      {"/h/.PRN", "/h/", "", ".PRN"},  // a hidden file: no job name
      {"/h/.krn.PRN", "/h/", ".krn", ".PRN"},
      {"/d/JOB.", "/d/", "JOB", "."},
      {"C:\\DATA\\JOB.V2.PRN", "C:\\DATA\\", "JOB.V2", ".PRN"},  // "\\" separates folders too
      {"JOB.V2.PRN", "", "JOB.V2", ".PRN"},  // no folder
      {Sj(u8"/測量/現場１.PRN"), Sj(u8"/測量/"), Sj(u8"現場１"), ".PRN"},
      {Sj(u8"/測量/現場.第２版.PRN"), Sj(u8"/測量/"), Sj(u8"現場.第２版"), ".PRN"},
      {Sj(u8"/測.量/現場"), Sj(u8"/測.量/"), Sj(u8"現場"), ""},
      // 表 and ソ end in the byte of "\\", which must not split them.
      {Sj(u8"/表示/ソ表.V2.SEN"), Sj(u8"/表示/"), Sj(u8"ソ表.V2"), ".SEN"},
      {Sj(u8"/ext/A.表示"), Sj(u8"/ext/"), "A", Sj(u8".表示")},
  };
  for (const Case& c : cases) {
    const files::JobPath split = files::SplitJobPath(c.path);
    EXPECT_EQ(split.folder, c.folder) << c.path;
    EXPECT_EQ(split.name, c.name) << c.path;
    EXPECT_EQ(split.extension, c.extension) << c.path;
    // The job file is exactly the file split.
    EXPECT_EQ(split.folder + split.name + split.extension, c.path);
  }
}

TEST_F(FileDialogTest, SplitSetsTheJobPathAndGoesToTheFolder) {
  const std::string data = MakeFolder("MY.DIR");
  app.job.ChosenFilePath = data + "JOB.V2.PRN";
  SplitFilePath(app);
  EXPECT_EQ(State(), (JobState{data, "JOB.V2", ".PRN", data.substr(0, data.size() - 1)}));
  // A name without "." is the job name, with no extension.
  app.job.ChosenFilePath = base + "README";
  SplitFilePath(app);
  EXPECT_EQ(State(), (JobState{base, "README", "", folder.path()}));
  EXPECT_EQ(files::JobFilePath(app), base + "README");
  EXPECT_EQ(files::JobFilePath(app, ".SEN"), base + "README.SEN");
}

TEST_F(FileDialogTest, APathWithoutSeparatorOnlyGoesToTheJobFolder) {
  const std::string other = MakeFolder("other");
  RtChdir(other);
  app.job.ChosenFilePath = "NEW.SEN";
  SplitFilePath(app);
  EXPECT_EQ(State(), (JobState{base, "JOB", ".PRN", folder.path()}));
}

TEST(FileDialogPaths, TheLastSeparatorIsNeverTheSecondByteOfACharacter) {
  EXPECT_EQ(files::LastFolderSeparator("C:\\DATA\\JOB.PRN"), 7u);
  EXPECT_EQ(files::LastFolderSeparator("/a\\b/c"), 4u);
  EXPECT_EQ(files::LastFolderSeparator(Sj(u8"/表")), 0u);
  EXPECT_EQ(files::LastFolderSeparator(Sj(u8"ソ表")), std::string::npos);
}

TEST(FileDialogPaths, TypeLists) {
  EXPECT_EQ(files::SaveDialogTypeList(".SEN"), "(*.SEN,);(*.TXT)");
  const std::string open = files::OpenDialogTypeList(".Y");
  EXPECT_EQ(open.substr(0, open.find(';')), "(*.Y)");
  EXPECT_EQ(std::count(open.begin(), open.end(), ';') + 1, 16);
  EXPECT_TRUE(files::OpenDialogTypeList("").starts_with("(*);"));
  EXPECT_TRUE(open.ends_with(";(*.DD);(*.DEF)"));
}

// ---- The save dialog ----

TEST_F(FileDialogTest, SavingANewNameAddsTheExtensionAndCreatesTheFileEmpty) {
  rt::LoadScript("!file JOB1\n");
  ShowSaveFileDialog(app);
  EXPECT_EQ(app.job.ChosenFilePath, base + "JOB1.PRN");
  EXPECT_EQ(State(), (JobState{base, "JOB1", ".PRN", folder.path()}));
  ASSERT_TRUE(std::filesystem::exists(folder / "JOB1.PRN"));
  EXPECT_EQ(ReadHostFile(folder / "JOB1.PRN"), "");
  EXPECT_FALSE(std::filesystem::exists(folder / "JOB1"));
}

TEST_F(FileDialogTest, OkTakesTheProposalOfJobNameAndExtension) {
  app.job.FileExtension = ".SEN";
  rt::LoadScript("!ok\n");
  ShowSaveFileDialog(app);
  EXPECT_EQ(app.job.ChosenFilePath, base + "JOB.SEN");
  EXPECT_TRUE(std::filesystem::exists(folder / "JOB.SEN"));
}

TEST_F(FileDialogTest, SavingInAnotherFolderMakesItTheJobFolder) {
  const std::string hidden = MakeFolder(".jobs/" + Sj(u8"表示"));
  rt::LoadScript(U8(u8"!file .jobs/表示/現場ソ\n"));
  ShowSaveFileDialog(app);
  // A folder name with "." does not count as the file's extension.
  EXPECT_EQ(State(), (JobState{hidden, Sj(u8"現場ソ"), ".PRN", hidden.substr(0, hidden.size() - 1)}));
  EXPECT_EQ(ReadHostFile(folder / U8(u8".jobs/表示/現場ソ.PRN")), "");
  EXPECT_TRUE(std::filesystem::exists(folder / U8(u8".jobs/表示/現場ソ.PRN")));
}

TEST_F(FileDialogTest, AnExistingFileKeepsItsContent) {
  WriteHostFile(folder / "OLD.PRN", "P1 1 2 3\r\n");
  rt::LoadScript("!file OLD.PRN\n");
  ShowSaveFileDialog(app);
  EXPECT_EQ(app.settings.ZA, "OLD");
  EXPECT_EQ(ReadHostFile(folder / "OLD.PRN"), "P1 1 2 3\r\n");
}

TEST_F(FileDialogTest, CancellingEitherDialogChangesNothing) {
  const std::string other = MakeFolder("other");
  app.shell.JobFolder = other;
  app.job.ChosenFilePath = base + "EARLIER.PRN";
  const JobState before = State();
  for (auto* dialog : {ShowSaveFileDialog, ShowOpenFileDialog}) {
    for (const char* script : {"!cancel\n", ""}) {  // an ended script cancels too
      rt::LoadScript(script);
      dialog(app);
      EXPECT_EQ(app.job.ChosenFilePath, "");
      EXPECT_EQ(State(), before);
      app.job.ChosenFilePath = "x";
    }
  }
  EXPECT_TRUE(std::filesystem::is_empty(folder.path() + "/other"));
  EXPECT_FALSE(std::filesystem::exists(folder / "JOB.PRN"));
}

TEST_F(FileDialogTest, AReadOnlyFileIsRefusedUntilAnotherIsChosen) {
  WriteHostFile(folder / "RO.PRN", "kept");
  chmod((folder / "RO.PRN").c_str(), 0444);
  const int before = RtTimerMs();
  rt::LoadScript("!file RO.PRN\n!file RO\n!file FREE\n");
  ShowSaveFileDialog(app);
  EXPECT_EQ(app.job.ChosenFilePath, base + "FREE.PRN");
  EXPECT_EQ(app.settings.ZA, "FREE");
  EXPECT_TRUE(Shows(U8(u8"  このファイルは読込専用です。名を変更してください")));
  EXPECT_GE(RtTimerMs() - before, 2 * 3000);  // three seconds for each refusal
  EXPECT_EQ(ReadHostFile(folder / "RO.PRN"), "kept");
}

TEST_F(FileDialogTest, AReadOnlyFileThenCancelChangesNothing) {
  WriteHostFile(folder / "RO.PRN", "kept");
  chmod((folder / "RO.PRN").c_str(), 0444);
  const JobState before = State();
  rt::LoadScript("!file RO.PRN\n!cancel\n");
  ShowSaveFileDialog(app);
  EXPECT_EQ(app.job.ChosenFilePath, "");
  EXPECT_EQ(State(), before);
}

// A folder that takes no new file is refused like a read-only file, before the
// dialog returns: no save fails on it later, and no file is made there.
TEST_F(FileDialogTest, AFolderThatTakesNoFileIsRefusedUntilAnotherIsChosen) {
  MakeFolder("ro");
  WriteHostFile(folder / "ro/OLD.PRN", "kept");  // writable itself, in a folder that is not
  chmod((folder / "ro").c_str(), 0555);
  rt::LoadScript("!file ro/NEW.PRN\n!file ro/OLD.PRN\n!file FREE\n");
  ShowSaveFileDialog(app);
  EXPECT_EQ(app.job.ChosenFilePath, base + "FREE.PRN");
  EXPECT_TRUE(Shows(U8(u8"  ") + base + "ro/NEW.PRN"));
  EXPECT_TRUE(Shows(U8(u8"  このフォルダには書き込めません。場所を変更してください")));
  chmod((folder / "ro").c_str(), 0755);
  EXPECT_FALSE(std::filesystem::exists(folder / "ro/NEW.PRN"));
  EXPECT_EQ(ReadHostFile(folder / "ro/OLD.PRN"), "kept");
}

// ---- The open dialog ----

TEST_F(FileDialogTest, OpeningSetsTheJobPathAndLeavesFileOneClosed) {
  const std::string data = MakeFolder(Sj(u8"測量"));
  WriteHostFile(folder / U8(u8"測量/現場.SIM"), "A00,\r\n");
  rt::LoadScript(U8(u8"!file 測量/現場.SIM\n"));
  ShowOpenFileDialog(app);
  EXPECT_EQ(app.job.ChosenFilePath, data + Sj(u8"現場.SIM"));
  EXPECT_EQ(State(), (JobState{data, Sj(u8"現場"), ".SIM", data.substr(0, data.size() - 1)}));
  EXPECT_EQ(RaisedError([] { RtOpen(1, "x.tmp", RtFileMode::Output); }), 0);  // 1 was free
  RtClose(1);
}

TEST_F(FileDialogTest, OpeningAFileWithoutDotTakesItsWholeName) {
  const std::string data = MakeFolder("data");
  WriteHostFile(folder / "data/README", "");
  rt::LoadScript("!file data/README\n");
  ShowOpenFileDialog(app);
  EXPECT_EQ(State(), (JobState{data, "README", "", data.substr(0, data.size() - 1)}));
}

// ---- The job file opened fresh ----

TEST_F(FileDialogTest, OpenOutputFileFreshCreatesOrReplacesTheJobFile) {
  for (const bool existed : {false, true}) {
    if (existed) WriteHostFile(folder / "JOB.PRN", "old content that is longer\r\n");
    OpenOutputFileFresh(app);
    RtPrintToFile(1, "new");
    RtClose(1);
    EXPECT_EQ(ReadHostFile(folder / "JOB.PRN"), "new\r\n") << existed;
  }
  // File 1 left open by an earlier step is closed first.
  RtOpen(1, base + "OTHER.TXT", RtFileMode::Output);
  OpenOutputFileFresh(app);
  RtClose(1);
  EXPECT_EQ(ReadHostFile(folder / "JOB.PRN"), "");
}

TEST_F(FileDialogTest, JobFilePathJoinsFolderNameAndExtension) {
  EXPECT_EQ(files::JobFilePath(app), base + "JOB.PRN");
  EXPECT_EQ(files::JobFilePath(app, ".SEN"), base + "JOB.SEN");
}

}  // namespace
