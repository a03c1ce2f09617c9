#include "FirmwareArithmetic.h"

#include <gtest/gtest.h>

#include <cstdint>

namespace sirenta {
namespace {

TEST(FirmwareArithmetic, SumsWrapModulo2To32) {
  // 341136000 + 1891727667 = 2232863667 = 2^32 - 2062103629.
  EXPECT_EQ(WrapAdd(341136000, 1891727667), -2062103629);
  EXPECT_EQ(WrapSub(-2147483647 - 1, 1), 2147483647);
  EXPECT_EQ(WrapMul(65536, 65536), 0);
  EXPECT_EQ(WrapNeg(-2147483647 - 1), -2147483647 - 1);
}

struct DivisionCase {
  std::int32_t x;
  std::int32_t half;
  std::int32_t d;
};

TEST(FirmwareArithmetic, DivisionsTruncateTowardZero) {
  const DivisionCase cases[] = {
      {0, 0, 0},
      {3, 1, 0},
      {-3, -1, 0},
      {131071, 65535, 0},
      {131072, 65536, 1},
      {-131071, -65535, 0},
      {-131072, -65536, -1},
      {-262145, -131072, -2},
      {-255719981, -127859990, -1950},
  };
  for (const DivisionCase &c : cases) {
    EXPECT_EQ(Half(c.x), c.half) << c.x;
    EXPECT_EQ(D(c.x), c.d) << c.x;
  }
}

TEST(FirmwareArithmetic, ShiftOfANegativeSumRoundsDown) {
  EXPECT_EQ(ShiftRight1(1192), 596);
  EXPECT_EQ(ShiftRight1(-3), -2);
  EXPECT_EQ(ShiftRight1(-4), -2);
}

TEST(FirmwareArithmetic, StorageKeepsTheLow16Bits) {
  EXPECT_EQ(U16(-2390), 63146);
  EXPECT_EQ(U16(65536 + 7), 7);
  EXPECT_EQ(U16(std::uint32_t{4294967295u}), 65535);
  EXPECT_EQ(S16(63146), -2390);
  EXPECT_EQ(S16(32768), -32768);
  EXPECT_EQ(S16(32767), 32767);
}

} // namespace
} // namespace sirenta
