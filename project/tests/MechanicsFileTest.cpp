// The mechanics beside a project: saved with it, read with it, removed
// when the project has none, and refused with a reason when the file beside
// it is not what TORVIO writes. The project's own bytes never change.
#include "MechanicsFile.h"
#include "ProjectStore.h"

#include "ScratchFolder.h"

#include <gtest/gtest.h>

#include <filesystem>

namespace {

using torvio::LoadProject;
using torvio::SaveProject;

UserData Record() {
  UserData d{};
  PARVEX_SetDefault(&d);
  return d;
}

TEST(MechanicsFile, TravelWithTheProject) {
  testsupport::ScratchFolder folder;
  const std::string path = (folder.Path() / "motor.tvd").string();
  const parvex::Mechanics mechanics{2e-5, 1e-7, 0.015};
  ASSERT_TRUE(SaveProject(path, Record(), "/out/", mechanics).ok());
  EXPECT_EQ(testsupport::ReadBytes(folder.Path() / "motor.tvd.mechanics"),
            "TORVIO mechanics 1\ninertia 2e-05\nfriction 1e-07\nloadTorque 0.015\n");
  // The project's bytes are those of a project without mechanics.
  const auto plain = torvio::EncodeProject(Record(), "/out/");
  EXPECT_EQ(testsupport::ReadBytes(path), std::string(plain.begin(), plain.end()));
  const auto loaded = LoadProject(path);
  ASSERT_TRUE(loaded.project);
  ASSERT_TRUE(loaded.project->mechanics);
  EXPECT_EQ(loaded.project->mechanics->inertia, 2e-5);
  EXPECT_EQ(loaded.project->mechanics->friction, 1e-7);
  EXPECT_EQ(loaded.project->mechanics->loadTorque, 0.015);
  // Saved without them: no stale file stays behind.
  ASSERT_TRUE(SaveProject(path, Record(), "/out/", std::nullopt).ok());
  EXPECT_FALSE(std::filesystem::exists(folder.Path() / "motor.tvd.mechanics"));
  EXPECT_FALSE(LoadProject(path).project->mechanics);
}

TEST(MechanicsFile, AFileThatIsNotTorviosIsNamedNotUsed) {
  const struct {
    const char *text;
    const char *reason;
  } cases[] = {
      {"inertia 2e-05\n", "not a TORVIO mechanics file"},
      {"TORVIO mechanics 1\nfriction 0\n", "the inertia is missing"},
      {"TORVIO mechanics 1\ninertia -1\n", "the inertia must be above 0"},
      {"TORVIO mechanics 1\ninertia 2e-5\nmass 3\n", "mass: unknown entry"},
      {"TORVIO mechanics 1\ninertia x\n", "inertia: 'x' is not a number"},
  };
  for (const auto &c : cases) {
    const torvio::Result<parvex::Mechanics> parsed = torvio::ParseMechanics(c.text);
    EXPECT_FALSE(parsed.ok()) << c.text;
    EXPECT_NE(parsed.error().find(c.reason), std::string::npos) << parsed.error();
  }
  testsupport::ScratchFolder folder;
  const std::string path = (folder.Path() / "p.tvd").string();
  ASSERT_TRUE(SaveProject(path, Record(), "", std::nullopt).ok());
  ASSERT_TRUE(testsupport::WriteBytes(folder.Path() / "p.tvd.mechanics", "garbage"));
  const auto loaded = LoadProject(path);
  ASSERT_TRUE(loaded.project);
  EXPECT_FALSE(loaded.project->mechanics);
  EXPECT_NE(loaded.mechanicsWarning.find("not a TORVIO mechanics file"), std::string::npos);
}

} // namespace
