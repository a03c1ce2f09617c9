#include "BuildLog.h"

#include "Conversion.h"
#include "LocalTime.h"

#include <new>
#include <string>

namespace parvex {

namespace {

// Decimal places of a real setting: its Decimals truncated. A stored value
// with no sensible conversion (NaN, negative, huge) is kept printable.
int DecimalsOf(double decimals) {
  constexpr double kMostDecimals = 64;
  if (decimals > kMostDecimals)
    return static_cast<int>(kMostDecimals);
  const auto n = TruncateToInt64(decimals); // empty for NaN
  return n && *n > 0 ? static_cast<int>(*n) : 0;
}

class Writer {
public:
  explicit Writer(std::FILE *f) : f_(f) {}

  void Open(const char *name) {
    if (f_)
      std::fprintf(f_, "<%s %s>\n", name, "");
  }
  void Close(const char *name) {
    if (f_)
      std::fprintf(f_, "</%s>\n", name);
  }
  void Leaf(const char *name, const char *attributes, const char *value) {
    if (f_)
      std::fprintf(f_, "<%s %s>%s</%s>\n", name, attributes, value, name);
  }
  void Flag(const char *name, std::uint32_t flag) { Leaf(name, "", flag != 0 ? "TRUE" : "FALSE"); }
  void Fixed(const char *name, double value, int decimals) {
    Leaf(name, "", Text("%.*f", decimals, value).c_str());
  }
  void Ranged(const char *name, double min, double value, double max, int decimals) {
    const std::string range = Text("min='%.*f' max='%.*f'", decimals, min, decimals, max);
    Leaf(name, range.c_str(), Text("%.*f", decimals, value).c_str());
  }
  void Param(const char *name, const IntParam &p) { Ranged(name, p.Min, p.Value, p.Max, 0); }
  void Param(const char *name, const SignedIntParam &p) { Ranged(name, p.Min, p.Value, p.Max, 0); }
  void Param(const char *name, const RealParam &p) {
    Ranged(name, p.Min, p.Value, p.Max, DecimalsOf(p.Decimals));
  }

private:
  template <class... A>
  static std::string Text(const char *format, A... args) {
    const int n = std::snprintf(nullptr, 0, format, args...);
    std::string s(n > 0 ? static_cast<std::size_t>(n) : 0, '\0');
    std::snprintf(s.data(), s.size() + 1, format, args...);
    return s;
  }

