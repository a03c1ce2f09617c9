// Settings a user could not have entered through the pages: a flag other
// than 0 or 1, or a value outside its own limits. A project file can hold
// any bytes; such a project is kept as it is, and this says what is odd
// about it. Values the gain and index calculations write are exempt, since
// they may exceed their limits by design.
#pragma once

#include "parvex.h"
#include "parvex/Api.h"
#include "parvex/Parameters.h"

#include <string>
#include <vector>

namespace parvex {

struct ImplausibleSetting {
  const Parameter *parameter;
  std::string text; // "CONTROLSETTINGS/DRIVINGSETTINGS/PWMFrequency: 65535 is outside 4000..32000"
};

PARVEX_CORE_API std::vector<ImplausibleSetting> FindImplausibleSettings(const UserData &data);

} // namespace parvex
