// Whether single-shunt sensing can sample the phase currents at all. One
// shunt is read twice per PWM period, each time in a window between two
// phases' switching edges, which must be longer than the measurement time:
// dead time + rise time + sampling time. The widest window any reference
// vector gives grows with the modulation index; when even the widest at the
// first index the search tries is not longer than the measurement time,
// every vector there, and at every index below, needs both windows opened
// by shifting a phase, and the search's stopping test, which looks only at
// vectors where one window sufficed, reports an index that grows as the
// timing gets worse, or none at all (100 %). docs/modulation-index.md
// derives it.
#pragma once

#include "parvex.h"
#include "parvex/Api.h"

#include <cstdint>
#include <optional>
#include <string>

namespace parvex {

struct SingleShuntWindow {
  std::uint32_t measurementTicks = 0;  // TMIN: (dead + rise + sampling) x 72 / 1000 + 1
  std::uint32_t widestWindowTicks = 0; // at angle 0 and the first index tried
  std::uint32_t firstIndex = 72;       // percent
  bool feasible = true;                // widestWindowTicks > measurementTicks
};

// The windows of one timing (ns, Hz), in the search's own integer arithmetic.
// A PWM frequency that gives no PWM period is reported feasible: there is
// nothing to judge.
PARVEX_CORE_API SingleShuntWindow SingleShuntWindowFor(std::uint32_t pwmFrequency,
                                                       std::uint32_t deadTime,
                                                       std::uint32_t samplingTime,
                                                       std::uint32_t riseTime);

// The record's, when it senses the current with one shunt (and not with
// isolated sensors, which take precedence); nothing otherwise.
PARVEX_CORE_API std::optional<SingleShuntWindow> SingleShuntWindowOf(const UserData &data);

// One sentence for a window that is not feasible: what is wrong and what to
// change.
PARVEX_CORE_API std::string SingleShuntInfeasibleText(const SingleShuntWindow &window);

} // namespace parvex
