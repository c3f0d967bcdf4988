// The work point along the job's base line: the chainage is added and the
// polar values are left for the registration's commands.
#include "points/station_offset.h"

#include <gtest/gtest.h>

#include <cmath>
#include <memory>

#include "core/app.h"
#include "points/point_question.h"

namespace {

struct Case {
  const char* what;
  double radius, x, y;
  double station, offset;
};

TEST(ConvertToStationOffset, AddsTheChainageAndLeavesTheOffsetAndHeight) {
  const double quarter = 50 * M_PI / 2;
  const Case cases[] = {
      {"10 ahead", 0, 1010, 500, 110, 0},
      {"10 behind", 0, 990, 500, 90, 0},
      {"the base point", 0, 1000, 500, 100, 0},
      {"quarter arc", 50, 1000, 550, 100 + quarter, 0},
      {"inside the arc", 50, 1000, 540, 100 + quarter, 10},
      {"left-hand arc", -50, 1000, 540, 100 - quarter, -10},
      {"the arc's centre", 50, 1000, 500, 100, 50},
  };
  for (const Case& c : cases) {
    auto app = std::make_unique<App>();
    app->cogo.BasePointX = 1000;
    app->cogo.BasePointY = 500;
    app->cogo.BaseChainage = 100;
    app->cogo.BaseRadius = c.radius;
    app->points.WorkPointX = c.x;
    app->points.WorkPointY = c.y;
    app->points.WorkPointZ = 12.5;
    ConvertToStationOffset(*app);
    EXPECT_NEAR(app->points.WorkPointX, c.station, 1e-9) << c.what;
    EXPECT_NEAR(app->points.WorkPointY, c.offset, 1e-9) << c.what;
    EXPECT_EQ(app->points.StationOffset, app->points.WorkPointY) << c.what;
    EXPECT_EQ(app->points.WorkPointZ, 12.5) << c.what;
  }
}

class DistanceLineTest : public PointQuestionTest {};

// The reduced distance is printed only for an inclined sight whose distance was
// not typed as a horizontal one; the print buffer takes it with ZD 2 or less.
TEST_F(DistanceLineTest, PrintsTheReducedDistanceOfAnInclinedSight) {
  const struct {
    double vv, reading, promptFlag, zd;
    bool screen, buffer;
  } cases[] = {
      {0, 85.3, 0, 2, true, true},    {0, 90, 0, 2, false, false},  {0, 85.3, 1, 2, false, false},
      {0, 85.3, 0, 3, true, false},   {0, 85.3, 0, 4, true, false}, {90, 180, 0, 1, false, false},
      {90, 90, 0, 1, true, true},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(testing::Message() << c.vv << " " << c.reading << " " << c.promptFlag << " ZD " << c.zd);
    ForgetTranscript();
    ResetPrintBuffer(app);
    app.settings.VV = c.vv;
    app.settings.ZD = c.zd;
    app.fieldbook.MeasuredVerticalAngle = c.reading;
    app.traverse.DistancePromptFlag = c.promptFlag;
    app.points.HorizontalDistance = 123.4565;  // rounded half up to 1/T
    PrintDistanceLine(app);
    EXPECT_EQ(Printed("L=   123.457"), c.screen);
    EXPECT_EQ(PrintBuffer(), c.buffer ? std::string(15, ' ') + "L=    123.457\r\n" : "");
  }
}

}  // namespace
