#include "AngleSweep.h"

#include <algorithm>
#include <cmath>

#include "Defaults.h"

namespace sirenta {

namespace {

constexpr double kPi = 3.141592653589793;

// The default step over the longer default span covers every sweep the
// program asks for. It is a constant of the library, computed on first use,
// so that a search with the default step costs no trigonometry.
struct SharedSweep {
  double step;
  double span;
  std::vector<Angle> angles;
};

const SharedSweep &DefaultSweep() {
  static const SharedSweep shared = [] {
    const SirentaParams p = ThreeShuntDefaults();
    SharedSweep s{p.angleStep, p.angleSpan, {}};
    for (double theta = 0.0; theta < s.span; theta += s.step)
      s.angles.push_back(AngleAt(theta));
    return s;
  }();
  return shared;
}

} // namespace

Angle AngleAt(double theta) {
  const double r = theta * kPi / 180;
  return {theta, std::cos(r), std::sin(r)};
}

AngleSweep::AngleSweep(const SirentaParams &params) : step_(params.angleStep) {
  const double span = params.angleSpan;
  const SharedSweep &shared = DefaultSweep();
  if (step_ == shared.step && span <= shared.span) {
    // Same step, same additions: this sweep is a prefix of the shared one.
    kept_ = std::span<const Angle>(shared.angles);
    const auto end = std::partition_point(kept_.begin(), kept_.end(),
                                          [span](const Angle &a) { return a.theta < span; });
    kept_ = kept_.first(static_cast<std::size_t>(end - kept_.begin()));
    return;
  }
  double theta = 0.0;
  while (theta < span && own_.size() < kMaxKept) {
    own_.push_back(AngleAt(theta));
    const double next = theta + step_;
    if (!(next > theta)) {
      stalls_ = true;
      break;
    }
    theta = next;
  }
  kept_ = own_;
  if (!stalls_ && theta < span)
    rest_ = theta;
}

} // namespace sirenta
