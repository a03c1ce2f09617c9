#include "SpeedStep.h"

#include <algorithm>
#include <cmath>
#include <deque>

namespace parvex::analysis {

namespace {

constexpr std::size_t kMostSamples = 2000;
constexpr double kMostCurrentPeriods = 400000;

// C's integer division: truncation toward zero (as std::int64_t's).
std::int64_t Divide(std::int64_t a, std::int64_t b) {
  return a / b;
}

// The speed PI as the firmware runs it, once per speed period.
class SpeedPi {
public:
  SpeedPi(const SpeedGains &g, std::int64_t limit) : g_(g), limit_(limit) {}

  std::int64_t Run(std::int64_t error) {
    // Anti-windup: the integral alone never exceeds the limit.
    const std::int64_t bound = limit_ * g_.iDivisor;
    integral_ = std::clamp(integral_ + g_.iDividend * error, -bound, bound);
    const std::int64_t out =
        Divide(g_.pDividend * error, g_.pDivisor) + Divide(integral_, g_.iDivisor);
    saturated_ = saturated_ || out > limit_ || out < -limit_;
    return std::clamp(out, -limit_, limit_);
  }
  bool Saturated() const { return saturated_; }

private:
  SpeedGains g_;
  std::int64_t limit_;
  std::int64_t integral_ = 0;
  bool saturated_ = false;
};

// The q current loop, linear, one current period at a time (counts).
class InnerLoop {
public:
  explicit InnerLoop(const DiscreteLoop &l)
      : l_(l), applied_(static_cast<std::size_t>(l.delay), 0.0) {}

  // The current at the start of the period, then one period on.
  double Step(double reference) {
    const double now = current_;
    const double error = reference - current_;
    integral_ += l_.ki * error;
    applied_.push_back(l_.kp * error + integral_);
    const double voltage = applied_.front();
    applied_.pop_front();
    current_ = l_.phi * current_ + l_.plantGain * voltage;
    return now;
  }

private:
  DiscreteLoop l_;
  std::deque<double> applied_;
  double integral_ = 0;
  double current_ = 0;
};

} // namespace

SpeedStepResult SimulateSpeedStep(const SpeedStepSetup &s) {
  SpeedStepResult result;
  const SpeedModel &m = s.model;
  const double ts = m.inner.period;
  const double periods = std::min(std::ceil(s.duration / ts), kMostCurrentPeriods);
  const auto count = static_cast<std::int64_t>(periods);
  const std::int64_t every =
      std::max<std::int64_t>(1, (count + static_cast<std::int64_t>(kMostSamples) - 1) /
                                    static_cast<std::int64_t>(kMostSamples));
  // The mechanics over one current period with the torque held.
  const double keep = std::exp(-m.friction * ts / m.inertia);
  const double perTorque =
      m.friction > 0 ? -std::expm1(-m.friction * ts / m.inertia) / m.friction : ts / m.inertia;

  SpeedPi pi(s.gains, s.limitCounts);
  InnerLoop inner(m.inner);
  std::deque<std::int64_t> pending(static_cast<std::size_t>(std::max(m.delay, 0)), 0);
  std::int64_t reference = 0; // q current counts, as applied
  std::int64_t nextRun = 0;   // speed periods run so far
  double omega = 0;           // rad/s
  result.samples.reserve(kMostSamples + 1);
  for (std::int64_t k = 0; k < count; ++k) {
    const double t = static_cast<double>(k) * ts;
    // The speed loop runs on its own clock: every Tsp, at the first current
    // period that reaches it.
    if (t >= static_cast<double>(nextRun) * m.period) {
      ++nextRun;
      const double rpm = omega * kRpmPerRadPerSecond;
      const auto measured = static_cast<std::int64_t>(std::trunc(std::clamp(rpm, -1e9, 1e9)));
      pending.push_back(pi.Run(s.stepRpm - measured));
      reference = pending.front();
      pending.pop_front();
    }
    const double counts = inner.Step(static_cast<double>(reference));
    const double amps = counts / m.countsPerAmp;
    const double load = t >= s.loadTime ? s.loadTorque : 0.0;
    if (k % every == 0)
      result.samples.push_back(
          {t, static_cast<double>(s.stepRpm), omega * kRpmPerRadPerSecond, amps});
    omega = keep * omega + perTorque * (m.torqueConstant * amps - load);
  }
  result.saturated = pi.Saturated();
  return result;
}

} // namespace parvex::analysis
