// Settings as text for --get and --list: flags as TRUE or FALSE, integers
// as they are stored, reals with every digit needed to read them back
// exactly, so that a printed value given to --set changes nothing.
#pragma once

#include "SettingPath.h"

#include "parvex.h"

#include <string>

namespace torvio::scripting {

// The shortest text that reads back as exactly this double ("nan", "inf",
// "-inf" for the values that are no number).
std::string ExactNumber(double value);

// One part of a setting: "0.35", "4000", "TRUE"; a flag other than 0 or 1
// as "TRUE (2)".
std::string ValueText(const UserData &data, const SettingRef &setting);

// "PATH=VALUE" for --get.
std::string GetLine(const UserData &data, const SettingRef &setting);

// One line of --list: the path, the value, the limits (with the field's
// decimals) and decimals where the setting has them, the unit, the items of
// a list, and "[read-only]" for a setting no page enters (the calculations
// or a file set it):
//   "MOTORANDHW/MOTORCHARACTERISTICS/R=0.35 (min 0.01, max 150.00, decimals 2) Ohm"
std::string ListLine(const UserData &data, const parvex::Parameter &parameter);

} // namespace torvio::scripting
