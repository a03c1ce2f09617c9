#include "model/Clamp.h"
#include "model/ConsistencyRules.h"

#include <algorithm>
#include <cmath>
#include <cstdint>

namespace parvex {

namespace {

constexpr std::uint32_t lowestSpeed = 1;
constexpr std::uint32_t highestSpeed = 200000;

// The fields of one speed-feedback block (main or auxiliary).
struct SpeedFeedbackBlock {
  IntParam &minMechanicalSpeed;
  IntParam &maxMechanicalSpeed;
  RealParam &currentRampInitial;
  RealParam &currentRampFinal;
  IntParam &currentRampDuration;
  const IntParam &speedRampDuration;
  IntParam &minimumSpeed;
};

// A minimum above the maximum is exchanged with it.
void CoupleSpeedRange(IntParam &minSpeed, IntParam &maxSpeed) {
  const std::uint32_t a =
      ClampInto(std::min(minSpeed.Value, maxSpeed.Value), lowestSpeed, highestSpeed);
  const std::uint32_t b =
      ClampInto(std::max(minSpeed.Value, maxSpeed.Value), lowestSpeed, highestSpeed);
  minSpeed.Min = lowestSpeed;
  minSpeed.Value = a;
  minSpeed.Max = b;
  maxSpeed.Min = a;
  maxSpeed.Value = b;
  maxSpeed.Max = highestSpeed;
}

// The start-up current ramp lies between zero and the rated current, its
// initial value not above its final value.
void CoupleCurrentRamp(RealParam &initial, RealParam &final, double ratedCurrent) {
  // Any non-finite input would turn into a non-finite limit: keep the pair.
  if (!std::isfinite(ratedCurrent) || !std::isfinite(initial.Value) || !std::isfinite(final.Value))
    return;
  const double lo = std::min(0.0, ratedCurrent);
  const double hi = std::max(ratedCurrent, 0.0);
  const double i = ClampInto(std::min(initial.Value, final.Value), lo, hi);
  const double f = ClampInto(std::max(initial.Value, final.Value), lo, hi);
  initial.Min = lo;
  initial.Value = i;
  initial.Max = f;
  final.Min = i;
  final.Value = f;
  final.Max = hi;
}

void CoupleBlock(const SpeedFeedbackBlock &b, const UserData &d) {
  CoupleSpeedRange(b.minMechanicalSpeed, b.maxMechanicalSpeed);
  CoupleCurrentRamp(b.currentRampInitial, b.currentRampFinal, d.RatedCurrent.Value);
  // The current ramp never lasts longer than the speed ramp.
  const std::uint32_t speedRamp = b.speedRampDuration.Value;
  b.currentRampDuration.Max = speedRamp;
  b.currentRampDuration.Value =
      ClampInto(b.currentRampDuration.Value, b.currentRampDuration.Min, speedRamp);
  const std::uint32_t maxSpeed = d.MotorMaxSpeed.Value;
  b.minimumSpeed.Max = maxSpeed;
  b.minimumSpeed.Value = ClampInto(b.minimumSpeed.Value, b.minimumSpeed.Min, maxSpeed);
}

} // namespace

void CoupleMainSpeedFeedback(UserData &d) {
  CoupleBlock({d.MinMechanicalSpeed, d.MaxMechanicalSpeed, d.CurrentRampInitialValue,
               d.CurrentRampFinalValue, d.CurrentRampDuration, d.SpeedRampDuration, d.MinimumSpeed},
              d);
}

void CoupleAuxSpeedFeedback(UserData &d) {
  CoupleBlock({d.AuxMinMechanicalSpeed, d.AuxMaxMechanicalSpeed, d.AuxCurrentRampInitialValue,
               d.AuxCurrentRampFinalValue, d.AuxCurrentRampDuration, d.AuxSpeedRampDuration,
               d.AuxMinimumSpeed},
              d);
}

} // namespace parvex
