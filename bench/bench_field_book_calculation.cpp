// The field-book calculation in its continuous kind on a full book: 9999
// records, one open traverse whose stations each take nine side shots before
// the turn to the next, every sight registered (9997 points) and reported.
#include <benchmark/benchmark.h>
#include <stdlib.h>

#include <cstdio>
#include <filesystem>
#include <string>

#include "core/app.h"
#include "core/control.h"
#include "core/point_names.h"
#include "runtime/events.h"
#include "traverse/field_book_calculation.h"

namespace {

constexpr int kRecords = 9999;

std::string Sight(char kind, double h, int k) {
  char text[96];
  std::snprintf(text, sizeof text, "%c%8.3f%9.4f%9.4f%7.3f %-8s %7.3f", kind, 20.0 + k % 7, 88.3, h, 1.5,
                ("S" + std::to_string(k)).c_str(), 1.5);
  return text;
}

struct Book {
  Book() {
    char name[] = "/tmp/bench_field_book_calculation.XXXXXX";
    folder = mkdtemp(name);
    app.shell.DataFolder = folder + "/";
    app.settings.ZD = 2;
    app.cogo.ReturnMenu = 4;
    fieldbook::State& f = app.fieldbook;
    f.FieldBookRecord(1) = "1";
    f.FieldBookRecord(2) = "*ST       BS          1.500";
    for (int k = 3; k <= kRecords; ++k) {
      const bool turn = k % 10 == 0;
      f.FieldBookRecord(k) = Sight(turn ? 'T' : '\'', turn ? 180 : (k % 10) * 30.0, k);
      f.FieldBookAttribute(k) = turn ? "" : "1";
    }
    f.FieldBookCount = kRecords;
  }
  ~Book() { std::filesystem::remove_all(folder); }
  // The job of two points: the station and its back-sight.
  void ResetPoints() {
    points::Store& p = app.points;
    for (int i = 1; i <= p.PointCapacity; ++i) {
      p.PointName(i) = DefaultPointName(i);
      p.PointX(i) = p.PointY(i) = p.PointZ(i) = 0;
    }
    p.PointName(1) = "ST";
    p.PointX(1) = 1000;
    p.PointY(1) = 1000;
    p.PointZ(1) = 10;
    p.PointName(2) = "BS";
    p.PointX(2) = 1100;
    p.PointY(2) = 1000;
    p.PointCount = 2;
    p.NextPointNumber = 3;
    p.NewPointCount = 0;
    app.lines.LineVertexCount = 0;
  }
  App app;
  std::string folder;
};

void BM_ContinuousCalculationOfAFullBook(benchmark::State& state) {
  Book book;
  for (auto _ : state) {
    state.PauseTiming();
    book.ResetPoints();
    rt::LoadScript("1\n\n\n");
    state.ResumeTiming();
    try {
      FieldBookCalculation(book.app);
    } catch (const JumpException&) {
    }
  }
  state.counters["points"] = book.app.points.PointCount - 2;
}
BENCHMARK(BM_ContinuousCalculationOfAFullBook)->Unit(benchmark::kMillisecond);

}  // namespace
