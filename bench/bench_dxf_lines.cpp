// The lines step of a plot run on a full job: the grid and the 19998 connection
// vertices on every layer (contours included), every point plotted with its
// own mark so that lines stop at the outlines, distance and direction texts on
// layers 6 and 8, written after the head to a drawing file. Beside it,
// bench_dxf_lines_ezdxf.py rebuilds the drawing this writes with python3-ezdxf
// and times that; set KRN_DXF_KEEP to a path to keep the drawing for it.
#include <benchmark/benchmark.h>

#include <stdlib.h>
#include <unistd.h>

#include <cstdlib>
#include <string>

#include "core/app.h"
#include "dxf/connection_lines.h"
#include "dxf/grid.h"
#include "dxf/head.h"
#include "dxf/records.h"
#include "full_job.h"
#include "runtime/files.h"

namespace {

struct LinesJob {
  LinesJob() {
    char name[] = "/tmp/bench_dxf_lines.XXXXXX";
    const int fd = mkstemp(name);
    if (fd >= 0) close(fd);
    path = name;
    FillJob(app);
    PutJobOnSheet(app);
    app.lines.GridInterval = 50;
    for (int layer = 0; layer <= 15; ++layer) app.lines.LayerVisible(layer) = 1;
    app.output.ResultsPlaced = 1;
    dxf::State& d = app.dxf;
    d.PlottedPointFlag.assign(core::kPointCapacity + 1, 1);
    d.MarkAnswer = "10";
    d.MarkSize = 1;
    d.TextSize = 1.8;
    d.Output3D = 1;
    d.UseRegisteredLines = 1;
  }
  ~LinesJob() {
    if (const char* keep = std::getenv("KRN_DXF_KEEP")) RtFileCopy(path, keep);
    unlink(path.c_str());
  }
  App app;
  std::string path;
};

void WriteLines(App& app, const std::string& path) {
  RtOpen(dxf::kDrawingFile, path, RtFileMode::Output);
  WriteDxfHead(app);
  // The question about lines inside marks answered: they are cut.
  app.dxf.LineWriterAsked = 1;
  app.dxf.LineWriterKeepInside = 0;
  PlotGridToDxf(app);
  PlotConnectionLinesToDxf(app);
  dxf::Sink out;
  out.Group("  0", "ENDSEC");
  out.Group("  0", "EOF");
  out.WriteToDrawing();
  RtClose(dxf::kDrawingFile);
}

void BM_DxfLinesFullJob(benchmark::State& state) {
  LinesJob job;
  for (auto _ : state) WriteLines(job.app, job.path);
  state.counters["bytes"] = static_cast<double>(FileBytes(job.path));
}

}  // namespace

BENCHMARK(BM_DxfLinesFullJob)->Unit(benchmark::kMillisecond);
