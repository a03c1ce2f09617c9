// One reference voltage as the firmware stores it for a search step.
#pragma once

#include <cstddef>
#include <cstdint>

namespace sirenta {

struct ReferenceVector {
  std::int16_t vAlpha;
  std::int16_t vBeta;
};

// The AVX2 scan loads eight of them as eight 32-bit lanes, vAlpha in the low
// half of each lane.
static_assert(sizeof(ReferenceVector) == 4 && offsetof(ReferenceVector, vBeta) == 2);

} // namespace sirenta
