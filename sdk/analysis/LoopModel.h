// The linear model of one current loop as the firmware runs it, in
// converter counts: PI controller, computation delay, zero-order hold and
// the exactly discretised R-L plant.
//   L(z) = (kp + ki z / (z - 1)) * z^-delay * plantGain / (z - phi)
#pragma once

#include <complex>
#include <vector>

namespace parvex::analysis {

struct DiscreteLoop {
  double kp = 0;        // voltage counts per current count
  double ki = 0;        // the same, summed once per control period
  double plantGain = 0; // current counts after one period per voltage count
  double phi = 0;       // plant pole exp(-R Ts / L)
  int delay = 1;        // control periods from measurement to applied voltage
  double period = 0;    // Ts, s
};

// L(e^{j theta}), theta = omega Ts in (0, pi].
std::complex<double> OpenLoop(const DiscreteLoop &loop, double theta);

// The phase of L(e^{j theta}) in radians, continuous over (0, pi]: the
// controller's, the delay's and the plant's phases added, never wrapped.
double OpenLoopPhase(const DiscreteLoop &loop, double theta);

// Coefficients (index = power of z) of (z - 1)(z - phi) z^delay +
// plantGain ((kp + ki) z - kp): its roots are the closed-loop poles.
std::vector<double> CharacteristicPolynomial(const DiscreteLoop &loop);

} // namespace parvex::analysis
