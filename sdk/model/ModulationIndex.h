// Maximum available modulation index of the chosen current-sensing technique.
#pragma once

#include "parvex.h"

namespace parvex {

void CalcModulationIndex(UserData &data);

} // namespace parvex
