#include "TestRecords.h"

#include <cmath>

namespace parvex::analysis::test {
namespace {

// Defaults by hand, Fc = 14400 Hz, L = 0.6 mH, R = 0.35 Ohm:
//   R / (Fc L) = 0.35 / 8.64 = 0.04050926, y = (1 - 0.04050926) / 4 = 0.23987269
//   K1 = R / L + Fc (y - 1.75) = 583.3333 - 21745.8333 = -21162.5, written -21162
//   K2 = Fc^2 L 0.75 (1 - y) = 124416 x 0.75 x 0.76012731 = 70929 exactly
// Poles from the written gains: a = 1 - 0.04050926 - 21162 / 14400 = -0.51009259,
//   product a + 70929 / 124416 = -0.51009259 + 0.57009549 = 0.06000289,
//   sum 1 + a = 0.48990741; discriminant 0.24000927 - 0.24001157 = -2.31e-6 < 0:
//   a complex pair 0.24495370 +- 0.00075932j (the design's 0.2399 and 0.25 nearly merged).
TEST(ObserverRows, DefaultsGiveTheDesignedPoles) {
  const ControllerAnalysis a = Analyse(DefaultRecord());
  const GainRow &k1 = RowNamed(a, "Observer gain K1");
  const GainRow &k2 = RowNamed(a, "Observer gain K2");
  EXPECT_EQ(k1.header, "MC_State_Observer_param.h");
  EXPECT_NEAR(k1.exact, -21162.5, 1e-6);
  EXPECT_EQ(k1.dividend, -21162);
  EXPECT_NEAR(k1.relativeError, -0.5 / 21162.5, 1e-9);
  EXPECT_DOUBLE_EQ(k2.exact, 70929);
  EXPECT_EQ(k2.dividend, 70929);
  EXPECT_EQ(k1.level, Level::Ok) << k1.reason;
  EXPECT_EQ(k2.level, Level::Ok) << k2.reason;
  ASSERT_EQ(k1.physical.size(), 2u);
  ASSERT_EQ(k2.physical.size(), 2u);
  EXPECT_NEAR(k1.physical[1].value, 0.24495370, 1e-7);
  EXPECT_NEAR(k1.physical[1].imaginary, 0.00075932, 1e-7);
  EXPECT_NEAR(k2.physical[1].value, 0.24495370, 1e-7);
  EXPECT_NEAR(k2.physical[1].imaginary, -0.00075932, 1e-7);
}

// PLL of the defaults: kp = 266 / 16384 = 0.016235352, ki = 52 / 262144 = 0.000198364.
// With the detector gain pi: z^2 + (pi (kp + ki) - 2) z + (1 - pi kp)
//   = z^2 - 1.94837196 z + 0.94899573, roots 0.98075743 and 0.96761453;
//   s = 14400 ln z: -279.80 and -474.07 rad/s;
//   wn = sqrt(279.80 x 474.07) = 364.20 rad/s, zeta = (279.80 + 474.07) / (2 x 364.20) = 1.035.
// The integral dividend: 2 x 3600 x 1506742 / 14400^2 = 52.317, written 52 (the macro gives
// 1506742 x 2 / 14400 = 209, x 3600 / 14400 = 52): one count is 1 / 52 = 1.9 % of the gain,
// the error (52 - 52.3174) / 52.3174 = -0.61 %. The divisor is the firmware's, so that is a
// note, not a flag.
TEST(ObserverRows, DefaultPllGivesItsLoopAndNotesTheCoarseIntegral) {
  const ControllerAnalysis a = Analyse(DefaultRecord());
  const GainRow &p = RowNamed(a, "PLL proportional gain");
  const GainRow &i = RowNamed(a, "PLL integral gain");
  EXPECT_EQ(p.dividend, 266);
  EXPECT_EQ(p.divisor, 16384);
  EXPECT_DOUBLE_EQ(p.exact, 266.0 / 16384);
  EXPECT_EQ(p.level, Level::Ok) << p.reason;
  EXPECT_NEAR(p.physical.at(0).value, 1.035, 0.002);
  EXPECT_EQ(i.dividend, 52);
  EXPECT_EQ(i.divisor, 262144);
  EXPECT_NEAR(i.exact * 262144, 52.3174, 1e-4);
  EXPECT_NEAR(i.relativeError, -0.006067, 1e-5);
  EXPECT_NEAR(i.physical.at(0).value, 364.2, 0.3);
  EXPECT_EQ(i.level, Level::Note) << i.reason;
  EXPECT_TRUE(Contains(i.reason, "52 counts over the firmware's fixed divisor 262144: one count "
                                 "is 1.9 % of the gain, the error -0.61 %"))
      << i.reason;
}

// The default project raises no flag at all: nothing for the engineer to fix.
TEST(ObserverRows, DefaultsRaiseNoFlag) {
  for (const Finding &f : Analyse(DefaultRecord()).findings)
    EXPECT_NE(f.level, Level::Flag) << f.subject << ": " << f.reason;
}

// F1 of the defaults: k = 1.65 / 0.5654 = 2.91829, Q = 14400 x 0.0006 x k = 25.2140,
// MAXBUS = trunc(1.65 / 0.008) = 206, MAXBEMF = trunc(3600 x 4 x 1.4142 / 1732) = 11.
// The bus term 206 F / Q is 33464 at F = 4096, too large; at 2048 it is 16732, so F1 = 2048,
// where R Ts / L = 2048 x 0.04050926 = 82.96 is held as 82 counts (one count 1.2 %).
// F2: 16384 x (70929 x 2.91829 / 11) / 14400 = 21410 fits, so F2 = 16384.
TEST(ObserverRows, ScalingFactorsNameWhatLimitsThem) {
  const ControllerAnalysis a = Analyse(DefaultRecord());
  const GainRow &f1 = RowNamed(a, "Observer scaling F1");
  const GainRow &f2 = RowNamed(a, "Observer scaling F2");
  EXPECT_EQ(f1.dividend, 2048);
  EXPECT_DOUBLE_EQ(f1.physical.at(0).value, 82);
  EXPECT_EQ(f1.level, Level::Note);
  EXPECT_TRUE(Contains(f1.reason, "R*Ts/L as 82/2048: one count is 1.2 %")) << f1.reason;
  EXPECT_TRUE(Contains(f1.reason, "bus-voltage term (MAXBUS) (33464 at 4096)")) << f1.reason;
  EXPECT_EQ(f2.dividend, 16384);
  EXPECT_DOUBLE_EQ(f2.physical.at(0).value, 21410);
  EXPECT_EQ(f2.level, Level::Ok) << f2.reason;
}

struct ObserverCase {
  const char *name;
  std::function<void(UserData &)> edit;
  const char *quantity;
  std::int64_t dividend;
  Level level;
  const char *reason;
};

void PrintTo(const ObserverCase &c, std::ostream *os) {
  *os << c.name;
}

class ObserverCases : public ::testing::TestWithParam<ObserverCase> {};

TEST_P(ObserverCases, RowsFollowTheObserverInTheHeaders) {
  const ObserverCase &c = GetParam();
  const GainRow row = RowNamed(Analyse(Edited(c.edit)), c.quantity);
  EXPECT_EQ(row.dividend, c.dividend);
  EXPECT_EQ(row.level, c.level) << row.reason;
  EXPECT_TRUE(Contains(row.reason, c.reason)) << row.reason;
}

INSTANTIATE_TEST_SUITE_P(
    Examples, ObserverCases,
    ::testing::Values(
        // An encoder drives the motor, the observer runs beside it: the auxiliary gains
        // reach the headers.
        ObserverCase{"AuxiliaryObserver",
                     [](UserData &d) {
                       d.NoSpeedSensors = 0;
                       d.QuadratureEncoder = 1;
                       d.EnableObserverGainTuning = 1;
                       d.AuxGainsComputation = 0;
                       d.AuxK2.Value = 70000;
                     },
                     "Observer gain K2 (auxiliary observer)", 70000, Level::Note,
                     "hand-edited: -1.3 % from the design value"},
        // K1 = +14400 by hand: a = 1 - 0.0405 + 1 = 1.9595, product 1.9595 + 0.5701 = 2.5296,
        // sum^2 - 4 product = 8.759 - 10.118 < 0: a complex pair of radius sqrt(2.5296) = 1.59.
        ObserverCase{"UnstableObserver",
                     [](UserData &d) {
                       d.GainsComputation = 0;
                       d.K1.Value = 14400;
                     },
                     "Observer gain K1", 14400, Level::Flag,
                     "unstable with these gains (pole "
                     "radius 1.59"},
        // The macro's integer arithmetic, 3 pole pairs at 100000 rpm: 1506742 x 3 / 14400 = 313,
        // x 100000 / 14400 = 2173; the record's formula gives 2179.9. Error -0.32 %.
        ObserverCase{"PllIntegralAsTheCompilerEvaluatesIt",
                     [](UserData &d) {
                       d.PolePairs.Value = 3;
                       d.MotorMaxSpeed.Value = 100000;
                     },
                     "PLL integral gain", 2173, Level::Ok, ""},
        // One pole pair at 500 rpm: exact 500 x 1506742 / 14400^2 = 3.633; the macro gives
        // 1506742 / 14400 = 104, x 500 / 14400 = 3: a handful of counts, one is 33 %.
        ObserverCase{"PllIntegralAHandfulOfCounts",
                     [](UserData &d) {
                       d.PolePairs.Value = 1;
                       d.MotorMaxSpeed.Value = 500;
                     },
                     "PLL integral gain", 3, Level::Flag,
                     "only 3 counts: one count is 33 % of the gain"},
        // One pole pair at 1500 rpm: exact 1500 x 1506742 / 14400^2 = 10.8995; the macro
        // gives 104 x 1500 / 14400 = 10: error (10 - 10.8995) / 10.8995 = -8.3 %.
        ObserverCase{"PllIntegralErrorBeyondFivePercent",
                     [](UserData &d) {
                       d.PolePairs.Value = 1;
                       d.MotorMaxSpeed.Value = 1500;
                     },
                     "PLL integral gain", 10, Level::Flag,
                     "quantisation error -8.3 % (more than 5 %)"},
        // The same record's proportional gain: 532 x 1500 / 14400 = 55.42, written 55,
        // error -0.75 %: coarse but the firmware's divisor, a note.
        ObserverCase{"PllProportionalCoarseIsNoted",
                     [](UserData &d) {
                       d.PolePairs.Value = 1;
                       d.MotorMaxSpeed.Value = 1500;
                     },
                     "PLL proportional gain", 55, Level::Note,
                     "55 counts over the firmware's fixed divisor 16384: one count is 1.8 % of "
                     "the gain, the error -0.75 %"},
        // 10 pole pairs at 100000 rpm: 532 x 100000 x 10 / 14400 = 36944, beyond s16; the
        // cast wraps it to 36944 - 65536 = -28592, which the firmware runs.
        ObserverCase{"PllMacroWrapsInItsCast",
                     [](UserData &d) {
                       d.PolePairs.Value = 10;
                       d.MotorMaxSpeed.Value = 100000;
                     },
                     "PLL proportional gain", -28592, Level::Flag,
                     "the macro gives 36944, which does not fit its (s16) cast: the firmware's "
                     "compiler wraps it to -28592"},
        // A hand-edited PLL gain is written as the number: (300 - 266) / 266 = +12.8 %.
        ObserverCase{"PllHandEdited",
                     [](UserData &d) {
                       d.GainsComputation = 0;
                       d.PLLPDividend.Value = 300;
                     },
                     "PLL proportional gain", 300, Level::Note, "hand-edited: 13 %"}),
    [](const ::testing::TestParamInfo<ObserverCase> &info) { return info.param.name; });

} // namespace
} // namespace parvex::analysis::test
