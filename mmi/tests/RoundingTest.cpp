#include "Rounding.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <limits>

namespace sirenta {
namespace {

struct QuantizeCase {
  double v;
  std::int16_t expected;
};

TEST(QuantizeVoltage, FloorBelowFiveCeilingFromFiveOn) {
  const QuantizeCase cases[] = {
      {4.7, 4},         {5.2, 6},         {5.0, 5},          {4.999, 4},         {0.0, 0},
      {0.3, 0},         {-3.2, -4},       {-0.1, -1},        {-3.0, -3},         {31463.5, 31464},
      {-9475.2, -9476}, {32767.0, 32767}, {32766.01, 32767}, {-32767.5, -32768},
  };
  for (const QuantizeCase &c : cases)
    EXPECT_EQ(QuantizeVoltage(c.v), c.expected) << c.v;
}

// Beyond 32 bits the integer shortcut gives way to floor and ceil; the
// result is still the low 16 bits, and 0 where there is no integer at all.
TEST(QuantizeVoltage, ValuesBeyond32Bits) {
  const QuantizeCase cases[] = {
      {1e10, -7168},       // 10 000 000 000 mod 65536 = 58368
      {2147483647.5, 0},   // ceiling 2^31
      {2147483646.5, -1},  // ceiling 2^31 - 1, still on the short path
      {-2147483648.0, 0},  // -2^31, exactly
      {-2147483648.5, -1}, // floor -2^31 - 1
      {std::numeric_limits<double>::infinity(), 0},
      {-std::numeric_limits<double>::infinity(), 0},
      {std::numeric_limits<double>::quiet_NaN(), 0},
  };
  for (const QuantizeCase &c : cases)
    EXPECT_EQ(QuantizeVoltage(c.v), c.expected) << c.v;
}

struct IndexCase {
  int in;
  int out;
  int result;
};

TEST(RoundIndex, SnapsToTheSupportedValues) {
  const IndexCase cases[] = {
      {0, 77, kLimitClipped},    {71, 77, kLimitClipped}, {76, 77, kLimitClipped},
      {77, 77, kLimitFound},     {78, 77, kLimitFound},   {79, 79, kLimitFound},
      {80, 79, kLimitFound},     {86, 85, kLimitFound},   {87, 87, kLimitFound},
      {88, 87, kLimitFound},     {89, 89, kLimitFound},   {90, 89, kLimitFound},
      {91, 91, kLimitFound},     {92, 92, kLimitFound},   {95, 95, kLimitFound},
      {98, 98, kLimitFound},     {100, 100, kLimitFound}, {101, 100, kLimitClipped},
      {255, 100, kLimitClipped},
  };
  for (const IndexCase &c : cases) {
    std::uint8_t index = static_cast<std::uint8_t>(c.in);
    EXPECT_EQ(RoundIndex(index), c.result) << c.in;
    EXPECT_EQ(index, c.out) << c.in;
  }
}

} // namespace
} // namespace sirenta
