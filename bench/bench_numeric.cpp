// Number text and the shared numeric functions sit on the paths that print and
// store every point: each report line and each dd.mmss answer goes through them.
#include <benchmark/benchmark.h>

#include <cstddef>
#include <vector>

#include "core/numeric.h"
#include "runtime/numtext.h"

namespace {

// A spread of values like those of a job: coordinates, heights, angles, counts.
std::vector<double> SampleValues() {
  std::vector<double> values;
  values.reserve(9999);
  for (int i = 0; i < 9999; ++i) {
    const double x = -45000.0 + i * 9.123456789;
    values.push_back(i % 3 == 0 ? x : (i % 3 == 1 ? x / 1000 + 0.0005 : double(i)));
  }
  return values;
}

void BM_RtStr(benchmark::State& state) {
  const std::vector<double> values = SampleValues();
  std::size_t i = 0;
  for (auto _ : state) {
    benchmark::DoNotOptimize(RtStr(values[i]));
    i = (i + 1) % values.size();
  }
}
BENCHMARK(BM_RtStr);

void BM_DmsToDegrees(benchmark::State& state) {
  std::vector<double> angles;
  for (int d = 0; d < 360; ++d) angles.push_back(d + 0.3456789 - (d % 7) * 0.01);
  std::size_t i = 0;
  for (auto _ : state) {
    benchmark::DoNotOptimize(DmsToDegrees(angles[i]));
    i = (i + 1) % angles.size();
  }
}
BENCHMARK(BM_DmsToDegrees);

void BM_FormatDecimals(benchmark::State& state) {
  const std::vector<double> values = SampleValues();
  std::size_t i = 0;
  for (auto _ : state) {
    benchmark::DoNotOptimize(FormatDecimals(values[i], 3));
    i = (i + 1) % values.size();
  }
}
BENCHMARK(BM_FormatDecimals);

}  // namespace
