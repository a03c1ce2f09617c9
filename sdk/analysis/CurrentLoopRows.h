// The rows of the current controllers (torque and flux, proportional and
// integral) and of the maximum modulation index that bounds their output.
#pragma once

#include "parvex/ControllerAnalysis.h"

#include <vector>

namespace parvex::analysis {

// Torque P, torque I, flux P, flux I, in this order.
std::vector<GainRow> CurrentGainRows(const UserData &d, const Scaling &s);

GainRow ModulationIndexRow(const UserData &d, const Scaling &s);

} // namespace parvex::analysis
