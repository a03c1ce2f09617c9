// Versions of the program's modules: the program's own is compiled in; a
// library's comes from the versioned file actually loaded into the process
// (libparvex.so.X.Y.Z), as the system loader resolved it.
#pragma once

#include <optional>
#include <string>

namespace torvio {

// The program's version, "major.minor.patch".
std::string ProgramVersion();

// "X.Y.Z" from a file name "<soname>.X.Y[.Z...]" (the first three numbers);
// nothing when the name is not a versioned file of `soname`.
std::optional<std::string> VersionFromFileName(const std::string &fileName,
                                               const std::string &soname);

// The real path of the loaded object whose file name starts with `soname`
// (for example "libparvex.so"); nothing when no such object is loaded.
std::optional<std::string> LoadedModulePath(const std::string &soname);

// The version of the loaded `soname`, from its resolved file name.
std::optional<std::string> LoadedModuleVersion(const std::string &soname);

} // namespace torvio
