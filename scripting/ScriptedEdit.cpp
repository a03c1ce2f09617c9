#include "ScriptedEdit.h"

#include "SettingPath.h"
#include "SettingText.h"

#include "parvex/Edits.h"
#include "parvex/Model.h"
#include "torvio/Result.h"

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

torvio::Status SetFlag(UserData &data, const parvex::Parameter &p, const parvex::EditRule &rule,
                       std::string_view value) {
  const std::optional<bool> set = ParseFlag(value);
  if (!set)
    return torvio::Failure{Quoted(value) + " is not TRUE or FALSE"};
  if (rule.control == EditControl::Option) {
    if (!*set)
      return torvio::Failure{
          std::string("an option is cleared by setting another option of its group to TRUE (") +
          OptionGroupText(rule) + ")"};
    // A click on an option commits even when it is selected already.
    parvex::CommitFlag(data, p, true);
    return {};
  }
  // A check box only ever changes its state.
  if ((p.Read(data) != 0) != *set)
    parvex::CommitFlag(data, p, *set);
  return {};
}

torvio::Status SetNumber(UserData &data, const parvex::Parameter &p, std::string_view value) {
  const std::optional<double> v = ParseNumber(value);
  if (!v)
    return torvio::Failure{Quoted(value) + " is not a number"};
  // The field keeps its limits as the record holds them.
  const torvio::Result<double> entered =
      parvex::EnterValue(data, p, *v, parvex::OutOfRange::Refuse);
  if (!entered)
    return torvio::Failure{entered.error()};
  return {};
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

torvio::Status ApplyAssignment(UserData &data, std::string_view assignment) {
  using torvio::Failure;
  const std::size_t equals = assignment.find('=');
  if (equals == std::string_view::npos)
    return Failure{Quoted(assignment) + " is not PATH=VALUE"};
  const std::string_view path = assignment.substr(0, equals);
  const std::string_view value = assignment.substr(equals + 1);
  const std::optional<SettingRef> setting = FindSetting(path);
  if (!setting)
    return Failure{UnknownSettingText(path)};
  const std::string name = std::string(path) + ": ";
  if (setting->part != ParamPart::Value)
    return Failure{name + "limits are not entered on any page; only a setting's value can be set"};
  const parvex::Parameter &p = *setting->parameter;
  const parvex::EditRule *rule = parvex::EditRuleOf(p);
  if (!rule)
    return Failure{name + "no page enters this setting (the calculations set it)"};
  if (const std::optional<std::string> blocked = parvex::EditBlocked(data, p))
    return Failure{name + *blocked};
  UserData edited = data;
  const torvio::Status set =
      rule->control == EditControl::CheckBox || rule->control == EditControl::Option
          ? SetFlag(edited, p, *rule, value)
          : SetNumber(edited, p, value);
  if (!set)
    return Failure{name + set.error()};
  // A setting whose commit runs no check keeps what was set until the next
  // edit's check silently replaces it; refuse it now, while the user can
  // still see why.
  if (!rule->check) {
    UserData next = edited;
    parvex::CheckConsistency(next);
    const double kept = p.Read(edited);
    if (p.Read(next) != kept)
      return Failure{name +
                     parvex::ForcedReason(edited, p).value_or(
                         ValueText(p, kept) + " would not stay: the consistency check sets it to " +
                         ValueText(p, p.Read(next)))};
  }
  data = edited;
  return {};
}

torvio::Result<std::vector<std::string>> ApplyEdits(UserData &data,
                                                    const std::vector<std::string> &assignments) {
  UserData edited = data;
  // What each setting was set to (the last time), as its control stores it.
  std::vector<std::pair<const parvex::Parameter *, double>> entered;
  for (const std::string &assignment : assignments) {
    if (const torvio::Status applied = ApplyAssignment(edited, assignment); !applied)
      return torvio::Failure{applied.error()};
    const std::string_view text = assignment;
    const std::optional<SettingRef> setting = FindSetting(text.substr(0, text.find('=')));
    const std::optional<double> value =
        EnteredValue(*setting->parameter, text.substr(text.find('=') + 1));
    std::erase_if(entered, [&](const auto &e) { return e.first == setting->parameter; });
    if (value)
      entered.emplace_back(setting->parameter, *value);
  }
  std::vector<std::string> notes;
  for (const auto &[p, value] : entered)
    if (p->Read(edited) != value)
      notes.push_back(std::string(parvex::PathOf(*p)) + ": set to " + ValueText(*p, value) +
                      ", the consistency check made it " + ValueText(*p, p->Read(edited)));
  data = edited;
  return notes;
}

torvio::Status ApplyAssignments(UserData &data, const std::vector<std::string> &assignments) {
  const auto applied = ApplyEdits(data, assignments);
  return applied ? torvio::Status() : torvio::Failure{applied.error()};
}

} // namespace torvio::scripting
