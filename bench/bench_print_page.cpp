// The printed plan of a full job: 9999 points with names, marks and heights and
// 19998 line vertices put on the page by DrawPrintPage, and the document's end
// that writes the PDF.
#include <benchmark/benchmark.h>

#include <stdlib.h>

#include <filesystem>
#include <string>

#include "cad/cad_menu.h"
#include "cad/drawing.h"
#include "cad/print_page.h"
#include "core/app.h"
#include "full_job.h"
#include "runtime/printer.h"

namespace {

// A folder of its own for the printed documents, removed at the end.
struct PrintFolder {
  PrintFolder() {
    char name[] = "/tmp/bench_print_page.XXXXXX";
    path = mkdtemp(name);
  }
  ~PrintFolder() { std::filesystem::remove_all(path); }
  std::string path;
};

// The full job fitted to the default paper with the print defaults and
// heights, the ink already chosen, the documents written to a scratch folder.
struct PrintJob {
  PrintJob() {
    rt::SetPrinterFolder(folder.path);
    FillJob(app);
    cad::Lines& l = app.lines;
    SelectPointsInUse(app);
    FitDrawingToPaper(app);
    l.PaperUnitsPerMetre = 10000 / l.ScaleDenominator;
    l.PrintSettingsGiven = 1;
    l.InkColour = 1;
    l.PrintLineMode = 2;
    l.PrintTextSize = 12;
    l.PrintElevationDecimals = 2;
    l.PrintPointNames = 1;
    l.PrintMarkAnswer = "10";
    l.PrintMarkSymbol = "+";
    l.GridInterval = cad::GridIntervalForScaleOf(l.ScaleDenominator);
    l.PrintFrame = 1;
  }
  ~PrintJob() { rt::SetPrinterFolder(""); }
  PrintFolder folder;
  App app;
};

void BM_DrawPrintPage(benchmark::State& state) {
  PrintJob job;
  for (auto _ : state) {
    state.PauseTiming();
    OpenPrinterPage(job.app);
    state.ResumeTiming();
    DrawPrintPage(job.app);
    state.PauseTiming();
    RtPrinterAbort();
    state.ResumeTiming();
  }
}
BENCHMARK(BM_DrawPrintPage)->Unit(benchmark::kMillisecond);

// The whole job: the page drawn, then the page and the document ended (the
// PDF made and written).
void BM_PrintFullJob(benchmark::State& state) {
  PrintJob job;
  for (auto _ : state) {
    OpenPrinterPage(job.app);
    DrawPrintPage(job.app);
    RtPrinterEndPage();
    RtPrinterEndDoc();
  }
}
BENCHMARK(BM_PrintFullJob)->Unit(benchmark::kMillisecond);

}  // namespace
