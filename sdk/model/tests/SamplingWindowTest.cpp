// Single-shunt sampling that no index allows: found from the timing in the
// search's own arithmetic, and exactly where the search's index would grow
// as a time grows.
#include "parvex/SamplingWindow.h"

#include "sirenta.h"

#include <gtest/gtest.h>

#include <vector>

namespace parvex::test {
namespace {

// At 32 kHz the half period is 72 MHz / 64000 = 1125 ticks, T = 4500 and
// TS3 = trunc(4500 x 1.732051) = 7794. At 72 % the reference at angle 0 is
// Q(72 x 327.67 = 23592.24) = 23593, so the widest window is
// trunc(23593 x 7794 / 2 / 131072) = trunc(701.46) = 701 ticks.
TEST(SamplingWindow, WorkedExamples) {
  struct Case {
    std::uint32_t rise, dead;
    std::uint32_t tmin; // (dead + rise + 700) x 72 / 1000 + 1
    bool feasible;
  };
  const Case cases[] = {
      {10000, 3500, 1023, false}, // 14200 ns: 1022.4 ticks
      {10000, 800, 829, false},   // 11500 ns: 828 ticks
      {8000, 800, 685, true},     // 9500 ns: 684 ticks
      {2550, 800, 292, true},
  };
  for (const Case &c : cases) {
    const SingleShuntWindow w = SingleShuntWindowFor(32000, c.dead, 700, c.rise);
    EXPECT_EQ(w.widestWindowTicks, 701u) << c.rise;
    EXPECT_EQ(w.measurementTicks, c.tmin) << c.rise;
    EXPECT_EQ(w.feasible, c.feasible) << c.rise;
  }
  // 14.4 kHz: half period 2500, T 10000, TS3 17320: 23593 x 17320 / 2 /
  // 131072 = 1558.8.
  EXPECT_EQ(SingleShuntWindowFor(14400, 800, 700, 2550).widestWindowTicks, 1558u);
  EXPECT_TRUE(SingleShuntWindowFor(0, 800, 700, 2550).feasible);
}

TEST(SamplingWindow, OnlyForOneShunt) {
  UserData d{};
  PARVEX_SetDefault(&d); // three shunts
  EXPECT_FALSE(SingleShuntWindowOf(d));
  d.ThreeShuntResistors = 0;
  d.SingleShuntResistor = 1;
  ASSERT_TRUE(SingleShuntWindowOf(d));
  EXPECT_TRUE(SingleShuntWindowOf(d)->feasible);
  d.IsolatedCurrentSensors = 1;
  EXPECT_FALSE(SingleShuntWindowOf(d));
}

std::uint8_t Index(std::uint32_t f, std::uint32_t dead, std::uint32_t sampling,
                   std::uint32_t rise) {
  SirentaParams p{};
  SIRENTA_SetDefaut1sh(&p);
  p.pwmFrequency = f;
  p.deadTime = dead;
  p.samplingTime = sampling;
  p.riseTime = rise;
  SIRENTA_1shMMI(&p);
  return p.maxModulationIndex;
}

// Across the timings the pages accept, a longer time never gives a larger
// index, unless the timing is reported as one no index can sample.
TEST(SamplingWindow, IndexNeverGrowsWithATimeUnlessReported) {
  const std::uint32_t frequencies[] = {8000, 14400, 20000, 32000};
  const std::uint32_t samplings[] = {200, 700, 1200, 2450};
  const std::uint32_t deads[] = {500, 1500, 2500, 3500};
  struct Timing {
    std::uint32_t dead, sampling, rise;
  };
  // Each sweep: one time grows, the others stay.
  std::vector<std::vector<Timing>> sweeps;
  for (std::uint32_t s : samplings)
    for (std::uint32_t d : deads) {
      std::vector<Timing> rises;
      for (std::uint32_t r = 0; r <= 10000; r += 500)
        rises.push_back({d, s, r});
      sweeps.push_back(rises);
    }
  for (std::uint32_t s : samplings)
    for (std::uint32_t r = 0; r <= 10000; r += 2500) {
      std::vector<Timing> dead;
      for (std::uint32_t d = 500; d <= 3500; d += 500)
        dead.push_back({d, s, r});
      sweeps.push_back(dead);
    }
  for (std::uint32_t d : deads)
    for (std::uint32_t r = 0; r <= 10000; r += 2500) {
      std::vector<Timing> sampling;
      for (std::uint32_t s : samplings)
        sampling.push_back({d, s, r});
      sweeps.push_back(sampling);
    }
  int reported = 0;
  for (std::uint32_t f : frequencies)
    for (const std::vector<Timing> &sweep : sweeps) {
      int previous = 101;
      for (const Timing &t : sweep) {
        const int index = Index(f, t.dead, t.sampling, t.rise);
        const bool feasible = SingleShuntWindowFor(f, t.dead, t.sampling, t.rise).feasible;
        if (feasible) {
          EXPECT_LE(index, previous)
              << f << " Hz, dead " << t.dead << ", sampling " << t.sampling << ", rise " << t.rise;
        }
        reported += !feasible;
        previous = index;
      }
    }
  // The sweep reaches the timings no index can sample.
  EXPECT_GT(reported, 0);
}

} // namespace
} // namespace parvex::test
