#include "parvex/Parameters.h"

#include "model/ParameterTable.h"
#include "parvex/Settings.h"
#include "torvio/Conversion.h"

#include <cstring>
#include <mutex>
#include <string>
#include <vector>

namespace parvex {

namespace {

using Word = std::uint32_t UserData::*;
using Rate = double UserData::*;
using Int = IntParam UserData::*;
using Signed = SignedIntParam UserData::*;
using Real = RealParam UserData::*;

template <class P>
double PartOf(const P &p, ParamPart part) {
  switch (part) {
  case ParamPart::Min:
    return static_cast<double>(p.Min);
  case ParamPart::Value:
    return static_cast<double>(p.Value);
  case ParamPart::Max:
    return static_cast<double>(p.Max);
  case ParamPart::Decimals:
    return static_cast<double>(p.Decimals);
  }
  return 0;
}

template <class P, class T>
void SetPart(P &p, ParamPart part, T v) {
  switch (part) {
  case ParamPart::Min:
    p.Min = v;
    break;
  case ParamPart::Value:
    p.Value = v;
    break;
  case ParamPart::Max:
    p.Max = v;
    break;
  case ParamPart::Decimals:
    p.Decimals = v;
    break;
  }
}

// The first place of every setting in the settings tree, by table index.
class PathCollector : public SettingsVisitor {
public:
  explicit PathCollector(std::vector<std::string> &paths) : paths_(paths) {}
  void OpenGroup(const char *name) override { groups_.push_back(name); }
  void CloseGroup(const char *) override { groups_.pop_back(); }
  void Leaf(const SettingLeaf &leaf) override {
    std::string &path = paths_[static_cast<std::size_t>(leaf.parameter - Parameters().data())];
    if (!path.empty())
      return;
    for (const char *g : groups_)
      path.append(g).append("/");
    path.append(leaf.name);
  }

private:
  std::vector<std::string> &paths_;
  std::vector<const char *> groups_;
};

const std::vector<std::string> &Paths() {
  static std::vector<std::string> paths;
  static std::once_flag once;
  std::call_once(once, [] {
    paths.resize(Parameters().size());
    PathCollector collector(paths);
    UserData any{};
    WalkSettings(any, SettingsScope::Everything, collector);
  });
  return paths;
}

} // namespace

bool Parameter::HasRange() const {
  return kind == ParamKind::Int || kind == ParamKind::SignedInt || kind == ParamKind::Real;
}

double Parameter::Read(const UserData &data, ParamPart part) const {
  if (const auto *m = std::get_if<Word>(&member))
    return part == ParamPart::Value ? static_cast<double>(data.**m) : 0.0;
  if (const auto *m = std::get_if<Rate>(&member))
    return part == ParamPart::Value ? data.**m : 0.0;
  if (const auto *m = std::get_if<Int>(&member))
    return PartOf(data.**m, part);
  if (const auto *m = std::get_if<Signed>(&member))
    return PartOf(data.**m, part);
  return PartOf(data.*std::get<Real>(member), part);
}

bool Parameter::Write(UserData &data, double value, ParamPart part) const {
  if (part != ParamPart::Value && !HasRange())
    return false;
  if (const auto *m = std::get_if<Rate>(&member)) {
    data.**m = value;
    return true;
  }
  if (const auto *m = std::get_if<Real>(&member)) {
    SetPart(data.**m, part, value);
    return true;
  }
  const auto low = torvio::TruncateToLow32(value);
  if (!low)
    return false;
  if (const auto *m = std::get_if<Word>(&member))
    data.**m = *low;
  else if (const auto *m = std::get_if<Int>(&member))
    SetPart(data.**m, part, *low);
  else if (const auto *m = std::get_if<Signed>(&member))
    SetPart(data.**m, part, static_cast<std::int32_t>(*low)); // two's complement
  return true;
}

void Parameter::Reset(UserData &data) const {
  std::visit(
      [&data, this](auto m) {
        using Field = std::remove_reference_t<decltype(data.*m)>;
        data.*m = std::get<Field>(initial);
      },
      member);
}

int DecimalsShown(double decimals, DecimalsUse use) {
  const int most = use == DecimalsUse::Field ? 15 : 64;
  if (!(decimals > 0)) // negative, zero or NaN
    return 0;
  if (decimals >= most)
    return most;
  return static_cast<int>(decimals);
}

int DecimalsShown(const Parameter &parameter, const UserData &data, DecimalsUse use) {
  return parameter.HasRange() ? DecimalsShown(parameter.Read(data, ParamPart::Decimals), use) : 0;
}

std::span<const Parameter> Parameters() {
  return ParameterTable();
}

const Parameter *FindParameter(const ParamMember &member) {
  for (const Parameter &p : Parameters())
    if (p.member == member)
      return &p;
  return nullptr;
}

const Parameter *FindParameter(std::string_view name) {
  for (const Parameter &p : Parameters())
    if (name == p.name)
      return &p;
  return nullptr;
}

const Parameter *FindParameterByPath(std::string_view path) {
  const auto &paths = Paths();
  for (std::size_t i = 0; i < paths.size(); ++i)
    if (paths[i] == path)
      return &Parameters()[i];
  return nullptr;
}

std::string_view PathOf(const Parameter &parameter) {
  return Paths()[static_cast<std::size_t>(&parameter - Parameters().data())];
}

const Parameter *TwinOf(const Parameter &parameter) {
  return parameter.twin ? FindParameter(std::string_view(parameter.twin)) : nullptr;
}

} // namespace parvex
