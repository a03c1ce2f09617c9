// The speed loop from the motor's mechanics: figures checked against
// hand-derived continuous values, the limit the discrete figures approach as
// the speed period shrinks, the design hitting its bandwidth, and the flags.
#include "TestRecords.h"
#include "parvex/AnalysisText.h"

#include <gtest/gtest.h>

#include <cmath>
#include <numbers>

namespace parvex::analysis::test {
namespace {

constexpr double kPi = std::numbers::pi;
// The defaults' current scaling: 32767 x (0.22 x 2.57) / 1.65 counts/A.
const double kCountsPerAmp = 32767.0 * 0.22 * 2.57 / 1.65;
// Kt = 3/2 P psi, psi = sqrt 2 Ke 60 / (sqrt 3 2000 pi P): with Ke 4 Vrms/krpm,
// 3 sqrt 2 x 60 x 4 / (2 sqrt 3 x 2000 pi) = 0.0467818 N m/A.
const double kTorqueConstant =
    3.0 * std::sqrt(2.0) * 60.0 * 4.0 / (2.0 * std::sqrt(3.0) * 2000.0 * kPi);
// Counts per rpm for 1 A per rad/s.
const double kCountsPerRpmPerAmp = kCountsPerAmp * 2.0 * kPi / 60.0;

AnalysisOptions With(const Mechanics &m) {
  AnalysisOptions o;
  o.mechanics = m;
  return o;
}

// A proportional gain of 50 counts/rpm with the inertia that makes
// Kp Kt / J = 100 rad/s: the ideal loop Kp Kt / (J s) crosses at 100 rad/s.
UserData ProportionalOnly(double period) {
  UserData d = DefaultRecord();
  d.SpeedPDividend.Value = 50;
  d.SpeedPDivisor.Value = 1;
  d.SpeedIDividend.Value = 0;
  d.SpeedRegulationControlRate = period * 1000.0;
  return d;
}
const double kInertiaFor100 = 50.0 / kCountsPerRpmPerAmp * kTorqueConstant / 100.0;

TEST(SpeedLoop, NothingWithoutMechanics) {
  const ControllerAnalysis a = Analyse(DefaultRecord());
  EXPECT_FALSE(a.speed.analysed);
  EXPECT_EQ(a.speed.level, Level::Ok);
  for (const GainRow &row : a.rows)
    EXPECT_EQ(row.quantity.find("Speed"), std::string::npos);
  EXPECT_EQ(AnalysisTable(a).find("speed loop"), std::string::npos);
  EXPECT_EQ(AnalysisCsv(a).find("speed loop"), std::string::npos);
}

// With the integrator off the loop is Kp Kt / (J s) x the delays: a
// crossover at 100 rad/s and a margin of 90 deg less the phase of the
// delays there: 1.5 speed periods (one of computation, half of hold) and
// the q current loop's equivalent delay.
TEST(SpeedLoop, ProportionalLoopByHand) {
  const double period = 0.5e-3;
  const ControllerAnalysis a = Analyse(ProportionalOnly(period), With({kInertiaFor100, 0, 0}));
  const SpeedLoopFigures &f = a.speed;
  ASSERT_TRUE(f.analysed) << f.reason;
  EXPECT_NEAR(f.torqueConstant, kTorqueConstant, 1e-12);
  EXPECT_NEAR(f.controller.kp, 50.0 / kCountsPerRpmPerAmp, 1e-12);
  EXPECT_NEAR(f.crossover, 100.0, 1.0);
  const double delays = (1.5 * period + f.innerDelay) * f.crossover * 180.0 / kPi;
  EXPECT_NEAR(f.phaseMargin, 90.0 - delays, 0.3);
  // The q loop's delay is a fraction of its own period (69 us at 14.4 kHz).
  EXPECT_GT(f.innerDelay, 0.5 / 14400.0);
  EXPECT_LT(f.innerDelay, 5.0 / 14400.0);
  EXPECT_LT(f.innerDelayMarginError, 1.0);
  EXPECT_TRUE(f.stable);
}

// With the integral zero at wz the continuous loop (100 / w) sqrt(1 + wz^2
// / w^2) crosses where w^4 - 100^2 w^2 - 100^2 wz^2 = 0, and the margin is
// 90 deg - atan(wz / w) less the q loop's delay. wz = 25 rad/s: w = 102.91
// rad/s, 90 - 13.655 = 76.345 deg. The discrete loop approaches that as the
// speed period shrinks.
TEST(SpeedLoop, DiscreteFiguresApproachTheContinuousLimit) {
  const double w = std::sqrt((1e4 + std::sqrt(1e8 + 4e4 * 625.0)) / 2.0);
  ASSERT_NEAR(w, 102.91, 0.01);
  double previousError = INFINITY;
  for (const double period : {2e-3, 2e-4, 2e-5}) {
    UserData d = ProportionalOnly(period);
    // ki = kp wz Tsp counts per period, over the largest divisor.
    d.SpeedIDivisor.Value = 32768;
    d.SpeedIDividend.Value = static_cast<std::uint32_t>(std::lround(50 * 25.0 * period * 32768));
    const double zero = d.SpeedIDividend.Value / 32768.0 / (50.0 * period);
    const ControllerAnalysis a = Analyse(d, With({kInertiaFor100, 0, 0}));
    const SpeedLoopFigures &f = a.speed;
    ASSERT_TRUE(f.analysed);
    const double limit =
        90.0 - std::atan(zero / w) * 180.0 / kPi - f.innerDelay * f.crossover * 180.0 / kPi;
    const double error = std::fabs(f.phaseMargin - limit);
    EXPECT_LT(error, previousError) << period;
    previousError = error;
    if (period == 2e-5) {
      EXPECT_NEAR(f.crossover, w, 0.005 * w);
      EXPECT_LT(error, 0.2);
    }
  }
}

TEST(SpeedLoop, DesignHitsItsBandwidth) {
  const UserData d = DefaultRecord();
  // A tenth of the q loop's 6165 rad/s, but at most 0.15 / 2 ms = 75 rad/s.
  EXPECT_DOUBLE_EQ(DefaultSpeedBandwidth(d), 75.0);
  for (const double bandwidth : {20.0, 75.0}) {
    const SpeedDesign design = DesignSpeedGains(d, {2e-5, 0, 0}, bandwidth);
    ASSERT_TRUE(design.designed) << design.why;
    EXPECT_NEAR(design.crossover, bandwidth, 0.1 * bandwidth);
    // The zero a factor 4 below: Ki / Kp = bandwidth / 4.
    EXPECT_NEAR(design.exact.ki / design.exact.kp, bandwidth / 4.0, 1e-9 * bandwidth);
    // Dividends within s16, divisors powers of two up to 2^15.
    for (const auto &[dividend, divisor] :
         {std::pair{design.gains.pDividend, design.gains.pDivisor},
          std::pair{design.gains.iDividend, design.gains.iDivisor}}) {
      EXPECT_LE(dividend, 32767);
      EXPECT_LE(divisor, 32768);
      EXPECT_EQ(divisor & (divisor - 1), 0);
    }
    UserData applied = d;
    applied.SpeedPDividend.Value = static_cast<std::uint32_t>(design.gains.pDividend);
    applied.SpeedPDivisor.Value = static_cast<std::uint32_t>(design.gains.pDivisor);
    applied.SpeedIDividend.Value = static_cast<std::uint32_t>(design.gains.iDividend);
    applied.SpeedIDivisor.Value = static_cast<std::uint32_t>(design.gains.iDivisor);
    const SpeedLoopFigures f = Analyse(applied, With({2e-5, 0, 0})).speed;
    EXPECT_NEAR(f.crossover, bandwidth, 0.1 * bandwidth);
    EXPECT_GE(f.phaseMargin, 45.0);
    EXPECT_EQ(f.level, Level::Ok) << f.reason;
  }
  EXPECT_FALSE(DesignSpeedGains(d, {2e-5, 0, 0}, 5000).designed); // beyond the Nyquist frequency
  EXPECT_FALSE(DesignSpeedGains(d, {0, 0, 0}).designed);
}

TEST(SpeedLoop, FlagsFireWhereTheyMust) {
  struct Case {
    const char *name;
    std::function<void(UserData &)> edit;
    Mechanics mechanics;
    const char *reason; // part of it
    Level level;
  };
  const auto none = [](UserData &) {};
  const Case cases[] = {
      {"defaults", none, {2e-5, 0, 0}, "", Level::Ok},
      // 1000 times the inertia: the crossover falls below the integral's
      // zero and the margin with it.
      {"heavy load", none, {2e-2, 0, 0}, "below 45 deg", Level::Flag},
      {"unstable",
       [](UserData &d) { d.SpeedPDividend.Value = 32767; },
       {2e-6, 0, 0},
       "the speed loop is unstable",
       Level::Flag},
      // Fast speed loop: a crossover near 1500 rad/s against the q loop's
      // 6165.
      {"no cascade",
       [](UserData &d) {
         d.SpeedRegulationControlRate = 0.5;
         d.SpeedPDividend.Value = 750;
         d.SpeedPDivisor.Value = 1;
       },
       {kInertiaFor100, 0, 0},
       "within a factor 5 of the current loop's",
       Level::Flag},
      // 0.2 N m needs 4.3 A of the 2 A the reference is clamped at: the q
      // loop's overshoot carries the current past the nominal current.
      {"overload", none, {2e-5, 0, 0.2}, "above the nominal current 2 A", Level::Flag},
  };
  for (const Case &c : cases) {
    UserData d = DefaultRecord();
    c.edit(d);
    const ControllerAnalysis a = Analyse(d, With(c.mechanics));
    EXPECT_EQ(a.speed.level, c.level) << c.name << ": " << a.speed.reason;
    EXPECT_NE(a.speed.reason.find(c.reason), std::string::npos) << c.name << ": " << a.speed.reason;
    const bool found = std::any_of(a.findings.begin(), a.findings.end(),
                                   [](const Finding &f) { return f.subject == "speed loop"; });
    EXPECT_EQ(found, c.level != Level::Ok) << c.name;
  }
}

// The step: from standstill to 2 % of the maximum speed (72 rpm), then the
// load; the figures follow from the samples, and the same input gives the
// same output.
TEST(SpeedLoop, StepAndLoad) {
  const ControllerAnalysis a = Analyse(DefaultRecord(), With({2e-5, 0, 0.01}));
  const SpeedLoopFigures &f = a.speed;
  ASSERT_TRUE(f.analysed);
  EXPECT_EQ(f.stepRpm, 72);
  ASSERT_GT(f.step.size(), 100u);
  EXPECT_EQ(f.step.front().speed, 0);
  EXPECT_FALSE(f.saturates);
  EXPECT_GT(f.overshoot, 0.0);
  EXPECT_TRUE(std::isfinite(f.settlingTime));
  EXPECT_LT(f.settlingTime, f.loadTime);
  // Before the load the speed ends within 2 % of the step; the load pulls
  // it down, and the current that holds it is 0.01 / Kt = 0.214 A.
  const SpeedSample &beforeLoad = *std::find_if(
      f.step.rbegin(), f.step.rend(), [&](const SpeedSample &s) { return s.time < f.loadTime; });
  EXPECT_NEAR(beforeLoad.speed, 72, 0.02 * 72);
  EXPECT_GT(f.loadDrop, 0);
  EXPECT_NEAR(f.step.back().current, 0.01 / kTorqueConstant, 0.02);
  const ControllerAnalysis again = Analyse(DefaultRecord(), With({2e-5, 0, 0.01}));
  ASSERT_EQ(again.speed.step.size(), f.step.size());
  for (std::size_t i = 0; i < f.step.size(); ++i) {
    EXPECT_EQ(again.speed.step[i].speed, f.step[i].speed);
    EXPECT_EQ(again.speed.step[i].current, f.step[i].current);
  }
}

} // namespace
} // namespace parvex::analysis::test
