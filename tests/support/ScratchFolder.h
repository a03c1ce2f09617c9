// The tests' one temporary folder: a fresh folder under the system's
// temporary folder, removed at the end; with byte-exact file helpers.
#pragma once

#if defined(__linux__)
#include <sched.h>
#include <sys/mount.h>
#endif

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <random>
#include <string>

namespace testsupport {

class ScratchFolder {
public:
  // A random name that did not exist: create_directory reports whether it
  // made the folder, so two tests never share one (mkdtemp is POSIX-only).
  ScratchFolder() {
    const std::filesystem::path base = std::filesystem::temp_directory_path();
    std::random_device seed;
    std::mt19937_64 random(seed());
    for (int attempt = 0; attempt < 100; ++attempt) {
      const std::filesystem::path candidate =
          base / ("torvio-fault-" + std::to_string(random() % 1000000000000ULL));
      std::error_code ec;
      if (std::filesystem::create_directory(candidate, ec)) {
        path_ = candidate;
        return;
      }
    }
    std::abort();
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

// A file the code under test wrote in text mode, with its line ends as "\n".
// On Windows every "\n" must come as CR LF: a bare LF means the file was not
// written in text mode, and the result then says so, failing any comparison.
inline std::string ReadText(const std::filesystem::path &p) {
  const std::string bytes = ReadBytes(p);
#if defined(_WIN32)
  std::string text;
  for (std::size_t i = 0; i < bytes.size(); ++i) {
    if (bytes[i] == '\r' && i + 1 < bytes.size() && bytes[i + 1] == '\n')
      continue;
    if (bytes[i] == '\n' && (i == 0 || bytes[i - 1] != '\r'))
      return "bare LF at byte " + std::to_string(i) + " of a text-mode file: " + bytes;
    text += bytes[i];
  }
  return text;
#else
  return bytes;
#endif
}

// A private mount namespace for this thread, so that test mounts are seen
// by nobody else and vanish with the process. Needs root (CAP_SYS_ADMIN);
// Linux only.
inline bool EnterPrivateMountNamespace() {
#if defined(__linux__)
  return unshare(CLONE_NEWNS) == 0 &&
         mount("none", "/", nullptr, MS_REC | MS_PRIVATE, nullptr) == 0;
#else
  return false;
#endif
}

} // namespace testsupport
