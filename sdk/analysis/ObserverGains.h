// The observer and PLL gains the firmware runs: the main or the auxiliary
// observer's, whichever reaches the headers, and the PLL gains as the
// firmware's compiler evaluates their macros.
#pragma once

#include "parvex.h"

#include <cstdint>
#include <optional>

namespace parvex::analysis {

struct ObserverSelection {
  bool aux;
  std::int32_t k1, k2;
  std::uint32_t pllP, pllPDivisor, pllI, pllIDivisor;
  bool computed; // the header holds the PLL macros, not the numbers
};
ObserverSelection SelectObserver(const UserData &d);

// The computed PLL definitions are macros the firmware's compiler
// evaluates in 32-bit integer arithmetic:
//   SAMPLING_FREQ = (u16)(((u32)PWM_FREQ * 2u) / (REP_RATE + 1u))
//   PLL_KP_GAIN   = (s16)(532 * MOTOR_MAX_SPEED_RPM * POLE_PAIR_NUM / SAMPLING_FREQ)
//   PLL_KI_GAIN   = (s16)(1506742 * POLE_PAIR_NUM / SAMPLING_FREQ * MOTOR_MAX_SPEED_RPM
//                         / SAMPLING_FREQ)
// Each value before the s16 cast; empty where the compiler would divide by 0.
struct PllMacros {
  std::optional<std::uint32_t> p, i;
};
PllMacros EvaluatePllMacros(const UserData &d);

// The PLL dividends the firmware runs: the macros after their (s16) cast
// with computed gains, the record's numbers with hand-edited ones.
struct RunningPll {
  std::int64_t p = 0;
  std::int64_t i = 0;
};
RunningPll RunningPllGains(const UserData &d, const ObserverSelection &o);

} // namespace parvex::analysis
