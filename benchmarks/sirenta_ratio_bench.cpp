// The full search (8000 Hz: no limit, so every index and every angle) against
// the straightforward one that evaluates the trigonometry for every point,
// timed in alternation within each iteration so that both see the same
// machine. Counters: `fast_ms` and `straightforward_ms` per search, and
// `ratio`, the first over the second. The exported functions take the fastest
// path this processor has; the forced variants show each path alone.
#include <benchmark/benchmark.h>

#include <chrono>
#include <string>

#include "Search.h"
#include "reference/StraightforwardMmi.h"
#include "sirenta.h"

namespace {

using Clock = std::chrono::steady_clock;
using Search = int (*)(SirentaParams &);

// Fast searches are some fifty times shorter: several per reference search
// keep the two totals of like size and the clock's granularity out of them.
constexpr int kFastPerReference = 16;

double Seconds(Clock::time_point from) {
  return std::chrono::duration<double>(Clock::now() - from).count();
}

void Alternate(benchmark::State &state, bool threeShunts, Search fast) {
  SirentaParams params;
  (threeShunts ? SIRENTA_SetDefaut3sh : SIRENTA_SetDefaut1sh)(&params);
  params.pwmFrequency = 8000;
  const Search reference =
      threeShunts ? straightforward::ThreeShuntMmi : straightforward::SingleShuntMmi;

  // The comparison means something only if both find the same.
  SirentaParams a = params, b = params;
  const int fastResult = fast(a), referenceResult = reference(b);
  if (fastResult != referenceResult || a.maxModulationIndex != b.maxModulationIndex) {
    state.SkipWithError("the searches disagree");
    return;
  }

  double fastTotal = 0, referenceTotal = 0;
  for (auto _ : state) {
    const Clock::time_point r0 = Clock::now();
    SirentaParams r = params;
    benchmark::DoNotOptimize(reference(r));
    benchmark::DoNotOptimize(r.maxModulationIndex);
    const double referenceTime = Seconds(r0);

    const Clock::time_point f0 = Clock::now();
    for (int i = 0; i < kFastPerReference; ++i) {
      SirentaParams f = params;
      benchmark::DoNotOptimize(fast(f));
      benchmark::DoNotOptimize(f.maxModulationIndex);
    }
    const double fastTime = Seconds(f0) / kFastPerReference;

    referenceTotal += referenceTime;
    fastTotal += fastTime;
    state.SetIterationTime(referenceTime + fastTime);
  }
  const double n = static_cast<double>(state.iterations());
  state.counters["fast_ms"] = fastTotal / n * 1e3;
  state.counters["straightforward_ms"] = referenceTotal / n * 1e3;
  state.counters["ratio"] = fastTotal / referenceTotal;
}

template <sirenta::SweepPath path>
int SingleShuntOn(SirentaParams &p) {
  sirenta::SearchTrace trace;
  return sirenta::SearchSingleShuntOn(path, p, trace);
}

template <sirenta::SweepPath path>
int ThreeShuntOn(SirentaParams &p) {
  sirenta::SearchTrace trace;
  return sirenta::SearchThreeShuntOn(path, p, trace);
}

int SingleShuntExported(SirentaParams &p) {
  return SIRENTA_1shMMI(&p);
}
int ThreeShuntExported(SirentaParams &p) {
  return SIRENTA_3shMMI(&p);
}

void Register(const std::string &name, bool threeShunts, Search fast) {
  benchmark::RegisterBenchmark(name.c_str(), Alternate, threeShunts, fast)
      ->Unit(benchmark::kMillisecond)
      ->UseManualTime()
      ->MinTime(0.5);
}

} // namespace

int main(int argc, char **argv) {
  using sirenta::SweepPath;
  const std::string fastest = sirenta::PathName(sirenta::FastestPath());
  Register("SingleShunt_8000Hz/exported(" + fastest + ")", false, SingleShuntExported);
  Register("ThreeShunt_8000Hz/exported(" + fastest + ")", true, ThreeShuntExported);
  const struct {
    SweepPath path;
    Search single, three;
  } forced[] = {
      {SweepPath::kPortable, SingleShuntOn<SweepPath::kPortable>,
       ThreeShuntOn<SweepPath::kPortable>},
      {SweepPath::kAvx2, SingleShuntOn<SweepPath::kAvx2>, ThreeShuntOn<SweepPath::kAvx2>},
      {SweepPath::kAvx512, SingleShuntOn<SweepPath::kAvx512>, ThreeShuntOn<SweepPath::kAvx512>},
  };
  for (const auto &f : forced) {
    if (!sirenta::PathAvailable(f.path))
      continue;
    const std::string path = sirenta::PathName(f.path);
    Register("SingleShunt_8000Hz/" + path, false, f.single);
    Register("ThreeShunt_8000Hz/" + path, true, f.three);
  }
  benchmark::Initialize(&argc, argv);
  if (benchmark::ReportUnrecognizedArguments(argc, argv))
    return 1;
  benchmark::RunSpecifiedBenchmarks();
  benchmark::Shutdown();
  return 0;
}
