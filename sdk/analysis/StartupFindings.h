// What a simulated start-up is judged by: whether the rotor followed the
// forced angle, whether and how the switch to the estimate came, and the
// voltage; each flag names the setting to change and in which direction.
#pragma once

#include "ConvergenceTest.h"
#include "Scaling.h"
#include "StartupSettings.h"
#include "parvex/StartupSimulation.h"

namespace parvex::analysis {

// The load angle over the forced start-up. The rotor is caught once the
// angle lies within 90 degrees, where the torque pulls it along; after
// that, beyond 90 degrees the torque falls as the rotor lags and the rotor
// has lost step. A rotor never caught has lost step too.
class LoadAngleWatch {
public:
  void See(double degrees, double time);

  bool Caught() const { return caught_; }
  bool LostStep() const { return seen_ && (lost_ || !caught_); }
  double First() const { return first_; }
  double Last() const { return last_; }
  // The angle farthest from 0 once caught (or at all, when never caught).
  double Largest() const { return caught_ ? largest_ : largestUncaught_; }
  double LargestTime() const { return caught_ ? largestTime_ : largestUncaughtTime_; }

private:
  bool seen_ = false;
  bool caught_ = false;
  bool lost_ = false;
  double first_ = 0;
  double last_ = 0;
  double largest_ = 0;
  double largestTime_ = 0;
  double largestUncaught_ = 0;
  double largestUncaughtTime_ = 0;
};

struct StartupRun {
  const UserData &record;
  const StartupSettings &settings;
  const Mechanics &mechanics;
  const Scaling &scaling;
  const ConvergenceTest &test;
  const ConvergenceRule &rule;
  const LoadAngleWatch &watch;
  bool cut = false; // stopped at the longest span simulated
};

// Appends the findings of a finished run to `r`.
void Judge(StartupResult &r, const StartupRun &run);

} // namespace parvex::analysis
