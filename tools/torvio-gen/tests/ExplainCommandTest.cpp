// torvio-gen --explain on the defaults and on saved projects: what it
// prints and the exit code firmware CI relies on.
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

Outcome RunGen(const std::string &arguments) {
  return gentest::RunGenShell(arguments);
}

bool Has(const std::string &text, const std::string &part) {
  return text.find(part) != std::string::npos;
}

class ExplainCommand : public ::testing::Test {
protected:
  void SetUp() override { PARVEX_SetDefault(&defaults_); }

  // The project as the program saves it: the gains recomputed after the edit.
  std::string Project(const std::string &name, UserData d) {
    PARVEX_CheckConsistency(&d);
    const auto bytes = torvio::EncodeProject(d, "/tmp/out/");
    const auto path = scratch_.Path() / name;
    EXPECT_TRUE(testsupport::WriteBytes(
        path, std::string(reinterpret_cast<const char *>(bytes.data()), bytes.size())));
    std::string quoted = "'";
    quoted += path.string();
    quoted += '\'';
    return quoted;
  }

  testsupport::ScratchFolder scratch_;
  UserData defaults_{};
};

// The defaults: 3911/4096 is 0.9550761 written -0.025 % low, 3.59909 V/A; the loop's
// margin 53.3 deg (docs/controller-analysis.md, worked by hand). Nothing is flagged.
TEST_F(ExplainCommand, DefaultsPrintTheTableAndExitZero) {
  for (const std::string &arguments :
       {std::string("--explain"),
        std::string("--explain --project ") + Project("d.tvd", defaults_)}) {
    SCOPED_TRACE(arguments);
    const Outcome r = RunGen(arguments);
    EXPECT_EQ(r.code, 0) << r.output;
    EXPECT_EQ(r.output.rfind("Quantity ", 0), 0u) << r.output;
    const std::size_t from = r.output.find("\nTorque proportional gain ");
    ASSERT_NE(from, std::string::npos) << r.output;
    const std::string row = r.output.substr(from + 1, r.output.find('\n', from + 1) - from - 1);
    std::size_t at = 0;
    for (const char *cell : {"MC_Control_Param.h: PID_TORQUE_KP_DEFAULT / TF_KPDIV", "0.955076",
                             "3911/4096", "-0.025 %", "Kp 3.59909 V/A", "ok"}) {
      at = row.find(cell, at);
      EXPECT_NE(at, std::string::npos) << cell << " in " << row;
    }
    EXPECT_TRUE(Has(r.output, "Current loops: Ts 69.44 us, wc 6000 rad/s")) << r.output;
    EXPECT_TRUE(Has(r.output, "phase margin ")) << r.output;
    EXPECT_TRUE(Has(r.output, "53.3 deg")) << r.output;
    EXPECT_TRUE(Has(r.output, "q (torque): ok\nd (flux): ok\n")) << r.output;
    EXPECT_FALSE(Has(r.output, "flag")) << r.output;
  }
}

// 15000 rad/s at 14.4 kHz: wc Ts = 1.04, beyond what one period of delay allows.
TEST_F(ExplainCommand, UnstableLoopIsFlaggedWithExitOne) {
  UserData d = defaults_;
  d.CutOffFrequency.Value = 15000;
  const std::string project = Project("fast.tvd", d);
  const Outcome text = RunGen(std::string("--explain --project ") + project);
  EXPECT_EQ(text.code, 1) << text.output;
  EXPECT_TRUE(Has(text.output, "wc 15000 rad/s")) << text.output;
  EXPECT_TRUE(Has(text.output, "q (torque): flag: the loop is unstable")) << text.output;
  EXPECT_TRUE(Has(text.output, "d (flux): flag: the loop is unstable")) << text.output;
  EXPECT_TRUE(Has(text.output, "settling time 2 %         does not settle")) << text.output;

  const Outcome csv = RunGen(std::string("--explain --format csv --project ") + project);
  EXPECT_EQ(csv.code, 1) << csv.output;
  EXPECT_EQ(csv.output.rfind("quantity,header,definitions,exact,written,relative error,physical,"
                             "value,unit,level,reason\r\n",
                             0),
            0u)
      << csv.output;
  EXPECT_TRUE(Has(csv.output, "\r\nq (torque) current loop,,,,,,,,,flag,")) << csv.output;
  // The loop never settles: no number, not a word, in the value column.
  EXPECT_TRUE(Has(csv.output, "\r\nq (torque) current loop,,,,,,settling time 2 %,,ms,,\r\n"))
      << csv.output;
}

TEST_F(ExplainCommand, TextFormatIsTheDefault) {
  const Outcome a = RunGen("--explain");
  const Outcome b = RunGen("--explain --format text");
  EXPECT_EQ(b.code, 0);
  EXPECT_EQ(a.output, b.output);
  // Without an inertia there is no speed loop: nothing printed, nothing
  // flagged.
  EXPECT_FALSE(Has(a.output, "peed loop")) << a.output;
  EXPECT_FALSE(Has(RunGen("--explain --format csv").output, "peed loop"));
}

// A project saved with its mechanics is explained with them, and the design
// saved into it changes the speed loop's figures (1000/16 and 700/256 give
// 128 rad/s with J = 2e-5 kg m^2; the design for 60 rad/s gives 60).
TEST_F(ExplainCommand, SavedMechanicsAndTheDesignShow) {
  const std::string project = Project("m.tvd", defaults_);
  ASSERT_EQ(RunGen("--project " + project + " --inertia 2e-5 --save " + project).code, 0);
  const Outcome before = RunGen("--explain --project " + project);
  EXPECT_EQ(before.code, 0) << before.output;
  EXPECT_TRUE(Has(before.output, "\ncrossover                 128.43 rad/s\n")) << before.output;
  const Outcome designed =
      RunGen("--project " + project + " --design-speed-loop 60 --save " + project);
  ASSERT_EQ(designed.code, 0) << designed.output;
  const Outcome after = RunGen("--explain --project " + project);
  EXPECT_TRUE(Has(after.output, "\ncrossover                 60")) << after.output;
  EXPECT_TRUE(Has(after.output, "speed loop: ok")) << after.output;
}

TEST_F(ExplainCommand, UnreadableProjectExitsTwo) {
  const Outcome r =
      RunGen(std::string("--explain --project '") + (scratch_.Path() / "none.tvd").string() + "'");
  EXPECT_EQ(r.code, 2);
  EXPECT_TRUE(Has(r.output, "cannot read project")) << r.output;
}

} // namespace
