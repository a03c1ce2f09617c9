#include "parvex/StartupSimulation.h"

#include "ConvergenceTest.h"
#include "MotorModel.h"
#include "NumberText.h"
#include "Scaling.h"
#include "SensorlessObserver.h"
#include "StartupFindings.h"
#include "StartupSettings.h"
#include "StepSimulation.h"
#include "generation/RecordQuantities.h"
#include "model/Clamp.h"

#include <algorithm>
#include <array>
#include <cmath>
#include <deque>

namespace parvex::analysis {

namespace {

constexpr double kTwoPi = 2.0 * 3.141592653589793;
constexpr double kHalfPi = 3.141592653589793 / 2.0;
constexpr double kDegrees = 360.0 / kTwoPi;
constexpr double kAngleCounts = 65536.0;
constexpr std::int64_t kCountsMax = 32767;
constexpr int kMostDelay = 16;
// Beyond this the run stops (a minute of start-up at 65 kHz): every setting
// at its largest would otherwise take seconds to simulate.
constexpr std::int64_t kMostPeriods = std::int64_t{1} << 22;

double Wrapped(double radians) {
  const double r = std::remainder(radians, kTwoPi); // [-pi, pi]
  return r <= -kTwoPi / 2 ? r + kTwoPi : r;
}

std::uint16_t AngleCounts(double radians) {
  const double turns = radians / kTwoPi;
  const double counts = std::floor((turns - std::floor(turns)) * kAngleCounts);
  return static_cast<std::uint16_t>(static_cast<std::int64_t>(counts) & 0xFFFF);
}

double Radians(std::uint16_t counts) {
  return counts * (kTwoPi / kAngleCounts);
}

// A PI of the current loop in the firmware's integers (C division), its
// integral bounded so that alone it never asks for more than the limit.
class CurrentPi {
public:
  CurrentPi(std::int64_t kp, std::int64_t kpDiv, std::int64_t ki, std::int64_t kiDiv,
            std::int64_t limit)
      : kp_(kp), kpDiv_(kpDiv), ki_(ki), kiDiv_(kiDiv), bound_(limit * kiDiv) {}

