#include "TestRecords.h"

#include <cmath>

namespace parvex::analysis::test {
namespace {

// A copy: the analysis is often a temporary.
LoopFigures QLoop(const ControllerAnalysis &a) {
  return a.loops.at(0);
}

// A fast loop with fine quantisation: 100 kHz, wc = 1000 rad/s (wc Ts = 0.01), R = 1 Ohm,
// L = 1 mH, 10 V bus, 0.025 V/A sensing: A = 0.25.
//   KpT = 1000 x 1 x 3.3 / 1000 / 0.25 = 13.2 -> 3379 / 256 (13.19922, -0.006 %)
//   Ki = 1 x 1000 x 3.3 / (0.25 x 100000) = 0.132 -> 2162 / 16384 (0.131958, -0.03 %)
//   496.47 counts/A; a 4 A step is 1985 counts, asking 13.2 x 1985 = 26202 counts = 4.0 V
//   of the 4.9 V available.
// The loop then is wc / s with a dead time of 1.5 Ts (one period of computation, half a
// period of hold): the response lags the ideal one by 15 us, at most wc x 1.5 Ts = 1.5 %
// of the step (where the ideal curve is steepest); one count is 0.05 %. Tolerance 2 %.
// The closed loop wc e^(-1.5 s Ts) / (s + wc e^(-1.5 s Ts)) has its -3 dB point within
// about wc Ts = 1 % of wc; allowed 3 %.
UserData FastLoop() {
  UserData d = DefaultRecord();
  d.PWMFrequency.Value = 100000;
  d.TorqueAndFluxControlRate = 1;
  d.CutOffFrequency.Value = 1000;
  d.R.Value = 1;
  d.Lq.Value = 1;
  d.Ld.Value = 1;
  d.DCBusVoltage.Value = 10;
  d.ShuntResistorValue.Value = 0.025;
  d.AmplificationGain.Value = 1;
  d.RatedCurrent.Value = 40;
  d.MaximumAvailableModulationIndex.Value = 98;
  EXPECT_EQ(PARVEX_CalcControlSettingsTorqueAndFluxPID(&d), 0);
  return d;
}

TEST(CurrentLoop, FastFineLoopFollowsTheIdealFirstOrderResponse) {
  const UserData d = FastLoop();
  ASSERT_EQ(d.TorquePDividend.Value, 3379u);
  ASSERT_EQ(d.TorqueIDividend.Value, 2162u);
  const LoopFigures &q = QLoop(Analyse(d));
  ASSERT_TRUE(q.analysed);
  EXPECT_EQ(q.stepCounts, 1985);
  ASSERT_EQ(q.step.size(), q.ideal.size());
  ASSERT_GE(q.step.size(), 1000u); // 10 / (wc Ts) periods
  for (std::size_t k = 0; k < q.step.size(); ++k) {
    const double t = q.step[k].time;
    EXPECT_NEAR(q.step[k].current, q.stepAmps * (1 - std::exp(-1000 * t)), 0.02 * q.stepAmps)
        << "at " << t << " s";
  }
  EXPECT_NEAR(q.bandwidth, 1000, 30);
  EXPECT_NEAR(q.crossover, 1000, 30);
  EXPECT_FALSE(q.saturates);
  EXPECT_EQ(q.level, Level::Ok) << q.reason;
}

// Defaults by hand. kp = 3911/4096 = 0.954834, ki = 633/16384 = 0.0386353,
// Ts = 1/14400, phi = exp(-0.35 Ts / 0.0006) = exp(-0.0405093) = 0.960300,
// counts ratio A / 3.3 = 3.769333, plant gain 3.769333 x (1 - phi) / 0.35 = 0.427545.
//   L(z) = K' (z - z0) / (z (z - 1)(z - phi)), K' = (kp + ki) x 0.427545 = 0.424757,
//   z0 = kp / (kp + ki) = 0.961111, a near cancellation of phi.
// Without the residue (z - z0)/(z - phi): |L| = K' / (2 sin(theta/2)) = 1 at
//   theta = 2 asin(0.212378) = 0.427886, i.e. 6161.6 rad/s; the phase there is
//   -90 deg - 1.5 theta = -126.774 deg. The residue at z = e^(j 0.427886) = 0.909839 + 0.414986j:
//   |z - z0| / |z - phi| = 0.418142 / 0.418049 = 1.00022 (moves theta by +0.02 %), and its
//   angle 97.048 - 96.938 = +0.110 deg. So crossover 6163 rad/s, phase margin 53.34 deg
//   (the continuous estimate 90 - 1.5 wc Ts x 180/pi gives 54.2 deg).
// Step, from y[k] = y[k-1] - K' y[k-2] + K' (the cancelled loop): 0, 0, 0.4248, 0.8495,
//   1.0939, 1.1578, 1.1179, 1.0509, 1.0008, 0.9792, 0.9789, 0.9877, ...: overshoot 15.8 %,
//   inside the 2 % band from k = 11 on (0.76 ms).
// Closed-loop -3 dB of K'/(z^2 - z + K'): 4K' c^2 - 2(1 + K') c + (2 - 2K' - K'^2) = 0 with
//   c = cos(theta): c = 0.474903, theta = 1.07601, 15494 rad/s.
TEST(CurrentLoop, DefaultsMatchTheHandWorkedLoop) {
  const ControllerAnalysis a = Analyse(DefaultRecord());
  for (const LoopFigures &loop : a.loops) {
    SCOPED_TRACE(loop.axis);
    ASSERT_TRUE(loop.analysed);
    EXPECT_NEAR(loop.crossover, 6163, 6163 * 0.002);
    EXPECT_NEAR(loop.phaseMargin, 53.34, 0.1);
    EXPECT_TRUE(loop.stable);
    EXPECT_NEAR(loop.overshoot, 0.158, 0.01);
    EXPECT_GE(loop.settlingTime, 10 / 14400.0);
    EXPECT_LE(loop.settlingTime, 12 / 14400.0);
    EXPECT_NEAR(loop.bandwidth, 15494, 15494 * 0.02);
    EXPECT_GT(loop.peakDb, 0);
    EXPECT_EQ(loop.stepCounts, 2245); // 0.2 A x 11228.4 counts/A
    EXPECT_FALSE(loop.saturates);
    EXPECT_EQ(loop.level, Level::Ok) << loop.reason;
    EXPECT_EQ(loop.closedLoop.size(), 200u);
  }
}

// Each further period of delay costs theta_c = 0.427886 rad = 24.516 deg of margin at the
// same crossover (the delay does not change |L|): PM = 90 - (d + 1/2) 24.516 + 0.110 deg.
// Past d = 3 (PM 4.3 deg) the margin turns negative and the loop unstable.
struct DelayCase {
  int delay;
  double margin;
  bool stable;
  Level level;
};

void PrintTo(const DelayCase &c, std::ostream *os) {
  *os << "delay " << c.delay;
}

class ComputationDelay : public ::testing::TestWithParam<DelayCase> {};

TEST_P(ComputationDelay, LowersThePhaseMarginAsTheoryPredicts) {
  const DelayCase &c = GetParam();
  AnalysisOptions options;
  options.delayPeriods = c.delay;
  const LoopFigures &q = QLoop(Analyse(DefaultRecord(), options));
  EXPECT_NEAR(q.phaseMargin, c.margin, 0.2);
  EXPECT_NEAR(q.crossover, 6163, 6163 * 0.002);
  EXPECT_EQ(q.stable, c.stable);
  EXPECT_EQ(q.level, c.level) << q.reason;
}

INSTANTIATE_TEST_SUITE_P(Defaults, ComputationDelay,
                         ::testing::Values(DelayCase{0, 77.85, true, Level::Ok},
                                           DelayCase{1, 53.34, true, Level::Ok},
                                           DelayCase{2, 28.82, true, Level::Flag},
                                           DelayCase{3, 4.31, true, Level::Flag},
                                           DelayCase{4, -20.21, false, Level::Flag}));

TEST(ComputationDelay, MarginFallsWithEveryPeriod) {
  double previous = 180;
  for (int d = 0; d <= 6; ++d) {
    AnalysisOptions options;
    options.delayPeriods = d;
    const double margin = QLoop(Analyse(DefaultRecord(), options)).phaseMargin;
    EXPECT_LT(margin, previous) << "delay " << d;
    previous = margin;
  }
}

// Loops the design cannot hold. The cancelled loop is K'/(z(z - 1)) with K' about
// wc Ts (1 + R Ts / (2L)); its closed-loop poles z^2 - z + K' have radius sqrt(K'),
// outside the unit circle once K' > 1.
//   wc 15000 at 14.4 kHz: K' = 1.0417 x 1.0203 = 1.063, theta_c = 2 asin(0.531) = 1.120:
//     PM = 90 - 1.5 x 64.2 = -6 deg.
//   Rate 3 (Ts = 1/4800): K' = 1.25 x 1.061 = 1.326, theta_c = 2 asin(0.663) = 1.450:
//     PM = 90 - 1.5 x 83.1 = -35 deg.
struct UnstableCase {
  const char *name;
  std::function<void(UserData &)> edit;
  double marginLow, marginHigh;
};

void PrintTo(const UnstableCase &c, std::ostream *os) {
  *os << c.name;
}

class DesignBeyondTheDelay : public ::testing::TestWithParam<UnstableCase> {};

TEST_P(DesignBeyondTheDelay, IsFlaggedUnstable) {
  const UnstableCase &c = GetParam();
  const ControllerAnalysis a = Analyse(Edited(c.edit));
  for (const LoopFigures &loop : a.loops) {
    SCOPED_TRACE(loop.axis);
    EXPECT_GE(loop.phaseMargin, c.marginLow);
    EXPECT_LE(loop.phaseMargin, c.marginHigh);
    EXPECT_FALSE(loop.stable);
    EXPECT_GT(loop.spectralRadius, 1);
    EXPECT_EQ(loop.level, Level::Flag);
    EXPECT_TRUE(Contains(loop.reason, "the loop is unstable")) << loop.reason;
  }
}

INSTANTIATE_TEST_SUITE_P(
    Examples, DesignBeyondTheDelay,
    ::testing::Values(UnstableCase{"CutOff15000",
                                   [](UserData &d) { d.CutOffFrequency.Value = 15000; }, -9, -3},
                      UnstableCase{"ControlRate3",
                                   [](UserData &d) { d.TorqueAndFluxControlRate = 3; }, -40, -30}),
    [](const ::testing::TestParamInfo<UnstableCase> &info) { return info.param.name; });

// A 4 A step asks 3.6 V/A x 4 A = 14.4 V at once, more than the 10.78 V available.
TEST(CurrentLoop, StepBeyondTheVoltageLimitIsFlagged) {
  AnalysisOptions options;
  options.stepFraction = 2.0;
  const LoopFigures &q = QLoop(Analyse(DefaultRecord(), options));
  EXPECT_TRUE(q.saturates);
  EXPECT_EQ(q.level, Level::Flag);
  EXPECT_TRUE(Contains(q.reason, "drives the voltage to its limit (10.8 V)")) << q.reason;
}

// Half the proportional gain by hand: |L| near K'/2 / (2 sin(theta/2)), crossover about
// 2 asin(0.106) x 14400 = 3060 rad/s, half the requested 6000.
TEST(CurrentLoop, CrossoverFarFromTheRequestIsFlagged) {
  const LoopFigures &q = QLoop(Analyse(Edited([](UserData &d) {
    d.TorqueAndFluxGainsComputation = 0;
    d.TorquePDividend.Value = 1955;
  })));
  EXPECT_TRUE(q.stable);
  EXPECT_LT(q.crossover, 0.8 * 6000);
  EXPECT_EQ(q.level, Level::Flag);
  EXPECT_TRUE(Contains(q.reason, "from the requested 6000 rad/s")) << q.reason;
}

TEST(CurrentLoop, RecordWithoutALoopIsNotAnalysed) {
  UserData d = DefaultRecord();
  d.Lq.Value = 0;
  const LoopFigures &q = QLoop(Analyse(d));
  EXPECT_FALSE(q.analysed);
  EXPECT_EQ(q.level, Level::Flag);
  EXPECT_TRUE(Contains(q.reason, "inductance")) << q.reason;
}

} // namespace
} // namespace parvex::analysis::test
