// The settings of a record as the build log's element tree: group names,
// leaf names and the setting each leaf shows. One walk serves the build log,
// the comparison of two projects and the registry's paths, so their names
// always agree.
#pragma once

#include "parvex.h"
#include "parvex/Api.h"
#include "parvex/Parameters.h"

#include <string>
#include <vector>

namespace parvex {

// One leaf: its element name (without the Aux prefix of auxiliary members)
// and the setting it shows.
struct SettingLeaf {
  const char *name = nullptr;
  const Parameter *parameter = nullptr;
};

class PARVEX_CORE_API SettingsVisitor {
public:
  virtual ~SettingsVisitor();
  virtual void OpenGroup(const char *name) = 0;
  virtual void CloseGroup(const char *name) = 0;
  virtual void Leaf(const SettingLeaf &leaf) = 0;
};

enum class SettingsScope {
  // Exactly the FOCDATA content of the build log: the speed-feedback and
  // current-sensing variants that the record's flags select.
  AsLogged,
  // Every variant of every group, plus the few fields the log never shows,
  // so that no stored setting is missed. A field shared by variants (the
  // speed limits, the alignment) comes once per variant.
  Everything,
};

// Walks the FOCDATA content (without the FOCDATA element itself). `data`
// only decides which variants AsLogged walks.
PARVEX_CORE_API void WalkSettings(const UserData &data, SettingsScope scope,
                                  SettingsVisitor &visitor);

// The settings in which two records differ, one line per difference, in tree
// order:
//   "MOTORANDHW/MOTORCHARACTERISTICS/R: 0.35 -> 0.40"          (the value)
//   "MOTORANDHW/MOTORCHARACTERISTICS/RatedCurrent (max): 2.92 -> 3.30"
// with " (min)", " (max)" and " (decimals)" for the range and precision.
// Every variant is compared, also those the log of either record would leave
// out; a field shared by variants is named by its first place. Empty when
// the records hold the same settings (reserved bytes are not settings).
PARVEX_CORE_API std::vector<std::string> DiffSettings(const UserData &before,
                                                      const UserData &after);

} // namespace parvex
