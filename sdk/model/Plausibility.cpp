#include "parvex/Plausibility.h"

#include "parvex/Settings.h"

#include <charconv>
#include <cmath>
#include <string>

namespace parvex {

namespace {

// Every digit a double needs, or the integer as it is.
std::string Number(double v, bool integral) {
  if (integral && std::isfinite(v))
    return std::to_string(static_cast<long long>(v));
  char text[64];
  return std::string(text, std::to_chars(text, text + sizeof text, v).ptr);
}

} // namespace

std::vector<ImplausibleSetting> FindImplausibleSettings(const UserData &data) {
  std::vector<ImplausibleSetting> found;
  for (const Parameter &p : Parameters()) {
    const std::string name = std::string(PathOf(p)) + ": ";
    if (p.kind == ParamKind::Flag) {
      const double flag = p.Read(data);
      if (flag != 0 && flag != 1)
        found.push_back({&p, name + Number(flag, true) + " is no flag value (0 or 1)"});
      continue;
    }
    if (!p.HasRange() || p.computed)
      continue;
    const bool integral = p.kind != ParamKind::Real;
    const double min = p.Read(data, ParamPart::Min);
    const double value = p.Read(data);
    const double max = p.Read(data, ParamPart::Max);
    if (!(value >= min && value <= max))
      found.push_back({&p, name + Number(value, integral) + " is outside " + Number(min, integral) +
                               ".." + Number(max, integral)});
  }
  return found;
}

} // namespace parvex
