// Roots of the small real polynomials whose roots are the discrete poles of
// the loops analysed here.
#pragma once

#include <array>
#include <complex>
#include <vector>

namespace parvex::analysis {

// Roots of z^2 + b z + c.
std::array<std::complex<double>, 2> QuadraticRoots(double b, double c);

// Roots of sum coefficients[i] z^i (coefficients[n] != 0), by simultaneous
// Weierstrass iteration; meant for degrees up to about 20.
std::vector<std::complex<double>> PolynomialRoots(const std::vector<double> &coefficients);

// The largest magnitude among the roots; 0 for none.
double SpectralRadius(const std::vector<std::complex<double>> &roots);

} // namespace parvex::analysis
