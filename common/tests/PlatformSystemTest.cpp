// The rest of the platform module on the system it is built for: replacing
// a file in one step, the generation lock, what a name is, the loaded
// library's file and the command line.
#include "FreshFolderTest.h"
#include "torvio/platform/System.h"

#include <gtest/gtest.h>

#include <cerrno>
#include <filesystem>
#include <fstream>
#include <string>
#include <vector>

namespace {

namespace fs = std::filesystem;

using fresh_folder::ReadRaw;
using fresh_folder::Utf8;

void WriteRaw(const fs::path &p, const std::string &bytes) {
  std::ofstream(p, std::ios::binary) << bytes;
}

class PlatformSystem : public fresh_folder::FreshFolderTest {
protected:
  PlatformSystem() : FreshFolderTest("torvio-system") {}
  // A name beyond ASCII, so the UTF-16 conversion is part of every call.
  std::string Name(const char8_t *name) const { return Utf8(folder / name); }
};

// Written whole through the calls a replacing save makes.
bool WriteNew(const std::string &path, const std::string &bytes) {
  const int fd = torvio::CreateNewFile(path.c_str());
  if (fd < 0)
    return false;
  int error = 0;
  const bool written = torvio::WriteAll(fd, bytes, error) && torvio::SyncFile(fd);
  return torvio::CloseFile(fd) && written;
}

TEST_F(PlatformSystem, RenameAndReplaceTakeTheNewBytesWithOrWithoutAnOldFile) {
  struct Case {
    bool replaceWith;
    const char *old; // nullptr: no old file
  };
  for (const Case c : {Case{false, nullptr}, Case{false, "old bytes\n"}, Case{true, nullptr},
                       Case{true, "old bytes\n"}}) {
    SCOPED_TRACE(testing::Message() << c.replaceWith << (c.old ? " over a file" : " alone"));
    const std::string target = Name(u8"réglage.tvd");
    const std::string written = Name(u8"réglage.tvd.tmp");
    if (c.old)
      WriteRaw(fs::path(std::u8string(target.begin(), target.end())), c.old);
    ASSERT_TRUE(WriteNew(written, "new\r\nbytes\n"));
    const bool moved = c.replaceWith ? torvio::ReplaceWith(written.c_str(), target.c_str())
                                     : torvio::RenameOver(written.c_str(), target.c_str());
    ASSERT_TRUE(moved) << errno;
    EXPECT_EQ(ReadRaw(folder / u8"réglage.tvd"), "new\r\nbytes\n");
    EXPECT_FALSE(fs::exists(folder / u8"réglage.tvd.tmp"));
    fs::remove(folder / u8"réglage.tvd");
  }
}

TEST_F(PlatformSystem, AFailedReplaceLeavesTheOldFileWhole) {
  const std::string target = Name(u8"kept.tvd");
  WriteRaw(folder / u8"kept.tvd", "old bytes\n");
  // Nothing was written to take its place.
  EXPECT_FALSE(torvio::ReplaceWith(Name(u8"missing.tmp").c_str(), target.c_str()));
  EXPECT_EQ(errno, ENOENT);
  EXPECT_FALSE(torvio::RenameOver(Name(u8"missing.tmp").c_str(), target.c_str()));
  EXPECT_EQ(errno, ENOENT);
  EXPECT_EQ(ReadRaw(folder / u8"kept.tvd"), "old bytes\n");
}

TEST_F(PlatformSystem, ANewFileIsNeverAnExistingOne) {
  WriteRaw(folder / u8"there", "x");
  EXPECT_EQ(torvio::CreateNewFile(Name(u8"there").c_str()), -1);
  EXPECT_EQ(errno, EEXIST);
  EXPECT_EQ(ReadRaw(folder / u8"there"), "x");
  EXPECT_TRUE(torvio::RemoveFile(Name(u8"there").c_str()));
  EXPECT_FALSE(fs::exists(folder / u8"there"));
}

TEST_F(PlatformSystem, ASecondLockOnTheFileIsRefusedUntilTheFirstIsClosed) {
  const std::string path = Name(u8"dossier-é.lock");
  const torvio::LockHandle first = torvio::OpenLockFile(path.c_str());
  const torvio::LockHandle second = torvio::OpenLockFile(path.c_str());
  ASSERT_NE(first, torvio::kNoLock) << errno;
  ASSERT_NE(second, torvio::kNoLock) << errno;
  EXPECT_EQ(torvio::TryLock(first), torvio::LockAttempt::Locked);
  EXPECT_EQ(torvio::TryLock(second), torvio::LockAttempt::Busy);
  EXPECT_EQ(torvio::TryLock(second), torvio::LockAttempt::Busy);
  torvio::CloseLockFile(first);
  EXPECT_EQ(torvio::TryLock(second), torvio::LockAttempt::Locked);
  torvio::CloseLockFile(second);
}

TEST_F(PlatformSystem, TheLockFileCannotBeMadeInAMissingFolder) {
  EXPECT_EQ(torvio::OpenLockFile(Name(u8"none/x.lock").c_str()), torvio::kNoLock);
  EXPECT_EQ(errno, ENOENT);
}

TEST_F(PlatformSystem, KindOfTellsNothingAFileAndAFolder) {
  WriteRaw(folder / u8"fichier.h", "x");
  fs::create_directory(folder / u8"sous-dossier");
  EXPECT_EQ(torvio::KindOf(Name(u8"fichier.h").c_str()), torvio::PathKind::Regular);
  EXPECT_EQ(torvio::KindOf(Name(u8"sous-dossier").c_str()), torvio::PathKind::Other);
  EXPECT_EQ(torvio::KindOf(Name(u8"absent.h").c_str()), torvio::PathKind::None);
  EXPECT_EQ(errno, ENOENT);
  EXPECT_TRUE(torvio::RemoveFolder(Name(u8"sous-dossier").c_str()));
  EXPECT_FALSE(fs::exists(folder / u8"sous-dossier"));
}

TEST_F(PlatformSystem, OnlyARegularFileIsOne) {
  WriteRaw(folder / u8"modèle.th", "x");
  fs::create_directory(folder / u8"modèles");
  const struct {
    const char8_t *name;
    bool regular;
  } cases[] = {{u8"modèle.th", true}, {u8"modèles", false}, {u8"absent.th", false}};
  for (const auto &c : cases)
    EXPECT_EQ(torvio::IsRegularFile(Name(c.name).c_str()), c.regular) << Name(c.name);
}

TEST_F(PlatformSystem, FilesCanBeMadeInAFolderThatIsThere) {
  EXPECT_TRUE(torvio::CanWriteInFolder(Utf8(folder).c_str()));
  EXPECT_FALSE(torvio::CanWriteInFolder(Name(u8"absent").c_str()));
  EXPECT_EQ(errno, ENOENT);
}

#if !defined(_WIN32) // Windows makes links only with a privilege tests lack.
TEST_F(PlatformSystem, ALinkIsResolvedOnlyToARegularFile) {
  WriteRaw(folder / "real.tvd", "x");
  fs::create_symlink(folder / "real.tvd", folder / "link.tvd");
  fs::create_symlink(folder / "none", folder / "dangling.tvd");
  EXPECT_EQ(torvio::KindOf(Name(u8"link.tvd").c_str()), torvio::PathKind::Link);
  std::string target;
  unsigned permissions = 0;
  ASSERT_TRUE(torvio::ResolveLinkToRegular(Name(u8"link.tvd").c_str(), target, permissions));
  EXPECT_EQ(target, Utf8(fs::canonical(folder / "real.tvd")));
  EXPECT_FALSE(torvio::ResolveLinkToRegular(Name(u8"dangling.tvd").c_str(), target, permissions));
  EXPECT_EQ(errno, 0);
  EXPECT_TRUE(torvio::IsRegularFile(Name(u8"link.tvd").c_str()));
  EXPECT_FALSE(torvio::IsRegularFile(Name(u8"dangling.tvd").c_str()));
}
#endif

#if defined(_WIN32)
constexpr const char *kAlwaysLoaded = "kernel32.dll";
#else
constexpr const char *kAlwaysLoaded = "libc.so";
#endif

TEST(PlatformModules, TheLoadedLibraryIsFoundByTheStartOfItsFileName) {
  const std::string path = torvio::LoadedModuleFile(kAlwaysLoaded);
  ASSERT_FALSE(path.empty());
  std::string file = fs::path(std::u8string(path.begin(), path.end())).filename().string();
  for (char &c : file)
    c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
  EXPECT_EQ(file.rfind(kAlwaysLoaded, 0), 0u) << path;
  EXPECT_EQ(torvio::LoadedModuleFile("no-such-library"), "");
}

#if defined(_WIN32)
TEST(PlatformCommandLine, WideTextBecomesUtf8) {
  EXPECT_EQ(torvio::detail::Utf8(L"caf\u00e9 \u4e2d\U0001F600"),
            "caf\xC3\xA9 \xE4\xB8\xAD\xF0\x9F\x98\x80");
  EXPECT_EQ(torvio::detail::Utf8(L""), "");
}

TEST(PlatformCommandLine, TheArgumentsComeFromTheWideCommandLine) {
  char program[] = "ignored";
  char *argv[] = {program, nullptr};
  const std::vector<std::string> arguments = torvio::ProgramArguments(1, argv);
  ASSERT_FALSE(arguments.empty());
  EXPECT_NE(arguments[0].find("torvio_common_tests"), std::string::npos) << arguments[0];
}
#else
TEST(PlatformCommandLine, TheArgumentsAreTheBytesGiven) {
  char program[] = "torvio-gen";
  char path[] = "caf\xC3\xA9/\xFF.tvd"; // not all UTF-8: kept as it is
  char *argv[] = {program, path, nullptr};
  EXPECT_EQ(torvio::ProgramArguments(2, argv),
            (std::vector<std::string>{"torvio-gen", "caf\xC3\xA9/\xFF.tvd"}));
}
#endif

} // namespace
