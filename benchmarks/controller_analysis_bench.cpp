// Cost of one full controller analysis of the default record: the gain
// rows, both current loops' integer step simulations and frequency scans.
// Meant to stay well below 20 ms, so that a window can follow every edit.
#include "parvex.h"
#include "parvex/ControllerAnalysis.h"
#include "parvex/StartupSimulation.h"

#include <benchmark/benchmark.h>

#include <cstring>

namespace {

void BM_AnalyseDefaults(benchmark::State &state) {
  UserData d;
  std::memset(&d, 0, sizeof d);
  PARVEX_SetDefault(&d);
  for (auto _ : state) {
    parvex::analysis::ControllerAnalysis a = parvex::analysis::Analyse(d);
    benchmark::DoNotOptimize(a);
  }
}
BENCHMARK(BM_AnalyseDefaults)->Unit(benchmark::kMillisecond);

// The same with the speed loop: J = 2e-5 kg m^2 and a load step, its
// frequency scan, poles and step. Meant to stay below 5 ms.
void BM_AnalyseWithSpeedLoop(benchmark::State &state) {
  UserData d;
  std::memset(&d, 0, sizeof d);
  PARVEX_SetDefault(&d);
  parvex::analysis::AnalysisOptions options;
  options.mechanics = parvex::Mechanics{2e-5, 0, 0.01};
  for (auto _ : state) {
    parvex::analysis::ControllerAnalysis a = parvex::analysis::Analyse(d, options);
    benchmark::DoNotOptimize(a);
  }
}
BENCHMARK(BM_AnalyseWithSpeedLoop)->Unit(benchmark::kMillisecond);

// A 3 s sensorless start-up at 14.4 kHz, 43 200 control periods: the
// default motor aligned, J = 2e-5 kg m^2, a 3 s ramp whose convergence test
// never completes, so every period is simulated. Meant to stay below 50 ms.
void BM_SimulateStartup3s(benchmark::State &state) {
  UserData d;
  std::memset(&d, 0, sizeof d);
  PARVEX_SetDefault(&d);
  d.IncludeAlignmentBeforeStartUp = 1;
  d.AlignmentDuration.Value = 1;
  d.SpeedRampDuration.Value = 2999;
  d.ConsinstencyThreshold.Value = 65535;
  parvex::analysis::StartupOptions options;
  options.rotorAngle = 90;
  for (auto _ : state) {
    parvex::analysis::StartupResult r =
        parvex::analysis::SimulateStartup(d, parvex::Mechanics{2e-5, 1e-4, 0}, options);
    benchmark::DoNotOptimize(r);
  }
}
BENCHMARK(BM_SimulateStartup3s)->Unit(benchmark::kMillisecond);

} // namespace

BENCHMARK_MAIN();
