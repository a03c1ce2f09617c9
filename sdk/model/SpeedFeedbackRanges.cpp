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

// Orders a (lower, upper) pair within [lo, hi] and couples each one's limit
// to the other's value, so a lower value above the upper one is exchanged.
template <typename Param, typename T>
void CoupleOrderedPair(Param &lower, Param &upper, T lo, T hi) {
  const T a = ClampInto(std::min(lower.Value, upper.Value), lo, hi);
  const T b = ClampInto(std::max(lower.Value, upper.Value), lo, hi);
  lower.Min = lo;
  lower.Value = a;
  lower.Max = b;
  upper.Min = a;
  upper.Value = b;
  upper.Max = hi;
}

// The start-up current ramp lies between zero and the rated current.
void CoupleCurrentRamp(RealParam &initial, RealParam &final, double ratedCurrent) {
  // Any non-finite input would turn into a non-finite limit: keep the pair.
  if (!std::isfinite(ratedCurrent) || !std::isfinite(initial.Value) || !std::isfinite(final.Value))
    return;
  CoupleOrderedPair(initial, final, std::min(0.0, ratedCurrent), std::max(ratedCurrent, 0.0));
}

void CoupleBlock(const SpeedFeedbackBlock &b, const UserData &d) {
  CoupleOrderedPair(b.minMechanicalSpeed, b.maxMechanicalSpeed, lowestSpeed, highestSpeed);
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

void LimitAlignmentCurrents(UserData &d) {
  d.AlignmentCurrent.Max = d.RatedCurrent.Value;
  d.AuxAlignmentCurrent.Max = d.RatedCurrent.Value;
}

} // namespace parvex
