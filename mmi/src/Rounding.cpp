#include "Rounding.h"

#include <cmath>

#include "FirmwareArithmetic.h"
#include "torvio/Conversion.h"

namespace sirenta {

std::int16_t QuantizeVoltageWide(double v) {
  const double down = std::floor(v);
  const double rounded = down < 5.0 ? down : std::ceil(v);
  // NaN or a value beyond 64 bits never occurs for a cosine times at most 100
  // x 327.67; should it, the component is 0.
  return S16(Signed(torvio::Low32(torvio::TruncateToInt64(rounded).value_or(0))));
}

int RoundIndex(std::uint8_t &index) {
  if (index < 77) {
    index = 77;
    return kLimitClipped;
  }
  if (index > 100) {
    index = 100;
    return kLimitClipped;
  }
  if (index <= 90 && (index - 77) % 2 != 0)
    --index; // only the odd values from 77 to 89 are supported
  return kLimitFound;
}

} // namespace sirenta
