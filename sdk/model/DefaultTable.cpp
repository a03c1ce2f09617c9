#include "model/DefaultTable.h"

#include <array>
#include <bit>

namespace parvex {

namespace {

using U = UserData;

// The largest current measurable with the default shunt network,
// 1.65 / (0.22 * 2.57), kept as its exact stored bits.
constexpr double defaultMeasurableCurrent = std::bit_cast<double>(0x400758A758A758A7ull);

const std::array wordDefaults{
    WordDefault{&U::QuadratureEncoder, 0},
    WordDefault{&U::HallSensors, 0},
    WordDefault{&U::NoSpeedSensors, 1},
    WordDefault{&U::FluxWeakening, 1},
    WordDefault{&U::FeedForwardCurrentRegulation, 0},
    WordDefault{&U::InternalPMSMMaximunTxAStrategy, 0},
    WordDefault{&U::IsolatedCurrentSensors, 0},
    WordDefault{&U::ThreeShuntResistors, 1},
    WordDefault{&U::SingleShuntResistor, 0},
    WordDefault{&U::EnableDCBusBrakeResistorManagement, 0},
    WordDefault{&U::CheckToEnableDifferentialTerm, 0},
    WordDefault{&U::TorqueAndFluxControlRate, 1},
    WordDefault{&U::TorqueAndFluxGainsComputation, 1},
    WordDefault{&U::ViewEncoderFeedback, 1},
    WordDefault{&U::ViewHallSensorsFeedback, 0},
    WordDefault{&U::None, 0},
    WordDefault{&U::EnableObserverGainTuning, 1},
    WordDefault{&U::EnableDACFunctionality, 1},
    WordDefault{&U::EnableModality, 0},
    WordDefault{&U::AuxHall120Degrees, 1},
    WordDefault{&U::AuxHall60Degrees, 0},
    WordDefault{&U::AuxIncludeAlignmentBeforeStartUp, 0},
    WordDefault{&U::AuxGainsComputation, 1},
    WordDefault{&U::Hall120Degrees, 1},
    WordDefault{&U::Hall60Degrees, 0},
    WordDefault{&U::IncludeAlignmentBeforeStartUp, 0},
    WordDefault{&U::GainsComputation, 1},
    WordDefault{&U::ADConverterSamplingTime, 200},
};

// Values marked "computed" are placeholders that the gain and modulation
// index calculations overwrite; limits marked "coupled" are re-derived from
// the values they follow right after the table is written.
const std::array intDefaults{
    IntDefault{&U::OverTemperatureThreshold, {30, 60, 85, 0}},
    IntDefault{&U::TemperatureHysteresis, {3, 5, 15, 0}},
    IntDefault{&U::OverVoltageThreshold, {18, 32, 371, 0}},
    IntDefault{&U::UnderVoltageThreshold, {15, 18, 32, 0}},
    IntDefault{&U::PolePairs, {1, 2, 100, 0}},
    IntDefault{&U::MotorMaxSpeed, {1, 3600, 190000, 0}},
    IntDefault{&U::PWMFrequency, {4000, 14400, 32000, 0}},
    IntDefault{&U::DeadTime, {500, 800, 3500, 0}},
    IntDefault{&U::CutOffFrequency, {100, 6000, 15000, 0}},
    IntDefault{&U::TorquePDividend, {0, 1, 32767, 0}}, // computed
    IntDefault{&U::TorquePDivisor, {1, 1, 32768, 0}},  // computed
    IntDefault{&U::TorqueIDividend, {0, 1, 32767, 0}}, // computed
    IntDefault{&U::TorqueIDivisor, {1, 1, 32768, 0}},  // computed
    IntDefault{&U::TorqueDDividend, {0, 100, 32767, 0}},
    IntDefault{&U::TorqueDDivisor, {1, 8192, 32768, 0}},
    IntDefault{&U::FluxPDividend, {0, 1, 32767, 0}}, // computed
    IntDefault{&U::FluxPDivisor, {1, 1, 32768, 0}},  // computed
    IntDefault{&U::FluxIDividend, {0, 1, 32767, 0}}, // computed
    IntDefault{&U::FluxIDivisor, {1, 1, 32768, 0}},  // computed
    IntDefault{&U::FluxDDividend, {0, 100, 32767, 0}},
    IntDefault{&U::FluxDDivisor, {1, 8192, 32768, 0}},
    IntDefault{&U::SpeedPDividend, {0, 1000, 32767, 0}},
    IntDefault{&U::SpeedPDivisor, {1, 16, 32768, 0}},
    IntDefault{&U::SpeedIDividend, {0, 700, 32767, 0}},
    IntDefault{&U::SpeedIDivisor, {1, 256, 32768, 0}},
    IntDefault{&U::SpeedDDividend, {0, 0, 32767, 0}},
    IntDefault{&U::SpeedDDivisor, {1, 16, 32768, 0}},
    IntDefault{&U::SpeedInitRef, {1, 1500, 3600, 0}}, // Max coupled
    IntDefault{&U::FluxWeakeningControllerPDividend, {1, 3000, 32767, 0}},
    IntDefault{&U::FluxWeakeningControllerPDivisor, {1, 32768, 32768, 0}},
    IntDefault{&U::FluxWeakeningControllerIDividend, {1, 5000, 32767, 0}},
    IntDefault{&U::FluxWeakeningControllerIDivisor, {1, 32768, 32768, 0}},
    IntDefault{&U::SquareWavePeriod, {1, 2000, 65535, 0}},
    IntDefault{&U::AuxPulsesPerRevolution, {1, 400, 65536, 0}},
    IntDefault{&U::AuxMinMechanicalSpeed, {1, 60, 30000, 0}},      // Max coupled
    IntDefault{&U::AuxMaxMechanicalSpeed, {60, 30000, 200000, 0}}, // Min coupled
    IntDefault{&U::AuxMinimumSpeed, {0, 580, 3600, 0}},            // Max coupled
    IntDefault{&U::AuxMaxErrorsNumber, {1, 3, 255, 0}},
    IntDefault{&U::AuxFIFODepth, {1, 8, 128, 0}},
    IntDefault{&U::AuxAlignmentDuration, {1, 700, 65535, 0}},
    IntDefault{&U::AuxAlignmentAngle, {0, 90, 359, 0}},
    IntDefault{&U::AuxPhaseShift, {0, 300, 359, 0}},
    IntDefault{&U::AuxSpeedRampDuration, {1, 1500, 65535, 0}},
    IntDefault{&U::AuxSpeedRampFinalValue, {0, 2700, 65535, 0}},
    IntDefault{&U::AuxCurrentRampDuration, {1, 350, 1500, 0}}, // Max coupled
    IntDefault{&U::AuxConsinstencyThreshold, {1, 60, 65535, 0}},
    IntDefault{&U::AuxPLLPDividend, {0, 0, 32767, 0}}, // computed
    IntDefault{&U::AuxPLLPDivisor, {16384, 16384, 16384, 0}},
    IntDefault{&U::AuxPLLIDividend, {0, 0, 32767, 0}}, // computed
    IntDefault{&U::AuxPLLIDivisor, {262144, 262144, 262144, 0}},
    IntDefault{&U::PulsesPerRevolution, {1, 400, 65536, 0}},
    IntDefault{&U::MinMechanicalSpeed, {1, 60, 30000, 0}},      // Max coupled
    IntDefault{&U::MaxMechanicalSpeed, {60, 30000, 200000, 0}}, // Min coupled
    IntDefault{&U::MinimumSpeed, {0, 580, 3600, 0}},            // Max coupled
    IntDefault{&U::MaxErrorsNumber, {1, 3, 255, 0}},
    IntDefault{&U::FIFODepth, {1, 8, 128, 0}},
    IntDefault{&U::AlignmentDuration, {1, 700, 65535, 0}},
    IntDefault{&U::AlignmentAngle, {0, 90, 359, 0}},
    IntDefault{&U::PhaseShift, {0, 300, 359, 0}},
    IntDefault{&U::SpeedRampDuration, {1, 1500, 65535, 0}},
    IntDefault{&U::SpeedRampFinalValue, {0, 2700, 65535, 0}},
    IntDefault{&U::CurrentRampDuration, {1, 350, 1500, 0}}, // Max coupled
    IntDefault{&U::ConsinstencyThreshold, {1, 60, 65535, 0}},
    IntDefault{&U::PLLPDividend, {0, 0, 32767, 0}}, // computed
    IntDefault{&U::PLLPDivisor, {16384, 16384, 16384, 0}},
    IntDefault{&U::PLLIDividend, {0, 0, 32767, 0}}, // computed
    IntDefault{&U::PLLIDivisor, {262144, 262144, 262144, 0}},
    IntDefault{&U::Tnoise, {0, 2550, 10000, 0}},
    IntDefault{&U::Trise, {0, 2550, 10000, 0}},
    IntDefault{&U::MaximumAvailableModulationIndex, {72, 72, 100, 0}}, // computed
};

const std::array signedDefaults{
    SignedDefault{&U::AuxK1, {INT32_MIN, 1, INT32_MAX, 0}}, // computed
    SignedDefault{&U::AuxK2, {INT32_MIN, 1, INT32_MAX, 0}}, // computed
    SignedDefault{&U::K1, {INT32_MIN, 1, INT32_MAX, 0}},    // computed
    SignedDefault{&U::K2, {INT32_MIN, 1, INT32_MAX, 0}},    // computed
};

const std::array realDefaults{
    RealDefault{&U::ShuntResistorValue, {0.001, 0.22, 10, 3}},
    RealDefault{&U::AmplificationGain, {1, 2.57, 100, 2}},
    RealDefault{&U::ICSGain, {0.001, 1, 10, 3}},
    RealDefault{&U::R, {0.01, 0.35, 150, 2}},
    RealDefault{&U::Ld, {0.01, 0.6, 500, 2}},
    RealDefault{&U::Lq, {0.01, 0.6, 500, 2}},
    RealDefault{&U::RatedCurrent, {0.05, 2, defaultMeasurableCurrent, 2}},
    RealDefault{&U::Ke, {0.1, 4, 500, 1}},
    RealDefault{&U::DCBusVoltagePartitioning, {0.0001, 0.008, 1, 4}},
    RealDefault{&U::DCBusVoltage, {3, 22, 350, 1}},
    RealDefault{&U::TorqueInitRef, {0, 0.4, 2, 2}}, // Max coupled
    RealDefault{&U::FluxInitRef, {0, 0, 2, 2}},     // Max coupled
    RealDefault{&U::FluxWeakeningControllerVoltageLimit, {60, 98.5, 100, 1}},
    RealDefault{&U::AuxAlignmentCurrent, {0.05, 1.95, 2, 2}},      // Max coupled
    RealDefault{&U::AuxCurrentRampInitialValue, {0, 0.6, 0.7, 2}}, // Max coupled
    RealDefault{&U::AuxCurrentRampFinalValue, {0.6, 0.7, 2, 2}},   // Min, Max coupled
    RealDefault{&U::AuxVarianceThreshold, {0, 6.25, 100, 2}},
    RealDefault{&U::AlignmentCurrent, {0.05, 1.95, 2, 2}},      // Max coupled
    RealDefault{&U::CurrentRampInitialValue, {0, 0.6, 0.7, 2}}, // Max coupled
    RealDefault{&U::CurrentRampFinalValue, {0.6, 0.7, 2, 2}},   // Min, Max coupled
    RealDefault{&U::VarianceThreshold, {0, 6.25, 100, 2}},
};

} // namespace

std::span<const WordDefault> WordDefaults() {
  return wordDefaults;
}
std::span<const IntDefault> IntDefaults() {
  return intDefaults;
}
std::span<const SignedDefault> SignedDefaults() {
  return signedDefaults;
}
std::span<const RealDefault> RealDefaults() {
  return realDefaults;
}

} // namespace parvex
