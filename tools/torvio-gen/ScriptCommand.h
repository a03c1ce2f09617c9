// torvio-gen --get, --list, --set, --save, --export, --import: a project's
// settings read and edited by their paths, and the project as JSON.
#pragma once

#include "GenCommandLine.h"

// 0 done; 2 an unreadable file, an unknown setting, a refused value or a
// file that could not be written. Nothing is written unless every edit was
// accepted.
int RunScript(const GenOptions &options);
