#include "parvex/Edits.h"

#include "model/EnableRules.h"

#include <string_view>

namespace parvex {

namespace {

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
bool ManualGains(const UserData &d) {
  return d.TorqueAndFluxGainsComputation == 0;
}
bool DifferentialTerm(const UserData &d) {
  return d.CheckToEnableDifferentialTerm != 0;
}

constexpr const char *kComputedGain = " is computed while TorqueAndFluxGainsComputation is TRUE";

} // namespace

namespace enable {

constexpr EnableRule kShuntSensing = {[](const UserData &d) { return !Isolated(d); },
                                      " is not used while IsolatedCurrentSensors is TRUE"};
constexpr EnableRule kIsolatedSensing = {Isolated,
                                         " is used only while IsolatedCurrentSensors is TRUE"};
constexpr EnableRule kOwnLd = {
    [](const UserData &d) { return d.InternalPMSMMaximunTxAStrategy != 0; },
    " follows Lq while InternalPMSMMaximunTxAStrategy is FALSE"};
constexpr EnableRule kManualGains = {ManualGains, kComputedGain};
constexpr EnableRule kDifferentialTerm = {
    DifferentialTerm, " is not used while CheckToEnableDifferentialTerm is FALSE"};
// The differential gains need both: the computation writes them, and
// without differential terms they are not used.
constexpr EnableRule kManualDGains = {ManualGains, kComputedGain, &kDifferentialTerm};
constexpr EnableRule kFluxWeakening = {[](const UserData &d) { return d.FluxWeakening != 0; },
                                       " is not used while FluxWeakening is FALSE"};
constexpr EnableRule kViewedBeside = {
    Sensorless, " is viewed beside the main feedback only while NoSpeedSensors is TRUE"};
constexpr EnableRule kWithSensors = {[](const UserData &d) { return !Sensorless(d); },
                                     " is not available while NoSpeedSensors is TRUE"};
// The encoder page always offers the alignment; the sensorless page only
// with its check box.
constexpr EnableRule kAlignment = {
    [](const UserData &d) { return !SensorlessPageShown(d) || d.IncludeAlignmentBeforeStartUp; },
    " is not used while IncludeAlignmentBeforeStartUp is FALSE"};
constexpr EnableRule kObserverGains = {[](const UserData &d) { return d.GainsComputation == 0; },
                                       " is computed while GainsComputation is TRUE"};
constexpr EnableRule kAuxObserverGains = {
    [](const UserData &d) { return d.AuxGainsComputation == 0; },
    " is computed while AuxGainsComputation is TRUE"};
constexpr EnableRule kAuxStartUp = {AuxStartUpInUse,
                                    " is not used while the auxiliary observer only tunes its "
                                    "gains beside an encoder or Hall sensors "
                                    "(EnableObserverGainTuning is TRUE)"};

} // namespace enable

std::optional<std::string> EditBlocked(const UserData &data, const Parameter &parameter) {
  if (!parameter.edit.control)
    return std::string(parameter.name) + " is set by the calculations, not entered on a page";
  for (const EnableRule *rule = parameter.edit.enable; rule; rule = rule->also)
    if (!rule->enabled(data))
      return std::string(parameter.name) + rule->reason;
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
