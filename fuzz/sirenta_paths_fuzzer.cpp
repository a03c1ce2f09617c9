// The modulation-index search's vector scans against the portable one, for
// arbitrary timings and vectors. Bytes 0 to 19 are the five timings
// (frequency, dead, sampling, rise, noise; missing bytes are zero); byte 20
// picks an index whose reference vectors at the default angles are scanned;
// the bytes after it are further vectors, pairs of 16-bit vAlpha and vBeta.
// Every vector at which a path's scan and the portable one disagree about
// the limit stops the run.
#include "AngleSweep.h"
#include "Defaults.h"
#include "PwmTimer.h"
#include "Search.h"
#include "SingleShuntModel.h"
#include "SweepPath.h"
#include "ThreeShuntModel.h"

#include <algorithm>
#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <span>
#include <vector>

namespace {

using namespace sirenta;

// Every position at which the limit is reached, scanning again just past
// each one found.
template <class Model>
std::vector<std::size_t> Limits(const Model &model, std::span<const ReferenceVector> v,
                                SweepPath path) {
  std::vector<std::size_t> found;
  for (std::size_t from = 0; from < v.size();) {
    const std::size_t hit = from + detail::FirstLimit(model, v.subspan(from), path);
    if (hit == v.size())
      break;
    found.push_back(hit);
    from = hit + 1;
  }
  return found;
}

template <class Model>
void ExpectSameLimits(const SirentaParams &params, std::span<const ReferenceVector> v) {
  const Model model(params);
  const std::vector<std::size_t> expected = Limits(model, v, SweepPath::kPortable);
  for (SweepPath path : kSweepPaths)
    if (path != SweepPath::kPortable && PathAvailable(path) && Limits(model, v, path) != expected)
      std::abort();
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t *bytes, std::size_t size) {
  std::uint32_t timings[5] = {};
  std::memcpy(timings, bytes, std::min(size, sizeof timings));
  SirentaParams params = ThreeShuntDefaults();
  params.pwmFrequency = timings[0];
  params.deadTime = timings[1];
  params.samplingTime = timings[2];
  params.riseTime = timings[3];
  params.noiseTime = timings[4];
  if (!IsUsablePwmFrequency(params.pwmFrequency))
    return 0;

  static const AngleSweep sweep(ThreeShuntDefaults());
  const int index = size > sizeof timings ? bytes[sizeof timings] % 101 : 72;
  const std::span<const ReferenceVector> row = sweep.VectorsAt(index);
  ExpectSameLimits<SingleShuntModel>(params, row);
  ExpectSameLimits<ThreeShuntModel>(params, row);

  std::vector<ReferenceVector> given;
  for (std::size_t at = sizeof timings + 1; at + 4 <= size; at += 4) {
    ReferenceVector r;
    std::memcpy(&r.vAlpha, bytes + at, 2);
    std::memcpy(&r.vBeta, bytes + at + 2, 2);
    given.push_back(r);
  }
  ExpectSameLimits<SingleShuntModel>(params, given);
  ExpectSameLimits<ThreeShuntModel>(params, given);
  return 0;
}
