// torvio-gen's regeneration as a firmware repository sees it: hand edits
// refused until --force, --check and --dry-run writing nothing, links never
// written through, and two runs into one folder never mixing.
#include "ProjectStore.h"
#include "RunGenProgram.h"
#include "ScratchFolder.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <regex>
#include <string>
#include <vector>

namespace {

namespace fs = std::filesystem;
using gentest::Outcome;
using gentest::RunGen;

// The bytes with the banner's date line taken out, which differs per run.
std::string Dateless(const std::string &text) {
  static const std::regex date("\n[A-Z][a-z]{2} [A-Z][a-z]{2} [0-9]{2} [0-9:]{8} [0-9]+\n");
  return std::regex_replace(text, date, "\n<date>\n");
}

class GenRegeneration : public ::testing::Test {
protected:
  void SetUp() override {
    ASSERT_EQ(RunGen(work.Path(), {"--output", "out"}).code, 0);
    hall = Read("out/MC_Hall_prm.h");
  }
  fs::path At(const std::string &name) const { return work.Path() / name; }
  std::string Read(const std::string &name) const { return testsupport::ReadBytes(At(name)); }

  testsupport::ScratchFolder work;
  std::string hall; // the generated Hall header of the defaults
};

TEST_F(GenRegeneration, HandEditIsRefusedUntilForced) {
  testsupport::WriteBytes(At("out/MC_Hall_prm.h"), hall + "/* tuned on the bench */\n");
  const std::string buildLog = Read("out/BuildLog.xml");
  Outcome r = RunGen(work.Path(), {"--output", "out"});
  EXPECT_EQ(r.code, 3) << r.output;
  EXPECT_NE(r.output.find("these headers were changed since TORVIO wrote them"), std::string::npos);
  EXPECT_NE(r.output.find("  out/MC_Hall_prm.h\n"), std::string::npos) << r.output;
  EXPECT_EQ(Read("out/MC_Hall_prm.h"), hall + "/* tuned on the bench */\n");
  EXPECT_EQ(Read("out/BuildLog.xml"), buildLog); // nothing at all was written

  r = RunGen(work.Path(), {"--output", "out", "--force"});
  EXPECT_EQ(r.code, 0) << r.output;
  EXPECT_NE(r.output.find("MC_Hall_prm.h : updated\n"), std::string::npos) << r.output;
  EXPECT_NE(r.output.find("Files: 1 updated, 0 created, 8 unchanged.\n"), std::string::npos);
  EXPECT_EQ(Dateless(Read("out/MC_Hall_prm.h")), Dateless(hall));
}

// --check: 0 when up to date, else 1 naming what differs; it writes nothing,
// not even into an empty folder.
TEST_F(GenRegeneration, CheckTellsWhetherTheFolderIsUpToDate) {
  fs::create_directory(At("empty"));
  fs::create_directory(At("edited"));
  testsupport::WriteBytes(At("edited/MC_Hall_prm.h"), "/* mine */\n");
  struct Case {
    const char *folder;
    int code;
    std::vector<std::string> lines;
  };
  const Case cases[] = {
      {"out", 0, {"out/ is up to date."}},
      {"edited",
       1,
       {"edited/ differs from what the project generates:",
        "  MC_Hall_prm.h : would be updated, although it was edited by hand",
        "  MC_Control_Param.h : would be created", "  BuildLog.xml : would be written"}},
      {"empty", 1, {"  Garnetline_MCconf.h : would be created"}},
  };
  for (const Case &c : cases) {
    const Outcome r = RunGen(work.Path(), {"--check", "--output", c.folder});
    EXPECT_EQ(r.code, c.code) << c.folder << "\n" << r.output;
    for (const std::string &line : c.lines)
      EXPECT_NE(r.output.find(line), std::string::npos) << c.folder << ": " << line;
  }
  EXPECT_TRUE(fs::is_empty(At("empty")));
  EXPECT_EQ(Read("edited/MC_Hall_prm.h"), "/* mine */\n");
}

// --check judges what the firmware reads, not how the folders were spelt:
// the folder written as "out", then checked as "./out/", by its absolute
// path, from another working folder and with a copy of the templates, is up
// to date; a changed setting is named.
TEST_F(GenRegeneration, CheckHoldsAcrossFolderSpellingsAndNamesTheSetting) {
  fs::create_directories(At("elsewhere"));
  fs::create_directories(At("copy"));
  for (const auto &entry : fs::directory_iterator(fs::path(TORVIO_GEN).parent_path() / "Templates"))
    fs::copy_file(entry.path(), At("copy") / entry.path().filename());
  const std::string absolute = At("out").string();
  struct Case {
    fs::path cwd;
    std::vector<std::string> arguments;
  };
  const Case cases[] = {
      {work.Path(), {"--check", "--output", "./out/"}},
      {work.Path(), {"--check", "--output", absolute}},
      {At("elsewhere"), {"--check", "--output", "../out"}},
      {work.Path(), {"--check", "--output", "out", "--templates", "copy"}},
  };
  for (const Case &c : cases) {
    const Outcome r = RunGen(c.cwd, c.arguments);
    EXPECT_EQ(r.code, 0) << c.arguments[2] << "\n" << r.output;
    EXPECT_NE(r.output.find(" is up to date.\n"), std::string::npos) << r.output;
  }
  ASSERT_EQ(RunGen(work.Path(), {"--save-default", "p.tvd"}).code, 0);
  ASSERT_EQ(RunGen(work.Path(), {"--project", "p.tvd", "--set",
                                 "MOTORANDHW/KV208BOARDPROTECTION/OverTemperatureThreshold=70",
                                 "--save", "p.tvd"})
                .code,
            0);
  const Outcome r = RunGen(work.Path(), {"--check", "--project", "p.tvd", "--output", "./out"});
  EXPECT_EQ(r.code, 1) << r.output;
  EXPECT_NE(
      r.output.find("  BuildLog.xml : would be written\n"
                    "    MOTORANDHW/KV208BOARDPROTECTION/OverTemperatureThreshold: 60 -> 70\n"),
      std::string::npos)
      << r.output;
}

TEST_F(GenRegeneration, DryRunShowsTheDiffAndWritesNothing) {
  testsupport::WriteBytes(At("out/MC_Hall_prm.h"), hall + "/* mine */\n");
  const auto before = fs::last_write_time(At("out/BuildLog.xml"));
  const Outcome r = RunGen(work.Path(), {"--dry-run", "--output", "out"});
  EXPECT_EQ(r.code, 0) << r.output;
  EXPECT_NE(r.output.find("MC_Control_Param.h : unchanged\n"), std::string::npos);
  EXPECT_NE(r.output.find("Files: 1 to update, 0 to create, 8 unchanged.\n"), std::string::npos);
  EXPECT_NE(r.output.find("--- a/MC_Hall_prm.h\n+++ b/MC_Hall_prm.h\n"), std::string::npos);
  EXPECT_NE(r.output.find("\n-/* mine */\n"), std::string::npos) << r.output;
  EXPECT_EQ(Read("out/MC_Hall_prm.h"), hall + "/* mine */\n");
  EXPECT_EQ(fs::last_write_time(At("out/BuildLog.xml")), before);
}

// A header or build log that is a link is replaced by a regular file in the
// folder; the target, and the place a dangling link names, stay untouched.
TEST_F(GenRegeneration, LinksAreNeverWrittenThrough) {
  fs::create_directory(At("outside"));
  testsupport::WriteBytes(At("outside/victim.txt"), "precious\n");
  fs::remove(At("out/MC_Control_Param.h"));
  fs::create_symlink("../outside/victim.txt", At("out/MC_Control_Param.h"));
  fs::remove(At("out/BuildLog.xml"));
  fs::create_symlink("../outside/created.xml", At("out/BuildLog.xml"));

  // A link is not what TORVIO wrote: asked for first.
  EXPECT_EQ(RunGen(work.Path(), {"--output", "out"}).code, 3);
  const Outcome r = RunGen(work.Path(), {"--output", "out", "--force"});
  EXPECT_EQ(r.code, 0) << r.output;
  EXPECT_EQ(Read("outside/victim.txt"), "precious\n");
  EXPECT_FALSE(fs::exists(At("outside/created.xml")));
  EXPECT_FALSE(fs::is_symlink(At("out/MC_Control_Param.h")));
  EXPECT_FALSE(fs::is_symlink(At("out/BuildLog.xml")));
  EXPECT_TRUE(fs::is_regular_file(At("out/BuildLog.xml")));
}

TEST_F(GenRegeneration, BuildLogThatIsAFolderIsNotListedAsWritten) {
  fs::remove(At("out/BuildLog.xml"));
  fs::create_directories(At("out/BuildLog.xml/inside"));
  const Outcome r = RunGen(work.Path(), {"--output", "out"});
  EXPECT_EQ(r.code, 1) << r.output;
  EXPECT_NE(r.output.find("BuildLog.xml : not written ("), std::string::npos) << r.output;
  EXPECT_EQ(r.output.find("out/BuildLog.xml\n"), std::string::npos) << r.output;
  EXPECT_TRUE(fs::is_directory(At("out/BuildLog.xml/inside")));
}

// Two projects generated into one folder at the same time: one waits for
// the other, and each header is wholly one project's.
TEST_F(GenRegeneration, TwoRunsNeverMix) {
  UserData other{};
  PARVEX_SetDefault(&other);
  other.PhaseShift.Value = 120; // changes the Hall header
  ASSERT_TRUE(torvio::SaveProject(At("other.tvd").string(), other, {}, std::nullopt).ok());
  ASSERT_EQ(RunGen(work.Path(), {"--project", "other.tvd", "--output", "ref"}).code, 0);
  const std::string otherHall = Dateless(Read("ref/MC_Hall_prm.h"));
  ASSERT_NE(otherHall, Dateless(hall));

  for (int round = 0; round < 5; ++round) {
    const auto first = gentest::Start(work.Path(), {"--output", "shared", "--force"});
    const auto second =
        gentest::Start(work.Path(), {"--project", "other.tvd", "--output", "shared", "--force"});
    const Outcome a = gentest::Finish(first);
    const Outcome b = gentest::Finish(second);
    EXPECT_TRUE(a.code == 0 || a.code == 4) << a.output;
    EXPECT_TRUE(b.code == 0 || b.code == 4) << b.output;
    const std::string shared = Dateless(Read("shared/MC_Hall_prm.h"));
    EXPECT_TRUE(shared == Dateless(hall) || shared == otherHall) << "round " << round;
  }
}

} // namespace
