// The record members of the speed-feedback variants, main and auxiliary: the
// settings tree and the speed-feedback pages build the same groups from them.
// The auxiliary groups are the twins of the main ones in the registry.
#pragma once

#include "parvex.h"
#include "parvex/Api.h"
#include "parvex/Parameters.h"

#include <cstdint>
#include <optional>

namespace parvex {

using FlagMember = std::uint32_t UserData::*;
using IntMember = IntParam UserData::*;
using SignedMember = SignedIntParam UserData::*;
using RealMember = RealParam UserData::*;

struct EncoderMembers {
  IntMember pulsesPerRevolution;
  IntMember minMechanicalSpeed;
  IntMember maxMechanicalSpeed;
  IntMember maxErrorsNumber;
  IntMember fifoDepth;
  IntMember alignmentDuration;
  IntMember alignmentAngle;
  RealMember alignmentCurrent;
};

struct HallMembers {
  FlagMember placement120;
  FlagMember placement60;
  IntMember phaseShift;
  IntMember minMechanicalSpeed;
  IntMember maxMechanicalSpeed;
};

struct ObserverMembers {
  IntMember speedRampDuration;
  IntMember speedRampFinalValue;
  RealMember currentRampInitialValue;
  RealMember currentRampFinalValue;
  IntMember currentRampDuration;
  IntMember consistencyThreshold;
  RealMember varianceThreshold;
  IntMember minimumSpeed;
  IntMember minMechanicalSpeed;
  IntMember maxErrorsNumber;
  FlagMember includeAlignment;
  FlagMember gainsComputation;
  IntMember alignmentDuration; // null on the auxiliary observer, which has none
  IntMember alignmentAngle;
  RealMember alignmentCurrent;
  SignedMember k1;
  SignedMember k2;
  IntMember pllPDividend;
  IntMember pllPDivisor;
  IntMember pllIDividend;
  IntMember pllIDivisor;
};

PARVEX_CORE_API const EncoderMembers &MainEncoder();
PARVEX_CORE_API const EncoderMembers &AuxEncoder();
PARVEX_CORE_API const HallMembers &MainHall();
PARVEX_CORE_API const HallMembers &AuxHall();
PARVEX_CORE_API const ObserverMembers &MainObserver();
PARVEX_CORE_API const ObserverMembers &AuxObserver();

// The speed-feedback variants a record's flags select: the page shown and
// the build-log groups written.
enum class SpeedFeedbackKind {
  Encoder,  // quadrature encoder
  Hall,     // Hall sensors
  Observer, // the sensorless observer (start-up, observer gains)
};

// The main variant: the first sensor flag set of QuadratureEncoder,
// HallSensors, NoSpeedSensors; nothing when none is set.
PARVEX_CORE_API std::optional<SpeedFeedbackKind> MainSpeedFeedback(const UserData &data);

// The auxiliary variant: with an encoder or Hall sensors driving the motor,
// the observer while EnableObserverGainTuning is set; without one, the first
// of ViewEncoderFeedback (encoder) and ViewHallSensorsFeedback (Hall)
// that is set. Nothing otherwise.
PARVEX_CORE_API std::optional<SpeedFeedbackKind> AuxSpeedFeedback(const UserData &data);

// True for a setting the two choices above read, or an option of the same
// group ("None" beside the viewed feedbacks): entering one may select other
// variants.
PARVEX_CORE_API bool DecidesSpeedFeedback(const Parameter &parameter);

} // namespace parvex
