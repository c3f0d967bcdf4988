#include "area/division_geometry.h"

#include <algorithm>
#include <cmath>

#include "core/numeric.h"

namespace area {

namespace {

constexpr double kEpsilon = 1e-8;

double Direction(PlanePoint from, PlanePoint to) {
  const double dx = to.x - from.x;
  const double dy = to.y - from.y;
  const double a = ArcCosDegrees(dx / std::sqrt(dx * dx + dy * dy + 1e-20));
  return dy < 0 ? 360 - a : a;
}

double Distance(PlanePoint a, PlanePoint b) { return std::hypot(b.x - a.x, b.y - a.y); }

}  // namespace

FramePoint ToFrame(PlanePoint p, PlanePoint base, double azimuth) {
  const double dx = p.x - base.x;
  const double dy = p.y - base.y;
  const double c = CosDegrees(azimuth);
  const double s = SinDegrees(azimuth);
  return {dx * c + dy * s, -dx * s + dy * c};
}

PlanePoint FromFrame(FramePoint f, PlanePoint base, double azimuth) {
  const double c = CosDegrees(azimuth);
  const double s = SinDegrees(azimuth);
  return {base.x + f.along * c - f.offset * s, base.y + f.along * s + f.offset * c};
}

double SignedArea(std::span<const PlanePoint> figure) {
  const size_t n = figure.size();
  if (n < 3) return 0;
  double sum = 0;
  for (size_t k = 0; k < n; ++k) {
    const PlanePoint& before = figure[(k + n - 1) % n];
    const PlanePoint& after = figure[(k + 1) % n];
    sum += figure[k].y * (before.x - after.x);
  }
  return sum / 2;
}

Cut CutAtOffset(std::span<const DivisionVertex> vertices, PlanePoint base, double azimuth, double cut) {
  Cut result;
  const size_t n = vertices.size();
  if (n < 3) return result;
  std::vector<FramePoint> frame(n);
  for (size_t i = 0; i < n; ++i) frame[i] = ToFrame(vertices[i].p, base, azimuth);
  // Entries 0 to n, the closing copy of vertex 0 last: on ties the later entry
  // wins, so vertex 0 wins any tie it is part of.
  double low = 1e10, high = -1e10;
  size_t lowAt = 0, highAt = 0;
  for (size_t i = 0; i <= n; ++i) {
    const double o = frame[i % n].offset;
    if (o <= low) low = o, lowAt = i % n;
    if (o >= high) high = o, highAt = i % n;
  }
  if (cut <= low || cut >= high) return result;
  const int highNumber = vertices[highAt].number;
  // The walk list: n + 1 entries from the smallest-offset vertex round to it again.
  auto entry = [&](size_t k) { return (lowAt + k) % n; };
  auto crossing = [&](size_t p, size_t c) {
    const FramePoint& a = frame[p];
    const FramePoint& b = frame[c];
    return FramePoint{(cut - b.offset) * (a.along - b.along) / (a.offset - b.offset + kEpsilon) + b.along, cut};
  };
  std::vector<PlanePoint> fed;  // in frame coordinates: along as X, offset as Y
  auto feed = [&](FramePoint f) { fed.push_back({f.along, f.offset}); };
  feed(frame[entry(0)]);
  bool highPassed = false;
  size_t k = 0;
  // Below the cut, up to where the boundary rises through it.
  for (;;) {
    ++k;
    if (k > n) return result;
    const size_t c = entry(k);
    if (vertices[c].number == highNumber) highPassed = true;
    if (frame[c].offset > cut) {
      result.first = crossing(entry(k - 1), c);
      feed(result.first);
      break;
    }
    feed(frame[c]);
  }
  // Above the cut, until it falls back below after the largest-offset vertex.
  for (;;) {
    if (k > n) return result;
    const size_t c = entry(k);
    if (frame[c].offset < cut && highPassed) {
      result.second = crossing(entry(k - 1), c);
      feed(result.second);
      break;
    }
    if (vertices[c].number == highNumber) highPassed = true;
    ++k;
  }
  for (; k <= n; ++k) feed(frame[entry(k)]);
  result.area = std::fabs(SignedArea(fed));
  result.ok = true;
  return result;
}

bool MeetsTarget(double area, double target) {
  return std::floor(area * 1000) / 1000 == std::floor(target * 1000) / 1000;
}

AreaDivision DivideParallelByArea(std::span<const DivisionVertex> vertices, PlanePoint base, double azimuth,
                                  double target) {
  AreaDivision d;
  d.azimuth = azimuth;
  double lower = 1e10, upper = -1e10;
  for (const DivisionVertex& v : vertices) {
    const double o = ToFrame(v.p, base, azimuth).offset;
    lower = std::min(lower, o);
    upper = std::max(upper, o);
  }
  for (int round = 1; round <= kMaxDivisionTrials; ++round) {
    d.offset = lower + (upper - lower) / 2;
    d.cut = CutAtOffset(vertices, base, azimuth, d.offset);
    if (!d.cut.ok) return d;
    d.trials.push_back({d.offset, d.cut.area});
    if (MeetsTarget(d.cut.area, target)) {
      d.ok = true;
      return d;
    }
    if (d.cut.area < target) lower = d.offset;
    if (d.cut.area > target) upper = d.offset;
  }
  return d;
}

DirectionRange DirectionRangeOf(std::span<const DivisionVertex> vertices, PlanePoint base) {
  int southEast = 0, southWest = 0;
  for (const DivisionVertex& v : vertices) {
    const double dx = v.p.x - base.x;
    const double dy = v.p.y - base.y;
    if (dx < 0 && dy > 0) ++southEast;
    if (dx < 0 && dy < 0) ++southWest;
  }
  const bool fullCircle = southEast > 0 && southWest > 0;
  DirectionRange r{1e10, -1e10};
  for (const DivisionVertex& v : vertices) {
    const double dx = v.p.x - base.x;
    const double dy = v.p.y - base.y;
    double a = ArcCosDegrees(dx / std::sqrt(dx * dx + dy * dy + 1e-20));
    if (dy < 0) a = fullCircle ? 360 - a : -a;
    r.lower = std::min(r.lower, a);
    r.upper = std::max(r.upper, a);
  }
  return r;
}

AreaDivision DivideThroughPoint(std::span<const DivisionVertex> vertices, PlanePoint base, double target) {
  AreaDivision d;
  DirectionRange r = DirectionRangeOf(vertices, base);
  for (int round = 1; round <= kMaxDivisionTrials; ++round) {
    d.azimuth = r.lower + (r.upper - r.lower) / 2;
    d.cut = CutAtOffset(vertices, base, d.azimuth, 0);
    if (!d.cut.ok) return d;
    d.trials.push_back({d.azimuth, d.cut.area});
    if (MeetsTarget(d.cut.area, target)) {
      d.ok = true;
      return d;
    }
    if (d.cut.area < target) r.lower = d.azimuth;
    if (d.cut.area > target) r.upper = d.azimuth;
  }
  return d;
}

VertexCut DivideThroughVertex(std::span<const DivisionVertex> vertices, int baseIndex, double target) {
  VertexCut v;
  const int n = static_cast<int>(vertices.size());
  if (n < 3 || baseIndex < 0 || baseIndex >= n) return v;
  const PlanePoint b = vertices[baseIndex].p;
  std::vector<PlanePoint> fan{b, vertices[(baseIndex + 1) % n].p};
  int previous = (baseIndex + 1) % n;
  for (int k = 2; k < n; ++k) {
    const int i = (baseIndex + k) % n;
    fan.push_back(vertices[i].p);
    const double area = std::fabs(SignedArea(fan));
    if (area <= target) {
      previous = i;
      continue;
    }
    const double excess = area - target;
    const PlanePoint vi = vertices[i].p;
    const PlanePoint before = vertices[previous].p;
    const double d = Distance(vi, b);
    const double beta = Direction(vi, b);
    const double gamma = Direction(vi, before);
    const double denominator = SinDegrees(beta - gamma) * d;
    if (std::fabs(denominator) < 1e-9) return v;
    v.to = i;
    v.direction = gamma;
    v.length = std::fabs(2 * excess / denominator);
    v.p = {vi.x + v.length * CosDegrees(gamma), vi.y + v.length * SinDegrees(gamma)};
    v.ok = true;
    return v;
  }
  return v;
}

}  // namespace area
