// The speed loop's figures and the speed gains' design (parvex/SpeedLoop.h).
#include "SpeedAnalysis.h"

#include "CurrentLoop.h"
#include "FrequencyResponse.h"
#include "GainLevel.h"
#include "NumberText.h"
#include "Polynomial.h"
#include "SpeedStep.h"
#include "generation/RecordQuantities.h"

#include <algorithm>
#include <cmath>
#include <numbers>

namespace parvex::analysis {

namespace {

constexpr double kMarginLimit = 45.0;   // degrees
constexpr double kCascadeFactor = 5.0;  // speed crossover at most this far below the current's
constexpr double kDelayMarginLimit = 1; // degrees
constexpr double kSettlingBand = 0.02;
constexpr double kFewestSpeedPeriods = 30;
constexpr double kZeroSettlingTimes = 8; // 1 / (the PI zero), before the load
constexpr int kMaxDelay = 16;
constexpr const char *kHeader = "MC_Control_Param.h";

bool Positive(double v) {
  return std::isfinite(v) && v > 0;
}

void Add(SpeedLoopFigures &f, Level level, const std::string &reason) {
  f.level = std::max(f.level, level);
  if (!f.reason.empty())
    f.reason += "; ";
  f.reason += reason;
}

// Kt, N m per A of q current (0-peak): 3/2 x pole pairs x the magnet flux
// the headers use.
double TorqueConstant(const UserData &d) {
  return 1.5 * static_cast<double>(d.PolePairs.Value) * MagnetFlux(d);
}

SpeedGains GainsOf(const UserData &d) {
  return {d.SpeedPDividend.Value, d.SpeedPDivisor.Value, d.SpeedIDividend.Value,
          d.SpeedIDivisor.Value};
}

// The model's pieces the record gives, or why it gives none.
struct Built {
  SpeedModel model;
  std::string why;
};

Built Build(const UserData &d, const Scaling &s, const Mechanics &mech, const SpeedGains &g,
            const AnalysisOptions &options) {
  Built b;
  if (!Usable(mech)) {
    b.why = "the inertia must be above 0 and the friction not negative";
    return b;
  }
  const std::optional<DiscreteLoop> inner = CurrentLoopModel(d, s, Axis::Q, options);
  if (!inner) {
    b.why = "the q current loop is not analysed";
    return b;
  }
  b.model.period = d.SpeedRegulationControlRate / 1000.0;
  if (!Positive(b.model.period)) {
    b.why = "SpeedRegulationControlRate is zero";
    return b;
  }
  b.model.torqueConstant = TorqueConstant(d);
  if (!Positive(b.model.torqueConstant)) {
    b.why = "Ke or PolePairs is zero, so there is no torque constant";
    return b;
  }
  if (g.pDivisor == 0 || g.iDivisor == 0) {
    b.why = "a speed divisor is zero";
    return b;
  }
  b.model.kp = static_cast<double>(g.pDividend) / static_cast<double>(g.pDivisor);
  b.model.ki = static_cast<double>(g.iDividend) / static_cast<double>(g.iDivisor);
  b.model.delay = std::clamp(options.speedDelayPeriods, 0, kMaxDelay);
  b.model.inertia = mech.inertia;
  b.model.friction = mech.friction;
  b.model.countsPerAmp = s.currentCountsPerAmp;
  b.model.inner = *inner;
  return b;
}

// The controller in physical units: counts per rpm to A per rad/s.
SpeedController Physical(const SpeedModel &m) {
  const double perRadPerSecond = kRpmPerRadPerSecond / m.countsPerAmp;
  return {m.kp * perRadPerSecond, m.ki * perRadPerSecond / m.period};
}

LoopResponse ResponseOf(const SpeedModel &m) {
  return {[&m](double theta) { return SpeedOpenLoop(m, theta); },
          [&m](double theta) { return SpeedOpenLoopPhase(m, theta); }, m.period};
}

GainRow SpeedRow(const char *quantity, const char *definitions, std::int64_t dividend,
                 std::int64_t divisor, const Quantity &physical) {
  GainRow row;
  row.quantity = quantity;
  row.header = kHeader;
  row.definitions = definitions;
  row.dividend = dividend;
  row.divisor = divisor;
  row.written = divisor == 0 ? NAN : static_cast<double>(dividend) / static_cast<double>(divisor);
  // Entered by hand: nothing to compare it with.
  row.exact = row.written;
  row.relativeError = NAN;
  row.physical.push_back(physical);
  if (dividend > 32767)
    Raise(row, Level::Flag,
          std::to_string(dividend) + " does not fit the s16 the header casts it to");
  return row;
}

// Overshoot, settling, the load's pull and the current's peak.
void StepFigures(SpeedLoopFigures &f) {
  const double step = f.stepRpm;
  double highest = 0;
  double lowestLoaded = INFINITY;
  double peak = 0;
  for (const SpeedSample &p : f.step) {
    if (p.time < f.loadTime)
      highest = std::max(highest, p.speed);
    else
      lowestLoaded = std::min(lowestLoaded, p.speed);
    peak = std::max(peak, std::fabs(p.current));
  }
  f.overshoot = step > 0 ? std::max(0.0, highest / step - 1.0) : NAN;
  f.peakCurrent = peak;
  f.loadDrop =
      f.mechanics.loadTorque != 0 && std::isfinite(lowestLoaded) ? step - lowestLoaded : NAN;
  f.settlingTime = NAN;
  std::size_t last = 0;
  bool inside = false;
  for (std::size_t i = 0; i < f.step.size() && f.step[i].time < f.loadTime; ++i) {
    const bool ok = std::fabs(f.step[i].speed - step) <= kSettlingBand * step;
    if (ok && !inside)
      last = i;
    inside = ok;
  }
  if (inside)
    f.settlingTime = f.step[last].time;
}

void Judge(SpeedLoopFigures &f, const UserData &d) {
  if (!f.stable)
    Add(f, Level::Flag,
        "the speed loop is unstable: a closed-loop pole lies at radius " +
            Significant(f.spectralRadius) +
            ", outside the unit circle; lower the speed gains or the speed period");
  else if (std::isfinite(f.phaseMargin) && f.phaseMargin < kMarginLimit)
    Add(f, Level::Flag,
        "phase margin " + Significant(f.phaseMargin, 3) +
            " deg, below 45 deg; lower the proportional gain or the speed period");
  if (!std::isfinite(f.crossover))
    Add(f, Level::Flag, "the open speed loop's gain never crosses 1: it has no crossover");
  else if (std::isfinite(f.currentCrossover) && kCascadeFactor * f.crossover > f.currentCrossover)
    Add(f, Level::Flag,
        "the speed crossover " + Significant(f.crossover) +
            " rad/s is within a factor 5 of "
            "the current loop's " +
            Significant(f.currentCrossover) +
            " rad/s: the cascade stops being one; lower the speed gains");
  if (std::isfinite(f.peakCurrent) && f.peakCurrent > d.RatedCurrent.Value)
    Add(f, Level::Flag,
        "the step's q current peaks at " + Significant(f.peakCurrent, 3) +
            " A, above the nominal current " + Significant(d.RatedCurrent.Value, 3) + " A");
  else if (f.saturates)
    Add(f, Level::Note,
        "the " + Significant(f.stepRpm, 4) +
            " rpm step drives the torque reference to the "
            "current limit: the response is slower than the linear figures say");
  if (std::isfinite(f.innerDelayMarginError) && f.innerDelayMarginError > kDelayMarginLimit)
    Add(f, Level::Note,
        "the q current loop taken as a delay moves the phase margin by " +
            Significant(f.innerDelayMarginError, 2) + " deg: the poles are approximate");
  if (f.stable && std::isfinite(f.crossover) && !std::isfinite(f.settlingTime))
    Add(f, Level::Note, "the speed does not settle within 2 % before the load step");
}

// The speed loop's frequency figures, its poles and the inner loop's
// equivalent delay.
void Frequency(SpeedLoopFigures &f, const SpeedModel &m, int bodePoints) {
  FrequencyFigures freq = AnalyseFrequency(ResponseOf(m), bodePoints);
  f.crossover = freq.crossover;
  f.phaseMargin = freq.phaseMargin;
  f.bandwidth = freq.bandwidth;
  f.peakDb = freq.peakDb;
  f.peakFrequency = freq.peakFrequency;
  f.closedLoop = std::move(freq.closedLoop);
  // The inner loop as the delay that gives its phase at the crossover (or,
  // without one, at a tenth of the speed Nyquist frequency).
  const double at = std::isfinite(f.crossover) ? f.crossover : 0.1 * std::numbers::pi / m.period;
  f.innerDelay = -std::arg(InnerClosedLoop(m, at)) / at;
  if (std::isfinite(f.crossover)) {
    const LoopResponse delayed = {
        [&](double theta) {
          return std::polar(SpeedOpenLoopMagnitudeWithDelay(m, theta),
                            SpeedOpenLoopPhaseWithDelay(m, theta, f.innerDelay));
        },
        [&](double theta) { return SpeedOpenLoopPhaseWithDelay(m, theta, f.innerDelay); },
        m.period};
    const FrequencyFigures approx = AnalyseFrequency(delayed, 2);
    f.innerDelayMarginError = std::fabs(approx.phaseMargin - f.phaseMargin);
  }
  f.spectralRadius =
      SpectralRadius(PolynomialRoots(SpeedCharacteristicPolynomial(m, f.innerDelay)));
  f.stable = f.spectralRadius < 1.0;
}

} // namespace

SpeedLoopFigures AnalyseSpeedLoop(const UserData &d, const Scaling &s, const LoopFigures &q,
                                  const AnalysisOptions &options, std::vector<GainRow> &rows) {
  SpeedLoopFigures f;
  if (!options.mechanics)
    return f;
  f.mechanics = *options.mechanics;
  const SpeedGains gains = GainsOf(d);
  const Built built = Build(d, s, f.mechanics, gains, options);
  if (!built.why.empty()) {
    Add(f, Level::Flag, "not analysed: " + built.why);
    return f;
  }
  const SpeedModel &m = built.model;
  f.analysed = true;
  f.period = m.period;
  f.torqueConstant = m.torqueConstant;
  f.countsPerAmp = m.countsPerAmp;
  f.currentCrossover = q.crossover;
  f.controller = Physical(m);
  const std::int64_t limitCounts = static_cast<std::int64_t>(
      std::clamp(std::trunc(CurrentCountsTruncating(d, d.RatedCurrent.Value)), 0.0, 32767.0));
  f.currentLimit = static_cast<double>(limitCounts) / m.countsPerAmp;

  rows.push_back(SpeedRow("Speed proportional gain", "PID_SPEED_KP_DEFAULT / SP_KPDIV",
                          gains.pDividend, gains.pDivisor, {"Kp", f.controller.kp, "A/(rad/s)"}));
  rows.push_back(SpeedRow("Speed integral gain", "PID_SPEED_KI_DEFAULT / SP_KIDIV", gains.iDividend,
                          gains.iDivisor, {"Ki", f.controller.ki, "A/(rad/s*s)"}));

  Frequency(f, m, std::clamp(options.bodePoints, 2, 10000));

  const double requested =
      std::trunc(options.speedStepFraction * static_cast<double>(d.MotorMaxSpeed.Value));
  f.stepRpm = std::isfinite(requested) ? std::clamp(requested, 1.0, 32767.0) : 1.0;
  // Long enough for the crossover's dynamics and for the PI's slower zero
  // (Ki / Kp) to settle before the load steps in.
  const double settle = Positive(f.crossover) ? options.speedSettlingTimes / f.crossover : 0.0;
  const double zero = f.controller.kp > 0 ? f.controller.ki / f.controller.kp : 0.0;
  const double integral = Positive(zero) ? kZeroSettlingTimes / zero : 0.0;
  f.loadTime = std::max({settle, integral, kFewestSpeedPeriods * m.period});
  SpeedStepSetup step;
  step.model = m;
  step.gains = gains;
  step.limitCounts = limitCounts;
  step.stepRpm = static_cast<std::int64_t>(f.stepRpm);
  step.loadTorque = f.mechanics.loadTorque;
  step.loadTime = f.loadTime;
  step.duration = 2 * f.loadTime;
  SpeedStepResult sim = SimulateSpeedStep(step);
  f.step = std::move(sim.samples);
  f.saturates = sim.saturated;
  StepFigures(f);
  Judge(f, d);
  return f;
}

double DefaultSpeedBandwidth(const UserData &record, const AnalysisOptions &options) {
  const Scaling s = ScalingOf(record);
  const LoopFigures q = AnalyseLoop(record, s, Axis::Q, options);
  const double period = record.SpeedRegulationControlRate / 1000.0;
  if (!Positive(q.crossover) || !Positive(period))
    return NAN;
  return std::min(q.crossover / 10.0, 0.15 / period);
}

namespace {

// The largest power-of-two divisor up to 2^15 whose dividend fits s16.
std::pair<std::int64_t, std::int64_t> Quantise(double quotient) {
  for (int p = 15; p >= 0; --p) {
    const double divisor = std::ldexp(1.0, p);
    const double dividend = std::round(quotient * divisor);
    if (dividend <= 32767)
      return {static_cast<std::int64_t>(std::max(dividend, 0.0)),
              static_cast<std::int64_t>(divisor)};
  }
  return {32767, 1};
}

} // namespace

SpeedDesign DesignSpeedGains(const UserData &record, const Mechanics &mechanics, double bandwidth,
                             const AnalysisOptions &options) {
  SpeedDesign design;
  const Scaling s = ScalingOf(record);
  design.bandwidth = std::isfinite(bandwidth) ? bandwidth : DefaultSpeedBandwidth(record, options);
  // A unit design, 1 A per rad/s: the loop is linear in the gain.
  const double perAmp = s.currentCountsPerAmp / kRpmPerRadPerSecond;
  Built unit = Build(record, s, mechanics, {1, 1, 1, 1}, options);
  if (!unit.why.empty()) {
    design.why = unit.why;
    return design;
  }
  SpeedModel &m = unit.model;
  if (!Positive(design.bandwidth) || design.bandwidth * m.period >= std::numbers::pi) {
    design.why =
        "the wanted bandwidth must lie between 0 and the speed loop's Nyquist frequency (" +
        Significant(std::numbers::pi / m.period) + " rad/s)";
    return design;
  }
  // PI zero a factor 4 below the crossover; the gain that puts the
  // crossover at the bandwidth.
  m.kp = perAmp;
  m.ki = perAmp * design.bandwidth / 4.0 * m.period;
  const double unitGain = std::abs(SpeedOpenLoop(m, design.bandwidth * m.period));
  design.exact = {1.0 / unitGain, design.bandwidth / 4.0 / unitGain};
  const auto [pDividend, pDivisor] = Quantise(design.exact.kp * perAmp);
  const auto [iDividend, iDivisor] = Quantise(design.exact.ki * perAmp * m.period);
  design.gains = {pDividend, pDivisor, iDividend, iDivisor};
  m.kp = static_cast<double>(pDividend) / static_cast<double>(pDivisor);
  m.ki = static_cast<double>(iDividend) / static_cast<double>(iDivisor);
  design.written = Physical(m);
  design.proportionalError = design.written.kp / design.exact.kp - 1.0;
  design.integralError = design.written.ki / design.exact.ki - 1.0;
  const FrequencyFigures freq = AnalyseFrequency(ResponseOf(m), 2);
  design.crossover = freq.crossover;
  design.phaseMargin = freq.phaseMargin;
  design.designed = true;
  return design;
}

} // namespace parvex::analysis
