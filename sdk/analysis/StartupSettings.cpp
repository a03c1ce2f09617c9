#include "StartupSettings.h"

#include "generation/RecordQuantities.h"
#include "model/Clamp.h"
#include "parvex/Parameters.h"

#include <algorithm>
#include <cmath>

namespace parvex::analysis {

namespace {

// A current as the header's "(u16) %.0f" definitions hold it: rounded, then
// cast by the firmware's compiler.
std::int64_t HeaderCounts(const UserData &d, double amps) {
  const double counts = std::nearbyint(CurrentCountsRounding(d, amps));
  const auto whole = TruncateToInt64(counts);
  return whole ? static_cast<std::uint16_t>(Low32(*whole)) : 0;
}

bool Positive(double v) {
  return std::isfinite(v) && v > 0;
}

} // namespace

namespace {

const char *NameOf(const ParamMember &member) {
  const Parameter *p = FindParameter(member);
  return p ? p->name : "?";
}

} // namespace

const char *SettingName(IntMember member) {
  return NameOf(member);
}
const char *SettingName(RealMember member) {
  return NameOf(member);
}
const char *SettingName(FlagMember member) {
  return NameOf(member);
}

StartupSettings SettingsOf(const UserData &d) {
  const bool aux = UseAuxObserver(d);
  const ObserverMembers &o = aux ? AuxObserver() : MainObserver();
  // The auxiliary observer has no alignment of its own: the headers take
  // the auxiliary encoder's.
  const EncoderMembers &e = aux ? AuxEncoder() : MainEncoder();
  StartupSettings st;
  st.members = &o;
  st.alignment = &e;
  st.includeAlignment = IsSet(d.*o.includeAlignment);
  st.alignmentMs = (d.*e.alignmentDuration).Value;
  st.alignmentAngleDeg = (d.*e.alignmentAngle).Value;
  st.alignmentCounts = HeaderCounts(d, (d.*e.alignmentCurrent).Value);
  st.speedRampMs = (d.*o.speedRampDuration).Value;
  st.finalRpm = (d.*o.speedRampFinalValue).Value;
  st.firstCounts = HeaderCounts(d, (d.*o.currentRampInitialValue).Value);
  st.finalCounts = HeaderCounts(d, (d.*o.currentRampFinalValue).Value);
  st.currentRampMs = (d.*o.currentRampDuration).Value;
  st.consecutiveTests =
      static_cast<int>(std::min<std::uint32_t>((d.*o.consistencyThreshold).Value, 65535));
  // The header prints the percentage over 100 with four decimals.
  st.varianceFraction = std::round((d.*o.varianceThreshold).Value / 100.0 * 1e4) / 1e4;
  st.minimumRpm = (d.*o.minimumSpeed).Value;
  st.minMechanicalRpm = (d.*o.minMechanicalSpeed).Value;
  st.speedPeriodMs = d.SpeedRegulationControlRate;
  st.countsPerAmp = ScalingOf(d).currentCountsPerAmp;
  return st;
}

std::string Unsimulable(const UserData &d, const Scaling &s, const StartupSettings &st) {
  if (!Positive(s.controlPeriod) || !Positive(s.controlFrequency))
    return "the PWM frequency or the control rate is 0";
  if (!Positive(d.Ld.Value) || !Positive(d.Lq.Value))
    return "an inductance (Ld, Lq) is 0 or not a number";
  if (!(std::isfinite(d.R.Value) && d.R.Value >= 0))
    return "the resistance R is negative or not a number";
  if (d.PolePairs.Value == 0)
    return "PolePairs is 0";
  if (!Positive(MagnetFlux(d)))
    return "Ke gives no magnet flux";
  if (!Positive(s.currentCountsPerAmp) || !Positive(s.voltageCountsPerVolt))
    return "the current-sensing gain or the bus voltage is 0 or not a number";
  if (d.TorquePDivisor.Value == 0 || d.TorqueIDivisor.Value == 0)
    return "a current controller's divisor is 0";
  if (!std::isfinite(st.varianceFraction))
    return "VarianceThreshold is not a number";
  return {};
}

std::int64_t RampCurrent(const StartupSettings &st, std::int64_t fromRamp, std::int64_t periods) {
  const std::int64_t at = std::clamp<std::int64_t>(fromRamp, 0, periods);
  return st.firstCounts + (st.finalCounts - st.firstCounts) * at / periods;
}

} // namespace parvex::analysis
