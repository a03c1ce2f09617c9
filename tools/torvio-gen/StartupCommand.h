// torvio-gen --simulate-startup: the sensorless start-up of a project (or of
// the default configuration) simulated with the mechanics given, as text or
// as the CSV time series.
#pragma once

#include "GenCommandLine.h"

// 0 nothing flagged (or no sensorless start-up to simulate), 1 something
// flagged, 2 the project could not be read or no inertia is known.
int RunSimulateStartup(const GenOptions &options);
