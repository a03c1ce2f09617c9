#include "TestRecord.h"

#include <functional>
#include <limits>
#include <ostream>
#include <string>

namespace parvex::test {
namespace {

struct ObserverCase {
  std::string name;
  std::function<void(UserData &)> change;
  std::int32_t k1, k2;
  std::uint32_t pllP, pllI;
};

void PrintTo(const ObserverCase &c, std::ostream *os) {
  *os << c.name;
}

class SpeedFeedbackGains : public ::testing::TestWithParam<ObserverCase> {};

TEST_P(SpeedFeedbackGains, MainObserverComputesTheWorkedExample) {
  const ObserverCase &c = GetParam();
  UserData d = DefaultRecord();
  c.change(d);
  ASSERT_EQ(PARVEX_CalcSpeedFeedbackGains(&d), 0);
  EXPECT_EQ(d.K1.Value, c.k1);
  EXPECT_EQ(d.K2.Value, c.k2);
  EXPECT_EQ(d.PLLPDividend.Value, c.pllP);
  EXPECT_EQ(d.PLLIDividend.Value, c.pllI);
}

TEST_P(SpeedFeedbackGains, AuxiliaryObserverGivesTheSameNumbers) {
  const ObserverCase &c = GetParam();
  UserData d = DefaultRecord();
  c.change(d);
  ASSERT_EQ(PARVEX_CalcAuxSpeedFeedbackGains(&d), 0);
  EXPECT_EQ(d.AuxK1.Value, c.k1);
  EXPECT_EQ(d.AuxK2.Value, c.k2);
  EXPECT_EQ(d.AuxPLLPDividend.Value, c.pllP);
  EXPECT_EQ(d.AuxPLLIDividend.Value, c.pllI);
}

INSTANTIATE_TEST_SUITE_P(
    WorkedExamples, SpeedFeedbackGains,
    ::testing::Values(ObserverCase{"Defaults", [](UserData &) {}, -21162, 70929, 266, 52},
                      ObserverCase{"ControlRate3",
                                   [](UserData &d) { d.TorqueAndFluxControlRate = 3; }, -6762, 8090,
                                   798, 470},
                      ObserverCase{"IntegerControlFrequency",
                                   [](UserData &d) {
                                     d.PWMFrequency.Value = 10000;
                                     d.TorqueAndFluxControlRate = 3;
                                   },
                                   -4562, 3967, 1149, 976},
                      // R = 0: y = 0.25, K1 = -1.5 Fc, K2 = 0.5625 Fc^2 L exactly. With L = 100 H
                      // K2 = 11664000000, whose low 32 bits read signed are -1220901888.
                      ObserverCase{"ObserverGainKeepsItsLow32Bits",
                                   [](UserData &d) {
                                     d.R.Value = 0;
                                     d.Lq.Value = 100000;
                                   },
                                   -21600, -1220901888, 266, 52},
                      // L = 50 H: K2 = 5832000000, low 32 bits 1537032704.
                      ObserverCase{"ObserverGainWrapsPositive",
                                   [](UserData &d) {
                                     d.R.Value = 0;
                                     d.Lq.Value = 50000;
                                   },
                                   -21600, 1537032704, 266, 52}),
    [](const ::testing::TestParamInfo<ObserverCase> &info) { return info.param.name; });

struct Observer {
  const char *name;
  int (*calc)(UserData *);
};

void PrintTo(const Observer &o, std::ostream *os) {
  *os << o.name;
}

class ObserverResult : public ::testing::TestWithParam<Observer> {};

TEST_P(ObserverResult, NullRecordGivesOne) {
  EXPECT_EQ(GetParam().calc(nullptr), 1);
}

TEST_P(ObserverResult, ZeroControlRateGivesTwoAndWritesNothing) {
  UserData d = DefaultRecord();
  d.TorqueAndFluxControlRate = 0;
  const UserData before = d;
  EXPECT_EQ(GetParam().calc(&d), 2);
  EXPECT_TRUE(SameBytes(d, before));
}

TEST_P(ObserverResult, ZeroInductanceGivesTwoAndWritesNothing) {
  UserData d = DefaultRecord();
  d.Lq.Value = 0;
  const UserData before = d;
  EXPECT_EQ(GetParam().calc(&d), 2);
  EXPECT_TRUE(SameBytes(d, before));
}

TEST_P(ObserverResult, ControlFrequencyBelowOneHertzGivesTwo) {
  UserData d = DefaultRecord();
  d.TorqueAndFluxControlRate = 20000; // 14400 / 20000 = 0 Hz
  const UserData before = d;
  EXPECT_EQ(GetParam().calc(&d), 2);
  EXPECT_TRUE(SameBytes(d, before));
}

TEST_P(ObserverResult, UndefinedResultsWriteNothing) {
  const double bad[] = {std::numeric_limits<double>::quiet_NaN(),
                        std::numeric_limits<double>::infinity(), 1e300, -1e300};
  for (double v : bad) {
    UserData d = DefaultRecord();
    d.R.Value = v;
    const UserData before = d;
    EXPECT_EQ(GetParam().calc(&d), 2) << v;
    EXPECT_TRUE(SameBytes(d, before)) << v;
  }
}

INSTANTIATE_TEST_SUITE_P(
    MainAndAuxiliary, ObserverResult,
    ::testing::Values(Observer{"Main", &PARVEX_CalcSpeedFeedbackGains},
                      Observer{"Auxiliary", &PARVEX_CalcAuxSpeedFeedbackGains}),
    [](const ::testing::TestParamInfo<Observer> &info) { return std::string(info.param.name); });

TEST(ObserverFlags, OnlyTheEnabledObserverChanges) {
  UserData d = DefaultRecord();
  d.GainsComputation = 0;
  d.AuxGainsComputation = 1;
  d.TorqueAndFluxControlRate = 3;
  ASSERT_EQ(PARVEX_CalcSpeedFeedbackGains(&d), 0);
  ASSERT_EQ(PARVEX_CalcAuxSpeedFeedbackGains(&d), 0);
  EXPECT_EQ(d.K1.Value, -21162);
  EXPECT_EQ(d.K2.Value, 70929);
  EXPECT_EQ(d.PLLPDividend.Value, 266u);
  EXPECT_EQ(d.PLLIDividend.Value, 52u);
  EXPECT_EQ(d.AuxK1.Value, -6762);
  EXPECT_EQ(d.AuxK2.Value, 8090);
  EXPECT_EQ(d.AuxPLLPDividend.Value, 798u);
  EXPECT_EQ(d.AuxPLLIDividend.Value, 470u);
}

TEST(ObserverFlags, DisabledObserverWritesNothingWhateverTheFieldsHold) {
  UserData d = DefaultRecord();
  d.GainsComputation = 0;
  d.AuxGainsComputation = 0;
  d.TorqueAndFluxControlRate = 0;
  const UserData before = d;
  EXPECT_EQ(PARVEX_CalcSpeedFeedbackGains(&d), 0);
  EXPECT_EQ(PARVEX_CalcAuxSpeedFeedbackGains(&d), 0);
  EXPECT_TRUE(SameBytes(d, before));
}

TEST(ObserverFlags, PllDivisorsAreNeverWritten) {
  UserData d = DefaultRecord();
  d.PLLPDivisor.Value = 3;
  d.PLLIDivisor.Value = 5;
  d.AuxPLLPDivisor.Value = 7;
  d.AuxPLLIDivisor.Value = 9;
  ASSERT_EQ(PARVEX_CalcSpeedFeedbackGains(&d), 0);
  ASSERT_EQ(PARVEX_CalcAuxSpeedFeedbackGains(&d), 0);
  EXPECT_EQ(d.PLLPDivisor.Value, 3u);
  EXPECT_EQ(d.PLLIDivisor.Value, 5u);
  EXPECT_EQ(d.AuxPLLPDivisor.Value, 7u);
  EXPECT_EQ(d.AuxPLLIDivisor.Value, 9u);
  EXPECT_EQ(d.PLLPDividend.Value, 266u);
}

} // namespace
} // namespace parvex::test
