// The search for the largest modulation index: sweep the reference vector over
// the angle span at increasing indexes until a model says sampling is no
// longer possible.
#pragma once

#include <algorithm>
#include <array>
#include <cstddef>
#include <cstdint>
#include <span>

#include "AngleSweep.h"
#include "PwmTimer.h"
#include "ReferenceVector.h"
#include "Rounding.h"
#include "SweepPath.h"
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

// The first of `vectors` at which the model's limit is reached, or
// vectors.size(), scanned the way `path` says (which must be available).
template <class Model>
std::size_t FirstLimit(const Model &model, std::span<const ReferenceVector> vectors,
                       SweepPath path) {
  switch (path) {
  case SweepPath::kAvx512:
    return model.FirstLimitAvx512(vectors);
  case SweepPath::kAvx2:
    return model.FirstLimitAvx2(vectors);
  case SweepPath::kPortable:
    break;
  }
  return model.FirstLimitPortable(vectors);
}

// Scans consecutive vectors at index m whose angles begin at angles[0]; true
// when the limit is reached at one of them, recorded as the scalar sweep
// would: evaluations up to and including that vector.
template <class Model>
bool ScanVectors(const Model &model, std::span<const ReferenceVector> vectors,
                 std::span<const Angle> angles, int m, SweepPath path, SearchTrace &trace) {
  const std::size_t hit = FirstLimit(model, vectors, path);
  if (hit == vectors.size()) {
    trace.evaluations += vectors.size();
    return false;
  }
  trace.evaluations += hit + 1;
  trace.limitFound = true;
  trace.index = m;
  trace.angle = angles[hit].theta;
  return true;
}

// Vectors computed for a sweep without a shared table are scanned in pieces
// of this many, so that an early limit costs no more quantisation than needed.
constexpr std::size_t kPieceLength = 512;

// Sweeps the angles at one index; false when the sweep stalls.
template <class Model>
bool SweepAngles(const Model &model, const AngleSweep &sweep, double span, int m, SweepPath path,
                 SearchTrace &trace) {
  const std::span<const Angle> angles = sweep.kept();
  const std::span<const ReferenceVector> vectors = sweep.VectorsAt(m);
  if (!vectors.empty()) {
    if (ScanVectors(model, vectors, angles, m, path, trace))
      return true;
  } else {
    std::array<ReferenceVector, kPieceLength> piece;
    for (std::size_t first = 0; first < angles.size(); first += kPieceLength) {
      const std::span<const Angle> pieceAngles =
          angles.subspan(first, std::min(kPieceLength, angles.size() - first));
      for (std::size_t i = 0; i < pieceAngles.size(); ++i)
        piece[i] = ReferenceAt(pieceAngles[i], m);
      if (ScanVectors(model, std::span(piece).first(pieceAngles.size()), pieceAngles, m, path,
                      trace))
        return true;
    }
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
// SearchResult; on kInvalidInput the record is left as it was. Every path
// gives the same result and trace.
template <class Model>
int RunSearch(SirentaParams &params, SearchTrace &trace, SweepPath path) {
  trace = SearchTrace{};
  if (!IsUsablePwmFrequency(params.pwmFrequency))
    return kInvalidInput;
  if (params.startIndex > 100) {
    params.maxModulationIndex = 100;
    return kNoLimit;
  }
  const Model model(params);
  const AngleSweep sweep(params);
  path = UsablePath(path);
  for (int m = params.startIndex; m <= 100; ++m) {
    if (!detail::SweepAngles(model, sweep, params.angleSpan, m, path, trace))
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

// The searches the exports run, on the fastest path this machine has, and on
// a path of the caller's choice.
int SearchSingleShunt(SirentaParams &params, SearchTrace &trace);
int SearchSingleShuntOn(SweepPath path, SirentaParams &params, SearchTrace &trace);
int SearchThreeShunt(SirentaParams &params, SearchTrace &trace);
int SearchThreeShuntOn(SweepPath path, SirentaParams &params, SearchTrace &trace);

} // namespace sirenta
