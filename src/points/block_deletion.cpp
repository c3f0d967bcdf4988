// The packing moves points to new numbers; the connection-line table refers to
// points by number, so it is renumbered in the same pass. Otherwise a line
// would stay on the number and so join whatever point moved down onto it.
#include "points/block_deletion.h"

#include <algorithm>
#include <string>
#include <string_view>
#include <vector>

#include "cad/state.h"
#include "core/app.h"
#include "core/point_names.h"
#include "core/routines.h"
#include "core/sound.h"
#include "points/selection.h"
#include "runtime/numtext.h"

namespace {

constexpr std::string_view kDeletedMark = "NULL";
constexpr int kEitherEnd = 2;
constexpr int kDeleteSegments = 6;

// The number a vertex refers to after the packing: its new number, 0 for a
// deleted point, and the number itself beyond the packed range.
int VertexNumberAfterPacking(const std::vector<int>& packed, int n) {
  if (n < 1 || static_cast<size_t>(n) >= packed.size()) return n;
  return packed[n];
}

void ClearVertex(cad::Lines& l, int i) {
  l.LinePointName(i) = "";
  l.LinePointNumber(i) = 0;
  l.LineType(i) = 0;
  l.LineLayer(i) = 0;
  l.LineArc(i) = "";
}

void MoveVertex(cad::Lines& l, int from, int to) {
  if (from == to) return;
  l.LinePointName(to) = l.LinePointName(from);
  l.LinePointNumber(to) = l.LinePointNumber(from);
  l.LineType(to) = l.LineType(from);
  l.LineLayer(to) = l.LineLayer(from);
  l.LineArc(to) = l.LineArc(from);
}

// The vertices counted below a mark (the loaded vertices, those of the command's
// start) that stay: the mark moves down with the vertices removed under it.
double CountKeptUpTo(const std::vector<int>& keptBefore, double mark) {
  const int m = RtWhole(mark);
  if (m < 1) return mark;
  if (static_cast<size_t>(m) >= keptBefore.size()) return keptBefore.back();
  return keptBefore[m];
}

// Gives every vertex its point's new number and removes the vertices of
// deleted points. A segment that starts at a removed vertex goes with it (type
// 9 at the vertex after it), so no new segment joins its neighbours.
void RenumberLineVertices(cad::Lines& l, const std::vector<int>& packed) {
  const int count = RtWhole(l.LineVertexCount);
  std::vector<int> keptUpTo(static_cast<size_t>(count) + 1, 0);
  int kept = 0;
  for (int i = 1; i <= count; ++i) {
    const int n = VertexNumberAfterPacking(packed, l.LinePointNumber(i));
    if (n == 0 && l.LinePointNumber(i) != 0) {
      if (i < count) l.LineType(i + 1) = 9;
    } else {
      ++kept;
      MoveVertex(l, i, kept);
      l.LinePointNumber(kept) = static_cast<int16_t>(n);
    }
    keptUpTo[i] = kept;
  }
  for (int i = kept + 1; i <= count; ++i) ClearVertex(l, i);
  l.LoadedVertexCount = CountKeptUpTo(keptUpTo, l.LoadedVertexCount);
  l.LineVertexCountBeforeCalc = CountKeptUpTo(keptUpTo, l.LineVertexCountBeforeCalc);
  l.LineVertexCount = kept;
}

void ResetToEmptyPoint(points::Store& p, int n) {
  p.PointName(n) = DefaultPointName(n);
  p.PointX(n) = 0;
  p.PointY(n) = 0;
  p.PointZ(n) = 0;
  p.PointAttribute(n) = "";
}

void CopyPoint(points::Store& p, int from, int to) {
  if (from == to) return;
  p.PointName(to) = p.PointName(from);
  p.PointX(to) = p.PointX(from);
  p.PointY(to) = p.PointY(from);
  p.PointZ(to) = p.PointZ(from);
  p.PointAttribute(to) = p.PointAttribute(from);
}

}  // namespace

namespace points {

std::vector<int> PackedNumbers(const std::vector<bool>& marked, int kept) {
  std::vector<int> packed(marked.size(), 0);
  for (size_t n = 1; n < marked.size(); ++n) {
    if (!marked[n]) packed[n] = ++kept;
  }
  return packed;
}

}  // namespace points

Jump DeletePointBlock(App& app) {
  points::Store& p = app.points;
  SelectPoints(app);
  if (p.SelectionLast == -1) return {EntryOf(Routines().RepeatLastCommand)};
  for (int k = 0; k <= p.SelectionLast; ++k) p.PointAttribute(p.SelectionList(k)) = kDeletedMark;
  cad::Lines& l = app.lines;
  l.EndPointMode = kEitherEnd;
  l.LineEditChoice = kDeleteSegments;
  l.LineChangeOnEveryLayer = 1;
  Call(Routines().ApplyLineChangeToSelectedPoints, app);
  // The chosen numbers are used up: after the packing they name other points.
  p.SelectionLast = -1;
  p.SelectionIndex = 0;
  p.KeptPointCount = 0;
  return {CompactDeletedPoints};
}

Jump CompactDeletedPoints(App& app) {
  points::Store& p = app.points;
  const int oldCount = RtWhole(p.PointCount);
  std::vector<bool> marked(static_cast<size_t>(oldCount) + 1, false);
  for (int n = 1; n <= oldCount; ++n) marked[n] = p.PointAttribute(n) == kDeletedMark;
  const std::vector<int> packed = points::PackedNumbers(marked, RtWhole(p.KeptPointCount));
  for (int n = 1; n <= oldCount; ++n) {
    if (packed[n] != 0) CopyPoint(p, n, packed[n]);
  }
  int kept = RtWhole(p.KeptPointCount);
  for (int n = 1; n <= oldCount; ++n) kept = std::max(kept, packed[n]);
  for (int n = kept + 1; n <= oldCount; ++n) ResetToEmptyPoint(p, n);
  p.KeptPointCount = kept;
  p.PointCount = kept;
  RenumberLineVertices(app.lines, packed);
  app.input.ViewRedrawPending = 1;
  PlaySound(app, "recycle.wav");
  return {EntryOf(Routines().RepeatLastCommand)};
}
