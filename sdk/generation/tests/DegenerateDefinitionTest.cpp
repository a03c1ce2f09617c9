// Inputs that leave a definition without a printable value: the header gets
// an #error line naming the definition and the reason, never nan, inf, an
// undefined integer conversion or a number its cast would wrap. Everything
// else is written, F1 and F2 included.
#include "DefinitionTable.h"

#include "HandDefaults.h"

#include <gtest/gtest.h>

#include <cmath>
#include <functional>
#include <limits>

namespace {

using namespace parvex;

const GenerateSourcesArgs kArgs{"t/", "o/", nullptr};
constexpr double kNaN = std::numeric_limits<double>::quiet_NaN();
constexpr double kInf = std::numeric_limits<double>::infinity();

const char *const kMtpaDummies = "#define IQMAX (s16)(0) /* Dummy value */ \n"
                                 "#define SEGDIV (s16)(0) /* Dummy value */ \n"
                                 "#define ANGC {0,0,0,0,0,0,0,0} /* Dummy values */ \n"
                                 "#define OFST {0,0,0,0,0,0,0,0} /* Dummy values */ \n";

struct DegenerateCase {
  const char *label;
  std::function<void(UserData &)> change;
  int token;
  const char *name;
  const char *reason;
  bool mtpa = false;
};

const DegenerateCase kCases[] = {
    // The gain worked example: a 3 V bus, a 0.001 Ohm shunt and gain 1 give a
    // proportional dividend of 64880640 over 16384.
    {"TorqueGainBeyondS16", [](UserData &d) { d.TorquePDividend.Value = 64880640; }, 22,
     "PID_TORQUE_KP_DEFAULT", "64880640 does not fit s16"},
    {"FluxGainBeyondS16", [](UserData &d) { d.FluxPDividend.Value = 64880640; }, 24,
     "PID_FLUX_KP_DEFAULT", "64880640 does not fit s16"},
    {"PwmPrintedNegative", [](UserData &d) { d.PWMFrequency.Value = 0xFFFFFFFFu; }, 4, "PWM_FREQ",
     "-1 does not fit u16"},
    {"DivisorBeyondU16", [](UserData &d) { d.TorquePDivisor.Value = 65536; }, 26, "TF_KPDIV",
     "65536 does not fit u16"},
    {"PolePairsBeyondU8", [](UserData &d) { d.PolePairs.Value = 256; }, 33, "POLE_PAIR_NUM",
     "256 does not fit u8"},
    {"MaxSpeedPrintedNegative", [](UserData &d) { d.MotorMaxSpeed.Value = 3000000000u; }, 37,
     "MOTOR_MAX_SPEED_RPM", "-1294967296 does not fit u32"},
    // 4 A * 32767 * 2.57 * 0.22 / 1.65 = 44912.6 counts, truncated.
    {"NominalCurrentBeyondS16", [](UserData &d) { d.RatedCurrent.Value = 4; }, 36,
     "NOMINAL_CURRENT", "44912 does not fit s16"},
    {"VoltageRefBeyondS16",
     [](UserData &d) { d.FluxWeakeningControllerVoltageLimit.Value = 3276.8; }, 39,
     "FW_VOLTAGE_REF", "32768 does not fit s16"},
    // 10 A * 32767 * 0.22 * 2.57 / 1.65 = 112281.59, printed rounded.
    {"AlignmentCurrentBeyondU16", [](UserData &d) { d.AuxAlignmentCurrent.Value = 10; }, 56,
     "I_ALIGNMENT", "112282 does not fit u16"},
    {"StartCurrentNegative", [](UserData &d) { d.CurrentRampInitialValue.Value = -1; }, 81,
     "FIRST_I_STARTUP", "-11228 does not fit u16"},
    {"ModulationIndexNegative",
     [](UserData &d) { d.MaximumAvailableModulationIndex.Value = 0xFFFFFFFFu; }, 6,
     "MAX_MODULATION", "-1 gives no valid definition name"},
    {"MaxCurrentZeroGain", [](UserData &d) { d.AmplificationGain.Value = 0; }, 74, "MAX_CURRENT",
     "zero current-sensing gain"},
    {"MaxCurrentZeroIcsGain",
     [](UserData &d) {
       d.IsolatedCurrentSensors = 1;
       d.ICSGain.Value = 0;
     },
     74, "MAX_CURRENT", "zero current-sensing gain"},
    {"KeNaN", [](UserData &d) { d.Ke.Value = kNaN; }, 38, "MOTOR_VOLTAGE_CONSTANT",
     "input is not a finite number"},
    {"RatioInfinite", [](UserData &d) { d.DCBusVoltagePartitioning.Value = kInf; }, 12,
     "BUS_ADC_CONV_RATIO", "input is not a finite number"},
    {"ResistanceNaN", [](UserData &d) { d.R.Value = kNaN; }, 34, "RS",
     "input is not a finite number"},
    {"LqInfinite", [](UserData &d) { d.Lq.Value = -kInf; }, 35, "LS",
     "input is not a finite number"},
    {"VarianceNaN", [](UserData &d) { d.VarianceThreshold.Value = kNaN; }, 87, "VARIANCE_THRESHOLD",
     "input is not a finite number"},
    {"TorqueRefNaN", [](UserData &d) { d.TorqueInitRef.Value = kNaN; }, 21, "PID_TORQUE_REFERENCE",
     "input is not a finite number"},
    {"FluxRefHuge", [](UserData &d) { d.FluxInitRef.Value = 1e9; }, 29, "PID_FLUX_REFERENCE",
     "value out of range"},
    {"RatedCurrentHuge", [](UserData &d) { d.RatedCurrent.Value = 1e6; }, 36, "NOMINAL_CURRENT",
     "value out of range"},
    {"VoltageLimitNaN", [](UserData &d) { d.FluxWeakeningControllerVoltageLimit.Value = kNaN; }, 39,
     "FW_VOLTAGE_REF", "input is not a finite number"},
    {"VoltageLimitHuge", [](UserData &d) { d.FluxWeakeningControllerVoltageLimit.Value = 1e12; },
     39, "FW_VOLTAGE_REF", "value out of range"},
    {"AlignmentCurrentInfinite", [](UserData &d) { d.AuxAlignmentCurrent.Value = kInf; }, 56,
     "I_ALIGNMENT", "input is not a finite number"},
    {"StartCurrentHuge", [](UserData &d) { d.CurrentRampInitialValue.Value = 1e300; }, 81,
     "FIRST_I_STARTUP", "value out of range"},
    {"FinalCurrentNaN", [](UserData &d) { d.CurrentRampFinalValue.Value = kNaN; }, 82,
     "FINAL_I_STARTUP", "input is not a finite number"},
    {"SlessAlignmentNaN", [](UserData &d) { d.AlignmentCurrent.Value = kNaN; }, 86,
     "SLESS_I_ALIGNMENT", "input is not a finite number"},
    {"MtpaZeroPolePairs",
     [](UserData &d) {
       d.InternalPMSMMaximunTxAStrategy = 1;
       d.Ld.Value = 0.3;
       d.PolePairs.Value = 0;
     },
     42, "IQMAX", "zero pole pairs", true},
    {"MtpaZeroRatedCurrent",
     [](UserData &d) {
       d.InternalPMSMMaximunTxAStrategy = 1;
       d.Ld.Value = 0.3;
       d.RatedCurrent.Value = 0;
     },
     42, "IQMAX", "zero rated current", true},
    {"MtpaZeroGain",
     [](UserData &d) {
       d.InternalPMSMMaximunTxAStrategy = 1;
       d.Ld.Value = 0.3;
       d.AmplificationGain.Value = 0;
     },
     42, "IQMAX", "zero current-sensing gain", true},
    {"MtpaNaNInductance",
     [](UserData &d) {
       d.InternalPMSMMaximunTxAStrategy = 1;
       d.Ld.Value = kNaN;
     },
     42, "IQMAX", "input is not a finite number", true},
    {"MtpaZeroSegments",
     [](UserData &d) {
       d.InternalPMSMMaximunTxAStrategy = 1;
       d.Ld.Value = 0.3;
       d.ShuntResistorValue.Value = 1e-12;
     },
     42, "ANGC", "zero segment width", true},
};

class DegenerateDefinition : public testing::TestWithParam<DegenerateCase> {};

TEST_P(DegenerateDefinition, WritesErrorLineAndReportsProblem) {
  const auto &c = GetParam();
  UserData d = testdata::HandDefaults();
  c.change(d);
  GenerationContext ctx;
  ASSERT_EQ(BuildHeaderBlocks(d, ctx), 0);
  StringHeaderOutput out;
  ASSERT_EQ(ctx.blocks[c.token]->Write(out, d, kArgs), 0);
  const std::string expected =
      std::string("#error \"") + c.name + ": " + c.reason + "\"\n" + (c.mtpa ? kMtpaDummies : "");
  EXPECT_EQ(out.text, expected);
  const auto problems = FindDefinitionProblems(c.token, d);
  ASSERT_EQ(problems.size(), 1u);
  EXPECT_EQ(problems[0].name, c.name);
  EXPECT_EQ(problems[0].reason, c.reason);
}

INSTANTIATE_TEST_SUITE_P(Inputs, DegenerateDefinition, testing::ValuesIn(kCases),
                         [](const auto &info) { return std::string(info.param.label); });

// The feed-forward block writes each constant whose own value is defined.
// Defaults: CONSTANT1_Q = CONSTANT1_D = 6254 and CONSTANT2 = 6962 (Ld = Lq).
struct FeedForwardCase {
  const char *label;
  std::function<void(UserData &)> change;
  const char *text;
  std::size_t problems;
};

const FeedForwardCase kFeedForward[] = {
    {"ZeroRate", [](UserData &d) { d.TorqueAndFluxControlRate = 0; },
     "#error \"CONSTANT1_Q: zero control rate\"\n"
     "#error \"CONSTANT1_D: zero control rate\"\n"
     "#error \"CONSTANT2: zero control rate\"\n",
     3},
    {"ZeroGain", [](UserData &d) { d.AmplificationGain.Value = 0; },
     "#error \"CONSTANT1_Q: zero current-sensing gain\"\n"
     "#error \"CONSTANT1_D: zero current-sensing gain\"\n"
     "#define CONSTANT2 (s32)(6962)\n",
     2},
    {"ZeroPolePairs", [](UserData &d) { d.PolePairs.Value = 0; },
     "#define CONSTANT1_Q (s32)(6254)\n"
     "#define CONSTANT1_D (s32)(6254)\n"
     "#error \"CONSTANT2: zero pole pairs\"\n",
     1},
    {"Huge", [](UserData &d) { d.DCBusVoltagePartitioning.Value = 1e200; },
     "#error \"CONSTANT1_Q: value out of range\"\n"
     "#error \"CONSTANT1_D: value out of range\"\n"
     "#error \"CONSTANT2: value out of range\"\n",
     3},
};

class FeedForwardDefinitions : public testing::TestWithParam<FeedForwardCase> {};

TEST_P(FeedForwardDefinitions, ErrorOnlyWhereTheValueIsUndefined) {
  const auto &c = GetParam();
  UserData d = testdata::HandDefaults();
  d.FeedForwardCurrentRegulation = 1;
  c.change(d);
  GenerationContext ctx;
  ASSERT_EQ(BuildHeaderBlocks(d, ctx), 0);
  StringHeaderOutput out;
  ASSERT_EQ(ctx.blocks[43]->Write(out, d, kArgs), 0);
  EXPECT_EQ(out.text, c.text);
  EXPECT_EQ(FindDefinitionProblems(43, d).size(), c.problems);
}

INSTANTIATE_TEST_SUITE_P(Inputs, FeedForwardDefinitions, testing::ValuesIn(kFeedForward),
                         [](const auto &info) { return std::string(info.param.label); });

// F1 and F2 are the powers of two the search finds, for every record; with
// no power fitting, 2. Defaults: a4 = 206 * F / 25.21 limits F1 to 2048,
// and F2 = 16384 (a = 1.3067 * F). Values worked by hand for each input.
struct ScalingCase {
  const char *label;
  std::function<void(UserData &)> change;
  int f1;
  int f2;
};

const ScalingCase kScaling[] = {
    // MAXBEMF = 3000 * 0.4 * 1.4142 / 1732 = 0.98, truncated to 0: a real
    // motor. F2 divides by it and finds no power; F1's a3 is 0.
    {"ZeroMaxBemfRealMotor",
     [](UserData &d) {
       d.MotorMaxSpeed.Value = 3000;
       d.Ke.Value = 0.4;
     },
     2048, 2},
    {"ZeroPwm", [](UserData &d) { d.PWMFrequency.Value = 0; }, 2, 2},
    {"ZeroRate", [](UserData &d) { d.TorqueAndFluxControlRate = 0; }, 2, 2},
    // 3 Hz over rate 4: no PWM period per control period; F1's a4 exceeds
    // 16 bits already at F = 2.
    {"PwmBelowRate",
     [](UserData &d) {
       d.PWMFrequency.Value = 3;
       d.TorqueAndFluxControlRate = 4;
     },
     2, 2},
    {"ZeroRatio", [](UserData &d) { d.DCBusVoltagePartitioning.Value = 0; }, 2, 16384},
    {"ZeroLq", [](UserData &d) { d.Lq.Value = 0; }, 2, 16384},
    // k is infinite: F1's a3 and a4 become 0, F2's quotient infinite.
    {"ZeroGain", [](UserData &d) { d.AmplificationGain.Value = 0; }, 16384, 2},
    {"NaNResistance", [](UserData &d) { d.R.Value = kNaN; }, 2, 16384},
    {"HugeBemf", [](UserData &d) { d.Ke.Value = 1e300; }, 2, 2},
};

class ObserverScaling : public testing::TestWithParam<ScalingCase> {};

TEST_P(ObserverScaling, WrittenForEveryRecord) {
  const auto &c = GetParam();
  UserData d = testdata::HandDefaults();
  c.change(d);
  GenerationContext ctx;
  ASSERT_EQ(BuildHeaderBlocks(d, ctx), 0);
  StringHeaderOutput f1;
  StringHeaderOutput f2;
  ASSERT_EQ(ctx.blocks[91]->Write(f1, d, kArgs), 0);
  ASSERT_EQ(ctx.blocks[92]->Write(f2, d, kArgs), 0);
  EXPECT_EQ(f1.text, "#define F1 (s16)(" + std::to_string(c.f1) + ")\n");
  EXPECT_EQ(f2.text, "#define F2 (s16)(" + std::to_string(c.f2) + ")\n");
  EXPECT_TRUE(FindDefinitionProblems(91, d).empty());
  EXPECT_TRUE(FindDefinitionProblems(92, d).empty());
}

INSTANTIATE_TEST_SUITE_P(Inputs, ObserverScaling, testing::ValuesIn(kScaling),
                         [](const auto &info) { return std::string(info.param.label); });

// No text of any token may carry a printed NaN or infinity, whatever the
// reals of the record hold.
TEST(DegenerateDefinition, NoTokenPrintsNanOrInf) {
  for (double bad : {kNaN, kInf, -kInf, 0.0, 1e308}) {
    UserData d = testdata::HandDefaults();
    d.InternalPMSMMaximunTxAStrategy = 1;
    d.FeedForwardCurrentRegulation = 1;
    for (RealParam *p :
         {&d.ShuntResistorValue, &d.AmplificationGain, &d.ICSGain, &d.R, &d.Ld, &d.Lq,
          &d.RatedCurrent, &d.Ke, &d.DCBusVoltagePartitioning, &d.TorqueInitRef, &d.FluxInitRef,
          &d.AlignmentCurrent, &d.AuxAlignmentCurrent, &d.CurrentRampInitialValue,
          &d.CurrentRampFinalValue, &d.VarianceThreshold, &d.FluxWeakeningControllerVoltageLimit})
      p->Value = bad;
    d.SpeedRegulationControlRate = bad;
    GenerationContext ctx;
    ASSERT_EQ(BuildHeaderBlocks(d, ctx), 0);
    for (int t = 1; t < kTokenCount; ++t) {
      StringHeaderOutput out;
      ASSERT_EQ(ctx.blocks[t]->Write(out, d, kArgs), 0);
      EXPECT_EQ(out.text.find("nan"), std::string::npos) << t << " " << out.text;
      EXPECT_EQ(out.text.find("inf"), std::string::npos) << t << " " << out.text;
    }
  }
}

} // namespace
