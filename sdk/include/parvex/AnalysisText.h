// The controller analysis as text for a terminal (the gain table in aligned
// columns, then the current-loop figures) and as CSV (one header row,
// RFC 4180 quoting, the loop figures as further rows).
#pragma once

#include "parvex/Api.h"
#include "parvex/ControllerAnalysis.h"

#include <string>
#include <vector>

namespace parvex::analysis {

PARVEX_CORE_API std::string AnalysisTable(const ControllerAnalysis &analysis);

PARVEX_CORE_API std::string AnalysisCsv(const ControllerAnalysis &analysis);

// The cells of one gain row as the table shows them: "3911/4096", "-0.025 %",
// "Kp 3.59909 V/A", "note: ...".
PARVEX_CORE_API std::string WrittenText(const GainRow &row);
PARVEX_CORE_API std::string ErrorText(const GainRow &row);
PARVEX_CORE_API std::string PhysicalText(const GainRow &row);
PARVEX_CORE_API std::string LevelText(Level level, const std::string &reason);

// The loop figures in the table's order: their names, and one loop's values
// ("-" for a loop the record gives none of).
PARVEX_CORE_API std::vector<std::string> LoopFigureNames();
PARVEX_CORE_API std::vector<std::string> LoopFigureValues(const LoopFigures &loop);

// The speed loop's figures as the table shows them, and its first line
// (period, Kt, mechanics; empty when not analysed).
PARVEX_CORE_API std::vector<std::string> SpeedFigureNames();
PARVEX_CORE_API std::vector<std::string> SpeedFigureValues(const SpeedLoopFigures &speed);
PARVEX_CORE_API std::string SpeedLoopHead(const SpeedLoopFigures &speed);

// A speed-gain design beside the gains of `record` it replaces: the
// bandwidth and method, each quotient exact, written and its error, the
// physical gains and the crossover and margin they give.
PARVEX_CORE_API std::string SpeedDesignText(const SpeedDesign &design, const UserData &record);

// One CSV field, quoted when it holds a comma, a quote or a line break.
PARVEX_CORE_API std::string CsvField(const std::string &text);

} // namespace parvex::analysis
