// torvio-gen --diff on real files: its lines and exit codes.
#include "ProjectFile.h"
#include "RunGenProgram.h"
#include "parvex.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <filesystem>
#include <fstream>
#include <string>
#include <sys/wait.h>
#include <unistd.h>

using gentest::Outcome;

namespace {

namespace fs = std::filesystem;

class DiffCommand : public ::testing::Test {
protected:
  void SetUp() override {
    dir_ = fs::temp_directory_path() /
           ("torvio_diff_" + std::to_string(getpid()) + "_" +
            ::testing::UnitTest::GetInstance()->current_test_info()->name());
    fs::remove_all(dir_);
    fs::create_directories(dir_);
    PARVEX_SetDefault(&defaults_);
  }
  void TearDown() override { fs::remove_all(dir_); }

  std::string Write(const std::string &name, const std::vector<std::uint8_t> &bytes) {
    const fs::path p = dir_ / name;
    std::ofstream(p, std::ios::binary)
        .write(reinterpret_cast<const char *>(bytes.data()),
               static_cast<std::streamsize>(bytes.size()));
    return p.string();
  }
  std::string Project(const std::string &name, const UserData &d,
                      const std::string &outputDir = "/tmp/out/") {
    return Write(name, torvio::EncodeProject(d, outputDir));
  }
  // Version 1: the short magic with "1", the record, no folder.
  std::string Version1(const std::string &name, const UserData &d) {
    auto bytes = torvio::EncodeProject(d, "");
    bytes.pop_back(); // the empty folder string
    bytes[12] = '1';  // "TORVIOFILEV2" after its length byte
    return Write(name, bytes);
  }

  static Outcome Diff(const std::string &a, const std::string &b) {
    return gentest::RunGenShell("--diff '" + a + "' '" + b + "'");
  }

  fs::path dir_;
  UserData defaults_{};
};

// A project holding settings no page could have entered generates as it
// is, with a warning line for each.
TEST_F(DiffCommand, GenerationWarnsOfSettingsNoPageCouldEnter) {
  UserData odd = defaults_;
  odd.HallSensors = 2;
  odd.PWMFrequency.Value = 65535;
  const std::string project = Project("odd.tvd", odd);
  const std::string out =
      gentest::RunGenShell("--project '" + project + "' --output '" + (dir_ / "out").string() + "'")
          .output;
  EXPECT_NE(out.find("warning: " + project +
                     " holds a setting no page could have entered: "
                     "CONFIGURATION/SPEEDFEEDBACK/HallSensors: 2 is no flag value (0 or 1)\n"),
            std::string::npos)
      << out;
  EXPECT_NE(out.find("CONTROLSETTINGS/DRIVINGSETTINGS/PWMFrequency: 65535 is outside "
                     "4000..32000\n"),
            std::string::npos);
  EXPECT_TRUE(fs::exists(dir_ / "out" / "MC_Control_Param.h"));
}

TEST_F(DiffCommand, EqualProjectsPrintNothingAndExitZero) {
  const Outcome r = Diff(Project("a.tvd", defaults_), Project("b.tvd", defaults_));
  EXPECT_EQ(r.code, 0);
  EXPECT_EQ(r.output, "");
}

TEST_F(DiffCommand, ChangedValueAndLimit) {
  UserData b = defaults_;
  b.R.Value = 0.40;
  b.RatedCurrent.Max = 3.3;
  const Outcome r = Diff(Project("a.tvd", defaults_), Project("b.tvd", b));
  EXPECT_EQ(r.code, 1);
  EXPECT_EQ(r.output, "MOTORANDHW/MOTORCHARACTERISTICS/R: 0.35 -> 0.40\n"
                      "MOTORANDHW/MOTORCHARACTERISTICS/RatedCurrent (max): 2.92 -> 3.30\n");
}

TEST_F(DiffCommand, ChangedFlag) {
  UserData b = defaults_;
  b.FluxWeakening = defaults_.FluxWeakening == 0 ? 1 : 0;
  const Outcome r = Diff(Project("a.tvd", defaults_), Project("b.tvd", b));
  EXPECT_EQ(r.code, 1);
  EXPECT_EQ(r.output, defaults_.FluxWeakening == 0
                          ? "CONFIGURATION/FOCMETHODS/FluxWeakening: FALSE -> TRUE\n"
                          : "CONFIGURATION/FOCMETHODS/FluxWeakening: TRUE -> FALSE\n");
}

// The output folder is where headers go, not a setting: a version 1 file
// (which has none) equals a version 2 file of the same record.
TEST_F(DiffCommand, Version1AgainstVersion2) {
  const std::string v1 = Version1("old.tvd", defaults_);
  EXPECT_EQ(Diff(v1, Project("new.tvd", defaults_, "/elsewhere/")).code, 0);
  UserData b = defaults_;
  b.PWMFrequency.Value = 16000;
  const Outcome r = Diff(v1, Project("new.tvd", b));
  EXPECT_EQ(r.code, 1);
  EXPECT_EQ(r.output, "CONTROLSETTINGS/DRIVINGSETTINGS/PWMFrequency: 14400 -> 16000\n");
}

TEST_F(DiffCommand, UnreadableFileExitsTwo) {
  const std::string good = Project("a.tvd", defaults_);
  const Outcome missing = Diff(good, (dir_ / "none.tvd").string());
  EXPECT_EQ(missing.code, 2);
  EXPECT_NE(missing.output.find("cannot read project"), std::string::npos);
  const Outcome garbage = Diff(Write("bad.tvd", {'x', 'y', 'z'}), good);
  EXPECT_EQ(garbage.code, 2);
}

TEST_F(DiffCommand, NeedsTwoFiles) {
  const std::string command = std::string(TORVIO_GEN) + " --diff only.tvd >/dev/null 2>&1";
  const int status = std::system(command.c_str());
  EXPECT_EQ(WEXITSTATUS(status), 2);
}

} // namespace
