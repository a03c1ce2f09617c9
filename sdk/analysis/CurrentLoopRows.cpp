#include "CurrentLoopRows.h"

#include "GainLevel.h"
#include "NumberText.h"
#include "Scaling.h"
#include "generation/DefinitionTable.h"
#include "model/Clamp.h"
#include "parvex/SamplingWindow.h"

namespace parvex::analysis {

namespace {

constexpr const char *kHeader = "MC_Control_Param.h";
// Tokens of the definitions the current gains land in.
constexpr int kTorqueKp = 22;
constexpr int kTorqueKi = 23;
constexpr int kFluxKp = 24;
constexpr int kFluxKi = 25;
constexpr int kKpDiv = 26;
constexpr int kKiDiv = 27;

// The gains turn current counts into voltage counts; in volts per ampere
// that is the quotient times currentScale / 3.3.
double VoltsPerAmp(double quotient, const Scaling &s) {
  return quotient * s.currentScale / 3.3;
}

struct RowInputs {
  const char *quantity;
  const char *definitions;
  int dividendToken;
  int divisorToken;
  double exact;
  std::uint32_t dividend;
  std::uint32_t divisor;
  bool integral;
  const char *sharedDivisor;
};

GainRow MakeRow(const RowInputs &in, const UserData &d, const Scaling &s) {
  GainRow row;
  row.quantity = in.quantity;
  row.header = kHeader;
  row.definitions = in.definitions;
  row.exact = in.exact;
  row.dividend = in.dividend;
  row.divisor = in.divisor;
  QuotientRules rules;
  rules.dividendFormat = DefinitionFormat(in.dividendToken);
  rules.divisorFormat = DefinitionFormat(in.divisorToken);
  rules.handEdited = !IsSet(d.TorqueAndFluxGainsComputation);
  rules.resolutionWindow = true;
  rules.sharedDivisor = in.sharedDivisor;
  Assess(row, rules);
  if (in.integral)
    row.physical.push_back({"Ki", VoltsPerAmp(row.written, s) / s.controlPeriod, "V/(A*s)"});
  else
    row.physical.push_back({"Kp", VoltsPerAmp(row.written, s), "V/A"});
  return row;
}

// The header has one divisor per gain kind, the torque controller's; a
// flux divisor that differs from it never reaches the firmware.
void NoteUnwrittenDivisor(GainRow &row, std::uint32_t fluxDivisor, const char *name) {
  if (fluxDivisor != row.divisor)
    Raise(row, Level::Note,
          "the record's flux divisor " + std::to_string(fluxDivisor) +
              " is not written: the firmware divides by " + name + " = " +
              std::to_string(row.divisor));
}

} // namespace

std::vector<GainRow> CurrentGainRows(const UserData &d, const Scaling &s) {
  const CurrentDesign g = CurrentDesignOf(d);
  const std::uint32_t pDiv = d.TorquePDivisor.Value;
  const std::uint32_t iDiv = d.TorqueIDivisor.Value;
  std::vector<GainRow> rows;
  rows.push_back(MakeRow({"Torque proportional gain", "PID_TORQUE_KP_DEFAULT / TF_KPDIV", kTorqueKp,
                          kKpDiv, g.torqueP, d.TorquePDividend.Value, pDiv, false, nullptr},
                         d, s));
  rows.push_back(MakeRow({"Torque integral gain", "PID_TORQUE_KI_DEFAULT / TF_KIDIV", kTorqueKi,
                          kKiDiv, g.integral, d.TorqueIDividend.Value, iDiv, true, nullptr},
                         d, s));
  rows.push_back(MakeRow({"Flux proportional gain", "PID_FLUX_KP_DEFAULT / TF_KPDIV", kFluxKp,
                          kKpDiv, g.fluxP, d.FluxPDividend.Value, pDiv, false,
                          "the flux gain shares the divisor chosen for Lq"},
                         d, s));
  NoteUnwrittenDivisor(rows.back(), d.FluxPDivisor.Value, "TF_KPDIV");
  rows.push_back(MakeRow({"Flux integral gain", "PID_FLUX_KI_DEFAULT / TF_KIDIV", kFluxKi, kKiDiv,
                          g.integral, d.FluxIDividend.Value, iDiv, true, nullptr},
                         d, s));
  NoteUnwrittenDivisor(rows.back(), d.FluxIDivisor.Value, "TF_KIDIV");
  return rows;
}

GainRow ModulationIndexRow(const UserData &d, const Scaling &s) {
  const std::uint32_t index = d.MaximumAvailableModulationIndex.Value;
  GainRow row;
  row.quantity = "Maximum modulation index";
  row.header = kHeader;
  row.definitions = "MAX_MODULATION_" + std::to_string(index) + "_PER_CENT";
  row.dividend = index;
  row.divisor = 100;
  row.written = static_cast<double>(index) / 100.0;
  // The search result is an integer percentage: nothing is truncated.
  row.exact = row.written;
  row.relativeError = 0;
  row.physical.push_back({"modulation index", static_cast<double>(index), "%"});
  row.physical.push_back({"phase voltage limit", s.voltageLimit, "V"});
  if (index < 72 || index > 100)
    Raise(row, Level::Flag,
          std::to_string(index) + " % lies outside the 72-100 % the modulation-index search gives");
  if (const std::optional<SingleShuntWindow> window = SingleShuntWindowOf(d);
      window && !window->feasible)
    Raise(row, Level::Flag, SingleShuntInfeasibleText(*window));
  return row;
}

} // namespace parvex::analysis
