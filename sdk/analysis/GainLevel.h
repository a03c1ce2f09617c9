// How a written quotient compares with the value it was meant to be: the
// level of its row and the reason, in words an engineer acts on.
#pragma once

#include "parvex/ControllerAnalysis.h"

namespace parvex::analysis {

// A quantisation error beyond this, or a dividend so small that one count
// is more than this, changes the loop noticeably.
inline constexpr double kErrorLimit = 0.01;
inline constexpr std::int64_t kFewestCounts = 100;
// The model aims each current dividend at this many counts, with divisors
// up to 2^14.
inline constexpr std::int64_t kWindowLow = 2000;
inline constexpr std::int64_t kWindowHigh = 4000;
inline constexpr std::int64_t kLargestDivisor = 16384;
// A divisor fixed by the firmware (the PLL's, or none at all for the
// observer gains) leaves the dividend where the motor data put it, so its
// error is levelled by what it does to the loop, not by the resolution
// TORVIO could have chosen: a handful of counts or an error beyond this is
// trouble, anything coarser than kFewestCounts only worth knowing.
inline constexpr std::int64_t kHandfulOfCounts = 10;
inline constexpr double kFixedDivisorErrorLimit = 0.05;

struct QuotientRules {
  const char *dividendFormat = nullptr; // header format whose cast the dividend must fit
  const char *divisorFormat = nullptr;  // likewise for the divisor
  bool handEdited = false;              // typed by the user: a design difference is intended
  bool resolutionWindow = false;        // the dividend is aimed at 2000..4000 counts
  const char *sharedDivisor = nullptr;  // why the divisor was chosen for another gain
  bool fixedDivisor = false;            // the firmware fixes the divisor, TORVIO cannot choose it
};

// Fills written, relativeError, level and reason from exact, dividend and
// divisor.
void Assess(GainRow &row, const QuotientRules &rules);

// Raises the row's level to at least `level` and appends `reason`.
void Raise(GainRow &row, Level level, const std::string &reason);

} // namespace parvex::analysis
