// Time for the controller-analysis window to follow one edit: the analysis
// of the record, the gain and loop tables and the step and Bode series
// replaced, without painting (the window is not shown). Alternates between
// a stable and an unstable record so that every refresh does the full work.
// Must stay under 20 ms.
#include "analysis/ControllerAnalysisWindow.h"

#include <benchmark/benchmark.h>

#include <cstring>

namespace {

UserData WithCutOff(std::uint32_t cutOff) {
  UserData d;
  std::memset(&d, 0, sizeof d);
  PARVEX_SetDefault(&d);
  d.CutOffFrequency.Value = cutOff;
  PARVEX_CheckConsistency(&d);
  return d;
}

void AnalysisWindowFollowsAnEdit(benchmark::State &state) {
  const UserData records[] = {WithCutOff(6000), WithCutOff(15000)};
  const UserData *current = &records[0];
  ControllerAnalysisWindow window([&current] { return current; });
  int i = 1;
  for (auto _ : state) {
    current = &records[i++ % 2];
    window.Refresh();
    benchmark::DoNotOptimize(window.Shown().loops.size());
  }
  if (window.Shown().scaling.cutOff != static_cast<double>(current->CutOffFrequency.Value))
    state.SkipWithError("the window did not follow the record");
}

} // namespace

BENCHMARK(AnalysisWindowFollowsAnEdit)->Unit(benchmark::kMillisecond)->Repetitions(10);
