// Generation under hostile conditions: folders that refuse writes or vanish
// during the run, huge lines, NUL bytes and thousands of tokens. Each run
// must end normally, say clearly what failed, and leave other data alone.
#include "Generator.h"

#include "FullDisk.h"
#include "HandDefaults.h"
#include "LogCapture.h"
#include "ScratchFolder.h"
#include "UnwritableFolder.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <string>

namespace {

using namespace parvex;
using testdata::CapturedLines;
using testdata::LogLine;
using testsupport::ReadBytes;
using testsupport::ReadText;
using testsupport::WriteBytes;

const char *const kNames[] = {"MC_Control_Param",  "MC_PMSM_motor_param",     "MC_Hall_prm",
                              "MC_encoder_param",  "MC_State_Observer_param", "MC_pwm_1shunt_prm",
                              "MC_pwm_3shunt_prm", "MC_pwm_ics_prm",          "Garnetline_MCconf"};

const LogLine kCreateFailed{"Exit code [4] -> Error : Header file creation failed (.h).", 1};
const LogLine kNoErrors{"Exit code [0] -> No errors.", 0};

class HostileGeneration : public testing::Test {
protected:
  void SetUp() override {
    CapturedLines().clear();
    data = testdata::HandDefaults();
    for (const char *n : kNames)
      WriteBytes(templates.Path() / (std::string(n) + ".th"), "/* copied */\n");
  }

  void Run(const std::string &outputDir, LogCallback callback = &testdata::CaptureLine) {
    const std::string templatesDir = templates.Prefix();
    const GenerateSourcesArgs args{templatesDir.c_str(), outputDir.c_str(), callback};
    GenerateSources(data, args);
  }

  // The exit-code line of template `index` in a run with no warnings.
  static const LogLine &ExitLine(int index) { return CapturedLines().at(3 + 2 * index + 1); }

