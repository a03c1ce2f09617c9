// Proportional and integral gains of the torque (q-axis) and flux (d-axis)
// current controllers.
#pragma once

#include "parvex.h"

namespace parvex {

// 0 when computed or when computation is switched off; 2 when the current
// scale is zero or a result has no defined integer value (nothing written).
int CalcTorqueAndFluxGains(UserData &data);

} // namespace parvex
