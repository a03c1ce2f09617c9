// Whole searches on every path: the same result, record and trace as the
// portable path, for the documented examples, every start index and sweep
// shape the other tests use, and a grid of timings around the defaults.
#include <gtest/gtest.h>

#include <cstdint>
#include <limits>
#include <string>

#include "Defaults.h"
#include "PathComparison.h"
#include "Rounding.h"

namespace sirenta {
namespace {

SirentaParams With(std::uint32_t pwmFrequency, std::uint32_t samplingTime,
                   std::uint32_t riseTime = 2550, std::uint32_t noiseTime = 2550) {
  SirentaParams p = ThreeShuntDefaults();
  p.pwmFrequency = pwmFrequency;
  p.samplingTime = samplingTime;
  p.riseTime = riseTime;
  p.noiseTime = noiseTime;
  return p;
}

// The single- and three-shunt spans, with what the other fields make of them.
SirentaParams WithSpan(SirentaParams p, double angleSpan) {
  p.angleSpan = angleSpan;
  return p;
}

struct Case {
  const char *name;
  SirentaParams params;
};

void ExpectSameOnEveryPathForBothSpans(const Case &c) {
  ExpectSameOnEveryPath(WithSpan(c.params, 30.0), std::string(c.name) + " span 30");
  ExpectSameOnEveryPath(c.params, c.name);
}

TEST(SearchPath, DocumentedExamples) {
  if (VectorPaths().empty())
    GTEST_SKIP() << "no vector path on this processor";
  const Case cases[] = {
      {"defaults", With(14400, 700)},
      {"sampling 200", With(14400, 200)},
      {"sampling 2450", With(14400, 2450)},
      {"8000 Hz", With(8000, 700)},
      {"20000 Hz", With(20000, 700)},
      {"4000 Hz", With(4000, 700)},
      {"rise 20 us: limit at the first index", With(14400, 700, 20000)},
      {"noise longer than rise", With(14400, 700, 1000, 3000)},
      {"noise 61700 at 4000 Hz: folded at the half period", With(4000, 700, 0, 61700)},
  };
  for (const Case &c : cases)
    ExpectSameOnEveryPathForBothSpans(c);
  // The first of them is the documented limit, reached on every path.
  for (SweepPath path : VectorPaths()) {
    const Outcome o = RunOn(Technique::kThreeShunts, With(14400, 700), path);
    EXPECT_EQ(o.result, kLimitFound);
    EXPECT_EQ(o.params.maxModulationIndex, 95);
    EXPECT_EQ(o.trace.index, 96);
    EXPECT_NEAR(o.trace.angle, 52.99, 1e-6);
  }
}

TEST(SearchPath, StartIndexesAndSweepShapes) {
  if (VectorPaths().empty())
    GTEST_SKIP() << "no vector path on this processor";
  constexpr double nan = std::numeric_limits<double>::quiet_NaN();
  for (int start : {0, 50, 72, 90, 96, 99, 100, 101, 255}) {
    SirentaParams p = With(14400, 700);
    p.startIndex = static_cast<std::uint8_t>(start);
    ExpectSameOnEveryPathForBothSpans({"start index", p});
  }
  // Steps other than the default are quantised piece by piece; spans beyond
  // the shared table's 60 degrees and sweeps that go on past the kept angles.
  const struct {
    double step, span;
    int start;
  } shapes[] = {{0.25, 60.0, 72}, {0.37, 45.5, 72},    {0.01, 61.0, 72}, {0.001, 2.0, 72},
                {0.01, 6.0, 72},  {0.25, 17500.0, 99}, {0.0, 30.0, 72},  {-0.01, 30.0, 72},
                {nan, 30.0, 72},  {0.01, 0.0, 72},     {0.01, nan, 72},  {0.01, -1.0, 72}};
  for (const auto &s : shapes) {
    for (std::uint32_t f : {8000u, 14400u, 20000u}) {
      SirentaParams p = With(f, 700);
      p.angleStep = s.step;
      p.angleSpan = s.span;
      p.startIndex = static_cast<std::uint8_t>(s.start);
      ExpectSameOnEveryPath(p, "step " + std::to_string(s.step) + " span " +
                                   std::to_string(s.span) + " at " + std::to_string(f));
    }
  }
}

TEST(SearchPath, RefusedSettings) {
  if (VectorPaths().empty())
    GTEST_SKIP() << "no vector path on this processor";
  for (std::uint32_t f : {0u, 0x80000000u}) {
    SirentaParams p = With(f, 700);
    p.maxModulationIndex = 42;
    ExpectSameOnEveryPath(p, "frequency " + std::to_string(f));
    for (SweepPath path : VectorPaths())
      EXPECT_EQ(RunOn(Technique::kSingleShunt, p, path).params.maxModulationIndex, 42);
  }
}

// Frequencies across the chart's range and beyond, with sampling, rise and
// noise times a page offers.
TEST(SearchPath, TimingGrid) {
  if (VectorPaths().empty())
    GTEST_SKIP() << "no vector path on this processor";
  int compared = 0;
  for (std::uint32_t f : {1000u, 4000u, 9000u, 13000u, 17500u, 23000u, 31000u, 60000u})
    for (std::uint32_t sampling : {200u, 1500u})
      for (std::uint32_t rise : {0u, 2550u})
        compared +=
            ExpectSameOnEveryPath(With(f, sampling, rise, 5000 - rise),
                                  "grid " + std::to_string(f) + " " + std::to_string(sampling) +
                                      " " + std::to_string(rise));
  EXPECT_GT(compared, 0);
}

} // namespace
} // namespace sirenta
