#include "parvex/Model.h"

#include "model/ConsistencyRules.h"

namespace parvex {

// The order matters: the gains use the inductances and current limit
// repaired before them, the references the clamped rated current, the
// observer gains the repaired speed and current settings.
// SpeedDDividend is left as entered, whatever the differential-term flag: the
// page stores it on purpose and the headers emit it as given.
void CheckConsistency(UserData &d) {
  CoupleVoltageThresholds(d);
  LimitRatedCurrent(d);
  CoupleInductances(d);
  CalcTorqueAndFluxGains(d);
  LimitCurrentReferences(d);
  LimitSpeedReference(d);
  RoundSpeedAndFluxWeakeningDivisors(d);
  CorrectAuxiliaryFeedbackFlags(d);
  CorrectSensorlessDebugOptions(d);
  CoupleMainSpeedFeedback(d);
  CalcSpeedFeedbackGains(d);
  CoupleAuxSpeedFeedback(d);
  CalcAuxSpeedFeedbackGains(d);
  CalcModulationIndex(d);
}

} // namespace parvex
