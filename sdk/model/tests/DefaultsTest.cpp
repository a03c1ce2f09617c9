#include "TestRecord.h"

#include <array>
#include <cstring>
#include <random>

namespace parvex::test {
namespace {

TEST(Defaults, NullRecordGivesOne) {
  EXPECT_EQ(PARVEX_SetDefault(nullptr), 1);
}

TEST(Defaults, TwoCallsGiveTheSameBytesWhateverTheRecordHeld) {
  std::mt19937 random(1234);
  UserData first;
  UserData second;
  auto *a = reinterpret_cast<unsigned char *>(&first);
  auto *b = reinterpret_cast<unsigned char *>(&second);
  for (std::size_t i = 0; i < sizeof(UserData); ++i) {
    a[i] = static_cast<unsigned char>(random());
    b[i] = static_cast<unsigned char>(random());
  }
  // The reserved areas keep what they held, so give both the same there.
  for (std::size_t offset : {44u, 620u, 996u, 1988u})
    std::memcpy(b + offset, a + offset, 4);
  ASSERT_EQ(PARVEX_SetDefault(&first), 0);
  ASSERT_EQ(PARVEX_SetDefault(&second), 0);
  EXPECT_TRUE(SameBytes(first, second));
  UserData again = first;
  ASSERT_EQ(PARVEX_SetDefault(&again), 0);
  EXPECT_TRUE(SameBytes(first, again));
}

TEST(Defaults, ReservedAreasKeepTheirBytes) {
  UserData d;
  std::memset(&d, 0x5C, sizeof d);
  const std::array<std::uint8_t, 4> marks[4] = {
      {1, 2, 3, 4}, {5, 6, 7, 8}, {9, 10, 11, 12}, {13, 14, 15, 16}};
  std::memcpy(d.reserved44, marks[0].data(), 4);
  std::memcpy(d.reserved620, marks[1].data(), 4);
  std::memcpy(d.reserved996, marks[2].data(), 4);
  std::memcpy(d.reserved1988, marks[3].data(), 4);
  ASSERT_EQ(PARVEX_SetDefault(&d), 0);
  EXPECT_EQ(std::memcmp(d.reserved44, marks[0].data(), 4), 0);
  EXPECT_EQ(std::memcmp(d.reserved620, marks[1].data(), 4), 0);
  EXPECT_EQ(std::memcmp(d.reserved996, marks[2].data(), 4), 0);
  EXPECT_EQ(std::memcmp(d.reserved1988, marks[3].data(), 4), 0);
}

TEST(Defaults, MeasurableCurrentIsTheStoredConstant) {
  const UserData d = DefaultRecord();
  EXPECT_EQ(Bits(d.RatedCurrent.Max), defaultMeasurableCurrentBits);
  EXPECT_DOUBLE_EQ(d.RatedCurrent.Max, 2.9182879377431905);
}

TEST(Defaults, TorqueAndFluxControllersGetTheSameGains) {
  const UserData d = DefaultRecord();
  EXPECT_EQ(d.TorquePDividend.Value, 3911u);
  EXPECT_EQ(d.TorquePDivisor.Value, 4096u);
  EXPECT_EQ(d.TorqueIDividend.Value, 633u);
  EXPECT_EQ(d.TorqueIDivisor.Value, 16384u);
  EXPECT_EQ(d.FluxPDividend.Value, 3911u);
  EXPECT_EQ(d.FluxPDivisor.Value, 4096u);
  EXPECT_EQ(d.FluxIDividend.Value, 633u);
  EXPECT_EQ(d.FluxIDivisor.Value, 16384u);
  EXPECT_EQ(d.TorqueDDividend.Value, 100u);
  EXPECT_EQ(d.FluxDDividend.Value, 100u);
}

TEST(Defaults, MainAndAuxiliaryObserversGetTheSameGains) {
  const UserData d = DefaultRecord();
  EXPECT_EQ(d.K1.Value, -21162);
  EXPECT_EQ(d.K2.Value, 70929);
  EXPECT_EQ(d.PLLPDividend.Value, 266u);
  EXPECT_EQ(d.PLLIDividend.Value, 52u);
  EXPECT_EQ(d.AuxK1.Value, -21162);
  EXPECT_EQ(d.AuxK2.Value, 70929);
  EXPECT_EQ(d.AuxPLLPDividend.Value, 266u);
  EXPECT_EQ(d.AuxPLLIDividend.Value, 52u);
}

TEST(Defaults, ObserverGainRangeIsSigned) {
  const UserData d = DefaultRecord();
  EXPECT_EQ(d.K1.Min, -2147483647 - 1);
  EXPECT_EQ(d.K1.Max, 2147483647);
  std::uint32_t raw;
  std::memcpy(&raw, &d.K1.Min, sizeof raw);
  EXPECT_EQ(raw, 2147483648u);
}

TEST(Defaults, ModulationIndexOfTheDefaultThreeShuntSetUp) {
  const UserData d = DefaultRecord();
  EXPECT_EQ(d.MaximumAvailableModulationIndex.Min, 72u);
  EXPECT_EQ(d.MaximumAvailableModulationIndex.Value, 98u);
  EXPECT_EQ(d.MaximumAvailableModulationIndex.Max, 100u);
  EXPECT_EQ(d.MaximumAvailableModulationIndex.Decimals, 0u);
}

TEST(Defaults, DerivedLimitsFollowTheirDefaults) {
  const UserData d = DefaultRecord();
  EXPECT_EQ(d.TorqueInitRef.Max, 2.0);
  EXPECT_EQ(d.FluxInitRef.Max, 2.0);
  EXPECT_EQ(d.AlignmentCurrent.Max, 2.0);
  EXPECT_EQ(d.AuxAlignmentCurrent.Max, 2.0);
  EXPECT_EQ(d.SpeedInitRef.Max, 3600u);
  EXPECT_EQ(d.MinimumSpeed.Max, 3600u);
  EXPECT_EQ(d.AuxMinimumSpeed.Max, 3600u);
  EXPECT_EQ(d.MinMechanicalSpeed.Max, 30000u);
  EXPECT_EQ(d.MaxMechanicalSpeed.Min, 60u);
  EXPECT_EQ(d.AuxMinMechanicalSpeed.Max, 30000u);
  EXPECT_EQ(d.AuxMaxMechanicalSpeed.Min, 60u);
  EXPECT_EQ(d.CurrentRampInitialValue.Max, 0.7);
  EXPECT_EQ(d.CurrentRampFinalValue.Min, 0.6);
  EXPECT_EQ(d.CurrentRampFinalValue.Max, 2.0);
  EXPECT_EQ(d.AuxCurrentRampInitialValue.Max, 0.7);
  EXPECT_EQ(d.AuxCurrentRampFinalValue.Min, 0.6);
  EXPECT_EQ(d.AuxCurrentRampFinalValue.Max, 2.0);
  EXPECT_EQ(d.CurrentRampDuration.Max, 1500u);
  EXPECT_EQ(d.AuxCurrentRampDuration.Max, 1500u);
}

TEST(Defaults, SpeedLoopPeriodIsStoredAsAReal) {
  const UserData d = DefaultRecord();
  EXPECT_EQ(d.SpeedRegulationControlRate, 2.0);
  EXPECT_EQ(d.ADConverterSamplingTime, 200u);
  EXPECT_EQ(d.TorqueAndFluxControlRate, 1u);
}

} // namespace
} // namespace parvex::test
