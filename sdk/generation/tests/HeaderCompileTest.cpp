// Generates the bundled templates for several configurations and compiles
// every header with the system C compiler, using each definition once so
// that a malformed value cannot pass unnoticed.
#include "Generator.h"

#include "HandDefaults.h"
#include "LogCapture.h"
#include "ScratchFolder.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <functional>
#include <regex>
#include <set>
#include <sstream>

namespace {

using namespace parvex;
using testsupport::ReadBytes;
using testsupport::ReadText;

const char *const kHeaders[] = {
    "MC_Control_Param",  "MC_PMSM_motor_param",     "MC_Hall_prm",
    "MC_encoder_param",  "MC_State_Observer_param", "MC_pwm_1shunt_prm",
    "MC_pwm_3shunt_prm", "MC_pwm_ics_prm",          "Garnetline_MCconf"};

// The firmware's short integer types.
const char *const kPrelude = "typedef signed char s8;\n"
                             "typedef unsigned char u8;\n"
                             "typedef signed short s16;\n"
                             "typedef unsigned short u16;\n"
                             "typedef signed int s32;\n"
                             "typedef unsigned int u32;\n";

struct CompileResult {
  int status;
  std::string messages;
};

// The check runs the host's C compiler through a POSIX shell, which a
// Windows test run does not have; there the byte comparison with the Linux
// headers (tests/windows) stands for it.
#if defined(_WIN32)
#define SKIP_WITHOUT_C_COMPILER()                                                                  \
  GTEST_SKIP() << "no C compiler and POSIX shell in a Windows test run"
#else
#define SKIP_WITHOUT_C_COMPILER() static_cast<void>(0)
#endif

class HeaderCompile : public testing::Test {
protected:
  void SetUp() override { testdata::CapturedLines().clear(); }

  void Generate(const UserData &d) {
    const std::string t = TORVIO_TEMPLATES_DIR;
    const std::string o = out.Prefix();
    GenerateSources(d, GenerateSourcesArgs{t.c_str(), o.c_str(), &testdata::CaptureLine});
  }

  // A C file that includes every header twice (the guards must hold) and
  // uses every object-like definition that has a value.
  std::string Checker() const {
    std::ostringstream c;
    c << kPrelude;
    for (int pass = 0; pass < 2; ++pass)
      for (const char *h : kHeaders)
        c << "#include \"" << h << ".h\"\n";
    const std::regex define(R"(^#define\s+(\w+)[ \t]+(\S.*)$)");
    std::set<std::string> seen;
    for (const char *h : kHeaders) {
      std::istringstream text(ReadText(out.Path() / (std::string(h) + ".h")));
      std::string line;
      std::smatch m;
      while (std::getline(text, line)) {
        if (!std::regex_match(line, m, define) || !seen.insert(m[1]).second)
          continue;
        const std::string value = m[2];
        if (value.rfind("//", 0) == 0 || value.rfind("/*", 0) == 0)
          continue;
        if (value[0] == '{')
          c << "const long use_" << m[1] << "[] = " << m[1] << ";\n";
        else
          c << "const double use_" << m[1] << " = (double)(" << m[1] << ");\n";
      }
    }
    return c.str();
  }

  CompileResult Compile() const {
    const auto source = out.Path() / "check.c";
    const auto messages = out.Path() / "check.log";
    testsupport::WriteBytes(source, Checker());
    const std::string command = std::string(TORVIO_C_COMPILER) +
                                " -std=c99 -Wall -Werror -fsyntax-only -I'" + out.Path().string() +
                                "' '" + source.string() + "' > '" + messages.string() + "' 2>&1";
    const int status = std::system(command.c_str());
    return {status, ReadBytes(messages)};
  }

