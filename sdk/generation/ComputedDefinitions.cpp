#include "ComputedDefinitions.h"

#include "RecordQuantities.h"
#include "TextFormat.h"

#include <array>
#include <cmath>

namespace parvex {

namespace {

constexpr const char *kNotFinite = "input is not a finite number";
constexpr const char *kOutOfRange = "value out of range";
constexpr const char *kZeroGain = "zero current-sensing gain";

bool Finite(std::initializer_list<double> values) {
  for (double v : values)
    if (!std::isfinite(v))
      return false;
  return true;
}

// A rounded current definition ("%.0f" of the counts).
DefinitionText RoundedCurrent(const char *name, const char *format, const UserData &d,
                              double amps) {
  const double counts = CurrentCountsRounding(d, amps);
  if (!std::isfinite(counts))
    return Failed(name, kNotFinite);
  // The printed integer constant must fit a C integer type.
  if (!TruncateToInt64(counts))
    return Failed(name, kOutOfRange);
  return Text(Format(format, counts));
}

const char *const kMtpaDummies = "#define IQMAX (s16)(0) /* Dummy value */ \n"
                                 "#define SEGDIV (s16)(0) /* Dummy value */ \n"
                                 "#define ANGC {0,0,0,0,0,0,0,0} /* Dummy values */ \n"
                                 "#define OFST {0,0,0,0,0,0,0,0} /* Dummy values */ \n";

// floor(v) as a 32-bit integer.
std::optional<std::int32_t> Floor32(double v) {
  return TruncateToInt32(std::floor(v));
}

bool Within16(std::optional<std::int64_t> v) {
  return v && *v >= -32768 && *v <= 32767;
}

struct ObserverInputs {
  double k;              // 1.65 / gain
  std::int16_t maxBus;   // DC bus full scale, V
  std::uint16_t maxBemf; // back-EMF at maximum speed, V
};

// Checks and computes what F1 and F2 share; fills `failure` when they
// cannot be computed.
bool ObserverCommon(const char *name, const UserData &d, ObserverInputs &in,
                    DefinitionText &failure) {
  const double gain = ComputationGain(d);
  const double v = d.DCBusVoltagePartitioning.Value;
  if (!Finite({gain, v, d.Ke.Value, d.R.Value, d.Lq.Value})) {
    failure = Failed(name, kNotFinite);
    return false;
  }
  if (gain == 0) {
    failure = Failed(name, kZeroGain);
    return false;
  }
  if (d.PWMFrequency.Value == 0) {
    failure = Failed(name, "zero PWM frequency");
    return false;
  }
  if (d.TorqueAndFluxControlRate == 0) {
    failure = Failed(name, "zero control rate");
    return false;
  }
  if (v == 0) {
    failure = Failed(name, "zero DC bus partitioning ratio");
    return false;
  }
  const auto maxBus = TruncateToInt64(1.65 / v);
  const auto maxBemf =
      TruncateToInt64(static_cast<double>(d.MotorMaxSpeed.Value) * d.Ke.Value * 1.4142 / 1732);
  if (!maxBus || !maxBemf) {
    failure = Failed(name, kOutOfRange);
    return false;
  }
  in.k = 1.65 / gain;
  // Both are kept in 16 bits, as the firmware holds them.
  in.maxBus = static_cast<std::int16_t>(Low32(*maxBus));
  in.maxBemf = static_cast<std::uint16_t>(Low32(*maxBemf));
  return true;
}

} // namespace

DefinitionText ModulationIndexDefinition(const UserData &d) {
  return Text(Format("#define MAX_MODULATION_%d_PER_CENT\n",
                     AsSigned(d.MaximumAvailableModulationIndex.Value)));
}

DefinitionText MtpaTable(const UserData &d) {
  if (d.InternalPMSMMaximunTxAStrategy == 0)
    return Text("");
  const double ld = d.Ld.Value / 1000;
  const double lq = d.Lq.Value / 1000;
  if (ld == lq)
    return Text(std::string("#error \"MTPA strategy is enabled but the edited Lq and Ld values are "
                            "equal\"\n") +
                kMtpaDummies);

  const double gain = ComputationGain(d);
  const double psi = MagnetFlux(d);
  const double current = d.RatedCurrent.Value;
  if (!Finite({ld, lq, gain, d.Ke.Value, current}))
    return Failed("IQMAX", kNotFinite, kMtpaDummies);
  if (gain == 0)
    return Failed("IQMAX", kZeroGain, kMtpaDummies);
  if (d.PolePairs.Value == 0)
    return Failed("IQMAX", "zero pole pairs", kMtpaDummies);
  if (current == 0)
    return Failed("IQMAX", "zero rated current", kMtpaDummies);

  const double k = 1.65 / gain;
  const double dL = ld - lq;
  const double id = current * (std::sqrt(psi * psi + 8 * (dL * dL) * (current * current)) - psi) /
                    (4 * dL * current);
  const double square = current * current - id * id;
  if (!(square >= 0))
    return Failed("IQMAX", "negative square root", kMtpaDummies);
  const double iqmax = std::sqrt(square);
  const auto iqMaxCounts = Floor32(iqmax * 32767 / k);
  if (!iqMaxCounts)
    return Failed("IQMAX", kOutOfRange, kMtpaDummies);
  const auto segDiv = Floor32(*iqMaxCounts * 0.125);

  std::array<std::int32_t, 8> angc{};
  std::array<std::int32_t, 8> ofst{};
  std::int64_t xPrev = 0;
  std::int64_t yPrev = 0;
  const double dLq = lq - ld;
  for (int j = 1; j <= 8; ++j) {
    const double iq = j * iqmax * 0.125;
    const auto x = Floor32(iq * 32767 / k);
    const double idj = psi / (2 * dLq) - std::sqrt(iq * iq + psi * psi / (4 * (dLq * dLq)));
    const auto y = Floor32(idj * 32767 / k);
    if (!x || !y)
      return Failed("ANGC", kOutOfRange, kMtpaDummies);
    if (*x == xPrev)
      return Failed("ANGC", "zero segment width", kMtpaDummies);
    const double slope = static_cast<double>(*y - yPrev) / static_cast<double>(*x - xPrev);
    const auto a = Floor32(slope * 32768);
    const auto o = Floor32(static_cast<double>(yPrev) - static_cast<double>(xPrev) * slope);
    if (!a || !o)
      return Failed("ANGC", kOutOfRange, kMtpaDummies);
    angc[j - 1] = *a;
    ofst[j - 1] = *o;
    xPrev = *x;
    yPrev = *y;
  }
  return Text(Format("#define IQMAX (s16)(%d)\n", *iqMaxCounts) +
              Format("#define SEGDIV (s16)(%d)\n", *segDiv) +
              Format("#define ANGC {%d,%d,%d,%d,%d,%d,%d,%d}\n", angc[0], angc[1], angc[2], angc[3],
                     angc[4], angc[5], angc[6], angc[7]) +
              Format("#define OFST {%d,%d,%d,%d,%d,%d,%d,%d}\n", ofst[0], ofst[1], ofst[2], ofst[3],
                     ofst[4], ofst[5], ofst[6], ofst[7]));
}

DefinitionText FeedForwardConstants(const UserData &d) {
  if (d.FeedForwardCurrentRegulation == 0)
    return Text("");
  const double gain = ComputationGain(d);
  const double v = d.DCBusVoltagePartitioning.Value;
  const double ld = d.Ld.Value / 1000;
  const double lq = d.Lq.Value / 1000;
  if (!Finite({gain, v, ld, lq, d.Ke.Value}))
    return Failed("CONSTANT1_Q", kNotFinite);
  if (gain == 0)
    return Failed("CONSTANT1_Q", kZeroGain);
  if (d.TorqueAndFluxControlRate == 0)
    return Failed("CONSTANT1_Q", "zero control rate");
  if (d.PolePairs.Value == 0)
    return Failed("CONSTANT2", "zero pole pairs");

  const double k = 1.65 / gain;
  const double w = 2 * static_cast<double>(d.PWMFrequency.Value) * kPi;
  const double rateD = d.TorqueAndFluxControlRate * 3.32;
  const double psi = MagnetFlux(d);
  const auto c1q = Floor32(w * k * lq * 16384 * v / rateD);
  if (!c1q)
    return Failed("CONSTANT1_Q", kOutOfRange);
  const auto c1d = Floor32(w * k * ld * 16384 * v / rateD);
  if (!c1d)
    return Failed("CONSTANT1_D", kOutOfRange);
  const auto c2 = Floor32(w * psi * 32768 * v / (rateD * 16));
  if (!c2)
    return Failed("CONSTANT2", kOutOfRange);
  return Text(Format("#define CONSTANT1_Q (s32)(%d)\n", *c1q) +
              Format("#define CONSTANT1_D (s32)(%d)\n", *c1d) +
              Format("#define CONSTANT2 (s32)(%d)\n", *c2));
}

DefinitionText HallPlacement(const UserData &d) {
  const std::uint32_t at120 = UseAuxHall(d) ? d.AuxHall120Degrees : d.Hall120Degrees;
  return Text(at120 == 1 ? "#define HALL_SENSORS_PLACEMENT DEGREES_120\n"
                         : "#define HALL_SENSORS_PLACEMENT DEGREES_60\n");
}

DefinitionText EncoderAlignmentCurrent(const UserData &d) {
  return RoundedCurrent("I_ALIGNMENT", "#define I_ALIGNMENT           (u16) %.0f\n", d,
                        UseAuxEncoder(d) ? d.AuxAlignmentCurrent.Value : d.AlignmentCurrent.Value);
}

DefinitionText PllProportionalGain(const UserData &d) {
  const bool aux = UseAuxObserver(d);
  if ((aux ? d.AuxGainsComputation : d.GainsComputation) == 0)
    return Text(Format("#define PLL_KP_GAIN %d\n",
                       AsSigned(aux ? d.AuxPLLPDividend.Value : d.PLLPDividend.Value)));
  return Text("#define PLL_KP_GAIN (s16)(532*MOTOR_MAX_SPEED_RPM*POLE_PAIR_NUM/SAMPLING_FREQ)\n");
}

DefinitionText PllIntegralGain(const UserData &d) {
  const bool aux = UseAuxObserver(d);
  if ((aux ? d.AuxGainsComputation : d.GainsComputation) == 0)
    return Text(Format("#define PLL_KI_GAIN %d\n",
                       AsSigned(aux ? d.AuxPLLIDividend.Value : d.PLLIDividend.Value)));
  return Text("#define PLL_KI_GAIN (s16)(1506742*POLE_PAIR_NUM/SAMPLING_FREQ * "
              "MOTOR_MAX_SPEED_RPM/SAMPLING_FREQ)\n");
}

DefinitionText StartUpFirstCurrent(const UserData &d) {
  return RoundedCurrent("FIRST_I_STARTUP", "#define FIRST_I_STARTUP           (u16) %.0f\n", d,
                        UseAuxObserver(d) ? d.AuxCurrentRampInitialValue.Value
                                          : d.CurrentRampInitialValue.Value);
}

DefinitionText StartUpFinalCurrent(const UserData &d) {
  return RoundedCurrent("FINAL_I_STARTUP", "#define FINAL_I_STARTUP           (u16) %.0f\n", d,
                        UseAuxObserver(d) ? d.AuxCurrentRampFinalValue.Value
                                          : d.CurrentRampFinalValue.Value);
}

DefinitionText SensorlessAlignmentCurrent(const UserData &d) {
  return RoundedCurrent("SLESS_I_ALIGNMENT", "#define SLESS_I_ALIGNMENT           (u16) %.0f\n", d,
                        UseAuxObserver(d) ? d.AuxAlignmentCurrent.Value : d.AlignmentCurrent.Value);
}

DefinitionText ObserverScalingF1(const UserData &d) {
  ObserverInputs in{};
  DefinitionText failure;
  if (!ObserverCommon("F1", d, in, failure))
    return failure;
  const double lq = d.Lq.Value / 1000;
  if (lq == 0)
    return Failed("F1", "zero Lq");
  const double rs = d.R.Value;
  const double fs = static_cast<double>(d.PWMFrequency.Value);
  const double rate = static_cast<double>(d.TorqueAndFluxControlRate);
  const double k1 = UseAuxObserver(d) ? d.AuxK1.Value : d.K1.Value;
  const double q = fs * lq * in.k / rate;
  double f = 2;
  for (int n = 14; n >= 1; --n) {
    f = std::ldexp(1.0, n);
    const auto a1 = TruncateToInt64(f * rs * rate / (fs * lq));
    const auto a2 = TruncateToInt64(f * k1 / fs / rate);
    const auto a3 = TruncateToInt64(in.maxBemf * f / q);
    const auto a4 = TruncateToInt64(in.maxBus * f / q);
    if (Within16(a1) && Within16(a2) && Within16(a3) && Within16(a4))
      break;
  }
  return Text(Format("#define F1 (s16)(%.0f)\n", f));
}

DefinitionText ObserverScalingF2(const UserData &d) {
  ObserverInputs in{};
  DefinitionText failure;
  if (!ObserverCommon("F2", d, in, failure))
    return failure;
  if (in.maxBemf == 0)
    return Failed("F2", "zero MAXBEMF");
  const std::uint32_t periods = d.PWMFrequency.Value / d.TorqueAndFluxControlRate;
  if (periods == 0)
    return Failed("F2", "PWM frequency below the control rate");
  const double k2 = UseAuxObserver(d) ? d.AuxK2.Value : d.K2.Value;
  double f = 2;
  for (int n = 14; n >= 1; --n) {
    f = std::ldexp(1.0, n);
    if (Within16(TruncateToInt64(f * (k2 * in.k / in.maxBemf) / periods)))
      break;
  }
  return Text(Format("#define F2 (s16)(%.0f)\n", f));
}

} // namespace parvex
