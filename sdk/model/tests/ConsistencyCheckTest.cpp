#include "TestRecord.h"

#include <initializer_list>
#include <limits>
#include <ostream>
#include <string>

namespace parvex::test {
namespace {

constexpr double nan = std::numeric_limits<double>::quiet_NaN();
constexpr double inf = std::numeric_limits<double>::infinity();

UserData Checked(UserData d) {
  EXPECT_EQ(PARVEX_CheckConsistency(&d), 0);
  return d;
}

TEST(ConsistencyCheck, NullRecordGivesOne) {
  EXPECT_EQ(PARVEX_CheckConsistency(nullptr), 1);
}

TEST(ConsistencyCheck, OnTheDefaultsOnlyLdMaxChanges) {
  UserData expected = DefaultRecord();
  EXPECT_EQ(expected.Ld.Max, 500.0);
  expected.Ld.Max = 0.6;
  EXPECT_TRUE(SameBytes(Checked(DefaultRecord()), expected));
}

TEST(ConsistencyCheck, DividerRatioBoundsTheOverVoltageThreshold) {
  UserData d = DefaultRecord();
  d.DCBusVoltagePartitioning.Value = 0.02;
  d = Checked(d);
  EXPECT_EQ(d.OverVoltageThreshold.Max, 148u);
}

TEST(ConsistencyCheck, SmallMeasurableVoltageKeepsTheFloorOf15) {
  UserData d = DefaultRecord();
  d.DCBusVoltagePartitioning.Value = 0.5; // Vmax 5
  d = Checked(d);
  EXPECT_EQ(d.OverVoltageThreshold.Max, 15u);
  EXPECT_EQ(d.UnderVoltageThreshold.Min, 5u);
  EXPECT_EQ(d.OverVoltageThreshold.Min, 5u);
  EXPECT_EQ(d.UnderVoltageThreshold.Value, 5u);
  EXPECT_EQ(d.OverVoltageThreshold.Value, 15u);
  EXPECT_EQ(d.UnderVoltageThreshold.Max, 15u);
}

TEST(ConsistencyCheck, ThresholdsInTheWrongOrderAreExchanged) {
  UserData d = DefaultRecord();
  d.OverVoltageThreshold.Value = 10;
  d.UnderVoltageThreshold.Value = 40;
  d = Checked(d);
  EXPECT_EQ(d.OverVoltageThreshold.Value, 40u);
  EXPECT_EQ(d.UnderVoltageThreshold.Value, 18u);
  EXPECT_EQ(d.UnderVoltageThreshold.Max, 40u);
  EXPECT_EQ(d.OverVoltageThreshold.Min, 18u);
}

TEST(ConsistencyCheck, WithoutMtpaLdFollowsLq) {
  UserData d = DefaultRecord();
  d.Ld.Value = 0.3;
  d = Checked(d);
  EXPECT_EQ(d.Ld.Value, 0.6);
  EXPECT_EQ(d.FluxPDividend.Value, 3911u);
}

TEST(ConsistencyCheck, WithMtpaALowerLdStaysAndDrivesTheFluxGain) {
  UserData d = DefaultRecord();
  d.InternalPMSMMaximunTxAStrategy = 1;
  d.Ld.Value = 0.3;
  d = Checked(d);
  EXPECT_EQ(d.Ld.Value, 0.3);
  EXPECT_EQ(d.Ld.Max, 0.6);
  EXPECT_EQ(d.FluxPDividend.Value, 1955u);
  EXPECT_EQ(d.FluxPDivisor.Value, 4096u);
}

TEST(ConsistencyCheck, WithMtpaLdAboveLqIsClampedBeforeTheGains) {
  UserData d = DefaultRecord();
  d.InternalPMSMMaximunTxAStrategy = 1;
  d.Ld.Value = 0.9;
  d.FluxPDividend.Value = 1;
  d = Checked(d);
  EXPECT_EQ(d.Ld.Value, 0.6);
  EXPECT_EQ(d.FluxPDividend.Value, 3911u);
}

TEST(ConsistencyCheck, RatedCurrentIsLimitedToTheMeasurableCurrent) {
  UserData d = DefaultRecord();
  d.RatedCurrent.Value = 5;
  d = Checked(d);
  EXPECT_EQ(Bits(d.RatedCurrent.Value), defaultMeasurableCurrentBits);
  EXPECT_EQ(d.RatedCurrent.Value, 2.9182879377431905);
  EXPECT_EQ(d.TorqueInitRef.Max, d.RatedCurrent.Value);
  EXPECT_EQ(d.FluxInitRef.Max, d.RatedCurrent.Value);
  EXPECT_EQ(d.CurrentRampFinalValue.Max, d.RatedCurrent.Value);
  EXPECT_EQ(d.AuxCurrentRampFinalValue.Max, d.RatedCurrent.Value);
}

TEST(ConsistencyCheck, IsolatedSensorsSetTheMeasurableCurrentFromTheirGain) {
  UserData d = DefaultRecord();
  d.IsolatedCurrentSensors = 1;
  d.ICSGain.Value = 0.5;
  d = Checked(d);
  EXPECT_EQ(d.RatedCurrent.Max, 3.3);
}

TEST(ConsistencyCheck, NegativeRatedCurrentIsClampedToItsMinimumFirst) {
  UserData d = DefaultRecord();
  d.RatedCurrent.Value = -1;
  d = Checked(d);
  EXPECT_EQ(d.RatedCurrent.Value, 0.05);
  EXPECT_EQ(d.TorqueInitRef.Max, 0.05);
  EXPECT_EQ(d.TorqueInitRef.Value, 0.05);
  EXPECT_EQ(d.FluxInitRef.Max, 0.05);
  EXPECT_EQ(d.FluxInitRef.Value, 0.0);
  EXPECT_EQ(d.CurrentRampInitialValue.Value, 0.05);
  EXPECT_EQ(d.CurrentRampFinalValue.Value, 0.05);
  EXPECT_EQ(d.CurrentRampFinalValue.Max, 0.05);
  EXPECT_EQ(d.AuxCurrentRampFinalValue.Max, 0.05);
}

TEST(ConsistencyCheck, SpeedReferenceAndThresholdsFollowTheMotorMaxSpeed) {
  UserData d = DefaultRecord();
  d.MotorMaxSpeed.Value = 1000;
  d.MinimumSpeed.Value = 2000;
  d.AuxMinimumSpeed.Value = 500;
  d = Checked(d);
  EXPECT_EQ(d.SpeedInitRef.Max, 1000u);
  EXPECT_EQ(d.SpeedInitRef.Value, 1000u);
  EXPECT_EQ(d.MinimumSpeed.Max, 1000u);
  EXPECT_EQ(d.MinimumSpeed.Value, 1000u);
  EXPECT_EQ(d.AuxMinimumSpeed.Max, 1000u);
  EXPECT_EQ(d.AuxMinimumSpeed.Value, 500u);
}

TEST(ConsistencyCheck, MinimumSpeedAboveMaximumIsExchanged) {
  UserData d = DefaultRecord();
  d.MinMechanicalSpeed.Value = 50000;
  d.MaxMechanicalSpeed.Value = 100;
  d = Checked(d);
  EXPECT_EQ(d.MinMechanicalSpeed.Value, 100u);
  EXPECT_EQ(d.MaxMechanicalSpeed.Value, 50000u);
  EXPECT_EQ(d.MinMechanicalSpeed.Min, 1u);
  EXPECT_EQ(d.MinMechanicalSpeed.Max, 50000u);
  EXPECT_EQ(d.MaxMechanicalSpeed.Min, 100u);
  EXPECT_EQ(d.MaxMechanicalSpeed.Max, 200000u);
}

TEST(ConsistencyCheck, AuxiliarySpeedRangeIsClampedToOneTo200000) {
  UserData d = DefaultRecord();
  d.AuxMinMechanicalSpeed.Value = 0;
  d.AuxMaxMechanicalSpeed.Value = 300000;
  d = Checked(d);
  EXPECT_EQ(d.AuxMinMechanicalSpeed.Value, 1u);
  EXPECT_EQ(d.AuxMaxMechanicalSpeed.Value, 200000u);
  EXPECT_EQ(d.AuxMinMechanicalSpeed.Max, 200000u);
  EXPECT_EQ(d.AuxMaxMechanicalSpeed.Min, 1u);
}

TEST(ConsistencyCheck, CurrentRampInTheWrongOrderIsExchanged) {
  UserData d = DefaultRecord();
  d.CurrentRampInitialValue.Value = 1.5;
  d.CurrentRampFinalValue.Value = 0.2;
  d = Checked(d);
  EXPECT_EQ(d.CurrentRampInitialValue.Value, 0.2);
  EXPECT_EQ(d.CurrentRampFinalValue.Value, 1.5);
  EXPECT_EQ(d.CurrentRampInitialValue.Min, 0.0);
  EXPECT_EQ(d.CurrentRampInitialValue.Max, 1.5);
  EXPECT_EQ(d.CurrentRampFinalValue.Min, 0.2);
  EXPECT_EQ(d.CurrentRampFinalValue.Max, 2.0);
}

TEST(ConsistencyCheck, CurrentRampAboveTheRatedCurrentIsClamped) {
  UserData d = DefaultRecord();
  d.AuxCurrentRampInitialValue.Value = 3.5;
  d.AuxCurrentRampFinalValue.Value = 2.5;
  d = Checked(d);
  EXPECT_EQ(d.AuxCurrentRampInitialValue.Value, 2.0);
  EXPECT_EQ(d.AuxCurrentRampFinalValue.Value, 2.0);
}

TEST(ConsistencyCheck, CurrentRampNeverOutlastsTheSpeedRamp) {
  UserData d = DefaultRecord();
  d.SpeedRampDuration.Value = 200;
  d.AuxSpeedRampDuration.Value = 5000;
  d = Checked(d);
  EXPECT_EQ(d.CurrentRampDuration.Max, 200u);
  EXPECT_EQ(d.CurrentRampDuration.Value, 200u);
  EXPECT_EQ(d.AuxCurrentRampDuration.Max, 5000u);
  EXPECT_EQ(d.AuxCurrentRampDuration.Value, 350u);
}

struct DivisorCase {
  std::uint32_t stored;
  std::uint32_t rounded;
};

void PrintTo(const DivisorCase &c, std::ostream *os) {
  *os << c.stored;
}

class DivisorRounding : public ::testing::TestWithParam<DivisorCase> {};

TEST_P(DivisorRounding, SpeedAndFluxWeakeningDivisorsBecomePowersOfTwo) {
  const DivisorCase &c = GetParam();
  UserData d = DefaultRecord();
  for (IntParam *p : {&d.SpeedPDivisor, &d.SpeedIDivisor, &d.SpeedDDivisor,
                      &d.FluxWeakeningControllerPDivisor, &d.FluxWeakeningControllerIDivisor})
    p->Value = c.stored;
  d = Checked(d);
  EXPECT_EQ(d.SpeedPDivisor.Value, c.rounded);
  EXPECT_EQ(d.SpeedIDivisor.Value, c.rounded);
  EXPECT_EQ(d.SpeedDDivisor.Value, c.rounded);
  EXPECT_EQ(d.FluxWeakeningControllerPDivisor.Value, c.rounded);
  EXPECT_EQ(d.FluxWeakeningControllerIDivisor.Value, c.rounded);
}

// 0 lies outside every allowed range: it becomes 1, the smallest divisor.
// From 2^31 up the largest power of two not above the value is 2^31.
INSTANTIATE_TEST_SUITE_P(Values, DivisorRounding,
                         ::testing::Values(DivisorCase{100, 64}, DivisorCase{3, 2},
                                           DivisorCase{1, 1}, DivisorCase{32768, 32768},
                                           DivisorCase{32767, 16384},
                                           DivisorCase{2147483647u, 1073741824u}, DivisorCase{0, 1},
                                           DivisorCase{2147483648u, 2147483648u},
                                           DivisorCase{4294967295u, 2147483648u}),
                         [](const ::testing::TestParamInfo<DivisorCase> &info) {
                           return "From" + std::to_string(info.param.stored);
                         });

TEST(ConsistencyCheck, TorqueDivisorEnteredByHandIsNotRounded) {
  UserData d = DefaultRecord();
  d.TorqueAndFluxGainsComputation = 0;
  d.TorquePDivisor.Value = 100;
  d = Checked(d);
  EXPECT_EQ(d.TorquePDivisor.Value, 100u);
}

TEST(ConsistencyCheck, SpeedSensorClearsTheAuxiliaryFeedbackChoice) {
  for (int sensor : {0, 1}) {
    UserData d = DefaultRecord();
    d.NoSpeedSensors = 0;
    d.QuadratureEncoder = sensor == 0;
    d.HallSensors = sensor == 1;
    d.ViewEncoderFeedback = 1;
    d.ViewHallSensorsFeedback = 1;
    d.None = 0;
    d.EnableModality = 1;
    d.EnableDACFunctionality = 0;
    d = Checked(d);
    EXPECT_EQ(d.ViewEncoderFeedback, 0u);
    EXPECT_EQ(d.ViewHallSensorsFeedback, 0u);
    EXPECT_EQ(d.None, 1u);
    // The debug options are the sensorless mode's business only.
    EXPECT_EQ(d.EnableModality, 1u);
    EXPECT_EQ(d.EnableDACFunctionality, 0u);
  }
}

TEST(ConsistencyCheck, AnyNonZeroFlagCountsAsSet) {
  UserData d = DefaultRecord();
  d.NoSpeedSensors = 0;
  d.HallSensors = 0x80000000u;
  d.IsolatedCurrentSensors = 2;
  d.ICSGain.Value = 0.5;
  d.MaximumAvailableModulationIndex.Value = 80;
  d = Checked(d);
  EXPECT_EQ(d.None, 1u);
  EXPECT_EQ(d.ViewEncoderFeedback, 0u);
  EXPECT_EQ(d.RatedCurrent.Max, 3.3);
  EXPECT_EQ(d.MaximumAvailableModulationIndex.Value, 100u);
}

TEST(ConsistencyCheck, SensorlessWithAViewedSensorForcesTheDac) {
  UserData d = DefaultRecord();
  d.EnableDACFunctionality = 0;
  d.EnableModality = 1;
  d = Checked(d);
  EXPECT_EQ(d.EnableDACFunctionality, 1u);
  EXPECT_EQ(d.EnableModality, 0u);
}

TEST(ConsistencyCheck, SensorlessWithoutAViewedSensorLeavesTheDac) {
  UserData d = DefaultRecord();
  d.ViewEncoderFeedback = 0;
  d.None = 1;
  d.EnableDACFunctionality = 0;
  d.EnableModality = 1;
  d = Checked(d);
  EXPECT_EQ(d.EnableDACFunctionality, 0u);
  EXPECT_EQ(d.EnableModality, 0u);
}

TEST(ConsistencyCheck, SpeedDifferentialDividendIsLeftAsEntered) {
  for (std::uint32_t differential : {0u, 1u}) {
    UserData d = DefaultRecord();
    d.CheckToEnableDifferentialTerm = differential;
    d.SpeedDDividend.Value = 1234;
    d = Checked(d);
    EXPECT_EQ(d.SpeedDDividend.Value, 1234u) << differential;
  }
}

TEST(ConsistencyCheck, RerunsEveryCalculation) {
  UserData d = DefaultRecord();
  d.TorqueAndFluxControlRate = 3;
  d.TorqueIDividend.Value = 1;
  d.K1.Value = 1;
  d.AuxK1.Value = 1;
  d.MaximumAvailableModulationIndex = {0, 0, 0, 0};
  d = Checked(d);
  EXPECT_EQ(d.TorqueIDividend.Value, 1901u);
  EXPECT_EQ(d.K1.Value, -6762);
  EXPECT_EQ(d.AuxK1.Value, -6762);
  EXPECT_EQ(d.MaximumAvailableModulationIndex.Value, 98u);
  EXPECT_EQ(d.MaximumAvailableModulationIndex.Max, 100u);
}

// Values a loaded project may hold that have no defined limit: the dependent
// limits and values stay as they were, and nothing crashes.
TEST(ConsistencyCheck, ZeroDividerRatioLeavesTheThresholds) {
  for (double ratio : {0.0, -0.0, nan, -0.5, 1e-12}) {
    UserData d = DefaultRecord();
    d.DCBusVoltagePartitioning.Value = ratio;
    const UserData before = d;
    d = Checked(d);
    EXPECT_EQ(d.OverVoltageThreshold.Max, before.OverVoltageThreshold.Max) << ratio;
    EXPECT_EQ(d.OverVoltageThreshold.Value, before.OverVoltageThreshold.Value) << ratio;
    EXPECT_EQ(d.UnderVoltageThreshold.Min, before.UnderVoltageThreshold.Min) << ratio;
    EXPECT_EQ(d.UnderVoltageThreshold.Value, before.UnderVoltageThreshold.Value) << ratio;
  }
}

TEST(ConsistencyCheck, ZeroCurrentSensingGainLeavesTheMeasurableCurrent) {
  struct Case {
    std::uint32_t isolated;
    double icsGain, shunt, amplification;
  };
  for (const Case &c : {Case{1, 0.0, 0.22, 2.57}, Case{0, 1, 0.0, 2.57}, Case{0, 1, 0.22, 0.0},
                        Case{0, 1, nan, 2.57}, Case{1, nan, 0.22, 2.57}, Case{0, 1, inf, 0.0}}) {
    UserData d = DefaultRecord();
    d.IsolatedCurrentSensors = c.isolated;
    d.ICSGain.Value = c.icsGain;
    d.ShuntResistorValue.Value = c.shunt;
    d.AmplificationGain.Value = c.amplification;
    d = Checked(d);
    EXPECT_EQ(Bits(d.RatedCurrent.Max), defaultMeasurableCurrentBits);
    EXPECT_EQ(d.RatedCurrent.Value, 2.0);
  }
}

TEST(ConsistencyCheck, NonFiniteInductanceAndCurrentLeaveTheirCouplings) {
  UserData d = DefaultRecord();
  d.Lq.Value = nan;
  d.RatedCurrent.Value = nan;
  const UserData before = d;
  d = Checked(d);
  EXPECT_EQ(d.Ld.Max, before.Ld.Max);
  EXPECT_EQ(d.Ld.Value, before.Ld.Value);
  EXPECT_EQ(d.TorqueInitRef.Max, before.TorqueInitRef.Max);
  EXPECT_EQ(d.CurrentRampInitialValue.Min, before.CurrentRampInitialValue.Min);
  EXPECT_EQ(d.CurrentRampFinalValue.Max, before.CurrentRampFinalValue.Max);
  // The gains that would need the inductance stay as they were.
  EXPECT_EQ(d.TorquePDividend.Value, before.TorquePDividend.Value);
  EXPECT_EQ(d.K1.Value, before.K1.Value);
}

} // namespace
} // namespace parvex::test
