// The speed loop's figures, from the record, the mechanics and the q current
// loop already analysed.
#pragma once

#include "Scaling.h"
#include "parvex/ControllerAnalysis.h"

#include <vector>

namespace parvex::analysis {

// Nothing analysed without options.mechanics; else the figures, and the
// speed controller's two rows appended to `rows`.
SpeedLoopFigures AnalyseSpeedLoop(const UserData &d, const Scaling &s, const LoopFigures &q,
                                  const AnalysisOptions &options, std::vector<GainRow> &rows);

} // namespace parvex::analysis
