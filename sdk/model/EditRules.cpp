#include "parvex/Edits.h"

#include "parvex/Model.h"
#include "torvio/Conversion.h"

#include <functional>
#include <span>
#include <string>
#include <string_view>
#include <vector>

namespace parvex {

namespace {

using C = EditControl;

// The rows a page enters, as EditRule values: the public view, built once
// from the registry, and for each registry row its rule or null.
struct RuleView {
  std::vector<EditRule> rules;
  std::vector<const EditRule *> ofRow;
};

const RuleView &View() {
  static const RuleView view = [] {
    RuleView v;
    const std::span<const Parameter> rows = Parameters();
    v.rules.reserve(rows.size()); // no reallocation: ofRow points into it
    for (const Parameter &p : rows) {
      if (!p.edit.control) {
        v.ofRow.push_back(nullptr);
        continue;
      }
      const ParamEdit &e = p.edit;
      v.rules.push_back({p.name, *e.control, e.check, e.group, e.choices});
      v.ofRow.push_back(&v.rules.back());
    }
    return v;
  }();
  return view;
}

const Parameter *Member(const char *name) {
  return name ? FindParameter(std::string_view(name)) : nullptr;
}

void CheckIfRuled(UserData &data, const Parameter &parameter) {
  if (parameter.edit.check)
    CheckConsistency(data);
}

} // namespace

std::span<const EditRule> EditRules() {
  return View().rules;
}

const EditRule *EditRuleOf(const Parameter &parameter) {
  const std::span<const Parameter> rows = Parameters();
  const Parameter *row = &parameter;
  // A copy of a row is found by its name.
  if (std::less<>{}(row, rows.data()) || !std::less<>{}(row, rows.data() + rows.size()))
    row = FindParameter(std::string_view(parameter.name));
  return row ? View().ofRow[static_cast<std::size_t>(row - rows.data())] : nullptr;
}

std::span<const Choice> ListChoices(const Parameter &parameter) {
  return parameter.edit.control == C::List ? parameter.edit.choices : std::span<const Choice>{};
}

bool CommitValue(UserData &data, const Parameter &parameter, double value) {
  const ParamEdit &edit = parameter.edit;
  if (edit.control != C::Field && edit.control != C::List)
    return false;
  if (!parameter.Write(data, value))
    return false;
  CheckIfRuled(data, parameter);
  return true;
}

torvio::Result<double> EnterValue(UserData &data, const Parameter &parameter, double value,
                                  OutOfRange mode) {
  using torvio::ExactText;
  using torvio::Failure;
  const ParamEdit &edit = parameter.edit;
  if (!edit.control)
    return Failure{"no page enters this setting (the calculations set it)"};
  if (edit.control == C::List) {
    std::string items;
    for (const Choice &choice : edit.choices) {
      if (choice.stored == value) {
        CommitValue(data, parameter, value);
        return value;
      }
      items += items.empty() ? "" : ", ";
      items += ExactText(choice.stored);
    }
    return Failure{ExactText(value) + " is not one of " + items};
  }
  if (edit.control != C::Field)
    return Failure{"a check box or option is set to TRUE or FALSE, not to a number"};
  const double min = parameter.Read(data, ParamPart::Min);
  const double max = parameter.Read(data, ParamPart::Max);
  double v = value;
  if (mode == OutOfRange::Clamp) {
    // The limits exactly as stored, never rounded to the shown decimals.
    if (v < min)
      v = min;
    if (v > max)
      v = max;
  } else if (!(v >= min && v <= max)) {
    return Failure{ExactText(v) + " is outside its limits " + ExactText(min) + ".." +
                   ExactText(max)};
  }
  if (v == parameter.Read(data))
    return v;
  UserData written = data;
  if (!parameter.Write(written, v) || !CommitValue(data, parameter, v))
    return Failure{ExactText(v) + " cannot be stored"};
  return parameter.Read(written);
}

bool CommitFlag(UserData &data, const Parameter &parameter, bool set) {
  const ParamEdit &edit = parameter.edit;
  if (!edit.control || parameter.kind != ParamKind::Flag)
    return false;
  if (edit.control == C::CheckBox) {
    parameter.Write(data, set ? 1 : 0);
  } else if (edit.control == C::Option && set) {
    for (const char *name : edit.group)
      if (const Parameter *other = Member(name))
        other->Write(data, 0);
    parameter.Write(data, 1);
  } else {
    return false;
  }
  CheckIfRuled(data, parameter);
  return true;
}

} // namespace parvex
