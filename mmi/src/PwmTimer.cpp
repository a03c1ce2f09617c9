#include "PwmTimer.h"

#include "FirmwareArithmetic.h"
#include "torvio/Conversion.h"

namespace sirenta {

namespace {
constexpr std::uint32_t kTimerClockHz = 72000000u;
constexpr double kSqrt3 = 1.732051;

std::uint32_t HalfPeriodDivisor(std::uint32_t pwmFrequency) {
  return 2u * pwmFrequency;
}
} // namespace

bool IsUsablePwmFrequency(std::uint32_t pwmFrequency) {
  return HalfPeriodDivisor(pwmFrequency) != 0u;
}

PwmTimer MakePwmTimer(std::uint32_t pwmFrequency) {
  PwmTimer timer{};
  timer.per = U16(kTimerClockHz / HalfPeriodDivisor(pwmFrequency));
  timer.t = U16(4u * timer.per);
  // t is at most 65535, so the product always has a defined conversion.
  timer.ts3 = U16(torvio::Low32(torvio::TruncateToInt64(timer.t * kSqrt3).value_or(0)));
  return timer;
}

} // namespace sirenta
