// The default configuration as data: one row per field, members in the order
// Min, Value, Max, Decimals.
#pragma once

#include "parvex.h"

#include <cstdint>
#include <span>

namespace parvex {

struct WordDefault {
  std::uint32_t UserData::*field;
  std::uint32_t value;
};

struct IntDefault {
  IntParam UserData::*field;
  IntParam value;
};

struct SignedDefault {
  SignedIntParam UserData::*field;
  SignedIntParam value;
};

struct RealDefault {
  RealParam UserData::*field;
  RealParam value;
};

// Flags and plain 32-bit settings.
std::span<const WordDefault> WordDefaults();
std::span<const IntDefault> IntDefaults();
std::span<const SignedDefault> SignedDefaults();
std::span<const RealDefault> RealDefaults();
// The one plain real setting: the speed-loop period in ms.
inline constexpr double defaultSpeedRegulationControlRate = 2.0;

} // namespace parvex
