#include "model/Defaults.h"

#include "parvex/Model.h"
#include "parvex/Parameters.h"

namespace parvex {

namespace {

// Limits that follow other defaults, taken from the values just written.
void FillDerivedMembers(UserData &d) {
  const double ratedCurrent = d.RatedCurrent.Value;
  d.TorqueInitRef.Max = ratedCurrent;
  d.FluxInitRef.Max = ratedCurrent;
  d.AlignmentCurrent.Max = ratedCurrent;
  d.AuxAlignmentCurrent.Max = ratedCurrent;
  d.CurrentRampFinalValue.Max = ratedCurrent;
  d.AuxCurrentRampFinalValue.Max = ratedCurrent;

  const std::uint32_t maxSpeed = d.MotorMaxSpeed.Value;
  d.SpeedInitRef.Max = maxSpeed;
  d.MinimumSpeed.Max = maxSpeed;
  d.AuxMinimumSpeed.Max = maxSpeed;

  d.MinMechanicalSpeed.Max = d.MaxMechanicalSpeed.Value;
  d.MaxMechanicalSpeed.Min = d.MinMechanicalSpeed.Value;
  d.AuxMinMechanicalSpeed.Max = d.AuxMaxMechanicalSpeed.Value;
  d.AuxMaxMechanicalSpeed.Min = d.AuxMinMechanicalSpeed.Value;

  d.CurrentRampInitialValue.Max = d.CurrentRampFinalValue.Value;
  d.CurrentRampFinalValue.Min = d.CurrentRampInitialValue.Value;
  d.AuxCurrentRampInitialValue.Max = d.AuxCurrentRampFinalValue.Value;
  d.AuxCurrentRampFinalValue.Min = d.AuxCurrentRampInitialValue.Value;

  d.CurrentRampDuration.Max = d.SpeedRampDuration.Value;
  d.AuxCurrentRampDuration.Max = d.AuxSpeedRampDuration.Value;
}

} // namespace

void WriteDefaultConstants(UserData &data) {
  for (const Parameter &p : Parameters())
    p.Reset(data);
}

void FillDefaults(UserData &data) {
  WriteDefaultConstants(data);
  FillDerivedMembers(data);
  // Their results cannot fail on the defaults and are not needed here.
  CalcTorqueAndFluxGains(data);
  CalcSpeedFeedbackGains(data);
  CalcAuxSpeedFeedbackGains(data);
  CalcModulationIndex(data);
}

} // namespace parvex
