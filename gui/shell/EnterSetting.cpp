#include "shell/EnterSetting.h"

#include "parvex/Edits.h"

bool EnterSetting(UserData &data, const parvex::Parameter &parameter, double value) {
  const parvex::EditRule *rule = parvex::EditRuleOf(parameter);
  if (!rule)
    return false;
  const bool flag = rule->control == parvex::EditControl::CheckBox ||
                    rule->control == parvex::EditControl::Option;
  // A field's value is clamped into its limits, as scripted edits refuse
  // what lies outside them: one validation for both.
  return flag ? parvex::CommitFlag(data, parameter, value != 0)
              : parvex::EnterValue(data, parameter, value, parvex::OutOfRange::Clamp).ok();
}
