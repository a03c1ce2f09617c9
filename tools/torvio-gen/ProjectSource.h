// The project a torvio-gen command works on: --project (a .tvd file),
// --import (its JSON) or, without either, the default configuration.
#pragma once

#include "GenCommandLine.h"
#include "ProjectFile.h"

#include <optional>

// The project, with what an import's consistency check changed said on
// stderr; nothing (after the message) when it cannot be read. A file given
// to the wrong option is named with a hint to the right one.
std::optional<torvio::ProjectContents> LoadSource(const GenOptions &options);
