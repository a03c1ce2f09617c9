// The data of the modulation-index chart: the maximum available modulation
// index against PWM frequency for both shunt techniques, at the project's
// dead, sampling, rise and noise times. Qt-free, so that it can be tested
// and measured alone and computed away from the GUI thread.
#pragma once

#include "parvex.h"

#include <cstddef>
#include <cstdint>
#include <optional>
#include <vector>

namespace torvio {

constexpr std::uint32_t kMmiFirstHz = 4000;
constexpr std::uint32_t kMmiLastHz = 32000;
constexpr std::uint32_t kMmiStepHz = 500;
constexpr std::size_t kMmiPoints = (kMmiLastHz - kMmiFirstHz) / kMmiStepHz + 1; // 57

enum class MmiSensing { SingleShunt, ThreeShunts };

struct MmiPoint {
  std::uint32_t frequency = 0; // Hz
  std::uint32_t index = 0;     // percent
  bool operator==(const MmiPoint &) const = default;
};

// What the chart depends on; the chart is recomputed only when it changes.
struct MmiInputs {
  std::uint32_t pwmFrequency = 0, deadTime = 0, samplingTime = 0, riseTime = 0, noiseTime = 0;
  bool singleShunt = false, threeShunts = false, isolated = false;
  bool operator==(const MmiInputs &) const = default;
};
MmiInputs MmiInputsOf(const UserData &project);

// The chart's kMmiPoints frequencies, from kMmiFirstHz in steps of kMmiStepHz,
// with index 0.
std::vector<MmiPoint> MmiFrequencies();

// The modulation-index query run on a copy of the project set to this
// technique and frequency.
std::uint32_t ComputeMmiIndex(const UserData &project, MmiSensing sensing, std::uint32_t frequency);

// One curve: kMmiPoints points from kMmiFirstHz in steps of kMmiStepHz, each
// the modulation-index query run on a copy of the project set to this
// technique and frequency. The project itself is only read.
std::vector<MmiPoint> ComputeMmiCurve(const UserData &project, MmiSensing sensing);

// The project's own point: its PWM frequency and technique. Empty for
// isolated current sensors (no shunt, no limit to show).
struct MmiProjectPoint {
  MmiSensing sensing = MmiSensing::ThreeShunts;
  MmiPoint point;
};
struct MmiChartData {
  MmiInputs inputs;
  std::vector<MmiPoint> singleShunt, threeShunts;
  std::optional<MmiProjectPoint> project;
};

// Taken from `computed` when the project's frequency is one of the chart's,
// else queried.
std::optional<MmiProjectPoint> ComputeMmiProjectPoint(const UserData &project,
                                                      const MmiChartData &computed = {});

// Both curves and the project's point; with `twoThreads` the searches are
// shared between the calling thread and one more.
MmiChartData ComputeMmiChart(const UserData &project, bool twoThreads = false);

} // namespace torvio
