// Same-point editing on a full job: every pair of the 9999 points compared by
// name, renamed and deleted as the answer 3 asks, without the packing.
#include <benchmark/benchmark.h>

#include <string>

#include "core/app.h"
#include "full_job.h"
#include "points/same_points.h"

namespace {

// The full job as it stands (every name once), or with every name twice: point
// i + 1 repeats point i's name, and every second pair also its place.
void FillNames(App& app, bool twice) {
  FillJob(app);
  if (!twice) return;
  points::Store& p = app.points;
  for (int i = 2; i <= p.PointCount; i += 2) {
    p.PointName(i) = p.PointName(i - 1);
    if (i % 4 == 0) {
      p.PointX(i) = p.PointX(i - 1);
      p.PointY(i) = p.PointY(i - 1);
      p.PointZ(i) = p.PointZ(i - 1);
    }
  }
}

void BM_EditSamePoints(benchmark::State& state) {
  App app;
  const bool twice = state.range(0) == 1;
  for (auto _ : state) {
    state.PauseTiming();
    FillNames(app, twice);
    state.ResumeTiming();
    benchmark::DoNotOptimize(points::MarkSamePoints(app, true, true));
  }
}
BENCHMARK(BM_EditSamePoints)->Arg(0)->Arg(1)->Unit(benchmark::kMillisecond);

}  // namespace
