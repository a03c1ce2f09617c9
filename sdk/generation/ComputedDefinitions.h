// The definitions that are computed when their block is written: MTPA
// table, feed-forward constants, Hall placement, PLL gains, rounded current
// scalings and the observer scaling factors.
#pragma once

#include "DefinitionProblem.h"
#include "parvex.h"

#include <cstdint>

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
// What the observer's scaled constants share. MAXBUS and MAXBEMF are kept
// in 16 bits, as the firmware holds them; each is missing when its
// truncation has no defined result, and then no quotient with it fits.
struct ObserverInputs {
  double k; // 1.65 / gain, amperes at full scale: inf for a zero gain
  bool hasMaxBus = false;
  std::int16_t maxBus = 0; // V at full scale of the bus measurement
  bool hasMaxBemf = false;
  std::uint16_t maxBemf = 0; // V at full scale of the back-EMF
};
ObserverInputs ObserverInputsOf(const UserData &d);

// The observer scaling factors: the first power of two from 2^14 down for
// which every scaled quantity fits 16 bits, else 2. Defined for every record.
int ObserverScalingFactorF1(const UserData &d);
int ObserverScalingFactorF2(const UserData &d);

DefinitionText ObserverScalingF1(const UserData &d); // token 91
DefinitionText ObserverScalingF2(const UserData &d); // token 92

} // namespace parvex
