// Rounding of gain divisors so that the firmware can divide by shifting.
#pragma once

#include <bit>
#include <cstdint>

namespace parvex {

// The largest power of two not above v. A stored 0 (never a valid divisor,
// the fields' minimum is 1) becomes 1, the smallest divisor; values from 2^31
// up become 2^31.
inline std::uint32_t RoundDownToPowerOfTwo(std::uint32_t v) {
  return v == 0 ? 1u : std::bit_floor(v);
}

} // namespace parvex
