// An oracle for cuts of a polygon by a straight line, independent of the
// program: the polygon clipped to the half-plane on the left of a directed line
// (Sutherland-Hodgman) and measured by the shoelace, and the offset or direction
// of the line that leaves a wanted area there, by bisection. Points are (X
// north, Y east); directions are degrees from +X towards +Y; the offset of a
// point is positive to the right of the line.
#pragma once

#include <algorithm>
#include <cmath>
#include <vector>

namespace clip_oracle {

struct P {
  double x = 0, y = 0;
};

inline double OffsetOf(P p, P base, double azimuth) {
  const double a = azimuth * 3.14159265358979323846 / 180;
  return -(p.x - base.x) * std::sin(a) + (p.y - base.y) * std::cos(a);
}

inline double Shoelace(const std::vector<P>& f) {
  double s = 0;
  for (size_t i = 0; i < f.size(); ++i) {
    const P& p = f[i];
    const P& q = f[(i + 1) % f.size()];
    s += p.x * q.y - q.x * p.y;
  }
  return std::fabs(s) / 2;
}

// The part at offsets up to `cut`, and where the boundary, followed in vertex
// order, rises through the line and falls back.
struct Clip {
  double area = 0;
  P rising, falling;
};

inline Clip ClipBelow(const std::vector<P>& poly, P base, double azimuth, double cut) {
  Clip c;
  std::vector<P> kept;
  for (size_t i = 0; i < poly.size(); ++i) {
    const P p = poly[i];
    const P q = poly[(i + 1) % poly.size()];
    const double op = OffsetOf(p, base, azimuth) - cut;
    const double oq = OffsetOf(q, base, azimuth) - cut;
    if (op <= 0) kept.push_back(p);
    if ((op <= 0) != (oq <= 0)) {
      const double t = op / (op - oq);
      const P x{p.x + t * (q.x - p.x), p.y + t * (q.y - p.y)};
      kept.push_back(x);
      (op <= 0 ? c.rising : c.falling) = x;
    }
  }
  c.area = Shoelace(kept);
  return c;
}

// The offset whose low side has `target`.
inline double OffsetFor(const std::vector<P>& poly, P base, double azimuth, double target) {
  double lo = 1e10, hi = -1e10;
  for (const P& p : poly) {
    lo = std::min(lo, OffsetOf(p, base, azimuth));
    hi = std::max(hi, OffsetOf(p, base, azimuth));
  }
  for (int k = 0; k < 200; ++k) {
    const double mid = (lo + hi) / 2;
    (ClipBelow(poly, base, azimuth, mid).area < target ? lo : hi) = mid;
  }
  return (lo + hi) / 2;
}

// The direction between `lo` and `hi` of the line through `base` whose left
// side has `target`.
inline double DirectionFor(const std::vector<P>& poly, P base, double lo, double hi, double target) {
  for (int k = 0; k < 200; ++k) {
    const double mid = (lo + hi) / 2;
    (ClipBelow(poly, base, mid, 0).area < target ? lo : hi) = mid;
  }
  return (lo + hi) / 2;
}

}  // namespace clip_oracle
