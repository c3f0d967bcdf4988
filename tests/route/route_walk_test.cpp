// The route walk against geometry built here: the hand route's main points
// and arc stations from R and the centre, chords 2R sin(Δs/2R), and a
// clothoid curve against a centre line integrated from its curvature
// (entry clothoid, arc, exit clothoid, its tangent lengths solved so that it
// ends on the outgoing tangent).
#include "route/route_walk.h"

#include <gtest/gtest.h>

#include <cmath>
#include <map>
#include <string>
#include <vector>

#include "route/clothoid.h"

namespace {

constexpr double kPi = 3.14159265358979323846;

route::RouteInput Input(std::vector<route::RouteNode> nodes, double start = 0, double step = 20) {
  route::RouteInput in;
  in.nodes = std::move(nodes);
  in.startChainage = start;
  in.step = step;
  in.firstIpNumber = 1;
  return in;
}

route::RouteNode Node(double x, double y, int number, const char* name, double r = 0, double a1 = 0,
                      double a2 = 0) {
  route::RouteNode n;
  n.x = x;
  n.y = y;
  n.number = number;
  n.name = name;
  n.r = r;
  n.a1 = a1;
  n.a2 = a2;
  return n;
}

std::vector<route::WalkPoint> PointsOf(const route::RouteWalk& w) {
  std::vector<route::WalkPoint> points;
  for (const route::WalkEvent& e : w.events) {
    if (e.kind == route::WalkEvent::Point) points.push_back(e.point);
  }
  return points;
}

std::vector<std::string> NamesOf(const std::vector<route::WalkPoint>& points, bool registeredOnly = false) {
  std::vector<std::string> names;
  for (const route::WalkPoint& p : points) {
    if (!registeredOnly || p.registered) names.push_back(p.name);
  }
  return names;
}

const route::WalkPoint& Named(const std::vector<route::WalkPoint>& points, const std::string& name) {
  for (const route::WalkPoint& p : points) {
    if (p.name == name) return p;
  }
  ADD_FAILURE() << "no point " << name;
  return points.front();
}

TEST(RouteWalk, HandRouteWithASimpleCurve) {
  // North 100 m, a right turn of 90 degrees with R 50, east 100 m.
  const route::RouteWalk w = route::WalkRoute(
      Input({Node(0, 0, 1, "S"), Node(100, 0, 2, "IP1", 50), Node(100, 100, 3, "E", 9999)}));
  ASSERT_TRUE(w.ok) << w.message;
  const std::vector<route::WalkPoint> p = PointsOf(w);
  EXPECT_EQ(NamesOf(p), (std::vector<std::string>{"NO.0", "NO.1", "NO.2", "BC.1", "NO.3", "NO.4", "SP.1", "NO.5",
                                                  "NO.6", "EC.1", "NO.7", "NO.8", "E"}));
  const route::WalkPoint& bc = Named(p, "BC.1");
  EXPECT_NEAR(bc.x, 50, 1e-6);
  EXPECT_NEAR(bc.y, 0, 1e-6);
  EXPECT_NEAR(bc.chainage, 50, 1e-3);
  EXPECT_NEAR(bc.reported, 50, 1e-9);
  const route::WalkPoint& ec = Named(p, "EC.1");
  EXPECT_NEAR(ec.x, 100, 1e-6);
  EXPECT_NEAR(ec.y, 50, 1e-6);
  EXPECT_NEAR(ec.chainage, 50 + 25 * kPi, 1e-3);
  EXPECT_NEAR(ec.element.centreX, 50, 1e-6);
  EXPECT_NEAR(ec.element.centreY, 50, 1e-6);
  const route::WalkPoint& end = p.back();
  EXPECT_NEAR(end.chainage, 178.540, 1e-3);
  EXPECT_NEAR(end.x, 100, 1e-6);
  EXPECT_NEAR(end.y, 100, 1e-6);
  // Arc stations lie R from the centre at their arc length from BC; the
  // chord of 20 m of arc is 2R sin(20 / 2R).
  for (const char* name : {"NO.3", "NO.4", "NO.5", "NO.6", "SP.1"}) {
    const route::WalkPoint& s = Named(p, name);
    EXPECT_NEAR(std::hypot(s.x - 50, s.y - 50), 50, 1e-6) << name;
    const double angle = (s.chainage - bc.chainage) / 50;  // clockwise from the direction centre → BC (270 degrees)
    EXPECT_NEAR(s.x, 50 + 50 * std::cos(1.5 * kPi + angle), 1e-6) << name;
    EXPECT_NEAR(s.y, 50 + 50 * std::sin(1.5 * kPi + angle), 1e-6) << name;
  }
  const route::WalkPoint& n3 = Named(p, "NO.3");
  const route::WalkPoint& n4 = Named(p, "NO.4");
  EXPECT_NEAR(std::hypot(n4.x - n3.x, n4.y - n3.y), 2 * 50 * std::sin(20.0 / 100), 1e-6);
  EXPECT_NEAR(2 * 50 * std::sin(20.0 / 100), 19.867, 5e-4);
  // Stations on the last straight: 20 m apart east along Y.
  EXPECT_NEAR(Named(p, "NO.7").y, 50 + (140 - ec.chainage), 1e-6);
}

// A centre line integrated from its curvature: entry clothoid from KA-1,
// arc, exit clothoid; positions at arc length s from KA-1.
struct Integrated {
  double x0, y0, heading0, side, a1, a2, r, l1, lc, l2;
  double Curvature(double s) const {
    if (s < l1) return side * s / (a1 * a1);
    if (s < l1 + lc) return side / r;
    const double rest = l1 + lc + l2 - s;
    return side * rest / (a2 * a2);
  }
  // Heading (radians) by integrating the curvature exactly piecewise.
  double Heading(double s) const {
    double h = heading0;
    const double e1 = std::min(s, l1);
    if (l1 > 0) h += side * e1 * e1 / (2 * a1 * a1);
    if (s > l1) h += side * (std::min(s, l1 + lc) - l1) / r;
    if (s > l1 + lc && l2 > 0) {
      const double u = std::min(s, l1 + lc + l2) - l1 - lc;
      h += side * (u * l2 - u * u / 2) / (a2 * a2);
    }
    return h;
  }
  std::pair<double, double> At(double s) const {
    const int n = 4000;
    const double h = s / n;
    double x = 0, y = 0;
    for (int i = 0; i <= n; ++i) {
      const double w = (i == 0 || i == n) ? 1 : (i % 2 ? 4 : 2);
      x += w * std::cos(Heading(i * h));
      y += w * std::sin(Heading(i * h));
    }
    return {x0 + x * h / 3, y0 + y * h / 3};
  }
};

void CheckClothoidCurve(double a1, double a2, bool right) {
  SCOPED_TRACE(testing::Message() << a1 << " " << a2 << (right ? " right" : " left"));
  const double r = 200, ia = 30;
  const double side = right ? 1 : -1;
  // Incoming north from (0, 0) to the IP at (400, 0); outgoing turned by IA.
  const double ipX = 400, ipY = 0;
  const double out = side * ia * kPi / 180;
  const double endX = ipX + 400 * std::cos(out), endY = ipY + 400 * std::sin(out);
  const double l1 = a1 * a1 / r, l2 = a2 * a2 / r;
  const double tau1 = l1 / (2 * r), tau2 = l2 / (2 * r);
  const double lc = r * (ia * kPi / 180 - tau1 - tau2);
  // T1 such that the integrated curve ends on the outgoing tangent.
  auto endOffset = [&](double t1) {
    const Integrated c{ipX - t1, ipY, 0, side, a1, a2, r, l1, lc, l2};
    const auto [x, y] = c.At(l1 + lc + l2);
    // Signed distance from the outgoing line through the IP.
    return -(x - ipX) * std::sin(out) + (y - ipY) * std::cos(out);
  };
  const double guess = 100;
  const double t1 = guess - endOffset(guess) / std::sin(out) * (1.0);
  const Integrated c{ipX - t1, ipY, 0, side, a1, a2, r, l1, lc, l2};
  ASSERT_NEAR(endOffset(t1), 0, 1e-6);

  const route::RouteWalk w = route::WalkRoute(
      Input({Node(0, 0, 1, "S"), Node(ipX, ipY, 2, "IP1", r, a1, a2), Node(endX, endY, 3, "E", 9999)}));
  ASSERT_TRUE(w.ok) << w.message;
  const std::vector<route::WalkPoint> p = PointsOf(w);
  const double ka1 = 400 - t1;
  int checked = 0;
  for (const route::WalkPoint& q : p) {
    const double s = q.chainage - ka1;
    if (s < 0 || s > l1 + lc + l2) continue;
    const auto [x, y] = c.At(s);
    EXPECT_NEAR(q.x, x, 1e-3) << q.name;
    EXPECT_NEAR(q.y, y, 1e-3) << q.name;
    ++checked;
  }
  EXPECT_GT(checked, 8);
  // KE-1 from both sides: on the circle found from the exit side, and at L1
  // along the integrated entry clothoid.
  const auto [kx, ky] = c.At(l1);
  const std::string n = "KE1-1";
  EXPECT_NEAR(Named(p, n).x, kx, 1e-3);
  EXPECT_NEAR(Named(p, n).y, ky, 1e-3);
  EXPECT_NEAR(Named(p, "KA1-1").chainage, ka1, 1e-3);
  EXPECT_NEAR(Named(p, "KA1-2").chainage, ka1 + l1 + lc + l2, 1e-3);
}

TEST(RouteWalk, ClothoidCurvesFollowTheIntegratedCentreLine) {
  CheckClothoidCurve(100, 80, true);
  CheckClothoidCurve(100, 80, false);
  CheckClothoidCurve(100, 100, true);
}

TEST(RouteWalk, EdgeCases) {
  const route::RouteNode start = Node(0, 0, 1, "S");
  const route::RouteNode end = Node(100, 300, 3, "E", 9999);
  {
    SCOPED_TRACE("start chainage 30: the first station NO.2 at 40");
    const auto p = PointsOf(route::WalkRoute(Input({start, Node(100, 0, 2, "IP", 50), Node(100, 100, 3, "E", 9999)}, 30)));
    EXPECT_EQ(p.front().name, "NO.2");
    EXPECT_NEAR(p.front().chainage, 40, 1e-3);
  }
  {
    SCOPED_TRACE("numbering across curves: NO.n at 20n on every element, each once");
    const auto p = PointsOf(route::WalkRoute(Input(
        {start, Node(200, 0, 2, "IP1", 100, 60, 60), Node(200, 200, 4, "IP2", 80), Node(400, 200, 3, "E", 9999)})));
    std::map<std::string, int> seen;
    for (const auto& q : p) {
      if (q.name.rfind("NO.", 0) == 0) {
        EXPECT_NEAR(q.chainage, 20 * std::stod(q.name.substr(3)), 1e-6) << q.name;
        EXPECT_EQ(++seen[q.name], 1) << q.name;
      }
    }
    for (size_t k = 1; k < p.size(); ++k) EXPECT_LE(p[k - 1].chainage, p[k].chainage + 1e-3) << p[k].name;
    EXPECT_GT(seen.size(), 20u);
  }
  {
    SCOPED_TRACE("R = 0: an angle point IP.1 at the IP, no BC or EC registered");
    const auto p = PointsOf(route::WalkRoute(Input({start, Node(100, 0, 2, "IP", 0), Node(100, 100, 3, "E", 9999)})));
    EXPECT_EQ(NamesOf(p, true), (std::vector<std::string>{"NO.0", "NO.1", "NO.2", "NO.3", "NO.4", "IP.1", "NO.5",
                                                           "NO.6", "NO.7", "NO.8", "NO.9", "E"}));
    EXPECT_NEAR(Named(p, "IP.1").x, 100, 1e-9);
    EXPECT_NEAR(Named(p, "IP.1").reported, 100, 1e-9);
    EXPECT_NEAR(p.back().reported, 200, 1e-3);
  }
  {
    SCOPED_TRACE("A1 = 0: KA and KE -1 on one point, both registered");
    const auto p = PointsOf(route::WalkRoute(Input({start, Node(300, 0, 2, "IP", 200, 0, 80), Node(300, 300, 3, "E", 9999)})));
    const auto& ka = Named(p, "KA1-1");
    const auto& ke = Named(p, "KE1-1");
    EXPECT_TRUE(ka.registered && ke.registered);
    EXPECT_NEAR(ka.x, ke.x, 1e-3);
    EXPECT_NEAR(ka.y, ke.y, 1e-3);
  }
  {
    SCOPED_TRACE("A2 = 0: KE-2 registered, KA-2 on it not");
    const auto p = PointsOf(route::WalkRoute(Input({start, Node(300, 0, 2, "IP", 200, 80, 0), Node(300, 300, 3, "E", 9999)})));
    EXPECT_TRUE(Named(p, "KE1-2").registered);
    EXPECT_FALSE(Named(p, "KA1-2").registered);
    EXPECT_NEAR(Named(p, "KA1-2").x, Named(p, "KE1-2").x, 1e-3);
  }
  {
    SCOPED_TRACE("station names keep every digit");
    const auto p = PointsOf(route::WalkRoute(Input({start, Node(100, 0, 2, "IP", 0), Node(100, 100, 3, "E", 9999)}, 246900, 20)));
    EXPECT_EQ(p.front().name, "NO.12345");
  }
  (void)end;
}

TEST(RouteWalk, Refusals) {
  const route::RouteNode start = Node(0, 0, 1, "S");
  const route::RouteNode e = Node(100, 100, 3, "E", 9999);
  const struct {
    const char* what;
    route::RouteInput in;
  } cases[] = {
      {"step 0", Input({start, Node(100, 0, 2, "IP", 50), e}, 0, 0)},
      {"negative step", Input({start, Node(100, 0, 2, "IP", 50), e}, 0, -20)},
      {"no IP", Input({start, e})},
      {"R 0 with A1", Input({start, Node(100, 0, 2, "IP", 0, 60, 0), e})},
      {"R 0 with A2", Input({start, Node(100, 0, 2, "IP", 0, 0, 60), e})},
      {"clothoid straight through", Input({start, Node(100, 0, 2, "IP", 100, 60, 60), Node(200, 0, 3, "E", 9999)})},
  };
  for (const auto& c : cases) {
    const route::RouteWalk w = route::WalkRoute(c.in);
    EXPECT_FALSE(w.ok) << c.what;
    EXPECT_FALSE(w.message.empty()) << c.what;
  }
}

}  // namespace
