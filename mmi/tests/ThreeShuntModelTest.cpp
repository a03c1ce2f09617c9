#include "ThreeShuntModel.h"

#include <gtest/gtest.h>

#include <cstdint>

#include "Defaults.h"

namespace sirenta {
namespace {

SirentaParams With(std::uint32_t pwmFrequency, std::uint32_t samplingTime, std::uint32_t riseTime,
                   std::uint32_t noiseTime) {
  SirentaParams p = ThreeShuntDefaults();
  p.pwmFrequency = pwmFrequency;
  p.samplingTime = samplingTime;
  p.riseTime = riseTime;
  p.noiseTime = noiseTime;
  return p;
}

ThreeShuntSample Evaluated(const SirentaParams &params, std::int16_t vAlpha, std::int16_t vBeta) {
  ThreeShuntSample s;
  s.vAlpha = vAlpha;
  s.vBeta = vBeta;
  const ThreeShuntModel model(params);
  model.Evaluate(s);
  // The search's shortcut must stop exactly where the full model does.
  EXPECT_EQ(model.LimitReached(vAlpha, vBeta), ThreeShuntModel::SamplingImpossible(s))
      << vAlpha << " " << vBeta;
  return s;
}

struct WindowCase {
  std::uint32_t riseTime;
  std::uint32_t noiseTime;
  std::uint16_t tw;
};

// TW = (longer of rise and noise, low 16 bits, + dead time 800) x 72 / 1000.
TEST(ThreeShuntTiming, WindowAfterAnEdgeUsesTheLongerSettlingTime) {
  const WindowCase cases[] = {
      {2550, 2550, 241},       // 3350 x 0.072 = 241.2
      {1000, 3000, 273},       // noise is longer: 3800 x 0.072 = 273.6
      {3000, 1000, 273},       // rise is longer
      {1000, 1000, 129},       // 1800 x 0.072 = 129.6
      {65536 + 100, 5000, 64}, // rise longer in 32 bits, only 100 used: 900 x 0.072
      {5000, 65536 + 100, 64}, // the same for noise
  };
  for (const WindowCase &c : cases) {
    const ThreeShuntTiming k = ThreeShuntModel(With(14400, 700, c.riseTime, c.noiseTime)).timing();
    EXPECT_EQ(k.tw, c.tw) << c.riseTime << " " << c.noiseTime;
    EXPECT_EQ(k.tsamp, 50);
    EXPECT_EQ(k.sampleWindow, 51);
  }
}

// 4000 Hz, vAlpha 30339, vBeta -9476: sector 5, tA 3525, tB 63146, tC 11391.
// M = tC = 11391; PER - M = 9000 - 11391 = -2391, as u16 63145 > TW: the
// sample goes just before the half period.
TEST(ThreeShuntModel, WrappedSumSamplesBeforeTheHalfPeriod) {
  const ThreeShuntSample s = Evaluated(With(4000, 700, 2550, 2550), 30339, -9476);
  EXPECT_EQ(s.dutyA, 3525);
  EXPECT_EQ(s.dutyB, 63146);
  EXPECT_EQ(s.dutyC, 11391);
  EXPECT_EQ(s.samplePoint, 8999);
  EXPECT_EQ(s.wrapped, 0);
  EXPECT_EQ(s.sampleWindow, 51);
}

// 4000 Hz zero vector: all times 4500, sector 2, M = tB = 4500, PER - M = 4500.
// Noise 61700 + dead 800 = 62500 ns gives TW exactly 4500: S = 9000 = PER is
// folded to 2 x 9000 - 9000 - 1. Noise 61687 gives TW 4499 < 4500: the sample
// goes before the half period unfolded.
TEST(ThreeShuntModel, SampleExactlyAtTheHalfPeriodIsFolded) {
  const ThreeShuntSample folded = Evaluated(With(4000, 700, 0, 61700), 0, 0);
  EXPECT_EQ(folded.wrapped, 1);
  EXPECT_EQ(folded.samplePoint, 8999);
  EXPECT_EQ(folded.dutyA, 4500);
  EXPECT_FALSE(ThreeShuntModel::SamplingImpossible(folded)); // 8999 - 4500 > 51

  const ThreeShuntSample early = Evaluated(With(4000, 700, 0, 61687), 0, 0);
  EXPECT_EQ(early.wrapped, 0);
  EXPECT_EQ(early.samplePoint, 8999);
}

// 14400 Hz, vAlpha 25000, vBeta -10000: wX 100000000, wY 266500000,
// wZ -166500000, sector 1; tA = 1250 + D(133255000) = 2266, tB = 2266 - 1270
// = 996, tC = 996 - 762 = 234. M = 2266, N = 996; PER - M = 234 <= TW 241,
// M - N = 1270 > 468: the sample goes before the leading edge.
TEST(ThreeShuntModel, WideGapSamplesBeforeTheLeadingEdge) {
  const ThreeShuntSample s = Evaluated(ThreeShuntDefaults(), 25000, -10000);
  EXPECT_EQ(s.dutyA, 2266);
  EXPECT_EQ(s.dutyB, 996);
  EXPECT_EQ(s.dutyC, 234);
  EXPECT_EQ(s.samplePoint, 2266 - 51);
  EXPECT_EQ(s.wrapped, 0);
}

// 14400 Hz, vAlpha 15500, vBeta -26700: sector 1, tA 2271, tB 2266, tC 229.
// M = 2271, N = 2266: PER - M = 229 <= 241, M - N = 5 <= 458, S = 2512 >= 2500:
// folded to 5000 - 2512 - 1 = 2487. 2487 - 2271 = 216 leaves room for the
// default window 51 but not for samplingTime 3000 (TSAMP 216, window 217).
TEST(ThreeShuntModel, FoldedSampleWithoutRoomStopsTheSearch) {
  const ThreeShuntSample roomy = Evaluated(ThreeShuntDefaults(), 15500, -26700);
  EXPECT_EQ(roomy.dutyA, 2271);
  EXPECT_EQ(roomy.dutyB, 2266);
  EXPECT_EQ(roomy.dutyC, 229);
  EXPECT_EQ(roomy.wrapped, 1);
  EXPECT_EQ(roomy.samplePoint, 2487);
  EXPECT_FALSE(ThreeShuntModel::SamplingImpossible(roomy));

  const ThreeShuntSample tight = Evaluated(With(14400, 3000, 2550, 2550), 15500, -26700);
  EXPECT_EQ(tight.wrapped, 1);
  EXPECT_EQ(tight.samplePoint, 2487);
  EXPECT_EQ(tight.sampleWindow, 217);
  EXPECT_TRUE(ThreeShuntModel::SamplingImpossible(tight));
}

struct StopCase {
  std::uint8_t wrapped;
  std::uint16_t samplePoint;
  std::uint16_t dutyA;
  bool stops;
};

TEST(ThreeShuntModel, OnlyAFoldedSampleCanStopTheSearch) {
  const StopCase cases[] = {
      {1, 2400, 2349, true}, {1, 2400, 2348, false}, {0, 2400, 2349, false},
      {0, 100, 2000, false}, {1, 100, 2000, true}, // -1900 <= 51
  };
  for (const StopCase &c : cases) {
    ThreeShuntSample s;
    s.wrapped = c.wrapped;
    s.samplePoint = c.samplePoint;
    s.dutyA = c.dutyA;
    s.sampleWindow = 51;
    EXPECT_EQ(ThreeShuntModel::SamplingImpossible(s), c.stops)
        << int{c.wrapped} << " " << c.samplePoint << " " << c.dutyA;
  }
}

} // namespace
} // namespace sirenta
