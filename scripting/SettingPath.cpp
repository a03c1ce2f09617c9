#include "SettingPath.h"

#include "parvex/Settings.h"

#include <algorithm>
#include <array>
#include <cctype>
#include <string>
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

std::string Lower(std::string_view text) {
  std::string lower(text);
  for (char &c : lower)
    c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
  return lower;
}

// Letters to insert, delete or replace to make one text the other.
std::size_t EditDistance(const std::string &a, const std::string &b) {
  std::vector<std::size_t> row(b.size() + 1);
  for (std::size_t j = 0; j <= b.size(); ++j)
    row[j] = j;
  for (std::size_t i = 1; i <= a.size(); ++i) {
    std::size_t diagonal = row[0];
    row[0] = i;
    for (std::size_t j = 1; j <= b.size(); ++j) {
      const std::size_t above = row[j];
      row[j] = std::min({row[j] + 1, row[j - 1] + 1, diagonal + (a[i - 1] != b[j - 1])});
      diagonal = above;
    }
  }
  return row[b.size()];
}

std::string_view LastName(std::string_view path) {
  const std::size_t slash = path.rfind('/');
  return slash == std::string_view::npos ? path : path.substr(slash + 1);
}

} // namespace

std::string UnknownSettingText(std::string_view path) {
  std::string_view suffix;
  for (const auto &[s, part] : kSuffixes)
    if (path.size() > s.size() && path.ends_with(s)) {
      suffix = s;
      path.remove_suffix(s.size());
    }
  const std::string wanted = Lower(path);
  const std::string wantedName = Lower(LastName(path));
  // Near: at most a third of the name's letters apart (and never more than 3).
  const std::size_t near =
      std::min<std::size_t>(3, std::max<std::size_t>(1, wantedName.size() / 3));
  std::vector<std::pair<std::size_t, std::string>> scored;
  for (const parvex::Parameter *p : SettingsInTreeOrder()) {
    const std::string_view known = parvex::PathOf(*p);
    // The path itself is known: only what follows it is wrong.
    if (known == path)
      return std::string(path) + std::string(suffix) + ": unknown setting";
    const std::size_t score = std::min(EditDistance(wanted, Lower(known)),
                                       EditDistance(wantedName, Lower(LastName(known))));
    if (score <= near)
      scored.emplace_back(score, std::string(known) + std::string(suffix));
  }
  std::stable_sort(scored.begin(), scored.end(),
                   [](const auto &a, const auto &b) { return a.first < b.first; });
  std::string text = std::string(path) + std::string(suffix) + ": unknown setting";
  for (std::size_t i = 0; i < scored.size() && i < 3; ++i) {
    if (i > 0 && scored[i].first > scored[0].first)
      break; // only the nearest
    text += i == 0 ? " (nearest: " : ", ";
    text += scored[i].second;
  }
  if (!scored.empty())
    text += ")";
  return text;
}

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
