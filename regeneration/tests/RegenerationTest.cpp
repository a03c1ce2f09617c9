// Safe regeneration on the bundled templates: unchanged headers keep their
// time, a changed setting updates only the headers that hold it, hand edits
// are found, nothing is written through a link or outside the folder, and
// one run holds the folder at a time.
#include "Regeneration.h"

#include "FullDisk.h"
#include "GeneratedFiles.h"
#include "Manifest.h"
#include "ScratchFolder.h"
#include "Sha256.h"
#include "UnwritableFolder.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <sys/stat.h>
#include <utime.h>

namespace {

namespace fs = std::filesystem;
using torvio::FileChange;
using torvio::Regeneration;

class RegenerationTest : public ::testing::Test {
protected:
  void SetUp() override {
    PARVEX_SetDefault(&data);
    fs::create_directory(out);
  }

  std::vector<torvio::PlacedFile> Generate(const std::set<std::string> &keep = {}) {
    Regeneration r(data, TORVIO_TEMPLATES_DIR, Out());
    EXPECT_FALSE(r.Busy());
    EXPECT_FALSE(r.Direct());
    return r.Place(keep);
  }

  std::string Out() const { return out.string() + "/"; }
  fs::path At(const std::string &name) const { return out / name; }

  // Sets a file's time far into the past, so that a rewrite shows.
  void Age(const std::string &name) {
    const struct utimbuf past { 1000000000, 1000000000 };
    ASSERT_EQ(::utime(At(name).c_str(), &past), 0);
  }
  bool Aged(const std::string &name) const {
    struct stat s {};
    return ::stat(At(name).c_str(), &s) == 0 && s.st_mtime == 1000000000;
  }

  static std::string Outcome(const std::vector<torvio::PlacedFile> &placed,
                             const std::string &name) {
    for (const auto &p : placed)
      if (p.name == name)
        return p.outcome;
    return "?";
  }

