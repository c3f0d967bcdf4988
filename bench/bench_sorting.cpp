// The name sort of a full selection: 9999 entries of a full job, in a mixed
// order, sorted by name ascending ("A") through the sort command itself.
#include <benchmark/benchmark.h>

#include "full_job.h"
#include "points/sorting.h"
#include "runtime/events.h"

namespace {

// The selection every run starts from: each point once, in a mixed order.
void ChooseMixed(App& app) {
  points::Store& p = app.points;
  const int count = core::kPointCapacity;
  for (int k = 0; k < count; ++k) p.SelectionList(k) = static_cast<int16_t>((k * 7919) % count + 1);
  p.SelectionLast = count - 1;
}

void BM_NameSortFullSelection(benchmark::State& state) {
  App app;
  FillJob(app);
  for (auto _ : state) {
    state.PauseTiming();
    ChooseMixed(app);
    rt::LoadScript("A\n");
    state.ResumeTiming();
    SortPoints(app);
    benchmark::DoNotOptimize(app.points.SelectionList(0));
  }
  state.SetItemsProcessed(state.iterations() * core::kPointCapacity);
}
BENCHMARK(BM_NameSortFullSelection)->Unit(benchmark::kMillisecond);

}  // namespace
