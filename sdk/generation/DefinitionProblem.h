// A header definition whose printed text would be undefined (nan, inf, an
// integer conversion with no defined result) or would silently wrap in the
// firmware (a number outside the C type it is cast to). Its header gets an
// #error line so that the firmware build stops, and the log a warning.
#pragma once

#include <string>
#include <utility>
#include <vector>

namespace parvex {

struct DefinitionProblem {
  std::string name;   // the definition, as the header names it
  std::string reason; // why it cannot be written
};

// The text of a token's definitions, with the problems that replaced some
// of them by #error lines (one block may hold several definitions).
struct DefinitionText {
  std::string text;
  std::vector<DefinitionProblem> problems;

  bool Failed() const { return !problems.empty(); }
};

// "#error \"NAME: reason\"\n".
inline std::string ErrorLine(const DefinitionProblem &p) {
  return "#error \"" + p.name + ": " + p.reason + "\"\n";
}

inline DefinitionText Text(std::string text) {
  return DefinitionText{std::move(text), {}};
}

// The #error line of one problem, followed by `extra` (dummy definitions).
inline DefinitionText Failed(std::string name, std::string reason, std::string extra = {}) {
  DefinitionText t;
  t.problems.push_back({std::move(name), std::move(reason)});
  t.text = ErrorLine(t.problems.front()) + extra;
  return t;
}

// Appends one definition of a multi-definition block: its text, or its
// #error line when `reason` is set.
inline void Append(DefinitionText &into, const std::string &name, const std::string &text,
                   const std::string *reason) {
  if (!reason) {
    into.text += text;
    return;
  }
  into.problems.push_back({name, *reason});
  into.text += ErrorLine(into.problems.back());
}

} // namespace parvex
