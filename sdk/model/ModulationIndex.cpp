#include "parvex/Model.h"

#include "model/Clamp.h"
#include "sirenta.h"

#include <cstdint>

namespace parvex {

namespace {

constexpr std::uint32_t indexMin = 72;
constexpr std::uint32_t indexMax = 100;

using SetDefaultFn = int (*)(SirentaParams *);
using SearchFn = int (*)(SirentaParams *);

// Runs one search on the record's current-sensing timing; the search's own
// status is not needed, only its index.
std::uint32_t Search(const UserData &data, SetDefaultFn setDefault, SearchFn search) {
  SirentaParams params{};
  setDefault(&params);
  params.pwmFrequency = data.PWMFrequency.Value;
  params.deadTime = data.DeadTime.Value;
  params.samplingTime = data.ADConverterSamplingTime;
  params.riseTime = data.Trise.Value;
  params.noiseTime = data.Tnoise.Value;
  search(&params);
  return params.maxModulationIndex;
}

} // namespace

void CalcModulationIndex(UserData &data) {
  IntParam &index = data.MaximumAvailableModulationIndex;
  if (IsSet(data.IsolatedCurrentSensors)) {
    index.Value = indexMax;
    return;
  }
  const bool singleShunt = IsSet(data.SingleShuntResistor);
  const bool threeShunts = IsSet(data.ThreeShuntResistors);
  std::uint32_t result = indexMax;
  if ((singleShunt || threeShunts) && data.PWMFrequency.Value == 0) {
    // No PWM period to simulate: there is no index to compute, so the stored
    // one stays; only the bounds are restored.
    result = index.Value;
  } else if (singleShunt) {
    result = Search(data, SIRENTA_SetDefaut1sh, SIRENTA_1shMMI);
  } else if (threeShunts) {
    result = Search(data, SIRENTA_SetDefaut3sh, SIRENTA_3shMMI);
  }
  index.Min = indexMin;
  index.Value = result;
  index.Max = indexMax;
  index.Decimals = 0;
}

} // namespace parvex
