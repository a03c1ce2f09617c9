// The figures of one current loop (q: torque, d: flux): its integer step
// response and its discrete frequency response, with the flags they raise.
#pragma once

#include "parvex/ControllerAnalysis.h"

namespace parvex::analysis {

enum class Axis { Q, D };

LoopFigures AnalyseLoop(const UserData &d, const Scaling &s, Axis axis,
                        const AnalysisOptions &options);

} // namespace parvex::analysis
