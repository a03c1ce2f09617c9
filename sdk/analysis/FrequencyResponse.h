// The loop's figures in the frequency domain: open-loop crossover and
// phase margin, closed-loop poles, -3 dB bandwidth and resonance peak, and
// closed-loop Bode samples for a plot.
#pragma once

#include "LoopModel.h"
#include "parvex/ControllerAnalysis.h"

#include <vector>

namespace parvex::analysis {

struct FrequencyFigures {
  double crossover = NAN;   // rad/s
  double phaseMargin = NAN; // degrees
  double spectralRadius = NAN;
  bool stable = false;
  double bandwidth = NAN; // rad/s
  double peakDb = NAN;
  double peakFrequency = NAN; // rad/s
  std::vector<FrequencyPoint> closedLoop;
};

FrequencyFigures AnalyseFrequency(const DiscreteLoop &loop, int bodePoints);

} // namespace parvex::analysis
