#include "parvex.h"

#include <gtest/gtest.h>

#include <ostream>
#include <string>

namespace {

struct Export {
  const char *name;
  int (*call)(UserData *);
};

void PrintTo(const Export &e, std::ostream *os) {
  *os << e.name;
}

class NullRecord : public ::testing::TestWithParam<Export> {};

// Every export refuses a null record with 1 instead of dereferencing it.
TEST_P(NullRecord, GivesOne) {
  EXPECT_EQ(GetParam().call(nullptr), 1);
}

INSTANTIATE_TEST_SUITE_P(
    AllExports, NullRecord,
    ::testing::Values(Export{"SetDefault", &PARVEX_SetDefault},
                      Export{"CheckConsistency", &PARVEX_CheckConsistency},
                      Export{"CalcControlSettingsTorqueAndFluxPID",
                             &PARVEX_CalcControlSettingsTorqueAndFluxPID},
                      Export{"CalcSpeedFeedbackGains", &PARVEX_CalcSpeedFeedbackGains},
                      Export{"CalcAuxSpeedFeedbackGains", &PARVEX_CalcAuxSpeedFeedbackGains},
                      Export{"CalcMMI", &PARVEX_CalcMMI}),
    [](const ::testing::TestParamInfo<Export> &info) { return std::string(info.param.name); });

} // namespace
