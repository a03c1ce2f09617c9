// What the platform tests share: a fresh folder per test, made and removed
// through the platform module, and file contents read as raw bytes.
#pragma once

#include "torvio/platform/Files.h"

#include <gtest/gtest.h>

#include <cerrno>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>

namespace fresh_folder {

namespace fs = std::filesystem;

inline std::string Utf8(const fs::path &p) {
  const std::u8string text = p.u8string();
  return std::string(text.begin(), text.end());
}

inline std::string ReadRaw(const fs::path &p) {
  std::ifstream f(p, std::ios::binary);
  return std::string(std::istreambuf_iterator<char>(f), {});
}

// A fixture whose folder is named for the suite (prefix), so a leftover says
// which test left it.
class FreshFolderTest : public testing::Test {
protected:
  explicit FreshFolderTest(const char *prefix) : prefix_(prefix) {}
  void SetUp() override {
    std::string pattern = torvio::TemporaryFolder() + "/" + prefix_ + "-XXXXXX";
    ASSERT_TRUE(torvio::MakeFreshFolder(pattern)) << pattern << ": " << errno;
    folder = fs::path(std::u8string(pattern.begin(), pattern.end()));
  }
  void TearDown() override {
    std::error_code ec;
    fs::remove_all(folder, ec);
  }
  fs::path folder;

private:
  std::string prefix_;
};

} // namespace fresh_folder
