// Same-point editing: renaming and deleting points that share a name.
#include "points/same_points.h"

#include <map>
#include <set>
#include <string>
#include <vector>

#include "core/app.h"
#include "points/block_deletion.h"
#include "runtime/console.h"
#include "ui/input.h"

namespace {

constexpr int kGuideQuestion = 260;
constexpr double kOnlyRename = 2;
constexpr const char* kDeleted = "NULL";

// The points of each name, as the pass changes the names. Every pair (i, j) of
// equal names is met in the order of the nested loop over i < j without
// comparing every pair: the points that bear point i's name when i's turn
// comes are exactly the j of that turn.
class NameIndex {
 public:
  NameIndex(const points::Store& p, int count) {
    for (int i = 1; i <= count; ++i) numbers_[p.PointName(i)].insert(i);
  }
  // The points above `i` that bear `name` now, in ascending order.
  std::vector<int> Above(const std::string& name, int i) const {
    const auto found = numbers_.find(name);
    if (found == numbers_.end()) return {};
    return {found->second.upper_bound(i), found->second.end()};
  }
  void Rename(int n, const std::string& from, const std::string& to) {
    numbers_[from].erase(n);
    numbers_[to].insert(n);
  }

 private:
  std::map<std::string, std::set<int>> numbers_;
};

// The line vertices of the deleted duplicates go over to the points they
// duplicate, so that the packing, which removes the vertices of deleted points,
// keeps the lines drawn through them.
void MoveVerticesToKeptPoints(App& app, const std::map<int, int>& keptFor) {
  if (keptFor.empty()) return;
  cad::Lines& lines = app.lines;
  for (int k = 1; k <= lines.LineVertexCount; ++k) {
    const auto found = keptFor.find(lines.LinePointNumber(k));
    if (found == keptFor.end()) continue;
    lines.LinePointNumber(k) = static_cast<int16_t>(found->second);
    lines.LinePointName(k) = app.points.PointName(found->second);
  }
}

bool SamePlace(const points::Store& p, int i, int j) {
  return p.PointX(i) == p.PointX(j) && p.PointY(i) == p.PointY(j) && p.PointZ(i) == p.PointZ(j);
}

}  // namespace

namespace points {

int MarkSamePoints(App& app, bool rename, bool remove) {
  Store& p = app.points;
  const int count = p.PointCount < 1 ? 0 : static_cast<int>(p.PointCount);
  NameIndex names(p, count);
  int deleted = 0;
  std::map<int, int> keptFor;  // deleted duplicate -> the point it duplicates
  for (int i = 1; i < count; ++i) {
    // Renamed points no longer bear point i's name, and a rename never gives it
    // to another point, so the points found now are exactly those of i's turn.
    const std::string name = p.PointName(i);
    for (const int j : names.Above(name, i)) {
      if (rename) {
        const std::string renamed = "*" + p.PointName(j);
        names.Rename(j, p.PointName(j), renamed);
        p.PointName(j) = renamed;
        RtPrintStr(renamed + ",", false);
      }
      if (remove && SamePlace(p, i, j) && p.PointAttribute(j) != kDeleted) {
        ++deleted;
        p.PointAttribute(j) = kDeleted;
        keptFor.emplace(j, keptFor.contains(i) ? keptFor.at(i) : i);
        RtPrintStr(p.PointName(i) + ",", false);
      }
    }
  }
  MoveVerticesToKeptPoints(app, keptFor);
  return deleted;
}

}  // namespace points

Jump EditSamePoints(App& app) {
  points::Store& p = app.points;
  RtPrintStr("1:同点削除  2:同名変更  3:１＋２ ", false);
  app.input.GuideNumber = kGuideQuestion;
  InputMenuChoice(app);
  const double v = app.input.AnswerValue;
  points::MarkSamePoints(app, v >= kOnlyRename, v != kOnlyRename);
  // The deletions were counted apart: no selection is left for the next point
  // question to take.
  p.SelectionLast = -1;
  p.SelectionIndex = 0;
  p.KeptPointCount = 0;
  return {CompactDeletedPoints};
}
