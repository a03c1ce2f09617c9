// The search for the largest modulation index: sweep the reference vector over
// the angle span at increasing indexes until a model says sampling is no
// longer possible.
#pragma once

#include <cmath>
#include <cstdint>

#include "PwmTimer.h"
#include "Rounding.h"
#include "sirenta.h"

namespace sirenta {

// Where a search stopped, for tests and measurements.
struct SearchTrace {
  bool limitFound = false;
  int index = 0;      // the index m at which sampling became impossible
  double angle = 0.0; // degrees, the vector angle where it did
  std::uint64_t evaluations = 0;
};

namespace detail {

constexpr double kPi = 3.141592653589793;
constexpr double kFullScalePerCent = 327.67;

// Sweeps the angles at one index; false when the step cannot advance the
// angle (zero, negative, NaN or too small), which would never end.
template <class Model>
bool SweepAngles(const Model &model, const SirentaParams &params, int m, SearchTrace &trace) {
  for (double theta = 0.0; theta < params.angleSpan;) {
    const double r = theta * kPi / 180;
    const std::int16_t vAlpha = QuantizeVoltage(std::cos(r) * m * kFullScalePerCent);
    const std::int16_t vBeta =
        static_cast<std::int16_t>(-QuantizeVoltage(std::sin(r) * m * kFullScalePerCent));
    ++trace.evaluations;
    if (model.LimitReached(vAlpha, vBeta)) {
      trace.limitFound = true;
      trace.index = m;
      trace.angle = theta;
      return true;
    }
    const double next = theta + params.angleStep;
    if (!(next > theta))
      return false;
    theta = next;
  }
  return true;
}

} // namespace detail

// Runs the search with Model and writes maxModulationIndex. Returns a
// SearchResult; on kInvalidInput the record is left as it was.
template <class Model>
int RunSearch(SirentaParams &params, SearchTrace &trace) {
  trace = SearchTrace{};
  if (!IsUsablePwmFrequency(params.pwmFrequency))
    return kInvalidInput;
  const Model model(params);
  for (int m = params.startIndex; m <= 100; ++m) {
    if (!detail::SweepAngles(model, params, m, trace))
      return kInvalidInput;
    if (trace.limitFound) {
      std::uint8_t index = static_cast<std::uint8_t>(m - 1);
      const int result = RoundIndex(index);
      params.maxModulationIndex = index;
      return result;
    }
  }
  params.maxModulationIndex = 100;
  return kNoLimit;
}

int SearchSingleShunt(SirentaParams &params, SearchTrace &trace);
int SearchThreeShunt(SirentaParams &params, SearchTrace &trace);

} // namespace sirenta
