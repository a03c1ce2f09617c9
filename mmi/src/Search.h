// The search for the largest modulation index: sweep the reference vector over
// the angle span at increasing indexes until a model says sampling is no
// longer possible.
#pragma once

#include <cstddef>
#include <cstdint>
#include <span>

#include "AngleSweep.h"
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

template <class Model>
bool LimitAt(const Model &model, ReferenceVector v, double theta, int m, SearchTrace &trace) {
  ++trace.evaluations;
  if (!model.LimitReached(v.vAlpha, v.vBeta))
    return false;
  trace.limitFound = true;
  trace.index = m;
  trace.angle = theta;
  return true;
}

// Sweeps the angles at one index; false when the sweep stalls.
template <class Model>
bool SweepAngles(const Model &model, const AngleSweep &sweep, double span, int m,
                 SearchTrace &trace) {
  const std::span<const Angle> angles = sweep.kept();
  const std::span<const ReferenceVector> vectors = sweep.VectorsAt(m);
  if (!vectors.empty()) {
    for (std::size_t i = 0; i < vectors.size(); ++i)
      if (LimitAt(model, vectors[i], angles[i].theta, m, trace))
        return true;
  } else {
    for (const Angle &a : angles)
      if (LimitAt(model, ReferenceAt(a, m), a.theta, m, trace))
        return true;
  }
  if (sweep.stalls())
    return false;
  if (!sweep.rest())
    return true;
  for (double theta = *sweep.rest(); theta < span;) {
    if (LimitAt(model, ReferenceAt(AngleAt(theta), m), theta, m, trace))
      return true;
    const double next = theta + sweep.step();
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
  if (params.startIndex > 100) {
    params.maxModulationIndex = 100;
    return kNoLimit;
  }
  const Model model(params);
  const AngleSweep sweep(params);
  for (int m = params.startIndex; m <= 100; ++m) {
    if (!detail::SweepAngles(model, sweep, params.angleSpan, m, trace))
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
