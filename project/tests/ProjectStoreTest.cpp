// Saving and loading project files under faults: a full disk must neither
// replace the previous file nor report success; only regular files are read
// or replaced.
#include "ProjectStore.h"

#include "FullDisk.h"
#include "UnwritableFolder.h"

#include <gtest/gtest.h>

#include <cstring>
#include <filesystem>
#include <string>

#include <sys/stat.h>
#include <sys/sysmacros.h>
#include <unistd.h>

namespace {

using testsupport::FullDisk;
using torvio::LoadProject;
using torvio::SaveProject;

UserData Marked(std::uint32_t polePairs) {
  UserData d;
  std::memset(&d, 0, sizeof d);
  d.PolePairs.Value = polePairs;
  return d;
}

std::string Encoded(const UserData &d) {
  const auto bytes = torvio::EncodeProject(d, std::string());
  return std::string(bytes.begin(), bytes.end());
}

class SaveOnFullDisk : public testing::TestWithParam<FullDisk::Kind> {};

TEST_P(SaveOnFullDisk, KeepsThePreviousFileAndReportsTheFailure) {
  const std::string previous = Encoded(Marked(7));
  FullDisk disk("project.tvd", previous, GetParam());
  RecordProperty("disk", disk.Description());
  const std::string path = (disk.Path() / "project.tvd").string();
  const auto saved = SaveProject(path, Marked(9), std::string(), std::nullopt);
  disk.Release();
  EXPECT_FALSE(saved.ok());
  EXPECT_FALSE(saved.error().empty());
  RecordProperty("error", saved.error());
  const std::string after = testsupport::ReadBytes(disk.Path() / "project.tvd");
  EXPECT_EQ(after.size(), previous.size());
  EXPECT_TRUE(after == previous);
  // Nothing but the project (and the tmpfs filler) is left behind.
  for (const auto &entry : std::filesystem::directory_iterator(disk.Path()))
    EXPECT_TRUE(entry.path().filename() == "project.tvd" || entry.path().filename() == "filler")
        << entry.path();
}

INSTANTIATE_TEST_SUITE_P(Kinds, SaveOnFullDisk,
                         testing::Values(FullDisk::Kind::FullTmpfs, FullDisk::Kind::FileSizeLimit),
                         [](const testing::TestParamInfo<FullDisk::Kind> &info) {
                           return info.param == FullDisk::Kind::FullTmpfs ? "FullTmpfs"
                                                                          : "FileSizeLimit";
                         });

TEST(SaveProject, IntoAnUnwritableFolderFailsWithTheSystemsReason) {
  testsupport::UnwritableFolder folder("project.tvd", "old");
  RecordProperty("folder", folder.Description());
  const auto saved =
      SaveProject(folder.Prefix() + "project.tvd", Marked(9), std::string(), std::nullopt);
  EXPECT_FALSE(saved.ok());
  EXPECT_FALSE(saved.error().empty());
  EXPECT_EQ(testsupport::ReadBytes(folder.Existing("project.tvd")), "old");
}

TEST(SaveProject, WritesTheWholeFileWhenThereIsRoom) {
  testsupport::ScratchFolder folder;
  const std::string path = (folder.Path() / "p.tvd").string();
  const auto saved = SaveProject(path, Marked(9), std::string(), std::nullopt);
  ASSERT_TRUE(saved.ok()) << saved.error();
  EXPECT_EQ(testsupport::ReadBytes(folder.Path() / "p.tvd"), Encoded(Marked(9)));
  const auto back = LoadProject(path);
  ASSERT_TRUE(back.project);
  EXPECT_EQ(back.project->data.PolePairs.Value, 9u);
}

// Only a regular file is read: a device may never end, a pipe would block
// until a writer comes, a folder has no bytes.
TEST(LoadProject, AnythingButARegularFileIsRefusedAtOnce) {
  testsupport::ScratchFolder folder;
  const std::filesystem::path fifo = folder.Path() / "pipe.tvd";
  ASSERT_EQ(::mkfifo(fifo.c_str(), 0600), 0);
  const std::string paths[] = {"/dev/zero", fifo.string(), folder.Path().string()};
  for (const std::string &path : paths) {
    const auto loaded = LoadProject(path);
    EXPECT_FALSE(loaded.project) << path;
    EXPECT_EQ(loaded.error,
              "This is not a regular file: a folder, device or pipe cannot be a project file.")
        << path;
  }
}

TEST(LoadProject, MissingFileGivesTheSystemsReason) {
  testsupport::ScratchFolder folder;
  const auto loaded = LoadProject((folder.Path() / "none.tvd").string());
  EXPECT_FALSE(loaded.project);
  EXPECT_EQ(loaded.error, "No such file or directory");
}

TEST(LoadProject, HugeFileIsRefusedAsTooLarge) {
  testsupport::ScratchFolder folder;
  const auto bytes = torvio::EncodeProject(Marked(9), std::string(2 * 1024 * 1024, 'f'));
  testsupport::WriteBytes(folder.Path() / "huge.tvd", std::string(bytes.begin(), bytes.end()));
  const auto loaded = LoadProject((folder.Path() / "huge.tvd").string());
  EXPECT_FALSE(loaded.project);
  EXPECT_EQ(loaded.error, torvio::ProjectReadStatusText(torvio::ProjectReadStatus::TooLarge));
}

// A save replaces only a regular file, or the regular file a link points
// to (the link stays); a pipe, a device, a socket or a folder is refused
// and left exactly as it was. The device is the test's own node.
TEST(SaveProject, ReplacesOnlyRegularFiles) {
  testsupport::ScratchFolder folder;
  const auto at = [&folder](const char *name) { return (folder.Path() / name).string(); };
  ASSERT_EQ(::mkfifo(at("pipe.tvd").c_str(), 0600), 0);
  ASSERT_TRUE(std::filesystem::create_directory(at("folder.tvd")));
  const bool device = ::mknod(at("null.tvd").c_str(), S_IFCHR | 0600, makedev(1, 3)) == 0;
  std::filesystem::create_symlink(at("pipe.tvd"), at("link-to-pipe.tvd"));
  std::filesystem::create_symlink(at("nothing.tvd"), at("dangling.tvd"));
  std::vector<std::string> refused = {"pipe.tvd", "folder.tvd", "link-to-pipe.tvd", "dangling.tvd"};
  if (device)
    refused.push_back("null.tvd");
  for (const std::string &name : refused) {
    const auto saved = SaveProject(at(name.c_str()), Marked(9), std::string(), std::nullopt);
    EXPECT_FALSE(saved.ok()) << name;
    EXPECT_NE(saved.error().find("not a regular file"), std::string::npos) << name;
  }
  struct stat s {};
  ASSERT_EQ(::lstat(at("pipe.tvd").c_str(), &s), 0);
  EXPECT_TRUE(S_ISFIFO(s.st_mode));
  if (device) {
    ASSERT_EQ(::lstat(at("null.tvd").c_str(), &s), 0);
    EXPECT_TRUE(S_ISCHR(s.st_mode));
  }
  EXPECT_FALSE(std::filesystem::exists(at("nothing.tvd")));
  // Nothing but what the test made is there: no temporary file was left.
  std::size_t entries = 0;
  for ([[maybe_unused]] const auto &e : std::filesystem::directory_iterator(folder.Path()))
    ++entries;
  EXPECT_EQ(entries, device ? 5u : 4u);
}

TEST(SaveProject, ThroughALinkReplacesItsTargetAndKeepsTheLink) {
  testsupport::ScratchFolder folder;
  const auto target = folder.Path() / "real.tvd";
  const auto link = folder.Path() / "link.tvd";
  testsupport::WriteBytes(target, "old");
  ASSERT_EQ(::chmod(target.c_str(), 0640), 0);
  std::filesystem::create_symlink(target, link);
  const auto saved = SaveProject(link.string(), Marked(9), "/out/", std::nullopt);
  ASSERT_TRUE(saved.ok()) << saved.error();
  EXPECT_TRUE(std::filesystem::is_symlink(link));
  // The record file without its empty folder, then the folder of 5 bytes.
  EXPECT_EQ(testsupport::ReadBytes(target), Encoded(Marked(9)).substr(0, 2005) + "\x05/out/");
  struct stat s {};
  ASSERT_EQ(::stat(target.c_str(), &s), 0);
  EXPECT_EQ(s.st_mode & 0777, 0640u);
}

// Paths are bytes: a name that is no UTF-8 is saved and read under exactly
// that name.
TEST(SaveProject, NonUtf8NamesAndFolderBytesSurvive) {
  testsupport::ScratchFolder folder;
  const std::string path = (folder.Path() / "proj\xe9.tvd").string();
  const std::string outputFolder = "/home/user/caf\xe9/";
  ASSERT_TRUE(SaveProject(path, Marked(9), outputFolder, std::nullopt).ok());
  ASSERT_TRUE(std::filesystem::exists(std::filesystem::path(path)));
  const auto loaded = LoadProject(path);
  ASSERT_TRUE(loaded.project);
  EXPECT_EQ(loaded.project->outputDir, outputFolder);
}

} // namespace
