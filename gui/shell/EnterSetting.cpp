#include "shell/EnterSetting.h"

#include "parvex/Edits.h"

bool EnterSetting(UserData &data, const parvex::Parameter &parameter, double value) {
  const parvex::EditRule *rule = parvex::EditRuleOf(parameter);
  if (!rule)
    return false;
  const bool flag = rule->control == parvex::EditControl::CheckBox ||
                    rule->control == parvex::EditControl::Option;
  return flag ? parvex::CommitFlag(data, parameter, value != 0)
              : parvex::CommitValue(data, parameter, value);
}
