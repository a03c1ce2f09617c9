#include "model/Clamp.h"
#include "model/ConsistencyRules.h"
#include "model/PowerOfTwo.h"

#include <initializer_list>

namespace parvex {

namespace {

// A current reference never exceeds the rated current.
void LimitReference(RealParam &ref, double ratedCurrent) {
  CopyIfFinite(ref.Max, ratedCurrent);
  ref.Value = ClampInto(ref.Value, ref.Min, ratedCurrent);
}

} // namespace

void LimitCurrentReferences(UserData &d) {
  LimitReference(d.TorqueInitRef, d.RatedCurrent.Value);
  LimitReference(d.FluxInitRef, d.RatedCurrent.Value);
}

void LimitSpeedReference(UserData &d) {
  d.SpeedInitRef.Max = d.MotorMaxSpeed.Value;
  d.SpeedInitRef.Value = ClampInto(d.SpeedInitRef.Value, d.SpeedInitRef.Min, d.MotorMaxSpeed.Value);
}

// The torque and flux divisors are left alone: they are computed, or entered
// by hand on purpose.
void RoundSpeedAndFluxWeakeningDivisors(UserData &d) {
  for (IntParam *divisor : {&d.SpeedPDivisor, &d.SpeedIDivisor, &d.SpeedDDivisor,
                            &d.FluxWeakeningControllerPDivisor, &d.FluxWeakeningControllerIDivisor})
    divisor->Value = RoundDownToPowerOfTwo(divisor->Value);
}

} // namespace parvex
