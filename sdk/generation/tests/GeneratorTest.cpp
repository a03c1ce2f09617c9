#include "Generator.h"

#include "ExitCodes.h"
#include "HandDefaults.h"
#include "LogCapture.h"
#include "ScratchFolder.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <vector>
#if !defined(_WIN32)
#include <sys/stat.h>
#endif

namespace {

using namespace parvex;
using testdata::CapturedLines;
using testdata::LogLine;
using testsupport::ReadText;
using testsupport::WriteBytes;

const char *const kNames[] = {"MC_Control_Param",  "MC_PMSM_motor_param",     "MC_Hall_prm",
                              "MC_encoder_param",  "MC_State_Observer_param", "MC_pwm_1shunt_prm",
                              "MC_pwm_3shunt_prm", "MC_pwm_ics_prm",          "Garnetline_MCconf"};

class Generator : public testing::Test {
protected:
  void SetUp() override {
    CapturedLines().clear();
    data = testdata::HandDefaults();
  }

  void Run(const std::string &templatesDir, const std::string &outputDir) {
    const GenerateSourcesArgs args{templatesDir.c_str(), outputDir.c_str(), &testdata::CaptureLine};
    GenerateSources(data, args);
  }

  // The nine templates, each given text (empty by default).
  void WriteTemplates(const std::string &text = "") {
    for (const char *n : kNames)
      WriteBytes(templates.Path() / (std::string(n) + ".th"), text);
  }

  std::vector<LogLine> Head() const {
    return {{"Start include files creation", 0},
            {"Templates Dir : " + templates.Prefix(), 0},
            {"Output Dir : " + output.Prefix(), 0}};
  }

