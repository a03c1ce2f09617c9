// The vector scans against the models' own code, vector by vector: for
// timings and reference vectors far beyond what a search produces (wrapping
// sums, negative times, frequencies whose period does not fit 16 bits), every
// vector at which a vector path says the limit is reached must be one at
// which LimitReached says so, and the other way round.
#include "SingleShuntModel.h"
#include "ThreeShuntModel.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <span>
#include <vector>

#include "AngleSweep.h"
#include "Defaults.h"
#include "PathComparison.h"
#include "PwmTimer.h"
#include "RandomInputs.h"

namespace sirenta {
namespace {

// Every position at which the limit is reached, found by scanning again just
// past each one found.
template <class Model>
std::vector<std::size_t> Limits(const Model &model, std::span<const ReferenceVector> v,
                                SweepPath path) {
  std::vector<std::size_t> found;
  for (std::size_t from = 0; from < v.size();) {
    const std::size_t hit = from + detail::FirstLimit(model, v.subspan(from), path);
    if (hit == v.size())
      break;
    found.push_back(hit);
    from = hit + 1;
  }
  return found;
}

template <class Model>
std::vector<std::size_t> LimitsOneByOne(const Model &model, std::span<const ReferenceVector> v) {
  std::vector<std::size_t> found;
  for (std::size_t i = 0; i < v.size(); ++i)
    if (model.LimitReached(v[i].vAlpha, v[i].vBeta))
      found.push_back(i);
  return found;
}

// Counts how many vectors reached the limit, so that the test shows it
// compared both outcomes and not only "no limit anywhere".
template <class Model>
std::size_t ExpectSameLimits(const SirentaParams &params, std::span<const ReferenceVector> v) {
  const Model model(params);
  const std::vector<std::size_t> expected = LimitsOneByOne(model, v);
  for (SweepPath path : VectorPaths())
    EXPECT_EQ(Limits(model, v, path), expected)
        << PathName(path) << " at " << params.pwmFrequency << " Hz, dead " << params.deadTime
        << ", sampling " << params.samplingTime << ", rise " << params.riseTime << ", noise "
        << params.noiseTime;
  return expected.size();
}

TEST(SweepScan, AgreesWithTheModelsOnArbitraryTimingsAndVectors) {
  if (VectorPaths().empty())
    GTEST_SKIP() << "no vector path on this processor";
  std::mt19937 rng(25);
  std::size_t singleLimits = 0, threeLimits = 0;
  for (int i = 0; i < 1500; ++i) {
    const SirentaParams params = DrawParams(rng);
    const std::vector<ReferenceVector> v = DrawVectors(rng, 200 + rng() % 100);
    singleLimits += ExpectSameLimits<SingleShuntModel>(params, v);
    threeLimits += ExpectSameLimits<ThreeShuntModel>(params, v);
  }
  // Both outcomes occur often: the comparison is not one-sided.
  EXPECT_GT(singleLimits, 1000u);
  EXPECT_GT(threeLimits, 1000u);
}

// The rows a search with the default step scans, at every index from 0 to
// 100, for timings around the defaults.
TEST(SweepScan, AgreesWithTheModelsOnTheSharedRows) {
  if (VectorPaths().empty())
    GTEST_SKIP() << "no vector path on this processor";
  const AngleSweep sweep(ThreeShuntDefaults());
  std::mt19937 rng(2025);
  std::size_t limits = 0;
  for (int m = 0; m <= 100; m += 4) {
    SirentaParams params = ThreeShuntDefaults();
    params.pwmFrequency = 4000 + rng() % 30000;
    params.samplingTime = rng() % 3000;
    params.riseTime = rng() % 5000;
    params.noiseTime = rng() % 5000;
    limits += ExpectSameLimits<SingleShuntModel>(params, sweep.VectorsAt(m));
    limits += ExpectSameLimits<ThreeShuntModel>(params, sweep.VectorsAt(m));
  }
  EXPECT_GT(limits, 100u);
}

// 4000 Hz, vAlpha 30339, vBeta -9476: wX + wUA wraps before the halving. The
// vector sits at every position of a block, so that every lane meets it.
TEST(SweepScan, WrappedSumInEveryLane) {
  if (VectorPaths().empty())
    GTEST_SKIP() << "no vector path on this processor";
  SirentaParams params = ThreeShuntDefaults();
  params.pwmFrequency = 4000;
  for (std::size_t lane = 0; lane < 16; ++lane) {
    std::vector<ReferenceVector> v(40, ReferenceVector{0, 0});
    v[lane] = {30339, -9476};
    v[lane + 17] = {30339, -9476};
    ExpectSameLimits<SingleShuntModel>(params, v);
    ExpectSameLimits<ThreeShuntModel>(params, v);
  }
}

// Vectors whose voltage terms sit where truncation toward zero matters:
// random vectors almost never land there.
TEST(SweepScan, SumsWhereTruncationMatters) {
  if (VectorPaths().empty())
    GTEST_SKIP() << "no vector path on this processor";
  std::size_t vectors = 0, limits = 0;
  for (std::uint32_t f = 1000; f <= 40000; f += 37) {
    SirentaParams params = ThreeShuntDefaults();
    params.pwmFrequency = f;
    params.samplingTime = 200 + f % 2000;
    const PwmTimer timer = MakePwmTimer(f);
    const std::vector<ReferenceVector> v = VectorsWithSums(timer);
    vectors += v.size();
    limits += ExpectSameLimits<SingleShuntModel>(params, v);
    limits += ExpectSameLimits<ThreeShuntModel>(params, v);
  }
  EXPECT_GT(vectors, 5000u);
  EXPECT_GT(limits, 0u);
}

// Spans of every length up to a few blocks: the part past the last whole
// block goes through the portable code, the position counts from the start.
TEST(SweepScan, SpansOfEveryLength) {
  std::mt19937 rng(7);
  SirentaParams params = ThreeShuntDefaults();
  params.riseTime = 20000; // a limit at many vectors
  const SingleShuntModel single(params);
  const ThreeShuntModel three(params);
  const std::vector<ReferenceVector> v = DrawVectors(rng, 40);
  for (SweepPath path : kSweepPaths) {
    if (!PathAvailable(path))
      continue;
    for (std::size_t first = 0; first < 3; ++first) {
      for (std::size_t n = 0; first + n <= v.size(); ++n) {
        const auto s = std::span<const ReferenceVector>(v).subspan(first, n);
        EXPECT_EQ(detail::FirstLimit(single, s, path), single.FirstLimitPortable(s)) << n;
        EXPECT_EQ(detail::FirstLimit(three, s, path), three.FirstLimitPortable(s)) << n;
      }
    }
  }
  EXPECT_EQ(three.FirstLimitPortable({}), 0u);
  EXPECT_LT(three.FirstLimitPortable(v), v.size());
}

} // namespace
} // namespace sirenta
