#include "parvex/AnalysisText.h"
#include "TestRecords.h"

#include <algorithm>
#include <sstream>
#include <vector>

namespace parvex::analysis::test {
namespace {

std::vector<std::string> Lines(const std::string &text, const std::string &end) {
  std::vector<std::string> lines;
  std::size_t from = 0;
  for (std::size_t at; (at = text.find(end, from)) != std::string::npos; from = at + end.size())
    lines.push_back(text.substr(from, at - from));
  EXPECT_EQ(from, text.size()) << "text does not end with a line end";
  return lines;
}

struct FieldCase {
  const char *text;
  const char *field;
};

class CsvFields : public ::testing::TestWithParam<FieldCase> {};

TEST_P(CsvFields, AreQuotedAsRfc4180Asks) {
  EXPECT_EQ(CsvField(GetParam().text), GetParam().field);
}

INSTANTIATE_TEST_SUITE_P(Fields, CsvFields,
                         ::testing::Values(FieldCase{"plain", "plain"}, FieldCase{"", ""},
                                           FieldCase{"a, b", "\"a, b\""},
                                           FieldCase{"say \"hi\"", "\"say \"\"hi\"\"\""},
                                           FieldCase{"two\nlines", "\"two\nlines\""},
                                           FieldCase{"cr\r", "\"cr\r\""}));

// A spreadsheet reads numbers: every figure has a value column that holds a
// number alone and a unit column beside it.
TEST(AnalysisCsv, HasOneHeaderRowThenANumberPerLine) {
  const ControllerAnalysis a = Analyse(DefaultRecord());
  const auto lines = Lines(AnalysisCsv(a), "\r\n");
  ASSERT_FALSE(lines.empty());
  EXPECT_EQ(lines[0], "quantity,header,definitions,exact,written,relative error,physical,value,"
                      "unit,level,reason");
  // Default gains: Kp = 3911/4096 x 12.4388 / 3.3 = 3.59909 V/A.
  EXPECT_EQ(lines[1].rfind("Torque proportional gain,MC_Control_Param.h,"
                           "PID_TORQUE_KP_DEFAULT / TF_KPDIV,0.955076052,3911/4096,",
                           0),
            0u)
      << lines[1];
  EXPECT_NE(lines[1].find(",Kp,3.59908757,V/A,ok,"), std::string::npos) << lines[1];
  // The integral row's note holds a comma, so it is quoted.
  EXPECT_NE(lines[2].find(",note,\"633 counts, below"), std::string::npos) << lines[2];
  const auto has = [&lines](const std::string &start) {
    return std::any_of(lines.begin(), lines.end(),
                       [&](const std::string &l) { return l.rfind(start, 0) == 0; });
  };
  EXPECT_TRUE(has("q (torque) current loop,,,,,,crossover,6164.88"));
  EXPECT_TRUE(has("q (torque) current loop,,,,,,reference step counts,2245,counts,,"));
  EXPECT_TRUE(has("q (torque) current loop,,,,,,voltage saturation,0,,,"));
  EXPECT_TRUE(has("q (torque) current loop,,,,,,,,,ok,"));
  // Every value field is a number or empty, whatever the line.
  for (std::size_t i = 1; i < lines.size(); ++i) {
    const std::string &l = lines[i];
    if (l.find('"') != std::string::npos)
      continue; // a quoted reason: its commas are not separators
    std::vector<std::string> fields;
    std::size_t start = 0;
    for (std::size_t comma; (comma = l.find(',', start)) != std::string::npos; start = comma + 1)
      fields.push_back(l.substr(start, comma - start));
    fields.push_back(l.substr(start));
    ASSERT_EQ(fields.size(), 11u) << l;
    if (!fields[7].empty()) {
      std::size_t used = 0;
      std::stod(fields[7], &used);
      EXPECT_EQ(used, fields[7].size()) << l;
    }
  }
}

// A loop whose largest closed-loop |T| does not exceed 1 has no peak to
// name, and a zero prints without a sign.
TEST(AnalysisTable, NoPeakIsNoneAndZeroHasNoSign) {
  LoopFigures loop;
  loop.analysed = true;
  loop.peakDb = -1.99e-6;
  loop.peakFrequency = 6.283;
  loop.overshoot = -0.0;
  const std::vector<std::string> names = LoopFigureNames();
  const std::vector<std::string> values = LoopFigureValues(loop);
  const auto at = [&](const char *name) {
    return values[std::find(names.begin(), names.end(), name) - names.begin()];
  };
  EXPECT_EQ(at("resonance peak"), "none");
  EXPECT_EQ(at("overshoot"), "0 %");
  loop.peakDb = 1.21;
  loop.peakFrequency = 8315;
  EXPECT_EQ(LoopFigureValues(loop)[4], "1.21 dB at 8315 rad/s");
}

TEST(AnalysisTable, AlignsEveryColumnAndEndsWithTheLoops) {
  const ControllerAnalysis a = Analyse(DefaultRecord());
  const std::string text = AnalysisTable(a);
  const auto lines = Lines(text, "\n");
  ASSERT_GT(lines.size(), 12u);
  // The second column starts at the same place on the title and on every gain row.
  const std::size_t column = lines[0].find("Header / definition");
  ASSERT_NE(column, std::string::npos);
  for (std::size_t i = 1; i <= a.rows.size(); ++i)
    EXPECT_EQ(lines[i].find("MC_"), column) << lines[i];
  EXPECT_NE(lines[1].find("3911/4096"), std::string::npos);
  EXPECT_NE(lines[1].find("Kp 3.59909 V/A"), std::string::npos) << lines[1];
  EXPECT_NE(text.find("phase margin"), std::string::npos);
  EXPECT_NE(text.find("q (torque): ok"), std::string::npos) << text;
}

} // namespace
} // namespace parvex::analysis::test
