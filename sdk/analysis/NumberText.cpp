#include "NumberText.h"

#include <array>
#include <charconv>
#include <cmath>

namespace parvex::analysis {

std::string Significant(double v, int significant) {
  if (std::isnan(v))
    return "-";
  if (std::isinf(v))
    return v > 0 ? "inf" : "-inf";
  // A zero has no sign worth printing ("-0 %" reads as a fault).
  if (v == 0)
    v = 0.0;
  std::array<char, 64> buffer{};
  const auto result = std::to_chars(buffer.data(), buffer.data() + buffer.size(), v,
                                    std::chars_format::general, significant);
  return std::string(buffer.data(), result.ptr);
}

std::string Percent(double fraction) {
  const double percent = fraction * 100.0;
  // Two significant digits, but whole numbers from 100 on (never "5.6e+02").
  if (std::fabs(percent) >= 100.0 && std::isfinite(percent))
    return Significant(std::round(percent), 17) + " %";
  return Significant(percent, 2) + " %";
}

} // namespace parvex::analysis
