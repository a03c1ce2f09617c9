// The repair steps of the consistency check, each on the record as the steps
// before it left it. ConsistencyCheck runs them in their fixed order; the
// defaults derive their coupled limits by the same steps.
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
// The alignment currents' Max starts at the rated current. Only the defaults
// apply it: the check keeps that limit as stored.
void LimitAlignmentCurrents(UserData &d);

} // namespace parvex
