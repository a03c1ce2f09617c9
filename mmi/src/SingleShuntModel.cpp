#include "SingleShuntModel.h"

#include <algorithm>
#include <array>

#include "FirmwareArithmetic.h"
#include "Search.h"
#include "SpaceVector.h"

namespace sirenta {

namespace {

enum Phase { kA = 1, kB = 2, kC = 3 };

// Which phase is shifted when only the window next to the largest time is
// wide enough (case 2), or only the one next to the smallest (case 1).
constexpr std::array<Phase, 7> kShiftedInCase2 = {kA, kC, kA, kA, kB, kB, kC};
constexpr std::array<Phase, 7> kShiftedInCase1 = {kA, kB, kB, kC, kC, kA, kA};

struct Ordered {
  std::int32_t min;
  std::int32_t mid;
  std::int32_t max;
};

// The three times as signed 16-bit values, ascending.
Ordered Order(std::uint16_t a, std::uint16_t b, std::uint16_t c) {
  const std::int32_t x = S16(a), y = S16(b), z = S16(c);
  const std::int32_t lo = std::min(x, y), hi = std::max(x, y);
  return {std::min(lo, z), std::max(lo, std::min(hi, z)), std::max(hi, z)};
}

} // namespace

SingleShuntModel::SingleShuntModel(const SirentaParams &params) {
  const std::uint32_t sampling16 = U16(params.samplingTime);
  const std::uint32_t rise16 = U16(params.riseTime);
  timing_.timer = MakePwmTimer(params.pwmFrequency);
  timing_.tsamp = U16(NsToTicks(sampling16));
  timing_.trise = U16(NsToTicks(rise16));
  timing_.tdead = U16(NsToTicks(params.deadTime));
  timing_.tmin = U16(NsToTicks(params.deadTime + rise16 + sampling16) + 1u);
  timing_.htmin = static_cast<std::uint16_t>(timing_.tmin >> 1);
  timing_.tbefore =
      params.riseTime > params.samplingTime ? U16(2 * timing_.trise) : U16(2 * timing_.tsamp);
  timing_.sampleWindow = U16(timing_.tsamp + 1);
}

SingleShuntModel::Placement SingleShuntModel::Place(std::int16_t vAlpha, std::int16_t vBeta) const {
  const SingleShuntTiming &k = timing_;
  const std::int32_t tmin = k.tmin;
  Placement pl{ComputePhaseTimes(vAlpha, vBeta, k.timer), 0, 0};
  PhaseTimes &p = pl.times;
  const Ordered o = Order(p.tA, p.tB, p.tC);
  const std::int32_t d1 = S16(o.max - o.mid);
  const std::int32_t d2 = S16(o.mid - o.min);
  if (d1 > tmin && d2 > tmin)
    return pl;

  // Shift one phase by half the minimum window so that a sample fits.
  pl.sampleCase = d1 <= tmin ? (d2 > tmin ? 1 : 3) : 2;
  const Phase shifted = pl.sampleCase == 1   ? kShiftedInCase1[p.sector]
                        : pl.sampleCase == 2 ? kShiftedInCase2[p.sector]
                                             : kA;
  std::uint16_t &reduced = shifted == kA ? p.tA : shifted == kB ? p.tB : p.tC;
  reduced = U16(reduced - k.htmin);
  // A time that went below zero is replaced by a small positive one.
  if (p.tA > 61439)
    p.tA = 12;
  if (p.tB > 61439)
    p.tB = 24;
  if (p.tC > 61439)
    p.tC = 36;
  pl.state = static_cast<std::uint8_t>(shifted);
  return pl;
}

void SingleShuntModel::Evaluate(SingleShuntSample &sample) const {
  const SingleShuntTiming &k = timing_;
  const std::int32_t tdead = k.tdead;
  const std::int32_t tbefore = k.tbefore;
  const std::int32_t window = k.sampleWindow;

  sample.sampleWindow = k.sampleWindow;
  const Placement pl = Place(sample.vAlpha, sample.vBeta);
  const PhaseTimes &p = pl.times;
  const Ordered o = Order(p.tA, p.tB, p.tC);
  sample.state = pl.state;

  if (pl.sampleCase == 0) {
    sample.sample1 = o.mid - tdead - o.min > tbefore ? U16(ShiftRight1(tdead + o.min + o.mid))
                                                     : U16(o.mid - window);
    sample.sample2 = o.max - tdead - o.mid > tbefore ? U16(ShiftRight1(tdead + o.max + o.mid))
                                                     : U16(o.max - window);
  } else {
    if (pl.sampleCase == 1)
      sample.sample1 = o.mid - tdead - o.min > tbefore ? U16(ShiftRight1(tdead + o.min + o.mid))
                                                       : U16(o.mid - window);
    else if (pl.sampleCase == 2)
      sample.sample1 = o.max - tdead - o.mid >= tbefore ? U16(ShiftRight1(tdead + o.max + o.mid))
                                                        : U16(o.max - window);
    else
      sample.sample1 = U16(o.min - window);
    sample.sample2 = ShiftedSample2();
  }

  sample.dutyA = p.tA;
  sample.dutyB = p.tB;
  sample.dutyC = p.tC;
  sample.sample2Copy = sample.sample2;
  sample.sample1Copy = sample.sample1;
  sample.sample1SecondCopy = sample.sample1;
}

// Only a shift of phase B or C can leave too little room before phase A's edge.
bool SingleShuntModel::Stops(std::uint8_t state, std::uint16_t sample2, std::uint16_t dutyA,
                             std::uint16_t sampleWindow) {
  return (state == kB || state == kC) && static_cast<std::int32_t>(sample2) - dutyA <= sampleWindow;
}

bool SingleShuntModel::SamplingImpossible(const SingleShuntSample &sample) {
  return Stops(sample.state, sample.sample2, sample.dutyA, sample.sampleWindow);
}

bool SingleShuntModel::LimitReached(std::int16_t vAlpha, std::int16_t vBeta) const {
  // The stopping test reads only the state, dutyA and sample2, which the
  // placement decides: the search skips the sampling instants.
  const Placement pl = Place(vAlpha, vBeta);
  return Stops(pl.state, ShiftedSample2(), pl.times.tA, timing_.sampleWindow);
}

// Instantiated beside the model so that its evaluation inlines into the sweep.
int SearchSingleShunt(SirentaParams &params, SearchTrace &trace) {
  return RunSearch<SingleShuntModel>(params, trace);
}

} // namespace sirenta
