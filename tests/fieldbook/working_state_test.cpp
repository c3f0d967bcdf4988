// The working state kept while the instrument station stands in for the
// from-point, and the target height of a sight from it.
#include "fieldbook/working_state.h"

#include <gtest/gtest.h>

#include "core/app.h"
#include "runtime/events.h"

namespace {

TEST(WorkingState, TheStationStandsInAndEverythingComesBack) {
  App app;
  points::Store& p = app.points;
  traverse::State& t = app.traverse;
  cogo::State& c = app.cogo;
  c.InstrumentStationX = 100;
  c.InstrumentStationY = 200;
  c.InstrumentStationZ = 50;
  c.InstrumentOrientation = 45;
  c.SetupInstrumentHeight = 1.5;
  p.WorkPointX = 1, p.WorkPointY = 2, p.WorkPointZ = 3;
  t.IncludedAngle = 4, p.SecondLineSlope = 5, p.LegDirection = 6, p.HorizontalDistance = 7;
  p.FromPointX = 8, p.FromPointY = 9, p.FromPointZ = 10, p.DesignatedPointZ = 11, t.BackDirection = 12;
  p.SecondLineEndX = 13, p.SecondLineEndY = 14, p.FirstLineStartY = 15;
  t.TargetHeight = 1.8;

  SaveWorkingState(app);
  EXPECT_EQ(p.FromPointX, 100);
  EXPECT_EQ(p.FromPointY, 200);
  EXPECT_EQ(p.FromPointZ, 50);
  EXPECT_EQ(t.BackDirection, 45);
  EXPECT_EQ(p.LegDirection, 45);
  EXPECT_EQ(t.TargetHeight, 1.5);
  EXPECT_EQ(p.DesignatedPointZ, 3);  // the work point's height
  EXPECT_EQ(p.WorkPointX, 1);        // the work point stays

  p.WorkPointX = p.WorkPointY = p.WorkPointZ = -1;
  t.IncludedAngle = p.SecondLineSlope = p.HorizontalDistance = p.SecondLineEndX = p.SecondLineEndY = -1;
  p.FirstLineStartY = -1;
  t.TargetHeight = 2;
  RestoreWorkingState(app);
  const double kept[] = {p.WorkPointX,      p.WorkPointY,          p.WorkPointZ,         t.IncludedAngle,
                         p.SecondLineSlope, p.LegDirection, p.HorizontalDistance, p.FromPointX,
                         p.FromPointY,      p.FromPointZ,          p.DesignatedPointZ,   t.BackDirection,
                         p.SecondLineEndX,  p.SecondLineEndY,      p.FirstLineStartY};
  for (int i = 0; i < 15; ++i) EXPECT_EQ(kept[i], i + 1) << i;
  EXPECT_EQ(t.TargetHeight, 1.5);  // the set-up's, not the one before
}

TEST(WorkingState, ANestedSaveRestoresItsOwnCopyAndTheOuterOneStays) {
  App app;
  points::Store& p = app.points;
  p.WorkPointX = 1;  // the outer report's design point
  SaveWorkingState(app);
  p.WorkPointX = 2;  // a point registered inside it, reported on its own
  SaveWorkingState(app);
  p.WorkPointX = 3;
  RestoreWorkingState(app);
  EXPECT_EQ(p.WorkPointX, 2);
  RestoreWorkingState(app);
  EXPECT_EQ(p.WorkPointX, 1);
  p.WorkPointX = 4;
  RestoreWorkingState(app);  // nothing left to put back
  EXPECT_EQ(p.WorkPointX, 4);
}

TEST(InputTargetHeight, AskedOnlyWithAnInstrumentHeight) {
  App app;
  app.traverse.TargetHeight = 1.2;
  rt::LoadScript("2\n");
  InputTargetHeight(app);  // no instrument height: nothing asked
  EXPECT_EQ(app.traverse.TargetHeight, 1.2);
  app.cogo.SetupInstrumentHeight = 1.5;
  InputTargetHeight(app);
  EXPECT_EQ(app.traverse.TargetHeight, 2);
  rt::LoadScript("\n");
  InputTargetHeight(app);  // Enter keeps it
  EXPECT_EQ(app.traverse.TargetHeight, 2);
}

}  // namespace
