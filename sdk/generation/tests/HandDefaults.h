// The default configuration, typed in by hand from the table of defaults, so
// that generation tests do not depend on the code that computes it.
#pragma once

#include "parvex.h"

#include <cstdint>
#include <cstring>

namespace testdata {

inline IntParam Ip(std::uint32_t min, std::uint32_t value, std::uint32_t max) {
  return {min, value, max, 0};
}
inline SignedIntParam Sp(std::int32_t min, std::int32_t value, std::int32_t max) {
  return {min, value, max, 0};
}
inline RealParam Rp(double min, double value, double max, double decimals) {
  return {min, value, max, decimals};
}

inline UserData HandDefaults() {
  UserData d;
  std::memset(&d, 0, sizeof d);
  d.NoSpeedSensors = 1;
  d.FluxWeakening = 1;
  d.ThreeShuntResistors = 1;
  d.SpeedRegulationControlRate = 2;
  d.TorqueAndFluxControlRate = 1;
  d.TorqueAndFluxGainsComputation = 1;
  d.ViewEncoderFeedback = 1;
  d.EnableObserverGainTuning = 1;
  d.EnableDACFunctionality = 1;
  d.AuxHall120Degrees = 1;
  d.AuxGainsComputation = 1;
  d.Hall120Degrees = 1;
  d.GainsComputation = 1;
  d.ADConverterSamplingTime = 200;

  d.ShuntResistorValue = Rp(0.001, 0.22, 10, 3);
  d.AmplificationGain = Rp(1, 2.57, 100, 2);
  d.ICSGain = Rp(0.001, 1, 10, 3);
  d.OverTemperatureThreshold = Ip(30, 60, 85);
  d.TemperatureHysteresis = Ip(3, 5, 15);
  d.OverVoltageThreshold = Ip(18, 32, 371);
  d.UnderVoltageThreshold = Ip(15, 18, 32);
  d.R = Rp(0.01, 0.35, 150, 2);
  d.Ld = Rp(0.01, 0.6, 500, 2);
  d.Lq = Rp(0.01, 0.6, 500, 2);
  std::uint64_t ratedMax = 0x400758A758A758A7u;
  double ratedMaxValue;
  std::memcpy(&ratedMaxValue, &ratedMax, sizeof ratedMaxValue);
  d.RatedCurrent = Rp(0.05, 2, ratedMaxValue, 2);
  d.Ke = Rp(0.1, 4, 500, 1);
  d.PolePairs = Ip(1, 2, 100);
  d.MotorMaxSpeed = Ip(1, 3600, 190000);
  d.DCBusVoltagePartitioning = Rp(0.0001, 0.008, 1, 4);
  d.DCBusVoltage = Rp(3, 22, 350, 1);
  d.PWMFrequency = Ip(4000, 14400, 32000);
  d.DeadTime = Ip(500, 800, 3500);
  d.CutOffFrequency = Ip(100, 6000, 15000);
  d.TorquePDividend = Ip(0, 3911, 32767);
  d.TorquePDivisor = Ip(1, 4096, 32768);
  d.TorqueIDividend = Ip(0, 633, 32767);
  d.TorqueIDivisor = Ip(1, 16384, 32768);
  d.TorqueDDividend = Ip(0, 100, 32767);
  d.TorqueDDivisor = Ip(1, 8192, 32768);
  d.TorqueInitRef = Rp(0, 0.4, 2, 2);
  d.FluxPDividend = Ip(0, 3911, 32767);
  d.FluxPDivisor = Ip(1, 4096, 32768);
  d.FluxIDividend = Ip(0, 633, 32767);
  d.FluxIDivisor = Ip(1, 16384, 32768);
  d.FluxDDividend = Ip(0, 100, 32767);
  d.FluxDDivisor = Ip(1, 8192, 32768);
  d.FluxInitRef = Rp(0, 0, 2, 2);
  d.SpeedPDividend = Ip(0, 1000, 32767);
  d.SpeedPDivisor = Ip(1, 16, 32768);
  d.SpeedIDividend = Ip(0, 700, 32767);
  d.SpeedIDivisor = Ip(1, 256, 32768);
  d.SpeedDDividend = Ip(0, 0, 32767);
  d.SpeedDDivisor = Ip(1, 16, 32768);
  d.SpeedInitRef = Ip(1, 1500, 3600);
  d.FluxWeakeningControllerPDividend = Ip(1, 3000, 32767);
  d.FluxWeakeningControllerPDivisor = Ip(1, 32768, 32768);
  d.FluxWeakeningControllerIDividend = Ip(1, 5000, 32767);
  d.FluxWeakeningControllerIDivisor = Ip(1, 32768, 32768);
  d.FluxWeakeningControllerVoltageLimit = Rp(60, 98.5, 100, 1);
  d.SquareWavePeriod = Ip(1, 2000, 65535);
  d.AuxPulsesPerRevolution = Ip(1, 400, 65536);
  d.AuxMinMechanicalSpeed = Ip(1, 60, 30000);
  d.AuxMaxMechanicalSpeed = Ip(60, 30000, 200000);
  d.AuxMinimumSpeed = Ip(0, 580, 3600);
  d.AuxMaxErrorsNumber = Ip(1, 3, 255);
  d.AuxFIFODepth = Ip(1, 8, 128);
  d.AuxAlignmentDuration = Ip(1, 700, 65535);
  d.AuxAlignmentAngle = Ip(0, 90, 359);
  d.AuxAlignmentCurrent = Rp(0.05, 1.95, 2, 2);
  d.AuxPhaseShift = Ip(0, 300, 359);
  d.AuxSpeedRampDuration = Ip(1, 1500, 65535);
  d.AuxSpeedRampFinalValue = Ip(0, 2700, 65535);
  d.AuxCurrentRampInitialValue = Rp(0, 0.6, 0.7, 2);
  d.AuxCurrentRampFinalValue = Rp(0.6, 0.7, 2, 2);
  d.AuxCurrentRampDuration = Ip(1, 350, 1500);
  d.AuxConsinstencyThreshold = Ip(1, 60, 65535);
  d.AuxVarianceThreshold = Rp(0, 6.25, 100, 2);
  d.AuxK1 = Sp(INT32_MIN, -21162, INT32_MAX);
  d.AuxK2 = Sp(INT32_MIN, 70929, INT32_MAX);
  d.AuxPLLPDividend = Ip(0, 266, 32767);
  d.AuxPLLPDivisor = Ip(16384, 16384, 16384);
  d.AuxPLLIDividend = Ip(0, 52, 32767);
  d.AuxPLLIDivisor = Ip(262144, 262144, 262144);
  d.PulsesPerRevolution = Ip(1, 400, 65536);
  d.MinMechanicalSpeed = Ip(1, 60, 30000);
  d.MaxMechanicalSpeed = Ip(60, 30000, 200000);
  d.MinimumSpeed = Ip(0, 580, 3600);
  d.MaxErrorsNumber = Ip(1, 3, 255);
  d.FIFODepth = Ip(1, 8, 128);
  d.AlignmentDuration = Ip(1, 700, 65535);
  d.AlignmentAngle = Ip(0, 90, 359);
  d.AlignmentCurrent = Rp(0.05, 1.95, 2, 2);
  d.PhaseShift = Ip(0, 300, 359);
  d.SpeedRampDuration = Ip(1, 1500, 65535);
  d.SpeedRampFinalValue = Ip(0, 2700, 65535);
  d.CurrentRampInitialValue = Rp(0, 0.6, 0.7, 2);
  d.CurrentRampFinalValue = Rp(0.6, 0.7, 2, 2);
  d.CurrentRampDuration = Ip(1, 350, 1500);
  d.ConsinstencyThreshold = Ip(1, 60, 65535);
  d.VarianceThreshold = Rp(0, 6.25, 100, 2);
  d.K1 = Sp(INT32_MIN, -21162, INT32_MAX);
  d.K2 = Sp(INT32_MIN, 70929, INT32_MAX);
  d.PLLPDividend = Ip(0, 266, 32767);
  d.PLLPDivisor = Ip(16384, 16384, 16384);
  d.PLLIDividend = Ip(0, 52, 32767);
  d.PLLIDivisor = Ip(262144, 262144, 262144);
  d.Tnoise = Ip(0, 2550, 10000);
  d.Trise = Ip(0, 2550, 10000);
  d.MaximumAvailableModulationIndex = Ip(72, 98, 100);
  return d;
}

} // namespace testdata
