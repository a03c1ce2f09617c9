#include "SingleShuntModel.h"

#include <algorithm>
#include <array>

#include "FirmwareArithmetic.h"
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
  std::array<std::int32_t, 3> v = {S16(a), S16(b), S16(c)};
  std::sort(v.begin(), v.end());
  return {v[0], v[1], v[2]};
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

void SingleShuntModel::Evaluate(SingleShuntSample &sample) const {
  const SingleShuntTiming &k = timing_;
  const std::int32_t tdead = k.tdead;
  const std::int32_t tbefore = k.tbefore;
  const std::int32_t window = k.sampleWindow;
  const std::int32_t tmin = k.tmin;

  sample.sampleWindow = k.sampleWindow;
  PhaseTimes p = ComputePhaseTimes(sample.vAlpha, sample.vBeta, k.timer);
  const Ordered o = Order(p.tA, p.tB, p.tC);
  const std::int32_t d1 = S16(o.max - o.mid);
  const std::int32_t d2 = S16(o.mid - o.min);

  if (d1 > tmin && d2 > tmin) {
    sample.state = 0;
    sample.sample1 = o.mid - tdead - o.min > tbefore ? U16(ShiftRight1(tdead + o.min + o.mid))
                                                     : U16(o.mid - window);
    sample.sample2 = o.max - tdead - o.mid > tbefore ? U16(ShiftRight1(tdead + o.max + o.mid))
                                                     : U16(o.max - window);
  } else {
    // Shift one phase by half the minimum window so that a sample fits.
    const int sampleCase = d1 <= tmin ? (d2 > tmin ? 1 : 3) : 2;
    const Phase shifted = sampleCase == 1   ? kShiftedInCase1[p.sector]
                          : sampleCase == 2 ? kShiftedInCase2[p.sector]
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
    sample.state = static_cast<std::uint8_t>(shifted);

    const Ordered r = Order(p.tA, p.tB, p.tC);
    if (sampleCase == 1)
      sample.sample1 = r.mid - tdead - r.min > tbefore ? U16(ShiftRight1(tdead + r.min + r.mid))
                                                       : U16(r.mid - window);
    else if (sampleCase == 2)
      sample.sample1 = r.max - tdead - r.mid >= tbefore ? U16(ShiftRight1(tdead + r.max + r.mid))
                                                        : U16(r.max - window);
    else
      sample.sample1 = U16(r.min - window);
    sample.sample2 = U16(k.tsamp - k.htmin + k.timer.per);
  }

  sample.dutyA = p.tA;
  sample.dutyB = p.tB;
  sample.dutyC = p.tC;
  sample.sample2Copy = sample.sample2;
  sample.sample1Copy = sample.sample1;
  sample.sample1SecondCopy = sample.sample1;
}

bool SingleShuntModel::SamplingImpossible(const SingleShuntSample &sample) {
  return (sample.state == 2 || sample.state == 3) &&
         static_cast<std::int32_t>(sample.sample2) - sample.dutyA <= sample.sampleWindow;
}

bool SingleShuntModel::LimitReached(std::int16_t vAlpha, std::int16_t vBeta) const {
  SingleShuntSample sample;
  sample.vAlpha = vAlpha;
  sample.vBeta = vBeta;
  Evaluate(sample);
  return SamplingImpossible(sample);
}

} // namespace sirenta
