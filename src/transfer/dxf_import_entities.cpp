#include "transfer/dxf_import_entities.h"

#include <algorithm>
#include <cmath>
#include <functional>
#include <set>
#include <unordered_map>

#include "cad/line_prompts.h"
#include "cad/state.h"
#include "core/app.h"
#include "core/numeric.h"
#include "core/point_names.h"
#include "runtime/numtext.h"
#include "transfer/dxf_import_reader.h"
#include "transfer/link.h"

namespace transfer {

namespace {

// The layer of entities before any group 8, and the layer of the first
// vertex of every segment.
constexpr int kFirstLayer = 1;
// The line type of a vertex that ends no segment.
constexpr int kNoSegment = 9;
// The highest slot the entity layers are looked up in.
constexpr int kLastReadSlot = 15;

// A point of the import as its equal points are found: X, Y, Z to 4 decimals.
struct Key {
  double x, y, z;
  bool operator==(const Key&) const = default;
};
struct KeyHash {
  std::size_t operator()(const Key& k) const {
    const std::hash<double> h;
    return h(k.x) ^ (h(k.y) * 31) ^ (h(k.z) * 131);
  }
};

struct Scaled {
  double x, y, z;  // northing, easting, height in metres
};

Key KeyOf(const Scaled& p) {
  // + 0.0 makes -0 equal to 0 for the hash as it is for ==.
  return {RoundTo4Decimals(p.x) + 0.0, RoundTo4Decimals(p.y) + 0.0, RoundTo4Decimals(p.z) + 0.0};
}

bool Finite(std::initializer_list<std::optional<double>> values) {
  return std::all_of(values.begin(), values.end(), [](const std::optional<double>& v) {
    return v.has_value() && std::isfinite(*v);
  });
}

// The points this import stored, by their rounded coordinates: the first
// number stored wins, as a search in rising order would find it.
class ImportedPoints {
 public:
  ImportedPoints(App& app, PointReceiver& receiver) : app_(app), receiver_(receiver) {}

  int Find(const Scaled& p) const {
    const auto found = numbers_.find(KeyOf(p));
    return found == numbers_.end() ? 0 : found->second;
  }
  // The number of the point at `p`: an equal one of this import, else a new
  // one under RegistrationNumber with the pending name.
  int Register(const Scaled& p) {
    if (const int n = Find(p)) return n;
    transfer::State& t = app_.transfer;
    const int n = static_cast<int>(std::llround(t.RegistrationNumber));
    receiver_.Store(ReceivedPointName(t.ImportPointName), p.x, p.y, p.z, "");
    numbers_.emplace(KeyOf(p), n);
    app_.input.Answer = t.ImportPointName;
    SplitPointName(app_);
    NextPointName(app_);
    t.ImportPointName = app_.input.Answer;
    return n;
  }
  // How many new numbers `points` need.
  int NewCount(const std::vector<Scaled>& points) const {
    std::vector<Key> fresh;
    for (const Scaled& p : points) {
      if (!Find(p) && std::find(fresh.begin(), fresh.end(), KeyOf(p)) == fresh.end()) {
        fresh.push_back(KeyOf(p));
      }
    }
    return static_cast<int>(fresh.size());
  }

