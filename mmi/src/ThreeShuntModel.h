// Current sampling with three shunt resistors: one sampling instant per PWM
// period, placed where the two most useful phases are both conducting.
#pragma once

#include <cstdint>

#include "PwmTimer.h"
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

private:
  struct Instant {
    std::uint16_t point;
    std::uint8_t wrapped;
  };
  Instant SamplingInstant(const PhaseTimes &p) const;
  static bool Stops(Instant instant, std::uint16_t dutyA, std::uint16_t sampleWindow);

  ThreeShuntTiming timing_;
};

} // namespace sirenta
