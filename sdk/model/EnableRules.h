// The pages' enable rules, named so that the registry rows can refer to
// them (ParamEdit::enable); EditBlocked applies them.
#pragma once

#include "parvex/Parameters.h"

namespace parvex {

// When the control of a setting is enabled, and why it is not, in the terms
// of the settings that decide it.
struct EnableRule {
  bool (*enabled)(const UserData &);
  const char *reason;               // follows the setting's name
  const EnableRule *also = nullptr; // asked next, when this one enables
};

namespace enable {

extern const EnableRule kShuntSensing;    // not with isolated current sensors
extern const EnableRule kIsolatedSensing; // only with isolated current sensors
extern const EnableRule kOwnLd; // Ld follows Lq without the maximum torque per ampere strategy
extern const EnableRule kManualGains;      // torque and flux gains not computed
extern const EnableRule kManualDGains;     // the same, and differential terms on
extern const EnableRule kDifferentialTerm; // differential terms on
extern const EnableRule kFluxWeakening;    // flux weakening on
extern const EnableRule kViewedBeside;     // a feedback viewed beside sensorless
extern const EnableRule kWithSensors;      // not without speed sensors
extern const EnableRule kAlignment;        // the sensorless page's alignment
extern const EnableRule kObserverGains;    // observer gains not computed
extern const EnableRule kAuxObserverGains; // auxiliary observer gains not computed
extern const EnableRule kAuxStartUp;       // the auxiliary observer starts the motor

} // namespace enable

} // namespace parvex
