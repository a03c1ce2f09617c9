// The default record compared byte for byte with a golden image typed from
// the table of defaults, by offset, independently of the code's own table.
// The image is assembled by walking the registry, so that a setting without
// a hand row, a row at another offset than its member, or a row for no
// setting fails.
#include "TestRecord.h"

#include "parvex/Parameters.h"

#include <algorithm>
#include <array>
#include <bit>
#include <cstdint>
#include <cstring>
#include <string>
#include <utility>
#include <variant>
#include <vector>

namespace parvex::test {
namespace {

constexpr unsigned char fill = 0xA5;
constexpr std::int32_t minI32 = -2147483647 - 1;
constexpr std::int32_t maxI32 = 2147483647;

// The rows typed by hand: the member each is for, its offset in the record
// and its bytes.
struct GoldenRows {
  struct Row {
    std::string name;
    std::size_t offset;
    std::vector<unsigned char> bytes;
  };
  std::vector<Row> rows;

  void Add(const char *name, std::size_t offset, const void *src, std::size_t size) {
    const auto *b = static_cast<const unsigned char *>(src);
    rows.push_back({name, offset, std::vector<unsigned char>(b, b + size)});
  }
  void U32(const char *name, std::size_t offset, std::uint32_t v) { Add(name, offset, &v, 4); }
  void F64(const char *name, std::size_t offset, double v) { Add(name, offset, &v, 8); }
  void Int(const char *name, std::size_t offset, std::uint32_t min, std::uint32_t value,
           std::uint32_t max) {
    const std::uint32_t m[4] = {min, value, max, 0};
    Add(name, offset, m, sizeof m);
  }
  void Signed(const char *name, std::size_t offset, std::int32_t min, std::int32_t value,
              std::int32_t max) {
    const std::int32_t m[4] = {min, value, max, 0};
    Add(name, offset, m, sizeof m);
  }
  void Real(const char *name, std::size_t offset, double min, double value, double max,
            double decimals) {
    const double m[4] = {min, value, max, decimals};
    Add(name, offset, m, sizeof m);
  }
};

struct GoldenBytes {
  std::array<unsigned char, sizeof(UserData)> bytes;
  std::array<bool, sizeof(UserData)> written{};

  GoldenBytes() { bytes.fill(fill); }

