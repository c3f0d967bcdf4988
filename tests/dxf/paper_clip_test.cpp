// The cut of a grid line to the paper after the drawing's rotation, checked
// against crossings placed first on the turned paper and rotated back.
#include "dxf/paper_clip.h"

#include <gtest/gtest.h>

#include <cmath>

#include "core/app.h"
#include "core/routines.h"
#include "dxf/state.h"

namespace {

using dxf::ClipToPaper;
using dxf::PaperClip;
using dxf::PaperLine;

constexpr double kW = 250, kH = 125;  // paper millimetres

// The point that the rotation by t degrees turns into (x, y).
PaperLine Unrotated(PaperLine turned, double t) {
  const double r = -t * M_PI / 180;
  auto back = [&](double x, double y, double& ox, double& oy) {
    ox = x * std::cos(r) - y * std::sin(r);
    oy = x * std::sin(r) + y * std::cos(r);
  };
  PaperLine line;
  back(turned.startX, turned.startY, line.startX, line.startY);
  back(turned.endX, turned.endY, line.endX, line.endY);
  return line;
}

void ExpectEnds(const PaperClip& clip, double x1, double y1, double x2, double y2) {
  EXPECT_NEAR(clip.line.startX, x1, 1e-9);
  EXPECT_NEAR(clip.line.startY, y1, 1e-9);
  EXPECT_NEAR(clip.line.endX, x2, 1e-9);
  EXPECT_NEAR(clip.line.endY, y2, 1e-9);
}

TEST(ClipToPaper, CrossingsOfTheEdgesInTheOrderLeftTopRightBottom) {
  // The grid line X = 1010 of a 1:400 drawing whose origin is X 1000: 25 mm up,
  // from five paper widths left to five right.
  PaperClip clip = ClipToPaper({-5 * kW, 25, 5 * kW, 25}, 0, kW, kH);
  EXPECT_EQ(clip.result, 2);
  EXPECT_EQ(clip.startEdge, 0);
  ExpectEnds(clip, 0, 25, kW, 25);

  // Left and top: slope 2 from (-10, 100) meets x = 0 at 120 and y = 125 at 2.5.
  clip = ClipToPaper({-10, 100, 10, 140}, 0, kW, kH);
  EXPECT_EQ(clip.result, 2);
  EXPECT_EQ(clip.startEdge, 0);
  ExpectEnds(clip, 0, 120, 2.5, kH);

  // Top and right: from (240, 130) down to (260, 110) meets y = 125 at 245 and
  // x = 250 at 120.
  clip = ClipToPaper({240, 130, 260, 110}, 0, kW, kH);
  EXPECT_EQ(clip.result, 2);
  EXPECT_EQ(clip.startEdge, 2);
  ExpectEnds(clip, 245, kH, kW, 120);

  // Left and bottom, in whichever direction the line was given.
  clip = ClipToPaper({20, -10, -10, 20}, 0, kW, kH);
  EXPECT_EQ(clip.result, 3);
  EXPECT_EQ(clip.startEdge, 0);
  ExpectEnds(clip, 0, 10, 10, 0);
}

TEST(ClipToPaper, TopAndBottomTakeTheRightEdgeForTheLabelAtTheRotationsOfTheRule) {
  struct Case {
    double rotation;
    int startEdge;
  };
  // The line that the rotation turns into the vertical x = 25 of the paper.
  for (const Case c : {Case{0, 1}, Case{30, 2}, Case{200, 1}, Case{270, 1}, Case{300, 2}}) {
    SCOPED_TRACE(c.rotation);
    const PaperClip clip = ClipToPaper(Unrotated({25, 5 * kH, 25, -5 * kH}, c.rotation), c.rotation, kW, kH);
    EXPECT_EQ(clip.result, 3);
    EXPECT_EQ(clip.startEdge, c.startEdge);
    ExpectEnds(clip, 25, kH, 25, 0);
  }
}

TEST(ClipToPaper, ALineMissingThePaperOrLyingOnItsEdgeLeavesItsEndsAsTheyCame) {
  struct Case {
    PaperLine line;
    double rotation;
  };
  // Above the paper; on its bottom and right edges (the crossings there are
  // not strictly inside an edge); turned away beyond it.
  for (const Case c : {Case{{-5 * kW, 150, 5 * kW, 150}, 0}, Case{{-5 * kW, 0, 5 * kW, 0}, 0},
                       Case{{kW, 5 * kH, kW, -5 * kH}, 0}, Case{{-5 * kW, 2000, 5 * kW, 2000}, 30.5}}) {
    const PaperLine& line = c.line;
    const PaperClip clip = ClipToPaper(line, c.rotation, kW, kH);
    EXPECT_EQ(clip.result, 0);
    ExpectEnds(clip, line.startX, line.startY, line.endX, line.endY);
  }
}

TEST(ClipLineToPaper, WorksOnTheSharedValuesWithTheRotationInDegreesMinutesSeconds) {
  App app;
  app.lines.PaperWidth = 0.25;
  app.lines.PaperHeight = 0.125;
  app.lines.DrawingRotation = 90;
  dxf::State& d = app.dxf;
  // Turned a quarter turn, the line y = -25 runs at x = 25 from top to bottom.
  d.PaperLineStartX = -5 * kH;
  d.PaperLineEndX = 5 * kH;
  d.PaperLineStartY = d.PaperLineEndY = -25;
  Call(Routines().ClipLineToPaper, app);
  EXPECT_EQ(d.ClipResult, 3);
  EXPECT_NEAR(d.PaperLineStartX, 25, 1e-9);
  EXPECT_NEAR(d.PaperLineStartY, kH, 1e-9);
  EXPECT_NEAR(d.PaperLineEndX, 25, 1e-9);
  EXPECT_NEAR(d.PaperLineEndY, 0, 1e-9);
}

}  // namespace
