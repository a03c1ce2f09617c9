// Every setting of the record with its default, unit and main/auxiliary
// twin, in record order. Values marked "computed" are placeholders that the
// gain and modulation index calculations overwrite; limits marked "coupled"
// are re-derived from the values they follow right after the defaults are
// written.
#include "model/ParameterTable.h"

#include <bit>

namespace parvex {

namespace {

using U = UserData;
using K = ParamKind;

// The largest current measurable with the default shunt network,
// 1.65 / (0.22 * 2.57), kept as its exact stored bits.
constexpr double defaultMeasurableCurrent = std::bit_cast<double>(0x400758A758A758A7ull);

// clang-format off
constexpr Parameter kTable[] = {
    {"QuadratureEncoder", K::Flag, &U::QuadratureEncoder, std::uint32_t{0}, "", false, nullptr},
    {"HallSensors", K::Flag, &U::HallSensors, std::uint32_t{0}, "", false, nullptr},
    {"NoSpeedSensors", K::Flag, &U::NoSpeedSensors, std::uint32_t{1}, "", false, nullptr},
    {"FluxWeakening", K::Flag, &U::FluxWeakening, std::uint32_t{1}, "", false, nullptr},
    {"FeedForwardCurrentRegulation", K::Flag, &U::FeedForwardCurrentRegulation, std::uint32_t{0}, "", false, nullptr},
    {"InternalPMSMMaximunTxAStrategy", K::Flag, &U::InternalPMSMMaximunTxAStrategy, std::uint32_t{0}, "", false, nullptr},
    {"IsolatedCurrentSensors", K::Flag, &U::IsolatedCurrentSensors, std::uint32_t{0}, "", false, nullptr},
    {"ThreeShuntResistors", K::Flag, &U::ThreeShuntResistors, std::uint32_t{1}, "", false, nullptr},
    {"SingleShuntResistor", K::Flag, &U::SingleShuntResistor, std::uint32_t{0}, "", false, nullptr},
    {"EnableDCBusBrakeResistorManagement", K::Flag, &U::EnableDCBusBrakeResistorManagement, std::uint32_t{0}, "", false, nullptr},
    {"CheckToEnableDifferentialTerm", K::Flag, &U::CheckToEnableDifferentialTerm, std::uint32_t{0}, "", false, nullptr},
    {"ShuntResistorValue", K::Real, &U::ShuntResistorValue, RealParam{0.001, 0.22, 10, 3}, "Ohm", false, nullptr},
    {"AmplificationGain", K::Real, &U::AmplificationGain, RealParam{1, 2.57, 100, 2}, "", false, nullptr},
    {"ICSGain", K::Real, &U::ICSGain, RealParam{0.001, 1, 10, 3}, "V/A", false, nullptr},
    {"OverTemperatureThreshold", K::Int, &U::OverTemperatureThreshold, IntParam{30, 60, 85, 0}, "degC", false, nullptr},
    {"TemperatureHysteresis", K::Int, &U::TemperatureHysteresis, IntParam{3, 5, 15, 0}, "degC", false, nullptr},
    {"OverVoltageThreshold", K::Int, &U::OverVoltageThreshold, IntParam{18, 32, 371, 0}, "V", false, nullptr},
    {"UnderVoltageThreshold", K::Int, &U::UnderVoltageThreshold, IntParam{15, 18, 32, 0}, "V", false, nullptr},
    {"R", K::Real, &U::R, RealParam{0.01, 0.35, 150, 2}, "Ohm", false, nullptr},
    {"Ld", K::Real, &U::Ld, RealParam{0.01, 0.6, 500, 2}, "mH", false, nullptr},
    {"Lq", K::Real, &U::Lq, RealParam{0.01, 0.6, 500, 2}, "mH", false, nullptr},
    {"RatedCurrent", K::Real, &U::RatedCurrent, RealParam{0.05, 2, defaultMeasurableCurrent, 2}, "A", false, nullptr},
    {"Ke", K::Real, &U::Ke, RealParam{0.1, 4, 500, 1}, "Vrms/krpm", false, nullptr},
    {"PolePairs", K::Int, &U::PolePairs, IntParam{1, 2, 100, 0}, "", false, nullptr},
    {"MotorMaxSpeed", K::Int, &U::MotorMaxSpeed, IntParam{1, 3600, 190000, 0}, "rpm", false, nullptr},
    {"DCBusVoltagePartitioning", K::Real, &U::DCBusVoltagePartitioning, RealParam{0.0001, 0.008, 1, 4}, "", false, nullptr},
    {"DCBusVoltage", K::Real, &U::DCBusVoltage, RealParam{3, 22, 350, 1}, "V", false, nullptr},
    {"PWMFrequency", K::Int, &U::PWMFrequency, IntParam{4000, 14400, 32000, 0}, "Hz", false, nullptr},
    {"DeadTime", K::Int, &U::DeadTime, IntParam{500, 800, 3500, 0}, "ns", false, nullptr},
    {"SpeedRegulationControlRate", K::Rate, &U::SpeedRegulationControlRate, 2.0, "ms", false, nullptr},
    {"TorqueAndFluxControlRate", K::Word, &U::TorqueAndFluxControlRate, std::uint32_t{1}, "PWM periods", false, nullptr},
    {"CutOffFrequency", K::Int, &U::CutOffFrequency, IntParam{100, 6000, 15000, 0}, "rad/s", false, nullptr},
    {"TorquePDividend", K::Int, &U::TorquePDividend, IntParam{0, 1, 32767, 0}, "", true, nullptr},
    {"TorquePDivisor", K::Int, &U::TorquePDivisor, IntParam{1, 1, 32768, 0}, "", true, nullptr},
    {"TorqueIDividend", K::Int, &U::TorqueIDividend, IntParam{0, 1, 32767, 0}, "", true, nullptr},
    {"TorqueIDivisor", K::Int, &U::TorqueIDivisor, IntParam{1, 1, 32768, 0}, "", true, nullptr},
    {"TorqueDDividend", K::Int, &U::TorqueDDividend, IntParam{0, 100, 32767, 0}, "", true, nullptr},
    {"TorqueDDivisor", K::Int, &U::TorqueDDivisor, IntParam{1, 8192, 32768, 0}, "", false, nullptr},
    {"TorqueInitRef", K::Real, &U::TorqueInitRef, RealParam{0, 0.4, 2, 2}, "A", false, nullptr}, // Max coupled
    {"FluxPDividend", K::Int, &U::FluxPDividend, IntParam{0, 1, 32767, 0}, "", true, nullptr},
    {"FluxPDivisor", K::Int, &U::FluxPDivisor, IntParam{1, 1, 32768, 0}, "", true, nullptr},
    {"FluxIDividend", K::Int, &U::FluxIDividend, IntParam{0, 1, 32767, 0}, "", true, nullptr},
    {"FluxIDivisor", K::Int, &U::FluxIDivisor, IntParam{1, 1, 32768, 0}, "", true, nullptr},
    {"FluxDDividend", K::Int, &U::FluxDDividend, IntParam{0, 100, 32767, 0}, "", true, nullptr},
    {"FluxDDivisor", K::Int, &U::FluxDDivisor, IntParam{1, 8192, 32768, 0}, "", false, nullptr},
    {"FluxInitRef", K::Real, &U::FluxInitRef, RealParam{0, 0, 2, 2}, "A", false, nullptr}, // Max coupled
    {"SpeedPDividend", K::Int, &U::SpeedPDividend, IntParam{0, 1000, 32767, 0}, "", false, nullptr},
    {"SpeedPDivisor", K::Int, &U::SpeedPDivisor, IntParam{1, 16, 32768, 0}, "", false, nullptr},
    {"SpeedIDividend", K::Int, &U::SpeedIDividend, IntParam{0, 700, 32767, 0}, "", false, nullptr},
    {"SpeedIDivisor", K::Int, &U::SpeedIDivisor, IntParam{1, 256, 32768, 0}, "", false, nullptr},
    {"SpeedDDividend", K::Int, &U::SpeedDDividend, IntParam{0, 0, 32767, 0}, "", false, nullptr},
    {"SpeedDDivisor", K::Int, &U::SpeedDDivisor, IntParam{1, 16, 32768, 0}, "", false, nullptr},
    {"SpeedInitRef", K::Int, &U::SpeedInitRef, IntParam{1, 1500, 3600, 0}, "rpm", false, nullptr}, // Max coupled
    {"FluxWeakeningControllerPDividend", K::Int, &U::FluxWeakeningControllerPDividend, IntParam{1, 3000, 32767, 0}, "", false, nullptr},
    {"FluxWeakeningControllerPDivisor", K::Int, &U::FluxWeakeningControllerPDivisor, IntParam{1, 32768, 32768, 0}, "", false, nullptr},
    {"FluxWeakeningControllerIDividend", K::Int, &U::FluxWeakeningControllerIDividend, IntParam{1, 5000, 32767, 0}, "", false, nullptr},
    {"FluxWeakeningControllerIDivisor", K::Int, &U::FluxWeakeningControllerIDivisor, IntParam{1, 32768, 32768, 0}, "", false, nullptr},
    {"FluxWeakeningControllerVoltageLimit", K::Real, &U::FluxWeakeningControllerVoltageLimit, RealParam{60, 98.5, 100, 1}, "%", false, nullptr},
    {"TorqueAndFluxGainsComputation", K::Flag, &U::TorqueAndFluxGainsComputation, std::uint32_t{1}, "", false, nullptr},
    {"ViewEncoderFeedback", K::Flag, &U::ViewEncoderFeedback, std::uint32_t{1}, "", false, nullptr},
    {"ViewHallSensorsFeedback", K::Flag, &U::ViewHallSensorsFeedback, std::uint32_t{0}, "", false, nullptr},
    {"None", K::Flag, &U::None, std::uint32_t{0}, "", false, nullptr},
    {"EnableObserverGainTuning", K::Flag, &U::EnableObserverGainTuning, std::uint32_t{1}, "", false, nullptr},
    {"EnableDACFunctionality", K::Flag, &U::EnableDACFunctionality, std::uint32_t{1}, "", false, nullptr},
    {"EnableModality", K::Flag, &U::EnableModality, std::uint32_t{0}, "", false, nullptr},
    {"SquareWavePeriod", K::Int, &U::SquareWavePeriod, IntParam{1, 2000, 65535, 0}, "ms", false, nullptr},
    {"AuxPulsesPerRevolution", K::Int, &U::AuxPulsesPerRevolution, IntParam{1, 400, 65536, 0}, "pulses/rev", false, "PulsesPerRevolution"},
    {"AuxMinMechanicalSpeed", K::Int, &U::AuxMinMechanicalSpeed, IntParam{1, 60, 30000, 0}, "rpm", false, "MinMechanicalSpeed"}, // Max coupled
    {"AuxMaxMechanicalSpeed", K::Int, &U::AuxMaxMechanicalSpeed, IntParam{60, 30000, 200000, 0}, "rpm", false, "MaxMechanicalSpeed"}, // Min coupled
    {"AuxMinimumSpeed", K::Int, &U::AuxMinimumSpeed, IntParam{0, 580, 3600, 0}, "rpm", false, "MinimumSpeed"}, // Max coupled
    {"AuxMaxErrorsNumber", K::Int, &U::AuxMaxErrorsNumber, IntParam{1, 3, 255, 0}, "", false, "MaxErrorsNumber"},
    {"AuxFIFODepth", K::Int, &U::AuxFIFODepth, IntParam{1, 8, 128, 0}, "", false, "FIFODepth"},
    {"AuxAlignmentDuration", K::Int, &U::AuxAlignmentDuration, IntParam{1, 700, 65535, 0}, "ms", false, "AlignmentDuration"},
    {"AuxAlignmentAngle", K::Int, &U::AuxAlignmentAngle, IntParam{0, 90, 359, 0}, "deg", false, "AlignmentAngle"},
    {"AuxAlignmentCurrent", K::Real, &U::AuxAlignmentCurrent, RealParam{0.05, 1.95, 2, 2}, "A", false, "AlignmentCurrent"}, // Max coupled
    {"AuxHall120Degrees", K::Flag, &U::AuxHall120Degrees, std::uint32_t{1}, "", false, "Hall120Degrees"},
    {"AuxHall60Degrees", K::Flag, &U::AuxHall60Degrees, std::uint32_t{0}, "", false, "Hall60Degrees"},
    {"AuxPhaseShift", K::Int, &U::AuxPhaseShift, IntParam{0, 300, 359, 0}, "deg", false, "PhaseShift"},
    {"AuxSpeedRampDuration", K::Int, &U::AuxSpeedRampDuration, IntParam{1, 1500, 65535, 0}, "ms", false, "SpeedRampDuration"},
    {"AuxSpeedRampFinalValue", K::Int, &U::AuxSpeedRampFinalValue, IntParam{0, 2700, 65535, 0}, "rpm", false, "SpeedRampFinalValue"},
    {"AuxCurrentRampInitialValue", K::Real, &U::AuxCurrentRampInitialValue, RealParam{0, 0.6, 0.7, 2}, "A", false, "CurrentRampInitialValue"}, // Max coupled
    {"AuxCurrentRampFinalValue", K::Real, &U::AuxCurrentRampFinalValue, RealParam{0.6, 0.7, 2, 2}, "A", false, "CurrentRampFinalValue"}, // Min, Max coupled
    {"AuxCurrentRampDuration", K::Int, &U::AuxCurrentRampDuration, IntParam{1, 350, 1500, 0}, "ms", false, "CurrentRampDuration"}, // Max coupled
    {"AuxConsinstencyThreshold", K::Int, &U::AuxConsinstencyThreshold, IntParam{1, 60, 65535, 0}, "", false, "ConsinstencyThreshold"},
    {"AuxVarianceThreshold", K::Real, &U::AuxVarianceThreshold, RealParam{0, 6.25, 100, 2}, "%", false, "VarianceThreshold"},
    {"AuxIncludeAlignmentBeforeStartUp", K::Flag, &U::AuxIncludeAlignmentBeforeStartUp, std::uint32_t{0}, "", false, "IncludeAlignmentBeforeStartUp"},
    {"AuxGainsComputation", K::Flag, &U::AuxGainsComputation, std::uint32_t{1}, "", false, "GainsComputation"},
    {"AuxK1", K::SignedInt, &U::AuxK1, SignedIntParam{INT32_MIN, 1, INT32_MAX, 0}, "", true, "K1"},
    {"AuxK2", K::SignedInt, &U::AuxK2, SignedIntParam{INT32_MIN, 1, INT32_MAX, 0}, "", true, "K2"},
    {"AuxPLLPDividend", K::Int, &U::AuxPLLPDividend, IntParam{0, 0, 32767, 0}, "", true, "PLLPDividend"},
    {"AuxPLLPDivisor", K::Int, &U::AuxPLLPDivisor, IntParam{16384, 16384, 16384, 0}, "", false, "PLLPDivisor"},
    {"AuxPLLIDividend", K::Int, &U::AuxPLLIDividend, IntParam{0, 0, 32767, 0}, "", true, "PLLIDividend"},
    {"AuxPLLIDivisor", K::Int, &U::AuxPLLIDivisor, IntParam{262144, 262144, 262144, 0}, "", false, "PLLIDivisor"},
    {"PulsesPerRevolution", K::Int, &U::PulsesPerRevolution, IntParam{1, 400, 65536, 0}, "pulses/rev", false, "AuxPulsesPerRevolution"},
    {"MinMechanicalSpeed", K::Int, &U::MinMechanicalSpeed, IntParam{1, 60, 30000, 0}, "rpm", false, "AuxMinMechanicalSpeed"}, // Max coupled
    {"MaxMechanicalSpeed", K::Int, &U::MaxMechanicalSpeed, IntParam{60, 30000, 200000, 0}, "rpm", false, "AuxMaxMechanicalSpeed"}, // Min coupled
    {"MinimumSpeed", K::Int, &U::MinimumSpeed, IntParam{0, 580, 3600, 0}, "rpm", false, "AuxMinimumSpeed"}, // Max coupled
    {"MaxErrorsNumber", K::Int, &U::MaxErrorsNumber, IntParam{1, 3, 255, 0}, "", false, "AuxMaxErrorsNumber"},
    {"FIFODepth", K::Int, &U::FIFODepth, IntParam{1, 8, 128, 0}, "", false, "AuxFIFODepth"},
    {"AlignmentDuration", K::Int, &U::AlignmentDuration, IntParam{1, 700, 65535, 0}, "ms", false, "AuxAlignmentDuration"},
    {"AlignmentAngle", K::Int, &U::AlignmentAngle, IntParam{0, 90, 359, 0}, "deg", false, "AuxAlignmentAngle"},
    {"AlignmentCurrent", K::Real, &U::AlignmentCurrent, RealParam{0.05, 1.95, 2, 2}, "A", false, "AuxAlignmentCurrent"}, // Max coupled
    {"Hall120Degrees", K::Flag, &U::Hall120Degrees, std::uint32_t{1}, "", false, "AuxHall120Degrees"},
    {"Hall60Degrees", K::Flag, &U::Hall60Degrees, std::uint32_t{0}, "", false, "AuxHall60Degrees"},
    {"PhaseShift", K::Int, &U::PhaseShift, IntParam{0, 300, 359, 0}, "deg", false, "AuxPhaseShift"},
    {"SpeedRampDuration", K::Int, &U::SpeedRampDuration, IntParam{1, 1500, 65535, 0}, "ms", false, "AuxSpeedRampDuration"},
    {"SpeedRampFinalValue", K::Int, &U::SpeedRampFinalValue, IntParam{0, 2700, 65535, 0}, "rpm", false, "AuxSpeedRampFinalValue"},
    {"CurrentRampInitialValue", K::Real, &U::CurrentRampInitialValue, RealParam{0, 0.6, 0.7, 2}, "A", false, "AuxCurrentRampInitialValue"}, // Max coupled
    {"CurrentRampFinalValue", K::Real, &U::CurrentRampFinalValue, RealParam{0.6, 0.7, 2, 2}, "A", false, "AuxCurrentRampFinalValue"}, // Min, Max coupled
    {"CurrentRampDuration", K::Int, &U::CurrentRampDuration, IntParam{1, 350, 1500, 0}, "ms", false, "AuxCurrentRampDuration"}, // Max coupled
    {"ConsinstencyThreshold", K::Int, &U::ConsinstencyThreshold, IntParam{1, 60, 65535, 0}, "", false, "AuxConsinstencyThreshold"},
    {"VarianceThreshold", K::Real, &U::VarianceThreshold, RealParam{0, 6.25, 100, 2}, "%", false, "AuxVarianceThreshold"},
    {"IncludeAlignmentBeforeStartUp", K::Flag, &U::IncludeAlignmentBeforeStartUp, std::uint32_t{0}, "", false, "AuxIncludeAlignmentBeforeStartUp"},
    {"GainsComputation", K::Flag, &U::GainsComputation, std::uint32_t{1}, "", false, "AuxGainsComputation"},
    {"K1", K::SignedInt, &U::K1, SignedIntParam{INT32_MIN, 1, INT32_MAX, 0}, "", true, "AuxK1"},
    {"K2", K::SignedInt, &U::K2, SignedIntParam{INT32_MIN, 1, INT32_MAX, 0}, "", true, "AuxK2"},
    {"PLLPDividend", K::Int, &U::PLLPDividend, IntParam{0, 0, 32767, 0}, "", true, "AuxPLLPDividend"},
    {"PLLPDivisor", K::Int, &U::PLLPDivisor, IntParam{16384, 16384, 16384, 0}, "", false, "AuxPLLPDivisor"},
    {"PLLIDividend", K::Int, &U::PLLIDividend, IntParam{0, 0, 32767, 0}, "", true, "AuxPLLIDividend"},
    {"PLLIDivisor", K::Int, &U::PLLIDivisor, IntParam{262144, 262144, 262144, 0}, "", false, "AuxPLLIDivisor"},
    {"Tnoise", K::Int, &U::Tnoise, IntParam{0, 2550, 10000, 0}, "ns", false, nullptr},
    {"Trise", K::Int, &U::Trise, IntParam{0, 2550, 10000, 0}, "ns", false, nullptr},
    {"ADConverterSamplingTime", K::Word, &U::ADConverterSamplingTime, std::uint32_t{200}, "ns", false, nullptr},
    {"MaximumAvailableModulationIndex", K::Int, &U::MaximumAvailableModulationIndex, IntParam{72, 72, 100, 0}, "%", true, nullptr},
};
// clang-format on

} // namespace

std::span<const Parameter> ParameterTable() {
  return kTable;
}

} // namespace parvex
