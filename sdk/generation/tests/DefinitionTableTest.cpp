#include "DefinitionTable.h"

#include "HandDefaults.h"
#include "parvex/Model.h"
#include "parvex/Parameters.h"

#include <gtest/gtest.h>

#include <cmath>
#include <functional>

namespace {

using namespace parvex;

const GenerateSourcesArgs kArgs{"t/", "o/", nullptr};

std::string TokenText(const UserData &d, int token) {
  GenerationContext ctx;
  EXPECT_EQ(BuildHeaderBlocks(d, ctx), 0);
  StringHeaderOutput out;
  EXPECT_NE(ctx.blocks[token], nullptr);
  EXPECT_EQ(ctx.blocks[token]->Write(out, d, kArgs), 0);
  return out.text;
}

struct TokenCase {
  int token;
  const char *text;
};

// The text of every token for the default configuration, worked out by
// hand from the definition table (values: see the defaults table).
const TokenCase kDefaultTexts[] = {
    {1, "#define SAMPLING_TIME_NS   200  //200ns\n"
        "//#define SAMPLING_TIME_NS   700  //700ns\n"
        "//#define SAMPLING_TIME_NS  1200  //1.2us\n"
        "//#define SAMPLING_TIME_NS  2450  //2.45us\n"},
    {2, "#define TRISE_NS 2550\n"},
    {3, "#define TNOISE_NS 2550\n"},
    {4, "#define PWM_FREQ ((u16) 14400) // in Hz  (N.b.: pattern type is center aligned)\n"},
    {5, "#define DEADTIME_NS\t((u16) 800)  //in nsec; range is [0...3500]\n"},
    {6, "#define MAX_MODULATION_98_PER_CENT\n"},
    {7, "#define REP_RATE (1)  \t// (N.b): Internal current loop is performed every\n"
        "\t\t\t\t\t\t//(REP_RATE + 1)/(2*PWM_FREQ) seconds.\n"
        "\t\t\t\t\t\t// REP_RATE has to be an odd number in case of three-shunt\n"
        "\t\t\t\t\t\t// current reading; this limitation doesn't apply to ICS\n"},
    {8, "#define NTC_THRESHOLD_C\t\t\t\t60\t\t//\xB0"
        "C on heatsink of KV208 board\n"},
    {9, "#define NTC_HYSTERIS_C\t\t\t\t5\t\t// Temperature hysteresis (\xB0"
        "C)\n"},
    {10, "#define OVERVOLTAGE_THRESHOLD_V\t\t32\t\t//Volt on DC Bus of KV208 board\n"},
    {11, "#define UNDERVOLTAGE_THRESHOLD_V\t18\t\t//Volt on DC Bus of KV208 board\n"},
    {12, "#define BUS_ADC_CONV_RATIO\t\t\t0.008\t//DC bus voltage partitioning ratio\n"},
    {13, "#define PID_SPEED_SAMPLING_TIME   (u8)(PID_SPEED_SAMPLING_2ms)\n"},
    {14, "#define PID_SPEED_REFERENCE_RPM   (s16)1500\n"},
    {15, "#define PID_SPEED_KP_DEFAULT      (s16)1000\n"},
    {16, "#define PID_SPEED_KI_DEFAULT      (s16)700\n"},
    {17, "#define PID_SPEED_KD_DEFAULT      (s16)0\n"},
    {18, "#define SP_KPDIV ((u16)(16))\n"},
    {19, "#define SP_KIDIV ((u16)(256))\n"},
    {20, "#define SP_KDDIV ((u16)(16))\n"},
    {21, "#define PID_TORQUE_REFERENCE   (s16)4491 //(N.b: that's the reference init\n"
         "\t\t\t\t//value in both torque and speed control)\n"},
    {22, "#define PID_TORQUE_KP_DEFAULT  (s16)3911\n"},
    {23, "#define PID_TORQUE_KI_DEFAULT  (s16)633\n"},
    {24, "#define PID_FLUX_KP_DEFAULT  (s16)3911\n"},
    {25, "#define PID_FLUX_KI_DEFAULT  (s16)633\n"},
    {26, "#define TF_KPDIV ((u16)(4096))\n"},
    {27, "#define TF_KIDIV ((u16)(16384))\n"},
    {28, "#define TF_KDDIV ((u16)(8192))\n"},
    {29, "#define PID_FLUX_REFERENCE   (s16)0\n"},
    {30, "#define PID_FLUX_KD_DEFAULT  (s16)100\n"},
    {31, "#define PID_TORQUE_KD_DEFAULT  (s16)100\n"},
    {32, "#define SQUARE_WAVE_PERIOD   (u16)2000 //in msec\n"},
    {33, "#define\tPOLE_PAIR_NUM \t(u8) 2        /* Number of motor pole pairs */\n"},
    {34, "#define RS               0.35            /* Stator resistance , ohm*/\n"},
    {35, "#define LS               0.0006        /* Stator inductance , H */\n"},
    {36, "#define NOMINAL_CURRENT             (s16)22456  //motor nominal current (0-pk)\n"},
    {37, "#define MOTOR_MAX_SPEED_RPM         (u32)3600   //maximum speed required\n"},
    {38, "#define MOTOR_VOLTAGE_CONSTANT      4.0   //Volts RMS ph-ph /kRPM\n"},
    {39, "#define FW_VOLTAGE_REF (s16)(985)   //Vs reference, tenth of a percent\n"},
    {40, "#define FW_KP_GAIN (s16)(3000)      //proportional gain of flux weakening ctrl\n"},
    {41, "#define FW_KI_GAIN (s16)(5000)      //integral gain of flux weakening ctrl\n"},
    {42, ""},
    {43, ""},
    {44, "#define HALL_SENSORS_PLACEMENT DEGREES_120\n"},
    {45, "#define HALL_SENSORS_PLACEMENT DEGREES_120\n"},
    {46, "#define\tHALL_PHASE_SHIFT (s16) 300\n"},
    {47, "#define\tHALL_MAX_SPEED_FDBK_RPM ((u32)30000)\n"},
    {48, "#define\tHALL_MIN_SPEED_FDBK_RPM ((u16)60)\n"},
    {49, "#define ENCODER_PPR           (u16)(400)   // number of pulses per revolution\n"},
    {50, "#define MINIMUM_MECHANICAL_SPEED_RPM  (u32)60   //rpm\n"},
    {51, "#define MAXIMUM_MECHANICAL_SPEED_RPM  (u32)30000 //rpm\n"},
    {52, "#define MAXIMUM_ERROR_NUMBER (u8)3\n"},
    {53, "#define SPEED_BUFFER_SIZE   8   // power of 2 required to ease computations\n"},
    {54, "#define T_ALIGNMENT           (u16) 700    // Alignment time in ms\n"},
    {55, "#define ALIGNMENT_ANGLE       (u16) 90 //Degrees [0..359] \n"},
    {56, "#define I_ALIGNMENT           (u16) 21895\n"},
    {57, "//#define ICS_SENSORS\n"},
    {58, "#define THREE_SHUNT\n"},
    {59, "//#define SINGLE_SHUNT\n"},
    {60, "//#define ENCODER\n"},
    {61, "//#define HALL_SENSORS\n"},
    {62, "#define NO_SPEED_SENSORS\n"},
    {63, "//#define VIEW_HALL_FEEDBACK\n"},
    {64, "#define VIEW_ENCODER_FEEDBACK\n"},
    {65, "//#define NO_SPEED_SENSORS_ALIGNMENT\n"},
    {66, "//#define IPMSM_MTPA\n"},
    {67, "#define FLUX_WEAKENING\n"},
    {68, "//#define FEED_FORWARD_CURRENT_REGULATION\n"},
    {69, "//#define BRAKE_RESISTOR\n"},
    {70, "//#define DIFFERENTIAL_TERM_ENABLED\n"},
    {71, "//#define FLUX_TORQUE_PIDs_TUNING\n"},
    {72, "#define OBSERVER_GAIN_TUNING\n"},
    {73, "#define DAC_FUNCTIONALITY\n"},
    {74, "#define MAX_CURRENT 2.9             /* max current value, Amps */\n"},
    {75, "#define K1 (s32)(-21162)             /* State Observer Gain 1 */\n"},
    {76, "#define K2 (s32)(70929)             /* State Observer Gain 2 */\n"},
    {77, "#define PLL_KP_GAIN (s16)(532*MOTOR_MAX_SPEED_RPM*POLE_PAIR_NUM/SAMPLING_FREQ)\n"},
    {78, "#define PLL_KI_GAIN (s16)(1506742*POLE_PAIR_NUM/SAMPLING_FREQ * "
         "MOTOR_MAX_SPEED_RPM/SAMPLING_FREQ)\n"},
    {79, "#define FREQ_START_UP_DURATION    (u16) 1500 //in msec\n"},
    {80, "#define FINAL_START_UP_SPEED      (u16) 2700 //Rotor mechanical speed (rpm)\n"},
    {81, "#define FIRST_I_STARTUP           (u16) 6737\n"},
    {82, "#define FINAL_I_STARTUP           (u16) 7860\n"},
    {83, "#define I_START_UP_DURATION       (u16) 350 //in msec\n"},
    {84, "#define SLESS_T_ALIGNMENT           (u16) 700    // Alignment time in ms\n"},
    {85, "#define SLESS_ALIGNMENT_ANGLE       (u16) 90 //Degrees [0..359]  \n"},
    {86, "#define SLESS_I_ALIGNMENT           (u16) 21895\n"},
    {87, "#define VARIANCE_THRESHOLD        0.0625  //Percentage of mean value\n"},
    {88, "#define NB_CONSECUTIVE_TESTS      (u16) 60\n"},
    {89, "#define RELIABILITY_HYSTERESYS    (u8)  3\n"},
    {90, "#define MINIMUM_SPEED_RPM             (u16) 580\n"},
    {91, "#define F1 (s16)(2048)\n"},
    {92, "#define F2 (s16)(16384)\n"},
    {93, "#define FW_KPDIV ((u16)(32768))     //flux weak ctrl P gain scaling factor\n"},
    {94, "#define FW_KIDIV ((u16)(32768))     //flux weak ctrl I gain scaling factor\n"},
};

class DefaultTokenText : public testing::TestWithParam<TokenCase> {};

TEST_P(DefaultTokenText, MatchesTheTable) {
  const auto &c = GetParam();
  EXPECT_EQ(TokenText(testdata::HandDefaults(), c.token), c.text);
}

INSTANTIATE_TEST_SUITE_P(EveryToken, DefaultTokenText, testing::ValuesIn(kDefaultTexts),
                         [](const auto &info) {
                           return "Token" + std::to_string(info.param.token);
                         });

TEST(DefinitionTable, EveryTokenHasACase) {
  ASSERT_EQ(std::size(kDefaultTexts), 94u); // token 0 is the banner, tested apart
  for (int i = 0; i < 94; ++i)
    EXPECT_EQ(kDefaultTexts[i].token, i + 1);
}

TEST(DefinitionTable, TokenZeroIsTheBanner) {
  const std::string b = TokenText(testdata::HandDefaults(), 0);
  EXPECT_EQ(b.size(), 25u);
  EXPECT_EQ(b.substr(0, 2).find('/'), std::string::npos);
}

TEST(DefinitionTable, NoDefinitionOfTheDefaultsIsDegenerate) {
  for (int t = 0; t < kTokenCount; ++t)
    EXPECT_TRUE(FindDefinitionProblems(t, testdata::HandDefaults()).empty()) << t;
}

struct VariantCase {
  const char *name;
  std::function<void(UserData &)> change;
  int token;
  const char *text;
};

// Single-field variations, each with its hand-derived text.
const VariantCase kVariants[] = {
    {"SamplingTime700", [](UserData &d) { d.ADConverterSamplingTime = 700; }, 1,
     "//#define SAMPLING_TIME_NS   200  //200ns\n"
     "#define SAMPLING_TIME_NS   700  //700ns\n"
     "//#define SAMPLING_TIME_NS  1200  //1.2us\n"
     "//#define SAMPLING_TIME_NS  2450  //2.45us\n"},
    {"SamplingTime500", [](UserData &d) { d.ADConverterSamplingTime = 500; }, 1,
     "//#define SAMPLING_TIME_NS   200  //200ns\n"
     "//#define SAMPLING_TIME_NS   700  //700ns\n"
     "//#define SAMPLING_TIME_NS  1200  //1.2us\n"
     "//#define SAMPLING_TIME_NS  2450  //2.45us\n"},
    {"SamplingTime2450", [](UserData &d) { d.ADConverterSamplingTime = 2450; }, 1,
     "//#define SAMPLING_TIME_NS   200  //200ns\n"
     "//#define SAMPLING_TIME_NS   700  //700ns\n"
     "//#define SAMPLING_TIME_NS  1200  //1.2us\n"
     "#define SAMPLING_TIME_NS  2450  //2.45us\n"},
    {"RepRate2", [](UserData &d) { d.TorqueAndFluxControlRate = 2; }, 7,
     "#define REP_RATE (3)  \t// (N.b): Internal current loop is performed every\n"
     "\t\t\t\t\t\t//(REP_RATE + 1)/(2*PWM_FREQ) seconds.\n"
     "\t\t\t\t\t\t// REP_RATE has to be an odd number in case of three-shunt\n"
     "\t\t\t\t\t\t// current reading; this limitation doesn't apply to ICS\n"},
    {"SpeedRate05", [](UserData &d) { d.SpeedRegulationControlRate = 0.5; }, 13,
     "#define PID_SPEED_SAMPLING_TIME   (u8)(PID_SPEED_SAMPLING_500us)\n"},
    {"SpeedRate1", [](UserData &d) { d.SpeedRegulationControlRate = 1; }, 13,
     "#define PID_SPEED_SAMPLING_TIME   (u8)(PID_SPEED_SAMPLING_1ms)\n"},
    {"SpeedRate5", [](UserData &d) { d.SpeedRegulationControlRate = 5; }, 13,
     "#define PID_SPEED_SAMPLING_TIME   (u8)(PID_SPEED_SAMPLING_5ms)\n"},
    {"SpeedRate10", [](UserData &d) { d.SpeedRegulationControlRate = 10; }, 13,
     "#define PID_SPEED_SAMPLING_TIME   (u8)(PID_SPEED_SAMPLING_10ms)\n"},
    {"SpeedRate20", [](UserData &d) { d.SpeedRegulationControlRate = 20; }, 13,
     "#define PID_SPEED_SAMPLING_TIME   (u8)(PID_SPEED_SAMPLING_20ms)\n"},
    {"SpeedRate127", [](UserData &d) { d.SpeedRegulationControlRate = 127; }, 13,
     "#define PID_SPEED_SAMPLING_TIME   (u8)(PID_SPEED_SAMPLING_127ms)\n"},
    {"SpeedRate3", [](UserData &d) { d.SpeedRegulationControlRate = 3; }, 13, ""},
    {"SpeedRateNaN", [](UserData &d) { d.SpeedRegulationControlRate = NAN; }, 13, ""},
    {"LsInHenries", [](UserData &d) { d.Lq.Value = 1.25; }, 35,
     "#define LS               0.0013        /* Stator inductance , H */\n"},
    // 2.9 counts: C() truncates to 2, R() rounds to 3. With ICS gain g,
    // 1 A gives 32767 * g / 1.65 counts: g = 2.9 * 1.65 / 32767.
    {"TruncatedCounts",
     [](UserData &d) {
       d.IsolatedCurrentSensors = 1;
       d.ICSGain.Value = 2.9 * 1.65 / 32767;
       d.RatedCurrent.Value = 1;
     },
     36, "#define NOMINAL_CURRENT             (s16)2  //motor nominal current (0-pk)\n"},
    {"RoundedCounts",
     [](UserData &d) {
       d.IsolatedCurrentSensors = 1;
       d.ICSGain.Value = 2.9 * 1.65 / 32767;
       d.AlignmentCurrent.Value = 1;
     },
     86, "#define SLESS_I_ALIGNMENT           (u16) 3\n"},
    {"IcsMaxCurrentUsesSensorGain",
     [](UserData &d) {
       d.IsolatedCurrentSensors = 1;
       d.ICSGain.Value = 0.5;
     },
     74, "#define MAX_CURRENT 3.3             /* max current value, Amps */\n"},
    // The encoder alignment current follows selection E (auxiliary encoder
    // viewed while sensorless), the sensorless one selection O (main).
    {"EncoderAlignmentUsesAux", [](UserData &d) { d.AuxAlignmentCurrent.Value = 1; }, 56,
     "#define I_ALIGNMENT           (u16) 11228\n"},
    {"SensorlessAlignmentUsesMain", [](UserData &d) { d.AuxAlignmentCurrent.Value = 1; }, 86,
     "#define SLESS_I_ALIGNMENT           (u16) 21895\n"},
    {"AlignmentOnlySensorless", [](UserData &d) { d.IncludeAlignmentBeforeStartUp = 1; }, 65,
     "#define NO_SPEED_SENSORS_ALIGNMENT\n"},
    {"AlignmentNeedsSensorless",
     [](UserData &d) {
       d.IncludeAlignmentBeforeStartUp = 1;
       d.NoSpeedSensors = 0;
       d.QuadratureEncoder = 1;
     },
     65, "//#define NO_SPEED_SENSORS_ALIGNMENT\n"},
    {"HallMainEvenWhenViewed",
     [](UserData &d) {
       d.NoSpeedSensors = 0;
       d.HallSensors = 1;
       d.ViewHallSensorsFeedback = 1;
       d.PhaseShift.Value = 10;
       d.AuxPhaseShift.Value = 20;
     },
     46, "#define\tHALL_PHASE_SHIFT (s16) 10\n"},
    {"HallAuxWhenViewed",
     [](UserData &d) {
       d.ViewHallSensorsFeedback = 1;
       d.PhaseShift.Value = 10;
       d.AuxPhaseShift.Value = 20;
     },
     46, "#define\tHALL_PHASE_SHIFT (s16) 20\n"},
    {"Hall60", [](UserData &d) { d.Hall120Degrees = 0; }, 44,
     "#define HALL_SENSORS_PLACEMENT DEGREES_60\n"},
    {"HallPlacementOnlyOneCounts", [](UserData &d) { d.Hall120Degrees = 2; }, 44,
     "#define HALL_SENSORS_PLACEMENT DEGREES_60\n"},
    {"HallAuxPlacement",
     [](UserData &d) {
       d.ViewHallSensorsFeedback = 1;
       d.AuxHall120Degrees = 0;
     },
     45, "#define HALL_SENSORS_PLACEMENT DEGREES_60\n"},
    {"EncoderMainWhenItDrives",
     [](UserData &d) {
       d.NoSpeedSensors = 0;
       d.QuadratureEncoder = 1;
       d.PulsesPerRevolution.Value = 1024;
     },
     49, "#define ENCODER_PPR           (u16)(1024)   // number of pulses per revolution\n"},
    {"ObserverAuxWhenTuning",
     [](UserData &d) {
       d.NoSpeedSensors = 0;
       d.QuadratureEncoder = 1;
       d.AuxK1.Value = -1234;
     },
     75, "#define K1 (s32)(-1234)             /* State Observer Gain 1 */\n"},
    {"ObserverMainWithoutTuning",
     [](UserData &d) {
       d.NoSpeedSensors = 0;
       d.QuadratureEncoder = 1;
       d.EnableObserverGainTuning = 0;
       d.AuxK1.Value = -1234;
     },
     75, "#define K1 (s32)(-21162)             /* State Observer Gain 1 */\n"},
    {"PllByHand", [](UserData &d) { d.GainsComputation = 0; }, 77, "#define PLL_KP_GAIN 266\n"},
    {"PllIntegralByHand", [](UserData &d) { d.GainsComputation = 0; }, 78,
     "#define PLL_KI_GAIN 52\n"},
    {"PllAuxByHand",
     [](UserData &d) {
       d.NoSpeedSensors = 0;
       d.HallSensors = 1;
       d.AuxGainsComputation = 0;
       d.AuxPLLPDividend.Value = 300;
     },
     77, "#define PLL_KP_GAIN 300\n"},
    {"RecordIntegersAreSigned32", [](UserData &d) { d.Trise.Value = 0xFFFFFFFFu; }, 2,
     "#define TRISE_NS -1\n"},
    {"MtpaEqualInductances", [](UserData &d) { d.InternalPMSMMaximunTxAStrategy = 1; }, 42,
     "#error \"MTPA strategy is enabled but the edited Lq and Ld values are equal\"\n"
     "#define IQMAX (s16)(0) /* Dummy value */ \n"
     "#define SEGDIV (s16)(0) /* Dummy value */ \n"
     "#define ANGC {0,0,0,0,0,0,0,0} /* Dummy values */ \n"
     "#define OFST {0,0,0,0,0,0,0,0} /* Dummy values */ \n"},
    // Ld 0.3 mH, Lq 0.6 mH, rated current 2 A, defaults otherwise; the table
    // worked through by hand: psi = 0.0155939 Wb, k = 2.9182879.
    {"MtpaLdBelowLq",
     [](UserData &d) {
       d.InternalPMSMMaximunTxAStrategy = 1;
       d.Ld.Value = 0.3;
     },
     42,
     "#define IQMAX (s16)(22439)\n"
     "#define SEGDIV (s16)(2804)\n"
     "#define ANGC {-164,-468,-795,-1099,-1414,-1729,-2045,-2360}\n"
     "#define OFST {0,25,81,159,267,402,564,753}\n"},
    // Feed-forward with Ld 0.3 mH: k = 2.9182879, w = 2 * 14400 * pi,
    // D = 3.32, v = 0.008.
    {"FeedForward",
     [](UserData &d) {
       d.FeedForwardCurrentRegulation = 1;
       d.Ld.Value = 0.3;
     },
     43,
     "#define CONSTANT1_Q (s32)(6254)\n"
     "#define CONSTANT1_D (s32)(3127)\n"
     "#define CONSTANT2 (s32)(6962)\n"},
};

class VariantTokenText : public testing::TestWithParam<VariantCase> {};

TEST_P(VariantTokenText, MatchesTheTable) {
  const auto &c = GetParam();
  UserData d = testdata::HandDefaults();
  c.change(d);
  EXPECT_EQ(TokenText(d, c.token), c.text);
}

INSTANTIATE_TEST_SUITE_P(Variants, VariantTokenText, testing::ValuesIn(kVariants),
                         [](const auto &info) { return std::string(info.param.name); });

} // namespace

namespace {

// The record typed by hand that these tests generate from holds, setting by
// setting through the registry, what the library's defaults hold; a setting
// that drifts is named.
TEST(HandDefaults, HoldTheLibraryDefaultOfEverySetting) {
  UserData library{};
  parvex::FillDefaults(library);
  const UserData typed = testdata::HandDefaults();
  for (const parvex::Parameter &p : parvex::Parameters()) {
    for (const parvex::ParamPart part : {parvex::ParamPart::Min, parvex::ParamPart::Value,
                                         parvex::ParamPart::Max, parvex::ParamPart::Decimals}) {
      if (part != parvex::ParamPart::Value && !p.HasRange())
        continue;
      EXPECT_EQ(p.Read(typed, part), p.Read(library, part))
          << p.name << " part " << static_cast<int>(part);
    }
  }
}

} // namespace
