#include "TestRecord.h"

#include <ostream>
#include <string>

namespace parvex::test {
namespace {

void ExpectBounds(const IntParam &index) {
  EXPECT_EQ(index.Min, 72u);
  EXPECT_EQ(index.Max, 100u);
  EXPECT_EQ(index.Decimals, 0u);
}

TEST(ModulationIndex, NullRecordGivesOne) {
  EXPECT_EQ(PARVEX_CalcMMI(nullptr), 1);
}

TEST(ModulationIndex, DefaultThreeShuntTimingGives98) {
  UserData d = DefaultRecord();
  d.MaximumAvailableModulationIndex = {1, 2, 3, 4};
  ASSERT_EQ(PARVEX_CalcMMI(&d), 0);
  EXPECT_EQ(d.MaximumAvailableModulationIndex.Value, 98u);
  ExpectBounds(d.MaximumAvailableModulationIndex);
}

TEST(ModulationIndex, IsolatedSensorsAlwaysGive100AndKeepTheOtherMembers) {
  UserData d = DefaultRecord();
  d.IsolatedCurrentSensors = 1;
  d.SingleShuntResistor = 1;
  d.PWMFrequency.Value = 32000;
  d.DeadTime.Value = 3500;
  d.MaximumAvailableModulationIndex = {1, 2, 3, 4};
  ASSERT_EQ(PARVEX_CalcMMI(&d), 0);
  EXPECT_EQ(d.MaximumAvailableModulationIndex.Min, 1u);
  EXPECT_EQ(d.MaximumAvailableModulationIndex.Value, 100u);
  EXPECT_EQ(d.MaximumAvailableModulationIndex.Max, 3u);
  EXPECT_EQ(d.MaximumAvailableModulationIndex.Decimals, 4u);
}

TEST(ModulationIndex, NoShuntFlagGives100WithBounds) {
  UserData d = DefaultRecord();
  d.ThreeShuntResistors = 0;
  d.MaximumAvailableModulationIndex = {1, 2, 3, 4};
  ASSERT_EQ(PARVEX_CalcMMI(&d), 0);
  EXPECT_EQ(d.MaximumAvailableModulationIndex.Value, 100u);
  ExpectBounds(d.MaximumAvailableModulationIndex);
}

TEST(ModulationIndex, SingleShuntWinsWhenBothFlagsAreSet) {
  UserData both = DefaultRecord();
  both.SingleShuntResistor = 1;
  UserData single = DefaultRecord();
  single.ThreeShuntResistors = 0;
  single.SingleShuntResistor = 1;
  ASSERT_EQ(PARVEX_CalcMMI(&both), 0);
  ASSERT_EQ(PARVEX_CalcMMI(&single), 0);
  EXPECT_EQ(both.MaximumAvailableModulationIndex.Value,
            single.MaximumAvailableModulationIndex.Value);
  ExpectBounds(both.MaximumAvailableModulationIndex);
}

// Without a PWM period there is nothing to simulate: the stored index stays
// and only the bounds are restored.
TEST(ModulationIndex, ZeroPwmFrequencyKeepsTheStoredIndex) {
  for (int shunts : {1, 3}) {
    UserData d = DefaultRecord();
    d.ThreeShuntResistors = shunts == 3;
    d.SingleShuntResistor = shunts == 1;
    d.PWMFrequency.Value = 0;
    d.MaximumAvailableModulationIndex = {1, 90, 3, 4};
    ASSERT_EQ(PARVEX_CalcMMI(&d), 0);
    EXPECT_EQ(d.MaximumAvailableModulationIndex.Value, 90u) << shunts;
    ExpectBounds(d.MaximumAvailableModulationIndex);
  }
}

} // namespace
} // namespace parvex::test

namespace parvex::test {
namespace {

struct SingleShuntCase {
  std::uint32_t pwmFrequency;
  std::uint32_t samplingTime;
  std::uint32_t expected;
};

void PrintTo(const SingleShuntCase &c, std::ostream *os) {
  *os << c.pwmFrequency << "Hz_" << c.samplingTime << "ns";
}

class SingleShuntIndex : public ::testing::TestWithParam<SingleShuntCase> {};

// The record's timing replaces the search defaults; with the same numbers the
// search gives its own worked results.
TEST_P(SingleShuntIndex, RecordTimingDrivesTheSearch) {
  const SingleShuntCase &c = GetParam();
  UserData d = DefaultRecord();
  d.ThreeShuntResistors = 0;
  d.SingleShuntResistor = 1;
  d.PWMFrequency.Value = c.pwmFrequency;
  d.ADConverterSamplingTime = c.samplingTime;
  ASSERT_EQ(PARVEX_CalcMMI(&d), 0);
  EXPECT_EQ(d.MaximumAvailableModulationIndex.Value, c.expected);
  ExpectBounds(d.MaximumAvailableModulationIndex);
}

INSTANTIATE_TEST_SUITE_P(WorkedExamples, SingleShuntIndex,
                         ::testing::Values(SingleShuntCase{14400, 700, 95},
                                           SingleShuntCase{14400, 200, 98},
                                           SingleShuntCase{14400, 2450, 87},
                                           SingleShuntCase{8000, 700, 100}),
                         [](const ::testing::TestParamInfo<SingleShuntCase> &info) {
                           return std::to_string(info.param.pwmFrequency) + "Hz_" +
                                  std::to_string(info.param.samplingTime) + "ns";
                         });

} // namespace
} // namespace parvex::test

namespace parvex::test {
namespace {

// Fast PWM with a long dead time leaves no sampling window from the first
// indexes on: the search's result is rounded up to its floor of 77.
TEST(ModulationIndex, EarlySingleShuntLimitGives77) {
  UserData d = DefaultRecord();
  d.ThreeShuntResistors = 0;
  d.SingleShuntResistor = 1;
  d.PWMFrequency.Value = 32000;
  d.DeadTime.Value = 3500;
  ASSERT_EQ(PARVEX_CalcMMI(&d), 0);
  EXPECT_EQ(d.MaximumAvailableModulationIndex.Value, 77u);
  ExpectBounds(d.MaximumAvailableModulationIndex);
}

} // namespace
} // namespace parvex::test
