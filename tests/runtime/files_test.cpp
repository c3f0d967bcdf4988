#include "runtime/files.h"

#include <fcntl.h>
#include <gtest/gtest.h>
#include <signal.h>
#include <sys/resource.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <filesystem>
#include <functional>
#include <string>
#include <vector>

#include "runtime/errors.h"
#include "runtime/folders.h"
#include "runtime/runtime.h"
#include "temp_folder.h"

namespace {

namespace fs = std::filesystem;

class FilesTest : public ::testing::Test {
 protected:
  std::vector<std::string> Entries() const {
    std::vector<std::string> names;
    for (const auto& entry : fs::directory_iterator(dir.path())) names.push_back(entry.path().filename().string());
    return names;
  }

  // Writes a file through the runtime, one RtPrintToFile per line.
  void WriteLines(const std::string& path, const std::vector<std::string>& lines) {
    ASSERT_TRUE(RtOpen(1, path, RtFileMode::Output));
    for (const std::string& line : lines) RtPrintToFile(1, line);
    RtClose(1);
  }

  std::vector<std::string> ReadFields(const std::string& path) {
    std::vector<std::string> fields;
    EXPECT_TRUE(RtOpen(2, path, RtFileMode::Input));
    while (!RtEof(2)) {
      std::string field;
      RtInputVars(2, field);
      fields.push_back(field);
    }
    EXPECT_EQ(RaisedError([] {
                std::string field;
                RtInputVars(2, field);
              }),
              kErrReadPastEnd);
    RtClose(2);
    return fields;
  }

