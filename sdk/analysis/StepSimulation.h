// A current loop's step response simulated as the firmware computes it:
// integer PI with C division, the voltage clamp, the computation delay and
// the R-L plant between control periods.
#pragma once

#include "parvex/ControllerAnalysis.h"

#include <cstdint>
#include <vector>

namespace parvex::analysis {

struct StepSetup {
  std::int64_t kpDividend = 0;
  std::int64_t kpDivisor = 1;
  std::int64_t kiDividend = 0;
  std::int64_t kiDivisor = 1;
  std::int64_t referenceCounts = 0;
  std::int64_t voltageLimitCounts = 0;
  double currentCountsPerAmp = 0;
  double voltageCountsPerVolt = 0;
  double phi = 0;         // current kept over one period
  double ampsPerVolt = 0; // current gained over one period per applied volt
  int delay = 1;          // control periods from measurement to applied voltage
  double period = 0;      // Ts, s
  int samples = 0;
};

struct StepResult {
  std::vector<Sample> current; // at the start of every control period
  bool saturated = false;
};

// A current as the converter reads it: floored to counts, within the
// 16-bit two's-complement range, 0 for NaN.
std::int64_t MeasuredCounts(double amps, double countsPerAmp);

// Divisors must be non-zero.
StepResult SimulateStep(const StepSetup &setup);

} // namespace parvex::analysis
