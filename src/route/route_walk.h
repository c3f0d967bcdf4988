// The route walk as a pure function: from the start point through the IPs to
// the end point, every station and main point in chainage order with its
// element state, the connection-line vertices and the report steps between
// them. Nothing is registered or written here; the route computation checks
// the result first and then carries it out in order.
#pragma once

#include <string>
#include <vector>

#include "route/curve_elements.h"

namespace route {

struct RouteNode {
  double x = 0, y = 0;
  int number = 0;    // point number
  std::string name;  // point name
  double r = 0, a1 = 0, a2 = 0;  // the IP's curve (IPs only)
};

struct RouteInput {
  std::vector<RouteNode> nodes;  // start, IP 1..n, end (at least one IP)
  double startChainage = 0;
  double step = 20;
  double firstIpNumber = 1;
  Rounding rounding;
};

// The state of the element a point lies on, as the width stakes read it.
struct ElementState {
  int kind = 1;  // 1 straight, 2 arc, 3 entry clothoid, 4 exit clothoid
  double elementDirection = 0;  // straight: its direction; arc: centre to the arc's start
  double straightOriginX = 0, straightOriginY = 0;
  double distanceAlong = 0;
  double stationChainage = 0;
  double centreX = 0, centreY = 0, radius = 0;
  double sweptAngle = 0;  // signed (negative on a right turn)
  double includedAngle = 0;  // dd.mmss at the IP
  double intersectionAngle = 0, centralAngle = 0, arcLength = 0, arcStartChainage = 0;
  double a1 = 0, a2 = 0;
  double clothoidParameter = 0, clothoidOriginX = 0, clothoidOriginY = 0, clothoidBase = 0;
  double clothoidLength = 0, clothoidTangent = 0;
  double exitStart = 0, exitEnd = 0;
};

struct WalkPoint {
  std::string name;       // as registered: NO.5, BC.3, SP.3, IP.3, KA3-1, the end point's own
  bool station = false;   // a station (the end point included), named from its number
  double chainage = 0;    // unrounded
  double reported = 0;    // ProfileChainage: the station's own, a main point's rounded sum
  double x = 0, y = 0;
  bool registered = true;  // false: BC, EC of an angle point; a KA on its KE
  ElementState element;
};

struct WalkVertex {
  enum Ref { Current, CurveFirst, Node } ref = Current;
  int node = 0;  // with Ref Node: the index into RouteInput::nodes
  int type = 6;
  std::string arc;
  bool remember = false;  // this vertex's point becomes the curve's first
};

// The head of an IP's report block: what ShowCurveElements or
// ShowCircleElements get, and the lines after them.
struct CurveHead {
  int node = 0;  // the IP
  double ipNumber = 0;
  bool simple = true;
  double includedAngle = 0;  // dd.mmss
  double intersectionAngle = 0;
  double r = 0, a1 = 0, a2 = 0;
  double directionIn = 0, directionOut = 0;
  double centreX = 0, centreY = 0;
  double mainBC = 0, mainSP = 0, mainEC = 0;  // rounded, simple curve
};

struct WalkEvent {
  enum Kind { Point, Vertex, Leg, Curve, ListLine, BlankLine, EndLabels } kind = Point;
  WalkPoint point;
  WalkVertex vertex;
  CurveHead curve;
  int node = 0;  // Leg: the leg from node-1... to `node`; ListLine, EndLabels: the node
  int from = 0;  // Leg: its from-node
  double backDirection = 180;  // Leg: the direction of the leg before
};

struct RouteWalk {
  bool ok = false;
  std::string message;
  std::vector<WalkEvent> events;
};

// The walk; refuses (ok false, message) a step of 0 or less, a route without
// IPs, an IP with R = 0 but A1 or A2, and a clothoid curve at a deflection of
// 0 or 180 degrees.
RouteWalk WalkRoute(const RouteInput& in);

// The included angle (dd.mmss, 0 to 360) at a point between the direction of
// the leg before and the leg after (degrees): 180 + the deflection.
double IncludedAngleOf(double backDirection, double direction);
// The direction in degrees, 0 to 360, from +X towards +Y.
double DirectionOf(double dx, double dy);

}  // namespace route
