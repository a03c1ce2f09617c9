// What a build log says of the settings: its FOCDATA element, leaf by leaf.
// The folders and the date it also records (its ARGS element) say where and
// when a run happened, not what the firmware reads, so two logs of the same
// settings written from other folders or on other days hold the same
// settings.
#pragma once

#include <string>
#include <string_view>
#include <vector>

namespace torvio {

// The settings in which two build logs differ, one line per difference, in
// the order of `after`, named as --diff names them:
//   "MOTORANDHW/MOTORCHARACTERISTICS/R: 0.35 -> 0.70"
//   "MOTORANDHW/MOTORCHARACTERISTICS/RatedCurrent (max): 2.92 -> 3.30"
//   "SPEEDFEEDBACK/HALLSENSORSPLACEMENT/PhaseShift: (absent) -> 300"
// Empty when they hold the same settings. A text that is no build log holds
// no settings: it differs from any log that has some.
std::vector<std::string> BuildLogSettingDifferences(std::string_view before,
                                                    std::string_view after);

} // namespace torvio
