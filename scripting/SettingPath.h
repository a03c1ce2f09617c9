// A setting named as the comparison and the build log name it: its path in
// BuildLog.xml's element tree without the FOCDATA root, and for a limit the
// suffix " (min)", " (max)" or " (decimals)":
//   "MOTORANDHW/MOTORCHARACTERISTICS/R"
//   "MOTORANDHW/MOTORCHARACTERISTICS/RatedCurrent (max)"
#pragma once

#include "parvex/Parameters.h"

#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace torvio::scripting {

struct SettingRef {
  const parvex::Parameter *parameter = nullptr;
  parvex::ParamPart part = parvex::ParamPart::Value;
};

// The setting a path names; nothing for an unknown path or a limit suffix
// on a setting without limits.
std::optional<SettingRef> FindSetting(std::string_view path);

// The path of a setting's part.
std::string PathText(const SettingRef &setting);

// "PATH: unknown setting", with the nearest known paths when some are near:
// "motorandhw/r: unknown setting (nearest: MOTORANDHW/MOTORCHARACTERISTICS/R)".
// Near means the same but for letter case, or a few letters apart, in the
// whole path or in its last name.
std::string UnknownSettingText(std::string_view path);

// Every setting once, in the settings tree's order (the order of --diff).
const std::vector<const parvex::Parameter *> &SettingsInTreeOrder();

} // namespace torvio::scripting
