#include "CurrentLoop.h"

#include "FrequencyResponse.h"
#include "GainLevel.h"
#include "NumberText.h"
#include "StepSimulation.h"

#include <algorithm>
#include <cmath>

namespace parvex::analysis {

namespace {

constexpr double kMarginLimit = 45.0;    // degrees
constexpr double kCrossoverSpread = 0.2; // of the requested bandwidth
constexpr double kSettlingBand = 0.02;
constexpr int kMinSamples = 60;
constexpr int kMaxSamples = 20000;
constexpr int kMaxDelay = 16;

void Add(LoopFigures &f, Level level, const std::string &reason) {
  if (level > f.level)
    f.level = level;
  if (!f.reason.empty())
    f.reason += "; ";
  f.reason += reason;
}

bool Positive(double v) {
  return std::isfinite(v) && v > 0;
}

// Why the record gives no loop to simulate; empty when it does.
std::string Unanalysable(const UserData &d, const Scaling &s, double inductance) {
  if (!Positive(inductance))
    return "the inductance is zero or not a number";
  if (!(std::isfinite(d.R.Value) && d.R.Value >= 0))
    return "the resistance is negative or not a number";
  if (!Positive(s.controlPeriod))
    return "the PWM frequency or the control rate is zero";
  if (!Positive(s.currentCountsPerAmp) || !Positive(s.voltageCountsPerVolt))
    return "the current-sensing gain or the bus voltage is zero or not a number";
  if (!Positive(s.cutOff))
    return "CutOffFrequency is zero";
  if (d.TorquePDivisor.Value == 0 || d.TorqueIDivisor.Value == 0)
    return "a divisor is zero";
  return {};
}

// Overshoot (fraction) and 2 % settling time of the simulated current.
void StepFigures(LoopFigures &f) {
  double highest = 0;
  for (const Sample &p : f.step)
    highest = std::max(highest, p.current);
  f.overshoot = std::max(0.0, highest / f.stepAmps - 1.0);
  f.settlingTime = NAN;
  const double band = kSettlingBand * f.stepAmps;
  for (std::size_t i = f.step.size(); i-- > 0;) {
    if (std::fabs(f.step[i].current - f.stepAmps) > band) {
      if (i + 1 < f.step.size())
        f.settlingTime = f.step[i + 1].time;
      return;
    }
  }
  f.settlingTime = 0;
}

void Judge(LoopFigures &f, const Scaling &s, int delay) {
  const double wc = s.cutOff;
  if (!f.stable)
    Add(f, Level::Flag,
        "the loop is unstable: a closed-loop pole lies at radius " + Significant(f.spectralRadius) +
            ", outside the unit circle (phase margin " + Significant(f.phaseMargin, 3) +
            " deg); lower CutOffFrequency or the control rate");
  else if (std::isfinite(f.phaseMargin) && f.phaseMargin < kMarginLimit)
    Add(f, Level::Flag,
        "phase margin " + Significant(f.phaseMargin, 3) + " deg, below 45 deg: the delay of " +
            Significant(delay + 0.5, 3) + " control periods costs about " +
            Significant((delay + 0.5) * wc * s.controlPeriod, 2) +
            " rad at the crossover; lower CutOffFrequency or the control rate");
  if (!std::isfinite(f.crossover))
    Add(f, Level::Flag, "the open-loop gain never crosses 1: the loop has no crossover");
  else if (std::fabs(f.crossover - wc) > kCrossoverSpread * wc)
    Add(f, Level::Flag,
        "crossover " + Significant(f.crossover) + " rad/s is " + Percent((f.crossover - wc) / wc) +
            " from the requested " + Significant(wc) + " rad/s");
  if (f.saturates)
    Add(f, Level::Flag,
        "the " + Significant(f.stepAmps, 3) + " A step drives the voltage to its limit (" +
            Significant(s.voltageLimit, 3) +
            " V): the response is slower than designed and the integral winds up to its clamp");
  if (f.stepCounts < kFewestCounts)
    Add(f, Level::Note,
        "the step is only " + std::to_string(f.stepCounts) +
            " counts: the response shows the converter's resolution");
  if (f.stable && !std::isfinite(f.settlingTime))
    Add(f, Level::Note, "the current does not settle within 2 % in the simulated time");
}

// The plant over one period with the voltage held: the current kept, and
// the current gained per applied volt.
struct HeldPlant {
  double phi;
  double ampsPerVolt;
};
HeldPlant Held(double r, double inductance, double ts) {
  const double decay = r * ts / inductance;
  return {std::exp(-decay), r > 0 ? -std::expm1(-decay) / r : ts / inductance};
}

DiscreteLoop ModelOf(const UserData &d, const Scaling &s, bool q, double inductance, int delay) {
  const HeldPlant plant = Held(d.R.Value, inductance, s.controlPeriod);
  // The header's divisors are the torque controller's, for both axes.
  DiscreteLoop loop;
  loop.kp = static_cast<double>(q ? d.TorquePDividend.Value : d.FluxPDividend.Value) /
            static_cast<double>(d.TorquePDivisor.Value);
  loop.ki = static_cast<double>(q ? d.TorqueIDividend.Value : d.FluxIDividend.Value) /
            static_cast<double>(d.TorqueIDivisor.Value);
  loop.plantGain = s.currentCountsPerAmp * plant.ampsPerVolt / s.voltageCountsPerVolt;
  loop.phi = plant.phi;
  loop.delay = delay;
  loop.period = s.controlPeriod;
  return loop;
}

} // namespace

std::optional<DiscreteLoop> CurrentLoopModel(const UserData &d, const Scaling &s, Axis axis,
                                             const AnalysisOptions &options) {
  const bool q = axis == Axis::Q;
  const double inductance = (q ? d.Lq.Value : d.Ld.Value) / 1000.0;
  if (!Unanalysable(d, s, inductance).empty())
    return std::nullopt;
  return ModelOf(d, s, q, inductance, std::clamp(options.delayPeriods, 0, kMaxDelay));
}

LoopFigures AnalyseLoop(const UserData &d, const Scaling &s, Axis axis,
                        const AnalysisOptions &options) {
  LoopFigures f;
  const bool q = axis == Axis::Q;
  f.axis = q ? "q (torque)" : "d (flux)";
  f.inductance = (q ? d.Lq.Value : d.Ld.Value) / 1000.0;
  if (const std::string why = Unanalysable(d, s, f.inductance); !why.empty()) {
    Add(f, Level::Flag, "not analysed: " + why);
    return f;
  }
  f.analysed = true;

  const double ts = s.controlPeriod;
  const int delay = std::clamp(options.delayPeriods, 0, kMaxDelay);
  // The R-L plant over one period with the voltage held: exact solution.
  const HeldPlant plant = Held(d.R.Value, f.inductance, ts);
  const double phi = plant.phi;
  const double ampsPerVolt = plant.ampsPerVolt;

  // The header's divisors are the torque controller's, for both axes.
  const std::int64_t kpDivisor = d.TorquePDivisor.Value;
  const std::int64_t kiDivisor = d.TorqueIDivisor.Value;
  const std::int64_t kpDividend = q ? d.TorquePDividend.Value : d.FluxPDividend.Value;
  const std::int64_t kiDividend = q ? d.TorqueIDividend.Value : d.FluxIDividend.Value;

  const DiscreteLoop loop = ModelOf(d, s, q, f.inductance, delay);
  FrequencyFigures freq = AnalyseFrequency(loop, std::clamp(options.bodePoints, 2, 10000));
  f.crossover = freq.crossover;
  f.phaseMargin = freq.phaseMargin;
  f.spectralRadius = freq.spectralRadius;
  f.stable = freq.stable;
  f.bandwidth = freq.bandwidth;
  f.peakDb = freq.peakDb;
  f.peakFrequency = freq.peakFrequency;
  f.closedLoop = std::move(freq.closedLoop);

  const double requested = options.stepFraction * d.RatedCurrent.Value;
  const double counts = std::trunc(requested * s.currentCountsPerAmp);
  f.stepCounts =
      std::isfinite(counts) ? static_cast<std::int64_t>(std::clamp(counts, -32768.0, 32767.0)) : 0;
  f.stepAmps = static_cast<double>(f.stepCounts) / s.currentCountsPerAmp;

  StepSetup step;
  step.kpDividend = kpDividend;
  step.kpDivisor = kpDivisor;
  step.kiDividend = kiDividend;
  step.kiDivisor = kiDivisor;
  step.referenceCounts = f.stepCounts;
  step.voltageLimitCounts = s.voltageLimitCounts;
  step.currentCountsPerAmp = s.currentCountsPerAmp;
  step.voltageCountsPerVolt = s.voltageCountsPerVolt;
  step.phi = phi;
  step.ampsPerVolt = ampsPerVolt;
  step.delay = delay;
  step.period = ts;
  const double periods = std::ceil(options.simulatedTimeConstants / (s.cutOff * ts));
  step.samples = static_cast<int>(
      std::clamp(std::isfinite(periods) ? periods : 0.0, double(kMinSamples), double(kMaxSamples)));
  StepResult sim = SimulateStep(step);
  f.step = std::move(sim.current);
  f.saturates = sim.saturated;
  f.ideal.reserve(f.step.size());
  for (const Sample &p : f.step)
    f.ideal.push_back({p.time, f.stepAmps * -std::expm1(-s.cutOff * p.time)});
  if (f.stepCounts > 0)
    StepFigures(f);
  else
    f.overshoot = f.settlingTime = NAN;

  Judge(f, s, delay);
  return f;
}

} // namespace parvex::analysis