  std::FILE *f_;
};

void WriteEncoder(Writer &w, const IntParam &pulses, const IntParam &minSpeed,
                  const IntParam &maxSpeed, const IntParam &errors, const IntParam &fifo,
                  const IntParam &alignDuration, const IntParam &alignAngle,
                  const RealParam &alignCurrent) {
  w.Open("QUADRATUREENCODERCHARACTERISTICS");
  w.Param("PulsesPerRevolution", pulses);
  w.Close("QUADRATUREENCODERCHARACTERISTICS");
  w.Open("SPEEDMEASUREMENTERRORSMANAGEMENT");
  w.Param("MinMechanicalSpeed", minSpeed);
  w.Param("MaxMechanicalSpeed", maxSpeed);
  w.Param("MaxErrorsNumber", errors);
  w.Param("FIFODepth", fifo);
  w.Close("SPEEDMEASUREMENTERRORSMANAGEMENT");
  w.Open("ALIGNMENTSETTINGS");
  w.Param("Duration", alignDuration);
  w.Param("AlignmentAngle", alignAngle);
  w.Param("Current", alignCurrent);
  w.Close("ALIGNMENTSETTINGS");
}

void WriteHall(Writer &w, std::uint32_t at120, std::uint32_t at60, const IntParam &shift,
               const IntParam &minSpeed, const IntParam &maxSpeed) {
  w.Open("HALLSENSORSPLACEMENT");
  w.Flag("Hall120Degrees", at120);
  w.Flag("Hall60Degrees", at60);
  w.Param("PhaseShift", shift);
  w.Close("HALLSENSORSPLACEMENT");
  w.Open("SPEEDMEASUREMENTERRORSMANAGEMENT");
  w.Param("MinMechanicalSpeed", minSpeed);
  w.Param("MaxMechanicalSpeed", maxSpeed);
  w.Close("SPEEDMEASUREMENTERRORSMANAGEMENT");
}

// The observer's start-up, error and gain groups, main or auxiliary.
struct ObserverFields {
  const IntParam &rampDuration, &rampFinal;
  const RealParam &currentInitial, &currentFinal;
  const IntParam &currentDuration, &consistency;
  const RealParam &variance;
  const IntParam &minSpeed, &errors;
  std::uint32_t includeAlignment, gainsComputation;
  const SignedIntParam &k1, &k2;
  const IntParam &pllP, &pllPDiv, &pllI, &pllIDiv;
};

void WriteObserverHead(Writer &w, const ObserverFields &o) {
  w.Open("STARTUPSETTINGS");
  w.Param("SpeedRampDuration", o.rampDuration);
  w.Param("SpeedRampFinalValue", o.rampFinal);
  w.Param("CurrentRampInitialValue", o.currentInitial);
  w.Param("CurrentRampFinalValue", o.currentFinal);
  w.Param("CurrentRampDuration", o.currentDuration);
  w.Param("ConsinstencyThreshold", o.consistency);
  w.Close("STARTUPSETTINGS");
  w.Open("SPEEDMEASUREMENTERRORSMANAGEMENT");
  w.Param("VarianceThreshold", o.variance);
  w.Param("MinMechanicalSpeed", o.minSpeed);
  w.Param("MaxErrorsNumber", o.errors);
  w.Close("SPEEDMEASUREMENTERRORSMANAGEMENT");
  w.Flag("IncludeAlignmentBeforeStartUp", o.includeAlignment);
}

void WriteObserverGains(Writer &w, const ObserverFields &o) {
  w.Open("APRIORICOMPUTEDGAINS");
  w.Flag("GainsComputation", o.gainsComputation);
  w.Param("K1", o.k1);
  w.Param("K2", o.k2);
  w.Param("PLLPDividend", o.pllP);
  w.Param("PLLPDivisor", o.pllPDiv);
  w.Param("PLLIDividend", o.pllI);
  w.Param("PLLIDivisor", o.pllIDiv);
  w.Close("APRIORICOMPUTEDGAINS");
}

void WriteConfiguration(Writer &w, const UserData &d) {
  w.Open("CONFIGURATION");
  w.Open("SPEEDFEEDBACK");
  w.Flag("QuadratureEncoder", d.QuadratureEncoder);
  w.Flag("HallSensors", d.HallSensors);
  w.Flag("NoSpeedSensors", d.NoSpeedSensors);
  w.Close("SPEEDFEEDBACK");
  w.Open("FOCMETHODS");
  w.Flag("FluxWeakening", d.FluxWeakening);
  w.Flag("FeedForwardCurrentRegulation", d.FeedForwardCurrentRegulation);
  w.Flag("InternalPMSMMaximunTxAStrategy", d.InternalPMSMMaximunTxAStrategy);
  w.Close("FOCMETHODS");
  w.Open("CURRENTSENSINGTECHNIQUE");
  w.Flag("IsolatedCurrentSensors", d.IsolatedCurrentSensors);
  w.Flag("ThreeShuntResistors", d.ThreeShuntResistors);
  w.Flag("SingleShuntResistor", d.SingleShuntResistor);
  w.Close("CURRENTSENSINGTECHNIQUE");
  w.Open("BRAKETECHNIQUE");
  w.Flag("EnableDCBusBrakeResistorManagement", d.EnableDCBusBrakeResistorManagement);
  w.Close("BRAKETECHNIQUE");
  w.Open("PIDDIFFERENTIALTERMS");
  w.Flag("CheckToEnableDifferentialTerm", d.CheckToEnableDifferentialTerm);
  w.Close("PIDDIFFERENTIALTERMS");
  w.Close("CONFIGURATION");
}

void WriteMotorAndHw(Writer &w, const UserData &d) {
  w.Open("MOTORANDHW");
  w.Open("CURRENTSENSINGNETWORK");
  w.Param("ShuntResistorValue", d.ShuntResistorValue);
  w.Param("AmplificationGain", d.AmplificationGain);
  w.Param("ICSGain", d.ICSGain);
  w.Close("CURRENTSENSINGNETWORK");
  w.Open("KV208BOARDPROTECTION");
  w.Param("OverTemperatureThreshold", d.OverTemperatureThreshold);
  w.Param("TemperatureHysteresis", d.TemperatureHysteresis);
  w.Param("UnderVoltageThreshold", d.UnderVoltageThreshold);
  w.Param("OverVoltageThreshold", d.OverVoltageThreshold);
  w.Close("KV208BOARDPROTECTION");
  w.Open("MOTORCHARACTERISTICS");
  w.Param("R", d.R);
  w.Param("Ld", d.Ld);
  w.Param("Lq", d.Lq);
  w.Param("RatedCurrent", d.RatedCurrent);
  w.Param("Ke", d.Ke);
  w.Param("PolePairs", d.PolePairs);
  w.Param("MotorMaxSpeed", d.MotorMaxSpeed);
  w.Close("MOTORCHARACTERISTICS");
  w.Open("VOLTAGESENSINGNETWORK");
  w.Param("DCBusVoltage", d.DCBusVoltage);
  w.Param("DCBusVoltagePartitioning", d.DCBusVoltagePartitioning);
  w.Close("VOLTAGESENSINGNETWORK");
  w.Close("MOTORANDHW");
}

void WriteControlSettings(Writer &w, const UserData &d) {
  w.Open("CONTROLSETTINGS");
  w.Open("DRIVINGSETTINGS");
  w.Param("PWMFrequency", d.PWMFrequency);
  w.Param("DeadTime", d.DeadTime);
  w.Close("DRIVINGSETTINGS");
  w.Open("SPEEDREGULATIONCONTROLRATE");
  w.Fixed("SpeedRegulationControlRate", d.SpeedRegulationControlRate, 1);
  w.Close("SPEEDREGULATIONCONTROLRATE");
  w.Open("TORQUEANDFLUXCONTROLRATE");
  w.Fixed("TorqueAndFluxControlRate", d.TorqueAndFluxControlRate, 0);
  w.Close("TORQUEANDFLUXCONTROLRATE");
  w.Open("TORQUEANDFLUXCONTROLLER");
  w.Param("CutOffFrequency", d.CutOffFrequency);
  w.Open("TORQUE");
  w.Param("TorquePDividend", d.TorquePDividend);
  w.Param("TorquePDivisor", d.TorquePDivisor);
  w.Param("TorqueIDividend", d.TorqueIDividend);
  w.Param("TorqueIDivisor", d.TorqueIDivisor);
  w.Param("TorqueDDividend", d.TorqueDDividend);
  w.Param("TorqueDDivisor", d.TorqueDDivisor);
  w.Param("TorqueInitRef", d.TorqueInitRef);
  w.Close("TORQUE");
  w.Open("FLUX");
  w.Param("FluxPDividend", d.FluxPDividend);
  w.Param("FluxPDivisor", d.FluxPDivisor);
  w.Param("FluxIDividend", d.FluxIDividend);
  w.Param("FluxIDivisor", d.FluxIDivisor);
  w.Param("FluxDDividend", d.FluxDDividend);
  w.Param("FluxDDivisor", d.FluxDDivisor);
  w.Param("FluxInitRef", d.FluxInitRef);
  w.Close("FLUX");
  w.Close("TORQUEANDFLUXCONTROLLER");
  w.Open("SPEEDCONTROLLER");
  w.Param("SpeedPDividend", d.SpeedPDividend);
  w.Param("SpeedPDivisor", d.SpeedPDivisor);
  w.Param("SpeedIDividend", d.SpeedIDividend);
  w.Param("SpeedIDivisor", d.SpeedIDivisor);
  w.Param("SpeedDDividend", d.SpeedDDividend);
  w.Param("SpeedDDivisor", d.SpeedDDivisor);
  w.Param("SpeedInitRef", d.SpeedInitRef);
  w.Close("SPEEDCONTROLLER");
  w.Open("FLUXWEAKENINGCONTROLLER");
  w.Param("FluxWeakeningControllerPDividend", d.FluxWeakeningControllerPDividend);
  w.Param("FluxWeakeningControllerPDivisor", d.FluxWeakeningControllerPDivisor);
  w.Param("FluxWeakeningControllerIDividend", d.FluxWeakeningControllerIDividend);
  w.Param("FluxWeakeningControllerIDivisor", d.FluxWeakeningControllerIDivisor);
  w.Param("FluxWeakeningControllerVoltageLimit", d.FluxWeakeningControllerVoltageLimit);
  w.Close("FLUXWEAKENINGCONTROLLER");
  w.Close("CONTROLSETTINGS");
}

void WriteDebug(Writer &w, const UserData &d) {
  w.Open("DEBUG");
  w.Open("AUXILIARYSPEEDFEEDBACK");
  w.Flag("ViewEncoderFeedback", d.ViewEncoderFeedback);
  w.Flag("ViewHallSensorsFeedback", d.ViewHallSensorsFeedback);
  w.Flag("None", d.None);
  w.Flag("EnableObserverGainTuning", d.EnableObserverGainTuning);
  w.Close("AUXILIARYSPEEDFEEDBACK");
  w.Flag("EnableDACFunctionality", d.EnableDACFunctionality);
  w.Open("FLUXANDTORQUEPIDTUNINGMODALITY");
  w.Flag("EnableModality", d.EnableModality);
  w.Param("SquareWavePeriod", d.SquareWavePeriod);
  w.Close("FLUXANDTORQUEPIDTUNINGMODALITY");
  w.Close("DEBUG");
}

ObserverFields MainObserver(const UserData &d) {
  return {d.SpeedRampDuration,
          d.SpeedRampFinalValue,
          d.CurrentRampInitialValue,
          d.CurrentRampFinalValue,
          d.CurrentRampDuration,
          d.ConsinstencyThreshold,
          d.VarianceThreshold,
          d.MinMechanicalSpeed,
          d.MaxErrorsNumber,
          d.IncludeAlignmentBeforeStartUp,
          d.GainsComputation,
          d.K1,
          d.K2,
          d.PLLPDividend,
          d.PLLPDivisor,
          d.PLLIDividend,
          d.PLLIDivisor};
}

ObserverFields AuxObserver(const UserData &d) {
  return {d.AuxSpeedRampDuration,
          d.AuxSpeedRampFinalValue,
          d.AuxCurrentRampInitialValue,
          d.AuxCurrentRampFinalValue,
          d.AuxCurrentRampDuration,
          d.AuxConsinstencyThreshold,
          d.AuxVarianceThreshold,
          d.AuxMinMechanicalSpeed,
          d.AuxMaxErrorsNumber,
          d.AuxIncludeAlignmentBeforeStartUp,
          d.AuxGainsComputation,
          d.AuxK1,
          d.AuxK2,
          d.AuxPLLPDividend,
          d.AuxPLLPDivisor,
          d.AuxPLLIDividend,
          d.AuxPLLIDivisor};
}

void WriteSpeedFeedback(Writer &w, const UserData &d) {
  w.Open("SPEEDFEEDBACK");
  if (d.QuadratureEncoder != 0) {
    WriteEncoder(w, d.PulsesPerRevolution, d.MinMechanicalSpeed, d.MaxMechanicalSpeed,
                 d.MaxErrorsNumber, d.FIFODepth, d.AlignmentDuration, d.AlignmentAngle,
                 d.AlignmentCurrent);
  } else if (d.HallSensors != 0) {
    WriteHall(w, d.Hall120Degrees, d.Hall60Degrees, d.PhaseShift, d.MinMechanicalSpeed,
              d.MaxMechanicalSpeed);
  } else if (d.NoSpeedSensors != 0) {
    const ObserverFields o = MainObserver(d);
    WriteObserverHead(w, o);
    w.Open("ALIGNMENTSETTINGS");
    w.Param("Duration", d.AlignmentDuration);
    w.Param("AlignmentAngle", d.AlignmentAngle);
    w.Param("Current", d.AlignmentCurrent);
    w.Close("ALIGNMENTSETTINGS");
    WriteObserverGains(w, o);
  }
  w.Close("SPEEDFEEDBACK");
}

void WriteAuxSpeedFeedback(Writer &w, const UserData &d) {
  if (d.QuadratureEncoder != 0 || d.HallSensors != 0) {
    if (d.EnableObserverGainTuning == 0)
      return;
    w.Open("AUXSPEEDFEEDBACK");
    const ObserverFields o = AuxObserver(d);
    WriteObserverHead(w, o);
    WriteObserverGains(w, o);
    w.Close("AUXSPEEDFEEDBACK");
  } else if (d.ViewEncoderFeedback != 0) {
    w.Open("AUXSPEEDFEEDBACK");
    WriteEncoder(w, d.AuxPulsesPerRevolution, d.AuxMinMechanicalSpeed, d.AuxMaxMechanicalSpeed,
                 d.AuxMaxErrorsNumber, d.AuxFIFODepth, d.AuxAlignmentDuration, d.AuxAlignmentAngle,
                 d.AuxAlignmentCurrent);
    w.Close("AUXSPEEDFEEDBACK");
  } else if (d.ViewHallSensorsFeedback != 0) {
    w.Open("AUXSPEEDFEEDBACK");
    WriteHall(w, d.AuxHall120Degrees, d.AuxHall60Degrees, d.AuxPhaseShift, d.AuxMinMechanicalSpeed,
              d.AuxMaxMechanicalSpeed);
    w.Close("AUXSPEEDFEEDBACK");
  }
}

void WriteCurrentSensing(Writer &w, const UserData &d) {
  w.Open("CURRENTSENSING");
  if (d.IsolatedCurrentSensors == 0) {
    w.Open("NOISEPARAMETERS");
    if (d.ThreeShuntResistors != 0)
      w.Param("Tnoise", d.Tnoise);
    w.Param("Trise", d.Trise);
    w.Close("NOISEPARAMETERS");
    w.Open("ADCONVERTERSAMPLINGTIME");
    w.Fixed("ADConverterSamplingTime", d.ADConverterSamplingTime, 0);
    w.Close("ADCONVERTERSAMPLINGTIME");
    w.Open("MAXIMUMAVAILABLEMODULATIONINDEX");
    w.Param("MaximumAvailableModulationIndex", d.MaximumAvailableModulationIndex);
    w.Close("MAXIMUMAVAILABLEMODULATIONINDEX");
  }
  w.Close("CURRENTSENSING");
}

} // namespace

int OpenBuildLog(BuildLog &log, const GenerateSourcesArgs &args) {
  std::string path;
  try {
    path = std::string(args.outputDir ? args.outputDir : "") + "BuildLog.xml";
  } catch (const std::bad_alloc &) {
    return 2;
  }
  log.stream.reset();
  log.stream.reset(std::fopen(path.c_str(), "w"));
  Writer w(log.stream.get());
  w.Open("TORVIO");
  w.Open("ARGS");
  w.Leaf("TemplatesDir", "", args.templatesDir ? args.templatesDir : "");
  w.Leaf("BuildLogFile", "", path.c_str());
  const std::tm t = LocalNow();
  char stamp[64];
  std::snprintf(stamp, sizeof stamp, "%02d/%02d/%02d - %02d:%02d:%02d", t.tm_mon + 1, t.tm_mday,
                t.tm_year % 100, t.tm_hour, t.tm_min, t.tm_sec);
  w.Leaf("BuildDateTime", "", stamp);
  w.Close("ARGS");
  return 0;
}

int WriteBuildLogData(BuildLog &log, const UserData &d) {
  Writer w(log.stream.get());
  w.Open("FOCDATA");
  WriteConfiguration(w, d);
  WriteMotorAndHw(w, d);
  WriteControlSettings(w, d);
  WriteDebug(w, d);
  WriteSpeedFeedback(w, d);
  WriteAuxSpeedFeedback(w, d);
  WriteCurrentSensing(w, d);
  w.Close("FOCDATA");
  return 0;
}

void CloseBuildLog(BuildLog &log) {
  Writer(log.stream.get()).Close("TORVIO");
  log.stream.reset();
}

} // namespace parvex
