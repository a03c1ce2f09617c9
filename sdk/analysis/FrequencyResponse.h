// A loop's figures in the frequency domain: open-loop crossover and phase
// margin, closed-loop poles, -3 dB bandwidth and resonance peak, and
// closed-loop Bode samples for a plot.
#pragma once

#include "LoopModel.h"
#include "parvex/ControllerAnalysis.h"

#include <complex>
#include <functional>
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

// Any sampled loop: its open-loop response at theta = omega x period in
// (0, pi], and that response's phase in radians, continuous (never wrapped).
struct LoopResponse {
  std::function<std::complex<double>(double theta)> open;
  std::function<double(double theta)> phase;
  double period = 0; // s
};

// Everything but the poles (spectralRadius and stable stay unset).
FrequencyFigures AnalyseFrequency(const LoopResponse &loop, int bodePoints);

// A current loop, with its poles.
FrequencyFigures AnalyseFrequency(const DiscreteLoop &loop, int bodePoints);

} // namespace parvex::analysis
