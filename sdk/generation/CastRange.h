// The integer type a definition casts its printed number to, read from the
// definition's own format ("(s16)%d", "((u16) %d)", "(u16)(%d)"). A number
// outside that type would silently wrap in the firmware, so such a definition
// is written as an #error line instead.
#pragma once

#include <cstdint>
#include <optional>
#include <string>

namespace parvex {

struct CastType {
  const char *name; // "s16", "u8", ...
  std::int64_t min;
  std::int64_t max;
};

// The cast right before the format's "%d" or "%.0f"; empty when the number is
// not cast (plain int) or the format has no such conversion.
std::optional<CastType> CastOf(const char *format);

// "64880640 does not fit s16" when `printed` lies outside the format's cast;
// empty when it fits or nothing is cast.
std::optional<std::string> CastProblem(const char *format, std::int64_t printed);

} // namespace parvex
