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

// The search grid's angles, the same for every loop.
const std::vector<double> &SearchGrid() {
  static const std::vector<double> grid = [] {
    std::vector<double> g(kSearchPoints);
    for (int i = 0; i < kSearchPoints; ++i)
      g[i] = ThetaAt(i, kSearchPoints);
    return g;
  }();
  return grid;
}

std::complex<double> Closed(const std::complex<double> &l) {
  return l / (1.0 + l);
}

// The first theta where f changes from true to false, refined by bisection;
// NaN when f is false at the start or never turns false. atGrid(i) is f at
// the grid's angle i, taken from values the caller already has.
double FirstFall(const std::function<bool(int)> &atGrid, const std::function<bool(double)> &f) {
  const std::vector<double> &grid = SearchGrid();
  double previous = grid[0];
  if (!atGrid(0))
    return NAN;
  for (int i = 1; i < kSearchPoints; ++i) {
    const double theta = grid[i];
    if (!atGrid(i)) {
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

FrequencyFigures AnalyseFrequency(const LoopResponse &loop, int bodePoints) {
  FrequencyFigures f;
  const double ts = loop.period;
  const auto closedAt = [&](double t) { return Closed(loop.open(t)); };

  // The open and closed loop at every grid angle, computed once for the
  // crossover, bandwidth and peak scans, which all sample the grid.
  const std::vector<double> &grid = SearchGrid();
  std::vector<std::complex<double>> open(kSearchPoints), closed(kSearchPoints);
  for (int i = 0; i < kSearchPoints; ++i) {
    open[i] = loop.open(grid[i]);
    closed[i] = Closed(open[i]);
  }

  const double crossing = FirstFall([&](int i) { return std::abs(open[i]) >= 1.0; },
                                    [&](double t) { return std::abs(loop.open(t)) >= 1.0; });
  if (std::isfinite(crossing)) {
    f.crossover = crossing / ts;
    f.phaseMargin = 180.0 + loop.phase(crossing) * 180.0 / kPi;
  }

  const double half = 1.0 / std::sqrt(2.0);
  const double band = FirstFall([&](int i) { return std::abs(closed[i]) >= half; },
                                [&](double t) { return std::abs(closedAt(t)) >= half; });
  if (std::isfinite(band))
    f.bandwidth = band / ts;

  // The peak: the largest sample, then golden-section search between its
  // neighbours.
  int best = 0;
  double bestMagnitude = -1;
  for (int i = 0; i < kSearchPoints; ++i) {
    const double m = std::abs(closed[i]);
    if (m > bestMagnitude) {
      bestMagnitude = m;
      best = i;
    }
  }
  double lo = grid[std::max(best - 1, 0)];
  double hi = grid[std::min(best + 1, kSearchPoints - 1)];
  const double ratio = (std::sqrt(5.0) - 1.0) / 2.0;
  for (int k = 0; k < 80; ++k) {
    const double a = hi - ratio * (hi - lo);
    const double b = lo + ratio * (hi - lo);
    if (std::abs(closedAt(a)) >= std::abs(closedAt(b)))
      hi = b;
    else
      lo = a;
  }
  const double peak = 0.5 * (lo + hi);
  const double peakMagnitude = std::max(bestMagnitude, std::abs(closedAt(peak)));
  f.peakDb = Db(peakMagnitude);
  f.peakFrequency = (peakMagnitude == bestMagnitude ? grid[best] : peak) / ts;

  const int points = std::max(bodePoints, 2);
  f.closedLoop.reserve(points);
  for (int i = 0; i < points; ++i) {
    const double theta = ThetaAt(i, points);
    const std::complex<double> t = closedAt(theta);
    f.closedLoop.push_back({theta / ts, Db(std::abs(t)), std::arg(t) * 180.0 / kPi});
  }
  return f;
}

FrequencyFigures AnalyseFrequency(const DiscreteLoop &loop, int bodePoints) {
  FrequencyFigures f = AnalyseFrequency(
      LoopResponse{[&loop](double t) { return OpenLoop(loop, t); },
                   [&loop](double t) { return OpenLoopPhase(loop, t); }, loop.period},
      bodePoints);
  f.spectralRadius = SpectralRadius(PolynomialRoots(CharacteristicPolynomial(loop)));
  f.stable = f.spectralRadius < 1.0;
  return f;
}

} // namespace parvex::analysis
