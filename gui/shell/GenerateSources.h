// Tools Generate Sources runs the header generator of PARVEX. The call goes
// through a replaceable function so tests can see whether it was made.
#pragma once

#include "parvex.h"

namespace torvio {

using GenerateFunction = int (*)(const UserData *data, const GenerateSourcesArgs *args);

// Installs the generator to call; null restores PARVEX_GenerateSources.
void SetGenerateFunction(GenerateFunction function);

} // namespace torvio
