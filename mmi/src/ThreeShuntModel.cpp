#include "ThreeShuntModel.h"

#include "FirmwareArithmetic.h"
#include "Search.h"
#include "SpaceVector.h"

namespace sirenta {

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

// Instantiated beside the model so that its evaluation inlines into the sweep.
int SearchThreeShuntOn(SweepPath path, SirentaParams &params, SearchTrace &trace) {
  return RunSearch<ThreeShuntModel>(params, trace, path);
}

int SearchThreeShunt(SirentaParams &params, SearchTrace &trace) {
  return RunSearch<ThreeShuntModel>(params, trace, FastestPath());
}

} // namespace sirenta
