// The figures of one current loop (q: torque, d: flux): its integer step
// response and its discrete frequency response, with the flags they raise.
#pragma once

#include "LoopModel.h"
#include "parvex/ControllerAnalysis.h"

#include <optional>

namespace parvex::analysis {

enum class Axis { Q, D };

// The loop's linear model as the firmware runs it; nothing when the record
// gives no loop to analyse.
std::optional<DiscreteLoop> CurrentLoopModel(const UserData &d, const Scaling &s, Axis axis,
                                             const AnalysisOptions &options);

LoopFigures AnalyseLoop(const UserData &d, const Scaling &s, Axis axis,
                        const AnalysisOptions &options);

} // namespace parvex::analysis
