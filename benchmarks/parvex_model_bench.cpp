// Cost of the calls a page makes after an edit (the consistency check, which
// runs the modulation-index search) and of filling a new project.
#include "parvex.h"

#include <benchmark/benchmark.h>

#include <cstring>

namespace {

UserData DefaultRecord() {
  UserData d;
  std::memset(&d, 0, sizeof d);
  PARVEX_SetDefault(&d);
  return d;
}

void CheckConsistency(benchmark::State &state, bool singleShunt) {
  UserData base = DefaultRecord();
  if (singleShunt) {
    base.ThreeShuntResistors = 0;
    base.SingleShuntResistor = 1;
  }
  for (auto _ : state) {
    UserData d = base;
    benchmark::DoNotOptimize(PARVEX_CheckConsistency(&d));
    benchmark::DoNotOptimize(d);
  }
}

void BM_CheckConsistencyThreeShunt(benchmark::State &state) {
  CheckConsistency(state, false);
}
void BM_CheckConsistencySingleShunt(benchmark::State &state) {
  CheckConsistency(state, true);
}

void BM_SetDefault(benchmark::State &state) {
  UserData d;
  std::memset(&d, 0, sizeof d);
  for (auto _ : state) {
    benchmark::DoNotOptimize(PARVEX_SetDefault(&d));
    benchmark::DoNotOptimize(d);
  }
}

BENCHMARK(BM_CheckConsistencyThreeShunt)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_CheckConsistencySingleShunt)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_SetDefault)->Unit(benchmark::kMillisecond);

} // namespace

BENCHMARK_MAIN();
