// The tests' one temporary folder: a fresh folder under the system's
// temporary folder, removed at the end; with byte-exact file helpers.
#pragma once

#include <sched.h>
#include <sys/mount.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>

namespace testsupport {

class ScratchFolder {
public:
  ScratchFolder() {
    std::string pattern = (std::filesystem::temp_directory_path() / "torvio-fault-XXXXXX").string();
    if (!mkdtemp(pattern.data()))
      std::abort();
    path_ = pattern;
  }
  ~ScratchFolder() {
    std::error_code ec;
    std::filesystem::remove_all(path_, ec);
  }
  ScratchFolder(const ScratchFolder &) = delete;
  ScratchFolder &operator=(const ScratchFolder &) = delete;

  const std::filesystem::path &Path() const { return path_; }
  // The folder as a prefix ending with a separator.
  std::string Prefix() const { return path_.string() + "/"; }

private:
  std::filesystem::path path_;
};

inline bool WriteBytes(const std::filesystem::path &p, const std::string &bytes) {
  std::ofstream f(p, std::ios::binary);
  f << bytes;
  f.flush();
  return static_cast<bool>(f);
}

inline std::string ReadBytes(const std::filesystem::path &p) {
  std::ifstream f(p, std::ios::binary);
  return std::string(std::istreambuf_iterator<char>(f), {});
}

// A private mount namespace for this thread, so that test mounts are seen
// by nobody else and vanish with the process. Needs root (CAP_SYS_ADMIN).
inline bool EnterPrivateMountNamespace() {
  return unshare(CLONE_NEWNS) == 0 &&
         mount("none", "/", nullptr, MS_REC | MS_PRIVATE, nullptr) == 0;
}

} // namespace testsupport