  UserData data{};
  testsupport::ScratchFolder scratch;
  fs::path out = scratch.Path() / "out";
};

TEST_F(RegenerationTest, UnchangedHeadersKeepTheirTime) {
  auto placed = Generate();
  for (std::size_t i = 0; i < 9; ++i)
    EXPECT_EQ(placed[i].outcome, "created") << placed[i].name;
  EXPECT_EQ(placed[9].outcome, "written");
  for (const char *name : torvio::kGeneratedFiles)
    Age(name);
  placed = Generate();
  for (std::size_t i = 0; i < 9; ++i) {
    EXPECT_EQ(placed[i].outcome, "unchanged") << placed[i].name;
    EXPECT_TRUE(Aged(placed[i].name)) << placed[i].name;
  }
  // The build log is always written.
  EXPECT_EQ(placed[9].outcome, "written");
  EXPECT_FALSE(Aged("BuildLog.xml"));
}

// The dates are masked on LF and CR LF lines alike, the line end kept;
// nothing else is touched.
TEST(WithoutGenerationDates, MasksDatesWhateverTheLineEnd) {
  const struct {
    const char *bytes;
    const char *masked;
  } cases[] = {
      {"/*\nTue Dec 08 21:44:30 2026\n*/\n", "/*\n<generation date>\n*/\n"},
      {"/*\r\nTue Dec 08 21:44:30 2026\r\n*/\r\n", "/*\r\n<generation date>\r\n*/\r\n"},
      {"Tue Dec 08 21:44:30 2026\r", "<generation date>\r"},
      {"<BuildDateTime >12/08/26 - 21:44:30</BuildDateTime>\r\n", "<generation date>\r\n"},
      {"Tue Dec 08 21:44:30 2026\r\r\n", "Tue Dec 08 21:44:30 2026\r\r\n"},
      {"#define X 1\r\n", "#define X 1\r\n"},
      {"\r\n\r", "\r\n\r"},
  };
  for (const auto &c : cases)
    EXPECT_EQ(torvio::WithoutGenerationDates(c.bytes), c.masked) << c.bytes;
}

// The banner's date differs from run to run; that alone changes nothing.
TEST_F(RegenerationTest, AnotherGenerationDateIsNoChange) {
  Generate();
  std::string header = testsupport::ReadBytes(At("MC_Hall_prm.h"));
  const std::size_t line = header.find('\n') + 1;
  header.replace(line, header.find('\n', line) - line, "Mon Jan 01 00:00:00 2001");
  testsupport::WriteBytes(At("MC_Hall_prm.h"), header);
  Regeneration r(data, TORVIO_TEMPLATES_DIR, Out());
  EXPECT_EQ(r.Files()[2].change, FileChange::Unchanged);
  EXPECT_TRUE(r.UpToDate());
}

// The over-temperature threshold appears in MC_Control_Param.h only.
TEST_F(RegenerationTest, AChangedSettingUpdatesOnlyItsHeaders) {
  Generate();
  for (const char *name : torvio::kGeneratedFiles)
    Age(name);
  data.OverTemperatureThreshold.Value = 70;
  Regeneration r(data, TORVIO_TEMPLATES_DIR, Out());
  EXPECT_FALSE(r.UpToDate());
  EXPECT_EQ(r.Differing(), (std::vector<std::string>{"MC_Control_Param.h", "BuildLog.xml"}));
  const auto placed = r.Place();
  EXPECT_EQ(Outcome(placed, "MC_Control_Param.h"), "updated");
  EXPECT_FALSE(Aged("MC_Control_Param.h"));
  for (std::size_t i = 1; i < 9; ++i)
    EXPECT_TRUE(Aged(torvio::kGeneratedFiles[i])) << torvio::kGeneratedFiles[i];
  EXPECT_EQ(torvio::PlacementReport(placed).back().text,
            "Files: 1 updated, 0 created, 8 unchanged.");
}

TEST_F(RegenerationTest, HandEditsAreFoundAndKeptOnRequest) {
  Generate();
  testsupport::WriteBytes(At("MC_Hall_prm.h"), "/* edited by hand */\n");
  data.OverTemperatureThreshold.Value = 70;
  data.PhaseShift.Value = 120; // so that the Hall header would change too
  {
    Regeneration r(data, TORVIO_TEMPLATES_DIR, Out());
    EXPECT_EQ(r.ForeignChanges(), std::vector<std::string>{"MC_Hall_prm.h"});
    const auto placed = r.Place({"MC_Hall_prm.h"});
    EXPECT_EQ(Outcome(placed, "MC_Hall_prm.h"), "kept");
    EXPECT_EQ(Outcome(placed, "MC_Control_Param.h"), "updated");
  }
  EXPECT_EQ(testsupport::ReadBytes(At("MC_Hall_prm.h")), "/* edited by hand */\n");
  // Still someone else's: the next run asks again; overwritten when told.
  Regeneration again(data, TORVIO_TEMPLATES_DIR, Out());
  EXPECT_EQ(again.ForeignChanges(), std::vector<std::string>{"MC_Hall_prm.h"});
  EXPECT_EQ(Outcome(again.Place(), "MC_Hall_prm.h"), "updated");
  EXPECT_NE(testsupport::ReadBytes(At("MC_Hall_prm.h")), "/* edited by hand */\n");
}

// Without a manifest (or with a corrupt one) any header that differs from
// what would be written is someone else's; one that would not change is not.
TEST_F(RegenerationTest, FolderNotFilledByTorvio) {
  Generate();
  testsupport::WriteBytes(At("MC_encoder_param.h"), "foreign\n");
  for (const std::string &manifest : {std::string(), std::string("not a manifest\n")}) {
    if (manifest.empty())
      fs::remove(At(torvio::kManifestName));
    else
      testsupport::WriteBytes(At(torvio::kManifestName), manifest);
    Regeneration r(data, TORVIO_TEMPLATES_DIR, Out());
    EXPECT_EQ(r.ForeignChanges(), std::vector<std::string>{"MC_encoder_param.h"});
    EXPECT_EQ(r.Warnings().size(), manifest.empty() ? 0u : 1u);
  }
}

// A manifest naming a file outside the folder is never followed: it counts
// as no manifest, and nothing is written there.
TEST_F(RegenerationTest, ManifestNamingAnotherPlaceIsNeverFollowed) {
  testsupport::WriteBytes(scratch.Path() / "something", "outside\n");
  testsupport::WriteBytes(At(torvio::kManifestName), torvio::Sha256Hex("x") + "  ../something\n");
  Regeneration r(data, TORVIO_TEMPLATES_DIR, Out());
  ASSERT_EQ(r.Warnings().size(), 1u);
  r.Place();
  EXPECT_EQ(testsupport::ReadBytes(scratch.Path() / "something"), "outside\n");
  const std::string manifest = testsupport::ReadBytes(At(torvio::kManifestName));
  EXPECT_EQ(manifest.find(".."), std::string::npos);
}

// A header or build log that is a link is replaced by a regular file in the
// folder; the file it pointed to is untouched and nothing appears outside.
TEST_F(RegenerationTest, LinksAreReplacedNeverWrittenThrough) {
  fs::create_directory(scratch.Path() / "outside");
  const fs::path victim = scratch.Path() / "outside" / "victim.txt";
  testsupport::WriteBytes(victim, "keep me\n");
  fs::create_symlink(victim, At("MC_Control_Param.h"));
  fs::create_symlink(scratch.Path() / "outside" / "new.xml", At("BuildLog.xml"));
  Regeneration r(data, TORVIO_TEMPLATES_DIR, Out());
  EXPECT_EQ(r.ForeignChanges(), std::vector<std::string>{"MC_Control_Param.h"});
  const auto placed = r.Place();
  EXPECT_EQ(Outcome(placed, "MC_Control_Param.h"), "updated");
  EXPECT_EQ(testsupport::ReadBytes(victim), "keep me\n");
  EXPECT_FALSE(fs::exists(scratch.Path() / "outside" / "new.xml"));
  EXPECT_FALSE(fs::is_symlink(At("MC_Control_Param.h")));
  EXPECT_FALSE(fs::is_symlink(At("BuildLog.xml")));
}

TEST_F(RegenerationTest, BuildLogThatIsAFolderIsNotWritten) {
  fs::create_directory(At("BuildLog.xml"));
  const auto placed = Generate();
  EXPECT_EQ(Outcome(placed, "BuildLog.xml").rfind("not written", 0), 0u);
  EXPECT_FALSE(placed.back().written);
  EXPECT_TRUE(fs::is_directory(At("BuildLog.xml")));
}

TEST_F(RegenerationTest, OneRunHoldsTheFolderAtATime) {
  Regeneration first(data, TORVIO_TEMPLATES_DIR, Out());
  Regeneration second(data, TORVIO_TEMPLATES_DIR, Out(), torvio::RegenerationMode::Write,
                      std::chrono::milliseconds(50));
  EXPECT_TRUE(second.Busy());
  EXPECT_TRUE(second.Place().empty());
  EXPECT_EQ(second.Generation().lines.front().text,
            std::string("Output Dir : ") + Out() +
                " is busy: another generation is writing into this folder. Nothing was "
                "generated.");
  first.Place();
}

// Only the nine headers, the build log and TORVIO's own manifest and lock
// are ever written; the private folder goes away.
TEST_F(RegenerationTest, NothingElseIsTouched) {
  testsupport::WriteBytes(At("notes.txt"), "mine\n");
  Generate();
  std::vector<std::string> names;
  for (const auto &entry : fs::directory_iterator(out))
    names.push_back(entry.path().filename().string());
  std::sort(names.begin(), names.end());
  std::vector<std::string> expected(torvio::kGeneratedFiles.begin(), torvio::kGeneratedFiles.end());
  expected.insert(expected.end(),
                  {".torvio-generated.sha256", ".torvio-generation.lock", "notes.txt"});
  std::sort(expected.begin(), expected.end());
  EXPECT_EQ(names, expected);
  EXPECT_EQ(testsupport::ReadBytes(At("notes.txt")), "mine\n");
}

// A template that breaks off (token 99 does not exist) leaves the partial
// header a plain run leaves; a missing template leaves the old header.
TEST_F(RegenerationTest, BrokenTemplatePlacesItsPartialHeader) {
  Generate();
  const fs::path templates = scratch.Path() / "templates";
  fs::copy(TORVIO_TEMPLATES_DIR, templates);
  testsupport::WriteBytes(templates / "MC_Hall_prm.th", "/* head */\n//@@##TEID%99\n");
  data.PhaseShift.Value = 120; // the Hall header would change
  {
    Regeneration r(data, templates.string() + "/", Out());
    ASSERT_FALSE(r.Direct());
    const auto placed = r.Place();
    EXPECT_EQ(Outcome(placed, "MC_Hall_prm.h"), "updated");
    EXPECT_EQ(testsupport::ReadBytes(At("MC_Hall_prm.h")), "/* head */\n");
    EXPECT_EQ(Outcome(placed, "MC_Control_Param.h"), "unchanged");
  }

  const std::string whole = testsupport::ReadBytes(At("MC_encoder_param.h"));
  fs::remove(templates / "MC_encoder_param.th");
  data.PhaseShift.Value = 100;
  Regeneration missing(data, templates.string() + "/", Out());
  EXPECT_EQ(Outcome(missing.Place(), "MC_encoder_param.h"), "not produced");
  EXPECT_EQ(testsupport::ReadBytes(At("MC_encoder_param.h")), whole);
}

// A preview compares without writing anything into the folder, not even
// the lock, and is possible while another run holds it.
TEST_F(RegenerationTest, PreviewWritesNothing) {
  Generate();
  testsupport::WriteBytes(At("MC_Hall_prm.h"), "/* edited by hand */\n");
  fs::remove(At("MC_encoder_param.h"));
  fs::remove(At(torvio::kLockName));
  for (const char *name : torvio::kGeneratedFiles)
    if (fs::exists(At(name)))
      Age(name);
  data.OverTemperatureThreshold.Value = 70;
  Regeneration holder(data, TORVIO_TEMPLATES_DIR, Out());
  fs::remove(At(torvio::kLockName)); // the lock stays held through its open file
  Regeneration preview(data, TORVIO_TEMPLATES_DIR, Out(), torvio::RegenerationMode::Preview);
  EXPECT_FALSE(preview.Busy());
  EXPECT_EQ(preview.Differing(), (std::vector<std::string>{"MC_Control_Param.h", "MC_Hall_prm.h",
                                                           "MC_encoder_param.h", "BuildLog.xml"}));
  EXPECT_EQ(preview.ForeignChanges(), std::vector<std::string>{"MC_Hall_prm.h"});
  EXPECT_TRUE(preview.Place().empty());
  EXPECT_TRUE(Aged("MC_Control_Param.h"));
  EXPECT_FALSE(fs::exists(At("MC_encoder_param.h")));
  EXPECT_FALSE(fs::exists(At(torvio::kLockName)));
  // And of a folder that does not exist: everything would be created.
  Regeneration fresh(data, TORVIO_TEMPLATES_DIR, Out() + "none/",
                     torvio::RegenerationMode::Preview);
  EXPECT_EQ(fresh.Differing().size(), 10u);
  EXPECT_FALSE(fs::exists(At("none")));
}

// When a move over fails, the header on disk is still the whole old one.
TEST_F(RegenerationTest, FailedMoveKeepsTheOldHeaderWhole) {
  Generate();
  const std::string old = testsupport::ReadBytes(At("MC_Control_Param.h"));
  data.OverTemperatureThreshold.Value = 70;
  Regeneration r(data, TORVIO_TEMPLATES_DIR, Out());
  // Take the generated file away from under the run.
  for (const auto &entry : fs::directory_iterator(out))
    if (entry.path().filename().string().rfind(".torvio-generating-", 0) == 0)
      fs::remove(entry.path() / "MC_Control_Param.h");
  const auto placed = r.Place();
  EXPECT_EQ(Outcome(placed, "MC_Control_Param.h"), "not written (No such file or directory)");
  EXPECT_EQ(testsupport::ReadBytes(At("MC_Control_Param.h")), old);
  EXPECT_EQ(torvio::PlacementReport(placed).back().text,
            "Files: 0 updated, 0 created, 8 unchanged, 1 not written.");
}

// A folder that refuses writes gets a plain run, which fails every header
// and leaves the files there as they were.
TEST_F(RegenerationTest, UnwritableFolderKeepsItsFiles) {
  const std::string previous = "/* header of an earlier run */\n";
  testsupport::UnwritableFolder folder("MC_Hall_prm.h", previous);
  Regeneration r(data, TORVIO_TEMPLATES_DIR, folder.Prefix());
  EXPECT_TRUE(r.Direct()) << folder.Description();
  EXPECT_EQ(r.Generation().errors, 9);
  for (const auto &p : r.Place())
    EXPECT_FALSE(p.written) << p.name;
  EXPECT_EQ(testsupport::ReadBytes(folder.Existing("MC_Hall_prm.h")), previous);
}

// On a full disk every header reports its write failure; files that are
// not TORVIO's stay, and no private folder is left behind.
TEST_F(RegenerationTest, FullDiskReportsEveryHeader) {
  testsupport::FullDisk disk("keep.txt", "kept");
  const std::string folder = disk.Path().string() + "/";
  {
    Regeneration r(data, TORVIO_TEMPLATES_DIR, folder);
    EXPECT_EQ(r.Generation().errors, 9) << disk.Description();
    r.Place();
  }
  disk.Release();
  EXPECT_EQ(testsupport::ReadBytes(disk.Path() / "keep.txt"), "kept");
  for (const auto &entry : fs::directory_iterator(disk.Path()))
    EXPECT_NE(entry.path().filename().string().rfind(".torvio-generating-", 0), 0u);
}

// A folder that cannot hold the private one (missing) gets a plain run,
// with the failures a plain run reports.
TEST_F(RegenerationTest, MissingFolderRunsPlainly) {
  Regeneration r(data, TORVIO_TEMPLATES_DIR, Out() + "missing/");
  EXPECT_TRUE(r.Direct());
  EXPECT_EQ(r.Generation().errors, 9);
}

} // namespace
