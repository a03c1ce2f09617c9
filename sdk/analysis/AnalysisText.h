// The controller analysis as text for a terminal (the gain table in aligned
// columns, then the current-loop figures) and as CSV (one header row,
// RFC 4180 quoting, the loop figures as further rows).
#pragma once

#include "ControllerAnalysis.h"

#include <string>

namespace parvex::analysis {

std::string AnalysisTable(const ControllerAnalysis &analysis);

std::string AnalysisCsv(const ControllerAnalysis &analysis);

// One CSV field, quoted when it holds a comma, a quote or a line break.
std::string CsvField(const std::string &text);

} // namespace parvex::analysis
