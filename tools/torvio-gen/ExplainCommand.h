// torvio-gen --explain: the controller analysis of a project (or of the
// default configuration), as aligned text or CSV.
#pragma once

#include "GenCommandLine.h"

// 0 nothing flagged, 1 a gain or a current loop is flagged, 2 the project
// could not be read.
int RunExplain(const GenOptions &options);
