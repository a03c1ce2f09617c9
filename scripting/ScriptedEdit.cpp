#include "ScriptedEdit.h"

#include "SettingPath.h"
#include "SettingText.h"

#include "parvex/Edits.h"
#include "parvex/Model.h"

#include <charconv>
#include <cmath>

namespace torvio::scripting {

namespace {

using parvex::EditControl;
using parvex::ParamPart;

std::string_view Trimmed(std::string_view text) {
  while (!text.empty() && (text.front() == ' ' || text.front() == '\t'))
    text.remove_prefix(1);
  while (!text.empty() && (text.back() == ' ' || text.back() == '\t'))
    text.remove_suffix(1);
  return text;
}

std::string ValueText(const parvex::Parameter &p, double v) {
  if (p.kind == parvex::ParamKind::Flag)
    return v != 0 ? "TRUE" : "FALSE";
  return ExactNumber(v);
}

std::string Quoted(std::string_view text) {
  std::string q = "'";
  q += text;
  q += "'";
  return q;
}

std::optional<bool> ParseFlag(std::string_view text) {
  text = Trimmed(text);
  if (text == "TRUE" || text == "true" || text == "1")
    return true;
  if (text == "FALSE" || text == "false" || text == "0")
    return false;
  return std::nullopt;
}

std::string OptionGroupText(const parvex::EditRule &rule) {
  std::string text;
  for (const char *name : rule.group) {
    const parvex::Parameter *p = name ? parvex::FindParameter(std::string_view(name)) : nullptr;
    if (!p)
      continue;
    if (!text.empty())
      text += ", ";
    text += parvex::PathOf(*p);
  }
  return text;
}

std::optional<std::string> SetFlag(UserData &data, const parvex::Parameter &p,
                                   const parvex::EditRule &rule, std::string_view value) {
  const std::optional<bool> set = ParseFlag(value);
  if (!set)
    return Quoted(value) + " is not TRUE or FALSE";
  if (rule.control == EditControl::Option) {
    if (!*set)
      return std::string("an option is cleared by setting another option of its group to TRUE (") +
             OptionGroupText(rule) + ")";
    // A click on an option commits even when it is selected already.
    parvex::CommitFlag(data, p, true);
    return std::nullopt;
  }
  // A check box only ever changes its state.
  if ((p.Read(data) != 0) != *set)
    parvex::CommitFlag(data, p, *set);
  return std::nullopt;
}

std::optional<std::string> SetNumber(UserData &data, const parvex::Parameter &p,
                                     const parvex::EditRule &rule, std::string_view value) {
  const std::optional<double> v = ParseNumber(value);
  if (!v)
    return Quoted(value) + " is not a number";
  if (rule.control == EditControl::List) {
    std::string items;
    for (double choice : rule.choices) {
      if (choice == *v) {
        // Choosing an item commits even when it is chosen already.
        parvex::CommitValue(data, p, *v);
        return std::nullopt;
      }
      items += items.empty() ? "" : ", ";
      items += ExactNumber(choice);
    }
    return ExactNumber(*v) + " is not one of " + items;
  }
  // The field keeps its limits as the record holds them.
  const double min = p.Read(data, ParamPart::Min);
  const double max = p.Read(data, ParamPart::Max);
  if (!(*v >= min && *v <= max))
    return ExactNumber(*v) + " is outside its limits " + ExactNumber(min) + ".." + ExactNumber(max);
  // The field commits only a value that differs from the one it shows; the
  // comparison is made before an integer drops its fraction.
  if (*v == p.Read(data))
    return std::nullopt;
  if (!parvex::CommitValue(data, p, *v))
    return ExactNumber(*v) + " cannot be stored";
  return std::nullopt;
}

// A value as its control stores it: a flag 1 or 0, an integer truncated
// toward zero; nothing for what the control would not take.
std::optional<double> EnteredValue(const parvex::Parameter &p, std::string_view text) {
  if (p.kind == parvex::ParamKind::Flag) {
    const std::optional<bool> set = ParseFlag(text);
    return set ? std::optional<double>(*set ? 1.0 : 0.0) : std::nullopt;
  }
  const std::optional<double> v = ParseNumber(text);
  if (!v)
    return std::nullopt;
  const bool real = p.kind == parvex::ParamKind::Real || p.kind == parvex::ParamKind::Rate;
  return real ? *v : std::trunc(*v);
}

} // namespace

std::optional<double> ParseNumber(std::string_view text) {
  text = Trimmed(text);
  // from_chars takes a "-" but no "+"; one "+" before a digit or point is
  // as good as none.
  if (!text.empty() && text.front() == '+') {
    text.remove_prefix(1);
    if (text.empty() || text.front() == '-' || text.front() == '+')
      return std::nullopt;
  }
  double v = 0;
  const auto [end, ec] = std::from_chars(text.data(), text.data() + text.size(), v);
  if (ec != std::errc() || end != text.data() + text.size() || !std::isfinite(v))
    return std::nullopt;
  return v;
}

std::optional<std::string> ApplyAssignment(UserData &data, std::string_view assignment) {
  const std::size_t equals = assignment.find('=');
  if (equals == std::string_view::npos)
    return Quoted(assignment) + " is not PATH=VALUE";
  const std::string_view path = assignment.substr(0, equals);
  const std::string_view value = assignment.substr(equals + 1);
  const std::optional<SettingRef> setting = FindSetting(path);
  if (!setting)
    return UnknownSettingText(path);
  const std::string name = std::string(path) + ": ";
  if (setting->part != ParamPart::Value)
    return name + "limits are not entered on any page; only a setting's value can be set";
  const parvex::Parameter &p = *setting->parameter;
  const parvex::EditRule *rule = parvex::EditRuleOf(p);
  if (!rule)
    return name + "no page enters this setting (the calculations set it)";
  if (const std::optional<std::string> blocked = parvex::EditBlocked(data, p))
    return name + *blocked;
  UserData edited = data;
  const auto error = rule->control == EditControl::CheckBox || rule->control == EditControl::Option
                         ? SetFlag(edited, p, *rule, value)
                         : SetNumber(edited, p, *rule, value);
  if (error)
    return name + *error;
  // A setting whose commit runs no check keeps what was set until the next
  // edit's check silently replaces it; refuse it now, while the user can
  // still see why.
  if (!rule->check) {
    UserData next = edited;
    parvex::CheckConsistency(next);
    const double kept = p.Read(edited);
    if (p.Read(next) != kept)
      return name + parvex::ForcedReason(edited, p).value_or(
                        ValueText(p, kept) + " would not stay: the consistency check sets it to " +
                        ValueText(p, p.Read(next)));
  }
  data = edited;
  return std::nullopt;
}

AppliedEdits ApplyEdits(UserData &data, const std::vector<std::string> &assignments) {
  AppliedEdits outcome;
  UserData edited = data;
  // What each setting was set to (the last time), as its control stores it.
  std::vector<std::pair<const parvex::Parameter *, double>> entered;
  for (const std::string &assignment : assignments) {
    if (auto error = ApplyAssignment(edited, assignment)) {
      outcome.error = std::move(error);
      return outcome;
    }
    const std::string_view text = assignment;
    const std::optional<SettingRef> setting = FindSetting(text.substr(0, text.find('=')));
    const std::optional<double> value =
        EnteredValue(*setting->parameter, text.substr(text.find('=') + 1));
    std::erase_if(entered, [&](const auto &e) { return e.first == setting->parameter; });
    if (value)
      entered.emplace_back(setting->parameter, *value);
  }
  for (const auto &[p, value] : entered)
    if (p->Read(edited) != value)
      outcome.notes.push_back(std::string(parvex::PathOf(*p)) + ": set to " + ValueText(*p, value) +
                              ", the consistency check made it " + ValueText(*p, p->Read(edited)));
  data = edited;
  return outcome;
}

std::optional<std::string> ApplyAssignments(UserData &data,
                                            const std::vector<std::string> &assignments) {
  return ApplyEdits(data, assignments).error;
}

} // namespace torvio::scripting
