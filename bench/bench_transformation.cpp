// The continuous normal transformation with "U" over a full job: 9999 points
// selected at once ("H"), each carried into the other frame and written back
// over itself with its report line, through the command itself.
#include <benchmark/benchmark.h>
#include <stdlib.h>

#include <filesystem>
#include <string>

#include "cogo/normal_transformation.h"
#include "core/app.h"
#include "files/result.h"
#include "full_job.h"
#include "runtime/events.h"

namespace {

struct DataFolder {
  DataFolder() {
    char name[] = "/tmp/bench_transformation.XXXXXX";
    path = mkdtemp(name);
  }
  ~DataFolder() { std::filesystem::remove_all(path); }
  std::string path;
};

void BM_ContinuousInPlaceFullJob(benchmark::State& state) {
  App app;
  DataFolder folder;
  app.shell.DataFolder = folder.path + "/";
  app.shell.PlaySoundPrefix = " play /media/";
  FillJob(app);
  for (auto _ : state) {
    state.PauseTiming();
    ResetPrintBuffer(app);
    app.points.NewPointCount = 0;
    app.job.SubmenuChoice = 1;
    // The frame turned by the base T.1 -> T.2 onto T.1 -> T.3; continuous, "U",
    // every point ("H"), then END.
    rt::LoadScript("T.1\nT.2\nT.1\nT.3\n\n1\nU\nH\n\n\n");
    state.ResumeTiming();
    benchmark::DoNotOptimize(NormalTransformation(app));
  }
  state.SetItemsProcessed(state.iterations() * core::kPointCapacity);
  // The points the last run wrote back: all of the job.
  state.counters["rewritten"] = app.points.NewPointCount;
}
BENCHMARK(BM_ContinuousInPlaceFullJob)->Unit(benchmark::kMillisecond);

}  // namespace
