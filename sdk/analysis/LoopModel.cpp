#include "LoopModel.h"

#include <cmath>

namespace parvex::analysis {

using Complex = std::complex<double>;

std::complex<double> OpenLoop(const DiscreteLoop &loop, double theta) {
  const Complex z = std::polar(1.0, theta);
  const Complex controller = loop.kp + loop.ki * z / (z - 1.0);
  const Complex delay = std::polar(1.0, -loop.delay * theta);
  return controller * delay * loop.plantGain / (z - loop.phi);
}

double OpenLoopPhase(const DiscreteLoop &loop, double theta) {
  // z / (z - 1) = 1/2 - j cot(theta / 2) / 2 on the unit circle.
  const double controller =
      std::atan2(-0.5 * loop.ki / std::tan(0.5 * theta), loop.kp + 0.5 * loop.ki);
  const double plant = -std::atan2(std::sin(theta), std::cos(theta) - loop.phi);
  return controller - loop.delay * theta + plant;
}

std::vector<double> CharacteristicPolynomial(const DiscreteLoop &loop) {
  const std::size_t degree = static_cast<std::size_t>(loop.delay) + 2;
  std::vector<double> c(degree + 1, 0.0);
  c[degree] += 1.0;
  c[degree - 1] += -(1.0 + loop.phi);
  c[degree - 2] += loop.phi;
  c[1] += loop.plantGain * (loop.kp + loop.ki);
  c[0] += -loop.plantGain * loop.kp;
  return c;
}

} // namespace parvex::analysis
