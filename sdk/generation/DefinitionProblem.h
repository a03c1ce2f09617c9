// A header definition whose inputs make it impossible to compute (a zero
// divisor, NaN, a result outside the integer range). Its header gets an
// #error line so that the firmware build stops, and the log a warning.
#pragma once

#include <string>

namespace parvex {

struct DefinitionProblem {
  std::string name;   // the definition, as the header names it
  std::string reason; // why it cannot be computed
};

// The computed text of a definition, or the problem that replaced it.
struct DefinitionText {
  std::string text;
  bool failed = false;
  DefinitionProblem problem;
};

// "#error \"NAME: reason\"\n".
inline std::string ErrorLine(const DefinitionProblem &p) {
  return "#error \"" + p.name + ": " + p.reason + "\"\n";
}

inline DefinitionText Failed(std::string name, std::string reason, std::string extra = {}) {
  DefinitionText t;
  t.failed = true;
  t.problem = {std::move(name), std::move(reason)};
  t.text = ErrorLine(t.problem) + extra;
  return t;
}

inline DefinitionText Text(std::string text) {
  return DefinitionText{std::move(text), false, {}};
}

} // namespace parvex