  std::int64_t Run(std::int64_t error) {
    integral_ = std::clamp(integral_ + ki_ * error, -bound_, bound_);
    return kp_ * error / kpDiv_ + integral_ / kiDiv_;
  }

private:
  std::int64_t kp_, kpDiv_, ki_, kiDiv_, bound_;
  std::int64_t integral_ = 0;
};

struct Volts {
  std::int64_t d, q;
  bool bounded;
};

Volts Bound(std::int64_t d, std::int64_t q, std::int64_t limit, VoltageBound rule) {
  if (rule == VoltageBound::EachAxis) {
    const bool bounded = std::llabs(d) > limit || std::llabs(q) > limit;
    return {std::clamp(d, -limit, limit), std::clamp(q, -limit, limit), bounded};
  }
  const double length = std::hypot(static_cast<double>(d), static_cast<double>(q));
  if (length <= static_cast<double>(limit))
    return {d, q, false};
  const double scale = static_cast<double>(limit) / length;
  return {static_cast<std::int64_t>(static_cast<double>(d) * scale),
          static_cast<std::int64_t>(static_cast<double>(q) * scale), true};
}

struct Timeline {
  std::int64_t alignment = 0; // periods
  std::int64_t ramp = 1;
  std::int64_t currentRamp = 1;
  std::int64_t hold = 0;
  std::int64_t afterSwitch = 0;
  std::int64_t testEvery = 1;
};

std::int64_t Periods(double seconds, double period) {
  const double n = std::round(seconds / period);
  return std::isfinite(n) ? static_cast<std::int64_t>(std::clamp(n, 0.0, 1e15)) : 0;
}

Timeline TimelineOf(const StartupSettings &st, const StartupOptions &o, double ts) {
  Timeline t;
  t.alignment =
      st.includeAlignment ? std::max<std::int64_t>(1, Periods(st.alignmentMs / 1e3, ts)) : 0;
  t.ramp = std::max<std::int64_t>(1, Periods(st.speedRampMs / 1e3, ts));
  t.currentRamp = std::max<std::int64_t>(1, Periods(st.currentRampMs / 1e3, ts));
  t.hold = Periods(std::max(o.holdAfterRamp, 0.0), ts);
  t.afterSwitch = Periods(std::max(o.afterSwitch, 0.0), ts);
  const double testMs = std::isnan(o.testPeriodMs) ? st.speedPeriodMs : o.testPeriodMs;
  t.testEvery = std::max<std::int64_t>(1, Periods(testMs / 1e3, ts));
  return t;
}

// The forced angle's first current vector, electrical radians.
double FirstCurrentAngle(const StartupSettings &st, const StartupOptions &o) {
  const double alignment = st.alignmentAngleDeg / kDegrees;
  if (st.includeAlignment)
    return alignment + (o.alignmentAxis == AlignmentAxis::Q ? kHalfPi : 0.0);
  return (o.forcedStart == ForcedStart::AtAlignment ? alignment : 0.0) + kHalfPi;
}

} // namespace

std::string StartupNotApplicable(const UserData &d) {
  if (IsSet(d.NoSpeedSensors) || UseAuxObserver(d))
    return {};
  return "A speed sensor drives the motor and no observer is tuned beside it (NoSpeedSensors, "
         "EnableObserverGainTuning): there is no sensorless start-up to simulate.";
}

double WorstCaseRotorAngle(const UserData &d, const StartupOptions &o) {
  const double degrees = FirstCurrentAngle(SettingsOf(d), o) * kDegrees + 179.0;
  return std::fmod(degrees, 360.0);
}

StartupResult SimulateStartup(const UserData &d, const Mechanics &mech, const StartupOptions &o) {
  StartupResult r;
  r.notSimulated = StartupNotApplicable(d);
  if (!r.notSimulated.empty())
    return r;
  r.auxiliary = UseAuxObserver(d);
  r.mechanics = mech;
  if (!Usable(mech)) {
    r.notSimulated = "No inertia given: the start-up is not simulated.";
    return r;
  }
  const Scaling s = ScalingOf(d);
  const StartupSettings st = SettingsOf(d);
  std::string why = Unsimulable(d, s, st);
  const auto constants = ObserverConstantsOf(d, why);
  if (!why.empty() || !constants) {
    r.notSimulated = "The start-up is not simulated: " + why + ".";
    return r;
  }

  const double ts = s.controlPeriod;
  const Timeline t = TimelineOf(st, o, ts);
  MotorParameters motor;
  motor.resistance = d.R.Value;
  motor.ld = d.Ld.Value / 1000.0;
  motor.lq = d.Lq.Value / 1000.0;
  motor.flux = MagnetFlux(d);
  motor.polePairs = static_cast<int>(d.PolePairs.Value);
  motor.inertia = mech.inertia;
  motor.friction = mech.friction;
  motor.loadTorque = mech.loadTorque;

  const std::int64_t limit = std::clamp<std::int64_t>(s.voltageLimitCounts, 0, kCountsMax);
  r.voltageLimit = static_cast<double>(limit) / s.voltageCountsPerVolt;
  CurrentPi qPi(d.TorquePDividend.Value, d.TorquePDivisor.Value, d.TorqueIDividend.Value,
                d.TorqueIDivisor.Value, limit);
  // The header's divisors are the torque controller's, for both axes.
  CurrentPi dPi(d.FluxPDividend.Value, d.TorquePDivisor.Value, d.FluxIDividend.Value,
                d.TorqueIDivisor.Value, limit);
  SensorlessObserver observer(*constants);
  ConvergenceRule rule;
  rule.depth = std::max(o.estimateDepth, 1);
  rule.fraction = st.varianceFraction;
  rule.minimumRpm =
      o.convergenceSpeed == ConvergenceSpeed::MinimumSpeed ? st.minimumRpm : st.minMechanicalRpm;
  rule.spread = o.spreadRule;
  rule.needed = std::max(st.consecutiveTests, 1);
  ConvergenceTest test(rule);
  r.testsNeeded = rule.needed;

  const int delay = std::clamp(o.delayPeriods, 0, kMostDelay);
  std::deque<std::array<std::int64_t, 2>> pending(static_cast<std::size_t>(delay), {0, 0});
  std::array<std::int64_t, 2> applied{0, 0};
  const double rpmPerCount = s.controlFrequency * 60.0 / (kAngleCounts * motor.polePairs);
  const double radiansPerRpmPeriod = motor.polePairs * kTwoPi / 60.0 * ts;

  r.rotorAngle = o.rotorAngle.value_or(WorstCaseRotorAngle(d, o));
  MotorState m;
  m.angle = r.rotorAngle / kDegrees;
  double forced = o.forcedStart == ForcedStart::AtAlignment ? st.alignmentAngleDeg / kDegrees : 0.0;
  const std::uint16_t alignmentFrame = AngleCounts(st.alignmentAngleDeg / kDegrees);

  std::int64_t total = t.alignment + t.ramp + t.hold + t.afterSwitch;
  const bool cut = total > kMostPeriods;
  total = std::min(total, kMostPeriods);
  const std::int64_t every = std::max<std::int64_t>(1, (total + std::max(o.seriesPoints, 1) - 1) /
                                                           std::max(o.seriesPoints, 1));
  LoadAngleWatch watch;
  std::int64_t closedFrom = -1;
  std::int64_t heldReference = 0;
  double peakCurrent = 0;
  double peakVoltage = 0;

  for (std::int64_t k = 0; k < total; ++k) {
    if (closedFrom >= 0 && k >= closedFrom + t.afterSwitch)
      break;
    const std::int64_t fromRamp = k - t.alignment;
    StartupPhase phase = StartupPhase::Alignment;
    if (closedFrom >= 0)
      phase = StartupPhase::Closed;
    else if (fromRamp >= t.ramp)
      phase = StartupPhase::Hold;
    else if (fromRamp >= 0)
      phase = StartupPhase::Ramp;
    if (phase == StartupPhase::Hold && fromRamp >= t.ramp + t.hold)
      break;
    if (fromRamp == 0) {
      // The rotor's angle counted from the forced current vector's, so that
      // the load angle starts within half a turn.
      const double lead = Wrapped(m.angle - (forced + kHalfPi));
      m.angle = forced + kHalfPi + lead;
    }

    // What the converter measures at the start of the period.
    const AlphaBeta amps = StatorCurrents(m);
    const std::int64_t ia = MeasuredCounts(amps.alpha, s.currentCountsPerAmp);
    const std::int64_t ib = MeasuredCounts(amps.beta, s.currentCountsPerAmp);
    const double appliedScale =
        1.0 / s.voltageCountsPerVolt * kCountsMax / constants->voltsFullScale;
    observer.Step(ia, ib, static_cast<std::int64_t>(static_cast<double>(applied[0]) * appliedScale),
                  static_cast<std::int64_t>(static_cast<double>(applied[1]) * appliedScale));
    const double estimateRpm = static_cast<double>(observer.Speed()) * rpmPerCount;

    const double forcedRpm = phase == StartupPhase::Ramp
                                 ? static_cast<double>(st.finalRpm) *
                                       static_cast<double>(fromRamp) / static_cast<double>(t.ramp)
                                 : static_cast<double>(st.finalRpm);
    if (phase == StartupPhase::Ramp || phase == StartupPhase::Hold) {
      test.Add(estimateRpm);
      if ((fromRamp + 1) % t.testEvery == 0 && test.Test()) {
        r.converged = true;
        r.convergenceTime = static_cast<double>(fromRamp + 1) * ts;
        r.convergenceRotorSpeed = m.speed * 60.0 / kTwoPi;
        r.convergenceEstimate = test.Mean();
        r.convergenceAngleError = Wrapped(Radians(observer.Angle()) - m.angle) * kDegrees;
        closedFrom = k;
        phase = StartupPhase::Closed;
      }
    }

    // The frame the controllers work in, and their references.
    std::uint16_t frame = alignmentFrame;
    std::int64_t refD = 0;
    std::int64_t refQ = 0;
    if (phase == StartupPhase::Alignment) {
      const std::int64_t counts = o.alignmentProfile == AlignmentProfile::Ramp
                                      ? st.alignmentCounts * (k + 1) / t.alignment
                                      : st.alignmentCounts;
      (o.alignmentAxis == AlignmentAxis::D ? refD : refQ) = counts;
    } else if (phase == StartupPhase::Closed) {
      frame = observer.Angle();
      if (k == closedFrom)
        heldReference = RampCurrent(st, fromRamp, t.currentRamp);
      refQ = heldReference;
    } else {
      frame = AngleCounts(forced);
      refQ = RampCurrent(st, fromRamp, t.currentRamp);
    }
    const double c = std::cos(Radians(frame));
    const double sn = std::sin(Radians(frame));
    const auto id =
        static_cast<std::int64_t>(static_cast<double>(ia) * c + static_cast<double>(ib) * sn);
    const auto iq =
        static_cast<std::int64_t>(-static_cast<double>(ia) * sn + static_cast<double>(ib) * c);
    const Volts v = Bound(dPi.Run(refD - id), qPi.Run(refQ - iq), limit, o.voltageBound);
    if (v.bounded && (phase == StartupPhase::Ramp || phase == StartupPhase::Hold))
      r.voltageLimited = true;
    const double vd = static_cast<double>(v.d);
    const double vq = static_cast<double>(v.q);
    pending.push_back(
        {static_cast<std::int64_t>(vd * c - vq * sn), static_cast<std::int64_t>(vd * sn + vq * c)});
    applied = pending.front();
    pending.pop_front();
    const AlphaBeta volts{static_cast<double>(applied[0]) / s.voltageCountsPerVolt,
                          static_cast<double>(applied[1]) / s.voltageCountsPerVolt};

    if (phase == StartupPhase::Ramp || phase == StartupPhase::Hold)
      watch.See((forced + kHalfPi - m.angle) * kDegrees, static_cast<double>(fromRamp) * ts);
    peakCurrent = std::max(peakCurrent, std::hypot(m.id, m.iq));
    peakVoltage = std::max(peakVoltage, std::hypot(volts.alpha, volts.beta));
    if (k % every == 0) {
      StartupSample p;
      p.time = static_cast<double>(fromRamp) * ts;
      p.phase = phase;
      p.forcedSpeed = phase == StartupPhase::Closed      ? NAN
                      : phase == StartupPhase::Alignment ? 0.0
                                                         : forcedRpm;
      p.rotorSpeed = m.speed * 60.0 / kTwoPi;
      p.estimatedSpeed = estimateRpm;
      p.angleError = Wrapped(Radians(observer.Angle()) - m.angle) * kDegrees;
      p.loadAngle = phase == StartupPhase::Ramp || phase == StartupPhase::Hold
                        ? (forced + kHalfPi - m.angle) * kDegrees
                        : NAN;
      p.iq = m.iq;
      p.id = m.id;
      p.voltage = std::hypot(volts.alpha, volts.beta);
      r.series.push_back(p);
    }

    m = AdvanceMotor(motor, m, volts, ts);
    if (phase == StartupPhase::Ramp || phase == StartupPhase::Hold)
      forced += forcedRpm * radiansPerRpmPeriod;
    r.endTime = static_cast<double>(fromRamp + 1) * ts;
  }

  r.largestLoadAngle = watch.Largest();
  r.largestLoadAngleTime = watch.LargestTime();
  r.lostStep = watch.LostStep();
  r.passedTests = test.Longest();
  r.peakCurrent = peakCurrent;
  r.peakVoltage = peakVoltage;
  Judge(r, {d, st, mech, s, test, rule, watch, cut});
  return r;
}

} // namespace parvex::analysis
