#include "profile/line_type_rows.h"

#include <algorithm>
#include <cmath>
#include <limits>
#include <map>
#include <vector>

#include "core/app.h"
#include "profile/dxf_writers.h"

namespace profile {

namespace {

constexpr int kSectionLineLayer = 14;
constexpr int kFirstKind = 16, kFirstGradientKind = 21, kLastKind = 25;
// The line type of kinds 16 to 20 (and 21 to 25).
constexpr int kLineTypeOfKind[] = {2, 4, 5, 7, 1};

struct Segment {
  int vertex;
  double low, high;  // chainages of its ends, low <= high
};

// The segments of one line type, in buckets of chainage so that a station
// looks only at the segments near it. A segment that spans many buckets waits
// in one list looked at for every station.
class TypeSegments {
 public:
  explicit TypeSegments(std::vector<Segment> all) {
    if (all.empty()) return;
    low_ = all.front().low;
    double high = all.front().high;
    for (const Segment& s : all) {
      low_ = std::min(low_, s.low);
      high = std::max(high, s.high);
    }
    const size_t count = std::min<size_t>(all.size(), kMostBuckets);
    step_ = (high - low_) / static_cast<double>(count);
    if (!(step_ > 0) || !std::isfinite(step_)) {
      wide_ = std::move(all);
      return;
    }
    buckets_.resize(count);
    for (const Segment& s : all) {
      const size_t first = Bucket(s.low), last = Bucket(s.high);
      if (last - first >= kMostBucketsOfOne) {
        wide_.push_back(s);
        continue;
      }
      for (size_t b = first; b <= last; ++b) buckets_[b].push_back(s);
    }
  }

  // The lowest vertex number among the segments holding `chainage`, 0 for none.
  int First(double chainage) const {
    int best = std::numeric_limits<int>::max();
    auto look = [&](const std::vector<Segment>& list) {
      for (const Segment& s : list) {
        if (s.vertex >= best) break;  // lists are in table order
        if (s.low <= chainage && chainage <= s.high) best = s.vertex;
      }
    };
    look(wide_);
    if (!buckets_.empty() && chainage >= low_) {
      const size_t b = Bucket(chainage);
      if (b < buckets_.size()) look(buckets_[b]);
    }
    return best == std::numeric_limits<int>::max() ? 0 : best;
  }

 private:
  static constexpr size_t kMostBuckets = 65536;
  static constexpr size_t kMostBucketsOfOne = 64;

  size_t Bucket(double chainage) const {
    const double b = std::floor((chainage - low_) / step_);
    return std::min(static_cast<size_t>(std::max(b, 0.0)), buckets_.size() - 1);
  }

  double low_ = 0, step_ = 0;
  std::vector<std::vector<Segment>> buckets_;
  std::vector<Segment> wide_;
};

}  // namespace

struct LineTypeIndex {
  std::map<int, TypeSegments> byType;
};

namespace {

TypeSegments SegmentsOfType(const App& app, int type) {
  const cad::Lines& l = app.lines;
  const points::Store& p = app.points;
  std::vector<Segment> all;
  for (int i = 1; i <= l.LineVertexCount; ++i) {
    if (l.LineLayer(i) != kSectionLineLayer || l.LineType(i) != type) continue;
    const double a = p.PointY(l.LinePointNumber(i - 1)), b = p.PointY(l.LinePointNumber(i));
    all.push_back({i, std::min(a, b), std::max(a, b)});
  }
  return TypeSegments(std::move(all));
}

LineTypeSegment SegmentAt(const App& app, int vertex, double s) {
  const cad::Lines& l = app.lines;
  const points::Store& p = app.points;
  const int a = l.LinePointNumber(vertex - 1), b = l.LinePointNumber(vertex);
  const double ya = p.PointY(a), yb = p.PointY(b), xa = p.PointX(a), xb = p.PointX(b);
  LineTypeSegment found;
  found.vertex = vertex;
  found.height = xa + (xb - xa) * (s - ya) / (yb - ya + 1e-16);
  found.level = ya == yb;
  if (!found.level) found.gradient = (xb - xa) / (yb - ya);
  return found;
}

std::optional<LineTypeSegment> IndexedSegment(SectionPlot& plot, int station) {
  if (!plot.LineTypeSegments) plot.LineTypeSegments = std::make_shared<LineTypeIndex>();
  auto& byType = plot.LineTypeSegments->byType;
  const int type = static_cast<int>(plot.WantedLineType);
  auto it = byType.find(type);
  if (it == byType.end()) it = byType.emplace(type, SegmentsOfType(plot.app, type)).first;
  const double s = plot.app.points.PointY(station);
  const int vertex = it->second.First(s);
  if (vertex == 0) return std::nullopt;
  return SegmentAt(plot.app, vertex, s);
}

}  // namespace

bool IsLineTypeRowKind(int kind) { return kind >= kFirstKind && kind <= kLastKind; }

int LineTypeOfRowKind(int kind) {
  if (!IsLineTypeRowKind(kind)) return 0;
  return kLineTypeOfKind[(kind - kFirstKind) % (kFirstGradientKind - kFirstKind)];
}

std::optional<LineTypeSegment> FindLineTypeSegment(const App& app, int type, double chainage) {
  const int vertex = SegmentsOfType(app, type).First(chainage);
  if (vertex == 0) return std::nullopt;
  return SegmentAt(app, vertex, chainage);
}

void FindLineTypeHeight(SectionPlot& plot, int station, int row) {
  plot.RowValueText.clear();
  const std::optional<LineTypeSegment> found = IndexedSegment(plot, station);
  if (!found) return;
  plot.LineHeightAtStation = found->height;
  SizeRowValue(plot, row);
  const profile::State& p = plot.app.profile;
  plot.RowValueText = RowValueTextOf(plot, found->height, p.ProfileItemDigits(p.ProfileRowItem(row)));
}

// The gradient in percent of the segment the height row would read, with the
// row's decimals; nothing where no segment stands or its ends share a chainage.
void FindLineTypeGradient(SectionPlot& plot, int station, int row) {
  plot.RowValueText.clear();
  const std::optional<LineTypeSegment> found = IndexedSegment(plot, station);
  if (!found || found->level) return;
  SizeRowValue(plot, row);
  const profile::State& p = plot.app.profile;
  plot.RowValueText = RowValueTextOf(plot, found->gradient * 100, p.ProfileItemDigits(p.ProfileRowItem(row)));
}

}  // namespace profile
