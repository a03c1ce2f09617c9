// Current sampling with one shunt resistor: two sampling instants per PWM
// period, placed in the windows between the phase switching edges.
#pragma once

#include <cstdint>

#include "PwmTimer.h"
#include "SpaceVector.h"
#include "sirenta.h"

namespace sirenta {

// The firmware's working record for one reference vector.
struct SingleShuntSample {
  std::uint8_t state = 0; // 0 regular; 1, 2, 3: phase A, B or C shifted
  std::int16_t vAlpha = 0;
  std::int16_t vBeta = 0;
  std::uint16_t dutyA = 0;
  std::uint16_t dutyB = 0;
  std::uint16_t dutyC = 0;
  std::uint16_t sample1 = 0;
  std::uint16_t sample2 = 0;
  std::uint16_t sample2Copy = 0;
  std::uint16_t sample1Copy = 0;
  std::uint16_t sample1SecondCopy = 0;
  std::uint16_t sampleWindow = 0;
};

// The timer quantities of one parameter set, in ticks.
struct SingleShuntTiming {
  PwmTimer timer;
  std::uint16_t tsamp;
  std::uint16_t trise;
  std::uint16_t tdead;
  std::uint16_t tmin;    // shortest window between two edges for a sample
  std::uint16_t htmin;   // tmin >> 1
  std::uint16_t tbefore; // settling needed before a sample
  std::uint16_t sampleWindow;
};

class SingleShuntModel {
public:
  // Requires IsUsablePwmFrequency(params.pwmFrequency).
  explicit SingleShuntModel(const SirentaParams &params);

  const SingleShuntTiming &timing() const { return timing_; }

  // Fills the outputs of sample from its vAlpha and vBeta.
  void Evaluate(SingleShuntSample &sample) const;

  // The stopping test of the search for an evaluated sample.
  static bool SamplingImpossible(const SingleShuntSample &sample);

  // Evaluates one vector and applies the stopping test.
  bool LimitReached(std::int16_t vAlpha, std::int16_t vBeta) const;

private:
  // The phase times of one vector after any shift, and which case applies.
  struct Placement {
    PhaseTimes times;   // after the shift and the replacement
    int sampleCase;     // 0 regular; 1, 2, 3 as the state was chosen
    std::uint8_t state; // SingleShuntSample::state
  };
  Placement Place(std::int16_t vAlpha, std::int16_t vBeta) const;
  static bool Stops(std::uint8_t state, std::uint16_t sample2, std::uint16_t dutyA,
                    std::uint16_t sampleWindow);

  // The second instant whenever a phase was shifted.
  std::uint16_t ShiftedSample2() const {
    return static_cast<std::uint16_t>(timing_.tsamp - timing_.htmin + timing_.timer.per);
  }

  SingleShuntTiming timing_;
};

} // namespace sirenta
