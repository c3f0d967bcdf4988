// The menu of command 2: its answers as a table (the kind started, the echo
// line, the navigator cell), and a negative answer.
#include "cogo/coordinate_menu.h"

#include <gtest/gtest.h>

#include "cad/connect_points.h"
#include "cogo/circle_intersections.h"
#include "cogo/corner_parallel.h"
#include "cogo/extensions.h"
#include "cogo/intersections.h"
#include "cogo/kind_fixture.h"
#include "cogo/triangles.h"
#include "core/routines.h"
#include "runtime/errors.h"
#include "runtime/numtext.h"
#include "shell/program.h"
#include "support/raised_error.h"
#include "support/u8.h"

namespace {

using CoordinateMenuTest = KindTest;

constexpr double kNoCell = -7;

TEST_F(CoordinateMenuTest, AnswersStartTheirKindsAndHighlightTheirCells) {
  const struct {
    const char* answer;
    Entry kind;  // nullptr: a kind reached through the routine table
    double column, row;
  } cases[] = {
      {"", ShowResultMenu, kNoCell, kNoCell},
      {"0", ShowResultMenu, kNoCell, kNoCell},
      {"15", ShowResultMenu, kNoCell, kNoCell},
      {"1", OneSideOneAngle, 0, 1},
      {"2.5", FootOfPerpendicular, 1.5, 1},
      {"3.2", FootOfPerpendicular, 2.2, 1},
      {"4", FourPointIntersection, 3, 1},
      {"5.1", FourPointParallel, 4.1, 1},
      {"8", ContinuousParallel, 1, 2},
      {"9", CornerCut, 2, 2},
      {"6", CircleCircleIntersection, 5, 1},
      {"7", CircleLineIntersection, 0, 2},
      {"11", CircleExtension, 3, 2},
      {"12", LineExtension, 4, 2},
      {"10", nullptr, kNoCell, kNoCell},
      {"14", nullptr, kNoCell, kNoCell},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.answer);
    app.navigator.MenuCellColumn = app.navigator.MenuCellRow = kNoCell;
    ResetPrintBuffer(app);
    const Entry next = Run(VariousCoordinateMenu, std::string(c.answer) + "\n");
    if (c.kind) {
      EXPECT_EQ(next, c.kind);
    } else {
      // Kind 10 is the open reverse traverse and kind 14 the connecting of
      // points, both of higher folders, by way of their slots.
      const Entry expected =
          std::string(c.answer) == "14" ? ConnectPoints : Routines().RunOpenReverseTraverse;
      Entry e = next;
      for (int hop = 0; hop < 3 && e != expected; ++hop) e = e(app).next;
      EXPECT_EQ(e, expected);
    }
    EXPECT_EQ(app.navigator.MenuCellColumn, c.column);
    EXPECT_EQ(app.navigator.MenuCellRow, c.row);
    EXPECT_EQ(app.job.SubmenuChoice, RtVal(c.answer));
    EXPECT_EQ(PrintBuffer(), std::string(c.answer) + "\r\n");  // the answer as typed
    EXPECT_EQ(app.output.ReportTitle, "各種座標計算");
  }
  EXPECT_TRUE(Printed(U8(u8" 1:一辺一角  2:三点二角  3:垂線の足  4:四点交点  5:四点平行")));
}

TEST_F(CoordinateMenuTest, ThirteenComesBackHereFromTheObservationLoop) {
  Run(VariousCoordinateMenu, "13\n");
  EXPECT_EQ(app.traverse.ObservationReturnMenu, 4);
  EXPECT_EQ(app.navigator.MenuCellColumn, 3);
  EXPECT_EQ(app.navigator.MenuCellRow, 3);
}

TEST_F(CoordinateMenuTest, ANegativeAnswerIsAnIllegalArgument) {
  Answers("-1\n");
  EXPECT_EQ(RaisedError([&] { VariousCoordinateMenu(app); }), kErrIllegalArgument);
  // A small negative answer rounds to 0: the result menu.
  EXPECT_EQ(Run(VariousCoordinateMenu, "-0.4\n"), ShowResultMenu);
}

}  // namespace
