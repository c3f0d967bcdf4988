// Writing and reading a full SIMA job: 9999 points and 300 parcels of six
// vertices and two triangles each in the parcel work file.
#include <benchmark/benchmark.h>
#include <stdlib.h>

#include <filesystem>
#include <string>

#include "core/app.h"
#include "core/constants.h"
#include "files/sima_file.h"
#include "full_job.h"
#include "runtime/files.h"

namespace {

constexpr int kParcels = 300;

struct JobFolder {
  JobFolder() {
    char name[] = "/tmp/bench_sima_file.XXXXXX";
    path = mkdtemp(name);
  }
  ~JobFolder() { std::filesystem::remove_all(path); }
  std::string path;
};

// The job's points, and parcels over them in "K.D" as the area commands store them.
void SimaJobAt(App& app, const JobFolder& folder) {
  app.shell.JobFolder = folder.path + "/";
  app.shell.DataFolder = folder.path + "/";
  app.settings.ZA = "FULL";
  app.job.FileExtension = ".SIM";
  FillJob(app);
  RtOpen(4, folder.path + "/" + std::string(core::kParcelWorkFileName), RtFileMode::Output);
  for (int k = 0; k < kParcels; ++k) {
    RtPrintToFile(4, "D00, " + std::to_string(k + 1) + " ," + std::to_string(100 + k) + "-1,1,");
    const int base = 1 + k * 30;
    auto vertex = [&](int n) { return " " + std::to_string(n) + " ,T." + std::to_string(n) + ","; };
    for (int v = 0; v < 6; ++v) RtPrintToFile(4, "B01," + vertex(base + v));
    RtPrintToFile(4, "E00,");
    RtPrintToFile(4, "E01," + vertex(base) + vertex(base + 1) + vertex(base + 2));
    RtPrintToFile(4, "E01," + vertex(base) + vertex(base + 2) + vertex(base + 3));
    RtPrintToFile(4, "E99,");
    RtPrintToFile(4, "D99,");
  }
  RtClose(4);
}

void WriteFull(App& app) {
  app.job.FileMenuChoice = 1;
  app.job.SubmenuChoice = 1;
  benchmark::DoNotOptimize(WriteSimaJobFiles(app));
}

void BM_WriteSimaJob(benchmark::State& state) {
  App app;
  JobFolder folder;
  SimaJobAt(app, folder);
  for (auto _ : state) WriteFull(app);
  state.counters["points"] = app.points.PointCount;
  state.counters["bytes"] = static_cast<double>(std::filesystem::file_size(folder.path + "/FULL.SIM"));
}
BENCHMARK(BM_WriteSimaJob)->Unit(benchmark::kMillisecond);

// The menu's choice 3 without its dialog: the job replaced by the file.
void BM_ReadSimaJob(benchmark::State& state) {
  App app;
  JobFolder folder;
  SimaJobAt(app, folder);
  WriteFull(app);
  for (auto _ : state) {
    app.job.FileMenuChoice = 3;
    benchmark::DoNotOptimize(ReadSimaFile(app));
  }
  state.counters["points"] = app.points.PointCount;
}
BENCHMARK(BM_ReadSimaJob)->Unit(benchmark::kMillisecond);

}  // namespace
