// torvio-gen and the file system around it: paths given as bytes that are
// not UTF-8, and targets that are not regular files.
#include "RunGenProgram.h"
#include "ScratchFolder.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <string>
#include <sys/stat.h>
#include <sys/sysmacros.h>
#include <vector>

namespace {

namespace fs = std::filesystem;

using gentest::Outcome;
using gentest::RunGen;

bool IsFifo(const fs::path &p) {
  struct stat s {};
  return ::lstat(p.c_str(), &s) == 0 && S_ISFIFO(s.st_mode);
}

class GenFileSystem : public ::testing::Test {
protected:
  testsupport::ScratchFolder work;
  fs::path At(const std::string &name) const { return work.Path() / name; }
};

// --save-default replaces only a regular file: a pipe, a device node, a
// folder or a link to one is refused with exit code 2 and left as it was.
TEST_F(GenFileSystem, SaveDefaultRefusesWhatIsNoRegularFile) {
  ASSERT_EQ(::mkfifo(At("pipe.tvd").c_str(), 0600), 0);
  fs::create_directory(At("folder.tvd"));
  fs::create_symlink(At("pipe.tvd"), At("link.tvd"));
  std::vector<std::string> targets = {"pipe.tvd", "folder.tvd", "link.tvd"};
  const bool device = ::mknod(At("null.tvd").c_str(), S_IFCHR | 0600, makedev(1, 3)) == 0;
  if (device)
    targets.push_back("null.tvd");
  for (const std::string &target : targets) {
    const Outcome r = RunGen(work.Path(), {"--save-default", target});
    EXPECT_EQ(r.code, 2) << target << "\n" << r.output;
    EXPECT_NE(r.output.find("not a regular file"), std::string::npos) << r.output;
  }
  EXPECT_TRUE(IsFifo(At("pipe.tvd")));
  EXPECT_TRUE(fs::is_directory(At("folder.tvd")));
  if (device) {
    struct stat s {};
    ASSERT_EQ(::lstat(At("null.tvd").c_str(), &s), 0);
    EXPECT_TRUE(S_ISCHR(s.st_mode));
  }
}

// Paths go to the file system as the bytes given.
TEST_F(GenFileSystem, PathsThatAreNotUtf8KeepTheirBytes) {
  const std::string project = "proj\xe9.tvd";
  Outcome r = RunGen(work.Path(), {"--save-default", project});
  ASSERT_EQ(r.code, 0) << r.output;
  EXPECT_TRUE(fs::is_regular_file(At(project)));
  EXPECT_NE(r.output.find("written to " + project), std::string::npos);

  // A copy of the bundled templates in a folder named with a raw byte.
  const fs::path templates = At("tpl\xff");
  fs::create_directory(templates);
  for (const auto &entry : fs::directory_iterator(fs::path(TORVIO_TEMPLATES_DIR)))
    fs::copy_file(entry.path(), templates / entry.path().filename());

  r = RunGen(work.Path(), {"--project", project, "--templates", "tpl\xff", "--output", "caf\xe9"});
  EXPECT_EQ(r.code, 0) << r.output;
  EXPECT_TRUE(fs::exists(At("caf\xe9") / "MC_Control_Param.h"));
  EXPECT_TRUE(fs::exists(At("caf\xe9") / "BuildLog.xml"));
  EXPECT_FALSE(fs::exists(At("caf\xef\xbf\xbd")));
  EXPECT_NE(r.output.find("  caf\xe9/BuildLog.xml"), std::string::npos) << r.output;
}

// A template that is no regular file fails its header with exit code 3 and
// a line saying why; a pipe does not block, /dev/zero does not fill the disk.
TEST_F(GenFileSystem, TemplateThatIsNoRegularFileFailsItsHeaderOnly) {
  const fs::path templates = At("templates");
  fs::create_directory(templates);
  for (const auto &entry : fs::directory_iterator(fs::path(TORVIO_TEMPLATES_DIR)))
    fs::copy_file(entry.path(), templates / entry.path().filename());
  fs::remove(templates / "MC_Hall_prm.th");
  ASSERT_EQ(::mkfifo((templates / "MC_Hall_prm.th").c_str(), 0600), 0);
  fs::remove(templates / "MC_encoder_param.th");
  fs::create_symlink("/dev/zero", templates / "MC_encoder_param.th");

  const Outcome r = RunGen(work.Path(), {"--templates", "templates", "--output", "out"});
  EXPECT_EQ(r.code, 1) << r.output;
  EXPECT_NE(r.output.find("MC_Hall_prm.th is not a regular file"), std::string::npos);
  EXPECT_NE(r.output.find("MC_encoder_param.th is not a regular file"), std::string::npos);
  EXPECT_NE(r.output.find("End include files creation. 2 Error(s)"), std::string::npos);
  EXPECT_FALSE(fs::exists(At("out") / "MC_encoder_param.h"));
  EXPECT_TRUE(fs::exists(At("out") / "MC_Control_Param.h"));
}

} // namespace
