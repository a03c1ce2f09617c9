#include "parvex/Model.h"

#include "model/Clamp.h"
#include "torvio/Conversion.h"

#include <cmath>
#include <cstdint>
#include <optional>

namespace parvex {

using torvio::TruncateToLow32;

namespace {

struct ObserverGains {
  std::int32_t k1;
  std::int32_t k2;
  std::uint32_t pllPDividend;
  std::uint32_t pllIDividend;
};

// The four fields one observer writes.
struct ObserverOutputs {
  SignedIntParam &k1;
  SignedIntParam &k2;
  IntParam &pllPDividend;
  IntParam &pllIDividend;
};

// Every operation is rounded in the order written: the results are compared
// bit for bit, and K2 of the defaults is an exact product that another order
// loses.
std::optional<ObserverGains> ComputeObserverGains(const UserData &data) {
  const std::uint32_t rate = data.TorqueAndFluxControlRate;
  if (rate == 0)
    return std::nullopt;
  // Control frequency in whole Hz (integer division), inductance in H.
  const double fc = static_cast<double>(data.PWMFrequency.Value / rate);
  const double l = data.Lq.Value / 1000.0;
  if (fc * l == 0.0)
    return std::nullopt;
  const double r = data.R.Value;
  const double fc2 = std::pow(fc, 2);

  const double y = (1.0 - r / (fc * l)) * 0.25;
  const double k1 = r / l + ((y + 0.25) - 2.0) * fc;
  const double k2 = ((((1.0 - y) - 0.25) + 0.25 * y) * fc2) * l;

  const double n = static_cast<double>(data.MotorMaxSpeed.Value);
  const double poles = static_cast<double>(data.PolePairs.Value);
  const double pllP = ((n * 532.0) * poles) / fc;
  const double pllI = (poles * (n * 1506742.0)) / fc2;

  const std::optional<std::uint32_t> k1Bits = TruncateToLow32(k1);
  const std::optional<std::uint32_t> k2Bits = TruncateToLow32(k2);
  const std::optional<std::uint32_t> pllPBits = TruncateToLow32(pllP);
  const std::optional<std::uint32_t> pllIBits = TruncateToLow32(pllI);
  if (!k1Bits || !k2Bits || !pllPBits || !pllIBits)
    return std::nullopt;
  // The observer gains are signed: their low 32 bits read as two's complement.
  return ObserverGains{static_cast<std::int32_t>(*k1Bits), static_cast<std::int32_t>(*k2Bits),
                       *pllPBits, *pllIBits};
}

int CalcObserver(const UserData &data, std::uint32_t enabled, ObserverOutputs out) {
  if (!IsSet(enabled))
    return 0;
  const std::optional<ObserverGains> gains = ComputeObserverGains(data);
  if (!gains)
    return 2;
  out.k1.Value = gains->k1;
  out.k2.Value = gains->k2;
  out.pllPDividend.Value = gains->pllPDividend;
  out.pllIDividend.Value = gains->pllIDividend;
  return 0;
}

} // namespace

int CalcSpeedFeedbackGains(UserData &data) {
  return CalcObserver(data, data.GainsComputation,
                      {data.K1, data.K2, data.PLLPDividend, data.PLLIDividend});
}

int CalcAuxSpeedFeedbackGains(UserData &data) {
  return CalcObserver(data, data.AuxGainsComputation,
                      {data.AuxK1, data.AuxK2, data.AuxPLLPDividend, data.AuxPLLIDividend});
}

} // namespace parvex
