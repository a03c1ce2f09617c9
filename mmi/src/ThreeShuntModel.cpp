#include "ThreeShuntModel.h"

#include "FirmwareArithmetic.h"
#include "SpaceVector.h"

namespace sirenta {

namespace {

struct LeadingPair {
  std::uint16_t m; // the leading phase time
  std::uint16_t n; // its companion
};

LeadingPair PickBySector(const PhaseTimes &p) {
  switch (p.sector) {
  case 1:
    return {p.tA, p.tB};
  case 2:
    return {p.tB, p.tA};
  case 3:
    return {p.tB, p.tC};
  case 4:
    return {p.tC, p.tB};
  case 5:
    return {p.tC, p.tA};
  default: // sector 6
    return {p.tA, p.tC};
  }
}

} // namespace

ThreeShuntModel::ThreeShuntModel(const SirentaParams &params) {
  // The longer of the two settling times decides; only its low 16 bits count.
  const std::uint32_t tmax =
      params.riseTime > params.noiseTime ? params.riseTime : params.noiseTime;
  timing_.timer = MakePwmTimer(params.pwmFrequency);
  timing_.tw = U16(NsToTicks(U16(tmax) + params.deadTime));
  timing_.tsamp = U16(NsToTicks(U16(params.samplingTime)));
  timing_.sampleWindow = U16(timing_.tsamp + 1);
}

void ThreeShuntModel::Evaluate(ThreeShuntSample &sample) const {
  const ThreeShuntTiming &k = timing_;
  const std::uint16_t per = k.timer.per;
  sample.wrapped = 0;
  sample.sampleWindow = k.sampleWindow;
  const PhaseTimes p = ComputePhaseTimes(sample.vAlpha, sample.vBeta, k.timer);
  const LeadingPair lead = PickBySector(p);

  const std::uint16_t beforeEnd = U16(per - lead.m);
  if (beforeEnd > k.tw) {
    sample.samplePoint = U16(per - 1);
  } else if (U16(lead.m - lead.n) > 2 * beforeEnd) {
    sample.samplePoint = U16(lead.m - k.sampleWindow);
  } else {
    const std::uint16_t s = U16(lead.m + k.tw);
    if (s < per) {
      sample.samplePoint = s;
    } else {
      sample.wrapped = 1;
      sample.samplePoint = U16(2 * per - s - 1);
    }
  }

  sample.dutyA = p.tA;
  sample.dutyB = p.tB;
  sample.dutyC = p.tC;
}

bool ThreeShuntModel::SamplingImpossible(const ThreeShuntSample &sample) {
  return sample.wrapped == 1 &&
         static_cast<std::int32_t>(sample.samplePoint) - sample.dutyA <= sample.sampleWindow;
}

bool ThreeShuntModel::LimitReached(std::int16_t vAlpha, std::int16_t vBeta) const {
  ThreeShuntSample sample;
  sample.vAlpha = vAlpha;
  sample.vBeta = vBeta;
  Evaluate(sample);
  return SamplingImpossible(sample);
}

} // namespace sirenta
