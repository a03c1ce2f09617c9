// The phase times the vector scans compute, written out lane by lane with the
// sector their masks stand for, so that they can be compared with
// ComputePhaseTimes value by value. Each requires PathAvailable() for its path.
#pragma once

#include <span>

#include "PwmTimer.h"
#include "ReferenceVector.h"
#include "SpaceVector.h"

namespace sirenta {

void PhaseTimesAvx2(const PwmTimer &timer, std::span<const ReferenceVector, 8> vectors,
                    std::span<PhaseTimes, 8> out);
void PhaseTimesAvx512(const PwmTimer &timer, std::span<const ReferenceVector, 16> vectors,
                      std::span<PhaseTimes, 16> out);

// The sector named by a lane's conditions: its pair of sectors, then the sign
// of wY within the pair.
inline int SectorOfLane(bool in14, bool in36, bool yNeg) {
  if (in14)
    return yNeg ? 4 : 1;
  if (in36)
    return yNeg ? 3 : 6;
  return yNeg ? 5 : 2;
}

} // namespace sirenta