  UserData data{};
  testsupport::ScratchFolder templates;
  testsupport::ScratchFolder output;
};

TEST_F(HostileGeneration, UnwritableOutputFolderFailsEveryHeaderAndKeepsItsFiles) {
  const std::string previous = "/* header of an earlier run */\n";
  testsupport::UnwritableFolder folder("MC_Hall_prm.h", previous);
  RecordProperty("folder", folder.Description());
  Run(folder.Prefix());
  for (int i = 0; i < 9; ++i)
    EXPECT_EQ(ExitLine(i), kCreateFailed) << kNames[i];
  EXPECT_EQ(CapturedLines().back(),
            (LogLine{"End include files creation. 9 Error(s) 0 Warning(s)", 1}));
  EXPECT_EQ(ReadBytes(folder.Existing("MC_Hall_prm.h")), previous);
  EXPECT_FALSE(std::filesystem::exists(folder.Path() / "BuildLog.xml"));
}

TEST_F(HostileGeneration, OutputPathThroughARegularFileFailsEveryHeader) {
  WriteBytes(output.Path() / "plain", "keep");
  Run(output.Prefix() + "plain/");
  for (int i = 0; i < 9; ++i)
    EXPECT_EQ(ExitLine(i), kCreateFailed) << kNames[i];
  EXPECT_EQ(ReadBytes(output.Path() / "plain"), "keep");
}

class FullOutputDisk : public HostileGeneration,
                       public testing::WithParamInterface<testsupport::FullDisk::Kind> {};

TEST_P(FullOutputDisk, EveryHeaderReportsItsWriteFailure) {
  if (!testsupport::FullDisk::Possible())
    GTEST_SKIP() << testsupport::FullDisk::WhyNot();
  const std::string text(20000, 'h');
  for (const char *n : kNames)
    WriteBytes(templates.Path() / (std::string(n) + ".th"), text);
  testsupport::FullDisk disk("keep.txt", "kept", GetParam());
  RecordProperty("disk", disk.Description());
  Run(disk.Path().string() + "/");
  disk.Release();
  for (int i = 0; i < 9; ++i)
    EXPECT_EQ(ExitLine(i),
              (LogLine{"Exit code [5] -> Error : Header file writing failed (.h).", 1}))
        << kNames[i];
  EXPECT_EQ(CapturedLines().back(),
            (LogLine{"End include files creation. 9 Error(s) 0 Warning(s)", 1}));
  EXPECT_EQ(ReadBytes(disk.Path() / "keep.txt"), "kept");
}

INSTANTIATE_TEST_SUITE_P(Kinds, FullOutputDisk,
                         testing::Values(testsupport::FullDisk::Kind::FullTmpfs,
                                         testsupport::FullDisk::Kind::FileSizeLimit),
                         [](const testing::TestParamInfo<testsupport::FullDisk::Kind> &info) {
                           return info.param == testsupport::FullDisk::Kind::FullTmpfs
                                      ? "FullTmpfs"
                                      : "FileSizeLimit";
                         });

// The log callback takes the output folder away as soon as the third header
// is announced.
std::filesystem::path gVanishing;
void RemoveFolderOnThirdFile(const char *text, int severity) {
  testdata::CaptureLine(text, severity);
  if (std::string(text) == "Generating File : MC_Hall_prm.h")
    std::filesystem::remove_all(gVanishing);
}

TEST_F(HostileGeneration, OutputFolderVanishingMidRunFailsTheRemainingHeaders) {
#if defined(_WIN32)
  GTEST_SKIP() << "Windows removes no folder while a file in it is open (the build log is)";
#endif
  gVanishing = output.Path() / "vanishing";
  std::filesystem::create_directory(gVanishing);
  Run(gVanishing.string() + "/", &RemoveFolderOnThirdFile);
  EXPECT_EQ(ExitLine(0), kNoErrors);
  EXPECT_EQ(ExitLine(1), kNoErrors);
  for (int i = 2; i < 9; ++i)
    EXPECT_EQ(ExitLine(i), kCreateFailed) << kNames[i];
  EXPECT_EQ(CapturedLines().back(),
            (LogLine{"End include files creation. 7 Error(s) 0 Warning(s)", 1}));
  EXPECT_FALSE(std::filesystem::exists(gVanishing));
}

TEST_F(HostileGeneration, HugeLinesAndNulBytesAreCopiedByteForByte) {
  const std::string huge(100000, 'x');
  using namespace std::string_literals;
  const std::string text = "head\n" + huge + "\n" + "a\0b\0\n"s + "\0\0\0"s + huge + "\0end"s;
  WriteBytes(templates.Path() / "MC_Control_Param.th", text);
  Run(output.Prefix());
  EXPECT_EQ(ExitLine(0), kNoErrors);
  EXPECT_EQ(ReadText(output.Path() / "MC_Control_Param.h"), text);
}

TEST_F(HostileGeneration, TokenAtTheStartOfAHugeLineReplacesOnlyItsFirstPiece) {
  // Lines arrive in pieces of 1023 bytes; the token's piece is replaced by
  // its block and the rest of the line is copied as lines of their own.
  using namespace std::string_literals;
  const std::string rest(100000, 'y');
  const std::string line = "//@@##TEID%2\0"s + rest + "\n";
  WriteBytes(templates.Path() / "MC_Control_Param.th", line);
  Run(output.Prefix());
  EXPECT_EQ(ExitLine(0), kNoErrors);
  EXPECT_EQ(ReadText(output.Path() / "MC_Control_Param.h"),
            "#define TRISE_NS 2550\n" + line.substr(1023));
}

TEST_F(HostileGeneration, NulBytesAroundATokenKeepTheTokenAndItsNumber) {
  using namespace std::string_literals;
  WriteBytes(templates.Path() / "MC_Control_Param.th", "\0//@@##TEID%2\0tail\n"s);
  Run(output.Prefix());
  EXPECT_EQ(ExitLine(0), kNoErrors);
  EXPECT_EQ(ReadText(output.Path() / "MC_Control_Param.h"), "#define TRISE_NS 2550\n");
}

TEST_F(HostileGeneration, TenThousandTokenLinesEachWriteTheirBlockAndWarning) {
  data.FluxWeakening = 1;
  std::string text;
  for (int i = 0; i < 10000; ++i)
    text += "//@@##TEID%67\n";
  WriteBytes(templates.Path() / "Garnetline_MCconf.th", text);
  Run(output.Prefix());
  std::string expected;
  for (int i = 0; i < 10000; ++i)
    expected += "#define FLUX_WEAKENING\n";
  EXPECT_EQ(ReadText(output.Path() / "Garnetline_MCconf.h"), expected);
  const auto &lines = CapturedLines();
  ASSERT_EQ(lines.size(), 3u + 18 + 2 * 10000 + 1);
  EXPECT_EQ(lines[3 + 2 * 8 + 1].severity, 2);
  EXPECT_EQ(lines[lines.size() - 2], kNoErrors);
  EXPECT_EQ(lines.back(), (LogLine{"End include files creation. 0 Error(s) 10000 Warning(s)", 2}));
}

TEST_F(HostileGeneration, TenThousandBadTokenLinesStopAtTheFirst) {
  std::string text = "kept\n";
  for (int i = 0; i < 10000; ++i)
    text += "//@@##TEID%" + std::to_string(95 + i) + "\n";
  WriteBytes(templates.Path() / "MC_Hall_prm.th", text);
  Run(output.Prefix());
  EXPECT_EQ(ExitLine(2), (LogLine{"Exit code [6] -> Error : Unknown template token.", 1}));
  EXPECT_EQ(ReadText(output.Path() / "MC_Hall_prm.h"), "kept\n");
  EXPECT_EQ(ExitLine(3), kNoErrors);
}

} // namespace
