#include "route/route_walk.h"

#include <cmath>

#include "core/numeric.h"
#include "route/clothoid.h"
#include "runtime/numtext.h"
#include "runtime/text.h"

namespace route {

namespace {

double Sign(double x) { return x > 0 ? 1 : (x < 0 ? -1 : 0); }

std::string Trimmed(double n) { return RtTrim(RtStr(n)); }

// The walk's running state (the shared walk variables of the program).
struct Walker {
  const RouteInput& in;
  RouteWalk out;
  double step = 0;
  double stationNumber = 0, stationChainage = 0, distance = 0;
  double lastCurveEnd = -9999;
  ElementState el;

  explicit Walker(const RouteInput& input) : in(input), step(input.step) {}

  double RR(double x) const { return RoundToFactor(x, in.rounding.route); }

  void StartStationWalk(double o) {
    distance = std::floor(o / step) * step - o + step;
    stationNumber = std::floor(o / step + 1);
    stationChainage = o + distance;
  }
  void NextStation(double reference) {
    stationNumber += 1;
    distance += step;
    stationChainage = reference + distance;
  }

  void Emit(WalkEvent e) { out.events.push_back(std::move(e)); }
  void Place(const std::string& name, bool station, double chainage, double reported, GroundPoint g,
             bool registered = true) {
    WalkEvent e;
    e.kind = WalkEvent::Point;
    e.point.name = name;
    e.point.station = station;
    e.point.chainage = chainage;
    e.point.reported = reported;
    e.point.x = g.x;
    e.point.y = g.y;
    e.point.registered = registered;
    e.point.element = el;
    e.point.element.distanceAlong = distance;
    e.point.element.stationChainage = stationChainage;
    Emit(std::move(e));
  }
  void Station(GroundPoint g) {
    Place("NO." + Trimmed(stationNumber), true, stationChainage, stationChainage, g);
  }
  void Vertex(WalkVertex::Ref ref, int type, std::string arc = {}, bool remember = false, int node = 0) {
    WalkEvent e;
    e.kind = WalkEvent::Vertex;
    e.vertex.ref = ref;
    e.vertex.type = type;
    e.vertex.arc = std::move(arc);
    e.vertex.remember = remember;
    e.vertex.node = node;
    Emit(std::move(e));
  }
};

struct CurveEnd {
  double end = 0;         // EC or KA-n-2
  double nextOrigin = 0;  // EC - TL or KA-n-2 - T2
};

struct Approach {
  int ip = 0;  // node index of the IP
  double originX = 0, originY = 0, originChainage = 0;
  double legIn = 0, directionIn = 0;
  double legOut = 0, directionOut = 0;
  double included = 0;  // dd.mmss
  double ipNumber = 0;
};

// Straight stations from the straight's origin up to `limit` (inclusive or not).
void StraightStations(Walker& w, const Approach& a, double limit, bool inclusive) {
  for (;;) {
    const bool inside = inclusive ? w.stationChainage <= limit : w.stationChainage < limit;
    if (!inside) return;
    if (w.lastCurveEnd > w.stationChainage) {
      w.NextStation(a.originChainage);
      continue;
    }
    w.el.kind = 1;
    w.el.elementDirection = a.directionIn;
    w.el.straightOriginX = a.originX;
    w.el.straightOriginY = a.originY;
    w.Station(AlongOf(a.originX, a.originY, a.directionIn, w.distance));
    w.NextStation(a.originChainage);
  }
}

CurveEnd SimpleCurve(Walker& w, const Approach& a) {
  const RouteNode& ip = w.in.nodes[a.ip];
  const double ia = std::fabs(DmsToDegrees(a.included) - 180);
  const double r = ip.r;
  const CurveElementsResult e = CurveElementsOf(ia, r, 0, 0, a.included, 0, 0, w.in.rounding);
  const double tl = e.tangentLength, cl = e.arcLength, sl = e.secant;
  const double delta = DmsToDegrees(a.included);
  const double bisector = a.included >= 180 ? (360 - delta) / 2 + a.directionOut : a.directionOut - delta / 2;
  const GroundPoint centre = AlongOf(ip.x, ip.y, bisector, sl + r);
  const double bcR = w.RR(a.legIn) - w.RR(tl) + w.RR(a.originChainage);
  const double spR = w.RR(cl) / 2 + bcR;
  const double ecR = bcR + w.RR(cl);
  const double bc = a.legIn - tl + a.originChainage;
  const double sp = bc + cl / 2;
  const double ec = bc + cl;
  const std::string n = Trimmed(a.ipNumber);

  WalkEvent head;
  head.kind = WalkEvent::Curve;
  head.curve = {a.ip, a.ipNumber, true, a.included, ia, r, 0, 0, a.directionIn, a.directionOut,
                centre.x, centre.y, bcR, spR, ecR};
  w.Emit(head);

  w.el = ElementState{};
  w.el.includedAngle = a.included;
  w.el.intersectionAngle = ia;
  w.el.centralAngle = ia;
  w.el.arcLength = cl;
  w.el.radius = r;
  w.el.centreX = centre.x;
  w.el.centreY = centre.y;
  w.el.arcStartChainage = bc;
  w.StartStationWalk(a.originChainage);
  StraightStations(w, a, bc, true);

  // BC, on the straight.
  w.el.kind = 1;
  w.el.elementDirection = a.directionIn;
  w.el.straightOriginX = a.originX;
  w.el.straightOriginY = a.originY;
  const double keptDistance = w.distance;
  w.distance = bc - a.originChainage;
  w.Place("BC." + n, false, bc, bcR, AlongOf(a.originX, a.originY, a.directionIn, bc - a.originChainage), r != 0);
  w.distance = keptDistance;
  if (r != 0) {
    w.Vertex(WalkVertex::Current, 6, {}, true);
  } else {
    w.Vertex(WalkVertex::Node, 6, {}, true, a.ip);
  }

  w.el.kind = 2;
  w.distance = w.stationChainage - bc;
  w.el.elementDirection = a.directionIn + (a.included > 180 ? 270 : 90);
  const double turn = a.included > 180 ? -1 : 1;
  bool midPending = true;
  for (;;) {
    if (w.stationChainage > sp && midPending) {
      w.el.sweptAngle = turn * std::fabs(ia / 2);
      midPending = false;
      const double keptD = w.distance;
      w.distance = cl / 2;
      w.Place((r == 0 ? "IP." : "SP.") + n, false, sp, spR,
              CircleGroundOf(centre.x, centre.y, r, 0, w.el.elementDirection, w.el.sweptAngle));
      w.distance = keptD;
    }
    if (w.stationChainage > ec) break;
    w.el.sweptAngle = turn * std::fabs(ia / cl * w.distance);
    w.Station(CircleGroundOf(centre.x, centre.y, r, 0, w.el.elementDirection, w.el.sweptAngle));
    w.NextStation(bc);
  }
  // EC, handed over on the outgoing straight.
  w.el.kind = 1;
  w.el.elementDirection = a.directionOut;
  w.el.straightOriginX = ip.x;
  w.el.straightOriginY = ip.y;
  const double keptD = w.distance;
  w.distance = tl;
  w.Place("EC." + n, false, ec, ecR, AlongOf(ip.x, ip.y, a.directionOut, tl), r != 0);
  w.distance = keptD;
  if (r != 0) {
    w.Vertex(WalkVertex::Current, 6, RtStr(r * Sign(a.included - 180 + 1e-8)) + " 0");
    w.Vertex(WalkVertex::CurveFirst, 9);
    w.Vertex(WalkVertex::Node, 0, {}, false, a.ip);
    w.Vertex(WalkVertex::Current, 0);
  }
  return {ec, ec - tl};
}

CurveEnd ClothoidCurve(Walker& w, const Approach& a) {
  const RouteNode& ip = w.in.nodes[a.ip];
  const double ia = std::fabs(DmsToDegrees(a.included) - 180);
  const double r = ip.r;
  // The curve is placed from unrounded ΔR and XM (the report shows them rounded):
  // their millimetre steps would otherwise move the main points.
  Rounding exact = w.in.rounding;
  exact.distance = exact.coordinate = 0;
  const CurveElementsResult e = CurveElementsOf(ia, r, ip.a1, ip.a2, a.included, a.directionIn, a.directionOut, exact);
  const double t1 = e.tangent1, t2 = e.tangent2, l1 = e.entry.length, l2 = e.exit.length;
  const double lc = e.arcLength, theta = e.centralAngle;
  const double ka1 = a.legIn - t1 + a.originChainage;
  const double ke1 = ka1 + l1;
  const double ke2 = ke1 + lc;
  const double ka2 = ke2 + l2;
  const double ka1R = w.RR(a.legIn) - w.RR(t1) + w.RR(a.originChainage);
  const double ke1R = ka1R + w.RR(l1);
  const double ke2R = ke1R + w.RR(lc);
  const double ka2R = ke2R + w.RR(l2);
  const double side = Sign(a.included - 180 + 1e-8);
  const GroundPoint ka1Point = AlongOf(a.originX, a.originY, a.directionIn, ka1 - a.originChainage);
  const GroundPoint ka2Point = AlongOf(ip.x, ip.y, a.directionOut, t2);
  const GroundPoint ke2Point = AlongOf(ka2Point.x, ka2Point.y, e.exit.polarDirection + 180, e.exit.chord);
  const GroundPoint centre = AlongOf(ke2Point.x, ke2Point.y, a.directionOut + 90 * side + e.exit.tangent, r);
  const std::string n = Trimmed(a.ipNumber);

  WalkEvent head;
  head.kind = WalkEvent::Curve;
  head.curve = {a.ip, a.ipNumber, false, a.included, ia, r, ip.a1, ip.a2, a.directionIn, a.directionOut,
                centre.x, centre.y, 0, 0, 0};
  w.Emit(head);

  w.el = ElementState{};
  w.el.includedAngle = a.included;
  w.el.intersectionAngle = ia;
  w.el.centralAngle = theta;
  w.el.arcLength = lc;
  w.el.radius = r;
  w.el.centreX = centre.x;
  w.el.centreY = centre.y;
  w.el.arcStartChainage = ke1;
  w.el.a1 = ip.a1;
  w.el.a2 = ip.a2;
  w.el.exitStart = ke2;
  w.el.exitEnd = ka2;
  w.StartStationWalk(a.originChainage);
  StraightStations(w, a, ka1, false);

  // Entry clothoid from KA-n-1.
  w.el.kind = 3;
  w.el.clothoidParameter = ip.a1 * side;
  w.el.clothoidBase = a.directionIn;
  w.el.clothoidOriginX = ka1Point.x;
  w.el.clothoidOriginY = ka1Point.y;
  auto entryPoint = [&](double length) {
    w.el.clothoidLength = length;
    if (w.el.clothoidParameter == 0) {
      w.el.clothoidTangent = 0;
      return ka1Point;
    }
    const ClothoidPoint c = ClothoidSeriesOf(w.el.clothoidParameter, length, 0.00001);
    w.el.clothoidTangent = c.tangent;
    return ClothoidGroundOf(ka1Point.x, ka1Point.y, a.directionIn, c, 0);
  };
  {
    const double keptD = w.distance;
    w.distance = 0;
    const GroundPoint g = entryPoint(0.00001);
    w.Place("KA" + n + "-1", false, ka1, ka1R, g);
    w.distance = keptD;
  }
  w.distance = w.stationChainage - ka1;
  w.Vertex(WalkVertex::Current, 6, {}, true);
  while (w.stationChainage < ke1) {
    const GroundPoint g = entryPoint(w.distance);
    w.Station(g);
    w.Vertex(WalkVertex::Current, 6);
    w.NextStation(ka1);
  }

  // The arc from KE-n-1, about the centre found from the exit side.
  w.el.kind = 2;
  w.el.elementDirection = a.directionIn + 90 * Sign(180 - a.included + 1e-8) + e.entry.tangent;
  const double turn = a.included > 180 ? -1 : 1;
  {
    w.el.sweptAngle = 0;
    const double keptD = w.distance;
    w.distance = 0;
    w.Place("KE" + n + "-1", false, ke1, ke1R, CircleGroundOf(centre.x, centre.y, r, 0, w.el.elementDirection, 0));
    w.distance = keptD;
  }
  w.distance = w.stationChainage - ke1;
  w.Vertex(WalkVertex::Current, 6);
  while (w.stationChainage < ke2) {
    w.el.sweptAngle = turn * std::fabs(theta / lc * w.distance);
    w.Station(CircleGroundOf(centre.x, centre.y, r, 0, w.el.elementDirection, w.el.sweptAngle));
    w.NextStation(ke1);
  }

  // Exit clothoid, measured back from KA-n-2.
  w.el.kind = 4;
  w.el.clothoidParameter = ip.a2 * Sign(180 - a.included + 1e-8);
  w.el.clothoidBase = a.directionOut + 180;
  w.el.clothoidOriginX = ka2Point.x;
  w.el.clothoidOriginY = ka2Point.y;
  auto exitPoint = [&](double length) {
    w.el.clothoidLength = length;
    if (w.el.clothoidParameter == 0) {
      w.el.clothoidTangent = 0;
      return ka2Point;
    }
    const ClothoidPoint c = ClothoidSeriesOf(w.el.clothoidParameter, length, 0.00001);
    w.el.clothoidTangent = c.tangent;
    return ClothoidGroundOf(ka2Point.x, ka2Point.y, w.el.clothoidBase, c, 0);
  };
  {
    const double keptD = w.distance;
    w.distance = 0;
    const GroundPoint g = exitPoint(ka2 - ke2);
    w.Place("KE" + n + "-2", false, ke2, ke2R, g);
    w.distance = keptD;
  }
  w.distance = w.stationChainage - ke2;
  w.Vertex(WalkVertex::Current, 6, RtStr(r * side) + " 0");
  while (w.stationChainage < ka2) {
    const GroundPoint g = exitPoint((ka2 - ke2) - w.distance);
    w.Station(g);
    w.Vertex(WalkVertex::Current, 6);
    w.NextStation(ke2);
  }
  // KA-n-2, not registered when it falls on KE-n-2 (no exit clothoid).
  const bool onKe = w.el.clothoidLength == 0;
  w.el.kind = 1;
  w.el.elementDirection = a.directionOut;
  w.el.straightOriginX = ip.x;
  w.el.straightOriginY = ip.y;
  {
    const double keptD = w.distance;
    w.distance = t2;
    w.Place("KA" + n + "-2", false, ka2, ka2R, ka2Point, !onKe);
    w.distance = keptD;
  }
  w.Vertex(WalkVertex::Current, 6);
  w.Vertex(WalkVertex::CurveFirst, 9);
  w.Vertex(WalkVertex::Node, 0, {}, false, a.ip);
  w.Vertex(WalkVertex::Current, 0);
  return {ka2, ka2 - t2};
}

}  // namespace

double DirectionOf(double dx, double dy) {
  double d = std::atan2(dy, dx) * 180 / Pi;
  if (d < 0) d += 360;
  if (d >= 360) d -= 360;
  return d;
}

double IncludedAngleOf(double backDirection, double direction) {
  double angle = std::fmod(direction + 1260 - backDirection, 360);
  if (angle < 0) angle += 360;
  if (angle >= 360) angle -= 360;
  return DegreesToDms(angle);
}

RouteWalk WalkRoute(const RouteInput& in) {
  Walker w(in);
  const std::vector<RouteNode>& nodes = in.nodes;
  if (!(in.step > 0)) {
    w.out.message = " 測点間隔が 0 以下です";
    return w.out;
  }
  if (nodes.size() < 3) {
    w.out.message = " IPがありません";
    return w.out;
  }
  const int last = static_cast<int>(nodes.size()) - 1;
  std::vector<double> direction(nodes.size(), 0), length(nodes.size(), 0);
  for (int i = 0; i < last; ++i) {
    const double dx = nodes[i + 1].x - nodes[i].x, dy = nodes[i + 1].y - nodes[i].y;
    direction[i] = DirectionOf(dx, dy);
    length[i] = std::hypot(dx, dy);
  }
  for (int i = 1; i < last; ++i) {
    const RouteNode& ip = nodes[i];
    const std::string name = "IP." + Trimmed(in.firstIpNumber + i - 1) + " (" + RtTrim(ip.name) + ")";
    if (ip.r == 0 && (ip.a1 != 0 || ip.a2 != 0)) {
      w.out.message = " " + name + ": R=0 ではクロソイドを計算できません";
      return w.out;
    }
    if (ip.r < 0 && (ip.a1 != 0 || ip.a2 != 0)) {
      w.out.message = " " + name + ": R が負です";
      return w.out;
    }
    if (ip.a1 != 0 || ip.a2 != 0) {
      const double ia = std::fabs(DmsToDegrees(IncludedAngleOf(direction[i - 1], direction[i])) - 180);
      if (!(ia > 1e-9 && ia < 180 - 1e-9)) {
        w.out.message = " " + name + ": 交角 0 または 180 ではクロソイドを計算できません";
        return w.out;
      }
    }
  }

  // The start.
  {
    WalkEvent e;
    e.kind = WalkEvent::ListLine;
    e.node = 0;
    w.Emit(e);
  }
  w.Vertex(WalkVertex::Node, 9, {}, false, 0);
  double originChainage = in.startChainage - 0.0001;
  double back = 180;
  double ipNumber = in.firstIpNumber;
  CurveEnd curve;
  for (int k = 0; k < last; ++k) {
    // The leg from node k to node k + 1, reported as the walk reaches k + 1.
    WalkEvent leg;
    leg.kind = WalkEvent::Leg;
    leg.from = k;
    leg.node = k + 1;
    leg.backDirection = back;
    w.Emit(leg);
    if (k >= 1) {
      Approach a;
      a.ip = k;
      a.originX = nodes[k - 1].x;
      a.originY = nodes[k - 1].y;
      a.originChainage = originChainage;
      a.legIn = length[k - 1];
      a.directionIn = direction[k - 1];
      a.legOut = length[k];
      a.directionOut = direction[k];
      a.included = IncludedAngleOf(back, direction[k]);
      a.ipNumber = ipNumber;
      const RouteNode& ip = nodes[k];
      curve = (ip.a1 == 0 && ip.a2 == 0) ? SimpleCurve(w, a) : ClothoidCurve(w, a);
      if (k + 1 == last) break;
      originChainage = curve.nextOrigin;
      w.lastCurveEnd = curve.end;
      ipNumber += 1;
      WalkEvent blank;
      blank.kind = WalkEvent::BlankLine;
      w.Emit(blank);
    }
    back = direction[k];
    WalkEvent list;
    list.kind = WalkEvent::ListLine;
    list.node = k + 1;
    w.Emit(list);
  }

  // The last straight, from the last IP to the end point.
  const int lastIp = last - 1;
  w.Vertex(WalkVertex::Node, 6, {}, false, last);
  {
    WalkEvent labels;
    labels.kind = WalkEvent::EndLabels;
    labels.node = last;
    w.Emit(labels);
  }
  const double o = curve.nextOrigin;
  const double endChainage = o + length[lastIp];
  w.StartStationWalk(o);
  w.el = ElementState{};
  w.el.kind = 1;
  w.el.elementDirection = direction[lastIp];
  w.el.straightOriginX = nodes[lastIp].x;
  w.el.straightOriginY = nodes[lastIp].y;
  for (;;) {
    if (w.stationChainage < curve.end) {
      w.NextStation(o);
      continue;
    }
    if (w.stationChainage > endChainage) break;
    w.Station(AlongOf(nodes[lastIp].x, nodes[lastIp].y, direction[lastIp], w.distance));
    w.NextStation(o);
  }
  w.distance += endChainage - w.stationChainage;
  w.stationChainage = endChainage;
  w.Place(nodes[last].name, true, endChainage, endChainage,
          AlongOf(nodes[lastIp].x, nodes[lastIp].y, direction[lastIp], w.distance));
  {
    WalkEvent blank;
    blank.kind = WalkEvent::BlankLine;
    w.Emit(blank);
    WalkEvent list;
    list.kind = WalkEvent::ListLine;
    list.node = last;
    w.Emit(list);
  }
  w.out.ok = true;
  return w.out;
}

}  // namespace route
