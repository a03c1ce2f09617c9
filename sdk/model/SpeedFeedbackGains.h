// A-priori gains of the sensorless state observer and its PLL.
#pragma once

#include "parvex.h"

namespace parvex {

// Each returns 0 when computed or when its gains-computation flag is clear;
// 2 when the control rate or the product of control frequency and inductance
// is zero, or a result has no defined integer value (nothing written).
int CalcSpeedFeedbackGains(UserData &data);
int CalcAuxSpeedFeedbackGains(UserData &data);

} // namespace parvex
