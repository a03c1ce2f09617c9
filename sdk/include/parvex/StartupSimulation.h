// The sensorless start-up the record configures, simulated at the current
// loop's period before anything is flashed: the optional alignment, the
// open-loop current and speed ramps with the current loops in the
// firmware's integers, the motor and its mechanics, the state observer and
// PLL in the firmware's integers, and the convergence test that decides the
// switch to the estimate. docs/startup-simulation.md derives the model and
// states what it assumes of the firmware; each assumption is an option here.
#pragma once

#include "parvex.h"
#include "parvex/Api.h"
#include "parvex/ControllerAnalysis.h"
#include "parvex/Mechanics.h"

#include <cmath>
#include <optional>
#include <string>
#include <vector>

namespace parvex::analysis {

// The axis of the alignment current in a frame turned to AlignmentAngle:
// on d the rotor's d axis settles at AlignmentAngle.
enum class AlignmentAxis { D, Q };
// Where the forced angle starts: at 0 (the start-up current on q then
// points at 90 degrees), or at AlignmentAngle.
enum class ForcedStart { Zero, AtAlignment };
// How the alignment current rises: linearly over the alignment's duration,
// or at once.
enum class AlignmentProfile { Ramp, Step };
// The convergence test's spread: the variance of the estimates at most
// VARIANCE_THRESHOLD x mean^2, or their standard deviation at most
// VARIANCE_THRESHOLD x mean.
enum class SpreadRule { VarianceOfMeanSquare, DeviationOfMean };
// The speed the estimates' mean must reach: MinimumSpeed (the page's
// "minimum mechanical speed to validate the closed loop") or
// MinMechanicalSpeed.
enum class ConvergenceSpeed { MinimumSpeed, MinMechanicalSpeed };
// How the dq voltage command is bounded: its length at the modulation
// index's limit (direction kept), or each axis on its own.
enum class VoltageBound { Circle, EachAxis };

struct StartupOptions {
  // The rotor's d axis at rest before anything runs, electrical degrees in
  // the firmware's angle; none: the worst case (WorstCaseRotorAngle).
  std::optional<double> rotorAngle;
  AlignmentAxis alignmentAxis = AlignmentAxis::D;
  AlignmentProfile alignmentProfile = AlignmentProfile::Ramp;
  ForcedStart forcedStart = ForcedStart::Zero;
  int delayPeriods = 1; // control periods from measurement to applied voltage (0 to 16)
  VoltageBound voltageBound = VoltageBound::Circle;
  // Milliseconds between two convergence tests; NaN: the speed loop's period.
  double testPeriodMs = NAN;
  int estimateDepth = 64; // speed estimates (one per control period) a test judges
  SpreadRule spreadRule = SpreadRule::VarianceOfMeanSquare;
  ConvergenceSpeed convergenceSpeed = ConvergenceSpeed::MinimumSpeed;
  // Seconds the forced speed is held at its final value after the ramp
  // before the start-up is given up without convergence.
  double holdAfterRamp = 0;
  // Seconds simulated on the estimated angle after the switch, the current
  // reference held (no speed loop).
  double afterSwitch = 0.1;
  int seriesPoints = 2000; // at most this many samples in the time series
};

enum class StartupPhase { Alignment, Ramp, Hold, Closed };

struct StartupSample {
  double time = 0; // s
  StartupPhase phase = StartupPhase::Ramp;
  double forcedSpeed = 0;    // rpm, mechanical
  double rotorSpeed = 0;     // rpm, mechanical
  double estimatedSpeed = 0; // rpm, mechanical, the PLL's
  double angleError = 0;     // estimate minus rotor, electrical degrees (-180, 180]
  double loadAngle = 0;      // current vector minus rotor d axis, electrical degrees
  double iq = 0;             // A, in the rotor's frame
  double id = 0;             // A
  double voltage = 0;        // V, length of the applied vector
};

struct StartupFinding {
  Level level = Level::Flag;
  std::string subject; // "lost step", "no convergence", "angle error", "voltage limit", ...
  std::string reason;  // what happened, and which setting to change in which direction
};

struct StartupResult {
  // Empty when the start-up was simulated; else why not (one line).
  std::string notSimulated;
  bool auxiliary = false; // the auxiliary observer's settings (observer gain tuning)
  Mechanics mechanics;
  double rotorAngle = 0; // the initial rotor angle used, electrical degrees
  // Whether the rotor followed the forced angle.
  double largestLoadAngle = NAN; // electrical degrees, once the rotor was caught
  double largestLoadAngleTime = NAN;
  bool lostStep = false;
  // The switch to the estimate.
  bool converged = false;
  double convergenceTime = NAN;       // s from the start of the ramp's first period
  double convergenceRotorSpeed = NAN; // rpm
  double convergenceEstimate = NAN;   // rpm, the tests' mean
  double convergenceAngleError = NAN; // electrical degrees
  int passedTests = 0;                // the longest run of consecutive passes
  int testsNeeded = 0;
  // Electrical quantities.
  double peakCurrent = NAN;    // A, length of the current vector
  double peakVoltage = NAN;    // V, length of the applied voltage vector
  double voltageLimit = NAN;   // V
  bool voltageLimited = false; // the limit was reached during the ramp
  double endTime = NAN;
  std::vector<StartupSample> series;
  std::vector<StartupFinding> findings;
};

// Why the start-up does not apply to the record (a speed sensor drives the
// motor and no observer is tuned beside it); empty when it applies.
PARVEX_CORE_API std::string StartupNotApplicable(const UserData &record);

// The initial rotor angle the simulation assumes by default, electrical
// degrees: 179 degrees from the first current vector (the alignment's, or
// the start-up's), on the side whose torque turns the rotor against the
// ramp. At 180 the torque is nil and no model moves the rotor; one degree
// short of it the rotor travels farthest before it is caught.
PARVEX_CORE_API double WorstCaseRotorAngle(const UserData &record,
                                           const StartupOptions &options = {});

PARVEX_CORE_API StartupResult SimulateStartup(const UserData &record, const Mechanics &mechanics,
                                              const StartupOptions &options = {});

// The results in the order they are shown: a group ("Rotor", "Switch to
// the estimate", "Electrical"), the figure's name and its text.
struct StartupFigure {
  const char *group;
  std::string name;
  std::string value;
};
PARVEX_CORE_API std::vector<StartupFigure> StartupFigures(const StartupResult &result);
// The first line: mechanics and the rotor's initial angle; empty when not
// simulated.
PARVEX_CORE_API std::string StartupHead(const StartupResult &result);

// The results as a terminal shows them; the time series as CSV.
PARVEX_CORE_API std::string StartupText(const StartupResult &result);
PARVEX_CORE_API std::string StartupCsv(const StartupResult &result);
PARVEX_CORE_API const char *PhaseName(StartupPhase phase);

} // namespace parvex::analysis
