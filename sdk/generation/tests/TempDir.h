// A fresh folder under the system temporary folder, removed at the end.
#pragma once

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>

namespace testdata {

class TempDir {
public:
  TempDir() {
    std::string pattern = (std::filesystem::temp_directory_path() / "torvio-gen-XXXXXX").string();
    if (!mkdtemp(pattern.data()))
      std::abort();
    path_ = pattern;
  }
  ~TempDir() {
    std::error_code ec;
    std::filesystem::remove_all(path_, ec);
  }
  TempDir(const TempDir &) = delete;
  TempDir &operator=(const TempDir &) = delete;

  const std::filesystem::path &Path() const { return path_; }
  // The folder as a prefix ending with a separator.
  std::string Prefix() const { return path_.string() + "/"; }

private:
  std::filesystem::path path_;
};

inline void WriteFile(const std::filesystem::path &p, const std::string &bytes) {
  std::ofstream f(p, std::ios::binary);
  f << bytes;
}

inline std::string ReadFile(const std::filesystem::path &p) {
  std::ifstream f(p, std::ios::binary);
  return std::string(std::istreambuf_iterator<char>(f), {});
}

} // namespace testdata
