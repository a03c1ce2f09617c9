#include "AngleSweep.h"

#include <algorithm>
#include <array>
#include <cmath>
#include <mutex>
#include <optional>
#include <utility>

#include "Defaults.h"

namespace sirenta {

namespace {

constexpr double kPi = 3.141592653589793;
constexpr int kIndexes = 101; // 0 to 100 percent

// The angles 0, step, 2 step... below span, each the previous one plus the
// step, at most AngleSweep::kMaxKept of them.
struct BuiltSweep {
  std::vector<Angle> angles;
  bool stalls = false;        // the step stopped advancing the angle
  std::optional<double> rest; // where a longer sweep goes on
};

BuiltSweep BuildSweep(double step, double span) {
  BuiltSweep built;
  double theta = 0.0;
  while (theta < span && built.angles.size() < AngleSweep::kMaxKept) {
    built.angles.push_back(AngleAt(theta));
    const double next = theta + step;
    if (!(next > theta)) {
      built.stalls = true;
      return built;
    }
    theta = next;
  }
  if (theta < span)
    built.rest = theta;
  return built;
}

// The default step over the longer default span covers every sweep the
// program asks for. Its angles, and the reference vectors of each index at
// them, are constants of the library, computed on first use: a search with
// the default step then costs neither trigonometry nor quantisation, only
// the PWM model. They never depend on a caller's record.
class SharedSweep {
public:
  SharedSweep()
      : step(ThreeShuntDefaults().angleStep), span(ThreeShuntDefaults().angleSpan),
        angles(BuildSweep(step, span).angles) {}

  std::span<const ReferenceVector> VectorsAt(int m) const {
    std::call_once(once_[m], [this, m] {
      std::vector<ReferenceVector> &row = rows_[m];
      row.reserve(angles.size());
      for (const Angle &a : angles)
        row.push_back(ReferenceAt(a, m));
    });
    return rows_[m];
  }

  const double step;
  const double span;
  const std::vector<Angle> angles;

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
  BuiltSweep built = BuildSweep(step_, span);
  own_ = std::move(built.angles);
  kept_ = own_;
  stalls_ = built.stalls;
  rest_ = built.rest;
}

std::span<const ReferenceVector> AngleSweep::VectorsAt(int m) const {
  if (!shared_ || m < 0 || m >= kIndexes)
    return {};
  return DefaultSweep().VectorsAt(m).first(kept_.size());
}

} // namespace sirenta