  TempFolder dir;
  Runtime runtime;
  RuntimeScope scope{runtime};
};

// Runs `body` in a child process and returns its exit status (-1 when it did not
// exit normally). The child never returns into the test program.
int RunInChild(const std::function<int()>& body) {
  pid_t pid = fork();
  if (pid == 0) {
    int status = 1;
    try {
      status = body();
    } catch (...) {
      status = 2;
    }
    _exit(status);
  }
  int status = 0;
  waitpid(pid, &status, 0);
  return WIFEXITED(status) ? WEXITSTATUS(status) : -1;
}

// In a child: files may grow to `bytes` at most, and a larger write fails with
// EFBIG instead of killing the process.
void LimitFileSize(rlim_t bytes) {
  signal(SIGXFSZ, SIG_IGN);
  rlimit limit{};
  getrlimit(RLIMIT_FSIZE, &limit);
  limit.rlim_cur = bytes;
  setrlimit(RLIMIT_FSIZE, &limit);
}

// In a child with a fresh runtime: writes `total` bytes of lines to `path` in
// `mode`; returns 0 when the runtime reported error 61 and closed the number.
int WriteUntilDiskFull(const std::string& path, RtFileMode mode, int total) {
  Runtime rt;
  RuntimeScope scope(rt);
  int error = RaisedError([&] {
    RtOpen(1, path, mode);
    for (int written = 0; written < total; written += 100) RtPrintToFile(1, std::string(98, 'x'));
    RtClose(1);
  });
  if (error != kErrDiskFull) return 10;
  if (RaisedError([] { RtLof(1); }) != kErrFileNotOpen) return 11;
  return 0;
}

TEST_F(FilesTest, JapaneseTextRoundTripsByteForByte) {
  const std::vector<std::string> lines = {
      "測量ケルノ君 ﾃｽﾄ",
      "A01,1,表示\\名,100.000,-20.5,",  // "表" carries the byte 0x5C
      "",
      "ｶﾞｹ　全角空白 \x12\x1A",
  };
  const std::string path = dir / "表示.TXT";  // a CP932 file name
  WriteLines(path, lines);

  std::string expected;
  for (const std::string& line : lines) expected += line + "\r\n";
  const std::string hostPath = dir / reinterpret_cast<const char*>(u8"表示.TXT");
  EXPECT_EQ(ReadHostFile(hostPath), expected);

  ASSERT_TRUE(RtOpen(3, path, RtFileMode::Input));
  EXPECT_EQ(RtLof(3), static_cast<long>(expected.size()));
  for (const std::string& line : lines) {
    std::string read;
    EXPECT_TRUE(RtLineInputVar(3, read));
    EXPECT_EQ(read, line);
  }
  EXPECT_TRUE(RtEof(3));
  RtClose(3);
}

TEST_F(FilesTest, BackslashIsAFolderSeparator) {
  fs::create_directory(dir / "sub");
  WriteLines(dir.path() + "\\sub\\a.txt", {"x"});
  EXPECT_EQ(ReadHostFile(dir / "sub/a.txt"), "x\r\n");
}

TEST_F(FilesTest, OutputReplacesTheOldFileOnlyWhenClosed) {
  const std::string path = dir / "JOB.PRN";
  WriteHostFile(path, "OLD\r\n");
  chmod(path.c_str(), 0640);

  ASSERT_TRUE(RtOpen(1, path, RtFileMode::Output));
  RtPrintToFile(1, "NEW");
  EXPECT_EQ(ReadHostFile(path), "OLD\r\n");
  EXPECT_EQ(Entries().size(), 2u);  // the old file and the temporary one
  RtClose(1);

  EXPECT_EQ(ReadHostFile(path), "NEW\r\n");
  EXPECT_EQ(Entries(), std::vector<std::string>{"JOB.PRN"});
  struct stat st {};
  stat(path.c_str(), &st);
  EXPECT_EQ(st.st_mode & 07777, 0640u);  // the old file's permissions are kept
}

TEST_F(FilesTest, NewFilesGetTheUsualPermissions) {
  const std::string path = dir / "NEW.TXT";
  WriteLines(path, {});
  mode_t mask = umask(0);
  umask(mask);
  struct stat st {};
  ASSERT_EQ(stat(path.c_str(), &st), 0);
  EXPECT_EQ(st.st_mode & 07777, 0666 & ~mask);
  EXPECT_EQ(st.st_size, 0);
}

TEST_F(FilesTest, RewriteThatFailsHalfWayLeavesTheOldFileIntact) {
  const std::string path = dir / "JOB.PRN";
  const std::string old = "OLD CONTENT\r\n";
  WriteHostFile(path, old);
  // 200 000 bytes pass the buffer several times: the failure comes from a write.
  EXPECT_EQ(RunInChild([&] {
              LimitFileSize(4096);
              return WriteUntilDiskFull(path, RtFileMode::Output, 200000);
            }),
            0);
  EXPECT_EQ(ReadHostFile(path), old);
  EXPECT_EQ(Entries(), std::vector<std::string>{"JOB.PRN"});  // no temporary left
}

TEST_F(FilesTest, RewriteThatFailsAtCloseLeavesTheOldFileIntact) {
  const std::string path = dir / "JOB.PRN";
  const std::string old = "OLD CONTENT\r\n";
  WriteHostFile(path, old);
  // 8000 bytes stay in the buffer until the close, which then fails.
  EXPECT_EQ(RunInChild([&] {
              LimitFileSize(4096);
              return WriteUntilDiskFull(path, RtFileMode::Output, 8000);
            }),
            0);
  EXPECT_EQ(ReadHostFile(path), old);
  EXPECT_EQ(Entries(), std::vector<std::string>{"JOB.PRN"});
}

TEST_F(FilesTest, FailedAppendCutsTheFileBackToWhatItHeld) {
  const std::string path = dir / "K.D";
  const std::string old = "D00,1\r\n";
  WriteHostFile(path, old);
  EXPECT_EQ(RunInChild([&] {
              LimitFileSize(4096);
              return WriteUntilDiskFull(path, RtFileMode::Append, 8000);
            }),
            0);
  EXPECT_EQ(ReadHostFile(path), old);
}

TEST_F(FilesTest, CrashWhileWritingLeavesTheOldFile) {
  const std::string path = dir / "JOB.PRN";
  WriteHostFile(path, "OLD\r\n");
  EXPECT_EQ(RunInChild([&] {
              Runtime rt;
              RuntimeScope scope(rt);
              RtOpen(1, path, RtFileMode::Output);
              for (int i = 0; i < 5000; ++i) RtPrintToFile(1, "half-written line");
              _exit(0);  // no close, no destructors: as a crash
              return 1;
            }),
            0);
  EXPECT_EQ(ReadHostFile(path), "OLD\r\n");
}

TEST_F(FilesTest, OpenFilesAreCommittedWhenTheRuntimeEnds) {
  const std::string path = dir / "PRINTR.DAT";
  {
    Runtime rt;
    RuntimeScope inner(rt);
    RtOpen(5, path, RtFileMode::Output);
    RtPrintToFile(5, "report");
  }
  EXPECT_EQ(ReadHostFile(path), "report\r\n");
}

TEST_F(FilesTest, CloseAllCommitsEveryFile) {
  RtOpen(1, dir / "a", RtFileMode::Output);
  RtOpen(7, dir / "b", RtFileMode::Append);
  RtOpen(255, dir / "c", RtFileMode::OutputNew);
  RtPrintToFile(1, "1");
  RtPrintToFile(7, "7");
  RtPrintToFile(255, "255");
  RtCloseAll();
  EXPECT_EQ(ReadHostFile(dir / "a"), "1\r\n");
  EXPECT_EQ(ReadHostFile(dir / "b"), "7\r\n");
  EXPECT_EQ(ReadHostFile(dir / "c"), "255\r\n");
  EXPECT_EQ(RaisedError([] { RtEof(7); }), kErrFileNotOpen);
}

TEST_F(FilesTest, FileClosedAfterAChangeOfFolderLandsWhereItWasOpened) {
  fs::create_directory(dir / "other");
  RtChdir(dir.path());
  RtOpen(1, "REL.TXT", RtFileMode::Output);
  RtPrintToFile(1, "here");
  RtChdir(dir / "other");
  RtClose(1);
  EXPECT_EQ(ReadHostFile(dir / "REL.TXT"), "here\r\n");
  EXPECT_FALSE(fs::exists(dir / "other/REL.TXT"));
}

TEST_F(FilesTest, OutputThroughASymbolicLinkReplacesTheFileItPointsTo) {
  WriteHostFile(dir / "real.txt", "old\r\n");
  fs::create_symlink("real.txt", dir / "link.txt");
  WriteLines(dir / "link.txt", {"new"});
  EXPECT_TRUE(fs::is_symlink(dir / "link.txt"));
  EXPECT_EQ(ReadHostFile(dir / "real.txt"), "new\r\n");
}

TEST_F(FilesTest, OutputToAPipeWritesIntoThePipe) {
  const std::string fifo = dir / "pipe";
  ASSERT_EQ(mkfifo(fifo.c_str(), 0600), 0);
  int reader = open(fifo.c_str(), O_RDONLY | O_NONBLOCK);
  ASSERT_GE(reader, 0);
  WriteLines(fifo, {"through"});
  char buffer[32] = {};
  EXPECT_EQ(read(reader, buffer, sizeof buffer), 9);
  EXPECT_EQ(std::string(buffer), "through\r\n");
  close(reader);
  EXPECT_TRUE(fs::is_fifo(fifo));
}

TEST_F(FilesTest, AppendWritesInPlaceAndCreatesAMissingFile) {
  const std::string path = dir / "K.D";
  ASSERT_TRUE(RtOpen(4, path, RtFileMode::Append));
  RtClose(4);
  EXPECT_TRUE(RtFileExists(path));
  EXPECT_EQ(ReadHostFile(path), "");
  for (const char* text : {"first", "second"}) {
    RtOpen(4, path, RtFileMode::Append);
    RtPrintToFile(4, text);
    EXPECT_EQ(RtLof(4), static_cast<long>(ReadHostFile(path).size() + std::string(text).size() + 2));
    RtClose(4);
  }
  EXPECT_EQ(ReadHostFile(path), "first\r\nsecond\r\n");
}

TEST_F(FilesTest, CommaFieldInput) {
  const std::string path = dir / "K.csv";
  WriteHostFile(path,
                "A01, 12 ,\"a,b\" x, 表示 名 ,\r\n"
                "\r\n"
                " \"unterminated\r\n"
                "x:y,  -1.5D+2,.5,　全角　,\"\"\r\n"
                "last");
  EXPECT_EQ(ReadFields(path), (std::vector<std::string>{"A01", "12", "a,b", "表示 名", "", "", "unterminated",
                                                         "x:y", "-1.5D+2", ".5", "　全角　", "", "last"}));
}

TEST_F(FilesTest, FieldInputEndsAtLineEndsOfEveryKind) {
  const std::string path = dir / "ends.txt";
  WriteHostFile(path, "a\rb\nc\r\nd,");
  EXPECT_EQ(ReadFields(path), (std::vector<std::string>{"a", "b", "c", "d"}));
}

TEST_F(FilesTest, NumericFieldInput) {
  const std::string path = dir / "n.csv";
  WriteHostFile(path, "12, -1.5D+2 ,.5,abc,12abc, 1E3,\"7\",-,1.2.3\r\n 4 ,\r\n");
  ASSERT_TRUE(RtOpen(1, path, RtFileMode::Input));
  std::vector<double> values;
  while (!RtEof(1)) {
    double value = -99;
    RtInputVars(1, value);
    values.push_back(value);
  }
  EXPECT_EQ(values, (std::vector<double>{12, -150, 0.5, 0, 12, 1000, 7, 0, 1.2, 4, 0}));
  RtClose(1);
}

TEST_F(FilesTest, LineInputEndsAtCrDropsTheLfAndKeepsControlBytes) {
  const std::string path = dir / "lines.txt";
  WriteHostFile(path, "a\r\nb\nc\rd\x1A\r\n\r\ne,f");
  ASSERT_TRUE(RtOpen(1, path, RtFileMode::Input));
  std::vector<std::string> lines;
  while (!RtEof(1)) {
    std::string line;
    RtLineInputVar(1, line);
    lines.push_back(line);
  }
  EXPECT_EQ(lines, (std::vector<std::string>{"a", "b", "c", "d\x1A", "", "e,f"}));
  std::string kept = "unchanged";
  EXPECT_EQ(RaisedError([&] { RtLineInputVar(1, kept); }), kErrReadPastEnd);
  EXPECT_EQ(kept, "unchanged");
  RtClose(1);
}

TEST_F(FilesTest, CharacterInputTakesBytesAsTheyStand) {
  const std::string path = dir / "raw";
  WriteHostFile(path, "AB\r\n測");
  ASSERT_TRUE(RtOpen(1, path, RtFileMode::Input));
  EXPECT_EQ(RtInputChars(1, 3), "AB\r");
  EXPECT_EQ(RtInputChars(1, 0), "");
  EXPECT_EQ(RtInputChars(1, 3), "\n測");
  EXPECT_TRUE(RtEof(1));
  EXPECT_EQ(RaisedError([] { RtInputChars(1, 1); }), kErrReadPastEnd);
  EXPECT_EQ(RaisedError([] { RtInputChars(1, -1); }), kErrIllegalArgument);
  RtClose(1);
}

TEST_F(FilesTest, PrintZonesOf14Columns) {
  const std::string path = dir / "zones";
  RtOpen(1, path, RtFileMode::Output);
  RtPrintZoneToFile(1);  // at column 0: a whole zone
  RtPrintToFile(1, "AB", false);
  RtPrintZoneToFile(1);
  RtPrintToFile(1, "測量", false);  // four bytes, four columns
  RtPrintZoneToFile(1);
  RtPrintToFile(1, std::string(14, '-'), false);  // ends exactly on a zone
  RtPrintZoneToFile(1);
  RtPrintToFile(1, "x\r\nyz", false);  // a line end inside the text
  RtPrintZoneToFile(1);
  RtPrintToFile(1, "end");
  RtPrintZoneToFile(1);  // a fresh line starts at column 0
  RtPrintToFile(1, "");
  RtClose(1);
  EXPECT_EQ(ReadHostFile(path), std::string(14, ' ') + "AB" + std::string(12, ' ') + "測量" + std::string(10, ' ') +
                                    std::string(14, '-') + std::string(14, ' ') + "x\r\nyz" +
                                    std::string(12, ' ') + "end\r\n" + std::string(14, ' ') + "\r\n");
}

TEST_F(FilesTest, TabMovesToAColumnOrOnToTheNextLine) {
  const std::string path = dir / "tabs";
  RtOpen(1, path, RtFileMode::Output);
  RtPrintTabToFile(1, 3);  // from the start of a line
  RtPrintToFile(1, "測", false);
  RtPrintTabToFile(1, 5);  // exactly there: nothing
  RtPrintToFile(1, "abc", false);
  RtPrintTabToFile(1, 6);  // past it: a line end first
  RtPrintToFile(1, "x");
  RtClose(1);
  EXPECT_EQ(ReadHostFile(path), "   測abc\r\n      x\r\n");
  EXPECT_EQ(RaisedError([] { RtPrintTabToFile(1, 0); }), kErrFileNotOpen);
  EXPECT_EQ(RaisedError([] { RtPrintTabToFile(1, -1); }), kErrIllegalArgument);
}

TEST_F(FilesTest, MissingFileToReadIsError63PassedOver) {
  EXPECT_FALSE(RtOpen(1, dir / "MISSING.DEF", RtFileMode::Input));
  EXPECT_EQ(RtErr(), kErrFileNotFound);
  EXPECT_FALSE(RtOpen(1, dir / "nofolder/MISSING.DEF", RtFileMode::Input));
  EXPECT_EQ(RaisedError([] { RtEof(1); }), kErrFileNotOpen);  // nothing was opened
}

TEST_F(FilesTest, ExistingFileForOutputNewIsError64PassedOver) {
  const std::string path = dir / "JOB1.PRN";
  // The save dialog's way to make sure a file exists: create it new, close it.
  EXPECT_TRUE(RtOpen(1, path, RtFileMode::OutputNew));
  RtClose(1);
  EXPECT_EQ(ReadHostFile(path), "");
  WriteHostFile(path, "kept");
  RtClearError();
  EXPECT_FALSE(RtOpen(1, path, RtFileMode::OutputNew));
  EXPECT_EQ(RtErr(), kErrFileExists);
  RtClose(1);  // closing a number that is not open does nothing
  EXPECT_EQ(ReadHostFile(path), "kept");
}

TEST_F(FilesTest, ANumberThatIsNotOpenIsError57) {
  std::string text;
  double value = 0;
  const std::vector<std::function<void()>> operations = {
      [] { RtEof(3); },
      [&] { RtLineInputVar(3, text); },
      [&] { RtInputVars(3, text); },
      [&] { RtInputVars(3, value); },
      [] { RtInputChars(3, 1); },
      [] { RtPrintToFile(3, "x"); },
      [] { RtPrintZoneToFile(3); },
      [] { RtLof(3); },
  };
  for (const auto& operation : operations) EXPECT_EQ(RaisedError(operation), kErrFileNotOpen);
}

TEST_F(FilesTest, NumbersOutsideTheRangeAreError52) {
  for (int n : {0, -1, 256}) {
    EXPECT_EQ(RaisedError([&] { RtOpen(n, dir / "x", RtFileMode::Output); }), 52) << n;
    EXPECT_EQ(RaisedError([&] { RtEof(n); }), 52) << n;
  }
  EXPECT_EQ(RaisedError([&] { RtOpen(1, "", RtFileMode::Input); }), 52);
}

TEST_F(FilesTest, ANumberAlreadyOpenIsError55) {
  RtOpen(1, dir / "a", RtFileMode::Output);
  EXPECT_EQ(RaisedError([&] { RtOpen(1, dir / "b", RtFileMode::Output); }), kErrFileAlreadyOpen);
  RtClose(1);
  EXPECT_TRUE(RtOpen(1, dir / "b", RtFileMode::Output));
}

TEST_F(FilesTest, WrongDirectionIsError54) {
  WriteHostFile(dir / "in", "data\r\n");
  RtOpen(1, dir / "in", RtFileMode::Input);
  RtOpen(2, dir / "out", RtFileMode::Output);
  std::string text;
  EXPECT_EQ(RaisedError([] { RtPrintToFile(1, "x"); }), kErrReadPastEnd);
  EXPECT_EQ(RaisedError([&] { RtLineInputVar(2, text); }), kErrReadPastEnd);
  EXPECT_EQ(RaisedError([&] { RtInputChars(2, 1); }), kErrReadPastEnd);
  EXPECT_TRUE(RtEof(2));
  RtLineInputVar(1, text);  // both stay usable
  EXPECT_EQ(text, "data");
}

TEST_F(FilesTest, ReadOnlyTargetsAreError75) {
  const std::string path = dir / "RO.PRN";
  WriteHostFile(path, "keep");
  chmod(path.c_str(), 0444);
  EXPECT_TRUE(RtIsReadOnly(path));
  EXPECT_EQ(RaisedError([&] { RtOpen(1, path, RtFileMode::Output); }), kErrAccessDenied);
  EXPECT_EQ(RaisedError([&] { RtOpen(1, path, RtFileMode::Append); }), kErrAccessDenied);
  EXPECT_EQ(RaisedError([&] { RtKill(path); }), kErrAccessDenied);
  EXPECT_EQ(RaisedError([&] { RtFileCopy(path, path); }), kErrAccessDenied);
  EXPECT_TRUE(RtOpen(1, path, RtFileMode::Input));  // reading is fine
  RtClose(1);
  EXPECT_EQ(ReadHostFile(path), "keep");
  EXPECT_FALSE(RtIsReadOnly(dir / "missing"));
  EXPECT_FALSE(RtIsReadOnly(dir.path()));
}

// A folder without any write permission bit takes no new file, as a file
// without them is read-only: even for the administrator, and even for a
// writable file in it, since its new content is made beside it.
TEST_F(FilesTest, AFolderWithoutWriteBitsTakesNoNewFile) {
  fs::create_directory(dir / "ro");
  WriteHostFile(dir / "ro/OLD.PRN", "keep");
  chmod((dir / "ro").c_str(), 0555);
  EXPECT_TRUE(RtIsReadOnlyFolder(dir / "ro"));
  EXPECT_FALSE(RtIsReadOnlyFolder(dir.path()));
  EXPECT_FALSE(RtIsReadOnlyFolder(dir / "missing"));
  for (const RtFileMode mode : {RtFileMode::Output, RtFileMode::OutputNew}) {
    EXPECT_EQ(RaisedError([&] { RtOpen(1, dir / "ro/NEW.PRN", mode); }), kErrAccessDenied);
  }
  EXPECT_EQ(RaisedError([&] { RtOpen(1, dir / "ro/OLD.PRN", RtFileMode::Output); }), kErrAccessDenied);
  EXPECT_EQ(ReadHostFile(dir / "ro/OLD.PRN"), "keep");
  chmod((dir / "ro").c_str(), 0755);
  EXPECT_EQ(fs::directory_entry(dir / "ro/NEW.PRN").exists(), false);
}

TEST_F(FilesTest, SameFileFollowsLinksFoldersAndNames) {
  WriteHostFile(dir / "A.SEN", "a");
  WriteHostFile(dir / "B.SEN", "a");
  fs::create_directory(dir / "sub");
  fs::create_symlink(dir / "A.SEN", dir / "L.SEN");
  EXPECT_TRUE(RtSameFile(dir / "A.SEN", dir / "sub/../A.SEN"));
  EXPECT_TRUE(RtSameFile(dir / "A.SEN", dir / "L.SEN"));
  EXPECT_FALSE(RtSameFile(dir / "A.SEN", dir / "B.SEN"));
  EXPECT_FALSE(RtSameFile(dir / "A.SEN", dir / "missing"));
  // A file written anew under the same name (an editor's save) is still the same.
  const std::string before = dir / "sub/../B.SEN";
  fs::remove(dir / "B.SEN");
  WriteHostFile(dir / "C.SEN", "c");
  WriteHostFile(dir / "B.SEN", "b");
  EXPECT_TRUE(RtSameFile(before, dir / "B.SEN"));
  EXPECT_TRUE(RtSameFile(dir / "sub/../gone", dir / "gone"));
}

// ---- Files written together ----

// Within an open group: the old pair on disk, the new point file written and
// closed, the new line file still being written as number 1.
void StartNewPair(const TempFolder& dir) {
  WriteHostFile(dir / "JOB.PRN", "old points");
  WriteHostFile(dir / "JOB.SEN", "old lines");
  ASSERT_TRUE(RtOpen(1, dir / "JOB.PRN", RtFileMode::Output));
  RtPrintToFile(1, "new points");
  RtClose(1);
  ASSERT_TRUE(RtOpen(1, dir / "JOB.SEN", RtFileMode::Output));
  RtPrintToFile(1, "new lines");
}

TEST_F(FilesTest, AGroupReplacesItsTargetsOnlyWhenCommitted) {
  {
    RtFileGroup group;
    StartNewPair(dir);
    RtOpen(2, dir / "PRINTR.DAT", RtFileMode::Append);  // appending is no part of it
    RtPrintToFile(2, "report");
    RtClose(2);
    EXPECT_EQ(ReadHostFile(dir / "JOB.PRN"), "old points");  // closed, yet held back
    EXPECT_EQ(ReadHostFile(dir / "PRINTR.DAT"), "report\r\n");
    group.Commit();  // file 1, still open, is closed first
  }
  EXPECT_EQ(ReadHostFile(dir / "JOB.PRN"), "new points\r\n");
  EXPECT_EQ(ReadHostFile(dir / "JOB.SEN"), "new lines\r\n");
  EXPECT_EQ(RaisedError([] { RtLof(1); }), kErrFileNotOpen);
  EXPECT_EQ(Entries().size(), 3u);  // no temporary left
}

TEST_F(FilesTest, AGroupEndedWithoutCommitLeavesEveryTarget) {
  {
    RtFileGroup group;
    StartNewPair(dir);
    EXPECT_EQ(RaisedError([] { RtFileGroup second; }), kErrIllegalArgument);
  }
  EXPECT_EQ(ReadHostFile(dir / "JOB.PRN"), "old points");
  EXPECT_EQ(ReadHostFile(dir / "JOB.SEN"), "old lines");
  EXPECT_EQ(RaisedError([] { RtLof(1); }), kErrFileNotOpen);  // the open one is gone too
  EXPECT_EQ(Entries().size(), 2u);
  // Afterwards files are committed on their own again.
  WriteLines(dir / "JOB.PRN", {"later"});
  EXPECT_EQ(ReadHostFile(dir / "JOB.PRN"), "later\r\n");
}

// The second file of a pair passes the file size limit: the first, already
// written, is not put in place either.
TEST_F(FilesTest, AFailedWriteInAGroupReplacesNeitherFile) {
  WriteHostFile(dir / "JOB.PRN", "old points");
  WriteHostFile(dir / "JOB.SEN", "old lines");
  EXPECT_EQ(RunInChild([&] {
              LimitFileSize(4096);
              Runtime rt;
              RuntimeScope scope(rt);
              RtFileGroup group;
              RtOpen(1, dir / "JOB.PRN", RtFileMode::Output);
              RtPrintToFile(1, "new points");
              RtClose(1);
              const int error = RaisedError([&] {
                RtOpen(1, dir / "JOB.SEN", RtFileMode::Output);
                for (int k = 0; k < 2000; ++k) RtPrintToFile(1, std::string(98, 'x'));
                RtClose(1);
                group.Commit();
              });
              return error == kErrDiskFull ? 0 : 10;
            }),
            0);
  EXPECT_EQ(ReadHostFile(dir / "JOB.PRN"), "old points");
  EXPECT_EQ(ReadHostFile(dir / "JOB.SEN"), "old lines");
  EXPECT_EQ(Entries().size(), 2u);
}

TEST_F(FilesTest, MissingFolderForWritingIsError76AndAFolderIsNoFile) {
  EXPECT_EQ(RaisedError([&] { RtOpen(1, dir / "no/x.txt", RtFileMode::Output); }), kErrPathNotFound);
  EXPECT_EQ(RaisedError([&] { RtOpen(1, dir / "no/x.txt", RtFileMode::Append); }), kErrPathNotFound);
  fs::create_directory(dir / "folder");
  EXPECT_EQ(RaisedError([&] { RtOpen(1, dir / "folder", RtFileMode::Output); }), kErrAccessDenied);
  EXPECT_EQ(RaisedError([&] { RtOpen(1, dir / "folder", RtFileMode::Input); }), kErrAccessDenied);
  EXPECT_EQ(RaisedError([&] { RtKill(dir / "folder"); }), kErrAccessDenied);
  EXPECT_TRUE(fs::is_directory(dir / "folder"));
}

TEST_F(FilesTest, LengthOfFilesBeingReadAndWritten) {
  WriteHostFile(dir / "in", "12345");
  RtOpen(1, dir / "in", RtFileMode::Input);
  EXPECT_EQ(RtLof(1), 5);
  RtOpen(2, dir / "out", RtFileMode::Output);
  EXPECT_EQ(RtLof(2), 0);
  RtPrintToFile(2, std::string(99, ' '));
  EXPECT_EQ(RtLof(2), 101);
}

TEST_F(FilesTest, KillDeletesAndPassesOverAMissingFile) {
  const std::string path = dir / "K.csv";
  WriteHostFile(path, "x");
  EXPECT_TRUE(RtKill(path));
  EXPECT_FALSE(RtFileExists(path));
  RtClearError();
  EXPECT_FALSE(RtKill(path));
  EXPECT_EQ(RtErr(), kErrFileNotFound);
}

TEST_F(FilesTest, FileCopyReplacesTheTargetAndPassesOverAMissingSource) {
  const std::string from = dir / "$kl$";
  const std::string to = dir / "KRN2000.DEF";
  WriteHostFile(from, "新しい設定\r\n");
  WriteHostFile(to, "old settings that are longer\r\n");
  EXPECT_TRUE(RtFileCopy(from, to));
  EXPECT_EQ(ReadHostFile(to), "新しい設定\r\n");
  EXPECT_EQ(ReadHostFile(from), "新しい設定\r\n");
  EXPECT_EQ(Entries().size(), 2u);

  RtClearError();
  EXPECT_FALSE(RtFileCopy(dir / "missing", to));
  EXPECT_EQ(RtErr(), kErrFileNotFound);
  EXPECT_EQ(ReadHostFile(to), "新しい設定\r\n");
  EXPECT_EQ(RaisedError([&] { RtFileCopy(from, dir / "no/x"); }), kErrPathNotFound);
}

TEST_F(FilesTest, ExistenceTests) {
  WriteHostFile(dir / "f", "");
  EXPECT_TRUE(RtFileExists(dir / "f"));
  EXPECT_FALSE(RtFolderExists(dir / "f"));
  EXPECT_FALSE(RtFileExists(dir.path()));
  EXPECT_TRUE(RtFolderExists(dir.path()));
  EXPECT_TRUE(RtFolderExists(dir.path() + "\\"));
  EXPECT_FALSE(RtFileExists(dir / "g"));
  EXPECT_FALSE(RtFolderExists(dir / "g"));
}

}  // namespace
