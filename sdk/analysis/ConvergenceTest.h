// The test that decides when the estimated speed can be trusted: the last
// estimates' mean above a speed and their spread within a fraction of it,
// so many tests in a row.
#pragma once

#include "parvex/StartupSimulation.h"

#include <cstddef>
#include <vector>

namespace parvex::analysis {

struct ConvergenceRule {
  int depth = 64;        // estimates judged by one test
  double fraction = 0;   // VARIANCE_THRESHOLD: the percentage over 100
  double minimumRpm = 0; // the mean must reach it
  SpreadRule spread = SpreadRule::VarianceOfMeanSquare;
  int needed = 1; // consecutive passes
};

class ConvergenceTest {
public:
  explicit ConvergenceTest(const ConvergenceRule &rule);

  void Add(double rpm); // one estimate, every control period
  // One test; true once `needed` tests in a row have passed.
  bool Test();

  double Mean() const { return mean_; } // of the last test
  int Run() const { return run_; }
  int Longest() const { return longest_; }
  // The smallest spread of a test whose mean was high enough, over the
  // allowed spread; NaN before such a test.
  double BestSpreadRatio() const { return bestRatio_; }
  // The highest mean of any test, rpm.
  double HighestMean() const { return highestMean_; }

private:
  ConvergenceRule rule_;
  std::vector<double> ring_;
  std::size_t next_ = 0;
  std::size_t filled_ = 0;
  double mean_ = 0;
  int run_ = 0;
  int longest_ = 0;
  double bestRatio_;
  double highestMean_;
};

} // namespace parvex::analysis
