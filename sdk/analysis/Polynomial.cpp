#include "Polynomial.h"

#include <algorithm>
#include <cmath>
#include <numbers>

namespace parvex::analysis {

using Complex = std::complex<double>;

std::array<Complex, 2> QuadraticRoots(double b, double c) {
  const Complex root = std::sqrt(Complex(b * b - 4.0 * c, 0.0));
  // The larger-magnitude root first, the other from the product: no
  // cancellation when one root is small.
  const Complex q = b >= 0 ? -0.5 * (b + root) : -0.5 * (b - root);
  if (q == Complex(0, 0))
    return {Complex(0, 0), Complex(0, 0)};
  Complex first = q;
  Complex second = c / q;
  if (std::abs(second) > std::abs(first))
    std::swap(first, second);
  // A complex pair: upper half-plane first.
  if (first.imag() < 0 && std::abs(first - std::conj(second)) < 1e-12 * std::abs(first))
    std::swap(first, second);
  return {first, second};
}

std::vector<Complex> PolynomialRoots(const std::vector<double> &coefficients) {
  std::vector<double> a = coefficients;
  while (!a.empty() && a.back() == 0.0)
    a.pop_back();
  if (a.size() < 2)
    return {};
  const std::size_t n = a.size() - 1;
  const double lead = a.back();
  for (double &v : a)
    v /= lead;

  // Starting points on a circle of the Cauchy bound's radius, turned off
  // the real axis so that no two coincide with a symmetric root pattern.
  double bound = 0;
  for (std::size_t i = 0; i < n; ++i)
    bound = std::max(bound, std::abs(a[i]));
  const double radius = 1.0 + bound;
  std::vector<Complex> z(n);
  for (std::size_t k = 0; k < n; ++k)
    z[k] = std::polar(radius, 0.4 + 2.0 * std::numbers::pi * static_cast<double>(k) /
                                        static_cast<double>(n));

  auto evaluate = [&](Complex x) {
    Complex v = 1.0;
    for (std::size_t i = n; i-- > 0;)
      v = v * x + a[i];
    return v;
  };
  for (int iteration = 0; iteration < 500; ++iteration) {
    double change = 0;
    for (std::size_t k = 0; k < n; ++k) {
      Complex denominator = 1.0;
      for (std::size_t j = 0; j < n; ++j)
        if (j != k)
          denominator *= z[k] - z[j];
      if (denominator == Complex(0, 0))
        denominator = 1e-300;
      const Complex step = evaluate(z[k]) / denominator;
      z[k] -= step;
      change = std::max(change, std::abs(step) / std::max(1.0, std::abs(z[k])));
    }
    if (change < 1e-15)
      break;
  }
  return z;
}

double SpectralRadius(const std::vector<Complex> &roots) {
  double r = 0;
  for (const Complex &z : roots)
    r = std::max(r, std::abs(z));
  return r;
}

} // namespace parvex::analysis
