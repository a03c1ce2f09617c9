#include "parvex/Settings.h"

#include "parvex/SpeedFeedbackMembers.h"

namespace parvex {

namespace {

// Turns the element names and members below into visitor calls.
class Tree {
public:
  Tree(SettingsVisitor &v, SettingsScope scope)
      : v_(v), everything_(scope == SettingsScope::Everything) {}

  bool Everything() const { return everything_; }
  void Open(const char *name) { v_.OpenGroup(name); }
  void Close(const char *name) { v_.CloseGroup(name); }
  // A leaf showing the member's setting (flags, numbers and ranges alike).
  template <class M>
  void Leaf(const char *name, M member) {
    v_.Leaf({name, FindParameter(ParamMember(member))});
  }

private:
  SettingsVisitor &v_;
  bool everything_;
};

void Alignment(Tree &t, const EncoderMembers &e) {
  t.Open("ALIGNMENTSETTINGS");
  t.Leaf("Duration", e.alignmentDuration);
  t.Leaf("AlignmentAngle", e.alignmentAngle);
  t.Leaf("Current", e.alignmentCurrent);
  t.Close("ALIGNMENTSETTINGS");
}

void Encoder(Tree &t, const EncoderMembers &e) {
  t.Open("QUADRATUREENCODERCHARACTERISTICS");
  t.Leaf("PulsesPerRevolution", e.pulsesPerRevolution);
  t.Close("QUADRATUREENCODERCHARACTERISTICS");
  t.Open("SPEEDMEASUREMENTERRORSMANAGEMENT");
  t.Leaf("MinMechanicalSpeed", e.minMechanicalSpeed);
  t.Leaf("MaxMechanicalSpeed", e.maxMechanicalSpeed);
  t.Leaf("MaxErrorsNumber", e.maxErrorsNumber);
  t.Leaf("FIFODepth", e.fifoDepth);
  t.Close("SPEEDMEASUREMENTERRORSMANAGEMENT");
  Alignment(t, e);
}

void Hall(Tree &t, const HallMembers &h) {
  t.Open("HALLSENSORSPLACEMENT");
  t.Leaf("Hall120Degrees", h.placement120);
  t.Leaf("Hall60Degrees", h.placement60);
  t.Leaf("PhaseShift", h.phaseShift);
  t.Close("HALLSENSORSPLACEMENT");
  t.Open("SPEEDMEASUREMENTERRORSMANAGEMENT");
  t.Leaf("MinMechanicalSpeed", h.minMechanicalSpeed);
  t.Leaf("MaxMechanicalSpeed", h.maxMechanicalSpeed);
  t.Close("SPEEDMEASUREMENTERRORSMANAGEMENT");
}

void ObserverHead(Tree &t, const ObserverMembers &o) {
  t.Open("STARTUPSETTINGS");
  t.Leaf("SpeedRampDuration", o.speedRampDuration);
  t.Leaf("SpeedRampFinalValue", o.speedRampFinalValue);
  t.Leaf("CurrentRampInitialValue", o.currentRampInitialValue);
  t.Leaf("CurrentRampFinalValue", o.currentRampFinalValue);
  t.Leaf("CurrentRampDuration", o.currentRampDuration);
  t.Leaf("ConsinstencyThreshold", o.consistencyThreshold);
  if (t.Everything())
    t.Leaf("MinimumSpeed", o.minimumSpeed);
  t.Close("STARTUPSETTINGS");
  t.Open("SPEEDMEASUREMENTERRORSMANAGEMENT");
  t.Leaf("VarianceThreshold", o.varianceThreshold);
  t.Leaf("MinMechanicalSpeed", o.minMechanicalSpeed);
  t.Leaf("MaxErrorsNumber", o.maxErrorsNumber);
  t.Close("SPEEDMEASUREMENTERRORSMANAGEMENT");
  t.Leaf("IncludeAlignmentBeforeStartUp", o.includeAlignment);
}

void ObserverGains(Tree &t, const ObserverMembers &o) {
  t.Open("APRIORICOMPUTEDGAINS");
  t.Leaf("GainsComputation", o.gainsComputation);
  t.Leaf("K1", o.k1);
  t.Leaf("K2", o.k2);
  t.Leaf("PLLPDividend", o.pllPDividend);
  t.Leaf("PLLPDivisor", o.pllPDivisor);
  t.Leaf("PLLIDividend", o.pllIDividend);
  t.Leaf("PLLIDivisor", o.pllIDivisor);
  t.Close("APRIORICOMPUTEDGAINS");
}

void Configuration(Tree &t) {
  t.Open("CONFIGURATION");
  t.Open("SPEEDFEEDBACK");
  t.Leaf("QuadratureEncoder", &UserData::QuadratureEncoder);
  t.Leaf("HallSensors", &UserData::HallSensors);
  t.Leaf("NoSpeedSensors", &UserData::NoSpeedSensors);
  t.Close("SPEEDFEEDBACK");
  t.Open("FOCMETHODS");
  t.Leaf("FluxWeakening", &UserData::FluxWeakening);
  t.Leaf("FeedForwardCurrentRegulation", &UserData::FeedForwardCurrentRegulation);
  t.Leaf("InternalPMSMMaximunTxAStrategy", &UserData::InternalPMSMMaximunTxAStrategy);
  t.Close("FOCMETHODS");
  t.Open("CURRENTSENSINGTECHNIQUE");
  t.Leaf("IsolatedCurrentSensors", &UserData::IsolatedCurrentSensors);
  t.Leaf("ThreeShuntResistors", &UserData::ThreeShuntResistors);
  t.Leaf("SingleShuntResistor", &UserData::SingleShuntResistor);
  t.Close("CURRENTSENSINGTECHNIQUE");
  t.Open("BRAKETECHNIQUE");
  t.Leaf("EnableDCBusBrakeResistorManagement", &UserData::EnableDCBusBrakeResistorManagement);
  t.Close("BRAKETECHNIQUE");
  t.Open("PIDDIFFERENTIALTERMS");
  t.Leaf("CheckToEnableDifferentialTerm", &UserData::CheckToEnableDifferentialTerm);
  t.Close("PIDDIFFERENTIALTERMS");
  t.Close("CONFIGURATION");
}

void MotorAndHw(Tree &t) {
  t.Open("MOTORANDHW");
  t.Open("CURRENTSENSINGNETWORK");
  t.Leaf("ShuntResistorValue", &UserData::ShuntResistorValue);
  t.Leaf("AmplificationGain", &UserData::AmplificationGain);
  t.Leaf("ICSGain", &UserData::ICSGain);
  t.Close("CURRENTSENSINGNETWORK");
  t.Open("KV208BOARDPROTECTION");
  t.Leaf("OverTemperatureThreshold", &UserData::OverTemperatureThreshold);
  t.Leaf("TemperatureHysteresis", &UserData::TemperatureHysteresis);
  t.Leaf("UnderVoltageThreshold", &UserData::UnderVoltageThreshold);
  t.Leaf("OverVoltageThreshold", &UserData::OverVoltageThreshold);
  t.Close("KV208BOARDPROTECTION");
  t.Open("MOTORCHARACTERISTICS");
  t.Leaf("R", &UserData::R);
  t.Leaf("Ld", &UserData::Ld);
  t.Leaf("Lq", &UserData::Lq);
  t.Leaf("RatedCurrent", &UserData::RatedCurrent);
  t.Leaf("Ke", &UserData::Ke);
  t.Leaf("PolePairs", &UserData::PolePairs);
  t.Leaf("MotorMaxSpeed", &UserData::MotorMaxSpeed);
  t.Close("MOTORCHARACTERISTICS");
  t.Open("VOLTAGESENSINGNETWORK");
  t.Leaf("DCBusVoltage", &UserData::DCBusVoltage);
  t.Leaf("DCBusVoltagePartitioning", &UserData::DCBusVoltagePartitioning);
  t.Close("VOLTAGESENSINGNETWORK");
  t.Close("MOTORANDHW");
}

void ControlSettings(Tree &t) {
  t.Open("CONTROLSETTINGS");
  t.Open("DRIVINGSETTINGS");
  t.Leaf("PWMFrequency", &UserData::PWMFrequency);
  t.Leaf("DeadTime", &UserData::DeadTime);
  t.Close("DRIVINGSETTINGS");
  t.Open("SPEEDREGULATIONCONTROLRATE");
  t.Leaf("SpeedRegulationControlRate", &UserData::SpeedRegulationControlRate);
  t.Close("SPEEDREGULATIONCONTROLRATE");
  t.Open("TORQUEANDFLUXCONTROLRATE");
  t.Leaf("TorqueAndFluxControlRate", &UserData::TorqueAndFluxControlRate);
  t.Close("TORQUEANDFLUXCONTROLRATE");
  t.Open("TORQUEANDFLUXCONTROLLER");
  t.Leaf("CutOffFrequency", &UserData::CutOffFrequency);
  if (t.Everything())
    t.Leaf("TorqueAndFluxGainsComputation", &UserData::TorqueAndFluxGainsComputation);
  t.Open("TORQUE");
  t.Leaf("TorquePDividend", &UserData::TorquePDividend);
  t.Leaf("TorquePDivisor", &UserData::TorquePDivisor);
  t.Leaf("TorqueIDividend", &UserData::TorqueIDividend);
  t.Leaf("TorqueIDivisor", &UserData::TorqueIDivisor);
  t.Leaf("TorqueDDividend", &UserData::TorqueDDividend);
  t.Leaf("TorqueDDivisor", &UserData::TorqueDDivisor);
  t.Leaf("TorqueInitRef", &UserData::TorqueInitRef);
  t.Close("TORQUE");
  t.Open("FLUX");
  t.Leaf("FluxPDividend", &UserData::FluxPDividend);
  t.Leaf("FluxPDivisor", &UserData::FluxPDivisor);
  t.Leaf("FluxIDividend", &UserData::FluxIDividend);
  t.Leaf("FluxIDivisor", &UserData::FluxIDivisor);
  t.Leaf("FluxDDividend", &UserData::FluxDDividend);
  t.Leaf("FluxDDivisor", &UserData::FluxDDivisor);
  t.Leaf("FluxInitRef", &UserData::FluxInitRef);
  t.Close("FLUX");
  t.Close("TORQUEANDFLUXCONTROLLER");
  t.Open("SPEEDCONTROLLER");
  t.Leaf("SpeedPDividend", &UserData::SpeedPDividend);
  t.Leaf("SpeedPDivisor", &UserData::SpeedPDivisor);
  t.Leaf("SpeedIDividend", &UserData::SpeedIDividend);
  t.Leaf("SpeedIDivisor", &UserData::SpeedIDivisor);
  t.Leaf("SpeedDDividend", &UserData::SpeedDDividend);
  t.Leaf("SpeedDDivisor", &UserData::SpeedDDivisor);
  t.Leaf("SpeedInitRef", &UserData::SpeedInitRef);
  t.Close("SPEEDCONTROLLER");
  t.Open("FLUXWEAKENINGCONTROLLER");
  t.Leaf("FluxWeakeningControllerPDividend", &UserData::FluxWeakeningControllerPDividend);
  t.Leaf("FluxWeakeningControllerPDivisor", &UserData::FluxWeakeningControllerPDivisor);
  t.Leaf("FluxWeakeningControllerIDividend", &UserData::FluxWeakeningControllerIDividend);
  t.Leaf("FluxWeakeningControllerIDivisor", &UserData::FluxWeakeningControllerIDivisor);
  t.Leaf("FluxWeakeningControllerVoltageLimit", &UserData::FluxWeakeningControllerVoltageLimit);
  t.Close("FLUXWEAKENINGCONTROLLER");
  t.Close("CONTROLSETTINGS");
}

void Debug(Tree &t) {
  t.Open("DEBUG");
  t.Open("AUXILIARYSPEEDFEEDBACK");
  t.Leaf("ViewEncoderFeedback", &UserData::ViewEncoderFeedback);
  t.Leaf("ViewHallSensorsFeedback", &UserData::ViewHallSensorsFeedback);
  t.Leaf("None", &UserData::None);
  t.Leaf("EnableObserverGainTuning", &UserData::EnableObserverGainTuning);
  t.Close("AUXILIARYSPEEDFEEDBACK");
  t.Leaf("EnableDACFunctionality", &UserData::EnableDACFunctionality);
  t.Open("FLUXANDTORQUEPIDTUNINGMODALITY");
  t.Leaf("EnableModality", &UserData::EnableModality);
  t.Leaf("SquareWavePeriod", &UserData::SquareWavePeriod);
  t.Close("FLUXANDTORQUEPIDTUNINGMODALITY");
  t.Close("DEBUG");
}

void Sensorless(Tree &t) {
  ObserverHead(t, MainObserver());
  Alignment(t, MainEncoder());
  ObserverGains(t, MainObserver());
}

// The variant the sensor flags select picks the content.
void SpeedFeedbackGroup(Tree &t, const UserData &d) {
  t.Open("SPEEDFEEDBACK");
  if (t.Everything()) {
    Encoder(t, MainEncoder());
    Hall(t, MainHall());
    Sensorless(t);
  } else if (const auto kind = MainSpeedFeedback(d)) {
    switch (*kind) {
    case SpeedFeedbackKind::Encoder:
      Encoder(t, MainEncoder());
      break;
    case SpeedFeedbackKind::Hall:
      Hall(t, MainHall());
      break;
    case SpeedFeedbackKind::Observer:
      Sensorless(t);
      break;
    }
  }
  t.Close("SPEEDFEEDBACK");
}

void AuxObserverGroups(Tree &t) {
  ObserverHead(t, AuxObserver());
  ObserverGains(t, AuxObserver());
}

// Written only when a variant is selected.
void AuxSpeedFeedbackGroup(Tree &t, const UserData &d) {
  const auto kind = AuxSpeedFeedback(d);
  if (!t.Everything() && !kind)
    return;
  t.Open("AUXSPEEDFEEDBACK");
  if (t.Everything()) {
    AuxObserverGroups(t);
    Encoder(t, AuxEncoder());
    Hall(t, AuxHall());
  } else {
    switch (*kind) {
    case SpeedFeedbackKind::Encoder:
      Encoder(t, AuxEncoder());
      break;
    case SpeedFeedbackKind::Hall:
      Hall(t, AuxHall());
      break;
    case SpeedFeedbackKind::Observer:
      AuxObserverGroups(t);
      break;
    }
  }
  t.Close("AUXSPEEDFEEDBACK");
}

void CurrentSensing(Tree &t, const UserData &d) {
  t.Open("CURRENTSENSING");
  if (t.Everything() || d.IsolatedCurrentSensors == 0) {
    t.Open("NOISEPARAMETERS");
    if (t.Everything() || d.ThreeShuntResistors != 0)
      t.Leaf("Tnoise", &UserData::Tnoise);
    t.Leaf("Trise", &UserData::Trise);
    t.Close("NOISEPARAMETERS");
    t.Open("ADCONVERTERSAMPLINGTIME");
    t.Leaf("ADConverterSamplingTime", &UserData::ADConverterSamplingTime);
    t.Close("ADCONVERTERSAMPLINGTIME");
    t.Open("MAXIMUMAVAILABLEMODULATIONINDEX");
    t.Leaf("MaximumAvailableModulationIndex", &UserData::MaximumAvailableModulationIndex);
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
  SpeedFeedbackGroup(t, data);
  AuxSpeedFeedbackGroup(t, data);
  CurrentSensing(t, data);
}

SettingsVisitor::~SettingsVisitor() = default;

} // namespace parvex
