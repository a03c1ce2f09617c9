// torvio-gen --explain on the defaults and on saved projects: what it
// prints and the exit code firmware CI relies on.
#include "ProjectFile.h"
#include "ScratchFolder.h"
#include "parvex.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <string>
#include <sys/wait.h>

namespace {

struct Outcome {
  int code = -1;
  std::string out;
};

Outcome RunGen(const std::string &arguments) {
  const std::string command = std::string(TORVIO_GEN) + " " + arguments + " 2>&1";
  Outcome r;
  std::FILE *pipe = popen(command.c_str(), "r");
  if (!pipe)
    return r;
  char buffer[4096];
  std::size_t n;
  while ((n = std::fread(buffer, 1, sizeof buffer, pipe)) > 0)
    r.out.append(buffer, n);
  const int status = pclose(pipe);
  r.code = WIFEXITED(status) ? WEXITSTATUS(status) : -1;
  return r;
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
    EXPECT_EQ(r.code, 0) << r.out;
    EXPECT_EQ(r.out.rfind("Quantity ", 0), 0u) << r.out;
    const std::size_t from = r.out.find("\nTorque proportional gain ");
    ASSERT_NE(from, std::string::npos) << r.out;
    const std::string row = r.out.substr(from + 1, r.out.find('\n', from + 1) - from - 1);
    std::size_t at = 0;
    for (const char *cell : {"MC_Control_Param.h: PID_TORQUE_KP_DEFAULT / TF_KPDIV", "0.955076",
                             "3911/4096", "-0.025 %", "Kp 3.59909 V/A", "ok"}) {
      at = row.find(cell, at);
      EXPECT_NE(at, std::string::npos) << cell << " in " << row;
    }
    EXPECT_TRUE(Has(r.out, "Current loops: Ts 69.44 us, wc 6000 rad/s")) << r.out;
    EXPECT_TRUE(Has(r.out, "phase margin ")) << r.out;
    EXPECT_TRUE(Has(r.out, "53.3 deg")) << r.out;
    EXPECT_TRUE(Has(r.out, "q (torque): ok\nd (flux): ok\n")) << r.out;
    EXPECT_FALSE(Has(r.out, "flag")) << r.out;
  }
}

// 15000 rad/s at 14.4 kHz: wc Ts = 1.04, beyond what one period of delay allows.
TEST_F(ExplainCommand, UnstableLoopIsFlaggedWithExitOne) {
  UserData d = defaults_;
  d.CutOffFrequency.Value = 15000;
  const std::string project = Project("fast.tvd", d);
  const Outcome text = RunGen(std::string("--explain --project ") + project);
  EXPECT_EQ(text.code, 1) << text.out;
  EXPECT_TRUE(Has(text.out, "wc 15000 rad/s")) << text.out;
  EXPECT_TRUE(Has(text.out, "q (torque): flag: the loop is unstable")) << text.out;
  EXPECT_TRUE(Has(text.out, "d (flux): flag: the loop is unstable")) << text.out;

  const Outcome csv = RunGen(std::string("--explain --format csv --project ") + project);
  EXPECT_EQ(csv.code, 1) << csv.out;
  EXPECT_EQ(csv.out.rfind("quantity,header,definitions,exact,written,relative error,physical,"
                          "level,reason\r\n",
                          0),
            0u)
      << csv.out;
  EXPECT_TRUE(Has(csv.out, "\r\nq (torque) current loop,,,,,,,flag,")) << csv.out;
  EXPECT_TRUE(Has(csv.out, "\r\nq (torque) current loop: voltage saturation,,,,,,")) << csv.out;
}

TEST_F(ExplainCommand, TextFormatIsTheDefault) {
  const Outcome a = RunGen("--explain");
  const Outcome b = RunGen("--explain --format text");
  EXPECT_EQ(b.code, 0);
  EXPECT_EQ(a.out, b.out);
}

TEST_F(ExplainCommand, UnreadableProjectExitsTwo) {
  const Outcome r =
      RunGen(std::string("--explain --project '") + (scratch_.Path() / "none.tvd").string() + "'");
  EXPECT_EQ(r.code, 2);
  EXPECT_TRUE(Has(r.out, "cannot read project")) << r.out;
}

} // namespace
