// A job opened from the command line and saved under a new name through the
// coordinate-file menu: the sample job the program ships, in a copy.
#include <gtest/gtest.h>

#include <cstdint>
#include <filesystem>
#include <string>
#include <utility>
#include <vector>

#include "runtime/temp_folder.h"
#include "scripted/session.h"
#include "session/fixture_points.h"
#include "support/u8.h"

namespace {

using fixture_points::Png;
using scripted::Files;
using scripted::HasLineContaining;
using scripted::Krn;
using scripted::SampleJob;
using scripted::SessionOptions;
using scripted::SessionResult;

// The sample job's connection-line file with line `number` (from 1) replaced.
std::string SampleLinesWithLine(int number, const std::string& replacement) {
  const std::string sample = scripted::ShippedFile("SAMPLE.SEN");
  std::string out;
  size_t at = 0;
  for (int line = 1; at < sample.size(); ++line) {
    const size_t end = sample.find("\r\n", at);
    out += line == number ? replacement : sample.substr(at, end - at);
    out += "\r\n";
    at = end + 2;
  }
  return out;
}

// Sessions whose data folder has read-only files or folders (made first).
SessionOptions ReadOnly(std::vector<std::string> names, std::vector<std::string> folders = {}) {
  SessionOptions options;
  options.folders = std::move(folders);
  options.readOnly = std::move(names);
  return options;
}

SessionOptions FileSizeLimit(long bytes) {
  SessionOptions options;
  options.fileSizeLimit = bytes;
  return options;
}

// Names of the files in the data folder that a writer left half made.
std::vector<std::string> TemporaryFiles(const SessionResult& session) {
  std::vector<std::string> names;
  for (const auto& entry : std::filesystem::recursive_directory_iterator(session.dataFolder->path())) {
    const std::string name = entry.path().filename().string();
    if (name.find(".krn-") != std::string::npos) names.push_back(name);
  }
  return names;
}

TEST(JobFilesSession, TheSampleJobIsShownAndSavedUnderANewName) {
  const Files job = SampleJob();
  ASSERT_FALSE(job.front().second.empty());
  // The view as the load left it; then command 5, the file menu's choice 1 and
  // a new name in the save dialog.
  const SessionResult session =
      Krn("!png view view.png\n5\n4\n1\n!file NEW.PRN\n", {"./SAMPLE.PRN"}, job);
  ASSERT_EQ(session.status, 0) << session.errors;
  EXPECT_TRUE(HasLineContaining(session, U8(u8"SAMPLE.PRN データ読込中"))) << session.transcript;
  EXPECT_TRUE(HasLineContaining(session, U8(u8"仕事名 =NEW "))) << session.transcript;

  // Every point drawn: its mark symbol and its name.
  constexpr int kName = 1;
  constexpr int kSymbol = 5;
  const Png view(*session.dataFolder / "view.png");
  ASSERT_TRUE(view.Ok());
  EXPECT_GT(view.Count(kSymbol), 40 * 5);
  EXPECT_GT(view.Count(kName), 40 * 5);

  // The job written back is the file it was read from, and the lines beside it.
  EXPECT_EQ(session.File("NEW.PRN"), job.front().second);
  EXPECT_FALSE(session.File("NEW.SEN").empty());
  EXPECT_EQ(session.File("SAMPLE.PRN"), job.front().second);
}

TEST(JobFilesSession, SavingUnderANameWithTwoDotsLeavesTheOneDotJobAsItWas) {
  const Files sample = SampleJob();
  const std::string points = sample[0].second;
  const std::string lines = sample[1].second;
  // The job JOB, then saved as "JOB.V2.PRN": the job JOB.V2, with its lines in
  // JOB.V2.SEN; JOB.PRN and JOB.SEN are another job's files now.
  const SessionResult session = Krn("5\n4\n1\n!file JOB.V2.PRN\n", {"./JOB.PRN"},
                                    {{"JOB.PRN", points}, {"JOB.SEN", lines}});
  ASSERT_EQ(session.status, 0) << session.errors;
  EXPECT_TRUE(HasLineContaining(session, U8(u8"仕事名 =JOB.V2 "))) << session.transcript;
  EXPECT_EQ(session.File("JOB.V2.PRN"), points);
  EXPECT_EQ(session.File("JOB.V2.SEN"), lines);
  EXPECT_EQ(session.File("JOB.PRN"), points);
  EXPECT_EQ(session.File("JOB.SEN"), lines);
  EXPECT_FALSE(std::filesystem::exists(*session.dataFolder / "JOB.V2."));
  // The other job's files were not even rewritten with the same bytes: they
  // are older than the points saved, which are written before the lines.
  const auto written = [&](const char* name) {
    return std::filesystem::last_write_time(*session.dataFolder / name);
  };
  EXPECT_LT(written("JOB.PRN"), written("JOB.V2.PRN"));
  EXPECT_LT(written("JOB.SEN"), written("JOB.V2.PRN"));
}

TEST(JobFilesSession, ABadFileOnTheCommandLineIsNamedWithItsLine) {
  const SessionResult session =
      Krn("", {"./BAD.PRN"}, {{"BAD.PRN", "P1 1 2 3\r\nP2 4 5 6\r\nBROKEN\r\n"}});
  ASSERT_EQ(session.status, 0) << session.errors;
  EXPECT_TRUE(HasLineContaining(session, U8(u8" BAD.PRN の 3 行目: 点名のあとに座標がありません")))
      << session.transcript;
  EXPECT_TRUE(HasLineContaining(session, U8(u8"データは元のままです"))) << session.transcript;
}

// ---- A save the system refuses keeps the job and the program ----

TEST(RefusedSaveSession, AFolderThatTakesNoFilesIsRefusedAndTheDialogComesAgain) {
  const SessionResult session = Krn("5\n4\n1\n!file ro/NEW.PRN\n!file NEW.PRN\n", {"./SAMPLE.PRN"},
                                    SampleJob(), ReadOnly({"ro"}, {"ro"}));
  ASSERT_EQ(session.status, 0) << session.errors << session.transcript;
  EXPECT_TRUE(HasLineContaining(session, U8(u8"ro/NEW.PRN"))) << session.transcript;
  EXPECT_TRUE(HasLineContaining(session, U8(u8"このフォルダには書き込めません"))) << session.transcript;
  EXPECT_FALSE(std::filesystem::exists(*session.dataFolder / "ro/NEW.PRN"));
  // The second choice is saved whole, with its lines.
  EXPECT_EQ(session.File("NEW.PRN"), SampleJob()[0].second);
  EXPECT_EQ(session.File("NEW.SEN"), SampleJob()[1].second);
}

TEST(RefusedSaveSession, AReadOnlyLineFileBesideAWritablePointFileIsRefusedBeforeEither) {
  const SessionResult session = Krn("5\n4\n1\n!ok\n!file NEW.PRN\n", {"./SAMPLE.PRN"}, SampleJob(),
                                    ReadOnly({"SAMPLE.SEN"}));
  ASSERT_EQ(session.status, 0) << session.errors << session.transcript;
  EXPECT_TRUE(HasLineContaining(session, U8(u8"  SAMPLE.SEN は読込専用です。名を変更してください")))
      << session.transcript;
  EXPECT_EQ(session.File("SAMPLE.PRN"), SampleJob()[0].second);
  EXPECT_EQ(session.File("SAMPLE.SEN"), SampleJob()[1].second);
  EXPECT_EQ(session.File("NEW.PRN"), SampleJob()[0].second);
  EXPECT_EQ(session.File("NEW.SEN"), SampleJob()[1].second);
}

// ---- The point file and its line file are committed together ----

// A job of three points joined by many line vertices: its point file is small,
// its line file large.
Files ManyLinesJob() {
  std::string lines = "*91\r\n*01\r\n*01\r\n";
  for (int k = 0; k < 600; ++k) {
    const int p = k % 3 + 1;
    lines += "'    " + std::to_string(p) + "=P" + std::to_string(p) + "               " +
             (k == 0 ? "9" : "0") + "  1 \r\n";
  }
  lines += "\x03\r\n";
  return {{"JOB.PRN", "P1,10,20,1,91\r\nP2,30,40,2,01\r\nP3,50,60,3,01\r\n"}, {"JOB.SEN", lines}};
}

TEST(PairCommitSession, AWriteBeyondTheFileSizeLimitReplacesNeitherFileAndKeepsTheJob) {
  const Files job = ManyLinesJob();
  ASSERT_GT(job[1].second.size(), 16000u);
  // Room for the transcript and the point file, not for the line file.
  const SessionResult session =
      Krn("5\n4\n1\n!ok\n\n4\n2\n!file PART.PRN\n1\n\n", {"./JOB.PRN"}, job, FileSizeLimit(12000));
  ASSERT_EQ(session.status, 0) << session.errors << session.transcript;
  EXPECT_TRUE(HasLineContaining(session, U8(u8" JOB.SEN を書き込めませんでした。"))) << session.transcript;
  EXPECT_TRUE(HasLineContaining(session, U8(u8" 保存を中止しました。ファイルは元のままです。")));
  EXPECT_EQ(session.File("JOB.PRN"), job[0].second);
  EXPECT_EQ(session.File("JOB.SEN"), job[1].second);
  EXPECT_EQ(TemporaryFiles(session), std::vector<std::string>{});
  // The job is still there: back at the coordinate management menu, a block of it saves.
  EXPECT_EQ(session.File("PART.PRN").substr(0, 3), "P1 ");
}

// ---- A line file that could not be read is not overwritten unasked ----

TEST(UnreadLineFileSession, ASaveAsksBeforeItOverwritesTheFileAndNoKeepsBoth) {
  Files job = SampleJob();
  job[1].second = SampleLinesWithLine(60, "'99999=BAD              0  1 ");
  const SessionResult declined = Krn("5\n4\n1\n!ok\n\n", {"./SAMPLE.PRN"}, job);
  ASSERT_EQ(declined.status, 0) << declined.errors << declined.transcript;
  EXPECT_TRUE(HasLineContaining(declined, U8(u8" SAMPLE.SEN 60行目を読めません。")));
  EXPECT_TRUE(HasLineContaining(declined, U8(u8"上書きしますか[Y,N] N"))) << declined.transcript;
  EXPECT_EQ(declined.File("SAMPLE.SEN"), job[1].second);
  EXPECT_EQ(declined.File("SAMPLE.PRN"), job[0].second);

  const SessionResult agreed = Krn("5\n4\n1\n!ok\nY\n", {"./SAMPLE.PRN"}, job);
  ASSERT_EQ(agreed.status, 0) << agreed.errors << agreed.transcript;
  EXPECT_NE(agreed.File("SAMPLE.SEN"), job[1].second);
  EXPECT_FALSE(agreed.File("SAMPLE.SEN").empty());
}

TEST(UnreadLineFileSession, AnotherNameIsSavedWithoutAsking) {
  Files job = SampleJob();
  job[1].second = SampleLinesWithLine(60, "'99999=BAD              0  1 ");
  const SessionResult session = Krn("5\n4\n1\n!file NEW.PRN\n", {"./SAMPLE.PRN"}, job);
  ASSERT_EQ(session.status, 0) << session.errors << session.transcript;
  EXPECT_FALSE(HasLineContaining(session, U8(u8"上書きしますか"))) << session.transcript;
  EXPECT_EQ(session.File("NEW.PRN"), job[0].second);
  EXPECT_EQ(session.File("SAMPLE.SEN"), job[1].second);
}

// ---- Numbers the file layout cannot hold ----

TEST(NumberSession, ACoordinateTooWideForTheLayoutIsRefusedBeforeAnythingIsWritten) {
  const std::string big = "P1 123456789.5 2 3 91\r\nP2 4 5 6 01\r\n";
  const SessionResult session = Krn("5\n4\n1\n!ok\n\n", {"./BIG.PRN"}, {{"BIG.PRN", big}});
  ASSERT_EQ(session.status, 0) << session.errors << session.transcript;
  EXPECT_TRUE(HasLineContaining(session, U8(u8" 点 P1 の X= 123456789.5 はファイルの桁数に入りません。")))
      << session.transcript;
  EXPECT_EQ(session.File("BIG.PRN"), big);
  EXPECT_FALSE(std::filesystem::exists(*session.dataFolder / "BIG.SEN"));
}

// ---- An empty job ----

TEST(EmptyJobSession, SavingAnEmptyJobWritesNoPoint) {
  const SessionResult session = Krn("5\n4\n1\n!file EMPTY.PRN\n");
  ASSERT_EQ(session.status, 0) << session.errors << session.transcript;
  EXPECT_EQ(session.File("EMPTY.PRN"), "\x1a\r\n");
  EXPECT_EQ(session.File("EMPTY.SEN"), "\x03\r\n");
}

}  // namespace
