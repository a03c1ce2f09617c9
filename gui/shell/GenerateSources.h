// Tools Generate Sources runs the header generator of PARVEX. The call goes
// through a replaceable function so tests can see whether it was made.
#pragma once

#include "parvex/Generation.h"

#include <functional>
#include <string>

namespace torvio {

using Generator = std::function<parvex::GenerationResult(
    const UserData &data, const std::string &templatesDir, const std::string &outputDir)>;

// Installs the generator to call; an empty one restores parvex::Generate.
void SetGenerator(Generator generator);

} // namespace torvio
