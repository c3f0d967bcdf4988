// The plot run on a full job: 9999 selected points, each with its registered
// mark (or the general one), its full-width name, its elevation and its code,
// appended to a drawing with its head, as DXF menu choice 1 plots them with the
// default settings (the connection lines and the grid are left out here).
#include <benchmark/benchmark.h>

#include <stdlib.h>
#include <sys/stat.h>
#include <unistd.h>

#include <string>

#include "core/app.h"
#include "dxf/dxf_menu.h"
#include "dxf/plot_run.h"
#include "full_job.h"
#include "points/selection.h"

namespace {

long FileBytes(const std::string& path) {
  struct stat st {};
  return stat(path.c_str(), &st) == 0 ? st.st_size : 0;
}

struct PlotJob {
  PlotJob() {
    char name[] = "/tmp/bench_dxf_plot.XXXXXX";
    const int fd = mkstemp(name);
    if (fd >= 0) close(fd);
    FillJob(app);
    SelectAllPoints(app);
    // The job's square kilometre on an A1 sheet at 1:2000.
    app.lines.PaperWidth = 0.841;
    app.lines.PaperHeight = 0.594;
    app.lines.ScaleDenominator = 2000;
    app.view.PlotOriginX = -35010;
    app.view.PlotOriginY = 11990;
    app.output.ResultsPlaced = 1;
    dxf::State& d = app.dxf;
    d.DrawingPath = name;
    d.TextSize = 1.8;
    d.ElevationDecimals = 2;
    d.NameTextStart = 1;
    d.ShowCodes = 1;
    d.MarkAnswer = "10";
    d.GeneralMark = "＋";
    d.MarkSize = 1;
    d.Output3D = 1;
    d.UseRegisteredLines = 0;
    app.lines.GridInterval = 0;
  }
  ~PlotJob() { unlink(app.dxf.DrawingPath.c_str()); }
  App app;
};

void BM_DxfPlotFullJob(benchmark::State& state) {
  PlotJob job;
  for (auto _ : state) {
    CreateDxfFile(job.app);
    PlotDrawingToDxf(job.app);
  }
  dxf::CloseUnfinishedDrawing(job.app);
  state.counters["bytes"] = static_cast<double>(FileBytes(job.app.dxf.DrawingPath));
}

}  // namespace

BENCHMARK(BM_DxfPlotFullJob)->Unit(benchmark::kMillisecond);