  void Put(std::size_t offset, const std::vector<unsigned char> &src) {
    ASSERT_LE(offset + src.size(), bytes.size()) << "offset " << offset;
    std::memcpy(bytes.data() + offset, src.data(), src.size());
    for (std::size_t i = 0; i < src.size(); ++i) {
      EXPECT_FALSE(written[offset + i]) << "offset " << offset + i << " written twice";
      written[offset + i] = true;
    }
  }
};

std::size_t OffsetOf(const Parameter &p) {
  const UserData d{};
  return std::visit(
      [&d](auto m) {
        return static_cast<std::size_t>(reinterpret_cast<const char *>(&(d.*m)) -
                                        reinterpret_cast<const char *>(&d));
      },
      p.member);
}

std::size_t SizeOf(const Parameter &p) {
  return std::visit([](auto m) { return sizeof(std::declval<const UserData &>().*m); }, p.member);
}

GoldenRows MakeRows();

// The golden image, walked setting by setting through the registry: every
// setting has exactly one hand row, at the offset and of the size of its
// member, and no row is left over.
GoldenBytes MakeGolden() {
  GoldenRows hand = MakeRows();
  GoldenBytes g;
  for (const Parameter &p : Parameters()) {
    SCOPED_TRACE(p.name);
    const auto row = std::find_if(hand.rows.begin(), hand.rows.end(),
                                  [&p](const GoldenRows::Row &r) { return r.name == p.name; });
    if (row == hand.rows.end()) {
      ADD_FAILURE() << "no hand row";
      continue;
    }
    EXPECT_EQ(row->offset, OffsetOf(p));
    EXPECT_EQ(row->bytes.size(), SizeOf(p));
    g.Put(row->offset, row->bytes);
    hand.rows.erase(row);
  }
  for (const GoldenRows::Row &r : hand.rows)
    ADD_FAILURE() << r.name << ": a hand row for no setting of the registry";
  return g;
}

GoldenRows MakeRows() {
  GoldenRows g;
  // Configuration flags.
  g.U32("QuadratureEncoder", 0, 0);
  g.U32("HallSensors", 4, 0);
  g.U32("NoSpeedSensors", 8, 1);
  g.U32("FluxWeakening", 12, 1);
  g.U32("FeedForwardCurrentRegulation", 16, 0);
  g.U32("InternalPMSMMaximunTxAStrategy", 20, 0);
  g.U32("IsolatedCurrentSensors", 24, 0);
  g.U32("ThreeShuntResistors", 28, 1);
  g.U32("SingleShuntResistor", 32, 0);
  g.U32("EnableDCBusBrakeResistorManagement", 36, 0);
  g.U32("CheckToEnableDifferentialTerm", 40, 0);
  // Motor and hardware.
  g.Real("ShuntResistorValue", 48, 0.001, 0.22, 10, 3);
  g.Real("AmplificationGain", 80, 1, 2.57, 100, 2);
  g.Real("ICSGain", 112, 0.001, 1, 10, 3);
  g.Int("OverTemperatureThreshold", 144, 30, 60, 85);
  g.Int("TemperatureHysteresis", 160, 3, 5, 15);
  g.Int("OverVoltageThreshold", 176, 18, 32, 371);
  g.Int("UnderVoltageThreshold", 192, 15, 18, 32);
  g.Real("R", 208, 0.01, 0.35, 150, 2);
  g.Real("Ld", 240, 0.01, 0.6, 500, 2);
  g.Real("Lq", 272, 0.01, 0.6, 500, 2);
  g.Real("RatedCurrent", 304, 0.05, 2, std::bit_cast<double>(defaultMeasurableCurrentBits), 2);
  g.Real("Ke", 336, 0.1, 4, 500, 1);
  g.Int("PolePairs", 368, 1, 2, 100);
  g.Int("MotorMaxSpeed", 384, 1, 3600, 190000);
  g.Real("DCBusVoltagePartitioning", 400, 0.0001, 0.008, 1, 4);
  g.Real("DCBusVoltage", 432, 3, 22, 350, 1);
  // Control settings.
  g.Int("PWMFrequency", 464, 4000, 14400, 32000);
  g.Int("DeadTime", 480, 500, 800, 3500);
  g.F64("SpeedRegulationControlRate", 496, 2);
  g.U32("TorqueAndFluxControlRate", 504, 1);
  g.Int("CutOffFrequency", 508, 100, 6000, 15000);
  g.Int("TorquePDividend", 524, 0, 3911, 32767);
  g.Int("TorquePDivisor", 540, 1, 4096, 32768);
  g.Int("TorqueIDividend", 556, 0, 633, 32767);
  g.Int("TorqueIDivisor", 572, 1, 16384, 32768);
  g.Int("TorqueDDividend", 588, 0, 100, 32767);
  g.Int("TorqueDDivisor", 604, 1, 8192, 32768);
  g.Real("TorqueInitRef", 624, 0, 0.4, 2, 2);
  g.Int("FluxPDividend", 656, 0, 3911, 32767);
  g.Int("FluxPDivisor", 672, 1, 4096, 32768);
  g.Int("FluxIDividend", 688, 0, 633, 32767);
  g.Int("FluxIDivisor", 704, 1, 16384, 32768);
  g.Int("FluxDDividend", 720, 0, 100, 32767);
  g.Int("FluxDDivisor", 736, 1, 8192, 32768);
  g.Real("FluxInitRef", 752, 0, 0, 2, 2);
  g.Int("SpeedPDividend", 784, 0, 1000, 32767);
  g.Int("SpeedPDivisor", 800, 1, 16, 32768);
  g.Int("SpeedIDividend", 816, 0, 700, 32767);
  g.Int("SpeedIDivisor", 832, 1, 256, 32768);
  g.Int("SpeedDDividend", 848, 0, 0, 32767);
  g.Int("SpeedDDivisor", 864, 1, 16, 32768);
  g.Int("SpeedInitRef", 880, 1, 1500, 3600);
  g.Int("FluxWeakeningControllerPDividend", 896, 1, 3000, 32767);
  g.Int("FluxWeakeningControllerPDivisor", 912, 1, 32768, 32768);
  g.Int("FluxWeakeningControllerIDividend", 928, 1, 5000, 32767);
  g.Int("FluxWeakeningControllerIDivisor", 944, 1, 32768, 32768);
  g.Real("FluxWeakeningControllerVoltageLimit", 960, 60, 98.5, 100, 1);
  g.U32("TorqueAndFluxGainsComputation", 992, 1);
  // Debug.
  g.U32("ViewEncoderFeedback", 1000, 1);
  g.U32("ViewHallSensorsFeedback", 1004, 0);
  g.U32("None", 1008, 0);
  g.U32("EnableObserverGainTuning", 1012, 1);
  g.U32("EnableDACFunctionality", 1016, 1);
  g.U32("EnableModality", 1020, 0);
  g.Int("SquareWavePeriod", 1024, 1, 2000, 65535);
  // Auxiliary speed feedback.
  g.Int("AuxPulsesPerRevolution", 1040, 1, 400, 65536);
  g.Int("AuxMinMechanicalSpeed", 1056, 1, 60, 30000);
  g.Int("AuxMaxMechanicalSpeed", 1072, 60, 30000, 200000);
  g.Int("AuxMinimumSpeed", 1088, 0, 580, 3600);
  g.Int("AuxMaxErrorsNumber", 1104, 1, 3, 255);
  g.Int("AuxFIFODepth", 1120, 1, 8, 128);
  g.Int("AuxAlignmentDuration", 1136, 1, 700, 65535);
  g.Int("AuxAlignmentAngle", 1152, 0, 90, 359);
  g.Real("AuxAlignmentCurrent", 1168, 0.05, 1.95, 2, 2);
  g.U32("AuxHall120Degrees", 1200, 1);
  g.U32("AuxHall60Degrees", 1204, 0);
  g.Int("AuxPhaseShift", 1208, 0, 300, 359);
  g.Int("AuxSpeedRampDuration", 1224, 1, 1500, 65535);
  g.Int("AuxSpeedRampFinalValue", 1240, 0, 2700, 65535);
  g.Real("AuxCurrentRampInitialValue", 1256, 0, 0.6, 0.7, 2);
  g.Real("AuxCurrentRampFinalValue", 1288, 0.6, 0.7, 2, 2);
  g.Int("AuxCurrentRampDuration", 1320, 1, 350, 1500);
  g.Int("AuxConsinstencyThreshold", 1336, 1, 60, 65535);
  g.Real("AuxVarianceThreshold", 1352, 0, 6.25, 100, 2);
  g.U32("AuxIncludeAlignmentBeforeStartUp", 1384, 0);
  g.U32("AuxGainsComputation", 1388, 1);
  g.Signed("AuxK1", 1392, minI32, -21162, maxI32);
  g.Signed("AuxK2", 1408, minI32, 70929, maxI32);
  g.Int("AuxPLLPDividend", 1424, 0, 266, 32767);
  g.Int("AuxPLLPDivisor", 1440, 16384, 16384, 16384);
  g.Int("AuxPLLIDividend", 1456, 0, 52, 32767);
  g.Int("AuxPLLIDivisor", 1472, 262144, 262144, 262144);
  // Main speed feedback.
  g.Int("PulsesPerRevolution", 1488, 1, 400, 65536);
  g.Int("MinMechanicalSpeed", 1504, 1, 60, 30000);
  g.Int("MaxMechanicalSpeed", 1520, 60, 30000, 200000);
  g.Int("MinimumSpeed", 1536, 0, 580, 3600);
  g.Int("MaxErrorsNumber", 1552, 1, 3, 255);
  g.Int("FIFODepth", 1568, 1, 8, 128);
  g.Int("AlignmentDuration", 1584, 1, 700, 65535);
  g.Int("AlignmentAngle", 1600, 0, 90, 359);
  g.Real("AlignmentCurrent", 1616, 0.05, 1.95, 2, 2);
  g.U32("Hall120Degrees", 1648, 1);
  g.U32("Hall60Degrees", 1652, 0);
  g.Int("PhaseShift", 1656, 0, 300, 359);
  g.Int("SpeedRampDuration", 1672, 1, 1500, 65535);
  g.Int("SpeedRampFinalValue", 1688, 0, 2700, 65535);
  g.Real("CurrentRampInitialValue", 1704, 0, 0.6, 0.7, 2);
  g.Real("CurrentRampFinalValue", 1736, 0.6, 0.7, 2, 2);
  g.Int("CurrentRampDuration", 1768, 1, 350, 1500);
  g.Int("ConsinstencyThreshold", 1784, 1, 60, 65535);
  g.Real("VarianceThreshold", 1800, 0, 6.25, 100, 2);
  g.U32("IncludeAlignmentBeforeStartUp", 1832, 0);
  g.U32("GainsComputation", 1836, 1);
  g.Signed("K1", 1840, minI32, -21162, maxI32);
  g.Signed("K2", 1856, minI32, 70929, maxI32);
  g.Int("PLLPDividend", 1872, 0, 266, 32767);
  g.Int("PLLPDivisor", 1888, 16384, 16384, 16384);
  g.Int("PLLIDividend", 1904, 0, 52, 32767);
  g.Int("PLLIDivisor", 1920, 262144, 262144, 262144);
  // Current sensing timing.
  g.Int("Tnoise", 1936, 0, 2550, 10000);
  g.Int("Trise", 1952, 0, 2550, 10000);
  g.U32("ADConverterSamplingTime", 1968, 200);
  g.Int("MaximumAvailableModulationIndex", 1972, 72, 98, 100);
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
