#include "MmiSeries.h"

#include <functional>
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

std::vector<MmiPoint> ComputeMmiCurve(const UserData &project, MmiSensing sensing) {
  UserData copy = project;
  SetSensing(copy, sensing);
  std::vector<MmiPoint> curve;
  curve.reserve(kMmiPoints);
  for (std::uint32_t f = kMmiFirstHz; f <= kMmiLastHz; f += kMmiStepHz) {
    copy.PWMFrequency.Value = f;
    curve.push_back({f, Query(copy)});
  }
  return curve;
}

std::optional<MmiProjectPoint> ComputeMmiProjectPoint(const UserData &project) {
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
  UserData copy = project;
  return MmiProjectPoint{sensing, {project.PWMFrequency.Value, Query(copy)}};
}

MmiChartData ComputeMmiChart(const UserData &project, bool twoThreads) {
  MmiChartData data;
  data.inputs = MmiInputsOf(project);
  if (twoThreads) {
    auto single = std::async(std::launch::async, ComputeMmiCurve, std::cref(project),
                             MmiSensing::SingleShunt);
    data.threeShunts = ComputeMmiCurve(project, MmiSensing::ThreeShunts);
    data.singleShunt = single.get();
  } else {
    data.singleShunt = ComputeMmiCurve(project, MmiSensing::SingleShunt);
    data.threeShunts = ComputeMmiCurve(project, MmiSensing::ThreeShunts);
  }
  data.project = ComputeMmiProjectPoint(project);
  return data;
}

} // namespace torvio
