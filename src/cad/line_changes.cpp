// A segment is taken when its start or its end (or, with both ends, each of
// them) is selected: a polyline that runs from a selected point and straight
// back to it loses both segments, not only the first.
#include "cad/line_changes.h"

#include <vector>

#include "cad/state.h"
#include "core/app.h"
#include "runtime/numtext.h"

namespace {

constexpr int kBothEnds = 1;
constexpr int kEitherEnd = 2;
constexpr int kChangeLayer = 5;
constexpr int kDelete = 6;

bool IsSelected(const std::vector<bool>& selected, int n) {
  return n >= 0 && static_cast<size_t>(n) < selected.size() && selected[n];
}

// Whether the segment ending at vertex i is taken.
bool SegmentTaken(const cad::Lines& l, const std::vector<bool>& selected, int i, int mode,
                  bool everyLayer) {
  const auto counts = [&](int vertex) { return everyLayer || cad::LayerShown(l, l.LineLayer(vertex)); };
  const bool start = IsSelected(selected, l.LinePointNumber(i - 1));
  const bool end = IsSelected(selected, l.LinePointNumber(i));
  if (mode == kEitherEnd) return (start || end) && counts(i);
  if (mode == kBothEnds) return start && end && counts(i - 1) && counts(i);
  return false;
}

}  // namespace

namespace cad {

bool LayerShown(const Lines& lines, int layer) {
  const int entry = layer == 1 ? 0 : layer;
  return lines.LayerVisible.Contains(entry) && lines.LayerVisible(entry) == 1;
}

void ChangeLinesAtPoints(Lines& lines, const std::vector<bool>& selected, int endPointMode,
                         int choice, int layer, bool everyLayer) {
  const int count = RtWhole(lines.LineVertexCount);
  // Vertex 1 starts the table: no segment ends there.
  for (int i = 2; i <= count; ++i) {
    if (!SegmentTaken(lines, selected, i, endPointMode, everyLayer)) continue;
    if (choice == kDelete) lines.LineType(i) = 9;
    if (choice == kChangeLayer) lines.LineLayer(i) = RtInt16(layer);
  }
}

}  // namespace cad

void ApplyLineChangeToSelectedPoints(App& app) {
  cad::Lines& l = app.lines;
  const points::Store& p = app.points;
  std::vector<bool> selected(static_cast<size_t>(p.PointCapacity) + 1, false);
  for (int k = 0; k <= p.SelectionLast; ++k) {
    const int n = p.SelectionList(k);
    if (n >= 1 && n <= p.PointCapacity) selected[n] = true;
  }
  cad::ChangeLinesAtPoints(l, selected, RtWhole(l.EndPointMode), RtWhole(l.LineEditChoice),
                           RtWhole(l.ChosenLayer), l.LineChangeOnEveryLayer == 1);
  l.LineChangeOnEveryLayer = 0;
  app.input.ViewRedrawPending = 1;
}
