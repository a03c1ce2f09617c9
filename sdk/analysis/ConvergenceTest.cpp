#include "ConvergenceTest.h"

#include <algorithm>
#include <cmath>

namespace parvex::analysis {

ConvergenceTest::ConvergenceTest(const ConvergenceRule &rule)
    : rule_(rule), ring_(static_cast<std::size_t>(std::max(rule.depth, 1)), 0.0), bestRatio_(NAN),
      highestMean_(NAN) {}

void ConvergenceTest::Add(double rpm) {
  ring_[next_] = rpm;
  next_ = (next_ + 1) % ring_.size();
  filled_ = std::min(filled_ + 1, ring_.size());
}

bool ConvergenceTest::Test() {
  bool pass = false;
  if (filled_ == ring_.size()) {
    double sum = 0;
    for (const double v : ring_)
      sum += v;
    mean_ = sum / static_cast<double>(ring_.size());
    double squares = 0;
    for (const double v : ring_)
      squares += (v - mean_) * (v - mean_);
    const double variance = squares / static_cast<double>(ring_.size());
    highestMean_ = std::isnan(highestMean_) ? mean_ : std::max(highestMean_, mean_);
    if (mean_ >= rule_.minimumRpm && mean_ > 0) {
      // Spread and its bound in the rule's own terms.
      const bool squared = rule_.spread == SpreadRule::VarianceOfMeanSquare;
      const double spread = squared ? variance : std::sqrt(variance);
      const double allowed = rule_.fraction * (squared ? mean_ * mean_ : mean_);
      const double ratio = allowed > 0 ? spread / allowed : (spread > 0 ? INFINITY : 0.0);
      bestRatio_ = std::isnan(bestRatio_) ? ratio : std::min(bestRatio_, ratio);
      pass = spread <= allowed;
    }
  }
  run_ = pass ? run_ + 1 : 0;
  longest_ = std::max(longest_, run_);
  return run_ >= rule_.needed;
}

} // namespace parvex::analysis
