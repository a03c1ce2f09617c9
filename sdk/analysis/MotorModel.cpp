#include "MotorModel.h"

#include <algorithm>
#include <cmath>

namespace parvex::analysis {

namespace {

// Each Runge-Kutta step spans at most this fraction of the fastest
// electrical time constant and this many radians of rotation: well inside
// the method's stability region, and far below the simulation's own
// quantisation in error.
constexpr double kTimeConstantFraction = 0.5;
constexpr double kRadiansPerStep = 0.25;
constexpr int kMostSteps = 256;

MotorState Derivative(const MotorParameters &m, const MotorState &s, AlphaBeta v) {
  const double c = std::cos(s.angle);
  const double sn = std::sin(s.angle);
  const double vd = v.alpha * c + v.beta * sn;
  const double vq = -v.alpha * sn + v.beta * c;
  const double we = m.polePairs * s.speed;
  MotorState d;
  d.id = (vd - m.resistance * s.id + we * m.lq * s.iq) / m.ld;
  d.iq = (vq - m.resistance * s.iq - we * m.ld * s.id - we * m.flux) / m.lq;
  d.speed = (ElectromagneticTorque(m, s) - m.friction * s.speed - m.loadTorque) / m.inertia;
  d.angle = we;
  return d;
}

MotorState Plus(const MotorState &s, const MotorState &d, double h) {
  return {s.id + h * d.id, s.iq + h * d.iq, s.speed + h * d.speed, s.angle + h * d.angle};
}

int StepsFor(const MotorParameters &m, const MotorState &s, double dt) {
  double longest = dt;
  if (m.resistance > 0)
    longest = std::min(longest, kTimeConstantFraction * std::min(m.ld, m.lq) / m.resistance);
  const double rotation = std::fabs(m.polePairs * s.speed) * dt;
  const double steps = std::max(std::ceil(dt / longest), std::ceil(rotation / kRadiansPerStep));
  return static_cast<int>(std::clamp(steps, 1.0, static_cast<double>(kMostSteps)));
}

} // namespace

AlphaBeta StatorCurrents(const MotorState &s) {
  const double c = std::cos(s.angle);
  const double sn = std::sin(s.angle);
  return {s.id * c - s.iq * sn, s.id * sn + s.iq * c};
}

double ElectromagneticTorque(const MotorParameters &m, const MotorState &s) {
  return 1.5 * m.polePairs * (m.flux * s.iq + (m.ld - m.lq) * s.id * s.iq);
}

MotorState AdvanceMotor(const MotorParameters &m, const MotorState &s, AlphaBeta volts, double dt) {
  const int steps = StepsFor(m, s, dt);
  const double h = dt / steps;
  MotorState x = s;
  for (int i = 0; i < steps; ++i) {
    const MotorState k1 = Derivative(m, x, volts);
    const MotorState k2 = Derivative(m, Plus(x, k1, h / 2), volts);
    const MotorState k3 = Derivative(m, Plus(x, k2, h / 2), volts);
    const MotorState k4 = Derivative(m, Plus(x, k3, h), volts);
    x.id += h / 6 * (k1.id + 2 * k2.id + 2 * k3.id + k4.id);
    x.iq += h / 6 * (k1.iq + 2 * k2.iq + 2 * k3.iq + k4.iq);
    x.speed += h / 6 * (k1.speed + 2 * k2.speed + 2 * k3.speed + k4.speed);
    x.angle += h / 6 * (k1.angle + 2 * k2.angle + 2 * k3.angle + k4.angle);
  }
  return x;
}

} // namespace parvex::analysis
