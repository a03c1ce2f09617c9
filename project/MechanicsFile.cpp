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

std::optional<parvex::Mechanics> ParseMechanics(std::string_view text, std::string &error) {
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
      if (line != kHead) {
        error = "not a TORVIO mechanics file";
        return std::nullopt;
      }
      head = true;
      continue;
    }
    const std::size_t space = line.find(' ');
    const std::string_view key = line.substr(0, space);
    const std::string_view value = space == std::string_view::npos ? "" : line.substr(space + 1);
    double v = 0;
    const auto [ptr, ec] = std::from_chars(value.data(), value.data() + value.size(), v);
    if (ec != std::errc() || ptr != value.data() + value.size()) {
      error = std::string(key) + ": '" + std::string(value) + "' is not a number";
      return std::nullopt;
    }
    if (key == "inertia") {
      m.inertia = v;
      inertia = true;
    } else if (key == "friction") {
      m.friction = v;
    } else if (key == "loadTorque") {
      m.loadTorque = v;
    } else {
      error = std::string(key) + ": unknown entry";
      return std::nullopt;
    }
  }
  if (!head || !inertia) {
    error = head ? "the inertia is missing" : "not a TORVIO mechanics file";
    return std::nullopt;
  }
  if (!parvex::Usable(m)) {
    error = "the inertia must be above 0 and the friction not negative";
    return std::nullopt;
  }
  return m;
}

MechanicsRead ReadMechanics(const std::string &projectPath) {
  MechanicsRead result;
  const std::string path = MechanicsPath(projectPath);
  if (KindOf(path.c_str()) == PathKind::None)
    return result; // none
  const RegularFile file = OpenRegularFile(path.c_str());
  if (file.notRegular || file.fd < 0) {
    result.error =
        path + ": " + (file.notRegular ? "not a regular file" : std::strerror(file.error));
    return result;
  }
  std::string bytes;
  const int error = ReadAtMost(file.fd, kMostBytes + 1, bytes);
  CloseFile(file.fd);
  if (error != 0 || bytes.size() > kMostBytes) {
    result.error = path + ": " + (error != 0 ? std::strerror(error) : "too large");
    return result;
  }
  std::string why;
  result.mechanics = ParseMechanics(bytes, why);
  if (!result.mechanics)
    result.error = path + ": " + why;
  return result;
}

bool WriteMechanics(const std::string &projectPath,
                    const std::optional<parvex::Mechanics> &mechanics, std::string &error) {
  const std::string path = MechanicsPath(projectPath);
  if (!mechanics) {
    if (!RemoveFile(path.c_str()) && errno != ENOENT) {
      error = path + ": " + std::strerror(errno);
      return false;
    }
    return true;
  }
  std::string why;
  if (!ReplaceFile(path, MechanicsText(*mechanics), why)) {
    error = path + ": " + why;
    return false;
  }
  return true;
}

} // namespace torvio
