// torvio-gen's generation of the headers, and --save-default.
#pragma once

#include "GenCommandLine.h"

// The headers of the project (or the defaults) into the output folder:
// 0 every header written, 1 one failed, 2 the project could not be read.
int RunGenerate(const GenOptions &options);

// The default configuration as a project file: 0, or 2 when it could not be
// written (nothing written then).
int RunSaveDefault(const GenOptions &options);
