// The rows of the sensorless speed feedback that reaches the headers (the
// main observer, or the auxiliary one while a sensor drives the motor):
// observer gains K1 and K2 with the poles they give, the PLL gains with the
// loop they give, and the observer's scaling factors F1 and F2.
#pragma once

#include "parvex/ControllerAnalysis.h"

#include <vector>

namespace parvex::analysis {

// K1, K2, PLL proportional, PLL integral, in this order.
std::vector<GainRow> ObserverGainRows(const UserData &d, const Scaling &s);

// F1, F2.
std::vector<GainRow> ScalingFactorRows(const UserData &d);

// " (auxiliary observer)" when the auxiliary observer's values reach the
// headers, else empty.
std::string ObserverSuffix(const UserData &d);

} // namespace parvex::analysis
