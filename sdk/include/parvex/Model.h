// The configuration model's operations on a record, in place: the seven C
// exports of parvex.h are made of them.
#pragma once

#include "parvex.h"
#include "parvex/Api.h"

namespace parvex {

// The default configuration: constants, the members derived from them, then
// the four calculations.
PARVEX_CORE_API void FillDefaults(UserData &data);

// Repairs the record after an edit: re-couples limits, clamps values, rounds
// divisors and reruns every calculation.
PARVEX_CORE_API void CheckConsistency(UserData &data);

// The torque and flux controller gains, when TorqueAndFluxGainsComputation is
// set. 2 when the current scale or its product with the PWM frequency is zero
// (nothing written), else 0.
PARVEX_CORE_API int CalcTorqueAndFluxGains(UserData &data);

// The sensorless observer and PLL gains, main or auxiliary, when their
// gains-computation flag is set. 2 for a zero control rate or a zero product
// of control frequency and inductance (nothing written), else 0.
PARVEX_CORE_API int CalcSpeedFeedbackGains(UserData &data);
PARVEX_CORE_API int CalcAuxSpeedFeedbackGains(UserData &data);

// The maximum available modulation index of the chosen current sensing.
PARVEX_CORE_API void CalcModulationIndex(UserData &data);

} // namespace parvex
