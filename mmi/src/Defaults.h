// The default parameter sets of the two current-sensing techniques.
#pragma once

#include "sirenta.h"

namespace sirenta {

SirentaParams SingleShuntDefaults();
SirentaParams ThreeShuntDefaults();

} // namespace sirenta
