#include "StartupFindings.h"

#include "NumberText.h"
#include "generation/RecordQuantities.h"

#include <cmath>

namespace parvex::analysis {

namespace {

constexpr double kPullOut = 90.0;         // degrees: the torque's peak
constexpr double kAngleErrorLimit = 30.0; // degrees: a switch farther off jolts the rotor
constexpr double kRadPerRpm = 2.0 * 3.141592653589793 / 60.0;

void Add(StartupResult &r, const char *subject, const std::string &reason) {
  r.findings.push_back({Level::Flag, subject, reason});
}

std::string Degrees(double v) {
  return Significant(v, 3) + " deg";
}

void LostStep(StartupResult &r, const StartupRun &run) {
  const StartupSettings &st = run.settings;
  const LoadAngleWatch &w = run.watch;
  if (!w.Caught() || std::fabs(w.First()) >= kPullOut) {
    std::string why = std::string("the rotor started ") + Degrees(w.First()) +
                      " from the forced current vector, beyond the 90 deg where it is pulled "
                      "along, and " +
                      (w.Caught() ? "fell out of step (load angle " + Degrees(w.Largest()) + ")"
                                  : std::string("was never caught")) +
                      "; ";
    if (!st.includeAlignment)
      why += std::string("turn on ") + SettingName(st.members->includeAlignment) +
             " so the ramp starts from a known rotor angle";
    else
      why += std::string("lengthen ") + SettingName(st.alignment->alignmentDuration) +
             " or raise " + SettingName(st.alignment->alignmentCurrent) +
             " so the rotor settles at the alignment angle";
    if (run.mechanics.friction == 0)
      why += " (with no friction, nothing but the controllers damps the rotor's swing)";
    Add(r, "lost step", why);
    return;
  }
  // The torque the ramp asks for at its end against what its final current gives.
  const double rampSeconds = st.speedRampMs / 1000.0;
  const double finalSpeed = static_cast<double>(st.finalRpm) * kRadPerRpm;
  const double needed = run.mechanics.inertia * finalSpeed / rampSeconds +
                        run.mechanics.friction * finalSpeed + run.mechanics.loadTorque;
  const double torqueConstant = 1.5 * run.record.PolePairs.Value * MagnetFlux(run.record);
  const double available = torqueConstant * static_cast<double>(st.finalCounts) / st.countsPerAmp;
  const bool slipped = std::fabs(w.Largest()) >= 2 * kPullOut;
  const bool recovered = !slipped && std::fabs(w.Last()) < kPullOut;
  Add(r, "lost step",
      "the load angle reached " + Degrees(w.Largest()) + " at " + Significant(w.LargestTime(), 3) +
          " s, past the 90 deg where the torque peaks: the rotor fell out of step" +
          (slipped     ? " and slipped"
           : recovered ? " and caught up again"
                       : "") +
          " (the ramp asks for " + Significant(needed, 3) +
          " N m at its end, the final current gives at most " + Significant(available, 3) +
          " N m); raise " + SettingName(st.members->currentRampFinalValue) + " or lengthen " +
          SettingName(st.members->speedRampDuration));
}

void NoConvergence(StartupResult &r, const StartupRun &run) {
  const StartupSettings &st = run.settings;
  const ObserverMembers &o = *st.members;
  const ConvergenceRule &rule = run.rule;
  const std::string speedName =
      SettingName(rule.minimumRpm == st.minimumRpm ? o.minimumSpeed : o.minMechanicalSpeed);
  std::string why = "the convergence test did not pass before the start-up ended: ";
  if (r.lostStep) {
    Add(r, "no convergence", why + "the rotor had lost step (see above)");
    return;
  }
  if (static_cast<double>(st.finalRpm) < rule.minimumRpm) {
    why += "the ramp ends at " + std::to_string(st.finalRpm) + " rpm, below the " +
           Significant(rule.minimumRpm) + " rpm the test asks for (" + speedName + "); raise " +
           SettingName(o.speedRampFinalValue) + " above it or lower " + speedName;
  } else if (run.test.Longest() > 0) {
    why += "it passed at most " + std::to_string(run.test.Longest()) + " of the " +
           std::to_string(rule.needed) + " tests in a row it needs; lengthen " +
           SettingName(o.speedRampDuration) + " or lower " + SettingName(o.consistencyThreshold);
  } else if (std::isfinite(run.test.BestSpreadRatio())) {
    why += std::string("the estimates' spread stayed above what ") +
           SettingName(o.varianceThreshold) + " allows (at best by " +
           Percent(run.test.BestSpreadRatio() - 1.0) + "); raise " +
           SettingName(o.varianceThreshold) + ", or check the observer and PLL gains";
  } else {
    why += "the estimated speed never reached " + Significant(rule.minimumRpm) + " rpm (at most " +
           Significant(run.test.HighestMean()) +
           " rpm): the observer does not follow the rotor; check the observer and PLL gains";
  }
  Add(r, "no convergence", why);
}

} // namespace

void LoadAngleWatch::See(double degrees, double time) {
  if (!seen_) {
    seen_ = true;
    first_ = degrees;
  }
  last_ = degrees;
  if (std::fabs(degrees) < kPullOut)
    caught_ = true;
  if (caught_) {
    if (std::fabs(degrees) > std::fabs(largest_)) {
      largest_ = degrees;
      largestTime_ = time;
    }
    lost_ = lost_ || std::fabs(degrees) > kPullOut;
  } else if (std::fabs(degrees) > std::fabs(largestUncaught_)) {
    largestUncaught_ = degrees;
    largestUncaughtTime_ = time;
  }
}

void Judge(StartupResult &r, const StartupRun &run) {
  const StartupSettings &st = run.settings;
  const ObserverMembers &o = *st.members;
  if (r.lostStep)
    LostStep(r, run);
  if (!r.converged)
    NoConvergence(r, run);
  if (r.converged && std::fabs(r.convergenceAngleError) > kAngleErrorLimit)
    Add(r, "angle error",
        "the switch to the estimate came " + Degrees(r.convergenceAngleError) +
            " off the rotor's angle (more than 30 deg): raise " +
            SettingName(o.consistencyThreshold) + " or " + SettingName(o.minimumSpeed) +
            ", or lower " + SettingName(o.varianceThreshold) +
            ", so that the test waits for a settled estimate");
  if (r.voltageLimited) {
    const double emf = MagnetFlux(run.record) * run.record.PolePairs.Value *
                       static_cast<double>(st.finalRpm) * kRadPerRpm;
    Add(r, "voltage limit",
        "the voltage reached its limit of " + Significant(r.voltageLimit, 3) +
            " V during the ramp (the back-EMF alone is " + Significant(emf, 3) + " V at " +
            std::to_string(st.finalRpm) + " rpm): lower " + SettingName(o.speedRampFinalValue) +
            " or " + SettingName(o.currentRampFinalValue) + ", or raise the bus voltage");
  }
  if (run.cut)
    r.findings.push_back({Level::Note, "simulated span",
                          "the simulation stopped after " + Significant(r.endTime, 3) +
                              " s of ramp, the longest it runs"});
}

} // namespace parvex::analysis
