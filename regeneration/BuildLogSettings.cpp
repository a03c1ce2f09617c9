#include "BuildLogSettings.h"

#include <algorithm>
#include <regex>
#include <utility>

namespace torvio {

namespace {

// One part of a leaf: its path (with " (min)" or " (max)" for a limit) and
// its text.
using Setting = std::pair<std::string, std::string>;

std::vector<Setting> SettingsOf(std::string_view log) {
  static const std::regex open("^<([A-Za-z0-9_]+) >$");
  static const std::regex close("^</([A-Za-z0-9_]+)>$");
  static const std::regex leaf("^<([A-Za-z0-9_]+) ([^>]*)>(.*)</([A-Za-z0-9_]+)>$");
  static const std::regex range("^min='([^']*)' max='([^']*)'$");
  std::vector<Setting> settings;
  std::vector<std::string> groups;
  bool inData = false;
  while (!log.empty()) {
    const std::size_t end = log.find('\n');
    std::string line(log.substr(0, end));
    log.remove_prefix(end == std::string_view::npos ? log.size() : end + 1);
    if (!line.empty() && line.back() == '\r')
      line.pop_back(); // a log written with CR LF line ends
    std::smatch m;
    if (std::regex_match(line, m, open)) {
      if (inData)
        groups.push_back(m[1]);
      inData = inData || m[1] == "FOCDATA";
    } else if (std::regex_match(line, m, close)) {
      if (m[1] == "FOCDATA")
        inData = false;
      else if (inData && !groups.empty())
        groups.pop_back();
    } else if (inData && std::regex_match(line, m, leaf) && m[1] == m[4]) {
      std::string path;
      for (const std::string &g : groups)
        path += g + "/";
      path += m[1];
      settings.emplace_back(path, m[3]);
      const std::string attributes = m[2];
      std::smatch limits;
      if (std::regex_match(attributes, limits, range)) {
        settings.emplace_back(path + " (min)", limits[1]);
        settings.emplace_back(path + " (max)", limits[2]);
      } else if (!attributes.empty()) {
        settings.emplace_back(path + " (attributes)", attributes);
      }
    }
  }
  return settings;
}

const std::string *Find(const std::vector<Setting> &settings, const std::string &path) {
  const auto found = std::find_if(settings.begin(), settings.end(),
                                  [&](const Setting &s) { return s.first == path; });
  return found == settings.end() ? nullptr : &found->second;
}

} // namespace

std::vector<std::string> BuildLogSettingDifferences(std::string_view before,
                                                    std::string_view after) {
  const std::vector<Setting> old = SettingsOf(before);
  const std::vector<Setting> now = SettingsOf(after);
  std::vector<std::string> lines;
  for (const auto &[path, text] : now) {
    const std::string *was = Find(old, path);
    if (!was || *was != text)
      lines.push_back(path + ": " + (was ? *was : "(absent)") + " -> " + text);
  }
  for (const auto &[path, text] : old)
    if (!Find(now, path))
      lines.push_back(path + ": " + text + " -> (absent)");
  return lines;
}

} // namespace torvio
