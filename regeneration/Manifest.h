// What TORVIO last wrote into an output folder: a hidden file in the folder,
// ".torvio-generated.sha256", one line per file as `sha256sum` writes it
// ("<64 hex digits>  <name>"), so that `sha256sum -c` can check it too.
// Only the nine headers and BuildLog.xml may be named.
#pragma once

#include <map>
#include <optional>
#include <string>

namespace torvio {

inline constexpr const char *kManifestName = ".torvio-generated.sha256";

struct Manifest {
  std::map<std::string, std::string> sums; // file name -> SHA-256, lowercase hex
};

// The manifest of `folder` (a prefix ending with "/"). Empty when there is
// none; also empty, with the reason in `warning`, when it cannot be read,
// is not a regular file, or holds anything but lines for the known files.
std::optional<Manifest> ReadManifest(const std::string &folder, std::string &warning);

// The manifest's text from its sums, in the files' generation order.
std::string ManifestText(const Manifest &manifest);

// Parses a manifest's text; empty with the reason when it is not one.
std::optional<Manifest> ParseManifest(std::string_view text, std::string &reason);

} // namespace torvio
