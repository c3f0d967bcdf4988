// Fitting the view to every point (the End key, the datum conversion, a new
// vertical scale) runs over the whole point table of a full job.
#include <benchmark/benchmark.h>

#include <string>

#include "core/app.h"
#include "ui/transform.h"

namespace {

// A full job: every slot in use, spread over some kilometres of plane coordinates.
void FillFullJob(App& app) {
  points::Store& p = app.points;
  for (int i = 1; i <= core::kPointCapacity; ++i) {
    p.PointX(i) = -35000.0 + (i % 97) * 12.345 + i * 0.125;
    p.PointY(i) = 12000.0 + (i % 89) * 23.456 - i * 0.0625;
    p.PointName(i) = "P" + std::to_string(i);
  }
  p.PointCount = core::kPointCapacity;
  ui::ViewState& v = app.view;
  v.ViewHeight = 2000;
  v.ViewWidth = 3000;
  v.ViewHalfHeight = 1000;
  v.ViewHalfWidth = 1500;
}

void BM_ZoomAllFullJob(benchmark::State& state) {
  App app;
  FillFullJob(app);
  for (auto _ : state) {
    ZoomAll(app);
    benchmark::DoNotOptimize(app.view.ViewScale);
  }
  state.SetItemsProcessed(state.iterations() * core::kPointCapacity);
}
BENCHMARK(BM_ZoomAllFullJob)->Unit(benchmark::kMicrosecond);

}  // namespace
