// The default record compared byte for byte with a golden image typed from
// the table of defaults, by offset, independently of the code's own table.
#include "TestRecord.h"

#include <array>
#include <bit>
#include <cstdint>
#include <cstring>
#include <vector>

namespace parvex::test {
namespace {

constexpr unsigned char fill = 0xA5;
constexpr std::int32_t minI32 = -2147483647 - 1;
constexpr std::int32_t maxI32 = 2147483647;

struct GoldenBytes {
  std::array<unsigned char, sizeof(UserData)> bytes;
  std::array<bool, sizeof(UserData)> written{};

  GoldenBytes() { bytes.fill(fill); }

  void Put(std::size_t offset, const void *src, std::size_t size) {
    std::memcpy(bytes.data() + offset, src, size);
    for (std::size_t i = 0; i < size; ++i) {
      EXPECT_FALSE(written[offset + i]) << "offset " << offset + i << " written twice";
      written[offset + i] = true;
    }
  }
  void U32(std::size_t offset, std::uint32_t v) { Put(offset, &v, 4); }
  void F64(std::size_t offset, double v) { Put(offset, &v, 8); }
  void Int(std::size_t offset, std::uint32_t min, std::uint32_t value, std::uint32_t max) {
    const std::uint32_t m[4] = {min, value, max, 0};
    Put(offset, m, sizeof m);
  }
  void Signed(std::size_t offset, std::int32_t min, std::int32_t value, std::int32_t max) {
    const std::int32_t m[4] = {min, value, max, 0};
    Put(offset, m, sizeof m);
  }
  void Real(std::size_t offset, double min, double value, double max, double decimals) {
    const double m[4] = {min, value, max, decimals};
    Put(offset, m, sizeof m);
  }
};

GoldenBytes MakeGolden() {
  GoldenBytes g;
  // Configuration flags.
  g.U32(0, 0);  // QuadratureEncoder
  g.U32(4, 0);  // HallSensors
  g.U32(8, 1);  // NoSpeedSensors
  g.U32(12, 1); // FluxWeakening
  g.U32(16, 0); // FeedForwardCurrentRegulation
  g.U32(20, 0); // InternalPMSMMaximunTxAStrategy
  g.U32(24, 0); // IsolatedCurrentSensors
  g.U32(28, 1); // ThreeShuntResistors
  g.U32(32, 0); // SingleShuntResistor
  g.U32(36, 0); // EnableDCBusBrakeResistorManagement
  g.U32(40, 0); // CheckToEnableDifferentialTerm
  // Motor and hardware.
  g.Real(48, 0.001, 0.22, 10, 3);  // ShuntResistorValue
  g.Real(80, 1, 2.57, 100, 2);     // AmplificationGain
  g.Real(112, 0.001, 1, 10, 3);    // ICSGain
  g.Int(144, 30, 60, 85);          // OverTemperatureThreshold
  g.Int(160, 3, 5, 15);            // TemperatureHysteresis
  g.Int(176, 18, 32, 371);         // OverVoltageThreshold
  g.Int(192, 15, 18, 32);          // UnderVoltageThreshold
  g.Real(208, 0.01, 0.35, 150, 2); // R
  g.Real(240, 0.01, 0.6, 500, 2);  // Ld
  g.Real(272, 0.01, 0.6, 500, 2);  // Lq
  g.Real(304, 0.05, 2, std::bit_cast<double>(defaultMeasurableCurrentBits), 2); // RatedCurrent
  g.Real(336, 0.1, 4, 500, 1);                                                  // Ke
  g.Int(368, 1, 2, 100);                                                        // PolePairs
  g.Int(384, 1, 3600, 190000);                                                  // MotorMaxSpeed
  g.Real(400, 0.0001, 0.008, 1, 4); // DCBusVoltagePartitioning
  g.Real(432, 3, 22, 350, 1);       // DCBusVoltage
  // Control settings.
  g.Int(464, 4000, 14400, 32000); // PWMFrequency
  g.Int(480, 500, 800, 3500);     // DeadTime
  g.F64(496, 2);                  // SpeedRegulationControlRate
  g.U32(504, 1);                  // TorqueAndFluxControlRate
  g.Int(508, 100, 6000, 15000);   // CutOffFrequency
  g.Int(524, 0, 3911, 32767);     // TorquePDividend
  g.Int(540, 1, 4096, 32768);     // TorquePDivisor
  g.Int(556, 0, 633, 32767);      // TorqueIDividend
  g.Int(572, 1, 16384, 32768);    // TorqueIDivisor
  g.Int(588, 0, 100, 32767);      // TorqueDDividend
  g.Int(604, 1, 8192, 32768);     // TorqueDDivisor
  g.Real(624, 0, 0.4, 2, 2);      // TorqueInitRef
  g.Int(656, 0, 3911, 32767);     // FluxPDividend
  g.Int(672, 1, 4096, 32768);     // FluxPDivisor
  g.Int(688, 0, 633, 32767);      // FluxIDividend
  g.Int(704, 1, 16384, 32768);    // FluxIDivisor
  g.Int(720, 0, 100, 32767);      // FluxDDividend
  g.Int(736, 1, 8192, 32768);     // FluxDDivisor
  g.Real(752, 0, 0, 2, 2);        // FluxInitRef
  g.Int(784, 0, 1000, 32767);     // SpeedPDividend
  g.Int(800, 1, 16, 32768);       // SpeedPDivisor
  g.Int(816, 0, 700, 32767);      // SpeedIDividend
  g.Int(832, 1, 256, 32768);      // SpeedIDivisor
  g.Int(848, 0, 0, 32767);        // SpeedDDividend
  g.Int(864, 1, 16, 32768);       // SpeedDDivisor
  g.Int(880, 1, 1500, 3600);      // SpeedInitRef
  g.Int(896, 1, 3000, 32767);     // FluxWeakeningControllerPDividend
  g.Int(912, 1, 32768, 32768);    // FluxWeakeningControllerPDivisor
  g.Int(928, 1, 5000, 32767);     // FluxWeakeningControllerIDividend
  g.Int(944, 1, 32768, 32768);    // FluxWeakeningControllerIDivisor
  g.Real(960, 60, 98.5, 100, 1);  // FluxWeakeningControllerVoltageLimit
  g.U32(992, 1);                  // TorqueAndFluxGainsComputation
  // Debug.
  g.U32(1000, 1);              // ViewEncoderFeedback
  g.U32(1004, 0);              // ViewHallSensorsFeedback
  g.U32(1008, 0);              // None
  g.U32(1012, 1);              // EnableObserverGainTuning
  g.U32(1016, 1);              // EnableDACFunctionality
  g.U32(1020, 0);              // EnableModality
  g.Int(1024, 1, 2000, 65535); // SquareWavePeriod
  // Auxiliary speed feedback.
  g.Int(1040, 1, 400, 65536);             // AuxPulsesPerRevolution
  g.Int(1056, 1, 60, 30000);              // AuxMinMechanicalSpeed
  g.Int(1072, 60, 30000, 200000);         // AuxMaxMechanicalSpeed
  g.Int(1088, 0, 580, 3600);              // AuxMinimumSpeed
  g.Int(1104, 1, 3, 255);                 // AuxMaxErrorsNumber
  g.Int(1120, 1, 8, 128);                 // AuxFIFODepth
  g.Int(1136, 1, 700, 65535);             // AuxAlignmentDuration
  g.Int(1152, 0, 90, 359);                // AuxAlignmentAngle
  g.Real(1168, 0.05, 1.95, 2, 2);         // AuxAlignmentCurrent
  g.U32(1200, 1);                         // AuxHall120Degrees
  g.U32(1204, 0);                         // AuxHall60Degrees
  g.Int(1208, 0, 300, 359);               // AuxPhaseShift
  g.Int(1224, 1, 1500, 65535);            // AuxSpeedRampDuration
  g.Int(1240, 0, 2700, 65535);            // AuxSpeedRampFinalValue
  g.Real(1256, 0, 0.6, 0.7, 2);           // AuxCurrentRampInitialValue
  g.Real(1288, 0.6, 0.7, 2, 2);           // AuxCurrentRampFinalValue
  g.Int(1320, 1, 350, 1500);              // AuxCurrentRampDuration
  g.Int(1336, 1, 60, 65535);              // AuxConsinstencyThreshold
  g.Real(1352, 0, 6.25, 100, 2);          // AuxVarianceThreshold
  g.U32(1384, 0);                         // AuxIncludeAlignmentBeforeStartUp
  g.U32(1388, 1);                         // AuxGainsComputation
  g.Signed(1392, minI32, -21162, maxI32); // AuxK1
  g.Signed(1408, minI32, 70929, maxI32);  // AuxK2
  g.Int(1424, 0, 266, 32767);             // AuxPLLPDividend
  g.Int(1440, 16384, 16384, 16384);       // AuxPLLPDivisor
  g.Int(1456, 0, 52, 32767);              // AuxPLLIDividend
  g.Int(1472, 262144, 262144, 262144);    // AuxPLLIDivisor
  // Main speed feedback.
  g.Int(1488, 1, 400, 65536);             // PulsesPerRevolution
  g.Int(1504, 1, 60, 30000);              // MinMechanicalSpeed
  g.Int(1520, 60, 30000, 200000);         // MaxMechanicalSpeed
  g.Int(1536, 0, 580, 3600);              // MinimumSpeed
  g.Int(1552, 1, 3, 255);                 // MaxErrorsNumber
  g.Int(1568, 1, 8, 128);                 // FIFODepth
  g.Int(1584, 1, 700, 65535);             // AlignmentDuration
  g.Int(1600, 0, 90, 359);                // AlignmentAngle
  g.Real(1616, 0.05, 1.95, 2, 2);         // AlignmentCurrent
  g.U32(1648, 1);                         // Hall120Degrees
  g.U32(1652, 0);                         // Hall60Degrees
  g.Int(1656, 0, 300, 359);               // PhaseShift
  g.Int(1672, 1, 1500, 65535);            // SpeedRampDuration
  g.Int(1688, 0, 2700, 65535);            // SpeedRampFinalValue
  g.Real(1704, 0, 0.6, 0.7, 2);           // CurrentRampInitialValue
  g.Real(1736, 0.6, 0.7, 2, 2);           // CurrentRampFinalValue
  g.Int(1768, 1, 350, 1500);              // CurrentRampDuration
  g.Int(1784, 1, 60, 65535);              // ConsinstencyThreshold
  g.Real(1800, 0, 6.25, 100, 2);          // VarianceThreshold
  g.U32(1832, 0);                         // IncludeAlignmentBeforeStartUp
  g.U32(1836, 1);                         // GainsComputation
  g.Signed(1840, minI32, -21162, maxI32); // K1
  g.Signed(1856, minI32, 70929, maxI32);  // K2
  g.Int(1872, 0, 266, 32767);             // PLLPDividend
  g.Int(1888, 16384, 16384, 16384);       // PLLPDivisor
  g.Int(1904, 0, 52, 32767);              // PLLIDividend
  g.Int(1920, 262144, 262144, 262144);    // PLLIDivisor
  // Current sensing timing.
  g.Int(1936, 0, 2550, 10000); // Tnoise
  g.Int(1952, 0, 2550, 10000); // Trise
  g.U32(1968, 200);            // ADConverterSamplingTime
  g.Int(1972, 72, 98, 100);    // MaximumAvailableModulationIndex
  return g;
}

TEST(DefaultGolden, GoldenCoversEveryByteButTheReservedAreas) {
  const GoldenBytes g = MakeGolden();
  std::vector<std::size_t> unwritten;
  for (std::size_t i = 0; i < g.written.size(); ++i)
    if (!g.written[i])
      unwritten.push_back(i);
  const std::vector<std::size_t> reserved = {44,  45,  46,  47,  620,  621,  622,  623,
                                             996, 997, 998, 999, 1988, 1989, 1990, 1991};
  EXPECT_EQ(unwritten, reserved);
}

TEST(DefaultGolden, DefaultRecordMatchesGoldenByteForByte) {
  const GoldenBytes g = MakeGolden();
  UserData d;
  std::memset(&d, fill, sizeof d);
  ASSERT_EQ(PARVEX_SetDefault(&d), 0);
  const auto *actual = reinterpret_cast<const unsigned char *>(&d);
  for (std::size_t i = 0; i < sizeof d; ++i)
    ASSERT_EQ(actual[i], g.bytes[i]) << "first difference at offset " << i;
}

} // namespace
} // namespace parvex::test
