// torvio-gen's scripted projects on real files: saving over the project
// read, nothing written when an edit is refused, and the JSON round trip.
#include "ProjectFile.h"
#include "RunGenProgram.h"
#include "ScratchFolder.h"
#include "parvex.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <string>
#include <sys/wait.h>

namespace {

using gentest::Outcome;

Outcome Gen(const std::string &arguments) {
  return gentest::RunGenShell(arguments);
}

std::string ReadAll(const std::filesystem::path &p) {
  std::ifstream in(p, std::ios::binary);
  return std::string(std::istreambuf_iterator<char>(in), {});
}

class ScriptCommand : public ::testing::Test {
protected:
  void SetUp() override {
    UserData d{};
    PARVEX_SetDefault(&d);
    const auto bytes = torvio::EncodeProject(d, "/srv/motor/out/");
    project_ = dir_.Path() / "p.tvd";
    ASSERT_TRUE(testsupport::WriteBytes(project_, std::string(bytes.begin(), bytes.end())));
  }
  // Quoted piece by piece: GCC 12 Release misreads "'" + std::string as an overlapping copy.
  static std::string Quoted(const std::string &path) {
    std::string quoted(1, '\'');
    quoted += path;
    quoted += '\'';
    return quoted;
  }
  std::string P() const { return Quoted(project_.string()); }
  std::string In(const char *name) const { return Quoted((dir_.Path() / name).string()); }

