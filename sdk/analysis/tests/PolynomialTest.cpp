#include "analysis/Polynomial.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <complex>

namespace parvex::analysis::test {
namespace {

using Complex = std::complex<double>;

// Sorted by real part, then imaginary part, for comparison.
std::vector<Complex> Sorted(std::vector<Complex> v) {
  std::sort(v.begin(), v.end(), [](Complex a, Complex b) {
    return a.real() != b.real() ? a.real() < b.real() : a.imag() < b.imag();
  });
  return v;
}

struct RootCase {
  const char *name;
  std::vector<double> coefficients; // index = power
  std::vector<Complex> roots;       // sorted
};

class Roots : public ::testing::TestWithParam<RootCase> {};

TEST_P(Roots, AreFoundToMachinePrecision) {
  const RootCase &c = GetParam();
  const auto found = Sorted(PolynomialRoots(c.coefficients));
  ASSERT_EQ(found.size(), c.roots.size());
  for (std::size_t i = 0; i < found.size(); ++i) {
    EXPECT_NEAR(found[i].real(), c.roots[i].real(), 1e-9) << i;
    EXPECT_NEAR(found[i].imag(), c.roots[i].imag(), 1e-9) << i;
  }
}

INSTANTIATE_TEST_SUITE_P(
    Polynomials, Roots,
    ::testing::Values(
        // (z - 0.5)(z + 0.25)(z - 2) = (z^2 - 0.25 z - 0.125)(z - 2) = z^3 - 2.25 z^2 + 0.375 z +
        // 0.25
        RootCase{"ThreeReal", {0.25, 0.375, -2.25, 1}, {{-0.25, 0}, {0.5, 0}, {2, 0}}},
        // (z^2 - z + 0.5)(z - 0.9) = z^3 - 1.9 z^2 + 1.4 z - 0.45: 0.5 +- 0.5j and 0.9
        RootCase{"ComplexPair", {-0.45, 1.4, -1.9, 1}, {{0.5, -0.5}, {0.5, 0.5}, {0.9, 0}}},
        // 2 (z - 3): a leading coefficient other than 1, trailing zeros ignored.
        RootCase{"Linear", {-6, 2, 0}, {{3, 0}}}),
    [](const ::testing::TestParamInfo<RootCase> &info) { return info.param.name; });

TEST(QuadraticRoots, ComplexPairUpperFirstAndRealPairLargerFirst) {
  // z^2 - z + 0.5: 0.5 +- 0.5j.
  const auto pair = QuadraticRoots(-1, 0.5);
  EXPECT_NEAR(pair[0].real(), 0.5, 1e-15);
  EXPECT_NEAR(pair[0].imag(), 0.5, 1e-15);
  EXPECT_NEAR(pair[1].imag(), -0.5, 1e-15);
  // z^2 - 1.0001 z + 0.0001: 1 and 1e-4, the small one without cancellation.
  const auto real = QuadraticRoots(-1.0001, 0.0001);
  EXPECT_NEAR(real[0].real(), 1, 1e-15);
  EXPECT_NEAR(real[1].real(), 1e-4, 1e-19);
}

TEST(SpectralRadius, IsTheLargestMagnitude) {
  EXPECT_DOUBLE_EQ(SpectralRadius({{0.3, 0.4}, {-0.2, 0}}), 0.5);
  EXPECT_DOUBLE_EQ(SpectralRadius({}), 0);
}

} // namespace
} // namespace parvex::analysis::test
