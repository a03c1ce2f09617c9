#include "parvex/Model.h"

#include "model/Clamp.h"
#include "model/IntegerPower.h"
#include "torvio/Conversion.h"

#include <optional>

namespace parvex {

using torvio::TruncateToLow32;

namespace {

// Converter full scale (V) and mH per H.
constexpr double fullScale = 3.3;
constexpr double milliPerUnit = 1000.0;
// Each dividend should carry 2000 to 4000 counts of resolution.
constexpr double windowLow = 2000.0;
constexpr double windowHigh = 4000.0;
constexpr int maxExponent = 14;

// The first exponent 1..14 that puts 2^i * base into the window, else 14.
int WindowExponent(double base) {
  for (int i = 1; i <= maxExponent; ++i) {
    const double scaled = IntegerPower(2.0, i) * base;
    if (scaled >= windowLow && scaled <= windowHigh)
      return i;
  }
  return maxExponent;
}

} // namespace

int CalcTorqueAndFluxGains(UserData &data) {
  if (!IsSet(data.TorqueAndFluxGainsComputation))
    return 0;

  const double busVoltage = data.DCBusVoltage.Value;
  const double a = IsSet(data.IsolatedCurrentSensors)
                       ? busVoltage * data.ICSGain.Value
                       : busVoltage * data.ShuntResistorValue.Value * data.AmplificationGain.Value;
  if (a == 0.0)
    return 2;
  const double pwmFrequency = static_cast<double>(data.PWMFrequency.Value);
  const double aTimesPwm = a * pwmFrequency;
  if (aTimesPwm == 0.0)
    return 2;

  const double wc = static_cast<double>(data.CutOffFrequency.Value);
  const double kpTorque = wc * data.Lq.Value * fullScale / milliPerUnit / a;
  const double kpFlux = wc * data.Ld.Value * fullScale / milliPerUnit / a;
  const double ki = data.R.Value * wc * fullScale *
                    static_cast<double>(data.TorqueAndFluxControlRate) / aTimesPwm;

  // The flux controller shares the divisor chosen for the torque controller.
  const int p = WindowExponent(kpTorque);
  const int q = WindowExponent(ki);
  const double pDivisor = IntegerPower(2.0, p);
  const double iDivisor = IntegerPower(2.0, q);

  const std::optional<std::uint32_t> torqueP = TruncateToLow32(kpTorque * pDivisor);
  const std::optional<std::uint32_t> fluxP = TruncateToLow32(kpFlux * pDivisor);
  const std::optional<std::uint32_t> integral = TruncateToLow32(ki * iDivisor);
  const std::optional<std::uint32_t> pDiv = TruncateToLow32(pDivisor);
  const std::optional<std::uint32_t> iDiv = TruncateToLow32(iDivisor);
  // Extreme or non-finite inputs: keep the gains as they were rather than
  // storing an undefined conversion.
  if (!torqueP || !fluxP || !integral || !pDiv || !iDiv)
    return 2;

  // Differential dividend of both controllers.
  constexpr std::uint32_t dDividend = 100;

  data.TorquePDivisor.Value = *pDiv;
  data.FluxPDivisor.Value = *pDiv;
  data.TorquePDividend.Value = *torqueP;
  data.FluxPDividend.Value = *fluxP;
  data.TorqueIDivisor.Value = *iDiv;
  data.FluxIDivisor.Value = *iDiv;
  data.TorqueIDividend.Value = *integral;
  data.FluxIDividend.Value = *integral;
  data.TorqueDDividend.Value = dDividend;
  data.FluxDDividend.Value = dDividend;
  return 0;
}

} // namespace parvex
