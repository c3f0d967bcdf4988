// The section on the dynamic view, recorded call by call and checked against
// positions worked out with the view transform and the profile plane in the
// test: a ground point (X, Y) at ((Y - oy) / vs, vh - (X - ox) / (vs r)), a
// plane point (Y, R) at ((Y - oy) / vs, vh - (R - ox / r) / vs), n paper mm as
// n x H / 1000 metres.
#include "profile/drawing.h"

#include <gtest/gtest.h>

#include <cmath>
#include <cstdio>
#include <string>
#include <vector>

#include "core/app.h"
#include "profile/item_names.h"

namespace {

class Recorder : public profile::ViewCanvas {
 public:
  void Line(double x1, double y1, double x2, double y2, int colour) override {
    calls.push_back(Format("L %.6f %.6f %.6f %.6f %d", x1, y1, x2, y2, colour));
  }
  void Symbol(double x, double y, const std::string& text, double size, int quarterTurns,
              int colour) override {
    calls.push_back(Format("T %.6f %.6f ", x, y) + text + Format(" %g %d %d", size, quarterTurns, colour));
  }
  void LineStyle(int style) override { calls.push_back(Format("S %d", style)); }
  void Colour(int colour) override { calls.push_back(Format("C %d", colour)); }
  void PrintLine(const std::string& text) override { calls.push_back("P" + text); }

  template <typename... A>
  static std::string Format(const char* format, A... values) {
    char text[160];
    std::snprintf(text, sizeof text, format, values...);
    return text;
  }
  std::vector<std::string> calls;
};

// A small section: scales 1:1000 across and 1:100 up (ratio 0.1), DL 5 m,
// scale top 12 m, chainages 0 to 40 m, two table rows; the view at 0.1 m a
// unit (10 units per paper mm, text size 3) with its origin at (0, 0) and a
// height of 1000 units.
class ProfileViewTest : public ::testing::Test {
 protected:
  void SetUp() override {
    SetProfileItemNames(app);
    profile::State& s = app.profile;
    s.ProfileMode = 1;
    s.ProfileHorizontalScale = 1000;
    s.ProfileVerticalScale = 100;
    s.ProfileDatumLevel = 5;
    s.ProfileScaleTop = 12;
    s.ProfileStartChainage = 0;
    s.ProfileEndChainage = 40;
    s.ProfileStartMargin = 20;
    s.ProfileEndMargin = 20;
    s.ProfileDatumGap = 5;
    s.ProfileRowSpacing = 1;
    s.ProfileLastRow = 1;
    s.ProfileRowItem(0) = 4;
    s.ProfileRowHeight(0) = 15;
    s.ProfileRowItem(1) = 3;
    s.ProfileRowHeight(1) = 12;
    s.ProfileItemDigits(3) = 2;
    s.ProfileItemDigits(4) = 2;
    s.ProfileFlagNumbers = 1;
    ui::ViewState& v = app.view;
    v.ViewScale = 0.1;
    v.ViewOriginX = 0;
    v.ViewOriginY = 0;
    v.ViewHeight = 1000;
    v.VerticalRatio = 0.1;
    app.route.StationInterval = 20;
  }
  void Point(int i, double height, double chainage, const std::string& attribute) {
    app.points.PointX(i) = height;
    app.points.PointY(i) = chainage;
    app.points.PointAttribute(i) = attribute;
    app.points.PointCount = std::max<double>(app.points.PointCount, i);
  }
  std::vector<std::string> Draw() {
    Recorder r;
    profile::DrawProfileViewOn(app, r);
    return r.calls;
  }
  std::vector<std::string> Only(char kind) {
    std::vector<std::string> some;
    for (const std::string& c : Draw()) {
      if (c[0] == kind) some.push_back(c);
    }
    return some;
  }

  // The expected calls, from the formulas above.
  double Vx(double chainage) const { return (chainage - app.view.ViewOriginY) / app.view.ViewScale; }
  double Plane(double reduced) const {
    const ui::ViewState& v = app.view;
    return v.ViewHeight - (reduced - v.ViewOriginX / v.VerticalRatio) / v.ViewScale;
  }
  double Ground(double height) const {
    const ui::ViewState& v = app.view;
    return v.ViewHeight - (height - v.ViewOriginX) / (v.ViewScale * v.VerticalRatio);
  }
  std::string PlaneLine(double y1, double r1, double y2, double r2) const {
    return Recorder::Format("L %.6f %.6f %.6f %.6f 8", Vx(y1), Plane(r1), Vx(y2), Plane(r2));
  }
  std::string GroundLine(double y1, double x1, double y2, double x2, int colour) const {
    return Recorder::Format("L %.6f %.6f %.6f %.6f %d", Vx(y1), Ground(x1), Vx(y2), Ground(x2), colour);
  }
  std::string Text(double y, double r, const std::string& text, int turns = 0) const {
    return Recorder::Format("T %.6f %.6f ", Vx(y), Plane(r)) + text + Recorder::Format(" 3 %d 8", turns);
  }
  std::string Label(double y, double r, const std::string& text) const {
    return Recorder::Format("T %.6f %.6f ", Vx(y) - 240, Plane(r) - 61) + text + " 3 0 8";
  }

