// The settings of a record as the build log's element tree: group names,
// leaf names and the field each leaf shows. One walk serves both the build
// log and the comparison of two projects, so their names always agree.
#pragma once

#include "parvex.h"

#include <cstdint>

namespace parvex {

enum class SettingKind {
  Flag,      // uint32 shown as TRUE/FALSE
  Word,      // uint32 shown as a number, no range
  Rate,      // double shown with one decimal, no range
  Int,       // IntParam
  SignedInt, // SignedIntParam
  Real,      // RealParam
};

// One leaf: its element name and the member it shows. Exactly the pointer
// that matches `kind` is set.
struct SettingLeaf {
  const char *name = nullptr;
  SettingKind kind = SettingKind::Flag;
  std::uint32_t UserData::*word = nullptr;
  double UserData::*rate = nullptr;
  IntParam UserData::*intParam = nullptr;
  SignedIntParam UserData::*signedParam = nullptr;
  RealParam UserData::*realParam = nullptr;

  bool SameMember(const SettingLeaf &other) const {
    return kind == other.kind && word == other.word && rate == other.rate &&
           intParam == other.intParam && signedParam == other.signedParam &&
           realParam == other.realParam;
  }
};

class SettingsVisitor {
public:
  virtual ~SettingsVisitor() = default;
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
void WalkSettings(const UserData &data, SettingsScope scope, SettingsVisitor &visitor);

// Decimal places of a real setting: its Decimals truncated. A stored value
// with no sensible conversion (NaN, negative, huge) is kept printable.
int DecimalsOf(double decimals);

} // namespace parvex
