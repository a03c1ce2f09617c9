// The consistency check on a record of arbitrary bytes: no undefined
// behaviour, and the orderings it promises hold afterwards.
#include "parvex.h"

#include <cstdint>
#include <cstdlib>
#include <cstring>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t *bytes, std::size_t size) {
  UserData data;
  std::memset(&data, 0, sizeof data);
  std::memcpy(&data, bytes, size < sizeof data ? size : sizeof data);
  const double ratio = data.DCBusVoltagePartitioning.Value;
  if (PARVEX_CheckConsistency(&data) != 0)
    std::abort();
  // The thresholds are ordered whenever the divider gives a measurable bus
  // voltage; a zero or non-finite ratio leaves them as stored.
  const double vmax = 3.3 / ratio * 0.9;
  if (vmax >= 0 && vmax < 4294967296.0 &&
      data.UnderVoltageThreshold.Value > data.OverVoltageThreshold.Value)
    std::abort();
  if (data.MinMechanicalSpeed.Value > data.MaxMechanicalSpeed.Value ||
      data.AuxMinMechanicalSpeed.Value > data.AuxMaxMechanicalSpeed.Value)
    std::abort();
  if (data.MinMechanicalSpeed.Value < 1 || data.MaxMechanicalSpeed.Value > 200000)
    std::abort();
  return 0;
}
