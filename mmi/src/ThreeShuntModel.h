// Current sampling with three shunt resistors: one sampling instant per PWM
// period, placed where the two most useful phases are both conducting.
#pragma once

#include <cstddef>
#include <cstdint>
#include <span>

#include "FirmwareArithmetic.h"
#include "PwmTimer.h"
#include "ReferenceVector.h"
#include "SpaceVector.h"
#include "sirenta.h"

namespace sirenta {

// The firmware's working record for one reference vector.
struct ThreeShuntSample {
  std::int16_t vAlpha = 0;
  std::int16_t vBeta = 0;
  std::uint8_t wrapped = 0; // 1: the instant was folded back from beyond the half period
  std::uint16_t dutyA = 0;
  std::uint16_t dutyB = 0;
  std::uint16_t dutyC = 0;
  std::uint16_t samplePoint = 0;
  std::uint16_t sampleWindow = 0;
};

// The timer quantities of one parameter set, in ticks.
struct ThreeShuntTiming {
  PwmTimer timer;
  std::uint16_t tw; // window needed after a switching edge
  std::uint16_t tsamp;
  std::uint16_t sampleWindow;
};

class ThreeShuntModel {
public:
  // Requires IsUsablePwmFrequency(params.pwmFrequency).
  explicit ThreeShuntModel(const SirentaParams &params);

  const ThreeShuntTiming &timing() const { return timing_; }

  // Fills the outputs of sample from its vAlpha and vBeta.
  void Evaluate(ThreeShuntSample &sample) const;

  // The stopping test of the search for an evaluated sample.
  static bool SamplingImpossible(const ThreeShuntSample &sample);

  // Evaluates one vector and applies the stopping test.
  bool LimitReached(std::int16_t vAlpha, std::int16_t vBeta) const;

  // The position of the first of `vectors` at which LimitReached holds, or
  // vectors.size() when it holds at none. The portable scan tries one vector
  // after the other; the AVX2 and AVX-512 scans eight and sixteen at a time,
  // with the same result (each requires PathAvailable() for its path).
  std::size_t FirstLimitPortable(std::span<const ReferenceVector> vectors) const {
    for (std::size_t i = 0; i < vectors.size(); ++i)
      if (LimitReached(vectors[i].vAlpha, vectors[i].vBeta))
        return i;
    return vectors.size();
  }
  std::size_t FirstLimitAvx2(std::span<const ReferenceVector> vectors) const;
  std::size_t FirstLimitAvx512(std::span<const ReferenceVector> vectors) const;

private:
  struct Instant {
    std::uint16_t point;
    std::uint8_t wrapped;
  };
  Instant SamplingInstant(const PhaseTimes &p) const;
  static bool Stops(Instant instant, std::uint16_t dutyA, std::uint16_t sampleWindow);

  ThreeShuntTiming timing_;
};

// What the search runs for every vector, inline so that it compiles into the
// sweep.

namespace three_shunt {

struct LeadingPair {
  std::uint16_t m; // the leading phase time
  std::uint16_t n; // its companion
};

inline LeadingPair PickBySector(const PhaseTimes &p) {
  switch (p.sector) {
  case 1:
    return {p.tA, p.tB};
  case 2:
    return {p.tB, p.tA};
  case 3:
    return {p.tB, p.tC};
  case 4:
    return {p.tC, p.tB};
  case 5:
    return {p.tC, p.tA};
  default: // sector 6
    return {p.tA, p.tC};
  }
}

} // namespace three_shunt

// Only an instant folded back from beyond the half period can come too close
// to phase A's edge.
inline bool ThreeShuntModel::Stops(Instant instant, std::uint16_t dutyA,
                                   std::uint16_t sampleWindow) {
  return instant.wrapped == 1 && static_cast<std::int32_t>(instant.point) - dutyA <= sampleWindow;
}

inline ThreeShuntModel::Instant ThreeShuntModel::SamplingInstant(const PhaseTimes &p) const {
  const ThreeShuntTiming &k = timing_;
  const std::uint16_t per = k.timer.per;
  const three_shunt::LeadingPair lead = three_shunt::PickBySector(p);
  const std::uint16_t beforeEnd = U16(per - lead.m);
  if (beforeEnd > k.tw)
    return {U16(per - 1), 0};
  if (U16(lead.m - lead.n) > 2 * beforeEnd)
    return {U16(lead.m - k.sampleWindow), 0};
  const std::uint16_t s = U16(lead.m + k.tw);
  if (s < per)
    return {s, 0};
  return {U16(2 * per - s - 1), 1};
}

inline bool ThreeShuntModel::LimitReached(std::int16_t vAlpha, std::int16_t vBeta) const {
  const PhaseTimes p = ComputePhaseTimes(vAlpha, vBeta, timing_.timer);
  const Instant instant = SamplingInstant(p);
  return Stops(instant, p.tA, timing_.sampleWindow);
}

} // namespace sirenta
