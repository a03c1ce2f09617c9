#include "AngleSweep.h"

#include <algorithm>
#include <array>
#include <cmath>
#include <mutex>

#include "Defaults.h"

namespace sirenta {

namespace {

constexpr double kPi = 3.141592653589793;
constexpr int kIndexes = 101; // 0 to 100 percent

// The default step over the longer default span covers every sweep the
// program asks for. Its angles, and the reference vectors of each index at
// them, are constants of the library, computed on first use: a search with
// the default step then costs neither trigonometry nor quantisation, only
// the PWM model. They never depend on a caller's record.
class SharedSweep {
public:
  SharedSweep() {
    const SirentaParams p = ThreeShuntDefaults();
    step = p.angleStep;
    span = p.angleSpan;
    for (double theta = 0.0; theta < span; theta += step)
      angles.push_back(AngleAt(theta));
  }

  std::span<const ReferenceVector> VectorsAt(int m) const {
    std::call_once(once_[m], [this, m] {
      std::vector<ReferenceVector> &row = rows_[m];
      row.reserve(angles.size());
      for (const Angle &a : angles)
        row.push_back(ReferenceAt(a, m));
    });
    return rows_[m];
  }

  double step = 0.0;
  double span = 0.0;
  std::vector<Angle> angles;

private:
  mutable std::array<std::once_flag, kIndexes> once_;
  mutable std::array<std::vector<ReferenceVector>, kIndexes> rows_;
};

const SharedSweep &DefaultSweep() {
  static const SharedSweep shared;
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
    shared_ = true;
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

std::span<const ReferenceVector> AngleSweep::VectorsAt(int m) const {
  if (!shared_ || m < 0 || m >= kIndexes)
    return {};
  return DefaultSweep().VectorsAt(m).first(kept_.size());
}

} // namespace sirenta
