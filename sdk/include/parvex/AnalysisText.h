// The controller analysis as text for a terminal (the gain table in aligned
// columns, then the current-loop figures) and as CSV (one header row,
// RFC 4180 quoting, the loop figures as further rows).
#pragma once

#include "parvex/Api.h"
#include "parvex/ControllerAnalysis.h"

#include <string>

namespace parvex::analysis {

PARVEX_CORE_API std::string AnalysisTable(const ControllerAnalysis &analysis);

PARVEX_CORE_API std::string AnalysisCsv(const ControllerAnalysis &analysis);

// One CSV field, quoted when it holds a comma, a quote or a line break.
PARVEX_CORE_API std::string CsvField(const std::string &text);

} // namespace parvex::analysis
