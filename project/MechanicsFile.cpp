#include "MechanicsFile.h"

#include "FileReplace.h"
#include "torvio/RegularFile.h"
#include "torvio/platform/System.h"

#include <cerrno>
#include <charconv>
#include <cstring>

namespace torvio {

namespace {

constexpr std::string_view kHead = "TORVIO mechanics 1";
constexpr std::size_t kMostBytes = 4096;

std::string Number(double v) {
  char text[64];
  return std::string(text, std::to_chars(text, text + sizeof text, v).ptr);
}

} // namespace

std::string MechanicsPath(const std::string &projectPath) {
  return projectPath + ".mechanics";
}

std::string MechanicsText(const parvex::Mechanics &m) {
  return std::string(kHead) + "\ninertia " + Number(m.inertia) + "\nfriction " +
         Number(m.friction) + "\nloadTorque " + Number(m.loadTorque) + "\n";
}

Result<parvex::Mechanics> ParseMechanics(std::string_view text) {
  parvex::Mechanics m;
  bool inertia = false;
  bool head = false;
  while (!text.empty()) {
    const std::size_t end = text.find('\n');
    std::string_view line = text.substr(0, end);
    text.remove_prefix(end == std::string_view::npos ? text.size() : end + 1);
    if (!line.empty() && line.back() == '\r')
      line.remove_suffix(1);
    if (line.empty())
      continue;
    if (!head) {
      if (line != kHead)
        return Failure{"not a TORVIO mechanics file"};
      head = true;
      continue;
    }
    const std::size_t space = line.find(' ');
    const std::string_view key = line.substr(0, space);
    const std::string_view value = space == std::string_view::npos ? "" : line.substr(space + 1);
    double v = 0;
    const auto [ptr, ec] = std::from_chars(value.data(), value.data() + value.size(), v);
    if (ec != std::errc() || ptr != value.data() + value.size())
      return Failure{std::string(key) + ": '" + std::string(value) + "' is not a number"};
    if (key == "inertia") {
      m.inertia = v;
      inertia = true;
    } else if (key == "friction") {
      m.friction = v;
    } else if (key == "loadTorque") {
      m.loadTorque = v;
    } else {
      return Failure{std::string(key) + ": unknown entry"};
    }
  }
  if (!head || !inertia)
    return Failure{head ? "the inertia is missing" : "not a TORVIO mechanics file"};
  if (!parvex::Usable(m))
    return Failure{"the inertia must be above 0 and the friction not negative"};
  return m;
}

Result<std::optional<parvex::Mechanics>> ReadMechanics(const std::string &projectPath) {
  const std::string path = MechanicsPath(projectPath);
  if (KindOf(path.c_str()) == PathKind::None)
    return std::optional<parvex::Mechanics>(); // none
  const RegularFile file = OpenRegularFile(path.c_str());
  if (file.notRegular || file.fd < 0)
    return Failure{path + ": " +
                   (file.notRegular ? "not a regular file" : std::strerror(file.error))};
  std::string bytes;
  const int error = ReadAtMost(file.fd, kMostBytes + 1, bytes);
  CloseFile(file.fd);
  if (error != 0 || bytes.size() > kMostBytes)
    return Failure{path + ": " + (error != 0 ? std::strerror(error) : "too large")};
  Result<parvex::Mechanics> parsed = ParseMechanics(bytes);
  if (!parsed)
    return Failure{path + ": " + parsed.error()};
  return std::optional<parvex::Mechanics>(*parsed);
}

Status WriteMechanics(const std::string &projectPath,
                      const std::optional<parvex::Mechanics> &mechanics) {
  const std::string path = MechanicsPath(projectPath);
  if (!mechanics) {
    if (!RemoveFile(path.c_str()) && errno != ENOENT)
      return Failure{path + ": " + std::strerror(errno)};
    return {};
  }
  if (const Status written = ReplaceFile(path, MechanicsText(*mechanics)); !written)
    return Failure{path + ": " + written.error()};
  return {};
}

} // namespace torvio
