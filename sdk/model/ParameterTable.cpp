// Every setting of the record with its default, unit, main/auxiliary twin
// and how a page enters it, in record order. Values marked "computed" are
// placeholders that the gain and modulation index calculations overwrite;
// limits marked "coupled" are re-derived from the values they follow right
// after the defaults are written. A row without an edit is entered on no
// page: the calculations set it (the torque and flux divisors, the PLL
// divisors, the modulation index), and scripted edits refuse it.
#include "model/ParameterTable.h"

#include "model/EnableRules.h"

#include <array>
#include <bit>
#include <span>

namespace parvex {

namespace {

using U = UserData;
using K = ParamKind;

// The largest current measurable with the default shunt network,
// 1.65 / (0.22 * 2.57), kept as its exact stored bits.
constexpr double defaultMeasurableCurrent = std::bit_cast<double>(0x400758A758A758A7ull);

// The speed loop's period in ms; the headers name it.
constexpr Choice kSpeedRates[] = {
    {0.5, "0.5", "PID_SPEED_SAMPLING_500us"},   {1, "1.0", "PID_SPEED_SAMPLING_1ms"},
    {2, "2.0", "PID_SPEED_SAMPLING_2ms"},       {5, "5.0", "PID_SPEED_SAMPLING_5ms"},
    {10, "10.0", "PID_SPEED_SAMPLING_10ms"},    {20, "20.0", "PID_SPEED_SAMPLING_20ms"},
    {127, "127.0", "PID_SPEED_SAMPLING_127ms"},
};
// PWM periods per current-loop period; the headers compute from the value.
constexpr Choice kCurrentRates[] = {{1, "1", nullptr}, {2, "2", nullptr}, {3, "3", nullptr}};
// Stored as the firmware counts them (ns); the page shows them at the
// converter clock.
constexpr Choice kSamplingTimes[] = {
    {200, "125", "#define SAMPLING_TIME_NS   200  //200ns"},
    {700, "625", "#define SAMPLING_TIME_NS   700  //700ns"},
    {1200, "1125", "#define SAMPLING_TIME_NS  1200  //1.2us"},
    {2450, "2375", "#define SAMPLING_TIME_NS  2450  //2.45us"},
};

using Group = std::array<const char *, 3>;
constexpr Group kSensors = {"QuadratureEncoder", "HallSensors", "NoSpeedSensors"};
constexpr Group kSensing = {"IsolatedCurrentSensors", "ThreeShuntResistors", "SingleShuntResistor"};
constexpr Group kViewed = {"ViewEncoderFeedback", "ViewHallSensorsFeedback", "None"};
constexpr Group kHall = {"Hall120Degrees", "Hall60Degrees", nullptr};
constexpr Group kAuxHall = {"AuxHall120Degrees", "AuxHall60Degrees", nullptr};

// How a page enters a row; `check`: the consistency check follows the edit;
// `enable`: when the page disables the control (none: never while shown).
constexpr ParamEdit Field(bool check, const EnableRule *enable = nullptr) {
  return {EditControl::Field, check, {}, {}, enable};
}
constexpr ParamEdit Box(bool check, const EnableRule *enable = nullptr) {
  return {EditControl::CheckBox, check, {}, {}, enable};
}
constexpr ParamEdit Option(bool check, const Group &group, const EnableRule *enable = nullptr) {
  return {EditControl::Option, check, group, {}, enable};
}
constexpr ParamEdit List(bool check, std::span<const Choice> choices) {
  return {EditControl::List, check, {}, choices};
}

// clang-format off
constexpr Parameter kTable[] = {
    {"QuadratureEncoder", K::Flag, &U::QuadratureEncoder, std::uint32_t{0}, "", false, nullptr, Option(true, kSensors)},
    {"HallSensors", K::Flag, &U::HallSensors, std::uint32_t{0}, "", false, nullptr, Option(true, kSensors)},
    {"NoSpeedSensors", K::Flag, &U::NoSpeedSensors, std::uint32_t{1}, "", false, nullptr, Option(true, kSensors)},
    {"FluxWeakening", K::Flag, &U::FluxWeakening, std::uint32_t{1}, "", false, nullptr, Box(false)},
    {"FeedForwardCurrentRegulation", K::Flag, &U::FeedForwardCurrentRegulation, std::uint32_t{0}, "", false, nullptr, Box(false)},
    {"InternalPMSMMaximunTxAStrategy", K::Flag, &U::InternalPMSMMaximunTxAStrategy, std::uint32_t{0}, "", false, nullptr, Box(true)},
    {"IsolatedCurrentSensors", K::Flag, &U::IsolatedCurrentSensors, std::uint32_t{0}, "", false, nullptr, Option(true, kSensing)},
    {"ThreeShuntResistors", K::Flag, &U::ThreeShuntResistors, std::uint32_t{1}, "", false, nullptr, Option(true, kSensing)},
    {"SingleShuntResistor", K::Flag, &U::SingleShuntResistor, std::uint32_t{0}, "", false, nullptr, Option(true, kSensing)},
    {"EnableDCBusBrakeResistorManagement", K::Flag, &U::EnableDCBusBrakeResistorManagement, std::uint32_t{0}, "", false, nullptr, Box(false)},
    {"CheckToEnableDifferentialTerm", K::Flag, &U::CheckToEnableDifferentialTerm, std::uint32_t{0}, "", false, nullptr, Box(true)},
    {"ShuntResistorValue", K::Real, &U::ShuntResistorValue, RealParam{0.001, 0.22, 10, 3}, "Ohm", false, nullptr, Field(true, &enable::kShuntSensing)},
    {"AmplificationGain", K::Real, &U::AmplificationGain, RealParam{1, 2.57, 100, 2}, "", false, nullptr, Field(true, &enable::kShuntSensing)},
    {"ICSGain", K::Real, &U::ICSGain, RealParam{0.001, 1, 10, 3}, "V/A", false, nullptr, Field(true, &enable::kIsolatedSensing)},
    {"OverTemperatureThreshold", K::Int, &U::OverTemperatureThreshold, IntParam{30, 60, 85, 0}, "degC", false, nullptr, Field(false)},
    {"TemperatureHysteresis", K::Int, &U::TemperatureHysteresis, IntParam{3, 5, 15, 0}, "degC", false, nullptr, Field(false)},
    {"OverVoltageThreshold", K::Int, &U::OverVoltageThreshold, IntParam{18, 32, 371, 0}, "V", false, nullptr, Field(true)},
    {"UnderVoltageThreshold", K::Int, &U::UnderVoltageThreshold, IntParam{15, 18, 32, 0}, "V", false, nullptr, Field(true)},
    {"R", K::Real, &U::R, RealParam{0.01, 0.35, 150, 2}, "Ohm", false, nullptr, Field(true)},
    {"Ld", K::Real, &U::Ld, RealParam{0.01, 0.6, 500, 2}, "mH", false, nullptr, Field(true, &enable::kOwnLd)},
    {"Lq", K::Real, &U::Lq, RealParam{0.01, 0.6, 500, 2}, "mH", false, nullptr, Field(true)},
    {"RatedCurrent", K::Real, &U::RatedCurrent, RealParam{0.05, 2, defaultMeasurableCurrent, 2}, "A", false, nullptr, Field(true)},
    {"Ke", K::Real, &U::Ke, RealParam{0.1, 4, 500, 1}, "Vrms/krpm", false, nullptr, Field(false)},
    {"PolePairs", K::Int, &U::PolePairs, IntParam{1, 2, 100, 0}, "", false, nullptr, Field(true)},
    {"MotorMaxSpeed", K::Int, &U::MotorMaxSpeed, IntParam{1, 3600, 190000, 0}, "rpm", false, nullptr, Field(true)},
    {"DCBusVoltagePartitioning", K::Real, &U::DCBusVoltagePartitioning, RealParam{0.0001, 0.008, 1, 4}, "", false, nullptr, Field(true)},
    {"DCBusVoltage", K::Real, &U::DCBusVoltage, RealParam{3, 22, 350, 1}, "V", false, nullptr, Field(true)},
    {"PWMFrequency", K::Int, &U::PWMFrequency, IntParam{4000, 14400, 32000, 0}, "Hz", false, nullptr, Field(true)},
    {"DeadTime", K::Int, &U::DeadTime, IntParam{500, 800, 3500, 0}, "ns", false, nullptr, Field(true)},
    {"SpeedRegulationControlRate", K::Rate, &U::SpeedRegulationControlRate, 2.0, "ms", false, nullptr, List(false, kSpeedRates)},
    {"TorqueAndFluxControlRate", K::Word, &U::TorqueAndFluxControlRate, std::uint32_t{1}, "PWM periods", false, nullptr, List(true, kCurrentRates)},
    {"CutOffFrequency", K::Int, &U::CutOffFrequency, IntParam{100, 6000, 15000, 0}, "rad/s", false, nullptr, Field(true)},
    {"TorquePDividend", K::Int, &U::TorquePDividend, IntParam{0, 1, 32767, 0}, "", true, nullptr, Field(false, &enable::kManualGains)},
    {"TorquePDivisor", K::Int, &U::TorquePDivisor, IntParam{1, 1, 32768, 0}, "", true, nullptr},
    {"TorqueIDividend", K::Int, &U::TorqueIDividend, IntParam{0, 1, 32767, 0}, "", true, nullptr, Field(false, &enable::kManualGains)},
    {"TorqueIDivisor", K::Int, &U::TorqueIDivisor, IntParam{1, 1, 32768, 0}, "", true, nullptr},
    {"TorqueDDividend", K::Int, &U::TorqueDDividend, IntParam{0, 100, 32767, 0}, "", true, nullptr, Field(false, &enable::kManualDGains)},
    {"TorqueDDivisor", K::Int, &U::TorqueDDivisor, IntParam{1, 8192, 32768, 0}, "", false, nullptr},
    {"TorqueInitRef", K::Real, &U::TorqueInitRef, RealParam{0, 0.4, 2, 2}, "A", false, nullptr, Field(false)}, // Max coupled
    {"FluxPDividend", K::Int, &U::FluxPDividend, IntParam{0, 1, 32767, 0}, "", true, nullptr, Field(false, &enable::kManualGains)},
    {"FluxPDivisor", K::Int, &U::FluxPDivisor, IntParam{1, 1, 32768, 0}, "", true, nullptr},
    {"FluxIDividend", K::Int, &U::FluxIDividend, IntParam{0, 1, 32767, 0}, "", true, nullptr, Field(false, &enable::kManualGains)},
    {"FluxIDivisor", K::Int, &U::FluxIDivisor, IntParam{1, 1, 32768, 0}, "", true, nullptr},
    {"FluxDDividend", K::Int, &U::FluxDDividend, IntParam{0, 100, 32767, 0}, "", true, nullptr, Field(false, &enable::kManualDGains)},
    {"FluxDDivisor", K::Int, &U::FluxDDivisor, IntParam{1, 8192, 32768, 0}, "", false, nullptr},
    {"FluxInitRef", K::Real, &U::FluxInitRef, RealParam{0, 0, 2, 2}, "A", false, nullptr, Field(false)}, // Max coupled
    {"SpeedPDividend", K::Int, &U::SpeedPDividend, IntParam{0, 1000, 32767, 0}, "", false, nullptr, Field(false)},
    {"SpeedPDivisor", K::Int, &U::SpeedPDivisor, IntParam{1, 16, 32768, 0}, "", false, nullptr, Field(true)},
    {"SpeedIDividend", K::Int, &U::SpeedIDividend, IntParam{0, 700, 32767, 0}, "", false, nullptr, Field(false)},
    {"SpeedIDivisor", K::Int, &U::SpeedIDivisor, IntParam{1, 256, 32768, 0}, "", false, nullptr, Field(true)},
    {"SpeedDDividend", K::Int, &U::SpeedDDividend, IntParam{0, 0, 32767, 0}, "", false, nullptr, Field(false, &enable::kDifferentialTerm)},
    {"SpeedDDivisor", K::Int, &U::SpeedDDivisor, IntParam{1, 16, 32768, 0}, "", false, nullptr, Field(true, &enable::kDifferentialTerm)},
    {"SpeedInitRef", K::Int, &U::SpeedInitRef, IntParam{1, 1500, 3600, 0}, "rpm", false, nullptr, Field(false)}, // Max coupled
    {"FluxWeakeningControllerPDividend", K::Int, &U::FluxWeakeningControllerPDividend, IntParam{1, 3000, 32767, 0}, "", false, nullptr, Field(false, &enable::kFluxWeakening)},
    {"FluxWeakeningControllerPDivisor", K::Int, &U::FluxWeakeningControllerPDivisor, IntParam{1, 32768, 32768, 0}, "", false, nullptr, Field(true, &enable::kFluxWeakening)},
    {"FluxWeakeningControllerIDividend", K::Int, &U::FluxWeakeningControllerIDividend, IntParam{1, 5000, 32767, 0}, "", false, nullptr, Field(false, &enable::kFluxWeakening)},
    {"FluxWeakeningControllerIDivisor", K::Int, &U::FluxWeakeningControllerIDivisor, IntParam{1, 32768, 32768, 0}, "", false, nullptr, Field(true, &enable::kFluxWeakening)},
    {"FluxWeakeningControllerVoltageLimit", K::Real, &U::FluxWeakeningControllerVoltageLimit, RealParam{60, 98.5, 100, 1}, "%", false, nullptr, Field(false, &enable::kFluxWeakening)},
    {"TorqueAndFluxGainsComputation", K::Flag, &U::TorqueAndFluxGainsComputation, std::uint32_t{1}, "", false, nullptr, Box(true)},
    {"ViewEncoderFeedback", K::Flag, &U::ViewEncoderFeedback, std::uint32_t{1}, "", false, nullptr, Option(true, kViewed, &enable::kViewedBeside)},
    {"ViewHallSensorsFeedback", K::Flag, &U::ViewHallSensorsFeedback, std::uint32_t{0}, "", false, nullptr, Option(true, kViewed, &enable::kViewedBeside)},
    {"None", K::Flag, &U::None, std::uint32_t{0}, "", false, nullptr, Option(true, kViewed)},
    {"EnableObserverGainTuning", K::Flag, &U::EnableObserverGainTuning, std::uint32_t{1}, "", false, nullptr, Box(true)},
    {"EnableDACFunctionality", K::Flag, &U::EnableDACFunctionality, std::uint32_t{1}, "", false, nullptr, Box(false)},
    {"EnableModality", K::Flag, &U::EnableModality, std::uint32_t{0}, "", false, nullptr, Box(false, &enable::kWithSensors)},
    {"SquareWavePeriod", K::Int, &U::SquareWavePeriod, IntParam{1, 2000, 65535, 0}, "ms", false, nullptr, Field(false, &enable::kWithSensors)},
    {"AuxPulsesPerRevolution", K::Int, &U::AuxPulsesPerRevolution, IntParam{1, 400, 65536, 0}, "pulses/rev", false, "PulsesPerRevolution", Field(false)},
    {"AuxMinMechanicalSpeed", K::Int, &U::AuxMinMechanicalSpeed, IntParam{1, 60, 30000, 0}, "rpm", false, "MinMechanicalSpeed", Field(true)}, // Max coupled
    {"AuxMaxMechanicalSpeed", K::Int, &U::AuxMaxMechanicalSpeed, IntParam{60, 30000, 200000, 0}, "rpm", false, "MaxMechanicalSpeed", Field(true)}, // Min coupled
    {"AuxMinimumSpeed", K::Int, &U::AuxMinimumSpeed, IntParam{0, 580, 3600, 0}, "rpm", false, "MinimumSpeed", Field(false, &enable::kAuxStartUp)}, // Max coupled
    {"AuxMaxErrorsNumber", K::Int, &U::AuxMaxErrorsNumber, IntParam{1, 3, 255, 0}, "", false, "MaxErrorsNumber", Field(false, &enable::kAuxStartUp)},
    {"AuxFIFODepth", K::Int, &U::AuxFIFODepth, IntParam{1, 8, 128, 0}, "", false, "FIFODepth", Field(false)},
    {"AuxAlignmentDuration", K::Int, &U::AuxAlignmentDuration, IntParam{1, 700, 65535, 0}, "ms", false, "AlignmentDuration", Field(false)},
    {"AuxAlignmentAngle", K::Int, &U::AuxAlignmentAngle, IntParam{0, 90, 359, 0}, "deg", false, "AlignmentAngle", Field(false)},
    {"AuxAlignmentCurrent", K::Real, &U::AuxAlignmentCurrent, RealParam{0.05, 1.95, 2, 2}, "A", false, "AlignmentCurrent", Field(false)}, // Max coupled
    {"AuxHall120Degrees", K::Flag, &U::AuxHall120Degrees, std::uint32_t{1}, "", false, "Hall120Degrees", Option(false, kAuxHall)},
    {"AuxHall60Degrees", K::Flag, &U::AuxHall60Degrees, std::uint32_t{0}, "", false, "Hall60Degrees", Option(false, kAuxHall)},
    {"AuxPhaseShift", K::Int, &U::AuxPhaseShift, IntParam{0, 300, 359, 0}, "deg", false, "PhaseShift", Field(false)},
    {"AuxSpeedRampDuration", K::Int, &U::AuxSpeedRampDuration, IntParam{1, 1500, 65535, 0}, "ms", false, "SpeedRampDuration", Field(true, &enable::kAuxStartUp)},
    {"AuxSpeedRampFinalValue", K::Int, &U::AuxSpeedRampFinalValue, IntParam{0, 2700, 65535, 0}, "rpm", false, "SpeedRampFinalValue", Field(false, &enable::kAuxStartUp)},
    {"AuxCurrentRampInitialValue", K::Real, &U::AuxCurrentRampInitialValue, RealParam{0, 0.6, 0.7, 2}, "A", false, "CurrentRampInitialValue", Field(true, &enable::kAuxStartUp)}, // Max coupled
    {"AuxCurrentRampFinalValue", K::Real, &U::AuxCurrentRampFinalValue, RealParam{0.6, 0.7, 2, 2}, "A", false, "CurrentRampFinalValue", Field(true, &enable::kAuxStartUp)}, // Min, Max coupled
    {"AuxCurrentRampDuration", K::Int, &U::AuxCurrentRampDuration, IntParam{1, 350, 1500, 0}, "ms", false, "CurrentRampDuration", Field(false, &enable::kAuxStartUp)}, // Max coupled
    {"AuxConsinstencyThreshold", K::Int, &U::AuxConsinstencyThreshold, IntParam{1, 60, 65535, 0}, "", false, "ConsinstencyThreshold", Field(false, &enable::kAuxStartUp)},
    {"AuxVarianceThreshold", K::Real, &U::AuxVarianceThreshold, RealParam{0, 6.25, 100, 2}, "%", false, "VarianceThreshold", Field(false, &enable::kAuxStartUp)},
    {"AuxIncludeAlignmentBeforeStartUp", K::Flag, &U::AuxIncludeAlignmentBeforeStartUp, std::uint32_t{0}, "", false, "IncludeAlignmentBeforeStartUp", Box(false, &enable::kAuxStartUp)},
    {"AuxGainsComputation", K::Flag, &U::AuxGainsComputation, std::uint32_t{1}, "", false, "GainsComputation", Box(true)},
    {"AuxK1", K::SignedInt, &U::AuxK1, SignedIntParam{INT32_MIN, 1, INT32_MAX, 0}, "", true, "K1", Field(false, &enable::kAuxObserverGains)},
    {"AuxK2", K::SignedInt, &U::AuxK2, SignedIntParam{INT32_MIN, 1, INT32_MAX, 0}, "", true, "K2", Field(false, &enable::kAuxObserverGains)},
    {"AuxPLLPDividend", K::Int, &U::AuxPLLPDividend, IntParam{0, 0, 32767, 0}, "", true, "PLLPDividend", Field(false, &enable::kAuxObserverGains)},
    {"AuxPLLPDivisor", K::Int, &U::AuxPLLPDivisor, IntParam{16384, 16384, 16384, 0}, "", false, "PLLPDivisor"},
    {"AuxPLLIDividend", K::Int, &U::AuxPLLIDividend, IntParam{0, 0, 32767, 0}, "", true, "PLLIDividend", Field(false, &enable::kAuxObserverGains)},
    {"AuxPLLIDivisor", K::Int, &U::AuxPLLIDivisor, IntParam{262144, 262144, 262144, 0}, "", false, "PLLIDivisor"},
    {"PulsesPerRevolution", K::Int, &U::PulsesPerRevolution, IntParam{1, 400, 65536, 0}, "pulses/rev", false, "AuxPulsesPerRevolution", Field(false)},
    {"MinMechanicalSpeed", K::Int, &U::MinMechanicalSpeed, IntParam{1, 60, 30000, 0}, "rpm", false, "AuxMinMechanicalSpeed", Field(true)}, // Max coupled
    {"MaxMechanicalSpeed", K::Int, &U::MaxMechanicalSpeed, IntParam{60, 30000, 200000, 0}, "rpm", false, "AuxMaxMechanicalSpeed", Field(true)}, // Min coupled
    {"MinimumSpeed", K::Int, &U::MinimumSpeed, IntParam{0, 580, 3600, 0}, "rpm", false, "AuxMinimumSpeed", Field(false)}, // Max coupled
    {"MaxErrorsNumber", K::Int, &U::MaxErrorsNumber, IntParam{1, 3, 255, 0}, "", false, "AuxMaxErrorsNumber", Field(false)},
    {"FIFODepth", K::Int, &U::FIFODepth, IntParam{1, 8, 128, 0}, "", false, "AuxFIFODepth", Field(false)},
    {"AlignmentDuration", K::Int, &U::AlignmentDuration, IntParam{1, 700, 65535, 0}, "ms", false, "AuxAlignmentDuration", Field(false, &enable::kAlignment)},
    {"AlignmentAngle", K::Int, &U::AlignmentAngle, IntParam{0, 90, 359, 0}, "deg", false, "AuxAlignmentAngle", Field(false, &enable::kAlignment)},
    {"AlignmentCurrent", K::Real, &U::AlignmentCurrent, RealParam{0.05, 1.95, 2, 2}, "A", false, "AuxAlignmentCurrent", Field(false, &enable::kAlignment)}, // Max coupled
    {"Hall120Degrees", K::Flag, &U::Hall120Degrees, std::uint32_t{1}, "", false, "AuxHall120Degrees", Option(false, kHall)},
    {"Hall60Degrees", K::Flag, &U::Hall60Degrees, std::uint32_t{0}, "", false, "AuxHall60Degrees", Option(false, kHall)},
    {"PhaseShift", K::Int, &U::PhaseShift, IntParam{0, 300, 359, 0}, "deg", false, "AuxPhaseShift", Field(false)},
    {"SpeedRampDuration", K::Int, &U::SpeedRampDuration, IntParam{1, 1500, 65535, 0}, "ms", false, "AuxSpeedRampDuration", Field(true)},
    {"SpeedRampFinalValue", K::Int, &U::SpeedRampFinalValue, IntParam{0, 2700, 65535, 0}, "rpm", false, "AuxSpeedRampFinalValue", Field(false)},
    {"CurrentRampInitialValue", K::Real, &U::CurrentRampInitialValue, RealParam{0, 0.6, 0.7, 2}, "A", false, "AuxCurrentRampInitialValue", Field(true)}, // Max coupled
    {"CurrentRampFinalValue", K::Real, &U::CurrentRampFinalValue, RealParam{0.6, 0.7, 2, 2}, "A", false, "AuxCurrentRampFinalValue", Field(true)}, // Min, Max coupled
    {"CurrentRampDuration", K::Int, &U::CurrentRampDuration, IntParam{1, 350, 1500, 0}, "ms", false, "AuxCurrentRampDuration", Field(false)}, // Max coupled
    {"ConsinstencyThreshold", K::Int, &U::ConsinstencyThreshold, IntParam{1, 60, 65535, 0}, "", false, "AuxConsinstencyThreshold", Field(false)},
    {"VarianceThreshold", K::Real, &U::VarianceThreshold, RealParam{0, 6.25, 100, 2}, "%", false, "AuxVarianceThreshold", Field(false)},
    {"IncludeAlignmentBeforeStartUp", K::Flag, &U::IncludeAlignmentBeforeStartUp, std::uint32_t{0}, "", false, "AuxIncludeAlignmentBeforeStartUp", Box(false)},
    {"GainsComputation", K::Flag, &U::GainsComputation, std::uint32_t{1}, "", false, "AuxGainsComputation", Box(true)},
    {"K1", K::SignedInt, &U::K1, SignedIntParam{INT32_MIN, 1, INT32_MAX, 0}, "", true, "AuxK1", Field(false, &enable::kObserverGains)},
    {"K2", K::SignedInt, &U::K2, SignedIntParam{INT32_MIN, 1, INT32_MAX, 0}, "", true, "AuxK2", Field(false, &enable::kObserverGains)},
    {"PLLPDividend", K::Int, &U::PLLPDividend, IntParam{0, 0, 32767, 0}, "", true, "AuxPLLPDividend", Field(false, &enable::kObserverGains)},
    {"PLLPDivisor", K::Int, &U::PLLPDivisor, IntParam{16384, 16384, 16384, 0}, "", false, "AuxPLLPDivisor"},
    {"PLLIDividend", K::Int, &U::PLLIDividend, IntParam{0, 0, 32767, 0}, "", true, "AuxPLLIDividend", Field(false, &enable::kObserverGains)},
    {"PLLIDivisor", K::Int, &U::PLLIDivisor, IntParam{262144, 262144, 262144, 0}, "", false, "AuxPLLIDivisor"},
    {"Tnoise", K::Int, &U::Tnoise, IntParam{0, 2550, 10000, 0}, "ns", false, nullptr, Field(true)},
    {"Trise", K::Int, &U::Trise, IntParam{0, 2550, 10000, 0}, "ns", false, nullptr, Field(true)},
    {"ADConverterSamplingTime", K::Word, &U::ADConverterSamplingTime, std::uint32_t{200}, "ns", false, nullptr, List(true, kSamplingTimes)},
    {"MaximumAvailableModulationIndex", K::Int, &U::MaximumAvailableModulationIndex, IntParam{72, 72, 100, 0}, "%", true, nullptr},
};
// clang-format on

} // namespace

std::span<const Parameter> ParameterTable() {
  return kTable;
}

} // namespace parvex
