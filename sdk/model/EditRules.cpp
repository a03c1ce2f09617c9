#include "parvex/Edits.h"

#include "parvex/Model.h"
#include "torvio/Conversion.h"

#include <string>
#include <string_view>
#include <vector>

namespace parvex {

namespace {

using C = EditControl;

// The speed loop's period in ms; the headers name it.
constexpr Choice kSpeedRates[] = {
    {0.5, "0.5", "PID_SPEED_SAMPLING_500us"},   {1, "1.0", "PID_SPEED_SAMPLING_1ms"},
    {2, "2.0", "PID_SPEED_SAMPLING_2ms"},       {5, "5.0", "PID_SPEED_SAMPLING_5ms"},
    {10, "10.0", "PID_SPEED_SAMPLING_10ms"},    {20, "20.0", "PID_SPEED_SAMPLING_20ms"},
    {127, "127.0", "PID_SPEED_SAMPLING_127ms"},
};
// PWM periods per current-loop period; the headers compute from the value.
constexpr Choice kCurrentRates[] = {{1, "1", nullptr}, {2, "2", nullptr}, {3, "3", nullptr}};
// Stored as the firmware counts them (ns); the page shows them at the
// converter clock.
constexpr Choice kSamplingTimes[] = {
    {200, "125", "#define SAMPLING_TIME_NS   200  //200ns"},
    {700, "625", "#define SAMPLING_TIME_NS   700  //700ns"},
    {1200, "1125", "#define SAMPLING_TIME_NS  1200  //1.2us"},
    {2450, "2375", "#define SAMPLING_TIME_NS  2450  //2.45us"},
};

constexpr std::array<const char *, 3> kSensors = {"QuadratureEncoder", "HallSensors",
                                                  "NoSpeedSensors"};
constexpr std::array<const char *, 3> kSensing = {"IsolatedCurrentSensors", "ThreeShuntResistors",
                                                  "SingleShuntResistor"};
constexpr std::array<const char *, 3> kViewed = {"ViewEncoderFeedback", "ViewHallSensorsFeedback",
                                                 "None"};
constexpr std::array<const char *, 3> kHall = {"Hall120Degrees", "Hall60Degrees", nullptr};
constexpr std::array<const char *, 3> kAuxHall = {"AuxHall120Degrees", "AuxHall60Degrees", nullptr};

EditRule Field(const char *name, bool check) {
  return {name, C::Field, check};
}
EditRule Box(const char *name, bool check) {
  return {name, C::CheckBox, check};
}
EditRule Option(const char *name, bool check, std::array<const char *, 3> group) {
  return {name, C::Option, check, group};
}
EditRule List(const char *name, bool check, std::span<const Choice> choices) {
  return {name, C::List, check, {}, choices};
}

// Fields a page shows but never lets a user type into (the torque and flux
// divisors, the PLL divisors, the modulation index) have no rule: the
// calculations set them.
const std::vector<EditRule> &Table() {
  static const std::vector<EditRule> rules = [] {
    std::vector<EditRule> r = {
        // Configuration
        Option("QuadratureEncoder", true, kSensors),
        Option("HallSensors", true, kSensors),
        Option("NoSpeedSensors", true, kSensors),
        Box("FluxWeakening", false),
        Box("FeedForwardCurrentRegulation", false),
        Box("InternalPMSMMaximunTxAStrategy", true),
        Option("IsolatedCurrentSensors", true, kSensing),
        Option("ThreeShuntResistors", true, kSensing),
        Option("SingleShuntResistor", true, kSensing),
        Box("EnableDCBusBrakeResistorManagement", false),
        Box("CheckToEnableDifferentialTerm", true),
        // Motor and hardware
        Field("ShuntResistorValue", true),
        Field("AmplificationGain", true),
        Field("ICSGain", true),
        Field("OverTemperatureThreshold", false),
        Field("TemperatureHysteresis", false),
        Field("OverVoltageThreshold", true),
        Field("UnderVoltageThreshold", true),
        Field("R", true),
        Field("Ld", true),
        Field("Lq", true),
        Field("RatedCurrent", true),
        Field("Ke", false),
        Field("PolePairs", true),
        Field("MotorMaxSpeed", true),
        Field("DCBusVoltagePartitioning", true),
        Field("DCBusVoltage", true),
        // Control settings
        Field("PWMFrequency", true),
        Field("DeadTime", true),
        List("SpeedRegulationControlRate", false, kSpeedRates),
        List("TorqueAndFluxControlRate", true, kCurrentRates),
        Field("CutOffFrequency", true),
        Field("TorquePDividend", false),
        Field("TorqueIDividend", false),
        Field("TorqueDDividend", false),
        Field("TorqueInitRef", false),
        Field("FluxPDividend", false),
        Field("FluxIDividend", false),
        Field("FluxDDividend", false),
        Field("FluxInitRef", false),
        Box("TorqueAndFluxGainsComputation", true),
        Field("SpeedPDividend", false),
        Field("SpeedPDivisor", true),
        Field("SpeedIDividend", false),
        Field("SpeedIDivisor", true),
        Field("SpeedDDividend", false),
        Field("SpeedDDivisor", true),
        Field("SpeedInitRef", false),
        Field("FluxWeakeningControllerPDividend", false),
        Field("FluxWeakeningControllerPDivisor", true),
        Field("FluxWeakeningControllerIDividend", false),
        Field("FluxWeakeningControllerIDivisor", true),
        Field("FluxWeakeningControllerVoltageLimit", false),
        // Current sensing
        Field("Tnoise", true),
        Field("Trise", true),
        List("ADConverterSamplingTime", true, kSamplingTimes),
        // Debug
        Option("ViewEncoderFeedback", true, kViewed),
        Option("ViewHallSensorsFeedback", true, kViewed),
        Option("None", true, kViewed),
        Box("EnableObserverGainTuning", true),
        Box("EnableDACFunctionality", false),
        Box("EnableModality", false),
        Field("SquareWavePeriod", false),
    };
    // The speed-feedback pages; the auxiliary pages enter the twins by the
    // same rules.
    const std::vector<EditRule> feedback = {
        Field("PulsesPerRevolution", false),
        Field("MinMechanicalSpeed", true),
        Field("MaxMechanicalSpeed", true),
        Field("MaxErrorsNumber", false),
        Field("FIFODepth", false),
        Field("AlignmentDuration", false),
        Field("AlignmentAngle", false),
        Field("AlignmentCurrent", false),
        Option("Hall120Degrees", false, kHall),
        Option("Hall60Degrees", false, kHall),
        Field("PhaseShift", false),
        Field("SpeedRampDuration", true),
        Field("SpeedRampFinalValue", false),
        Field("CurrentRampDuration", false),
        Field("CurrentRampInitialValue", true),
        Field("CurrentRampFinalValue", true),
        Field("ConsinstencyThreshold", false),
        Field("MinimumSpeed", false),
        Field("VarianceThreshold", false),
        Box("IncludeAlignmentBeforeStartUp", false),
        Box("GainsComputation", true),
        Field("K1", false),
        Field("K2", false),
        Field("PLLPDividend", false),
        Field("PLLIDividend", false),
    };
    for (const EditRule &main : feedback) {
      r.push_back(main);
      const Parameter *p = FindParameter(std::string_view(main.name));
      const Parameter *twin = p ? TwinOf(*p) : nullptr;
      if (!twin)
        continue;
      EditRule aux = main;
      aux.name = twin->name;
      if (main.control == C::Option)
        aux.group = kAuxHall;
      r.push_back(aux);
    }
    return r;
  }();
  return rules;
}

const Parameter *Member(const char *name) {
  return name ? FindParameter(std::string_view(name)) : nullptr;
}

void CheckIfRuled(UserData &data, const EditRule &rule) {
  if (rule.check)
    CheckConsistency(data);
}

} // namespace

std::span<const EditRule> EditRules() {
  return Table();
}

const EditRule *EditRuleOf(const Parameter &parameter) {
  for (const EditRule &rule : Table())
    if (std::string_view(rule.name) == parameter.name)
      return &rule;
  return nullptr;
}

std::span<const Choice> ListChoices(const Parameter &parameter) {
  const EditRule *rule = EditRuleOf(parameter);
  return rule && rule->control == C::List ? rule->choices : std::span<const Choice>{};
}

bool CommitValue(UserData &data, const Parameter &parameter, double value) {
  const EditRule *rule = EditRuleOf(parameter);
  if (!rule || (rule->control != C::Field && rule->control != C::List))
    return false;
  if (!parameter.Write(data, value))
    return false;
  CheckIfRuled(data, *rule);
  return true;
}

torvio::Result<double> EnterValue(UserData &data, const Parameter &parameter, double value,
                                  OutOfRange mode) {
  using torvio::ExactText;
  using torvio::Failure;
  const EditRule *rule = EditRuleOf(parameter);
  if (!rule)
    return Failure{"no page enters this setting (the calculations set it)"};
  if (rule->control == C::List) {
    std::string items;
    for (const Choice &choice : rule->choices) {
      if (choice.stored == value) {
        CommitValue(data, parameter, value);
        return value;
      }
      items += items.empty() ? "" : ", ";
      items += ExactText(choice.stored);
    }
    return Failure{ExactText(value) + " is not one of " + items};
  }
  if (rule->control != C::Field)
    return Failure{"a check box or option is set to TRUE or FALSE, not to a number"};
  const double min = parameter.Read(data, ParamPart::Min);
  const double max = parameter.Read(data, ParamPart::Max);
  double v = value;
  if (mode == OutOfRange::Clamp) {
    // The limits exactly as stored, never rounded to the shown decimals.
    if (v < min)
      v = min;
    if (v > max)
      v = max;
  } else if (!(v >= min && v <= max)) {
    return Failure{ExactText(v) + " is outside its limits " + ExactText(min) + ".." +
                   ExactText(max)};
  }
  if (v == parameter.Read(data))
    return v;
  UserData written = data;
  if (!parameter.Write(written, v) || !CommitValue(data, parameter, v))
    return Failure{ExactText(v) + " cannot be stored"};
  return parameter.Read(written);
}

bool CommitFlag(UserData &data, const Parameter &parameter, bool set) {
  const EditRule *rule = EditRuleOf(parameter);
  if (!rule || parameter.kind != ParamKind::Flag)
    return false;
  if (rule->control == C::CheckBox) {
    parameter.Write(data, set ? 1 : 0);
  } else if (rule->control == C::Option && set) {
    for (const char *name : rule->group)
      if (const Parameter *other = Member(name))
        other->Write(data, 0);
    parameter.Write(data, 1);
  } else {
    return false;
  }
  CheckIfRuled(data, *rule);
  return true;
}

} // namespace parvex
