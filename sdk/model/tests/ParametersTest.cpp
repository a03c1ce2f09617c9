// The parameter registry: one description per setting, covering the whole
// record, with twins, paths and units that agree with the settings tree.
#include "parvex/Parameters.h"

#include <gtest/gtest.h>

#include <cmath>
#include <set>
#include <string>
#include <vector>

namespace parvex {
namespace {

std::size_t OffsetOf(const Parameter &p, const UserData &d) {
  return std::visit(
      [&d](auto m) {
        return static_cast<std::size_t>(reinterpret_cast<const char *>(&(d.*m)) -
                                        reinterpret_cast<const char *>(&d));
      },
      p.member);
}

std::size_t SizeOf(const Parameter &p, const UserData &d) {
  return std::visit([&](auto m) { return sizeof(d.*m); }, p.member);
}

TEST(Parameters, EveryByteButTheReservedOnesHasExactlyOneSetting) {
  const UserData d{};
  std::vector<int> owners(sizeof(UserData), 0);
  for (const Parameter &p : Parameters())
    for (std::size_t i = 0; i < SizeOf(p, d); ++i)
      ++owners[OffsetOf(p, d) + i];
  std::vector<std::size_t> unowned;
  for (std::size_t i = 0; i < owners.size(); ++i) {
    EXPECT_LE(owners[i], 1) << i;
    if (owners[i] == 0)
      unowned.push_back(i);
  }
  const std::vector<std::size_t> reserved{44,  45,  46,  47,  620,  621,  622,  623,
                                          996, 997, 998, 999, 1988, 1989, 1990, 1991};
  EXPECT_EQ(unowned, reserved);
}

TEST(Parameters, NamesKindsAndTwinsAgree) {
  std::set<std::string> names;
  for (const Parameter &p : Parameters()) {
    EXPECT_TRUE(names.insert(p.name).second) << p.name;
    EXPECT_EQ(FindParameter(std::string_view(p.name)), &p);
    EXPECT_EQ(FindParameter(p.member), &p);
    // The default has the member's own type.
    EXPECT_EQ(p.member.index(), p.initial.index()) << p.name;
    if (const Parameter *t = TwinOf(p)) {
      EXPECT_EQ(TwinOf(*t), &p) << p.name;
      EXPECT_EQ(t->kind, p.kind) << p.name;
      EXPECT_STREQ(t->unit, p.unit) << p.name;
      // The auxiliary member is the main one's name with "Aux" before it.
      const std::string a = p.name, b = t->name;
      EXPECT_TRUE(a == "Aux" + b || b == "Aux" + a) << a << " " << b;
    }
  }
  EXPECT_EQ(Parameters().size(), 124u);
}

TEST(Parameters, PathsNameTheFirstPlaceInTheLogTree) {
  struct Case {
    const char *name;
    const char *path;
  };
  const Case cases[] = {
      {"R", "MOTORANDHW/MOTORCHARACTERISTICS/R"},
      {"QuadratureEncoder", "CONFIGURATION/SPEEDFEEDBACK/QuadratureEncoder"},
      {"SpeedRegulationControlRate",
       "CONTROLSETTINGS/SPEEDREGULATIONCONTROLRATE/SpeedRegulationControlRate"},
      {"TorqueAndFluxGainsComputation",
       "CONTROLSETTINGS/TORQUEANDFLUXCONTROLLER/TorqueAndFluxGainsComputation"},
      {"MinMechanicalSpeed", "SPEEDFEEDBACK/SPEEDMEASUREMENTERRORSMANAGEMENT/MinMechanicalSpeed"},
      {"AlignmentCurrent", "SPEEDFEEDBACK/ALIGNMENTSETTINGS/Current"},
      {"K1", "SPEEDFEEDBACK/APRIORICOMPUTEDGAINS/K1"},
      {"AuxK1", "AUXSPEEDFEEDBACK/APRIORICOMPUTEDGAINS/K1"},
      {"AuxHall60Degrees", "AUXSPEEDFEEDBACK/HALLSENSORSPLACEMENT/Hall60Degrees"},
      {"Tnoise", "CURRENTSENSING/NOISEPARAMETERS/Tnoise"},
  };
  for (const Case &c : cases) {
    const Parameter *p = FindParameter(std::string_view(c.name));
    ASSERT_TRUE(p) << c.name;
    EXPECT_EQ(PathOf(*p), c.path);
  }
  std::set<std::string_view> paths;
  for (const Parameter &p : Parameters()) {
    EXPECT_FALSE(PathOf(p).empty()) << p.name;
    EXPECT_TRUE(paths.insert(PathOf(p)).second) << PathOf(p);
    EXPECT_EQ(FindParameterByPath(PathOf(p)), &p);
  }
  EXPECT_EQ(FindParameterByPath("MOTORANDHW/MOTORCHARACTERISTICS/X"), nullptr);
}

TEST(Parameters, UnitsOfThePagesFields) {
  const std::pair<const char *, const char *> units[] = {
      {"R", "Ohm"},
      {"Ld", "mH"},
      {"PWMFrequency", "Hz"},
      {"DeadTime", "ns"},
      {"CutOffFrequency", "rad/s"},
      {"RatedCurrent", "A"},
      {"MotorMaxSpeed", "rpm"},
      {"TorquePDividend", ""},
      {"AuxAlignmentDuration", "ms"},
  };
  for (const auto &[name, unit] : units)
    EXPECT_STREQ(FindParameter(std::string_view(name))->unit, unit) << name;
}

// Writing follows the field: integers truncate toward zero into 32 bits
// (signed ones as two's complement), reals keep the value; a value with no
// defined conversion writes nothing.
TEST(Parameters, ReadAndWrite) {
  UserData d{};
  const Parameter &pwm = *FindParameter(ParamMember(&UserData::PWMFrequency));
  EXPECT_TRUE(pwm.Write(d, 20000.9));
  EXPECT_EQ(d.PWMFrequency.Value, 20000u);
  EXPECT_TRUE(pwm.Write(d, 5000, ParamPart::Max));
  EXPECT_EQ(d.PWMFrequency.Max, 5000u);
  EXPECT_FALSE(pwm.Write(d, std::nan("")));
  EXPECT_EQ(d.PWMFrequency.Value, 20000u);
  EXPECT_EQ(pwm.Read(d, ParamPart::Max), 5000.0);

  const Parameter &k1 = *FindParameter(ParamMember(&UserData::K1));
  EXPECT_TRUE(k1.Write(d, -21162.7));
  EXPECT_EQ(d.K1.Value, -21162);
  EXPECT_EQ(k1.Read(d), -21162.0);

  const Parameter &r = *FindParameter(ParamMember(&UserData::R));
  EXPECT_TRUE(r.Write(d, 0.123456));
  EXPECT_EQ(d.R.Value, 0.123456);

  const Parameter &flag = *FindParameter(ParamMember(&UserData::FluxWeakening));
  EXPECT_FALSE(flag.HasRange());
  EXPECT_FALSE(flag.Write(d, 1, ParamPart::Max));
  EXPECT_TRUE(flag.Write(d, 1));
  EXPECT_EQ(d.FluxWeakening, 1u);
}

// Decimals as a file may hold them: a page field shows at most 15, text at
// most 64; anything that is no positive number shows none.
TEST(Parameters, DecimalsShownAreTruncatedAndCappedPerUse) {
  const double inf = HUGE_VAL;
  struct Row {
    double decimals;
    int field;
    int text;
  };
  const Row rows[] = {
      {std::nan(""), 0, 0}, {-inf, 0, 0},    {-3, 0, 0},     {0, 0, 0},
      {0.9, 0, 0},          {2, 2, 2},       {2.99, 2, 2},   {14.9, 14, 14},
      {15, 15, 15},         {15.5, 15, 15},  {63.9, 15, 63}, {64, 15, 64},
      {64.5, 15, 64},       {1e300, 15, 64}, {inf, 15, 64},
  };
  for (const Row &r : rows) {
    EXPECT_EQ(DecimalsShown(r.decimals, DecimalsUse::Field), r.field) << r.decimals;
    EXPECT_EQ(DecimalsShown(r.decimals, DecimalsUse::Text), r.text) << r.decimals;
  }
  UserData d{};
  d.R.Decimals = 40;
  const Parameter &r = *FindParameter(std::string_view("R"));
  EXPECT_EQ(DecimalsShown(r, d, DecimalsUse::Field), 15);
  EXPECT_EQ(DecimalsShown(r, d, DecimalsUse::Text), 40);
  // No range, no decimals part to read.
  const Parameter &rate = *FindParameter(std::string_view("SpeedRegulationControlRate"));
  EXPECT_EQ(DecimalsShown(rate, d, DecimalsUse::Text), 0);
}

} // namespace
} // namespace parvex
