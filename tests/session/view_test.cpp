// The dynamic view in a whole session of the program: a job's points, fitted
// with End (ZoomAll) at the main menu, are shown in the view's picture.
#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <vector>

#include "runtime/temp_folder.h"
#include "scripted/session.h"
#include "session/fixture_points.h"
#include "support/u8.h"

namespace {

using fixture_points::FixturePoint;
using fixture_points::Png;

const std::vector<FixturePoint>& kPoints = fixture_points::kFarJob;

TEST(ViewSession, EndFitsTheJobsPointsIntoTheView) {
  const TempFolder data, windows, io;
  // The menu's first question: the view as start-up left it. Then End fits
  // every point, and "ZE=" shows the menu again, which redraws the view.
  const int status =
      fixture_points::Run("!png view before.png\n{END}ZE=\n!png view after.png\n", kPoints,
                          data, windows, io);
  ASSERT_EQ(status, 0) << ReadHostFile(io / "err") << ReadHostFile(io / "out");

  constexpr int kName = 1;    // point names
  constexpr int kSymbol = 5;  // mark symbols on black
  const Png before(data / "before.png");
  ASSERT_TRUE(before.Ok());
  EXPECT_EQ(before.Count(kName), 0);
  EXPECT_EQ(before.Count(kSymbol), 0);

  const Png after(data / "after.png");
  ASSERT_TRUE(after.Ok());
  ASSERT_EQ(after.Width(), before.Width());
  const fixture_points::FittedView fit(kPoints, after);
  for (const FixturePoint& p : kPoints) {
    SCOPED_TRACE(p.name);
    const int px = fit.PixelX(p.y), py = fit.PixelY(p.x);
    // The mark symbol over the point, the name to its upper right.
    EXPECT_GT(after.Count(kSymbol, px - 8, py - 8, px + 12, py + 12), 5);
    EXPECT_GT(after.Count(kName, px, py - 10, px + 30, py + 10), 5);
  }
}

// ---- What no view can place ----

TEST(ViewSession, WhatNoViewCanPlaceIsLeftOutAndThePassesGoOn) {
  // An arc whose radius has 61 digits (its centre lies beyond any view), or a
  // search range of 10^-34 m (every other point beyond any view): the redraws
  // of the menu, of a function key, a click and a wheel turn leave out what
  // they cannot place, and the program goes on without an error.
  const std::string events = "{F8}{NOENTER}\n!wait 100\n!click view 300 300\n"
                             "!wheel view 300 300 1\nZE=\n";
  std::string hugeArc = scripted::ShippedFile("SAMPLE.SEN");
  const std::string vertex = "'    2=T2               3  8 ";
  const size_t at = hugeArc.find(vertex);
  ASSERT_NE(at, std::string::npos);
  hugeArc.insert(at + vertex.size(), "1" + std::string(60, '0') + " 0");
  struct Case {
    const char* what;
    std::string script;
    std::string lines;
  };
  const std::vector<Case> cases = {
      {"arc radius of 61 digits", events, hugeArc},
      {"search range of 1e-34 m", "12\nT1\n0." + std::string(33, '0') + "1\n" + events,
       scripted::ShippedFile("SAMPLE.SEN")},
  };
  for (const Case& c : cases) {
    const scripted::SessionResult session = scripted::Krn(
        c.script, {"./SAMPLE.PRN"},
        {{"SAMPLE.PRN", scripted::ShippedFile("SAMPLE.PRN")}, {"SAMPLE.SEN", c.lines}});
    EXPECT_EQ(session.status, 0) << c.what << "\n" << session.errors;
    EXPECT_FALSE(scripted::HasLineContaining(session, U8(u8"行でエラー")))
        << c.what << "\n" << session.transcript;
    EXPECT_TRUE(scripted::HasLineContaining(session, " ZE= 1 ")) << c.what << "\n"
                                                                 << session.transcript;
  }
}

}  // namespace