  UserData data{};
  testsupport::ScratchFolder templates;
  testsupport::ScratchFolder output;
};

TEST_F(Generator, CleanRunReportsEveryFile) {
  WriteTemplates("/* generated */\n//@@##TEID%2\n");
  Run(templates.Prefix(), output.Prefix());
  std::vector<LogLine> expected = Head();
  for (const char *n : kNames) {
    expected.push_back({std::string("Generating File : ") + n + ".h", 0});
    expected.push_back({"Exit code [0] -> No errors.", 0});
  }
  expected.push_back({"End include files creation. 0 Error(s) 0 Warning(s)", 0});
  EXPECT_EQ(CapturedLines(), expected);
  for (const char *n : kNames)
    EXPECT_EQ(ReadText(output.Path() / (std::string(n) + ".h")),
              "/* generated */\n#define TRISE_NS 2550\n");
}

TEST_F(Generator, EmptyTemplatesFolderFailsEveryFileButWritesTheLog) {
  Run(templates.Prefix(), output.Prefix());
  std::vector<LogLine> expected = Head();
  for (const char *n : kNames) {
    expected.push_back({std::string("Generating File : ") + n + ".h", 0});
    expected.push_back({"Exit code [2] -> Error : Template file (.th) not found.", 1});
  }
  expected.push_back({"End include files creation. 9 Error(s) 0 Warning(s)", 1});
  EXPECT_EQ(CapturedLines(), expected);
  EXPECT_FALSE(std::filesystem::exists(output.Path() / "MC_Control_Param.h"));
  const std::string log = ReadText(output.Path() / "BuildLog.xml");
  EXPECT_EQ(log.substr(0, 9), "<TORVIO >");
  EXPECT_EQ(log.substr(log.size() - 10), "</TORVIO>\n");
}

TEST_F(Generator, EmptyTemplateGivesEmptyHeader) {
  WriteTemplates();
  Run(templates.Prefix(), output.Prefix());
  EXPECT_EQ(CapturedLines().back(),
            (LogLine{"End include files creation. 0 Error(s) 0 Warning(s)", 0}));
  EXPECT_TRUE(std::filesystem::exists(output.Path() / "MC_pwm_ics_prm.h"));
  EXPECT_EQ(ReadText(output.Path() / "MC_pwm_ics_prm.h"), "");
}

TEST_F(Generator, TokenOutOfRangeStopsThatTemplateOnly) {
  WriteTemplates();
  WriteBytes(templates.Path() / "MC_Hall_prm.th", "first\nsecond\n//@@##TEID%95\nafter\n");
  Run(templates.Prefix(), output.Prefix());
  EXPECT_EQ(ReadText(output.Path() / "MC_Hall_prm.h"), "first\nsecond\n");
  const auto &lines = CapturedLines();
  ASSERT_EQ(lines.size(), 3u + 18 + 1);
  EXPECT_EQ(lines[3 + 2 * 2], (LogLine{"Generating File : MC_Hall_prm.h", 0}));
  EXPECT_EQ(lines[3 + 2 * 2 + 1], (LogLine{"Exit code [6] -> Error : Unknown template token.", 1}));
  EXPECT_EQ(lines[3 + 2 * 3 + 1], (LogLine{"Exit code [0] -> No errors.", 0}));
  EXPECT_EQ(lines.back(), (LogLine{"End include files creation. 1 Error(s) 0 Warning(s)", 1}));
}

TEST_F(Generator, FluxWeakeningWarningBetweenItsFileLines) {
  WriteTemplates();
  WriteBytes(templates.Path() / "Garnetline_MCconf.th", "//@@##TEID%67\n");
  Run(templates.Prefix(), output.Prefix());
  const auto &lines = CapturedLines();
  ASSERT_EQ(lines.size(), 3u + 18 + 2 + 1);
  EXPECT_EQ(lines[19], (LogLine{"Generating File : Garnetline_MCconf.h", 0}));
  EXPECT_EQ(lines[20].severity, 2);
  EXPECT_EQ(lines[21].severity, 2);
  EXPECT_EQ(lines[22], (LogLine{"Exit code [0] -> No errors.", 0}));
  EXPECT_EQ(lines[23], (LogLine{"End include files creation. 0 Error(s) 1 Warning(s)", 2}));
}

// One shunt at 32 kHz, 10 us rise and 3.5 us dead time: no index can be
// sampled, and the MAX_MODULATION definition's token brings one counted
// warning that names it. The header's bytes are those the index gives.
TEST_F(Generator, UnsampledSingleShuntWarnsAtTheModulationIndex) {
  data.ThreeShuntResistors = 0;
  data.SingleShuntResistor = 1;
  data.PWMFrequency.Value = 32000;
  data.Trise.Value = 10000;
  data.DeadTime.Value = 3500;
  data.MaximumAvailableModulationIndex.Value = 100;
  WriteTemplates();
  WriteBytes(templates.Path() / "MC_Control_Param.th", "//@@##TEID%6\n");
  Run(templates.Prefix(), output.Prefix());
  const auto &lines = CapturedLines();
  ASSERT_EQ(lines.size(), 3u + 18 + 1 + 1);
  EXPECT_EQ(lines[4].severity, 2);
  EXPECT_EQ(lines[4].text.rfind("Warning : MAX_MODULATION_100_PER_CENT: one shunt cannot be "
                                "sampled at any modulation index from 72 %",
                                0),
            0u)
      << lines[4].text;
  EXPECT_EQ(lines.back(), (LogLine{"End include files creation. 0 Error(s) 1 Warning(s)", 2}));
  EXPECT_EQ(ReadText(output.Path() / "MC_Control_Param.h"),
            "#define MAX_MODULATION_100_PER_CENT\n");
}

// Only a regular file is read as a template: a folder, a pipe (which would
// block) and a device that never ends (which would fill the disk) are
// refused with a line saying why, exit code 3, and no header. Pipes and
// device links in a folder are POSIX's; Windows has the folder.
TEST_F(Generator, TemplateThatIsNoRegularFileIsAReadFailure) {
  WriteTemplates();
  std::vector<std::string> refused{"MC_encoder_param"};
  std::filesystem::remove(templates.Path() / "MC_encoder_param.th");
  std::filesystem::create_directory(templates.Path() / "MC_encoder_param.th");
#if !defined(_WIN32)
  std::filesystem::remove(templates.Path() / "MC_Hall_prm.th");
  ASSERT_EQ(::mkfifo((templates.Path() / "MC_Hall_prm.th").c_str(), 0600), 0);
  std::filesystem::remove(templates.Path() / "MC_pwm_ics_prm.th");
  std::filesystem::create_symlink("/dev/zero", templates.Path() / "MC_pwm_ics_prm.th");
  refused.insert(refused.end(), {"MC_Hall_prm", "MC_pwm_ics_prm"});
#endif
  Run(templates.Prefix(), output.Prefix());
  const auto &lines = CapturedLines();
  const LogLine readFailed{"Exit code [3] -> Error : Template file reading failed (.th).", 1};
  for (const std::string &name : refused) {
    const std::string header = std::string("Generating File : ") + name + ".h";
    const auto at = std::find(lines.begin(), lines.end(), LogLine{header, 0});
    ASSERT_NE(at, lines.end()) << name;
    EXPECT_EQ(at[1], (LogLine{std::string("Error : ") + name +
                                  ".th is not a regular file (a folder, device or pipe), so it "
                                  "cannot be read as a template.",
                              1}));
    EXPECT_EQ(at[2], readFailed);
    EXPECT_FALSE(std::filesystem::exists(output.Path() / (std::string(name) + ".h"))) << name;
  }
  EXPECT_EQ(lines.back(), (LogLine{"End include files creation. " + std::to_string(refused.size()) +
                                       " Error(s) 0 Warning(s)",
                                   1}));
}

// The UTF-8 bytes of a path, whatever the system's own encoding of it.
std::string Utf8(const std::filesystem::path &p) {
  const std::u8string text = p.u8string();
  return std::string(text.begin(), text.end());
}

// Folder names beyond ASCII reach the file system intact: as their bytes on
// POSIX, in UTF-16 on Windows, whose narrow C functions would read them in
// the ANSI code page and miss the folder.
TEST_F(Generator, FolderNamesBeyondAsciiAreKept) {
  const std::filesystem::path in = templates.Path() / u8"Vorlagen \u00e4\u00f6\u00fc \u20ac";
  const std::filesystem::path out = output.Path() / u8"Ausgabe \u00b5 \u65e5\u672c";
  std::filesystem::create_directory(in);
  std::filesystem::create_directory(out);
  for (const char *n : kNames)
    WriteBytes(in / (std::string(n) + ".th"), std::string(n) + "\n");
  Run(Utf8(in) + "/", Utf8(out) + "/");
  EXPECT_EQ(CapturedLines().back(),
            (LogLine{"End include files creation. 0 Error(s) 0 Warning(s)", 0}));
  for (const char *n : kNames)
    EXPECT_EQ(ReadText(out / (std::string(n) + ".h")), std::string(n) + "\n") << n;
  EXPECT_NE(ReadText(out / "BuildLog.xml").find("<BuildLogFile >" + Utf8(out) + "/BuildLog.xml<"),
            std::string::npos);
}

TEST_F(Generator, MissingOutputFolderFailsHeaderCreation) {
  WriteTemplates();
  const std::string missing = output.Prefix() + "no/such/";
  Run(templates.Prefix(), missing);
  const auto &lines = CapturedLines();
  EXPECT_EQ(lines[4], (LogLine{"Exit code [4] -> Error : Header file creation failed (.h).", 1}));
  EXPECT_EQ(lines.back(), (LogLine{"End include files creation. 9 Error(s) 0 Warning(s)", 1}));
}

TEST_F(Generator, OverlongPathsAreRefusedNotTruncated) {
  WriteTemplates();
  const std::string longDir = templates.Prefix() + std::string(5000, 'd') + "/";
  Run(longDir, output.Prefix());
  EXPECT_EQ(CapturedLines()[4],
            (LogLine{"Exit code [2] -> Error : Template file (.th) not found.", 1}));
  CapturedLines().clear();
  Run(templates.Prefix(), output.Prefix() + std::string(5000, 'o') + "/");
  EXPECT_EQ(CapturedLines()[4],
            (LogLine{"Exit code [4] -> Error : Header file creation failed (.h).", 1}));
}

// A device that refuses every write: the text is buffered and the failure
// shows when the header is closed, which must not pass as success.
TEST_F(Generator, RefusedHeaderWriteIsAWriteFailure) {
#if defined(_WIN32)
  GTEST_SKIP() << "a device that refuses every write (/dev/full) is POSIX's";
#endif
  if (!std::filesystem::exists("/dev/full"))
    GTEST_SKIP() << "no /dev/full";
  WriteTemplates("//@@##TEID%2\n");
  std::filesystem::create_symlink("/dev/full", output.Path() / "MC_Control_Param.h");
  Run(templates.Prefix(), output.Prefix());
  EXPECT_EQ(CapturedLines()[4],
            (LogLine{"Exit code [5] -> Error : Header file writing failed (.h).", 1}));
  EXPECT_EQ(CapturedLines()[6], (LogLine{"Exit code [0] -> No errors.", 0}));
  EXPECT_EQ(CapturedLines().back(),
            (LogLine{"End include files creation. 1 Error(s) 0 Warning(s)", 1}));
}

TEST_F(Generator, FolderWithoutSeparatorIsAPlainPrefix) {
  WriteTemplates("x\n");
  Run(templates.Prefix(), output.Prefix() + "pre");
  EXPECT_EQ(ReadText(output.Path() / "preMC_Control_Param.h"), "x\n");
  EXPECT_TRUE(std::filesystem::exists(output.Path() / "preBuildLog.xml"));
}

TEST_F(Generator, LongLinesArriveInPieces) {
  WriteTemplates();
  const std::string longLine = std::string(3000, 'a') + "\n";
  // The prefix ends exactly at the end of a 1023-byte piece: its number is
  // in the next piece, so the piece selects the banner and the digits are
  // copied as a line of their own.
  const std::string splitDigits = std::string(1012, 'b') + "//@@##TEID%33\n";
  // The prefix itself split across two pieces is copied unchanged.
  const std::string splitPrefix = std::string(1020, 'c') + "//@@##TEID%33\n";
  WriteBytes(templates.Path() / "MC_Control_Param.th", longLine + splitDigits + splitPrefix);
  Run(templates.Prefix(), output.Prefix());
  const std::string header = ReadText(output.Path() / "MC_Control_Param.h");
  ASSERT_EQ(header.size(), longLine.size() + 25 + 3 + splitPrefix.size());
  EXPECT_EQ(header.substr(0, longLine.size()), longLine);
  EXPECT_EQ(header.substr(longLine.size() + 25), "33\n" + splitPrefix);
}

TEST_F(Generator, NulBytesAreCopied) {
  WriteTemplates();
  const std::string text("a\0b\n\0\0\n//@@##TEID%2\0\n", 19);
  WriteBytes(templates.Path() / "MC_Control_Param.th", text);
  Run(templates.Prefix(), output.Prefix());
  EXPECT_EQ(ReadText(output.Path() / "MC_Control_Param.h"),
            std::string("a\0b\n\0\0\n#define TRISE_NS 2550\n", 29));
}

TEST_F(Generator, NullCallbackStillWritesEverything) {
  WriteTemplates("//@@##TEID%67\n");
  const std::string t = templates.Prefix();
  const std::string o = output.Prefix();
  GenerateSources(data, GenerateSourcesArgs{t.c_str(), o.c_str(), nullptr});
  EXPECT_EQ(ReadText(output.Path() / "MC_pwm_ics_prm.h"), "#define FLUX_WEAKENING\n");
  EXPECT_TRUE(std::filesystem::exists(output.Path() / "BuildLog.xml"));
  EXPECT_TRUE(CapturedLines().empty());
}

TEST_F(Generator, OutOfRangeIndexIsUnknownTemplate) {
  GenerationContext ctx;
  const std::string t = templates.Prefix();
  const GenerateSourcesArgs args{t.c_str(), t.c_str(), nullptr};
  ctx.report = &testdata::CaptureReport;
  EXPECT_EQ(GenerateHeaderFile(ctx, args, data, 9), 1);
  EXPECT_EQ(GenerateHeaderFile(ctx, args, data, -1), 1);
  EXPECT_EQ(CapturedLines().back(),
            (LogLine{"Exit code [1] -> Error : Unknown template file.", 1}));
}

TEST(ExitCodeText, EveryCode) {
  const char *const expected[] = {"No errors.",
                                  "Error : Unknown template file.",
                                  "Error : Template file (.th) not found.",
                                  "Error : Template file reading failed (.th).",
                                  "Error : Header file creation failed (.h).",
                                  "Error : Header file writing failed (.h).",
                                  "Error : Unknown template token.",
                                  "Error : Invalid input parameters (FOC user data).",
                                  "Error : Out of memory."};
  for (int code = 0; code <= 8; ++code)
    EXPECT_STREQ(ExitCodeText(code), expected[code]);
  for (int code : {9, -1, 1000})
    EXPECT_STREQ(ExitCodeText(code), "Error : Unknown error. PARVEX.DLL internal error (bug).");
}

} // namespace

