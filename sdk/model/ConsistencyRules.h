// The repair steps of the consistency check, each on the record as the steps
// before it left it. ConsistencyCheck runs them in their fixed order.
#pragma once

#include "parvex.h"

namespace parvex {

// Hardware limits (HardwareLimits.cpp).
void CoupleVoltageThresholds(UserData &d);
void LimitRatedCurrent(UserData &d);
void CoupleInductances(UserData &d);

// Controller settings (ControllerLimits.cpp).
void LimitCurrentReferences(UserData &d);
void LimitSpeedReference(UserData &d);
void RoundSpeedAndFluxWeakeningDivisors(UserData &d);

// Option flags (FeedbackOptions.cpp).
void CorrectAuxiliaryFeedbackFlags(UserData &d);
void CorrectSensorlessDebugOptions(UserData &d);

// Speed feedback ranges (SpeedFeedbackRanges.cpp), main block and auxiliary.
void CoupleMainSpeedFeedback(UserData &d);
void CoupleAuxSpeedFeedback(UserData &d);

} // namespace parvex
