// The modulation-index chart's full recomputation: 57 frequencies for each
// of the two shunt techniques, plus the project's own point.
#include "MmiSeries.h"

#include <benchmark/benchmark.h>

#include <cstring>

namespace {

UserData Project() {
  UserData d;
  std::memset(&d, 0, sizeof d);
  PARVEX_SetDefault(&d);
  d.IsolatedCurrentSensors = 0;
  d.SingleShuntResistor = 0;
  d.ThreeShuntResistors = 1;
  return d;
}

void ChartOneThread(benchmark::State &state) {
  const UserData project = Project();
  for (auto _ : state)
    benchmark::DoNotOptimize(torvio::ComputeMmiChart(project));
}
BENCHMARK(ChartOneThread)
    ->Unit(benchmark::kMillisecond)
    ->Iterations(10)
    ->Repetitions(7)
    ->ReportAggregatesOnly(true);

// As the chart window computes it: the two curves side by side.
void ChartTwoThreads(benchmark::State &state) {
  const UserData project = Project();
  for (auto _ : state)
    benchmark::DoNotOptimize(torvio::ComputeMmiChart(project, true));
}
BENCHMARK(ChartTwoThreads)
    ->Unit(benchmark::kMillisecond)
    ->Iterations(10)
    ->Repetitions(7)
    ->ReportAggregatesOnly(true)
    ->UseRealTime();

void OneCurve(benchmark::State &state) {
  const UserData project = Project();
  for (auto _ : state)
    benchmark::DoNotOptimize(torvio::ComputeMmiCurve(project, torvio::MmiSensing::ThreeShunts));
}
BENCHMARK(OneCurve)
    ->Unit(benchmark::kMillisecond)
    ->Iterations(10)
    ->Repetitions(7)
    ->ReportAggregatesOnly(true);

} // namespace

BENCHMARK_MAIN();
