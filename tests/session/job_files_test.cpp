// A job opened from the command line and saved under a new name through the
// coordinate-file menu: the sample job the program ships, in a copy.
#include <gtest/gtest.h>

#include <filesystem>
#include <string>

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
using scripted::SessionResult;

TEST(JobFilesSession, TheSampleJobIsShownAndSavedUnderANewName) {
  const Files job = SampleJob();
  ASSERT_FALSE(job.front().second.empty());
  // The view as the load left it; then command 5, the file menu's choice 1 and
  // a new name in the save dialog.
  const SessionResult session =
      Krn("!png view view.png\n5\n1\n!file NEW.PRN\n", {"./SAMPLE.PRN"}, job);
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
  const SessionResult session = Krn("5\n1\n!file JOB.V2.PRN\n", {"./JOB.PRN"},
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

}  // namespace
