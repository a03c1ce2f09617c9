// Inputs for comparing the vector scans with the scalar code: timings and
// reference vectors far beyond what a search produces, and vectors whose
// voltage terms land exactly where truncation toward zero matters.
#pragma once

#include <gtest/gtest.h>

#include <cstdint>
#include <iterator>
#include <optional>
#include <random>
#include <utility>
#include <vector>

#include "AngleSweep.h"
#include "Defaults.h"
#include "PwmTimer.h"
#include "ReferenceVector.h"
#include "sirenta.h"

namespace sirenta {

// Values that sit on the edges of the 16- and 32-bit arithmetic.
inline constexpr std::uint32_t kEdges[] = {
    0, 1, 2, 255, 256, 65535, 65536, 65537, 1000000, 0x7FFFFFFFu, 0x80000000u, 0xFFFFFFFFu};

inline std::uint32_t DrawTime(std::mt19937 &rng) {
  switch (rng() % 4) {
  case 0:
    return rng() % 5001; // the range a page offers
  case 1:
    return kEdges[rng() % std::size(kEdges)];
  case 2:
    return rng() % 70001;
  default:
    return static_cast<std::uint32_t>(rng());
  }
}

inline std::uint32_t DrawFrequency(std::mt19937 &rng) {
  switch (rng() % 4) {
  case 0:
    return 1000 + rng() % 39001;
  case 1:
    return 1 + rng() % 2000; // half periods beyond 16 bits
  case 2:
    return kEdges[rng() % std::size(kEdges)];
  default:
    return static_cast<std::uint32_t>(rng());
  }
}

inline SirentaParams DrawParams(std::mt19937 &rng) {
  SirentaParams p = ThreeShuntDefaults();
  do
    p.pwmFrequency = DrawFrequency(rng);
  while (!IsUsablePwmFrequency(p.pwmFrequency));
  p.deadTime = DrawTime(rng);
  p.samplingTime = DrawTime(rng);
  p.riseTime = DrawTime(rng);
  p.noiseTime = DrawTime(rng);
  return p;
}

// Any 16-bit pair, pairs a search stores, and the extremes.
inline std::vector<ReferenceVector> DrawVectors(std::mt19937 &rng, std::size_t count) {
  std::vector<ReferenceVector> v;
  v.reserve(count);
  const std::int16_t extremes[] = {-32768, -32767, -1, 0, 1, 32766, 32767};
  while (v.size() < count) {
    switch (rng() % 3) {
    case 0:
      v.push_back({static_cast<std::int16_t>(rng()), static_cast<std::int16_t>(rng())});
      break;
    case 1:
      v.push_back(ReferenceAt(AngleAt((rng() % 600001) / 10000.0), static_cast<int>(rng() % 101)));
      break;
    default:
      v.push_back({extremes[rng() % std::size(extremes)], extremes[rng() % std::size(extremes)]});
      break;
    }
  }
  return v;
}

// A vector whose wX + sign x wUA is exactly `target`: vAlpha x sign x ts3 -
// vBeta x t = target, solved by the extended Euclidean algorithm and moved
// into the 16-bit range along the solution family, if it reaches there.
inline std::optional<ReferenceVector> VectorWithSum(const PwmTimer &timer, int sign,
                                                    std::int64_t target) {
  // Solve a x p + b x q = g for p = sign x ts3, q = -t.
  const std::int64_t p = sign * static_cast<std::int64_t>(timer.ts3);
  const std::int64_t q = -static_cast<std::int64_t>(timer.t);
  std::int64_t r0 = p, r1 = q, a0 = 1, a1 = 0, b0 = 0, b1 = 1;
  while (r1 != 0) {
    const std::int64_t k = r0 / r1;
    r0 = std::exchange(r1, r0 - k * r1);
    a0 = std::exchange(a1, a0 - k * a1);
    b0 = std::exchange(b1, b0 - k * b1);
  }
  if (r0 == 0 || target % r0 != 0)
    return std::nullopt;
  const std::int64_t scale = target / r0;
  std::int64_t alpha = a0 * scale, beta = b0 * scale;
  // Other solutions: alpha + k q / g, beta - k p / g.
  const std::int64_t stepAlpha = q / r0, stepBeta = -p / r0;
  if (stepAlpha == 0)
    return std::nullopt;
  const std::int64_t k = -alpha / stepAlpha;
  alpha += k * stepAlpha;
  beta += k * stepBeta;
  if (alpha < -32768 || alpha > 32767 || beta < -32768 || beta > 32767)
    return std::nullopt;
  EXPECT_EQ(alpha * p + beta * q, target);
  return ReferenceVector{static_cast<std::int16_t>(alpha), static_cast<std::int16_t>(beta)};
}

// Sums of the voltage terms right where halving and D() truncate toward zero
// rather than down: small odd negatives and the neighbours of multiples of
// 2^17 and 2^18, for both wX + wUA and wX - wUA.
inline std::vector<ReferenceVector> VectorsWithSums(const PwmTimer &timer) {
  const std::int64_t targets[] = {
      -3,      -1,      1,      3,      -131073,     -131071,     131071,      131073,
      -262145, -262143, 262143, 262145, -2147483647, -1073741825, -1073741823, 2147483647};
  std::vector<ReferenceVector> v;
  for (int sign : {1, -1})
    for (std::int64_t target : targets)
      if (const auto found = VectorWithSum(timer, sign, target))
        v.push_back(*found);
  return v;
}

} // namespace sirenta
