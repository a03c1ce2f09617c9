// The man page's EXIT STATUS lists exactly the exit codes torvio-gen has,
// and what it says of a failed --save-default is what the program does.
#include "GenExitCodes.h"
#include "RunGenProgram.h"
#include "ScratchFolder.h"

#include <gtest/gtest.h>

#include <regex>
#include <set>
#include <string>

namespace {

std::string ExitStatusSection() {
  const std::string page = testsupport::ReadBytes(TORVIO_GEN_H2M);
  const std::size_t start = page.find("[EXIT STATUS]");
  const std::size_t end = page.find("\n[", start + 1);
  if (start == std::string::npos)
    return {};
  return page.substr(start, end == std::string::npos ? std::string::npos : end - start);
}

TEST(ManPage, ExitStatusListsEveryCodeTheProgramHas) {
  const std::string section = ExitStatusSection();
  ASSERT_FALSE(section.empty());
  std::set<int> listed;
  static const std::regex code("\n\\.B ([0-9]+)\n");
  for (auto it = std::sregex_iterator(section.begin(), section.end(), code);
       it != std::sregex_iterator(); ++it)
    listed.insert(std::stoi((*it)[1]));
  const std::set<int> defined(std::begin(gen::kExitCodes), std::end(gen::kExitCodes));
  EXPECT_EQ(listed, defined);
  EXPECT_NE(section.find("with \\fB\\-\\-check\\fR, the output folder differs"), std::string::npos);
}

TEST(ManPage, AFailedSaveDefaultExitsAsThePageSays) {
  testsupport::ScratchFolder work;
  const gentest::Outcome r =
      gentest::RunGen(work.Path(), {"--save-default", "no/such/folder/p.tvd"});
  EXPECT_EQ(r.code, gen::kBadCommand) << r.output;
  const std::string section = ExitStatusSection();
  const std::size_t two = section.find("\n.B 2\n");
  ASSERT_NE(two, std::string::npos);
  EXPECT_NE(section.find("\\fB\\-\\-save\\-default\\fR", two), std::string::npos);
}

} // namespace
