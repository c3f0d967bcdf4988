// The removal of repeated connection-line segments over a full line table:
// 19998 vertices in two-vertex polylines over 100 points, so that most
// segments repeat an earlier one (the pairwise walk looks at 2 x 10^8 pairs).
#include <benchmark/benchmark.h>

#include <string>

#include "cad/line_editor.h"
#include "cad/state.h"
#include "core/app.h"
#include "core/constants.h"

namespace {

void FillRepeatedPolylines(cad::Lines& l) {
  for (int k = 1; k <= cad::kLineCapacity; ++k) {
    const int polyline = (k - 1) / 2;
    const bool start = (k - 1) % 2 == 0;
    const int number = 1 + (polyline + (start ? 0 : 1)) % 100;
    l.LinePointNumber(k) = static_cast<int16_t>(number);
    l.LinePointName(k) = "T." + std::to_string(number);
    l.LineLayer(k) = static_cast<int16_t>(1 + polyline % 3);
    l.LineType(k) = static_cast<int16_t>(start ? 9 : 0);
  }
  l.LineVertexCount = cad::kLineCapacity;
}

// The worst case: 9999 segments on one layer and type, none repeating another,
// so that every pair is compared by its names.
void FillDistinctPolylines(cad::Lines& l) {
  for (int k = 1; k <= cad::kLineCapacity; ++k) {
    const int polyline = (k - 1) / 2;
    const bool start = (k - 1) % 2 == 0;
    const int number = 1 + (polyline + (start ? 0 : 1)) % core::kPointCapacity;
    l.LinePointNumber(k) = static_cast<int16_t>(number);
    l.LinePointName(k) = "T." + std::to_string(number);
    l.LineLayer(k) = 1;
    l.LineType(k) = static_cast<int16_t>(start ? 9 : 0);
  }
  l.LineVertexCount = cad::kLineCapacity;
}

void BM_RemoveRepeatedSegmentsOfAFullTable(benchmark::State& state) {
  App& app = *new App;  // the tables are large; the program keeps one App for its run
  int found = 0;
  for (auto _ : state) {
    state.PauseTiming();
    FillRepeatedPolylines(app.lines);
    state.ResumeTiming();
    found = cad::RemoveRepeatedSegments(app.lines, [](int, int, int) {});
  }
  state.counters["repeats"] = found;
  delete &app;
}
BENCHMARK(BM_RemoveRepeatedSegmentsOfAFullTable)->Unit(benchmark::kMillisecond);

void BM_NoRepeatsInAFullTable(benchmark::State& state) {
  App& app = *new App;
  FillDistinctPolylines(app.lines);
  int found = 0;
  for (auto _ : state) found = cad::RemoveRepeatedSegments(app.lines, [](int, int, int) {});
  state.counters["repeats"] = found;
  delete &app;
}
BENCHMARK(BM_NoRepeatsInAFullTable)->Unit(benchmark::kMillisecond);

}  // namespace
