// Quantities that several header definitions derive from the record: which
// of a main/auxiliary pair is in use, the current-sensing gains, the magnet
// flux, and the current scalings to converter counts.
#pragma once

#include "parvex.h"
#include "torvio/Conversion.h"

#include <cmath>
#include <cstdint>
#include <optional>

namespace parvex {

using torvio::Low32;
using torvio::TruncateToInt64;

inline constexpr double kPi = 3.141592653589793;

// H: the auxiliary Hall fields when Hall sensors are not the main sensor
// but are viewed as auxiliary feedback.
inline bool UseAuxHall(const UserData &d) {
  return d.HallSensors == 0 && d.ViewHallSensorsFeedback != 0;
}
// E: likewise for the encoder.
inline bool UseAuxEncoder(const UserData &d) {
  return d.QuadratureEncoder == 0 && d.ViewEncoderFeedback != 0;
}
// O: the auxiliary observer when a sensor drives the motor and the observer
// runs beside it for gain tuning.
inline bool UseAuxObserver(const UserData &d) {
  return d.NoSpeedSensors == 0 && d.EnableObserverGainTuning != 0;
}

// Current-sensing gain, V/A.
inline double SensingGain(const UserData &d) {
  return d.IsolatedCurrentSensors != 0 ? d.ICSGain.Value
                                       : d.AmplificationGain.Value * d.ShuntResistorValue.Value;
}

// The gain of the MTPA, feed-forward and observer definitions: with isolated
// sensors it is the amplification gain, not the sensor gain.
inline double ComputationGain(const UserData &d) {
  return d.IsolatedCurrentSensors != 0 ? d.AmplificationGain.Value
                                       : d.AmplificationGain.Value * d.ShuntResistorValue.Value;
}

// Permanent-magnet flux, Wb.
inline double MagnetFlux(const UserData &d) {
  return std::sqrt(2.0) * d.Ke.Value * 60 /
         (std::sqrt(3.0) * 2000 * kPi * static_cast<double>(d.PolePairs.Value));
}

// A current in amperes as converter counts, before truncation.
inline double CurrentCountsTruncating(const UserData &d, double amps) {
  return d.IsolatedCurrentSensors != 0
             ? amps * 32767 * d.ICSGain.Value / 1.65
             : amps * 32767 * d.AmplificationGain.Value * d.ShuntResistorValue.Value / 1.65;
}

// The same scaling in the order used by the rounded definitions.
inline double CurrentCountsRounding(const UserData &d, double amps) {
  return d.IsolatedCurrentSensors != 0
             ? amps * 32767 * d.ICSGain.Value / 1.65
             : amps * 32767 * d.ShuntResistorValue.Value * d.AmplificationGain.Value / 1.65;
}

// Truncates toward zero into a 32-bit signed integer; empty for NaN,
// infinities and values outside that range.
inline std::optional<std::int32_t> TruncateToInt32(double v) {
  const auto wide = TruncateToInt64(v);
  if (!wide || *wide < INT32_MIN || *wide > INT32_MAX)
    return std::nullopt;
  return static_cast<std::int32_t>(*wide);
}

// Record integers are printed as 32-bit signed values.
inline std::int32_t AsSigned(std::uint32_t v) {
  return static_cast<std::int32_t>(v);
}

} // namespace parvex
