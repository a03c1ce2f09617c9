// What the consistency check guarantees for any record, on a few thousand
// random ones (fixed seed, so a failure repeats).
#include "TestRecord.h"

#include <bit>
#include <cmath>
#include <cstring>
#include <initializer_list>
#include <random>
#include <vector>

namespace parvex::test {
namespace {

// Each shunt record runs a modulation-index search; most records use isolated
// sensors so that the counts stay high and the sanitizer run short.
constexpr int plausibleRecords = 2000;
constexpr int randomByteRecords = 2000;
constexpr int searchEvery = 4;
constexpr int randomSearchEvery = 10;

class Draw {
public:
  explicit Draw(std::uint32_t seed) : random_(seed) {}
  double Real(double lo, double hi) {
    return std::uniform_real_distribution<double>(lo, hi)(random_);
  }
  std::uint32_t Int(std::uint32_t lo, std::uint32_t hi) {
    return std::uniform_int_distribution<std::uint32_t>(lo, hi)(random_);
  }
  std::uint32_t Word() { return static_cast<std::uint32_t>(random_()); }
  std::uint32_t Flag() { return Int(0, 1); }
  std::mt19937 &Engine() { return random_; }

private:
  std::mt19937 random_;
};

// A default record with its edited settings drawn in and beyond their ranges.
UserData PlausibleRecord(Draw &draw, const UserData &defaults) {
  UserData d = defaults;
  const std::uint32_t sensor = draw.Int(0, 2);
  d.QuadratureEncoder = sensor == 0;
  d.HallSensors = sensor == 1;
  d.NoSpeedSensors = sensor == 2;
  const std::uint32_t sensing = draw.Int(0, 2 * searchEvery - 1);
  d.IsolatedCurrentSensors = sensing >= 2;
  d.ThreeShuntResistors = sensing == 0;
  d.SingleShuntResistor = sensing == 1;
  d.InternalPMSMMaximunTxAStrategy = draw.Flag();
  d.TorqueAndFluxGainsComputation = draw.Flag();
  d.GainsComputation = draw.Flag();
  d.AuxGainsComputation = draw.Flag();
  d.ViewEncoderFeedback = draw.Flag();
  d.ViewHallSensorsFeedback = draw.Flag();
  d.None = draw.Flag();
  d.EnableDACFunctionality = draw.Flag();
  d.EnableModality = draw.Flag();

  d.DCBusVoltagePartitioning.Value = draw.Real(0.0001, 1);
  d.OverVoltageThreshold.Min = draw.Int(0, 400);
  d.OverVoltageThreshold.Value = draw.Int(0, 500);
  d.UnderVoltageThreshold.Value = draw.Int(0, 500);
  d.ShuntResistorValue.Value = draw.Real(0.001, 10);
  d.AmplificationGain.Value = draw.Real(1, 100);
  d.ICSGain.Value = draw.Real(0.001, 10);
  d.RatedCurrent.Value = draw.Real(-5, 20);
  d.Lq.Value = draw.Real(0.01, 500);
  d.Ld.Value = draw.Real(0.01, 600);
  d.R.Value = draw.Real(0.01, 150);
  d.DCBusVoltage.Value = draw.Real(3, 350);
  d.MotorMaxSpeed.Value = draw.Int(1, 190000);
  d.PolePairs.Value = draw.Int(1, 100);
  d.CutOffFrequency.Value = draw.Int(100, 15000);
  d.TorqueAndFluxControlRate = draw.Int(1, 5);
  d.TorqueInitRef.Value = draw.Real(-1, 20);
  d.FluxInitRef.Value = draw.Real(-1, 20);
  d.SpeedInitRef.Value = draw.Int(0, 250000);
  for (IntParam *p : {&d.SpeedPDivisor, &d.SpeedIDivisor, &d.SpeedDDivisor,
                      &d.FluxWeakeningControllerPDivisor, &d.FluxWeakeningControllerIDivisor})
    p->Value = draw.Word();
  for (IntParam *p : {&d.MinMechanicalSpeed, &d.MaxMechanicalSpeed, &d.AuxMinMechanicalSpeed,
                      &d.AuxMaxMechanicalSpeed, &d.MinimumSpeed, &d.AuxMinimumSpeed})
    p->Value = draw.Int(0, 300000);
  for (RealParam *p : {&d.CurrentRampInitialValue, &d.CurrentRampFinalValue,
                       &d.AuxCurrentRampInitialValue, &d.AuxCurrentRampFinalValue})
    p->Value = draw.Real(-3, 25);
  for (IntParam *p : {&d.SpeedRampDuration, &d.CurrentRampDuration, &d.AuxSpeedRampDuration,
                      &d.AuxCurrentRampDuration})
    p->Value = draw.Int(0, 70000);
  d.PWMFrequency.Value = draw.Int(4000, 32000);
  d.DeadTime.Value = draw.Int(500, 3500);
  d.Trise.Value = draw.Int(0, 10000);
  d.Tnoise.Value = draw.Int(0, 10000);
  const std::uint32_t samplingTimes[] = {200, 700, 1200, 2450};
  d.ADConverterSamplingTime = samplingTimes[draw.Int(0, 3)];
  return d;
}

void ExpectSpeedRangeCoupled(const IntParam &minSpeed, const IntParam &maxSpeed) {
  EXPECT_LE(minSpeed.Value, maxSpeed.Value);
  EXPECT_EQ(minSpeed.Max, maxSpeed.Value);
  EXPECT_EQ(maxSpeed.Min, minSpeed.Value);
  EXPECT_GE(minSpeed.Value, 1u);
  EXPECT_LE(maxSpeed.Value, 200000u);
}

void ExpectRampCoupled(const RealParam &initial, const RealParam &final, double ratedCurrent) {
  EXPECT_LE(initial.Value, final.Value);
  EXPECT_EQ(initial.Max, final.Value);
  EXPECT_EQ(final.Min, initial.Value);
  EXPECT_LE(initial.Min, initial.Value);
  EXPECT_LE(final.Value, final.Max);
  EXPECT_EQ(final.Max, std::max(ratedCurrent, 0.0));
}

TEST(ConsistencyProperties, PlausibleRecordsComeOutConsistent) {
  Draw draw(20240607);
  const UserData defaults = DefaultRecord();
  for (int n = 0; n < plausibleRecords; ++n) {
    UserData d = PlausibleRecord(draw, defaults);
    ASSERT_EQ(PARVEX_CheckConsistency(&d), 0);
    SCOPED_TRACE(n);
    EXPECT_LE(d.UnderVoltageThreshold.Value, d.OverVoltageThreshold.Value);
    EXPECT_EQ(d.OverVoltageThreshold.Min, d.UnderVoltageThreshold.Value);
    EXPECT_EQ(d.UnderVoltageThreshold.Max, d.OverVoltageThreshold.Value);
    EXPECT_GE(d.OverVoltageThreshold.Max, 15u);

    EXPECT_LE(d.RatedCurrent.Value, d.RatedCurrent.Max);
    EXPECT_LE(d.TorqueInitRef.Value, d.RatedCurrent.Value);
    EXPECT_LE(d.FluxInitRef.Value, d.RatedCurrent.Value);
    EXPECT_EQ(d.TorqueInitRef.Max, d.RatedCurrent.Value);
    EXPECT_EQ(d.FluxInitRef.Max, d.RatedCurrent.Value);
    EXPECT_LE(d.Ld.Value, d.Lq.Value);
    EXPECT_EQ(d.Ld.Max, d.Lq.Value);
    EXPECT_LE(d.SpeedInitRef.Value, d.MotorMaxSpeed.Value);
    EXPECT_LE(d.MinimumSpeed.Value, d.MotorMaxSpeed.Value);
    EXPECT_LE(d.AuxMinimumSpeed.Value, d.MotorMaxSpeed.Value);

    for (const IntParam *p :
         {&d.SpeedPDivisor, &d.SpeedIDivisor, &d.SpeedDDivisor, &d.FluxWeakeningControllerPDivisor,
          &d.FluxWeakeningControllerIDivisor})
      EXPECT_TRUE(std::has_single_bit(p->Value)) << p->Value;

    ExpectSpeedRangeCoupled(d.MinMechanicalSpeed, d.MaxMechanicalSpeed);
    ExpectSpeedRangeCoupled(d.AuxMinMechanicalSpeed, d.AuxMaxMechanicalSpeed);
    ExpectRampCoupled(d.CurrentRampInitialValue, d.CurrentRampFinalValue, d.RatedCurrent.Value);
    ExpectRampCoupled(d.AuxCurrentRampInitialValue, d.AuxCurrentRampFinalValue,
                      d.RatedCurrent.Value);
    EXPECT_LE(d.CurrentRampDuration.Value, d.SpeedRampDuration.Value);
    EXPECT_LE(d.AuxCurrentRampDuration.Value, d.AuxSpeedRampDuration.Value);

    if (d.QuadratureEncoder || d.HallSensors) {
      EXPECT_EQ(d.None, 1u);
      EXPECT_EQ(d.ViewEncoderFeedback | d.ViewHallSensorsFeedback, 0u);
    } else {
      EXPECT_EQ(d.EnableModality, 0u);
      if (!d.None) {
        EXPECT_EQ(d.EnableDACFunctionality, 1u);
      }
    }
    if (!d.IsolatedCurrentSensors) {
      EXPECT_EQ(d.MaximumAvailableModulationIndex.Min, 72u);
      EXPECT_EQ(d.MaximumAvailableModulationIndex.Max, 100u);
    }
    EXPECT_GE(d.MaximumAvailableModulationIndex.Value, 72u);
    EXPECT_LE(d.MaximumAvailableModulationIndex.Value, 100u);
    if (HasFailure())
      break;
  }
}

std::vector<const double *> RealMembers(const UserData &d) {
  std::vector<const double *> reals{&d.SpeedRegulationControlRate};
  for (const RealParam *p : {&d.ShuntResistorValue,
                             &d.AmplificationGain,
                             &d.ICSGain,
                             &d.R,
                             &d.Ld,
                             &d.Lq,
                             &d.RatedCurrent,
                             &d.Ke,
                             &d.DCBusVoltagePartitioning,
                             &d.DCBusVoltage,
                             &d.TorqueInitRef,
                             &d.FluxInitRef,
                             &d.FluxWeakeningControllerVoltageLimit,
                             &d.AuxAlignmentCurrent,
                             &d.AuxCurrentRampInitialValue,
                             &d.AuxCurrentRampFinalValue,
                             &d.AuxVarianceThreshold,
                             &d.AlignmentCurrent,
                             &d.CurrentRampInitialValue,
                             &d.CurrentRampFinalValue,
                             &d.VarianceThreshold})
    reals.insert(reals.end(), {&p->Min, &p->Value, &p->Max, &p->Decimals});
  return reals;
}

bool AllFinite(const UserData &d) {
  for (const double *v : RealMembers(d))
    if (!std::isfinite(*v))
      return false;
  return true;
}

// Any bytes at all, as a damaged project file may hold: every export runs
// without a crash or sanitizer report, and a record without NaN or infinity
// never gains one.
TEST(ConsistencyProperties, RandomBytesNeverCrashOrGainNonFiniteReals) {
  Draw draw(77);
  int allFinite = 0;
  for (int n = 0; n < randomByteRecords; ++n) {
    UserData d;
    auto *bytes = reinterpret_cast<unsigned char *>(&d);
    for (std::size_t i = 0; i < sizeof d; ++i)
      bytes[i] = static_cast<unsigned char>(draw.Word());
    // Random flags are almost always set; clear the isolated sensors now and
    // then so that the search runs on random timing too.
    if (n % randomSearchEvery == 0)
      d.IsolatedCurrentSensors = 0;
    const bool finiteBefore = AllFinite(d);
    allFinite += finiteBefore;
    UserData gains = d;
    EXPECT_NE(PARVEX_CalcControlSettingsTorqueAndFluxPID(&gains), 1);
    EXPECT_NE(PARVEX_CalcSpeedFeedbackGains(&gains), 1);
    EXPECT_NE(PARVEX_CalcAuxSpeedFeedbackGains(&gains), 1);
    ASSERT_EQ(PARVEX_CheckConsistency(&d), 0);
    if (finiteBefore) {
      EXPECT_TRUE(AllFinite(d)) << "record " << n;
    }
    if (HasFailure())
      break;
  }
  // Most random records hold only finite reals, so the property was tested.
  EXPECT_GT(allFinite, randomByteRecords / 2);
}

} // namespace
} // namespace parvex::test
