// Space-vector PWM shared by both current-sensing models: the voltage terms of
// one reference vector, its sector and the three phase compare times. Inline:
// the search runs these a few hundred thousand times per call.
#pragma once

#include <cstdint>

#include "FirmwareArithmetic.h"
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

inline VoltageTerms ComputeVoltageTerms(std::int16_t vAlpha, std::int16_t vBeta,
                                        const PwmTimer &timer) {
  const std::int32_t wX = WrapNeg(WrapMul(vBeta, timer.t));
  const std::int32_t wUA = WrapMul(vAlpha, timer.ts3);
  // The sum and the difference wrap before the halving, as in the firmware.
  return {wX, Half(WrapAdd(wX, wUA)), Half(WrapSub(wX, wUA))};
}

inline int SectorOf(const VoltageTerms &w) {
  if (w.wY >= 0)
    return w.wZ >= 0 ? 2 : (w.wX > 0 ? 1 : 6);
  return w.wZ < 0 ? 5 : (w.wX > 0 ? 3 : 4);
}

inline PhaseTimes ComputePhaseTimes(std::int16_t vAlpha, std::int16_t vBeta,
                                    const PwmTimer &timer) {
  const VoltageTerms w = ComputeVoltageTerms(vAlpha, vBeta, timer);
  const std::int32_t t = timer.t;
  const std::int32_t eighth = timer.t >> 3;
  PhaseTimes p{SectorOf(w), 0, 0, 0};
  switch (p.sector) {
  case 1:
  case 4:
    p.tA = U16(eighth + D(Half(WrapSub(WrapAdd(t, w.wX), w.wZ))));
    p.tB = U16(p.tA + D(w.wZ));
    p.tC = U16(p.tB - D(w.wX));
    break;
  case 2:
  case 5:
    p.tA = U16(eighth + D(Half(WrapSub(WrapAdd(t, w.wY), w.wZ))));
    p.tB = U16(p.tA + D(w.wZ));
    p.tC = U16(p.tA - D(w.wY));
    break;
  default: // sectors 3 and 6
    p.tA = U16(eighth + D(Half(WrapSub(WrapAdd(t, w.wY), w.wX))));
    p.tC = U16(p.tA - D(w.wY));
    p.tB = U16(p.tC + D(w.wX));
    break;
  }
  return p;
}

} // namespace sirenta
