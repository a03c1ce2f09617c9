#include "SingleShuntModel.h"

#include <gtest/gtest.h>

#include <cstdint>

#include "Defaults.h"

namespace sirenta {
namespace {

SingleShuntSample Evaluated(const SirentaParams &params, std::int16_t vAlpha, std::int16_t vBeta) {
  SingleShuntSample s;
  s.vAlpha = vAlpha;
  s.vBeta = vBeta;
  const SingleShuntModel model(params);
  model.Evaluate(s);
  // The search's shortcut must stop exactly where the full model does.
  EXPECT_EQ(model.LimitReached(vAlpha, vBeta), SingleShuntModel::SamplingImpossible(s))
      << vAlpha << " " << vBeta;
  return s;
}

SirentaParams With(std::uint32_t pwmFrequency, std::uint32_t deadTime, std::uint32_t samplingTime,
                   std::uint32_t riseTime) {
  SirentaParams p = SingleShuntDefaults();
  p.pwmFrequency = pwmFrequency;
  p.deadTime = deadTime;
  p.samplingTime = samplingTime;
  p.riseTime = riseTime;
  return p;
}

// Defaults: TSAMP 700 x 72 / 1000 = 50, TRISE 2550 -> 183, TDEAD 800 -> 57,
// TMIN 4050 x 72 / 1000 + 1 = 292, HTMIN 146, TBEFORE 2 x TRISE = 366.
TEST(SingleShuntTiming, DefaultQuantities) {
  const SingleShuntTiming k = SingleShuntModel(SingleShuntDefaults()).timing();
  EXPECT_EQ(k.timer.per, 2500);
  EXPECT_EQ(k.tsamp, 50);
  EXPECT_EQ(k.trise, 183);
  EXPECT_EQ(k.tdead, 57);
  EXPECT_EQ(k.tmin, 292);
  EXPECT_EQ(k.htmin, 146);
  EXPECT_EQ(k.tbefore, 366);
  EXPECT_EQ(k.sampleWindow, 51);
}

struct TbeforeCase {
  std::uint32_t samplingTime;
  std::uint32_t riseTime;
  std::uint16_t tbefore;
  std::uint16_t tmin;
};

TEST(SingleShuntTiming, SettlingBeforeASampleIsTheLongerTime) {
  const TbeforeCase cases[] = {
      {3000, 2550, 432, 458}, // TSAMP 216 wins; (800 + 2550 + 3000) x 0.072 + 1
      // Compared in 32 bits (sampling is longer) but used in 16: TSAMP 100
      // -> 7, TMIN (800 + 2550 + 100) x 0.072 + 1 = 249.
      {65536 + 100, 2550, 14, 249},
      // Compared in 32 bits (rise is longer) but used in 16: TRISE 100 -> 7,
      // TMIN (800 + 100 + 700) x 0.072 + 1 = 116.
      {700, 65536 + 100, 14, 116},
  };
  for (const TbeforeCase &c : cases) {
    const SingleShuntTiming k =
        SingleShuntModel(With(14400, 800, c.samplingTime, c.riseTime)).timing();
    EXPECT_EQ(k.tbefore, c.tbefore) << c.samplingTime << " " << c.riseTime;
    EXPECT_EQ(k.tmin, c.tmin) << c.samplingTime << " " << c.riseTime;
  }
}

// 4000 Hz, vAlpha 30339, vBeta -9476 (the wrapped sum): tA 3525, tB -2390,
// tC 11391. As s16: min -2390, mid 3525, max 11391; D1 7866, D2 5915, both
// above TMIN 292: regular.
//   mid - TDEAD - min = 3525 - 57 + 2390 = 5858 > 366: sample1 = (57 - 2390 + 3525) >> 1 = 596
//   max - TDEAD - mid = 11391 - 57 - 3525 = 7809 > 366: sample2 = (57 + 11391 + 3525) >> 1 = 7486
TEST(SingleShuntModel, RegularCaseAfterTheWrappedSum) {
  const SingleShuntSample s = Evaluated(With(4000, 800, 700, 2550), 30339, -9476);
  EXPECT_EQ(s.state, 0);
  EXPECT_EQ(s.dutyA, 3525);
  EXPECT_EQ(s.dutyB, 63146);
  EXPECT_EQ(s.dutyC, 11391);
  EXPECT_EQ(s.sample1, 596);
  EXPECT_EQ(s.sample2, 7486);
  EXPECT_EQ(s.sample2Copy, 7486);
  EXPECT_EQ(s.sample1Copy, 596);
  EXPECT_EQ(s.sample1SecondCopy, 596);
  EXPECT_EQ(s.sampleWindow, 51);
  EXPECT_FALSE(SingleShuntModel::SamplingImpossible(s));
}

// The regular case wants a window strictly longer than TBEFORE. riseTime
// 40681 gives TRISE 2929 and TBEFORE 5858, exactly the first window above
// (TMIN becomes 42181 x 0.072 + 1 = 3038, still below both gaps); 40680 gives
// TRISE 2928, TBEFORE 5856.
TEST(SingleShuntModel, RegularCaseNeedsAWindowAboveTbefore) {
  const SingleShuntSample equal = Evaluated(With(4000, 800, 700, 40681), 30339, -9476);
  EXPECT_EQ(equal.state, 0);
  EXPECT_EQ(equal.sample1, 3525 - 51);
  EXPECT_EQ(equal.sample2, 7486);
  const SingleShuntSample above = Evaluated(With(4000, 800, 700, 40680), 30339, -9476);
  EXPECT_EQ(above.sample1, 596);
}

// 14400 Hz, vAlpha 0, vBeta 0: all times T/8 = 1250, both gaps 0 (case 3):
// phase A loses HTMIN: 1104; sample1 = 1104 - 51; sample2 = 50 - 146 + 2500.
TEST(SingleShuntModel, BothWindowsTooShortShiftPhaseA) {
  const SingleShuntSample s = Evaluated(SingleShuntDefaults(), 0, 0);
  EXPECT_EQ(s.state, 1);
  EXPECT_EQ(s.dutyA, 1104);
  EXPECT_EQ(s.dutyB, 1250);
  EXPECT_EQ(s.dutyC, 1250);
  EXPECT_EQ(s.sample1, 1053);
  EXPECT_EQ(s.sample2, 2404);
  EXPECT_EQ(s.sample2Copy, 2404);
  EXPECT_EQ(s.sample1Copy, 1053);
}

// 130000 Hz: PER 72000000 / 260000 = 276, T 1104, T/8 138. The zero vector
// gives 138 everywhere; A becomes 138 - 146 = -8 (65528), above 61439, so 12.
// sample1 = 12 - 51 = -39 (65497); sample2 = 50 - 146 + 276 = 180.
TEST(SingleShuntModel, NegativeShiftedTimeIsReplaced) {
  const SingleShuntSample s = Evaluated(With(130000, 800, 700, 2550), 0, 0);
  EXPECT_EQ(s.state, 1);
  EXPECT_EQ(s.dutyA, 12);
  EXPECT_EQ(s.dutyB, 138);
  EXPECT_EQ(s.dutyC, 138);
  EXPECT_EQ(s.sample1, 65497);
  EXPECT_EQ(s.sample2, 180);
}

// 14400 Hz, vAlpha 10000, vBeta -2000: wX 20000000, wY 96600000, wZ -76600000,
// sector 1; tA = 1250 + D(48305000) = 1618, tB = 1618 - 584 = 1034,
// tC = 1034 - 152 = 882. D1 = 584 > 292, D2 = 152 <= 292 (case 2): sector 1
// shifts C to 736. max - TDEAD - mid = 1618 - 57 - 1034 = 527 >= 366:
// sample1 = (57 + 1618 + 1034) >> 1 = 1354.
TEST(SingleShuntModel, OnlyTheUpperWindowIsWideEnough) {
  const SingleShuntSample s = Evaluated(SingleShuntDefaults(), 10000, -2000);
  EXPECT_EQ(s.state, 3);
  EXPECT_EQ(s.dutyA, 1618);
  EXPECT_EQ(s.dutyB, 1034);
  EXPECT_EQ(s.dutyC, 736);
  EXPECT_EQ(s.sample1, 1354);
  EXPECT_EQ(s.sample2, 2404);
  EXPECT_FALSE(SingleShuntModel::SamplingImpossible(s)); // 2404 - 1618 > 51
}

// Same vector; deadTime 806 (TDEAD 58) and riseTime 3653 (TRISE 263, TBEFORE
// 526) make the upper window 1618 - 58 - 1034 = 526, equal to TBEFORE, which
// this case accepts. TMIN (806 + 3653 + 700) x 0.072 + 1 = 372, HTMIN 186:
// still case 2; C becomes 882 - 186 = 696; sample1 = (58 + 1618 + 1034) >> 1.
TEST(SingleShuntModel, UpperWindowEqualToTbeforeIsAccepted) {
  const SingleShuntSample s = Evaluated(With(14400, 806, 700, 3653), 10000, -2000);
  EXPECT_EQ(s.state, 3);
  EXPECT_EQ(s.dutyC, 696);
  EXPECT_EQ(s.sample1, 1355);
  EXPECT_EQ(s.sample2, 50 - 186 + 2500);
}

// 14400 Hz, vAlpha 10000, vBeta -10000: wX 100000000, wY 136600000,
// wZ -36600000, sector 1; tA = 1250 + D(68305000) = 1771, tB = 1771 - 279 =
// 1492, tC = 1492 - 762 = 730. D1 = 279 <= 292, D2 = 762 (case 1): sector 1
// shifts B to 1346. mid - TDEAD - min = 1346 - 57 - 730 = 559 > 366:
// sample1 = (57 + 730 + 1346) >> 1 = 1066.
TEST(SingleShuntModel, OnlyTheLowerWindowIsWideEnough) {
  const SingleShuntSample s = Evaluated(SingleShuntDefaults(), 10000, -10000);
  EXPECT_EQ(s.state, 2);
  EXPECT_EQ(s.dutyA, 1771);
  EXPECT_EQ(s.dutyB, 1346);
  EXPECT_EQ(s.dutyC, 730);
  EXPECT_EQ(s.sample1, 1066);
  EXPECT_EQ(s.sample2, 2404);
  EXPECT_FALSE(SingleShuntModel::SamplingImpossible(s)); // 2404 - 1771 > 51
}

// 14400 Hz, samplingTime 3000 (TSAMP 216, window 217, TMIN 458, HTMIN 229,
// TBEFORE 432), vAlpha 15500, vBeta -26700: wX 267000000, wY 267730000,
// wZ -730000, sector 1; tA = 1250 + D(133870000) = 2271, tB = 2271 - 5 = 2266,
// tC = 2266 - 2037 = 229. D1 = 5, D2 = 2037 (case 1): B becomes 2037.
// sample2 = 216 - 229 + 2500 = 2487; 2487 - 2271 = 216 <= 217: no room left.
TEST(SingleShuntModel, ShiftedPhaseWithoutRoomStopsTheSearch) {
  const SingleShuntSample s = Evaluated(With(14400, 800, 3000, 2550), 15500, -26700);
  EXPECT_EQ(s.state, 2);
  EXPECT_EQ(s.dutyA, 2271);
  EXPECT_EQ(s.dutyB, 2037);
  EXPECT_EQ(s.dutyC, 229);
  EXPECT_EQ(s.sample1, 1161); // (57 + 229 + 2037) >> 1
  EXPECT_EQ(s.sample2, 2487);
  EXPECT_EQ(s.sampleWindow, 217);
  EXPECT_TRUE(SingleShuntModel::SamplingImpossible(s));
}

struct StopCase {
  std::uint8_t state;
  std::uint16_t sample2;
  std::uint16_t dutyA;
  bool stops;
};

TEST(SingleShuntModel, StoppingTest) {
  const StopCase cases[] = {
      {2, 2404, 2353, true},  {3, 2404, 2353, true},  {2, 2404, 2352, false},
      {1, 2404, 2353, false}, {0, 2404, 2353, false}, {3, 100, 2000, true}, // -1900 <= 51
      {2, 65535, 0, false},
  };
  for (const StopCase &c : cases) {
    SingleShuntSample s;
    s.state = c.state;
    s.sample2 = c.sample2;
    s.dutyA = c.dutyA;
    s.sampleWindow = 51;
    EXPECT_EQ(SingleShuntModel::SamplingImpossible(s), c.stops)
        << int{c.state} << " " << c.sample2 << " " << c.dutyA;
  }
}

} // namespace
} // namespace sirenta
