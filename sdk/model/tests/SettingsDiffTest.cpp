// The comparison of two records by the build log's element names.
#include "TestRecord.h"
#include "parvex/Settings.h"

#include <gtest/gtest.h>

#include <cmath>
#include <cstddef>
#include <string>
#include <vector>

namespace parvex {
namespace {

using Lines = std::vector<std::string>;
using test::DefaultRecord;

TEST(SettingsDiff, EqualRecordsGiveNoLine) {
  const UserData d = DefaultRecord();
  EXPECT_EQ(DiffSettings(d, d), Lines{});
}

TEST(SettingsDiff, ChangedValueWithItsDecimals) {
  const UserData a = DefaultRecord();
  UserData b = a;
  b.R.Value = 0.40;
  EXPECT_EQ(DiffSettings(a, b), Lines{"MOTORANDHW/MOTORCHARACTERISTICS/R: 0.35 -> 0.40"});
}

TEST(SettingsDiff, ChangedLimits) {
  const UserData a = DefaultRecord();
  UserData b = a;
  b.RatedCurrent.Max = 3.3;
  b.PWMFrequency.Min = 2000;
  EXPECT_EQ(DiffSettings(a, b),
            (Lines{"MOTORANDHW/MOTORCHARACTERISTICS/RatedCurrent (max): 2.92 -> 3.30",
                   "CONTROLSETTINGS/DRIVINGSETTINGS/PWMFrequency (min): 4000 -> 2000"}));
}

TEST(SettingsDiff, ChangedDecimalsShownExactly) {
  const UserData a = DefaultRecord();
  UserData b = a;
  b.R.Decimals = 2.5;
  EXPECT_EQ(DiffSettings(a, b), Lines{"MOTORANDHW/MOTORCHARACTERISTICS/R (decimals): 2 -> 2.5"});
}

TEST(SettingsDiff, ChangedFlag) {
  const UserData a = DefaultRecord();
  UserData b = a;
  b.QuadratureEncoder = 1;
  b.NoSpeedSensors = 0;
  EXPECT_EQ(DiffSettings(a, b),
            (Lines{"CONFIGURATION/SPEEDFEEDBACK/QuadratureEncoder: FALSE -> TRUE",
                   "CONFIGURATION/SPEEDFEEDBACK/NoSpeedSensors: TRUE -> FALSE"}));
}

TEST(SettingsDiff, TwoSetFlagValuesStillDiffer) {
  const UserData a = DefaultRecord();
  UserData b = a;
  b.NoSpeedSensors = 7;
  EXPECT_EQ(DiffSettings(a, b),
            Lines{"CONFIGURATION/SPEEDFEEDBACK/NoSpeedSensors: TRUE (1) -> TRUE (7)"});
}

TEST(SettingsDiff, DifferenceHiddenByDecimalsShowsEveryDigit) {
  UserData a = DefaultRecord();
  UserData b = a;
  a.R.Value = 0.351;
  b.R.Value = 0.352;
  EXPECT_EQ(DiffSettings(a, b), Lines{"MOTORANDHW/MOTORCHARACTERISTICS/R: 0.351 -> 0.352"});
}

TEST(SettingsDiff, SignedValue) {
  const UserData a = DefaultRecord();
  UserData b = a;
  b.K1.Value = -100;
  EXPECT_EQ(DiffSettings(a, b), Lines{"SPEEDFEEDBACK/APRIORICOMPUTEDGAINS/K1: -21162 -> -100"});
}

// The default record is sensorless: the log leaves the Hall groups out, the
// comparison does not.
TEST(SettingsDiff, GroupsTheLogOmitsAreCompared) {
  UserData a = DefaultRecord();
  a.PhaseShift.Value = 10;
  UserData b = a;
  b.PhaseShift.Value = 20;
  b.AuxHall60Degrees = a.AuxHall60Degrees == 0 ? 1 : 0;
  b.Tnoise.Max = a.Tnoise.Max + 1;
  a.IsolatedCurrentSensors = b.IsolatedCurrentSensors = 1;
  const Lines lines = DiffSettings(a, b);
  ASSERT_EQ(lines.size(), 3u);
  EXPECT_EQ(lines[0], "SPEEDFEEDBACK/HALLSENSORSPLACEMENT/PhaseShift: 10 -> 20");
  EXPECT_EQ(lines[1].rfind("AUXSPEEDFEEDBACK/HALLSENSORSPLACEMENT/Hall60Degrees: ", 0), 0u);
  EXPECT_EQ(lines[2].rfind("CURRENTSENSING/NOISEPARAMETERS/Tnoise (max): ", 0), 0u);
}

TEST(SettingsDiff, SharedFieldIsNamedOnceByItsFirstPlace) {
  const UserData a = DefaultRecord();
  UserData b = a;
  b.MinMechanicalSpeed.Value = a.MinMechanicalSpeed.Value + 1;
  b.AlignmentCurrent.Max = a.AlignmentCurrent.Max + 1;
  const Lines lines = DiffSettings(a, b);
  ASSERT_EQ(lines.size(), 2u);
  EXPECT_EQ(
      lines[0].rfind("SPEEDFEEDBACK/SPEEDMEASUREMENTERRORSMANAGEMENT/MinMechanicalSpeed: ", 0), 0u);
  EXPECT_EQ(lines[1].rfind("SPEEDFEEDBACK/ALIGNMENTSETTINGS/Current (max): ", 0), 0u);
}

TEST(SettingsDiff, FieldsTheLogNeverShows) {
  const UserData a = DefaultRecord();
  UserData b = a;
  b.MinimumSpeed.Value = 111;
  b.AuxMinimumSpeed.Value = 222;
  b.TorqueAndFluxGainsComputation = a.TorqueAndFluxGainsComputation == 0 ? 1 : 0;
  const Lines lines = DiffSettings(a, b);
  ASSERT_EQ(lines.size(), 3u);
  EXPECT_EQ(
      lines[0].rfind("CONTROLSETTINGS/TORQUEANDFLUXCONTROLLER/TorqueAndFluxGainsComputation: ", 0),
      0u);
  EXPECT_EQ(lines[1].rfind("SPEEDFEEDBACK/STARTUPSETTINGS/MinimumSpeed: ", 0), 0u);
  EXPECT_EQ(lines[1].substr(lines[1].size() - 6), "-> 111");
  EXPECT_EQ(lines[2].rfind("AUXSPEEDFEEDBACK/STARTUPSETTINGS/MinimumSpeed: ", 0), 0u);
}

TEST(SettingsDiff, ReservedBytesAreNoSettings) {
  const UserData a = DefaultRecord();
  UserData b = a;
  b.reserved44[0] = 0x5A;
  b.reserved1988[3] = 0xA5;
  EXPECT_EQ(DiffSettings(a, b), Lines{});
}

TEST(SettingsDiff, NanEqualsNan) {
  UserData a = DefaultRecord();
  a.Ke.Value = std::nan("");
  const UserData b = a;
  EXPECT_EQ(DiffSettings(a, b), Lines{});
}

// Every byte of the record but the reserved ones belongs to some leaf of
// the full walk, so no stored setting can escape the comparison.
class Coverage : public SettingsVisitor {
public:
  explicit Coverage(const UserData &d) : d_(d), covered(sizeof(UserData), false) {}
  void OpenGroup(const char *) override {}
  void CloseGroup(const char *) override {}
  void Leaf(const SettingLeaf &leaf) override {
    std::visit([this](auto m) { Mark(&(d_.*m), sizeof(d_.*m)); }, leaf.parameter->member);
  }
  const UserData &d_;
  std::vector<bool> covered;

private:
  void Mark(const void *field, std::size_t size) {
    const auto at = static_cast<std::size_t>(static_cast<const char *>(field) -
                                             reinterpret_cast<const char *>(&d_));
    for (std::size_t i = 0; i < size; ++i)
      covered[at + i] = true;
  }
};

TEST(SettingsTree, FullWalkCoversEveryFieldButTheReservedBytes) {
  const UserData d{};
  Coverage c(d);
  WalkSettings(d, SettingsScope::Everything, c);
  std::vector<std::size_t> uncovered;
  for (std::size_t i = 0; i < c.covered.size(); ++i)
    if (!c.covered[i])
      uncovered.push_back(i);
  const std::vector<std::size_t> reserved{44,  45,  46,  47,  620,  621,  622,  623,
                                          996, 997, 998, 999, 1988, 1989, 1990, 1991};
  EXPECT_EQ(uncovered, reserved);
}

} // namespace
} // namespace parvex
