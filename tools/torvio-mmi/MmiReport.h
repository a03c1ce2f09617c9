// Runs both modulation-index searches and describes their outcome.
#pragma once

#include <QString>

#include "MmiCommandLine.h"

struct MmiReport {
  QString text;      // lines for standard output
  bool valid = true; // false when the library refused the settings, or when
                     // one shunt cannot be sampled at any index
};

MmiReport ComputeMmiReport(const MmiOverrides &overrides);
