// The converter scalings the generated gains imply, and the gains before
// truncation, recomputed from the record with the model's own formulas.
#pragma once

#include "parvex/ControllerAnalysis.h"

namespace parvex::analysis {

inline constexpr double kFullScaleCounts = 32767.0;
inline constexpr double kHalfConverterRange = 1.65; // V around the converter's mid-point

Scaling ScalingOf(const UserData &d);

// The current controllers' quotients before truncation.
struct CurrentDesign {
  double torqueP = 0;
  double fluxP = 0;
  double integral = 0; // shared by both controllers
};
CurrentDesign CurrentDesignOf(const UserData &d);

// The observer and PLL quotients before truncation (main or auxiliary: the
// inputs are the same).
struct ObserverDesign {
  double y = 0; // the plant's discrete pole divided by 4
  double k1 = 0;
  double k2 = 0;
  double pllP = 0;
  double pllI = 0;
};
ObserverDesign ObserverDesignOf(const UserData &d);

} // namespace parvex::analysis