  App app;
};

TEST_F(ProfileViewTest, FiveStationsTwoFlagsAndAGradeLine) {
  Point(1, 8, 0, "95");
  Point(2, 9, 10, "97");
  Point(3, 10, 20, "95");
  Point(4, 7.5, 40, "95");
  Point(5, 9.5, 50, "95");   // beyond the window: no vertical
  Point(6, 10, 25, "92KOU");
  Point(7, 12, 30, "92");    // 5 mm from point 6: point 6 is stacked on it
  const double table[] = {0, 8, 0, 20, 11, 10, 40, 9, 9999};
  for (int k = 0; k < 9; ++k) app.route.VerticalTable(k) = table[k];

  // L = 0 - 20 - 30, E = 40 + 20, N = L + 30 - 1, V = L + 30; the datum at 5 / 0.1.
  const double L = -50, E = 60, N = -21, V = -20, rdl = 50;
  std::vector<std::string> want = {"S 0"};
  for (auto [y, x] : {std::pair{0.0, 8.0}, {10.0, 9.0}, {20.0, 10.0}, {40.0, 7.5}}) {
    want.push_back(GroundLine(y, x, y, 5, 8));
  }
  want.push_back(PlaneLine(L, rdl, E, rdl));
  want.push_back(Label(L + 100, rdl, "DL=5.00"));
  double top = rdl - 5;
  for (auto [height, name] : {std::pair{15.0, "地盤高"}, {12.0, "追加距離"}}) {
    const double bottom = top - height;
    for (double at : {top, bottom}) {
      want.push_back(PlaneLine(L, at, N, at));
      want.push_back(PlaneLine(V, at, E, at));
    }
    for (double at : {L, N, V, E}) want.push_back(PlaneLine(at, bottom, at, top));
    want.push_back(Text(L + 2, bottom + height / 2 + 3, name));
    top = bottom - 1;
  }
  for (int h = 6; h <= 12; ++h) {
    const double r = h / 0.1;
    want.push_back(PlaneLine(N, r, N - (h == 10 ? 15 : 5), r));
    if (h == 10) want.push_back(Label(N - 15, r, "10.00"));
  }
  want.push_back(PlaneLine(N, rdl, N, 120));
  want.push_back(PlaneLine(L - 5, rdl + 10, L + 10, rdl + 10));
  want.push_back(Text(L - 2, rdl + 6.5, "1:1000"));
  want.push_back(PlaneLine(L + 10, rdl + 30, L + 10, rdl + 10));
  want.push_back(Text(L + 13, rdl + 13, "1:100", 1));
  want.push_back(PlaneLine(L + 10, rdl + 30, L - 5, rdl + 10));
  const double across = 20 * std::cos(20 * M_PI / 180), up = 20 * std::sin(20 * M_PI / 180);
  // Point 7 first: foot 12 / 0.1 + 50, top 50 higher, text 3 s mm above.
  want.push_back(PlaneLine(30, 170, 30, 220));
  want.push_back(PlaneLine(30 + across, 220 + up, 30, 220));
  want.push_back(Text(30, 229, "NO.1+10.00  "));
  // Point 6: its top 5 mm above point 7's text.
  want.push_back(PlaneLine(25, 150, 25, 234));
  want.push_back(PlaneLine(25 + across, 234 + up, 25, 234));
  want.push_back(Text(25, 243, "NO.1+5.00  KOU"));
  want.push_back("S 0");
  want.push_back(GroundLine(0, 8, 20, 11, 7));
  want.push_back("C 2");
  want.push_back("P 1 ");
  want.push_back(GroundLine(20, 11, 40, 9, 7));
  want.push_back("C 2");
  want.push_back("P 2 ");
  EXPECT_EQ(Draw(), want);
  EXPECT_EQ(app.profile.ProfileTickFactor, double(0.2f));
}

TEST_F(ProfileViewTest, FlagTexts) {
  app.profile.ProfileScaleTop = 0;
  struct Case {
    double chainage;
    double flagNumbers;
    double interval;
    const char* text;
  };
  const Case cases[] = {{65, 1, 20, "NO.3+5.00  K1"}, {60, 1, 20, "NO.3K1"}, {-5, 1, 20, "NO.-1+15.00  K1"},
                        {65, 0, 20, "K1"}, {30, 1, 0, "NO.1+10.00  K1"}};
  for (const Case& c : cases) {
    SCOPED_TRACE(c.text);
    Point(1, 10, c.chainage, "92K1");
    app.profile.ProfileFlagNumbers = c.flagNumbers;
    app.route.StationInterval = c.interval;
    const std::vector<std::string> texts = Only('T');
    ASSERT_FALSE(texts.empty());
    EXPECT_NE(texts.back().find(std::string(" ") + c.text + " 3 0 8"), std::string::npos) << texts.back();
  }
  EXPECT_EQ(app.route.StationInterval, 20);  // 0 became 20 and stays
}

TEST_F(ProfileViewTest, HeightScaleTicks) {
  // Long ticks are 15 mm (150 units here), short ones 5 mm.
  auto count = [](const std::vector<std::string>& lines, double length) {
    int n = 0;
    for (const std::string& l : lines) {
      double x1, y1, x2, y2;
      std::sscanf(l.c_str(), "L %lf %lf %lf %lf", &x1, &y1, &x2, &y2);
      n += y1 == y2 && std::fabs(x1 - x2 - length) < 1e-5;
    }
    return n;
  };
  struct Case {
    const char* what;
    double datum, top, viewScale, tz;
    int longTicks, shortTicks;
  };
  const Case cases[] = {
      {"5 m steps", 100, 120, 0.1, 1000, 4, 16},
      {"a datum of 12.5 m has no whole 5 m", 12.5, 30, 0.1, 1000, 0, 18},
      {"view scale x ratio of 400 or more: 10 m, all long", 90, 140, 4000, 1000, 5, 0},
      {"TZ 1: three long ticks every 5 m", 100, 110, 0.1, 1, 6, 4},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    app.profile.ProfileDatumLevel = c.datum;
    app.profile.ProfileScaleTop = c.top;
    app.view.ViewScale = c.viewScale;
    app.settings.TZ = c.tz;
    const double unitsPerMm = 1 / c.viewScale;
    const std::vector<std::string> lines = Only('L');
    EXPECT_EQ(count(lines, 15 * unitsPerMm), c.longTicks);
    EXPECT_EQ(count(lines, 5 * unitsPerMm), c.shortTicks);
  }
}

TEST_F(ProfileViewTest, AScaleTopFarAboveTheDatumEndsTheTicks) {
  // A typed top of 1E+9 m would tick for ever (and beyond 2^53 m, h + 1 is h).
  for (double datum : {0.0, 1e17}) {
    SCOPED_TRACE(datum);
    app.profile.ProfileDatumLevel = datum;
    app.profile.ProfileScaleTop = 1e18;
    EXPECT_LT(Only('L').size(), 10100u);
  }
}

TEST_F(ProfileViewTest, TextSizeAndWhenTextsAreLeftOut) {
  EXPECT_EQ(profile::ProfileTextSize(1), 1);
  EXPECT_EQ(profile::ProfileTextSize(4.99), 1);
  EXPECT_EQ(profile::ProfileTextSize(5), 2);
  EXPECT_EQ(profile::ProfileTextSize(10), 3);
  app.view.ViewScale = 1;  // one unit a millimetre: still texts
  EXPECT_FALSE(Only('T').empty());
  EXPECT_NE(Only('T')[0].find(" 1 0 8"), std::string::npos);
  app.view.ViewScale = 1.01;  // less than one unit a millimetre: lines only
  EXPECT_TRUE(Only('T').empty());
  EXPECT_FALSE(Only('L').empty());
}

TEST_F(ProfileViewTest, NothingIsDrawnOffOrWithoutAScale) {
  Point(1, 10, 20, "95");
  app.profile.ProfileMode = 0;
  EXPECT_TRUE(Draw().empty());
  app.profile.ProfileMode = 1;
  app.view.VerticalRatio = 0;
  EXPECT_TRUE(Draw().empty());
  app.view.VerticalRatio = 0.1;
  app.profile.ProfileHorizontalScale = 0;
  EXPECT_TRUE(Draw().empty());
}

TEST_F(ProfileViewTest, GradeLineWalkStopsAtTheTableEnd) {
  // No end mark and no empty change point anywhere: the walk ends at the table's last triple.
  for (int k = 0; k <= app.route.VerticalTable.Bound(); ++k) app.route.VerticalTable(k) = k + 1;
  EXPECT_EQ(Only('P').size(), 331u);  // k = 0, 3, ... 990
  // The empty table and a first change point that is already the last: nothing.
  for (int k = 0; k <= app.route.VerticalTable.Bound(); ++k) app.route.VerticalTable(k) = 0;
  EXPECT_TRUE(Only('P').empty());
  app.route.VerticalTable(0) = 5;
  app.route.VerticalTable(2) = 9999;
  EXPECT_TRUE(Only('P').empty());
}

}  // namespace
