// Two build logs hold the same settings when their FOCDATA elements agree,
// whatever folders and date their ARGS record; each difference is named.
#include "BuildLogSettings.h"

#include <gtest/gtest.h>

namespace {

using torvio::BuildLogSettingDifferences;

std::string Log(const std::string &args, const std::string &data) {
  return "<TORVIO >\n<ARGS >\n" + args + "</ARGS>\n<FOCDATA >\n" + data + "</FOCDATA>\n</TORVIO>\n";
}

const std::string kArgs = "<TemplatesDir >/a/Templates/</TemplatesDir>\n"
                          "<BuildLogFile >fw/inc/BuildLog.xml</BuildLogFile>\n"
                          "<BuildDateTime >12/08/26 - 16:34:24</BuildDateTime>\n";
const std::string kOtherArgs = "<TemplatesDir >/b/<x>&/</TemplatesDir>\n"
                               "<BuildLogFile >./fw/inc/BuildLog.xml</BuildLogFile>\n"
                               "<BuildDateTime >01/01/27 - 00:00:00</BuildDateTime>\n";
const std::string kData = "<MOTORANDHW >\n<MOTORCHARACTERISTICS >\n"
                          "<R min='0.01' max='150.00'>0.35</R>\n"
                          "<PolePairs min='1' max='100'>2</PolePairs>\n"
                          "</MOTORCHARACTERISTICS>\n</MOTORANDHW>\n"
                          "<DEBUG >\n<EnableDACFunctionality >TRUE</EnableDACFunctionality>\n"
                          "</DEBUG>\n";

TEST(BuildLogSettings, TheSameSettingsFromOtherFoldersAndDaysAgree) {
  EXPECT_TRUE(BuildLogSettingDifferences(Log(kArgs, kData), Log(kOtherArgs, kData)).empty());
  // A log written with CR LF line ends holds the same settings.
  std::string crlf;
  for (char c : Log(kArgs, kData))
    crlf += c == '\n' ? std::string("\r\n") : std::string(1, c);
  EXPECT_TRUE(BuildLogSettingDifferences(crlf, Log(kArgs, kData)).empty());
}

TEST(BuildLogSettings, EachDifferenceIsNamedByItsPath) {
  std::string data = kData;
  data.replace(data.find(">0.35<"), 6, ">0.70<");
  data.replace(data.find("max='100'"), 9, "max='200'");
  data.replace(data.find("<EnableDACFunctionality >TRUE</EnableDACFunctionality>\n"), 54, "");
  data += "<SPEEDFEEDBACK >\n<PhaseShift min='0' max='359'>300</PhaseShift>\n</SPEEDFEEDBACK>\n";
  EXPECT_EQ(BuildLogSettingDifferences(Log(kArgs, kData), Log(kOtherArgs, data)),
            (std::vector<std::string>{
                "MOTORANDHW/MOTORCHARACTERISTICS/R: 0.35 -> 0.70",
                "MOTORANDHW/MOTORCHARACTERISTICS/PolePairs (max): 100 -> 200",
                "SPEEDFEEDBACK/PhaseShift: (absent) -> 300",
                "SPEEDFEEDBACK/PhaseShift (min): (absent) -> 0",
                "SPEEDFEEDBACK/PhaseShift (max): (absent) -> 359",
                "DEBUG/EnableDACFunctionality: TRUE -> (absent)",
            }));
}

TEST(BuildLogSettings, TextThatIsNoBuildLogHoldsNoSettings) {
  const auto lines = BuildLogSettingDifferences("hand-written notes\n", Log(kArgs, kData));
  ASSERT_EQ(lines.size(), 7u);
  EXPECT_EQ(lines[0], "MOTORANDHW/MOTORCHARACTERISTICS/R: (absent) -> 0.35");
}

} // namespace
