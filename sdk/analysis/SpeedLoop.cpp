#include "SpeedLoop.h"

#include <cmath>

namespace parvex::analysis {

namespace {

using Complex = std::complex<double>;

// The discrete PI at theta: kp + ki z / (z - 1).
Complex Controller(const SpeedModel &m, double theta) {
  const Complex z = std::polar(1.0, theta);
  return m.kp + m.ki * z / (z - 1.0);
}

double ControllerPhase(const SpeedModel &m, double theta) {
  // z / (z - 1) = 1/2 - j cot(theta / 2) / 2 on the unit circle.
  return std::atan2(-0.5 * m.ki / std::tan(0.5 * theta), m.kp + 0.5 * m.ki);
}

// The reference held over a speed period, without aliasing:
// (1 - e^-j theta) / (j theta), magnitude |sin(theta/2) / (theta/2)|,
// phase -theta/2.
double HoldMagnitude(double theta) {
  return std::fabs(std::sin(0.5 * theta) / (0.5 * theta));
}

// q current counts to rpm: Kt / (B + j J omega), in A and rad/s.
Complex Mechanics(const SpeedModel &m, double omega) {
  return m.torqueConstant / Complex(m.friction, m.inertia * omega) / m.countsPerAmp *
         kRpmPerRadPerSecond;
}

// Everything but the inner loop.
double OuterMagnitude(const SpeedModel &m, double theta) {
  const double omega = theta / m.period;
  return std::abs(Controller(m, theta)) * HoldMagnitude(theta) * std::abs(Mechanics(m, omega));
}

double OuterPhase(const SpeedModel &m, double theta) {
  const double omega = theta / m.period;
  return ControllerPhase(m, theta) - m.delay * theta - 0.5 * theta -
         std::atan2(m.inertia * omega, m.friction);
}

} // namespace

std::complex<double> InnerClosedLoop(const SpeedModel &m, double omega) {
  const Complex l = OpenLoop(m.inner, omega * m.inner.period);
  return l / (1.0 + l);
}

std::complex<double> SpeedOpenLoop(const SpeedModel &m, double theta) {
  const double omega = theta / m.period;
  return std::polar(OuterMagnitude(m, theta), OuterPhase(m, theta)) * InnerClosedLoop(m, omega);
}

double SpeedOpenLoopPhase(const SpeedModel &m, double theta) {
  // T = L / (1 + L) = 1 / (1 + 1/L): its phase is -arg(1 + 1/L), small
  // wherever the inner loop's gain is high, so never wrapped.
  const Complex l = OpenLoop(m.inner, theta / m.period * m.inner.period);
  return OuterPhase(m, theta) - std::arg(1.0 + 1.0 / l);
}

double SpeedOpenLoopPhaseWithDelay(const SpeedModel &m, double theta, double innerDelay) {
  return OuterPhase(m, theta) - theta / m.period * innerDelay;
}

double SpeedOpenLoopMagnitudeWithDelay(const SpeedModel &m, double theta) {
  return OuterMagnitude(m, theta);
}

std::vector<double> SpeedCharacteristicPolynomial(const SpeedModel &m, double innerDelay) {
  const double ts = m.period;
  const double delay = std::isfinite(innerDelay) && innerDelay > 0 ? innerDelay : 0.0;
  const int whole = static_cast<int>(std::floor(delay / ts));
  const double fraction = delay - whole * ts;
  // The speed over h seconds of a constant current u from the speed w:
  // e^(-B h / J) w + gain(h) u.
  const auto decay = [&](double h) { return std::exp(-m.friction * h / m.inertia); };
  const auto gain = [&](double h) {
    return m.friction > 0 ? m.torqueConstant / m.friction * -std::expm1(-m.friction * h / m.inertia)
                          : m.torqueConstant * h / m.inertia;
  };
  // Over a period the earlier reference acts for `fraction`, the later one
  // for the rest: w[k+1] = a w[k] + gNew u[k - D] + gOld u[k - D - 1].
  const double a = decay(ts);
  const double gOld = decay(ts - fraction) * gain(fraction);
  const double gNew = gain(ts - fraction);
  const int d = m.delay + whole; // D
  // (z - 1)(z - a) z^(D+1) + K ((kp + ki) z - kp)(gNew z + gOld), K: counts
  // to amperes, rad/s to rpm.
  const double k = kRpmPerRadPerSecond / m.countsPerAmp;
  const std::size_t degree = static_cast<std::size_t>(d) + 3;
  std::vector<double> c(degree + 1, 0.0);
  c[degree] += 1.0;
  c[degree - 1] += -(1.0 + a);
  c[degree - 2] += a;
  const double p = m.kp + m.ki;
  c[2] += k * p * gNew;
  c[1] += k * (p * gOld - m.kp * gNew);
  c[0] += -k * m.kp * gOld;
  return c;
}

} // namespace parvex::analysis
