// The default configuration of a new project.
#pragma once

#include "parvex/Model.h"

namespace parvex {

// Writes every constant of the default configuration; the reserved areas keep
// their bytes. Derived members and computed gains are not yet filled.
void WriteDefaultConstants(UserData &data);

} // namespace parvex
