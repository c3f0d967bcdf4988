// Saving and loading a full job: 9999 points with names, marks and codes in the
// point-list file, and 19998 connection-line vertices in the file beside it.
#include <benchmark/benchmark.h>
#include <stdlib.h>

#include <cstdint>
#include <filesystem>
#include <string>

#include "core/app.h"
#include "files/coordinate_file_menu.h"
#include "files/line_file.h"
#include "files/point_list.h"
#include "full_job.h"
#include "runtime/files.h"

namespace {

// A folder of its own for the job's files, removed at the end.
struct JobFolder {
  JobFolder() {
    char name[] = "/tmp/bench_job_files.XXXXXX";
    path = mkdtemp(name);
  }
  ~JobFolder() { std::filesystem::remove_all(path); }
  std::string path;
};

void PointJobAt(App& app, const JobFolder& folder) {
  app.shell.JobFolder = folder.path + "/";
  app.shell.DataFolder = folder.path + "/";
  app.settings.ZA = "FULL";
  app.job.FileExtension = ".PRN";
}

// The file menu's choice 1: every point, then the connection-line file.
void SaveJob(App& app) {
  app.job.FileMenuChoice = 1;
  app.job.SubmenuChoice = 1;
  app.job.FirstPointToSave = 1;
  app.job.FirstVertexToSave = 1;
  ChoosePointsAndOpenOutput(app);
  WriteSelectedPoints(app);
  RtClose(1);
  SaveConnectionLineFile(app);
}

// The file menu's choice 3 without its dialog: the job cleared and read anew.
void LoadJob(App& app) {
  app.job.FileMenuChoice = 3;
  ClearAllData(app);
  benchmark::DoNotOptimize(LoadCoordinateFile(app));
}

void BM_SaveFullJob(benchmark::State& state) {
  App app;
  JobFolder folder;
  PointJobAt(app, folder);
  FillJob(app);
  for (auto _ : state) SaveJob(app);
  state.counters["points"] = app.points.PointCount;
  state.counters["vertices"] = app.lines.LineVertexCount;
}
BENCHMARK(BM_SaveFullJob)->Unit(benchmark::kMillisecond);

void BM_LoadFullJob(benchmark::State& state) {
  App app;
  JobFolder folder;
  PointJobAt(app, folder);
  FillJob(app);
  SaveJob(app);
  for (auto _ : state) LoadJob(app);
  state.counters["points"] = app.points.PointCount;
  state.counters["vertices"] = app.lines.LineVertexCount;
}
BENCHMARK(BM_LoadFullJob)->Unit(benchmark::kMillisecond);

// The point-list file alone, both ways.
void BM_WritePointList(benchmark::State& state) {
  App app;
  JobFolder folder;
  PointJobAt(app, folder);
  FillJob(app);
  app.job.SubmenuChoice = 1;
  for (auto _ : state) {
    ChoosePointsAndOpenOutput(app);
    WriteSelectedPoints(app);
    RtClose(1);
  }
}
BENCHMARK(BM_WritePointList)->Unit(benchmark::kMillisecond);

void BM_ReadPointList(benchmark::State& state) {
  App app;
  JobFolder folder;
  PointJobAt(app, folder);
  FillJob(app);
  app.job.SubmenuChoice = 1;
  ChoosePointsAndOpenOutput(app);
  WriteSelectedPoints(app);
  RtClose(1);
  app.job.ConnectionFileFound = 1;
  for (auto _ : state) {
    RtOpen(1, folder.path + "/FULL.PRN", RtFileMode::Input);
    app.job.ListPointNumber = 1;
    ReadPointList(app);
  }
}
BENCHMARK(BM_ReadPointList)->Unit(benchmark::kMillisecond);

}  // namespace
