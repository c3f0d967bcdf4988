// The full redraw of the dynamic view on a full job: 9999 points with names,
// marks and codes, and 19998 connection-line vertices, fitted into the maximised
// view. It runs on every wheel notch and drag, so it must keep up with them.
#include <benchmark/benchmark.h>

#include <string>

#include "cad/drawing.h"
#include "core/app.h"
#include "full_job.h"
#include "runtime/graphics.h"
#include "runtime/windows.h"
#include "shell/program.h"
#include "ui/view.h"

namespace {

constexpr RtWindowId kView = RtWindowId::View;

// A program with the view maximised as start-up leaves it, the full job fitted
// into it, names and marks shown.
struct FullJob {
  FullJob() {
    RtMaximizeWindow(kView);
    RtSetFontSize(kView, app.view.ViewFontSize + app.view.ViewFontStep);
    MeasureViewSize(app);
    app.view.LabelOffset = (app.view.ViewFontSize + app.view.ViewFontStep) * double(1.43f);
    FillJob(app);
    app.settings.ZEE = 1;
    app.settings.ZEG = 1;
    ZoomAll(app);
  }
  App app;
};

// The redraw as the wheel and the drags repeat it: the view was drawn before.
void BM_RedrawView(benchmark::State& state) {
  FullJob job;
  job.app.settings.ZEI = state.range(0) ? 1 : -1;
  RedrawView(job.app);
  for (auto _ : state) RedrawView(job.app);
}
BENCHMARK(BM_RedrawView)->ArgName("heights")->Arg(0)->Arg(1)->Unit(benchmark::kMillisecond);

// The first redraw in a font size: every name, code and height is laid out once.
void BM_FirstRedrawInAFontSize(benchmark::State& state) {
  FullJob job;
  static int redraws = 0;  // each in a size not drawn in before, also when repeated
  for (auto _ : state) {
    job.app.view.ViewFontSize = 7 + 0.001 * ++redraws;
    RedrawView(job.app);
  }
}
BENCHMARK(BM_FirstRedrawInAFontSize)->Iterations(3)->Unit(benchmark::kMillisecond);

// The parts of the redraw, to see where its time goes.
void BM_DrawAllPoints(benchmark::State& state) {
  FullJob job;
  RedrawView(job.app);
  for (auto _ : state) {
    for (int i = 1; i <= core::kPointCapacity; ++i) {
      job.app.view.PointToDraw = i;
      DrawPoint(job.app);
    }
  }
}
BENCHMARK(BM_DrawAllPoints)->Unit(benchmark::kMillisecond);

void BM_DrawAllConnectionLines(benchmark::State& state) {
  FullJob job;
  for (auto _ : state) DrawAllConnectionLines(job.app);
}
BENCHMARK(BM_DrawAllConnectionLines)->Unit(benchmark::kMillisecond);

void BM_RedrawGraphicsView(benchmark::State& state) {
  FullJob job;
  job.app.settings.ZEH = 1;
  for (auto _ : state) RedrawGraphicsView(job.app);
}
BENCHMARK(BM_RedrawGraphicsView)->Unit(benchmark::kMillisecond);

}  // namespace
