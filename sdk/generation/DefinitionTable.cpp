#include "DefinitionTable.h"

#include "CastRange.h"
#include "ComputedDefinitions.h"
#include "RecordQuantities.h"

#include "parvex/Edits.h"

#include <array>
#include <cmath>
#include <new>
#include <span>
#include <vector>

namespace parvex {

namespace {

// A value for a definition, or why it has none.
template <class T>
struct Value {
  T value{};
  const char *problem = nullptr;
};

using IntGetter = Value<std::int32_t> (*)(const UserData &);
using RealGetter = Value<double> (*)(const UserData &);
using FlagGetter = bool (*)(const UserData &);
using ComputeFn = DefinitionText (*)(const UserData &);

enum class Kind { Banner, SamplingTime, SpeedPeriod, Int, Real, Flag, Computed };

struct Row {
  Kind kind;
  const char *name; // the definition's name, for #error lines
  const char *text; // format, or definition line of a flag
  IntGetter intValue = nullptr;
  RealGetter realValue = nullptr;
  FlagGetter flag = nullptr;
  ComputeFn compute = nullptr;
  HeaderEmitter emitter = nullptr;
};

Value<std::int32_t> I(std::uint32_t v) {
  return {AsSigned(v), nullptr};
}
Value<std::int32_t> I(std::int32_t v) {
  return {v, nullptr};
}
Value<double> D(double v) {
  return {v, nullptr};
}

// A current in converter counts, truncated.
Value<std::int32_t> Counts(const UserData &d, double amps) {
  const double counts = CurrentCountsTruncating(d, amps);
  if (!std::isfinite(counts))
    return {0, "input is not a finite number"};
  const auto v = TruncateToInt32(counts);
  if (!v)
    return {0, "value out of range"};
  return {*v, nullptr};
}

// Writes a computed definition when its block is written.
template <ComputeFn F>
int Emit(HeaderOutput &out, const UserData &d) {
  try {
    return WriteBlockText(out, F(d).text);
  } catch (...) {
    return 5;
  }
}

template <ComputeFn F>
Row Computed(const char *name) {
  Row r{Kind::Computed, name, nullptr};
  r.compute = F;
  r.emitter = &Emit<F>;
  return r;
}

Row IntRow(const char *name, const char *format, IntGetter get) {
  Row r{Kind::Int, name, format};
  r.intValue = get;
  return r;
}

Row RealRow(const char *name, const char *format, RealGetter get) {
  Row r{Kind::Real, name, format};
  r.realValue = get;
  return r;
}

Row FlagRow(const char *line, FlagGetter get) {
  Row r{Kind::Flag, nullptr, line};
  r.flag = get;
  return r;
}

// A speed-loop period as the headers key it: tenths of a millisecond; a
// value with no integer conversion matches no entry.
std::int32_t SpeedPeriodKey(double rate) {
  return TruncateToInt32(rate * 10).value_or(-1);
}

template <class T>
std::span<const Choice> ChoicesOf(T UserData::*member) {
  const Parameter *p = FindParameter(ParamMember(member));
  return p ? ListChoices(*p) : std::span<const Choice>{};
}

// The sampling time's definition lines, one per item of its list.
const std::vector<CSelectHeaderBlock::Candidate> &SamplingTimeLines() {
  static const auto lines = [] {
    std::vector<CSelectHeaderBlock::Candidate> l;
    for (const Choice &c : ChoicesOf(&UserData::ADConverterSamplingTime))
      l.emplace_back(static_cast<std::int32_t>(c.stored), c.header);
    return l;
  }();
  return lines;
}

// The speed-loop period's names, one per item of its list.
const std::vector<CStrStrHeaderBlock::Entry> &SpeedPeriods() {
  static const auto periods = [] {
    std::vector<CStrStrHeaderBlock::Entry> e;
    for (const Choice &c : ChoicesOf(&UserData::SpeedRegulationControlRate))
      e.emplace_back(SpeedPeriodKey(c.stored), c.header);
    return e;
  }();
  return periods;
}

using U = const UserData &;

const std::array<Row, kTokenCount> &Rows() {
  static const std::array<Row, kTokenCount> rows = {{
      /* 0 */ {Kind::Banner, nullptr, nullptr},
      /* 1 */ {Kind::SamplingTime, nullptr, nullptr},
      /* 2 */ IntRow("TRISE_NS", "#define TRISE_NS %d\n", [](U d) { return I(d.Trise.Value); }),
      /* 3 */ IntRow("TNOISE_NS", "#define TNOISE_NS %d\n", [](U d) { return I(d.Tnoise.Value); }),
      /* 4 */
      IntRow("PWM_FREQ",
             "#define PWM_FREQ ((u16) %d) // in Hz  (N.b.: pattern type is center aligned)\n",
             [](U d) { return I(d.PWMFrequency.Value); }),
      /* 5 */
      IntRow("DEADTIME_NS", "#define DEADTIME_NS\t((u16) %d)  //in nsec; range is [0...3500]\n",
             [](U d) { return I(d.DeadTime.Value); }),
      /* 6 */ Computed<ModulationIndexDefinition>("MAX_MODULATION"),
      /* 7 */
      IntRow("REP_RATE",
             "#define REP_RATE (%d)  \t// (N.b): Internal current loop is performed every\n"
             "\t\t\t\t\t\t//(REP_RATE + 1)/(2*PWM_FREQ) seconds.\n"
             "\t\t\t\t\t\t// REP_RATE has to be an odd number in case of three-shunt\n"
             "\t\t\t\t\t\t// current reading; this limitation doesn't apply to ICS\n",
             [](U d) { return I(2 * d.TorqueAndFluxControlRate - 1); }),
      /* 8 */
      IntRow("NTC_THRESHOLD_C", "#define NTC_THRESHOLD_C\t\t\t\t%d\t\t//\xB0""C on heatsink of KV208 board\n",
             [](U d) { return I(d.OverTemperatureThreshold.Value); }),
      /* 9 */
      IntRow("NTC_HYSTERIS_C", "#define NTC_HYSTERIS_C\t\t\t\t%d\t\t// Temperature hysteresis (\xB0""C)\n",
             [](U d) { return I(d.TemperatureHysteresis.Value); }),
      /* 10 */
      IntRow("OVERVOLTAGE_THRESHOLD_V",
             "#define OVERVOLTAGE_THRESHOLD_V\t\t%d\t\t//Volt on DC Bus of KV208 board\n",
             [](U d) { return I(d.OverVoltageThreshold.Value); }),
      /* 11 */
      IntRow("UNDERVOLTAGE_THRESHOLD_V",
             "#define UNDERVOLTAGE_THRESHOLD_V\t%d\t\t//Volt on DC Bus of KV208 board\n",
             [](U d) { return I(d.UnderVoltageThreshold.Value); }),
      /* 12 */
      RealRow("BUS_ADC_CONV_RATIO",
              "#define BUS_ADC_CONV_RATIO\t\t\t%.3f\t//DC bus voltage partitioning ratio\n",
              [](U d) { return D(d.DCBusVoltagePartitioning.Value); }),
      /* 13 */ {Kind::SpeedPeriod, nullptr, "#define PID_SPEED_SAMPLING_TIME   (u8)(%s)\n"},
      /* 14 */
      IntRow("PID_SPEED_REFERENCE_RPM", "#define PID_SPEED_REFERENCE_RPM   (s16)%d\n",
             [](U d) { return I(d.SpeedInitRef.Value); }),
      /* 15 */
      IntRow("PID_SPEED_KP_DEFAULT", "#define PID_SPEED_KP_DEFAULT      (s16)%d\n",
             [](U d) { return I(d.SpeedPDividend.Value); }),
      /* 16 */
      IntRow("PID_SPEED_KI_DEFAULT", "#define PID_SPEED_KI_DEFAULT      (s16)%d\n",
             [](U d) { return I(d.SpeedIDividend.Value); }),
      /* 17 */
      IntRow("PID_SPEED_KD_DEFAULT", "#define PID_SPEED_KD_DEFAULT      (s16)%d\n",
             [](U d) { return I(d.SpeedDDividend.Value); }),
      /* 18 */
      IntRow("SP_KPDIV", "#define SP_KPDIV ((u16)(%d))\n",
             [](U d) { return I(d.SpeedPDivisor.Value); }),
      /* 19 */
      IntRow("SP_KIDIV", "#define SP_KIDIV ((u16)(%d))\n",
             [](U d) { return I(d.SpeedIDivisor.Value); }),
      /* 20 */
      IntRow("SP_KDDIV", "#define SP_KDDIV ((u16)(%d))\n",
             [](U d) { return I(d.SpeedDDivisor.Value); }),
      /* 21 */
      IntRow("PID_TORQUE_REFERENCE",
             "#define PID_TORQUE_REFERENCE   (s16)%d //(N.b: that's the reference init\n"
             "\t\t\t\t//value in both torque and speed control)\n",
             [](U d) { return Counts(d, d.TorqueInitRef.Value); }),
      /* 22 */
      IntRow("PID_TORQUE_KP_DEFAULT", "#define PID_TORQUE_KP_DEFAULT  (s16)%d\n",
             [](U d) { return I(d.TorquePDividend.Value); }),
      /* 23 */
      IntRow("PID_TORQUE_KI_DEFAULT", "#define PID_TORQUE_KI_DEFAULT  (s16)%d\n",
             [](U d) { return I(d.TorqueIDividend.Value); }),
      /* 24 */
      IntRow("PID_FLUX_KP_DEFAULT", "#define PID_FLUX_KP_DEFAULT  (s16)%d\n",
             [](U d) { return I(d.FluxPDividend.Value); }),
      /* 25 */
      IntRow("PID_FLUX_KI_DEFAULT", "#define PID_FLUX_KI_DEFAULT  (s16)%d\n",
             [](U d) { return I(d.FluxIDividend.Value); }),
      /* 26 */
      IntRow("TF_KPDIV", "#define TF_KPDIV ((u16)(%d))\n",
             [](U d) { return I(d.TorquePDivisor.Value); }),
      /* 27 */
      IntRow("TF_KIDIV", "#define TF_KIDIV ((u16)(%d))\n",
             [](U d) { return I(d.TorqueIDivisor.Value); }),
      /* 28 */
      IntRow("TF_KDDIV", "#define TF_KDDIV ((u16)(%d))\n",
             [](U d) { return I(d.FluxDDivisor.Value); }),
      /* 29 */
      IntRow("PID_FLUX_REFERENCE", "#define PID_FLUX_REFERENCE   (s16)%d\n",
             [](U d) { return Counts(d, d.FluxInitRef.Value); }),
      /* 30 */
      IntRow("PID_FLUX_KD_DEFAULT", "#define PID_FLUX_KD_DEFAULT  (s16)%d\n",
             [](U d) { return I(d.FluxDDividend.Value); }),
      /* 31 */
      IntRow("PID_TORQUE_KD_DEFAULT", "#define PID_TORQUE_KD_DEFAULT  (s16)%d\n",
             [](U d) { return I(d.TorqueDDividend.Value); }),
      /* 32 */
      IntRow("SQUARE_WAVE_PERIOD", "#define SQUARE_WAVE_PERIOD   (u16)%d //in msec\n",
             [](U d) { return I(d.SquareWavePeriod.Value); }),
      /* 33 */
      IntRow("POLE_PAIR_NUM",
             "#define\tPOLE_PAIR_NUM \t(u8) %d        /* Number of motor pole pairs */\n",
             [](U d) { return I(d.PolePairs.Value); }),
      /* 34 */
      RealRow("RS", "#define RS               %.2f            /* Stator resistance , ohm*/\n",
              [](U d) { return D(d.R.Value); }),
      /* 35 */
      RealRow("LS", "#define LS               %.4f        /* Stator inductance , H */\n",
              [](U d) { return D(d.Lq.Value / 1000); }),
      /* 36 */
      IntRow("NOMINAL_CURRENT",
             "#define NOMINAL_CURRENT             (s16)%d  //motor nominal current (0-pk)\n",
             [](U d) { return Counts(d, d.RatedCurrent.Value); }),
      /* 37 */
      IntRow("MOTOR_MAX_SPEED_RPM",
             "#define MOTOR_MAX_SPEED_RPM         (u32)%d   //maximum speed required\n",
             [](U d) { return I(d.MotorMaxSpeed.Value); }),
      /* 38 */
      RealRow("MOTOR_VOLTAGE_CONSTANT",
              "#define MOTOR_VOLTAGE_CONSTANT      %.1f   //Volts RMS ph-ph /kRPM\n",
              [](U d) { return D(d.Ke.Value); }),
      /* 39 */
      IntRow("FW_VOLTAGE_REF",
             "#define FW_VOLTAGE_REF (s16)(%d)   //Vs reference, tenth of a percent\n",
             [](U d) -> Value<std::int32_t> {
               const double tenths = d.FluxWeakeningControllerVoltageLimit.Value * 10;
               if (!std::isfinite(tenths))
                 return {0, "input is not a finite number"};
               const auto v = TruncateToInt32(tenths);
               if (!v)
                 return {0, "value out of range"};
               return {*v, nullptr};
             }),
      /* 40 */
      IntRow("FW_KP_GAIN",
             "#define FW_KP_GAIN (s16)(%d)      //proportional gain of flux weakening ctrl\n",
             [](U d) { return I(d.FluxWeakeningControllerPDividend.Value); }),
      /* 41 */
      IntRow("FW_KI_GAIN",
             "#define FW_KI_GAIN (s16)(%d)      //integral gain of flux weakening ctrl\n",
             [](U d) { return I(d.FluxWeakeningControllerIDividend.Value); }),
      /* 42 */ Computed<MtpaTable>("IQMAX"),
      /* 43 */ Computed<FeedForwardConstants>("CONSTANT1_Q"),
      /* 44 */ Computed<HallPlacement>("HALL_SENSORS_PLACEMENT"),
      /* 45 */ Computed<HallPlacement>("HALL_SENSORS_PLACEMENT"),
      /* 46 */
      IntRow("HALL_PHASE_SHIFT", "#define\tHALL_PHASE_SHIFT (s16) %d\n",
             [](U d) { return I(UseAuxHall(d) ? d.AuxPhaseShift.Value : d.PhaseShift.Value); }),
      /* 47 */
      IntRow("HALL_MAX_SPEED_FDBK_RPM", "#define\tHALL_MAX_SPEED_FDBK_RPM ((u32)%d)\n",
             [](U d) {
               return I(UseAuxHall(d) ? d.AuxMaxMechanicalSpeed.Value : d.MaxMechanicalSpeed.Value);
             }),
      /* 48 */
      IntRow("HALL_MIN_SPEED_FDBK_RPM", "#define\tHALL_MIN_SPEED_FDBK_RPM ((u16)%d)\n",
             [](U d) {
               return I(UseAuxHall(d) ? d.AuxMinMechanicalSpeed.Value : d.MinMechanicalSpeed.Value);
             }),
      /* 49 */
      IntRow("ENCODER_PPR",
             "#define ENCODER_PPR           (u16)(%d)   // number of pulses per revolution\n",
             [](U d) {
               return I(UseAuxEncoder(d) ? d.AuxPulsesPerRevolution.Value
                                         : d.PulsesPerRevolution.Value);
             }),
      /* 50 */
      IntRow("MINIMUM_MECHANICAL_SPEED_RPM", "#define MINIMUM_MECHANICAL_SPEED_RPM  (u32)%d   //rpm\n",
             [](U d) {
               return I(UseAuxEncoder(d) ? d.AuxMinMechanicalSpeed.Value
                                         : d.MinMechanicalSpeed.Value);
             }),
      /* 51 */
      IntRow("MAXIMUM_MECHANICAL_SPEED_RPM", "#define MAXIMUM_MECHANICAL_SPEED_RPM  (u32)%d //rpm\n",
             [](U d) {
               return I(UseAuxEncoder(d) ? d.AuxMaxMechanicalSpeed.Value
                                         : d.MaxMechanicalSpeed.Value);
             }),
      /* 52 */
      IntRow("MAXIMUM_ERROR_NUMBER", "#define MAXIMUM_ERROR_NUMBER (u8)%d\n",
             [](U d) {
               return I(UseAuxEncoder(d) ? d.AuxMaxErrorsNumber.Value : d.MaxErrorsNumber.Value);
             }),
      /* 53 */
      IntRow("SPEED_BUFFER_SIZE",
             "#define SPEED_BUFFER_SIZE   %d   // power of 2 required to ease computations\n",
             [](U d) { return I(UseAuxEncoder(d) ? d.AuxFIFODepth.Value : d.FIFODepth.Value); }),
      /* 54 */
      IntRow("T_ALIGNMENT", "#define T_ALIGNMENT           (u16) %d    // Alignment time in ms\n",
             [](U d) {
               return I(UseAuxEncoder(d) ? d.AuxAlignmentDuration.Value : d.AlignmentDuration.Value);
             }),
      /* 55 */
      IntRow("ALIGNMENT_ANGLE", "#define ALIGNMENT_ANGLE       (u16) %d //Degrees [0..359] \n",
             [](U d) {
               return I(UseAuxEncoder(d) ? d.AuxAlignmentAngle.Value : d.AlignmentAngle.Value);
             }),
      /* 56 */ Computed<EncoderAlignmentCurrent>("I_ALIGNMENT"),
      /* 57 */ FlagRow("#define ICS_SENSORS\n", [](U d) { return d.IsolatedCurrentSensors != 0; }),
      /* 58 */ FlagRow("#define THREE_SHUNT\n", [](U d) { return d.ThreeShuntResistors != 0; }),
      /* 59 */ FlagRow("#define SINGLE_SHUNT\n", [](U d) { return d.SingleShuntResistor != 0; }),
      /* 60 */ FlagRow("#define ENCODER\n", [](U d) { return d.QuadratureEncoder != 0; }),
      /* 61 */ FlagRow("#define HALL_SENSORS\n", [](U d) { return d.HallSensors != 0; }),
      /* 62 */ FlagRow("#define NO_SPEED_SENSORS\n", [](U d) { return d.NoSpeedSensors != 0; }),
      /* 63 */
      FlagRow("#define VIEW_HALL_FEEDBACK\n", [](U d) { return d.ViewHallSensorsFeedback != 0; }),
      /* 64 */
      FlagRow("#define VIEW_ENCODER_FEEDBACK\n", [](U d) { return d.ViewEncoderFeedback != 0; }),
      /* 65 */
      FlagRow("#define NO_SPEED_SENSORS_ALIGNMENT\n",
              [](U d) { return d.NoSpeedSensors != 0 && d.IncludeAlignmentBeforeStartUp != 0; }),
      /* 66 */
      FlagRow("#define IPMSM_MTPA\n", [](U d) { return d.InternalPMSMMaximunTxAStrategy != 0; }),
      /* 67 */ FlagRow("#define FLUX_WEAKENING\n", [](U d) { return d.FluxWeakening != 0; }),
      /* 68 */
      FlagRow("#define FEED_FORWARD_CURRENT_REGULATION\n",
              [](U d) { return d.FeedForwardCurrentRegulation != 0; }),
      /* 69 */
      FlagRow("#define BRAKE_RESISTOR\n",
              [](U d) { return d.EnableDCBusBrakeResistorManagement != 0; }),
      /* 70 */
      FlagRow("#define DIFFERENTIAL_TERM_ENABLED\n",
              [](U d) { return d.CheckToEnableDifferentialTerm != 0; }),
      /* 71 */ FlagRow("#define FLUX_TORQUE_PIDs_TUNING\n", [](U d) { return d.EnableModality != 0; }),
      /* 72 */
      FlagRow("#define OBSERVER_GAIN_TUNING\n", [](U d) { return d.EnableObserverGainTuning != 0; }),
      /* 73 */
      FlagRow("#define DAC_FUNCTIONALITY\n", [](U d) { return d.EnableDACFunctionality != 0; }),
      /* 74 */
      RealRow("MAX_CURRENT", "#define MAX_CURRENT %.1f             /* max current value, Amps */\n",
              [](U d) -> Value<double> {
                const double gain = SensingGain(d);
                if (gain == 0)
                  return {0, "zero current-sensing gain"};
                return D(1.65 / gain);
              }),
      /* 75 */
      IntRow("K1", "#define K1 (s32)(%d)             /* State Observer Gain 1 */\n",
             [](U d) { return I(UseAuxObserver(d) ? d.AuxK1.Value : d.K1.Value); }),
      /* 76 */
      IntRow("K2", "#define K2 (s32)(%d)             /* State Observer Gain 2 */\n",
             [](U d) { return I(UseAuxObserver(d) ? d.AuxK2.Value : d.K2.Value); }),
      /* 77 */ Computed<PllProportionalGain>("PLL_KP_GAIN"),
      /* 78 */ Computed<PllIntegralGain>("PLL_KI_GAIN"),
      /* 79 */
      IntRow("FREQ_START_UP_DURATION", "#define FREQ_START_UP_DURATION    (u16) %d //in msec\n",
             [](U d) {
               return I(UseAuxObserver(d) ? d.AuxSpeedRampDuration.Value
                                          : d.SpeedRampDuration.Value);
             }),
      /* 80 */
      IntRow("FINAL_START_UP_SPEED",
             "#define FINAL_START_UP_SPEED      (u16) %d //Rotor mechanical speed (rpm)\n",
             [](U d) {
               return I(UseAuxObserver(d) ? d.AuxSpeedRampFinalValue.Value
                                          : d.SpeedRampFinalValue.Value);
             }),
      /* 81 */ Computed<StartUpFirstCurrent>("FIRST_I_STARTUP"),
      /* 82 */ Computed<StartUpFinalCurrent>("FINAL_I_STARTUP"),
      /* 83 */
      IntRow("I_START_UP_DURATION", "#define I_START_UP_DURATION       (u16) %d //in msec\n",
             [](U d) {
               return I(UseAuxObserver(d) ? d.AuxCurrentRampDuration.Value
                                          : d.CurrentRampDuration.Value);
             }),
      /* 84 */
      IntRow("SLESS_T_ALIGNMENT",
             "#define SLESS_T_ALIGNMENT           (u16) %d    // Alignment time in ms\n",
             [](U d) {
               return I(UseAuxObserver(d) ? d.AuxAlignmentDuration.Value
                                          : d.AlignmentDuration.Value);
             }),
      /* 85 */
      IntRow("SLESS_ALIGNMENT_ANGLE",
             "#define SLESS_ALIGNMENT_ANGLE       (u16) %d //Degrees [0..359]  \n",
             [](U d) {
               return I(UseAuxObserver(d) ? d.AuxAlignmentAngle.Value : d.AlignmentAngle.Value);
             }),
      /* 86 */ Computed<SensorlessAlignmentCurrent>("SLESS_I_ALIGNMENT"),
      /* 87 */
      RealRow("VARIANCE_THRESHOLD",
              "#define VARIANCE_THRESHOLD        %.4f  //Percentage of mean value\n",
              [](U d) {
                return D((UseAuxObserver(d) ? d.AuxVarianceThreshold.Value
                                            : d.VarianceThreshold.Value) /
                         100);
              }),
      /* 88 */
      IntRow("NB_CONSECUTIVE_TESTS", "#define NB_CONSECUTIVE_TESTS      (u16) %d\n",
             [](U d) {
               return I(UseAuxObserver(d) ? d.AuxConsinstencyThreshold.Value
                                          : d.ConsinstencyThreshold.Value);
             }),
      /* 89 */
      IntRow("RELIABILITY_HYSTERESYS", "#define RELIABILITY_HYSTERESYS    (u8)  %d\n",
             [](U d) {
               return I(UseAuxObserver(d) ? d.AuxMaxErrorsNumber.Value : d.MaxErrorsNumber.Value);
             }),
      /* 90 */
      IntRow("MINIMUM_SPEED_RPM", "#define MINIMUM_SPEED_RPM             (u16) %d\n",
             [](U d) {
               return I(UseAuxObserver(d) ? d.AuxMinimumSpeed.Value : d.MinimumSpeed.Value);
             }),
      /* 91 */ Computed<ObserverScalingF1>("F1"),
      /* 92 */ Computed<ObserverScalingF2>("F2"),
      /* 93 */
      IntRow("FW_KPDIV", "#define FW_KPDIV ((u16)(%d))     //flux weak ctrl P gain scaling factor\n",
             [](U d) { return I(d.FluxWeakeningControllerPDivisor.Value); }),
      /* 94 */
      IntRow("FW_KIDIV", "#define FW_KIDIV ((u16)(%d))     //flux weak ctrl I gain scaling factor\n",
             [](U d) { return I(d.FluxWeakeningControllerIDivisor.Value); }),
  }};
  return rows;
}

// The value of a real definition, with non-finite values refused (they
// would print as "nan" or "inf").
Value<double> CheckedReal(const Row &row, const UserData &d) {
  Value<double> v = row.realValue(d);
  if (!v.problem && !std::isfinite(v.value))
    v.problem = "input is not a finite number";
  return v;
}

// Why an integer definition cannot be written: no value, or a value that
// the type it is cast to cannot hold.
std::optional<std::string> IntProblem(const Row &row, const Value<std::int32_t> &v) {
  if (v.problem)
    return std::string(v.problem);
  return CastProblem(row.text, v.value);
}

std::unique_ptr<CHeaderBlock> MakeBlock(const Row &row, const UserData &d) {
  switch (row.kind) {
  case Kind::Banner:
    return std::make_unique<CCopyrightHeaderBlock>();
  case Kind::SamplingTime:
    return std::make_unique<CSelectHeaderBlock>(SamplingTimeLines(),
                                                AsSigned(d.ADConverterSamplingTime));
  case Kind::SpeedPeriod:
    return std::make_unique<CStrStrHeaderBlock>(SpeedPeriodKey(d.SpeedRegulationControlRate),
                                                SpeedPeriods(), row.text);
  case Kind::Int: {
    const auto v = row.intValue(d);
    if (const auto problem = IntProblem(row, v))
      return std::make_unique<CSimpleHeaderBlock>(ErrorLine({row.name, *problem}));
    return std::make_unique<CSimpleHeaderBlock>(row.text, v.value);
  }
  case Kind::Real: {
    const auto v = CheckedReal(row, d);
    if (v.problem)
      return std::make_unique<CSimpleHeaderBlock>(ErrorLine({row.name, v.problem}));
    return std::make_unique<CSimpleHeaderBlock>(row.text, v.value);
  }
  case Kind::Flag:
    return std::make_unique<CBooleanHeaderBlock>(row.text, row.flag(d));
  case Kind::Computed:
    return std::make_unique<CCustomHeaderBlock>(row.emitter);
  }
  return nullptr;
}

} // namespace

int BuildHeaderBlocks(const UserData &data, GenerationContext &ctx) {
  const auto &rows = Rows();
  for (int token = 0; token < kTokenCount; ++token) {
    try {
      ctx.blocks[token] = MakeBlock(rows[token], data);
    } catch (const std::bad_alloc &) {
      ctx.blocks[token].reset();
    }
  }
  return 0;
}

std::vector<DefinitionProblem> FindDefinitionProblems(int token, const UserData &data) {
  if (token < 0 || token >= kTokenCount)
    return {};
  const Row &row = Rows()[token];
  switch (row.kind) {
  case Kind::Int:
    if (const auto problem = IntProblem(row, row.intValue(data)))
      return {{row.name, *problem}};
    break;
  case Kind::Real:
    if (const auto v = CheckedReal(row, data); v.problem)
      return {{row.name, v.problem}};
    break;
  case Kind::Computed:
    return row.compute(data).problems;
  default:
    break;
  }
  return {};
}

const char *DefinitionFormat(int token) {
  if (token < 0 || token >= kTokenCount)
    return nullptr;
  const Row &row = Rows()[token];
  return row.kind == Kind::Int || row.kind == Kind::Real ? row.text : nullptr;
}

} // namespace parvex
