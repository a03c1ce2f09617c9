#include "SettingPath.h"

#include "parvex/Settings.h"

#include <algorithm>
#include <array>
#include <utility>

namespace torvio::scripting {

namespace {

using parvex::ParamPart;

constexpr std::array<std::pair<std::string_view, ParamPart>, 3> kSuffixes = {{
    {" (min)", ParamPart::Min},
    {" (max)", ParamPart::Max},
    {" (decimals)", ParamPart::Decimals},
}};

class TreeOrder : public parvex::SettingsVisitor {
public:
  explicit TreeOrder(std::vector<const parvex::Parameter *> &order) : order_(order) {}
  void OpenGroup(const char *) override {}
  void CloseGroup(const char *) override {}
  void Leaf(const parvex::SettingLeaf &leaf) override {
    if (std::find(order_.begin(), order_.end(), leaf.parameter) == order_.end())
      order_.push_back(leaf.parameter);
  }

private:
  std::vector<const parvex::Parameter *> &order_;
};

} // namespace

std::optional<SettingRef> FindSetting(std::string_view path) {
  SettingRef found;
  for (const auto &[suffix, part] : kSuffixes) {
    if (path.size() > suffix.size() && path.ends_with(suffix)) {
      path.remove_suffix(suffix.size());
      found.part = part;
      break;
    }
  }
  found.parameter = parvex::FindParameterByPath(path);
  if (!found.parameter || (found.part != ParamPart::Value && !found.parameter->HasRange()))
    return std::nullopt;
  return found;
}

std::string PathText(const SettingRef &setting) {
  std::string text(parvex::PathOf(*setting.parameter));
  for (const auto &[suffix, part] : kSuffixes)
    if (part == setting.part)
      text += suffix;
  return text;
}

const std::vector<const parvex::Parameter *> &SettingsInTreeOrder() {
  static const std::vector<const parvex::Parameter *> order = [] {
    std::vector<const parvex::Parameter *> o;
    TreeOrder visitor(o);
    const UserData any{};
    parvex::WalkSettings(any, parvex::SettingsScope::Everything, visitor);
    return o;
  }();
  return order;
}

} // namespace torvio::scripting
