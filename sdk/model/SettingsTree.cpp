#include "SettingsTree.h"

#include "Conversion.h"

namespace parvex {

int DecimalsOf(double decimals) {
  constexpr double kMostDecimals = 64;
  if (decimals > kMostDecimals)
    return static_cast<int>(kMostDecimals);
  const auto n = TruncateToInt64(decimals); // empty for NaN
  return n && *n > 0 ? static_cast<int>(*n) : 0;
}

namespace {

using Word = std::uint32_t UserData::*;
using Int = IntParam UserData::*;
using Signed = SignedIntParam UserData::*;
using Real = RealParam UserData::*;

// Turns the element names and members below into visitor calls.
class Tree {
public:
  Tree(SettingsVisitor &v, SettingsScope scope)
      : v_(v), everything_(scope == SettingsScope::Everything) {}

  bool Everything() const { return everything_; }
  void Open(const char *name) { v_.OpenGroup(name); }
  void Close(const char *name) { v_.CloseGroup(name); }
  void Flag(const char *name, Word m) { Emit({name, SettingKind::Flag, m}); }
  void Number(const char *name, Word m) { Emit({name, SettingKind::Word, m}); }
  void Rate(const char *name, double UserData::*m) {
    SettingLeaf leaf{name, SettingKind::Rate};
    leaf.rate = m;
    Emit(leaf);
  }
  void Param(const char *name, Int m) {
    SettingLeaf leaf{name, SettingKind::Int};
    leaf.intParam = m;
    Emit(leaf);
  }
  void Param(const char *name, Signed m) {
    SettingLeaf leaf{name, SettingKind::SignedInt};
    leaf.signedParam = m;
    Emit(leaf);
  }
  void Param(const char *name, Real m) {
    SettingLeaf leaf{name, SettingKind::Real};
    leaf.realParam = m;
    Emit(leaf);
  }

private:
  void Emit(const SettingLeaf &leaf) { v_.Leaf(leaf); }

