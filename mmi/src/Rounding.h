// The two roundings of the search: the firmware's quantisation of a voltage
// component, and the snapping of the found index to the values it supports.
#pragma once

#include <cstdint>

#include "FirmwareArithmetic.h"

namespace sirenta {

// QuantizeVoltage for any double, NaN and infinities included.
std::int16_t QuantizeVoltageWide(double v);

// Floor below 5.0, ceiling from 5.0 on; the truncated integer stored in 16 bits.
// Every value a search produces fits 32 bits and takes the integer path, which
// gives the same result as floor and ceil at a fraction of their cost.
inline std::int16_t QuantizeVoltage(double v) {
  if (!(v > -2147483648.0 && v < 2147483647.0))
    return QuantizeVoltageWide(v);
  const auto t = static_cast<std::int32_t>(v); // toward zero
  const double truncated = t;
  const std::int32_t down = v < truncated ? t - 1 : t;
  const std::int32_t up = v > truncated ? t + 1 : t;
  return S16(down < 5 ? down : up);
}

// Outcome codes shared by the searches and the exports.
enum SearchResult : int {
  kLimitFound = 0,   // index kept or snapped to a supported value
  kLimitClipped = 1, // index clipped to 77 or 100
  kNoLimit = 2,      // sampling always possible: 100
  kInvalidInput = 3  // nothing was computed
};

// Snaps index in place and returns kLimitFound or kLimitClipped.
int RoundIndex(std::uint8_t &index);

} // namespace sirenta
