// The chart's curves against the modulation-index query and the worked
// examples of the search.
#include "MmiSeries.h"

#include <gtest/gtest.h>

#include <cstring>

namespace torvio {
namespace {

// The search's own default timing: dead 800 ns, sampling 700 ns, rise and
// noise 2550 ns.
UserData Project(std::uint32_t sampling = 700) {
  UserData d;
  std::memset(&d, 0, sizeof d);
  PARVEX_SetDefault(&d);
  d.DeadTime.Value = 800;
  d.ADConverterSamplingTime = sampling;
  d.Trise.Value = 2550;
  d.Tnoise.Value = 2550;
  d.PWMFrequency.Value = 14400;
  d.IsolatedCurrentSensors = 0;
  d.SingleShuntResistor = 0;
  d.ThreeShuntResistors = 1;
  return d;
}

std::uint32_t At(const std::vector<MmiPoint> &curve, std::uint32_t hz) {
  for (const MmiPoint &p : curve)
    if (p.frequency == hz)
      return p.index;
  ADD_FAILURE() << "no point at " << hz;
  return 0;
}

TEST(MmiSeries, FiftySevenFrequenciesInSteps) {
  const auto curve = ComputeMmiCurve(Project(), MmiSensing::ThreeShunts);
  ASSERT_EQ(curve.size(), 57u);
  EXPECT_EQ(curve.front().frequency, 4000u);
  EXPECT_EQ(curve[1].frequency, 4500u);
  EXPECT_EQ(curve.back().frequency, 32000u);
}

struct Example {
  MmiSensing sensing;
  std::uint32_t sampling, hz, index;
};

// Worked examples of the two searches at the default timing.
TEST(MmiSeries, WorkedExamples) {
  const Example examples[] = {
      {MmiSensing::ThreeShunts, 700, 20000, 87},
      {MmiSensing::ThreeShunts, 700, 8000, 100},
      {MmiSensing::SingleShunt, 700, 8000, 100},
  };
  for (const Example &e : examples) {
    const auto curve = ComputeMmiCurve(Project(e.sampling), e.sensing);
    EXPECT_EQ(At(curve, e.hz), e.index) << e.hz;
  }
}

TEST(MmiSeries, CurvesMatchSingleQueries) {
  const UserData project = Project(450);
  const MmiChartData chart = ComputeMmiChart(project);
  for (std::uint32_t hz : {4000u, 12500u, 20000u, 27000u, 32000u}) {
    UserData one = project;
    one.PWMFrequency.Value = hz;
    one.ThreeShuntResistors = 0;
    one.SingleShuntResistor = 1;
    PARVEX_CalcMMI(&one);
    EXPECT_EQ(At(chart.singleShunt, hz), one.MaximumAvailableModulationIndex.Value) << hz;
    one.ThreeShuntResistors = 1;
    one.SingleShuntResistor = 0;
    PARVEX_CalcMMI(&one);
    EXPECT_EQ(At(chart.threeShunts, hz), one.MaximumAvailableModulationIndex.Value) << hz;
  }
}

TEST(MmiSeries, ProjectPointFollowsTheProject) {
  // Three shunts, 14400 Hz, sampling 200: 98.
  UserData project = Project(200);
  auto point = ComputeMmiProjectPoint(project);
  ASSERT_TRUE(point.has_value());
  EXPECT_EQ(point->sensing, MmiSensing::ThreeShunts);
  EXPECT_EQ(point->point, (MmiPoint{14400, 98}));

  project = Project(700);
  project.PWMFrequency.Value = 20000;
  point = ComputeMmiProjectPoint(project);
  ASSERT_TRUE(point.has_value());
  EXPECT_EQ(point->point, (MmiPoint{20000, 87}));

  // Single shunt, sampling 2450 at the default 14400 Hz: 87.
  project = Project(2450);
  project.ThreeShuntResistors = 0;
  project.SingleShuntResistor = 1;
  point = ComputeMmiProjectPoint(project);
  ASSERT_TRUE(point.has_value());
  EXPECT_EQ(point->sensing, MmiSensing::SingleShunt);
  EXPECT_EQ(point->point, (MmiPoint{14400, 87}));

  project.IsolatedCurrentSensors = 1;
  EXPECT_FALSE(ComputeMmiProjectPoint(project).has_value());
}

// On the grid the point comes from the curve, between its frequencies from a
// query of its own; either way it is the project's own result.
TEST(MmiSeries, ChartMarksTheProjectOnAndOffItsGrid) {
  struct Case {
    std::uint32_t sampling, hz, index;
  };
  const Case cases[] = {{700, 20000, 87}, {200, 14400, 98}, {700, 8000, 100}};
  for (const Case &c : cases) {
    UserData project = Project(c.sampling);
    project.PWMFrequency.Value = c.hz;
    const MmiChartData chart = ComputeMmiChart(project, true);
    ASSERT_TRUE(chart.project.has_value()) << c.hz;
    EXPECT_EQ(chart.project->sensing, MmiSensing::ThreeShunts);
    EXPECT_EQ(chart.project->point, (MmiPoint{c.hz, c.index}));
  }
}

TEST(MmiSeries, TwoThreadsGiveTheSameChart) {
  const UserData project = Project(450);
  const MmiChartData one = ComputeMmiChart(project);
  const MmiChartData two = ComputeMmiChart(project, true);
  EXPECT_EQ(one.singleShunt, two.singleShunt);
  EXPECT_EQ(one.threeShunts, two.threeShunts);
}

TEST(MmiSeries, ProjectIsNeverChanged) {
  const UserData project = Project(200);
  UserData copy = project;
  const MmiChartData chart = ComputeMmiChart(copy);
  EXPECT_EQ(std::memcmp(&copy, &project, sizeof project), 0);
  EXPECT_EQ(chart.inputs, MmiInputsOf(project));
}

TEST(MmiSeries, InputsTrackTheTimingAndTechnique) {
  const UserData a = Project();
  UserData b = a;
  EXPECT_EQ(MmiInputsOf(a), MmiInputsOf(b));
  b.Trise.Value = 1000;
  EXPECT_NE(MmiInputsOf(a), MmiInputsOf(b));
  b = a;
  b.SingleShuntResistor = 1;
  EXPECT_NE(MmiInputsOf(a), MmiInputsOf(b));
  b = a;
  b.R.Value = 1; // not a chart input
  EXPECT_EQ(MmiInputsOf(a), MmiInputsOf(b));
}

} // namespace
} // namespace torvio
