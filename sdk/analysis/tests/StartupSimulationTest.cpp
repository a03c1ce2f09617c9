// The sensorless start-up simulation: the three scenarios a start-up can
// end in, the torque balance of a locked forced angle worked by hand, the
// worst-case rotor angle, the convergence test's arithmetic, the motor
// model against the R-L step, and the cases it does not apply to.
#include "parvex/StartupSimulation.h"
#include "TestRecords.h"
#include "analysis/ConvergenceTest.h"
#include "analysis/MotorModel.h"

#include <gtest/gtest.h>

#include <cmath>
#include <functional>
#include <string>

namespace parvex::analysis::test {
namespace {

bool HasFinding(const StartupResult &r, const std::string &subject, const std::string &names) {
  for (const StartupFinding &f : r.findings)
    if (f.subject == subject && f.reason.find(names) != std::string::npos)
      return true;
  return false;
}

// The default motor with an alignment before the ramp.
UserData Aligned(const std::function<void(UserData &)> &edit = {}) {
  UserData d = DefaultRecord();
  d.IncludeAlignmentBeforeStartUp = 1;
  if (edit)
    edit(d);
  return d;
}

TEST(StartupSimulation, SmallInertiaStartsAndTheObserverConverges) {
  // From the worst case, 179 deg off the alignment; the friction damps the
  // swing within the 700 ms alignment.
  const StartupResult r = SimulateStartup(Aligned(), Mechanics{2e-5, 1e-4, 0});
  ASSERT_TRUE(r.notSimulated.empty()) << r.notSimulated;
  EXPECT_FALSE(r.lostStep) << StartupText(r);
  EXPECT_LT(std::fabs(r.largestLoadAngle), 90.0);
  ASSERT_TRUE(r.converged) << StartupText(r);
  // The ramp passes the 580 rpm the test asks for after 580 / 2700 x 1.5 s.
  EXPECT_GT(r.convergenceTime, 0.322);
  EXPECT_LT(r.convergenceTime, 1.5);
  EXPECT_GE(r.convergenceEstimate, 580.0);
  EXPECT_LT(std::fabs(r.convergenceAngleError), 10.0);
  EXPECT_EQ(r.passedTests, 60);
  EXPECT_FALSE(r.voltageLimited);
  EXPECT_TRUE(r.findings.empty()) << StartupText(r);
}

TEST(StartupSimulation, ThousandTimesTheInertiaLosesStep) {
  // From the worst case the alignment cannot turn so heavy a rotor in time.
  const StartupResult worst = SimulateStartup(Aligned(), Mechanics{2e-2, 1e-4, 0});
  EXPECT_TRUE(worst.lostStep);
  EXPECT_FALSE(worst.converged);
  EXPECT_TRUE(HasFinding(worst, "lost step", "lengthen AlignmentDuration")) << StartupText(worst);
  EXPECT_TRUE(HasFinding(worst, "no convergence", "lost step"));

  // Aligned already, it cannot follow the ramp: 2e-2 x (2700 rpm = 282.7
  // rad/s) / 1.5 s + 1e-4 x 282.7 = 3.80 N m against 0.0468 x 0.7 = 0.0327 N m.
  StartupOptions o;
  o.rotorAngle = 90;
  const StartupResult r = SimulateStartup(Aligned(), Mechanics{2e-2, 1e-4, 0}, o);
  EXPECT_TRUE(r.lostStep);
  EXPECT_GT(std::fabs(r.largestLoadAngle), 90.0);
  EXPECT_FALSE(r.converged);
  EXPECT_TRUE(HasFinding(r, "lost step", "asks for 3.8 N m")) << StartupText(r);
  EXPECT_TRUE(HasFinding(r, "lost step", "at most 0.0327 N m"));
  EXPECT_TRUE(
      HasFinding(r, "lost step", "raise CurrentRampFinalValue or lengthen SpeedRampDuration"));
}

TEST(StartupSimulation, ARampEndingAt50RpmNeverConverges) {
  const StartupResult r = SimulateStartup(
      Aligned([](UserData &d) { d.SpeedRampFinalValue.Value = 50; }), Mechanics{2e-5, 1e-4, 0});
  EXPECT_FALSE(r.lostStep) << StartupText(r);
  EXPECT_FALSE(r.converged);
  EXPECT_TRUE(HasFinding(r, "no convergence", "raise SpeedRampFinalValue")) << StartupText(r);
  EXPECT_TRUE(HasFinding(r, "no convergence", "580 rpm"));
}

TEST(StartupSimulation, ALockedForcedAngleHoldsTheLoadWhereTheTorquesBalance) {
  // The forced angle stays at 0 (final speed 0): the current vector points
  // at 90 deg with the final 0.7 A, held as round(0.7 x 11228.43) = 7860
  // counts, 0.700004 A. Against 0.02 N m the rotor settles where
  // Kt I sin(lambda) = 0.02: Kt I = 0.0467818 x 0.700004 = 0.0327475 N m,
  // sin(lambda) = 0.610734, lambda = 37.64 deg.
  UserData d = DefaultRecord();
  d.SpeedRampFinalValue.Value = 0;
  d.SpeedRampDuration.Value = 3000;
  StartupOptions o;
  o.rotorAngle = 90; // on the current vector: no swing past the balance
  const StartupResult r = SimulateStartup(d, Mechanics{2e-5, 1e-3, 0.02}, o);
  ASSERT_FALSE(r.series.empty());
  EXPECT_NEAR(r.series.back().loadAngle, 37.64, 0.02);
  EXPECT_NEAR(r.series.back().rotorSpeed, 0.0, 0.1);
  EXPECT_NEAR(r.series.back().iq, 0.700004 * 0.610734, 0.002);
}

TEST(StartupSimulation, TheSameInputGivesTheSameOutput) {
  const UserData d = Aligned();
  const StartupResult a = SimulateStartup(d, Mechanics{2e-5, 1e-4, 0});
  const StartupResult b = SimulateStartup(d, Mechanics{2e-5, 1e-4, 0});
  EXPECT_EQ(StartupCsv(a), StartupCsv(b));
  EXPECT_EQ(StartupText(a), StartupText(b));
}

TEST(StartupSimulation, WorstCaseIs179DegreesFromTheFirstCurrentVector) {
  struct Case {
    const char *name;
    bool align;
    unsigned angle;
    AlignmentAxis axis;
    ForcedStart start;
    double expected;
  };
  const Case cases[] = {
      // Without alignment the start-up current on q of a frame at 0 points at 90.
      {"no alignment", false, 90, AlignmentAxis::D, ForcedStart::Zero, 269},
      {"no alignment, ramp from 30", false, 30, AlignmentAxis::D, ForcedStart::AtAlignment, 299},
      {"alignment on d at 90", true, 90, AlignmentAxis::D, ForcedStart::Zero, 269},
      {"alignment on d at 30", true, 30, AlignmentAxis::D, ForcedStart::Zero, 209},
      {"alignment on q at 90", true, 90, AlignmentAxis::Q, ForcedStart::Zero, 359},
      {"alignment on q at 300", true, 300, AlignmentAxis::Q, ForcedStart::Zero, 209},
  };
  for (const Case &c : cases) {
    UserData d = DefaultRecord();
    d.IncludeAlignmentBeforeStartUp = c.align ? 1 : 0;
    d.AlignmentAngle.Value = c.angle;
    StartupOptions o;
    o.alignmentAxis = c.axis;
    o.forcedStart = c.start;
    EXPECT_NEAR(WorstCaseRotorAngle(d, o), c.expected, 1e-9) << c.name;
  }
}

TEST(StartupSimulation, WithoutAlignmentTheWorstCaseAsksForOne) {
  const StartupResult r = SimulateStartup(DefaultRecord(), Mechanics{2e-5, 0, 0});
  EXPECT_DOUBLE_EQ(r.rotorAngle, 269.0);
  EXPECT_TRUE(r.lostStep);
  EXPECT_TRUE(HasFinding(r, "lost step", "turn on IncludeAlignmentBeforeStartUp"))
      << StartupText(r);
  EXPECT_TRUE(HasFinding(r, "lost step", "no friction"));
}

TEST(StartupSimulation, ALowBusReachesTheVoltageLimit) {
  // 2700 rpm needs a back-EMF of 0.0156 Wb x 2 x 282.7 rad/s = 8.8 V; a 16 V
  // bus gives at most 16 / 2 = 8 V. The test never passes, so the ramp runs
  // to its end.
  UserData d = Edited([](UserData &e) {
    e.IncludeAlignmentBeforeStartUp = 1;
    e.DCBusVoltage.Value = 16;
    e.ConsinstencyThreshold.Value = 65535;
  });
  StartupOptions o;
  o.rotorAngle = 90;
  const StartupResult r = SimulateStartup(d, Mechanics{2e-5, 1e-4, 0}, o);
  EXPECT_TRUE(r.voltageLimited) << StartupText(r);
  EXPECT_LT(r.voltageLimit, 8.0);
  EXPECT_TRUE(HasFinding(r, "voltage limit", "lower SpeedRampFinalValue")) << StartupText(r);
}

TEST(StartupSimulation, AnEarlySwitchIsFlaggedWithTheSettingsThatDelayIt) {
  // One test after the estimates' window fills: the switch comes while the
  // rotor falls out of step on a ramp to 20000 rpm.
  const StartupResult r = SimulateStartup(Aligned([](UserData &d) {
                                            d.SpeedRampFinalValue.Value = 20000;
                                            d.ConsinstencyThreshold.Value = 1;
                                          }),
                                          Mechanics{2e-5, 1e-4, 0});
  ASSERT_TRUE(r.converged);
  EXPECT_GT(std::fabs(r.convergenceAngleError), 30.0);
  EXPECT_TRUE(HasFinding(r, "angle error", "raise ConsinstencyThreshold")) << StartupText(r);
}

TEST(StartupSimulation, SaysWhyItDoesNotRun) {
  UserData encoder = DefaultRecord();
  encoder.NoSpeedSensors = 0;
  encoder.QuadratureEncoder = 1;
  encoder.EnableObserverGainTuning = 0;
  EXPECT_NE(SimulateStartup(encoder, Mechanics{2e-5, 0, 0}).notSimulated.find("speed sensor"),
            std::string::npos);
  EXPECT_EQ(StartupText(SimulateStartup(encoder, Mechanics{2e-5, 0, 0})).find('\n'),
            StartupText(SimulateStartup(encoder, Mechanics{2e-5, 0, 0})).size() - 1);

  UserData tuned = encoder;
  tuned.EnableObserverGainTuning = 1;
  const StartupResult aux = SimulateStartup(tuned, Mechanics{2e-5, 0, 0});
  EXPECT_TRUE(aux.notSimulated.empty()) << aux.notSimulated;
  EXPECT_TRUE(aux.auxiliary);
  EXPECT_TRUE(HasFinding(aux, "lost step", "AuxIncludeAlignmentBeforeStartUp"));

  EXPECT_NE(SimulateStartup(DefaultRecord(), Mechanics{}).notSimulated.find("No inertia"),
            std::string::npos);
  UserData noBemf = DefaultRecord();
  noBemf.Ke.Value = 0;
  EXPECT_NE(SimulateStartup(noBemf, Mechanics{2e-5, 0, 0}).notSimulated.find("not simulated"),
            std::string::npos);
}

TEST(ConvergenceTest, JudgesTheMeanAndTheSpread) {
  struct Case {
    const char *name;
    double samples[4];
    SpreadRule rule;
    double minimum;
    bool pass;
  };
  // VARIANCE_THRESHOLD 0.0625 of a 1000 rpm mean: a variance up to 62500
  // rpm^2, or a deviation up to 62.5 rpm.
  const Case cases[] = {
      {"steady", {1000, 1000, 1000, 1000}, SpreadRule::VarianceOfMeanSquare, 580, true},
      {"variance 10000", {900, 1100, 900, 1100}, SpreadRule::VarianceOfMeanSquare, 580, true},
      {"deviation 100", {900, 1100, 900, 1100}, SpreadRule::DeviationOfMean, 580, false},
      {"deviation 50", {950, 1050, 950, 1050}, SpreadRule::DeviationOfMean, 580, true},
      {"variance 250000", {500, 1500, 500, 1500}, SpreadRule::VarianceOfMeanSquare, 580, false},
      {"mean below the speed", {500, 500, 500, 500}, SpreadRule::VarianceOfMeanSquare, 580, false},
      {"backwards", {-1000, -1000, -1000, -1000}, SpreadRule::VarianceOfMeanSquare, 0, false},
  };
  for (const Case &c : cases) {
    ConvergenceTest test({4, 0.0625, c.minimum, c.rule, 1});
    for (const double v : c.samples)
      test.Add(v);
    EXPECT_EQ(test.Test(), c.pass) << c.name;
  }
}

TEST(ConvergenceTest, NeedsItsTestsInARowOnAFullWindow) {
  ConvergenceTest test({4, 0.0625, 0, SpreadRule::VarianceOfMeanSquare, 3});
  for (int i = 0; i < 3; ++i)
    test.Add(1000);
  EXPECT_FALSE(test.Test()); // three estimates of four
  test.Add(1000);
  EXPECT_FALSE(test.Test());
  EXPECT_FALSE(test.Test());
  test.Add(3000); // mean 1500, variance 750000 > 140625: the run starts again
  EXPECT_FALSE(test.Test());
  EXPECT_EQ(test.Run(), 0);
  EXPECT_EQ(test.Longest(), 2);
  for (int i = 0; i < 4; ++i)
    test.Add(1000);
  EXPECT_FALSE(test.Test());
  EXPECT_FALSE(test.Test());
  EXPECT_TRUE(test.Test());
}

TEST(MotorModel, ALockedRotorFollowsTheRLStep) {
  // 1 V on d of a rotor held still: i = V / R (1 - exp(-R t / L)); after
  // 1 ms with R 0.35 Ohm and L 0.6 mH, 2.857143 x (1 - exp(-0.583333)) =
  // 2.857143 x (1 - 0.606531 x 0.920044) = 2.857143 x 0.441965 = 1.262757 A.
  MotorParameters m;
  m.resistance = 0.35;
  m.ld = m.lq = 0.6e-3;
  m.flux = 0.0156;
  m.polePairs = 2;
  m.inertia = 1e300;
  MotorState s;
  for (int k = 0; k < 10; ++k)
    s = AdvanceMotor(m, s, {1.0, 0.0}, 1e-4);
  EXPECT_NEAR(s.id, 1.262757, 1e-6);
  EXPECT_NEAR(s.iq, 0.0, 1e-12);
  EXPECT_NEAR(s.speed, 0.0, 1e-12);
}

} // namespace
} // namespace parvex::analysis::test
