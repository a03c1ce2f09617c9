// The modulation-index search written the straightforward way: for every
// index and angle, the angle's cosine and sine, the quantised vector and the
// firmware's whole sample record. The yardstick of sirenta_ratio_bench; it is
// not shipped.
#pragma once

#include "sirenta.h"

namespace straightforward {

// Same contract and results as SIRENTA_1shMMI and SIRENTA_3shMMI for a usable
// record (non-zero frequency, an angle step that advances).
int SingleShuntMmi(SirentaParams &params);
int ThreeShuntMmi(SirentaParams &params);

} // namespace straightforward
