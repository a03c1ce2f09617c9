// Inputs that make a computed definition impossible: the header gets an
// #error line naming the definition and the reason, never nan, inf or an
// undefined integer conversion.
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
    {"F1ZeroPwm", [](UserData &d) { d.PWMFrequency.Value = 0; }, 91, "F1", "zero PWM frequency"},
    {"F2ZeroPwm", [](UserData &d) { d.PWMFrequency.Value = 0; }, 92, "F2", "zero PWM frequency"},
    {"F1ZeroRate", [](UserData &d) { d.TorqueAndFluxControlRate = 0; }, 91, "F1",
     "zero control rate"},
    {"F2ZeroRate", [](UserData &d) { d.TorqueAndFluxControlRate = 0; }, 92, "F2",
     "zero control rate"},
    {"F2PwmBelowRate",
     [](UserData &d) {
       d.PWMFrequency.Value = 3;
       d.TorqueAndFluxControlRate = 4;
     },
     92, "F2", "PWM frequency below the control rate"},
    {"F1ZeroRatio", [](UserData &d) { d.DCBusVoltagePartitioning.Value = 0; }, 91, "F1",
     "zero DC bus partitioning ratio"},
    {"F2ZeroMaxBemf", [](UserData &d) { d.MotorMaxSpeed.Value = 1; }, 92, "F2", "zero MAXBEMF"},
    {"F1ZeroLq", [](UserData &d) { d.Lq.Value = 0; }, 91, "F1", "zero Lq"},
    {"F1ZeroGain", [](UserData &d) { d.AmplificationGain.Value = 0; }, 91, "F1",
     "zero current-sensing gain"},
    {"F2ZeroGain", [](UserData &d) { d.ShuntResistorValue.Value = 0; }, 92, "F2",
     "zero current-sensing gain"},
    {"F1NaNResistance", [](UserData &d) { d.R.Value = kNaN; }, 91, "F1",
     "input is not a finite number"},
    {"F1HugeBemf", [](UserData &d) { d.Ke.Value = 1e300; }, 91, "F1", "value out of range"},
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
    {"FeedForwardZeroRate",
     [](UserData &d) {
       d.FeedForwardCurrentRegulation = 1;
       d.TorqueAndFluxControlRate = 0;
     },
     43, "CONSTANT1_Q", "zero control rate"},
    {"FeedForwardZeroGain",
     [](UserData &d) {
       d.FeedForwardCurrentRegulation = 1;
       d.AmplificationGain.Value = 0;
     },
     43, "CONSTANT1_Q", "zero current-sensing gain"},
    {"FeedForwardZeroPolePairs",
     [](UserData &d) {
       d.FeedForwardCurrentRegulation = 1;
       d.PolePairs.Value = 0;
     },
     43, "CONSTANT2", "zero pole pairs"},
    {"FeedForwardHuge",
     [](UserData &d) {
       d.FeedForwardCurrentRegulation = 1;
       d.DCBusVoltagePartitioning.Value = 1e200;
     },
     43, "CONSTANT1_Q", "value out of range"},
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
  const auto problem = FindDefinitionProblem(c.token, d);
  ASSERT_TRUE(problem);
  EXPECT_EQ(problem->name, c.name);
  EXPECT_EQ(problem->reason, c.reason);
}

INSTANTIATE_TEST_SUITE_P(Inputs, DegenerateDefinition, testing::ValuesIn(kCases),
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
