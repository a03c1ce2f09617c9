// Current sampling with one shunt resistor: two sampling instants per PWM
// period, placed in the windows between the phase switching edges.
#pragma once

#include <algorithm>
#include <array>
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
  // Which case applies to a vector's times (0: regular, no shift; 1, 2, 3)
  // and the phase shifted (SingleShuntSample::state).
  struct Shift {
    int sampleCase;
    std::uint8_t phase;
  };
  Shift ShiftFor(const PhaseTimes &p) const;

  // The phase times of one vector after any shift and replacement.
  struct Placement {
    PhaseTimes times;
    Shift shift;
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

// What the search runs for every vector, inline so that it compiles into the
// sweep.

namespace single_shunt {

enum Phase : std::uint8_t { kA = 1, kB = 2, kC = 3 };

// Which phase is shifted when only the window next to the largest time is
// wide enough (case 2), or only the one next to the smallest (case 1).
inline constexpr std::array<Phase, 7> kShiftedInCase2 = {kA, kC, kA, kA, kB, kB, kC};
inline constexpr std::array<Phase, 7> kShiftedInCase1 = {kA, kB, kB, kC, kC, kA, kA};

struct Ordered {
  std::int32_t min;
  std::int32_t mid;
  std::int32_t max;
};

// The three times as signed 16-bit values, ascending.
inline Ordered Order(std::uint16_t a, std::uint16_t b, std::uint16_t c) {
  const std::int32_t x = S16(a), y = S16(b), z = S16(c);
  const std::int32_t lo = std::min(x, y), hi = std::max(x, y);
  return {std::min(lo, z), std::max(lo, std::min(hi, z)), std::max(hi, z)};
}

// A time that went below zero is replaced by a small positive one.
inline std::uint16_t ReplacedIfNegative(std::uint16_t time, std::uint16_t replacement) {
  return time > 61439 ? replacement : time;
}

} // namespace single_shunt

inline SingleShuntModel::Shift SingleShuntModel::ShiftFor(const PhaseTimes &p) const {
  using namespace single_shunt;
  const std::int32_t tmin = timing_.tmin;
  const Ordered o = Order(p.tA, p.tB, p.tC);
  const std::int32_t d1 = S16(o.max - o.mid);
  const std::int32_t d2 = S16(o.mid - o.min);
  if (d1 > tmin && d2 > tmin)
    return {0, 0};
  const int sampleCase = d1 <= tmin ? (d2 > tmin ? 1 : 3) : 2;
  const Phase phase = sampleCase == 1   ? kShiftedInCase1[p.sector]
                      : sampleCase == 2 ? kShiftedInCase2[p.sector]
                                        : kA;
  return {sampleCase, phase};
}

// Only a shift of phase B or C can leave too little room before phase A's edge.
inline bool SingleShuntModel::Stops(std::uint8_t state, std::uint16_t sample2, std::uint16_t dutyA,
                                    std::uint16_t sampleWindow) {
  return (state == single_shunt::kB || state == single_shunt::kC) &&
         static_cast<std::int32_t>(sample2) - dutyA <= sampleWindow;
}

inline bool SingleShuntModel::LimitReached(std::int16_t vAlpha, std::int16_t vBeta) const {
  // Only a shift of B or C can stop the search, and it leaves phase A's time
  // as it was but for the replacement: the search needs no more than that.
  const PhaseTimes p = ComputePhaseTimes(vAlpha, vBeta, timing_.timer);
  const Shift shift = ShiftFor(p);
  if (shift.phase != single_shunt::kB && shift.phase != single_shunt::kC)
    return false;
  return Stops(shift.phase, ShiftedSample2(), single_shunt::ReplacedIfNegative(p.tA, 12),
               timing_.sampleWindow);
}

} // namespace sirenta
