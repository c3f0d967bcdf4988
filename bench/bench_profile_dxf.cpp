// The section's step of a DXF plot on a full job: 9999 section points (plan
// and ground points along 10 km), the vertical table, the multi-line-type
// table (four rows read off registered lines, then heights and chainage) and
// 19998 line vertices on layer 14 joining the points in four line types; the
// section gathered and appended to an open drawing.
#include <benchmark/benchmark.h>

#include <stdlib.h>
#include <unistd.h>

#include <cmath>
#include <fstream>
#include <string>

#include "cad/state.h"
#include "core/app.h"
#include "dxf/head.h"
#include "dxf/records.h"
#include "full_job.h"
#include "profile/dxf_section.h"
#include "profile/item_table.h"
#include "profile/single_precision.h"
#include "runtime/events.h"
#include "runtime/files.h"

namespace {

struct SectionJob {
  SectionJob() {
    char name[] = "/tmp/bench_profile_dxf.XXXXXX";
    const int fd = mkstemp(name);
    if (fd >= 0) close(fd);
    path = name;
    points::Store& p = app.points;
    const int capacity = core::kPointCapacity;
    for (int i = 1; i <= capacity; ++i) {
      p.PointName(i) = "NO." + std::to_string(i);
      p.PointX(i) = 100 + 5 * std::sin(i / 300.0) + (i % 7) * 0.1;
      p.PointY(i) = i;
      p.PointAttribute(i) = i % 5 == 0 ? "97" : "95";
    }
    p.PointCount = capacity;
    cad::Lines& l = app.lines;
    const int types[] = {2, 4, 5, 7};
    for (int k = 1; k <= cad::kLineCapacity; ++k) {
      l.LinePointNumber(k) = static_cast<int16_t>((k - 1) % capacity + 1);
      l.LineLayer(k) = 14;
      // Two chains over all the points, each starting with a vertex that ends
      // no segment: types 2 and 4 alternate on the first, 5 and 7 on the second.
      const int chain = (k - 1) / capacity;
      l.LineType(k) = static_cast<int16_t>(k % capacity == 1 ? 9 : types[chain * 2 + k % 2]);
    }
    l.LineVertexCount = cad::kLineCapacity;
    l.ScaleDenominator = 1000;
    app.view.PlotOriginX = 80;
    app.view.PlotOriginY = 0;
    app.view.VerticalRatio = 0.1;
    profile::State& s = app.profile;
    profile::LoadProfilePreset(s, 6);
    s.ProfileMode = 1;
    s.ProfileDatumLevel = 90;
    s.ProfileDatumGap = 10;
    s.ProfileStartChainage = 0;
    s.ProfileEndChainage = capacity;
    s.ProfileScaleTop = 110;
    s.ProfileValueTextSize = profile::SinglePrecision(2.4f);
    s.ProfileValueTextWidth = profile::SinglePrecision(0.7f);
    const double table[] = {0, 100, 0, 5000, 110, 200, 9990, 100, 9999};
    for (int k = 0; k < 9; ++k) app.route.VerticalTable(k) = table[k];
    app.route.RouteValue(1) = 20;
  }
  ~SectionJob() { unlink(path.c_str()); }
  App app;
  std::string path;
};

void BM_ProfileDxfFullJob(benchmark::State& state) {
  SectionJob job;
  for (auto _ : state) {
    state.PauseTiming();
    std::ofstream(job.path, std::ios::binary) << dxf::HeadText(0.841, 0.594, 1);
    RtOpen(dxf::kDrawingFile, job.path, RtFileMode::Append);
    rt::LoadScript("2\n");
    state.ResumeTiming();
    PlotProfileToDxf(job.app);
    state.PauseTiming();
    RtClose(dxf::kDrawingFile);
    state.ResumeTiming();
  }
  state.counters["bytes"] = static_cast<double>(FileBytes(job.path));
}
BENCHMARK(BM_ProfileDxfFullJob)->Unit(benchmark::kMillisecond);

}  // namespace
