// The small arithmetic helpers of the model, tested directly.
#include "model/Clamp.h"
#include "model/IntegerPower.h"
#include "model/PowerOfTwo.h"
#include "torvio/Conversion.h"

#include <gtest/gtest.h>

#include <climits>
#include <limits>

namespace parvex {

using torvio::TruncateToInt64;
using torvio::TruncateToLow32;
namespace {

TEST(IntegerPower, PowersOfTwoUsedForDivisors) {
  double expected = 1.0;
  for (int i = 0; i <= 14; ++i) {
    EXPECT_EQ(IntegerPower(2.0, i), expected) << i;
    expected *= 2.0;
  }
  EXPECT_EQ(IntegerPower(2.0, 14), 16384.0);
}

TEST(IntegerPower, NegativeExponentGivesTheReciprocal) {
  EXPECT_EQ(IntegerPower(2.0, -1), 0.5);
  EXPECT_EQ(IntegerPower(2.0, -10), 1.0 / 1024.0);
  EXPECT_EQ(IntegerPower(10.0, -2), 1.0 / 100.0);
}

TEST(IntegerPower, OtherBasesAndExtremes) {
  EXPECT_EQ(IntegerPower(3.0, 5), 243.0);
  EXPECT_EQ(IntegerPower(-2.0, 3), -8.0);
  EXPECT_EQ(IntegerPower(7.5, 0), 1.0);
  EXPECT_EQ(IntegerPower(2.0, INT_MIN), 0.0);
  EXPECT_EQ(IntegerPower(1.0, INT_MAX), 1.0);
}

TEST(RoundDownToPowerOfTwo, LargestPowerNotAbove) {
  EXPECT_EQ(RoundDownToPowerOfTwo(100), 64u);
  EXPECT_EQ(RoundDownToPowerOfTwo(3), 2u);
  EXPECT_EQ(RoundDownToPowerOfTwo(1), 1u);
  EXPECT_EQ(RoundDownToPowerOfTwo(32768), 32768u);
  EXPECT_EQ(RoundDownToPowerOfTwo(0), 1u);
  EXPECT_EQ(RoundDownToPowerOfTwo(0xFFFFFFFFu), 0x80000000u);
}

TEST(ClampInto, LowFirstThenHighSoHighWins) {
  EXPECT_EQ(ClampInto(5u, 1u, 10u), 5u);
  EXPECT_EQ(ClampInto(0u, 1u, 10u), 1u);
  EXPECT_EQ(ClampInto(11u, 1u, 10u), 10u);
  EXPECT_EQ(ClampInto(5u, 10u, 1u), 1u);
  EXPECT_EQ(ClampInto(-0.5, 0.0, 2.0), 0.0);
  EXPECT_EQ(ClampInto(3.0, 4.0, 2.0), 2.0);
}

TEST(CopyIfFinite, NonFiniteSourceLeavesTheTarget) {
  double target = 1.5;
  CopyIfFinite(target, std::numeric_limits<double>::infinity());
  CopyIfFinite(target, std::numeric_limits<double>::quiet_NaN());
  EXPECT_EQ(target, 1.5);
  CopyIfFinite(target, -2.0);
  EXPECT_EQ(target, -2.0);
}

TEST(Conversion, TruncatesTowardZeroAndKeepsTheLow32Bits) {
  EXPECT_EQ(TruncateToLow32(3911.9), 3911u);
  EXPECT_EQ(TruncateToLow32(-21162.7), static_cast<std::uint32_t>(-21162));
  EXPECT_EQ(TruncateToLow32(4294967296.0 + 5.0), 5u);
  EXPECT_FALSE(TruncateToLow32(std::numeric_limits<double>::quiet_NaN()));
  EXPECT_FALSE(TruncateToLow32(std::numeric_limits<double>::infinity()));
  EXPECT_FALSE(TruncateToLow32(1e19));
  EXPECT_TRUE(TruncateToInt64(-9223372036854775808.0));
}

} // namespace
} // namespace parvex