 private:
  App& app_;
  PointReceiver& receiver_;
  std::unordered_map<Key, int, KeyHash> numbers_;
};

bool IsReadKind(const std::string& kind) {
  return kind == "LINE" || kind == "POINT" || kind == "CIRCLE" || kind == "ARC";
}

// Records that belong to the entity before them and are no entity of their own.
bool BelongsToOwner(const std::string& kind) {
  return kind == "VERTEX" || kind == "SEQEND" || kind == "ATTRIB";
}

void CountPassedOver(DxfImportSummary& summary, const std::string& kind) {
  for (auto& [name, count] : summary.passedOver) {
    if (name == kind) {
      ++count;
      return;
    }
  }
  summary.passedOver.emplace_back(kind, 1);
}

// The entity's points as they are registered, scaled; empty when a group it
// needs is missing or no finite number.
std::vector<Scaled> PointsOf(const DxfEntity& e, double scale) {
  const double z1 = e.z1.value_or(0);
  std::vector<Scaled> points;
  if (!Finite({e.x1, e.y1, z1})) return points;
  if (e.kind == "LINE") {
    if (!Finite({e.x2, e.y2, e.z2.value_or(z1)})) return points;
    points = {{*e.y1, *e.x1, z1}, {*e.y2, *e.x2, e.z2.value_or(z1)}};
  } else if (e.kind == "ARC") {
    if (!Finite({e.radius, e.startAngle, e.endAngle})) return points;
    const ArcEnds a = DxfArcEnds(*e.y1, *e.x1, *e.radius, *e.startAngle, *e.endAngle);
    points = {{a.startX, a.startY, z1}, {a.endX, a.endY, z1}};
  } else {
    if (e.kind == "CIRCLE" && !Finite({e.radius})) return points;
    points = {{*e.y1, *e.x1, z1}};
  }
  for (Scaled& p : points) {
    p = {p.x * scale, p.y * scale, p.z * scale};
    if (!std::isfinite(p.x) || !std::isfinite(p.y) || !std::isfinite(p.z)) return {};
  }
  return points;
}

double Direction(double angle) {
  double d = 90 - angle + 360;
  if (d > 360) d -= 360;
  return d;
}

}  // namespace

int DxfLineTypeOf(std::string_view name) {
  static const std::unordered_map<std::string_view, int> kTypes = {
      {"DOT", 1},      {"DOT2", 1},      {"DOTX2", 1},     {"HIDDEN2", 2},   {"DASHED2", 2},
      {"HIDDEN", 3},   {"DASHED", 3},    {"HIDDENX2", 4},  {"DASHEDX2", 4},  {"DASHDOT", 5},
      {"BORDER", 5},   {"BORDER2", 5},   {"CENTER2", 5},   {"DASHDOT2", 5},  {"CENTER", 6},
      {"BORDERX2", 6}, {"CENTERX2", 6},  {"DASHDOTX2", 6}, {"DIVIDE", 7},    {"DIVIDE2", 7},
      {"DIVIDEX2", 8}, {"PHANTOM", 8},   {"PHANTOM2", 8},  {"PHANTOMX2", 8},
  };
  const auto found = kTypes.find(name);
  return found == kTypes.end() ? 0 : found->second;
}

std::optional<int> DxfLayerOf(double mode, double chosenLayer,
                              const std::array<std::string, 33>& slots, std::string_view name) {
  if (mode == 2) return static_cast<int>(std::llround(chosenLayer));
  for (int k = 0; k <= kLastReadSlot; ++k) {
    if (slots[k] == name) return std::max(k, kFirstLayer);
  }
  if (mode == 1) return 2;
  return std::nullopt;
}

ArcEnds DxfArcEnds(double centreX, double centreY, double r, double start, double end) {
  const double from = Direction(start);
  double to = Direction(end);
  if (to < 0) to += 360;
  return {centreX + r * CosDegrees(from), centreY + r * SinDegrees(from),
          centreX + r * CosDegrees(to), centreY + r * SinDegrees(to)};
}

std::string DxfArcText(double r, double start, double end, double scale) {
  double sweep = end - start;
  if (sweep < 0) sweep += 360;
  return RtStr(-r * scale) + (sweep > 180 ? " 1" : " 0");
}

std::string DxfCircleText(double r, double scale) { return Format9Decimals(r * scale); }

DxfImportSummary ImportDxfEntities(App& app, const DxfDrawing& drawing, PointReceiver& receiver,
                                   const std::function<void(const std::string&)>& progress) {
  transfer::State& t = app.transfer;
  cad::Lines& lines = app.lines;
  DxfImportSummary summary;
  ImportedPoints imported(app, receiver);
  const std::set<std::string> overflow(t.DxfOverflowLayers.begin(), t.DxfOverflowLayers.end());
  std::set<std::string> overflowSeen;
  int lineType = 0;
  int layer = kFirstLayer;
  for (const DxfEntity& e : drawing.entities) {
    if (!IsReadKind(e.kind)) {
      if (!BelongsToOwner(e.kind)) CountPassedOver(summary, e.kind);
      continue;
    }
    if (progress) progress(e.kind);
    std::optional<int> entityLayer = layer;
    if (e.layer) {
      entityLayer = DxfLayerOf(t.DxfReadMode, app.lines.ChosenLayer, t.DxfLayerName, *e.layer);
      const auto readSlots = t.DxfLayerName.begin() + kLastReadSlot + 1;
      const bool slotted = std::find(t.DxfLayerName.begin(), readSlots, *e.layer) != readSlots;
      if (t.DxfReadMode != 2 && !slotted && overflow.contains(*e.layer)) {
        ++summary.overflowEntities;
        overflowSeen.insert(*e.layer);
      }
    }
    if (!entityLayer) continue;
    const std::vector<Scaled> points = PointsOf(e, t.DxfImportScale);
    if (points.empty()) {
      CountPassedOver(summary, e.kind);
      continue;
    }
    if (std::llround(t.RegistrationNumber) + imported.NewCount(points) - 1 > app.points.PointCapacity) {
      summary.pointTableFull = true;
      break;
    }
    const bool segment = e.kind != "POINT";
    if (segment && lines.LineVertexCount + 2 > cad::kLineCapacity) {
      summary.lineTableFull = true;
      break;
    }
    layer = *entityLayer;
    if (e.lineType) lineType = DxfLineTypeOf(*e.lineType);
    const int first = imported.Register(points.front());
    const int last = imported.Register(points.back());
    if (!segment) continue;
    const points::Store& p = app.points;
    cad::AppendVertex(lines, first, p.PointName(first), kNoSegment, kFirstLayer);
    cad::AppendVertex(lines, last, p.PointName(last), lineType, layer);
    if (e.kind == "CIRCLE") lines.LineArc(lines.LineVertexCount) = DxfCircleText(*e.radius, t.DxfImportScale);
    if (e.kind == "ARC") {
      lines.LineArc(lines.LineVertexCount) =
          DxfArcText(*e.radius, *e.startAngle, *e.endAngle, t.DxfImportScale);
    }
  }
  summary.overflowLayers = static_cast<int>(overflowSeen.size());
  return summary;
}

}  // namespace transfer
