#include "Scaling.h"

#include "generation/RecordQuantities.h"
#include "model/Clamp.h"

#include <cmath>

namespace parvex::analysis {

namespace {

// Bus voltage times sensing gain, multiplied in the model's order so that
// the recomputed quotients match its results bit for bit.
double CurrentScale(const UserData &d) {
  const double bus = d.DCBusVoltage.Value;
  return IsSet(d.IsolatedCurrentSensors)
             ? bus * d.ICSGain.Value
             : bus * d.ShuntResistorValue.Value * d.AmplificationGain.Value;
}

// Control frequency in whole Hz, as the observer and SAMPLING_FREQ hold it.
double ControlFrequency(const UserData &d) {
  const std::uint32_t rate = d.TorqueAndFluxControlRate;
  return rate == 0 ? 0.0 : static_cast<double>(d.PWMFrequency.Value / rate);
}

} // namespace

Scaling ScalingOf(const UserData &d) {
  Scaling s;
  const double bus = d.DCBusVoltage.Value;
  s.currentScale = CurrentScale(d);
  s.currentCountsPerAmp = kFullScaleCounts * SensingGain(d) / kHalfConverterRange;
  // The gains turn current counts into voltage counts with the ratio
  // currentScale / 3.3; with the current scaling above that leaves half the
  // bus voltage at full scale.
  s.voltageCountsPerVolt = 2.0 * kFullScaleCounts / bus;
  s.controlPeriod =
      static_cast<double>(d.TorqueAndFluxControlRate) / static_cast<double>(d.PWMFrequency.Value);
  s.controlFrequency = ControlFrequency(d);
  s.cutOff = static_cast<double>(d.CutOffFrequency.Value);
  const double index = static_cast<double>(d.MaximumAvailableModulationIndex.Value) / 100.0;
  s.voltageLimit = index * bus / 2.0;
  s.voltageLimitCounts = static_cast<std::int64_t>(std::floor(index * kFullScaleCounts));
  return s;
}

CurrentDesign CurrentDesignOf(const UserData &d) {
  const double a = CurrentScale(d);
  const double wc = static_cast<double>(d.CutOffFrequency.Value);
  const double aTimesPwm = a * static_cast<double>(d.PWMFrequency.Value);
  CurrentDesign g;
  g.torqueP = wc * d.Lq.Value * 3.3 / 1000.0 / a;
  g.fluxP = wc * d.Ld.Value * 3.3 / 1000.0 / a;
  g.integral = d.R.Value * wc * 3.3 * static_cast<double>(d.TorqueAndFluxControlRate) / aTimesPwm;
  return g;
}

ObserverDesign ObserverDesignOf(const UserData &d) {
  const double fc = ControlFrequency(d);
  const double l = d.Lq.Value / 1000.0;
  const double r = d.R.Value;
  const double fc2 = std::pow(fc, 2);
  const double n = static_cast<double>(d.MotorMaxSpeed.Value);
  const double poles = static_cast<double>(d.PolePairs.Value);
  ObserverDesign o;
  o.y = (1.0 - r / (fc * l)) * 0.25;
  o.k1 = r / l + ((o.y + 0.25) - 2.0) * fc;
  o.k2 = ((((1.0 - o.y) - 0.25) + 0.25 * o.y) * fc2) * l;
  o.pllP = ((n * 532.0) * poles) / fc;
  o.pllI = (poles * (n * 1506742.0)) / fc2;
  return o;
}

} // namespace parvex::analysis
