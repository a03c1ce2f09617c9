#include "parvex/Edits.h"

#include <string_view>

namespace parvex {

namespace {

// The pages' enable rules: when the control of a setting is disabled, and
// why, in the terms of the settings that decide it. A setting without a
// rule is enabled whenever its page is shown.
struct Availability {
  const char *name;
  bool (*enabled)(const UserData &);
  const char *reason;
};

bool Isolated(const UserData &d) {
  return d.IsolatedCurrentSensors != 0;
}
bool Sensorless(const UserData &d) {
  return d.NoSpeedSensors != 0;
}
// The sensorless page is the speed-feedback page on the sheet.
bool SensorlessPageShown(const UserData &d) {
  return d.QuadratureEncoder == 0 && d.HallSensors == 0 && d.NoSpeedSensors != 0;
}
// The auxiliary observer only tunes gains beside a sensor: its start-up
// settings are out of use.
bool AuxStartUpInUse(const UserData &d) {
  return !((d.QuadratureEncoder != 0 || d.HallSensors != 0) && d.EnableObserverGainTuning != 0);
}

constexpr const char *kComputedGain = " is computed while TorqueAndFluxGainsComputation is TRUE";
constexpr const char *kObserverGain = " is computed while GainsComputation is TRUE";
constexpr const char *kAuxObserverGain = " is computed while AuxGainsComputation is TRUE";
constexpr const char *kDTerms = " is not used while CheckToEnableDifferentialTerm is FALSE";
constexpr const char *kFluxWeakening = " is not used while FluxWeakening is FALSE";
constexpr const char *kAuxStartUp =
    " is not used while the auxiliary observer only tunes its gains "
    "beside an encoder or Hall sensors "
    "(EnableObserverGainTuning is TRUE)";

const Availability kRules[] = {
    {"ShuntResistorValue", [](const UserData &d) { return !Isolated(d); },
     " is not used while IsolatedCurrentSensors is TRUE"},
    {"AmplificationGain", [](const UserData &d) { return !Isolated(d); },
     " is not used while IsolatedCurrentSensors is TRUE"},
    {"ICSGain", Isolated, " is used only while IsolatedCurrentSensors is TRUE"},
    {"Ld", [](const UserData &d) { return d.InternalPMSMMaximunTxAStrategy != 0; },
     " follows Lq while InternalPMSMMaximunTxAStrategy is FALSE"},
    {"TorquePDividend", [](const UserData &d) { return d.TorqueAndFluxGainsComputation == 0; },
     kComputedGain},
    {"TorqueIDividend", [](const UserData &d) { return d.TorqueAndFluxGainsComputation == 0; },
     kComputedGain},
    {"FluxPDividend", [](const UserData &d) { return d.TorqueAndFluxGainsComputation == 0; },
     kComputedGain},
    {"FluxIDividend", [](const UserData &d) { return d.TorqueAndFluxGainsComputation == 0; },
     kComputedGain},
    {"TorqueDDividend", [](const UserData &d) { return d.TorqueAndFluxGainsComputation == 0; },
     kComputedGain},
    {"FluxDDividend", [](const UserData &d) { return d.TorqueAndFluxGainsComputation == 0; },
     kComputedGain},
    // The differential gains need both: the computation writes them, and
    // without differential terms they are not used.
    {"TorqueDDividend", [](const UserData &d) { return d.CheckToEnableDifferentialTerm != 0; },
     kDTerms},
    {"FluxDDividend", [](const UserData &d) { return d.CheckToEnableDifferentialTerm != 0; },
     kDTerms},
    {"SpeedDDividend", [](const UserData &d) { return d.CheckToEnableDifferentialTerm != 0; },
     kDTerms},
    {"SpeedDDivisor", [](const UserData &d) { return d.CheckToEnableDifferentialTerm != 0; },
     kDTerms},
    {"FluxWeakeningControllerPDividend", [](const UserData &d) { return d.FluxWeakening != 0; },
     kFluxWeakening},
    {"FluxWeakeningControllerPDivisor", [](const UserData &d) { return d.FluxWeakening != 0; },
     kFluxWeakening},
    {"FluxWeakeningControllerIDividend", [](const UserData &d) { return d.FluxWeakening != 0; },
     kFluxWeakening},
    {"FluxWeakeningControllerIDivisor", [](const UserData &d) { return d.FluxWeakening != 0; },
     kFluxWeakening},
    {"FluxWeakeningControllerVoltageLimit", [](const UserData &d) { return d.FluxWeakening != 0; },
     kFluxWeakening},
    {"ViewEncoderFeedback", Sensorless,
     " is viewed beside the main feedback only while NoSpeedSensors is TRUE"},
    {"ViewHallSensorsFeedback", Sensorless,
     " is viewed beside the main feedback only while NoSpeedSensors is TRUE"},
    {"EnableModality", [](const UserData &d) { return !Sensorless(d); },
     " is not available while NoSpeedSensors is TRUE"},
    {"SquareWavePeriod", [](const UserData &d) { return !Sensorless(d); },
     " is not available while NoSpeedSensors is TRUE"},
    // The encoder page always offers the alignment; the sensorless page only
    // with its check box.
    {"AlignmentDuration",
     [](const UserData &d) { return !SensorlessPageShown(d) || d.IncludeAlignmentBeforeStartUp; },
     " is not used while IncludeAlignmentBeforeStartUp is FALSE"},
    {"AlignmentAngle",
     [](const UserData &d) { return !SensorlessPageShown(d) || d.IncludeAlignmentBeforeStartUp; },
     " is not used while IncludeAlignmentBeforeStartUp is FALSE"},
    {"AlignmentCurrent",
     [](const UserData &d) { return !SensorlessPageShown(d) || d.IncludeAlignmentBeforeStartUp; },
     " is not used while IncludeAlignmentBeforeStartUp is FALSE"},
    {"K1", [](const UserData &d) { return d.GainsComputation == 0; }, kObserverGain},
    {"K2", [](const UserData &d) { return d.GainsComputation == 0; }, kObserverGain},
    {"PLLPDividend", [](const UserData &d) { return d.GainsComputation == 0; }, kObserverGain},
    {"PLLIDividend", [](const UserData &d) { return d.GainsComputation == 0; }, kObserverGain},
    {"AuxK1", [](const UserData &d) { return d.AuxGainsComputation == 0; }, kAuxObserverGain},
    {"AuxK2", [](const UserData &d) { return d.AuxGainsComputation == 0; }, kAuxObserverGain},
    {"AuxPLLPDividend", [](const UserData &d) { return d.AuxGainsComputation == 0; },
     kAuxObserverGain},
    {"AuxPLLIDividend", [](const UserData &d) { return d.AuxGainsComputation == 0; },
     kAuxObserverGain},
    {"AuxSpeedRampDuration", AuxStartUpInUse, kAuxStartUp},
    {"AuxSpeedRampFinalValue", AuxStartUpInUse, kAuxStartUp},
    {"AuxCurrentRampDuration", AuxStartUpInUse, kAuxStartUp},
    {"AuxCurrentRampInitialValue", AuxStartUpInUse, kAuxStartUp},
    {"AuxCurrentRampFinalValue", AuxStartUpInUse, kAuxStartUp},
    {"AuxConsinstencyThreshold", AuxStartUpInUse, kAuxStartUp},
    {"AuxMinimumSpeed", AuxStartUpInUse, kAuxStartUp},
    {"AuxVarianceThreshold", AuxStartUpInUse, kAuxStartUp},
    {"AuxMaxErrorsNumber", AuxStartUpInUse, kAuxStartUp},
    {"AuxIncludeAlignmentBeforeStartUp", AuxStartUpInUse, kAuxStartUp},
};

} // namespace

std::optional<std::string> EditBlocked(const UserData &data, const Parameter &parameter) {
  if (!EditRuleOf(parameter))
    return std::string(parameter.name) + " is set by the calculations, not entered on a page";
  for (const Availability &rule : kRules)
    if (std::string_view(rule.name) == parameter.name && !rule.enabled(data))
      return std::string(parameter.name) + rule.reason;
  return std::nullopt;
}

std::optional<std::string> ForcedReason(const UserData &data, const Parameter &parameter) {
  const std::string_view name = parameter.name;
  if (name == "EnableDACFunctionality" && data.NoSpeedSensors != 0 && data.None == 0)
    return std::string("EnableDACFunctionality stays TRUE while NoSpeedSensors is TRUE and an "
                       "auxiliary speed feedback is viewed");
  if (name == "EnableModality" && data.NoSpeedSensors != 0)
    return std::string("EnableModality stays FALSE while NoSpeedSensors is TRUE");
  return std::nullopt;
}

} // namespace parvex