  testsupport::ScratchFolder out;
};

struct Configuration {
  const char *name;
  std::function<void(UserData &)> change;
};

const Configuration kConfigurations[] = {
    {"Defaults", [](UserData &) {}},
    {"SingleShunt",
     [](UserData &d) {
       d.ThreeShuntResistors = 0;
       d.SingleShuntResistor = 1;
     }},
    {"IsolatedSensors",
     [](UserData &d) {
       d.ThreeShuntResistors = 0;
       d.IsolatedCurrentSensors = 1;
       // The largest current an ICS gain of 1 measures, 1.65 / 1 A, as the
       // consistency check caps the rated current.
       d.RatedCurrent.Value = 1.65;
     }},
    {"EncoderWithObserverTuning",
     [](UserData &d) {
       d.NoSpeedSensors = 0;
       d.QuadratureEncoder = 1;
       d.ViewEncoderFeedback = 0;
       d.None = 1;
       d.AuxGainsComputation = 0;
     }},
    {"HallSensors",
     [](UserData &d) {
       d.NoSpeedSensors = 0;
       d.HallSensors = 1;
       d.Hall120Degrees = 0;
       d.Hall60Degrees = 1;
     }},
    {"SensorlessViewingHall",
     [](UserData &d) {
       d.ViewEncoderFeedback = 0;
       d.ViewHallSensorsFeedback = 1;
       d.GainsComputation = 0;
     }},
    {"MtpaLdBelowLq",
     [](UserData &d) {
       d.InternalPMSMMaximunTxAStrategy = 1;
       d.Ld.Value = 0.3;
     }},
    {"FeedForward",
     [](UserData &d) {
       d.FeedForwardCurrentRegulation = 1;
       d.FluxWeakening = 0;
       d.SpeedRegulationControlRate = 0.5;
       d.ADConverterSamplingTime = 2450;
     }},
};

class HeaderCompileConfigurations : public HeaderCompile,
                                    public testing::WithParamInterface<Configuration> {};

TEST_P(HeaderCompileConfigurations, EveryHeaderCompiles) {
  SKIP_WITHOUT_C_COMPILER();
  UserData d = testdata::HandDefaults();
  GetParam().change(d);
  Generate(d);
  EXPECT_EQ(testdata::CapturedLines().back().text.substr(0, 39),
            "End include files creation. 0 Error(s) ");
  const CompileResult r = Compile();
  EXPECT_EQ(r.status, 0) << r.messages << "\n" << Checker();
}

INSTANTIATE_TEST_SUITE_P(Records, HeaderCompileConfigurations, testing::ValuesIn(kConfigurations),
                         [](const auto &info) { return std::string(info.param.name); });

TEST_F(HeaderCompile, EveryTokenIsUsedByTheBundledTemplates) {
  std::set<int> used;
  const std::regex token(R"(//@@##TEID%([0-9]+))");
  for (const char *h : kHeaders) {
    const std::string text = ReadBytes(std::string(TORVIO_TEMPLATES_DIR) + h + ".th");
    ASSERT_FALSE(text.empty()) << h;
    EXPECT_EQ(text.find("//@@##TEID%0\n"), text.find("//@@##TEID%")) << h << ": banner first";
    for (std::sregex_iterator i(text.begin(), text.end(), token), end; i != end; ++i)
      used.insert(std::stoi((*i)[1]));
  }
  for (int t = 0; t < 95; ++t)
    EXPECT_TRUE(used.count(t)) << "token " << t;
  EXPECT_EQ(used.size(), 95u);
}

TEST_F(HeaderCompile, MtpaWithEqualInductancesStopsTheBuild) {
  SKIP_WITHOUT_C_COMPILER();
  UserData d = testdata::HandDefaults();
  d.InternalPMSMMaximunTxAStrategy = 1;
  Generate(d);
  const CompileResult r = Compile();
  EXPECT_NE(r.status, 0);
  EXPECT_NE(r.messages.find("MTPA strategy is enabled but the edited Lq and Ld values are equal"),
            std::string::npos)
      << r.messages;
}

// A gain the firmware would wrap stops its build, with the counted warning.
TEST_F(HeaderCompile, GainBeyondItsTypeStopsTheBuild) {
  SKIP_WITHOUT_C_COMPILER();
  UserData d = testdata::HandDefaults();
  d.TorquePDividend.Value = 64880640; // 3 V bus, 0.001 Ohm shunt, gain 1
  Generate(d);
  const auto &lines = testdata::CapturedLines();
  EXPECT_EQ(lines.back().text, "End include files creation. 0 Error(s) 2 Warning(s)");
  const CompileResult r = Compile();
  EXPECT_NE(r.status, 0);
  EXPECT_NE(r.messages.find("PID_TORQUE_KP_DEFAULT: 64880640 does not fit s16"), std::string::npos)
      << r.messages;
}

// 3000 rpm with Ke 0.4 truncates MAXBEMF to 0: F2 is 2, and the headers of
// this valid motor build.
TEST_F(HeaderCompile, MotorWithZeroMaxBemfBuilds) {
  SKIP_WITHOUT_C_COMPILER();
  UserData d = testdata::HandDefaults();
  d.MotorMaxSpeed.Value = 3000;
  d.Ke.Value = 0.4;
  Generate(d);
  const auto &lines = testdata::CapturedLines();
  EXPECT_EQ(lines.back().text, "End include files creation. 0 Error(s) 1 Warning(s)");
  const CompileResult r = Compile();
  EXPECT_EQ(r.status, 0) << r.messages;
}

} // namespace
