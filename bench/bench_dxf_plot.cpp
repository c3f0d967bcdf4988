// The plot run on a full job: 9999 selected points, each with its registered
// mark (or the general one), its full-width name, its elevation and its code,
// appended to a drawing with its head, as DXF menu choice 1 plots them with the
// default settings (the connection lines and the grid are left out here); and
// the whole default plot of leaving the DXF menu, with the grid and the 19998
// connection vertices on every layer. bench_dxf_lines_ezdxf.py rebuilds the
// drawing of the default plot with python3-ezdxf and times that; set
// KRN_DXF_KEEP to a path to keep the drawing for it.
#include <benchmark/benchmark.h>

#include <stdlib.h>
#include <unistd.h>

#include <cstdlib>
#include <string>

#include "core/app.h"
#include "dxf/dxf_menu.h"
#include "dxf/plot_run.h"
#include "full_job.h"
#include "points/selection.h"
#include "runtime/files.h"

namespace {

struct PlotJob {
  PlotJob() {
    char name[] = "/tmp/bench_dxf_plot.XXXXXX";
    const int fd = mkstemp(name);
    if (fd >= 0) close(fd);
    FillJob(app);
    SelectAllPoints(app);
    PutJobOnSheet(app);
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

// Leaving the DXF menu on a full job with its lines on every layer: the
// default plot with the scale's grid, the lines cut at the marks.
void BM_DxfDefaultPlotFullJob(benchmark::State& state) {
  PlotJob job;
  App& app = job.app;
  for (int layer = 0; layer <= 15; ++layer) app.lines.LayerVisible(layer) = 1;
  for (auto _ : state) {
    CreateDxfFile(app);
    app.dxf.DxfPlotted = 0;
    // The question about lines inside marks answered: they are cut.
    app.dxf.LineWriterAsked = 1;
    app.dxf.LineWriterKeepInside = 0;
    PlotDxfWithDefaults(app);
  }
  dxf::CloseUnfinishedDrawing(app);
  state.counters["bytes"] = static_cast<double>(FileBytes(app.dxf.DrawingPath));
  if (const char* keep = std::getenv("KRN_DXF_KEEP")) RtFileCopy(app.dxf.DrawingPath, keep);
}

}  // namespace

BENCHMARK(BM_DxfPlotFullJob)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_DxfDefaultPlotFullJob)->Unit(benchmark::kMillisecond);
