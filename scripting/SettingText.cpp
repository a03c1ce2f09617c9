#include "SettingText.h"

#include "parvex/Edits.h"
#include "parvex/Settings.h"
#include "torvio/Conversion.h"

#include <charconv>
#include <cmath>
#include <string>

namespace torvio::scripting {

namespace {

using parvex::ParamKind;
using parvex::ParamPart;

// Every part of an integer setting is a 32-bit integer; a real setting's
// parts (its decimals too) are doubles.
bool IsIntegral(const parvex::Parameter &p) {
  return p.kind == ParamKind::Word || p.kind == ParamKind::Int || p.kind == ParamKind::SignedInt;
}

std::string PartText(const UserData &data, const parvex::Parameter &p, ParamPart part) {
  const double v = p.Read(data, part);
  if (p.kind == ParamKind::Flag) {
    if (v == 0)
      return "FALSE";
    if (v == 1)
      return "TRUE";
    std::string text = "TRUE (";
    text += std::to_string(static_cast<unsigned long long>(v));
    text += ")";
    return text;
  }
  if (IsIntegral(p))
    return std::to_string(static_cast<long long>(v)); // exact: 32-bit members
  return ExactNumber(v);
}

std::string Fixed(double v, int decimals) {
  if (!std::isfinite(v))
    return ExactNumber(v);
  char text[400];
  const auto end =
      std::to_chars(text, text + sizeof text, v, std::chars_format::fixed, decimals).ptr;
  return std::string(text, end);
}

} // namespace

std::string ExactNumber(double value) {
  return ExactText(value);
}

std::string ValueText(const UserData &data, const SettingRef &setting) {
  return PartText(data, *setting.parameter, setting.part);
}

std::string GetLine(const UserData &data, const SettingRef &setting) {
  std::string line = PathText(setting);
  line += "=";
  line += ValueText(data, setting);
  return line;
}

std::string ListLine(const UserData &data, const parvex::Parameter &p) {
  std::string line(parvex::PathOf(p));
  line += "=";
  line += PartText(data, p, ParamPart::Value);
  if (p.HasRange()) {
    // The limits as the field's tooltip shows them, with its decimals; the
    // value keeps every digit, so that --set given it changes nothing.
    const int decimals = parvex::DecimalsShown(p, data, parvex::DecimalsUse::Text);
    const auto limit = [&](ParamPart part) {
      return IsIntegral(p) ? PartText(data, p, part) : Fixed(p.Read(data, part), decimals);
    };
    line += " (min ";
    line += limit(ParamPart::Min);
    line += ", max ";
    line += limit(ParamPart::Max);
    line += ", decimals ";
    line += PartText(data, p, ParamPart::Decimals);
    line += ")";
  }
  if (*p.unit) {
    line += " ";
    line += p.unit;
  }
  const parvex::EditRule *rule = parvex::EditRuleOf(p);
  if (rule && !rule->choices.empty()) {
    line += " (one of";
    for (const parvex::Choice &choice : rule->choices) {
      line += " ";
      line += ExactNumber(choice.stored);
    }
    line += ")";
  }
  if (!rule)
    line += " [read-only]";
  return line;
}

} // namespace torvio::scripting
