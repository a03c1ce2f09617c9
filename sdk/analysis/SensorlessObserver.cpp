#include "SensorlessObserver.h"

#include "ObserverGains.h"
#include "generation/ComputedDefinitions.h"
#include "generation/RecordQuantities.h"

#include <algorithm>
#include <cmath>

namespace parvex::analysis {

namespace {

// The firmware's 32-bit states wrap as two's complement.
std::int32_t Wrap32(std::int64_t v) {
  return static_cast<std::int32_t>(static_cast<std::uint32_t>(static_cast<std::uint64_t>(v)));
}

std::optional<std::int64_t> Coefficient(double v) {
  return TruncateToInt64(v);
}

} // namespace

std::optional<ObserverConstants> ObserverConstantsOf(const UserData &d, std::string &why) {
  const ObserverSelection o = SelectObserver(d);
  const ObserverInputs in = ObserverInputsOf(d);
  const double fs = static_cast<double>(d.PWMFrequency.Value);
  const double rate = static_cast<double>(d.TorqueAndFluxControlRate);
  const double lq = d.Lq.Value / 1000.0;
  const std::uint32_t periods =
      d.TorqueAndFluxControlRate == 0 ? 0 : d.PWMFrequency.Value / d.TorqueAndFluxControlRate;
  if (periods == 0 || !(lq > 0)) {
    why = "the observer has no control frequency or no inductance (PWMFrequency, "
          "TorqueAndFluxControlRate, Lq)";
    return std::nullopt;
  }
  if (!in.hasMaxBemf || in.maxBemf == 0) {
    why = "MAXBEMF (MotorMaxSpeed x Ke) is 0: the observer has no back-EMF scale";
    return std::nullopt;
  }
  if (!in.hasMaxBus || in.maxBus <= 0) {
    why = "MAXBUS (from DCBusVoltagePartitioning) is not positive: the observer has no voltage "
          "scale";
    return std::nullopt;
  }
  if (o.pllPDivisor == 0 || o.pllIDivisor == 0) {
    why = "a PLL divisor is 0";
    return std::nullopt;
  }
  ObserverConstants c;
  c.f1 = ObserverScalingFactorF1(d);
  c.f2 = ObserverScalingFactorF2(d);
  const double f1 = static_cast<double>(c.f1);
  const double q = fs * lq * in.k / rate;
  const auto resistance = Coefficient(f1 * d.R.Value * rate / (fs * lq));
  const auto gainK1 = Coefficient(f1 * static_cast<double>(o.k1) * rate / fs);
  const auto voltage = Coefficient(in.maxBus * f1 / q);
  const auto emf = Coefficient(in.maxBemf * f1 / q);
  const auto gainK2 = Coefficient(static_cast<double>(c.f2) *
                                  (static_cast<double>(o.k2) * in.k / in.maxBemf) / periods);
  if (!resistance || !gainK1 || !voltage || !emf || !gainK2) {
    why = "an observer coefficient has no defined value (the current-sensing gain is 0?)";
    return std::nullopt;
  }
  c.resistance = *resistance;
  c.gainK1 = *gainK1;
  c.voltage = *voltage;
  c.emf = *emf;
  c.gainK2 = *gainK2;
  const RunningPll pll = RunningPllGains(d, o);
  c.pllP = pll.p;
  c.pllI = pll.i;
  c.pllPDivisor = o.pllPDivisor;
  c.pllIDivisor = o.pllIDivisor;
  c.voltsFullScale = in.maxBus;
  c.emfFullScale = in.maxBemf;
  return c;
}

void SensorlessObserver::Step(std::int64_t ialpha, std::int64_t ibeta, std::int64_t valpha,
                              std::int64_t vbeta) {
  const std::int64_t measured[2] = {ialpha, ibeta};
  const std::int64_t volts[2] = {valpha, vbeta};
  std::int64_t emf[2];
  for (int axis = 0; axis < 2; ++axis) {
    // C division truncates toward zero, as the firmware's does.
    const std::int64_t current = current_[axis] / c_.f1;
    emf[axis] = emf_[axis] / c_.f2;
    const std::int64_t error = current - measured[axis];
    current_[axis] = Wrap32(current_[axis] + c_.voltage * volts[axis] - c_.resistance * current -
                            c_.emf * emf[axis] + c_.gainK1 * error);
    emf_[axis] = Wrap32(emf_[axis] + c_.gainK2 * error);
  }
  Track(emf[0], emf[1]);
}

// The PLL: the angle error as the Q15 sine between the estimated back-EMF,
// taken at unit amplitude, and the tracked angle; speed = P e / Pdiv +
// sum(I e) / Idiv; the angle advanced by the speed.
void SensorlessObserver::Track(std::int64_t ealpha, std::int64_t ebeta) {
  const double a = static_cast<double>(ealpha);
  const double b = static_cast<double>(ebeta);
  const double length = std::hypot(a, b);
  std::int64_t error = 0;
  if (length > 0) {
    const double theta = angle_ * (2.0 * 3.141592653589793 / 65536.0);
    // e = E (-sin th, cos th): -ea cos th^ - eb sin th^ = E sin(th - th^).
    const double sine = (-a * std::cos(theta) - b * std::sin(theta)) / length;
    error = std::clamp<std::int64_t>(static_cast<std::int64_t>(sine * 32768.0), -32768, 32767);
  }
  integral_ = Wrap32(integral_ + c_.pllI * error);
  speed_ = c_.pllP * error / c_.pllPDivisor + integral_ / c_.pllIDivisor;
  angle_ = static_cast<std::uint16_t>(static_cast<std::uint64_t>(angle_ + speed_));
}

} // namespace parvex::analysis
