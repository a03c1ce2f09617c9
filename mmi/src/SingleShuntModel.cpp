#include "SingleShuntModel.h"

#include "FirmwareArithmetic.h"
#include "Search.h"
#include "SpaceVector.h"

namespace sirenta {

using namespace single_shunt;

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
  Placement pl{ComputePhaseTimes(vAlpha, vBeta, timing_.timer), {0, 0}};
  pl.shift = ShiftFor(pl.times);
  if (pl.shift.sampleCase == 0)
    return pl;
  // Shift one phase by half the minimum window so that a sample fits.
  PhaseTimes &p = pl.times;
  std::uint16_t &reduced = pl.shift.phase == kA ? p.tA : pl.shift.phase == kB ? p.tB : p.tC;
  reduced = U16(reduced - timing_.htmin);
  p.tA = ReplacedIfNegative(p.tA, 12);
  p.tB = ReplacedIfNegative(p.tB, 24);
  p.tC = ReplacedIfNegative(p.tC, 36);
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
  sample.state = pl.shift.phase;

  // An instant between the two lower edges or the two upper ones, centred
  // when the window leaves room to settle, else just before the later edge.
  const auto lower = [&] {
    return o.mid - tdead - o.min > tbefore ? U16(ShiftRight1(tdead + o.min + o.mid))
                                           : U16(o.mid - window);
  };
  const auto upper = [&](bool acceptEqual) {
    const std::int32_t room = o.max - tdead - o.mid;
    return room > tbefore || (acceptEqual && room == tbefore)
               ? U16(ShiftRight1(tdead + o.max + o.mid))
               : U16(o.max - window);
  };
  switch (pl.shift.sampleCase) {
  case 0:
    sample.sample1 = lower();
    sample.sample2 = upper(false);
    break;
  case 1:
    sample.sample1 = lower();
    break;
  case 2:
    sample.sample1 = upper(true); // only here a window equal to tbefore will do
    break;
  default:
    sample.sample1 = U16(o.min - window);
    break;
  }
  if (pl.shift.sampleCase != 0)
    sample.sample2 = ShiftedSample2();

  sample.dutyA = p.tA;
  sample.dutyB = p.tB;
  sample.dutyC = p.tC;
  sample.sample2Copy = sample.sample2;
  sample.sample1Copy = sample.sample1;
  sample.sample1SecondCopy = sample.sample1;
}

bool SingleShuntModel::SamplingImpossible(const SingleShuntSample &sample) {
  return Stops(sample.state, sample.sample2, sample.dutyA, sample.sampleWindow);
}

// Instantiated beside the model so that its evaluation inlines into the sweep.
int SearchSingleShuntOn(SweepPath path, SirentaParams &params, SearchTrace &trace) {
  return RunSearch<SingleShuntModel>(params, trace, path);
}

int SearchSingleShunt(SirentaParams &params, SearchTrace &trace) {
  return RunSearch<SingleShuntModel>(params, trace, FastestPath());
}

} // namespace sirenta
