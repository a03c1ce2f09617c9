// Real-to-integer conversions with defined results, and exact number text,
// shared by both libraries.
// A loaded project can hold any bytes, so NaN, infinities and values beyond
// the target range must never reach a plain cast (undefined behaviour).
#pragma once

#include <charconv>
#include <cmath>
#include <cstdint>
#include <optional>
#include <string>

namespace torvio {

// Truncates toward zero; empty for NaN, infinities and values outside the
// range of a 64-bit signed integer.
inline std::optional<std::int64_t> TruncateToInt64(double v) {
  // +-2^63 are exact doubles; every double in [-2^63, 2^63) truncates into
  // range. The negated test also rejects NaN.
  constexpr double limit = 9223372036854775808.0;
  if (!(v >= -limit && v < limit))
    return std::nullopt;
  return static_cast<std::int64_t>(v);
}

// The low 32 bits of a 64-bit result, as the record stores it.
inline std::uint32_t Low32(std::int64_t v) {
  return static_cast<std::uint32_t>(static_cast<std::uint64_t>(v));
}

// Truncates toward zero into 32 bits the way the record keeps results (low 32
// bits of the 64-bit integer); empty when the real has no defined conversion.
inline std::optional<std::uint32_t> TruncateToLow32(double v) {
  const auto wide = TruncateToInt64(v);
  if (!wide)
    return std::nullopt;
  return Low32(*wide);
}

// The shortest text that reads back as exactly this double ("nan", "inf",
// "-inf" for the values that are no number), for messages and scripts.
inline std::string ExactText(double v) {
  char text[64];
  const auto end = std::to_chars(text, text + sizeof text, v).ptr;
  return std::string(text, end);
}

} // namespace torvio
