// The model's rules for a user's edit: which settings a page enters, how,
// and after which ones the consistency check runs. The pages and scripted
// edits both commit through them.
#include "parvex/Edits.h"

#include "TestRecord.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <array>
#include <iterator>
#include <set>
#include <string>
#include <utility>
#include <vector>

namespace parvex::test {
namespace {

const Parameter &Named(const char *name) {
  const Parameter *p = FindParameter(std::string_view(name));
  EXPECT_NE(p, nullptr) << name;
  return *p;
}

// A state only the check repairs: the speed divisor is no power of two.
void ArmSentinel(UserData &d) {
  d.SpeedPDivisor.Value = 100;
}
bool CheckRan(const UserData &d) {
  return d.SpeedPDivisor.Value == 64;
}

// What each list offers: stored as the firmware counts, shown as the page
// labels it; the sampling times are shown at the converter clock.
TEST(EditRules, ListsStoreAndShowTheirItems) {
  struct Row {
    const char *name;
    std::vector<std::pair<double, std::string>> items;
  };
  const Row rows[] = {
      {"SpeedRegulationControlRate",
       {{0.5, "0.5"},
        {1, "1.0"},
        {2, "2.0"},
        {5, "5.0"},
        {10, "10.0"},
        {20, "20.0"},
        {127, "127.0"}}},
      {"TorqueAndFluxControlRate", {{1, "1"}, {2, "2"}, {3, "3"}}},
      {"ADConverterSamplingTime", {{200, "125"}, {700, "625"}, {1200, "1125"}, {2450, "2375"}}},
      {"PWMFrequency", {}},
      {"QuadratureEncoder", {}},
  };
  for (const Row &r : rows) {
    SCOPED_TRACE(r.name);
    const auto choices = ListChoices(Named(r.name));
    ASSERT_EQ(choices.size(), r.items.size());
    for (std::size_t i = 0; i < choices.size(); ++i) {
      EXPECT_EQ(choices[i].stored, r.items[i].first);
      EXPECT_EQ(choices[i].shown, r.items[i].second);
    }
  }
}

TEST(EditRules, NameRegistrySettingsOfTheirControlsKind) {
  std::set<std::string> names;
  for (const EditRule &rule : EditRules()) {
    SCOPED_TRACE(rule.name);
    EXPECT_TRUE(names.insert(rule.name).second) << "twice";
    const Parameter &p = Named(rule.name);
    switch (rule.control) {
    case EditControl::Field:
      EXPECT_TRUE(p.HasRange());
      break;
    case EditControl::List:
      EXPECT_FALSE(p.HasRange());
      EXPECT_FALSE(rule.choices.empty());
      break;
    case EditControl::CheckBox:
      EXPECT_EQ(p.kind, ParamKind::Flag);
      break;
    case EditControl::Option: {
      EXPECT_EQ(p.kind, ParamKind::Flag);
      bool inGroup = false;
      for (const char *member : rule.group) {
        if (!member)
          continue;
        inGroup = inGroup || std::string_view(member) == rule.name;
        const EditRule *other = EditRuleOf(Named(member));
        ASSERT_NE(other, nullptr) << member;
        EXPECT_EQ(other->control, EditControl::Option);
        EXPECT_EQ(other->group, rule.group);
      }
      EXPECT_TRUE(inGroup);
      break;
    }
    }
  }
}

// Every registry row's edit holds together: the control fits the kind, an
// option's group holds the row and is its members' group, a list offers
// items, a row no page enters carries nothing else, and both members of a
// main/auxiliary pair are entered alike.
TEST(EditRules, RegistryRowsDescribeTheirEditConsistently) {
  struct Shape {
    EditControl control;
    bool ranged, flag, grouped, listed;
  };
  const Shape shapes[] = {
      {EditControl::Field, true, false, false, false},
      {EditControl::CheckBox, false, true, false, false},
      {EditControl::Option, false, true, true, false},
      {EditControl::List, false, false, false, true},
  };
  for (const Parameter &p : Parameters()) {
    SCOPED_TRACE(p.name);
    const ParamEdit &e = p.edit;
    const bool grouped = e.group != std::array<const char *, 3>{};
    if (!e.control) {
      EXPECT_FALSE(e.check || grouped || !e.choices.empty() || e.enable);
      continue;
    }
    const Shape *shape = std::find_if(std::begin(shapes), std::end(shapes),
                                      [&](const Shape &s) { return s.control == *e.control; });
    ASSERT_NE(shape, std::end(shapes));
    EXPECT_EQ(p.HasRange(), shape->ranged);
    EXPECT_EQ(p.kind == ParamKind::Flag, shape->flag);
    EXPECT_EQ(grouped, shape->grouped);
    EXPECT_EQ(!e.choices.empty(), shape->listed);
    if (grouped) {
      const auto own = [&](const char *m) { return m && std::string_view(m) == p.name; };
      EXPECT_TRUE(std::any_of(e.group.begin(), e.group.end(), own));
    }
    for (const char *member : e.group) {
      if (member) {
        EXPECT_EQ(Named(member).edit.control, EditControl::Option) << member;
        EXPECT_EQ(Named(member).edit.group, e.group) << member;
      }
    }
    if (const Parameter *twin = TwinOf(p)) {
      EXPECT_EQ(twin->edit.control, e.control);
      EXPECT_EQ(twin->edit.check, e.check);
    }
  }
}

TEST(EditRules, SettingsNoPageLetsAUserTypeHaveNoRule) {
  for (const char *name : {"TorquePDivisor", "FluxDDivisor", "PLLPDivisor", "AuxPLLIDivisor",
                           "MaximumAvailableModulationIndex"})
    EXPECT_EQ(EditRuleOf(Named(name)), nullptr) << name;
}

struct ValueCase {
  const char *name;
  double typed;
  double stored;
  bool check;
};

TEST(EditRules, CommitValueTruncatesIntegersAndChecksByRule) {
  const ValueCase cases[] = {
      {"PolePairs", 3.9, 3, true},
      {"PWMFrequency", 16000, 16000, true},
      {"Lq", 0.8, 0.8, true},
      {"Ke", 1.25, 1.25, false},
      {"SpeedPDividend", 1000.7, 1000, false},
      {"K1", -5.5, -5, false},
      {"AuxMinimumSpeed", 300.2, 300, false},
      {"AuxSpeedRampDuration", 900, 900, true},
      {"SpeedRegulationControlRate", 5, 5, false},
      {"TorqueAndFluxControlRate", 2, 2, true},
      {"ADConverterSamplingTime", 700, 700, true},
  };
  for (const ValueCase &c : cases) {
    SCOPED_TRACE(c.name);
    UserData d = DefaultRecord();
    ArmSentinel(d);
    const Parameter &p = Named(c.name);
    ASSERT_TRUE(CommitValue(d, p, c.typed));
    EXPECT_EQ(p.Read(d), c.stored);
    EXPECT_EQ(CheckRan(d), c.check);
  }
}

TEST(EditRules, CommitValueRefusesWhatNoFieldEnters) {
  for (const char *name : {"TorquePDivisor", "HallSensors", "FluxWeakening"}) {
    SCOPED_TRACE(name);
    UserData d = DefaultRecord();
    const UserData before = d;
    EXPECT_FALSE(CommitValue(d, Named(name), 1));
    EXPECT_TRUE(SameBytes(d, before));
  }
}

// A typed number as a page's field (Clamp) and a script (Refuse) take it.
// Defaults: PolePairs 1..100 holding 2, R 0.01..150 holding 0.35, the
// current rate a list of 1, 2, 3.
TEST(EditRules, EnterValueClampsOrRefusesByMode) {
  struct Case {
    const char *name;
    double typed;
    OutOfRange mode;
    const char *error; // null: accepted
    double stored;     // afterwards
    bool check;        // the check ran
  };
  const Case cases[] = {
      {"PolePairs", 250.7, OutOfRange::Clamp, nullptr, 100, true},
      {"PolePairs", 250.7, OutOfRange::Refuse, "250.7 is outside its limits 1..100", 2, false},
      {"PolePairs", -3, OutOfRange::Clamp, nullptr, 1, true},
      {"PolePairs", 7.9, OutOfRange::Refuse, nullptr, 7, true},
      // Equal to the value held before truncation: nothing committed.
      {"PolePairs", 2, OutOfRange::Clamp, nullptr, 2, false},
      // 2.5 differs from 2 and is committed, truncated to the same 2.
      {"PolePairs", 2.5, OutOfRange::Refuse, nullptr, 2, true},
      {"R", 0.001, OutOfRange::Clamp, nullptr, 0.01, true},
      {"R", 0.001, OutOfRange::Refuse, "0.001 is outside its limits 0.01..150", 0.35, false},
      {"R", 0.35, OutOfRange::Clamp, nullptr, 0.35, false},
      {"TorqueAndFluxControlRate", 2, OutOfRange::Clamp, nullptr, 2, true},
      {"TorqueAndFluxControlRate", 1, OutOfRange::Refuse, nullptr, 1, true},
      {"TorqueAndFluxControlRate", 4, OutOfRange::Clamp, "4 is not one of 1, 2, 3", 1, false},
      {"PLLPDivisor", 2, OutOfRange::Clamp, "no page enters this setting (the calculations set it)",
       16384, false},
  };
  for (const Case &c : cases) {
    SCOPED_TRACE(std::string(c.name) + " " + std::to_string(c.typed));
    UserData d = DefaultRecord();
    ArmSentinel(d);
    const Parameter &p = Named(c.name);
    const torvio::Result<double> entered = EnterValue(d, p, c.typed, c.mode);
    if (c.error) {
      ASSERT_FALSE(entered.ok());
      EXPECT_EQ(entered.error(), c.error);
    } else {
      ASSERT_TRUE(entered.ok()) << entered.error();
      EXPECT_EQ(*entered, c.stored);
    }
    EXPECT_EQ(p.Read(d), c.stored);
    EXPECT_EQ(CheckRan(d), c.check);
  }
}

struct FlagCase {
  const char *name;
  bool set;
  bool accepted;
  std::vector<std::pair<const char *, std::uint32_t>> flags; // afterwards
  bool check;
};

TEST(EditRules, CommitFlagSetsCheckBoxesAndSelectsOptions) {
  const FlagCase cases[] = {
      {"HallSensors",
       true,
       true,
       {{"QuadratureEncoder", 0}, {"HallSensors", 1}, {"NoSpeedSensors", 0}},
       true},
      {"NoSpeedSensors", false, false, {{"NoSpeedSensors", 1}}, false},
      {"FluxWeakening", false, true, {{"FluxWeakening", 0}}, false},
      {"GainsComputation", false, true, {{"GainsComputation", 0}}, true},
      {"Hall60Degrees", true, true, {{"Hall120Degrees", 0}, {"Hall60Degrees", 1}}, false},
      {"AuxHall60Degrees",
       true,
       true,
       {{"AuxHall120Degrees", 0}, {"AuxHall60Degrees", 1}, {"Hall120Degrees", 1}},
       false},
      {"SingleShuntResistor",
       true,
       true,
       {{"IsolatedCurrentSensors", 0}, {"ThreeShuntResistors", 0}, {"SingleShuntResistor", 1}},
       true},
      {"R", true, false, {}, false},
  };
  for (const FlagCase &c : cases) {
    SCOPED_TRACE(c.name);
    UserData d = DefaultRecord();
    ArmSentinel(d);
    EXPECT_EQ(CommitFlag(d, Named(c.name), c.set), c.accepted);
    for (const auto &[flag, value] : c.flags)
      EXPECT_EQ(Named(flag).Read(d), value) << flag;
    EXPECT_EQ(CheckRan(d), c.check);
  }
}

// The pages' enable rules, from the page descriptions: a state, a setting,
// and whether its control is disabled there (with the reason's wording).
TEST(EditRules, BlockedExactlyWhereThePageDisablesTheControl) {
  struct Case {
    const char *setting;
    void (*state)(UserData &);
    const char *reason; // null: the page lets the user change it
  };
  const auto defaults = [](UserData &) {};
  const Case cases[] = {
      {"Ld", defaults, "Ld follows Lq while InternalPMSMMaximunTxAStrategy is FALSE"},
      {"Ld", [](UserData &d) { d.InternalPMSMMaximunTxAStrategy = 1; }, nullptr},
      {"Lq", defaults, nullptr},
      {"ShuntResistorValue", [](UserData &d) { d.IsolatedCurrentSensors = 1; },
       "ShuntResistorValue is not used while IsolatedCurrentSensors is TRUE"},
      {"ICSGain", defaults, "ICSGain is used only while IsolatedCurrentSensors is TRUE"},
      {"TorquePDividend", defaults,
       "TorquePDividend is computed while TorqueAndFluxGainsComputation is TRUE"},
      {"TorquePDividend", [](UserData &d) { d.TorqueAndFluxGainsComputation = 0; }, nullptr},
      // Manual gains, yet no differential terms.
      {"TorqueDDividend", [](UserData &d) { d.TorqueAndFluxGainsComputation = 0; },
       "TorqueDDividend is not used while CheckToEnableDifferentialTerm is FALSE"},
      {"SpeedDDivisor", [](UserData &d) { d.CheckToEnableDifferentialTerm = 1; }, nullptr},
      {"FluxWeakeningControllerVoltageLimit", [](UserData &d) { d.FluxWeakening = 0; },
       "FluxWeakeningControllerVoltageLimit is not used while FluxWeakening is FALSE"},
      {"EnableModality", defaults, "EnableModality is not available while NoSpeedSensors is TRUE"},
      {"ViewHallSensorsFeedback",
       [](UserData &d) {
         d.NoSpeedSensors = 0;
         d.HallSensors = 1;
       },
       "ViewHallSensorsFeedback is viewed beside the main feedback only while NoSpeedSensors is "
       "TRUE"},
      {"None", [](UserData &d) { d.HallSensors = 1; }, nullptr},
      {"EnableDACFunctionality", defaults, nullptr},
      // The sensorless page offers the alignment with its check box, the
      // encoder page always.
      {"AlignmentAngle", [](UserData &d) { d.IncludeAlignmentBeforeStartUp = 0; },
       "AlignmentAngle is not used while IncludeAlignmentBeforeStartUp is FALSE"},
      {"AlignmentAngle",
       [](UserData &d) {
         d.IncludeAlignmentBeforeStartUp = 0;
         d.QuadratureEncoder = 1;
       },
       nullptr},
      {"K1", defaults, "K1 is computed while GainsComputation is TRUE"},
      {"AuxK1", [](UserData &d) { d.AuxGainsComputation = 0; }, nullptr},
      {"AuxSpeedRampDuration",
       [](UserData &d) {
         d.HallSensors = 1;
         d.EnableObserverGainTuning = 1;
       },
       "AuxSpeedRampDuration is not used while the auxiliary observer only tunes its gains "
       "beside an encoder or Hall sensors (EnableObserverGainTuning is TRUE)"},
      {"AuxSpeedRampDuration", defaults, nullptr},
      {"TorquePDivisor", defaults,
       "TorquePDivisor is set by the calculations, not entered on a page"},
  };
  for (const Case &c : cases) {
    UserData d = DefaultRecord();
    c.state(d);
    const parvex::Parameter *p = parvex::FindParameter(std::string_view(c.setting));
    ASSERT_NE(p, nullptr) << c.setting;
    const std::optional<std::string> blocked = parvex::EditBlocked(d, *p);
    if (c.reason)
      EXPECT_EQ(blocked.value_or("(enabled)"), c.reason) << c.setting;
    else
      EXPECT_FALSE(blocked) << c.setting << ": " << *blocked;
  }
}

} // namespace
} // namespace parvex::test
