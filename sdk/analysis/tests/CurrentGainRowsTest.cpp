#include "TestRecords.h"
#include "generation/CastRange.h"
#include "generation/DefinitionTable.h"

#include <ostream>

namespace parvex::analysis::test {
namespace {

// Defaults by hand: A = 22 V x 0.22 Ohm x 2.57 = 12.4388 V^2/A.
//   KpT = 6000 x 0.6 x 3.3 / 1000 / 12.4388 = 11.88 / 12.4388 = 0.9550761
//     x 4096 = 3911.9915, written 3911: error (3911 - 3911.9915) / 3911.9915 = -2.5345e-4
//   Ki = 0.35 x 6000 x 3.3 x 1 / (12.4388 x 14400) = 6930 / 179118.72 = 0.03868942
//     x 16384 = 633.8875, written 633: error -0.8875 / 633.8875 = -1.4001e-3
// Physically Kp = wc Lq = 6000 x 0.0006 = 3.6 V/A and Ki = R wc = 2100 V/(A s),
// each off by its quantisation error: 3.59909 V/A and 2097.06 V/(A s).
struct DefaultRow {
  const char *quantity;
  double exact;
  std::int64_t dividend, divisor;
  double error;
  const char *unit;
  double physical;
  Level level;
};

void PrintTo(const DefaultRow &r, std::ostream *os) {
  *os << r.quantity;
}

class DefaultGainRows : public ::testing::TestWithParam<DefaultRow> {};

TEST_P(DefaultGainRows, ShowTheWrittenQuotientBesideTheDesign) {
  const DefaultRow &c = GetParam();
  const ControllerAnalysis a = Analyse(DefaultRecord());
  const GainRow &row = RowNamed(a, c.quantity);
  EXPECT_EQ(row.header, "MC_Control_Param.h");
  EXPECT_NEAR(row.exact, c.exact, 5e-7);
  EXPECT_EQ(row.dividend, c.dividend);
  EXPECT_EQ(row.divisor, c.divisor);
  EXPECT_DOUBLE_EQ(row.written, static_cast<double>(c.dividend) / static_cast<double>(c.divisor));
  EXPECT_NEAR(row.relativeError, c.error, 2e-7);
  ASSERT_EQ(row.physical.size(), 1u);
  EXPECT_EQ(row.physical[0].unit, c.unit);
  EXPECT_NEAR(row.physical[0].value, c.physical, 0.005);
  EXPECT_EQ(row.level, c.level) << row.reason;
}

INSTANTIATE_TEST_SUITE_P(
    Defaults, DefaultGainRows,
    ::testing::Values(DefaultRow{"Torque proportional gain", 0.9550761, 3911, 4096, -2.5345e-4,
                                 "V/A", 3.59909, Level::Ok},
                      DefaultRow{"Flux proportional gain", 0.9550761, 3911, 4096, -2.5345e-4, "V/A",
                                 3.59909, Level::Ok},
                      DefaultRow{"Torque integral gain", 0.03868942, 633, 16384, -1.4001e-3,
                                 "V/(A*s)", 2097.06, Level::Note},
                      DefaultRow{"Flux integral gain", 0.03868942, 633, 16384, -1.4001e-3,
                                 "V/(A*s)", 2097.06, Level::Note}));

TEST(DefaultGainRows, NameTheDefinitionsTheyLandIn) {
  const ControllerAnalysis a = Analyse(DefaultRecord());
  EXPECT_EQ(RowNamed(a, "Torque proportional gain").definitions,
            "PID_TORQUE_KP_DEFAULT / TF_KPDIV");
  EXPECT_EQ(RowNamed(a, "Flux integral gain").definitions, "PID_FLUX_KI_DEFAULT / TF_KIDIV");
  EXPECT_EQ(RowNamed(a, "Maximum modulation index").definitions, "MAX_MODULATION_98_PER_CENT");
}

// The integral dividend below the window because the divisor stopped at
// 2^14 is worth a note, not a flag: its error is 0.14 %.
TEST(DefaultGainRows, IntegralBelowTheWindowIsNotedNotFlagged) {
  const GainRow row = RowNamed(Analyse(DefaultRecord()), "Torque integral gain");
  EXPECT_EQ(row.level, Level::Note);
  EXPECT_TRUE(Contains(row.reason, "633 counts, below the 2000-4000 window")) << row.reason;
  EXPECT_TRUE(Contains(row.reason, "2^14")) << row.reason;
}

// 98 % of half the 22 V bus: 0.98 x 11 V = 10.78 V.
TEST(DefaultGainRows, ModulationIndexLimitsThePhaseVoltage) {
  const GainRow row = RowNamed(Analyse(DefaultRecord()), "Maximum modulation index");
  EXPECT_EQ(row.dividend, 98);
  ASSERT_EQ(row.physical.size(), 2u);
  EXPECT_DOUBLE_EQ(row.physical[0].value, 98);
  EXPECT_NEAR(row.physical[1].value, 10.78, 1e-12);
  EXPECT_EQ(row.level, Level::Ok);
}

// A single-shunt timing no index can sample: the index row is flagged with
// the reason, whatever number the search gave.
TEST(EditedGainRows, UnsampledSingleShuntFlagsTheIndex) {
  UserData d = DefaultRecord();
  d.ThreeShuntResistors = 0;
  d.SingleShuntResistor = 1;
  d.PWMFrequency.Value = 32000;
  d.Trise.Value = 10000;
  d.DeadTime.Value = 3500;
  const GainRow row = RowNamed(Analyse(d), "Maximum modulation index");
  EXPECT_EQ(row.level, Level::Flag);
  EXPECT_NE(row.reason.find("one shunt cannot be sampled at any modulation index"),
            std::string::npos)
      << row.reason;
}

struct EditedRow {
  const char *name;
  std::function<void(UserData &)> edit;
  const char *quantity;
  std::int64_t dividend;
  std::int64_t divisor;
  Level level;
  const char *reason; // a part of the reason
};

void PrintTo(const EditedRow &r, std::ostream *os) {
  *os << r.name;
}

class EditedGainRows : public ::testing::TestWithParam<EditedRow> {};

TEST_P(EditedGainRows, RaiseTheLevelTheirFigureDeserves) {
  const EditedRow &c = GetParam();
  const GainRow row = RowNamed(Analyse(Edited(c.edit)), c.quantity);
  EXPECT_EQ(row.dividend, c.dividend);
  EXPECT_EQ(row.divisor, c.divisor);
  EXPECT_EQ(row.level, c.level) << row.reason;
  EXPECT_TRUE(Contains(row.reason, c.reason)) << row.reason;
}

INSTANTIATE_TEST_SUITE_P(
    Examples, EditedGainRows,
    ::testing::Values(
        // Ki = 0.01 x 6000 x 3.3 / (12.4388 x 14400) = 0.00110541, x 16384 = 18.11:
        // 18 counts, one count is 1/18 = 5.6 % of the gain.
        EditedRow{"TinyResistanceIntegral", [](UserData &d) { d.R.Value = 0.01; },
                  "Torque integral gain", 18, 16384, Level::Flag,
                  "only 18 counts: one count is 5.6 % of the gain"},
        // A = 3 x 0.001 x 1 = 0.003: KpT = 3.6 x 3.3 / 0.003 = 3960, even x 2 leaves the
        // window, so the divisor is 2^14 and the dividend 3960 x 16384 = 64880640.
        EditedRow{"NoExponentFits",
                  [](UserData &d) {
                    d.DCBusVoltage.Value = 3;
                    d.ShuntResistorValue.Value = 0.001;
                    d.AmplificationGain.Value = 1;
                  },
                  "Torque proportional gain", 64880640, 16384, Level::Flag,
                  "64880640 does not fit s16"},
        // Lq 500 mH: KpT = 795.77, x 4 = 3183.1 (p = 2); the flux gain with Ld 0.6 mH
        // is 0.95508 x 4 = 3.82, written 3: one count is 33 % of it.
        EditedRow{"SharedDivisorStarvesFlux", [](UserData &d) { d.Lq.Value = 500; },
                  "Flux proportional gain", 3, 4, Level::Flag,
                  "only 3 counts: one count is 33 % of the gain"},
        // Ld 0.3 mH: 0.47754 x 4096 = 1956.0, written 1955 (error -0.05 %), below the window
        // because the divisor was chosen for Lq.
        EditedRow{"MtpaFluxBelowWindow", [](UserData &d) { d.Ld.Value = 0.3; },
                  "Flux proportional gain", 1955, 4096, Level::Note,
                  "the flux gain shares the divisor chosen for Lq"},
        // Rate 3: Ki = 3 x 0.03868942 = 0.1160683, x 16384 = 1901.7: 1901, error -0.035 %.
        EditedRow{"ControlRate3", [](UserData &d) { d.TorqueAndFluxControlRate = 3; },
                  "Torque integral gain", 1901, 16384, Level::Note, "1901 counts, below"},
        // 4500 / 4096 = 1.098633 against 0.9550761: +15 % from the design.
        EditedRow{"HandEdited",
                  [](UserData &d) {
                    d.TorqueAndFluxGainsComputation = 0;
                    d.TorquePDividend.Value = 4500;
                  },
                  "Torque proportional gain", 4500, 4096, Level::Note,
                  "hand-edited: 15 % from the design value"},
        EditedRow{"ZeroDivisor",
                  [](UserData &d) {
                    d.TorqueAndFluxGainsComputation = 0;
                    d.TorqueIDivisor.Value = 0;
                  },
                  "Torque integral gain", 633, 0, Level::Flag, "divisor is 0"},
        EditedRow{"FluxDivisorNeverWritten",
                  [](UserData &d) {
                    d.TorqueAndFluxGainsComputation = 0;
                    d.FluxPDivisor.Value = 2048;
                  },
                  "Flux proportional gain", 3911, 4096, Level::Note,
                  "the firmware divides by TF_KPDIV = 4096"}),
    [](const ::testing::TestParamInfo<EditedRow> &info) { return info.param.name; });

TEST(EditedGainRows, FlaggedRowsAreListedAsFindings) {
  const ControllerAnalysis a = Analyse(Edited([](UserData &d) { d.R.Value = 0.01; }));
  bool listed = false;
  for (const Finding &f : a.findings)
    listed = listed || (f.subject == "Torque integral gain" && f.level == Level::Flag);
  EXPECT_TRUE(listed);
}

// The casts the rows check against are the header definitions' own.
TEST(HeaderDefinitionCasts, AreReadFromTheDefinitionTable) {
  ASSERT_NE(DefinitionFormat(22), nullptr);
  EXPECT_STREQ(CastOf(DefinitionFormat(22))->name, "s16"); // PID_TORQUE_KP_DEFAULT
  EXPECT_STREQ(CastOf(DefinitionFormat(26))->name, "u16"); // TF_KPDIV
  EXPECT_STREQ(CastOf(DefinitionFormat(75))->name, "s32"); // K1
  EXPECT_EQ(DefinitionFormat(6), nullptr);                 // computed: MAX_MODULATION
  EXPECT_EQ(DefinitionFormat(95), nullptr);
}

} // namespace
} // namespace parvex::analysis::test
