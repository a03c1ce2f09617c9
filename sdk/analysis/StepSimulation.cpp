#include "StepSimulation.h"

#include <algorithm>
#include <cmath>
#include <deque>

namespace parvex::analysis {

namespace {

constexpr std::int64_t kCountsMin = -32768;
constexpr std::int64_t kCountsMax = 32767;

} // namespace

std::int64_t MeasuredCounts(double amps, double countsPerAmp) {
  const double counts = std::floor(amps * countsPerAmp);
  if (std::isnan(counts))
    return 0;
  return static_cast<std::int64_t>(
      std::clamp(counts, static_cast<double>(kCountsMin), static_cast<double>(kCountsMax)));
}

StepResult SimulateStep(const StepSetup &s) {
  StepResult r;
  r.current.reserve(static_cast<std::size_t>(std::max(s.samples, 0)));
  // The voltage command is 16 bits too: no index reaches past full scale.
  const std::int64_t limit = std::clamp<std::int64_t>(s.voltageLimitCounts, 0, kCountsMax);
  // Anti-windup: the integral alone never asks for more than the limit.
  const std::int64_t integralLimit = limit * s.kiDivisor;
  const std::int64_t reference = std::clamp(s.referenceCounts, kCountsMin, kCountsMax);
  std::deque<std::int64_t> pending(static_cast<std::size_t>(s.delay), 0);
  std::int64_t integral = 0;
  double amps = 0;
  for (int k = 0; k < s.samples; ++k) {
    r.current.push_back({k * s.period, amps});
    const std::int64_t error = reference - MeasuredCounts(amps, s.currentCountsPerAmp);
    integral = std::clamp(integral + s.kiDividend * error, -integralLimit, integralLimit);
    // C division truncates toward zero, as the firmware's does.
    std::int64_t out = s.kpDividend * error / s.kpDivisor + integral / s.kiDivisor;
    if (out > limit || out < -limit) {
      r.saturated = true;
      out = std::clamp(out, -limit, limit);
    }
    pending.push_back(out);
    const std::int64_t applied = pending.front();
    pending.pop_front();
    amps = s.phi * amps + s.ampsPerVolt * (static_cast<double>(applied) / s.voltageCountsPerVolt);
  }
  return r;
}

} // namespace parvex::analysis
