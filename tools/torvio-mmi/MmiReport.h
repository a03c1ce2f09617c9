// Runs both modulation-index searches and describes their outcome.
#pragma once

#include <QString>

#include "MmiCommandLine.h"

struct MmiReport {
  QString text;      // lines for standard output
  bool valid = true; // false when the library refused the settings
};

MmiReport ComputeMmiReport(const MmiOverrides &overrides);
