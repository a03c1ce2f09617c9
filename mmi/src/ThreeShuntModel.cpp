#include "ThreeShuntModel.h"

#include "FirmwareArithmetic.h"
#include "Search.h"
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

// Only an instant folded back from beyond the half period can come too close
// to phase A's edge.
bool ThreeShuntModel::Stops(Instant instant, std::uint16_t dutyA, std::uint16_t sampleWindow) {
  return instant.wrapped == 1 && static_cast<std::int32_t>(instant.point) - dutyA <= sampleWindow;
}

ThreeShuntModel::ThreeShuntModel(const SirentaParams &params) {
  // The longer of the two settling times decides; only its low 16 bits count.
  const std::uint32_t tmax =
      params.riseTime > params.noiseTime ? params.riseTime : params.noiseTime;
  timing_.timer = MakePwmTimer(params.pwmFrequency);
  timing_.tw = U16(NsToTicks(U16(tmax) + params.deadTime));
  timing_.tsamp = U16(NsToTicks(U16(params.samplingTime)));
  timing_.sampleWindow = U16(timing_.tsamp + 1);
}

ThreeShuntModel::Instant ThreeShuntModel::SamplingInstant(const PhaseTimes &p) const {
  const ThreeShuntTiming &k = timing_;
  const std::uint16_t per = k.timer.per;
  const LeadingPair lead = PickBySector(p);
  const std::uint16_t beforeEnd = U16(per - lead.m);
  if (beforeEnd > k.tw)
    return {U16(per - 1), 0};
  if (U16(lead.m - lead.n) > 2 * beforeEnd)
    return {U16(lead.m - k.sampleWindow), 0};
  const std::uint16_t s = U16(lead.m + k.tw);
  if (s < per)
    return {s, 0};
  return {U16(2 * per - s - 1), 1};
}

void ThreeShuntModel::Evaluate(ThreeShuntSample &sample) const {
  sample.sampleWindow = timing_.sampleWindow;
  const PhaseTimes p = ComputePhaseTimes(sample.vAlpha, sample.vBeta, timing_.timer);
  const Instant instant = SamplingInstant(p);
  sample.samplePoint = instant.point;
  sample.wrapped = instant.wrapped;
  sample.dutyA = p.tA;
  sample.dutyB = p.tB;
  sample.dutyC = p.tC;
}

bool ThreeShuntModel::SamplingImpossible(const ThreeShuntSample &sample) {
  return Stops({sample.samplePoint, sample.wrapped}, sample.dutyA, sample.sampleWindow);
}

bool ThreeShuntModel::LimitReached(std::int16_t vAlpha, std::int16_t vBeta) const {
  const PhaseTimes p = ComputePhaseTimes(vAlpha, vBeta, timing_.timer);
  const Instant instant = SamplingInstant(p);
  return Stops(instant, p.tA, timing_.sampleWindow);
}

// Instantiated beside the model so that its evaluation inlines into the sweep.
int SearchThreeShunt(SirentaParams &params, SearchTrace &trace) {
  return RunSearch<ThreeShuntModel>(params, trace);
}

} // namespace sirenta
