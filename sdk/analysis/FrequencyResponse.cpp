#include "FrequencyResponse.h"

#include "Polynomial.h"

#include <cmath>
#include <functional>
#include <numbers>

namespace parvex::analysis {

namespace {

constexpr double kPi = std::numbers::pi;
// The lowest frequency examined, as a fraction of the Nyquist frequency.
constexpr double kLowest = 1e-4;
constexpr int kSearchPoints = 2000;

// Log-spaced theta from kLowest * pi to pi.
double ThetaAt(int i, int count) {
  return kPi * std::pow(kLowest, 1.0 - static_cast<double>(i) / (count - 1));
}

std::complex<double> ClosedLoop(const DiscreteLoop &loop, double theta) {
  const std::complex<double> l = OpenLoop(loop, theta);
  return l / (1.0 + l);
}

// The first theta where f changes from true to false, refined by bisection;
// NaN when f is false at the start or never turns false.
double FirstFall(const std::function<bool(double)> &f) {
  double previous = ThetaAt(0, kSearchPoints);
  if (!f(previous))
    return NAN;
  for (int i = 1; i < kSearchPoints; ++i) {
    const double theta = ThetaAt(i, kSearchPoints);
    if (!f(theta)) {
      double lo = previous;
      double hi = theta;
      for (int k = 0; k < 60; ++k) {
        const double mid = 0.5 * (lo + hi);
        (f(mid) ? lo : hi) = mid;
      }
      return 0.5 * (lo + hi);
    }
    previous = theta;
  }
  return NAN;
}

double Db(double magnitude) {
  return 20.0 * std::log10(magnitude);
}

} // namespace

FrequencyFigures AnalyseFrequency(const DiscreteLoop &loop, int bodePoints) {
  FrequencyFigures f;
  const double ts = loop.period;

  f.spectralRadius = SpectralRadius(PolynomialRoots(CharacteristicPolynomial(loop)));
  f.stable = f.spectralRadius < 1.0;

  const double crossing = FirstFall([&](double t) { return std::abs(OpenLoop(loop, t)) >= 1.0; });
  if (std::isfinite(crossing)) {
    f.crossover = crossing / ts;
    f.phaseMargin = 180.0 + OpenLoopPhase(loop, crossing) * 180.0 / kPi;
  }

  const double half = 1.0 / std::sqrt(2.0);
  const double band = FirstFall([&](double t) { return std::abs(ClosedLoop(loop, t)) >= half; });
  if (std::isfinite(band))
    f.bandwidth = band / ts;

  // The peak: the largest sample, then golden-section search between its
  // neighbours.
  int best = 0;
  double bestMagnitude = -1;
  for (int i = 0; i < kSearchPoints; ++i) {
    const double m = std::abs(ClosedLoop(loop, ThetaAt(i, kSearchPoints)));
    if (m > bestMagnitude) {
      bestMagnitude = m;
      best = i;
    }
  }
  double lo = ThetaAt(std::max(best - 1, 0), kSearchPoints);
  double hi = ThetaAt(std::min(best + 1, kSearchPoints - 1), kSearchPoints);
  const double ratio = (std::sqrt(5.0) - 1.0) / 2.0;
  for (int k = 0; k < 80; ++k) {
    const double a = hi - ratio * (hi - lo);
    const double b = lo + ratio * (hi - lo);
    if (std::abs(ClosedLoop(loop, a)) >= std::abs(ClosedLoop(loop, b)))
      hi = b;
    else
      lo = a;
  }
  const double peak = 0.5 * (lo + hi);
  const double peakMagnitude = std::max(bestMagnitude, std::abs(ClosedLoop(loop, peak)));
  f.peakDb = Db(peakMagnitude);
  f.peakFrequency = (peakMagnitude == bestMagnitude ? ThetaAt(best, kSearchPoints) : peak) / ts;

  const int points = std::max(bodePoints, 2);
  f.closedLoop.reserve(points);
  for (int i = 0; i < points; ++i) {
    const double theta = ThetaAt(i, points);
    const std::complex<double> t = ClosedLoop(loop, theta);
    f.closedLoop.push_back({theta / ts, Db(std::abs(t)), std::arg(t) * 180.0 / kPi});
  }
  return f;
}

} // namespace parvex::analysis
