// The clamp used by the consistency check: lo when v is below lo, then hi when
// the result is above hi, so hi wins when lo > hi. Integer members compare
// unsigned, real members as doubles.
#pragma once

#include <cmath>
#include <cstdint>

namespace parvex {

template <typename T>
T ClampInto(T v, T lo, T hi) {
  T r = v < lo ? lo : v;
  return r > hi ? hi : r;
}

// Couplings copy one real member into another; a non-finite source (a
// loaded project can hold any bytes) leaves the target as it was.
inline void CopyIfFinite(double &target, double source) {
  if (std::isfinite(source))
    target = source;
}

inline bool IsSet(std::uint32_t flag) {
  return flag != 0;
}

} // namespace parvex
