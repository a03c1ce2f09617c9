#include "TestRecord.h"

#include <functional>
#include <limits>
#include <ostream>
#include <string>

namespace parvex::test {
namespace {

struct GainCase {
  std::string name;
  std::function<void(UserData &)> change;
  std::uint32_t torqueP, pDivisor, fluxP, integral, iDivisor;
};

void PrintTo(const GainCase &c, std::ostream *os) {
  *os << c.name;
}

class TorqueFluxGains : public ::testing::TestWithParam<GainCase> {};

TEST_P(TorqueFluxGains, ComputesTheWorkedExample) {
  const GainCase &c = GetParam();
  UserData d = DefaultRecord();
  c.change(d);
  // Outputs not written by the calculation would show as these marks.
  d.TorqueDDividend.Value = 7;
  d.FluxDDividend.Value = 7;
  ASSERT_EQ(PARVEX_CalcControlSettingsTorqueAndFluxPID(&d), 0);
  EXPECT_EQ(d.TorquePDividend.Value, c.torqueP);
  EXPECT_EQ(d.TorquePDivisor.Value, c.pDivisor);
  EXPECT_EQ(d.FluxPDividend.Value, c.fluxP);
  EXPECT_EQ(d.FluxPDivisor.Value, c.pDivisor);
  EXPECT_EQ(d.TorqueIDividend.Value, c.integral);
  EXPECT_EQ(d.FluxIDividend.Value, c.integral);
  EXPECT_EQ(d.TorqueIDivisor.Value, c.iDivisor);
  EXPECT_EQ(d.FluxIDivisor.Value, c.iDivisor);
  EXPECT_EQ(d.TorqueDDividend.Value, 100u);
  EXPECT_EQ(d.FluxDDividend.Value, 100u);
}

INSTANTIATE_TEST_SUITE_P(
    WorkedExamples, TorqueFluxGains,
    ::testing::Values(
        GainCase{"Defaults", [](UserData &) {}, 3911, 4096, 3911, 633, 16384},
        GainCase{"MtpaLowerLd", [](UserData &d) { d.Ld.Value = 0.3; }, 3911, 4096, 1955, 633,
                 16384},
        GainCase{"LargeLq", [](UserData &d) { d.Lq.Value = 500; }, 3183, 4, 3, 633, 16384},
        GainCase{"ControlRate3", [](UserData &d) { d.TorqueAndFluxControlRate = 3; }, 3911, 4096,
                 3911, 1901, 16384},
        GainCase{"NoExponentFits",
                 [](UserData &d) {
                   d.DCBusVoltage.Value = 3;
                   d.ShuntResistorValue.Value = 0.001;
                   d.AmplificationGain.Value = 1;
                 },
                 64880640, 16384, 64880640, 2566, 16},
        // A = 22 V * 1 V/A: KpT = 6000 * 0.6 * 3.3 / 1000 / 22 = 0.54, Ki = 0.021875.
        GainCase{"IsolatedSensorsUseTheirGain", [](UserData &d) { d.IsolatedCurrentSensors = 1; },
                 2211, 4096, 2211, 358, 16384}),
    [](const ::testing::TestParamInfo<GainCase> &info) { return info.param.name; });

TEST(TorqueFluxGainsResult, NullRecordGivesOne) {
  EXPECT_EQ(PARVEX_CalcControlSettingsTorqueAndFluxPID(nullptr), 1);
}

TEST(TorqueFluxGainsResult, ZeroBusVoltageGivesTwoAndWritesNothing) {
  UserData d = DefaultRecord();
  d.DCBusVoltage.Value = 0;
  const UserData before = d;
  EXPECT_EQ(PARVEX_CalcControlSettingsTorqueAndFluxPID(&d), 2);
  EXPECT_TRUE(SameBytes(d, before));
}

TEST(TorqueFluxGainsResult, ZeroPwmFrequencyGivesTwoAndWritesNothing) {
  UserData d = DefaultRecord();
  d.PWMFrequency.Value = 0;
  const UserData before = d;
  EXPECT_EQ(PARVEX_CalcControlSettingsTorqueAndFluxPID(&d), 2);
  EXPECT_TRUE(SameBytes(d, before));
}

TEST(TorqueFluxGainsResult, ManualEditingWritesNothingWhateverTheFieldsHold) {
  UserData d = DefaultRecord();
  d.TorqueAndFluxGainsComputation = 0;
  d.DCBusVoltage.Value = 0;
  d.TorquePDividend.Value = 12;
  const UserData before = d;
  EXPECT_EQ(PARVEX_CalcControlSettingsTorqueAndFluxPID(&d), 0);
  EXPECT_TRUE(SameBytes(d, before));
}

TEST(TorqueFluxGainsResult, AnyNonZeroFlagEnablesComputation) {
  UserData d = DefaultRecord();
  d.TorqueAndFluxGainsComputation = 0x100;
  d.TorquePDividend.Value = 12;
  EXPECT_EQ(PARVEX_CalcControlSettingsTorqueAndFluxPID(&d), 0);
  EXPECT_EQ(d.TorquePDividend.Value, 3911u);
}

// Values a loaded project may hold: the gains have no defined integer value,
// so they stay as they were.
TEST(TorqueFluxGainsResult, UndefinedResultsWriteNothing) {
  const double bad[] = {std::numeric_limits<double>::quiet_NaN(),
                        std::numeric_limits<double>::infinity(), 1e300, -1e300};
  for (double v : bad) {
    UserData d = DefaultRecord();
    d.Lq.Value = v;
    const UserData before = d;
    EXPECT_EQ(PARVEX_CalcControlSettingsTorqueAndFluxPID(&d), 2) << v;
    EXPECT_TRUE(SameBytes(d, before)) << v;
  }
  UserData d = DefaultRecord();
  d.DCBusVoltage.Value = std::numeric_limits<double>::quiet_NaN();
  const UserData before = d;
  EXPECT_EQ(PARVEX_CalcControlSettingsTorqueAndFluxPID(&d), 2);
  EXPECT_TRUE(SameBytes(d, before));
}

} // namespace
} // namespace parvex::test
