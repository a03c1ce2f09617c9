// Saving and loading project files under faults: a full disk must neither
// replace the previous file nor report success.
#include "ProjectLoader.h"

#include "FullDisk.h"
#include "ProjectFile.h"
#include "UnwritableFolder.h"

#include <gtest/gtest.h>

#include <cstring>
#include <filesystem>
#include <string>

#include <sys/stat.h>

namespace {

using faults::FullDisk;

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
  const QString path = QString::fromStdString((disk.Path() / "project.tvd").string());
  QString error;
  const bool saved = SaveProject(path, Marked(9), error);
  disk.Release();
  EXPECT_FALSE(saved);
  EXPECT_FALSE(error.isEmpty());
  RecordProperty("error", error.toStdString());
  const std::string after = faults::ReadBytes(disk.Path() / "project.tvd");
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
  faults::UnwritableFolder folder("project.tvd", "old");
  RecordProperty("folder", folder.Description());
  QString error;
  EXPECT_FALSE(
      SaveProject(QString::fromStdString(folder.Prefix() + "project.tvd"), Marked(9), error));
  EXPECT_FALSE(error.isEmpty());
  EXPECT_EQ(faults::ReadBytes(folder.Existing("project.tvd")), "old");
}

TEST(SaveProject, WritesTheWholeFileWhenThereIsRoom) {
  faults::ScratchFolder folder;
  const QString path = QString::fromStdString((folder.Path() / "p.tvd").string());
  QString error;
  ASSERT_TRUE(SaveProject(path, Marked(9), error)) << error.toStdString();
  EXPECT_EQ(faults::ReadBytes(folder.Path() / "p.tvd"), Encoded(Marked(9)));
  UserData back{};
  ASSERT_TRUE(LoadProject(path, back, error));
  EXPECT_EQ(back.PolePairs.Value, 9u);
}

// Only a regular file is read: a device may never end, a pipe would block
// until a writer comes, a folder has no bytes.
TEST(LoadProject, AnythingButARegularFileIsRefusedAtOnce) {
  faults::ScratchFolder folder;
  const std::filesystem::path fifo = folder.Path() / "pipe.tvd";
  ASSERT_EQ(::mkfifo(fifo.c_str(), 0600), 0);
  const std::string paths[] = {"/dev/zero", fifo.string(), folder.Path().string()};
  for (const std::string &path : paths) {
    UserData data = Marked(5);
    QString error;
    EXPECT_FALSE(LoadProject(QString::fromStdString(path), data, error)) << path;
    EXPECT_EQ(error.toStdString(),
              "This is not a regular file: a folder, device or pipe cannot be a project file.")
        << path;
    EXPECT_EQ(data.PolePairs.Value, 5u) << path;
  }
}

TEST(LoadProject, MissingFileGivesTheSystemsReason) {
  faults::ScratchFolder folder;
  UserData data = Marked(5);
  QString error;
  EXPECT_FALSE(
      LoadProject(QString::fromStdString((folder.Path() / "none.tvd").string()), data, error));
  EXPECT_EQ(error.toStdString(), "No such file or directory");
  EXPECT_EQ(data.PolePairs.Value, 5u);
}

TEST(LoadProject, HugeFileIsRefusedAsTooLarge) {
  faults::ScratchFolder folder;
  const auto bytes = torvio::EncodeProject(Marked(9), std::string(2 * 1024 * 1024, 'f'));
  faults::WriteBytes(folder.Path() / "huge.tvd", std::string(bytes.begin(), bytes.end()));
  UserData data = Marked(5);
  QString error;
  EXPECT_FALSE(
      LoadProject(QString::fromStdString((folder.Path() / "huge.tvd").string()), data, error));
  EXPECT_EQ(error.toStdString(),
            torvio::ProjectReadStatusText(torvio::ProjectReadStatus::TooLarge));
  EXPECT_EQ(data.PolePairs.Value, 5u);
}

} // namespace
