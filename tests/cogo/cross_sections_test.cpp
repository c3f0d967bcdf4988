// Cross sections: the conversion through its menu (base line, attributes,
// batches from a start number, the placement DH stacking by its pitch, ZD kept)
// and the placement of sections one above another.
#include "cogo/cross_sections.h"

#include <gtest/gtest.h>

#include <cmath>
#include <string>

#include "cogo/kind_fixture.h"
#include "cogo/return_to_menu.h"
#include "core/routines.h"
#include "support/u8.h"

namespace {

// Base point A, the section line east along A-E; P surveyed 3 north of it, 20
// along, at height 5; Q 4 south, 35 along, at 6.5.
class CrossSectionTest : public KindTest {
 protected:
  void SetUp() override {
    KindTest::SetUp();
    SetPoint(1, 0, 0, "KA", 2.5);
    SetPoint(2, 0, 100, "KE");
    SetPoint(3, 3, 20, "SP", 5, "17");
    SetPoint(4, -4, 35, "SQ", 6.5, "18");
    app.settings.ZD = 2;
    app.points.StationPointNumber = 1;
  }
  const Entry result_ = EntryOf(Routines().ShowResultMenu);
  // Runs the conversion from its menu until the menu's Enter.
  void Convert(const std::string& script) {
    Answers(script);
    Entry next = CrossSectionConversion;
    for (int steps = 0; next != result_ && steps < 50; ++steps) {
      try {
        next = (*next)(app).next;
      } catch (const JumpException& jump) {
        next = jump.target;
      }
    }
    EXPECT_EQ(next, result_);
  }
  void ExpectPoint(int n, double x, double y, double z, const char* name, const char* attribute) {
    const points::Store& p = app.points;
    EXPECT_NEAR(p.PointX(n), x, 1e-9) << n;
    EXPECT_NEAR(p.PointY(n), y, 1e-9) << n;
    EXPECT_NEAR(p.PointZ(n), z, 1e-9) << n;
    EXPECT_EQ(p.PointName(n), name) << n;
    EXPECT_EQ(p.PointAttribute(n), attribute) << n;
  }
};

TEST(CrossSectionPoint, AxisModes) {
  const cogo::SectionPoint plan = cogo::CrossSectionPointOf(20, -3, 5, 0, 0);
  EXPECT_EQ(plan.x, 20);
  EXPECT_EQ(plan.y, -3);
  EXPECT_EQ(plan.z, 5);
  const cogo::SectionPoint profile = cogo::CrossSectionPointOf(20, -3, 5, 1, 100);
  EXPECT_EQ(profile.x, 105);
  EXPECT_EQ(profile.y, 20);
  EXPECT_EQ(profile.z, 0);
  // Mode 2 converts as mode 0, its DH still added.
  EXPECT_EQ(cogo::CrossSectionPointOf(20, -3, 5, 2, 10).x, 30);
}

TEST_F(CrossSectionTest, PlanModeThenProfileModeWithTheirReportLines) {
  // Base line A -> E, mode 0; a batch of P and Q from 500; the menu; mode 1.
  Convert("1\nKA\nKE\n\n\n4\n0\n5\nSP\nSQ\n\n500\n\n4\n1\n\n5\nSP\n\n600\n\n\n");
  ExpectPoint(500, 20, -3, 5, "SP", "17");
  ExpectPoint(501, 35, 4, 6.5, "SQ", "18");
  ExpectPoint(600, 5, 20, 0, "SP", "17");
  // Along and offset by the dot and cross products with the direction east.
  for (int n : {3, 4}) {
    const points::Store& p = app.points;
    EXPECT_NEAR(p.PointX(500 + n - 3), p.PointY(n), 1e-9);
    EXPECT_NEAR(p.PointY(500 + n - 3), -p.PointX(n), 1e-9);
  }
  EXPECT_EQ(app.settings.ZD, 2);
  EXPECT_EQ(app.cogo.ReturnMenu, 1);
  const std::vector<std::string> lines = BufferLines();
  EXPECT_TRUE(Holds(lines, "     KA        X=      0.000  Y=      0.000")) << lines.size();
  EXPECT_TRUE(Holds(lines, "               A=   90-00-00  H=      2.500"));
  EXPECT_TRUE(Holds(lines, "     SP        L=     20.000  H=      5.000"));
  EXPECT_TRUE(Holds(lines, "_"));

}

TEST_F(CrossSectionTest, PitchStacksTheRunsAndDHIsOfferedOnceNotZero) {
  app.cogo.BaseAzimuth = 90;
  // Pitch 10; three runs of P taking the offered DH: 0 (not asked), 10, 20.
  // The new points take P's name: P is chosen by its number.
  Convert("4\n1\n10\n5\n3\n\n700\n\n5\n\n3\n\n701\n\n5\n\n3\n\n702\n\n\n");
  EXPECT_NEAR(app.points.PointX(700), 5, 1e-9);
  EXPECT_NEAR(app.points.PointX(701), 15, 1e-9);
  EXPECT_NEAR(app.points.PointX(702), 25, 1e-9);
  EXPECT_NEAR(app.cogo.SectionPlacementOffset, 30, 1e-9);
}

TEST_F(CrossSectionTest, ABatchOverPointsInUseOrBeyondTheTableIsAskedAgain) {
  app.cogo.BaseAzimuth = 90;
  // 9999 cannot take two points; 3 holds P: "N" asks again; 800 is free.
  Convert("5\nSP\nSQ\n\n9999\n3\nN\n800\n\n\n");
  ExpectPoint(800, 5, 20, 0, "SP", "17");
  ExpectPoint(801, 6.5, 35, 0, "SQ", "18");
  ExpectPoint(3, 3, 20, 5, "SP", "17");
  EXPECT_TRUE(app.points.PointName(9999).empty() || app.points.PointX(9999) == 0);
}

TEST_F(CrossSectionTest, ZDComesBackWhenAToolLeavesForTheResultMenu) {
  app.settings.ZD = 1;
  Answers("1\nQ\n");
  EXPECT_EQ(JumpTarget([&] { CrossSectionConversion(app); }), result_);
  EXPECT_EQ(app.settings.ZD, 1);
  // Every tool comes back to this menu.
  app.cogo.ReturnMenu = 1;
  EXPECT_EQ(ReturnToCallingMenu(app).next, CrossSectionConversionMenu);
}

TEST_F(CrossSectionTest, PlacementMovesEachSectionByTheGrowingDH) {
  Answers("50\n\nSP\n\n\nSQ\n\n\nKA\n\n\n\n");
  Entry next = CrossSectionPlacement;
  next = (*next)(app).next;
  EXPECT_EQ(next, result_);
  EXPECT_NEAR(app.points.PointX(3), 53, 1e-9);
  EXPECT_NEAR(app.points.PointX(4), 96, 1e-9);
  EXPECT_NEAR(app.points.PointX(1), 150, 1e-9);
  EXPECT_EQ(app.points.PointY(3), 20);
  EXPECT_EQ(app.points.PointZ(3), 5);
}

}  // namespace
