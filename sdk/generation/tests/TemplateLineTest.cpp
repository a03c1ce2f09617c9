#include "TemplateLine.h"

#include "DefinitionTable.h"
#include "HandDefaults.h"
#include "LogCapture.h"

#include <gtest/gtest.h>

namespace {

using namespace parvex;
using testdata::CapturedLines;
using testdata::LogLine;

class TemplateLine : public testing::Test {
protected:
  void SetUp() override {
    CapturedLines().clear();
    data = testdata::HandDefaults();
  }

  // Processes one line with freshly built blocks; returns the exit code.
  int Process(std::string_view line, bool withLog = true) {
    ctx.ClearBlocks();
    BuildHeaderBlocks(data, ctx);
    const GenerateSourcesArgs args{"t/", "o/", nullptr};
    ctx.report = withLog ? &testdata::CaptureReport : nullptr;
    return ProcessTemplateLine(args, line, ctx, out, data);
  }

  UserData data{};
  GenerationContext ctx;
  StringHeaderOutput out;
};

TEST_F(TemplateLine, PlainLineIsCopied) {
  EXPECT_EQ(Process("#include \"x.h\"\n"), 0);
  EXPECT_EQ(out.text, "#include \"x.h\"\n");
}

TEST_F(TemplateLine, LastLineWithoutLineEndStaysWithout) {
  EXPECT_EQ(Process("#endif"), 0);
  EXPECT_EQ(out.text, "#endif");
}

TEST_F(TemplateLine, PercentInCopiedLineIsLiteral) {
  EXPECT_EQ(Process("/* 100%d %s %n */\n"), 0);
  EXPECT_EQ(out.text, "/* 100%d %s %n */\n");
}

TEST_F(TemplateLine, WholeLineIsReplacedByTheBlock) {
  EXPECT_EQ(Process("abc //@@##TEID%33 trailing text\n"), 0);
  EXPECT_EQ(out.text, "#define\tPOLE_PAIR_NUM \t(u8) 2        /* Number of motor pole pairs */\n");
}

TEST_F(TemplateLine, LeadingZerosAreDecimal) {
  EXPECT_EQ(Process("//@@##TEID%007\n"), 0);
  EXPECT_EQ(out.text.substr(0, 18), "#define REP_RATE (");
}

TEST_F(TemplateLine, WhiteSpaceAndPlusSignAreAccepted) {
  EXPECT_EQ(Process("//@@##TEID% \t+2\n"), 0);
  EXPECT_EQ(out.text, "#define TRISE_NS 2550\n");
}

TEST_F(TemplateLine, NonDigitOrLineEndSelectsTheBanner) {
  for (const char *line : {"//@@##TEID%x\n", "//@@##TEID%\n", "//@@##TEID%", "//@@##TEID%-x"}) {
    out.text.clear();
    EXPECT_EQ(Process(line), 0) << line;
    EXPECT_EQ(out.text.size(), 25u) << line;
    EXPECT_EQ(out.text.back(), '\n') << line;
  }
}

TEST_F(TemplateLine, MinusZeroIsTokenZero) {
  EXPECT_EQ(Process("//@@##TEID%-0\n"), 0);
  EXPECT_EQ(out.text.size(), 25u);
}

TEST_F(TemplateLine, OutOfRangeNumbersAreRejectedAndNothingWritten) {
  for (const char *line :
       {"//@@##TEID%95\n", "//@@##TEID%-1\n", "//@@##TEID%4294967296\n", "//@@##TEID%2147483648\n",
        "//@@##TEID%-2147483648\n", "//@@##TEID%99999999999999999999999999999999999999999\n",
        "//@@##TEID%-99999999999999999999999999999999999999999\n"}) {
    EXPECT_EQ(Process(line), 6) << line;
  }
  EXPECT_EQ(out.text, "");
}

TEST_F(TemplateLine, IncompletePrefixIsCopied) {
  for (const char *line : {"@@##TEID%33\n", "//@@##TEID33\n", "/@@##TEID%33\n", "//@@#TEID%33\n"}) {
    out.text.clear();
    EXPECT_EQ(Process(line), 0);
    EXPECT_EQ(out.text, line);
  }
}

TEST_F(TemplateLine, FirstOccurrenceDecides) {
  EXPECT_EQ(Process("//@@##TEID%2 //@@##TEID%95\n"), 0);
  EXPECT_EQ(out.text, "#define TRISE_NS 2550\n");
}

TEST_F(TemplateLine, EmptyStrStrBlockWritesNothing) {
  data.SpeedRegulationControlRate = 3;
  EXPECT_EQ(Process("//@@##TEID%13\n"), 0);
  EXPECT_EQ(out.text, "");
}

TEST_F(TemplateLine, MissingBlockIsOutOfMemory) {
  BuildHeaderBlocks(data, ctx);
  ctx.blocks[20].reset();
  const GenerateSourcesArgs args{"t/", "o/", nullptr};
  EXPECT_EQ(ProcessTemplateLine(args, "//@@##TEID%20\n", ctx, out, data), 8);
  EXPECT_EQ(out.text, "");
}

TEST_F(TemplateLine, NulBytesAreCopiedAsData) {
  const std::string line("a\0b//@@##TEID%\0c\n", 17);
  EXPECT_EQ(Process(std::string_view(line.data(), 4)), 0);
  EXPECT_EQ(out.text, std::string("a\0b/", 4));
  out.text.clear();
  // The token after a NUL byte is still found.
  EXPECT_EQ(Process(line), 0);
  EXPECT_EQ(out.text.size(), 25u);
}

TEST_F(TemplateLine, ParseTokenNumberSaturates) {
  EXPECT_EQ(ParseTokenNumber("42"), 42);
  EXPECT_EQ(ParseTokenNumber("\n"), 0);
  EXPECT_EQ(ParseTokenNumber(" -7x"), -7);
  EXPECT_GT(ParseTokenNumber(std::string(5000, '9')), 94);
  EXPECT_LT(ParseTokenNumber("-" + std::string(5000, '9')), 0);
}

// Token warnings.

TEST_F(TemplateLine, OverVoltageAt371IsQuiet) {
  data.OverVoltageThreshold.Value = 371;
  EXPECT_EQ(Process("//@@##TEID%10\n"), 0);
  EXPECT_TRUE(CapturedLines().empty());
  EXPECT_EQ(ctx.warningCount, 0);
}

TEST_F(TemplateLine, OverVoltageAt372WarnsTwoLinesOneCount) {
  data.OverVoltageThreshold.Value = 372;
  EXPECT_EQ(Process("//@@##TEID%10\n"), 0);
  const std::vector<LogLine> expected = {
      {"Warning : The over voltage threshold inserted in Motor and HW tab is higher than that "
       "allowed with KV208 board.",
       2},
      {"This setting IS NOT SAFE if working with KV208 board.", 2}};
  EXPECT_EQ(CapturedLines(), expected);
  EXPECT_EQ(ctx.warningCount, 1);
}

TEST_F(TemplateLine, MtpaEqualInductancesWarns) {
  data.InternalPMSMMaximunTxAStrategy = 1;
  EXPECT_EQ(Process("//@@##TEID%42\n"), 0);
  const std::vector<LogLine> expected = {
      {"Warning : MTPA strategy is enabled but the edited Lq and Ld values are equal.", 2}};
  EXPECT_EQ(CapturedLines(), expected);
  EXPECT_EQ(ctx.warningCount, 1);
}

TEST_F(TemplateLine, MtpaOffOrDifferentInductancesIsQuiet) {
  EXPECT_EQ(Process("//@@##TEID%42\n"), 0);
  data.InternalPMSMMaximunTxAStrategy = 1;
  data.Ld.Value = 0.3;
  EXPECT_EQ(Process("//@@##TEID%42\n"), 0);
  EXPECT_TRUE(CapturedLines().empty());
  EXPECT_EQ(ctx.warningCount, 0);
}

TEST_F(TemplateLine, FluxWeakeningWarnsPerOccurrence) {
  EXPECT_EQ(Process("//@@##TEID%67\n"), 0);
  EXPECT_EQ(Process("//@@##TEID%67\n"), 0);
  const LogLine first{"Warning : Flux weakening is enabled. It is mandatory to activate the DC bus "
                      "brake resistor management",
                      2};
  const LogLine second{"(and install a proper brake resistor on the power board) or use a "
                       "regenerative power converter.",
                       2};
  const std::vector<LogLine> expected = {first, second, first, second};
  EXPECT_EQ(CapturedLines(), expected);
  EXPECT_EQ(ctx.warningCount, 2);
}

TEST_F(TemplateLine, NoCallbackNoWarningNoCount) {
  data.OverVoltageThreshold.Value = 400;
  data.TorquePDividend.Value = 64880640;
  EXPECT_EQ(Process("//@@##TEID%10\n", false), 0);
  EXPECT_EQ(Process("//@@##TEID%67\n", false), 0);
  EXPECT_EQ(Process("//@@##TEID%22\n", false), 0);
  EXPECT_EQ(ctx.warningCount, 0);
  EXPECT_TRUE(CapturedLines().empty());
}

TEST_F(TemplateLine, OtherTokensRaiseNothing) {
  data.OverVoltageThreshold.Value = 400;
  data.InternalPMSMMaximunTxAStrategy = 1;
  EXPECT_EQ(Process("//@@##TEID%11\n"), 0);
  EXPECT_EQ(Process("//@@##TEID%66\n"), 0);
  EXPECT_TRUE(CapturedLines().empty());
}

TEST_F(TemplateLine, DegenerateDefinitionWarnsOnce) {
  // The worked gain example: a 3 V bus, a 0.001 Ohm shunt, gain 1.
  data.TorquePDividend.Value = 64880640;
  EXPECT_EQ(Process("//@@##TEID%22\n"), 0);
  EXPECT_EQ(out.text, "#error \"PID_TORQUE_KP_DEFAULT: 64880640 does not fit s16\"\n");
  const std::vector<LogLine> expected = {
      {"Warning : PID_TORQUE_KP_DEFAULT cannot be computed (64880640 does not fit s16); its "
       "header holds an #error line instead.",
       2}};
  EXPECT_EQ(CapturedLines(), expected);
  EXPECT_EQ(ctx.warningCount, 1);
}

} // namespace
