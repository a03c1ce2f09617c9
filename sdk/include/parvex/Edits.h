// What a user's edit of one setting does to the record, the same for the
// pages and for scripted edits: how the setting is entered (a numeric field,
// a check box, one option of a choice, an item of a list), and whether the
// consistency check runs after it, as its registry row describes
// (Parameter::edit). The pages keep only the presentation (layout, enable
// rules, refreshes); the model part of every commit is here.
#pragma once

#include "parvex.h"
#include "parvex/Api.h"
#include "parvex/Parameters.h"
#include "torvio/Result.h"

#include <array>
#include <optional>
#include <span>
#include <string>

namespace parvex {

// The edit description of an entered setting's row, named.
struct PARVEX_CORE_API EditRule {
  const char *name; // the registry member
  EditControl control;
  bool check; // the consistency check runs after the edit
  // Option: every flag of its group (the unused places null).
  std::array<const char *, 3> group = {};
  // List: the items offered, in the order shown.
  std::span<const Choice> choices = {};
};

// Every setting a page lets a user enter, in no particular order.
PARVEX_CORE_API std::span<const EditRule> EditRules();
// The rule of a setting, or null when no page enters it (a computed value,
// a setting kept only in files).
PARVEX_CORE_API const EditRule *EditRuleOf(const Parameter &parameter);

// The items of a list setting in the order shown; empty for a setting that
// is no list.
PARVEX_CORE_API std::span<const Choice> ListChoices(const Parameter &parameter);

// The commit of a field or list value that the control already accepted
// (within its limits, one of its items): stores it (integers truncated
// toward zero) and runs the check when the rule says so. False, and nothing
// written, when the setting has no field or list, or when the value has no
// integer conversion.
PARVEX_CORE_API bool CommitValue(UserData &data, const Parameter &parameter, double value);

// What happens to a typed value outside a field's limits: a page's field
// keeps it within them, a scripted edit is refused.
enum class OutOfRange { Clamp, Refuse };

// A number entered as a user enters it, then committed by CommitValue:
//  - a field takes its limits as the record holds them: a value outside
//    [Min, Max] is clamped into them or refused, by `mode`; a value equal to
//    the one the record holds (compared before an integer drops its
//    fraction) commits nothing, as the field raises no change;
//  - a list takes only one of its items, in either mode, and commits it even
//    when chosen already.
// The value written (an integer truncated toward zero; the check may since
// have moved it), or why nothing was: "5 is outside its limits 1..3", "4 is
// not one of 1, 2, 3", "nan cannot be stored".
PARVEX_CORE_API torvio::Result<double> EnterValue(UserData &data, const Parameter &parameter,
                                                  double value, OutOfRange mode);

// The commit of a check box or option: a check box stores `set`; an option
// is selected (set is true) and the other flags of its group are cleared.
// Then the check runs when the rule says so. False, and nothing written, for
// a setting that is no check box or option, or for clearing an option.
PARVEX_CORE_API bool CommitFlag(UserData &data, const Parameter &parameter, bool set);

// Why the page that shows this setting does not let a user change it in the
// record's state (its control is disabled), as one sentence naming the
// settings that decide it: "Ld follows Lq while
// InternalPMSMMaximunTxAStrategy is FALSE". Nothing when it does. The pages
// enable their controls by it and scripted edits are refused by it; a
// setting no page enters is always refused.
PARVEX_CORE_API std::optional<std::string> EditBlocked(const UserData &data,
                                                       const Parameter &parameter);

// Why a value of this setting does not stay: the consistency check forces
// it in the record's state ("EnableDACFunctionality stays TRUE while ...").
// Nothing for a setting the check does not force.
PARVEX_CORE_API std::optional<std::string> ForcedReason(const UserData &data,
                                                        const Parameter &parameter);

} // namespace parvex
