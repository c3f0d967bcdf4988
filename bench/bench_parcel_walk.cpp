// The walk over the parcel work file that runs before every land-number
// prompt, on a full job: 9999 points and a "K.D" of 2000 parcels, the parcel
// labels rebuilt and drawn, and the labels drawn alone (the view's redraw).
#include <benchmark/benchmark.h>
#include <stdlib.h>

#include <filesystem>
#include <fstream>
#include <string>

#include "area/area_menu.h"
#include "area/labels.h"
#include "area/parcel_file.h"
#include "core/app.h"
#include "full_job.h"
#include "runtime/windows.h"
#include "ui/transform.h"

namespace {

constexpr RtWindowId kView = RtWindowId::View;
constexpr int kParcels = 2000;

struct ParcelJob {
  ParcelJob() {
    char name[] = "/tmp/bench_parcel_walk.XXXXXX";
    folder = mkdtemp(name);
    app.shell.DataFolder = folder + "/";
    RtMaximizeWindow(kView);
    MeasureViewSize(app);
    FillJob(app);
    ZoomAll(app);
    area::State& a = app.area;
    area::DimensionAreaTables(a);
    // Parcels of five boundary points each, the blocks of the points' grid.
    std::ofstream kd(app.shell.DataFolder + "K.D", std::ios::binary);
    for (int k = 0; k < kParcels; ++k) {
      kd << area::ParcelHeadRecord(k + 1, std::to_string(100 + k) + "-" + std::to_string(k % 7), "1") << "\r\n";
      for (int v = 0; v < 5; ++v) {
        const int n = (k * 5 + v) % core::kPointCapacity + 1;
        kd << area::BoundaryPointRecord(n, area::StoredPointName(app.points.PointName(n))) << "\r\n";
      }
      kd << "D99,\r\n";
    }
  }
  ~ParcelJob() { std::filesystem::remove_all(folder); }
  App app;
  std::string folder;
};

void BM_ParcelWalkWithLabelRebuild(benchmark::State& state) {
  ParcelJob job;
  for (auto _ : state) {
    job.app.area.ParcelLabelsLoaded = 0;
    ReadParcelFile(job.app);
  }
  state.counters["labels"] = job.app.area.LabelCount;
}
BENCHMARK(BM_ParcelWalkWithLabelRebuild)->Unit(benchmark::kMillisecond);

void BM_ParcelWalkLabelsLoaded(benchmark::State& state) {
  ParcelJob job;
  ReadParcelFile(job.app);
  for (auto _ : state) ReadParcelFile(job.app);
}
BENCHMARK(BM_ParcelWalkLabelsLoaded)->Unit(benchmark::kMillisecond);

void BM_DrawParcelLabels(benchmark::State& state) {
  ParcelJob job;
  ReadParcelFile(job.app);
  for (auto _ : state) DrawParcelLabels(job.app);
}
BENCHMARK(BM_DrawParcelLabels)->Unit(benchmark::kMillisecond);

}  // namespace
