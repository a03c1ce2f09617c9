// The limits of a setting belong to the program: the defaults give them, and
// the consistency check recomputes those that follow other settings. An
// imported project may not bring limits of its own.
#pragma once

#include "parvex.h"

#include <string>
#include <vector>

namespace torvio::scripting {

// One line per limit (Min, Max or Decimals) that the consistency check keeps
// as stored and that differs from the default configuration's, named by
// its path: "MOTORANDHW/MOTORCHARACTERISTICS/R (min): -1 is not the limit
// TORVIO gives this setting (0.01)". Limits the check recomputes from other
// settings are the check's to set, like a value the check changes.
std::vector<std::string> ForeignLimits(const UserData &record);

} // namespace torvio::scripting
