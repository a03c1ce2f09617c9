// The firmware's PWM timer: a 72 MHz clock, centre-aligned counting.
#pragma once

#include <cstdint>

namespace sirenta {

struct PwmTimer {
  std::uint16_t per; // half the PWM period in ticks
  std::uint16_t t;   // 4 x per, the full-scale voltage term
  std::uint16_t ts3; // t x sqrt(3), truncated
};

// False when the half-period division would divide by zero (a zero frequency,
// or one whose double wraps to zero in 32 bits).
bool IsUsablePwmFrequency(std::uint32_t pwmFrequency);

// Requires IsUsablePwmFrequency(pwmFrequency).
PwmTimer MakePwmTimer(std::uint32_t pwmFrequency);

// n ns in timer ticks: n x 72 / 1000 with 32-bit unsigned wrap-around.
constexpr std::uint32_t NsToTicks(std::uint32_t ns) {
  return ns * 72u / 1000u;
}

} // namespace sirenta
