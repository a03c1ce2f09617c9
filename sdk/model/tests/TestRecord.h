// Records for the model tests, made through the library's own exports.
#pragma once

#include "parvex.h"

#include <gtest/gtest.h>

#include <bit>
#include <cstdint>
#include <cstring>

namespace parvex::test {

// The default record, its padding zeroed beforehand.
inline UserData DefaultRecord() {
  UserData d;
  std::memset(&d, 0, sizeof d);
  EXPECT_EQ(PARVEX_SetDefault(&d), 0);
  return d;
}

inline bool SameBytes(const UserData &a, const UserData &b) {
  return std::memcmp(&a, &b, sizeof(UserData)) == 0;
}

inline std::uint64_t Bits(double v) {
  return std::bit_cast<std::uint64_t>(v);
}

// 1.65 / (0.22 * 2.57): the largest current measurable with the default
// shunt network, as stored.
inline constexpr std::uint64_t defaultMeasurableCurrentBits = 0x400758A758A758A7ull;

} // namespace parvex::test
