#include "parvex/SpeedFeedbackMembers.h"

#include "parvex/Parameters.h"

#include <algorithm>
#include <iterator>

namespace parvex {

namespace {

using U = UserData;

template <class M>
M Aux(M main) {
  return TwinMember(main);
}

} // namespace

const EncoderMembers &MainEncoder() {
  static const EncoderMembers m{&U::PulsesPerRevolution, &U::MinMechanicalSpeed,
                                &U::MaxMechanicalSpeed,  &U::MaxErrorsNumber,
                                &U::FIFODepth,           &U::AlignmentDuration,
                                &U::AlignmentAngle,      &U::AlignmentCurrent};
  return m;
}

const EncoderMembers &AuxEncoder() {
  static const EncoderMembers m = [] {
    const EncoderMembers &e = MainEncoder();
    return EncoderMembers{Aux(e.pulsesPerRevolution), Aux(e.minMechanicalSpeed),
                          Aux(e.maxMechanicalSpeed),  Aux(e.maxErrorsNumber),
                          Aux(e.fifoDepth),           Aux(e.alignmentDuration),
                          Aux(e.alignmentAngle),      Aux(e.alignmentCurrent)};
  }();
  return m;
}

const HallMembers &MainHall() {
  static const HallMembers m{&U::Hall120Degrees, &U::Hall60Degrees, &U::PhaseShift,
                             &U::MinMechanicalSpeed, &U::MaxMechanicalSpeed};
  return m;
}

const HallMembers &AuxHall() {
  static const HallMembers m = [] {
    const HallMembers &h = MainHall();
    return HallMembers{Aux(h.placement120), Aux(h.placement60), Aux(h.phaseShift),
                       Aux(h.minMechanicalSpeed), Aux(h.maxMechanicalSpeed)};
  }();
  return m;
}

const ObserverMembers &MainObserver() {
  static const ObserverMembers m{&U::SpeedRampDuration,
                                 &U::SpeedRampFinalValue,
                                 &U::CurrentRampInitialValue,
                                 &U::CurrentRampFinalValue,
                                 &U::CurrentRampDuration,
                                 &U::ConsinstencyThreshold,
                                 &U::VarianceThreshold,
                                 &U::MinimumSpeed,
                                 &U::MinMechanicalSpeed,
                                 &U::MaxErrorsNumber,
                                 &U::IncludeAlignmentBeforeStartUp,
                                 &U::GainsComputation,
                                 &U::AlignmentDuration,
                                 &U::AlignmentAngle,
                                 &U::AlignmentCurrent,
                                 &U::K1,
                                 &U::K2,
                                 &U::PLLPDividend,
                                 &U::PLLPDivisor,
                                 &U::PLLIDividend,
                                 &U::PLLIDivisor};
  return m;
}

const ObserverMembers &AuxObserver() {
  static const ObserverMembers m = [] {
    const ObserverMembers &o = MainObserver();
    ObserverMembers a{};
    a.speedRampDuration = Aux(o.speedRampDuration);
    a.speedRampFinalValue = Aux(o.speedRampFinalValue);
    a.currentRampInitialValue = Aux(o.currentRampInitialValue);
    a.currentRampFinalValue = Aux(o.currentRampFinalValue);
    a.currentRampDuration = Aux(o.currentRampDuration);
    a.consistencyThreshold = Aux(o.consistencyThreshold);
    a.varianceThreshold = Aux(o.varianceThreshold);
    a.minimumSpeed = Aux(o.minimumSpeed);
    a.minMechanicalSpeed = Aux(o.minMechanicalSpeed);
    a.maxErrorsNumber = Aux(o.maxErrorsNumber);
    a.includeAlignment = Aux(o.includeAlignment);
    a.gainsComputation = Aux(o.gainsComputation);
    a.k1 = Aux(o.k1);
    a.k2 = Aux(o.k2);
    a.pllPDividend = Aux(o.pllPDividend);
    a.pllPDivisor = Aux(o.pllPDivisor);
    a.pllIDividend = Aux(o.pllIDividend);
    a.pllIDivisor = Aux(o.pllIDivisor);
    return a; // no alignment: the auxiliary observer never aligns
  }();
  return m;
}

std::optional<SpeedFeedbackKind> MainSpeedFeedback(const UserData &d) {
  if (d.QuadratureEncoder != 0)
    return SpeedFeedbackKind::Encoder;
  if (d.HallSensors != 0)
    return SpeedFeedbackKind::Hall;
  if (d.NoSpeedSensors != 0)
    return SpeedFeedbackKind::Observer;
  return std::nullopt;
}

std::optional<SpeedFeedbackKind> AuxSpeedFeedback(const UserData &d) {
  if (d.QuadratureEncoder != 0 || d.HallSensors != 0) {
    if (d.EnableObserverGainTuning != 0)
      return SpeedFeedbackKind::Observer;
    return std::nullopt;
  }
  if (d.ViewEncoderFeedback != 0)
    return SpeedFeedbackKind::Encoder;
  if (d.ViewHallSensorsFeedback != 0)
    return SpeedFeedbackKind::Hall;
  return std::nullopt;
}

bool DecidesSpeedFeedback(const Parameter &parameter) {
  static const ParamMember deciding[] = {
      &UserData::QuadratureEncoder,
      &UserData::HallSensors,
      &UserData::NoSpeedSensors,
      &UserData::EnableObserverGainTuning,
      &UserData::ViewEncoderFeedback,
      &UserData::ViewHallSensorsFeedback,
      &UserData::None,
  };
  return std::find(std::begin(deciding), std::end(deciding), parameter.member) !=
         std::end(deciding);
}

} // namespace parvex
