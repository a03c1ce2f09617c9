// Tools Generate Sources and Preview Generation run the header generator of
// PARVEX through the regeneration that keeps unchanged headers and hand
// edits. The generator is replaceable so tests can see whether it was called.
#pragma once

#include "Regeneration.h"
#include "shell/CDiffDialog.h"

#include <vector>

namespace torvio {

using Generator = GenerateFunction;

// Installs the generator to call; an empty one restores parvex::Generate.
void SetGenerator(Generator generator);

// The status and diff of each file of a run; only the files named in
// `only` when it is not empty.
std::vector<FileDifference> Differences(const Regeneration &run,
                                        const std::vector<std::string> &only = {});

} // namespace torvio
