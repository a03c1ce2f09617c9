#include "parvex/SamplingWindow.h"

#include "model/Clamp.h"

#include <cmath>

namespace parvex {

namespace {

constexpr std::uint32_t kTimerHz = 72000000;
constexpr std::uint32_t kFirstIndex = 72; // the search's first index

std::uint32_t Low16(std::uint32_t v) {
  return v & 0xFFFFu;
}
std::uint32_t NsToTicks(std::uint32_t ns) {
  return ns * 72u / 1000u; // 32-bit wrap-around, as the firmware's timer arithmetic
}

} // namespace

SingleShuntWindow SingleShuntWindowFor(std::uint32_t pwmFrequency, std::uint32_t deadTime,
                                       std::uint32_t samplingTime, std::uint32_t riseTime) {
  SingleShuntWindow w;
  w.firstIndex = kFirstIndex;
  const std::uint32_t twice = 2u * pwmFrequency;
  if (pwmFrequency == 0 || twice == 0)
    return w;
  const std::uint32_t per = Low16(kTimerHz / twice);
  const std::uint32_t t = Low16(4u * per);
  const auto ts3 = Low16(static_cast<std::uint32_t>(static_cast<double>(t) * 1.732051));
  w.measurementTicks = Low16(NsToTicks(deadTime + Low16(riseTime) + Low16(samplingTime)) + 1u);
  // At angle 0 the reference is (Q(index x 327.67), 0): one phase leads
  // the two others by D(wUA / 2), the widest window of the index.
  const double scaled = static_cast<double>(kFirstIndex) * 327.67;
  const double q = std::floor(scaled) < 5.0 ? std::floor(scaled) : std::ceil(scaled);
  const auto vAlpha = static_cast<std::int64_t>(q);
  const std::int64_t half = vAlpha * static_cast<std::int64_t>(ts3) / 2;
  w.widestWindowTicks = static_cast<std::uint32_t>(half / 131072);
  w.feasible = w.widestWindowTicks > w.measurementTicks;
  return w;
}

std::optional<SingleShuntWindow> SingleShuntWindowOf(const UserData &data) {
  if (IsSet(data.IsolatedCurrentSensors) || !IsSet(data.SingleShuntResistor))
    return std::nullopt;
  return SingleShuntWindowFor(data.PWMFrequency.Value, data.DeadTime.Value,
                              data.ADConverterSamplingTime, data.Trise.Value);
}

std::string SingleShuntInfeasibleText(const SingleShuntWindow &w) {
  return "one shunt cannot be sampled at any modulation index from " +
         std::to_string(w.firstIndex) + " %: the measurement (dead + rise + sampling time, " +
         std::to_string(w.measurementTicks) + " ticks) is not shorter than the widest window " +
         "the PWM period gives (" + std::to_string(w.widestWindowTicks) +
         " ticks); shorten the rise or dead time, or lower the PWM frequency";
}

} // namespace parvex
