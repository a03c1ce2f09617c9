// x raised to a whole exponent by repeated squaring; the gain divisors are
// powers of two formed this way.
#pragma once

namespace parvex {

inline double IntegerPower(double x, int n) {
  // Magnitude of n taken without negating INT_MIN.
  unsigned e = n < 0 ? static_cast<unsigned>(-(n + 1)) + 1u : static_cast<unsigned>(n);
  double result = 1.0;
  double base = x;
  while (e != 0) {
    if (e & 1u)
      result *= base;
    base *= base;
    e >>= 1;
  }
  return n < 0 ? 1.0 / result : result;
}

} // namespace parvex
