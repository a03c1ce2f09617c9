// A speed step simulated as the firmware runs it: the speed PI in integers
// with C division and its clamp at the current limit, executed every speed
// period on the speed measured in whole rpm, its output applied after the
// delay; the q current loop (linear, at its own period) following that
// reference; the mechanics between current periods, solved exactly; a load
// torque stepping in part-way.
#pragma once

#include "SpeedLoop.h"
#include "parvex/SpeedLoop.h"

#include <cstdint>
#include <vector>

namespace parvex::analysis {

struct SpeedStepSetup {
  SpeedModel model;
  SpeedGains gains;             // divisors non-zero
  std::int64_t limitCounts = 0; // the torque reference's clamp, q current counts
  std::int64_t stepRpm = 0;
  double loadTorque = 0; // N m
  double loadTime = 0;   // s
  double duration = 0;   // s
};

struct SpeedStepResult {
  std::vector<SpeedSample> samples; // at most about 2000, evenly spaced
  bool saturated = false;
};

SpeedStepResult SimulateSpeedStep(const SpeedStepSetup &setup);

} // namespace parvex::analysis
