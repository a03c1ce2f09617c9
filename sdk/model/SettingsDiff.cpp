#include "parvex/Settings.h"

#include "torvio/Conversion.h"

#include <algorithm>

#include <charconv>
#include <cmath>
#include <cstdio>

namespace parvex {

namespace {

using Word = std::uint32_t UserData::*;
using Rate = double UserData::*;
using Int = IntParam UserData::*;
using Signed = SignedIntParam UserData::*;
using RealM = RealParam UserData::*;

std::string Fixed(double value, int decimals) {
  char text[512];
  std::snprintf(text, sizeof text, "%.*f", decimals, value);
  return text;
}

using torvio::ExactText;

bool Same(double a, double b) {
  return a == b || (std::isnan(a) && std::isnan(b));
}

class DiffVisitor : public SettingsVisitor {
public:
  DiffVisitor(const UserData &a, const UserData &b) : a_(a), b_(b) {}

  std::vector<std::string> lines;

  void OpenGroup(const char *name) override { path_.push_back(name); }
  void CloseGroup(const char *) override { path_.pop_back(); }

  void Leaf(const SettingLeaf &leaf) override {
    const Parameter &p = *leaf.parameter;
    if (std::find(seen_.begin(), seen_.end(), &p) != seen_.end())
      return;
    seen_.push_back(&p);
    const std::string name = Path(leaf.name);
    switch (p.kind) {
    case ParamKind::Flag:
      Flag(name, a_.*std::get<Word>(p.member), b_.*std::get<Word>(p.member));
      break;
    case ParamKind::Word:
      Unsigned(name, "", a_.*std::get<Word>(p.member), b_.*std::get<Word>(p.member));
      break;
    case ParamKind::Rate:
      Real(name, "", a_.*std::get<Rate>(p.member), b_.*std::get<Rate>(p.member), 1, 1);
      break;
    case ParamKind::Int:
      Param(name, a_.*std::get<Int>(p.member), b_.*std::get<Int>(p.member));
      break;
    case ParamKind::SignedInt:
      Param(name, a_.*std::get<Signed>(p.member), b_.*std::get<Signed>(p.member));
      break;
    case ParamKind::Real:
      Param(name, a_.*std::get<RealM>(p.member), b_.*std::get<RealM>(p.member));
      break;
    }
  }

private:
  std::string Path(const char *leaf) const {
    std::string text;
    for (const char *group : path_)
      text.append(group).append("/");
    return text.append(leaf);
  }

  void Add(const std::string &name, const char *part, const std::string &from,
           const std::string &to) {
    lines.push_back(name + part + ": " + from + " -> " + to);
  }

  // Any non-zero flag counts as set; two different set values still differ.
  void Flag(const std::string &name, std::uint32_t a, std::uint32_t b) {
    if (a == b)
      return;
    if ((a != 0) != (b != 0))
      Add(name, "", a != 0 ? "TRUE" : "FALSE", b != 0 ? "TRUE" : "FALSE");
    else
      Add(name, "", "TRUE (" + std::to_string(a) + ")", "TRUE (" + std::to_string(b) + ")");
  }

  template <class T>
  void Unsigned(const std::string &name, const char *part, T a, T b) {
    if (a != b)
      Add(name, part, std::to_string(a), std::to_string(b));
  }

  // Shown with each record's decimals (none given: every digit); where
  // that hides the difference, with every digit needed.
  void Real(const std::string &name, const char *part, double a, double b, int decimalsA,
            int decimalsB) {
    if (Same(a, b))
      return;
    std::string from = decimalsA < 0 ? ExactText(a) : Fixed(a, decimalsA);
    std::string to = decimalsB < 0 ? ExactText(b) : Fixed(b, decimalsB);
    if (from == to) {
      from = ExactText(a);
      to = ExactText(b);
    }
    Add(name, part, from, to);
  }

  template <class P>
  void Param(const std::string &name, const P &a, const P &b) {
    Unsigned(name, "", a.Value, b.Value);
    Unsigned(name, " (min)", a.Min, b.Min);
    Unsigned(name, " (max)", a.Max, b.Max);
    Unsigned(name, " (decimals)", a.Decimals, b.Decimals);
  }

  void Param(const std::string &name, const RealParam &a, const RealParam &b) {
    const int da = DecimalsShown(a.Decimals, DecimalsUse::Text),
              db = DecimalsShown(b.Decimals, DecimalsUse::Text);
    Real(name, "", a.Value, b.Value, da, db);
    Real(name, " (min)", a.Min, b.Min, da, db);
    Real(name, " (max)", a.Max, b.Max, da, db);
    Real(name, " (decimals)", a.Decimals, b.Decimals, -1, -1);
  }

  const UserData &a_;
  const UserData &b_;
  std::vector<const char *> path_;
  std::vector<const Parameter *> seen_;
};

} // namespace

std::vector<std::string> DiffSettings(const UserData &before, const UserData &after) {
  DiffVisitor visitor(before, after);
  WalkSettings(before, SettingsScope::Everything, visitor);
  return visitor.lines;
}

} // namespace parvex
