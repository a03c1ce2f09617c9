// The two roundings of the search: the firmware's quantisation of a voltage
// component, and the snapping of the found index to the values it supports.
#pragma once

#include <cstdint>

namespace sirenta {

// Floor below 5.0, ceiling from 5.0 on; the truncated integer stored in 16 bits.
std::int16_t QuantizeVoltage(double v);

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
