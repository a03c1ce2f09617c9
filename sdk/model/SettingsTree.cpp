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
  // A leaf named as the registry names its setting.
  template <class M>
  void Leaf(M member) {
    const Parameter *p = FindParameter(ParamMember(member));
    v_.Leaf({p->name, p});
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
  t.Leaf(&UserData::QuadratureEncoder);
  t.Leaf(&UserData::HallSensors);
  t.Leaf(&UserData::NoSpeedSensors);
  t.Close("SPEEDFEEDBACK");
  t.Open("FOCMETHODS");
  t.Leaf(&UserData::FluxWeakening);
  t.Leaf(&UserData::FeedForwardCurrentRegulation);
  t.Leaf(&UserData::InternalPMSMMaximunTxAStrategy);
  t.Close("FOCMETHODS");
  t.Open("CURRENTSENSINGTECHNIQUE");
  t.Leaf(&UserData::IsolatedCurrentSensors);
  t.Leaf(&UserData::ThreeShuntResistors);
  t.Leaf(&UserData::SingleShuntResistor);
  t.Close("CURRENTSENSINGTECHNIQUE");
  t.Open("BRAKETECHNIQUE");
  t.Leaf(&UserData::EnableDCBusBrakeResistorManagement);
  t.Close("BRAKETECHNIQUE");
  t.Open("PIDDIFFERENTIALTERMS");
  t.Leaf(&UserData::CheckToEnableDifferentialTerm);
  t.Close("PIDDIFFERENTIALTERMS");
  t.Close("CONFIGURATION");
}

void MotorAndHw(Tree &t) {
  t.Open("MOTORANDHW");
  t.Open("CURRENTSENSINGNETWORK");
  t.Leaf(&UserData::ShuntResistorValue);
  t.Leaf(&UserData::AmplificationGain);
  t.Leaf(&UserData::ICSGain);
  t.Close("CURRENTSENSINGNETWORK");
  t.Open("KV208BOARDPROTECTION");
  t.Leaf(&UserData::OverTemperatureThreshold);
  t.Leaf(&UserData::TemperatureHysteresis);
  t.Leaf(&UserData::UnderVoltageThreshold);
  t.Leaf(&UserData::OverVoltageThreshold);
  t.Close("KV208BOARDPROTECTION");
  t.Open("MOTORCHARACTERISTICS");
  t.Leaf(&UserData::R);
  t.Leaf(&UserData::Ld);
  t.Leaf(&UserData::Lq);
  t.Leaf(&UserData::RatedCurrent);
  t.Leaf(&UserData::Ke);
  t.Leaf(&UserData::PolePairs);
  t.Leaf(&UserData::MotorMaxSpeed);
  t.Close("MOTORCHARACTERISTICS");
  t.Open("VOLTAGESENSINGNETWORK");
  t.Leaf(&UserData::DCBusVoltage);
  t.Leaf(&UserData::DCBusVoltagePartitioning);
  t.Close("VOLTAGESENSINGNETWORK");
  t.Close("MOTORANDHW");
}

void ControlSettings(Tree &t) {
  t.Open("CONTROLSETTINGS");
  t.Open("DRIVINGSETTINGS");
  t.Leaf(&UserData::PWMFrequency);
  t.Leaf(&UserData::DeadTime);
  t.Close("DRIVINGSETTINGS");
  t.Open("SPEEDREGULATIONCONTROLRATE");
  t.Leaf(&UserData::SpeedRegulationControlRate);
  t.Close("SPEEDREGULATIONCONTROLRATE");
  t.Open("TORQUEANDFLUXCONTROLRATE");
  t.Leaf(&UserData::TorqueAndFluxControlRate);
  t.Close("TORQUEANDFLUXCONTROLRATE");
  t.Open("TORQUEANDFLUXCONTROLLER");
  t.Leaf(&UserData::CutOffFrequency);
  if (t.Everything())
    t.Leaf(&UserData::TorqueAndFluxGainsComputation);
  t.Open("TORQUE");
  t.Leaf(&UserData::TorquePDividend);
  t.Leaf(&UserData::TorquePDivisor);
  t.Leaf(&UserData::TorqueIDividend);
  t.Leaf(&UserData::TorqueIDivisor);
  t.Leaf(&UserData::TorqueDDividend);
  t.Leaf(&UserData::TorqueDDivisor);
  t.Leaf(&UserData::TorqueInitRef);
  t.Close("TORQUE");
  t.Open("FLUX");
  t.Leaf(&UserData::FluxPDividend);
  t.Leaf(&UserData::FluxPDivisor);
  t.Leaf(&UserData::FluxIDividend);
  t.Leaf(&UserData::FluxIDivisor);
  t.Leaf(&UserData::FluxDDividend);
  t.Leaf(&UserData::FluxDDivisor);
  t.Leaf(&UserData::FluxInitRef);
  t.Close("FLUX");
  t.Close("TORQUEANDFLUXCONTROLLER");
  t.Open("SPEEDCONTROLLER");
  t.Leaf(&UserData::SpeedPDividend);
  t.Leaf(&UserData::SpeedPDivisor);
  t.Leaf(&UserData::SpeedIDividend);
  t.Leaf(&UserData::SpeedIDivisor);
  t.Leaf(&UserData::SpeedDDividend);
  t.Leaf(&UserData::SpeedDDivisor);
  t.Leaf(&UserData::SpeedInitRef);
  t.Close("SPEEDCONTROLLER");
  t.Open("FLUXWEAKENINGCONTROLLER");
  t.Leaf(&UserData::FluxWeakeningControllerPDividend);
  t.Leaf(&UserData::FluxWeakeningControllerPDivisor);
  t.Leaf(&UserData::FluxWeakeningControllerIDividend);
  t.Leaf(&UserData::FluxWeakeningControllerIDivisor);
  t.Leaf(&UserData::FluxWeakeningControllerVoltageLimit);
  t.Close("FLUXWEAKENINGCONTROLLER");
  t.Close("CONTROLSETTINGS");
}

void Debug(Tree &t) {
  t.Open("DEBUG");
  t.Open("AUXILIARYSPEEDFEEDBACK");
  t.Leaf(&UserData::ViewEncoderFeedback);
  t.Leaf(&UserData::ViewHallSensorsFeedback);
  t.Leaf(&UserData::None);
  t.Leaf(&UserData::EnableObserverGainTuning);
  t.Close("AUXILIARYSPEEDFEEDBACK");
  t.Leaf(&UserData::EnableDACFunctionality);
  t.Open("FLUXANDTORQUEPIDTUNINGMODALITY");
  t.Leaf(&UserData::EnableModality);
  t.Leaf(&UserData::SquareWavePeriod);
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
      t.Leaf(&UserData::Tnoise);
    t.Leaf(&UserData::Trise);
    t.Close("NOISEPARAMETERS");
    t.Open("ADCONVERTERSAMPLINGTIME");
    t.Leaf(&UserData::ADConverterSamplingTime);
    t.Close("ADCONVERTERSAMPLINGTIME");
    t.Open("MAXIMUMAVAILABLEMODULATIONINDEX");
    t.Leaf(&UserData::MaximumAvailableModulationIndex);
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
