#include "SpaceVector.h"

#include <gtest/gtest.h>

#include <cstdint>

#include "PwmTimer.h"

namespace sirenta {
namespace {

TEST(PwmTimer, TicksOfTheHalfPeriod) {
  // 72000000 / (2 x 14400) = 2500; 4 x 2500 = 10000; 10000 x 1.732051 = 17320.51.
  const PwmTimer fast = MakePwmTimer(14400);
  EXPECT_EQ(fast.per, 2500);
  EXPECT_EQ(fast.t, 10000);
  EXPECT_EQ(fast.ts3, 17320);
  // 72000000 / 8000 = 9000; 36000; 36000 x 1.732051 = 62353.836.
  const PwmTimer slow = MakePwmTimer(4000);
  EXPECT_EQ(slow.per, 9000);
  EXPECT_EQ(slow.t, 36000);
  EXPECT_EQ(slow.ts3, 62353);
  // 72000000 / 2000 = 36000; 4 x 36000 = 144000 keeps 144000 - 131072 = 12928
  // in 16 bits; 12928 x 1.732051 = 22391.955.
  const PwmTimer veryslow = MakePwmTimer(1000);
  EXPECT_EQ(veryslow.per, 36000);
  EXPECT_EQ(veryslow.t, 12928);
  EXPECT_EQ(veryslow.ts3, 22391);
}

TEST(PwmTimer, FrequenciesThatWouldDivideByZero) {
  EXPECT_FALSE(IsUsablePwmFrequency(0));
  EXPECT_FALSE(IsUsablePwmFrequency(0x80000000u)); // 2 x f wraps to 0
  EXPECT_TRUE(IsUsablePwmFrequency(1));
  EXPECT_TRUE(IsUsablePwmFrequency(0xFFFFFFFFu));
}

TEST(PwmTimer, NanosecondsToTicksTruncate) {
  EXPECT_EQ(NsToTicks(700), 50u);   // 50.4
  EXPECT_EQ(NsToTicks(2550), 183u); // 183.6
  EXPECT_EQ(NsToTicks(800), 57u);   // 57.6
  // 60000000 x 72 = 4320000000 wraps to 25032704 in 32 bits.
  EXPECT_EQ(NsToTicks(60000000u), 25032u);
}

struct SectorCase {
  VoltageTerms w;
  int sector;
};

TEST(SpaceVector, SectorTable) {
  const SectorCase cases[] = {
      {{1, 0, -1}, 1},  {{0, 0, 0}, 2},   {{-5, 3, 0}, 2},   {{1, -1, 0}, 3}, {{0, -1, 0}, 4},
      {{-1, -1, 5}, 4}, {{1, -1, -1}, 5}, {{-1, -1, -1}, 5}, {{0, 0, -1}, 6}, {{-1, 5, -1}, 6},
  };
  for (const SectorCase &c : cases)
    EXPECT_EQ(SectorOf(c.w), c.sector) << c.w.wX << " " << c.w.wY << " " << c.w.wZ;
}

struct PhaseCase {
  std::int16_t vAlpha;
  std::int16_t vBeta;
  int sector;
  std::uint16_t tA;
  std::uint16_t tB;
  std::uint16_t tC;
};

// At 14400 Hz (T 10000, TS3 17320, T/8 1250). For vAlpha 1000, vBeta -1000:
// wX = 10000000, wUA = 17320000, wY = 13660000, wZ = -3660000: sector 1;
// tA = 1250 + D(13670000 / 2 = 6835000) = 1250 + 52 = 1302,
// tB = 1302 + D(-3660000) = 1302 - 27 = 1275, tC = 1275 - D(10000000) = 1275 - 76.
// The other rows follow the same way.
TEST(SpaceVector, PhaseTimesInEverySector) {
  const PhaseCase cases[] = {
      {1000, -1000, 1, 1302, 1275, 1199},  // as above
      {0, -1000, 2, 1250, 1288, 1212},     // wY = wZ = 5000000
      {-1000, -1000, 3, 1198, 1301, 1225}, // wY -3660000, wZ 13660000
      {-1000, 0, 4, 1218, 1284, 1284},     // wX 0; D(-4325000) = -32
      {0, 1000, 5, 1250, 1212, 1288},      // wY = wZ = -5000000
      {1000, 0, 6, 1283, 1217, 1217},      // wX 0, wY 8660000
      {1000, 1000, 6, 1302, 1199, 1275},   // wX -10000000, wY 3660000
  };
  const PwmTimer timer = MakePwmTimer(14400);
  for (const PhaseCase &c : cases) {
    const PhaseTimes p = ComputePhaseTimes(c.vAlpha, c.vBeta, timer);
    EXPECT_EQ(p.sector, c.sector) << c.vAlpha << "," << c.vBeta;
    EXPECT_EQ(p.tA, c.tA) << c.vAlpha << "," << c.vBeta;
    EXPECT_EQ(p.tB, c.tB) << c.vAlpha << "," << c.vBeta;
    EXPECT_EQ(p.tC, c.tC) << c.vAlpha << "," << c.vBeta;
  }
}

// 4000 Hz: PER 9000, T 36000, TS3 62353; vAlpha 30339, vBeta -9476.
//   wX  = -(-9476 x 36000)  = 341136000
//   wUA = 30339 x 62353     = 1891727667
//   wX + wUA = 2232863667 > 2147483647, wraps to 2232863667 - 2^32 = -2062103629
//   wY = -2062103629 / 2 = -1031051814 (toward zero)
//   wZ = (341136000 - 1891727667) / 2 = -1550591667 / 2 = -775295833
//   wY < 0, wZ < 0: sector 5 (unwrapped, wY would be positive: sector 1).
//   tA = 4500 + D((36000 - 1031051814 + 775295833) / 2)
//      = 4500 + D(-255719981 / 2 = -127859990) = 4500 - 975 = 3525
//   tB = 3525 + D(-775295833) = 3525 - 5915 = -2390, stored 63146
//   tC = 3525 - D(-1031051814) = 3525 + 7866 = 11391
TEST(SpaceVector, WrappedSumDecidesSectorAndTimes) {
  const PwmTimer timer = MakePwmTimer(4000);
  const VoltageTerms w = ComputeVoltageTerms(30339, -9476, timer);
  EXPECT_EQ(w.wX, 341136000);
  EXPECT_EQ(w.wY, -1031051814);
  EXPECT_EQ(w.wZ, -775295833);
  EXPECT_EQ(SectorOf(w), 5);

  const PhaseTimes p = ComputePhaseTimes(30339, -9476, timer);
  EXPECT_EQ(p.sector, 5);
  EXPECT_EQ(p.tA, 3525);
  EXPECT_EQ(p.tB, 63146);
  EXPECT_EQ(p.tC, 11391);
}

} // namespace
} // namespace sirenta
