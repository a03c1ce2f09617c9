// The space-vector arithmetic of the vector scans, lane by lane, against
// ComputePhaseTimes: the sector and the three phase times of every vector, on
// arbitrary timings and vectors and where truncation toward zero matters.
#include "VectorPhaseTimes.h"

#include <gtest/gtest.h>

#include <array>
#include <cstddef>
#include <vector>

#include "PathComparison.h"
#include "RandomInputs.h"

namespace sirenta {
namespace {

bool Same(const PhaseTimes &a, const PhaseTimes &b) {
  return a.sector == b.sector && a.tA == b.tA && a.tB == b.tB && a.tC == b.tC;
}

// Blocks of 8 and 16 laid over v from its start, wrapping round to fill the
// last; returns the number of vectors compared.
std::size_t ExpectSameTimes(const PwmTimer &timer, const std::vector<ReferenceVector> &v) {
  std::size_t compared = 0;
  for (std::size_t first = 0; first < v.size(); first += 16) {
    std::array<ReferenceVector, 16> block;
    for (std::size_t i = 0; i < 16; ++i)
      block[i] = v[(first + i) % v.size()];
    std::array<PhaseTimes, 16> lanes{};
    if (PathAvailable(SweepPath::kAvx512)) {
      PhaseTimesAvx512(timer, block, lanes);
      for (std::size_t i = 0; i < 16; ++i, ++compared) {
        const PhaseTimes expected = ComputePhaseTimes(block[i].vAlpha, block[i].vBeta, timer);
        EXPECT_TRUE(Same(lanes[i], expected))
            << "AVX-512 lane " << i << " (" << block[i].vAlpha << ", " << block[i].vBeta << ") t "
            << timer.t << ": sector " << lanes[i].sector << " vs " << expected.sector << ", tA "
            << lanes[i].tA << " vs " << expected.tA;
      }
    }
    if (PathAvailable(SweepPath::kAvx2)) {
      for (std::size_t half = 0; half < 16; half += 8) {
        PhaseTimesAvx2(timer, std::span(block).subspan(half).first<8>(),
                       std::span(lanes).first<8>());
        for (std::size_t i = 0; i < 8; ++i, ++compared) {
          const ReferenceVector r = block[half + i];
          const PhaseTimes expected = ComputePhaseTimes(r.vAlpha, r.vBeta, timer);
          EXPECT_TRUE(Same(lanes[i], expected))
              << "AVX2 lane " << i << " (" << r.vAlpha << ", " << r.vBeta << ") t " << timer.t
              << ": sector " << lanes[i].sector << " vs " << expected.sector << ", tA "
              << lanes[i].tA << " vs " << expected.tA;
        }
      }
    }
  }
  return compared;
}

TEST(LanePhaseTimes, ArbitraryTimingsAndVectors) {
  if (VectorPaths().empty())
    GTEST_SKIP() << "no vector path on this processor";
  std::mt19937 rng(16);
  std::size_t compared = 0;
  for (int i = 0; i < 2000; ++i)
    compared += ExpectSameTimes(MakePwmTimer(DrawParams(rng).pwmFrequency), DrawVectors(rng, 64));
  EXPECT_GT(compared, 100000u);
}

// Every sector occurs among vectors all round the circle, at every index.
TEST(LanePhaseTimes, AllRoundTheCircle) {
  if (VectorPaths().empty())
    GTEST_SKIP() << "no vector path on this processor";
  std::vector<ReferenceVector> v;
  for (int m = 0; m <= 140; m += 7)
    for (double theta = 0; theta < 360; theta += 0.7)
      v.push_back(ReferenceAt(AngleAt(theta), m));
  for (std::uint32_t f : {1000u, 4000u, 8000u, 14400u, 32000u, 100000u}) {
    const PwmTimer timer = MakePwmTimer(f);
    ExpectSameTimes(timer, v);
    std::array<int, 7> sectors{};
    for (const ReferenceVector &r : v)
      ++sectors[ComputePhaseTimes(r.vAlpha, r.vBeta, timer).sector];
    for (int s = 1; s <= 6; ++s)
      EXPECT_GT(sectors[s], 0) << "sector " << s << " at " << f;
  }
}

TEST(LanePhaseTimes, SumsWhereTruncationMatters) {
  if (VectorPaths().empty())
    GTEST_SKIP() << "no vector path on this processor";
  std::size_t compared = 0;
  for (std::uint32_t f = 500; f <= 60000; f += 13) {
    const PwmTimer timer = MakePwmTimer(f);
    const std::vector<ReferenceVector> v = VectorsWithSums(timer);
    if (!v.empty())
      compared += ExpectSameTimes(timer, v);
  }
  EXPECT_GT(compared, 10000u);
}

} // namespace
} // namespace sirenta
