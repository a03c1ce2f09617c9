// The definitions that are computed when their block is written: MTPA
// table, feed-forward constants, Hall placement, PLL gains, rounded current
// scalings and the observer scaling factors.
#pragma once

#include "DefinitionProblem.h"
#include "parvex.h"

namespace parvex {

DefinitionText ModulationIndexDefinition(const UserData &d);  // token 6
DefinitionText MtpaTable(const UserData &d);                  // token 42
DefinitionText FeedForwardConstants(const UserData &d);       // token 43
DefinitionText HallPlacement(const UserData &d);              // tokens 44, 45
DefinitionText EncoderAlignmentCurrent(const UserData &d);    // token 56
DefinitionText PllProportionalGain(const UserData &d);        // token 77
DefinitionText PllIntegralGain(const UserData &d);            // token 78
DefinitionText StartUpFirstCurrent(const UserData &d);        // token 81
DefinitionText StartUpFinalCurrent(const UserData &d);        // token 82
DefinitionText SensorlessAlignmentCurrent(const UserData &d); // token 86
// The observer scaling factors: the first power of two from 2^14 down for
// which every scaled quantity fits 16 bits, else 2. Defined for every record.
int ObserverScalingFactorF1(const UserData &d);
int ObserverScalingFactorF2(const UserData &d);

DefinitionText ObserverScalingF1(const UserData &d); // token 91
DefinitionText ObserverScalingF2(const UserData &d); // token 92

} // namespace parvex
