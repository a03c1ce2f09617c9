// Space-vector PWM shared by both current-sensing models: the voltage terms of
// one reference vector, its sector and the three phase compare times.
#pragma once

#include <cstdint>

#include "PwmTimer.h"

namespace sirenta {

struct VoltageTerms {
  std::int32_t wX;
  std::int32_t wY;
  std::int32_t wZ;
};

struct PhaseTimes {
  int sector; // 1 to 6
  std::uint16_t tA;
  std::uint16_t tB;
  std::uint16_t tC;
};

VoltageTerms ComputeVoltageTerms(std::int16_t vAlpha, std::int16_t vBeta, const PwmTimer &timer);

int SectorOf(const VoltageTerms &w);

PhaseTimes ComputePhaseTimes(std::int16_t vAlpha, std::int16_t vBeta, const PwmTimer &timer);

} // namespace sirenta
