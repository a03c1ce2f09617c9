#include "Manifest.h"

#include "GeneratedFiles.h"
#include "torvio/RegularFile.h"
#include "torvio/platform/System.h"

#include <cstring>

namespace torvio {

namespace {

// A manifest holds ten short lines; anything much larger is not one.
constexpr std::size_t kMostBytes = 64 * 1024;

bool IsHex(std::string_view s) {
  if (s.size() != 64)
    return false;
  for (char c : s)
    if (!((c >= '0' && c <= '9') || (c >= 'a' && c <= 'f')))
      return false;
  return true;
}

} // namespace

std::optional<Manifest> ParseManifest(std::string_view text, std::string &reason) {
  Manifest manifest;
  while (!text.empty()) {
    const std::size_t end = text.find('\n');
    if (end == std::string_view::npos) {
      reason = "its last line has no line end";
      return std::nullopt;
    }
    const std::string_view line = text.substr(0, end);
    text.remove_prefix(end + 1);
    if (line.size() < 67 || !IsHex(line.substr(0, 64)) || line.substr(64, 2) != "  ") {
      reason = "a line is not \"<SHA-256>  <name>\"";
      return std::nullopt;
    }
    const std::string name(line.substr(66));
    if (!IsGeneratedFile(name)) {
      reason = std::string("it names a file TORVIO does not write (") + name + ")";
      return std::nullopt;
    }
    if (!manifest.sums.emplace(name, std::string(line.substr(0, 64))).second) {
      reason = std::string("it names ") + name + " twice";
      return std::nullopt;
    }
  }
  return manifest;
}

std::optional<Manifest> ReadManifest(const std::string &folder, std::string &warning) {
  const std::string path = folder + kManifestName;
  const RegularFile file = OpenRegularFile(path.c_str());
  if (file.fd < 0 && !file.notRegular && file.error == ENOENT)
    return std::nullopt;
  const std::string why = std::string(kManifestName) + " is not used: ";
  if (file.notRegular) {
    warning = why + "it is not a regular file";
    return std::nullopt;
  }
  if (file.fd < 0) {
    warning = why + std::strerror(file.error);
    return std::nullopt;
  }
  std::string bytes;
  const int error = ReadAtMost(file.fd, kMostBytes + 1, bytes);
  CloseFile(file.fd);
  if (error != 0) {
    warning = why + std::strerror(error);
    return std::nullopt;
  }
  if (bytes.size() > kMostBytes) {
    warning = why + "it is far larger than a manifest";
    return std::nullopt;
  }
  std::string reason;
  auto manifest = ParseManifest(bytes, reason);
  if (!manifest)
    warning = why + reason;
  return manifest;
}

std::string ManifestText(const Manifest &manifest) {
  std::string text;
  for (const char *name : kGeneratedFiles)
    if (const auto it = manifest.sums.find(name); it != manifest.sums.end())
      text += it->second + "  " + name + "\n";
  return text;
}

} // namespace torvio
