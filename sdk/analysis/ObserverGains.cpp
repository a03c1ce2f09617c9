#include "ObserverGains.h"

#include "generation/RecordQuantities.h"
#include "model/Clamp.h"

namespace parvex::analysis {

ObserverSelection SelectObserver(const UserData &d) {
  if (UseAuxObserver(d))
    return {true,
            d.AuxK1.Value,
            d.AuxK2.Value,
            d.AuxPLLPDividend.Value,
            d.AuxPLLPDivisor.Value,
            d.AuxPLLIDividend.Value,
            d.AuxPLLIDivisor.Value,
            IsSet(d.AuxGainsComputation)};
  return {false,
          d.K1.Value,
          d.K2.Value,
          d.PLLPDividend.Value,
          d.PLLPDivisor.Value,
          d.PLLIDividend.Value,
          d.PLLIDivisor.Value,
          IsSet(d.GainsComputation)};
}

PllMacros EvaluatePllMacros(const UserData &d) {
  const std::uint32_t pwm = static_cast<std::uint16_t>(d.PWMFrequency.Value);
  const std::uint32_t repRatePlusOne = 2u * d.TorqueAndFluxControlRate; // REP_RATE + 1u
  if (repRatePlusOne == 0)
    return {};
  const std::uint32_t fs = static_cast<std::uint16_t>(pwm * 2u / repRatePlusOne);
  if (fs == 0)
    return {};
  const std::uint32_t speed = d.MotorMaxSpeed.Value;
  const std::uint32_t poles = static_cast<std::uint8_t>(d.PolePairs.Value);
  PllMacros m;
  m.p = 532u * speed * poles / fs;
  // 1506742 * POLE_PAIR_NUM is int arithmetic (at most 1506742 * 255), then
  // the u32 speed turns the rest unsigned.
  const std::int32_t head =
      1506742 * static_cast<std::int32_t>(poles) / static_cast<std::int32_t>(fs);
  m.i = static_cast<std::uint32_t>(head) * speed / fs;
  return m;
}

RunningPll RunningPllGains(const UserData &d, const ObserverSelection &o) {
  if (!o.computed)
    return {AsSigned(o.pllP), AsSigned(o.pllI)};
  const PllMacros macros = EvaluatePllMacros(d);
  // The (s16) cast wraps silently: the firmware runs the wrapped value.
  return {static_cast<std::int16_t>(macros.p.value_or(0)),
          static_cast<std::int16_t>(macros.i.value_or(0))};
}

} // namespace parvex::analysis
