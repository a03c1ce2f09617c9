// The firmware's integer arithmetic, reproduced bit for bit: 16-bit storage,
// 32-bit two's-complement sums that wrap, divisions that truncate toward zero.
// Wrapping is done in unsigned types so that no signed overflow ever happens.
#pragma once

#include <cstdint>

namespace sirenta {

// A 32-bit signed value seen as its two's-complement bit pattern.
constexpr std::uint32_t Bits(std::int32_t v) {
  return static_cast<std::uint32_t>(v);
}

// Back from the bit pattern; the modular conversion is defined since C++20.
constexpr std::int32_t Signed(std::uint32_t v) {
  return static_cast<std::int32_t>(v);
}

constexpr std::int32_t WrapAdd(std::int32_t a, std::int32_t b) {
  return Signed(Bits(a) + Bits(b));
}
constexpr std::int32_t WrapSub(std::int32_t a, std::int32_t b) {
  return Signed(Bits(a) - Bits(b));
}
constexpr std::int32_t WrapMul(std::int32_t a, std::int32_t b) {
  return Signed(Bits(a) * Bits(b));
}
constexpr std::int32_t WrapNeg(std::int32_t a) {
  return Signed(0u - Bits(a));
}

// "/ 2" on a signed value: truncates toward zero (never overflows).
constexpr std::int32_t Half(std::int32_t v) {
  return v / 2;
}

// D(x): the fixed-point scaling of a voltage term into timer ticks.
constexpr std::int32_t D(std::int32_t v) {
  return v / 131072;
}

// Storing into a 16-bit field keeps the low 16 bits.
constexpr std::uint16_t U16(std::int32_t v) {
  return static_cast<std::uint16_t>(Bits(v));
}
constexpr std::uint16_t U16(std::uint32_t v) {
  return static_cast<std::uint16_t>(v);
}
constexpr std::int16_t S16(std::int32_t v) {
  return static_cast<std::int16_t>(U16(v));
}

// ">> 1" on a 32-bit signed sum: an arithmetic shift (defined since C++20).
constexpr std::int32_t ShiftRight1(std::int32_t v) {
  return v >> 1;
}

} // namespace sirenta
