// The speed loop as the firmware runs it, from the motor's mechanics: the
// speed controller's integers beside their physical meaning, the loop's
// figures in the frequency domain, a speed step with a load step after it,
// and gains designed for a wanted bandwidth. docs/controller-analysis.md
// derives every figure and states what is assumed of the firmware.
#pragma once

#include "parvex.h"
#include "parvex/Api.h"
#include "parvex/Mechanics.h"

#include <cmath>
#include <cstdint>
#include <string>
#include <vector>

namespace parvex::analysis {

// One instant of the speed step.
struct SpeedSample {
  double time = 0;      // s
  double reference = 0; // rpm
  double speed = 0;     // rpm, mechanical
  double current = 0;   // q current, A
};

// The speed controller's quotients in the firmware's units: q current
// counts per rpm of speed error (the integral summed once per speed period).
struct SpeedGains {
  std::int64_t pDividend = 0;
  std::int64_t pDivisor = 1;
  std::int64_t iDividend = 0;
  std::int64_t iDivisor = 1;
};

// The physical speed controller: Kp in A per rad/s, Ki in A per rad/s per s.
struct SpeedController {
  double kp = NAN;
  double ki = NAN;
};

// Gains for a wanted speed bandwidth. The design places the crossover at
// the bandwidth with the PI's zero a factor 4 below it, on the same loop
// model the analysis uses, then quantises: divisors powers of two up to
// 2^15, dividends rounded within s16.
struct SpeedDesign {
  bool designed = false;
  std::string why;                // when not designed
  double bandwidth = NAN;         // rad/s, the wanted crossover
  SpeedController exact;          // before quantisation
  SpeedGains gains;               // as written
  SpeedController written;        // what the written integers are
  double proportionalError = NAN; // relative
  double integralError = NAN;
  double crossover = NAN;   // rad/s, of the written gains
  double phaseMargin = NAN; // deg
};

} // namespace parvex::analysis
