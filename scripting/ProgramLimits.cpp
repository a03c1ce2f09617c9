#include "ProgramLimits.h"

#include "SettingPath.h"
#include "SettingText.h"

#include "parvex/Model.h"

#include <array>

namespace torvio::scripting {

namespace {

using parvex::ParamPart;

constexpr std::array<ParamPart, 3> kLimitParts = {ParamPart::Min, ParamPart::Max,
                                                  ParamPart::Decimals};

// Which limits the check writes for this record: each is set to a marker in
// two copies (two markers, so that a computed value equal to one of them is
// still seen) and the check runs; a limit it wrote no longer holds the
// marker. The check's own code decides, so no list of couplings is kept
// beside it.
std::vector<bool> ComputedLimits(const UserData &record) {
  std::array<UserData, 2> probes = {record, record};
  const std::array<double, 2> markers = {1234567.0, 7654321.0};
  for (std::size_t k = 0; k < probes.size(); ++k)
    for (const parvex::Parameter &p : parvex::Parameters())
      if (p.HasRange())
        for (ParamPart part : kLimitParts)
          p.Write(probes[k], markers[k], part);
  for (UserData &probe : probes)
    parvex::CheckConsistency(probe);
  std::vector<bool> computed;
  for (const parvex::Parameter &p : parvex::Parameters())
    if (p.HasRange())
      for (ParamPart part : kLimitParts)
        computed.push_back(p.Read(probes[0], part) != markers[0] ||
                           p.Read(probes[1], part) != markers[1]);
  return computed;
}

} // namespace

std::vector<std::string> ForeignLimits(const UserData &record) {
  UserData defaults{};
  PARVEX_SetDefault(&defaults);
  const std::vector<bool> computed = ComputedLimits(record);
  std::vector<std::string> lines;
  std::size_t i = 0;
  for (const parvex::Parameter &p : parvex::Parameters()) {
    if (!p.HasRange())
      continue;
    for (ParamPart part : kLimitParts) {
      const bool byCheck = computed[i++];
      const double own = p.Read(defaults, part);
      const double held = p.Read(record, part);
      if (byCheck || held == own)
        continue;
      lines.push_back(PathText({&p, part}) + ": " + ExactNumber(held) +
                      " is not the limit TORVIO gives this setting (" + ExactNumber(own) + ")");
    }
  }
  return lines;
}

} // namespace torvio::scripting