  testsupport::ScratchFolder dir_;
  std::filesystem::path project_;
};

constexpr const char *kR = "MOTORANDHW/MOTORCHARACTERISTICS/R";

TEST_F(ScriptCommand, SavesOverTheProjectItRead) {
  const Outcome set = Gen("--project " + P() + " --set " + kR + "=0.5 --save " + P());
  ASSERT_EQ(set.code, 0) << set.output;
  const Outcome get = Gen("--project " + P() + " --get " + kR);
  EXPECT_EQ(get.output, std::string(kR) + "=0.5\n");
}

TEST_F(ScriptCommand, ARefusedEditWritesNothing) {
  const std::string before = ReadAll(project_);
  const Outcome set = Gen("--project " + P() + " --set " + kR + "=0.5 --set " + kR +
                          "=1000 --save " + P() + " --export " + In("p.json"));
  EXPECT_EQ(set.code, 2);
  EXPECT_EQ(set.output,
            std::string("torvio-gen: ") + kR + ": 1000 is outside its limits 0.01..150\n");
  EXPECT_EQ(ReadAll(project_), before);
  EXPECT_FALSE(std::filesystem::exists(dir_.Path() / "p.json"));
}

TEST_F(ScriptCommand, ExportThenImportGivesTheSameFile) {
  // Saved after an edit that runs the check, as the program saves it.
  ASSERT_EQ(Gen("--project " + P() + " --set " + kR + "=0.5 --save " + P()).code, 0);
  ASSERT_EQ(Gen("--project " + P() + " --export " + In("p.json")).code, 0);
  const Outcome imported = Gen("--import " + In("p.json") + " --save " + In("back.tvd"));
  ASSERT_EQ(imported.code, 0) << imported.output;
  EXPECT_EQ(imported.output.find("note:"), std::string::npos) << imported.output;
  EXPECT_EQ(ReadAll(dir_.Path() / "back.tvd"), ReadAll(project_));
}

// An import is an edit: R changed by hand in the JSON recomputes the
// integral gains (633 -> 2716 over 16384 for 1.5 Ohm) and says so; a limit
// widened by hand is refused and nothing is written.
TEST_F(ScriptCommand, AnImportRecomputesAndRefusesForeignLimits) {
  ASSERT_EQ(Gen("--project " + P() + " --set " + kR + "=0.35 --save " + P()).code, 0);
  ASSERT_EQ(Gen("--project " + P() + " --export " + In("p.json")).code, 0);
  const std::string json = ReadAll(dir_.Path() / "p.json");
  const std::string from = "\"min\":0.01,\"value\":0.35}";
  std::string edited = json;
  edited.replace(edited.find(from), from.size(), "\"min\":0.01,\"value\":1.5}");
  ASSERT_TRUE(testsupport::WriteBytes(dir_.Path() / "r.json", edited));
  const Outcome imported = Gen("--import " + In("r.json") + " --save " + In("r.tvd"));
  ASSERT_EQ(imported.code, 0) << imported.output;
  EXPECT_NE(imported.output.find("consistency check changed:\n"), std::string::npos)
      << imported.output;
  EXPECT_NE(
      imported.output.find(
          "\n  CONTROLSETTINGS/TORQUEANDFLUXCONTROLLER/TORQUE/TorqueIDividend: 633 -> 2716\n"),
      std::string::npos)
      << imported.output;
  const Outcome gain = Gen("--project " + In("r.tvd") +
                           " --get CONTROLSETTINGS/TORQUEANDFLUXCONTROLLER/TORQUE/TorqueIDividend");
  EXPECT_EQ(gain.output, "CONTROLSETTINGS/TORQUEANDFLUXCONTROLLER/TORQUE/TorqueIDividend=2716\n");

  std::string widened = json;
  widened.replace(widened.find(from), from.size(), "\"min\":-1,\"value\":-0.5}");
  ASSERT_TRUE(testsupport::WriteBytes(dir_.Path() / "w.json", widened));
  const Outcome refused = Gen("--import " + In("w.json") + " --save " + In("w.tvd"));
  EXPECT_EQ(refused.code, 2);
  EXPECT_NE(refused.output.find("R (min): -1 is not the limit TORVIO gives this setting (0.01)"),
            std::string::npos)
      << refused.output;
  EXPECT_FALSE(std::filesystem::exists(dir_.Path() / "w.tvd"));
}

TEST_F(ScriptCommand, AValuePrintedByGetChangesNothingWhenSetBack) {
  const std::string current = "MOTORANDHW/MOTORCHARACTERISTICS/RatedCurrent (max)";
  const Outcome get = Gen("--project " + P() + " --get '" + current + "' " + kR);
  ASSERT_EQ(get.code, 0);
  EXPECT_EQ(get.output, current + "=2.9182879377431905\n" + kR + "=0.35\n");
  ASSERT_EQ(Gen("--project " + P() + " --set " + kR + "=0.35 --save " + In("same.tvd")).code, 0);
  EXPECT_EQ(ReadAll(dir_.Path() / "same.tvd"), ReadAll(project_));
}

TEST_F(ScriptCommand, AnImportRefusedNamesEveryReason) {
  ASSERT_EQ(Gen("--project " + P() + " --export " + In("p.json")).code, 0);
  std::string json = ReadAll(dir_.Path() / "p.json");
  const std::string from = "\"value\":0.35}";
  json.replace(json.find(from), from.size(), "\"value\":\"x\"}");
  const std::string drop = "    \"MOTORANDHW/MOTORCHARACTERISTICS/Ke\"";
  const auto at = json.find(drop);
  json.erase(at, json.find('\n', at) + 1 - at);
  ASSERT_TRUE(testsupport::WriteBytes(dir_.Path() / "p.json", json));
  const Outcome imported = Gen("--import " + In("p.json") + " --save " + In("q.tvd"));
  EXPECT_EQ(imported.code, 2);
  EXPECT_NE(imported.output.find(std::string("\n  ") + kR + ": \"value\" must be a number"),
            std::string::npos)
      << imported.output;
  EXPECT_NE(imported.output.find("\n  MOTORANDHW/MOTORCHARACTERISTICS/Ke: missing\n"),
            std::string::npos)
      << imported.output;
  EXPECT_FALSE(std::filesystem::exists(dir_.Path() / "q.tvd"));
}

} // namespace
