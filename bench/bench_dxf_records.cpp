// The record writer on a full job: 9999 points, each a POINT, a mark of two
// LINEs and two TEXTs (name and height), and the 19998 line vertices as LINEs,
// mapped to the paper and written after the head to a drawing file. Beside it,
// bench_dxf_ezdxf.py builds and saves the same entities with python3-ezdxf.
#include <benchmark/benchmark.h>

#include <stdlib.h>
#include <unistd.h>

#include <string>

#include "core/app.h"
#include "core/numeric.h"
#include "dxf/head.h"
#include "dxf/mapping.h"
#include "dxf/records.h"
#include "full_job.h"
#include "runtime/files.h"
#include "runtime/text.h"

namespace {

struct DrawingJob {
  DrawingJob() {
    char name[] = "/tmp/bench_dxf_records.XXXXXX";
    const int fd = mkstemp(name);
    if (fd >= 0) close(fd);
    path = name;
    FillJob(app);
    PutJobOnSheet(app);
  }
  ~DrawingJob() { unlink(path.c_str()); }
  App app;
  std::string path;
};

void WriteDrawing(App& app, const std::string& path) {
  const points::Store& p = app.points;
  const cad::Lines& l = app.lines;
  const dxf::DrawingFrame frame = dxf::FrameOf(app);
  RtOpen(dxf::kDrawingFile, path, RtFileMode::Output);
  WriteDxfHead(app);
  dxf::Sink out;
  const double size = 1.8, half = 0.5;
  for (int i = 1; i <= p.PointCount; ++i) {
    const dxf::PaperPoint q = dxf::GroundToPaper(frame, p.PointX(i), p.PointY(i), p.PointZ(i));
    dxf::WritePoint(out, "ポイント", q.x, q.y, q.z);
    dxf::WriteLine(out, "マ-ク", "", q.x - half, q.y, q.z, q.x + half, q.y, q.z);
    dxf::WriteLine(out, "マ-ク", "", q.x, q.y - half, q.z, q.x, q.y + half, q.z);
    dxf::TextRecord t;
    t.layer = "点名";
    t.x = q.x + 1;
    t.y = q.y + 0.2;
    t.z = q.z;
    t.height = size;
    t.widthFactor = "0.7";
    t.text = p.PointName(i);
    dxf::WriteText(out, t);
    const std::string height = FormatDecimals(p.PointZ(i), 2);
    t.layer = "標高";
    t.y = q.y - size;
    t.widthFactor = "0.5";
    t.text = height;
    dxf::WriteText(out, t);
    out.WriteToDrawing();
  }
  dxf::PaperPoint from{};
  for (int k = 1; k <= l.LineVertexCount; ++k) {
    const int n = l.LinePointNumber(k);
    const dxf::PaperPoint to = dxf::GroundToPaper(frame, p.PointX(n), p.PointY(n), p.PointZ(n));
    dxf::WriteLine(out, std::to_string(l.LineLayer(k)), dxf::LineTypeNameOf(l.LineType(k) % 9, ""), from.x,
                   from.y, from.z, to.x, to.y, to.z);
    from = to;
    if (k % 64 == 0) out.WriteToDrawing();
  }
  out.WriteToDrawing();
  RtClose(dxf::kDrawingFile);
}

void BM_DxfFullJob(benchmark::State& state) {
  DrawingJob job;
  for (auto _ : state) WriteDrawing(job.app, job.path);
  state.counters["bytes"] = static_cast<double>(FileBytes(job.path));
}

}  // namespace

BENCHMARK(BM_DxfFullJob)->Unit(benchmark::kMillisecond);
