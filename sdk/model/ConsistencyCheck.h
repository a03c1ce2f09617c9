// Repairs a record after an edit: re-couples limits, clamps values, rounds
// divisors, corrects option flags and reruns every calculation.
#pragma once

#include "parvex.h"

namespace parvex {

void CheckConsistency(UserData &data);

} // namespace parvex
