// The project as JSON: .tvd -> JSON -> .tvd keeps every byte, the text is
// sorted with one setting per line, and an import takes only a complete,
// well-typed project whose values a page could have entered.
#include "ProjectJson.h"
#include "DefaultRecord.h"
#include "ScriptedEdit.h"
#include "parvex/Model.h"
#include "parvex/Parameters.h"

#include "ScratchFolder.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <functional>
#include <limits>
#include <sstream>

namespace torvio::scripting {
namespace {

UserData Defaults() {
  return testsupport::DefaultRecord();
}

// The default record after one consistency check: what the program saves
// after any edit that runs it (the defaults themselves differ in Ld's max).
UserData Consistent() {
  UserData d = Defaults();
  parvex::CheckConsistency(d);
  return d;
}

std::vector<std::string> Lines(const std::string &text) {
  std::vector<std::string> lines;
  std::istringstream in(text);
  for (std::string line; std::getline(in, line);)
    lines.push_back(line);
  return lines;
}

std::string Exported(const UserData &d, const std::string &folder = "") {
  const torvio::Result<std::string> json = ExportProjectJson(d, folder);
  EXPECT_TRUE(json.ok()) << json.error();
  return json.ok() ? *json : "";
}

// The .tvd bytes after the trip through JSON.
std::vector<std::uint8_t> ThroughJson(const std::vector<std::uint8_t> &tvd) {
  ProjectContents loaded;
  EXPECT_EQ(DecodeProject(tvd.data(), tvd.size(), loaded), ProjectReadStatus::Ok);
  const JsonProject imported = ImportProjectJson(Exported(loaded.data, loaded.outputDir));
  EXPECT_TRUE(imported.project) << (imported.errors.empty() ? "" : imported.errors.front());
  if (!imported.project)
    return {};
  return EncodeProject(imported.project->data, imported.project->outputDir);
}

TEST(ProjectJson, RoundTripKeepsEveryByte) {
  struct Case {
    const char *label;
    std::function<void(UserData &)> change;
    std::string folder;
  };
  const Case cases[] = {
      {"defaults", [](UserData &) {}, ""},
      {"edited",
       [](UserData &d) {
         ASSERT_TRUE(
             ApplyAssignments(d, {"CONFIGURATION/SPEEDFEEDBACK/HallSensors=TRUE",
                                  "MOTORANDHW/MOTORCHARACTERISTICS/R=0.123456789",
                                  "MOTORANDHW/MOTORCHARACTERISTICS/PolePairs=7",
                                  "SPEEDFEEDBACK/APRIORICOMPUTEDGAINS/GainsComputation=FALSE",
                                  "SPEEDFEEDBACK/APRIORICOMPUTEDGAINS/K1=-123"})
                 .ok());
       },
       "/home/user/motor 1/out/"},
      {"reserved bytes",
       [](UserData &d) {
         d.reserved44[0] = 0xAB;
         d.reserved1988[3] = 0x01;
       },
       ""},
      {"a real JSON numbers cannot hold", [](UserData &d) { d.SpeedRegulationControlRate = -0.0; },
       ""},
      {"unicode folder", [](UserData &) {}, "/tmp/\xc3\xa9t\xc3\xa9 \"x\"\\y/"},
  };
  for (const Case &c : cases) {
    SCOPED_TRACE(c.label);
    UserData d = Consistent();
    c.change(d);
    const auto tvd = EncodeProject(d, c.folder);
    EXPECT_EQ(ThroughJson(tvd), tvd);
  }
}

TEST(ProjectJson, TextIsSortedWithOneSettingPerLine) {
  const std::string text = Exported(Defaults(), "/out/");
  const auto lines = Lines(text);
  ASSERT_GE(lines.size(), 7u);
  EXPECT_EQ(lines[0], "{");
  EXPECT_EQ(lines[1], "  \"format\": \"TORVIO project\",");
  EXPECT_EQ(lines[2], "  \"version\": 1,");
  EXPECT_EQ(lines[3], "  \"outputFolder\": \"/out/\",");
  EXPECT_EQ(lines[4], "  \"settings\": {");
  EXPECT_EQ(lines[lines.size() - 2], "  }");
  EXPECT_EQ(lines.back(), "}");
  const std::vector<std::string> settings(lines.begin() + 5, lines.end() - 2);
  EXPECT_EQ(settings.size(), parvex::Parameters().size());
  EXPECT_TRUE(std::is_sorted(settings.begin(), settings.end()));
  const auto has = [&settings](const std::string &line) {
    return std::find(settings.begin(), settings.end(), line) != settings.end();
  };
  EXPECT_TRUE(has("    \"MOTORANDHW/MOTORCHARACTERISTICS/R\": "
                  "{\"decimals\":2,\"max\":150,\"min\":0.01,\"value\":0.35},"));
  EXPECT_TRUE(has("    \"CONFIGURATION/SPEEDFEEDBACK/NoSpeedSensors\": {\"value\":true},"));
  EXPECT_TRUE(has("    \"MOTORANDHW/MOTORCHARACTERISTICS/RatedCurrent\": "
                  "{\"decimals\":2,\"max\":2.9182879377431905,\"min\":0.05,\"value\":2},"));
  // The same project gives the same text.
  EXPECT_EQ(Exported(Defaults(), "/out/"), text);
}

TEST(ProjectJson, AFolderThatIsNoTextIsNotExported) {
  const torvio::Result<std::string> json = ExportProjectJson(Defaults(), "/tmp/\xff\xfe/");
  EXPECT_FALSE(json.ok());
  EXPECT_EQ(json.error(), "The output folder is not UTF-8 text, which JSON cannot hold exactly.");
}

std::string Replaced(std::string text, const std::string &from, const std::string &to) {
  const auto at = text.find(from);
  EXPECT_NE(at, std::string::npos) << from;
  if (at != std::string::npos)
    text.replace(at, from.size(), to);
  return text;
}

TEST(ProjectJson, ImportRejectsWithThePathAndTheReason) {
  const std::string good = Exported(Defaults());
  const std::string r = "\"MOTORANDHW/MOTORCHARACTERISTICS/R\": ";
  const std::string rValue = "{\"decimals\":2,\"max\":150,\"min\":0.01,\"value\":0.35}";
  struct Case {
    const char *label;
    std::string text;
    std::vector<std::string> errors;
  };
  const Case cases[] = {
      {"unknown path",
       Replaced(good, r, "\"MOTORANDHW/MOTORCHARACTERISTICS/Rs\": "),
       {"MOTORANDHW/MOTORCHARACTERISTICS/Rs: unknown setting (nearest: "
        "MOTORANDHW/MOTORCHARACTERISTICS/R)",
        "MOTORANDHW/MOTORCHARACTERISTICS/R: missing"}},
      {"a limit as a path",
       Replaced(good, r + rValue + ",",
                r + rValue + ",\n    \"MOTORANDHW/MOTORCHARACTERISTICS/R (max)\": {\"value\":1},"),
       {"MOTORANDHW/MOTORCHARACTERISTICS/R (max): unknown setting"}},
      {"missing setting",
       Replaced(good, "    " + r + rValue + ",\n", ""),
       {"MOTORANDHW/MOTORCHARACTERISTICS/R: missing"}},
      {"string value",
       Replaced(good, "\"value\":0.35}", "\"value\":\"0.35\"}"),
       {"MOTORANDHW/MOTORCHARACTERISTICS/R: \"value\" must be a number (or \"nan\", \"inf\", "
        "\"-inf\", \"-0\")"}},
      {"fraction in an integer",
       Replaced(good, "{\"decimals\":0,\"max\":100,\"min\":1,\"value\":2}",
                "{\"decimals\":0,\"max\":100,\"min\":1,\"value\":2.5}"),
       {"MOTORANDHW/MOTORCHARACTERISTICS/PolePairs: \"value\" must be an integer from 0 to "
        "4294967295"}},
      {"negative integer",
       Replaced(good, "\"min\":1,\"value\":2}", "\"min\":-1,\"value\":2}"),
       {"MOTORANDHW/MOTORCHARACTERISTICS/PolePairs: \"min\" must be an integer from 0 to "
        "4294967295"}},
      {"flag as text",
       Replaced(good, "NoSpeedSensors\": {\"value\":true}",
                "NoSpeedSensors\": {\"value\":\"TRUE\"}"),
       {"CONFIGURATION/SPEEDFEEDBACK/NoSpeedSensors: \"value\" must be true, false or an integer "
        "from 0 to 4294967295"}},
      {"missing part",
       Replaced(good, rValue, "{\"decimals\":2,\"max\":150,\"value\":0.35}"),
       {"MOTORANDHW/MOTORCHARACTERISTICS/R: missing \"min\""}},
      {"unknown part",
       Replaced(good, rValue,
                "{\"decimals\":2,\"max\":150,\"min\":0.01,\"unit\":1,\"value\":0.35}"),
       {"MOTORANDHW/MOTORCHARACTERISTICS/R: unknown part \"unit\""}},
      {"not an object",
       Replaced(good, rValue, "0.35"),
       {"MOTORANDHW/MOTORCHARACTERISTICS/R: not an object of the setting's parts"}},
      {"outside its limits",
       Replaced(good, "\"value\":0.35}", "\"value\":151}"),
       {"MOTORANDHW/MOTORCHARACTERISTICS/R: 151 is outside 0.01..150"}},
      // Limits are the program's: one widened to let a value in is refused,
      // and the value is judged by the program's limit.
      {"widened limit",
       Replaced(good, rValue, "{\"decimals\":2,\"max\":150,\"min\":-1,\"value\":-0.5}"),
       {"MOTORANDHW/MOTORCHARACTERISTICS/R (min): -1 is not the limit TORVIO gives this setting "
        "(0.01)",
        "MOTORANDHW/MOTORCHARACTERISTICS/R: -0.5 is outside 0.01..150"}},
      {"zero pole pairs",
       Replaced(good, "{\"decimals\":0,\"max\":100,\"min\":1,\"value\":2}",
                "{\"decimals\":0,\"max\":100,\"min\":0,\"value\":0}"),
       {"MOTORANDHW/MOTORCHARACTERISTICS/PolePairs (min): 0 is not the limit TORVIO gives this "
        "setting (1)",
        "MOTORANDHW/MOTORCHARACTERISTICS/PolePairs: 0 is outside 1..100"}},
      {"decimals no number",
       Replaced(good, rValue, "{\"decimals\":\"inf\",\"max\":150,\"min\":0.01,\"value\":0.35}"),
       {"MOTORANDHW/MOTORCHARACTERISTICS/R (decimals): inf is not the limit TORVIO gives this "
        "setting (2)"}},
      {"flag of two",
       Replaced(good, "NoSpeedSensors\": {\"value\":true}", "NoSpeedSensors\": {\"value\":2}"),
       {"CONFIGURATION/SPEEDFEEDBACK/NoSpeedSensors: 2 is no flag value (0 or 1)"}},
      {"unknown entry",
       Replaced(good, "  \"version\": 1,\n", "  \"version\": 1,\n  \"x\": 0,\n"),
       {"\"x\": unknown entry"}},
      {"folder not a string",
       Replaced(good, "\"outputFolder\": \"\"", "\"outputFolder\": null"),
       {"\"outputFolder\" must be a string (empty for none)"}},
      {"bad reserved",
       Replaced(good, "  \"version\": 1,\n", "  \"version\": 1,\n  \"reserved\": \"00\",\n"),
       {"\"reserved\" must be 32 hexadecimal digits"}},
      {"not JSON", good.substr(0, 100), {}},
      {"no object", "[1, 2]", {"not a TORVIO project: the JSON is no object"}},
      {"other format",
       Replaced(good, "TORVIO project", "TORVIO projekt"),
       {"not a TORVIO project: \"format\" is not \"TORVIO project\""}},
      {"newer version",
       Replaced(good, "\"version\": 1", "\"version\": 2"),
       {"format version 2 was written by a newer TORVIO, whose settings this one may not know; "
        "this TORVIO reads version 1"}},
      {"older version",
       Replaced(good, "\"version\": 1", "\"version\": 0"),
       {"format version 0 was never written by TORVIO (version 1 is the first); this TORVIO reads "
        "version 1"}},
      {"version as text",
       Replaced(good, "\"version\": 1", "\"version\": \"1\""),
       {"\"version\" must be the format version, an integer; this TORVIO reads version 1"}},
  };
  for (const Case &c : cases) {
    SCOPED_TRACE(c.label);
    const JsonProject imported = ImportProjectJson(c.text);
    EXPECT_FALSE(imported.project);
    if (c.errors.empty()) {
      ASSERT_EQ(imported.errors.size(), 1u);
      EXPECT_EQ(imported.errors[0].rfind("not JSON: ", 0), 0u) << imported.errors[0];
    } else {
      EXPECT_EQ(imported.errors, c.errors);
    }
  }
}

// An import is an edit: what follows the imported values is recomputed as
// after typing them, and each change is named. R 0.35 -> 1.5 Ohm with the
// default network (A = 22 x 0.22 x 2.57 V^2/A) and wc 6000 rad/s: the
// integral base is 1.5 x 6000 x 3.3 / (A x 14400) = 0.16581, which is
// 2716 over 16384 (2716.7 truncated); it was 633.
TEST(ProjectJson, AnImportRecomputesWhatFollowsItsValues) {
  const std::string edited = Replaced(Exported(Consistent()), "\"min\":0.01,\"value\":0.35}",
                                      "\"min\":0.01,\"value\":1.5}");
  const JsonProject imported = ImportProjectJson(edited);
  ASSERT_TRUE(imported.project) << imported.errors.front();
  EXPECT_EQ(imported.project->data.R.Value, 1.5);
  EXPECT_EQ(imported.project->data.TorqueIDividend.Value, 2716u);
  EXPECT_EQ(imported.project->data.FluxIDividend.Value, 2716u);
  const auto has = [&](const std::string &line) {
    return std::find(imported.recomputed.begin(), imported.recomputed.end(), line) !=
           imported.recomputed.end();
  };
  EXPECT_TRUE(has("CONTROLSETTINGS/TORQUEANDFLUXCONTROLLER/TORQUE/TorqueIDividend: 633 -> 2716"));
  EXPECT_TRUE(has("CONTROLSETTINGS/TORQUEANDFLUXCONTROLLER/FLUX/FluxIDividend: 633 -> 2716"));
  EXPECT_FALSE(has("MOTORANDHW/MOTORCHARACTERISTICS/R: 0.35 -> 1.50"));

  // The defaults as they are, never checked: the check's one change is Ld's
  // maximum, which follows Lq.
  const JsonProject defaults = ImportProjectJson(Exported(Defaults()));
  ASSERT_TRUE(defaults.project);
  EXPECT_EQ(defaults.recomputed,
            std::vector<std::string>{"MOTORANDHW/MOTORCHARACTERISTICS/Ld (max): 500.00 -> 0.60"});
}

TEST(ProjectJson, FilesAreWrittenWholeAndReadOnlyFromRegularFiles) {
  testsupport::ScratchFolder scratch;
  const std::string path = (scratch.Path() / "p.json").string();
  // The mechanics travel with the project.
  const parvex::Mechanics mechanics{2e-5, 1e-6, 0.01};
  const torvio::Status written = WriteProjectJson(path, Defaults(), "/o/", mechanics);
  ASSERT_TRUE(written.ok()) << written.error();
  const JsonProject read = ReadProjectJson(path);
  ASSERT_TRUE(read.project);
  EXPECT_EQ(read.project->outputDir, "/o/");
  ASSERT_TRUE(read.project->mechanics);
  EXPECT_EQ(read.project->mechanics->inertia, 2e-5);
  EXPECT_EQ(read.project->mechanics->friction, 1e-6);
  EXPECT_EQ(read.project->mechanics->loadTorque, 0.01);
  EXPECT_EQ(
      ReadProjectJson(scratch.Path().string()).errors,
      std::vector<std::string>{"not a regular file: a folder, device or pipe holds no project"});
  // A folder where the file should go is not replaced.
  EXPECT_FALSE(WriteProjectJson(scratch.Path().string(), Defaults(), "", std::nullopt).ok());
}

} // namespace
} // namespace torvio::scripting
