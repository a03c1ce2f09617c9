// The model's part of entering one setting, as its control does: the edit
// rule of the setting decides how the value is stored.
#pragma once

#include "parvex.h"
#include "parvex/Parameters.h"

// A flag is set by any non-zero value; the consistency check runs when the
// rule says so. False, and nothing written, when no control enters the
// setting or the rule refuses the value.
bool EnterSetting(UserData &data, const parvex::Parameter &parameter, double value);
