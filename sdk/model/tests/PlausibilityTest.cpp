// Settings no page can produce are found and named; what the pages and the
// consistency check produce never is.
#include "parvex/Plausibility.h"

#include "TestRecord.h"

#include <gtest/gtest.h>

#include <cmath>
#include <functional>
#include <random>

namespace parvex::test {
namespace {

std::vector<std::string> Texts(const UserData &d) {
  std::vector<std::string> texts;
  for (const ImplausibleSetting &s : FindImplausibleSettings(d))
    texts.push_back(s.text);
  return texts;
}

struct Case {
  const char *label;
  std::function<void(UserData &)> change;
  std::vector<std::string> texts;
};

TEST(Plausibility, OddSettingsAreNamed) {
  const Case cases[] = {
      {"Defaults", [](UserData &) {}, {}},
      {"FlagOfTwo",
       [](UserData &d) { d.HallSensors = 2; },
       {"CONFIGURATION/SPEEDFEEDBACK/HallSensors: 2 is no flag value (0 or 1)"}},
      {"PwmAboveItsMax",
       [](UserData &d) { d.PWMFrequency.Value = 65535; },
       {"CONTROLSETTINGS/DRIVINGSETTINGS/PWMFrequency: 65535 is outside 4000..32000"}},
      {"SignedBelowItsMin",
       [](UserData &d) { d.AuxAlignmentAngle.Value = 4294967295u; },
       {"AUXSPEEDFEEDBACK/ALIGNMENTSETTINGS/AlignmentAngle: 4294967295 is outside 0..359"}},
      {"RealNaN",
       [](UserData &d) { d.R.Value = std::nan(""); },
       {"MOTORANDHW/MOTORCHARACTERISTICS/R: nan is outside 0.01..150"}},
      {"NegativeCurrent",
       [](UserData &d) { d.TorqueInitRef.Value = -0.5; },
       {"CONTROLSETTINGS/TORQUEANDFLUXCONTROLLER/TORQUE/TorqueInitRef: -0.5 is outside 0..2"}},
      // The calculations may write beyond the limits: the gain worked example.
      {"ComputedGainIsExempt", [](UserData &d) { d.TorquePDividend.Value = 64880640; }, {}},
  };
  for (const Case &c : cases) {
    UserData d = DefaultRecord();
    c.change(d);
    EXPECT_EQ(Texts(d), c.texts) << c.label;
  }
}

// Edits as the pages make them (a value within its field's limits, then the
// consistency check) never leave a setting that looks corrupt.
TEST(Plausibility, PageEditsAndTheCheckStayPlausible) {
  std::mt19937 random(4711);
  UserData d = DefaultRecord();
  std::vector<const Parameter *> edited;
  for (const Parameter &p : Parameters())
    if (p.HasRange() && !p.computed)
      edited.push_back(&p);
  for (int n = 0; n < 600; ++n) {
    const Parameter &p = *edited[random() % edited.size()];
    const double min = p.Read(d, ParamPart::Min);
    const double max = p.Read(d, ParamPart::Max);
    const double value = min + (max - min) * std::uniform_real_distribution<double>(0, 1)(random);
    p.Write(d, value);
    // Only the isolated sensors keep the run quick: each shunt check
    // searches the modulation index.
    d.IsolatedCurrentSensors = 1;
    d.ThreeShuntResistors = d.SingleShuntResistor = 0;
    ASSERT_EQ(PARVEX_CheckConsistency(&d), 0);
    ASSERT_EQ(Texts(d), std::vector<std::string>{}) << n << " after " << p.name;
  }
}

} // namespace
} // namespace parvex::test
