// The default configuration of a new project.
#pragma once

#include "parvex.h"

namespace parvex {

// Writes every constant of the default configuration; the reserved areas keep
// their bytes. Derived members and computed gains are not yet filled.
void WriteDefaultConstants(UserData &data);

// Constants, the members derived from them, then the four calculations.
void FillDefaults(UserData &data);

} // namespace parvex
