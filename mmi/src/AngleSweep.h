// The vector angles a search sweeps at every index, with their cosines and
// sines: the same at every index, so a search computes them once.
#pragma once

#include <cstddef>
#include <cstdint>
#include <optional>
#include <span>
#include <vector>

#include "ReferenceVector.h"
#include "Rounding.h"
#include "sirenta.h"

namespace sirenta {

// One vector angle of the sweep with its cosine and sine.
struct Angle {
  double theta; // degrees
  double cos;
  double sin;
};

Angle AngleAt(double theta);

constexpr double kFullScalePerCent = 327.67;

// The reference voltage the firmware stores for index m at one angle.
inline ReferenceVector ReferenceAt(const Angle &a, int m) {
  return {QuantizeVoltage(a.cos * m * kFullScalePerCent),
          static_cast<std::int16_t>(-QuantizeVoltage(a.sin * m * kFullScalePerCent))};
}

// The angles 0 up to (not including) angleSpan in steps of angleStep, each
// the previous one plus the step. A sweep too long to keep is continued on the
// fly from rest() with the same additions.
class AngleSweep {
public:
  static constexpr std::size_t kMaxKept = 1u << 16;

  explicit AngleSweep(const SirentaParams &params);

  std::span<const Angle> kept() const { return kept_; }
  // The reference vectors of index m (0 to 100) at the kept angles, when the
  // sweep uses the default step: constants of the library, computed once.
  // Empty for any other step.
  std::span<const ReferenceVector> VectorsAt(int m) const;
  // The step cannot advance the angle past the last kept one (zero,
  // negative, NaN or too small): the sweep would never end.
  bool stalls() const { return stalls_; }
  // Where the sweep goes on beyond the kept angles, if it does.
  const std::optional<double> &rest() const { return rest_; }
  double step() const { return step_; }

private:
  double step_;
  bool shared_ = false;
  std::vector<Angle> own_;
  std::span<const Angle> kept_;
  bool stalls_ = false;
  std::optional<double> rest_;
};

} // namespace sirenta
