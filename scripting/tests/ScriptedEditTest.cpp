// Scripted edits by path: refused with a reason where a page would not
// take the value, and otherwise the page's commit, check included.
#include "ScriptedEdit.h"
#include "DefaultRecord.h"
#include "SettingPath.h"
#include "SettingText.h"

#include <gtest/gtest.h>

#include <functional>

namespace torvio::scripting {
namespace {

UserData Defaults() {
  return testsupport::DefaultRecord();
}

using testsupport::SameRecord;

// A state only the consistency check repairs (a speed divisor that is no
// power of two): 64 afterwards when the check ran.
constexpr std::uint32_t kSentinel = 100;

struct Case {
  const char *assignment;
  const char *error; // nullptr: accepted
  std::function<void(const UserData &)> expect = nullptr;
};

TEST(ScriptedEdit, ValuesAreTakenOrRefusedAsThePagesDo) {
  const Case cases[] = {
      // Refused: nothing changes.
      {"NO/SUCH/SETTING=1", "NO/SUCH/SETTING: unknown setting"},
      {"MOTORANDHW/MOTORCHARACTERISTICS/R",
       "'MOTORANDHW/MOTORCHARACTERISTICS/R' is not PATH=VALUE"},
      {"CONFIGURATION/SPEEDFEEDBACK/HallSensors (min)=1",
       "CONFIGURATION/SPEEDFEEDBACK/HallSensors (min): unknown setting"},
      {"MOTORANDHW/MOTORCHARACTERISTICS/R=abc",
       "MOTORANDHW/MOTORCHARACTERISTICS/R: 'abc' is not a number"},
      {"MOTORANDHW/MOTORCHARACTERISTICS/R=0,5",
       "MOTORANDHW/MOTORCHARACTERISTICS/R: '0,5' is not a number"},
      {"MOTORANDHW/MOTORCHARACTERISTICS/R=",
       "MOTORANDHW/MOTORCHARACTERISTICS/R: '' is not a number"},
      {"MOTORANDHW/MOTORCHARACTERISTICS/R=inf",
       "MOTORANDHW/MOTORCHARACTERISTICS/R: 'inf' is not a number"},
      {"MOTORANDHW/MOTORCHARACTERISTICS/R=+-1",
       "MOTORANDHW/MOTORCHARACTERISTICS/R: '+-1' is not a number"},
      {"MOTORANDHW/MOTORCHARACTERISTICS/R=150.5",
       "MOTORANDHW/MOTORCHARACTERISTICS/R: 150.5 is outside its limits 0.01..150"},
      {"MOTORANDHW/MOTORCHARACTERISTICS/RatedCurrent=5",
       "MOTORANDHW/MOTORCHARACTERISTICS/RatedCurrent: 5 is outside its limits "
       "0.05..2.9182879377431905"},
      {"CONTROLSETTINGS/DRIVINGSETTINGS/PWMFrequency=3999.9",
       "CONTROLSETTINGS/DRIVINGSETTINGS/PWMFrequency: 3999.9 is outside its limits 4000..32000"},
      {"MOTORANDHW/MOTORCHARACTERISTICS/R (max)=200",
       "MOTORANDHW/MOTORCHARACTERISTICS/R (max): limits are not entered on any page; only a "
       "setting's value can be set"},
      {"CONTROLSETTINGS/TORQUEANDFLUXCONTROLLER/TORQUE/TorquePDivisor=2048",
       "CONTROLSETTINGS/TORQUEANDFLUXCONTROLLER/TORQUE/TorquePDivisor: no page enters this "
       "setting (the calculations set it)"},
      {"CONFIGURATION/FOCMETHODS/FluxWeakening=maybe",
       "CONFIGURATION/FOCMETHODS/FluxWeakening: 'maybe' is not TRUE or FALSE"},
      {"CONFIGURATION/SPEEDFEEDBACK/NoSpeedSensors=FALSE",
       "CONFIGURATION/SPEEDFEEDBACK/NoSpeedSensors: an option is cleared by setting another "
       "option of its group to TRUE (CONFIGURATION/SPEEDFEEDBACK/QuadratureEncoder, "
       "CONFIGURATION/SPEEDFEEDBACK/HallSensors, CONFIGURATION/SPEEDFEEDBACK/NoSpeedSensors)"},
      {"CONTROLSETTINGS/SPEEDREGULATIONCONTROLRATE/SpeedRegulationControlRate=3",
       "CONTROLSETTINGS/SPEEDREGULATIONCONTROLRATE/SpeedRegulationControlRate: 3 is not one of "
       "0.5, 1, 2, 5, 10, 20, 127"},
      // Accepted: integers truncated, the check after the settings whose
      // page runs it.
      {"MOTORANDHW/MOTORCHARACTERISTICS/PolePairs=3.9", nullptr,
       [](const UserData &d) {
         EXPECT_EQ(d.PolePairs.Value, 3u);
         EXPECT_EQ(d.SpeedPDivisor.Value, 64u);
       }},
      {"MOTORANDHW/MOTORCHARACTERISTICS/PolePairs=+1.5e1", nullptr,
       [](const UserData &d) { EXPECT_EQ(d.PolePairs.Value, 15u); }},
      {"MOTORANDHW/MOTORCHARACTERISTICS/RatedCurrent=1.5", nullptr,
       [](const UserData &d) {
         EXPECT_EQ(d.RatedCurrent.Value, 1.5);
         EXPECT_EQ(d.TorqueInitRef.Max, 1.5);
         EXPECT_EQ(d.FluxInitRef.Max, 1.5);
       }},
      {"MOTORANDHW/MOTORCHARACTERISTICS/Ke=1.25", nullptr,
       [](const UserData &d) {
         EXPECT_EQ(d.Ke.Value, 1.25);
         EXPECT_EQ(d.SpeedPDivisor.Value, kSentinel); // no check after Ke
       }},
      {"CONTROLSETTINGS/SPEEDCONTROLLER/SpeedPDivisor=3000", nullptr,
       [](const UserData &d) { EXPECT_EQ(d.SpeedPDivisor.Value, 2048u); }},
      // The value the field shows already: no commit, so no check.
      {"CONTROLSETTINGS/DRIVINGSETTINGS/PWMFrequency=14400", nullptr,
       [](const UserData &d) { EXPECT_EQ(d.SpeedPDivisor.Value, kSentinel); }},
      {"CONFIGURATION/SPEEDFEEDBACK/HallSensors=TRUE", nullptr,
       [](const UserData &d) {
         EXPECT_EQ(d.QuadratureEncoder, 0u);
         EXPECT_EQ(d.HallSensors, 1u);
         EXPECT_EQ(d.NoSpeedSensors, 0u);
         EXPECT_EQ(d.None, 1u);
       }},
      // A selected option clicked again still commits.
      {"CONFIGURATION/SPEEDFEEDBACK/NoSpeedSensors=TRUE", nullptr,
       [](const UserData &d) { EXPECT_EQ(d.SpeedPDivisor.Value, 64u); }},
      {"CONFIGURATION/FOCMETHODS/FluxWeakening=false", nullptr,
       [](const UserData &d) { EXPECT_EQ(d.FluxWeakening, 0u); }},
      {"CONTROLSETTINGS/SPEEDREGULATIONCONTROLRATE/SpeedRegulationControlRate=0.5", nullptr,
       [](const UserData &d) {
         EXPECT_EQ(d.SpeedRegulationControlRate, 0.5);
         EXPECT_EQ(d.SpeedPDivisor.Value, kSentinel);
       }},
      // Refused as the page disables the control, with the reason.
      {"SPEEDFEEDBACK/APRIORICOMPUTEDGAINS/K1=-5.5",
       "SPEEDFEEDBACK/APRIORICOMPUTEDGAINS/K1: K1 is computed while GainsComputation is TRUE"},
      {"MOTORANDHW/MOTORCHARACTERISTICS/Ld=0.5",
       "MOTORANDHW/MOTORCHARACTERISTICS/Ld: Ld follows Lq while InternalPMSMMaximunTxAStrategy "
       "is FALSE"},
      // The page lets the box be cleared, but the next check ticks it again
      // (sensorless, viewing the encoder): refused rather than lost later.
      {"DEBUG/EnableDACFunctionality=FALSE",
       "DEBUG/EnableDACFunctionality: EnableDACFunctionality stays TRUE while NoSpeedSensors is "
       "TRUE and an auxiliary speed feedback is viewed"},
  };
  for (const Case &c : cases) {
    SCOPED_TRACE(c.assignment);
    UserData d = Defaults();
    d.SpeedPDivisor.Value = kSentinel;
    const UserData before = d;
    const torvio::Status applied = ApplyAssignment(d, c.assignment);
    if (c.error) {
      ASSERT_FALSE(applied.ok());
      EXPECT_EQ(applied.error(), c.error);
      EXPECT_TRUE(SameRecord(d, before));
    } else {
      ASSERT_TRUE(applied.ok()) << applied.error();
      c.expect(d);
    }
  }
}

TEST(ScriptedEdit, EditsEnabledByAnEarlierOneApply) {
  UserData d = Defaults();
  ASSERT_TRUE(ApplyAssignments(d, {"SPEEDFEEDBACK/APRIORICOMPUTEDGAINS/GainsComputation=FALSE",
                                   "SPEEDFEEDBACK/APRIORICOMPUTEDGAINS/K1=-5.5",
                                   "CONFIGURATION/FOCMETHODS/InternalPMSMMaximunTxAStrategy=TRUE",
                                   "MOTORANDHW/MOTORCHARACTERISTICS/Ld=0.3"})
                  .ok());
  EXPECT_EQ(d.K1.Value, -5); // truncated toward zero
  EXPECT_EQ(d.Ld.Value, 0.3);
}

// A value set explicitly that the check then changes is said, the edit
// kept: a divisor rounded to a power of two, a rated current that a later
// shunt value makes unmeasurable (1.65 V / (2.57 x 1 Ohm) at most).
TEST(ScriptedEdit, ValuesTheCheckChangesAreNoted) {
  UserData d = Defaults();
  const torvio::Result<std::vector<std::string>> edits =
      ApplyEdits(d, {"CONTROLSETTINGS/SPEEDCONTROLLER/SpeedPDivisor=100",
                     "CONTROLSETTINGS/SPEEDCONTROLLER/SpeedIDivisor=256",
                     "MOTORANDHW/MOTORCHARACTERISTICS/RatedCurrent=1.5",
                     "MOTORANDHW/CURRENTSENSINGNETWORK/ShuntResistorValue=1"});
  ASSERT_TRUE(edits.ok()) << edits.error();
  EXPECT_EQ(*edits,
            (std::vector<std::string>{
                "CONTROLSETTINGS/SPEEDCONTROLLER/SpeedPDivisor: set to 100, the consistency check "
                "made it 64",
                "MOTORANDHW/MOTORCHARACTERISTICS/RatedCurrent: set to 1.5, the consistency check "
                "made it " +
                    ExactNumber(1.65 / 2.57)}));
  EXPECT_EQ(d.SpeedPDivisor.Value, 64u);
  EXPECT_EQ(d.RatedCurrent.Value, 1.65 / 2.57);
}

TEST(ScriptedEdit, ARefusedEditLeavesTheEarlierOnesUnapplied) {
  UserData d = Defaults();
  const UserData before = d;
  const torvio::Status applied = ApplyAssignments(
      d, {"MOTORANDHW/MOTORCHARACTERISTICS/PolePairs=4", "MOTORANDHW/MOTORCHARACTERISTICS/R=-1"});
  ASSERT_FALSE(applied.ok());
  EXPECT_EQ(applied.error(),
            "MOTORANDHW/MOTORCHARACTERISTICS/R: -1 is outside its limits 0.01..150");
  EXPECT_TRUE(SameRecord(d, before));
}

TEST(ScriptedEdit, EditsApplyInOrder) {
  // The under-voltage limit follows the over-voltage value: lowering the
  // over-voltage first makes the next under-voltage value too high.
  UserData d = Defaults();
  ASSERT_TRUE(ApplyAssignments(d, {"MOTORANDHW/KV208BOARDPROTECTION/OverVoltageThreshold=20",
                                   "MOTORANDHW/KV208BOARDPROTECTION/UnderVoltageThreshold=19"})
                  .ok());
  EXPECT_EQ(d.OverVoltageThreshold.Value, 20u);
  EXPECT_EQ(d.UnderVoltageThreshold.Value, 19u);
  UserData e = Defaults();
  const torvio::Status applied =
      ApplyAssignments(e, {"MOTORANDHW/KV208BOARDPROTECTION/OverVoltageThreshold=20",
                           "MOTORANDHW/KV208BOARDPROTECTION/UnderVoltageThreshold=25"});
  ASSERT_FALSE(applied.ok());
  EXPECT_EQ(applied.error(),
            "MOTORANDHW/KV208BOARDPROTECTION/UnderVoltageThreshold: 25 is outside its "
            "limits 15..20");
}

TEST(SettingPath, AnUnknownPathNamesTheNearestKnownOnes) {
  const std::pair<const char *, const char *> cases[] = {
      {"motorandhw/motorcharacteristics/r",
       "motorandhw/motorcharacteristics/r: unknown setting (nearest: "
       "MOTORANDHW/MOTORCHARACTERISTICS/R)"},
      // The right name in the wrong group.
      {"MOTORANDHW/PWMFrequency", "MOTORANDHW/PWMFrequency: unknown setting (nearest: "
                                  "CONTROLSETTINGS/DRIVINGSETTINGS/PWMFrequency)"},
      {"MOTORANDHW/MOTORCHARACTERISTICS/PolePair (max)",
       "MOTORANDHW/MOTORCHARACTERISTICS/PolePair (max): unknown setting (nearest: "
       "MOTORANDHW/MOTORCHARACTERISTICS/PolePairs (max))"},
      {"NO/SUCH/SETTING", "NO/SUCH/SETTING: unknown setting"},
  };
  for (const auto &[path, text] : cases)
    EXPECT_EQ(UnknownSettingText(path), text);
}

TEST(SettingPath, EveryPathAndLimitSuffixFindsItsSetting) {
  const auto &all = SettingsInTreeOrder();
  EXPECT_EQ(all.size(), parvex::Parameters().size());
  for (const parvex::Parameter *p : all) {
    for (auto part : {parvex::ParamPart::Value, parvex::ParamPart::Min, parvex::ParamPart::Max,
                      parvex::ParamPart::Decimals}) {
      if (part != parvex::ParamPart::Value && !p->HasRange())
        continue;
      const std::string path = PathText({p, part});
      const auto found = FindSetting(path);
      ASSERT_TRUE(found) << path;
      EXPECT_EQ(found->parameter, p);
      EXPECT_EQ(found->part, part);
    }
  }
}

TEST(SettingText, GetAndListLines) {
  const UserData d = Defaults();
  EXPECT_EQ(GetLine(d, *FindSetting("MOTORANDHW/MOTORCHARACTERISTICS/RatedCurrent (max)")),
            "MOTORANDHW/MOTORCHARACTERISTICS/RatedCurrent (max)=2.9182879377431905");
  EXPECT_EQ(GetLine(d, *FindSetting("CONFIGURATION/SPEEDFEEDBACK/NoSpeedSensors")),
            "CONFIGURATION/SPEEDFEEDBACK/NoSpeedSensors=TRUE");
  const auto *r = FindSetting("MOTORANDHW/MOTORCHARACTERISTICS/R")->parameter;
  EXPECT_EQ(ListLine(d, *r),
            "MOTORANDHW/MOTORCHARACTERISTICS/R=0.35 (min 0.01, max 150.00, decimals 2) Ohm");
  const auto *divisor =
      FindSetting("CONTROLSETTINGS/TORQUEANDFLUXCONTROLLER/TORQUE/TorquePDivisor")->parameter;
  EXPECT_EQ(ListLine(d, *divisor), "CONTROLSETTINGS/TORQUEANDFLUXCONTROLLER/TORQUE/TorquePDivisor="
                                   "4096 (min 1, max 32768, decimals 0) [read-only]");
}

} // namespace
} // namespace torvio::scripting