  SettingsVisitor &v_;
  bool everything_;
};

struct EncoderFields {
  Int pulses, minSpeed, maxSpeed, errors, fifo, alignDuration, alignAngle;
  Real alignCurrent;
};

struct HallFields {
  Word at120, at60;
  Int shift, minSpeed, maxSpeed;
};

// The observer's start-up, error and gain groups, main or auxiliary.
struct ObserverFields {
  Int rampDuration, rampFinal;
  Real currentInitial, currentFinal;
  Int currentDuration, consistency;
  Int minimumSpeed; // not in the log
  Real variance;
  Int minSpeed, errors;
  Word includeAlignment, gainsComputation;
  Signed k1, k2;
  Int pllP, pllPDiv, pllI, pllIDiv;
};

constexpr EncoderFields kEncoder{&UserData::PulsesPerRevolution, &UserData::MinMechanicalSpeed,
                                 &UserData::MaxMechanicalSpeed,  &UserData::MaxErrorsNumber,
                                 &UserData::FIFODepth,           &UserData::AlignmentDuration,
                                 &UserData::AlignmentAngle,      &UserData::AlignmentCurrent};
constexpr EncoderFields kAuxEncoder{
    &UserData::AuxPulsesPerRevolution, &UserData::AuxMinMechanicalSpeed,
    &UserData::AuxMaxMechanicalSpeed,  &UserData::AuxMaxErrorsNumber,
    &UserData::AuxFIFODepth,           &UserData::AuxAlignmentDuration,
    &UserData::AuxAlignmentAngle,      &UserData::AuxAlignmentCurrent};
constexpr HallFields kHall{&UserData::Hall120Degrees, &UserData::Hall60Degrees,
                           &UserData::PhaseShift, &UserData::MinMechanicalSpeed,
                           &UserData::MaxMechanicalSpeed};
constexpr HallFields kAuxHall{&UserData::AuxHall120Degrees, &UserData::AuxHall60Degrees,
                              &UserData::AuxPhaseShift, &UserData::AuxMinMechanicalSpeed,
                              &UserData::AuxMaxMechanicalSpeed};
constexpr ObserverFields kObserver{&UserData::SpeedRampDuration,
                                   &UserData::SpeedRampFinalValue,
                                   &UserData::CurrentRampInitialValue,
                                   &UserData::CurrentRampFinalValue,
                                   &UserData::CurrentRampDuration,
                                   &UserData::ConsinstencyThreshold,
                                   &UserData::MinimumSpeed,
                                   &UserData::VarianceThreshold,
                                   &UserData::MinMechanicalSpeed,
                                   &UserData::MaxErrorsNumber,
                                   &UserData::IncludeAlignmentBeforeStartUp,
                                   &UserData::GainsComputation,
                                   &UserData::K1,
                                   &UserData::K2,
                                   &UserData::PLLPDividend,
                                   &UserData::PLLPDivisor,
                                   &UserData::PLLIDividend,
                                   &UserData::PLLIDivisor};
constexpr ObserverFields kAuxObserver{&UserData::AuxSpeedRampDuration,
                                      &UserData::AuxSpeedRampFinalValue,
                                      &UserData::AuxCurrentRampInitialValue,
                                      &UserData::AuxCurrentRampFinalValue,
                                      &UserData::AuxCurrentRampDuration,
                                      &UserData::AuxConsinstencyThreshold,
                                      &UserData::AuxMinimumSpeed,
                                      &UserData::AuxVarianceThreshold,
                                      &UserData::AuxMinMechanicalSpeed,
                                      &UserData::AuxMaxErrorsNumber,
                                      &UserData::AuxIncludeAlignmentBeforeStartUp,
                                      &UserData::AuxGainsComputation,
                                      &UserData::AuxK1,
                                      &UserData::AuxK2,
                                      &UserData::AuxPLLPDividend,
                                      &UserData::AuxPLLPDivisor,
                                      &UserData::AuxPLLIDividend,
                                      &UserData::AuxPLLIDivisor};

void Alignment(Tree &t, const EncoderFields &e) {
  t.Open("ALIGNMENTSETTINGS");
  t.Param("Duration", e.alignDuration);
  t.Param("AlignmentAngle", e.alignAngle);
  t.Param("Current", e.alignCurrent);
  t.Close("ALIGNMENTSETTINGS");
}

void Encoder(Tree &t, const EncoderFields &e) {
  t.Open("QUADRATUREENCODERCHARACTERISTICS");
  t.Param("PulsesPerRevolution", e.pulses);
  t.Close("QUADRATUREENCODERCHARACTERISTICS");
  t.Open("SPEEDMEASUREMENTERRORSMANAGEMENT");
  t.Param("MinMechanicalSpeed", e.minSpeed);
  t.Param("MaxMechanicalSpeed", e.maxSpeed);
  t.Param("MaxErrorsNumber", e.errors);
  t.Param("FIFODepth", e.fifo);
  t.Close("SPEEDMEASUREMENTERRORSMANAGEMENT");
  Alignment(t, e);
}

void Hall(Tree &t, const HallFields &h) {
  t.Open("HALLSENSORSPLACEMENT");
  t.Flag("Hall120Degrees", h.at120);
  t.Flag("Hall60Degrees", h.at60);
  t.Param("PhaseShift", h.shift);
  t.Close("HALLSENSORSPLACEMENT");
  t.Open("SPEEDMEASUREMENTERRORSMANAGEMENT");
  t.Param("MinMechanicalSpeed", h.minSpeed);
  t.Param("MaxMechanicalSpeed", h.maxSpeed);
  t.Close("SPEEDMEASUREMENTERRORSMANAGEMENT");
}

void ObserverHead(Tree &t, const ObserverFields &o) {
  t.Open("STARTUPSETTINGS");
  t.Param("SpeedRampDuration", o.rampDuration);
  t.Param("SpeedRampFinalValue", o.rampFinal);
  t.Param("CurrentRampInitialValue", o.currentInitial);
  t.Param("CurrentRampFinalValue", o.currentFinal);
  t.Param("CurrentRampDuration", o.currentDuration);
  t.Param("ConsinstencyThreshold", o.consistency);
  if (t.Everything())
    t.Param("MinimumSpeed", o.minimumSpeed);
  t.Close("STARTUPSETTINGS");
  t.Open("SPEEDMEASUREMENTERRORSMANAGEMENT");
  t.Param("VarianceThreshold", o.variance);
  t.Param("MinMechanicalSpeed", o.minSpeed);
  t.Param("MaxErrorsNumber", o.errors);
  t.Close("SPEEDMEASUREMENTERRORSMANAGEMENT");
  t.Flag("IncludeAlignmentBeforeStartUp", o.includeAlignment);
}

void ObserverGains(Tree &t, const ObserverFields &o) {
  t.Open("APRIORICOMPUTEDGAINS");
  t.Flag("GainsComputation", o.gainsComputation);
  t.Param("K1", o.k1);
  t.Param("K2", o.k2);
  t.Param("PLLPDividend", o.pllP);
  t.Param("PLLPDivisor", o.pllPDiv);
  t.Param("PLLIDividend", o.pllI);
  t.Param("PLLIDivisor", o.pllIDiv);
  t.Close("APRIORICOMPUTEDGAINS");
}

void Configuration(Tree &t) {
  t.Open("CONFIGURATION");
  t.Open("SPEEDFEEDBACK");
  t.Flag("QuadratureEncoder", &UserData::QuadratureEncoder);
  t.Flag("HallSensors", &UserData::HallSensors);
  t.Flag("NoSpeedSensors", &UserData::NoSpeedSensors);
  t.Close("SPEEDFEEDBACK");
  t.Open("FOCMETHODS");
  t.Flag("FluxWeakening", &UserData::FluxWeakening);
  t.Flag("FeedForwardCurrentRegulation", &UserData::FeedForwardCurrentRegulation);
  t.Flag("InternalPMSMMaximunTxAStrategy", &UserData::InternalPMSMMaximunTxAStrategy);
  t.Close("FOCMETHODS");
  t.Open("CURRENTSENSINGTECHNIQUE");
  t.Flag("IsolatedCurrentSensors", &UserData::IsolatedCurrentSensors);
  t.Flag("ThreeShuntResistors", &UserData::ThreeShuntResistors);
  t.Flag("SingleShuntResistor", &UserData::SingleShuntResistor);
  t.Close("CURRENTSENSINGTECHNIQUE");
  t.Open("BRAKETECHNIQUE");
  t.Flag("EnableDCBusBrakeResistorManagement", &UserData::EnableDCBusBrakeResistorManagement);
  t.Close("BRAKETECHNIQUE");
  t.Open("PIDDIFFERENTIALTERMS");
  t.Flag("CheckToEnableDifferentialTerm", &UserData::CheckToEnableDifferentialTerm);
  t.Close("PIDDIFFERENTIALTERMS");
  t.Close("CONFIGURATION");
}

void MotorAndHw(Tree &t) {
  t.Open("MOTORANDHW");
  t.Open("CURRENTSENSINGNETWORK");
  t.Param("ShuntResistorValue", &UserData::ShuntResistorValue);
  t.Param("AmplificationGain", &UserData::AmplificationGain);
  t.Param("ICSGain", &UserData::ICSGain);
  t.Close("CURRENTSENSINGNETWORK");
  t.Open("KV208BOARDPROTECTION");
  t.Param("OverTemperatureThreshold", &UserData::OverTemperatureThreshold);
  t.Param("TemperatureHysteresis", &UserData::TemperatureHysteresis);
  t.Param("UnderVoltageThreshold", &UserData::UnderVoltageThreshold);
  t.Param("OverVoltageThreshold", &UserData::OverVoltageThreshold);
  t.Close("KV208BOARDPROTECTION");
  t.Open("MOTORCHARACTERISTICS");
  t.Param("R", &UserData::R);
  t.Param("Ld", &UserData::Ld);
  t.Param("Lq", &UserData::Lq);
  t.Param("RatedCurrent", &UserData::RatedCurrent);
  t.Param("Ke", &UserData::Ke);
  t.Param("PolePairs", &UserData::PolePairs);
  t.Param("MotorMaxSpeed", &UserData::MotorMaxSpeed);
  t.Close("MOTORCHARACTERISTICS");
  t.Open("VOLTAGESENSINGNETWORK");
  t.Param("DCBusVoltage", &UserData::DCBusVoltage);
  t.Param("DCBusVoltagePartitioning", &UserData::DCBusVoltagePartitioning);
  t.Close("VOLTAGESENSINGNETWORK");
  t.Close("MOTORANDHW");
}

void ControlSettings(Tree &t) {
  t.Open("CONTROLSETTINGS");
  t.Open("DRIVINGSETTINGS");
  t.Param("PWMFrequency", &UserData::PWMFrequency);
  t.Param("DeadTime", &UserData::DeadTime);
  t.Close("DRIVINGSETTINGS");
  t.Open("SPEEDREGULATIONCONTROLRATE");
  t.Rate("SpeedRegulationControlRate", &UserData::SpeedRegulationControlRate);
  t.Close("SPEEDREGULATIONCONTROLRATE");
  t.Open("TORQUEANDFLUXCONTROLRATE");
  t.Number("TorqueAndFluxControlRate", &UserData::TorqueAndFluxControlRate);
  t.Close("TORQUEANDFLUXCONTROLRATE");
  t.Open("TORQUEANDFLUXCONTROLLER");
  t.Param("CutOffFrequency", &UserData::CutOffFrequency);
  if (t.Everything())
    t.Flag("TorqueAndFluxGainsComputation", &UserData::TorqueAndFluxGainsComputation);
  t.Open("TORQUE");
  t.Param("TorquePDividend", &UserData::TorquePDividend);
  t.Param("TorquePDivisor", &UserData::TorquePDivisor);
  t.Param("TorqueIDividend", &UserData::TorqueIDividend);
  t.Param("TorqueIDivisor", &UserData::TorqueIDivisor);
  t.Param("TorqueDDividend", &UserData::TorqueDDividend);
  t.Param("TorqueDDivisor", &UserData::TorqueDDivisor);
  t.Param("TorqueInitRef", &UserData::TorqueInitRef);
  t.Close("TORQUE");
  t.Open("FLUX");
  t.Param("FluxPDividend", &UserData::FluxPDividend);
  t.Param("FluxPDivisor", &UserData::FluxPDivisor);
  t.Param("FluxIDividend", &UserData::FluxIDividend);
  t.Param("FluxIDivisor", &UserData::FluxIDivisor);
  t.Param("FluxDDividend", &UserData::FluxDDividend);
  t.Param("FluxDDivisor", &UserData::FluxDDivisor);
  t.Param("FluxInitRef", &UserData::FluxInitRef);
  t.Close("FLUX");
  t.Close("TORQUEANDFLUXCONTROLLER");
  t.Open("SPEEDCONTROLLER");
  t.Param("SpeedPDividend", &UserData::SpeedPDividend);
  t.Param("SpeedPDivisor", &UserData::SpeedPDivisor);
  t.Param("SpeedIDividend", &UserData::SpeedIDividend);
  t.Param("SpeedIDivisor", &UserData::SpeedIDivisor);
  t.Param("SpeedDDividend", &UserData::SpeedDDividend);
  t.Param("SpeedDDivisor", &UserData::SpeedDDivisor);
  t.Param("SpeedInitRef", &UserData::SpeedInitRef);
  t.Close("SPEEDCONTROLLER");
  t.Open("FLUXWEAKENINGCONTROLLER");
  t.Param("FluxWeakeningControllerPDividend", &UserData::FluxWeakeningControllerPDividend);
  t.Param("FluxWeakeningControllerPDivisor", &UserData::FluxWeakeningControllerPDivisor);
  t.Param("FluxWeakeningControllerIDividend", &UserData::FluxWeakeningControllerIDividend);
  t.Param("FluxWeakeningControllerIDivisor", &UserData::FluxWeakeningControllerIDivisor);
  t.Param("FluxWeakeningControllerVoltageLimit", &UserData::FluxWeakeningControllerVoltageLimit);
  t.Close("FLUXWEAKENINGCONTROLLER");
  t.Close("CONTROLSETTINGS");
}

void Debug(Tree &t) {
  t.Open("DEBUG");
  t.Open("AUXILIARYSPEEDFEEDBACK");
  t.Flag("ViewEncoderFeedback", &UserData::ViewEncoderFeedback);
  t.Flag("ViewHallSensorsFeedback", &UserData::ViewHallSensorsFeedback);
  t.Flag("None", &UserData::None);
  t.Flag("EnableObserverGainTuning", &UserData::EnableObserverGainTuning);
  t.Close("AUXILIARYSPEEDFEEDBACK");
  t.Flag("EnableDACFunctionality", &UserData::EnableDACFunctionality);
  t.Open("FLUXANDTORQUEPIDTUNINGMODALITY");
  t.Flag("EnableModality", &UserData::EnableModality);
  t.Param("SquareWavePeriod", &UserData::SquareWavePeriod);
  t.Close("FLUXANDTORQUEPIDTUNINGMODALITY");
  t.Close("DEBUG");
}

void Sensorless(Tree &t) {
  ObserverHead(t, kObserver);
  Alignment(t, kEncoder);
  ObserverGains(t, kObserver);
}

// The first main-sensor flag that is set picks the content.
void SpeedFeedback(Tree &t, const UserData &d) {
  t.Open("SPEEDFEEDBACK");
  if (t.Everything()) {
    Encoder(t, kEncoder);
    Hall(t, kHall);
    Sensorless(t);
  } else if (d.QuadratureEncoder != 0) {
    Encoder(t, kEncoder);
  } else if (d.HallSensors != 0) {
    Hall(t, kHall);
  } else if (d.NoSpeedSensors != 0) {
    Sensorless(t);
  }
  t.Close("SPEEDFEEDBACK");
}

void AuxObserver(Tree &t) {
  ObserverHead(t, kAuxObserver);
  ObserverGains(t, kAuxObserver);
}

void AuxSpeedFeedback(Tree &t, const UserData &d) {
  void (*content)(Tree &) = nullptr;
  if (t.Everything()) {
    content = [](Tree &all) {
      AuxObserver(all);
      Encoder(all, kAuxEncoder);
      Hall(all, kAuxHall);
    };
  } else if (d.QuadratureEncoder != 0 || d.HallSensors != 0) {
    if (d.EnableObserverGainTuning != 0)
      content = AuxObserver;
  } else if (d.ViewEncoderFeedback != 0) {
    content = [](Tree &aux) { Encoder(aux, kAuxEncoder); };
  } else if (d.ViewHallSensorsFeedback != 0) {
    content = [](Tree &aux) { Hall(aux, kAuxHall); };
  }
  if (!content)
    return;
  t.Open("AUXSPEEDFEEDBACK");
  content(t);
  t.Close("AUXSPEEDFEEDBACK");
}

void CurrentSensing(Tree &t, const UserData &d) {
  t.Open("CURRENTSENSING");
  if (t.Everything() || d.IsolatedCurrentSensors == 0) {
    t.Open("NOISEPARAMETERS");
    if (t.Everything() || d.ThreeShuntResistors != 0)
      t.Param("Tnoise", &UserData::Tnoise);
    t.Param("Trise", &UserData::Trise);
    t.Close("NOISEPARAMETERS");
    t.Open("ADCONVERTERSAMPLINGTIME");
    t.Number("ADConverterSamplingTime", &UserData::ADConverterSamplingTime);
    t.Close("ADCONVERTERSAMPLINGTIME");
    t.Open("MAXIMUMAVAILABLEMODULATIONINDEX");
    t.Param("MaximumAvailableModulationIndex", &UserData::MaximumAvailableModulationIndex);
    t.Close("MAXIMUMAVAILABLEMODULATIONINDEX");
  }
  t.Close("CURRENTSENSING");
}

} // namespace

void WalkSettings(const UserData &data, SettingsScope scope, SettingsVisitor &visitor) {
  Tree t(visitor, scope);
  Configuration(t);
  MotorAndHw(t);
  ControlSettings(t);
  Debug(t);
  SpeedFeedback(t, data);
  AuxSpeedFeedback(t, data);
  CurrentSensing(t, data);
}

} // namespace parvex
