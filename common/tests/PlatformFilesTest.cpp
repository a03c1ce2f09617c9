// The platform module on the system it is built for: names beyond ASCII,
// text and binary mode, what counts as a regular file, fresh folders and a
// full disk.
#include "FreshFolderTest.h"
#include "torvio/RegularFile.h"
#include "torvio/platform/Files.h"

#include <gtest/gtest.h>

#include <cerrno>
#include <filesystem>
#include <fstream>
#include <string>

namespace {

namespace fs = std::filesystem;
using fresh_folder::ReadRaw;
using fresh_folder::Utf8;

class PlatformFiles : public fresh_folder::FreshFolderTest {
protected:
  PlatformFiles() : FreshFolderTest("torvio-platform") {}
};

#if defined(_WIN32)
constexpr const char *kWrittenInTextMode = "one\r\ntwo\r\n";
#else
constexpr const char *kWrittenInTextMode = "one\ntwo\n";
#endif

TEST_F(PlatformFiles, TextModeWritesTheSystemsLineEnds) {
  const fs::path file = folder / "text.h";
  std::FILE *f = torvio::OpenFile(Utf8(file).c_str(), "w");
  ASSERT_NE(f, nullptr);
  std::fputs("one\ntwo\n", f);
  ASSERT_EQ(std::fclose(f), 0);
  EXPECT_EQ(ReadRaw(file), kWrittenInTextMode);
}

TEST_F(PlatformFiles, BinaryModeWritesBytesAsTheyAre) {
  const fs::path file = folder / "bytes.bin";
  std::FILE *f = torvio::OpenFile(Utf8(file).c_str(), "wb");
  ASSERT_NE(f, nullptr);
  std::fputs("one\ntwo\r\n", f);
  ASSERT_EQ(std::fclose(f), 0);
  EXPECT_EQ(ReadRaw(file), "one\ntwo\r\n");
}

// A template read in text mode gives "\n" for CR LF on Windows; binary mode
// and POSIX give the bytes.
TEST_F(PlatformFiles, ReadingInTextAndBinaryMode) {
  const fs::path file = folder / "crlf.th";
  std::ofstream(file, std::ios::binary) << "a\r\nb\n";
  const struct {
    torvio::FileMode mode;
    const char *expected;
  } cases[] = {
#if defined(_WIN32)
    {torvio::FileMode::Text, "a\nb\n"},
#else
    {torvio::FileMode::Text, "a\r\nb\n"},
#endif
    {torvio::FileMode::Binary, "a\r\nb\n"},
  };
  for (const auto &c : cases) {
    const torvio::RegularFile opened = torvio::OpenRegularFile(Utf8(file).c_str(), c.mode);
    ASSERT_GE(opened.fd, 0);
    std::string bytes;
    EXPECT_EQ(torvio::ReadAtMost(opened.fd, 100, bytes), 0);
    ::close(opened.fd);
    EXPECT_EQ(bytes, c.expected) << (c.mode == torvio::FileMode::Text ? "text" : "binary");
  }
}

TEST_F(PlatformFiles, NamesBeyondAsciiAreTheSameFile) {
  const fs::path file = folder / u8"\u00e4\u00f6\u00fc \u20ac \u65e5\u672c.th";
  std::FILE *f = torvio::OpenFile(Utf8(file).c_str(), "wb");
  ASSERT_NE(f, nullptr);
  std::fputs("x", f);
  ASSERT_EQ(std::fclose(f), 0);
  EXPECT_EQ(ReadRaw(file), "x");
  const torvio::RegularFile opened = torvio::OpenRegularFile(Utf8(file).c_str());
  EXPECT_GE(opened.fd, 0);
  if (opened.fd >= 0)
    ::close(opened.fd);
}

TEST_F(PlatformFiles, AFolderIsNoRegularFileAndAMissingFileIsAnError) {
  const torvio::RegularFile asFolder = torvio::OpenRegularFile(Utf8(folder).c_str());
  EXPECT_TRUE(asFolder.notRegular);
  EXPECT_EQ(asFolder.fd, -1);
  const torvio::RegularFile missing = torvio::OpenRegularFile(Utf8(folder / "none").c_str());
  EXPECT_FALSE(missing.notRegular);
  EXPECT_EQ(missing.fd, -1);
  EXPECT_EQ(missing.error, ENOENT);
}

TEST_F(PlatformFiles, FreshFoldersAreNewAndDistinct) {
  std::string a = Utf8(folder) + "/run-XXXXXX";
  std::string b = a;
  ASSERT_TRUE(torvio::MakeFreshFolder(a));
  ASSERT_TRUE(torvio::MakeFreshFolder(b));
  EXPECT_NE(a, b);
  EXPECT_EQ(a.substr(0, a.size() - 6), Utf8(folder) + "/run-");
  EXPECT_NE(a.substr(a.size() - 6), "XXXXXX");
  EXPECT_TRUE(fs::is_directory(fs::path(std::u8string(a.begin(), a.end()))));
  EXPECT_TRUE(fs::is_directory(fs::path(std::u8string(b.begin(), b.end()))));
  std::string noPlaceholder = Utf8(folder) + "/plain";
  EXPECT_FALSE(torvio::MakeFreshFolder(noPlaceholder));
  EXPECT_EQ(errno, EINVAL);
}

TEST(PlatformErrors, DiskFull) {
  const struct {
    int error;
    bool full;
  } cases[] = {
    {ENOSPC, true},
    {EFBIG, true},
    {EACCES, false},
    {ENOENT, false},
    {EIO, false},
    {0, false},
#if defined(EDQUOT)
    {EDQUOT, true},
#endif
  };
  for (const auto &c : cases)
    EXPECT_EQ(torvio::IsDiskFull(c.error), c.full) << c.error;
}

} // namespace
