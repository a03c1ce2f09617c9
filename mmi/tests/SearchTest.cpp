#include "Search.h"

#include <gtest/gtest.h>

#include <cmath>
#include <cstdint>
#include <limits>

#include "Defaults.h"

namespace sirenta {
namespace {

using Searcher = int (*)(SirentaParams &, SearchTrace &);

struct Example {
  const char *name;
  Searcher search;
  SirentaParams params;
  int result;
  int maxIndex;
  int limitIndex; // 0: no limit
};

SirentaParams Single(std::uint32_t pwmFrequency, std::uint32_t samplingTime) {
  SirentaParams p = SingleShuntDefaults();
  p.pwmFrequency = pwmFrequency;
  p.samplingTime = samplingTime;
  return p;
}

SirentaParams Three(std::uint32_t pwmFrequency, std::uint32_t samplingTime) {
  SirentaParams p = ThreeShuntDefaults();
  p.pwmFrequency = pwmFrequency;
  p.samplingTime = samplingTime;
  return p;
}

SirentaParams WithRise(SirentaParams p, std::uint32_t riseTime) {
  p.riseTime = riseTime;
  return p;
}

// The documented outcomes of both techniques.
TEST(Search, WorkedExamples) {
  const Example examples[] = {
      {"1sh defaults", SearchSingleShunt, Single(14400, 700), kLimitFound, 95, 96},
      {"1sh sampling 200", SearchSingleShunt, Single(14400, 200), kLimitFound, 98, 99},
      {"1sh sampling 2450", SearchSingleShunt, Single(14400, 2450), kLimitFound, 87, 89},
      {"1sh 8000 Hz", SearchSingleShunt, Single(8000, 700), kNoLimit, 100, 0},
      {"3sh defaults", SearchThreeShunt, Three(14400, 700), kLimitFound, 95, 96},
      {"3sh sampling 200", SearchThreeShunt, Three(14400, 200), kLimitFound, 98, 99},
      {"3sh 20000 Hz", SearchThreeShunt, Three(20000, 700), kLimitFound, 87, 89},
      {"3sh 8000 Hz", SearchThreeShunt, Three(8000, 700), kNoLimit, 100, 0},
      // A rise time of 20 us leaves no room even at the first index tried:
      // 72 - 1 = 71 is clipped to 77.
      {"1sh first index", SearchSingleShunt, WithRise(Single(14400, 700), 20000), kLimitClipped, 77,
       72},
      {"3sh first index", SearchThreeShunt, WithRise(Three(14400, 700), 20000), kLimitClipped, 77,
       72},
  };
  for (const Example &e : examples) {
    SirentaParams p = e.params;
    p.maxModulationIndex = 0;
    SearchTrace trace;
    EXPECT_EQ(e.search(p, trace), e.result) << e.name;
    EXPECT_EQ(p.maxModulationIndex, e.maxIndex) << e.name;
    EXPECT_EQ(trace.limitFound, e.limitIndex != 0) << e.name;
    if (e.limitIndex != 0) {
      EXPECT_EQ(trace.index, e.limitIndex) << e.name;
    }
  }
}

TEST(Search, DefaultSingleShuntLimitAngle) {
  SirentaParams p = SingleShuntDefaults();
  SearchTrace trace;
  ASSERT_EQ(SearchSingleShunt(p, trace), kLimitFound);
  EXPECT_EQ(trace.index, 96);
  EXPECT_NEAR(trace.angle, 6.81, 1e-6);
}

TEST(Search, DefaultThreeShuntLimitAngle) {
  SirentaParams p = ThreeShuntDefaults();
  SearchTrace trace;
  ASSERT_EQ(SearchThreeShunt(p, trace), kLimitFound);
  EXPECT_EQ(trace.index, 96);
  EXPECT_NEAR(trace.angle, 52.99, 1e-6);
}

// Angles 0, 0.01, ... below the span, stepped the way the sweep steps them.
std::uint64_t AnglesBelow(double span, double step) {
  std::uint64_t n = 0;
  for (double theta = 0.0; theta < span; theta += step)
    ++n;
  return n;
}

TEST(Search, WithoutALimitEveryIndexSweepsTheWholeSpan) {
  SirentaParams single = Single(8000, 700);
  SearchTrace trace;
  ASSERT_EQ(SearchSingleShunt(single, trace), kNoLimit);
  const std::uint64_t singleAngles = AnglesBelow(30.0, 0.01);
  EXPECT_GE(singleAngles, 3000u);
  EXPECT_EQ(trace.evaluations, 29 * singleAngles); // indexes 72 to 100

  SirentaParams three = Three(8000, 700);
  ASSERT_EQ(SearchThreeShunt(three, trace), kNoLimit);
  EXPECT_EQ(trace.evaluations, 29 * AnglesBelow(60.0, 0.01));
}

TEST(Search, StartAbove100RunsNoStep) {
  for (Searcher search : {SearchSingleShunt, SearchThreeShunt}) {
    SirentaParams p = SingleShuntDefaults();
    p.startIndex = 101;
    SearchTrace trace;
    EXPECT_EQ(search(p, trace), kNoLimit);
    EXPECT_EQ(p.maxModulationIndex, 100);
    EXPECT_EQ(trace.evaluations, 0u);
  }
}

TEST(Search, EmptyAngleSpanRunsNoModel) {
  for (double span : {0.0, -1.0, std::numeric_limits<double>::quiet_NaN()}) {
    for (Searcher search : {SearchSingleShunt, SearchThreeShunt}) {
      SirentaParams p = ThreeShuntDefaults();
      p.angleSpan = span;
      SearchTrace trace;
      EXPECT_EQ(search(p, trace), kNoLimit) << span;
      EXPECT_EQ(p.maxModulationIndex, 100) << span;
      EXPECT_EQ(trace.evaluations, 0u) << span;
    }
  }
}

TEST(Search, StartAt100TriesOnlyThatIndex) {
  SirentaParams p = SingleShuntDefaults();
  p.startIndex = 100;
  SearchTrace trace;
  // The default limit lies at 96, so 100 fails at once: 99, kept as is.
  EXPECT_EQ(SearchSingleShunt(p, trace), kLimitFound);
  EXPECT_EQ(trace.index, 100);
  EXPECT_EQ(p.maxModulationIndex, 99);
}

// A zero frequency would divide by zero, and an angle step that cannot move
// the angle forward would never end: nothing is computed, the record stays.
TEST(Search, UnusableParametersLeaveTheRecordAlone) {
  SirentaParams zeroFrequency = SingleShuntDefaults();
  zeroFrequency.pwmFrequency = 0;
  SirentaParams wrappingFrequency = SingleShuntDefaults();
  wrappingFrequency.pwmFrequency = 0x80000000u;
  SirentaParams zeroStep = SingleShuntDefaults();
  zeroStep.angleStep = 0.0;
  SirentaParams backwards = SingleShuntDefaults();
  backwards.angleStep = -0.01;
  SirentaParams nanStep = SingleShuntDefaults();
  nanStep.angleStep = std::numeric_limits<double>::quiet_NaN();

  for (const SirentaParams &given :
       {zeroFrequency, wrappingFrequency, zeroStep, backwards, nanStep}) {
    for (Searcher search : {SearchSingleShunt, SearchThreeShunt}) {
      SirentaParams p = given;
      p.maxModulationIndex = 42;
      SearchTrace trace;
      EXPECT_EQ(search(p, trace), kInvalidInput);
      EXPECT_EQ(p.maxModulationIndex, 42);
    }
  }
}

} // namespace
} // namespace sirenta
