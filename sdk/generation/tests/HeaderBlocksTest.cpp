#include "HeaderBlocks.h"

#include "HandDefaults.h"

#include <gtest/gtest.h>

#include <array>
#include <stdexcept>

namespace {

using namespace parvex;

const GenerateSourcesArgs kArgs{"t/", "o/", nullptr};

std::string Written(const CHeaderBlock &block, int expectedCode = 0) {
  StringHeaderOutput out;
  EXPECT_EQ(block.Write(out, testdata::HandDefaults(), kArgs), expectedCode);
  return out.text;
}

class RefusingOutput : public HeaderOutput {
public:
  bool Write(std::string_view) override { return false; }
};

class ThrowingOutput : public HeaderOutput {
public:
  bool Write(std::string_view) override { throw std::runtime_error("disk gone"); }
};

TEST(HeaderBlocks, BaseBlockWritesNothing) {
  EXPECT_EQ(Written(CHeaderBlock()), "");
}

TEST(HeaderBlocks, SimpleFormatsOneValue) {
  EXPECT_EQ(Written(CSimpleHeaderBlock("#define A %d\n", std::int32_t{-7})), "#define A -7\n");
  EXPECT_EQ(Written(CSimpleHeaderBlock("#define B %.3f\n", 0.0125)), "#define B 0.013\n");
}

TEST(HeaderBlocks, SimpleTextIsCutToItsCapacity) {
  const std::string longFormat = std::string(2000, 'x') + "%d";
  const CSimpleHeaderBlock b(longFormat.c_str(), std::int32_t{1});
  EXPECT_EQ(b.Text().size(), 1023u);
}

TEST(HeaderBlocks, BooleanCommentsOutWhenClear) {
  EXPECT_EQ(Written(CBooleanHeaderBlock("#define FLUX_WEAKENING\n", true)),
            "#define FLUX_WEAKENING\n");
  EXPECT_EQ(Written(CBooleanHeaderBlock("#define FLUX_WEAKENING\n", false)),
            "//#define FLUX_WEAKENING\n");
}

const std::array<CSelectHeaderBlock::Candidate, 4> kCandidates = {{
    {200, "#define SAMPLING_TIME_NS   200  //200ns"},
    {700, "#define SAMPLING_TIME_NS   700  //700ns"},
    {1200, "#define SAMPLING_TIME_NS  1200  //1.2us"},
    {2450, "#define SAMPLING_TIME_NS  2450  //2.45us"},
}};

TEST(HeaderBlocks, SelectActivatesTheMatchingLine) {
  EXPECT_EQ(Written(CSelectHeaderBlock(kCandidates, 700)),
            "//#define SAMPLING_TIME_NS   200  //200ns\n"
            "#define SAMPLING_TIME_NS   700  //700ns\n"
            "//#define SAMPLING_TIME_NS  1200  //1.2us\n"
            "//#define SAMPLING_TIME_NS  2450  //2.45us\n");
}

TEST(HeaderBlocks, SelectWithoutMatchCommentsOutAll) {
  EXPECT_EQ(Written(CSelectHeaderBlock(kCandidates, 500)),
            "//#define SAMPLING_TIME_NS   200  //200ns\n"
            "//#define SAMPLING_TIME_NS   700  //700ns\n"
            "//#define SAMPLING_TIME_NS  1200  //1.2us\n"
            "//#define SAMPLING_TIME_NS  2450  //2.45us\n");
}

TEST(HeaderBlocks, SelectLineReceivesItsOwnValue) {
  const std::array<CSelectHeaderBlock::Candidate, 4> c = {
      {{1, "#define V %d"}, {2, "#define V %d"}, {3, "#define P 100%%"}, {4, "#define S %s"}}};
  EXPECT_EQ(Written(CSelectHeaderBlock(c, 2)),
            "//#define V 1\n#define V 2\n//#define P 100%\n//#define S %s\n");
}

const std::array<CStrStrHeaderBlock::Entry, 3> kNames = {{{5, "FIVE"}, {10, "TEN"}, {5, "LATE"}}};

TEST(HeaderBlocks, StrStrTakesTheFirstMatch) {
  EXPECT_EQ(Written(CStrStrHeaderBlock(5, kNames, "#define X (%s)\n")), "#define X (FIVE)\n");
  EXPECT_EQ(Written(CStrStrHeaderBlock(10, kNames, "#define X (%s)\n")), "#define X (TEN)\n");
}

TEST(HeaderBlocks, StrStrWithoutMatchWritesNothing) {
  EXPECT_EQ(Written(CStrStrHeaderBlock(3, kNames, "#define X (%s)\n")), "");
}

int EmitFixed(HeaderOutput &out, const UserData &d) {
  return WriteBlockText(out, d.PolePairs.Value == 2 ? "two\n" : "other\n");
}

TEST(HeaderBlocks, CustomCallsItsEmitter) {
  EXPECT_EQ(Written(CCustomHeaderBlock(&EmitFixed)), "two\n");
  EXPECT_EQ(Written(CCustomHeaderBlock(nullptr)), "");
}

TEST(HeaderBlocks, CopyrightWritesTheBanner) {
  const std::string b = Written(CCopyrightHeaderBlock());
  ASSERT_EQ(b.size(), 25u);
  EXPECT_EQ(b.back(), '\n');
}

TEST(WriteBlockText, PercentIsWrittenLiterally) {
  StringHeaderOutput out;
  EXPECT_EQ(WriteBlockText(out, "100%d %s %n\n"), 0);
  EXPECT_EQ(out.text, "100%d %s %n\n");
}

TEST(WriteBlockText, RefusedOrThrowingWriteIsFive) {
  RefusingOutput refusing;
  ThrowingOutput throwing;
  EXPECT_EQ(WriteBlockText(refusing, "x"), 5);
  EXPECT_EQ(WriteBlockText(throwing, "x"), 5);
  EXPECT_EQ(
      CSimpleHeaderBlock("a%d", std::int32_t{1}).Write(throwing, testdata::HandDefaults(), kArgs),
      5);
}

} // namespace
