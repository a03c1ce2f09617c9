#include "shell/ModuleVersion.h"

#include "torvio/platform/System.h"

#include <cctype>
#include <filesystem>
#include <vector>

#ifndef TORVIO_VERSION
#error "TORVIO_VERSION must be defined by the build"
#endif

namespace torvio {

std::string ProgramVersion() {
  return TORVIO_VERSION;
}

std::optional<std::string> VersionFromFileName(const std::string &fileName,
                                               const std::string &soname) {
  const std::string prefix = soname + ".";
  if (fileName.compare(0, prefix.size(), prefix) != 0) {
    return std::nullopt;
  }
  std::vector<std::string> numbers(1);
  for (std::size_t i = prefix.size(); i < fileName.size(); ++i) {
    const char c = fileName[i];
    if (c == '.') {
      numbers.emplace_back();
    } else if (std::isdigit(static_cast<unsigned char>(c)) && numbers.back().size() < 9) {
      numbers.back() += c;
    } else {
      return std::nullopt;
    }
  }
  if (numbers.size() < 3) {
    return std::nullopt;
  }
  std::string version;
  for (std::size_t i = 0; i < 3; ++i) {
    if (numbers[i].empty()) {
      return std::nullopt;
    }
    // Written as numbers, so "01" reads as 1.
    if (i)
      version += '.';
    version += std::to_string(std::stoul(numbers[i]));
  }
  return version;
}

std::optional<std::string> LoadedModulePath(const std::string &soname) {
  std::string path = LoadedModuleFile(soname);
  if (path.empty()) {
    return std::nullopt;
  }
  return path;
}

std::optional<std::string> LoadedModuleVersion(const std::string &soname) {
  const auto path = LoadedModulePath(soname);
  if (!path) {
    return std::nullopt;
  }
  return VersionFromFileName(std::filesystem::path(*path).filename().string(), soname);
}

} // namespace torvio
