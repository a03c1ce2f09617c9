// The settings in which two records differ, each named by its place in the
// build log's element tree, for comparing two projects.
#pragma once

#include "parvex.h"

#include <string>
#include <vector>

namespace parvex {

// One line per difference, in tree order:
//   "MOTORANDHW/MOTORCHARACTERISTICS/R: 0.35 -> 0.40"          (the value)
//   "MOTORANDHW/MOTORCHARACTERISTICS/RatedCurrent (max): 2.92 -> 3.30"
// with " (min)", " (max)" and " (decimals)" for the range and precision.
// Every variant is compared, also those the log of either record would leave
// out; a field shared by variants is named by its first place. Empty when
// the records hold the same settings (reserved bytes are not settings).
std::vector<std::string> DiffSettings(const UserData &before, const UserData &after);

} // namespace parvex
