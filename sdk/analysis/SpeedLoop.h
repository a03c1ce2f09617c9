// The linear model of the speed loop as the firmware runs it: the speed PI
// in q current counts per rpm, executed every speed period with a delay of
// whole periods, the torque reference held over the period, the closed q
// current loop, and the mechanics Kt / (J s + B).
#pragma once

#include "LoopModel.h"

#include <complex>
#include <vector>

namespace parvex::analysis {

inline constexpr double kRpmPerRadPerSecond = 60.0 / (2.0 * 3.141592653589793);

struct SpeedModel {
  double kp = 0;             // q current counts per rpm
  double ki = 0;             // the same, summed once per speed period
  double period = 0;         // Tsp, s
  int delay = 1;             // speed periods from measurement to applied reference
  double inertia = 0;        // J, kg m^2
  double friction = 0;       // B, N m s/rad
  double torqueConstant = 0; // Kt, N m/A
  double countsPerAmp = 0;   // q current counts per ampere
  DiscreteLoop inner;        // the q current loop
};

// The closed q current loop at omega (rad/s).
std::complex<double> InnerClosedLoop(const SpeedModel &m, double omega);

// The open speed loop at omega, theta = omega Tsp in (0, pi]; its phase in
// radians, continuous (the factors' phases added, never wrapped).
std::complex<double> SpeedOpenLoop(const SpeedModel &m, double theta);
double SpeedOpenLoopPhase(const SpeedModel &m, double theta);
// The same with the inner loop taken as a delay of `innerDelay` seconds.
double SpeedOpenLoopPhaseWithDelay(const SpeedModel &m, double theta, double innerDelay);
double SpeedOpenLoopMagnitudeWithDelay(const SpeedModel &m, double theta);

// Coefficients (index = power of z) whose roots are the closed speed loop's
// poles, the inner loop taken as a delay of `innerDelay` seconds: the
// mechanics discretised exactly for a reference held over each period and
// delayed by a fraction of it.
std::vector<double> SpeedCharacteristicPolynomial(const SpeedModel &m, double innerDelay);

} // namespace parvex::analysis
