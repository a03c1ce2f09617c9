#include "ComputedDefinitions.h"

#include "CastRange.h"
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
  // "%.0f" rounds to nearest, ties to even, as nearbyint does.
  const auto printed = TruncateToInt64(std::nearbyint(counts));
  if (!printed)
    return Failed(name, kOutOfRange);
  if (const auto problem = CastProblem(format, *printed))
    return Failed(name, *problem);
  return Text(Format(format, counts));
}

const char *const kMtpaDummies = "#define IQMAX (s16)(0) /* Dummy value */ \n"
                                 "#define SEGDIV (s16)(0) /* Dummy value */ \n"
                                 "#define ANGC {0,0,0,0,0,0,0,0} /* Dummy values */ \n"
                                 "#define OFST {0,0,0,0,0,0,0,0} /* Dummy values */ \n";

const char *const kIqmaxFormat = "#define IQMAX (s16)(%d)\n";

// floor(v) as a 32-bit integer.
std::optional<std::int32_t> Floor32(double v) {
  return TruncateToInt32(std::floor(v));
}

// One quotient of the observer scaling search fits when it truncates into
// 16 bits. A quotient with no defined value (a missing input, or a zero
// divisor that gives inf or NaN) simply does not fit.
bool Fits16(double quotient) {
  const auto v = TruncateToInt64(quotient);
  return v && *v >= -32768 && *v <= 32767;
}

// A floored feed-forward constant: its definition line, or why it has none.
void AppendFloored(DefinitionText &into, const char *name, const char *format, double value,
                   const char *cause) {
  std::string reason;
  const auto v = Floor32(value);
  if (!std::isfinite(value))
    reason = cause;
  else if (!v)
    reason = kOutOfRange;
  else if (const auto problem = CastProblem(format, *v))
    reason = *problem;
  Append(into, name, reason.empty() ? Format(format, v.value_or(0)) : std::string(),
         reason.empty() ? nullptr : &reason);
}

} // namespace

ObserverInputs ObserverInputsOf(const UserData &d) {
  ObserverInputs in{};
  in.k = 1.65 / ComputationGain(d);
  if (const auto bus = TruncateToInt64(1.65 / d.DCBusVoltagePartitioning.Value)) {
    in.hasMaxBus = true;
    in.maxBus = static_cast<std::int16_t>(Low32(*bus));
  }
  if (const auto bemf = TruncateToInt64(static_cast<double>(d.MotorMaxSpeed.Value) * d.Ke.Value *
                                        1.4142 / 1732)) {
    in.hasMaxBemf = true;
    in.maxBemf = static_cast<std::uint16_t>(Low32(*bemf));
  }
  return in;
}

DefinitionText ModulationIndexDefinition(const UserData &d) {
  const std::int32_t index = AsSigned(d.MaximumAvailableModulationIndex.Value);
  // The number is part of the definition's name: a sign would make it no
  // identifier at all.
  if (index < 0)
    return Failed("MAX_MODULATION", std::to_string(index) + " gives no valid definition name");
  return Text(Format("#define MAX_MODULATION_%d_PER_CENT\n", index));
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
  if (const auto problem = CastProblem(kIqmaxFormat, *iqMaxCounts))
    return Failed("IQMAX", *problem, kMtpaDummies);
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
  return Text(Format(kIqmaxFormat, *iqMaxCounts) + Format("#define SEGDIV (s16)(%d)\n", *segDiv) +
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
  const double k = 1.65 / gain;
  const double w = 2 * static_cast<double>(d.PWMFrequency.Value) * kPi;
  const double rateD = d.TorqueAndFluxControlRate * 3.32;
  const double psi = MagnetFlux(d);
  // Each constant is written unless its own value is undefined; the reason
  // names the input that made it so.
  const bool rateZero = d.TorqueAndFluxControlRate == 0;
  const char *currentCause = !Finite({gain, v, ld, lq}) ? kNotFinite
                             : gain == 0                ? kZeroGain
                             : rateZero                 ? "zero control rate"
                                                        : kNotFinite;
  const char *fluxCause = !Finite({v, d.Ke.Value}) ? kNotFinite
                          : d.PolePairs.Value == 0 ? "zero pole pairs"
                          : rateZero               ? "zero control rate"
                                                   : kNotFinite;
  DefinitionText t;
  AppendFloored(t, "CONSTANT1_Q", "#define CONSTANT1_Q (s32)(%d)\n", w * k * lq * 16384 * v / rateD,
                currentCause);
  AppendFloored(t, "CONSTANT1_D", "#define CONSTANT1_D (s32)(%d)\n", w * k * ld * 16384 * v / rateD,
                currentCause);
  AppendFloored(t, "CONSTANT2", "#define CONSTANT2 (s32)(%d)\n", w * psi * 32768 * v / (rateD * 16),
                fluxCause);
  return t;
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

int ObserverScalingFactorF1(const UserData &d) {
  const ObserverInputs in = ObserverInputsOf(d);
  const double lq = d.Lq.Value / 1000;
  const double rs = d.R.Value;
  const double fs = static_cast<double>(d.PWMFrequency.Value);
  const double rate = static_cast<double>(d.TorqueAndFluxControlRate);
  const double k1 = UseAuxObserver(d) ? d.AuxK1.Value : d.K1.Value;
  const double q = fs * lq * in.k / rate;
  int n = 14;
  for (; n > 1; --n) {
    const double f = std::ldexp(1.0, n);
    const bool a1 = Fits16(f * rs * rate / (fs * lq));
    const bool a2 = Fits16(f * k1 / fs / rate);
    const bool a3 = in.hasMaxBemf && Fits16(in.maxBemf * f / q);
    const bool a4 = in.hasMaxBus && Fits16(in.maxBus * f / q);
    if (a1 && a2 && a3 && a4)
      break;
  }
  return 1 << n;
}

int ObserverScalingFactorF2(const UserData &d) {
  const ObserverInputs in = ObserverInputsOf(d);
  const double k2 = UseAuxObserver(d) ? d.AuxK2.Value : d.K2.Value;
  // PWM periods per control period, in unsigned division; none without a
  // control rate.
  const std::uint32_t rate = d.TorqueAndFluxControlRate;
  const bool hasPeriods = rate != 0;
  const std::uint32_t periods = hasPeriods ? d.PWMFrequency.Value / rate : 0;
  int n = 14;
  for (; n > 1; --n) {
    const double f = std::ldexp(1.0, n);
    if (in.hasMaxBemf && hasPeriods && Fits16(f * (k2 * in.k / in.maxBemf) / periods))
      break;
  }
  return 1 << n;
}

DefinitionText ObserverScalingF1(const UserData &d) {
  return Text(Format("#define F1 (s16)(%d)\n", ObserverScalingFactorF1(d)));
}

DefinitionText ObserverScalingF2(const UserData &d) {
  return Text(Format("#define F2 (s16)(%d)\n", ObserverScalingFactorF2(d)));
}

} // namespace parvex
