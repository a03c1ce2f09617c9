// Cost of the modulation-index searches through the exported functions: per
// call, and per evaluation of the PWM model (the search's inner step).
#include <benchmark/benchmark.h>

#include "Search.h"
#include "sirenta.h"

namespace {

using Export = int (*)(SirentaParams *);
using Searcher = int (*)(SirentaParams &, sirenta::SearchTrace &);

void RunSearch(benchmark::State &state, Export setDefaults, Export search, Searcher traced,
               std::uint32_t pwmFrequency) {
  SirentaParams params;
  setDefaults(&params);
  params.pwmFrequency = pwmFrequency;

  // One untimed traced run says how many model evaluations a call makes.
  SirentaParams probe = params;
  sirenta::SearchTrace trace;
  traced(probe, trace);

  for (auto _ : state) {
    SirentaParams p = params;
    benchmark::DoNotOptimize(search(&p));
    benchmark::DoNotOptimize(p.maxModulationIndex);
  }
  const auto evaluations = static_cast<double>(trace.evaluations);
  state.counters["evaluations"] = evaluations;
  state.counters["index"] = probe.maxModulationIndex;
  // Seconds per model evaluation.
  state.counters["per_evaluation"] = benchmark::Counter(
      evaluations, benchmark::Counter::kIsIterationInvariantRate | benchmark::Counter::kInvert);
}

void BM_SingleShunt_Defaults(benchmark::State &state) {
  RunSearch(state, SIRENTA_SetDefaut1sh, SIRENTA_1shMMI, sirenta::SearchSingleShunt, 14400);
}

void BM_SingleShunt_8000Hz_NoLimit(benchmark::State &state) {
  RunSearch(state, SIRENTA_SetDefaut1sh, SIRENTA_1shMMI, sirenta::SearchSingleShunt, 8000);
}

void BM_ThreeShunt_Defaults(benchmark::State &state) {
  RunSearch(state, SIRENTA_SetDefaut3sh, SIRENTA_3shMMI, sirenta::SearchThreeShunt, 14400);
}

void BM_ThreeShunt_8000Hz_NoLimit(benchmark::State &state) {
  RunSearch(state, SIRENTA_SetDefaut3sh, SIRENTA_3shMMI, sirenta::SearchThreeShunt, 8000);
}

} // namespace

BENCHMARK(BM_SingleShunt_Defaults)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_SingleShunt_8000Hz_NoLimit)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_ThreeShunt_Defaults)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_ThreeShunt_8000Hz_NoLimit)->Unit(benchmark::kMillisecond);

BENCHMARK_MAIN();
