#include "model/Clamp.h"
#include "model/ConsistencyRules.h"
#include "torvio/Conversion.h"

#include <algorithm>
#include <cstdint>
#include <optional>

namespace parvex {

using torvio::TruncateToInt64;

namespace {

// Full scale of the converter input and the margin kept below it.
constexpr double fullScale = 3.3;
constexpr double halfScale = 1.65;
constexpr double voltageMargin = 0.9;
// The thresholds' range always reaches at least this voltage.
constexpr std::uint32_t thresholdFloor = 15;

// The highest bus voltage the divider lets the converter measure. Empty when
// the ratio gives no whole voltage in the unsigned range (zero, negative or
// non-finite ratio, or one so small the voltage exceeds 32 bits).
std::optional<std::uint32_t> MeasurableBusVoltage(double partitioning) {
  const std::optional<std::int64_t> v = TruncateToInt64(fullScale / partitioning * voltageMargin);
  if (!v || *v < 0 || *v > static_cast<std::int64_t>(UINT32_MAX))
    return std::nullopt;
  return static_cast<std::uint32_t>(*v);
}

} // namespace

void CoupleVoltageThresholds(UserData &d) {
  const std::optional<std::uint32_t> vmax = MeasurableBusVoltage(d.DCBusVoltagePartitioning.Value);
  if (!vmax)
    return; // no measurable limit: the thresholds stay as they are
  IntParam &over = d.OverVoltageThreshold;
  IntParam &under = d.UnderVoltageThreshold;

  const std::uint32_t w = std::min(std::max(over.Min, over.Value), *vmax);
  over.Max = std::max(*vmax, thresholdFloor);
  under.Min = std::min(*vmax, thresholdFloor);
  const std::uint32_t oldUnder = under.Value;
  // Entered in the wrong order, the two thresholds are exchanged.
  under.Value = ClampInto(std::min(oldUnder, w), under.Min, over.Max);
  over.Value = ClampInto(std::max(oldUnder, w), under.Min, over.Max);
  over.Min = under.Value;
  under.Max = over.Value;
}

void LimitRatedCurrent(UserData &d) {
  const double measurable =
      IsSet(d.IsolatedCurrentSensors)
          ? halfScale / d.ICSGain.Value
          : halfScale / (d.AmplificationGain.Value * d.ShuntResistorValue.Value);
  // A zero gain or shunt gives no measurable limit; the stored one stays.
  CopyIfFinite(d.RatedCurrent.Max, measurable);
  d.RatedCurrent.Value = ClampInto(d.RatedCurrent.Value, d.RatedCurrent.Min, d.RatedCurrent.Max);
}

void CoupleInductances(UserData &d) {
  const double lq = d.Lq.Value;
  CopyIfFinite(d.Ld.Max, lq);
  d.Ld.Value = ClampInto(d.Ld.Value, d.Ld.Min, lq);
  // Without MTPA the motor is treated as having equal inductances.
  if (!IsSet(d.InternalPMSMMaximunTxAStrategy))
    CopyIfFinite(d.Ld.Value, lq);
}

} // namespace parvex
