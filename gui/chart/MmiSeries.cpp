#include "MmiSeries.h"

#include <atomic>
#include <future>

namespace torvio {

namespace {

// The query reads the technique from the flags; exactly one is set.
void SetSensing(UserData &d, MmiSensing sensing) {
  d.IsolatedCurrentSensors = 0;
  d.SingleShuntResistor = sensing == MmiSensing::SingleShunt ? 1 : 0;
  d.ThreeShuntResistors = sensing == MmiSensing::ThreeShunts ? 1 : 0;
}

std::uint32_t Query(UserData &copy) {
  PARVEX_CalcMMI(&copy);
  return copy.MaximumAvailableModulationIndex.Value;
}

} // namespace

MmiInputs MmiInputsOf(const UserData &p) {
  return {p.PWMFrequency.Value,
          p.DeadTime.Value,
          p.ADConverterSamplingTime,
          p.Trise.Value,
          p.Tnoise.Value,
          p.SingleShuntResistor != 0,
          p.ThreeShuntResistors != 0,
          p.IsolatedCurrentSensors != 0};
}

std::uint32_t ComputeMmiIndex(const UserData &project, MmiSensing sensing,
                              std::uint32_t frequency) {
  UserData copy = project;
  SetSensing(copy, sensing);
  copy.PWMFrequency.Value = frequency;
  return Query(copy);
}

std::vector<MmiPoint> ComputeMmiCurve(const UserData &project, MmiSensing sensing) {
  std::vector<MmiPoint> curve = MmiFrequencies();
  for (MmiPoint &p : curve)
    p.index = ComputeMmiIndex(project, sensing, p.frequency);
  return curve;
}

std::vector<MmiPoint> MmiFrequencies() {
  std::vector<MmiPoint> points;
  points.reserve(kMmiPoints);
  for (std::uint32_t f = kMmiFirstHz; f <= kMmiLastHz; f += kMmiStepHz)
    points.push_back({f, 0});
  return points;
}

std::optional<MmiProjectPoint> ComputeMmiProjectPoint(const UserData &project,
                                                      const MmiChartData &computed) {
  // The query's own order: isolated sensors first, then single, then three.
  if (project.IsolatedCurrentSensors != 0)
    return std::nullopt;
  MmiSensing sensing;
  if (project.SingleShuntResistor != 0)
    sensing = MmiSensing::SingleShunt;
  else if (project.ThreeShuntResistors != 0)
    sensing = MmiSensing::ThreeShunts;
  else
    return std::nullopt;
  const std::uint32_t f = project.PWMFrequency.Value;
  // On the chart's grid the curve already holds the same query's result.
  const std::vector<MmiPoint> &curve =
      sensing == MmiSensing::SingleShunt ? computed.singleShunt : computed.threeShunts;
  for (const MmiPoint &p : curve)
    if (p.frequency == f)
      return MmiProjectPoint{sensing, p};
  UserData copy = project;
  return MmiProjectPoint{sensing, {f, Query(copy)}};
}

MmiChartData ComputeMmiChart(const UserData &project, bool twoThreads) {
  MmiChartData data;
  data.inputs = MmiInputsOf(project);
  data.singleShunt = MmiFrequencies();
  data.threeShunts = MmiFrequencies();
  // One job per point, taken in turn by every thread until none is left: a
  // three-shunt search sweeps twice the angles, so splitting by curve would
  // leave one thread idle half the time.
  std::atomic<std::size_t> next{0};
  const auto work = [&] {
    for (std::size_t job; (job = next.fetch_add(1)) < 2 * kMmiPoints;) {
      const bool single = job % 2 == 0;
      MmiPoint &p = (single ? data.singleShunt : data.threeShunts)[job / 2];
      p.index = ComputeMmiIndex(project, single ? MmiSensing::SingleShunt : MmiSensing::ThreeShunts,
                                p.frequency);
    }
  };
  if (twoThreads) {
    auto helper = std::async(std::launch::async, work);
    work();
    helper.get();
  } else {
    work();
  }
  data.project = ComputeMmiProjectPoint(project, data);
  return data;
}

} // namespace torvio
