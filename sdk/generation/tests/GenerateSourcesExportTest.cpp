// PARVEX_GenerateSources as callers see it: through the shared library.
#include "parvex.h"

#include "HandDefaults.h"
#include "LogCapture.h"
#include "ScratchFolder.h"

#include <gtest/gtest.h>

#include <regex>

namespace {

using testdata::CapturedLines;
using testdata::LogLine;

const char *const kNames[] = {"MC_Control_Param",  "MC_PMSM_motor_param",     "MC_Hall_prm",
                              "MC_encoder_param",  "MC_State_Observer_param", "MC_pwm_1shunt_prm",
                              "MC_pwm_3shunt_prm", "MC_pwm_ics_prm",          "Garnetline_MCconf"};

class GenerateSourcesExport : public testing::Test {
protected:
  void SetUp() override { CapturedLines().clear(); }
};

TEST_F(GenerateSourcesExport, NullArgumentsReturnZero) {
  UserData d = testdata::HandDefaults();
  EXPECT_EQ(PARVEX_GenerateSources(&d, nullptr), 0);
  EXPECT_EQ(PARVEX_GenerateSources(nullptr, nullptr), 0);
}

TEST_F(GenerateSourcesExport, NullRecordIsInvalidInput) {
  const GenerateSourcesArgs args{"t/", "o/", &testdata::CaptureLine};
  EXPECT_EQ(PARVEX_GenerateSources(nullptr, &args), 0);
  const std::vector<LogLine> expected = {
      {"Exit code [7] -> Error : Invalid input parameters (FOC user data).", 1}};
  EXPECT_EQ(CapturedLines(), expected);
}

TEST_F(GenerateSourcesExport, NullFoldersCountAsEmpty) {
  UserData d = testdata::HandDefaults();
  const GenerateSourcesArgs args{nullptr, nullptr, &testdata::CaptureLine};
  // Relative names in the working folder: none of the templates exist there.
  testsupport::ScratchFolder cwd;
  const auto previous = std::filesystem::current_path();
  std::filesystem::current_path(cwd.Path());
  EXPECT_EQ(PARVEX_GenerateSources(&d, &args), 0);
  std::filesystem::current_path(previous);
  ASSERT_FALSE(CapturedLines().empty());
  EXPECT_EQ(CapturedLines()[1], (LogLine{"Templates Dir : ", 0}));
  EXPECT_EQ(CapturedLines().back(),
            (LogLine{"End include files creation. 9 Error(s) 0 Warning(s)", 1}));
}

// Removes the banner lines, which carry the time of writing.
std::string WithoutBanner(const std::string &text) {
  static const std::regex banner("[A-Z][a-z]{2} [A-Z][a-z]{2} [0-3][0-9] [0-9:]{8} [0-9]{4}\n");
  return std::regex_replace(text, banner, "");
}

// The defaults computed by the library give the same headers as the
// defaults typed in from the table, and a run with one warning (flux
// weakening is on by default).
TEST_F(GenerateSourcesExport, LibraryDefaultsMatchTheTable) {
  UserData computed{};
  ASSERT_EQ(PARVEX_SetDefault(&computed), 0);
  const UserData typed = testdata::HandDefaults();
  testsupport::ScratchFolder a;
  testsupport::ScratchFolder b;
  const std::string t = TORVIO_TEMPLATES_DIR;
  const std::string pa = a.Prefix();
  const std::string pb = b.Prefix();
  const GenerateSourcesArgs argsA{t.c_str(), pa.c_str(), &testdata::CaptureLine};
  const GenerateSourcesArgs argsB{t.c_str(), pb.c_str(), nullptr};
  EXPECT_EQ(PARVEX_GenerateSources(&computed, &argsA), 0);
  EXPECT_EQ(PARVEX_GenerateSources(&typed, &argsB), 0);
  EXPECT_EQ(CapturedLines().back(),
            (LogLine{"End include files creation. 0 Error(s) 1 Warning(s)", 2}));
  for (const char *n : kNames) {
    const std::string file = std::string(n) + ".h";
    const std::string ha = WithoutBanner(testsupport::ReadText(a.Path() / file));
    EXPECT_FALSE(ha.empty()) << n;
    EXPECT_EQ(ha, WithoutBanner(testsupport::ReadText(b.Path() / file))) << n;
  }
}

} // namespace
