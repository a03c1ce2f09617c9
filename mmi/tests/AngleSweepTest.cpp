#include "AngleSweep.h"

#include <gtest/gtest.h>

#include <cmath>
#include <limits>

#include "Defaults.h"

namespace sirenta {
namespace {

SirentaParams Sweep(double step, double span) {
  SirentaParams p = ThreeShuntDefaults();
  p.angleStep = step;
  p.angleSpan = span;
  return p;
}

struct SweepCase {
  const char *name;
  double step, span;
  std::size_t kept;
  double last; // theta of the last kept angle
  bool stalls;
  std::optional<double> rest;
};

// Steps of a quarter degree add exactly, so every angle is known by hand.
TEST(AngleSweep, KeptAnglesStallsAndRest) {
  constexpr double nan = std::numeric_limits<double>::quiet_NaN();
  const SweepCase cases[] = {
      {"exact span", 0.25, 1.0, 4, 0.75, false, std::nullopt},
      {"span between two angles", 0.25, 0.9, 4, 0.75, false, std::nullopt},
      {"span just above an angle", 0.25, 0.7500001, 4, 0.75, false, std::nullopt},
      {"zero step", 0.0, 30.0, 1, 0.0, true, std::nullopt},
      {"negative step", -0.25, 30.0, 1, 0.0, true, std::nullopt},
      {"NaN step", nan, 30.0, 1, 0.0, true, std::nullopt},
      {"zero span", 0.25, 0.0, 0, 0.0, false, std::nullopt},
      {"negative span", 0.01, -5.0, 0, 0.0, false, std::nullopt},
      {"NaN span", 0.01, nan, 0, 0.0, false, std::nullopt},
      // 70 000 angles: the first 65 536 are kept, the sweep goes on from 16 384.
      {"longer than kept", 0.25, 17500.0, 65536, 16383.75, false, 16384.0},
  };
  for (const SweepCase &c : cases) {
    const AngleSweep sweep(Sweep(c.step, c.span));
    ASSERT_EQ(sweep.kept().size(), c.kept) << c.name;
    if (c.kept != 0) {
      EXPECT_EQ(sweep.kept().front().theta, 0.0) << c.name;
      EXPECT_EQ(sweep.kept().back().theta, c.last) << c.name;
    }
    EXPECT_EQ(sweep.stalls(), c.stalls) << c.name;
    EXPECT_EQ(sweep.rest(), c.rest) << c.name;
  }
}

TEST(AngleSweep, CosineAndSineOfEachAngle) {
  const AngleSweep sweep(Sweep(30.0, 91.0));
  ASSERT_EQ(sweep.kept().size(), 4u);
  const double expected[][2] = {
      {1.0, 0.0}, {0.8660254037844387, 0.5}, {0.5, 0.8660254037844387}, {0.0, 1.0}};
  for (std::size_t i = 0; i < 4; ++i) {
    EXPECT_NEAR(sweep.kept()[i].cos, expected[i][0], 1e-15) << i;
    EXPECT_NEAR(sweep.kept()[i].sin, expected[i][1], 1e-15) << i;
  }
}

// The default step shares one table: the single-shunt span keeps the angles
// below 30 degrees, the three-shunt span those below 60, the same values.
TEST(AngleSweep, DefaultSpansShareTheirAngles) {
  const AngleSweep single(SingleShuntDefaults());
  const AngleSweep three(ThreeShuntDefaults());
  ASSERT_GT(single.kept().size(), 2990u);
  ASSERT_LT(single.kept().size(), 3010u);
  ASSERT_GT(three.kept().size(), 5990u);
  ASSERT_LT(three.kept().size(), 6010u);
  EXPECT_LT(single.kept().back().theta, 30.0);
  EXPECT_GE(three.kept()[single.kept().size()].theta, 30.0);
  EXPECT_LT(three.kept().back().theta, 60.0);
  EXPECT_EQ(single.kept().data(), three.kept().data());
  // Six hundred additions of 0.01 fall a hair short of 6: that angle is swept.
  const AngleSweep shorter(Sweep(0.01, 6.0));
  EXPECT_EQ(shorter.kept().size(), 601u);
  EXPECT_LT(shorter.kept().back().theta, 6.0);
  EXPECT_NEAR(shorter.kept().back().theta, 6.0, 1e-9);
}

} // namespace
} // namespace sirenta
