#include "parvex/AnalysisText.h"
#include "TestRecords.h"

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

TEST(AnalysisCsv, HasOneHeaderRowThenEveryRowAndLoopFigure) {
  const ControllerAnalysis a = Analyse(DefaultRecord());
  const auto lines = Lines(AnalysisCsv(a), "\r\n");
  ASSERT_FALSE(lines.empty());
  EXPECT_EQ(lines[0],
            "quantity,header,definitions,exact,written,relative error,physical,level,reason");
  // 11 gain rows, then per loop 9 figures and its level line.
  EXPECT_EQ(a.rows.size(), 11u);
  EXPECT_EQ(lines.size(), 1 + 11 + 2 * (9 + 1));
  EXPECT_EQ(lines[1].rfind("Torque proportional gain,MC_Control_Param.h,"
                           "PID_TORQUE_KP_DEFAULT / TF_KPDIV,0.955076052,3911/4096,",
                           0),
            0u)
      << lines[1];
  // The integral row's note holds a comma, so it is quoted.
  EXPECT_NE(lines[2].find(",note,\"633 counts, below"), std::string::npos) << lines[2];
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