namespace {

// The structured result tells the same run as the lines: each header with
// its outcome, the counts, and whether the build log was written.
TEST_F(Generator, ResultAsData) {
  WriteTemplates("//@@##TEID%2\n");
  WriteBytes(templates.Path() / "MC_Hall_prm.th", "//@@##TEID%95\n"); // no such token: 6
  std::filesystem::remove(templates.Path() / "MC_pwm_ics_prm.th");    // not found: 2
  const GenerationResult r = Generate(data, templates.Prefix(), output.Prefix());
  ASSERT_EQ(r.headers.size(), 9u);
  for (std::size_t i = 0; i < 9; ++i)
    EXPECT_EQ(r.headers[i].name, std::string(kNames[i]) + ".h");
  EXPECT_EQ(r.headers[0].exitCode, 0);
  EXPECT_TRUE(r.headers[0].created);
  EXPECT_EQ(r.headers[2].exitCode, 6);
  EXPECT_TRUE(r.headers[2].created); // left as the run stopped it
  EXPECT_EQ(r.headers[7].exitCode, 2);
  EXPECT_FALSE(r.headers[7].created);
  EXPECT_EQ(r.errors, 2);
  EXPECT_EQ(r.warnings, 0);
  EXPECT_TRUE(r.buildLogWritten);

  // The C run reports the very same lines.
  Run(templates.Prefix(), output.Prefix());
  ASSERT_EQ(CapturedLines().size(), r.lines.size());
  for (std::size_t i = 0; i < r.lines.size(); ++i) {
    EXPECT_EQ(CapturedLines()[i].text, r.lines[i].text);
    EXPECT_EQ(CapturedLines()[i].severity, static_cast<int>(r.lines[i].severity));
  }
  EXPECT_EQ(r.lines.back().text, "End include files creation. 2 Error(s) 0 Warning(s)");
  EXPECT_EQ(r.lines.back().severity, Severity::Error);
}

TEST_F(Generator, ResultWithoutAnOutputFolder) {
  WriteTemplates("x\n");
  const GenerationResult r = Generate(data, templates.Prefix(), output.Prefix() + "missing/");
  EXPECT_FALSE(r.buildLogWritten);
  for (const GeneratedHeader &h : r.headers) {
    EXPECT_EQ(h.exitCode, 4);
    EXPECT_FALSE(h.created);
  }
}

} // namespace
