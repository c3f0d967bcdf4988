// Importing a DXF drawing that fills the point table: 9998 LINEs, each from the
// end of the one before, so that 9999 points and 19996 vertices are stored and
// every start point is found again among the points of the import.
#include <benchmark/benchmark.h>

#include <string>

#include "core/app.h"
#include "transfer/dxf_import.h"
#include "transfer/dxf_import_entities.h"
#include "transfer/dxf_import_reader.h"
#include "transfer/link.h"

namespace {

constexpr int kLines = 9998;

// The chain of lines zigzags so that no two points fall together.
std::string ChainDrawing() {
  std::string text = "  0\r\nSECTION\r\n  2\r\nTABLES\r\n  0\r\nTABLE\r\n  2\r\nLAYER\r\n"
                     "  0\r\nLAYER\r\n  2\r\nKYOKAI\r\n  0\r\nENDTAB\r\n  0\r\nENDSEC\r\n"
                     "  0\r\nSECTION\r\n  2\r\nENTITIES\r\n";
  auto x = [](int i) { return std::to_string(i * 1.5); };
  auto y = [](int i) { return std::to_string(1000.25 + (i % 7) * 3.125); };
  for (int i = 0; i < kLines; ++i) {
    text += "  0\r\nLINE\r\n  8\r\nKYOKAI\r\n  6\r\nDASHED\r\n 10\r\n" + x(i) + "\r\n 20\r\n" + y(i) +
            "\r\n 30\r\n0.0\r\n 11\r\n" + x(i + 1) + "\r\n 21\r\n" + y(i + 1) + "\r\n 31\r\n0.0\r\n";
  }
  return text + "  0\r\nENDSEC\r\n  0\r\nEOF\r\n";
}

void BM_DxfImportFillingThePointTable(benchmark::State& state) {
  const std::string text = ChainDrawing();
  App app;
  for (auto _ : state) {
    const transfer::DxfDrawing drawing = transfer::ReadDxfDrawing(text);
    transfer::State& t = app.transfer;
    t.DxfLayerName = {};
    t.DxfOverflowLayers.clear();
    transfer::FillDxfLayerList(drawing.layers, 1, t.DxfLayerName, t.DxfOverflowLayers);
    t.DxfReadMode = 1;
    t.DxfImportScale = 0.5;
    t.RegistrationNumber = 1;
    t.ImportFirstNumber = 1;
    t.ImportPointName = "D1";
    app.lines.LineVertexCount = 0;
    PointReceiver receiver(app);
    benchmark::DoNotOptimize(transfer::ImportDxfEntities(app, drawing, receiver));
    if (app.transfer.RegistrationNumber != 10000 || app.lines.LineVertexCount != 2 * kLines) {
      state.SkipWithError("the chain did not fill the point table");
    }
  }
}
BENCHMARK(BM_DxfImportFillingThePointTable)->Unit(benchmark::kMillisecond);

}  // namespace
