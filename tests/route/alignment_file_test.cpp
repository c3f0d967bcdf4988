// The route-file menu: its dispatch, and that the job name survives every item.
#include "route/alignment_file.h"

#include <gtest/gtest.h>

#include <fstream>
#include <string>

#include "points/point_question.h"
#include "route/route_menu.h"
#include "runtime/folders.h"

namespace {

class AlignmentFileTest : public PointQuestionTest {
 protected:
  void SetUp() override {
    PointQuestionTest::SetUp();
    base = app.shell.DataFolder;
    RtChdir(base);
    app.shell.JobFolder = base;
    app.settings.ZA = "JOB";
  }
  std::string base;
};

TEST_F(AlignmentFileTest, MenuDispatch) {
  const struct {
    const char* answer;
    Entry next;
  } cases[] = {{"1", WriteRouteFile}, {"1.5", ReadRouteFile}, {"3", EditRouteFile},
               {"", RouteMenu},       {"4", RouteMenu},       {"-1", RouteMenu}};
  for (const auto& c : cases) {
    SCOPED_TRACE(c.answer);
    Answers(std::string(c.answer) + "\n");
    EXPECT_EQ(AlignmentFileMenu(app).next, c.next);
    EXPECT_EQ(app.job.FileExtension, ".RSN");
  }
}

TEST_F(AlignmentFileTest, JobNameSurvivesWriteAndRead) {
  app.route.RouteValue(1) = 20;
  Answers("1\n!file OTHER.RSN\n");
  EXPECT_EQ(AlignmentFileMenu(app).next, WriteRouteFile);
  EXPECT_EQ(WriteRouteFile(app).next, RouteMenu);
  EXPECT_EQ(app.settings.ZA, "JOB");
  EXPECT_TRUE(std::ifstream(base + "OTHER.RSN").good());

  // A file of another extension with no .RSN beside it is named; nothing changes.
  std::ofstream(base + "ROAD.TXT") << "x";
  Answers("2\n!file ROAD.TXT\n");
  AlignmentFileMenu(app);
  app.route.RouteValue(1) = 33;
  EXPECT_EQ(ReadRouteFile(app).next, RouteMenu);
  EXPECT_TRUE(Printed(U8(u8" ROAD.RSN がありません。")));
  EXPECT_EQ(app.route.RouteValue(1), 33);
  EXPECT_EQ(app.settings.ZA, "JOB");

  // Read back: the written table, the job name kept.
  Answers("2\n!file OTHER.RSN\n");
  AlignmentFileMenu(app);
  EXPECT_EQ(ReadRouteFile(app).next, RouteMenu);
  EXPECT_EQ(app.route.RouteValue(1), 20);
  EXPECT_EQ(app.settings.ZA, "JOB");
}

}  // namespace
